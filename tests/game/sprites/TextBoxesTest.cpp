// Text box painters: box edges and line steps, the window and the screen rows, the shared wrap
// cache, the windowed hyphen rewrite, the two self-scrolling boxes over many frames and the hint
// line.
#include "game/sprites/TextBoxes.h"

#include <gtest/gtest.h>

#include <optional>

#include "game/sprites/TextLayout.h"
#include "tests/game/support/TextFixture.h"

namespace game::sprites {

namespace {

using game::testing::DrawnLine;
using game::testing::TextFixture;

// A text of 100 short words, far wider than any box.
runtime::String* longText() {
    std::string words;
    for (int i = 0; i < 100; ++i) {
        words += i == 0 ? "word" : " word";
    }
    return runtime::newStringFromCString(words.c_str());
}

class TextBoxesTest : public TextFixture {
protected:
    std::vector<jint> drawnYs() {
        std::vector<jint> ys;
        for (const DrawnLine& line : recorder.take()) {
            ys.push_back(line.y);
        }
        return ys;
    }
};

TEST_F(TextBoxesTest, NullTextDrawsNothing) {
    GameStatics* const s = statics();
    runtime::String* const kept = string("kept");
    s->lastBoxText = kept;
    EXPECT_EQ(drawTextBox(nullptr, 10, 100, 18, 0, 0, 0, -1, 0, 0, -1, 1), 0);
    EXPECT_EQ(drawTextBoxOpt(nullptr, 10, 100, 18, 0, 0, 0, -1, 0, 0), 0);
    EXPECT_EQ(drawTextBoxPlain(nullptr, 10, 100, 18, 0, 0, 0, -1), 0);
    drawScrollingTextBox(nullptr, 4, 478, 100, 18, 2, 0);
    drawRollingTextBox(nullptr, 4, 478, 100, 18, 2, 0);
    drawHintText(nullptr);
    EXPECT_TRUE(recorder.lines.empty());
    EXPECT_EQ(s->lastBoxText.get(), kept);
    EXPECT_EQ(s->tickerDrawn, 0);
    EXPECT_EQ(drawTextBox(string(""), 10, 100, 18, 0, 0, 0, -1, 0, 0, -1, 1), 0);
}

TEST_F(TextBoxesTest, BoxEdgesGiveTheWrapWidthAndLinesKeepX) {
    const struct {
        jint x;
        jint anchor;
        jint rightEdge;
        jint wrapWidth;
    } cases[] = {
        {10, 0, -1, 424},                      // the default edge, and the box starts at 28
        {240, 2, 452, 424},                    // centred on x: twice the distance to the edge
        {240, 2, -1, 424},                     // centred on x with the default edge
        {100, 0, 300, 200}, {460, 4, -1, 424}, // ends at x: 480 wide, then the default margin
        {300, 4, 460, 640},                    // no margin with an edge given
        {400, 6, 452, 156},                    // both bits: twice the distance, ending at x (296..452)
    };
    for (const auto& c : cases) {
        runtime::String* const source = longText();
        const jint count = drawTextBox(source, c.x, 100, 18, 0, c.anchor, 3, -1, 0, 0, c.rightEdge, 0);
        const std::string expected = text(wrapText(longText(), c.wrapWidth, 0, 0));
        EXPECT_EQ(text(statics()->lastBoxLines), expected) << c.x << " " << c.anchor << " " << c.rightEdge;
        EXPECT_EQ(count, countTextLines(statics()->lastBoxLines)) << c.x;
        for (const DrawnLine& line : recorder.take()) {
            EXPECT_EQ(line.x, c.x);
            EXPECT_EQ(line.anchor, c.anchor);
            EXPECT_EQ(line.font, 0);
            EXPECT_EQ(line.palette, 3);
        }
    }
}

TEST_F(TextBoxesTest, TextThatFitsIsDrawnUnchanged) {
    runtime::String* const source = string("one^two three");
    EXPECT_EQ(drawTextBox(source, 10, 100, 18, 0, 0, 0, -1, 0, 0, -1, 0), 2);
    EXPECT_EQ(statics()->lastBoxLines.get(), source);
    EXPECT_EQ(recorder.take(),
              (std::vector<DrawnLine>{{"one", 10, 100, 0, 0, 0}, {"two three", 10, 124, 0, 0, 0}}));
    // With joinLines the wrap joins the lines only when the text is too wide.
    EXPECT_EQ(drawTextBoxPlain(string("one^two"), 10, 100, 18, 0, 0, 0, -1), 2);
    recorder.take();
}

TEST_F(TextBoxesTest, LineStepAndSplitting) {
    const struct {
        jint lineSpacing;
        jboolean asGiven;
        jboolean atSpaces;
        const char* text;
        std::vector<jint> ys;
        jint count;
    } cases[] = {
        {18, 0, 0, "a^b^c", {100, 124, 148}, 3},
        {20, 0, 0, "a^b^c", {100, 126, 152}, 3},
        {18, 1, 0, "a^b^c", {100, 118, 136}, 3},
        {18, 0, 1, "a b^c", {100, 124}, 2}, // every word on its own line
        {18, 0, 0, "a^b^", {100, 124}, 2},  // a trailing break adds no line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            drawTextBox(string(c.text), 10, 100, c.lineSpacing, 0, 0, 0, -1, c.atSpaces, c.asGiven, -1, 0),
            c.count)
            << c.text;
        EXPECT_EQ(drawnYs(), c.ys) << c.text << " " << c.lineSpacing;
    }
}

TEST_F(TextBoxesTest, WindowAndScreenRowsLimitWhatIsDrawnButNotTheCount) {
    GameStatics* const s = statics();
    s->boxScrollTop = 100;
    EXPECT_EQ(drawTextBox(string("a^b^c^d^e"), 10, 100, 18, 0, 0, 0, 3, 0, 0, -1, 0), 5);
    EXPECT_EQ(drawnYs(), (std::vector<jint>{100, 124, 148}));
    EXPECT_EQ(drawTextBox(string("a^b^c^d^e"), 10, 52, 18, 0, 0, 0, 3, 0, 0, -1, 0), 5);
    EXPECT_EQ(drawnYs(), (std::vector<jint>{100, 124, 148}));
    // Without a window only rows 1..799 are drawn.
    EXPECT_EQ(drawTextBox(string("a^b^c"), 10, -23, 24, 0, 0, 0, -1, 0, 1, -1, 0), 3);
    EXPECT_EQ(drawnYs(), (std::vector<jint>{1, 25}));
    EXPECT_EQ(drawTextBox(string("a^b^c"), 10, 775, 24, 0, 0, 0, -1, 0, 1, -1, 0), 3);
    EXPECT_EQ(drawnYs(), (std::vector<jint>{775, 799}));
}

TEST_F(TextBoxesTest, TheWrapIsKeptForTheSameObject) {
    GameStatics* const s = statics();
    runtime::String* const source = longText();
    drawTextBox(source, 10, 100, 18, 0, 0, 0, -1, 0, 0, -1, 0);
    runtime::String* const first = s->lastBoxLines;
    drawTextBox(source, 10, 100, 18, 0, 0, 0, -1, 0, 0, 200, 0); // another width: the first wrap
    EXPECT_EQ(s->lastBoxLines.get(), first);
    EXPECT_EQ(s->lastBoxText.get(), source);
    runtime::String* const copy = longText(); // equal contents, another object: wrapped again
    drawTextBox(copy, 10, 100, 18, 0, 0, 0, -1, 0, 0, 200, 0);
    EXPECT_NE(s->lastBoxLines.get(), first);
    EXPECT_EQ(text(s->lastBoxLines), text(wrapText(copy, 190, 0, 0)));
}

TEST_F(TextBoxesTest, CentredBlock) {
    GameStatics* const s = statics();
    runtime::String* const abc = string("abc"); // 29 wide
    drawTextBox(abc, 100, 100, 18, 0, 1, 0, -1, 0, 0, 300, 0);
    EXPECT_EQ(recorder.take().at(0).x, 100); // centring is off
    s->centreTextBlock = 1;
    drawTextBox(abc, 100, 100, 18, 0, 1, 0, -1, 0, 0, 300, 0);
    EXPECT_EQ(recorder.take().at(0).x, 100 + (300 - 100 - 29) / 2);
    drawTextBox(abc, 100, 100, 18, 0, 1, 0, -1, 0, 0, -1, 0); // the default edge is 452
    EXPECT_EQ(recorder.take().at(0).x, 100 + (452 - 100 - 29) / 2);
    drawTextBox(abc, 100, 100, 18, 0, 0, 0, -1, 0, 0, 300, 0); // only with anchor bit 1
    EXPECT_EQ(recorder.take().at(0).x, 100);
}

TEST_F(TextBoxesTest, WindowedHyphenLinesOfLongTextsInTheOneMenuState) {
    GameStatics* const s = statics();
    s->propertySuffix = string("1.0.0");
    std::string longLines = "X-abc";
    for (int i = 0; i < 40; ++i) {
        longLines += "^hello";
    }
    runtime::String* const longOne = string(longLines.c_str());
    runtime::String* const shortOne = string("X-abc^hello");
    s->boxScrollTop = 100;
    const struct {
        jint menuState;
        runtime::String* text;
        jint maxLines;
        const char* drawn;
    } cases[] = {
        {40, longOne, 1, "Xabc 1.0.0"},
        {40, longOne, -1, "X-abc"},
        {41, longOne, 1, "X-abc"},
        {40, shortOne, 1, "X-abc"},
    };
    for (const auto& c : cases) {
        s->menuState = c.menuState;
        drawTextBox(c.text, 10, 100, 18, 0, 0, 0, c.maxLines, 0, 0, -1, 0);
        EXPECT_EQ(recorder.take().at(0).text, c.drawn) << c.menuState << " " << c.maxLines;
    }
}

// The scrolling box over many frames: the y of its first line each frame (from whichever line
// the window showed), or nothing when nothing was drawn.
class ScrollingBoxTest : public TextBoxesTest {
protected:
    static constexpr jint kTop = 300;
    static constexpr jint kStep = 24; // line spacing 18

