// The scripted order and the follow of play: every step's pose, when a step is done (a looping
// pose at once, another when its animation has run, the wait not before its end), the moving
// steps' motion, the hidden ball, the set-piece wait by the team's run-up, the walks to their
// target, the turn's pose and the steps that do not exist; the follow's diagonal or straight step
// by mode, its pose, its hold and the move of order 1 it hands on to.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/match/Geometry.h"
#include "game/match/model/PlayerMotion.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class PlayerScriptsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(4711);
        s = statics();
        s->matchTicks = 100;
        p = player(0, 6);
        p->x = 0;
        p->y = 0;
        p->direction = 2;
        p->wantedDirection = 2;
        p->runSpeed = 1000;
        p->ballRunSpeed = 900;
        p->sideSpeed = 700;
    }
    // The player as a fresh command leaves him: moving a little, then given step `step`.
    void give(const jint step, const jint a = 0, const jint b = 0) {
        p->state = 0;
        p->action = 0;
        p->vx = 300;
        p->vy = 300;
        p->animFinished = 0;
        p->giveScript(a, b, step);
    }
    // The screen-proportioned move along d at speed.
    static std::pair<jint, jint> along(const jint speed, const jint d) {
        match::screenVectorAlong(speed, d);
        return {statics()->vectorX, statics()->vectorY};
    }
    GameStatics* s = nullptr;
    CPlayer* p = nullptr;
};

TEST_F(PlayerScriptsTest, EachStandingStepHoldsItsPoseUntilItIsDone) {
    struct Case {
        jint step, state;
        bool loops;
    };
    const Case cases[] = {{2, 33, true},  {5, 37, true},  {6, 38, false}, {7, 39, true},
                          {14, 23, true}, {16, 71, true}, {17, 72, true}, {21, 49, false},
                          {22, 51, false}, {8, 48, false}};
    for (const Case& c : cases) {
        give(c.step);
        s->ballHiddenB = 0;
        p->runScript();
        EXPECT_EQ(p->state, c.state) << c.step;
        EXPECT_EQ(p->vx, 0) << c.step;
        EXPECT_EQ(p->vy, 0) << c.step;
        EXPECT_EQ(s->ballHiddenB, c.step == 8 ? 1 : 0) << c.step;
        // A looping pose is done at once and lets the next command come; another plays on.
        EXPECT_EQ(p->isReadyForOrder(), c.loops) << c.step;
        p->runScript();
        EXPECT_EQ(p->order, 11) << c.step;
        EXPECT_EQ(p->state, c.state) << c.step;
        p->animFinished = 1;
        p->runScript();
        EXPECT_EQ(p->order, c.loops ? 11 : 0) << c.step;
        EXPECT_EQ(p->state, c.loops ? c.state : 0) << c.step;
        EXPECT_TRUE(p->isReadyForOrder()) << c.step;
    }
}

TEST_F(PlayerScriptsTest, TheWaitHoldsItsPoseToItsEnd) {
    give(18, -1, 25);
    p->runScript();
    EXPECT_EQ(p->state, 41);
    p->animFinished = 1;
    s->matchTicks = 124;
    p->runScript();
    EXPECT_EQ(p->state, 41);
    EXPECT_EQ(p->order, 11);
    EXPECT_FALSE(p->isReadyForOrder());
    s->matchTicks = 125;
    p->runScript();
    EXPECT_EQ(p->order, 0);
    EXPECT_TRUE(p->isReadyForOrder());
}

TEST_F(PlayerScriptsTest, AMovingStepCarriesThePlayerAlongHisFacingForItsPose) {
    struct Case {
        jint step, state, facing;
    };
    const Case cases[] = {{3, 35, 2}, {4, 36, 5}, {12, 54, 0}, {13, 55, 7}};
    for (const Case& c : cases) {
        p->direction = c.facing;
        p->wantedDirection = c.facing;
        give(c.step);
        p->runScript();
        const auto [vx, vy] = along(1000, c.facing);
        EXPECT_EQ(p->state, c.state) << c.step;
        EXPECT_EQ(p->vx, vx) << c.step;
        EXPECT_EQ(p->vy, vy) << c.step;
        EXPECT_EQ(p->action, 1) << c.step;
        p->runScript();
        EXPECT_EQ(p->vx, vx) << "the move goes on with the pose: " << c.step;
        p->animFinished = 1;
        p->runScript();
        EXPECT_EQ(p->order, 0) << c.step;
        EXPECT_EQ(p->vx, 0) << c.step;
        EXPECT_EQ(p->vy, 0) << c.step;
    }
}

TEST_F(PlayerScriptsTest, TheSetPieceStepWaitsAsTheTeamsRunUpSaysThenPlaysItsPose) {
    struct Case {
        jint runFlag, low, high;
    };
    for (const Case& c : {Case{1, 8, 10}, Case{2, 30, 50}, Case{0, 30, 50}}) {
        team(0)->runFlag = c.runFlag;
        jint low = 1000;
        jint high = 0;
        for (jint n = 0; n < 300; ++n) {
            s->matchTicks = 100;
            p->holding = 0;
            give(11);
            p->runScript();
            const auto wait = static_cast<jint>(p->orderEndTime - s->matchTicks);
            low = std::min(low, wait);
            high = std::max(high, wait);
            EXPECT_EQ(p->state, 0);
            EXPECT_EQ(p->vx, 0);
            EXPECT_FALSE(p->isReadyForOrder());
        }
        EXPECT_EQ(low, c.low) << c.runFlag;
        EXPECT_EQ(high, c.high) << c.runFlag;
    }
    // The last wait runs out: the pose, then the player stands once it has played.
    const jlong end = p->orderEndTime;
    s->matchTicks = end - 1;
    p->runScript();
    EXPECT_EQ(p->state, 0);
    EXPECT_EQ(p->orderEndTime, end);
    s->matchTicks = end;
    p->runScript();
    EXPECT_EQ(p->state, 53);
    EXPECT_EQ(p->holding, 0);
    p->runScript();
    EXPECT_EQ(p->state, 53);
    p->animFinished = 1;
    p->runScript();
    EXPECT_EQ(p->order, 0);
    EXPECT_EQ(p->state, 0);
}

