// Sprite-font strings: colour markup and its state across calls, anchors, key icons, the dot,
// the clip window, the ticker and texts that end inside a code.
#include <gtest/gtest.h>

#include "game/sprites/SpritePainting.h"
#include "game/sprites/SpriteText.h"
#include "tests/game/sprites/PaintTestSupport.h"

namespace game::sprites::testing {
namespace {

constexpr jint kAdvance = kGlyphWidth + 1; // glyph width + spacing 1

class SpriteTextTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        installFont();
    }
    jint draw(const char* text, const jint x, const jint y, const jint anchor = 0, const jint palette = 2) {
        return ASprite::drawString(g, runtime::newStringFromCString(text), x, y, 0, anchor, palette);
    }
    // The palette whose ink shows at the left column of the glyph cell starting at x; -1 none.
    jint paletteAt(const jint x, const jint y) const {
        for (jint p = 0; p < kPaletteCount; ++p) {
            if (pixel(x, y) == rgb(kInk[p])) {
                return p;
            }
        }
        return -1;
    }
};

TEST_F(SpriteTextTest, ColourCodesSwitchAndReturnToTheCallersPalette) {
    struct Case {
        const char* text;
        std::vector<jint> palettes; // per drawn glyph, left to right
    };
    const Case cases[] = {
        {"A{rB{D", {2, 3, 2}},   {"{zA{", {0, 0}}, // 'z' is no colour letter: palette 0, and z is drawn
        {"{oA{B", {1, 2}},                         // o, x and y pick palette 1
        {"{XA{B", {1, 2}},       {"{yA{B", {1, 2}},
        {"{RA{{A{B", {3, 0, 2}}, // a closing '{' reads no letter; the next opens palette 0 on A
        {"A`B`C", {2, 1, 2}},    // the backquote switches to palette 1 and back
        {"{bA{", {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, 480, 800);
        const jint width = draw(c.text, 100, 100);
        EXPECT_EQ(width, static_cast<jint>(c.palettes.size()) * kAdvance);
        for (std::size_t i = 0; i < c.palettes.size(); ++i) {
            EXPECT_EQ(paletteAt(100 + static_cast<jint>(i) * kAdvance, 100), c.palettes[i]) << "glyph " << i;
        }
        EXPECT_FALSE(statics()->fontEscapeActive);
    }
    EXPECT_TRUE(statics()->textMarkO);
    EXPECT_TRUE(statics()->textMarkX);
    EXPECT_TRUE(statics()->textMarkY);
}

TEST_F(SpriteTextTest, AColourOpenedInOneCallStaysForTheNext) {
    draw("A{rB", 100, 100);
    EXPECT_TRUE(statics()->fontEscapeActive);
    draw("C{D", 100, 120);
    EXPECT_EQ(paletteAt(100, 120), 3) << "still red: the caller's palette is not set while a colour is open";
    EXPECT_EQ(paletteAt(100 + kAdvance, 120), 2);
    EXPECT_FALSE(statics()->fontEscapeActive);
}

TEST_F(SpriteTextTest, InMenuState4097TheBackquoteIsSkipped) {
    statics()->menuState = 4097;
    EXPECT_EQ(draw("A`B", 100, 100), 2 * kAdvance);
    EXPECT_EQ(paletteAt(100 + kAdvance, 100), 2);
}

TEST_F(SpriteTextTest, AnchorsPlaceTheText) {
    EXPECT_EQ(draw("AB", 200, 100, 4), 1) << "right-anchored: ends at x (drawing has one spacing more)";
    EXPECT_EQ(paletteAt(200 - 11, 100), 2);
    draw("AB", 300, 100, 2);
    EXPECT_EQ(paletteAt(300 - 5, 100), 2) << "centred: x - 11 / 2";
    draw("A", 100, 200, 8);
    EXPECT_EQ(paletteAt(100, 191), 2) << "bottom: y - line height 9";
    draw("A", 150, 200, 16);
    EXPECT_EQ(paletteAt(150, 197), 2) << "vertical centre: y - (9 - 2) / 2";
    draw("A", 200, 200, 1 | 32 | 64);
    EXPECT_EQ(paletteAt(200, 200), 2) << "other bits are ignored";
}

TEST_F(SpriteTextTest, ASubStringEndsBeforeItsEndIndex) {
    runtime::String* const text = runtime::newStringFromCString("ABCD");
    EXPECT_EQ(ASprite::drawSubString(g, text, 1, 3, 100, 100, 0, 0, 2), 2 * kAdvance);
    EXPECT_EQ(paletteAt(100, 100), 2);
    EXPECT_EQ(paletteAt(100 + kAdvance, 100), 2);
    EXPECT_FALSE(anyPaint(100 + 2 * kAdvance, 100, 3 * kAdvance, 9));
    EXPECT_EQ(ASprite::drawSubString(g, text, 2, 2, 100, 200, 0, 0, 2), 0);
    EXPECT_FALSE(anyPaint(100, 200, 4 * kAdvance, 9));
}

TEST_F(SpriteTextTest, CharactersWithoutGlyphAdvanceSixAndEqualsTwoMore) {
    EXPECT_EQ(draw("A B", 100, 100), 2 * kAdvance + 6);
    EXPECT_EQ(paletteAt(100 + kAdvance + 6, 100), 2);
    EXPECT_EQ(draw("\x01", 100, 300), 6);
    EXPECT_FALSE(anyPaint(100, 300, 6, 9));
}

TEST_F(SpriteTextTest, KeyIconsDrawThreePixelsOnAndAdvance29) {
    installKeyIcons();
    EXPECT_EQ(draw("~*", 100, 100), 29);
    EXPECT_EQ(pixel(103, 99), rgb(kInk[3])) << "star icon (frame 7) at x + 3, y - 1";
    EXPECT_TRUE(isBackground(102, 99));
    const struct {
        const char* text;
        std::uint32_t ink;
    } icons[] = {{"~#", kInk[4]}, {"~5", kInk[2]}, {"~A", kInk[1]}};
    for (const auto& icon : icons) {
        draw(icon.text, 200, 100);
        EXPECT_EQ(pixel(203, 99), rgb(icon.ink)) << icon.text;
    }
    EXPECT_EQ(statics()->shownKeyIcons, 0) << "recorded only in the key-help menu states";
    statics()->menuState = 1030;
    draw("~*~#~5", 100, 300);
    EXPECT_EQ(statics()->shownKeyIcons, 4 | 8);
    statics()->fireIconSuppressedB = 1;
    draw("~x", 100, 300);
    EXPECT_EQ(statics()->shownKeyIcons, 4 | 8);
    statics()->fireIconSuppressedB = 0;
    statics()->menuState = 133;
    draw("~x", 100, 300);
    EXPECT_EQ(statics()->shownKeyIcons, 1 | 4 | 8);
    statics()->shownKeyIcons = 0;
    statics()->messageLinksBlocked = 1;
    draw("~*", 100, 300);
    EXPECT_EQ(statics()->shownKeyIcons, 0);
}

TEST_F(SpriteTextTest, ATextEndingInsideACodeReadsNothingPastItsEnd) {
    installKeyIcons();
    EXPECT_EQ(draw("A{", 100, 100), kAdvance);
    EXPECT_TRUE(statics()->fontEscapeActive) << "a lone '{' opens palette 0";
    statics()->fontEscapeActive = 0;
    EXPECT_EQ(draw("A~", 100, 200), kAdvance + 29);
    EXPECT_EQ(pixel(100 + kAdvance + 3, 199), rgb(kInk[1])) << "the fire icon";
    EXPECT_FALSE(logMentions("charAt"));
}

TEST_F(SpriteTextTest, TheSeparatorDotAndTheCurrency) {
    EXPECT_EQ(draw("A|B", 100, 100), 2 * kAdvance + 6);
    EXPECT_EQ(pixel(100 + kAdvance, 102), rgb(0xFFFFA400)) << "dot at the pen, 2 lower";
    EXPECT_EQ(pixel(100 + kAdvance - 1, 102), rgb(0xFFFF7100));
    EXPECT_TRUE(isBackground(100 + kAdvance - 1, 101)) << "corners left out";
    statics()->currencyFrameBase = 2;
    EXPECT_EQ(draw("$", 100, 200), kAdvance);
    statics()->currencyFrameBase = -50;
    EXPECT_EQ(draw("$", 100, 300), 6) << "a currency glyph below 0 is no glyph";
}

TEST_F(SpriteTextTest, TheWindowSkipsCharactersTouchingItsEdges) {
    statics()->clipWindowActive = 1;
    statics()->clipWindowLeft = 100;
    statics()->clipWindowRight = 100 + 3 * kAdvance;
    statics()->rememberTextEnd = 1;
    EXPECT_EQ(draw("ABCD", 100, 100), 4 * kAdvance);
    EXPECT_EQ(statics()->lastTextEnd, 100 + 4 * kAdvance);
    EXPECT_EQ(paletteAt(100, 100), -1) << "at the left edge";
    EXPECT_EQ(paletteAt(100 + kAdvance, 100), 2);
    EXPECT_EQ(paletteAt(100 + 2 * kAdvance, 100), -1) << "reaches the right edge";
}

TEST_F(SpriteTextTest, MissingFontsAndTextsDrawNothing) {
    EXPECT_EQ(draw("A", 100, 100, 0, 0), kAdvance);
    EXPECT_EQ(ASprite::drawString(g, runtime::newStringFromCString("A"), 0, 0, 3, 0, 0), 0);
    EXPECT_EQ(ASprite::drawString(g, runtime::newStringFromCString("A"), 0, 0, -12, 0, 0), 0);
    EXPECT_EQ(ASprite::drawString(g, nullptr, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(ASprite::drawSubString(g, runtime::newStringFromCString("AB"), -4, 9, 200, 100, 0, 0, 2),
              2 * kAdvance);
    EXPECT_TRUE(logMentions("no sprite of font 3"));
}

TEST_F(SpriteTextTest, TheTickerScrollsAndRestartsInsideTheBand) {
    runtime::String* text = runtime::newStringFromCString("AB");
    statics()->tickerPosition[0] = 105;
    drawTicker(text, 100, 300, 60, 20, 2, 1, 1);
    EXPECT_EQ(pixel(50, 305), rgb(0xFFFF8800)) << "the band spans the screen";
    EXPECT_EQ(pixel(50, 300), rgb(0xFF000000));
    EXPECT_EQ(pixel(50, 320), rgb(0xFF000000));
    EXPECT_EQ(paletteAt(105, 300 + 10 - 3), 2) << "font 0, vertically centred in the band";
    EXPECT_EQ(statics()->tickerPosition[0], 102);
    EXPECT_EQ(statics()->tickerTextWidth[0], 2 * kAdvance);
    EXPECT_FALSE(statics()->clipWindowActive);
    EXPECT_FALSE(statics()->tickerWrapped);
    jint steps = 0;
    while (!statics()->tickerWrapped && steps < 20) {
        drawTicker(text, 100, 300, 60, 20, 2, 0, 1);
        ++steps;
    }
    EXPECT_EQ(steps, 5) << "pos + 12 < 100 first at pos 87";
    EXPECT_EQ(statics()->tickerPosition[0], 150);
    EXPECT_EQ(statics()->tickerPosition[1], 0) << "the other ticker keeps its own position";
    drawTicker(nullptr, 100, 300, 60, 20, 2, 0, 2);
    EXPECT_EQ(statics()->tickerPosition[1], 150) << "an empty ticker restarts at once";
    EXPECT_EQ(statics()->tickerTextWidth[1], 0);
}

} // namespace
} // namespace game::sprites::testing
