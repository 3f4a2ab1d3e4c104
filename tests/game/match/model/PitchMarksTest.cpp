// Actors on the screen and marks on the pitch: visibility at the window's exact edges, the trail
// of both pitch conditions with its ring of four, the shared ring of slide marks, marks switched
// off for an unseen player, painting the marks, and the ball's net and depth tests at their bounds.
#include <gtest/gtest.h>

#include <string>

#include "game/core/ObjectSetUp.h"
#include "game/match/Geometry.h"
#include "game/match/model/MatchRecords.h"
#include "game/match/model/PitchMarks.h"
#include "game/sprites/ASprite.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "tests/game/support/AnimationSprites.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

// The effects sprite: animation a has a + 2 frames.
sprites::ASprite* marksEffectsSprite() {
    return spriteWithAnimations({2, 3, 4, 5, 6, 7, 8}, 7);
}

class PitchMarksTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->ball = runtime::newObject<match::Actor>();
        s->ball->kind = 2;
        s->sprites = runtime::newObjectArray(12);
        (*s->sprites)[7] = marksEffectsSprite();
        s->slideMarks = runtime::newIntArray(kSlideMarks * kSlideMarkInts);
        resetSlideMarks();
        s->slideMarkNext = 0;
        walker()->visible = 1;
    }
    static CPlayer* walker() { return player(0, 4); }
    // Byte b of trail mark m, unsigned.
    static jint markByte(const jint m, const jint b) { return (*walker()->trail)[m * 8 + b] & 0xFF; }
    static jint markShort(const jint m, const jint b) {
        return static_cast<runtime::jshort>(markByte(m, b) | markByte(m, b + 1) << 8);
    }
    static jint slideInt(const jint mark, const jint i) { return (*statics()->slideMarks)[mark * 4 + i]; }
    // Puts the ball where it projects to (sx, sy): x found along the row, the height lifts sy.
    static void ballAtScreen(const jint sx, const jint sy) {
        GameStatics* s = statics();
        match::Actor* ball = s->ball;
        screenToPitch(sx, sy); // in 256ths
        ball->y = s->projectedY * 256;
        ball->z = 0;
        const jint start = s->projectedX * 256;
        for (jint x = start - 2000; x < start + 2000; ++x) {
            projectToScreen(x, ball->y, 0);
            if (s->projectedX == sx) {
                ball->x = x;
                break;
            }
        }
        projectToScreen(ball->x, ball->y, 0);
        for (jint z = (s->projectedY - sy) * 256 - 512; z < (s->projectedY - sy) * 256 + 512; ++z) {
            projectToScreen(ball->x, ball->y, z);
            if (s->projectedX == sx && s->projectedY == sy) {
                ball->z = z;
                return;
            }
        }
        ADD_FAILURE() << "no ball position projects to " << sx << ", " << sy;
    }
};

TEST_F(PitchMarksTest, AnActorIsVisibleUpToTheWindowsEdges) {
    match::Actor* actor = runtime::newObject<match::Actor>();
    statics()->flagActor = actor;
    actor->placement = 1; // placed by its owner
    actor->boxLeft = -10;
    actor->boxTop = -20;
    actor->boxRight = 10;
    actor->boxBottom = 0;
    const struct {
        jint sx;
        jint sy;
        bool visible;
    } cases[] = {
        {90, 500, true},                       // right edge on the window's left
        {89, 500, false},                      // one short
        {590, 500, true},                      // left edge on the window's right (100 + 480)
        {591, 500, false},                     // one past
        {300, 200, true},                      // bottom on the window's top
        {300, 199, false},  {300, 1020, true}, // top on the window's bottom (200 + 800)
        {300, 1021, false},
    };
    for (const auto& c : cases) {
        actor->screenX = c.sx;
        actor->screenY = c.sy;
        actor->updateScreenPosition(100, 200);
        EXPECT_EQ(actor->visible != 0, c.visible) << c.sx << ", " << c.sy;
        EXPECT_EQ(actor->screenX, c.sx); // not projected
    }
    // A projected actor takes its screen point from the pitch; the ball also its ground point.
    GameStatics* s = statics();
    match::Actor* ball = s->ball;
    ball->placement = 0;
    ball->x = 20000;
    ball->y = -8000;
    ball->z = 3000;
    ball->updateScreenPosition(0, 0);
    projectToScreen(20000, -8000, 3000);
    EXPECT_EQ(ball->screenX, s->projectedX);
    EXPECT_EQ(ball->screenY, s->projectedY);
    projectToScreen(20000, -8000, 0);
    EXPECT_EQ(s->ballGroundX, s->projectedX);
    EXPECT_EQ(s->ballGroundY, s->projectedY);
}

