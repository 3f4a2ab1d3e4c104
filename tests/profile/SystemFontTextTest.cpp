// System-font text: metrics through Font, the anchor rules, and drawString / drawSubstring
// copying only glyph pixels into the target, inside the image and the clip.
#include "profile/SystemFontText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SystemFont.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Font.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"

namespace profile {
namespace {

using runtime::Font;
using runtime::newStringFromCString;

// The scripted font: 4-pixel advances, glyphs 3 pixels wide and 10 high, ascent 8.
constexpr jint kAdvance = 4;
constexpr jint kLineHeight = 10;
constexpr jint kAscent = 8;

constexpr std::uint16_t kRed565 = 0xF800;

// A picture no text colour of these tests matches.
std::uint16_t pattern(const jint x, const jint y) {
    return static_cast<std::uint16_t>(0x0841 * ((x + y) % 8));
}

struct Rect {
    jint x1, y1, x2, y2; // x2 and y2 exclusive
};

class SystemFontTextTest : public runtime::RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        scripted.fontMetrics = {kAscent, kLineHeight};
        scripted.advance = kAdvance;
        previousFont = platform::installSystemFont(&scripted);
        installSystemFontText();
    }
    void TearDown() override {
        runtime::setSystemFontHooks({});
        platform::installSystemFont(previousFont);
        RuntimeFixture::TearDown();
    }

    // A mutable w x h image painted with the pattern (its padding column too) and a Graphics
    // over it with the font of (0, 0, 8) and the colour.
    Graphics* canvas(const jint w, const jint h, const jint colour = 0xFF0000) {
        image = runtime::newObject<Image>();
        image->initBuffer(w, h, kPixelRgb565 | kImageMutableFlag, 0);
        for (jint y = 0; y < h; ++y) {
            for (jint x = 0; x < image->stride / 2; ++x) {
                image->row16(y)[x] = pattern(x, y);
            }
        }
        Graphics* g = image->getGraphics();
        g->setFont(Font::getFont(0, 0, 8));
        g->setColor(colour);
        return g;
    }

