// The open-play planner over scenes: a keeper holding the ball only resets the tasks; a chaser
// inside his reaction time runs to the landing point, after it to the first point of the path
// he reaches first; an opponent who gets there first puts him on the cell behind the mark point;
// no interception beyond path entry 189; the ball carrier; the tracker of a forward runner inside
// his box; the shoot-out clears every task.
#include <gtest/gtest.h>

#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace open_play_cases {

constexpr jint kChaser = 6;
constexpr jint kOpponent = 9;

class OpenPlayPlannerTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        GameStatics* s = statics();
        // The ball path tables among the match boxes.
        match::initMatchBoxes(s);
        for (jint i = 0; i < CTeam::kOnPitch; ++i) {
            player(0, i)->runSpeed = 512;
            player(1, i)->runSpeed = 512;
            player(0, i)->reactionTime = 5;
        }
        player(0, 0)->outOfPlay = 0;
        player(0, 0)->x = -130000;
        team(0)->possession = -1;
        team(1)->possession = -1;
        s->lastTouchPlayer = player(1, 10);
        s->designatedPlayer = -1;
        s->ballState = 0;
        s->touchTicks = 30;
    }
    void restart() {
        TearDown();
        SetUp();
    }
    static CPlayer* onPitch(const jint side, const jint i, const jint x, const jint y) {
        CPlayer* p = player(side, i);
        p->outOfPlay = 0;
        p->x = x;
        p->y = y;
        return p;
    }
    // A rolling ball from (x0, 0) along +x, one path entry per tick `step` further on; the ball
    // itself at entry ballPathIndex - 1 and its landing point far off the path.
    static void rollingPath(const jint index, const jint x0, const jint step) {
        GameStatics* s = statics();
        for (jint j = 0; j < 200; ++j) {
            (*s->ballPathX)[j] = x0 + step * (j + 1);
            (*s->ballPathY)[j] = 0;
        }
        s->ballPathIndex = index;
        s->ball->x = x0 + step * index;
        s->ball->y = 0;
        s->ball->aimX = 120000;
        s->ball->aimY = 80000;
        s->ballState = 0;
    }
};

TEST_F(OpenPlayPlannerTest, AKeeperHoldingTheBallOnlyResetsTheTasks) {
    GameStatics* s = statics();
    CPlayer* keeper = player(0, 0);
    keeper->hasBall = 1;
    keeper->plannedTask = 14;
    s->ballHolder = keeper;
    s->keeperHoldsBall = 1;
    team(0)->possession = 1;
    team(0)->queueCommand(0, 1, 0, 0, -1);
    CPlayer* mate = onPitch(0, kChaser, 20000, 0);
    mate->plannedTask = 7;
    mate->nearPostFlag = 1;
    team(0)->planningNeeded = 1;
    (*team(0)->zoneGrid)[100] = 2;
    team(0)->planOpenPlay();
    EXPECT_EQ(keeper->plannedTask, 16);
    EXPECT_EQ(team(0)->queueLength(0), 0) << "a keeper newly on task 16 starts a new queue";
    EXPECT_EQ(mate->plannedTask, 0);
    EXPECT_EQ(mate->nearPostFlag, 0);
    EXPECT_EQ(team(0)->planningNeeded, 0);
    EXPECT_EQ((*team(0)->zoneGrid)[100], 0);
    EXPECT_EQ((*team(0)->newOrders)[0], 1);
    EXPECT_EQ(team(0)->ballCellX, team(0)->toCell(keeper->x));
    EXPECT_EQ(s->teamBallPlayer[0].get(), nullptr) << "no chaser is named";
    EXPECT_EQ((*team(0)->newOrders)[kChaser], 0) << "no orders refreshed";

    // A saving keeper keeps task 17; otherwise he guards with his counters cleared.
    keeper->hasBall = 0;
    keeper->plannedTask = 17;
    team(0)->planOpenPlay();
    EXPECT_EQ(keeper->plannedTask, 17);
    keeper->plannedTask = 16;
    team(0)->keeperHoldCounters[0] = 2;
    team(0)->planOpenPlay();
    EXPECT_EQ(keeper->plannedTask, 14);
    EXPECT_EQ(team(0)->keeperHoldCounters[0], 0);
}

TEST_F(OpenPlayPlannerTest, AChaserInsideHisReactionTimeRunsToTheLandingPoint) {
    struct Case {
        jint touchTicks;
        bool predicts;
    };
    for (const Case c : {Case{3, false}, Case{5, false}, Case{6, true}, Case{30, true}}) {
        restart();
        GameStatics* s = statics();
        rollingPath(0, -40000, 1000);
        // He stands on the path 20 ticks ahead of the ball and nearest to where it ends.
        CPlayer* chaser = onPitch(0, kChaser, -40000 + 1000 * 21, 0);
        s->ball->aimX = -19000;
        s->ball->aimY = 30000;
        s->touchTicks = c.touchTicks;
        team(0)->planOpenPlay();
        EXPECT_EQ(chaser->plannedTask, 1);
        EXPECT_EQ(s->teamBallPlayer[0].get(), chaser);
        if (c.predicts) {
            EXPECT_EQ(chaser->aimY, 0) << c.touchTicks << ": a point of the path";
            EXPECT_LT(chaser->aimX, -19000) << c.touchTicks;
        } else {
            EXPECT_EQ(chaser->aimX, -19000) << c.touchTicks;
            EXPECT_EQ(chaser->aimY, 30000) << c.touchTicks;
        }
    }
}

