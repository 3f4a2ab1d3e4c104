// The garbage collector: non-moving mark and sweep over the ObjectManager's object list.
//
// Roots are the static root table, the constant pool, the Application's five object fields,
// the pending exception, a conservative scan of the native stack and (with flag 8) the newest
// object. Marking is iterative over a mark stack that grows as deep as the graph needs.
//
// Two rules keep a live object from being taken for garbage:
// - A mark counts only when this collection set it. Each collection has a number (2 to 255 in
//   turn) and marks with it; any other value reads as unmarked: 0 of fresh memory,
//   kNewObjectMark of a new object, the number of an earlier collection, or the number a mark
//   made outside a collection carries (the last collection's). So no mark is ever trusted from
//   before, and none has to be cleared first, except when the numbers start over: that
//   collection clears every mark.
// - An object whose construction has not begun (allocObject listed it, and its caller has yet
//   to run the constructor, for example while a base-class argument allocates) is never read
//   as an object: its virtual table word is still the zero allocObject wrote. It holds nothing
//   yet, and it is never freed by a normal collection, since a caller is about to construct it.
//
// The state that outlives a collection (its number, the buffers of the stack scan's index and
// of the mark stack, the cache of interface views per class) belongs to the manager's
// Collector alone. The index itself is rebuilt from the object list by every collection.
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
#include "runtime/NoAllocationScope.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StringBuffer.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

namespace {

constexpr std::uintptr_t kWordSize = sizeof(void*);
constexpr std::uint16_t kFreedClassId = static_cast<std::uint16_t>(kNoClass);

// The numbers collections mark with, in turn.
constexpr std::uint8_t kFirstCollectionMark = 2;
constexpr std::uint8_t kLastCollectionMark = 255;
static_assert(kNewObjectMark < kFirstCollectionMark, "a new object would read as marked");

const void* recordedStackBase = nullptr;

// The interfaces a class can embed a view of: a word holding a view's address keeps the object.
constexpr jint kInterfaceIds[] = {
    kRunnable,          kEnumeration,     kConnection,       kContentConnection,
    kHttpConnection,    kInputConnection, kOutputConnection, kStreamConnection,
    kCommandListener,   kControl,         kControllable,     kPlayer,
    kPlayerListener,    kMIDIControl,     kVolumeControl,    kRecordComparator,
    kRecordEnumeration, kRecordFilter,    kRecordListener,
};

// No view lies farther into its object than this.
constexpr std::uintptr_t kMaxViewOffset = 0xFFFF;

const void* vtableOf(const Object* object) {
    const void* vtable = nullptr;
    std::memcpy(&vtable, object, sizeof vtable);
    return vtable;
}

// Whether the object's construction has begun: Object's constructor sets the virtual table
// first, and until then the word holds the zero of allocObject. Read as raw memory, since the
// memory is not yet an object.
bool isConstructed(const Object* object) {
    return vtableOf(object) != nullptr;
}

// The view offsets of each dynamic type, cached by its virtual table address: a class's layout
// is fixed, so the interfaces are asked once per type, not once per object and collection.
class ViewCache {
public:
    struct Entry {
        const void* vtable = nullptr;
        std::uint8_t count = 0;
        std::uint16_t offsets[4] = {};
    };

    // The offsets of the views of object, whose virtual table is vtable.
    const Entry& offsetsOf(Object* object, const void* vtable) {
        Entry& entry = m_entries[(reinterpret_cast<std::uintptr_t>(vtable) / kWordSize) % kSize];
        if (entry.vtable == vtable) {
            return entry;
        }
        entry = Entry{};
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

private:
    static constexpr std::size_t kSize = 512;
    Entry m_entries[kSize];
};

// The stack scan's index of exact addresses: a bitmap over the object heap (or, without one,
// over the span of the listed objects) with one bit per word, set where a listed object starts.
// Interface views are found from the nearest object start below them.
struct HeapIndex {
    std::uintptr_t low = 0;
    std::uintptr_t span = 0; // bytes covered
    std::vector<std::uint64_t> starts;

    // Covers [from, to] (both word addresses) and sets the bit of each of the count objects.
    void build(const std::uintptr_t from, const std::uintptr_t to, Object* const* objects, const jint count) {
        const std::uintptr_t bytes = to < from ? 0 : to - from + kWordSize;
        if (from != low || bytes != span) {
            low = from;
            span = bytes;
            starts.assign((span / kWordSize + 63) / 64, 0);
        } else {
            std::fill(starts.begin(), starts.end(), 0);
        }
        // Objects are mostly listed in address order, so the bits of one bitmap word are
        // gathered in a register and stored once.
        std::uint64_t* const words = starts.data();
        std::size_t wordIndex = 0;
        std::uint64_t gathered = 0;
        for (jint i = 0; i < count; ++i) {
            const std::ptrdiff_t bit = bitOf(reinterpret_cast<std::uintptr_t>(objects[i]));
            if (bit < 0) {
                continue;
            }
            const auto index = static_cast<std::size_t>(bit) / 64;
            if (index != wordIndex) {
                words[wordIndex] |= gathered;
                wordIndex = index;
                gathered = 0;
            }
            gathered |= std::uint64_t{1} << (bit % 64);
        }
        if (gathered != 0) {
            words[wordIndex] |= gathered;
        }
    }

