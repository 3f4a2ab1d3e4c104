// The ball plan choice on hand-built plan tables: the first attacker's shortcut, the zone weights
// and the hand-on of an unavailable pass or long ball, the long ball in the own box, the dribble
// run's boost and the tempo, the forced dribble and the copied plans, holding, no plan at all, and
// the draw's boundaries.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "game/match/model/PlanWeights.h"
#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace {

constexpr jint kChooser = 7;
constexpr jint kOff = -1;

class BallPlanChoiceTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        GameStatics* s = statics();
        s->dribbleMoveDirection = 2;
        s->dribblePlanDirection = 3;
        CTeam* t = team(0);
        t->tacticLevel = 2; // with zone 6, the tactics leave the weights alone
        t->holdCredit = 0;
        t->lastPlan = -1;
        CPlayer* p = chooser();
        p->outOfPlay = 0;
        p->direction = 2;
        placeAtCell(0, kChooser, -11, 9); // zone 6, wide of the penalty area
    }

    static CPlayer* chooser() { return player(0, kChooser); }

    // Plan k := {kind 10 + k, weight, 1000 + k, 2000 + k}.
    static void setPlans(std::initializer_list<jint> weights) {
        match::clearPlanTables();
        jint k = 0;
        for (const jint w : weights) {
            auto* row = static_cast<runtime::IntArray*>((*statics()->ballPlans)[k]);
            (*row)[0] = 10 + k;
            (*row)[1] = w;
            (*row)[2] = 1000 + k;
            (*row)[3] = 2000 + k;
            ++k;
        }
    }
    static jint select(const jint zone) {
        statics()->holderZone = zone;
        return team(0)->selectBallPlan(chooser());
    }
    static jlong seed() { return statics()->gameRandom->seed; }
};

TEST_F(BallPlanChoiceTest, TheFirstAttackerAlwaysGetsThePassWithoutADraw) {
    GameStatics* s = statics();
    CPlayer* attacker = player(0, 9);
    attacker->x = 5000;
    attacker->y = 6000;
    s->firstAttacker[0] = attacker;
    setPlans({7, 7, 7, 7, 7, 7, 7, 7});
    const jlong before = seed();
    EXPECT_EQ(team(0)->chooseBallPlan(chooser()), 1);
    EXPECT_EQ(seed(), before);
    EXPECT_EQ(plan(1, 0), 4);
    EXPECT_EQ(plan(1, 2), 5000);
    EXPECT_EQ(plan(1, 3), 6000);
    EXPECT_EQ(plan(0, 1), 0) << "the tables were cleared first";
    EXPECT_EQ(plan(7, 0), 0);

    // The attacker himself decides like anyone else.
    s->firstAttacker[0] = chooser();
    const jint k = team(0)->chooseBallPlan(chooser());
    EXPECT_TRUE(k >= 0 && k <= 4) << k;
    EXPECT_EQ(plan(3, 0), 10000);
    EXPECT_EQ(plan(4, 0), 1);
}

TEST_F(BallPlanChoiceTest, AnUnavailablePassOrLongBallHandsItsZoneWeightOn) {
    ASSERT_FALSE(team(0)->isInPenaltyArea(chooser()->x, chooser()->y));
    // Zone 6: pass 400, long ball 150, the second pass variant 100.
    struct Case {
        jint w1, w2, w7;
        jint e1, e2, e7;
    };
    const Case cases[] = {
        {0, 0, 0, 400, 150, 100},    {kOff, 0, 0, 0, 350, 300},  {kOff, 0, kOff, 0, 650, 0},
        {kOff, kOff, 0, 0, 0, 650},  {0, kOff, 0, 475, 0, 175},  {0, 0, kOff, 450, 200, 0},
        {kOff, kOff, kOff, 0, 0, 0}, {0, kOff, kOff, 650, 0, 0},
    };
    for (const Case& c : cases) {
        setPlans({kOff, c.w1, c.w2, kOff, kOff, kOff, kOff, c.w7});
        const jint k = select(6);
        const bool copied = plan(1, 0) == 17;
        EXPECT_EQ(plan(1, 1), copied ? c.e7 : c.e1) << c.w1 << " " << c.w2 << " " << c.w7;
        EXPECT_EQ(plan(2, 1), c.e2) << c.w1 << " " << c.w2 << " " << c.w7;
        EXPECT_EQ(plan(7, 1), c.e7) << c.w1 << " " << c.w2 << " " << c.w7;
        EXPECT_TRUE(k == 1 || k == 2 || k == 4) << k;
    }
    // Integer halves, rounded down: zone 1's 125 of the pass gives 62 to each.
    setPlans({kOff, kOff, 0, kOff, kOff, kOff, kOff, 0});
    select(1);
    EXPECT_EQ(plan(7, 1), 125 + 62);
    EXPECT_EQ(plan(2, 1), 62);
}

