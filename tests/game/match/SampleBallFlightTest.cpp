// The ball on the generated sample data: after the real start-up loading the ball actor is sent,
// flies, bounces and rolls to a stop inside the boards; the kit colours are white while nothing
// has created the colour tables; and the camera leads a lofted ball along the grounded flags the
// static set-up created.
#include <gtest/gtest.h>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/model/Ball.h"
#include "game/match/model/MatchRecords.h"
#include "game/match/view/MatchCamera.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

class SampleBallFlightTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        while (statics()->topState == core::kTopStateLoading && harness.framesRun() < kFrameLimit) {
            harness.runFrames(1);
        }
        ASSERT_NE(statics()->topState, core::kTopStateLoading);
    }
    static constexpr int kFrameLimit = 200;
};

TEST_F(SampleBallFlightTest, TheBallIsSentAndComesToRestInsideTheBoards) {
    GameStatics* s = statics();
    Actor* ball = static_cast<Actor*>((*s->matchActors)[0]);
    ASSERT_NE(ball, nullptr);
    ASSERT_EQ(ball, s->ball.get());
    placeBall(-20000, 5000);
    EXPECT_EQ(s->ballState, kBallPlaced);
    s->matchTicks = 100;
    EXPECT_EQ(kickBallTo(40000, 25000, 40), kBallSent);
    EXPECT_EQ(s->ballArrivalTick, 140);
    // What the kick routine leaves for the flight: a loft, its direction, drag and friction.
    ball->vz = 2000;
    s->ballDirX = 240;
    s->ballDirY = 80;
    s->airDrag = 6;
    s->groundFriction = 20;
    s->ballBounced = 0;
    jint steps = 0;
    jint highest = 0;
    while ((ball->vx != 0 || ball->vy != 0 || ball->vz != 0 || ball->z != 0) && steps < 2000) {
        ballVerticalStep(ball);
        ball->x += ball->vx;
        ball->y += ball->vy;
        ball->z += ball->vz;
        highest = ball->z > highest ? ball->z : highest;
        ++steps;
        // The boards stand at x 151040 and -148224, y 102400 and -94976.
        ASSERT_GT(ball->x, -148224) << steps;
        ASSERT_LT(ball->x, 151040) << steps;
        ASSERT_GT(ball->y, -94976) << steps;
        ASSERT_LT(ball->y, 102400) << steps;
    }
    EXPECT_LT(steps, 2000);
    EXPECT_EQ(highest, 1488 + 976 + 464); // gravity 512 from 2000 up
    EXPECT_EQ(s->ballBounced, 1);
    EXPECT_GT(ball->x, 20000); // well on its way past where it was sent from
    EXPECT_FALSE(isBallInGoal());
}

TEST_F(SampleBallFlightTest, KitsAreWhiteWithoutColourTables) {
    GameStatics* s = statics();
    ASSERT_EQ(s->teamColours.get(), nullptr);
    updateKitColours();
    for (const jint t : {0, 1}) {
        EXPECT_EQ(s->kitColour[t], 0xFFFFFF);
        EXPECT_EQ(s->kitShade[t], 0x7F7F7F);
    }
}

TEST_F(SampleBallFlightTest, TheCameraLeadsALoftedBallAlongItsPath) {
    GameStatics* s = statics();
    ASSERT_NE(s->ballPathGrounded.get(), nullptr);
    ASSERT_EQ(s->ballPathGrounded->length, 200);
    Actor* ball = s->ball;
    placeBall(0, 0);
    ball->z = 6000;
    ball->flightSide = 1;
    s->ballState = kBallLoftedHigh;
    s->matchPhase = 0;
    s->flightFlag = 0;
    startCameraFollowActor(0, ball, 0);
    s->cameraFollowsPlayer = 0;
    s->cameraFlightLead = 1;
    (*s->ballPathGrounded)[40] = 1; // comes down at entry 40: the lead peaks at entry 20
    s->ballPathIndex = 0;
    updateMatchCamera();
    const jint unled = s->cameraTargetX;
    s->ballPathIndex = 20;
    updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX - unled, 144);
    s->ballPathIndex = 30;
    updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX - unled, 72);
}

} // namespace
} // namespace game::match
