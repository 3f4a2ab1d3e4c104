// Fonts: the cache keyed by face | style | size, the metrics from the system font, and widths.
#include "runtime/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Hashtable.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

constexpr jint kAscent = 13;
constexpr jint kHeight = 17;
constexpr jint kAdvance = 5;

std::vector<std::string> measuredTexts;

void fakeMetrics(jint* const ascent, jint* const height) {
    *ascent = kAscent;
    *height = kHeight;
}

jint fakeWidth(const jchar* const units, const jint count) {
    measuredTexts.emplace_back(units, units + count);
    return count * kAdvance;
}

class FontTest : public RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        measuredTexts.clear();
        setSystemFontHooks({&fakeMetrics, &fakeWidth});
    }
    void TearDown() override {
        setSystemFontHooks({});
        RuntimeFixture::TearDown();
    }
};

TEST_F(FontTest, OneCachedFontPerValueOfFaceOrStyleOrSize) {
    Font* bold = Font::getFont(0, 1, 8);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(Font::getFont(0, 1, 8), bold);
    Font* plain = Font::getFont(0, 0, 8);
    EXPECT_NE(plain, bold);
    // Only the OR of the three counts: (1, 0, 8) and (0, 9, 0) are the font of (0, 1, 8).
    EXPECT_EQ(Font::getFont(1, 0, 8), bold);
    EXPECT_EQ(Font::getFont(0, 9, 0), bold);

    EXPECT_EQ(bold->classId, kFont);
    EXPECT_EQ(bold->face, 0);
    EXPECT_EQ(bold->style, 1);
    EXPECT_EQ(bold->getSize(), 8);
    EXPECT_EQ(bold->getHeight(), kHeight);
    EXPECT_EQ(bold->getAscent(), kAscent);

    java_util_Hashtable* cache = application.getStaticClass()->fontCache;
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->table->length, Font::kCacheCapacity);
    EXPECT_EQ(cache->size(), 2);
}

TEST_F(FontTest, StringWidthMeasuresFromFirstToTheEndOfTheText) {
    struct Case {
        const char* text;
        jint first;
        jint last;
        jint width;
        const char* measured; // null: the system font is not asked
    };
    const Case cases[] = {
        {"Tarnwick", 0, 7, 40, "Tarnwick"}, {"Tarnwick", 3, 3, 25, "nwick"}, // last does not end the range
        {"Tarnwick", 3, 0, 0, nullptr},                                      // first > last
        {"Tarnwick", 8, 8, 0, ""},          {"", 0, 0, 0, ""},
        {"Tarnwick", 9, 9, 0, nullptr},  // past the end: logged
        {"Tarnwick", -1, 5, 0, nullptr}, // before the start: logged
    };
    for (const Case& c : cases) {
        measuredTexts.clear();
        Font* font = Font::getFont(0, 0, 8);
        EXPECT_EQ(font->stringWidth(newStringFromCString(c.text), c.first, c.last), c.width) << c.first;
        const std::vector<std::string> expected =
            c.measured != nullptr ? std::vector<std::string>{c.measured} : std::vector<std::string>{};
        EXPECT_EQ(measuredTexts, expected) << c.first;
    }
    EXPECT_TRUE(logged("Font::stringWidth first=9"));
    EXPECT_TRUE(logged("Font::stringWidth first=-1"));
    EXPECT_EQ(Font::getFont(0, 0, 8)->stringWidth(nullptr, 0, 0), 0);
}

TEST_F(FontTest, WithoutTheSystemFontTheMetricsStayZero) {
    setSystemFontHooks({});
    Font* font = Font::getFont(0, 0, 0);
    EXPECT_EQ(font->getHeight(), 0);
    EXPECT_EQ(font->getAscent(), 0);
    EXPECT_EQ(font->stringWidth(newStringFromCString("abc"), 0, 2), 0);
    EXPECT_TRUE(logged("Font::init: no system font"));
}

} // namespace
} // namespace runtime
