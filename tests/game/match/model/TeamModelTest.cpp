// The team model on two teams of 18 players: formation points, the zone grid and the player
// zones, the per-tick reset, command queues, shoot-out takers, kick-off columns, the search for a
// free player, the boost, and the tactic table's rows and position groups.
#include <gtest/gtest.h>

#include <string>

#include "game/framework/ClassInitialisers.h"
#include "game/match/model/TacticTable.h"
#include "game/match/model/TacticTableFormat.h"
#include "runtime/Log.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tools/SampleMatchData.h"

namespace game::testing {
namespace {

class TeamModelTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
    }
    static jbyte gridAt(const CTeam* t, const jint cx, const jint cy) {
        return (*t->zoneGrid)[cx * 21 + cy + 346];
    }
    static jint markedCells(const CTeam* t) {
        jint n = 0;
        for (jint k = 0; k < t->zoneGrid->length; ++k) {
            n += (*t->zoneGrid)[k] != 0 ? 1 : 0;
        }
        return n;
    }
    static runtime::ByteArray* bytesOf(const tools::Bytes& bytes) {
        runtime::ByteArray* array = runtime::newByteArray(static_cast<jint>(bytes.size()));
        for (jint i = 0; i < array->length; ++i) {
            (*array)[i] = static_cast<jbyte>(bytes[static_cast<std::size_t>(i)]);
        }
        return array;
    }
    static jint queueInt(const CTeam* t, const jint k) { return (*t->commandQueues)[k]; }
};

TEST_F(TeamModelTest, AssignPlayersBindsTheSquadToItsSide) {
    CTeam* home = team(0);
    EXPECT_EQ(home->teamIndex, 0);
    EXPECT_EQ(home->opponent, team(1));
    EXPECT_EQ(team(1)->opponent, home);
    EXPECT_EQ(home->goalkeeper, player(0, 0));
    EXPECT_EQ(player(0, 0)->task, 14);
    EXPECT_EQ(player(0, 1)->task, 0);
    for (jint i = 0; i < 18; ++i) {
        EXPECT_EQ(player(1, i)->team, team(1)) << i;
        EXPECT_EQ(player(1, i)->opponents, home) << i;
        EXPECT_EQ(player(1, i)->slot, i);
    }
}

TEST_F(TeamModelTest, FormationSlotsGiveTheirCellPoints) {
    CTeam* t = team(0);
    // Players 1..10 in slots 1, 2, 3, 6, 8, 12, 16, 18, 20, 24: only rows 0 and 2 have a player
    // in the centre column (slots 2 and 12).
    const jint slots[] = {1, 2, 3, 6, 8, 12, 16, 18, 20, 24};
    for (jint i = 0; i < 10; ++i) {
        player(0, i + 1)->formationSlot = slots[i];
    }
    player(0, 0)->formationSlot = -1;
    runtime::BoolArray* rows = t->getRowsWithCentre();
    ASSERT_EQ(rows->length, 5);
    EXPECT_EQ(std::vector<int>({(*rows)[0], (*rows)[1], (*rows)[2], (*rows)[3], (*rows)[4]}),
              std::vector<int>({1, 0, 1, 0, 0}));
    runtime::IntArray* point = runtime::newIntArray(2);
    struct Case {
        jint slot, x, y;
    };
    const Case cases[] = {
        {12, 2, 0},  {5, -4, -8},  {8, -4, 3},   {6, -4, -3}, {9, -4, 8},  // row 1 spreads out
        {7, -4, 0},  {0, -10, -8}, {1, -10, -4}, {3, -10, 4}, {11, 2, -4}, // rows 0 and 2 keep 4-cell steps
        {24, 14, 8}, {20, 14, -8}, {21, 14, -3},
    };
    for (const Case& c : cases) {
        t->slotToFormationPoint(point, c.slot, rows);
        EXPECT_EQ((*point)[0], c.x) << c.slot;
        EXPECT_EQ((*point)[1], c.y) << c.slot;
    }
    (*point)[0] = 99;
    t->slotToFormationPoint(point, 25, rows);
    t->slotToFormationPoint(point, -1, rows);
    EXPECT_EQ((*point)[0], 99) << "no point for a slot off the grid";
}