TEST_F(BallPlanChoiceTest, TheLongBallCountsFourTimesInTheOwnPenaltyArea) {
    placeAtCell(0, kChooser, -14, 0);
    ASSERT_TRUE(team(0)->isInPenaltyArea(chooser()->x, chooser()->y));
    setPlans({kOff, kOff, 0, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(6), 2);
    EXPECT_EQ(plan(2, 1), (150 + 400 + 100) * 4) << "with the weights of both passes handed on";
    placeAtCell(0, kChooser, -11, 9);
    setPlans({kOff, kOff, 0, kOff, kOff, kOff, kOff, kOff});
    select(6);
    EXPECT_EQ(plan(2, 1), 150 + 400 + 100);
}

TEST_F(BallPlanChoiceTest, TheDribbleRunsBoostAndTheTempoOfADribblerWhoKeepsGoing) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    placeAtCell(0, kChooser, 0, 0); // zone 4: dribble 300
    struct Case {
        jint lastPlan, streak, style, moveDirection, zone;
        jint weight, streakAfter;
    };
    const Case cases[] = {
        {-1, 0, 0, 2, 4, 300 << 2, 1}, // a new dribble, tempo class 0: streak 2, shift 2
        {4, 0, 1, 2, 4, 300 << 3, 3},  // class 1: 4 and 3
        {1, 0, 2, 2, 4, 300 << 4, 6},  // class 2: 7 and 4
        {-1, 0, 3, 2, 4, 300 << 4, 6}, // 3 takes the team's tactic 4 (2 here)
        {0, 1, 1, 2, 4, 300 << 1, 0},  // the dribbler keeps going: shift by the streak
        {0, 2, 1, 2, 4, 300 << 2, 1},  //
        {0, 3, 1, 2, 4, 300 << 3, 2},  //
        {0, 4, 1, 2, 4, 300 << 3, 3},  //
        {0, 5, 1, 2, 4, 300 << 4, 4},  //
        {0, 0, 1, 2, 4, 150, 0},       // the streak is over: halved
        {0, -2, 1, 2, 4, 150, -2},     //
        {-1, 0, 1, 0, 4, 300, 0},      // across the pitch: no tempo
        {-1, 0, 1, 4, 4, 300, 0},      //
        {-1, 0, 1, 2, 2, 100 << 0, 0}, // nor in front of goal
    };
    t->tactic4 = 2;
    for (const Case& c : cases) {
        s->dribbleMoveDirection = c.moveDirection;
        t->lastPlan = c.lastPlan;
        t->dribbleStreak = c.streak;
        chooser()->styleSetting = c.style;
        setPlans({0, kOff, kOff, kOff, kOff, kOff, kOff, kOff});
        EXPECT_EQ(select(c.zone), 0);
        EXPECT_EQ(plan(0, 1), c.weight) << c.lastPlan << " " << c.streak << " " << c.style;
        EXPECT_EQ(t->dribbleStreak, c.streakAfter) << c.lastPlan << " " << c.streak << " " << c.style;
        EXPECT_EQ(t->lastPlan, 0);
    }

    // The run's boost shifts before the tempo.
    s->dribbleRunActive = 1;
    s->dribbleBoost = 2;
    t->lastPlan = 0;
    t->dribbleStreak = 1;
    setPlans({0, kOff, kOff, kOff, kOff, kOff, kOff, kOff});
    select(4);
    EXPECT_EQ(plan(0, 1), (300 << 2) << 1);
    EXPECT_EQ(s->dribbleRunForced, 1) << "a dribble drawn during the run forces the next ones";
}

