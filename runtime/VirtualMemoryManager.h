// A fixed-size heap cut into fragments: best-fit allocation (the smallest fitting fragment, the
// lowest address among equal sizes), merging on free, and (in a relocatable heap) compaction that
// moves buffers and rewrites the one owner slot each buffer has.
//
// Two of these exist per run, created by Application::init: the object heap (objects, never
// moved) and the secondary heap (array storage and character buffers, relocatable).
//
// Fragments tile the region. A free fragment starts with its size (> 0); a used one with its
// negated size, followed in a relocatable heap by the owner slot (the address of the one field
// that holds the buffer's data address). Data is 8-aligned. A used fragment without an owner is
// pinned: compaction never moves it.
//
// The answers are those of a free list kept in address order and walked for every request; the
// structures that find them are faster: bitmaps of fragment starts and free-fragment starts find
// a fragment's neighbours, an index by (size, address) finds the best fit, the fragment the last
// request was cut from is tried first, and a bulk free (the collector's sweep) merges all its
// frees in one address-ordered pass.
//
// Stress mode (gcStress) makes stale element pointers fail at once instead of by luck: every
// allocation collects first, a relocatable heap then slides every movable buffer to one end of
// the stretch between pinned fragments (the other end the next time, so each buffer moves), and
// every byte a free or a move leaves behind in either heap is overwritten with kPoison. Normal
// mode places buffers exactly as described above.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "runtime/Collector.h"
#include "runtime/FragmentBitmap.h"
#include "runtime/FreeFragmentIndex.h"
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
    // No fragment is smaller (the free-fragment header of the handset held two links as well).
    static constexpr jint kMinFragmentSize = 24;
    // A fragment with at most header size + this many bytes to spare is handed out whole.
    static constexpr jint kTakeWholeSlack = 32;
    // Cuts from the split fragment enter the bitmaps each time they span this many bytes.
    static constexpr jint kCutBatchBytes = 4096;
    // Each compaction strategy gives up after this many passes.
    static constexpr jint kMaxCompactionPasses = 20;
    // What stress mode writes over freed and vacated bytes: no test data is made of it.
    static constexpr unsigned char kPoison = 0xDB;

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
    void* allocate(const jint n) {
        // Most requests are cut from the fragment the last one was cut from: nothing in the
        // index fits them better, and enough of it is left to stay split. Only the new header is
        // written; the bitmaps learn of the cut when something asks them.
        if (m_split == nullptr || n < 0 || n >= m_splitSize || m_pendingCount != 0) {
            return allocateSlowly(n);
        }
        const jint need =
            std::max((n + kAlignment - 1) / kAlignment * kAlignment + m_headerSize, kMinFragmentSize);
        if (need <= m_splitBound || need >= m_splitSize - (m_headerSize + kTakeWholeSlack) || gcStress()) {
            return allocateSlowly(n);
        }
        char* fragment = m_split;
        m_split += need;
        m_splitSize -= need;
        ++m_fragmentCount;
        const jint usedSize = -need;
        std::memcpy(fragment, &usedSize, sizeof usedSize);
        if (m_relocatable) {
            void* const noOwner = nullptr;
            std::memcpy(fragment + kPlainHeaderSize, &noOwner, sizeof noOwner);
        }
        m_heapUsed += need;
        m_peakUsed = std::max(m_peakUsed, m_heapUsed);
        m_lastCut = fragment;
        if (m_split - m_cutFrom >= kCutBatchBytes) {
            // Into the bitmaps while the headers are still in the cache.
            materializeCuts();
        }
        return fragment + m_headerSize;
    }
    // Frees the fragment whose data is at pointer: 0 when pointer is outside this heap. A pointer
    // inside the heap that is not the data of a used fragment is logged and left alone (still 1,
    // so callers never hand it to the system allocator).
    jint free(void* pointer) {
        if (!contains(pointer)) {
            return 0;
        }
        // A sweep's frees of used fragments only mark them for the merge at its end: inline.
        // Everything else (a fragment not known as used, stress mode's poison) goes the long way.
        const auto offset = static_cast<std::size_t>(static_cast<char*>(pointer) - m_base);
        if (m_bulkDepth > 0 && m_cutFrom == m_split && offset % kAlignment == 0 &&
            offset >= static_cast<std::size_t>(m_headerSize) && !gcStress()) {
            const auto unit = static_cast<std::uint32_t>((offset - m_headerSize) / kAlignment);
            if (m_starts.test(unit) && !m_freeStarts.test(unit) && !m_pending.test(unit)) {
                m_lastCut = nullptr;
                m_pending.set(unit);
                ++m_pendingCount;
                return 1;
            }
        }
        return freeInside(pointer);
    }
    // Records ownerSlot as the one field that holds the data address of the buffer at pointer.
    void setFragmentRelocPointer(void* pointer, void** ownerSlot) {
        // Owners are recorded right after allocation: the buffer just handed out needs no check.
        if (m_lastCut != nullptr && static_cast<char*>(pointer) == m_lastCut + m_headerSize &&
            m_relocatable) {
            std::memcpy(m_lastCut + kPlainHeaderSize, &ownerSlot, sizeof ownerSlot);
            return;
        }
        setOwnerChecked(pointer, ownerSlot);
    }
    // Returns the region to the system allocator.
    void destroy();

    // Frees made between beginBulkFree and the matching endBulkFree (they nest) are merged into
    // the free fragments in one address-ordered pass at the end. The heap is then the one the
    // frees would have left one at a time, and an allocation in between first applies the frees
    // made so far. Used bytes and the fragment counts are brought up to date with them.
    void beginBulkFree();
    void endBulkFree();

    // beginBulkFree for the length of a scope (nothing for a null heap).
    class BulkFree {
    public:
        explicit BulkFree(VirtualMemoryManager* heap) : m_heap(heap) {
            if (m_heap != nullptr) {
                m_heap->beginBulkFree();
            }
        }
        ~BulkFree() {
            if (m_heap != nullptr) {
                m_heap->endBulkFree();
            }
        }
        BulkFree(const BulkFree&) = delete;
        BulkFree& operator=(const BulkFree&) = delete;

    private:
        VirtualMemoryManager* m_heap;
    };

    void setCollectHook(CollectHook hook);
    bool contains(const void* pointer) const {
        const auto* p = static_cast<const char*>(pointer);
        return p >= m_base && p < m_base + m_heapSize && m_base != nullptr;
    }

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
    const void* head() const;
    // Times allocate() compacted: as a fallback, or (slides) at every allocation in stress mode.
    jint compactionCount() const { return m_compactions; }
    // Every fragment in address order.
    std::vector<FragmentInfo> fragments() const;
    // True when the fragments tile the region, no two free fragments touch, the bitmaps mark
    // exactly the fragment and free-fragment starts, the index finds every free fragment, no
    // bulk free is pending, and counts and used bytes agree; otherwise logs what is broken and
    // returns false.
    bool checkInvariants() const;

