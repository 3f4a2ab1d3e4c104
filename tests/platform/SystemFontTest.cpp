// The system font: FreeType in monochrome, the built-in bitmap font, the choice between them and
// the scripted font of tests.
#include "platform/SystemFont.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Log.h"

namespace platform {
namespace {

constexpr std::uint32_t kBackground = 0x0000F81F;
constexpr std::uint32_t kForeground = 0x00123456;
constexpr std::uint32_t kGuard = 0xDEADBEEF;

std::u16string units(const char* text) {
    std::u16string out;
    for (const char* c = text; *c != '\0'; ++c) {
        out += static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
    return out;
}

const std::uint16_t* data(const std::u16string& text) {
    return reinterpret_cast<const std::uint16_t*>(text.data());
}

// A buffer of width x height pixels inside a larger block of guard values: a margin of guard
// rows above and below and guard columns to the right of each row (the stride is wider).
struct GuardedBuffer {
    static constexpr int kMargin = 8;
    GuardedBuffer(const int width, const int height)
        : width(width), height(height), stride(width + kMargin),
          block(static_cast<std::size_t>(stride) * (height + 2 * kMargin), kGuard) {}
    std::uint32_t* pixels() { return block.data() + static_cast<std::ptrdiff_t>(kMargin) * stride; }
    std::uint32_t at(const int x, const int y) {
        return pixels()[static_cast<std::ptrdiff_t>(y) * stride + x];
    }
    // True when every value outside the width x height pixels is still the guard.
    bool guardIntact() {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const long row = static_cast<long>(i) / stride - kMargin;
            const long column = static_cast<long>(i) % stride;
            const bool inside = row >= 0 && row < height && column < width;
            if (!inside && block[i] != kGuard) {
                return false;
            }
        }
        return true;
    }
    int count(const std::uint32_t value) {
        int n = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                n += at(x, y) == value ? 1 : 0;
            }
        }
        return n;
    }
    bool onlyTwoValues() { return count(kForeground) + count(kBackground) == width * height; }

    int width;
    int height;
    int stride;
    std::vector<std::uint32_t> block;
};

// Fonts to run the shared checks on: the bitmap font always, FreeType when the file is there.
std::vector<std::unique_ptr<SystemFont>> fontsUnderTest() {
    std::vector<std::unique_ptr<SystemFont>> fonts;
    fonts.push_back(std::make_unique<BitmapFont>());
    auto freeType = std::make_unique<FreeTypeFont>();
    if (freeType->open(kSystemFontPath, kSystemFontPixelSize)) {
        fonts.push_back(std::move(freeType));
    }
    return fonts;
}

TEST(SystemFont, GlyphsAreMonochromeAndStayInsideTheBuffer) {
    for (const auto& font : fontsUnderTest()) {
        const FontMetrics metrics = font->metrics();
        ASSERT_GT(metrics.ascent, 0);
        ASSERT_GT(metrics.height, metrics.ascent);
        const std::u16string text = units("Hg|Wy@");
        const int width = font->measure(data(text), static_cast<int>(text.size()));
        ASSERT_GT(width, 0);

        // The whole text in a buffer of its own measure: drawn, every pixel one of the two.
        GuardedBuffer whole(width, metrics.height);
        font->draw(data(text), static_cast<int>(text.size()), whole.pixels(), whole.width, whole.height,
                   whole.stride, kForeground, kBackground);
        EXPECT_TRUE(whole.guardIntact());
        EXPECT_TRUE(whole.onlyTwoValues());
        EXPECT_GT(whole.count(kForeground), 0);
        EXPECT_GT(whole.count(kBackground), whole.count(kForeground));

        // Cut short on both axes: nothing is written beyond the buffer.
        GuardedBuffer cut(width / 2, metrics.height / 2);
        font->draw(data(text), static_cast<int>(text.size()), cut.pixels(), cut.width, cut.height, cut.stride,
                   kForeground, kBackground);
        EXPECT_TRUE(cut.guardIntact());
        EXPECT_TRUE(cut.onlyTwoValues());
    }
}

TEST(SystemFont, WidthsAddUpAndBlanksDrawNothing) {
    for (const auto& font : fontsUnderTest()) {
        const std::u16string a = units("Tarn");
        const std::u16string b = units("wick 42");
        const std::u16string ab = a + b;
        EXPECT_EQ(font->measure(data(ab), static_cast<int>(ab.size())),
                  font->measure(data(a), static_cast<int>(a.size())) +
                      font->measure(data(b), static_cast<int>(b.size())));
        EXPECT_EQ(font->measure(data(ab), 0), 0);

        const std::u16string blanks = units("   ");
        const int width = font->measure(data(blanks), 3);
        EXPECT_GT(width, 0);
        GuardedBuffer buffer(width, font->metrics().height);
        font->draw(data(blanks), 3, buffer.pixels(), buffer.width, buffer.height, buffer.stride, kForeground,
                   kBackground);
        EXPECT_EQ(buffer.count(kBackground), buffer.width * buffer.height);
    }
}

