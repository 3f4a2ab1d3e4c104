// Line-up swaps under the change rules, the exchange of two match players (places, roles, key
// player, substitutions) and the list of changes since kick-off.
#include <gtest/gtest.h>

#include <vector>

#include "game/match/team/LineupSwap.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {

namespace {

using match::recordSubstitutions;
using match::swapLineupPositions;
using match::swapMatchPlayers;

class LineupSwapTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        for (jint side = 0; side < 2; ++side) {
            (*s->substitutionLimit)[side] = 3;
            for (jint i = 0; i < 14; ++i) {
                (*row(s->substitutionSlots, side))[i] = 5; // stale bytes the list must clear
            }
        }
        s->positionValues = runtime::newIntArray(30);
        for (jint i = 0; i < 30; ++i) {
            (*s->positionValues)[i] = 100 + i;
        }
        // The user's club 0: squad slot k holds player 500 + k.
        s->teamRecords = runtime::newByteArray(64);
        s->userTeam = 0;
        for (jint k = 0; k < 30; ++k) {
            (*s->teamRecords)[2 * k] = static_cast<jbyte>((500 + k) >> 8);
            (*s->teamRecords)[2 * k + 1] = static_cast<jbyte>(500 + k);
        }
        for (jint i = 0; i < 30; ++i) {
            (*s->selectionTable)[108 + 16 * i] = static_cast<jbyte>((500 + i) >> 8);
            (*s->selectionTable)[109 + 16 * i] = static_cast<jbyte>(500 + i);
        }
        for (jint i = 18; i < 108; ++i) {
            (*s->selectionTable)[i] = static_cast<jbyte>(i);
        }
    }
    static std::vector<jint> pairs(const jint side) {
        return rowValues(statics()->substitutionSlots, side, 14);
    }
};

std::vector<jint> identityWith(std::initializer_list<std::pair<jint, jint>> changes, const jint n = 18) {
    std::vector<jint> values;
    for (jint i = 0; i < n; ++i) {
        values.push_back(i);
    }
    for (const auto& [at, value] : changes) {
        values[at] = value;
    }
    return values;
}

std::vector<jint> pairList(std::initializer_list<jint> bytes) {
    std::vector<jint> values(bytes);
    values.resize(14, -1);
    return values;
}

TEST_F(LineupSwapTest, SubstitutionsDuringALiveMatch) {
    GameStatics* s = statics();
    s->topState = 2;
    s->matchLiveFlag = 1;
    s->competitionEventType = 1;
    (*s->selectionTable)[108 + 16 * 14 + 11 + 1] = -128; // squad slot 14 is barred from the league
    recordByte(0, 15, 4) = 5;                            // player 15 is unavailable
    player(0, 13)->takenOff = 1;
    player(0, 16)->bookings = 2;
    CPlayer* second = player(0, 2);
    struct Step {
        const char* what;
        jint posA, posB;
        jint limit; // substitutionLimit[0] before the step
        bool made;
        std::vector<jint> lineup, kickOff, pairs;
        jint count;
    };
    const Step steps[] = {
        {"within the pitch: the kick-off line-up follows", 2, 5, 3, true, identityWith({{2, 5}, {5, 2}}),
         identityWith({{2, 5}, {5, 2}}), pairList({}), 0},
        {"pitch and bench", 3, 12, 3, true, identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}),
         identityWith({{2, 5}, {5, 2}}), pairList({3, 12}), 1},
        {"a taken-off player does not return", 13, 4, 3, false,
         identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}), identityWith({{2, 5}, {5, 2}}), pairList({3, 12}),
         1},
        {"a sent-off player stays out of goal", 0, 16, 3, false,
         identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}), identityWith({{2, 5}, {5, 2}}), pairList({3, 12}),
         1},
        {"a player barred from the competition", 14, 6, 3, false,
         identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}), identityWith({{2, 5}, {5, 2}}), pairList({3, 12}),
         1},
        {"an unavailable player", 15, 6, 3, false, identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}),
         identityWith({{2, 5}, {5, 2}}), pairList({3, 12}), 1},
        {"a change past the limit", 6, 17, 1, false, identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}}),
         identityWith({{2, 5}, {5, 2}}), pairList({3, 12}), 1},
        {"a second change within the limit", 6, 17, 2, true,
         identityWith({{2, 5}, {5, 2}, {3, 12}, {12, 3}, {6, 17}, {17, 6}}), identityWith({{2, 5}, {5, 2}}),
         pairList({3, 12, 6, 17}), 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        (*s->substitutionLimit)[0] = static_cast<jbyte>(step.limit);
        const std::vector<jint> valuesBefore = {(*s->positionValues)[step.posA],
                                                (*s->positionValues)[step.posB]};
        EXPECT_EQ(swapLineupPositions(0, step.posA, step.posB, 18), step.made);
        EXPECT_EQ(rowValues(s->lineup, 0, 18), step.lineup);
        EXPECT_EQ(rowValues(s->lineupAtKickOff, 0, 18), step.kickOff);
        EXPECT_EQ((*s->substitutionLimit)[0], step.limit) << "only a match substitution lowers the limit";
        EXPECT_EQ(pairs(0), step.pairs);
        EXPECT_EQ((*s->substitutionsMade)[0], step.count);
        if (!step.made) {
            EXPECT_EQ((*s->positionValues)[step.posA], valuesBefore[0]) << "values stay with a refused swap";
        }
    }
    EXPECT_EQ(player(0, 5), second) << "live swaps within the pitch exchange the players";
    EXPECT_EQ(second->slot, 5);
    EXPECT_EQ(second->matchSlot, 5) << "the match slot stays with the place";
    const std::vector<jint> before = pairs(0);
    recordSubstitutions();
    recordSubstitutions();
    EXPECT_EQ(pairs(0), before);
    EXPECT_EQ((*s->substitutionsMade)[0], 2);
    EXPECT_EQ(s->lineupChanged, 0);
}

