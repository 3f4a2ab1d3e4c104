// The summarised bitmap of heap units against a plain vector of bools: random sets, clears,
// moves and range clears, with every answer of next, previous and count compared. The sizes
// reach every summary level, a heap-sized one included.
#include "runtime/FragmentBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "runtime/JavaTypes.h"

namespace runtime {
namespace {

std::uint32_t plainNext(const std::vector<bool>& bits, std::uint32_t unit) {
    for (; unit < bits.size(); ++unit) {
        if (bits[unit]) {
            return unit;
        }
    }
    return FragmentBitmap::kNone;
}

std::uint32_t plainPrevious(const std::vector<bool>& bits, const std::uint32_t unit) {
    for (std::int64_t u = std::min<std::int64_t>(unit, static_cast<std::int64_t>(bits.size()) - 1); u >= 0;
         --u) {
        if (bits[static_cast<std::size_t>(u)]) {
            return static_cast<std::uint32_t>(u);
        }
    }
    return FragmentBitmap::kNone;
}

TEST(FragmentBitmapTest, AnswersAsAPlainBitVector) {
    // 64 units a word, 64 words a summary word, 64 summary words a group word; the last is the
    // object heap.
    for (const std::uint32_t units : {1u, 100u, 5000u, 300000u, 1310720u}) {
        FragmentBitmap bitmap;
        bitmap.reset(units);
        std::vector<bool> plain(units, false);
        std::mt19937 random(units);
        // Sparse bitmaps first, then denser ones: the summaries matter most when bits are rare.
        for (jint step = 0; step < 4000; ++step) {
            const auto unit = static_cast<std::uint32_t>(random() % units);
            const auto kind = random() % 10;
            if (kind < 4) {
                bitmap.set(unit);
                plain[unit] = true;
            } else if (kind < 7 && plain[unit]) {
                bitmap.unset(unit);
                plain[unit] = false;
            } else if (kind < 8 && plain[unit]) {
                const auto to = static_cast<std::uint32_t>(random() % units);
                if (!plain[to]) {
                    bitmap.move(unit, to);
                    plain[unit] = false;
                    plain[to] = true;
                }
            } else if (kind < 9 && step % 50 == 0) {
                const std::uint32_t to =
                    std::min(units, unit + static_cast<std::uint32_t>(random() % 100000));
                bitmap.unsetRange(unit, to);
                std::fill(plain.begin() + unit, plain.begin() + to, false);
            }
            const auto probe = static_cast<std::uint32_t>(random() % (units + 2));
            ASSERT_EQ(bitmap.next(probe), plainNext(plain, probe)) << units << " step " << step;
            ASSERT_EQ(bitmap.previous(probe), plainPrevious(plain, probe)) << units << " step " << step;
            if (probe < units) {
                ASSERT_EQ(bitmap.test(probe), plain[probe]) << units << " step " << step;
            }
        }
        const auto from = static_cast<std::uint32_t>(random() % units);
        const auto to = from + static_cast<std::uint32_t>(random() % (units - from + 1));
        EXPECT_EQ(bitmap.count(from, to),
                  static_cast<std::uint32_t>(std::count(plain.begin() + from, plain.begin() + to, true)));
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
