// The goal frame and net in a match on two sample clubs: a striker's shot, set up and played on
// its contact frame, runs tick by tick through the ball tick (the ball taking the next point of
// its planned path each tick, as the actor motion moves it). A shot at the crossbar of the +x goal
// springs off the bar with the contact effect, back out or down behind the line as the seeded
// spread says; one from wide at the side net of the -x goal
// is caught by the netting and drops outside the goal. After the hit the ball follows the path
// planned from the bar or the net, and the net of that goal plays its shake on the sample net
// sprite once, the other goal's net staying still.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallTick.h"
#include "game/match/model/KicksHeaders.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/Random.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

constexpr jint kSampleHomeClub = 3;
constexpr jint kSampleAwayClub = 11;
constexpr jint kShooterSlot = 9;
// The sprites the match start loads for the players, the keepers and the nets; the decided
// contact-effect sprite is loaded at start-up.
constexpr jint kMatchSpriteEntries[] = {0, 1, 3};
constexpr jint kNetSprite = 3;
constexpr jint kEffectSprite = 6;
constexpr jint kEffectAnim = 1;
// The goal line, the side nets' plane and the net's height.
constexpr jint kGoalLine = 135168;
constexpr jint kSideNet = 9728;
// The crossbar's front face.
constexpr jint kBarLow = 12032;
constexpr jint kBarHigh = 13056;
constexpr jint kTickLimit = 400;

// The ball's planned path as it stands: x, y, z per entry.
struct PathPoint {
    jint x, y, z;
};

class SampleGoalFrameTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        setUpSampleClubs(kSampleHomeClub, kSampleAwayClub);
        for (const jint entry : kMatchSpriteEntries) {
            sprites::loadSpriteSetEntry(entry);
        }
        setUpMatchOnSides();
        ASSERT_FALSE(runtime::exceptionPending());
        GameStatics* s = statics();
        auto* effect = runtime::newObject<Actor>();
        effect->kind = kEffectSprite;
        effect->sprite = static_cast<sprites::ASprite*>((*s->sprites)[kEffectSprite]);
        s->ballEffectActor = effect;
        s->ballEffectActive = 0;
        s->topState = core::kTopStateMatch;
        s->matchPhase = 0;
        s->ballEnteredGoal = 0;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(53);
        // Nobody else near the ball.
        for (jint t = 0; t < 2; ++t) {
            for (jint slot = 0; slot < CTeam::kOnPitch; ++slot) {
                CPlayer* p = teamPlayer(matchTeam(t), slot);
                p->x = t == 0 ? -60000 : 60000;
                p->y = -80000 + 6000 * slot;
            }
        }
    }

    // The shooter of side 0 at (x, y) with the ball at his feet, told to shoot at (tx, ty) at
    // height h; he sets up the kick and plays it on his pose's contact frame.
    static void shoot(const jint x, const jint y, const jint tx, const jint ty, const jint h) {
        GameStatics* s = statics();
        CPlayer* p = teamPlayer(matchTeam(0), kShooterSlot);
        ASSERT_NE(p, nullptr);
        p->x = x;
        p->y = y;
        p->flags = 0; // a straight driven shot
        p->direction = directionFromVector(tx - x, ty - y);
        p->wantedDirection = p->direction;
        placeBall(x, y);
        p->targetX = tx;
        p->targetY = ty;
        p->orderMode = h;
        p->kick(4, 0);
        ASSERT_EQ(s->ballHolder.get(), p);
        for (jint ticks = 0; s->ballHolder.get() == p && ticks < 60; ++ticks) {
            p->kickContact();
            if (s->ballHolder.get() == p) {
                p->updateAnimation();
            }
        }
        ASSERT_EQ(s->ballHolder.get(), nullptr) << "the shot leaves on its contact frame";
        ASSERT_EQ(s->ballState, kBallDriven);
    }

    static std::vector<PathPoint> plannedPath() {
        const GameStatics* s = statics();
        std::vector<PathPoint> path;
        for (jint k = 0; k < kBallPathLength; ++k) {
            path.push_back({(*s->ballPathX)[k], (*s->ballPathY)[k], (*s->ballPathZ)[k]});
        }
        return path;
    }

    // The ball's step of the actor motion: a placed or sent ball moves by its velocity, any other
    // takes the next point of its path, which advances until the entry the ball rests on.
    static void moveBall(Actor* ball) {
        GameStatics* s = statics();
        ball->prevX = ball->x;
        ball->prevY = ball->y;
        ball->prevZ = ball->z;
        if (s->ballState == kBallPlaced || s->ballState == kBallSent) {
            ball->x += ball->vx;
            ball->y += ball->vy;
            ball->z += ball->vz;
            return;
        }
        const jint i = s->ballPathIndex;
        ball->x = (*s->ballPathX)[i];
        ball->y = (*s->ballPathY)[i];
        ball->z = (*s->ballPathZ)[i];
        if (i < kBallPathLastReached) {
            s->ballPathIndex = i + 1;
        }
    }

    // Both nets advance their animations as the match view does once a tick.
    static void animateNets() {
        GameStatics* s = statics();
        s->netActorA->updateAnimation();
        s->netActorB->updateAnimation();
    }

    // Runs ticks (the ball's motion, then its tick) until the ball rebounds off the goal; the
    // velocity the ball brought to the hit is left in (inX, inY, inZ). False when it never hits.
    static bool runToTheHit(jint& inX, jint& inY, jint& inZ) {
        GameStatics* s = statics();
        Actor* ball = s->ball;
        ballTick(ball); // the tick of the kick
        for (jint tick = 0; tick < kTickLimit; ++tick) {
            moveBall(ball);
            animateNets();
            const jint i = s->ballPathIndex;
            inX = (*s->ballPathX)[i] - ball->x;
            inY = (*s->ballPathY)[i] - ball->y;
            inZ = (*s->ballPathZ)[i] - ball->z;
            ballTick(ball);
            if (s->ballState == kBallRebounding) {
                return true;
            }
            EXPECT_EQ(ball->vx, inX) << "the ball flies its planned path, tick " << tick;
        }
        return false;
    }

    // After the hit: the ball follows the path planned at the hit until a later hit plans a new one,
    // comes down and rests (at most kTickLimit ticks); the shaken net plays its animation once and
    // stops on its last frame.
    static void followThePlannedPath(Actor* net, const jint shake) {
        GameStatics* s = statics();
        Actor* ball = s->ball;
        const std::vector<PathPoint> path = plannedPath();
        ASSERT_EQ(s->ballPathIndex, 0) << "the path is planned from the hit";
        EXPECT_EQ(net->anim, shake);
        ASSERT_EQ(net->sprite, static_cast<sprites::ASprite*>((*s->sprites)[kNetSprite]));
        ASSERT_LT(net->anim, net->sprite->animationCount()) << "the sample net has the shake";
        const jint frames = (*net->sprite->animFrameCount)[net->anim] & 0xFF;
        ASSERT_GE(frames, 2);
        bool onFirstPlan = true;
        jint followed = 0;
        bool landed = false;
        for (jint k = 0; k < kTickLimit && s->ballState != kBallPlaced; ++k) {
            moveBall(ball);
            animateNets();
            if (onFirstPlan) {
                ASSERT_LT(k, kBallPathLength);
                EXPECT_EQ(ball->x, path[k].x) << "tick " << k;
                EXPECT_EQ(ball->y, path[k].y) << "tick " << k;
                EXPECT_EQ(ball->z, path[k].z) << "tick " << k;
                ++followed;
            }
            landed = landed || ball->z == 0;
            ballTick(ball);
            // The boards or the goal again plan a new path from there.
            onFirstPlan = onFirstPlan && s->ballPathIndex != 0;
        }
        EXPECT_GT(followed, 5) << "the ball flies the path planned at the hit";
        EXPECT_TRUE(landed) << "the ball comes down after the hit";
        EXPECT_EQ(s->ballState, kBallPlaced) << "and comes to rest";
        EXPECT_EQ(net->anim, shake);
        EXPECT_EQ(net->animFinished, 1) << "the shake has played";
        EXPECT_EQ(net->frame, frames - 1) << "and stays on its last frame";
    }
};

