// The goalkeeper's machine over scripted scenes: a shot on and off target, coming out by his lead
// and by his saveSkill draw, the ball in his hands released on an even tick and by tick 48 with
// the throw's search, the penalty's drawn dive, the save scan's windows and the guard's new aim.
// Every case starts from a fresh runtime (the fixture's), so no match static outlives it.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace goalkeeper_cases {

using runtime::jlong;

constexpr jint kKeeperX = -130000;
constexpr jint kMove = 1;
constexpr jint kLongBall = 3;
constexpr jint kFace = 6;
constexpr jint kWait = 12;
constexpr jint kGoalLineRequest = 100;

class GoalkeeperTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        GameStatics* s = statics();
        // The ball path tables among the match boxes.
        match::initMatchBoxes(s);
        keeper = player(0, 0);
        keeper->outOfPlay = 0;
        keeper->x = kKeeperX;
        keeper->y = 0;
        keeper->aimX = kKeeperX;
        keeper->aimY = 0;
        keeper->direction = 2;
        keeper->defaultDirection = 2;
        keeper->task = 14;
        keeper->runSpeed = 256;
        keeper->saveSkill = -1; // no draw comes out unless a case says so
        team(0)->possession = -1;
        team(1)->possession = 1;
        shooter = player(1, 9);
        shooter->outOfPlay = 0;
        shooter->x = -60000;
        shooter->y = 30000;
        shooter->distanceToBall = 60000;
        s->lastTouchPlayer = shooter;
        s->ballState = 0;
    }

    // The ball at (x, y) heading for (aimX, aimY), nobody on it.
    static void ballAt(const jint x, const jint y, const jint aimX, const jint aimY, const jint state) {
        GameStatics* s = statics();
        s->ball->x = x;
        s->ball->y = y;
        s->ball->z = 0;
        s->ball->aimX = aimX;
        s->ball->aimY = aimY;
        s->ballState = state;
        s->ballHolder = nullptr;
        s->receivingPlayer = nullptr;
    }

    static jint queued(const jint side, const jint i, const jint k, const jint field) {
        return (*team(side)->commandQueues)[i * 16 + k * 4 + field];
    }
    // The kinds queued for player i after the placeholder entry 0.
    static std::vector<jint> kinds(const jint side, const jint i) {
        std::vector<jint> out;
        for (jint k = 1; k < team(side)->queueLength(i); ++k) {
            out.push_back(queued(side, i, k, 0));
        }
        return out;
    }
    static jlong seed() { return statics()->gameRandom->seed; }
    // A fresh runtime and scene for the next case of a table.
    void restart() {
        TearDown();
        SetUp();
    }

    CPlayer* keeper = nullptr;
    CPlayer* shooter = nullptr;
};

TEST_F(GoalkeeperTest, OnlyAShotOnTargetStartsASave) {
    struct Case {
        const char* what;
        jint state, y;
        bool saves;
    };
    // A line parallel to the goal line's normal crosses it at the ball's own y.
    const Case cases[] = {
        {"rolling, on the post", 0, 9984, true},
        {"rolling, one unit wide", 0, 9985, false},
        {"rolling, other post", 0, -9984, true},
        {"rolling, wide", 0, -9985, false},
        {"a shot's wider window", 9, 17407, true},
        {"a shot's window ends", 9, 17408, false},
        {"a driven ball's low end", 2, -17408, true},
        {"beyond it", 2, -17409, false},
    };
    for (const Case& c : cases) {
        restart();
        ballAt(-100000, c.y, -140000, c.y, c.state);
        team(0)->goalkeeperFrame(keeper, 40000);
        EXPECT_EQ(keeper->task == 17, c.saves) << c.what;
        if (c.saves) {
            EXPECT_EQ(keeper->aimX, -135167) << c.what << ": the crossing, held inside the line";
            EXPECT_EQ(keeper->aimY, c.y) << c.what;
        }
    }
}

