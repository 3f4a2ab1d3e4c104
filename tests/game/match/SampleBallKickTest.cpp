// Kicks on the generated sample data: after the real start-up loading, with the kick parameters
// where the static set-up put them, a real player of the first team passes along the ground,
// lofts a pass and shoots through the kick and the ball's flight step, each within the launch
// bands; and a dribbling player's knock-on stays within his reach while he runs after it.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchTuning.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

class SampleBallKickTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        ASSERT_TRUE(runStartupLoading());
        kicker = teamPlayer(matchTeam(0), 7);
        ASSERT_NE(kicker, nullptr);
        statics()->matchPhase = 0;
    }
    // The ball at the kicker's feet at (x, y), then kicked by him.
    void kickFrom(const jint x, const jint y, const jint kind, const jint tx, const jint ty, const jint h) {
        kicker->x = x;
        kicker->y = y;
        placeBall(x, y);
        statics()->ballBounced = 0;
        kicker->takePossession();
        kicker->dropPossession();
        kickBall(kind, tx, ty, h, -1, -1);
    }
    // One tick of the ball's flight.
    static void flyTick() {
        Actor* b = statics()->ball;
        ballVerticalStep(b);
        b->x += b->vx;
        b->y += b->vy;
        b->z += b->vz;
    }
    CPlayer* kicker = nullptr;
};

TEST_F(SampleBallKickTest, ARealPlayerPassesLoftsAndShoots) {
    GameStatics* s = statics();
    Actor* b = s->ball;
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(s->matchTiming[kKickG2], 64);
    // A ground pass of 40,000 along +x.
    kickFrom(-20000, 5000, kBallRolling, 20000, 5000, 0);
    EXPECT_EQ(s->lastTouchPlayer.get(), kicker);
    jint ticks = 0, highest = 0;
    while (b->x < 20000 && ticks < 200) {
        flyTick();
        highest = b->z > highest ? b->z : highest;
        ++ticks;
    }
    EXPECT_LT(highest, kGroundPassPeakBelow);
    EXPECT_GE(40000 / ticks, kGroundPassMeanSpeedMin);
    EXPECT_LE(40000 / ticks, kGroundPassMeanSpeedMax);
    EXPECT_LE(core::approxDistance(b->vx, b->vy), kGroundPassSpeedAtTarget);
    // A lofted pass of 70,000 diagonally comes down near its target.
    kickFrom(-30000, -30000, kBallLofted, 19497, 19497, 0);
    ticks = 0;
    do {
        flyTick();
        ++ticks;
    } while (b->z > 0 && ticks < 400);
    EXPECT_LE(core::approxDistance(b->x - 19497, b->y - 19497),
              std::max(70000 / kLoftLandingShare, kLoftLandingMin));
    // A shot at his own power from 60,000 out reaches the goal line under the bar.
    kickPower() = core::clamp(kicker->shotPower, 0, 7);
    kickFrom(135168 - 60000, 0, kBallDriven, 135168, 3000, 4000);
    EXPECT_EQ(s->creditedPlayer.get(), kicker);
    ticks = 0;
    while (b->x < 135168 && ticks < 100) {
        flyTick();
        ++ticks;
    }
    EXPECT_LE(ticks, kShotTicksToLine);
    EXPECT_LT(b->z, 12544);
    EXPECT_GT(b->y, 0);
}

TEST_F(SampleBallKickTest, ADribblersKnockOnStaysWithinHisReach) {
    GameStatics* s = statics();
    Actor* b = s->ball;
    kicker->x = 0;
    kicker->y = 0;
    kicker->direction = 2;
    kicker->runSpeed = s->pitchRowBase;
    kicker->ballRunSpeed = s->pitchRowBase;
    placeBall(0, 0);
    kicker->takePossession();
    kicker->dribbleStep();
    ASSERT_GT(kicker->vx, 0);
    kicker->loseBall();
    EXPECT_EQ(s->ballState, kBallKick5);
    // The ball rolls to a point a stride or so ahead, never ahead of him by more than the
    // distance at which he collects it, and he is within that distance after his next step.
    EXPECT_GT(b->aimX, kicker->x);
    EXPECT_LT(b->aimX - kicker->x, 8192);
    jint furthestAhead = 0;
    for (jint tick = 0; tick < 8; ++tick) {
        flyTick();
        kicker->x += kicker->vx;
        furthestAhead = std::max(furthestAhead, b->x - kicker->x);
        if (tick == 0) {
            EXPECT_LT(core::approxDistance(b->x - kicker->x, b->y - kicker->y), 1793);
        }
    }
    EXPECT_LT(furthestAhead, 1793);
}

} // namespace
} // namespace game::match
