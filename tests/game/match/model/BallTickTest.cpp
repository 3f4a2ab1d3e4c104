// The ball's tick: a placed ball holds and keeps its target on itself, a path that repeats its
// point places the ball on the ground, a sent ball's braking stops at 0, the path's flags and the
// goal-frame test, the ground pass grounded when its path strays, the reads held to entry 199,
// the ring of four ball marks on a wet pitch and the trail's divisor for shots and other flights.
#include <gtest/gtest.h>

#include <vector>

#include "game/match/Geometry.h"
#include "game/match/StandIns.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallTick.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class BallTickTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5140);
        GameStatics* s = statics();
        s->ballTrail = runtime::newIntArray(12);
        s->ballTrailLength = 4;
        s->ballTrailStride = 3;
        s->pitchCondition = 0;
        match::placeBall(1000, 2000);
    }
    static match::Actor* tickBall() { return statics()->ball; }
    // Every path entry := (x, y, z), flags clear.
    static void fillPath(const jint x, const jint y, const jint z) {
        GameStatics* s = statics();
        for (jint i = 0; i < 200; ++i) {
            (*s->ballPathX)[i] = x;
            (*s->ballPathY)[i] = y;
            (*s->ballPathZ)[i] = z;
            (*s->ballPathBounced)[i] = 0;
            (*s->ballPathGrounded)[i] = 0;
        }
    }
};

TEST_F(BallTickTest, APlacedBallHoldsWithItsTargetOnItself) {
    match::Actor* b = tickBall();
    b->aimX = 50000;
    b->aimY = -3000;
    for (jint i = 0; i < 3; ++i) {
        match::ballTick(b);
    }
    EXPECT_EQ(statics()->ballState, match::kBallPlaced);
    EXPECT_EQ(b->aimX, 1000);
    EXPECT_EQ(b->aimY, 2000);
    EXPECT_EQ(b->vx, 0);
    EXPECT_EQ(b->x, 1000);
}

TEST_F(BallTickTest, APathRepeatingItsPointPlacesTheBallOnTheGround) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    for (const jint state : {0, 1, 2, 3, 4, 5, 9, 10}) {
        b->x = 1000;
        b->y = 2000;
        b->z = 300;
        s->ballState = state;
        s->ballBounced = 0;
        s->ballGrounded = 0;
        fillPath(1000, 2000, 300);
        s->ballTrailOn = 1;
        match::ballTick(b);
        EXPECT_EQ(s->ballState, match::kBallPlaced) << state;
        EXPECT_EQ(b->z, 0) << state;
        EXPECT_EQ(s->ballTrailOn, 0) << state;
    }
}

TEST_F(BallTickTest, AFlightStepsToItsPathEntryWithItsFlags) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    s->ballState = match::kBallLofted;
    fillPath(5000, 2500, 900);
    (*s->ballPathBounced)[7] = 1;
    s->ballPathIndex = 7;
    match::ballTick(b);
    EXPECT_EQ(b->vx, 4000);
    EXPECT_EQ(b->vy, 500);
    EXPECT_EQ(b->vz, 900);
    EXPECT_EQ(s->ballBounced, 1);
    EXPECT_EQ(s->ballGrounded, 0);
    // While the ball sorts above, the path gives no velocity.
    s->ballSortsAbove = 1;
    fillPath(9000, 2000, 0);
    match::ballTick(b);
    EXPECT_EQ(b->vx, 4000);
    s->ballSortsAbove = 0;
    // An index past the table reads its last entry.
    (*s->ballPathX)[199] = 1234;
    s->ballPathIndex = 250;
    match::ballTick(b);
    EXPECT_EQ(b->vx, 1234 - 1000);
}

TEST_F(BallTickTest, AGroundPassStrayingFromItsTargetIsGrounded) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    struct Case {
        jint index;
        jint aheadX; // x of the entry nine ahead (held to 199)
        jint grounded;
    };
    for (const Case& c : {Case{0, 1000 + 1280, 0}, Case{0, 1000 + 1281, 1}, Case{195, 1000 + 1281, 1}}) {
        s->ballState = match::kBallRolling;
        fillPath(1200, 2000, 0);
        (*s->ballPathX)[std::min(c.index + 9, 199)] = c.aheadX;
        s->ballPathIndex = c.index;
        b->x = 1000;
        b->aimX = 1000;
        b->aimY = 2000;
        s->ballBounced = 1;
        s->ballGrounded = 0;
        s->bounceTicks = 9;
        match::ballTick(b);
        // Grounded, the landing is predicted at once: for a ground ball, its entry nine ahead.
        EXPECT_EQ(b->aimX, c.grounded != 0 ? c.aheadX : 1000) << c.index << " " << c.aheadX;
        EXPECT_EQ(s->bounceTicks, 0);
    }
    // Before ten bounced ticks nothing is tested.
    s->ballGrounded = 0;
    s->bounceTicks = 3;
    match::ballTick(b);
    EXPECT_EQ(s->bounceTicks, 4);
    EXPECT_EQ(s->ballGrounded, 0);
}

