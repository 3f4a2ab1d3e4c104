// The summarised bitmap of heap units (see FragmentBitmap.h).
#include "runtime/FragmentBitmap.h"

namespace runtime {

namespace {

constexpr std::uint32_t kBits = FragmentBitmap::kWordBits;

// Bits at and above position (0..63) of a word.
std::uint64_t fromBit(const std::uint32_t position) {
    return ~std::uint64_t{0} << position;
}

// Bits at and below position (0..63) of a word.
std::uint64_t throughBit(const std::uint32_t position) {
    return ~std::uint64_t{0} >> (kBits - 1 - position);
}

std::uint32_t lowest(const std::uint64_t word) {
    return static_cast<std::uint32_t>(__builtin_ctzll(word));
}

std::uint32_t highest(const std::uint64_t word) {
    return kBits - 1 - static_cast<std::uint32_t>(__builtin_clzll(word));
}

// The first index at or after from whose bit is set in level, or kNone.
std::uint32_t nextIn(const std::vector<std::uint64_t>& level, const std::uint32_t from) {
    std::uint32_t index = from / kBits;
    if (index >= level.size()) {
        return FragmentBitmap::kNone;
    }
    std::uint64_t word = level[index] & fromBit(from % kBits);
    while (word == 0) {
        if (++index >= level.size()) {
            return FragmentBitmap::kNone;
        }
        word = level[index];
    }
    return index * kBits + lowest(word);
}

// The last index at or before from whose bit is set in level, or kNone.
std::uint32_t previousIn(const std::vector<std::uint64_t>& level, const std::uint32_t from) {
    std::uint32_t index = from / kBits;
    std::uint64_t word = level[index] & throughBit(from % kBits);
    while (word == 0) {
        if (index == 0) {
            return FragmentBitmap::kNone;
        }
        word = level[--index];
    }
    return index * kBits + highest(word);
}

} // namespace

void FragmentBitmap::reset(const std::uint32_t units) {
    m_own.assign(static_cast<std::size_t>(wordsFor(units)) * kStride, 0);
    reset(units, m_own.data());
}

void FragmentBitmap::reset(const std::uint32_t units, std::uint64_t* shared) {
    m_units = units;
    m_wordCount = wordsFor(units);
    m_bits = shared;
    m_words.assign(wordsFor(m_wordCount), 0);
    m_groups.assign(wordsFor(static_cast<std::uint32_t>(m_words.size())), 0);
}

void FragmentBitmap::clear() {
    m_units = 0;
    m_wordCount = 0;
    m_bits = nullptr;
    m_own = {};
    m_words = {};
    m_groups = {};
}

void FragmentBitmap::unsetRange(const std::uint32_t from, const std::uint32_t to) {
    if (from >= to) {
        return;
    }
    const std::uint32_t first = from / kBits;
    const std::uint32_t last = (to - 1) / kBits;
    // Only the non-zero words: a long range is mostly one free fragment's empty inside.
    for (std::uint32_t index = nextWord(first); index != kNone && index <= last;
         index = nextWord(index + 1)) {
        std::uint64_t mask = ~std::uint64_t{0};
        if (index == first) {
            mask &= fromBit(from % kBits);
        }
        if (index == last) {
            mask &= throughBit((to - 1) % kBits);
        }
        std::uint64_t& word = bits(index);
        if ((word & mask) == 0) {
            continue;
        }
        word &= ~mask;
        if (word == 0) {
            unmarkWord(index);
        }
    }
}

std::uint32_t FragmentBitmap::nextWord(const std::uint32_t index) const {
    if (index >= m_wordCount) {
        return kNone;
    }
    const std::uint32_t summary = index / kBits;
    if (const std::uint64_t words = m_words[summary] & fromBit(index % kBits); words != 0) {
        return summary * kBits + lowest(words);
    }
    const std::uint32_t group = nextIn(m_groups, summary + 1);
    return group == kNone ? kNone : group * kBits + lowest(m_words[group]);
}

std::uint32_t FragmentBitmap::previousWord(const std::uint32_t index) const {
    const std::uint32_t summary = index / kBits;
    if (const std::uint64_t words = m_words[summary] & throughBit(index % kBits); words != 0) {
        return summary * kBits + highest(words);
    }
    if (summary == 0) {
        return kNone;
    }
    const std::uint32_t group = previousIn(m_groups, summary - 1);
    return group == kNone ? kNone : group * kBits + highest(m_words[group]);
}

std::uint32_t FragmentBitmap::nextInLaterWords(const std::uint32_t index) const {
    const std::uint32_t found = nextWord(index);
    return found == kNone ? kNone : found * kBits + lowest(bits(found));
}

std::uint32_t FragmentBitmap::previousInEarlierWords(const std::uint32_t index) const {
    const std::uint32_t found = previousWord(index);
    return found == kNone ? kNone : found * kBits + highest(bits(found));
}

std::uint32_t FragmentBitmap::count(const std::uint32_t from, const std::uint32_t to) const {
    std::uint32_t total = 0;
    for (std::uint32_t unit = from; unit < to;) {
        const std::uint32_t index = unit / kBits;
        std::uint64_t word = bits(index) & fromBit(unit % kBits);
        const std::uint32_t wordEnd = (index + 1) * kBits;
        if (to < wordEnd) {
            word &= throughBit((to - 1) % kBits);
        }
        total += static_cast<std::uint32_t>(__builtin_popcountll(word));
        unit = wordEnd;
    }
    return total;
}

bool FragmentBitmap::summariesHold() const {
    for (std::uint32_t index = 0; index < m_wordCount; ++index) {
        const bool marked = (m_words[index / kBits] >> (index % kBits) & 1) != 0;
        if (marked != (bits(index) != 0)) {
            return false;
        }
    }
    for (std::uint32_t index = 0; index < m_words.size(); ++index) {
        const bool marked = (m_groups[index / kBits] >> (index % kBits) & 1) != 0;
        if (marked != (m_words[index] != 0)) {
            return false;
        }
    }
    return true;
}

} // namespace runtime
