// Team positioning on two teams of 18 players: the ring search for a free cell, the player for a
// cell, closing down and marking, the zone move test, the survey of the ball holder's opponents,
// the pass grade and the four option weight tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

class TeamPositioningTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        setFormations({fourFourTwo()});
        team(0)->setFormation(0);
        team(1)->setFormation(0);
        clearGrid(team(0));
        clearGrid(team(1));
    }
    static std::pair<jint, jint> targetOf(const jint side, const jint i) {
        return {player(side, i)->taskCellX, player(side, i)->taskCellY};
    }
};

TEST_F(TeamPositioningTest, TryPlacePlayerWalksTheRingsClockwiseAndSkipsCellsOffThePitch) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    s->phaseStep = 1;
    // A free cell in the zone: taken at once.
    EXPECT_TRUE(t->tryPlacePlayer(5, 2, -8, 1));
    EXPECT_EQ(targetOf(0, 5), std::make_pair(2, -8));
    EXPECT_EQ(gridAt(t, 2, -8), 1);
    // Ring 1 around a claimed (0, 0) starts above it and turns clockwise: (0, -1), (1, -1),
    // (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1).
    const std::vector<std::pair<jint, jint>> ring = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                                                     {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};
    for (std::size_t free = 0; free < ring.size(); ++free) {
        clearGrid(t);
        claim(t, 0, 0);
        for (std::size_t k = 0; k < free; ++k) {
            claim(t, ring[k].first, ring[k].second);
        }
        EXPECT_TRUE(t->tryPlacePlayer(5, 0, 0, 0)) << free;
        EXPECT_EQ(targetOf(0, 5), ring[free]) << free;
    }
    // A claimed corner: ring 1 runs (16, 9), five cells off the pitch, (15, 10), (15, 9).
    clearGrid(t);
    claim(t, 16, 10);
    claim(t, 16, 9);
    claim(t, 15, 10);
    EXPECT_TRUE(t->tryPlacePlayer(5, 16, 10, 0));
    EXPECT_EQ(targetOf(0, 5), std::make_pair(15, 9));
    // Off the pitch: the home cell is the target.
    EXPECT_FALSE(t->tryPlacePlayer(5, 17, 0, 0));
    EXPECT_EQ(targetOf(0, 5), std::make_pair(2, -8));
}

TEST_F(TeamPositioningTest, TheRingSearchReachesEightInOpenPlayAndSixteenAtRestarts) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    s->phaseStep = 1;
    // Everything within 8 of (0, 0) claimed, apart from the pitch's x range that lies beyond.
    auto claimAround = [&](const jint r) {
        clearGrid(t);
        for (jint x = -16; x <= 16; ++x) {
            for (jint y = -10; y <= 10; ++y) {
                if (std::max(std::abs(x), std::abs(y)) <= r) {
                    claim(t, x, y);
                }
            }
        }
    };
    struct Case {
        jint phase, claimed;
        bool found;
        std::pair<jint, jint> target;
    };
    const Case cases[] = {
        {0, 7, true, {0, -8}},    {0, 8, false, {0, 0}},  {3, 8, true, {0, -9}},
        {3, 15, true, {16, -10}}, {3, 16, false, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase * 100 + c.claimed);
        s->matchPhase = c.phase;
        claimAround(c.claimed);
        EXPECT_EQ(t->tryPlacePlayer(5, 0, 0, 0), c.found);
        EXPECT_EQ(targetOf(0, 5), c.target);
    }
}

TEST_F(TeamPositioningTest, AtAGoalKickTheTeamWithoutTheBallStaysShortOfTheOffsideLine) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    s->matchPhase = 4;
    s->phaseStep = 1;
    t->offsideLineCell = 3;
    claim(t, 3, 0);
    t->possession = -1;
    EXPECT_TRUE(t->tryPlacePlayer(9, 3, 0, 0));
    // (3, -1) and (4, ...) lie on the line or beyond: the first cell below x 3 is (2, 1).
    EXPECT_EQ(targetOf(0, 9), std::make_pair(2, 1));
    t->possession = 1;
    EXPECT_TRUE(t->tryPlacePlayer(9, 3, 0, 0));
    EXPECT_EQ(targetOf(0, 9), std::make_pair(3, -1));
}

