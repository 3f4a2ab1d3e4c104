// The free fragments of a heap ordered by (size, address): a heap's best fit is the smallest
// entry at or above a size, which is the smallest fitting fragment with the lowest address among
// equal sizes.
//
// Sizes and addresses are in 8-byte units. Each size below kSmallSizes has a min-heap of
// addresses, with a bitmap of the sizes that have entries; those entries are dropped lazily: when
// one comes to the top of its heap, the caller says whether that fragment is still free at that
// size, and stale ones are popped then. Larger sizes (a heap can hold only a few fragments that
// large) share one sorted array from which entries are removed at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/FragmentBitmap.h"

namespace runtime {

class FreeFragmentIndex {
public:
    // Sizes below this many units are kept per size.
    static constexpr std::uint32_t kSmallSizes = 4096;

    struct Entry {
        std::uint32_t size = 0;   // units
        std::uint32_t offset = 0; // units from the heap's base
    };
    static std::uint64_t keyOf(const Entry entry) { return std::uint64_t{entry.size} << 32 | entry.offset; }

    // Empties the index (allocating its per-size heaps on first use).
    void reset();
    // Releases the memory.
    void clear();

    void add(Entry entry);
    // Small sizes: popped when it is the top of its heap, otherwise left to be dropped as stale.
    // Large sizes: removed.
    void remove(Entry entry);
    // The smallest entry of at least minSize units for which isCurrent(entry) holds; entries
    // found stale on the way are dropped. False when there is none.
    template <typename IsCurrent>
    bool smallest(std::uint32_t minSize, const IsCurrent& isCurrent, Entry& found);
    // An upper bound on the size of every entry ordered before entry (0 when there is none).
    std::uint32_t largestSizeBefore(Entry entry) const;

    // Entries of the small sizes, stale ones included.
    std::size_t smallEntryCount() const { return m_smallEntries; }
    // Forgets every small-size entry (before the caller lists the free fragments again).
    void dropSmallEntries();
    // Every entry, stale ones included (for the invariant check).
    std::vector<Entry> entries() const;
    // True when the size bitmap names exactly the sizes that have entries and the large array is
    // ordered without duplicates.
    bool isConsistent() const;

private:
    void popSmall(std::uint32_t size);

    std::vector<std::vector<std::uint32_t>> m_bySize; // min-heaps of addresses, one per small size
    FragmentBitmap m_sizes;                           // small sizes with entries
    std::vector<std::uint64_t> m_large;               // keys, ascending
    std::size_t m_smallEntries = 0;
};

template <typename IsCurrent>
bool FreeFragmentIndex::smallest(const std::uint32_t minSize, const IsCurrent& isCurrent, Entry& found) {
    for (std::uint32_t size = minSize < kSmallSizes ? m_sizes.next(minSize) : FragmentBitmap::kNone;
         size != FragmentBitmap::kNone; size = m_sizes.next(size + 1)) {
        const std::vector<std::uint32_t>& heap = m_bySize[size];
        while (!heap.empty()) {
            const Entry entry{size, heap.front()};
            if (isCurrent(entry)) {
                found = entry;
                return true;
            }
            popSmall(size);
        }
    }
    // Large entries are always current.
    const std::uint64_t* first = m_large.data();
    const std::uint64_t* last = first + m_large.size();
    const std::uint64_t key = keyOf({minSize, 0});
    while (first < last) {
        const std::uint64_t* middle = first + (last - first) / 2;
        if (*middle < key) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }
    if (first == m_large.data() + m_large.size()) {
        return false;
    }
    found = {static_cast<std::uint32_t>(*first >> 32), static_cast<std::uint32_t>(*first)};
    return true;
}

} // namespace runtime