TEST_F(BallPlanChoiceTest, AForcedDribbleAndTheCopiedPlans) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    placeAtCell(0, kChooser, 0, 0);
    s->dribbleMoveDirection = 0; // no tempo
    t->passReceiverSlot = 8;
    t->secondReceiverSlot = 9;
    t->thirdReceiverSlot = 10;

    // Forced: the dribble wins against a far heavier pass; without the run the flag goes.
    s->dribbleRunForced = 1;
    s->dribbleRunActive = 1;
    setPlans({0, 100000, kOff, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(4), 0);
    EXPECT_EQ(s->dribbleRunForced, 1);
    s->dribbleRunActive = 0;
    setPlans({0, 100000, kOff, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(4), 0);
    EXPECT_EQ(s->dribbleRunForced, 0);

    // A pass drawn during a run ends it.
    s->dribbleRunActive = 1;
    s->passStage = 5;
    setPlans({kOff, 0, kOff, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(4), 1);
    EXPECT_EQ(s->dribbleRunActive, 0);
    EXPECT_EQ(s->passStage, 0);
    EXPECT_EQ(s->chosenReceiverSlot, 8);

    struct Copy {
        jint zone, slot, returned, receiver;
    };
    for (const Copy& c : {Copy{1, 5, 1, 9}, Copy{0, 6, 2, -7}, Copy{6, 7, 1, 10}}) {
        s->chosenReceiverSlot = -7;
        std::vector<jint> weights(8, kOff);
        weights[static_cast<std::size_t>(c.slot)] = 0;
        setPlans(
            {weights[0], weights[1], weights[2], weights[3], weights[4], weights[5], weights[6], weights[7]});
        EXPECT_EQ(select(c.zone), c.returned) << c.slot;
        EXPECT_EQ(plan(c.returned, 0), 10 + c.slot) << "all four ints copied";
        EXPECT_EQ(plan(c.returned, 2), 1000 + c.slot);
        EXPECT_EQ(plan(c.returned, 3), 2000 + c.slot);
        EXPECT_EQ(s->chosenReceiverSlot, c.receiver) << c.slot;
        EXPECT_EQ(t->lastPlan, c.returned);
    }
}

TEST_F(BallPlanChoiceTest, HoldingInMidfieldWhileTheCreditLasts) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    placeAtCell(0, kChooser, -2, 3); // zone 4
    t->holdCredit = 5;
    t->holdMode = 0;
    chooser()->direction = 4;
    setPlans({0, 0, kOff, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(4), 4);
    EXPECT_EQ(t->holdCredit, 4);
    EXPECT_EQ(plan(4, 0), 1);
    EXPECT_EQ(t->holdDirection, 2) << "he turns to face the goal";
    EXPECT_EQ(s->holdCounter, 1);
    EXPECT_EQ(s->holdHeld, 0);
    chooser()->direction = 2;
    const jint held[] = {1, 1, 0};
    for (const jint h : held) {
        setPlans({0, 0, kOff, kOff, kOff, kOff, kOff, kOff});
        EXPECT_EQ(select(5), 4);
        EXPECT_EQ(s->holdHeld, h) << s->holdCounter;
    }
    EXPECT_EQ(s->holdCounter, 4);
    EXPECT_EQ(t->holdCredit, 1);

    struct Case {
        jint cx, zone, mode, flag;
        bool holds;
    };
    const Case cases[] = {
        {3, 4, 1, 1, true}, {3, 4, 1, 0, false}, {3, 4, 0, 1, false},
        {0, 5, 0, 0, true}, {0, 5, 1, 1, false}, {0, 3, 0, 0, false},
    };
    for (const Case& c : cases) {
        placeAtCell(0, kChooser, c.cx, 0);
        t->holdCredit = 1;
        t->holdMode = c.mode;
        t->holdFlag = static_cast<jbyte>(c.flag);
        setPlans({kOff, 0, kOff, kOff, kOff, kOff, kOff, kOff});
        EXPECT_EQ(select(c.zone) == 4, c.holds) << c.cx << " " << c.zone << " " << c.mode << " " << c.flag;
    }
    t->holdCredit = 0;
    placeAtCell(0, kChooser, 0, 0);
    setPlans({kOff, 0, kOff, kOff, kOff, kOff, kOff, kOff});
    EXPECT_EQ(select(4), 1) << "no credit left";
}

TEST_F(BallPlanChoiceTest, WithNoPlanHeHoldsAndTurnsAwayFromTheNearTouchLineOrShoots) {
    CTeam* t = team(0);
    struct Case {
        jint cy, direction, zone, plan, holdDirection;
    };
    const Case cases[] = {
        {-3, 2, 4, 4, 3}, {3, 2, 4, 4, 1}, {0, 0, 5, 4, 7}, {-1, 7, 4, 4, 0}, {2, 2, 2, 3, 9},
    };
    for (const Case& c : cases) {
        placeAtCell(0, kChooser, c.zone == 2 ? 12 : 0, c.cy);
        chooser()->direction = c.direction;
        t->holdDirection = 9;
        setPlans({kOff, kOff, kOff, kOff, kOff, kOff, kOff, kOff});
        EXPECT_EQ(select(c.zone), c.plan) << c.cy;
        EXPECT_EQ(t->holdDirection, c.holdDirection) << c.cy;
        EXPECT_EQ(t->lastPlan, c.plan);
        if (c.plan == 4) {
            EXPECT_EQ(plan(4, 0), 1);
        }
    }
}

TEST_F(BallPlanChoiceTest, TheLongBallToTheFarthestReachOrAClearanceFromTheOwnBox) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    CPlayer* p = chooser();
    auto candidate = [s](const jint d) {
        return (*static_cast<runtime::IntArray*>((*s->longBallCandidates)[d]))[2];
    };
    p->x = 0;
    p->y = 0;
    s->ball->x = 0;
    s->ball->y = 0;
    CPlayer* mate = player(0, 9);
    mate->outOfPlay = 0;
    mate->x = 100000;
    mate->y = 0;
    mate->defaultDirection = 6;
    mate->distanceToBall = 100000;
    s->holderZone = 4;
    setPlans({});
    t->prepareLongBall(p);
    EXPECT_EQ(t->longBallReach, 3);
    for (jint d = 0; d < 8; ++d) {
        EXPECT_EQ(candidate(d), d == 2 ? 100 : -1) << d;
    }
    EXPECT_EQ(plan(2, 0), 3);
    EXPECT_EQ(plan(2, 2), 100000);
    EXPECT_EQ(plan(2, 3), 0);

    // Nobody in reach: no candidate at all (not the unexamined directions either) and no plan.
    mate->outOfPlay = 1;
    setPlans({});
    t->prepareLongBall(p);
    EXPECT_EQ(t->longBallReach, 0);
    for (jint d = 0; d < 8; ++d) {
        EXPECT_EQ(candidate(d), -1) << d;
    }
    EXPECT_EQ(plan(2, 1), -1);
    EXPECT_EQ(plan(2, 0), 0);

    // From the own box a clearance to the touch line, tried towards -y first (+y facing back),
    // passed over when a player stands in its way.
    s->holderZone = 6;
    placeAtCell(0, kChooser, -14, 0);
    struct Case {
        jint facing;
        bool blockFirst;
        jint x, y;
    };
    for (const Case& c : {Case{2, false, 0, 86016}, Case{4, false, 0, -86016}, Case{2, true, 0, -86016},
                          Case{4, true, 0, 86016}}) {
        p->direction = c.facing;
        CPlayer* blocker = player(0, 4);
        blocker->outOfPlay = c.blockFirst ? 0 : 1;
        s->vectorX = 0;
        core::directionToVector(8192, c.facing == 4 ? 3 : 1);
        blocker->x = p->x + s->vectorX;
        blocker->y = p->y + s->vectorY;
        setPlans({});
        t->prepareLongBall(p);
        EXPECT_EQ(plan(2, 0), 3) << c.facing << " " << c.blockFirst;
        EXPECT_NEAR(plan(2, 2), c.x, 512) << c.facing << " " << c.blockFirst;
        EXPECT_NEAR(plan(2, 3), c.y, 256) << c.facing << " " << c.blockFirst;
        EXPECT_EQ(plan(2, 2) % 256, 0);
    }
}

TEST_F(BallPlanChoiceTest, AWingBallIsAskedForOnlyWideNearTheGoalFacingForward) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    // The chooser stands on the +y side; a team-mate in front of the opponents' goal on the far
    // side is the one the wing ball finds, its point held to the box in front of the goal.
    CPlayer* receiver = player(0, 9);
    receiver->outOfPlay = 0;
    placeAtCell(0, 9, 14, -5);
    const jint targetX = 14 << CTeam::kCellShift;
    const jint targetY = -25600;
    struct Case {
        jint zone, facing;
        bool asked;
    };
    const Case cases[] = {{0, 1, true}, {0, 6, true},  {0, 7, false}, {0, 0, false},
                          {1, 4, true}, {1, 5, false}, {2, 2, false}, {4, 2, false}};
    for (const Case& c : cases) {
        s->holderZone = c.zone;
        chooser()->direction = c.facing;
        t->wingGrade = 3;
        s->candidateX = 777;
        setPlans({});
        t->prepareWingBall(chooser());
        if (c.asked) {
            EXPECT_EQ(plan(6, 0), 3) << c.zone << " " << c.facing;
            EXPECT_EQ(plan(6, 1), 0) << c.zone << " " << c.facing;
            EXPECT_EQ(plan(6, 2), targetX) << c.zone << " " << c.facing;
            EXPECT_EQ(plan(6, 3), targetY) << c.zone << " " << c.facing;
            EXPECT_EQ(s->candidateSlot, 9);
            EXPECT_EQ(t->wingGrade, t->rateSpace(chooser(), targetX, targetY, 0)) << c.zone << " " << c.facing;
        } else {
            EXPECT_EQ(plan(6, 1), -1) << c.zone << " " << c.facing;
            EXPECT_EQ(s->candidateX, 777) << "the receiver was not looked for: " << c.zone << " " << c.facing;
            EXPECT_EQ(t->wingGrade, 0);
        }
    }

    // Asked, but nobody is there to receive it: no wing ball.
    receiver->outOfPlay = 1;
    s->holderZone = 0;
    chooser()->direction = 2;
    t->wingGrade = 3;
    setPlans({});
    t->prepareWingBall(chooser());
    EXPECT_EQ(plan(6, 1), -1);
    EXPECT_EQ(t->wingGrade, 0);
    EXPECT_EQ(s->candidateSlot, -1);
}

TEST_F(BallPlanChoiceTest, TheDrawTakesTheFirstPlanWhoseRunningSumReachesIt) {
    GameStatics* s = statics();
    setPlans({3, kOff, 0, 2});
    jint seen[2] = {};
    for (jint n = 0; n < 200; ++n) {
        const jlong before = s->gameRandom->seed;
        const jint r = core::randomRange(1, 5);
        s->gameRandom->seed = before;
        const jint k = match::pickWeighted(s->ballPlans, 1);
        EXPECT_EQ(k, r <= 3 ? 0 : 3) << r;
        seen[r <= 3 ? 0 : 1] += r == 3 || r == 4 ? 1 : 0;
    }
    EXPECT_GT(seen[0], 0) << "the boundary draw 3 came up";
    EXPECT_GT(seen[1], 0) << "the boundary draw 4 came up";
}

} // namespace
} // namespace game::testing