TEST_F(PitchMarksTest, TheFirstTrailMarksEveryFourthFrameOfAMove) {
    GameStatics* s = statics();
    s->pitchCondition = 1;
    CPlayer* p = walker();
    for (jint frame = 1; frame <= 8; ++frame) { // standing: no marks
        p->updateTrail();
    }
    EXPECT_EQ(p->trailNext, 0);
    EXPECT_EQ(markByte(0, 0), 0);
    p->vx = 300;
    jint lastX = 0;
    jint lastY = 0;
    for (jint frame = 9; frame <= 28; ++frame) { // marks on frames 12, 16, 20, 24 and 28
        p->x = frame * 1000;
        p->updateTrail();
        if (frame % 4 == 0) {
            projectToScreen(p->x, p->y, p->z);
            lastX = s->projectedX;
            lastY = s->projectedY;
        }
    }
    EXPECT_EQ(p->trailNext, 1);
    // The fifth mark took the oldest place.
    EXPECT_EQ(markByte(0, 0), 7);
    EXPECT_EQ(markByte(0, 1), 0);
    EXPECT_EQ(markByte(0, 2), 2);
    EXPECT_EQ(markByte(0, 3), 0);
    EXPECT_EQ(markShort(0, 4), lastX);
    EXPECT_EQ(markShort(0, 6), lastY);
    projectToScreen(16000, 0, 0);
    EXPECT_EQ(markShort(1, 4), s->projectedX); // the second mark, frame 16
}

TEST_F(PitchMarksTest, TheSecondTrailMarksEverySlideFrameByFacing) {
    GameStatics* s = statics();
    s->pitchCondition = 2;
    CPlayer* p = walker();
    p->state = 15;
    const jint animByDirection[8] = {2, 2, 4, 4, 3, 2, 2, 4};
    for (jint dir = 0; dir < 8; ++dir) {
        p->direction = dir;
        const jint at = p->trailNext;
        p->updateTrail();
        EXPECT_EQ(markByte(at, 1), animByDirection[dir]) << dir;
        EXPECT_EQ(markByte(at, 2), animByDirection[dir] + 2) << dir;
    }
    // Out of a slide it marks every fourth frame of a move, with animation 6.
    p->state = 1;
    p->vy = -200;
    p->trailTick = 0;
    const jint before = p->trailNext;
    for (jint frame = 0; frame < 3; ++frame) {
        p->updateTrail();
    }
    EXPECT_EQ(p->trailNext, before);
    p->updateTrail();
    EXPECT_EQ(markByte(before, 1), 6);
    EXPECT_EQ(p->trailNext, (before + 1) % 4);
    // Any other condition leaves no trail.
    s->pitchCondition = 3;
    for (jint frame = 0; frame < 8; ++frame) {
        p->updateTrail();
    }
    EXPECT_EQ(p->trailNext, (before + 1) % 4);
}

TEST_F(PitchMarksTest, SlidesShareARingOfTenMarks) {
    GameStatics* s = statics();
    CPlayer* p = walker();
    p->state = 15;
    for (jint slide = 0; slide < 11; ++slide) {
        p->direction = slide % 2 == 0 ? 3 : 7;
        p->startSlide = 1;
        p->updateTrail();
        EXPECT_EQ(p->startSlide, 0);
        EXPECT_EQ(p->slideMark, slide % 10) << slide;
        EXPECT_EQ(slideInt(p->slideMark, 0), slide % 2 == 0 ? 2 : 66) << slide; // view 6 is 2 mirrored
        EXPECT_EQ(slideInt(p->slideMark, 1), 0);
    }
    EXPECT_EQ(s->slideMarkNext, 1);
    // The mark follows the sliding player while it is younger than 4.
    p->x = 30000;
    (*s->slideMarks)[p->slideMark * 4 + 1] = 3;
    p->updateTrail();
    projectToScreen(30000, 0, 0);
    EXPECT_EQ(slideInt(p->slideMark, 2), s->projectedX);
    EXPECT_EQ(slideInt(p->slideMark, 3), s->projectedY);
    p->x = 60000;
    (*s->slideMarks)[p->slideMark * 4 + 1] = 4;
    p->updateTrail();
    EXPECT_EQ(slideInt(p->slideMark, 2), s->projectedX);
    // A player whose mark was reset (-1) leaves the ring alone.
    resetSlideMarks();
    p->updateTrail();
    EXPECT_EQ(p->slideMark, -1);
}

