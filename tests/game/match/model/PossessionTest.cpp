// Ball possession and dribbling: taking the ball from an opponent and the resets it makes, the
// offside call of the recorded candidate only, losing the ball (and the hand-back of a runner),
// the knock-on (its push by handicap, the halving, no motion), a dribble step, the challenge and
// first-time strike tests, the path test and the kick-off line-up of both teams.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameMath.h"
#include "game/match/MatchConstants.h"
#include "game/match/StandIns.h"
#include "game/match/model/Ball.h"
#include "game/match/model/Possession.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class PossessionTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(4747);
        GameStatics* s = statics();
        s->ballState = match::kBallPlaced;
    }
    static CPlayer* holdBall(CPlayer* p) {
        statics()->ballHolder = p;
        p->hasBall = 1;
        return p;
    }
};

TEST_F(PossessionTest, TakingTheBallFromAnOpponentResetsBothTeams) {
    GameStatics* s = statics();
    CPlayer* opponent = holdBall(player(1, 6));
    CPlayer* taker = player(0, 7);
    s->receivingPlayer = player(0, 8);
    s->assistPlayer = player(1, 2);
    s->teamBallPlayer[0] = player(0, 3);
    s->teamBallPlayer[1] = player(1, 4);
    player(0, 3)->controlled = 1;
    player(1, 4)->controlled = 1;
    s->firstAttacker[0] = taker;
    s->firstAttackerFlag[0] = 1;
    for (jint t = 0; t < 2; ++t) {
        for (jint i = 0; i < 11; ++i) {
            player(t, i)->assignment = 0;
            player(t, i)->followUp = 2;
            player(t, i)->followUpDirection = 3;
            player(t, i)->followByte1 = 1;
        }
    }
    player(1, 9)->pendingStatistic = 1;
    player(1, 9)->plannedTask = 12;
    taker->recoverEndTime = 99;
    taker->takePossession();
    EXPECT_EQ(opponent->hasBall, 0);
    EXPECT_EQ(s->lastTouchPlayer.get(), opponent);
    EXPECT_EQ(s->ballHolder.get(), taker);
    EXPECT_EQ(taker->hasBall, 1);
    EXPECT_EQ(taker->recoverEndTime, 0);
    EXPECT_EQ(s->holdTicks, 3); // there was a receiver
    EXPECT_EQ(s->receivingPlayer.get(), nullptr);
    EXPECT_EQ(s->assistPlayer.get(), nullptr);
    EXPECT_EQ(s->pendingReceiver, -1);
    EXPECT_EQ(s->firstAttacker[0].get(), nullptr);
    EXPECT_EQ(s->firstAttackerFlag[0], 0);
    for (jint t = 0; t < 2; ++t) {
        EXPECT_EQ(s->teamBallPlayer[t].get(), nullptr);
        for (jint i = 0; i < 11; ++i) {
            EXPECT_EQ(player(t, i)->assignment, -1);
            EXPECT_EQ(player(t, i)->followUp, -1);
            EXPECT_EQ(player(t, i)->followUpDirection, -1);
            EXPECT_EQ(player(t, i)->followByte1, t == 0 ? 0 : 1) << t << " " << i;
        }
    }
    EXPECT_EQ(player(0, 3)->controlled, 0);
    EXPECT_EQ(player(1, 4)->controlled, 0);
    EXPECT_EQ(player(1, 9)->pendingStatistic, 0);
    EXPECT_EQ(player(1, 9)->plannedTask, 0);
    EXPECT_EQ((*team(1)->flagPerPlayer)[9], 1);
    EXPECT_EQ(s->offsidePlayer.get(), nullptr);

    // A restart taker gaining the ball outside open play leaves the marks alone; an assist of his
    // own team stays.
    s->matchPhase = 3;
    s->restartActor = player(1, 2);
    s->assistPlayer = player(1, 5);
    player(0, 4)->assignment = 0;
    player(1, 2)->takePossession();
    EXPECT_EQ(player(0, 4)->assignment, 0);
    EXPECT_EQ(s->assistPlayer.get(), player(1, 5));
    EXPECT_EQ(s->holdTicks, 0);
    EXPECT_EQ(taker->hasBall, 0);
    EXPECT_EQ(s->lastTouchPlayer.get(), taker);
}