TEST_F(TeamModelTest, ZoneGridSquaresAreClippedToThePitch) {
    CTeam* t = team(0);
    t->markZoneGrid(-16, -10, 0, 5);
    EXPECT_EQ((*t->zoneGrid)[0], 5);
    t->markZoneGrid(16, 10, 0, 6);
    EXPECT_EQ((*t->zoneGrid)[692], 6);
    EXPECT_EQ(markedCells(t), 2);
    t->resetTick(nullptr);
    EXPECT_EQ(markedCells(t), 0);
    t->markZoneGrid(15, 9, 2, 2);
    EXPECT_EQ(markedCells(t), 16) << "x 13..16 by y 7..10";
    for (jint x = 13; x <= 16; ++x) {
        for (jint y = 7; y <= 10; ++y) {
            EXPECT_EQ(gridAt(t, x, y), 2) << x << ", " << y;
        }
    }
    t->markZoneGrid(40, 0, 3, 1);
    EXPECT_EQ(markedCells(t), 16) << "a square wholly off the pitch marks nothing";
}

TEST_F(TeamModelTest, PlayerZonesHomeCellsAndTheOffsideLimit) {
    CTeam* t = team(0);
    CPlayer* p = player(0, 3);
    p->homeCellX = 2;
    p->homeCellY = -1;
    p->shiftInstruction = 1;
    // Reach behind 2, ahead 3, to -y 1, to +y 4.
    for (jint k = 0; k < 4; ++k) {
        (*t->zoneBoxes)[3 * 4 + k] = static_cast<jbyte>(std::vector<int>{2, 3, 1, 4}[k]);
    }
    t->offsideLineCell = 3;
    struct Case {
        jint possession, cx, cy;
        bool inZone;
    };
    const Case cases[] = {
        {-1, 0, -2, true},  {-1, -1, -1, false}, {-1, 5, 3, true}, {-1, 6, 0, false},
        {-1, 2, -3, false}, {-1, 2, 4, false},   {1, 4, 0, true},  {1, 5, 0, false}, // ahead of the line + 1
    };
    for (const Case& c : cases) {
        t->possession = c.possession;
        EXPECT_EQ(t->isPointInPlayerZone(3, c.cx, c.cy), c.inZone)
            << c.possession << ": " << c.cx << ", " << c.cy;
    }
    EXPECT_FALSE(t->isPointInPlayerZone(11, 0, 0)) << "players 0..10 have boxes";
    // Near-cell test: three cells round the home cell shifted by s - 1 (s = 3 takes tactic1).
    EXPECT_TRUE(t->isPlayerNearCell(3, 5, 2));
    EXPECT_FALSE(t->isPlayerNearCell(3, 6, 2));
    p->shiftInstruction = 3;
    t->tactic1 = 2;
    EXPECT_TRUE(t->isPlayerNearCell(3, 6, 3));
    EXPECT_FALSE(t->isPlayerNearCell(3, -2, 0));
}