TEST_F(TeamPositioningTest, FindPlayerForCellTakesTheNearestFreePlayerAndZeroWhenAllAreBusy) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    for (jint i = 0; i < 11; ++i) {
        placeAtCell(0, i, -16 + 3 * i, 0);
        player(0, i)->plannedTask = 0;
    }
    EXPECT_EQ(t->findPlayerForCell(5, 0, 0), 7);
    // The keeper's distance counts half: from (-16, 0) to (-8, 0) he is at 4, player 3 at 1.
    EXPECT_EQ(t->findPlayerForCell(-8, 0, 0), 3);
    EXPECT_EQ(t->findPlayerForCell(-14, 0, 0), 0) << "1 against 1: the lower index";
    EXPECT_EQ(t->findPlayerForCell(-14, 0, 1), 1);
    // Equal distances: the lower index stays.
    EXPECT_EQ(t->findPlayerForCell(-8, 3, 1), 2);
    player(0, 7)->plannedTask = 8;
    player(0, 8)->plannedTask = 14;
    EXPECT_EQ(t->findPlayerForCell(6, 0, 1), 8);
    player(0, 8)->plannedTask = 12;
    player(0, 6)->outOfPlay = 1;
    EXPECT_EQ(t->findPlayerForCell(6, 0, 1), 9) << "hold counts only at restarts";
    s->matchPhase = 5;
    EXPECT_EQ(t->findPlayerForCell(6, 0, 1), 8);
    for (jint i = 0; i < 11; ++i) {
        player(0, i)->plannedTask = 8;
    }
    EXPECT_EQ(t->findPlayerForCell(5, 0, 1), 0);
    // Too far: nothing below 120 cells.
    player(0, 4)->plannedTask = 0;
    placeAtCell(0, 4, 200, 0);
    EXPECT_EQ(t->findPlayerForCell(-100, 0, 1), 0);
}

TEST_F(TeamPositioningTest, NearestPlayersAndThePlayerForTheBall) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    for (jint i = 0; i < 11; ++i) {
        placeAtCell(0, i, -16 + 3 * i, 0);
        placeAtCell(1, i, -16 + 3 * i, 9);
    }
    EXPECT_EQ(t->findNearestPlayerTo(t->fromCell(5), 0, 1), 7);
    allOffThePitch();
    EXPECT_EQ(t->findNearestPlayerTo(0, 0, 0), -1);
    EXPECT_EQ(t->findNearestOutfieldPlayer(0, 0), -1);
    for (jint i = 0; i < 11; ++i) {
        player(0, i)->outOfPlay = 0;
    }
    // Beyond 983040 units nobody counts.
    EXPECT_EQ(t->findNearestPlayerTo(2000000, 0, 0), -1);
    // Two at the same distance: the one behind the ball on its side wins.
    s->ball->x = t->fromCell(2);
    s->ball->y = 40000;
    placeAtCell(0, 3, 4, 2);
    placeAtCell(0, 4, 0, 2);
    player(0, 3)->y = 50000;
    player(0, 4)->y = 50000;
    EXPECT_EQ(t->findNearestOutfieldPlayer(t->fromCell(2), 50000), 4);

    // choosePlayerForBall: the receiver of this team, then the first attacker, then the
    // designated player, then the nearest to the holder.
    t->possession = 1;
    s->receivingPlayer = player(0, 6);
    EXPECT_EQ(t->choosePlayerForBall(), 6);
    s->receivingPlayer = player(1, 6);
    s->firstAttacker[0] = player(0, 2);
    EXPECT_EQ(t->choosePlayerForBall(), 2);
    s->lastTouchPlayer = player(0, 2);
    s->designatedPlayer = 9;
    EXPECT_EQ(t->choosePlayerForBall(), 9);
    s->firstAttacker[0] = nullptr;
    t->possession = -1;
    s->ballHolder = player(1, 0);
    player(1, 0)->x = player(0, 0)->x;
    player(1, 0)->y = player(0, 0)->y;
    EXPECT_EQ(t->choosePlayerForBall(), 1) << "the keeper stays unless the team has the ball";
    // The team has the ball deep and central and touched it last: the keeper may go.
    t->possession = 1;
    s->designatedPlayer = -1;
    s->ballHolder = nullptr;
    s->ball->x = t->fromCell(-14);
    s->ball->y = 0;
    s->ball->aimX = player(0, 0)->x;
    s->ball->aimY = 0;
    EXPECT_EQ(t->choosePlayerForBall(), 0);
    s->lastTouchPlayer = player(1, 3);
    EXPECT_EQ(t->choosePlayerForBall(), 1);
}

