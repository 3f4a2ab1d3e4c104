// Runs to the ball: the run target, budget and kind planned on hand-filled ball paths, the ball
// player's hand-over with its offside candidate and run-kind draw, the pass target's lead, the
// frames of a run, the carried ball and the ball off each board.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameMath.h"
#include "game/match/MatchConstants.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallRuns.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class BallRunsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(1138);
        GameStatics* s = statics();
        s->kickingTeam = -1;
    }
    // A straight path along +x from x0, step dx a tick, whose heights rise by up to `peak` and
    // fall back: entry i at height peak - |i - top| * fall (not below 0).
    static void fillPath(const jint x0, const jint dx, const jint top, const jint peak, const jint fall) {
        GameStatics* s = statics();
        for (jint i = 0; i < 200; ++i) {
            (*s->ballPathX)[i] = x0 + i * dx;
            (*s->ballPathY)[i] = 1000;
            const jint z = peak - (i > top ? i - top : top - i) * fall;
            (*s->ballPathZ)[i] = z > 0 ? z : 0;
        }
    }
};

TEST_F(BallRunsTest, PlannedRunsStopWhereTheBallComesDownOrLeaves) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    // Rises to 10000 at entry 20, then falls 500 a tick: 3500 at 33, 3000 at 34, 2500 at 35.
    fillPath(0, 1000, 20, 10000, 500);
    struct Case {
        jint kind, index, entry, steps, passFlag;
    };
    for (const Case c : {Case{3, 5, 35, 3, 1}, Case{1, 5, 33, 4, 0}, Case{0, 5, 23, 3, 0},
                         Case{2, 5, 30, 2, 2}, Case{4, 5, 26, 3, 0}, Case{7, 5, 35, 3, 1},
                         Case{1, 0, 33, 4, 0}, Case{1, 25, 33, 4, 0}, Case{1, 34, 34, 4, 0}}) {
        s->ballPathIndex = c.index;
        t->planBallRun(c.kind);
        EXPECT_EQ(t->runTargetX, c.entry * 1000) << c.kind << " from " << c.index;
        EXPECT_EQ(t->runTargetY, 1000);
        EXPECT_EQ(t->runFaceX, t->runTargetX);
        EXPECT_EQ(t->runStepBudget, c.entry - c.index + 1) << c.kind << " from " << c.index;
        EXPECT_EQ(t->runSteps, c.steps) << c.kind;
        EXPECT_EQ(t->passFlag, c.passFlag) << c.kind;
        EXPECT_EQ(t->runKind, c.kind);
    }
    // A path already off the pitch: the entry of this tick, a budget of 1.
    fillPath(136000, 1000, 50, 10000, 100);
    s->ballPathIndex = 12;
    t->planBallRun(1);
    EXPECT_EQ(t->runTargetX, 136000 + 12000);
    EXPECT_EQ(t->runStepBudget, 1);
    // One that lands (height 0) without falling to the limit first keeps its highest point.
    fillPath(0, 1000, 3, 12000, 3000);
    s->ballPathIndex = 0;
    t->planBallRun(3);
    EXPECT_EQ(t->runTargetX, 3000); // falling 9000, 6000, 3000 stay above 2560; entry 7 is on the ground
}

TEST_F(BallRunsTest, ABackwardPassBecomesADrivenRunAndAForwardOneIsMetShort) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    CPlayer* kicker = player(0, 6);
    s->teamBallPlayer[0] = kicker;
    s->kickingTeam = 0;
    fillPath(0, 1000, 20, 10000, 500);
    s->ballPathIndex = 5;
    kicker->x = 50000; // the ball comes down at 30000 (kind 2) behind him
    kicker->y = 1000;
    t->planBallRun(2);
    EXPECT_EQ(t->runKind, 1);
    EXPECT_EQ(t->passFlag, 0);
    EXPECT_EQ(t->runTargetX, 30000);
    kicker->x = 0;
    t->planBallRun(2);
    EXPECT_EQ(t->runKind, 2);
    EXPECT_EQ(t->passFlag, 2);
    EXPECT_EQ(t->runTargetX, 30000 - 6400);
    EXPECT_EQ(t->runFaceX, 30000);
    t->planBallRun(3);
    EXPECT_EQ(t->runTargetX, 35000 - 4352);
    // Not the kicking team: no turn-back, no pull-back.
    s->kickingTeam = 1;
    kicker->x = 50000;
    t->planBallRun(2);
    EXPECT_EQ(t->runKind, 2);
    EXPECT_EQ(t->runTargetX, 30000);
}