TEST_F(PossessionTest, OnlyTheRecordedCandidateIsCalledOffside) {
    GameStatics* s = statics();
    s->ballState = match::kBallLofted;
    CPlayer* passer = player(0, 4);
    s->lastTouchPlayer = passer;
    CPlayer* runner = player(0, 9);
    runner->x = 100000;
    CPlayer* other = player(0, 10);
    other->x = 100000;
    ASSERT_TRUE(runner->isOffside());
    ASSERT_TRUE(other->isOffside());
    s->offsidePlayer = runner;
    other->takePossession();
    EXPECT_EQ(s->matchPhase, 0);
    EXPECT_EQ(s->offsidePlayer.get(), nullptr);
    EXPECT_EQ(team(0)->offsideCount, 0);
    s->ballHolder = nullptr;
    other->hasBall = 0;
    s->lastTouchPlayer = passer;
    s->offsidePlayer = runner;
    runner->takePossession();
    EXPECT_EQ(s->matchPhase, 6); // the offside free kick
    EXPECT_EQ(s->foulPlayer.get(), runner);
    EXPECT_EQ(team(0)->offsideCount, 1);
    EXPECT_EQ(s->offsidePlayer.get(), runner);
}

TEST_F(PossessionTest, LosingTheBallKnocksItOnOrHandsARunnerBack) {
    GameStatics* s = statics();
    CPlayer* p = holdBall(player(0, 5));
    match::placeBall(1000, 0);
    p->paceKind = 2;
    team(0)->actingSlot = 3;
    const jint handed = match::standInCallCount("handToTeamLogic");
    p->loseBall();
    EXPECT_EQ(match::standInCallCount("handToTeamLogic"), handed + 1);
    EXPECT_EQ(s->ballHolder.get(), p);
    EXPECT_EQ(team(0)->actingSlot, -1);
    p->paceKind = 0;
    p->vx = 1500;
    p->direction = 2;
    s->touchTicks = 9;
    p->loseBall();
    EXPECT_EQ(s->ballHolder.get(), nullptr);
    EXPECT_EQ(p->hasBall, 0);
    EXPECT_EQ(s->lastTouchPlayer.get(), p);
    EXPECT_EQ(s->lastOutfieldCarrier.get(), p);
    EXPECT_EQ(s->touchTicks, 0);
    EXPECT_EQ(team(0)->actingSlot, 5);
    EXPECT_EQ(s->ballState, match::kBallKick5);
    EXPECT_GT(s->ball->vx, 0);
    EXPECT_GT(s->ball->aimX, 1000);
}

TEST_F(PossessionTest, TheKnockOnPushesByHandicapOrByHalf) {
    GameStatics* s = statics();
    CPlayer* p = player(0, 5);
    p->vx = 1565; // a run at 835, as a frame moves it
    p->direction = 2;
    // Not forced: 1565 << 3 = 12520, three quarters 9390, then an eighth plus a quarter: 3520,
    // which the screen rescale makes 6600.
    match::placeBall(0, 0);
    p->knockBallOn();
    const jint walk = s->ball->aimX;
    EXPECT_EQ(walk, 3520 * 480 / 256);
    EXPECT_EQ(s->ball->aimY, 0);
    struct Case {
        jint handicap;
        bool half;
        jint factor; // of the unforced push x 2
    };
    for (const Case c :
         {Case{0, false, 3 * 2}, Case{1, false, 3 * 2}, Case{2, false, 4 * 2}, Case{4, false, 4 * 2},
          Case{5, false, 5 * 2}, Case{7, false, 5 * 2}, Case{0, true, 1}}) {
        p->forcedRun = 1;
        p->handicapLevel = c.handicap;
        s->halfPush = c.half ? 1 : 0;
        match::placeBall(0, 0);
        p->knockBallOn();
        const jint forced = 9390 * 480 / 256;
        EXPECT_NEAR(s->ball->aimX, forced * c.factor / 2, c.factor) << c.handicap << c.half;
        EXPECT_EQ(s->halfPush, 0);
    }
    // Facing forward-diagonally on a forced run halves the push before the factor.
    p->direction = 1;
    p->vx = 1106;
    p->vy = -1106;
    p->handicapLevel = 0;
    match::placeBall(0, 0);
    const jint before = core::approxDistance(s->ball->aimX, s->ball->aimY);
    p->knockBallOn();
    EXPECT_GT(core::approxDistance(s->ball->aimX, s->ball->aimY), before);
    // No motion: nothing to push, the ball stays where it is and still.
    p->forcedRun = 0;
    p->vx = 0;
    p->vy = 0;
    match::placeBall(5000, 7000);
    p->knockBallOn();
    EXPECT_EQ(s->ball->aimX, 5000);
    EXPECT_EQ(s->ball->aimY, 7000);
    EXPECT_EQ(s->ball->vx, 0);
    EXPECT_EQ(s->ball->vy, 0);
    EXPECT_EQ(s->ball->vz, 0);
}