// Three attackers (opponent slots 8, 9, 10) against three defenders (own slots 1, 2, 3), all near
// their defenders' zones.
class HolderMarkingTest : public TeamPositioningTest {
protected:
    void SetUp() override {
        TeamPositioningTest::SetUp();
        allOffThePitch();
        for (const jint i : {1, 2, 3}) {
            player(0, i)->outOfPlay = 0;
            player(0, i)->canMark = 1;
            player(0, i)->shiftInstruction = 1;
        }
        for (const jint j : {8, 9, 10}) {
            player(1, j)->outOfPlay = 0;
        }
        // Defenders at home around x -10; the attackers at own-view x 9..10, our -9..-10.
        placeAtCell(0, 1, -10, -8);
        placeAtCell(0, 2, -10, -3);
        placeAtCell(0, 3, -10, 3);
        placeAtCell(1, 8, 9, 8);
        placeAtCell(1, 9, 9, 3);
        placeAtCell(1, 10, 10, -3);
        team(0)->possession = -1;
    }
};

TEST_F(HolderMarkingTest, TheNearestToTheHolderClosesDownAndTheOthersMark) {
    GameStatics* s = statics();
    s->ballHolder = player(1, 9);
    s->ball->x = player(1, 9)->x;
    s->ball->y = player(1, 9)->y;
    team(0)->assignMarking();
    // Defender 2 stands one cell from the holder (our (-9, -3)): he closes down, sent to the
    // ball's cell.
    EXPECT_EQ(player(0, 2)->plannedTask, 7);
    EXPECT_EQ(player(0, 2)->markedSlot, 9);
    EXPECT_EQ(player(1, 9)->closedDown, 1);
    EXPECT_EQ(player(1, 9)->closingPlayer, 2);
    EXPECT_EQ(targetOf(0, 2), std::make_pair(-9, -3));
    // The others mark the attacker near their zones, at his cell seen from this end.
    EXPECT_EQ(player(0, 1)->plannedTask, 8);
    EXPECT_EQ(player(0, 1)->taskPlayer, 8);
    EXPECT_EQ(player(0, 1)->marksTarget, 0);
    EXPECT_EQ(targetOf(0, 1), std::make_pair(-9, -8));
    EXPECT_EQ(player(0, 3)->plannedTask, 8);
    EXPECT_EQ(player(0, 3)->taskPlayer, 10);
    EXPECT_EQ(targetOf(0, 3), std::make_pair(-10, 3));
    EXPECT_EQ(player(1, 8)->markedFlag, 1);
    EXPECT_EQ(player(1, 10)->markedFlag, 1);
    EXPECT_EQ(player(1, 9)->markedFlag, 0);
    EXPECT_TRUE(s->someoneClosesDown);
    EXPECT_TRUE(s->someoneMarks);
    // A second round starts from scratch: the marking tasks and flags are cleared first.
    team(0)->assignMarking();
    EXPECT_EQ(player(0, 2)->plannedTask, 7);
    EXPECT_EQ(player(0, 1)->taskPlayer, 8);
    EXPECT_EQ(player(0, 3)->taskPlayer, 10);
}