TEST_F(OpenPlayPlannerTest, WhenTheOpponentGetsThereFirstOurChaserGoesBehindHisMarkPoint) {
    GameStatics* s = statics();
    rollingPath(0, -40000, 1000);
    s->ball->aimX = 60000;
    s->ball->aimY = 40000;
    CPlayer* chaser = onPitch(0, kChaser, 55000, 40000);
    CPlayer* rival = onPitch(1, kOpponent, -35000, 0);
    s->teamBallPlayer[1] = rival;
    team(0)->planOpenPlay();
    EXPECT_EQ(chaser->plannedTask, 1) << "he still chases";
    EXPECT_EQ(chaser->taskPlayer, kOpponent);
    team(0)->markPointGoalSide(kOpponent, 0);
    const jint cy = team(0)->toCell(s->markPointY);
    EXPECT_EQ(chaser->taskCellX, team(0)->toCell(s->markPointX) - 2);
    EXPECT_EQ(chaser->taskCellY, cy >= 1 ? cy - 1 : cy);

    // With the rival's challenger free the path is not read: our chaser takes the landing point.
    restart();
    s = statics();
    rollingPath(0, -40000, 1000);
    s->ball->aimX = 60000;
    s->ball->aimY = 40000;
    chaser = onPitch(0, kChaser, 55000, 40000);
    rival = onPitch(1, kOpponent, -35000, 0);
    s->teamBallPlayer[1] = rival;
    s->lastTackler = rival;
    team(0)->planOpenPlay();
    EXPECT_EQ(chaser->aimX, 60000);
    EXPECT_EQ(chaser->aimY, 40000);
}

TEST_F(OpenPlayPlannerTest, NoInterceptionIsPlannedBeyondEntry189) {
    struct Case {
        jint reachable;
        bool planned;
    };
    for (const Case c : {Case{188, true}, Case{189, true}, Case{190, false}, Case{199, false}}) {
        restart();
        GameStatics* s = statics();
        rollingPath(180, -100000, 100);
        // The path is out of his reach up to entry `reachable`, which passes over him.
        CPlayer* chaser = onPitch(0, kChaser, 0, 20000);
        for (jint j = 180; j < 200; ++j) {
            (*s->ballPathY)[j] = j == c.reachable ? 20000 : -60000;
            (*s->ballPathX)[j] = j == c.reachable ? 0 : -100000 + 100 * (j + 1);
        }
        s->ball->aimX = 1000;
        s->ball->aimY = 30000;
        team(0)->planOpenPlay();
        ASSERT_EQ(chaser->plannedTask, 1);
        if (c.planned) {
            EXPECT_EQ(chaser->aimX, 0) << c.reachable;
            EXPECT_EQ(chaser->aimY, 20000) << c.reachable;
        } else {
            EXPECT_EQ(chaser->aimX, 1000) << c.reachable << ": the landing point";
            EXPECT_EQ(chaser->aimY, 30000) << c.reachable;
        }
    }
}

TEST_F(OpenPlayPlannerTest, TheCarrierAndTheTrackerOfAForwardRunner) {
    struct Case {
        jint dx, dy;
        bool tracks;
    };
    // dx, dy: the runner's goal-side cell less the tracker's cell.
    for (const Case c : {Case{0, 0, true}, Case{2, 6, true}, Case{-6, -6, true}, Case{3, 0, false},
                         Case{-7, 0, false}, Case{0, 7, false}}) {
        restart();
        GameStatics* s = statics();
        CPlayer* carrier = onPitch(0, 2, 0, 0);
        carrier->task = 0;
        team(0)->queueCommand(2, 1, 0, 0, -1);
        s->ballHolder = carrier;
        s->ball->x = 0;
        team(0)->possession = 1;
        CPlayer* runner = onPitch(1, kOpponent, -40000, 8192);
        runner->task = 4;
        s->firstAttacker[1] = runner;
        team(0)->markPointGoalSide(kOpponent, 1);
        const jint cx = team(0)->toCell(s->markPointX);
        const jint cy = team(0)->toCell(s->markPointY);
        CPlayer* tracker = onPitch(0, 3, team(0)->fromCell(cx - c.dx), team(0)->fromCell(cy - c.dy));
        team(0)->planOpenPlay();
        EXPECT_EQ(carrier->plannedTask, 5);
        EXPECT_EQ(team(0)->queueLength(2), 0) << "a new carrier's queue is emptied";
        EXPECT_EQ(tracker->plannedTask == 8, c.tracks) << c.dx << " " << c.dy;
        if (c.tracks) {
            EXPECT_EQ(tracker->taskPlayer, kOpponent);
            EXPECT_EQ(tracker->taskCellX, cx);
            EXPECT_EQ(tracker->taskCellY, cy);
        }
    }
}

TEST_F(OpenPlayPlannerTest, TheShootOutClearsEveryTask) {
    GameStatics* s = statics();
    s->matchPeriod = 5;
    rollingPath(0, -40000, 1000);
    CPlayer* chaser = onPitch(0, kChaser, 0, 0);
    team(0)->planOpenPlay();
    EXPECT_EQ(chaser->plannedTask, -1);
    EXPECT_EQ(player(0, 0)->plannedTask, -1);
}

} // namespace open_play_cases
} // namespace game::testing
