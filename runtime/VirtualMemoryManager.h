// A fixed-size heap cut into fragments: best-fit allocation from an address-ordered free list,
// merging on free, and (in a relocatable heap) compaction that moves buffers and rewrites the
// one owner slot each buffer has.
//
// Two of these exist per run, created by Application::init: the object heap (objects, never
// moved) and the secondary heap (array storage and character buffers, relocatable).
//
// Fragments tile the region. A free fragment starts with {size > 0, prev, next}; a used one with
// its negated size, followed in a relocatable heap by the owner slot (the address of the one
// field that holds the buffer's data address). Data is 8-aligned. A used fragment without an
// owner is pinned: compaction never moves it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/JavaTypes.h"

namespace runtime {

// 64-bit sizes: the handset had 5 MiB and 8 MiB with 32-bit pointers and 8-byte object headers.
inline constexpr jint kObjectHeapSize = 10 * 1024 * 1024;
inline constexpr jint kSecondaryHeapSize = 16 * 1024 * 1024;

class VirtualMemoryManager {
public:
    // Runs a collection with the given flags when no fragment fits (set by the Application).
    using CollectHook = std::function<void(jint flags)>;

    // Sizes are multiples of this, and data addresses are aligned to it.
    static constexpr jint kAlignment = 8;
    // Used-fragment header: the size word (object heap), plus the owner slot (relocatable heap).
    static constexpr jint kPlainHeaderSize = 8;
    static constexpr jint kRelocatableHeaderSize = 16;
    // A free fragment's header {size, prev, next}; no fragment is smaller.
    static constexpr jint kMinFragmentSize = 24;
    // A fragment with at most header size + this many bytes to spare is handed out whole.
    static constexpr jint kTakeWholeSlack = 32;
    // Each compaction strategy gives up after this many passes.
    static constexpr jint kMaxCompactionPasses = 20;

    // A fragment as the tests and the benchmark see it.
    struct FragmentInfo {
        jint offset; // from the heap's base
        jint size;   // total bytes, header included
        bool used;
        void** ownerSlot; // relocatable heap, used fragments only
    };

    VirtualMemoryManager() = default;
    VirtualMemoryManager(const VirtualMemoryManager&) = delete;
    VirtualMemoryManager& operator=(const VirtualMemoryManager&) = delete;
    ~VirtualMemoryManager() { destroy(); }

    // Obtains the region and makes it one free fragment; false when the region cannot be had.
    bool init(jint size, bool relocatable);
    // Data address of a new used fragment of at least n bytes, 8-aligned, or null.
    void* allocate(jint n);
    // Frees the fragment whose data is at pointer: 0 when pointer is outside this heap. A pointer
    // inside the heap that is not the data of a used fragment is logged and left alone (still 1,
    // so callers never hand it to the system allocator).
    jint free(void* pointer);
    // Records ownerSlot as the one field that holds the data address of the buffer at pointer.
    void setFragmentRelocPointer(void* pointer, void** ownerSlot);
    // Returns the region to the system allocator.
    void destroy();

    void setCollectHook(CollectHook hook);
    bool contains(const void* pointer) const;

    // Inspection for tests, the benchmark and the collector.
    jint size() const { return m_heapSize; }
    jint used() const { return m_heapUsed; }
    jint peak() const { return m_peakUsed; }
    jint fragmentCount() const { return m_fragmentCount; }
    jint freeFragmentCount() const { return m_freeCount; }
    jint headerSize() const { return m_headerSize; }
    bool isRelocatable() const { return m_relocatable; }
    const void* base() const { return m_base; }
    // The first free fragment (lowest address), or null.
    const void* head() const { return m_head; }
    // Times allocate() compacted: as a fallback, or at every allocation in stress mode.
    jint compactionCount() const { return m_compactions; }
    // Every fragment in address order.
    std::vector<FragmentInfo> fragments() const;
    // True when the fragments tile the region, the free list is ordered, consistently linked and
    // holds every free fragment, no two free fragments touch, and counts and used bytes agree;
    // otherwise logs what is broken and returns false.
    bool checkInvariants() const;

private:
    // Fragments are addressed as raw bytes; their header fields are read and written through
    // the accessors in VirtualMemoryManager.cpp.

    // Fragment size for a request of n bytes, or -1 when n is negative or beyond any heap.
    jlong fragmentSizeFor(jint n) const;
    // Smallest free fragment of at least need bytes (the first of equal ones), skipping two.
    char* bestFit(jlong need, const char* skip1, const char* skip2) const;
    // Turns a free fragment into a used one of need bytes (or all of it); returns the bytes taken.
    jint take(char* fragment, jint need);
    // Puts a used fragment back into the free list and merges it with free neighbours.
    void release(char* fragment);
    // Absorbs the next free fragment when it begins right where this free fragment ends.
    bool mergeWithNext(char* fragment);
    // Makes second follow first in the free list; a null first or second means head or tail.
    void connect(char* first, char* second);
    void unlink(char* fragment);
    // Runs the collect hook (flags 9) unless it is already running.
    void collect();
    // In a relocatable heap with enough free bytes: a free fragment of need bytes made by
    // moving buffers, or null.
    char* compact(jint need);
    char* compactByFillingHole(jint need);
    char* compactBySliding(jint need);
    // Moves the used run [source, source + size) into the free fragment destination.
    bool move(char* source, char* destination, jint size);
    bool runIsMovable(const char* start, const char* stop) const;
    bool isMovable(const char* fragment) const;
    void logAllocationFailure(jlong need) const;

    // Fragment starts are marked in a bitmap (one bit per 8 bytes), so a pointer can be checked
    // to be a used fragment's data in constant time.
    bool isFragmentStart(const char* fragment) const;
    void markFragmentStart(const char* fragment, bool start);
    char* usedFragmentOf(const void* pointer) const;
    const char* end() const { return m_base + m_heapSize; }

    char* m_base = nullptr;
    char* m_head = nullptr;
    char* m_tail = nullptr;
    jint m_heapSize = 0;
    jint m_fragmentCount = 0;
    jint m_freeCount = 0;
    jint m_heapUsed = 0;
    jint m_peakUsed = 0;
    bool m_relocatable = false;
    jint m_headerSize = kPlainHeaderSize;
    std::uint64_t* m_starts = nullptr;
    CollectHook m_collectHook;
    bool m_collecting = false;
    jint m_compactions = 0;
};

} // namespace runtime