TEST_F(TeamModelTest, ZoneTargetsScaleAtADefendedCornerAndClaimByRadius) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    CPlayer* attacker = player(0, 9);
    attacker->role = 3;
    CPlayer* defender = player(0, 2);
    defender->role = 1;
    struct Case {
        jint phase, step, possession;
        CPlayer* p;
        jint cx, cy, targetX, targetY, marked;
    };
    const Case cases[] = {
        {5, 1, -1, attacker, 12, 8, 5, 6, 9},    // ((12 + 16) x 3 >> 2) - 16, 8 x 3 >> 2; radius 1
        {5, 1, -1, defender, 12, -7, 12, -6, 9}, // only y scales; -21 >> 2 is -6
        {5, 1, 1, attacker, 12, 8, 12, 8, 25},   // with the ball: no scaling, radius 2
        {0, 0, -1, attacker, 0, 0, 0, 0, 9},     // open play: radius 1
        {3, 0, 1, attacker, 0, 0, 0, 0, 1},      // a restart's first step: radius 0
    };
    for (const Case& c : cases) {
        s->matchPhase = c.phase;
        s->phaseStep = c.step;
        t->possession = c.possession;
        t->resetTick(nullptr);
        t->setPlayerZoneTarget(c.p->slot, c.cx, c.cy);
        EXPECT_EQ(c.p->taskCellX, c.targetX) << c.phase << " " << c.cx;
        EXPECT_EQ(c.p->taskCellY, c.targetY) << c.phase << " " << c.cy;
        EXPECT_EQ(markedCells(t), c.marked) << c.phase << " " << c.cx;
        EXPECT_EQ(gridAt(t, c.targetX, c.targetY), 1) << "team 0 claims with 1";
    }
}

TEST_F(TeamModelTest, TickResetClearsTheTablesAndMarksTheOpponentsUnlessFrozen) {
    GameStatics* s = statics();
    CTeam* t = team(1);
    CTeam* other = team(0);
    t->tactic6 = 1;
    t->keeperDistribution = -1;
    t->pressureLevel = 2;
    t->eventCount = 4;
    (*t->table20)[19] = 5;
    (*t->flags8b)[7] = 1;
    s->holderOpponentCount = 6;
    for (jint i = 0; i < 18; ++i) {
        player(0, i)->outOfPlay = 1;
    }
    player(0, 4)->outOfPlay = 0;
    player(0, 4)->x = 8192 * 5;
    player(0, 4)->y = -8192 * 2;
    player(0, 12)->outOfPlay = 0; // on the bench: not one of players 0..10
    (*t->zoneGrid)[0] = 9;
    framework::initConstantTables(s);
    auto planInt = [s](runtime::ObjectArray* table, jint k, jint j) -> jint& {
        return (*static_cast<runtime::IntArray*>((*table)[k]))[j];
    };
    planInt(s->ballPlans, 3, 2) = 7;
    planInt(s->dribbleCandidates, 0, 0) = 7;
    planInt(s->throughPassCandidates, 5, 3) = 7;
    planInt(s->longBallCandidates, 7, 2) = 7;
    t->resetTick(other);
    EXPECT_EQ(t->keeperDistribution, 4) << "(2 - 1) x 4";
    EXPECT_EQ(t->pressureLevel, 0);
    EXPECT_EQ(t->eventCount, 0);
    EXPECT_EQ(t->lastEvent, -1);
    EXPECT_EQ((*t->table20)[19], 0);
    EXPECT_EQ((*t->flags8b)[7], 0);
    EXPECT_EQ(s->holderOpponentCount, 0);
    EXPECT_EQ(planInt(s->ballPlans, 3, 2), 0) << "the plan and candidate tables are cleared";
    EXPECT_EQ(planInt(s->dribbleCandidates, 0, 0), 0);
    EXPECT_EQ(planInt(s->throughPassCandidates, 5, 3), 0);
    EXPECT_EQ(planInt(s->longBallCandidates, 7, 2), 0);
    // Team 1 attacks towards -x: the opponent at cell (5, -2) is at (-5, 2) in its view.
    EXPECT_EQ(markedCells(t), 9);
    EXPECT_EQ(gridAt(t, -5, 2), 1) << "2 - teamIndex";
    EXPECT_EQ(gridAt(t, -4, 3), 1);
    t->keeperDistribution = 3;
    t->tactic6 = 3;
    s->zoneGridFrozen = 1;
    t->markZoneGrid(0, 0, 0, 2);
    t->resetTick(other);
    EXPECT_EQ(t->keeperDistribution, 3) << "only a pending distribution takes the value";
    EXPECT_EQ(markedCells(t), 10) << "a frozen grid keeps its claims";
    s->zoneGridFrozen = 0;
    t->keeperDistribution = -1;
    t->resetTick(other);
    EXPECT_EQ(t->keeperDistribution, -1) << "(2 - 3) x 4 is not above the counter";
}