TEST_F(GoalkeeperTest, NoSaveIsStartedWhileItsConditionsFail) {
    GameStatics* s = statics();
    struct Case {
        const char* what;
        void (*prepare)(GameStatics*, CPlayer*);
    };
    const Case cases[] = {
        {"he does not face his default direction", [](GameStatics*, CPlayer* k) { k->direction = 3; }},
        {"his own team made the last challenge", [](GameStatics* st, CPlayer*) { st->lastTackler = player(0, 4); }},
        {"a set piece at step 3", [](GameStatics* st, CPlayer*) { st->matchPhase = 7; st->phaseStep = 3; }},
        {"he already aims at the crossing", [](GameStatics*, CPlayer* k) { k->aimX = -135167; k->aimY = 0; }},
        {"somebody receives the ball", [](GameStatics* st, CPlayer*) { st->receivingPlayer = player(1, 9); }},
    };
    for (const Case& c : cases) {
        restart();
        s = statics();
        ballAt(-100000, 0, -140000, 0, 0);
        c.prepare(s, keeper);
        team(0)->goalkeeperFrame(keeper, 40000);
        EXPECT_NE(keeper->task, 17) << c.what;
    }
}

TEST_F(GoalkeeperTest, HeComesOutByHisLeadOrByHisSkillDraw) {
    struct Case {
        const char* what;
        jint opponentFromLanding, saveSkill, state;
        bool draws, comesOut;
    };
    // The landing point lies 20000 from the keeper.
    const Case cases[] = {
        {"clearly nearer: no draw", 24000, -1, 0, false, true},
        {"only 2000 nearer, the draw fails", 22000, -1, 0, true, false},
        {"only 2000 nearer, the draw passes", 22000, 50, 0, true, true},
        {"the opponent 5000 nearer, a small skill's margin", 15000, 5, 0, true, false},
        {"the opponent 5000 nearer, a large skill's margin", 15000, 50, 0, true, true},
        {"a shot is never come out for", 24000, 50, 9, false, false},
    };
    for (const Case& c : cases) {
        restart();
        ballAt(-60000, 0, -110000, 0, c.state);
        statics()->ball->vx = -2000; // not slow: he runs to where it lands
        keeper->saveSkill = c.saveSkill;
        shooter->x = -110000 + c.opponentFromLanding;
        shooter->y = 0;
        shooter->distanceToBall = 1000;
        const jlong before = seed();
        team(0)->goalkeeperFrame(keeper, 40000);
        EXPECT_EQ(seed() != before, c.draws) << c.what;
        EXPECT_EQ(keeper->task == 15, c.comesOut) << c.what;
        if (c.comesOut) {
            // Out at once: a run to the landing point (the ball is still far).
            ASSERT_EQ(kinds(0, 0), std::vector<jint>{kMove}) << c.what;
            EXPECT_EQ(queued(0, 0, 1, 1), -110000) << c.what;
        }
    }
    // Nobody comes out for a ball the opponent's own keeper is nearest to.
    restart();
    ballAt(-60000, 0, -110000, 0, 0);
    player(1, 0)->outOfPlay = 0;
    player(1, 0)->distanceToBall = 10;
    team(0)->goalkeeperFrame(keeper, 40000);
    EXPECT_EQ(keeper->task, 14);
}

TEST_F(GoalkeeperTest, ComingOutHeStaysInFrontOfHisGoalLine) {
    ballAt(-140000, 500, -140000, 500, 0);
    keeper->task = 15;
    keeper->direction = 3; // not set for a save
    team(0)->possession = 1; // no come-out test
    team(0)->goalkeeperFrame(keeper, 10000);
    ASSERT_EQ(kinds(0, 0), std::vector<jint>{kMove});
    EXPECT_EQ(queued(0, 0, 1, 1), -134912);
    EXPECT_EQ(queued(0, 0, 1, 2), 500);
    // With the ball in his hands he distributes.
    statics()->ballHolder = keeper;
    team(0)->goalkeeperFrame(keeper, 0);
    EXPECT_EQ(keeper->task, 16);
}

