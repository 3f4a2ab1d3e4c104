// The scrolling pitch background: along a camera path the incremental screen equals a full
// redraw at every step; the ring buffer's blit pieces; a one-tile move redraws one column or row;
// a forced redraw covers the window once; and golden images of the sample pitch.
//
// After a deliberate change of the pitch or its painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_framework_tests --gtest_filter='PitchBackground*'
// and look at every rewritten image before committing it.
#include <vector>

#include "game/match/view/PitchBackground.h"
#include "tests/game/support/MatchViewFixture.h"

namespace game::testing {

namespace {

using match::PitchViewPiece;

struct TileRange {
    jint x0, y0, x1, y1;
    bool operator==(const TileRange&) const = default;
};
std::vector<TileRange>& painted() {
    static std::vector<TileRange> ranges;
    return ranges;
}
void recordTiles(const jint x0, const jint y0, const jint x1, const jint y1) {
    painted().push_back({x0, y0, x1, y1});
}

class PitchBackgroundTest : public MatchViewFixture {
protected:
    // A fixture pitch: layer 0 covers every cell with one of 24 tiles in all four flips, layer 1
    // keyed tiles on some cells.
    void installFixturePitch() {
        std::vector<std::uint8_t> ground(kMapColumns * kMapRows);
        std::vector<std::uint8_t> groundFlips(ground.size() / 4);
        std::vector<std::uint8_t> marks(ground.size(), 255);
        for (jint i = 0; i < static_cast<jint>(ground.size()); ++i) {
            ground[i] = static_cast<std::uint8_t>((i * 7 + i / kMapColumns * 3) % 24);
            groundFlips[i / 4] =
                static_cast<std::uint8_t>(groundFlips[i / 4] | ((i / 5) % 4) << (6 - 2 * (i % 4)));
            if (i % 13 == 0) {
                marks[i] = static_cast<std::uint8_t>(i % 6);
            }
        }
        setLayer(0, ground, groundFlips, fixtureTiles(24, 5, false), 5);
        setLayer(1, marks, {}, fixtureTiles(6, 3, true), 3);
    }
    // The screen drawn by a full redraw at (x, y) into a fresh buffer; the incremental buffer and
    // its tile window are kept.
    std::vector<std::uint16_t> fullRedraw(const jint x, const jint y) {
        GameStatics* s = statics();
        profile::Image* kept = s->pitchBuffer;
        profile::Graphics* keptGraphics = s->pitchGraphics;
        const jint window[] = {s->backgroundTileX0, s->backgroundTileY0, s->backgroundTileX1,
                               s->backgroundTileY1};
        s->pitchBuffer = core::createMutableImage(match::kPitchBufferWidth, match::kPitchBufferHeight);
        s->pitchGraphics = runtime::newObject<profile::Graphics>(s->pitchBuffer.get());
        s->backgroundForceRedraw = 1;
        match::drawPitchBackground(x, y);
        std::vector<std::uint16_t> pixels = screenPixels();
        s->pitchBuffer = kept;
        s->pitchGraphics = keptGraphics;
        s->backgroundTileX0 = window[0];
        s->backgroundTileY0 = window[1];
        s->backgroundTileX1 = window[2];
        s->backgroundTileY1 = window[3];
        return pixels;
    }
    std::vector<std::uint16_t> screenPixels() const {
        std::vector<std::uint16_t> pixels;
        for (jint y = 0; y < 800; ++y) {
            pixels.insert(pixels.end(), screen->row16(y), screen->row16(y) + 480);
        }
        return pixels;
    }
};

TEST_F(PitchBackgroundTest, IncrementalScreensEqualFullRedrawsAlongACameraPath) {
    installFixturePitch();
    struct Move {
        jint dx, dy;
        bool force;
    };
    // From (470, 2), inside the pitch image's camera range: right and down so that the window
    // moves from lying whole in the ring to straddling its edges in both axes, back left and up,
    // steps of 1 to 20 pixels, then a forced jump.
    std::vector<Move> moves;
    for (jint i = 1; i <= 20; ++i) {
        moves.push_back({i, (i % 3) * 2, false});
    }
    for (jint i = 20; i >= 1; --i) {
        moves.push_back({-i, -(i % 4), false});
    }
    for (jint i = 0; i < 30; ++i) {
        moves.push_back({(i % 2 == 0 ? 17 : -3), 16 + i % 5, false});
    }
    moves.push_back({800, -300, true});
    for (jint i = 1; i <= 10; ++i) {
        moves.push_back({-i * 2, -i, false});
    }
    GameStatics* s = statics();
    jint x = 470;
    jint y = 2;
    s->backgroundForceRedraw = 1;
    match::drawPitchBackground(x, y);
    jint step = 0;
    bool wrappedX[2] = {false, false};
    bool wrappedY[2] = {false, false};
    for (const Move& m : moves) {
        x += m.dx;
        y += m.dy;
        ASSERT_TRUE(x >= 0 && x <= 2399 && y >= 0 && y <= 607) << x << ", " << y;
        wrappedX[x % match::kPitchBufferWidth > 16 ? 1 : 0] = true;
        wrappedY[y % match::kPitchBufferHeight > 16 ? 1 : 0] = true;
        s->backgroundForceRedraw = m.force ? 1 : 0;
        match::drawPitchBackground(x, y);
        const std::vector<std::uint16_t> incremental = screenPixels();
        ASSERT_EQ(incremental, fullRedraw(x, y)) << "step " << step << " at (" << x << ", " << y << ")";
        ++step;
    }
    EXPECT_TRUE(wrappedX[0] && wrappedX[1]);
    EXPECT_TRUE(wrappedY[0] && wrappedY[1]);
}

TEST_F(PitchBackgroundTest, BlitPiecesFollowTheRingsWraps) {
    struct Case {
        jint x, y;
        std::vector<PitchViewPiece> pieces;
    };
    const Case cases[] = {
        {0, 0, {{0, 0, 480, 800, 0, 0}}},
        {20, 0, {{20, 0, 476, 800, 0, 0}, {0, 0, 4, 800, 476, 0}}},
        {0, 30, {{0, 30, 480, 786, 0, 0}, {0, 0, 480, 14, 0, 786}}},
        // A window that ends exactly on the ring's edge takes the wrap branch with empty pieces.
        {16,
         16,
         {{16, 16, 480, 800, 0, 0},
          {16, 0, 480, 0, 0, 800},
          {0, 16, 0, 800, 480, 0},
          {0, 0, 0, 0, 480, 800}}},
        {500, 850, {{4, 34, 480, 782, 0, 0}, {4, 0, 480, 18, 0, 782}}},
        {1000, 1650, {{8, 18, 480, 798, 0, 0}, {8, 0, 480, 2, 0, 798}}},
        {30,
         40,
         {{30, 40, 466, 776, 0, 0},
          {30, 0, 466, 24, 0, 776},
          {0, 40, 14, 776, 466, 0},
          {0, 0, 14, 24, 466, 776}}},
    };
    for (const Case& c : cases) {
        PitchViewPiece pieces[match::kMaxPitchViewPieces];
        const jint count = match::pitchViewPieces(c.x, c.y, pieces);
        EXPECT_EQ(std::vector<PitchViewPiece>(pieces, pieces + count), c.pieces) << c.x << ", " << c.y;
    }
}

TEST_F(PitchBackgroundTest, MovesRedrawOnlyTheUncoveredTiles) {
    const match::PitchTilePainter previous = match::setPitchTilePainter(&recordTiles);
    painted().clear();
    GameStatics* s = statics();
    s->backgroundForceRedraw = 1;
    match::drawPitchBackground(100, 200);
    EXPECT_EQ(s->backgroundForceRedraw, 0);
    // The window: columns 6..36, rows 12..62 (one more than the screen shows).
    EXPECT_EQ(painted(), (std::vector<TileRange>{{6, 12, 36, 62}}));
    struct Case {
        jint x, y;
        std::vector<TileRange> ranges;
    };
    const Case cases[] = {
        {105, 203, {}},                                  // within the tiles held: nothing
        {121, 203, {{37, 12, 37, 62}}},                  // 16 right: one new column
        {105, 203, {{6, 12, 6, 62}}},                    // back left: one new first column
        {105, 219, {{6, 63, 36, 63}}},                   // 16 down: one new row
        {105, 203, {{6, 12, 36, 12}}},                   // back up
        {125, 223, {{37, 13, 37, 63}, {7, 63, 37, 63}}}, // both: the column, then the row
    };
    for (const Case& c : cases) {
        painted().clear();
        match::drawPitchBackground(c.x, c.y);
        EXPECT_EQ(painted(), c.ranges) << c.x << ", " << c.y;
    }
    match::setPitchTilePainter(previous);
}

TEST_F(PitchBackgroundTest, TheClipIsWholeAfterwardsAndPhase15KeepsThePanelsFree) {
    installFixturePitch();
    GameStatics* s = statics();
    profile::Graphics* g = s->currentGraphics;
    g->setColor(0x123456);
    g->fillRect(0, 0, 480, 800);
    const std::uint16_t panel = screen->row16(10)[10];
    s->matchPhase = 15;
    s->backgroundForceRedraw = 1;
    match::drawPitchBackground(40, 40);
    EXPECT_EQ(screen->row16(10)[10], panel);
    EXPECT_EQ(screen->row16(790)[300], panel);
    EXPECT_NE(screen->row16(24)[10], panel);
    EXPECT_EQ(g->clipX1, 0);
    EXPECT_EQ(g->clipY1, 0);
    EXPECT_EQ(g->clipX2, 480);
    EXPECT_EQ(g->clipY2, 800);
}

TEST_F(PitchBackgroundTest, SamplePitchGoldens) {
    installSamplePitch();
    struct Case {
        const char* name;
        jint x, y;
    };
    // The top-left corner flag, the centre circle and the right goal with its penalty box.
    const Case cases[] = {{"pitch_corner", 0, 0}, {"pitch_centre", 1200, 300}, {"pitch_goal", 2399, 380}};
    GameStatics* s = statics();
    for (const Case& c : cases) {
        s->backgroundForceRedraw = 1;
        match::drawPitchBackground(c.x, c.y);
        expectGolden(c.name, *screen, 0, 0, 480, 800);
    }
}

} // namespace
} // namespace game::testing
