// The garbage collector: non-moving mark and sweep over the ObjectManager's object list.
//
// Roots are the static root table, the constant pool, the Application's five object fields,
// the pending exception, a conservative scan of the native stack and (with flag 8) the newest
// object. Marking is iterative over a mark stack that grows as deep as the graph needs.
#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"
#include "runtime/Displayable.h"
#include "runtime/Log.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StringBuffer.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

namespace {

constexpr std::uintptr_t kWordSize = sizeof(void*);
constexpr std::uint16_t kFreedClassId = static_cast<std::uint16_t>(kNoClass);

const void* recordedStackBase = nullptr;
bool collecting = false;
// The deep-marking message is logged once per collection.
bool deepMarkReported = false;

// -1: not yet read from the environment.
int stressMode = -1;

// The interfaces a class can embed a view of: a word holding a view's address keeps the object.
constexpr jint kInterfaceIds[] = {
    kRunnable,          kEnumeration,     kConnection,       kContentConnection,
    kHttpConnection,    kInputConnection, kOutputConnection, kStreamConnection,
    kCommandListener,   kControl,         kControllable,     kPlayer,
    kPlayerListener,    kMIDIControl,     kVolumeControl,    kRecordComparator,
    kRecordEnumeration, kRecordFilter,    kRecordListener,
};

// The view offsets of one dynamic type, cached by its virtual table address: a class's layout
// is fixed, so the interfaces are asked once per type, not once per object and collection.
struct ViewOffsets {
    const void* vtable = nullptr;
    std::uint8_t count = 0;
    std::uint16_t offsets[4] = {};
};
constexpr std::size_t kViewCacheSize = 512;
ViewOffsets viewCache[kViewCacheSize];

// No view lies farther into its object than this.
constexpr std::uintptr_t kMaxViewOffset = 0xFFFF;

const void* vtableOf(const Object* object) {
    const void* vtable = nullptr;
    std::memcpy(&vtable, object, sizeof vtable);
    return vtable;
}

const ViewOffsets& viewOffsetsOf(Object* object, const void* vtable) {
    ViewOffsets& entry = viewCache[(reinterpret_cast<std::uintptr_t>(vtable) / kWordSize) % kViewCacheSize];
    if (entry.vtable == vtable) {
        return entry;
    }
    entry = ViewOffsets{};
    entry.vtable = vtable;
    const auto objectAddress = reinterpret_cast<std::uintptr_t>(object);
    for (const jint id : kInterfaceIds) {
        const auto view = reinterpret_cast<std::uintptr_t>(object->getInterface(id));
        if (view <= objectAddress || view - objectAddress > kMaxViewOffset) {
            continue;
        }
        const auto offset = static_cast<std::uint16_t>(view - objectAddress);
        const bool known =
            std::find(entry.offsets, entry.offsets + entry.count, offset) != entry.offsets + entry.count;
        if (!known && entry.count < std::size(entry.offsets)) {
            entry.offsets[entry.count++] = offset;
        }
    }
    return entry;
}

// The exact addresses the stack scan accepts, built at the start of each collection: a bitmap
// with one bit per word of the object heap (or of the range the listed objects span), plus the
// sorted addresses of interface views with their objects.
struct HeapIndex {
    std::uintptr_t low = 1;
    std::uintptr_t high = 0; // last word the bitmap covers
    std::vector<std::uint64_t> bits;
    std::vector<std::pair<std::uintptr_t, Object*>> views;
    bool valid = false;

    // Starts an empty index over [from, to].
    void reset(const std::uintptr_t from, const std::uintptr_t to) {
        valid = true;
        views.clear();
        low = from;
        high = to;
        if (to < from) {
            bits.clear();
            return;
        }
        const std::size_t words = (high - low) / kWordSize + 1;
        bits.assign((words + 63) / 64, 0);
    }