TEST_F(PlayerScriptsTest, AWalkOfTheScriptReachesItsTargetAndStands) {
    struct Case {
        jint step, pose, tx, ty;
    };
    for (const Case& c : {Case{1, 56, 20000, 0}, Case{20, 1, -15000, 9000}}) {
        p->x = 0;
        p->y = 0;
        give(c.step, c.tx, c.ty);
        // The turn to the target is the per-frame update's before the step plays.
        p->direction = p->wantedDirection;
        jint frames = 0;
        while (p->order == 11 && frames < 100) {
            p->runScript();
            if (p->order == 11) {
                EXPECT_EQ(p->state, c.pose);
                EXPECT_EQ(p->direction, directionFromVector(c.tx - p->x, c.ty - p->y));
                EXPECT_EQ(p->action, 1);
                EXPECT_TRUE(p->vx != 0 || p->vy != 0);
                p->x += p->vx;
                p->y += p->vy;
            }
            ++frames;
        }
        EXPECT_EQ(p->order, 0) << c.step;
        EXPECT_EQ(p->x, c.tx) << c.step;
        EXPECT_EQ(p->y, c.ty) << c.step;
        EXPECT_EQ(p->state, 0) << c.step;
        EXPECT_EQ(p->vx, 0) << c.step;
        EXPECT_GT(frames, 5) << "a walk of 20,000 takes several frames: " << c.step;
    }
    // Without a run speed he cannot walk: he is placed at the target (logged).
    p->runSpeed = 0;
    give(1, 5000, 5000);
    p->runScript();
    EXPECT_EQ(p->order, 0);
    EXPECT_EQ(p->x, 5000);
    EXPECT_EQ(p->y, 5000);
}

TEST_F(PlayerScriptsTest, TheTurnStepTakesItsPoseOnceTurned) {
    give(19, 6, 0);
    EXPECT_EQ(p->wantedDirection, 6);
    p->direction = 6;
    p->runScript();
    EXPECT_EQ(p->state, 57);
    EXPECT_EQ(p->moving, 0);
    EXPECT_EQ(p->arrived, 1);
    EXPECT_TRUE(p->isReadyForOrder());
}

TEST_F(PlayerScriptsTest, AStepThatDoesNotExistLeavesThePlayerStanding) {
    for (const jint step : {0, 9, 10, 15, 23, -1}) {
        give(step);
        p->runScript();
        EXPECT_EQ(p->order, 0) << step;
        EXPECT_EQ(p->state, 0) << step;
        EXPECT_EQ(p->vx, 0) << step;
    }
}

TEST_F(PlayerScriptsTest, TheFollowStepsAsideOrOnThenHandsOnToOrderOne) {
    struct Case {
        jint mode, facing, dir, speed;
        bool holds;
    };
    const Case cases[] = {
        {0, 0, 7, 900, false},  {0, 6, 7, 900, false}, {0, 2, 3, 900, false},   {0, 4, 3, 900, false},
        {0, 5, 5, 900, false},  {3, 6, 7, 700, false}, {3, 1, 1, 700, false},   {1, 2, 2, 500, true},
        {2, 4, 4, 500, true},
    };
    for (const Case& c : cases) {
        s->matchTicks = 100;
        p->action = 0;
        p->order = 13;
        p->orderMode = c.mode;
        p->direction = c.facing;
        p->wantedDirection = c.facing;
        p->follow();
        const auto [vx, vy] = along(c.speed, c.dir);
        EXPECT_EQ(p->vx, vx) << c.mode << " " << c.facing;
        EXPECT_EQ(p->vy, vy) << c.mode << " " << c.facing;
        EXPECT_EQ(p->state, 60 + c.mode) << c.mode;
        EXPECT_EQ(p->lastFollowMode, c.mode);
        EXPECT_EQ(p->action, 13);
        if (!c.holds) {
            EXPECT_EQ(p->order, 1) << c.mode;
            continue;
        }
        // Held for 12 ticks; the step is not started again meanwhile.
        EXPECT_EQ(p->order, 13);
        p->vx = 0;
        s->matchTicks = 111;
        p->follow();
        EXPECT_EQ(p->order, 13);
        EXPECT_EQ(p->vx, 0);
        s->matchTicks = 112;
        p->follow();
        EXPECT_EQ(p->order, 1);
        EXPECT_EQ(p->action, 13);
    }
    // A mode outside 0..3 stands the player.
    p->action = 0;
    p->order = 13;
    p->orderMode = 4;
    p->follow();
    EXPECT_EQ(p->order, 0);
    EXPECT_EQ(p->action, 0);
}

} // namespace
} // namespace game::testing
