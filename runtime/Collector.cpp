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

// The stack scan's index of exact addresses: a bitmap over the object heap (or, without one,
// over the span of the listed objects) with one bit per word, set where a listed object starts.
// Interface views are found from the nearest object start below them.
//
// The index and the cleared marks carry over from one collection to the next: the sweep clears
// the bit of every object it frees and the mark of every object it keeps, so a collection only
// needs to index, and clear the marks of, the objects listed since the last one
// (ObjectManager::collectedCount). Anything that could have broken that (another manager, a
// mark set outside a collection, a release slot that allocated) makes the next one start over.
struct HeapIndex {
    std::uintptr_t low = 0;
    std::uintptr_t span = 0; // bytes covered
    std::vector<std::uint64_t> starts;
    std::size_t startCount = 0;     // bits set
    const ObjectManager* owner = nullptr;

    // Covers [from, to] (both word addresses) with a clear bitmap.
    void cover(const std::uintptr_t from, const std::uintptr_t to) {
        const std::uintptr_t bytes = to < from ? 0 : to - from + kWordSize;
        if (from != low || bytes != span) {
            low = from;
            span = bytes;
            starts.assign((span / kWordSize + 63) / 64, 0);
            startCount = 0;
        } else if (startCount != 0) {
            std::fill(starts.begin(), starts.end(), 0);
            startCount = 0;
        }
    }

    bool covers(const std::uintptr_t from, const std::uintptr_t to) const {
        return from == low && (to < from ? 0 : to - from + kWordSize) == span;
    }

    // The bit index of address, or -1 when it lies outside or off the word grid.
    std::ptrdiff_t bitOf(const std::uintptr_t address) const {
        const std::uintptr_t offset = address - low;
        return offset < span && offset % kWordSize == 0 ? static_cast<std::ptrdiff_t>(offset / kWordSize) : -1;
    }

    void add(const Object* object) {
        const std::ptrdiff_t bit = bitOf(reinterpret_cast<std::uintptr_t>(object));
        if (bit < 0) {
            return;
        }
        std::uint64_t& word = starts[static_cast<std::size_t>(bit) / 64];
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        startCount += (word & mask) == 0 ? 1 : 0;
        word |= mask;
    }

    void remove(const Object* object) {
        const std::ptrdiff_t bit = bitOf(reinterpret_cast<std::uintptr_t>(object));
        if (bit < 0) {
            return;
        }
        std::uint64_t& word = starts[static_cast<std::size_t>(bit) / 64];
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        startCount -= (word & mask) != 0 ? 1 : 0;
        word &= ~mask;
    }

    bool isStart(const std::size_t bit) const { return (starts[bit / 64] >> (bit % 64)) & 1; }

    // The highest object start at or below bit and at most kMaxViewOffset bytes before it, or -1.
    std::ptrdiff_t startAtOrBefore(const std::size_t bit) const {
        const std::size_t lowest = bit > kMaxViewOffset / kWordSize ? bit - kMaxViewOffset / kWordSize : 0;
        std::size_t index = bit / 64;
        std::uint64_t word = starts[index] & (~std::uint64_t{0} >> (63 - bit % 64));
        for (;;) {
            if (word != 0) {
                const std::size_t found = index * 64 + 63 - static_cast<std::size_t>(__builtin_clzll(word));
                return found >= lowest ? static_cast<std::ptrdiff_t>(found) : -1;
            }
            if (index == 0 || index * 64 <= lowest) {
                return -1;
            }
            word = starts[--index];
        }
    }

    // The listed object whose address, or one of whose interface views' address, is word.
    Object* find(const std::uintptr_t word) const {
        const std::ptrdiff_t bit = bitOf(word);
        if (bit < 0) {
            return nullptr;
        }
        if (isStart(static_cast<std::size_t>(bit))) {
            return reinterpret_cast<Object*>(word);
        }
        // A view lies inside its object, so only the nearest object below can own it.
        const std::ptrdiff_t start = startAtOrBefore(static_cast<std::size_t>(bit));
        if (start < 0) {
            return nullptr;
        }
        auto* object = reinterpret_cast<Object*>(low + static_cast<std::uintptr_t>(start) * kWordSize);
        // An object whose constructor has not started yet has no table to ask.
        const void* vtable = vtableOf(object);
        if (vtable == nullptr) {
            return nullptr;
        }
        const ViewOffsets& views = viewOffsetsOf(object, vtable);
        const std::uintptr_t offset = word - reinterpret_cast<std::uintptr_t>(object);
        for (std::uint8_t v = 0; v < views.count; ++v) {
            if (views.offsets[v] == offset) {
                return object;
            }
        }
        return nullptr;
    }
};