private:
    // Fragments are addressed as raw bytes; their header fields are read and written through
    // the accessors in VirtualMemoryManager.cpp. The bitmaps and the index count in 8-byte units.

    // allocate, free and setFragmentRelocPointer beyond their common cases.
    void* allocateSlowly(jint n);
    jint freeInside(void* pointer);
    void setOwnerChecked(void* pointer, void** ownerSlot);
    // Fragment size for a request of n bytes, or -1 when n is negative or beyond any heap.
    jlong fragmentSizeFor(jint n) const;
    // Smallest free fragment of at least need bytes (the lowest address of equal ones), skipping
    // two.
    char* bestFit(jlong need, const char* skip1, const char* skip2);
    // Turns a free fragment into a used one of need bytes (or all of it); returns the bytes taken.
    jint take(char* fragment, jint need);
    // Makes the first need bytes of a free fragment a used fragment; returns the remainder,
    // whose header is left to the caller.
    char* splitOff(char* fragment, jint need);
    // Makes fragment a used one of size bytes without an owner.
    void markUsed(char* fragment, jint size);
    // Puts a used fragment back among the free ones, merged with its free neighbours.
    void release(char* fragment);
    // A bulk free: the fragment is marked, and merged later.
    void deferRelease(char* fragment);
    // Merges every fragment freed by the bulk free so far, in address order.
    void applyPendingFrees();
    // The first fragment start at or after unit that is neither free nor pending, or the end.
    std::uint32_t nextUsedStart(std::uint32_t unit) const;

    // The index: a free fragment enters it, or leaves it (or stops being the split fragment).
    void addFree(const char* fragment, jint size);
    // True when fragment was the split fragment.
    bool forgetFree(const char* fragment, jint size);
    // A merged free fragment: into the index, or (when it took in the split fragment) the new
    // split fragment.
    void settleFree(char* fragment, jint size, bool wasSplit);
    // Makes a new remainder the split fragment; the one before goes into the index.
    void keepSplit(char* fragment, jint size);
    void setSplit(char* fragment, jint size);
    void clearSplit();
    // Marks the fragments cut from the split fragment since the bitmaps last knew it.
    void materializeCuts() const;
    // The bound the split fragment is tried against: no indexed fragment ordered before it is
    // larger.
    jint splitBound() const;
    // Lists the free fragments again when stale index entries outnumber them.
    void pruneIndex();
    bool isIndexed(const FreeFragmentIndex::Entry& entry) const;
    // (size, address) order: best fit takes the smallest, the lowest address among equal sizes.
    bool fitsBetter(const char* fragment, const char* than) const;

    // Runs the collect hook (flags 9) unless it is already running.
    void collect();
    // In a relocatable heap with enough free bytes: a free fragment of need bytes made by
    // moving buffers, or null.
    char* compact(jint need);
    char* compactByFillingHole(jint need);
    char* compactBySliding(jint need);
    // Moves the used run [source, source + size) into the free fragment destination.
    bool move(char* source, char* destination, jint size);
    // Stress mode: slides every movable buffer to the low end of its stretch between pinned
    // fragments, or to the high end, in turn; each stretch's free bytes become one fragment.
    void slideEverything();
    // The stretch [start, stop) holds free fragments and the movable used ones listed in
    // m_slideRuns (m_slideBytes in all).
    void slideStretch(char* start, char* stop, bool upwards);
    // Stress mode: overwrites [from, to) with kPoison.
    static void poison(char* from, const char* to);
    bool runIsMovable(const char* start, const char* stop) const;
    bool isMovable(const char* fragment) const;
    void logAllocationFailure(jlong need) const;

    // A fragment's size word (negative when used); the split fragment's is held by the heap.
    jint sizeAt(const char* fragment) const;
    jint extentAt(const char* fragment) const;
    // The bytes from the fragment starting at unit to the next start (or the end).
    jint extentFromStarts(std::uint32_t unit) const;
    // The free fragment at or after fragment (null: from the start), or null.
    char* freeFragmentFrom(const char* fragment) const;
    char* usedFragmentOf(const void* pointer) const;
    std::uint32_t unitOf(const char* fragment) const {
        return static_cast<std::uint32_t>(static_cast<std::size_t>(fragment - m_base) / kAlignment);
    }
    char* fragmentAt(const std::uint32_t unit) const {
        return m_base + static_cast<std::size_t>(unit) * kAlignment;
    }
    const char* end() const { return m_base + m_heapSize; }

    char* m_base = nullptr;
    jint m_heapSize = 0;
    jint m_fragmentCount = 0;
    jint m_freeCount = 0;
    jint m_heapUsed = 0;
    jint m_peakUsed = 0;
    bool m_relocatable = false;
    jint m_headerSize = kPlainHeaderSize;
    // Brought up to date by materializeCuts, from the inspection functions too.
    mutable FragmentBitmap m_starts;          // every fragment
    mutable FragmentBitmap m_freeStarts;      // free fragments (pending ones not yet)
    FragmentBitmap m_pending;                 // freed by the bulk free, not yet merged
    std::vector<std::uint64_t> m_bitmapWords; // the three bitmaps' words
    jint m_pendingCount = 0;
    jint m_bulkDepth = 0;
    FreeFragmentIndex m_index; // every free fragment but the split one
    // The free fragment the last request was cut from; a request above m_splitBound that it
    // holds is its best fit without asking the index.
    char* m_split = nullptr;
    jint m_splitSize = 0;
    jint m_splitBound = 0;
    // Where the split fragment was when the bitmaps last knew it: the used fragments cut from it
    // since (up to m_split) are not in the bitmaps yet.
    mutable char* m_cutFrom = nullptr;
    // The fragment the last allocation handed out, while nothing has been freed since: its
    // owner can be recorded without checking the pointer.
    char* m_lastCut = nullptr;
    CollectHook m_collectHook;
    bool m_collecting = false;
    jint m_compactions = 0;
    // Stress mode: the next slide's direction, and the movable buffers of the stretch it is at
    // (the first m_slideCount entries) with their bytes.
    bool m_slideUpwards = false;
    std::vector<char*> m_slideRuns;
    std::size_t m_slideCount = 0;
    jint m_slideBytes = 0;
};

} // namespace runtime