TEST_F(GoalkeeperTest, TheBallInHisHandsGoesOnAnEvenTickAndByTick48) {
    GameStatics* s = statics();
    struct Case {
        jint holds, ticks;
        bool throws;
    };
    const Case cases[] = {{1, 10, false}, {0, 11, false}, {0, 12, true}, {1, 46, false},
                          {1, 47, false}, {1, 48, true},  {0, 49, true},  {0, 2, true}};
    for (const Case& c : cases) {
        restart();
        s = statics();
        ballAt(kKeeperX, 0, kKeeperX, 0, 7);
        s->ballHolder = keeper;
        keeper->hasBall = 1;
        keeper->task = 16;
        s->keeperHoldsBall = static_cast<jboolean>(c.holds);
        s->touchTicks = c.ticks;
        player(0, 5)->outOfPlay = 0;
        team(0)->goalkeeperFrame(keeper, 0);
        const std::vector<jint> k = kinds(0, 0);
        EXPECT_EQ(!k.empty() && k.back() == kLongBall, c.throws) << c.holds << " " << c.ticks;
        if (c.throws) {
            EXPECT_EQ(queued(0, 0, static_cast<jint>(k.size()), 3), 5120) << "the throw's power";
            // A second frame while the throw is under way queues nothing more.
            team(0)->goalkeeperFrame(keeper, 0);
            EXPECT_EQ(kinds(0, 0), k);
        }
        EXPECT_EQ(keeper->task, 16);
    }
    // Once the ball has left him he guards his goal again, his hold counters cleared.
    restart();
    s = statics();
    keeper->task = 16;
    team(0)->keeperHoldCounters[0] = 3;
    team(0)->keeperHoldCounters[1] = 2;
    s->touchTicks = 20;
    team(0)->goalkeeperFrame(keeper, 20000);
    EXPECT_EQ(keeper->task, 14);
    EXPECT_EQ(team(0)->keeperHoldCounters[0], 0);
    EXPECT_EQ(team(0)->keeperHoldCounters[1], 0);
}

TEST_F(GoalkeeperTest, TheThrowLooksAheadThenToEitherSideThenToTheNextPlayer) {
    GameStatics* s = statics();
    struct Case {
        const char* what;
        jint slot, role, linePosition, defaultDirection, keeperDirection;
        bool draws;
        jint receiver;
        bool turns;
    };
    // A full-back free 40000 away is seen in the direction opposite his facing.
    const Case cases[] = {
        {"a full-back straight ahead", 3, 1, 1, 6, 2, false, 3, false},
        {"a full-back to one side", 4, 1, 4, 7, 2, true, 4, false},
        {"a full-back to the other side", 4, 1, 4, 5, 1, true, 4, false},
        {"no full-back: the next player", 6, 2, 2, 6, 2, true, 6, false},
        {"facing away he turns first", 3, 1, 1, 6, 5, false, 3, true},
    };
    for (const Case& c : cases) {
        restart();
        s = statics();
        ballAt(kKeeperX, 0, kKeeperX, 0, 7);
        s->ballHolder = keeper;
        keeper->hasBall = 1;
        keeper->task = 16;
        keeper->direction = c.keeperDirection;
        s->touchTicks = 48;
        CPlayer* mate = player(0, c.slot);
        mate->outOfPlay = 0;
        mate->role = c.role;
        mate->linePosition = c.linePosition;
        mate->defaultDirection = c.defaultDirection;
        mate->distanceToBall = 40000;
        mate->x = kKeeperX + 40000;
        mate->aimX = 11111;
        mate->aimY = 2222;
        team(0)->queueCommand(c.slot, kMove, 0, 0, -1);
        const jlong before = seed();
        team(0)->goalkeeperFrame(keeper, 0);
        EXPECT_EQ(seed() != before, c.draws) << c.what;
        EXPECT_EQ(s->candidateSlot, c.receiver) << c.what;
        EXPECT_EQ(kinds(0, c.slot), std::vector<jint>{kWait}) << c.what << ": the receiver waits";
        EXPECT_EQ(queued(0, c.slot, 1, 3), 1) << c.what;
        const std::vector<jint> expected =
            c.turns ? std::vector<jint>{kFace, kLongBall} : std::vector<jint>{kLongBall};
        EXPECT_EQ(kinds(0, 0), expected) << c.what;
        if (c.slot == 6) {
            EXPECT_EQ(s->candidateX, 11111) << "the next player's own target";
            EXPECT_EQ(s->candidateY, 2222);
        }
    }
}