TEST_F(SampleGoalFrameTest, AShotAtTheCrossbarSpringsOffTheBarOutOrIn) {
    GameStatics* s = statics();
    s->pitchCondition = 0;
    const jint stillAnimB = s->netActorB->anim;
    // The spread draws of seed 1 send the ball back out, those of seed 23 down behind the line.
    for (const auto& [seed, goesIn] : {std::pair<jint, bool>{1, false}, std::pair<jint, bool>{23, true}}) {
        const std::string what = "seed " + std::to_string(seed);
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        s->ballEffectActive = 0;
        s->ballEffectActor->anim = 0;
        s->ballEnteredGoal = 0;
        // Aimed at 22,000 up from 23,168 out, the shot's flight crosses the line at the bar's height.
        shoot(112000, 0, kGoalLine, 0, 22000);
        jint inX = 0;
        jint inY = 0;
        jint inZ = 0;
        Actor* ball = s->ball;
        ASSERT_TRUE(runToTheHit(inX, inY, inZ)) << what << ": the shot meets the goal";
        EXPECT_GT(inX, 0) << what;
        EXPECT_GE(ball->z, kBarLow) << what;
        EXPECT_LE(ball->z, kBarHigh) << what;
        // Off the bar: the contact effect, and the ball sent back out or put behind the line.
        EXPECT_EQ(s->ballEffectActive, 1) << what;
        EXPECT_EQ(s->ballEffectActor->anim, kEffectAnim) << what;
        if (goesIn) {
            EXPECT_EQ(ball->x, 135424) << what;
            EXPECT_GT(ball->vx, 0) << what;
        } else {
            EXPECT_LT(ball->x, kGoalLine) << what;
            EXPECT_LT(ball->vx, 0) << what;
        }
        EXPECT_LT(core::approxDistance(ball->vx, ball->vz), core::approxDistance(inX, inZ))
            << what << ": the woodwork keeps 200/256 of the speed";
        EXPECT_EQ(s->netActorB->anim, stillAnimB) << what << ": the other goal's net stays still";
        followThePlannedPath(s->netActorA, 3);
        EXPECT_EQ(s->ballEnteredGoal, goesIn ? 1 : 0) << what;
        EXPECT_EQ(ball->x > kGoalLine, goesIn) << what << ": the ball rests at " << ball->x;
    }
}

TEST_F(SampleGoalFrameTest, AShotFromWideIsCaughtByTheSideNet) {
    GameStatics* s = statics();
    s->pitchCondition = 2;
    const jint stillAnimA = s->netActorA->anim;
    shoot(-118000, -40000, -138500, -9000, 3000);
    jint inX = 0;
    jint inY = 0;
    jint inZ = 0;
    Actor* ball = s->ball;
    ASSERT_TRUE(runToTheHit(inX, inY, inZ)) << "the shot meets the goal";
    // The netting from outside: turned back across its plane at 16/256 of the speed, no effect.
    EXPECT_GT(inY, 0);
    EXPECT_LT(ball->x, -kGoalLine);
    EXPECT_LT(ball->y, -kSideNet);
    EXPECT_EQ(ball->vy, std::max(-2560, (-inY * 16) >> 8));
    EXPECT_EQ(s->ballEffectActive, 0);
    EXPECT_EQ(s->ballEnteredGoal, 0);
    EXPECT_EQ(s->netActorA->anim, stillAnimA) << "the other goal's net stays still";
    followThePlannedPath(s->netActorB, 2 * 4 + 2);
    EXPECT_LT(ball->y, -kSideNet) << "the ball stays outside the goal";
    EXPECT_FALSE(isBallInGoal());
}

} // namespace
} // namespace game::match