TEST_F(BallTickTest, TheBrakingOfASentBallStopsAtZero) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    struct Case {
        jint v;
        jint brake;
        std::vector<jint> steps;
    };
    for (const Case& c : {Case{100, 30, {70, 40, 10, 0, 0}}, Case{-100, -30, {-70, -40, -10, 0, 0}},
                          Case{90, 30, {60, 30, 0, 0, 0}}, Case{50, 0, {50, 50, 50, 50, 50}}}) {
        s->ballState = match::kBallSent;
        b->vx = c.v;
        b->ax = c.brake;
        b->vy = c.v;
        b->ay = c.brake;
        b->z = 0;
        b->vz = 0;
        for (const jint expected : c.steps) {
            match::ballTick(b);
            EXPECT_EQ(b->vx, expected) << c.v << " " << c.brake;
            EXPECT_EQ(b->vy, expected) << c.v << " " << c.brake;
        }
        EXPECT_EQ(s->ballState, c.steps.back() == 0 ? match::kBallPlaced : match::kBallSent);
    }
    // Airborne, gravity pulls it down; on the ground it does not.
    s->ballState = match::kBallSent;
    b->vx = 100;
    b->ax = 0;
    b->z = 400;
    b->vz = 50;
    b->gravity = 20;
    match::ballTick(b);
    EXPECT_EQ(b->vz, 30);
}

TEST_F(BallTickTest, TheTrailSpreadsOverTheWholeStepForShotsAndHalfOfItOtherwise) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    for (const jint state : {2, 9, 1}) {
        s->ballState = state;
        b->x = 1000;
        b->y = 2000;
        b->z = 600;
        b->prevX = 0;
        b->prevY = 2000;
        b->prevZ = 0;
        fillPath(1300, 2000, 600);
        match::ballTick(b);
        const jint d = state == 1 ? 3 : 5;
        ASSERT_EQ(s->ballTrailOn, 1);
        for (jint k = 1; k <= 4; ++k) {
            EXPECT_EQ((*s->ballTrail)[(k - 1) * 3], 1000 - (1000 / d) * k) << state << " " << k;
            EXPECT_EQ((*s->ballTrail)[(k - 1) * 3 + 1], 2000);
            EXPECT_EQ((*s->ballTrail)[(k - 1) * 3 + 2], 600 - (600 / d) * k);
        }
    }
}

TEST_F(BallTickTest, AWetPitchKeepsARingOfFourBallMarks) {
    GameStatics* s = statics();
    match::Actor* b = tickBall();
    s->pitchCondition = 2;
    s->ballMarkNext = 0;
    s->ballState = match::kBallSent;
    for (jint i = 0; i < 6; ++i) {
        b->x = 1000 + 5000 * i;
        b->vx = 100;
        b->ax = 0;
        b->z = 0;
        match::ballTick(b);
    }
    EXPECT_EQ(s->ballMarkNext, 2);
    for (const auto& [mark, i] : std::vector<std::pair<jint, jint>>{{0, 4}, {1, 5}, {2, 2}, {3, 3}}) {
        match::projectToScreen(1000 + 5000 * i, 2000, 0);
        EXPECT_EQ(s->ballMarks[3 * mark], s->projectedX) << mark;
        EXPECT_EQ(s->ballMarks[3 * mark + 1], s->projectedY) << mark;
    }
    // No mark in the air, none from a still ball, none on a dry pitch.
    for (const auto& [condition, z, vx] :
         std::vector<std::tuple<jint, jint, jint>>{{2, 1, 100}, {2, 0, 0}, {1, 0, 100}}) {
        s->pitchCondition = condition;
        b->z = z;
        b->vx = vx;
        b->vy = 0;
        match::ballTick(b);
        EXPECT_EQ(s->ballMarkNext, 2);
    }
}

} // namespace
} // namespace game::testing
