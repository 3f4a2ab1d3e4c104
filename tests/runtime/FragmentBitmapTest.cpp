// The summarised bitmap of heap units against a plain ordered set of units: random sets, clears,
// moves and range clears, with every answer of next, previous and count compared. The sizes
// reach every summary level, a heap-sized one included.
#include "runtime/FragmentBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <set>
#include <vector>

#include "runtime/JavaTypes.h"

namespace runtime {
namespace {

std::uint32_t plainNext(const std::set<std::uint32_t>& bits, const std::uint32_t unit) {
    const auto found = bits.lower_bound(unit);
    return found == bits.end() ? FragmentBitmap::kNone : *found;
}

std::uint32_t plainPrevious(const std::set<std::uint32_t>& bits, const std::uint32_t unit) {
    const auto found = bits.upper_bound(unit);
    return found == bits.begin() ? FragmentBitmap::kNone : *std::prev(found);
}

TEST(FragmentBitmapTest, AnswersAsAPlainSetOfUnits) {
    // 64 units a word, 64 words a summary word, 64 summary words a group word; the last is the
    // object heap.
    for (const std::uint32_t units : {1u, 100u, 5000u, 300000u, 1310720u}) {
        FragmentBitmap bitmap;
        bitmap.reset(units);
        std::set<std::uint32_t> plain;
        std::mt19937 random(units);
        // Sparse bitmaps first, then denser ones: the summaries matter most when bits are rare.
        for (jint step = 0; step < 4000; ++step) {
            const auto unit = static_cast<std::uint32_t>(random() % units);
            const auto kind = random() % 10;
            const bool isSet = plain.count(unit) != 0;
            if (kind < 4) {
                bitmap.set(unit);
                plain.insert(unit);
            } else if (kind < 7 && isSet) {
                bitmap.unset(unit);
                plain.erase(unit);
            } else if (kind < 8 && isSet) {
                const auto to = static_cast<std::uint32_t>(random() % units);
                if (plain.count(to) == 0) {
                    bitmap.move(unit, to);
                    plain.erase(unit);
                    plain.insert(to);
                }
            } else if (kind < 9 && step % 50 == 0) {
                const std::uint32_t to =
                    std::min(units, unit + static_cast<std::uint32_t>(random() % 100000));
                bitmap.unsetRange(unit, to);
                plain.erase(plain.lower_bound(unit), plain.lower_bound(to));
            }
            const auto probe = static_cast<std::uint32_t>(random() % (units + 2));
            ASSERT_EQ(bitmap.next(probe), plainNext(plain, probe)) << units << " step " << step;
            ASSERT_EQ(bitmap.previous(probe), plainPrevious(plain, probe)) << units << " step " << step;
            if (probe < units) {
                ASSERT_EQ(bitmap.test(probe), plain.count(probe) != 0) << units << " step " << step;
            }
        }
        const auto from = static_cast<std::uint32_t>(random() % units);
        const auto to = from + static_cast<std::uint32_t>(random() % (units - from + 1));
        EXPECT_EQ(bitmap.count(from, to),
                  static_cast<std::uint32_t>(std::distance(plain.lower_bound(from), plain.lower_bound(to))));
        EXPECT_TRUE(bitmap.summariesHold()) << units;
    }
}

TEST(FragmentBitmapTest, SharedArraysKeepTheirBitmapsApart) {
    constexpr std::uint32_t kUnits = 10000;
    std::vector<std::uint64_t> shared(FragmentBitmap::wordsFor(kUnits) * FragmentBitmap::kStride, 0);
    FragmentBitmap first;
    FragmentBitmap second;
    first.reset(kUnits, shared.data());
    second.reset(kUnits, shared.data() + 1);
    first.set(5);
    second.set(9000);
    EXPECT_EQ(first.next(0), 5u);
    EXPECT_EQ(first.next(6), FragmentBitmap::kNone);
    EXPECT_EQ(second.previous(kUnits), 9000u);
    EXPECT_EQ(second.previous(8999), FragmentBitmap::kNone);
    second.unsetRange(0, kUnits);
    EXPECT_TRUE(first.test(5));
    EXPECT_EQ(second.next(0), FragmentBitmap::kNone);
}

} // namespace
} // namespace runtime