    // The bit index of address, or -1 when it lies outside or off the word grid.
    std::ptrdiff_t bitOf(const std::uintptr_t address) const {
        const std::uintptr_t offset = address - low;
        return offset < span && offset % kWordSize == 0 ? static_cast<std::ptrdiff_t>(offset / kWordSize)
                                                        : -1;
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
    Object* find(const std::uintptr_t word, ViewCache& views) const {
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
        const ViewCache::Entry& entry = views.offsetsOf(object, vtable);
        const std::uintptr_t offset = word - reinterpret_cast<std::uintptr_t>(object);
        for (std::uint8_t v = 0; v < entry.count; ++v) {
            if (entry.offsets[v] == offset) {
                return object;
            }
        }
        return nullptr;
    }
};

// What marking needs of each class: where its reference fields lie. Copied from the class table
// once per collection (and per direct call of mark outside one), so marking reads one small
// table instead of the class records.
struct RefLayout {
    const jint* offsets = nullptr;
    jint count = 0; // kArrayLayout for ObjectArray: its elements are the references
};
constexpr jint kArrayLayout = -1;

StaticClass* staticBlockOf(const ObjectManager& manager) {
    return manager.application != nullptr ? manager.application->staticClass : nullptr;
}

void releaseAndFree(Object* object, Application* application) {
    // An object whose constructor never started has no slots to call and no header to mark.
    if (isConstructed(object)) {
        object->release();
        object->classId = static_cast<jshort>(kFreedClassId);
    }
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

} // namespace

class Collector {
public:
    explicit Collector(ObjectManager& manager) : m_manager(manager) {}
    ~Collector() {
        std::free(m_stackObjects);
        std::free(m_stackNext);
    }
    Collector(const Collector&) = delete;
    Collector& operator=(const Collector&) = delete;

    // One full collection with the given flags.
    void collect(jint flags);
    // Marks object and everything reachable from it with this collection's number (outside a
    // collection: the last one's, which the next collection does not take for its own).
    void mark(Object* object);
    // The conservative scan of the words between from and to.
    void scanStack(const void* from, const void* to);

private:
    void prepare();
    void indexObjects();
    void loadRefLayouts();
    // The layout of an object marking must look inside (reference arrays and classes with
    // reference fields), or null. Ids outside the table, like a freed object's, have none.
    const RefLayout* layoutOf(const Object* object) const {
        const auto id = static_cast<std::uint16_t>(object->classId);
        return id < kClassCount && m_layouts[id].count != 0 ? &m_layouts[id] : nullptr;
    }
    void markRoots(jint flags);
    void sweep(bool freeAll);
    void growMarkStack(jint capacity);

