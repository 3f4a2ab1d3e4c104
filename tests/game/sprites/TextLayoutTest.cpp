// Text layout: glyph look-up through the character map, widths with markup, line counts and
// their identity cache, and word wrapping (joining, space and colour-code cuts, hard cuts).
#include "game/sprites/TextLayout.h"

#include <gtest/gtest.h>

#include "tests/game/support/TextFixture.h"

namespace game::sprites {

namespace {

using game::testing::TextFixture;

class TextLayoutTest : public TextFixture {};

TEST_F(TextLayoutTest, GlyphOfACharacter) {
    statics()->upperCaseGlyphBase = 3; // the bases move letters and digits, nothing else
    statics()->digitGlyphBase = 40;
    const struct {
        jchar c;
        jint glyph;
    } cases[] = {
        {'A', 3},     {'a', 3},     {'Z', 28},    {'z', 28},    {'0', 40},    {'9', 49},
        {' ', -1},    {'\t', -1},   {0, -1},      {'.', 36},    {',', 37},    {'-', 38},
        {0x00C9, 39}, {0x00E9, 39}, {0x00CB, 40}, {0x00EB, 40}, {0x0451, 40}, {0x0401, 40},
        {'!', -1},    {'~', -1},    {'{', -1},    {0x0452, -1}, {0xFFFF, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getGlyphIndex(c.c), c.glyph) << c.c;
    }
}

TEST_F(TextLayoutTest, StringWidthCountsGlyphsSpacingAndMarkup) {
    // 'A' 10 and 'B' 12 wide with spacing 1; 'x' is 7, 'r', 'e', 'd' 5.
    useFont(1, [](const jint glyph) {
        switch (glyph) {
        case 0:
            return 10;
        case 1:
            return 12;
        case 'X' - 'A':
            return 7;
        default:
            return 5;
        }
    });
    const struct {
        const char* text;
        jint width;
    } cases[] = {
        {"AB", 23},
        {"A B", 10 + 1 + 6 + 12 + 1 - 1},
        {"{Rred", 3 * 6 - 1},
        {"red", 3 * 6 - 1},
        {"~Ix", 28 + 8 - 1},
        {"`A`", 10},
        {"{{A", -1}, // the mark after a mark is its code; the A follows that code
        {"", -1},    // the empty text measures minus the spacing
        {"A!", 11 + 6 - 1},
        {"~", 28 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getStringWidth(string(c.text), 0), c.width) << c.text;
    }
    EXPECT_EQ(getStringWidth(nullptr, 0), 0);
}

TEST_F(TextLayoutTest, MissingFontPartsMeasureAsNothing) {
    GameStatics* const s = statics();
    runtime::String* const ab = string("AB");
    EXPECT_EQ(getStringWidth(ab, 1), 0); // font 1: no sprite, no spacing entry
    EXPECT_EQ(getStringWidth(ab, -1), 0);
    s->fontSpacing = nullptr;
    EXPECT_EQ(getStringWidth(ab, 0), 18);
    s->sprites = nullptr;
    EXPECT_EQ(getStringWidth(string("A B"), 0), 6);
}

TEST_F(TextLayoutTest, TextWidthIsTheWidestLine) {
    EXPECT_EQ(getTextWidth(string("ab^abcd"), 0), getStringWidth(string("abcd"), 0));
    EXPECT_EQ(getTextWidth(string("abcd^ab"), 0), 39);
    EXPECT_EQ(getTextWidth(string("abc"), 0), getStringWidth(string("abc"), 0));
    EXPECT_EQ(getTextWidth(string("^"), 0), 0); // empty lines measure minus the spacing: 0 wins
    EXPECT_EQ(getTextWidth(string(""), 0), -1);
    EXPECT_EQ(getTextWidth(nullptr, 0), 0);
}

TEST_F(TextLayoutTest, LineCountIsRememberedForTheSameObject) {
    GameStatics* const s = statics();
    runtime::String* const text = string("a^b^^c");
    EXPECT_EQ(countTextLines(text), 4);
    EXPECT_EQ(countTextLines(string("abc")), 1);
    EXPECT_EQ(countTextLines(string("^")), 2);
    EXPECT_EQ(countTextLines(text), 4);
    // A second call with the same object answers from the cache without scanning.
    s->lastCountedLines = 99;
    EXPECT_EQ(countTextLines(text), 99);
    EXPECT_EQ(countTextLines(string("a^b^^c")), 4); // same contents, another object
    EXPECT_EQ(countTextLines(nullptr), 0);
}

TEST_F(TextLayoutTest, WrapCases) {
    // Every glyph advances 10 (9 + spacing 1), a space 6; a line measures its sum minus 1.
    const struct {
        const char* text;
        jint maxWidth;
        bool join;
        const char* wrapped;
    } cases[] = {
        {"abc def", 200, false, "abc def"},         // fits: unchanged
        {"aaa bbb ccc", 80, false, "aaa bbb^ccc"},  // 'aaa bbb c' reaches 80
        {"aaa bbb ccc", 102, false, "aaa bbb ccc"}, // the whole text is 101
        {"aaa bbb ccc", 101, false, "aaa bbb^ccc"}, // the last line is measured too
        {"ab^cd", 200, false, "ab^cd"},             // an existing break stays
        {"one^two", 200, true, "one two"},          // a single break becomes the join text
        {"one ^two", 200, true, "one two"},         // beside a space it is dropped
        {"one^ two", 200, true, "one two"},
        {"one^^two", 200, true, "one^^two"}, // an empty line stays
        {"^one^", 200, true, "^one^"},       // breaks at either end stay
        {"a^b^c", 200, true, "a b c"},
        {"one^two", 200, false, "one^two"},                  // no joining without joinLines
        {"abcdefghij", 35, false, "abcd^efgh^ij"},           // hard cuts keep every letter
        {"ab cdefghijk", 35, false, "ab^cdef^ghij^k"},       // a word longer than a line
        {"aa {Rbb cc dd", 80, false, "aa^{Rbb cc dd"},       // a coded run moves whole
        {"aa { bb cc dd", 80, false, "aa { bb cc^dd"},       // a mark before a space cuts at the space
        {"{Rbb cc {Gdddddd", 70, false, "{Rbb cc^{Gdddddd"}, // the code at the line start: space cut
        {"aaa bbb^ccc", 60, false, "aaa^bbb^ccc"},           // too wide at a break: cut at the space
        {"a", 5, false, "a"},
        {"abcdef", 30, false, "abcd^ef"}, // a hard cut ends the line where it reached the width
        {"ab", 12, false, "ab"},          // a last word alone stays whole
        {"W", 1, false, "W"},
    };
    for (const auto& c : cases) {
        runtime::String* const source = string(c.text);
        runtime::String* const wrapped = wrapText(source, c.maxWidth, 0, c.join ? 1 : 0);
        EXPECT_EQ(text(wrapped), c.wrapped) << c.text << " to " << c.maxWidth;
        EXPECT_NE(wrapped, source) << c.text; // always a new text
    }
}

TEST_F(TextLayoutTest, WrappedLinesThatHoldASpaceStayNarrower) {
    runtime::String* const source =
        string("The quick brown fox jumps over the lazy dog and keeps running far beyond the hill");
    for (jint maxWidth = 70; maxWidth <= 300; maxWidth += 7) {
        const std::string wrapped = text(wrapText(source, maxWidth, 0, 0));
        std::string letters;
        std::size_t start = 0;
        while (start <= wrapped.size()) {
            std::size_t end = wrapped.find('^', start);
            end = end == std::string::npos ? wrapped.size() : end;
            const std::string line = wrapped.substr(start, end - start);
            EXPECT_LT(getStringWidth(string(line.c_str()), 0), maxWidth) << maxWidth << ": " << line;
            letters += line;
            start = end + 1;
        }
        std::string expected = text(source);
        std::erase(expected, ' ');
        std::erase(letters, ' ');
        EXPECT_EQ(letters, expected) << maxWidth; // only spaces at the cuts are dropped
    }
}

TEST_F(TextLayoutTest, EmptyAndNullTextsComeBackAsTheyAre) {
    runtime::String* const empty = string("");
    EXPECT_EQ(wrapText(empty, 10, 0, 1), empty);
    EXPECT_EQ(wrapText(nullptr, 10, 0, 1), nullptr);
}

} // namespace
} // namespace game::sprites