TEST_F(TeamModelTest, CommandQueuesHoldThreeWaitingEntriesAndRefuseAFourth) {
    CTeam* t = team(0);
    clearLog();
    t->queueCommand(2, 7, 100, 200, 3);
    EXPECT_EQ(queueInt(t, 32), -1) << "the current entry of an empty queue has kind -1";
    EXPECT_EQ((*t->queueLengths)[2], 2);
    EXPECT_EQ(std::vector<int>({queueInt(t, 36), queueInt(t, 37), queueInt(t, 38), queueInt(t, 39)}),
              std::vector<int>({7, 100, 200, 3}));
    t->queueCommand(2, 8, 1, 2, 3);
    t->queueCommand(2, 9, 4, 5, 6);
    EXPECT_EQ((*t->queueLengths)[2], 4);
    EXPECT_EQ(queueInt(t, 44), 9);
    t->queueCommand(2, 10, 7, 7, 7);
    t->queueCommand(2, 11, 7, 7, 7);
    EXPECT_EQ((*t->queueLengths)[2], 4);
    for (jint k = 48; k < 64; ++k) {
        EXPECT_EQ(queueInt(t, k), 0) << "player 3's queue is untouched at " << k;
    }
    EXPECT_TRUE(logged("CTeam::queueCommand: team 0 player 2's queue is full; command 10 dropped"));
    EXPECT_EQ(logLines().size(), 1u) << "logged once per player";
    // The last player's queue ends the array: a fourth entry would write past 176 ints.
    for (jint k = 0; k < 4; ++k) {
        t->queueCommand(10, 1, k, k, k);
    }
    EXPECT_EQ(queueInt(t, 175), 2);
    EXPECT_EQ(logLines().size(), 2u);
    t->queueCommand(11, 1, 0, 0, 0);
    EXPECT_EQ(logLines().size(), 3u) << "no queue for player 11";
    t->clearCommandQueues();
    for (jint k = 0; k < 176; ++k) {
        ASSERT_EQ(queueInt(t, k), 0) << k;
    }
    EXPECT_EQ((*t->queueLengths)[2], 0);
    for (jint k = 0; k < 4; ++k) {
        t->queueCommand(2, 1, 0, 0, 0);
    }
    EXPECT_EQ(logLines().size(), 4u) << "cleared queues log a refusal again";
}

TEST_F(TeamModelTest, PenaltyTakersRunBackwardsThroughThePlayersOnThePitch) {
    GameStatics* s = statics();
    auto takers = [&](const jint kicks) {
        std::vector<jint> slots;
        for (jint k = 0; k < kicks; k += 2) {
            s->shootoutKicks = k;
            slots.push_back(match::nextPenaltyTaker(0));
        }
        return slots;
    };
    EXPECT_EQ(takers(24), std::vector<jint>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 10})) << "eleven on the pitch";
    for (jint i = 0; i < 11; ++i) {
        player(0, i)->outOfPlay = i == 2 || i == 5 || i == 9 ? 0 : 1;
    }
    EXPECT_EQ(takers(10), std::vector<jint>({9, 5, 2, 9, 5})) << "three on the pitch";
    // From 4n kicks on a plain remainder would turn negative and name nobody: the order wraps on.
    s->shootoutKicks = 12;
    EXPECT_EQ(match::nextPenaltyTaker(0), 9);
    s->shootoutKicks = 13;
    EXPECT_EQ(match::nextPenaltyTaker(0), 9) << "both teams' kicks of a round share the taker";
    s->shootoutKicks = 40;
    EXPECT_EQ(match::nextPenaltyTaker(0), 2);
    for (jint i = 0; i < 11; ++i) {
        player(0, i)->outOfPlay = 1;
    }
    EXPECT_EQ(match::nextPenaltyTaker(0), 11) << "nobody on the pitch";
    EXPECT_EQ(match::nextPenaltyTaker(5), 11) << "no such team";
}