TEST_F(GoalkeeperTest, APenaltyDrawsTheDiveAndNeverScansThePath) {
    GameStatics* s = statics();
    jint sides[3] = {};
    for (jint round = 0; round < 24; ++round) {
        restart();
        s = statics();
        s->gameRandom->seed = 1000 + round * 7919;
        s->matchPhase = 8;
        s->phaseStep = 5;
        s->penaltyKick = 1;
        // The ball struck from the spot; its path would meet the keeper two ticks ahead.
        ballAt(-106496, 0, -140000, 3000, 9);
        for (jint j = 0; j < 200; ++j) {
            (*s->ballPathX)[j] = -106496 - 12000 * (j + 1);
            (*s->ballPathY)[j] = 777;
        }
        s->ballPathIndex = 0;
        keeper->direction = 5; // a penalty save needs no facing
        const jlong before = seed();
        team(0)->goalkeeperFrame(keeper, 30000);
        ASSERT_EQ(keeper->task, 17) << "the struck penalty starts the save";
        // The draws, replayed from the same seed: the side, then the height.
        s->gameRandom->seed = before;
        const jint side = core::randomRange(-1, 1);
        const jint height = core::randomRange(0, 49);
        ++sides[side + 1];
        EXPECT_EQ(s->diveSide, side);
        EXPECT_EQ(s->ball->aimX, -135168);
        EXPECT_EQ(s->ball->aimY, side * 15359);
        EXPECT_EQ(s->ball->aimZ, 256 * height);
        EXPECT_EQ(kinds(0, 0), std::vector<jint>{kGoalLineRequest}) << "no move along the path";
    }
    for (const jint n : sides) {
        EXPECT_GT(n, 0) << "every side comes up";
    }
}

TEST_F(GoalkeeperTest, TheShootOutAndThePenaltyTakerLeaveHimAlone) {
    GameStatics* s = statics();
    ballAt(-100000, 0, -140000, 0, 9);
    s->matchPeriod = 5;
    const jlong before = seed();
    team(0)->goalkeeperFrame(keeper, 30000);
    EXPECT_EQ(keeper->task, 14) << "a shoot-out between kicks";
    s->penaltyKick = 1;
    s->matchPhase = 8;
    s->phaseStep = 5;
    s->restartActor = keeper;
    team(0)->goalkeeperFrame(keeper, 30000);
    EXPECT_EQ(keeper->task, 14) << "he takes the kick himself";
    EXPECT_EQ(seed(), before);
    s->restartActor = nullptr;
    team(0)->goalkeeperFrame(keeper, 30000);
    EXPECT_EQ(keeper->task, 17) << "a kick at him in the shoot-out";
}