    void add(Object* object) {
        const auto address = reinterpret_cast<std::uintptr_t>(object);
        if (address % kWordSize != 0 || address < low || address > high) {
            return;
        }
        const std::size_t word = (address - low) / kWordSize;
        bits[word / 64] |= std::uint64_t{1} << (word % 64);
        // An object whose constructor has not started yet has no table to ask.
        const void* vtable = vtableOf(object);
        if (vtable == nullptr) {
            return;
        }
        const ViewOffsets& entry = viewOffsetsOf(object, vtable);
        for (std::uint8_t v = 0; v < entry.count; ++v) {
            views.emplace_back(address + entry.offsets[v], object);
        }
    }

    void finish() { std::sort(views.begin(), views.end()); }

    // The listed object whose address, or one of whose interface views' address, is word.
    Object* find(const std::uintptr_t word) const {
        if (word % kWordSize != 0) {
            return nullptr;
        }
        if (word >= low && word <= high) {
            const std::size_t index = (word - low) / kWordSize;
            if ((bits[index / 64] >> (index % 64)) & 1) {
                return reinterpret_cast<Object*>(word);
            }
        }
        if (views.empty() || word < views.front().first || word > views.back().first) {
            return nullptr;
        }
        const auto found =
            std::lower_bound(views.begin(), views.end(), std::make_pair(word, static_cast<Object*>(nullptr)));
        return found != views.end() && found->first == word ? found->second : nullptr;
    }
};

HeapIndex heapIndex;

// The range the index must cover: the object heap, or (without one) the listed objects' span.
std::pair<std::uintptr_t, std::uintptr_t> indexRange(const ObjectManager* manager) {
    const Application* application = manager->application;
    if (application != nullptr && application->objectHeap != nullptr &&
        application->objectHeap->base() != nullptr) {
        const auto base = reinterpret_cast<std::uintptr_t>(application->objectHeap->base());
        return {base, base + static_cast<std::uintptr_t>(application->objectHeap->size()) - kWordSize};
    }
    std::uintptr_t low = UINTPTR_MAX;
    std::uintptr_t high = 0;
    for (jint i = 0; i < manager->count; ++i) {
        const auto address = reinterpret_cast<std::uintptr_t>(manager->objects[i]);
        low = std::min(low, address);
        high = std::max(high, address);
    }
    return {low, high};
}

// Indexes the list for the stack scan; with clearMarks also clears every mark on the same pass.
void buildIndex(const ObjectManager* manager, const bool clearMarks) {
    const auto [low, high] = indexRange(manager);
    heapIndex.reset(low, high);
    for (jint i = 0; i < manager->count; ++i) {
        Object* object = manager->objects[i];
        if (clearMarks) {
            object->mark = 0;
        }
        heapIndex.add(object);
    }
    heapIndex.finish();
}

// Clears every mark (with free-all also making every object collectable, otherwise indexing the
// list). Kept out of gc's own frame: the object pointers it leaves behind in dead stack slots
// must not be mistaken for roots.
[[gnu::noinline]] void prepareCollection(const ObjectManager* manager, const bool freeAll) {
    if (!freeAll) {
        buildIndex(manager, true);
        return;
    }
    for (jint i = 0; i < manager->count; ++i) {
        manager->objects[i]->mark = 0;
        manager->objects[i]->collectable = 1;
    }
}

bool isObjectArray(const Object* object) {
    return object->classId == kObjectArray;
}

// Whether marking must look inside the object: reference arrays and classes with reference fields.
bool hasReferences(const Object* object, const StaticClass* block) {
    if (isObjectArray(object)) {
        return true;
    }
    const jint id = object->classId;
    return block != nullptr && id >= 0 && id < kClassCount && block->classes[id].refCount > 0 &&
           block->classes[id].refOffsets != nullptr;
}

StaticClass* staticBlockOf(const ObjectManager* manager) {
    return manager->application != nullptr ? manager->application->staticClass : nullptr;
}

void releaseAndFree(Object* object, Application* application) {
    // An object whose constructor never started has no slots to call.
    if (vtableOf(object) != nullptr) {
        object->release();
    }
    object->classId = static_cast<jshort>(kFreedClassId);
    if (application != nullptr) {
        if (application->secondaryHeap != nullptr && application->secondaryHeap->free(object) != 0) {
            return;
        }
        if (application->objectHeap != nullptr && application->objectHeap->free(object) != 0) {
            return;
        }
    }
    std::free(object);
}

void growMarkStack(ObjectManager* manager, const jint capacity) {
    auto* objects = static_cast<Object**>(std::realloc(manager->markObjects, sizeof(Object*) * capacity));
    if (objects != nullptr) {
        manager->markObjects = objects;
    }
    auto* next = static_cast<jint*>(std::realloc(manager->markNext, sizeof(jint) * capacity));
    if (next != nullptr) {
        manager->markNext = next;
    }
    if (objects == nullptr || next == nullptr) {
        fatalOutOfMemory("mark stack malloc failed");
    }
    manager->markCapacity = capacity;
}

} // namespace