    // Every pixel of the image's rows (padding included) is the pattern, except those inside the
    // rectangles, which are value.
    void expectPicture(const std::vector<Rect>& glyphs, const std::uint16_t value) {
        jint wrong = 0;
        for (jint y = 0; y < image->height; ++y) {
            for (jint x = 0; x < image->stride / 2; ++x) {
                bool inGlyph = false;
                for (const Rect& r : glyphs) {
                    inGlyph = inGlyph || (x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2);
                }
                const std::uint16_t expected = inGlyph ? value : pattern(x, y);
                if (image->row16(y)[x] != expected && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << image->row16(y)[x]
                                  << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    // The glyph blocks of the scripted font for a text whose top-left corner is (left, top).
    static std::vector<Rect> glyphBlocks(const std::string& text, const jint left, const jint top) {
        std::vector<Rect> blocks;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != ' ') {
                const jint x = left + static_cast<jint>(i) * kAdvance;
                blocks.push_back({x, top, x + kAdvance - 1, top + kLineHeight});
            }
        }
        return blocks;
    }

    platform::ScriptedSystemFont scripted;
    platform::SystemFont* previousFont = nullptr;
    Image* image = nullptr;
};

TEST(SystemFontTextAnchor, EachBitOverridesTheOnesBefore) {
    struct Case {
        jint anchor;
        jint left;
        jint top;
    };
    // A 41 x 10 text with ascent 8 anchored at (100, 50).
    const Case cases[] = {
        {0, 100, 50}, // none: top left
        {kAnchorLeft | kAnchorTop, 100, 50},
        {kAnchorHCenter | kAnchorTop, 80, 50}, // 41 >> 1 = 20
        {kAnchorRight | kAnchorBottom, 59, 40},
        {kAnchorLeft | kAnchorBaseline, 100, 42},
        {kAnchorHCenter | kAnchorBottom, 80, 40},
        {kAnchorBaseline, 0, 42},                              // no horizontal bit: left edge 0
        {kAnchorHCenter, 80, 0},                               // no vertical bit: top 0
        {kAnchorVCenter, 0, 0},                                // not used for text
        {kAnchorLeft | kAnchorRight | kAnchorTop, 59, 50},     // RIGHT overrides LEFT
        {kAnchorRight | kAnchorHCenter | kAnchorTop, 80, 50},  // HCENTER overrides RIGHT
        {kAnchorTop | kAnchorBottom | kAnchorBaseline, 0, 42}, // BASELINE overrides both
    };
    for (const Case& c : cases) {
        const TextPosition position = anchorText(41, 10, 8, c.anchor, 100, 50);
        EXPECT_EQ(position.left, c.left) << "anchor " << c.anchor;
        EXPECT_EQ(position.top, c.top) << "anchor " << c.anchor;
    }
    // The halving is an arithmetic shift.
    EXPECT_EQ(anchorText(-3, 10, 8, kAnchorHCenter | kAnchorTop, 0, 0).left, 2);
}

TEST_F(SystemFontTextTest, FontsMeasureWithTheSystemFont) {
    Font* font = Font::getFont(0, 0, 8);
    EXPECT_EQ(font->getAscent(), kAscent);
    EXPECT_EQ(font->getHeight(), kLineHeight);
    EXPECT_EQ(font->stringWidth(newStringFromCString("abc"), 0, 2), 3 * kAdvance);
    EXPECT_EQ(scripted.measured, std::vector<std::u16string>{u"abc"});
}

TEST_F(SystemFontTextTest, OnlyGlyphPixelsChangeAtTheAnchoredPlace) {
    Graphics* g = canvas(40, 30);
    // 16 x 10 with ascent 8, centred on x 20 with its baseline on y 25: top left (12, 17).
    g->drawString(newStringFromCString("ab c"), 20, 25, kAnchorHCenter | kAnchorBaseline);
    expectPicture(glyphBlocks("ab c", 12, 17), kRed565);
    EXPECT_EQ(scripted.drawn, std::vector<std::u16string>{u"ab c"});
}

TEST_F(SystemFontTextTest, ASubstringDrawsOnlyItsCharacters) {
    Graphics* g = canvas(20, 12);
    g->drawSubstring(newStringFromCString("xabcx"), 1, 3, 0, 0, 0);
    expectPicture(glyphBlocks("abc", 0, 0), kRed565);
    EXPECT_EQ(scripted.drawn, std::vector<std::u16string>{u"abc"});
}

TEST_F(SystemFontTextTest, NothingIsDrawnWithoutTextOrFont) {
    struct Case {
        const char* name;
        const char* text; // null: no String
        jint offset;
        jint length;
    };
    const Case cases[] = {
        {"no string", nullptr, 0, 0},       {"empty string", "", 0, 0},
        {"past the end", "abcd", 1, 4},     {"negative offset", "abcd", -1, 2},
        {"negative length", "abcd", 1, -1}, {"nothing taken", "abcd", 2, 0},
    };
    for (const Case& c : cases) {
        Graphics* g = canvas(20, 12);
        g->drawSubstring(c.text != nullptr ? newStringFromCString(c.text) : nullptr, c.offset, c.length, 0, 0,
                         0);
        SCOPED_TRACE(c.name);
        expectPicture({}, 0);
    }
    Graphics* g = canvas(20, 12);
    g->setFont(nullptr);
    g->drawString(newStringFromCString("abcd"), 0, 0, 0);
    expectPicture({}, 0);
    EXPECT_TRUE(scripted.drawn.empty());
}

TEST_F(SystemFontTextTest, TextInTheKeyColourStillDraws) {
    struct Case {
        jint colour;
        std::uint16_t pixel;
    };
    const Case cases[] = {
        {0xFF00FF, 0xF81F},                      // its RGB565 form is the key colour
        {0x00F81F, 0x07C3},                      // its 32-bit form is the buffer's background value
        {static_cast<jint>(0x80FFFFFF), 0xFFFF}, // alpha plays no part
    };
    for (const Case& c : cases) {
        Graphics* g = canvas(20, 12, c.colour);
        g->drawString(newStringFromCString("ab"), 2, 1, 0);
        SCOPED_TRACE(c.colour);
        expectPicture(glyphBlocks("ab", 2, 1), c.pixel);
    }
}

TEST_F(SystemFontTextTest, TextIsCutAtTheImageEdgesAndTheClip) {
    // An odd width: the padding column (x 31) must stay as it is.
    struct Case {
        const char* name;
        jint x;
        jint y;
        std::vector<Rect> visible;
    };
    const Case cases[] = {
        {"past the right edge", 26, 4, {{26, 4, 29, 12}, {30, 4, 31, 12}}},
        {"before the left edge", -5, 0, {{0, 0, 2, 10}, {3, 0, 6, 10}}},
        {"above the top", 0, -7, {{0, 0, 3, 3}, {4, 0, 7, 3}, {8, 0, 11, 3}}},
        {"below the bottom", 0, 10, {{0, 10, 3, 12}, {4, 10, 7, 12}, {8, 10, 11, 12}}},
        {"wholly outside", 40, 40, {}},
    };
    for (const Case& c : cases) {
        Graphics* g = canvas(31, 12);
        g->drawString(newStringFromCString("abc"), c.x, c.y, 0);
        SCOPED_TRACE(c.name);
        expectPicture(c.visible, kRed565);
    }
    Graphics* g = canvas(31, 12);
    g->setClip(5, 2, 6, 4);
    g->drawString(newStringFromCString("abcdef"), 0, 0, 0);
    SCOPED_TRACE("clip");
    expectPicture({{5, 2, 7, 6}, {8, 2, 11, 6}}, kRed565);
}

TEST_F(SystemFontTextTest, TheTranslationIsNotAdded) {
    Graphics* g = canvas(20, 20);
    g->translate(5, 6);
    g->drawString(newStringFromCString("a"), 1, 2, 0);
    expectPicture(glyphBlocks("a", 1, 2), kRed565);
}

TEST_F(SystemFontTextTest, TheBackgroundNeverShowsWithTheBuiltInFont) {
    platform::BitmapFont bitmapFont;
    platform::installSystemFont(&bitmapFont);
    const std::u16string text = u"Tarnwick 1:0 {~}";
    const std::string narrow(text.begin(), text.end());
    Graphics* g = canvas(220, 24, 0x00FF00);
    g->drawString(newStringFromCString(narrow.c_str()), 2, 3, 0);

    // The font's own glyph pixels, drawn into a buffer of the text's size.
    const jint width = bitmapFont.measure(reinterpret_cast<const std::uint16_t*>(text.data()),
                                          static_cast<jint>(text.size()));
    const jint height = bitmapFont.metrics().height;
    std::vector<std::uint32_t> glyphs(static_cast<std::size_t>(width) * height);
    bitmapFont.draw(reinterpret_cast<const std::uint16_t*>(text.data()), static_cast<jint>(text.size()),
                    glyphs.data(), width, height, width, 1, 0);
    jint glyphPixels = 0;
    for (jint y = 0; y < image->height; ++y) {
        for (jint x = 0; x < image->stride / 2; ++x) {
            const bool inText = x >= 2 && x < 2 + width && y >= 3 && y < 3 + height;
            const bool glyph = inText && glyphs[static_cast<std::size_t>(y - 3) * width + (x - 2)] == 1;
            glyphPixels += glyph ? 1 : 0;
            ASSERT_EQ(image->row16(y)[x], glyph ? 0x07E0 : pattern(x, y)) << x << ", " << y;
        }
    }
    EXPECT_GT(glyphPixels, 100);
}

TEST_F(SystemFontTextTest, TheDefaultSystemFontMeasuresAndDraws) {
    platform::installSystemFont(nullptr);
    Font* font = Font::getFont(0, 0, 0);
    const platform::FontMetrics metrics = platform::systemFont().metrics();
    EXPECT_GT(metrics.height, metrics.ascent);
    EXPECT_EQ(font->getHeight(), metrics.height);
    EXPECT_EQ(font->getAscent(), metrics.ascent);
    const jint width = font->stringWidth(newStringFromCString("Tarnwick"), 0, 7);
    EXPECT_GT(width, 8);

    Graphics* g = canvas(width + 4, metrics.height + 4, 0x0000FF);
    g->setFont(font);
    g->drawString(newStringFromCString("Tarnwick"), 2, 2, 0);
    // Monochrome: every pixel is the picture or the text colour, and the text shows.
    jint textPixels = 0;
    for (jint y = 0; y < image->height; ++y) {
        for (jint x = 0; x < image->stride / 2; ++x) {
            const std::uint16_t pixel = image->row16(y)[x];
            if (pixel != pattern(x, y)) {
                ASSERT_EQ(pixel, 0x001F) << x << ", " << y;
                ASSERT_TRUE(x >= 2 && x < 2 + width && y >= 2 && y < 2 + metrics.height) << x << ", " << y;
                ++textPixels;
            }
        }
    }
    EXPECT_GT(textPixels, 50);
}

} // namespace
} // namespace profile