TEST_F(LineupSwapTest, SquadMenuSwapMovesTheKickOffLineup) {
    GameStatics* s = statics();
    s->topState = 2;
    EXPECT_TRUE(swapLineupPositions(0, 4, 12, 18));
    const std::vector<jint> moved = identityWith({{4, 12}, {12, 4}}, 30);
    EXPECT_EQ(rowValues(s->lineup, 0, 30), moved);
    EXPECT_EQ(rowValues(s->lineupAtKickOff, 0, 30), moved);
    EXPECT_EQ(rowValues(s->squadSlotOfPlayer, 0, 30), moved);
    EXPECT_EQ((*s->selectionTable)[18 + 12], 18 + 36) << "the position blocks move";
    EXPECT_EQ((*s->selectionTable)[18 + 36 + 2], 18 + 14);
    EXPECT_EQ((*s->positionValues)[4], 112);
    EXPECT_EQ(pairs(0), std::vector<jint>(14, 5)) << "no change is listed outside a match";

    s->keepShownLineup = 1;
    EXPECT_TRUE(swapLineupPositions(0, 4, 12, 18));
    EXPECT_EQ(rowValues(s->lineupAtKickOff, 0, 30), identityWith({}, 30));
    EXPECT_EQ(rowValues(s->squadSlotOfPlayer, 0, 30), moved);
}

TEST_F(LineupSwapTest, BenchSubstitutionBringsThePlayerOn) {
    GameStatics* s = statics();
    s->topState = 4;
    s->clockMinute = 63;
    CTeam* t = team(1);
    team(0)->teamRating = 10;
    t->teamRating = 70;
    CPlayer* x = player(1, 3);
    CPlayer* y = player(1, 14);
    x->playerRating = 60;
    y->playerRating = 82;
    // The place's formation fields: place 3 holds formation slot 7 at home cell (-4, 0), line 2,
    // forward and deep cells 1 and -6; the bench place 14 holds slot 9 and other cells.
    x->formationSlot = 7;
    x->homeCellX = -4;
    x->homeCellY = 0;
    x->linePosition = 2;
    x->forwardCellX = 1;
    x->deepCellX = -6;
    x->role = 2;
    y->formationSlot = 9;
    y->homeCellX = 8;
    y->homeCellY = 5;
    y->linePosition = 1;
    y->forwardCellX = 11;
    y->deepCellX = 3;
    y->role = 3;
    y->outOfPlay = 1;
    x->hasPlayed = 1;
    recordByte(1, 3, 13) = 33;
    recordByte(1, 14, 13) = 44;
    swapMatchPlayers(1, 14, 3);
    EXPECT_EQ(player(1, 3), y);
    EXPECT_EQ(player(1, 14), x);
    EXPECT_EQ(y->slot, 3);
    EXPECT_EQ(x->slot, 14);
    EXPECT_EQ(y->matchSlot, 3) << "the match slot stays with the place";
    EXPECT_EQ(recordByte(1, 3, 13), 44);
    EXPECT_EQ(t->teamRating, 72) << "(70 x 11 - 60 + 82) / 11 from the side's own rating";
    EXPECT_EQ(t->teamLevel, 7);
    EXPECT_EQ(team(0)->teamRating, 10);
    EXPECT_EQ(y->outOfPlay, 0);
    EXPECT_EQ(x->outOfPlay, 1);
    EXPECT_EQ(y->hasPlayed, 1);
    EXPECT_EQ(x->hasPlayed, 1) << "outside the match screen the player keeps his appearance";
    EXPECT_EQ(std::vector<jint>({y->formationSlot, y->homeCellX, y->homeCellY, y->linePosition,
                                 y->forwardCellX, y->deepCellX, y->role}),
              std::vector<jint>({7, -4, 0, 2, 1, -6, 2}))
        << "the incoming player takes the place's formation fields";
    EXPECT_EQ(std::vector<jint>({x->formationSlot, x->homeCellX, x->homeCellY, x->linePosition,
                                 x->forwardCellX, x->deepCellX, x->role}),
              std::vector<jint>({7, 8, 5, 1, 11, 3, 3}))
        << "the outgoing player takes the bench place's, with the formation slot he left";
    EXPECT_EQ(y->conditionStart, 63);
    EXPECT_EQ((*s->substitutionLimit)[1], 2);

    swapMatchPlayers(1, 12, 15); // within the bench
    EXPECT_EQ(t->teamRating, 72);
    EXPECT_EQ((*s->substitutionLimit)[1], 2);

    s->topState = 2;
    s->matchLiveFlag = 1;
    swapMatchPlayers(1, 4, 16); // the live match screen substitutes only from the menus
    EXPECT_EQ((*s->substitutionLimit)[1], 2);
    s->benchMode = 2;
    swapMatchPlayers(1, 5, 17);
    EXPECT_EQ((*s->substitutionLimit)[1], 1);
    EXPECT_EQ(player(1, 5)->hasPlayed, 1);
}

