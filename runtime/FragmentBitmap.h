// A bitmap over a heap's 8-byte units with two summary levels, so that the nearest set bit before
// or after any unit is found in a few word operations however sparse the bits are.
//
// The fixed heaps keep three of these: where fragments start, where free fragments start, and
// which fragments a bulk free has freed but not yet merged. Together they are the boundary
// information that finds a fragment's neighbours without reading their headers. The three share
// one array, their words for the same units side by side (kStride words apart), so that asking
// all three about one unit reads one cache line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace runtime {

class FragmentBitmap {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    static constexpr std::uint32_t kWordBits = 64;
    // Word i of a bitmap is element i * kStride of its array.
    static constexpr std::uint32_t kStride = 4;

    // The words covering units bits.
    static std::uint32_t wordsFor(const std::uint32_t units) { return (units + kWordBits - 1) / kWordBits; }
    // Covers units [0, units) with every bit clear, in an array of its own.
    void reset(std::uint32_t units);
    // The same in a shared array of kStride * wordsFor(units) zeroed words, from shared on.
    void reset(std::uint32_t units, std::uint64_t* shared);
    // Releases the memory.
    void clear();

    bool test(const std::uint32_t unit) const {
        return (bits(unit / kWordBits) >> (unit % kWordBits) & 1) != 0;
    }
    void set(const std::uint32_t unit) {
        std::uint64_t& word = bits(unit / kWordBits);
        const bool wasEmpty = word == 0;
        word |= bitOf(unit);
        if (wasEmpty) {
            markWord(unit / kWordBits);
        }
    }
    void unset(const std::uint32_t unit) {
        std::uint64_t& word = bits(unit / kWordBits);
        word &= ~bitOf(unit);
        if (word == 0) {
            unmarkWord(unit / kWordBits);
        }
    }
    // Clears from's bit and sets to's (from's is set, to's is clear).
    void move(const std::uint32_t from, const std::uint32_t to) {
        if (from / kWordBits == to / kWordBits) {
            bits(from / kWordBits) ^= bitOf(from) | bitOf(to);
            return;
        }
        unset(from);
        set(to);
    }
    // Sets the bits of mask in word index.
    void setBits(const std::uint32_t index, const std::uint64_t mask) {
        std::uint64_t& word = bits(index);
        const bool wasEmpty = word == 0;
        word |= mask;
        if (wasEmpty && mask != 0) {
            markWord(index);
        }
    }
    // Clears every bit of [from, to).
    void unsetRange(std::uint32_t from, std::uint32_t to);

    // The first set bit at or after unit, or kNone.
    std::uint32_t next(const std::uint32_t unit) const {
        if (unit >= m_units) {
            return kNone;
        }
        const std::uint32_t index = unit / kWordBits;
        if (const std::uint64_t word = bits(index) & (~std::uint64_t{0} << (unit % kWordBits)); word != 0) {
            return index * kWordBits + static_cast<std::uint32_t>(__builtin_ctzll(word));
        }
        return nextInLaterWords(index + 1);
    }
    // The last set bit at or before unit, or kNone.
    std::uint32_t previous(std::uint32_t unit) const {
        if (unit >= m_units) {
            if (m_units == 0) {
                return kNone;
            }
            unit = m_units - 1;
        }
        const std::uint32_t index = unit / kWordBits;
        if (const std::uint64_t word =
                bits(index) & (~std::uint64_t{0} >> (kWordBits - 1 - unit % kWordBits));
            word != 0) {
            return index * kWordBits + kWordBits - 1 - static_cast<std::uint32_t>(__builtin_clzll(word));
        }
        return index == 0 ? kNone : previousInEarlierWords(index - 1);
    }
    // Set bits in [from, to).
    std::uint32_t count(std::uint32_t from, std::uint32_t to) const;

    // Raw words, for scans that combine several bitmaps word by word.
    std::uint64_t word(const std::uint32_t index) const { return bits(index); }
    std::uint32_t units() const { return m_units; }
    // True when the summary levels agree with the bits.
    bool summariesHold() const;

private:
    std::uint64_t& bits(const std::uint32_t index) {
        return m_bits[static_cast<std::size_t>(index) * kStride];
    }
    std::uint64_t bits(const std::uint32_t index) const {
        return m_bits[static_cast<std::size_t>(index) * kStride];
    }
    static std::uint64_t bitOf(const std::uint32_t unit) { return std::uint64_t{1} << (unit % kWordBits); }

public:
    // The first (last) non-zero word at or after (before) index, or kNone.
    std::uint32_t nextWord(std::uint32_t index) const;
    std::uint32_t previousWord(std::uint32_t index) const;

private:
    // The first (last) set bit in the words from index on (down), or kNone.
    std::uint32_t nextInLaterWords(std::uint32_t index) const;
    std::uint32_t previousInEarlierWords(std::uint32_t index) const;
    // The summaries: word index became non-zero, or zero.
    void markWord(const std::uint32_t index) {
        std::uint64_t& word = m_words[index / kWordBits];
        if (word == 0) {
            m_groups[index / kWordBits / kWordBits] |= std::uint64_t{1} << (index / kWordBits % kWordBits);
        }
        word |= std::uint64_t{1} << (index % kWordBits);
    }
    void unmarkWord(const std::uint32_t index) {
        std::uint64_t& word = m_words[index / kWordBits];
        word &= ~(std::uint64_t{1} << (index % kWordBits));
        if (word == 0) {
            m_groups[index / kWordBits / kWordBits] &= ~(std::uint64_t{1} << (index / kWordBits % kWordBits));
        }
    }

    std::uint32_t m_units = 0;
    std::uint32_t m_wordCount = 0;
    std::uint64_t* m_bits = nullptr;     // one bit per unit, kStride words apart
    std::vector<std::uint64_t> m_own;    // m_bits when not shared
    std::vector<std::uint64_t> m_words;  // one bit per non-zero word of m_bits
    std::vector<std::uint64_t> m_groups; // one bit per non-zero word of m_words
};

} // namespace runtime
