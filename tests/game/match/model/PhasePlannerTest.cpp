// The phase planner's marking points and intercept point, and its plan for a few restarts: the
// throw-in's three supporters answered by the opponent, markers only for opponents from cell 8,
// the penalty area claimed at a penalty, and a wall larger than the players left.
#include <gtest/gtest.h>

#include <utility>

#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

class PhasePlannerTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        setFormations({fourFourTwo()});
        team(0)->setFormation(0);
        team(1)->setFormation(0);
    }
    static std::pair<jint, jint> markPoint() { return {statics()->markPointX, statics()->markPointY}; }
    static std::pair<jint, jint> intercept() { return {statics()->interceptX, statics()->interceptY}; }
    static jint countTask(const jint side, const jint task) {
        jint n = 0;
        for (jint i = 0; i < 11; ++i) {
            n += player(side, i)->plannedTask == task ? 1 : 0;
        }
        return n;
    }
};

TEST_F(PhasePlannerTest, MarkingPointsStandGoalSideOrTowardsTheGoalOrCell) {
    GameStatics* s = statics();
    CTeam* t = team(1); // defends the goal at +x, which team 0 attacks
    CPlayer* o = player(0, 9);
    o->x = 100000;
    o->y = 0;
    t->markPointGoalSide(9, 0);
    EXPECT_EQ(markPoint(), std::make_pair(101280, 0)) << "1280 towards the goal he attacks";
    s->ballHolder = o;
    o->direction = 4;
    player(1, 9)->direction = 2;
    t->markPointGoalSide(9, 0);
    EXPECT_EQ(markPoint(), std::make_pair(100000, 1280)) << "on the ball, facing 1..3: his facing";
    player(1, 9)->direction = 5;
    t->markPointGoalSide(9, 0);
    EXPECT_EQ(markPoint(), std::make_pair(101280, 0));
    t->markPointGoalSide(9, 2);
    EXPECT_EQ(markPoint(), std::make_pair(116384, 0)) << "two cells towards the own goal";
    o->x = 130000;
    t->markPointGoalSide(9, 2);
    EXPECT_EQ(markPoint(), std::make_pair(130000, 0)) << "nearer than that: his own point";
    o->x = 100000;
    t->markPointTowardsGoal(9, 100);
    EXPECT_EQ(markPoint(), std::make_pair(125600, 0));
    t->ballCellX = 0;
    t->ballCellY = 0;
    t->markPointTowardsCell(0, -5, 9);
    EXPECT_EQ(markPoint(), std::make_pair(100000, 12800));
}

TEST_F(PhasePlannerTest, TheInterceptPointLeadsTheOpponentAndStepsAside) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    CPlayer* p = player(0, 5);
    CPlayer* o = player(1, 7);
    struct Case {
        const char* what;
        jint px, py, pd, ox, oy, od, vx;
        bool receiver;
        std::pair<jint, jint> point;
    };
    const Case cases[] = {
        {"head on: 5 ticks, then 1280 on", 0, 0, 2, 40960, 0, 6, -512, false, {37120, 0}},
        {"near: ticks cut to D / S + 1", 0, 0, 2, 2000, 0, 6, -512, false, {-1328, 0}},
        {"the receiver: ticks doubled", 0, 0, 2, 40960, 0, 6, -512, true, {34560, 0}},
        {"standing still: 2048 on", 0, 0, 2, 40960, 0, 6, 0, false, {37632, 0}},
        {"running away: 7 ticks, side step nearer", 0, 1000, 2, 40960, 0, 2, 512, false, {44544, 2048}},
        {"side step tie: the second", 0, 0, 2, 40960, 0, 2, 512, false, {44544, -2048}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p->x = c.px;
        p->y = c.py;
        p->direction = c.pd;
        o->x = c.ox;
        o->y = c.oy;
        o->direction = c.od;
        o->vx = c.vx;
        o->vy = 0;
        s->receivingPlayer = c.receiver ? o : nullptr;
        s->interceptX = 0;
        s->interceptY = 0;
        t->interceptPoint(5, 7);
        EXPECT_EQ(intercept(), c.point);
    }
    // A point already one tick behind is kept.
    s->receivingPlayer = nullptr;
    o->x = 40960;
    o->direction = 6;
    o->vx = -512;
    p->y = 0;
    s->interceptX = 40960 - 4 * 512;
    s->interceptY = 0;
    t->interceptPoint(5, 7);
    EXPECT_EQ(intercept(), std::make_pair(40960 - 4 * 512, 0));
}

TEST_F(PhasePlannerTest, AThrowInGetsThreeSupportersAnsweredByTheOpponent) {
    GameStatics* s = statics();
    for (jint side = 0; side < 2; ++side) {
        for (jint i = 0; i < 11; ++i) {
            placeAtCell(side, i, player(side, i)->homeCellX, player(side, i)->homeCellY);
        }
    }
    CPlayer* taker = player(0, 2);
    placeAtCell(0, 2, 16, 10);
    taker->direction = 2;
    s->restartActor = taker;
    s->phaseX = taker->x;
    s->phaseY = taker->y;
    s->matchPhase = 3;
    s->phaseStep = 2;
    s->phaseTeam = 0;
    team(0)->possession = 1;
    team(1)->possession = -1;
    team(0)->planPhase();
    EXPECT_EQ(team(0)->planningNeeded, 0);
    EXPECT_EQ(taker->plannedTask, 9);
    EXPECT_EQ(countTask(0, 10), 3);
    EXPECT_EQ(countTask(1, 10), 3) << "the opponent answers each supporter below step 4";
    for (jint i = 0; i < 11; ++i) {
        const CPlayer* q = player(1, i);
        if (q->plannedTask == 10) {
            EXPECT_TRUE((*team(1)->newOrders)[i]);
        }
    }
    // Step 4: no answer.
    for (jint i = 0; i < 11; ++i) {
        player(1, i)->plannedTask = 0;
    }
    s->phaseStep = 4;
    team(0)->planPhase();
    EXPECT_EQ(countTask(0, 10), 3);
    EXPECT_EQ(countTask(1, 10), 0);
}

