// The (size, address) index of a heap's free fragments (see FreeFragmentIndex.h).
#include "runtime/FreeFragmentIndex.h"

#include <algorithm>
#include <functional>

namespace runtime {

void FreeFragmentIndex::reset() {
    if (m_bySize.size() != kSmallSizes) {
        m_bySize.assign(kSmallSizes, {});
    } else {
        for (std::vector<std::uint32_t>& heap : m_bySize) {
            heap.clear();
        }
    }
    m_sizes.reset(kSmallSizes);
    m_large.clear();
    m_smallEntries = 0;
}

void FreeFragmentIndex::clear() {
    m_bySize = {};
    m_sizes.clear();
    m_large = {};
    m_smallEntries = 0;
}

void FreeFragmentIndex::add(const Entry entry) {
    if (entry.size >= kSmallSizes) {
        const std::uint64_t key = keyOf(entry);
        m_large.insert(std::lower_bound(m_large.begin(), m_large.end(), key), key);
        return;
    }
    std::vector<std::uint32_t>& heap = m_bySize[entry.size];
    if (heap.empty()) {
        m_sizes.set(entry.size);
    }
    heap.push_back(entry.offset);
    std::push_heap(heap.begin(), heap.end(), std::greater<>());
    ++m_smallEntries;
}

void FreeFragmentIndex::remove(const Entry entry) {
    if (entry.size >= kSmallSizes) {
        const std::uint64_t key = keyOf(entry);
        const auto place = std::lower_bound(m_large.begin(), m_large.end(), key);
        if (place != m_large.end() && *place == key) {
            m_large.erase(place);
        }
        return;
    }
    const std::vector<std::uint32_t>& heap = m_bySize[entry.size];
    if (!heap.empty() && heap.front() == entry.offset) {
        popSmall(entry.size);
    }
}

void FreeFragmentIndex::popSmall(const std::uint32_t size) {
    std::vector<std::uint32_t>& heap = m_bySize[size];
    std::pop_heap(heap.begin(), heap.end(), std::greater<>());
    heap.pop_back();
    --m_smallEntries;
    if (heap.empty()) {
        m_sizes.unset(size);
    }
}

std::uint32_t FreeFragmentIndex::largestSizeBefore(const Entry entry) const {
    if (entry.size >= kSmallSizes) {
        const auto place = std::lower_bound(m_large.begin(), m_large.end(), keyOf(entry));
        if (place != m_large.begin()) {
            return static_cast<std::uint32_t>(*(place - 1) >> 32);
        }
    } else if (const std::vector<std::uint32_t>& heap = m_bySize[entry.size];
               !heap.empty() && heap.front() < entry.offset) {
        return entry.size;
    }
    const std::uint32_t below = std::min(entry.size, kSmallSizes);
    const std::uint32_t size = below == 0 ? FragmentBitmap::kNone : m_sizes.previous(below - 1);
    return size == FragmentBitmap::kNone ? 0 : size;
}

void FreeFragmentIndex::dropSmallEntries() {
    for (std::uint32_t size = m_sizes.next(0); size != FragmentBitmap::kNone; size = m_sizes.next(size + 1)) {
        m_bySize[size].clear();
        m_sizes.unset(size);
    }
    m_smallEntries = 0;
}

std::vector<FreeFragmentIndex::Entry> FreeFragmentIndex::entries() const {
    std::vector<Entry> list;
    for (std::uint32_t size = 0; size < m_bySize.size(); ++size) {
        for (const std::uint32_t offset : m_bySize[size]) {
            list.push_back({size, offset});
        }
    }
    for (const std::uint64_t key : m_large) {
        list.push_back({static_cast<std::uint32_t>(key >> 32), static_cast<std::uint32_t>(key)});
    }
    return list;
}

bool FreeFragmentIndex::isConsistent() const {
    std::size_t small = 0;
    for (std::uint32_t size = 0; size < m_bySize.size(); ++size) {
        const std::vector<std::uint32_t>& heap = m_bySize[size];
        if (m_sizes.test(size) == heap.empty() || !std::is_heap(heap.begin(), heap.end(), std::greater<>())) {
            return false;
        }
        small += heap.size();
    }
    return small == m_smallEntries && m_sizes.summariesHold() &&
           std::adjacent_find(m_large.begin(), m_large.end(), std::greater_equal<>()) == m_large.end();
}

} // namespace runtime
