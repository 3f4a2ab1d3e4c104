// Marking and challenges as tables: the marker's stand-off and run by his man's action, facing
// and side; the loose ball's shrinking stand-off; the holder turned to shield once per
// possession; closing a still ball player; the reach and the line role of a challenge; and the
// closing point against the holder, the receiver or the landing point.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace marking_cases {

using runtime::jlong;

constexpr jint kMove = 1;
constexpr jint kWait = 12;
constexpr jint kMarker = 4;
constexpr jint kMan = 9;

class MarkingTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        marker = player(0, kMarker);
        marker->outOfPlay = 0;
        marker->markedSlot = kMan;
        marker->tackleReach = 2000;
        man = player(1, kMan);
        man->outOfPlay = 0;
        team(0)->possession = -1;
        team(1)->possession = 1;
    }
    void restart() {
        TearDown();
        SetUp();
    }
    static jint queued(const jint i, const jint k, const jint field) {
        return (*team(0)->commandQueues)[i * 16 + k * 4 + field];
    }

    CPlayer* marker = nullptr;
    CPlayer* man = nullptr;
};

TEST_F(MarkingTest, TheStandOffFollowsTheMansActionFacingAndSide) {
    struct Case {
        const char* what;
        jint manX, action, direction, distanceToBall, pressure, distanceBefore;
        bool runs;
        jint pressureAfter, distanceAfter;
    };
    // The marker stands at the centre spot; team 0 defends the goal at -x, so direction 6 runs
    // at it and a man at +x has the marker goal side of him.
    const Case cases[] = {
        {"goal side, close, pressure passes 40", 4000, 1, 6, 5000, 40, 30, true, 41, 0},
        {"goal side, close, pressure builds", 4000, 1, 5, 5000, 10, 30, true, 11, 30},
        {"goal side, the ball 40 steps off", 4000, 1, 7, 10240, 50, 0, true, 50, 40},
        {"beaten, the ball 31 steps off: he runs", -4000, 1, 6, 7936, 0, 0, true, 0, 30},
        {"beaten, the ball nearer: he does not", -4000, 1, 6, 7935, 0, 0, false, 0, 30},
        {"the man faces away", 4000, 1, 2, 5000, 50, 0, false, 50, 30},
        {"the man shoots: the stand-off stays", 4000, 4, 6, 5000, 50, 12, false, 50, 12},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* s = statics();
        man->x = c.manX;
        man->y = 1000;
        man->action = c.action;
        man->direction = c.direction;
        marker->distanceToBall = c.distanceToBall;
        team(0)->markPressure = c.pressure;
        s->markDistance = c.distanceBefore;
        EXPECT_EQ(team(0)->markingRun(marker, man), c.runs) << c.what;
        EXPECT_EQ(team(0)->markPressure, c.pressureAfter) << c.what;
        EXPECT_EQ(s->markDistance, c.distanceAfter) << c.what;
    }
}

TEST_F(MarkingTest, UnderPressureAGoalSideMarkerStandsOnHisMan) {
    GameStatics* s = statics();
    man->x = 4000;
    man->y = 1000;
    man->action = 1;
    man->direction = 6;
    marker->distanceToBall = 5000;
    team(0)->markPressure = 41;
    s->markDistance = 30;
    EXPECT_TRUE(team(0)->markingRun(marker, man));
    EXPECT_EQ(s->markDistance, 0);
    EXPECT_EQ(s->markPointX, man->x);
    EXPECT_EQ(s->markPointY, man->y);
}

TEST_F(MarkingTest, AManFarOffIsMetAtHisClosingPoint) {
    GameStatics* s = statics();
    man->x = 20000;
    man->y = 0;
    man->vx = -300;
    man->action = 1;
    man->direction = 6;
    marker->distanceToBall = 20000;
    EXPECT_TRUE(team(0)->markingRun(marker, man));
    const jint x = s->markPointX;
    const jint y = s->markPointY;
    team(0)->interceptPoint(kMarker, kMan);
    EXPECT_EQ(x, s->interceptX);
    EXPECT_EQ(y, s->interceptY);
    EXPECT_LT(x, man->x) << "he meets the man on his way";
}