HeapIndex heapIndex;
// Set while a collection's index is in place for its stack scan.
bool indexReady = false;

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
    return {low & ~(kWordSize - 1), high & ~(kWordSize - 1)};
}

// Indexes the list for the stack scan and clears the marks of the objects it indexes: only those
// listed since the last collection when its work still holds, otherwise all of them. Without
// clearMarks (a scan outside a collection) every mark is left alone and everything is indexed.
void indexObjects(ObjectManager* manager, const bool clearMarks) {
    const auto [low, high] = indexRange(manager);
    jint from = manager->collectedCount;
    if (!clearMarks || from <= 0 || from > manager->count || heapIndex.owner != manager ||
        !heapIndex.covers(low, high)) {
        heapIndex.cover(low, high);
        heapIndex.owner = manager;
        from = 0;
    }
    // Until the sweep finishes, nothing is known to carry over.
    manager->collectedCount = 0;
    for (jint i = from; i < manager->count; ++i) {
        Object* object = manager->objects[i];
        if (clearMarks) {
            object->mark = 0;
        }
        heapIndex.add(object);
    }
}

// Clears every mark (with free-all also making every object collectable, otherwise indexing the
// list). Kept out of gc's own frame: the object pointers it leaves behind in dead stack slots
// must not be mistaken for roots.
[[gnu::noinline]] void prepareCollection(ObjectManager* manager, const bool freeAll) {
    if (!freeAll) {
        indexObjects(manager, true);
        indexReady = true;
        return;
    }
    manager->collectedCount = 0;
    for (jint i = 0; i < manager->count; ++i) {
        manager->objects[i]->mark = 0;
        manager->objects[i]->collectable = 1;
    }
}

// What marking needs of each class: where its reference fields lie. Copied from the class table
// once per collection (and per direct call of mark outside one), so marking reads one small
// table instead of the class records.
struct RefLayout {
    const jint* offsets = nullptr;
    jint count = 0; // kArrayLayout for ObjectArray: its elements are the references
};
constexpr jint kArrayLayout = -1;
RefLayout refLayouts[kClassCount];

void loadRefLayouts(const StaticClass* block) {
    for (jint id = 0; id < kClassCount; ++id) {
        RefLayout layout;
        if (id == kObjectArray) {
            layout.count = kArrayLayout;
        } else if (block != nullptr && block->classes[id].refCount > 0 &&
                   block->classes[id].refOffsets != nullptr) {
            layout.offsets = block->classes[id].refOffsets;
            layout.count = block->classes[id].refCount;
        }
        refLayouts[id] = layout;
    }
}