TEST_F(LineupSwapTest, RolesFollowTheActivePlayerAndTheKeyPlayerHisRecords) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    t->roleHolder1 = 2;
    t->roleHolder2 = 6;
    t->roleHolder3 = 9;
    swapMatchPlayers(0, 2, 6); // both active: the roles stay with the positions
    EXPECT_EQ(std::vector<jint>({t->roleHolder1, t->roleHolder2, t->roleHolder3}),
              std::vector<jint>({2, 6, 9}));
    player(0, 2)->outOfPlay = 1;
    swapMatchPlayers(0, 2, 9); // 2 has left the pitch: 9's role goes with him to place 2
    EXPECT_EQ(std::vector<jint>({t->roleHolder1, t->roleHolder2, t->roleHolder3}),
              std::vector<jint>({2, 6, 2}));

    // The key player at 0 changes places with 1: his five fields and position records go along.
    s->positionRecords = runtime::newObjectArray(2);
    for (jint r = 0; r < 2; ++r) {
        runtime::ByteArray* bytes = runtime::newByteArray(34);
        (*s->positionRecords)[r] = bytes;
        for (jint i = 0; i < 34; ++i) {
            (*bytes)[i] = static_cast<jbyte>(r * 50 + i);
        }
    }
    recordByte(0, 0, 9) = 0;
    recordByte(0, 1, 9) = 1;
    CPlayer* key = player(0, 0);
    CPlayer* other = player(0, 1);
    t->keyPlayer = key;
    key->keyFields[4] = 8;
    swapMatchPlayers(0, 0, 1);
    EXPECT_EQ(t->keyPlayer, other);
    EXPECT_EQ(other->keyFields[4], 8);
    const auto* first = static_cast<runtime::ByteArray*>((*s->positionRecords)[0]);
    EXPECT_EQ((*first)[12], 12);
    EXPECT_EQ((*first)[13], 63);
    EXPECT_EQ((*first)[21], 71);
    EXPECT_EQ((*first)[22], 22);
    EXPECT_EQ((*first)[33], 83);
}

TEST_F(LineupSwapTest, SubstitutionListIsBoundedAndRepeatable) {
    GameStatics* s = statics();
    // Eight of the kick-off players have gone; the newcomers were never in the kick-off line-up
    // except player 12 (bench slot 12).
    for (jint j = 0; j < 8; ++j) {
        (*row(s->lineup, 1))[j] = static_cast<jbyte>(20 + j);
    }
    (*row(s->lineup, 1))[9] = 12;
    (*row(s->lineup, 1))[12] = 9;
    recordSubstitutions();
    recordSubstitutions();
    EXPECT_EQ(pairs(1), std::vector<jint>({0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}));
    EXPECT_EQ((*s->substitutionsMade)[1], 9);
    EXPECT_EQ(pairs(0), std::vector<jint>(14, -1));
    EXPECT_EQ((*s->substitutionsMade)[0], 0);
    EXPECT_EQ(s->lineupChanged, 1);
}

} // namespace
} // namespace game::testing