TEST_F(BallRunsTest, TakingTheBallMakesTheBallPlayerAndDrawsTheRunKind) {
    GameStatics* s = statics();
    fillPath(0, 1000, 20, 10000, 500);
    s->ballPathIndex = 0;
    s->ballState = match::kBallLofted;
    CPlayer* previous = player(0, 3);
    previous->controlled = 1;
    s->teamBallPlayer[0] = previous;
    // An offside receiver becomes the candidate.
    s->lastTouchPlayer = player(0, 4);
    CPlayer* p = player(0, 9);
    p->x = 100000;
    p->takeFlags[2] = 1;
    team(0)->passFlag = 2;
    p->takeBall();
    EXPECT_EQ(previous->controlled, 0);
    EXPECT_EQ(p->controlled, 1);
    EXPECT_EQ(p->ballFlagB, 1);
    EXPECT_EQ(p->takeCount, 1);
    EXPECT_EQ(p->takeFlags[2], 0);
    EXPECT_EQ(team(0)->passFlag, 0);
    EXPECT_EQ(s->teamBallPlayer[0].get(), p);
    EXPECT_EQ(s->offsidePlayer.get(), p);
    // A controlled player takes nothing again.
    s->offsidePlayer = nullptr;
    p->takeBall();
    EXPECT_EQ(s->offsidePlayer.get(), nullptr);

    // The draw on a planned run: about a fifth long runs for the kicking team, a tenth driven
    // ones for the other; none after a keeper's touch.
    struct Case {
        jint side, kicking, lastSide, lastSlot, kind, lowest, highest;
    };
    for (const Case c : {Case{0, 0, 0, 4, 4, 25, 60}, Case{1, 0, 0, 4, 1, 8, 35}, Case{0, 0, 0, 0, 4, 0, 0},
                         Case{1, 0, 0, 0, 1, 0, 0}}) {
        s->kickingTeam = c.kicking;
        s->lastTouchPlayer = player(c.lastSide, c.lastSlot);
        jint hits = 0;
        for (jint n = 0; n < 200; ++n) {
            CPlayer* taker = player(c.side, 5);
            taker->controlled = 0;
            taker->x = 0;
            team(c.side)->runActive = 1;
            taker->takeBall();
            hits += team(c.side)->runKind == c.kind ? 1 : 0;
        }
        EXPECT_GE(hits, c.lowest) << c.side << " " << c.lastSlot;
        EXPECT_LE(hits, c.highest) << c.side << " " << c.lastSlot;
    }
    // The other team's runs in the shooting zone are never driven.
    s->kickingTeam = 0;
    s->lastTouchPlayer = player(0, 4);
    for (jint n = 0; n < 50; ++n) {
        CPlayer* taker = player(1, 5);
        taker->controlled = 0;
        taker->x = -110000; // team 1 attacks -x
        team(1)->runActive = 1;
        taker->takeBall();
        EXPECT_EQ(team(1)->runKind, 0);
    }
}

TEST_F(BallRunsTest, APassLeadsTheFirstAttacker) {
    GameStatics* s = statics();
    CPlayer* passer = player(0, 6);
    CPlayer* attacker = player(0, 10);
    attacker->x = 40000;
    attacker->y = -5000;
    s->carrierStage = 3;
    passer->setPassTarget(10000, 2000, -1);
    EXPECT_EQ(passer->order, 2);
    EXPECT_EQ(passer->targetX, 10000 + 25600);
    EXPECT_EQ(passer->targetY, 2000);
    EXPECT_EQ(passer->orderMode, -1);
    s->carrierStage = 0;
    passer->setPassTarget(10000, 2000, 3);
    EXPECT_EQ(passer->targetX, 10000);
    EXPECT_EQ(passer->orderMode, 3);
    s->firstAttacker[0] = attacker;
    for (jint n = 0; n < 20; ++n) {
        passer->setPassTarget(10000, 2000, -1);
        EXPECT_TRUE(passer->targetX == 40000 + 23040 || passer->targetX == 40000 + 30720) << passer->targetX;
        EXPECT_EQ(passer->targetY, -5000);
    }
    // The second team leads towards -x; outside open play there is no lead.
    CPlayer* other = player(1, 6);
    s->carrierStage = 4;
    other->setPassTarget(0, 0, -1);
    EXPECT_EQ(other->targetX, -25600);
    s->matchPhase = 3;
    other->setPassTarget(0, 0, -1);
    EXPECT_EQ(other->targetX, 0);
}