// The layout of an object marking must look inside (reference arrays and classes with
// reference fields), or null. Ids outside the table, like a freed object's, have none.
const RefLayout* layoutOf(const Object* object) {
    const auto id = static_cast<std::uint16_t>(object->classId);
    return id < kClassCount && refLayouts[id].count != 0 ? &refLayouts[id] : nullptr;
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
    // Two entries per frame: the next index, and the frame's depth in the marking.
    auto* next = static_cast<jint*>(std::realloc(manager->markNext, sizeof(jint) * 2 * capacity));
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

// Depth first, as the handset marked, with one difference in bookkeeping: an object is kept on
// the mark stack only while some of its references may still need a descent of their own.
// Before descending into a child, the rest of the current object's fields are looked over: the
// objects without references among them are marked at once (marking them later would not change
// anything else), and when no field is left that could need a descent, the object is not pushed.
// The depth counts every descent all the same, so the message comes at the same point.
void ObjectManager::mark(Object* object) {
    if (object == nullptr || object->mark != 0) {
        return;
    }
    object->mark = 1;
    if (!collecting) {
        // A mark that no collection clears: the next one must clear them all.
        collectedCount = 0;
        loadRefLayouts(staticBlockOf(this));
    }
    const RefLayout* layout = layoutOf(object);
    if (layout == nullptr) {
        return;
    }
    if (markCapacity < kMarkStackSize) {
        growMarkStack(this, kMarkStackSize);
    }

    // The stack lives in the members; its top and the object being scanned stay in locals.
    Object** stackObjects = markObjects;
    jint* stackNext = markNext;
    jint top = 0;
    Object* current = object;
    jint next = 0;
    jint level = 0; // the depth of current: descents between it and object
    // The class looked up last: along a chain of one class, the next object's fields are read
    // on a predicted branch instead of waiting for its class id to come back from the table.
    jshort lastId = object->classId;
    const RefLayout* lastLayout = layout;
    const auto layoutOfChild = [&](const Object* child) {
        if (__builtin_expect(child->classId == lastId, 1)) {
            return lastLayout;
        }
        lastId = child->classId;
        lastLayout = layoutOf(child);
        return lastLayout;
    };
    for (;;) {
        Object* child = nullptr;
        const RefLayout* childLayout = nullptr;
        bool resume = false;
        if (layout->count == kArrayLayout) {
            // Read through Array: an array whose constructor is still allocating its storage
            // (collected as the newest object) has its length but no elements yet.
            const auto* array = static_cast<const Array*>(current);
            Object* const* elements = static_cast<Object* const*>(array->elements);
            const jint length = elements != nullptr ? array->length : 0;
            while (next < length) {
                Object* element = elements[next++];
                if (element != nullptr && element->mark == 0) {
                    element->mark = 1;
                    childLayout = layoutOfChild(element);
                    if (childLayout != nullptr) {
                        child = element;
                        break;
                    }
                }
            }
            resume = next < length;
        } else {
            const jint* offsets = layout->offsets;
            const jint count = layout->count;
            while (next < count) {
                Object* field = nullptr;
                std::memcpy(&field, reinterpret_cast<const char*>(current) + offsets[next++], sizeof field);
                if (field != nullptr && field->mark == 0) {
                    field->mark = 1;
                    childLayout = layoutOfChild(field);
                    if (childLayout != nullptr) {
                        child = field;
                        break;
                    }
                }
            }
            // Look over the rest before leaving: resume only at a field that may need a descent.
            for (; child != nullptr && next < count; ++next) {
                Object* field = nullptr;
                std::memcpy(&field, reinterpret_cast<const char*>(current) + offsets[next], sizeof field);
                if (field != nullptr && field->mark == 0) {
                    if (layoutOf(field) != nullptr) {
                        resume = true;
                        break;
                    }
                    field->mark = 1;
                }
            }
        }
        if (child != nullptr) {
            ++level;
            if (level == kMarkStackSize - 1 && !deepMarkReported) {
                // The handset's mark stack ended with this entry; ours grows on.
                deepMarkReported = true;
                depth = level;
                log("%s", "");
                dumpStackTrace();
            }
            if (resume) {
                // Remember where to resume in the current object.
                if (top >= markCapacity) {
                    growMarkStack(this, markCapacity * 2);
                    stackObjects = markObjects;
                    stackNext = markNext;
                }
                stackObjects[top] = current;
                stackNext[2 * top] = next;
                stackNext[2 * top + 1] = level - 1;
                ++top;
            }
            current = child;
            layout = childLayout;
            next = 0;
            continue;
        }
        if (top == 0) {
            break;
        }
        --top;
        current = stackObjects[top];
        next = stackNext[2 * top];
        level = stackNext[2 * top + 1];
        layout = layoutOf(current);
    }
    depth = 0;
}

// Reads every 8-byte aligned word between from and to. Stack memory holds redzones and dead
// frames that the address sanitizer would report, so this one function is not instrumented.
[[gnu::no_sanitize_address]] [[gnu::noinline]] void ObjectManager::scanStack(const void* from,
                                                                             const void* to) {
    // Inside a collection the list was indexed as it began; a direct call indexes it here.
    const bool ownIndex = !indexReady;
    if (ownIndex) {
        indexObjects(this, false);
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

void sweep(ObjectManager* manager, const bool freeAll) {
    // The heaps merge what the sweep frees in one pass over each when it ends.
    Application* application = manager->application;
    const VirtualMemoryManager::BulkFree objectFrees(application != nullptr ? application->objectHeap : nullptr);
    const VirtualMemoryManager::BulkFree bufferFrees(application != nullptr ? application->secondaryHeap
                                                                            : nullptr);
    const jint listed = manager->count;
    jint freed = 0;
    for (jint i = manager->count - 1; i >= 0; --i) {
        Object* object = manager->objects[i];
        if (object->mark != 0) {
            // Cleared here rather than when the next collection begins: see HeapIndex.
            object->mark = 0;
            continue;
        }
        if (object->collectable == 0) {
            continue;
        }
        manager->objects[i] = manager->objects[manager->count - 1];
        manager->objects[manager->count - 1] = nullptr;
        --manager->count;
        ++freed;
        if (heapIndex.owner == manager) {
            heapIndex.remove(object);
        }
        releaseAndFree(object, manager->application);
    }
    // Objects a release slot listed were neither indexed nor cleared.
    manager->collectedCount = !freeAll && manager->count == listed - freed ? manager->count : 0;
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
        loadRefLayouts(staticBlockOf(this));
        markRoots(this, flags);
    }
    indexReady = false;
    sweep(this, freeAll);
    if (application != nullptr) {
        application->popName();
    }
    collecting = false;
}

} // namespace runtime