void setStackBase(const void* base) {
    recordedStackBase = base;
}

// Not instrumented: the sanitizer's frame layout would leave the top of this frame, right below
// the caller, unwiped.
[[gnu::noinline]] [[gnu::no_sanitize_address]] void clearDeadStack() {
    volatile std::uintptr_t area[4096];
    for (volatile std::uintptr_t& word : area) {
        word = 0;
    }
}

void recordStackBase() {
    pthread_attr_t attributes;
    void* address = nullptr;
    std::size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstack(&attributes, &address, &size);
        pthread_attr_destroy(&attributes);
    }
    if (address == nullptr || size < kWordSize) {
        // Without the thread's bounds, the caller's frame is the best known upper end.
        log("recordStackBase: stack bounds unknown");
        recordedStackBase = __builtin_frame_address(0);
        return;
    }
    // The last word inside the stack: the scan includes its upper end.
    recordedStackBase = static_cast<const char*>(address) + size - kWordSize;
}

const void* stackBase() {
    if (recordedStackBase == nullptr) {
        recordStackBase();
    }
    return recordedStackBase;
}

bool gcStress() {
    if (stressMode < 0) {
        const char* value = std::getenv("TARNWICK_GC_STRESS");
        stressMode = value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0 ? 1 : 0;
    }
    return stressMode == 1;
}

void setGcStress(const bool on) {
    stressMode = on ? 1 : 0;
}

void ObjectManager::mark(Object* object) {
    if (object == nullptr || object->mark != 0) {
        return;
    }
    object->mark = 1;
    const StaticClass* block = staticBlockOf(this);
    if (!hasReferences(object, block)) {
        return;
    }
    if (markCapacity < kMarkStackSize) {
        growMarkStack(this, kMarkStackSize);
    }

    Object* current = object;
    depth = 0;
    markNext[0] = 0;
    for (;;) {
        Object* child = nullptr;
        jint next = markNext[depth];
        if (isObjectArray(current)) {
            // Read through Array: an array whose constructor is still allocating its storage
            // (collected as the newest object) has its length but no elements yet.
            const auto* array = static_cast<const Array*>(current);
            Object* const* elements = static_cast<Object* const*>(array->elements);
            const jint length = elements != nullptr ? array->length : 0;
            for (; next < length && child == nullptr; ++next) {
                Object* element = elements[next];
                if (element != nullptr && element->mark == 0) {
                    element->mark = 1;
                    child = hasReferences(element, block) ? element : nullptr;
                }
            }
        } else {
            const ClassRecord& record = block->classes[current->classId];
            for (; next < record.refCount && child == nullptr; ++next) {
                Object* field = nullptr;
                std::memcpy(&field, reinterpret_cast<const char*>(current) + record.refOffsets[next],
                            sizeof field);
                if (field != nullptr && field->mark == 0) {
                    field->mark = 1;
                    child = hasReferences(field, block) ? field : nullptr;
                }
            }
        }
        if (child != nullptr) {
            // Remember where to resume in the current object, then descend into the child.
            markObjects[depth] = current;
            markNext[depth] = next;
            ++depth;
            if (depth == kMarkStackSize - 1 && !deepMarkReported) {
                // The handset's mark stack ended with this entry; ours grows on.
                deepMarkReported = true;
                log("%s", "");
                dumpStackTrace();
            }
            if (depth >= markCapacity) {
                growMarkStack(this, markCapacity * 2);
            }
            markNext[depth] = 0;
            current = child;
            continue;
        }
        if (depth == 0) {
            return;
        }
        --depth;
        current = markObjects[depth];
    }
}

