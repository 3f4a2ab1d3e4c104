// Integer arithmetic of the translated program: wrapping, masked shifts, trap-free division.
#include "runtime/JavaTypes.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

struct DivisionCase {
    jint a, b, quotient, remainder;
};

TEST(JavaTypes, DivisionFollowsTheHandset) {
    const DivisionCase cases[] = {
        {-7, 2, -3, -1},       {7, -2, -3, 1},         {5, 0, 0, 5},
        {kIntMin, -1, kIntMin, 0}, {kIntMin, 1, kIntMin, 0}, {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(idiv(c.a, c.b), c.quotient) << c.a << " / " << c.b;
        EXPECT_EQ(irem(c.a, c.b), c.remainder) << c.a << " % " << c.b;
    }
    // Products wrap at 32 bits instead of overflowing.
    EXPECT_EQ(imul(200, 20000000), -294967296);
    EXPECT_EQ(imul(kIntMin, -1), kIntMin);
    EXPECT_EQ(imul(-7, 6), -42);
    EXPECT_EQ(ldiv(kLongMin, -1), kLongMin);
    EXPECT_EQ(lrem(kLongMin, -1), 0);
    EXPECT_EQ(ldiv(9, 0), 0);
    EXPECT_EQ(lrem(9, 0), 9);
}

TEST(JavaTypes, ShiftCountsAreMasked) {
    EXPECT_EQ(ishl(1, 33), 2);
    EXPECT_EQ(ishr(-8, 33), -4);
    EXPECT_EQ(iushr(-1, 28), 15);
    EXPECT_EQ(iushr(-1, 32), -1);
    EXPECT_EQ(lshl(1, 65), 2);
    EXPECT_EQ(lushr(-1, 60), 15);
    EXPECT_EQ(ishl(1, 31), kIntMin);
}

TEST(JavaTypes, ArithmeticWraps) {
    volatile jint big = 0x7fffffff;
    EXPECT_EQ(big + 1, kIntMin);
    EXPECT_EQ(i2b(300), 44);
    EXPECT_EQ(i2s(0xFFFF), -1);
    EXPECT_EQ(i2c(-1), 65535);
}

} // namespace
} // namespace runtime