TEST_F(HolderMarkingTest, OutOfReachTheHolderIsLeftAndAClosedDownTargetIsMarkedToo) {
    GameStatics* s = statics();
    // Two cells off (16384 units): nobody closes down, and the holder is never marked.
    placeAtCell(1, 8, 8, 8);
    placeAtCell(1, 9, 8, 3);
    placeAtCell(1, 10, 8, -3);
    s->ballHolder = player(1, 9);
    player(1, 9)->dangerous = 1;
    team(0)->assignMarking();
    EXPECT_FALSE(s->someoneClosesDown);
    EXPECT_EQ(player(1, 9)->closedDown, 0);
    EXPECT_EQ(player(0, 2)->plannedTask, 0);
    EXPECT_EQ(player(0, 1)->taskPlayer, 8);
    EXPECT_EQ(player(0, 3)->taskPlayer, 10);

    // The holder alone at our (-9, -5), defender 1 beside him: 1 closes down, and 2, near the
    // holder too, marks him as the target with the zone check.
    player(1, 8)->outOfPlay = 1;
    player(1, 10)->outOfPlay = 1;
    placeAtCell(1, 9, 9, 5);
    placeAtCell(0, 1, -9, -6);
    clearGrid(team(0));
    team(0)->assignMarking();
    EXPECT_EQ(player(0, 1)->plannedTask, 7);
    EXPECT_EQ(player(0, 2)->plannedTask, 8);
    EXPECT_EQ(player(0, 2)->taskPlayer, 9);
    EXPECT_EQ(player(0, 2)->marksTarget, 1);
    EXPECT_TRUE(team(0)->isPointInPlayerZone(2, player(0, 2)->taskCellX, player(0, 2)->taskCellY));
    EXPECT_EQ(player(1, 9)->markedFlag, 1);
    EXPECT_EQ(player(1, 9)->closedDown, 1);
    EXPECT_EQ(player(0, 3)->plannedTask, 0);

    // Nobody may mark: nothing is handed out.
    for (const jint i : {1, 2, 3}) {
        player(0, i)->canMark = 0;
        player(0, i)->plannedTask = 0;
    }
    team(0)->assignMarking();
    for (const jint i : {1, 2, 3}) {
        EXPECT_EQ(player(0, i)->plannedTask, 0) << i;
    }
    EXPECT_FALSE(s->someoneMarks);
    EXPECT_FALSE(s->someoneClosesDown);
}

TEST_F(TeamPositioningTest, KeepsFormationHoldsWaitsAndTurns) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    CPlayer* p = player(0, 5);
    t->possession = 1;
    placeAtCell(0, 5, 0, 0);
    s->ball->x = t->fromCell(2);
    s->ball->y = 0;
    s->ball->aimX = s->ball->x;
    s->ball->aimY = 0;
    p->distanceToBall = 16384;
    p->taskCellX = 3; // forward, direction 2
    p->taskCellY = 0;
    p->direction = 2;
    // A hold countdown counts down first.
    (*t->intPerPlayer)[5] = 2;
    EXPECT_FALSE(t->keepsFormation(5));
    EXPECT_EQ((*t->intPerPlayer)[5], 1);
    EXPECT_FALSE(t->keepsFormation(5));
    EXPECT_TRUE(t->keepsFormation(5));
    // A waiting move waits on ticks that are multiples of 20 and is cleared otherwise.
    (*t->flagPerPlayer)[5] = 1;
    s->matchTicks = 40;
    EXPECT_FALSE(t->keepsFormation(5));
    s->matchTicks = 41;
    EXPECT_TRUE(t->keepsFormation(5));
    EXPECT_EQ((*t->flagPerPlayer)[5], 0);
    // Facing away with commands waiting: the move waits.
    t->queueCommand(5, 1, 0, 0, 0);
    p->direction = 6;
    EXPECT_FALSE(t->keepsFormation(5));
    EXPECT_EQ((*t->flagPerPlayer)[5], 1);
    s->matchTicks = 43;
    p->direction = 1;
    EXPECT_TRUE(t->keepsFormation(5)) << "one step off the move's direction";
    // Far from the ball and its target point: always on.
    p->distanceToBall = 24832;
    s->ball->aimX = t->fromCell(8);
    p->direction = 6;
    EXPECT_TRUE(t->keepsFormation(5));
    // Backward (the team has the ball, the target behind) and level with the ball, the ball
    // between him and his target: the move waits.
    p->distanceToBall = 0;
    s->ball->aimX = s->ball->x;
    p->taskCellX = -6;
    placeAtCell(0, 5, 4, 0);
    s->ball->x = t->fromCell(2);
    EXPECT_FALSE(t->keepsFormation(5));
    // Backward but behind the ball (not level): the move waits without the facing test.
    s->matchTicks = 45;
    placeAtCell(0, 5, 1, 0);
    p->direction = 6;
    t->clearCommandQueues();
    EXPECT_FALSE(t->keepsFormation(5));
}