TEST_F(PossessionTest, ADribbleStepRunsAlongTheFacing) {
    CPlayer* p = player(0, 5);
    p->runSpeed = 835;
    p->ballRunSpeed = 800;
    p->sprintSpeed = 1000;
    p->ballSprintSpeed = 950;
    p->direction = 4;
    const jint handed = match::standInCallCount("handToTeamLogic");
    p->dribbleStep();
    EXPECT_EQ(p->state, 1);
    EXPECT_EQ(p->vx, 0);
    EXPECT_GT(p->vy, 835);
    EXPECT_EQ(match::standInCallCount("handToTeamLogic"), handed);
    holdBall(p);
    p->forcedRun = 1;
    p->direction = 2;
    p->dribbleStep();
    EXPECT_EQ(p->state, 32);
    EXPECT_EQ(p->vx, 950 * 480 / 256);
    EXPECT_EQ(match::standInCallCount("handToTeamLogic"), handed + 1);
}

TEST_F(PossessionTest, NobodyChallengesATeamMate) {
    GameStatics* s = statics();
    CPlayer* carrier = holdBall(player(1, 6));
    carrier->x = 10000;
    struct Case {
        const char* what;
        CPlayer* challenger;
        jint distance, x, phase, keeperAction;
        bool can;
    };
    const Case cases[] = {
        {"opponent near", player(0, 5), 3000, 20000, 0, 0, true},
        {"team-mate near", player(1, 5), 100, 10000, 0, 0, false},
        {"opponent far", player(0, 5), 4352, 12049, 0, 0, false},
        {"far from the ball, near the carrier", player(0, 5), 9000, 12048, 0, 0, true},
        {"in a restart", player(0, 5), 100, 10000, 3, 0, false},
        {"a keeper tackling", player(0, 5), 100, 10000, 0, 5, false},
        {"a keeper saving", player(0, 5), 100, 10000, 0, 7, false},
        {"a keeper striking", player(0, 5), 100, 10000, 0, 8, false},
        {"a keeper standing", player(0, 5), 100, 10000, 0, 1, true},
    };
    for (const Case& c : cases) {
        s->matchPhase = c.phase;
        c.challenger->distanceToBall = c.distance;
        c.challenger->x = c.x;
        CPlayer* target = carrier;
        if (c.keeperAction != 0) {
            target = holdBall(player(1, 0));
            target->x = 10000;
            target->action = c.keeperAction;
        } else {
            holdBall(carrier);
        }
        EXPECT_EQ(c.challenger->canChallengeCarrier(), c.can) << c.what;
    }
    // Without a holder the receiver is challenged; with neither nobody is.
    s->matchPhase = 0;
    s->ballHolder = nullptr;
    s->receivingPlayer = carrier;
    player(0, 5)->distanceToBall = 100;
    EXPECT_TRUE(player(0, 5)->canChallengeCarrier());
    s->receivingPlayer = nullptr;
    EXPECT_FALSE(player(0, 5)->canChallengeCarrier());
}

TEST_F(PossessionTest, AFirstTimeStrikeNeedsTheAreaTheReachAndTheFacing) {
    GameStatics* s = statics();
    CPlayer* p = player(0, 9);
    struct Case {
        const char* what;
        jint slot, touch, phase, x, distance, direction, height;
        bool holder, mateCarried, can;
    };
    // Team 0 attacks +x: its own penalty area lies below x -91648.
    const Case cases[] = {
        {"free in the area", 9, 3, 0, -100000, 2047, 2, 3071, false, false, true},
        {"the keeper", 0, 3, 0, -100000, 100, 2, 0, false, false, false},
        {"touched just now", 9, 2, 0, -100000, 100, 2, 0, false, false, false},
        {"in a restart", 9, 3, 4, -100000, 100, 2, 0, false, false, false},
        {"the ball held", 9, 3, 0, -100000, 100, 2, 0, true, false, false},
        {"a team-mate's ball", 9, 3, 0, -100000, 100, 2, 0, false, true, false},
        {"outside the area", 9, 3, 0, -90000, 100, 2, 0, false, false, false},
        {"out of reach", 9, 3, 0, -100000, 2048, 2, 0, false, false, false},
        {"turned away", 9, 3, 0, -100000, 100, 5, 0, false, false, false},
        {"turned a little", 9, 3, 0, -100000, 100, 4, 0, false, false, true},
        {"too high", 9, 3, 0, -100000, 100, 2, 3072, false, false, false},
    };
    for (const Case& c : cases) {
        CPlayer* striker = c.slot == 0 ? player(0, 0) : p;
        striker->x = c.x;
        striker->y = 0;
        striker->distanceToBall = c.distance;
        striker->direction = c.direction;
        striker->defaultDirection = 2;
        s->touchTicks = c.touch;
        s->matchPhase = c.phase;
        s->ballHolder = c.holder ? player(1, 3) : nullptr;
        s->lastOutfieldCarrier = c.mateCarried ? player(0, 4) : player(1, 4);
        s->ball->z = c.height;
        EXPECT_EQ(striker->canStrikeLooseBall(), c.can) << c.what;
    }
}