// Reads every 8-byte aligned word between from and to. Stack memory holds redzones and dead
// frames that the address sanitizer would report, so this one function is not instrumented.
[[gnu::no_sanitize_address]] [[gnu::noinline]] void ObjectManager::scanStack(const void* from,
                                                                             const void* to) {
    const bool ownIndex = !heapIndex.valid;
    if (ownIndex) {
        buildIndex(this, false);
    }
    auto low = reinterpret_cast<std::uintptr_t>(from);
    auto high = reinterpret_cast<std::uintptr_t>(to);
    if (low > high) {
        std::swap(low, high);
    }
    low = (low + kWordSize - 1) & ~(kWordSize - 1);
    for (std::uintptr_t address = low; address <= high && address >= low; address += kWordSize) {
        const std::uintptr_t word = *reinterpret_cast<const std::uintptr_t*>(address);
        Object* object = heapIndex.find(word);
        if (object != nullptr && object->mark == 0) {
            mark(object);
        }
    }
    if (ownIndex) {
        heapIndex.valid = false;
    }
}

namespace {

// Spills the callee-saved registers into this frame, then scans from here up to the stack
// base: a reference that lives only in a register of some caller is found in the spill area.
[[gnu::noinline]] void scanNativeStack(ObjectManager* manager) {
    __builtin_unwind_init();
    volatile std::uintptr_t marker = 0;
    manager->scanStack(const_cast<const std::uintptr_t*>(&marker), stackBase());
    // Reading the marker after the call keeps the call from becoming a tail call, which would
    // hand this frame and its spilled registers back before the scan.
    marker = marker + 1;
}

void markRoots(ObjectManager* manager, const jint flags) {
    Application* application = manager->application;
    if (StaticClass* block = staticBlockOf(manager)) {
        const jint rootCount = std::clamp(block->rootCount, 0, kStaticRootCapacity);
        for (jint i = 0; i < rootCount; ++i) {
            if (Object** field = block->rootTable[i]) {
                manager->mark(*field);
            }
        }
        manager->mark(block->constantPool);
    }
    if (application != nullptr) {
        manager->mark(application->m_midlet);
        manager->mark(application->currentDisplayable);
        manager->mark(application->screenImage);
        manager->mark(application->m_screenGraphics);
        manager->mark(application->decodingBuffer);
        // An exception no handler caught yet is still read by whoever checks it next.
        manager->mark(application->pendingException);
    }
    clearDeadStack();
    scanNativeStack(manager);
    if ((flags & kGcKeepNewest) != 0 && manager->count > 0) {
        manager->mark(manager->objects[manager->count - 1]);
    }
}

void sweep(ObjectManager* manager) {
    for (jint i = manager->count - 1; i >= 0; --i) {
        Object* object = manager->objects[i];
        if (object->mark != 0 || object->collectable == 0) {
            continue;
        }
        manager->objects[i] = manager->objects[manager->count - 1];
        manager->objects[manager->count - 1] = nullptr;
        --manager->count;
        releaseAndFree(object, manager->application);
    }
}

} // namespace

void ObjectManager::gc(const jint flags) {
    // A release slot that allocates must not start a collection inside this one.
    if (collecting) {
        return;
    }
    collecting = true;
    deepMarkReported = false;
    if (application != nullptr) {
        application->pushName("ObjectManager::gc()");
    }
    const bool freeAll = (flags & kGcFreeAll) != 0;
    prepareCollection(this, freeAll);
    if (!freeAll) {
        // The index was built just below this frame, where the root marking runs next.
        clearDeadStack();
        markRoots(this, flags);
    }
    heapIndex.valid = false;
    sweep(this);
    if (application != nullptr) {
        application->popName();
    }
    collecting = false;
}

} // namespace runtime