TEST_F(PitchMarksTest, AnUnseenPlayersMarksGoOffAndPaintedMarksRunOut) {
    GameStatics* s = statics();
    s->pitchCondition = 2;
    CPlayer* p = walker();
    p->state = 15;
    p->direction = 0; // animation 2: four frames
    p->updateTrail();
    p->updateTrail();
    EXPECT_EQ(markByte(0, 0), 7);
    profile::Image* screen = core::createMutableImage(480, 800);
    s->currentGraphics = screen->getGraphics();
    runtime::LogCapture log;
    for (jint paint = 1; paint <= 6; ++paint) {
        p->paintPlayerEffects(s->currentGraphics, 0, 0);
        EXPECT_EQ(markByte(0, 3), paint < 4 ? paint : 4) << paint;
        EXPECT_EQ(markByte(2, 3), 0); // never written: no frames
    }
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
    p->visible = 0;
    s->pitchCondition = 0;
    p->updateTrail();
    for (jint m = 0; m < 4; ++m) {
        EXPECT_EQ(markByte(m, 0), 255) << m;
    }
    (*p->trail)[3] = 0;
    p->paintPlayerEffects(s->currentGraphics, 0, 0);
    EXPECT_EQ(markByte(0, 3), 0); // off: not painted
}

TEST_F(PitchMarksTest, TheBallInTheNetAtItsBounds) {
    const struct {
        jint sx;
        jint sy;
        bool inNet;
    } cases[] = {
        {2124, 600, true},  {2123, 600, false}, // left side of the box
        {2242, 600, true},  {2243, 600, false}, // right side
        {2124, 602, true},  {2124, 603, false}, // the floor: sy - 7 below 596
        {2124, 553, false}, {2200, 595, true},  // the top; the back from sy - 7 above 587
        {2138, 560, true},  {2139, 560, false}, // the slant: 6 * 126 against 18 and 19 * 40
        {2242, 594, true},  {2124, 554, false}, // under the back the slant holds to the far side
    };
    for (const auto& c : cases) {
        ballAtScreen(c.sx, c.sy);
        EXPECT_EQ(match::isBallInGoalNet(), c.inNet) << c.sx << ", " << c.sy;
    }
}

TEST_F(PitchMarksTest, TheBallsDepthAgainstTheGoalFrame) {
    match::Actor* ball = statics()->ball;
    const struct {
        jint x;
        jint y;
        jint z;
        bool behind;
    } cases[] = {
        {0, 0, 0, false},         {-140032, 0, 0, false},   {-140033, 0, 0, true},
        {-1000, 9728, 0, false},  {-1000, 9729, 0, true},   {-1000, 0, 12544, false},
        {-1000, 0, 12545, true},  {135168, 20000, 0, true}, {135169, 0, 12545, true},
        {141000, 9727, 0, false}, {141000, 9728, 0, true},  {136000, -20000, 0, false},
    };
    for (const auto& c : cases) {
        ball->x = c.x;
        ball->y = c.y;
        ball->z = c.z;
        EXPECT_EQ(match::ballGoalDepthTest(), c.behind) << c.x << ", " << c.y << ", " << c.z;
    }
    // In the goal the net decides.
    for (const jint y : {-4000, 0, 6000}) {
        ball->x = 137000;
        ball->y = y;
        ball->z = 2000;
        EXPECT_EQ(match::ballGoalDepthTest(), match::isBallInGoalNet()) << y;
    }
}

} // namespace
} // namespace game::testing