TEST_F(TeamPositioningTest, AnalyseHolderSetsPressureZonesAndWritesTenPairsATick) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    CPlayer* holder = player(0, 9);
    // The holder at cell (12, -2); opponents at 48 (ahead), 24 (behind) and 100 steps away.
    holder->x = t->fromCell(12);
    holder->y = t->fromCell(-2);
    holder->role = 3;
    for (jint j = 1; j <= 10; ++j) {
        player(1, j)->x = holder->x + 300000;
        player(1, j)->y = holder->y;
    }
    player(1, 1)->x = holder->x + 48 * 256;
    player(1, 2)->x = holder->x - 24 * 256;
    player(1, 3)->x = holder->x;
    player(1, 3)->y = holder->y + 100 * 256;
    t->resetTick(team(1));
    t->analyseHolder(holder);
    EXPECT_EQ(s->holderOpponentCount, 10);
    EXPECT_EQ((*t->table20)[0], 2);
    EXPECT_EQ((*t->table20)[1], 48);
    EXPECT_EQ((*t->table20)[2], 6);
    EXPECT_EQ((*t->table20)[3], 24);
    EXPECT_EQ((*t->table20)[4], 4);
    EXPECT_EQ((*t->table20)[5], 100);
    EXPECT_EQ(t->pressureLevel, 2);
    EXPECT_EQ(t->forwardPressure, 1);
    EXPECT_EQ((*t->flags8a)[2], 1);
    EXPECT_EQ((*t->flags8b)[2], 0);
    EXPECT_EQ((*t->flags8b)[6], 1);
    EXPECT_EQ((*t->flags8c)[4], 1);
    EXPECT_EQ(t->nearOpponents, 3);
    EXPECT_EQ(holder->cellX, 12);
    EXPECT_EQ(holder->cellY, -2);
    EXPECT_EQ(s->holderZone, 2);
    EXPECT_EQ(s->holderZoneFine, 5);
    EXPECT_EQ(t->widePlay, 1) << "an attacker at x 8 or beyond";
    EXPECT_EQ(t->command5Param, -1);
    // A second survey in the same tick writes no further pair (table20 holds ten).
    player(1, 1)->x = holder->x + 10 * 256;
    t->analyseHolder(holder);
    EXPECT_EQ(s->holderOpponentCount, 10);
    EXPECT_EQ((*t->table20)[1], 48);
    EXPECT_EQ(t->table20->length, 20);

    // The fine zone and the situation bytes by the holder's cell.
    struct Case {
        jint cx, cy, role, fine, wide, flag3, left, right, edge;
    };
    const Case cases[] = {
        {13, 5, 1, 4, 0, 0, 0, 0, 0},  {13, -6, 1, 0, 1, 0, 1, 0, 0}, {14, 6, 1, 0, 1, 0, 0, 1, 0},
        {11, -5, 1, 5, 0, 0, 0, 0, 0}, {12, 9, 1, 1, 0, 0, 0, 0, 0},  {10, 4, 1, 6, 0, 0, 0, 0, 1},
        {10, -5, 1, 6, 0, 0, 0, 0, 0}, {7, 7, 1, 2, 1, 0, 0, 0, 0},   {6, 0, 1, 7, 0, 0, 0, 0, 0},
        {0, -6, 1, 3, 1, 0, 0, 0, 0},  {-1, 0, 2, 8, 0, 0, 0, 0, 0},  {0, 0, 2, 7, 1, 0, 0, 0, 0},
        {-5, 0, 1, 8, 0, 1, 0, 0, 0},  {-4, 0, 1, 8, 0, 0, 0, 0, 0},  {7, 2, 3, 6, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cx) + "," + std::to_string(c.cy));
        holder->x = t->fromCell(c.cx);
        holder->y = t->fromCell(c.cy);
        holder->role = c.role;
        t->analyseHolder(holder);
        EXPECT_EQ(s->holderZoneFine, c.fine);
        EXPECT_EQ(std::vector<jint>(
                      {t->widePlay, t->holderFlag3, t->wideLeftOfBox, t->wideRightOfBox, t->edgeOfBox}),
                  std::vector<jint>({c.wide, c.flag3, c.left, c.right, c.edge}));
    }
}