    std::optional<jint> frame(runtime::String* const lines, const jint visibleLines) {
        GameStatics* const s = statics();
        drawScrollingTextBox(lines, 4, 478, kTop, 18, visibleLines, 0);
        s->menuFrames += 1;
        const std::vector<DrawnLine> drawn = recorder.take();
        if (drawn.empty()) {
            return std::nullopt;
        }
        return drawn[0].y - (drawn[0].text[1] - '0') * kStep;
    }
};

TEST_F(ScrollingBoxTest, WaitsOnTheFirstPageThenScrollsThroughAndReturns) {
    GameStatics* const s = statics();
    runtime::String* const lines = string("L0^L1^L2^L3"); // full height 96, page 48
    s->scrollRestart = 1;
    std::vector<jint> ys;
    for (int f = 0; f < 400; ++f) {
        const std::optional<jint> y = frame(lines, 2);
        ys.push_back(y.value_or(-1));
    }
    EXPECT_EQ(s->scrollRestart, 0);
    EXPECT_EQ(s->scrollFinished, 0); // only reported with scrollStopAtEnd
    // The wait: the slow counter climbs 3 pixels in 5 frames to one page height (48).
    std::size_t f = 0;
    while (f < ys.size() && ys[f] == kTop) {
        ++f;
    }
    EXPECT_GE(f, 78u);
    EXPECT_LE(f, 82u);
    // The run: one pixel a frame through the whole height; once the last line (72 below the
    // first) has left the window, nothing is drawn.
    for (jint moved = 1; moved <= 96; ++moved, ++f) {
        ASSERT_LT(f, ys.size());
        EXPECT_EQ(ys[f], moved <= 72 ? kTop - moved : -1) << f;
    }
    // Back to the first page, which waits again before the next run.
    ASSERT_LT(f, ys.size());
    EXPECT_EQ(ys[f], kTop);
    std::size_t again = f;
    while (again < ys.size() && ys[again] == kTop) {
        ++again;
    }
    EXPECT_GE(again - f, 70u);
    ASSERT_LT(again, ys.size());
    EXPECT_EQ(ys[again], kTop - 1);
}

TEST_F(ScrollingBoxTest, StopAtEndReportsTheEndAndSkipsThatFrame) {
    GameStatics* const s = statics();
    runtime::String* const lines = string("L0^L1^L2^L3");
    s->scrollRestart = 1;
    s->scrollStopAtEnd = 1;
    bool moved = false;
    bool ended = false;
    for (int f = 0; f < 400 && !ended; ++f) {
        const jint offsetBefore = s->scrollOffset;
        const std::optional<jint> y = frame(lines, 2);
        moved = moved || (y.has_value() && *y < kTop);
        if (offsetBefore > 0 && s->scrollOffset == 0) {
            // The run is through: reported, and this frame draws nothing.
            ended = true;
            EXPECT_TRUE(moved);
            EXPECT_EQ(s->scrollFinished, 1);
            EXPECT_FALSE(y.has_value());
            EXPECT_GE(f, 80 + 96);
        } else if (s->scrollFinished != 0) {
            EXPECT_TRUE(moved) << "finished before the text moved, frame " << f;
            s->scrollFinished = 0; // the screen reads and clears it
        }
    }
    EXPECT_TRUE(ended);
}

TEST_F(ScrollingBoxTest, ShortTextStandsStillAndReportsAfterItsPeriod) {
    GameStatics* const s = statics();
    runtime::String* const lines = string("L0");
    s->scrollStopAtEnd = 1;
    int finishedAt = -1;
    for (int f = 0; f < 200 && finishedAt < 0; ++f) {
        EXPECT_EQ(frame(lines, 2), kTop);
        if (s->scrollFinished != 0) {
            finishedAt = f;
        }
    }
    // (1 + 1) lines x 24 = 48 pixels of the slow counter: 80 frames.
    EXPECT_EQ(s->scrollOffset, 48);
    EXPECT_GE(finishedAt, 78);
    EXPECT_LE(finishedAt, 80);
}

TEST_F(ScrollingBoxTest, ABoxWithoutHeightDoesNotDivideByZero) {
    GameStatics* const s = statics();
    runtime::String* const lines = string("L0^L1^L2");
    s->scrollRestart = 1;
    for (int f = 0; f < 10; ++f) {
        drawScrollingTextBox(lines, 4, 478, kTop, 18, 0, 0);
        drawScrollingTextBox(lines, 4, 478, kTop, 0, 2, 0);
        s->menuFrames += 1;
    }
    // Without a page to scroll through the text stands at y.
    EXPECT_EQ(s->scrollOffset, 0);
    for (const DrawnLine& line : recorder.take()) {
        EXPECT_EQ(line.y, kTop);
    }
}

TEST_F(TextBoxesTest, RollingBoxRollsUpAndReentersFromBelow) {
    GameStatics* const s = statics();
    runtime::String* const source = string("a^b^c^d"); // 4 lines: total (4 + 1) x 24 = 120
    s->scrollOffset = 0;
    drawRollingTextBox(source, 100, 300, 400, 18, 2, 5);
    EXPECT_EQ(s->scrollOffset, 2);
    EXPECT_EQ(s->boxScrollTop, 400);
    std::vector<DrawnLine> drawn = recorder.take();
    ASSERT_FALSE(drawn.empty());
    // Upper case, centred on the middle of the box; the text starts at y - 2 + 18 = 416.
    EXPECT_EQ(drawn[0], (DrawnLine{"A", 200, 416, 2, 0, 5}));
    s->scrollOffset = 120 - 4;
    drawRollingTextBox(source, 100, 300, 400, 18, 2, 5);
    EXPECT_EQ(s->scrollOffset, -260);
    EXPECT_TRUE(recorder.take().empty()); // 260 pixels below the window
    s->scrollOffset = 125;
    drawRollingTextBox(source, 100, 300, 400, 18, 2, 5);
    EXPECT_EQ(s->scrollOffset, (125 + 2) % 120);
    recorder.take();
    // A text that fits does not roll.
    s->scrollOffset = 7;
    drawRollingTextBox(string("a^b"), 100, 300, 400, 18, 2, 5);
    EXPECT_EQ(s->scrollOffset, 7);
    EXPECT_EQ(recorder.take().at(0).y, 400);
}

TEST_F(TextBoxesTest, HintLineOneLineOrTwoScrollingLines) {
    GameStatics* const s = statics();
    s->hintLineYs = runtime::newIntArray(4);
    (*s->hintLineYs)[0] = 726;
    drawHintText(string("short hint"));
    EXPECT_EQ(recorder.take(), (std::vector<DrawnLine>{{"short hint", 4, 726, 1, 0, 0}}));
    EXPECT_EQ(s->tickerDrawn, 0);

    runtime::String* const hint = longText(); // wraps to 448: many lines
    s->scrollRestart = 1;                     // as the screen does on entry
    drawHintText(hint);
    EXPECT_EQ(s->tickerDrawn, 1);
    EXPECT_EQ(s->scrollStopAtEnd, 0);
    EXPECT_EQ(s->boxScrollTop, 704);
    const std::vector<DrawnLine> drawn = recorder.take();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].x, 4);
    EXPECT_EQ(drawn[0].y, 704);
    // Frame after frame the hint is not wrapped again, though the box keys the shared cache with
    // the wrapped lines.
    runtime::String* const wrapped = s->hintBoxLines;
    EXPECT_EQ(text(wrapped), text(wrapText(longText(), 448, 0, 0)));
    for (int f = 0; f < 5; ++f) {
        drawHintText(hint);
        EXPECT_EQ(s->hintBoxLines.get(), wrapped);
        EXPECT_EQ(s->lastBoxText.get(), wrapped);
        EXPECT_EQ(s->lastBoxLines.get(), wrapped);
    }
}

} // namespace
} // namespace game::sprites