TEST_F(PossessionTest, ThePathTestReadsInsideThePath) {
    GameStatics* s = statics();
    match::placeBall(0, 0);
    s->ballState = match::kBallRolling;
    for (jint i = 0; i < 200; ++i) {
        (*s->ballPathX)[i] = i * 1000;
        (*s->ballPathY)[i] = 0;
    }
    s->ballPathIndex = 10;
    EXPECT_TRUE(match::isNearBallPath(5000, 1280, 0)); // ball to entry 10
    EXPECT_FALSE(match::isNearBallPath(5000, 1400, 0));
    EXPECT_FALSE(match::isNearBallPath(11500, 0, 0)); // past entry 10
    EXPECT_TRUE(match::isNearBallPath(11500, 0, 2));  // entry 11 to 12
    s->ballPathIndex = 197;
    EXPECT_TRUE(match::isNearBallPath(198500, 0, 2));  // entries 198 and 199
    EXPECT_FALSE(match::isNearBallPath(199500, 0, 3)); // would read entry 200
    s->ballState = match::kBallPlaced;
    EXPECT_FALSE(match::isNearBallPath(0, 0, 0));
    s->ballState = match::kBallSent;
    EXPECT_FALSE(match::isNearBallPath(0, 0, 0));
}

TEST_F(PossessionTest, AtAKickOffBothTeamsLineUpBehindTheirColumns) {
    GameStatics* s = statics();
    // Home cells in the team's view: (column, row), and whether instruction 4 is "always".
    struct Home {
        jint slot, col, row;
        bool always;
    };
    const Home homes[] = {{0, -15, 0, false}, {1, -10, -7, false}, {2, -10, 0, false}, {3, 12, -9, true},
                          {4, 0, 7, true},    {5, 8, 8, false},    {6, 8, 3, false},   {7, 6, -8, false},
                          {8, 6, 0, true},    {9, 10, 2, true},    {10, 10, -2, false}};
    for (jint t = 0; t < 2; ++t) {
        for (const Home& h : homes) {
            CPlayer* p = player(t, h.slot);
            p->homeCellX = h.col;
            p->homeCellY = h.row;
            p->advanceSetting = h.always ? 2 : 1;
            p->task = 4;
            p->pendingStatistic = 1;
            p->vx = 300;
        }
    }
    s->phaseTeam = 0;
    holdBall(player(1, 8));
    s->receivingPlayer = player(0, 2);
    s->teamBallPlayer[1] = player(1, 3);
    player(1, 3)->controlled = 1;
    s->setPieceKind = 5;
    s->ballHiddenB = 1;
    match::placePlayersForKickOff();
    // Expected columns: the first team kicks off (its "always" players come up to (col + 16) / 2 -
    // 10); wide rows beyond 6 stand on the centre line when their column is ahead of -2.
    struct Want {
        jint slot, first, second;
    };
    const Want wants[] = {{0, -15, -15}, {1, -10, -10}, {2, -10, -10}, {3, 0, 0},   {4, -3, -5}, {5, 0, 0},
                          {6, -3, -3},   {7, -3, -3},   {8, -3, -3},   {9, -3, -3}, {10, -3, -3}};
    for (const Want& w : wants) {
        const Home* h = nullptr;
        for (const Home& home : homes) {
            if (home.slot == w.slot) {
                h = &home;
            }
        }
        for (jint t = 0; t < 2; ++t) {
            CPlayer* p = player(t, w.slot);
            const jint col = t == 0 ? w.first : w.second;
            const jint sign = t == 0 ? 1 : -1;
            EXPECT_EQ(p->x, sign * col * 8192) << t << " slot " << w.slot;
            EXPECT_EQ(p->y, sign * h->row * 8192) << t << " slot " << w.slot;
            EXPECT_EQ(p->direction, t == 0 ? 2 : 6);
            EXPECT_EQ(p->task, -1);
            EXPECT_EQ(p->plannedTask, -1);
            EXPECT_EQ(p->pendingStatistic, 0);
            EXPECT_EQ(p->vx, 0);
            EXPECT_EQ(p->hasBall, 0);
        }
    }
    EXPECT_EQ(s->ballHolder.get(), nullptr);
    EXPECT_EQ(s->lastTouchPlayer.get(), player(1, 8));
    EXPECT_EQ(s->receivingPlayer.get(), nullptr);
    EXPECT_EQ(s->teamBallPlayer[1].get(), nullptr);
    EXPECT_EQ(player(1, 3)->controlled, 0);
    EXPECT_EQ(s->setPieceKind, 0);
    EXPECT_EQ(s->ballHiddenB, 0);
}

} // namespace
} // namespace game::testing
