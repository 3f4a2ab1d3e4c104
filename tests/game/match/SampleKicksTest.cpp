// Kicks and challenges on the generated sample data: after the real start-up loading, with the
// player sprites the match start loads, every kick pose in every facing has the six frames its
// contact needs; a player told to pass turns into his pose, meets the ball on its contact frame,
// and the ball tick carries the ball along a filled path until it rests; a sliding challenge on
// the holder ends in a fall, a foul or a poke exactly as the seeded draws say.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallTick.h"
#include "game/match/model/KicksHeaders.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

class SampleKicksTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        loadMatchPlayers();
        GameStatics* s = statics();
        s->topState = 4;
        s->matchPhase = 0;
        teamPlayer(matchTeam(0), 0)->x = -130000;
    }
};

TEST_F(SampleKicksTest, EveryKickPoseHasTheFramesOfItsContact) {
    CPlayer* p = teamPlayer(matchTeam(0), 6);
    ASSERT_NE(p, nullptr);
    for (const jint state : {11, 12, 13, 15, 18, 19, 20, 21, 22, 25, 26, 27, 28, 46, 47, 50, 111, 112}) {
        for (jint dir = 0; dir < 8; ++dir) {
            p->direction = dir;
            p->setState(state);
            ASSERT_NE(p->sprite, nullptr);
            ASSERT_LT(p->anim, p->sprite->animationCount());
            const jint frames = (*p->sprite->animFrameCount)[p->anim] & 0xFF;
            EXPECT_GE(frames, 6) << state << " " << dir;
            EXPECT_GT(frames, kickContactFrame(state)) << state << " " << dir;
        }
    }
}

TEST_F(SampleKicksTest, APassIsPlayedOnItsContactFrameAndRollsAlongItsPath) {
    GameStatics* s = statics();
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(123);
    CPlayer* p = teamPlayer(matchTeam(0), 7);
    ASSERT_NE(p, nullptr);
    p->x = -20000;
    p->y = 0;
    p->direction = 0;
    p->wantedDirection = 0;
    placeBall(-20000, 0);
    // Straight ahead of him in direction 2: two steps to the right of his facing.
    p->targetX = 10000;
    p->targetY = 0;
    p->orderMode = 20;
    p->kick(2, 0);
    EXPECT_EQ(p->state, 20);
    EXPECT_EQ(p->direction, 2);
    EXPECT_EQ(s->ballHolder.get(), p);
    jint ticks = 0;
    while (s->ballHolder.get() == p && ticks < 60) {
        p->kickContact();
        if (s->ballHolder.get() == p) {
            p->updateAnimation();
        }
        ++ticks;
    }
    ASSERT_EQ(s->ballHolder.get(), nullptr);
    EXPECT_EQ(p->frame, kickContactFrame(20) - 1);
    EXPECT_EQ(s->ballState, kBallRolling);
    // The path: 30 steps of 1,000 along x, then the last point again.
    Actor* ball = s->ball;
    for (jint i = 0; i < 200; ++i) {
        (*s->ballPathX)[i] = ball->x + 1000 * std::min(i + 1, 30);
        (*s->ballPathY)[i] = ball->y;
        (*s->ballPathZ)[i] = 0;
        (*s->ballPathBounced)[i] = 0;
        (*s->ballPathGrounded)[i] = 0;
    }
    const jint startX = ball->x;
    s->ballPathIndex = 0;
    jint steps = 0;
    while (s->ballState != kBallPlaced && steps < 100) {
        ballTick(ball);
        ball->prevX = ball->x;
        ball->x += ball->vx;
        ball->y += ball->vy;
        ball->z += ball->vz;
        s->ballPathIndex += 1;
        ++steps;
    }
    EXPECT_EQ(steps, 31);
    EXPECT_EQ(ball->x, startX + 30000);
    EXPECT_EQ(ball->z, 0);
}

TEST_F(SampleKicksTest, ASlidingChallengeEndsAsTheDrawsSay) {
    GameStatics* s = statics();
    CPlayer* tackler = teamPlayer(matchTeam(0), 5);
    CPlayer* holder = teamPlayer(matchTeam(1), 9);
    ASSERT_NE(tackler, nullptr);
    ASSERT_NE(holder, nullptr);
    for (jint seed = 1; seed <= 40; ++seed) {
        placeBall(-30000, 5000);
        holder->x = -30000;
        holder->y = 5000;
        holder->direction = seed % 2 == 0 ? 2 : 6; // facing the tackler, or running away from him
        holder->action = 1;
        holder->outOfPlay = 0;
        holder->takePossession();
        tackler->x = -29000;
        tackler->y = 5000;
        tackler->direction = 6;
        tackler->defaultDirection = 6;
        tackler->distanceToBall = 1000;
        tackler->duelRating = 3;
        tackler->bookings = 0;
        tackler->outOfPlay = 0;
        s->tackleFlag = 0;
        // The draws as the challenge will make them.
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        const bool behind = holder->direction == 6;
        const bool foul = core::randomRange(0, behind ? 7 : 35) <= 3;
        const jint fall = core::randomRange(0, 9) < 4 ? 17 : 16;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        const jint fouls = matchTeam(0)->foulCount;
        tackler->slideChallenge();
        EXPECT_EQ(matchTeam(0)->foulCount - fouls, foul ? 1 : 0) << seed;
        if (foul) {
            EXPECT_EQ(holder->state, 17) << seed;
            EXPECT_EQ(s->ballHolder.get(), holder) << seed;
        } else {
            EXPECT_EQ(holder->state, fall) << seed;
            EXPECT_EQ(s->ballHolder.get(), nullptr) << seed;
            EXPECT_EQ(s->ballState, kBallKick5) << seed;
        }
    }
}

} // namespace
} // namespace game::match