TEST_F(TeamPositioningTest, RatePassTargetGradesByAngleDistanceAndZone) {
    CTeam* t = team(0);
    CPlayer* passer = player(0, 6);
    passer->x = 0;
    passer->y = 0;
    allOffThePitch();
    // A pass 40000 towards +x (zone 4, forward: margin -2048).
    EXPECT_EQ(t->ratePassTarget(passer, 40000, 0, 0), -1) << "nobody on the pitch";
    EXPECT_EQ(t->ratePassTarget(passer, 40000, 0, 1), -1);
    CPlayer* o = player(1, 4);
    o->outOfPlay = 0;
    struct Case {
        jint ox, oy, tx, ty;
        jboolean angleOnly;
        jint grade;
    };
    const Case cases[] = {
        {20000, 0, 40000, 0, 0, 0},        // on the line, nearer than the target
        {20000, 0, 40000, 0, 1, 0},        // the same, angles only
        {20000, 4000, 40000, 0, 1, 0},     // 11 degrees: below 16 blocks
        {20000, 9000, 40000, 0, 1, 1},     // 24 degrees: grade 1
        {20000, 16000, 40000, 0, 1, 2},    // 39 degrees: grade 2
        {20000, 30000, 40000, 0, 1, -1},   // 56 degrees: clear
        {60000, 0, 40000, 0, 1, -1},       // behind the target: angles ignore him
        {20000, 9000, 40000, 0, 0, 1},     // 24 degrees, near: zone 4 gives 1
        {20000, 16000, 40000, 0, 0, 2},    // 39 degrees: beyond the tight band, 2
        {20000, 30000, 40000, 0, 0, -1},   // 56 degrees: zone 4 keeps 3
        {90000, 0, 40000, 0, 0, -1},       // beyond D + m + 8192
        {-20000, 0, -70000, 0, 0, 0},      // back into zone 5 (long, margin 20480): on the line
        {-20000, 16000, -70000, 0, 0, 1},  // 39 degrees in zone 5: at most 1
        {-20000, 24000, -70000, 0, 0, 2},  // 50 degrees in zone 5: at most 2
        {-20000, 40000, -70000, 0, 0, -1}, // 63 degrees: clear
        {-3000, -20000, 0, -40000, 0, 0},  // 351 against 0: the band wraps round, blocked
        {-8000, -20000, 0, -40000, 0, 1},  // 338 against 0: tight, zone 4 gives 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ox) + "," + std::to_string(c.oy) + " to " + std::to_string(c.tx));
        o->x = c.ox;
        o->y = c.oy;
        EXPECT_EQ(t->ratePassTarget(passer, c.tx, c.ty, c.angleOnly), c.grade);
    }
}

TEST_F(TeamPositioningTest, TheMoveAndPassWeightTables) {
    CTeam* t = team(0);
    CPlayer* p = player(0, 5);
    runtime::IntArray* option = runtime::newIntArray(3);
    // adjustMoveWeight: rows s = 0, 1, 3, 4, 2 (any other); columns forward, across, back.
    const jint styles[5] = {0, 1, 3, 4, 2};
    const jint expected[5][3] = {{64, 256, 256}, {64, 128, 128}, {128, 32, 32}, {256, 16, 16}, {64, 64, 32}};
    const jint directions[3] = {2, 4, 6};
    for (jint side = 0; side < 2; ++side) {
        // The other side sees every direction half round.
        t->sideFlag = static_cast<jbyte>(1 - side);
        for (jint r = 0; r < 5; ++r) {
            for (jint c = 0; c < 3; ++c) {
                p->runStyle = styles[r];
                (*option)[2] = 64;
                t->adjustMoveWeight(p, option, (directions[c] + 4 * side) & 7);
                EXPECT_EQ((*option)[2], expected[r][c]) << side << " " << styles[r] << " " << c;
            }
        }
    }
    t->sideFlag = 1;
    // Style 5 takes the team's mentality.
    p->runStyle = 5;
    t->mentalityInUse = 4;
    (*option)[2] = 64;
    t->adjustMoveWeight(p, option, 1);
    EXPECT_EQ((*option)[2], 256);
    // A negative weight halves towards minus infinity (arithmetic shift).
    p->runStyle = 3;
    (*option)[2] = -3;
    t->adjustMoveWeight(p, option, 0);
    EXPECT_EQ((*option)[2], -2);

    // adjustPassWeights: tactic3 1..6 by band of the target's y cell (-6, -1, 0, 5).
    const jint passExpected[6][4] = {{256, 128, 32, 16}, {16, 32, 128, 256}, {32, 128, 128, 32},
                                     {16, 64, 128, 128}, {128, 128, 64, 16}, {128, 32, 32, 128}};
    const jint bandY[4] = {-6, -1, 0, 5};
    runtime::ObjectArray* options = runtime::newObjectArray(8);
    for (jint k = 0; k < 8; ++k) {
        (*options)[k] = runtime::newIntArray(3);
    }
    auto opt = [&](const jint k) -> runtime::IntArray& {
        return *static_cast<runtime::IntArray*>((*options)[k]);
    };
    for (jint tactic = 1; tactic <= 6; ++tactic) {
        t->tactic3 = tactic;
        for (jint band = 0; band < 4; ++band) {
            // Directions 0..4 count; 5..7 are left alone; a weight of 0 stays.
            for (jint k = 0; k < 8; ++k) {
                opt(k)[1] = t->fromCell(bandY[band]);
                opt(k)[2] = k == 3 ? 0 : 64;
            }
            t->adjustPassWeights(options);
            for (jint k = 0; k < 8; ++k) {
                const jint want = k == 3 ? 0 : k <= 4 ? passExpected[tactic - 1][band] : 64;
                EXPECT_EQ(opt(k)[2], want) << tactic << " " << band << " " << k;
            }
        }
    }
    t->tactic3 = 7;
    opt(0)[2] = 64;
    t->adjustPassWeights(options);
    EXPECT_EQ(opt(0)[2], 64);
}