TEST_F(MarkingTest, TheLooseBallsStandOffShrinksBy5Every15TicksFromTick20) {
    struct Case {
        jint ticks, before, distanceToBall, after;
    };
    const Case cases[] = {
        {20, 12, 5000, 7}, {35, 12, 5000, 7}, {50, 12, 5000, 7}, {21, 12, 5000, 12}, {34, 12, 5000, 12},
        {35, 3, 5000, 0},  {65, 0, 5000, 0},  {5, 12, 5000, 12}, {20, 12, 10240, 12},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* s = statics();
        man->action = 0;
        man->x = 3000;
        marker->distanceToBall = c.distanceToBall;
        s->touchTicks = c.ticks;
        s->markDistance = c.before;
        EXPECT_FALSE(team(0)->markingRun(marker, man));
        EXPECT_EQ(s->markDistance, c.after) << c.ticks << " from " << c.before;
    }
}

TEST_F(MarkingTest, TheHolderTurnsHisBackOncePerPossession) {
    GameStatics* s = statics();
    CPlayer* holder = man;
    s->ballHolder = holder;
    holder->hasBall = 1;
    holder->x = 1000;
    holder->direction = 6;
    holder->wantedDirection = 6;
    s->ball->x = 1000;
    marker->x = -2000;
    marker->distanceToBall = 3000;
    s->matchTicks = 100;
    s->touchTicks = 3;
    team(0)->tryWinBall(kMarker);
    EXPECT_EQ(holder->wantedDirection, 2) << "his back to the challenger";
    EXPECT_EQ(holder->turnTimer, 110);
    EXPECT_EQ(holder->shieldTimer, 140);
    EXPECT_EQ(holder->shieldDone, 1);
    // Not again in this possession.
    holder->direction = 6;
    holder->wantedDirection = 6;
    s->matchTicks = 500;
    team(0)->tryWinBall(kMarker);
    EXPECT_EQ(holder->wantedDirection, 6);
    // A new possession gives him one more turn.
    holder->takePossession();
    EXPECT_EQ(holder->shieldDone, 0);
    holder->wantedDirection = 6;
    holder->vx = 0;
    holder->vy = 0;
    team(0)->tryWinBall(kMarker);
    EXPECT_EQ(holder->wantedDirection, 2);
}

TEST_F(MarkingTest, NoTurnWhileHisTurnTimerRunsOrWhileHeMoves) {
    struct Case {
        const char* what;
        jlong turnTimer, shieldTimer;
        jint vx, keeperSlot;
        bool turned, done;
    };
    const Case cases[] = {
        {"his turn timer runs", 101, 0, 0, kMan, false, true},
        {"his shield timer has not passed", 0, 100, 0, kMan, false, false},
        {"he moves", 0, 0, 40, kMan, false, false},
        {"a keeper is never turned", 0, 0, 0, 0, false, false},
        {"all clear", 100, 99, 0, kMan, true, true},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* s = statics();
        CPlayer* holder = player(1, c.keeperSlot);
        holder->outOfPlay = 0;
        s->ballHolder = holder;
        holder->x = 1000;
        holder->direction = 6;
        holder->wantedDirection = 6;
        holder->vx = c.vx;
        holder->turnTimer = c.turnTimer;
        holder->shieldTimer = c.shieldTimer;
        s->ball->x = 1000;
        marker->x = -2000;
        marker->distanceToBall = 3000;
        s->matchTicks = 100;
        team(0)->tryWinBall(kMarker);
        EXPECT_EQ(holder->wantedDirection == 2, c.turned) << c.what;
        EXPECT_EQ(holder->shieldDone == 1, c.done) << c.what;
    }
}