    ObjectManager& m_manager;
    bool m_collecting = false;
    // The deep-marking message is logged once per collection.
    bool m_deepMarkReported = false;
    // Set while a collection's index is in place for its stack scan.
    bool m_indexReady = false;
    // The number of the running collection, or of the last one between collections.
    std::uint8_t m_collectionMark = kFirstCollectionMark;
    HeapIndex m_index;
    ViewCache m_views;
    RefLayout m_layouts[kClassCount];
    // The mark stack: object, next index and depth per entry. It starts with 500 entries and
    // grows when marking goes deeper.
    Object** m_stackObjects = nullptr;
    jint* m_stackNext = nullptr;
    jint m_stackCapacity = 0;
};

namespace {

// The range the index must cover: the object heap, or (without one) the listed objects' span.
std::pair<std::uintptr_t, std::uintptr_t> indexRange(const ObjectManager& manager) {
    const Application* application = manager.application;
    if (application != nullptr && application->objectHeap != nullptr &&
        application->objectHeap->base() != nullptr) {
        const auto base = reinterpret_cast<std::uintptr_t>(application->objectHeap->base());
        return {base, base + static_cast<std::uintptr_t>(application->objectHeap->size()) - kWordSize};
    }
    std::uintptr_t low = UINTPTR_MAX;
    std::uintptr_t high = 0;
    for (jint i = 0; i < manager.count; ++i) {
        const auto address = reinterpret_cast<std::uintptr_t>(manager.objects[i]);
        low = std::min(low, address);
        high = std::max(high, address);
    }
    return {low & ~(kWordSize - 1), high & ~(kWordSize - 1)};
}

// Spills the callee-saved registers into this frame, then scans from here up to the stack
// base: a reference that lives only in a register of some caller is found in the spill area.
[[gnu::noinline]] void scanNativeStack(ObjectManager& manager) {
    __builtin_unwind_init();
    volatile std::uintptr_t marker = 0;
    manager.scanStack(const_cast<const std::uintptr_t*>(&marker), stackBase());
    // Reading the marker after the call keeps the call from becoming a tail call, which would
    // hand this frame and its spilled registers back before the scan.
    marker = marker + 1;
}

} // namespace

// Indexes every listed object for the stack scan (their addresses only: no object is read).
void Collector::indexObjects() {
    const auto [low, high] = indexRange(m_manager);
    m_index.build(low, high, m_manager.objects, m_manager.count);
}

// Takes the next collection number (clearing every mark when the numbers start over) and
// indexes the list. Kept out of gc's own frame: the object pointers it leaves behind in dead
// stack slots must not be mistaken for roots.
[[gnu::noinline]] void Collector::prepare() {
    if (m_collectionMark == kLastCollectionMark) {
        for (jint i = 0; i < m_manager.count; ++i) {
            Object* object = m_manager.objects[i];
            if (isConstructed(object)) {
                object->mark = 0;
            }
        }
        m_collectionMark = kFirstCollectionMark;
    } else {
        ++m_collectionMark;
    }
    indexObjects();
    m_indexReady = true;
}

void Collector::loadRefLayouts() {
    const StaticClass* block = staticBlockOf(m_manager);
    for (jint id = 0; id < kClassCount; ++id) {
        RefLayout layout;
        if (id == kObjectArray) {
            layout.count = kArrayLayout;
        } else if (block != nullptr && block->classes[id].refCount > 0 &&
                   block->classes[id].refOffsets != nullptr) {
            layout.offsets = block->classes[id].refOffsets;
            layout.count = block->classes[id].refCount;
        }
        m_layouts[id] = layout;
    }
}

void Collector::growMarkStack(const jint capacity) {
    auto* objects = static_cast<Object**>(std::realloc(m_stackObjects, sizeof(Object*) * capacity));
    if (objects != nullptr) {
        m_stackObjects = objects;
    }
    // Two entries per frame: the next index, and the frame's depth in the marking.
    auto* next = static_cast<jint*>(std::realloc(m_stackNext, sizeof(jint) * 2 * capacity));
    if (next != nullptr) {
        m_stackNext = next;
    }
    if (objects == nullptr || next == nullptr) {
        fatalOutOfMemory("mark stack malloc failed");
    }
    m_stackCapacity = capacity;
}

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

bool detail::readGcStress() {
    const char* value = std::getenv("TARNWICK_GC_STRESS");
    detail::gcStressMode = value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0 ? 1 : 0;
    return detail::gcStressMode == 1;
}

void setGcStress(const bool on) {
    detail::gcStressMode = on ? 1 : 0;
}

// Depth first, as the handset marked, with one difference in bookkeeping: an object is kept on
// the mark stack only while some of its references may still need a descent of their own.
// Before descending into a child, the rest of the current object's fields are looked over: the
// objects without references among them are marked at once (marking them later would not change
// anything else), and when no field is left that could need a descent, the object is not pushed.
// The depth counts every descent all the same, so the message comes at the same point.
//
// Only the roots can name an object whose construction has not begun (the stack scan and the
// newest object): no field or element holds one before its constructor ran.
void Collector::mark(Object* object) {
    const std::uint8_t collectionMark = m_collectionMark;
    if (object == nullptr || !isConstructed(object) || object->mark == collectionMark) {
        return;
    }
    object->mark = collectionMark;
    if (!m_collecting) {
        loadRefLayouts();
    }
    const RefLayout* layout = layoutOf(object);
    if (layout == nullptr) {
        return;
    }
    if (m_stackCapacity < kMarkStackSize) {
        growMarkStack(kMarkStackSize);
    }

    // The stack lives in the members; its top and the object being scanned stay in locals.
    Object** stackObjects = m_stackObjects;
    jint* stackNext = m_stackNext;
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
                if (element != nullptr && element->mark != collectionMark) {
                    element->mark = collectionMark;
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
                if (field != nullptr && field->mark != collectionMark) {
                    field->mark = collectionMark;
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
                if (field != nullptr && field->mark != collectionMark) {
                    if (layoutOf(field) != nullptr) {
                        resume = true;
                        break;
                    }
                    field->mark = collectionMark;
                }
            }
        }
        if (child != nullptr) {
            ++level;
            if (level == kMarkStackSize - 1 && !m_deepMarkReported) {
                // The handset's mark stack ended with this entry; ours grows on.
                m_deepMarkReported = true;
                log("%s", "");
                dumpStackTrace();
            }
            if (resume) {
                // Remember where to resume in the current object.
                if (top >= m_stackCapacity) {
                    growMarkStack(m_stackCapacity * 2);
                    stackObjects = m_stackObjects;
                    stackNext = m_stackNext;
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
}

// Reads every 8-byte aligned word between from and to. Stack memory holds redzones and dead
// frames that the address sanitizer would report, so this one function is not instrumented.
[[gnu::no_sanitize_address]] [[gnu::noinline]] void Collector::scanStack(const void* from, const void* to) {
    // Inside a collection the list was indexed as it began; a direct call indexes it here.
    if (!m_indexReady) {
        indexObjects();
    }
    auto low = reinterpret_cast<std::uintptr_t>(from);
    auto high = reinterpret_cast<std::uintptr_t>(to);
    if (low > high) {
        std::swap(low, high);
    }
    low = (low + kWordSize - 1) & ~(kWordSize - 1);
    for (std::uintptr_t address = low; address <= high && address >= low; address += kWordSize) {
        const std::uintptr_t word = *reinterpret_cast<const std::uintptr_t*>(address);
        if (Object* object = m_index.find(word, m_views)) {
            mark(object);
        }
    }
}

void Collector::markRoots(const jint flags) {
    Application* application = m_manager.application;
    if (StaticClass* block = staticBlockOf(m_manager)) {
        const jint rootCount = std::clamp(block->rootCount, 0, kStaticRootCapacity);
        for (jint i = 0; i < rootCount; ++i) {
            if (Object** field = block->rootTable[i]) {
                mark(*field);
            }
        }
    }
    if (application != nullptr) {
        mark(application->m_midlet);
        mark(application->currentDisplayable);
        mark(application->screenImage);
        mark(application->m_screenGraphics);
        mark(application->decodingBuffer);
        // An exception no handler caught yet is still read by whoever checks it next.
        mark(application->pendingException);
    }
    clearDeadStack();
    scanNativeStack(m_manager);
    if ((flags & kGcKeepNewest) != 0 && m_manager.count > 0) {
        mark(m_manager.objects[m_manager.count - 1]);
    }
}

void Collector::sweep(const bool freeAll) {
    const std::uint8_t collectionMark = m_collectionMark;
    ObjectManager& manager = m_manager;
    // The heaps merge what the sweep frees in one pass over each when it ends.
    Application* application = manager.application;
    const VirtualMemoryManager::BulkFree objectFrees(application != nullptr ? application->objectHeap : nullptr);
    const VirtualMemoryManager::BulkFree bufferFrees(application != nullptr ? application->secondaryHeap
                                                                            : nullptr);
    for (jint i = manager.count - 1; i >= 0; --i) {
        Object* object = manager.objects[i];
        // Kept: what a caller is about to construct, what this collection marked, and
        // permanent objects.
        if (!freeAll &&
            (!isConstructed(object) || object->mark == collectionMark || object->collectable == 0)) {
            continue;
        }
        manager.objects[i] = manager.objects[manager.count - 1];
        manager.objects[manager.count - 1] = nullptr;
        --manager.count;
        releaseAndFree(object, manager.application);
    }
}

void Collector::collect(const jint flags) {
    // A release slot that allocates must not start a collection inside this one.
    if (m_collecting) {
        return;
    }
    m_collecting = true;
    m_deepMarkReported = false;
    Application* application = m_manager.application;
    if (application != nullptr) {
        application->pushName("ObjectManager::gc()");
    }
    // Freeing everything needs no marks: every listed object goes, permanent ones too.
    const bool freeAll = (flags & kGcFreeAll) != 0;
    if (!freeAll) {
        prepare();
        // The index was built just below this frame, where the root marking runs next.
        clearDeadStack();
        loadRefLayouts();
        markRoots(flags);
    }
    m_indexReady = false;
    sweep(freeAll);
    if (application != nullptr) {
        application->popName();
    }
    m_collecting = false;
}

ObjectManager::ObjectManager() = default;

ObjectManager::~ObjectManager() {
    delete m_collector;
}

Collector& ObjectManager::collector() {
    if (m_collector == nullptr) {
        m_collector = new Collector(*this);
    }
    return *m_collector;
}

void ObjectManager::gc(const jint flags) {
    NoAllocationScope::check("a collection");
    collector().collect(flags);
}

void ObjectManager::mark(Object* object) {
    collector().mark(object);
}

void ObjectManager::scanStack(const void* from, const void* to) {
    collector().scanStack(from, to);
}

} // namespace runtime