TEST_F(PhasePlannerTest, MarkersOnlyForOpponentsFromCellEightAndThePenaltyAreaClaimed) {
    GameStatics* s = statics();
    for (jint side = 0; side < 2; ++side) {
        for (jint i = 0; i < 11; ++i) {
            placeAtCell(side, i, -4, i - 5);
        }
    }
    placeAtCell(0, 9, 10, 0);
    placeAtCell(0, 8, 7, 2);
    s->restartActor = player(0, 4);
    s->phaseX = 0;
    s->phaseY = 0;
    s->matchPhase = 6;
    s->phaseStep = 2;
    s->phaseTeam = 0;
    team(0)->possession = 1;
    team(1)->possession = -1;
    team(1)->planPhase();
    EXPECT_EQ(countTask(1, 8), 1);
    for (jint i = 1; i < 11; ++i) {
        if (player(1, i)->plannedTask == 8) {
            EXPECT_EQ(player(1, i)->taskPlayer, 9);
        }
    }
    s->matchPhase = 8;
    team(0)->planPhase();
    team(1)->planPhase();
    for (jint cx = 11; cx <= 16; ++cx) {
        for (jint cy = -6; cy <= 6; ++cy) {
            EXPECT_NE(gridAt(team(0), cx, cy) & 1, 0) << cx << "," << cy;
            EXPECT_NE(gridAt(team(1), -cx, cy) & 2, 0) << cx << "," << cy;
        }
    }
}

TEST_F(PhasePlannerTest, AWallLargerThanThePlayersLeftTakesThemAllAndKeepsTheirOrdersFlag) {
    GameStatics* s = statics();
    for (jint side = 0; side < 2; ++side) {
        for (jint i = 0; i < 11; ++i) {
            placeAtCell(side, i, -4, i - 5);
        }
    }
    player(1, 3)->outOfPlay = 1;
    player(1, 7)->outOfPlay = 1;
    player(1, 10)->task = 11;
    (*team(1)->newOrders)[10] = 0;
    player(1, 9)->task = 11;
    (*team(1)->newOrders)[9] = 1;
    s->restartActor = player(0, 4);
    s->matchPhase = 7;
    s->phaseStep = 5;
    s->phaseTeam = 0;
    s->wallSize = 20;
    team(0)->possession = 1;
    team(1)->possession = -1;
    team(1)->planPhase();
    for (jint i = 1; i < 11; ++i) {
        EXPECT_EQ(player(1, i)->plannedTask, player(1, i)->outOfPlay != 0 ? 0 : 11) << i;
    }
    EXPECT_FALSE((*team(1)->newOrders)[10]) << "an unchanged wall task leaves the flag";
    EXPECT_TRUE((*team(1)->newOrders)[9]);
}

TEST_F(PhasePlannerTest, BoxRunnersKickerTasksAndTheShootOut) {
    GameStatics* s = statics();
    for (jint side = 0; side < 2; ++side) {
        for (jint i = 0; i < 11; ++i) {
            placeAtCell(side, i, player(side, i)->homeCellX, player(side, i)->homeCellY);
        }
    }
    CPlayer* taker = player(0, 7);
    placeAtCell(0, 7, 16, 10);
    s->restartActor = taker;
    s->phaseX = taker->x;
    s->phaseY = taker->y;
    s->matchPhase = 5;
    s->phaseStep = 2;
    s->phaseTeam = 0;
    team(0)->possession = 1;
    team(0)->offsideLineCell = 12;
    team(1)->possession = -1;
    team(0)->planPhase();
    EXPECT_EQ(countTask(0, 4), 5);
    EXPECT_EQ(countTask(0, 9), 1);

    // The kicker's turn: the fouler's kick by his bookings and the team taking the kick.
    struct Case {
        jint phase, bookings, phaseTeam, period, task;
    };
    const Case cases[] = {
        {7, 2, 1, 1, 29}, {7, 0, 1, 1, 22}, {7, 1, 0, 1, 22}, {7, 1, 1, 1, 28}, {8, 1, 1, 1, 22},
    };
    CPlayer* fouler = player(0, 3);
    s->foulPlayer = fouler;
    s->phaseStep = 1;
    for (const Case& c : cases) {
        s->matchPhase = c.phase;
        fouler->bookings = c.bookings;
        s->phaseTeam = c.phaseTeam;
        s->matchPeriod = c.period;
        team(0)->planPhase();
        EXPECT_EQ(fouler->plannedTask, c.task) << c.phase << " " << c.bookings << " " << c.phaseTeam;
    }
    // The shoot-out: everyone stands aside but the taker and the kicking team's keeper.
    s->foulPlayer = nullptr;
    s->matchPeriod = 5;
    s->matchPhase = 8;
    s->phaseTeam = 0;
    s->phaseTeamObject = team(0);
    team(0)->planPhase();
    team(1)->planPhase();
    EXPECT_EQ(countTask(0, -1), 9);
    EXPECT_EQ(countTask(1, -1), 11);
    EXPECT_NE(taker->plannedTask, -1);
    EXPECT_NE(player(0, 0)->plannedTask, -1);
}

} // namespace
} // namespace game::testing