TEST_F(TeamModelTest, KickOffColumnsPullPlayersBehindTheCentreLine) {
    GameStatics* s = statics();
    struct Case {
        const char* name;
        jint side, slot, hx, hy, advance, phaseTeam, cell;
    };
    const Case cases[] = {
        {"keeper", 0, 0, -15, 0, 1, 0, -15},
        {"defender: (hx + 10) / 2 - 10", 0, 2, -8, 3, 1, 0, -9},
        {"midfielder: (2 + 10) / 2 - 10 = -4", 0, 6, 2, 4, 1, 0, -4},
        {"midfielder at -1, central", 0, 6, 8, 4, 1, 0, -3},
        {"midfielder at -1, wide", 0, 7, 8, 7, 1, 0, 0},
        {"forward of the kicking team who always advances", 0, 9, 8, 0, 2, 0, -3},
        {"advancing forward wide", 0, 9, 8, -8, 2, 0, 0},
        {"advancing defender: (hx + 16) / 2 - 10", 0, 3, -10, 0, 2, 0, -7},
        {"the other team's advancing defender", 0, 3, -10, 0, 2, 1, -10},
        {"v = -2 goes to -3", 0, 4, 6, 9, 1, 1, -3},
        {"truncation towards zero: (-11 + 10) / 2 is 0", 0, 5, -11, 9, 1, 1, -10},
        {"team 1 mirrors the column", 1, 2, -8, 3, 1, 0, 9},
    };
    for (const Case& c : cases) {
        CPlayer* p = player(c.side, c.slot);
        p->homeCellX = c.hx;
        p->homeCellY = c.hy;
        p->advanceSetting = c.advance;
        s->phaseTeam = c.phaseTeam;
        EXPECT_EQ(p->kickOffCellX(), c.cell * 8192) << c.name;
    }
}

TEST_F(TeamModelTest, NextFreePlayerStopsAtTheEndIndex) {
    for (const jint off : {2, 3, 5}) {
        player(1, off)->outOfPlay = 1;
    }
    EXPECT_EQ(match::findNextFreePlayer(1, 2, 10, 1), 4);
    EXPECT_EQ(match::findNextFreePlayer(1, 5, 1, -1), 4);
    EXPECT_EQ(match::findNextFreePlayer(1, 2, 4, 1), -1) << "to itself is never examined";
    EXPECT_EQ(match::findNextFreePlayer(1, 4, 4, 1), -1) << "from == to examines nobody";
    EXPECT_EQ(match::findNextFreePlayer(1, 3, 3, 0), -1);
    EXPECT_EQ(match::findNextFreePlayer(1, 5, 2, 0), -1) << "a step of 0 never reaches the end";
    EXPECT_EQ(match::findNextFreePlayer(1, 16, 2, 1), 16);
    player(1, 16)->outOfPlay = 1;
    player(1, 17)->outOfPlay = 1;
    EXPECT_EQ(match::findNextFreePlayer(1, 16, 2, 1), -1) << "the search ends at the array's end";
}

TEST_F(TeamModelTest, BoostStartsAndEndsWithEventsToAllEighteen) {
    CTeam* t = team(0);
    t->boostCounter = 102;
    t->updateBoost();
    EXPECT_EQ(t->boosted, 1);
    EXPECT_EQ(t->boostCounter, 101);
    ASSERT_EQ(recorder.calls.size(), 18u);
    EXPECT_EQ(recorder.calls[17].first, player(0, 17));
    EXPECT_EQ(recorder.calls[17].second, -5);
    t->updateBoost();
    EXPECT_EQ(recorder.calls.size(), 18u) << "still boosted at 101";
    t->updateBoost();
    EXPECT_EQ(t->boosted, 0);
    ASSERT_EQ(recorder.calls.size(), 36u);
    EXPECT_EQ(recorder.calls[18].second, -6);
    EXPECT_EQ(t->boostCounter, 99);
}