TEST(SystemFont, FreeTypeMetricsComeFromTheFace) {
    FreeTypeFont font;
    if (!font.open(kSystemFontPath, kSystemFontPixelSize)) {
        GTEST_SKIP() << kSystemFontPath << " is not installed";
    }
    const FontMetrics metrics = font.metrics();
    // DejaVu Sans reaches about 0.93 em above and 0.24 em below the baseline.
    EXPECT_GE(metrics.ascent, kSystemFontPixelSize * 9 / 10);
    EXPECT_LE(metrics.ascent, kSystemFontPixelSize);
    EXPECT_GE(metrics.height - metrics.ascent, kSystemFontPixelSize / 5);
    EXPECT_LE(metrics.height, kSystemFontPixelSize * 13 / 10);
    const std::u16string narrow = units("iiii");
    const std::u16string wide = units("WWWW");
    EXPECT_LT(font.measure(data(narrow), 4), font.measure(data(wide), 4));
    // A surrogate pair is one character: a private-use one the face lacks measures as one
    // missing glyph, not two.
    const std::u16string pair = {0xDBFF, 0xDFFD};
    const std::u16string missing = {0xFFFF};
    EXPECT_EQ(font.measure(data(pair), 2), font.measure(data(missing), 1));
}

TEST(SystemFont, TheBitmapFontDrawsItsGlyphsAtTwiceTheSize) {
    BitmapFont font;
    EXPECT_EQ(font.metrics().ascent, 16);
    EXPECT_EQ(font.metrics().height, 18);
    const std::u16string text = units("L\x01");
    EXPECT_EQ(font.measure(data(text), 2), 24);
    GuardedBuffer buffer(24, 18);
    font.draw(data(text), 2, buffer.pixels(), buffer.width, buffer.height, buffer.stride, kForeground,
              kBackground);
    // 'L': the left column of glyph rows 0-6 (pixel rows 2-15) and the bottom row, 10 pixels wide.
    EXPECT_EQ(buffer.at(0, 1), kBackground);
    EXPECT_EQ(buffer.at(0, 2), kForeground);
    EXPECT_EQ(buffer.at(1, 15), kForeground);
    EXPECT_EQ(buffer.at(2, 12), kBackground);
    EXPECT_EQ(buffer.at(9, 15), kForeground);
    EXPECT_EQ(buffer.at(10, 15), kBackground);
    // 11 bits of 'L' and 20 of the box, 4 pixels each.
    EXPECT_EQ(buffer.count(kForeground), (11 + 20) * 4);
    // A character without a glyph is a hollow box.
    EXPECT_EQ(buffer.at(12, 2), kForeground);
    EXPECT_EQ(buffer.at(16, 8), kBackground);
    EXPECT_EQ(buffer.at(21, 15), kForeground);
}

TEST(SystemFont, AMissingFontFileFallsBackToTheBitmapFont) {
    std::vector<std::string> lines;
    runtime::LogSink previous = runtime::setLogSink([&](const std::string& line) { lines.push_back(line); });
    const std::unique_ptr<SystemFont> font = loadSystemFont("/nonexistent/font.ttf");
    runtime::setLogSink(previous);
    EXPECT_NE(dynamic_cast<BitmapFont*>(font.get()), nullptr);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(),
              "System font /nonexistent/font.ttf cannot be loaded: text uses the built-in bitmap font");

    if (std::filesystem::exists(kSystemFontPath)) {
        EXPECT_NE(dynamic_cast<FreeTypeFont*>(loadSystemFont(kSystemFontPath).get()), nullptr);
    }
}

TEST(SystemFont, TheEnvironmentChoosesTheFontFile) {
    const char* saved = std::getenv(kSystemFontVariable);
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv(kSystemFontVariable, "/fonts/Other.ttf", 1);
    EXPECT_EQ(systemFontFile(), "/fonts/Other.ttf");
    setenv(kSystemFontVariable, "", 1);
    EXPECT_EQ(systemFontFile(), kSystemFontPath);
    unsetenv(kSystemFontVariable);
    EXPECT_EQ(systemFontFile(), kSystemFontPath);
    if (saved != nullptr) {
        setenv(kSystemFontVariable, savedValue.c_str(), 1);
    }
}

TEST(SystemFont, AnInstalledFontIsUsedUntilRemoved) {
    ScriptedSystemFont scripted;
    SystemFont* previous = installSystemFont(&scripted);
    EXPECT_EQ(&systemFont(), &scripted);
    const std::u16string text = units("a b");
    EXPECT_EQ(systemFont().measure(data(text), 3), 12);
    GuardedBuffer buffer(12, 10);
    systemFont().draw(data(text), 3, buffer.pixels(), 12, 10, buffer.stride, kForeground, kBackground);
    EXPECT_TRUE(buffer.guardIntact());
    // Blocks of 3 pixels at 0 and 8; the space and the gaps stay background.
    EXPECT_EQ(buffer.count(kForeground), 2 * 3 * 10);
    EXPECT_EQ(buffer.at(3, 0), kBackground);
    EXPECT_EQ(buffer.at(8, 9), kForeground);
    EXPECT_EQ(scripted.measured, std::vector<std::u16string>{text});
    EXPECT_EQ(scripted.drawn, std::vector<std::u16string>{text});
    EXPECT_EQ(installSystemFont(previous), &scripted);
    EXPECT_NE(&systemFont(), &scripted);
}

} // namespace
} // namespace platform