TEST_F(MarkingTest, AChallengeByReachRoleAndQueue) {
    struct Case {
        const char* what;
        jint touchTicks, distanceToBall, defenceRole, markerCellX, manDirection, defaultDirection, current;
        bool result;
        jint move; // 1: a MOVE queued, 0: the queue left empty, -1: the queue untouched
    };
    const Case cases[] = {
        {"a still man after tick 11: close him", 11, 5000, 0, 0, 2, 6, 0, true, 1},
        {"a current WAIT gives way", 11, 5000, 0, 0, 2, 6, kWait, true, 1},
        {"a current MOVE keeps him", 11, 5000, 0, 0, 2, 6, kMove, false, -1},
        {"on him already", 11, 2048, 0, 0, 2, 6, 0, true, 0},
        {"out of reach", 5, 6561, 0, 0, 2, 6, 0, false, 0},
        {"within twice the reach only", 5, 6560, 0, 0, 2, 6, 0, false, 0},
        {"within reach: closing down", 5, 2000, 0, 0, 2, 6, 0, true, 1},
        {"within reach, busy: nothing new", 5, 2000, 0, 0, 2, 6, kMove, true, -1},
        {"the line role beyond the attacking line", 5, 2000, 3, 2, 2, 6, 0, false, 0},
        {"the line role facing the man's way", 5, 2000, 3, 0, 2, 3, 0, false, 0},
        {"the line role behind the line", 5, 2000, 3, 0, 2, 6, 0, true, 1},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* s = statics();
        s->ballHolder = man;
        man->x = 3000;
        man->direction = c.manDirection;
        s->ball->x = 3000;
        s->touchTicks = c.touchTicks;
        s->matchTicks = 1000;
        man->shieldDone = 1;
        marker->x = team(0)->fromCell(c.markerCellX);
        marker->distanceToBall = c.distanceToBall;
        marker->defenceRole = c.defenceRole;
        marker->defaultDirection = c.defaultDirection;
        team(0)->attackingLine = 1;
        if (c.current != 0) {
            team(0)->queueCommand(kMarker, c.current, 5, 5, 1);
            team(0)->retireCommand(kMarker);
        }
        EXPECT_EQ(team(0)->tryWinBall(kMarker), c.result) << c.what;
        if (c.move == 1) {
            ASSERT_EQ(team(0)->queueLength(kMarker), 2) << c.what;
            EXPECT_EQ(queued(kMarker, 1, 0), kMove) << c.what;
            EXPECT_EQ(queued(kMarker, 1, 3), 1) << c.what << ": at a run";
        } else if (c.move == 0) {
            EXPECT_EQ(team(0)->queueLength(kMarker), 0) << c.what;
        } else {
            EXPECT_EQ(team(0)->queuedKind(kMarker, 0), c.current) << c.what;
        }
    }
}

TEST_F(MarkingTest, NoBallPlayerAnswersTrueAndOwnOrKeeperHeldBallsFalse) {
    GameStatics* s = statics();
    EXPECT_TRUE(team(0)->tryWinBall(kMarker));
    s->ballHolder = player(0, 7);
    EXPECT_FALSE(team(0)->tryWinBall(kMarker)) << "his own team's ball";
    s->ballHolder = man;
    marker->distanceToBall = 1000;
    s->keeperHoldsBall = 1;
    EXPECT_FALSE(team(0)->tryWinBall(kMarker)) << "a keeper holds the ball";
    s->keeperHoldsBall = 0;
    s->matchPhase = 3;
    EXPECT_FALSE(team(0)->tryWinBall(kMarker)) << "not in open play";
}

TEST_F(MarkingTest, ClosingDownAimsAtTheHolderTheReceiverOrTheLandingPoint) {
    struct Case {
        const char* what;
        bool holder, receiver;
    };
    for (const Case& c : {Case{"the holder", true, false}, Case{"the receiver", false, true},
                          Case{"the landing point", false, false}}) {
        restart();
        GameStatics* s = statics();
        man->x = 9000;
        man->y = 2000;
        man->vx = -200;
        s->ballHolder = c.holder ? man : nullptr;
        s->receivingPlayer = c.receiver ? man : nullptr;
        s->ball->aimX = 15000;
        s->ball->aimY = -7000;
        team(0)->closeDown(kMarker);
        ASSERT_EQ(team(0)->queueLength(kMarker), 2) << c.what;
        jint x = 15000;
        jint y = -7000;
        if (c.holder || c.receiver) {
            team(0)->interceptPoint(kMarker, kMan);
            x = s->interceptX;
            y = s->interceptY;
        }
        EXPECT_EQ(queued(kMarker, 1, 1), x) << c.what;
        EXPECT_EQ(queued(kMarker, 1, 2), y) << c.what;
        EXPECT_EQ(queued(kMarker, 1, 3), 1) << c.what;
    }
}

TEST_F(MarkingTest, AtThePointAMarkerWhoseManIsBusyStays) {
    GameStatics* s = statics();
    s->ball->aimX = 10;
    s->ball->aimY = 0;
    man->action = 4;
    team(0)->closeDown(kMarker);
    EXPECT_EQ(team(0)->queueLength(kMarker), 0);
    man->action = 0;
    team(0)->closeDown(kMarker);
    EXPECT_EQ(team(0)->queueLength(kMarker), 2);
}

} // namespace marking_cases
} // namespace game::testing