TEST_F(TeamModelTest, PlayerCellsAreTheTeamsView) {
    player(1, 3)->x = 8192 * 4 + 100;
    player(1, 3)->y = -8192;
    player(1, 4)->outOfPlay = 1;
    player(1, 4)->cellX = 7;
    team(1)->updatePlayerCells();
    EXPECT_EQ(player(1, 3)->cellX, -4);
    EXPECT_EQ(player(1, 3)->cellY, 1);
    EXPECT_EQ(player(1, 4)->cellX, 7) << "off the pitch: kept";
}

TEST_F(TeamModelTest, TacticRowsAndPositionGroupsFromTheSampleTable) {
    ASSERT_TRUE(match::setTacticTable(bytesOf(tools::sampleTacticTable())));
    CTeam* t = team(0);
    t->formationIndex = 4; // family 1, variant 1
    t->applyTactic();
    EXPECT_EQ(t->mentality, 2);
    EXPECT_EQ(t->mentalityInUse, 2);
    EXPECT_EQ(t->tactic3, 2);
    EXPECT_EQ(t->tactic5, 0);
    EXPECT_EQ(t->tactic8Clear, 0);
    // Group 7 (slots 16-18) copies 3, 1, 1, 1, 2, 2, 2, 2, 1, 1, 2, 1 in its order.
    player(0, 8)->formationSlot = 17;
    player(0, 10)->formationSlot = 20; // group 8: groupSetting ends with its byte 10, 2
    player(0, 0)->formationSlot = -1;
    player(0, 1)->formationSlot = 30; // no group: keeps his instructions
    player(0, 1)->runStyle = 9;
    t->applyPositionDefaults();
    CPlayer* p = player(0, 8);
    EXPECT_EQ(std::vector<jint>({p->runStyle, p->shiftInstruction, p->instruction3, p->styleSetting,
                                 p->advanceSetting, p->dribbleInstruction, p->shootInstruction,
                                 p->throughBallInstruction, p->settingA, p->spareInstruction, p->settingB}),
              std::vector<jint>({3, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1}));
    EXPECT_EQ(player(0, 0)->runStyle, 1);
    EXPECT_EQ(player(0, 10)->runStyle, 4);
    EXPECT_EQ(player(0, 1)->runStyle, 9);
    EXPECT_EQ(statics()->groupSetting, 2);
    player(0, 10)->formationSlot = 14; // group 5 ends the pass now
    t->applyPositionDefaults();
    EXPECT_EQ(statics()->groupSetting, 1);

    // Rows outside the table leave the fields; a short table is refused and the old one stays.
    t->formationIndex = 24;
    t->tactic3 = 6;
    t->applyTactic();
    EXPECT_EQ(t->tactic3, 6);
    runtime::ByteArray* kept = statics()->tacticTable;
    clearLog();
    EXPECT_FALSE(match::setTacticTable(runtime::newByteArray(game::match::kTacticTableMinimum - 1)));
    EXPECT_FALSE(match::setTacticTable(nullptr));
    EXPECT_EQ(statics()->tacticTable.get(), kept);
    EXPECT_EQ(logLines().size(), 2u);
    EXPECT_TRUE(match::setTacticTable(runtime::newByteArray(game::match::kTacticTableMinimum)));
    statics()->tacticTable = nullptr;
    t->formationIndex = 0;
    t->applyTactic();
    EXPECT_EQ(t->tactic3, 6) << "without a table nothing changes";
}

} // namespace
} // namespace game::testing