TEST_F(BallRunsTest, StepsToReachCountsFramesAndGivesUpAtThePathsLength) {
    EXPECT_EQ(match::stepsToReach(835, 0, 0, 500, 0), 0);
    EXPECT_EQ(match::stepsToReach(0, 0, 0, 40000, 0), 200);
    EXPECT_EQ(match::stepsToReach(-300, 0, 0, 40000, 0), 200);
    EXPECT_EQ(match::stepsToReach(0, 0, 0, 200, 0), 0);
    // 835 along +x: a step of 856 (835, rescaled 1565 / 1526), arriving within 690.
    EXPECT_EQ(match::stepsToReach(835, 0, 0, 40000, 0), 46);
    EXPECT_EQ(match::stepsToReach(835, 0, 0, 400000, 0), 200);
    const jint down = match::stepsToReach(835, 0, 0, 0, 40000);
    EXPECT_GT(down, 30);
    EXPECT_LT(down, 60);
}

TEST_F(BallRunsTest, TheCarriedBallStaysAtHisFeet) {
    GameStatics* s = statics();
    CPlayer* p = player(0, 5);
    p->x = 10000;
    p->y = 2000;
    p->vx = 1000;
    p->direction = 2;
    match::Actor* ball = s->ball;
    match::placeBall(9000, 2000);
    s->matchTicks = 50;
    s->ballArrivalTick = 54;
    EXPECT_EQ(p->carryBall(), match::kBallSent);
    EXPECT_EQ(ball->vx, (10000 + 1000 + 1280 - 9000) / 4);
    EXPECT_EQ(s->ballArrivalTick, 54);
    s->matchTicks = 54;
    ball->vz = 300;
    ball->ax = 7;
    p->handicapLevel = 0;
    EXPECT_EQ(p->carryBall(), match::kBallSent);
    EXPECT_EQ(ball->x, 10000 + 1232);
    EXPECT_EQ(ball->y, 2000);
    EXPECT_EQ(ball->vx, 1000);
    EXPECT_EQ(ball->vz, -300);
    EXPECT_EQ(ball->ax, 0);
    EXPECT_EQ(s->ballState, match::kBallSent);
    // Outside open play the ball keeps its point.
    s->matchPhase = 4;
    p->handicapLevel = 3;
    ball->x = 0;
    p->carryBall();
    EXPECT_EQ(ball->x, 0);
}

TEST_F(BallRunsTest, TheBallComesBackOffEveryBoard) {
    GameStatics* s = statics();
    match::Actor* ball = s->ball;
    struct Case {
        const char* board;
        jint x, y, vx, vy;
    };
    for (const Case c : {Case{"far side", 0, 101000, 300, 2000}, Case{"near side", 0, -93500, -300, -2000},
                         Case{"+x end", 149500, 0, 2000, 300}, Case{"-x end", -146700, 0, -2000, 300}}) {
        match::placeBall(c.x, c.y);
        ball->z = 100;
        ball->vx = c.vx;
        ball->vy = c.vy;
        s->ballState = match::kBallRolling;
        s->ballPathIndex = 9;
        match::ballHitsBoards(ball);
        EXPECT_EQ(s->ballState, match::kBallRebounding) << c.board;
        EXPECT_EQ(s->ballPathIndex, 0) << c.board << ": the path is planned afresh";
        const bool alongY = c.board[0] != '+' && c.board[0] != '-';
        EXPECT_EQ(ball->vx, (alongY ? c.vx : -c.vx) * 200 >> 8) << c.board;
        EXPECT_EQ(ball->vy, (alongY ? -c.vy : c.vy) * 200 >> 8) << c.board;
        for (jint tick = 0; tick < 5; ++tick) {
            ball->x += ball->vx;
            ball->y += ball->vy;
            EXPECT_GT(ball->x, -148224) << c.board;
            EXPECT_LT(ball->x, 151040) << c.board;
            EXPECT_GT(ball->y, -94976) << c.board;
            EXPECT_LT(ball->y, 102400) << c.board;
        }
    }
    // Moving away from a board, or short of its trigger line, nothing happens.
    match::placeBall(0, 101000);
    ball->vy = -500;
    s->ballState = match::kBallRolling;
    match::ballHitsBoards(ball);
    EXPECT_EQ(s->ballState, match::kBallRolling);
    match::placeBall(0, 80000);
    ball->vy = 30000;
    s->ballState = match::kBallRolling;
    match::ballHitsBoards(ball);
    EXPECT_EQ(s->ballState, match::kBallRolling);
}

} // namespace
} // namespace game::testing