TEST_F(TeamPositioningTest, TheWeightsByPlayerAndByTactics) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    CPlayer* p = player(0, 5);
    struct PlayerCase {
        jint group, zone, settingA, wing, weight;
    };
    const PlayerCase playerCases[] = {
        {1, 0, 1, 1, 128}, {1, 1, 1, 1, 32},  {2, 1, 1, 1, 128}, {2, 0, 1, 1, 32}, {0, 0, 0, 1, 16},
        {0, 0, 2, 1, 128}, {0, 0, 1, 2, 256}, {0, 0, 1, 3, 256}, {0, 0, 1, 0, 32}, {1, 0, 2, 3, 1024},
    };
    for (const PlayerCase& c : playerCases) {
        s->groupSetting = c.group;
        s->holderZone = c.zone;
        p->settingA = c.settingA;
        t->wingGrade = c.wing;
        jint weight = 64;
        t->adjustWeightByPlayer(p, weight);
        EXPECT_EQ(weight, c.weight) << c.group << c.zone << c.settingA << c.wing;
    }

    runtime::ObjectArray* plans = runtime::newObjectArray(3);
    for (jint k = 0; k < 3; ++k) {
        (*plans)[k] = runtime::newIntArray(4);
    }
    auto weight = [&](const jint k) -> jint& { return (*static_cast<runtime::IntArray*>((*plans)[k]))[1]; };
    struct TacticCase {
        jint kind, level, zone, pressing, w1, w2, out1, out2;
    };
    const TacticCase tacticCases[] = {
        {1, 3, 5, 0, 100, 40, 220, 30}, // a quarter of option 2 moves over, then doubled
        {1, 3, 4, 0, 100, 40, 220, 0},  // ... and option 2 cleared below zone 5
        {1, 2, 5, 0, 100, 40, 110, 15}, // level 2: no shift, option 2 halved at zone <= 5
        {1, 1, 6, 0, 100, 40, 55, 30},  // level 1: halved
        {1, 0, 6, 0, 100, 40, 27, 30},  // level 0: quartered
        {3, 3, 6, 0, 100, 40, 0, 140},  // kind 3: option 1 goes to option 2
        {3, 1, 6, 3, 100, 40, 0, 560},  // ... and pressing 3 quadruples it below level 2
        {0, 1, 6, 2, 100, 40, 50, 80},  // kind 0: no move; pressing 2 doubles
        {0, 2, 6, 3, 100, 40, 100, 40}, // level 2: no pressing
        {1, 3, 6, 0, 0, 40, 0, 40},     // nothing for option 1 to scale
    };
    for (const TacticCase& c : tacticCases) {
        t->tacticLevel = c.level;
        s->holderZone = c.zone;
        t->pressingLevel = c.pressing;
        weight(1) = c.w1;
        weight(2) = c.w2;
        t->adjustWeightsByTactics(plans, c.kind);
        EXPECT_EQ(std::make_pair(weight(1), weight(2)), std::make_pair(c.out1, c.out2))
            << c.kind << " " << c.level << " " << c.zone << " " << c.pressing;
    }
}

} // namespace
} // namespace game::testing