TEST_F(GoalkeeperTest, TheSaveScanMovesHimOrSetsTheSaveByTicksAhead) {
    GameStatics* s = statics();
    struct Case {
        jint index, ticksAhead;
        jint expected; // 0 nothing, kMove, kGoalLineRequest
    };
    const Case cases[] = {
        {0, 1, kGoalLineRequest}, {0, 5, kGoalLineRequest}, {0, 6, kMove}, {0, 12, kMove}, {0, 13, 0},
        {20, 5, kGoalLineRequest}, {20, 13, 0}, {5, 4, kGoalLineRequest}, {5, 5, kMove}, {5, 13, kMove},
        {5, 14, 0}, {185, 14, 0}, {0, 31, 0},
    };
    for (const Case& c : cases) {
        restart();
        s = statics();
        ballAt(-70000, 0, -140000, 0, 0);
        s->ball->vx = -64; // slow: no close-in from the far ball
        keeper->task = 17;
        const jint crossing = c.index + c.ticksAhead - 1;
        for (jint j = 0; j < 200; ++j) {
            (*s->ballPathX)[j] = j < crossing ? -100000 : -131000;
            (*s->ballPathY)[j] = 1000 + j;
            (*s->ballPathZ)[j] = 300 + j;
        }
        s->ballPathIndex = c.index;
        team(0)->goalkeeperFrame(keeper, 40000);
        const std::vector<jint> k = kinds(0, 0);
        const std::string what = std::to_string(c.index) + "+" + std::to_string(c.ticksAhead);
        if (c.expected == 0) {
            EXPECT_TRUE(k.empty()) << what;
            continue;
        }
        ASSERT_EQ(k, std::vector<jint>{c.expected}) << what;
        if (c.expected == kMove) {
            EXPECT_EQ(queued(0, 0, 1, 1), -131000) << what;
            EXPECT_EQ(queued(0, 0, 1, 2), 1000 + crossing) << what;
        } else {
            EXPECT_EQ(s->ball->aimX, -131000) << what << ": the save target";
            EXPECT_EQ(s->ball->aimY, 1000 + crossing) << what;
            EXPECT_EQ(s->ball->aimZ, 300 + crossing) << what;
        }
        restart();
        s = statics();
    }
}

TEST_F(GoalkeeperTest, SavingHeGoesBackToGuardOrToHisThrowOnceTheBallIsHeld) {
    GameStatics* s = statics();
    keeper->task = 17;
    team(0)->keeperHoldCounters[0] = 4;
    s->ballHolder = player(1, 9);
    team(0)->goalkeeperFrame(keeper, 30000);
    EXPECT_EQ(keeper->task, 14);
    EXPECT_EQ(team(0)->keeperHoldCounters[0], 0);
    keeper->task = 17;
    s->ballHolder = keeper;
    team(0)->goalkeeperFrame(keeper, 0);
    EXPECT_EQ(keeper->task, 16);
    // Diving, nothing changes.
    keeper->task = 17;
    keeper->action = 7;
    s->ballHolder = player(1, 9);
    team(0)->goalkeeperFrame(keeper, 30000);
    EXPECT_EQ(keeper->task, 17);
}

TEST_F(GoalkeeperTest, GuardingHeTakesUpANewAimAndFacesThePitch) {
    GameStatics* s = statics();
    team(0)->possession = 1;
    ballAt(-20000, 30000, -20000, 30000, 0);
    s->ballHolder = player(0, 6);
    keeper->defaultDirection = 6; // pointing at his own net
    team(0)->keeperHoldCounters[1] = 5;
    team(0)->goalkeeperFrame(keeper, 100000);
    EXPECT_EQ(kinds(0, 0), (std::vector<jint>{kMove, kFace}));
    EXPECT_EQ(queued(0, 0, 1, 1), keeper->aimX);
    EXPECT_EQ(queued(0, 0, 2, 3), -1);
    EXPECT_EQ(team(0)->keeperHoldCounters[1], 0);
    // The same aim again: nothing new is queued.
    team(0)->goalkeeperFrame(keeper, 100000);
    EXPECT_EQ(kinds(0, 0), (std::vector<jint>{kMove, kFace}));
}

TEST_F(GoalkeeperTest, AnOpponentRunningAtGoalInRangeDrawsHimOut) {
    GameStatics* s = statics();
    ballAt(-110000, 5000, -110000, 5000, 7);
    s->ballHolder = shooter;
    shooter->x = -110000;
    shooter->y = 5000;
    shooter->direction = 6; // at the goal
    keeper->direction = 4;
    keeper->runSpeed = 512;
    team(0)->goalkeeperFrame(keeper, 20000);
    EXPECT_EQ(keeper->task, 15);
    // Too far for his run: he stays.
    keeper->task = 14;
    keeper->runSpeed = 100;
    team(0)->goalkeeperFrame(keeper, 20000);
    EXPECT_EQ(keeper->task, 14);
}

} // namespace goalkeeper_cases
} // namespace game::testing
