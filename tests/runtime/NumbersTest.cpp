// Decimal text, Integer::toString, Integer::parseInt and the Math routines.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/Numbers.h"
#include "runtime/String.h"
#include "tests/runtime/StringTestSupport.h"

namespace runtime {
namespace {

using NumbersTest = StringsFixture;

// Values in range as Java's Integer.toString and Integer.parseInt give them
// (tests/fixtures/strings/JavaReference.java).
TEST_F(NumbersTest, ToStringIsTheDecimalText) {
    const struct {
        jint value;
        std::u16string expected;
    } cases[] = {
        {0, u"0"},
        {7, u"7"},
        {-5, u"-5"},
        {42, u"42"},
        {2147483647, u"2147483647"},
        {kIntMin, u"-2147483648"},
        {1000000, u"1000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(units(Integer::toString(c.value)), c.expected) << c.value;
        EXPECT_EQ(units(String::valueOfInt(c.value)), c.expected) << c.value;
    }
}

TEST(FormatDecimalTest, WritesWhatPrintfWrites) {
    const jlong cases[] = {0,
                           7,
                           -7,
                           9,
                           10,
                           -10,
                           99,
                           100,
                           2147483647,
                           -2147483648LL,
                           1000000000000000000LL,
                           -999999999999999999LL,
                           INT64_MAX,
                           INT64_MIN};
    for (const jlong value : cases) {
        char text[kMaxDecimalLength + 1] = {};
        const jint length = formatDecimal(value, text);
        char expected[32];
        const int expectedLength =
            std::snprintf(expected, sizeof expected, "%lld", static_cast<long long>(value));
        EXPECT_EQ(length, expectedLength) << expected;
        EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)), expected);
    }
}

TEST_F(NumbersTest, ParseIntReadsLikeAtoi) {
    const struct {
        std::u16string input;
        jint expected;
    } cases[] = {
        // Java gives the same for these.
        {u"42", 42},
        {u"-7", -7},
        {u"+5", 5},
        {u"007", 7},
        {u"0", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", kIntMin},
        {u"-0", 0},
        // The handset's conversion: leading blanks, trailing text, no digits, saturation.
        {u"  42ab", 42},
        {u"\t\n\v\f\r 9", 9},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u"+-3", 0},
        {u"- 3", 0},
        {u"2147483648", 2147483647},
        {u"99999999999999999999", 2147483647},
        {u"-2147483649", kIntMin},
        {u"-99999999999999999999", kIntMin},
        // Characters count by their low byte: U+0131 reads as '1', U+0100 ends the text.
        {u"\u0131\u0132", 12},
        {u"4\u01002", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Integer::parseInt(make(c.input)), c.expected)
            << std::string(c.input.begin(), c.input.end());
    }
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(Integer::parseInt(nullptr), 0);
    EXPECT_TRUE(logged("parseInt null"));
}

TEST(MathTest, AbsMaxMin) {
    static_assert(Math::abs(kIntMin) == kIntMin);
    EXPECT_EQ(Math::abs(-5), 5);
    EXPECT_EQ(Math::abs(5), 5);
    EXPECT_EQ(Math::abs(-2147483647), 2147483647);
    EXPECT_EQ(Math::max(-1, kIntMin), -1);
    EXPECT_EQ(Math::min(-1, kIntMin), kIntMin);
    EXPECT_EQ(Math::max(3, 3), 3);
}

} // namespace
} // namespace runtime
