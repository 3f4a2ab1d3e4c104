// The line-up choice: position-fit grades, skill grades, the rating arithmetic at its boundaries
// (own-group bonus against the shifted base of another group, bytes 18 and 19, status, the bonus
// bits), players left out or excluded, and the order in which the places are filled.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/match/PositionMasks.h"
#include "game/match/team/LineupChoice.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {

namespace {

// The line of a single group, as the group-based description puts it.
enum class Line { Keeper, Defence, Midfield, Attack };
Line lineOf(const jint g) {
    if (g == 0) {
        return Line::Keeper;
    }
    if (g <= 5) {
        return Line::Defence;
    }
    return g <= 12 ? Line::Midfield : Line::Attack;
}

TEST(PositionMasksTest, SingleGroupsGradeByLine) {
    for (jint g = 0; g < 14; ++g) {
        for (jint h = 0; h < 14; ++h) {
            jint expected = 0;
            if (g == h) {
                expected = 0;
            } else if (g == 0 || h == 0) {
                expected = 7;
            } else if (lineOf(g) == Line::Midfield) {
                expected = lineOf(h) == Line::Midfield ? 1 : 2;
            } else {
                expected = lineOf(h) == lineOf(g) ? 1 : (lineOf(h) == Line::Midfield ? 2 : 3);
            }
            EXPECT_EQ(match::comparePositionMasks(1 << g, 1 << h), expected) << "groups " << g << ", " << h;
        }
    }
}

TEST(PositionMasksTest, MixedMasks) {
    struct Case {
        jint a, b, expected;
    };
    const Case cases[] = {
        {0x2002, 0x2040, 0},                      // a shared bit wins over everything else
        {0x0003, 0x0004, 7},                      // the goalkeeper in a
        {0x0004, 0x0041, 7},                      // the goalkeeper in b
        {0x2002, 0x0004, 1},                      // defence with attack: a defender is in the same line
        {0x2002, 0x0040, 2},                      // ... a midfielder one line away
        {0x2002, 0x4000, 3},                      // ... a mask outside the lines the farthest
        {0x0042, 0x2000, 2},                      // midfield in a decides: b has no midfield group
        {0x0042, 0x0080, 1}, {0x2000, 0x0004, 3}, // attack against defence
    };
    for (const Case& c : cases) {
        EXPECT_EQ(match::comparePositionMasks(c.a, c.b), c.expected) << std::hex << c.a << " " << c.b;
    }
}

TEST(LineupChoiceTest, SkillGrades) {
    const jint cases[][2] = {{-5, 0}, {0, 0},  {56, 0}, {57, 1}, {63, 1}, {64, 2},
                             {91, 5}, {92, 6}, {98, 6}, {99, 7}, {127, 7}};
    for (const auto& c : cases) {
        EXPECT_EQ(match::skillGrade(c[0]), c[1]) << c[0];
    }
}

class LineupChoiceFixture : public MatchSideFixture {
protected:
    void choose(const jint side, const jint n) {
        (*statics()->matchSquadCount)[side] = n;
        for (jint i = 0; i < 30; ++i) {
            (*statics()->matchSlotList)[i] = -1;
        }
        match::chooseLineup(side);
    }
};

TEST_F(LineupChoiceFixture, NoPlayersLeavesEveryPlaceEmpty) {
    choose(1, 0);
    EXPECT_EQ(slotList(30), std::vector<jint>(30, -1));
}

// Place 1 (a group-1 position) between A, who plays group 1 with a base of 0 (2400 + 560), and
// B, a midfielder with base 56 ((56 >> 2) x 30 + 560 = 980) whom byte 18 lifts by 80 a unit.
TEST_F(LineupChoiceFixture, OwnGroupBonusAgainstAnotherGroupsShiftedBase) {
    struct Case {
        const char* what;
        jint aSkill, aStatus, aByte19, aBits, bByte18;
        jint place1; // 1 for A, 2 for B
    };
    const Case cases[] = {
        {"2960 against 2900", 0, 2, 0, 0, 24, 1},
        {"2960 against 2980", 0, 2, 0, 0, 25, 2},
        {"byte 19 of 26 takes 520", 0, 2, 26, 0, 18, 1},
        {"... so 2440 loses to 2500", 0, 2, 26, 0, 19, 2},
        {"byte 19 of 25 takes nothing", 0, 2, 25, 0, 25, 2},
        {"a bonus bit adds 2 to the base", 0, 2, 0, 0x001, 25, 1},
        {"bit 10 adds nothing", 0, 2, 0, 0x400, 25, 2},
        {"status 0 adds 8 to the base", 0, 0, 0, 0, 27, 1},
        {"... 3200 against 3220", 0, 0, 0, 0, 28, 2},
        {"skills of 57 grade 1 each", 57, 2, 0, 0, 27, 1},
        {"skills of 56 grade 0", 56, 2, 0, 0, 27, 2},
    };
    player(1, 1)->formationSlot = 1; // group 1
    player(1, 2)->formationSlot = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setRecord(1, 0, 0x1, 99);                                         // the keeper: 4640 in group 0
        setRecord(1, 1, 0x2, c.aSkill, c.aStatus, 0, c.aByte19, c.aBits); // A
        setRecord(1, 2, 0x40, 99, 2, c.bByte18);                          // B
        choose(1, 3);
        EXPECT_EQ(slotList(4), (std::vector<jint>{0, c.place1, 3 - c.place1, -1}));
    }
}

// P0 a strong keeper, P1 a midfielder with byte 19 of 127 (-1980 everywhere but midfield), P2 an
// attacker (560 in group 0); places 1 and 2 are attack positions.
TEST_F(LineupChoiceFixture, LeftOutOrExcludedPlayersRankAtZero) {
    struct Case {
        const char* what;
        jint status, rebuild, competitionSlot;
        jbyte barred;
        std::vector<jint> places;
    };
    const Case cases[] = {
        {"status 4 plays", 4, 0, -1, 0, {0, 2, 1}},
        {"status 5 ranks at 0, above a negative rating", 5, 0, -1, 0, {2, 0, 1}},
        {"barred, found through the squad slot when rebuilding", 2, 1, -1, -128, {2, 0, 1}},
        {"barred, found through the line-up on the user's competition side", 2, 0, 1, -128, {2, 0, 1}},
        {"not barred on either path", 2, 1, 1, 0x40, {0, 2, 1}},
    };
    GameStatics* s = statics();
    s->teamRecords = runtime::newByteArray(2 * 64);
    s->userTeam = 1;
    s->scheduleType = 1;
    // The user's squad: slot 0 holds player 300 (t = 0 when rebuilding), slot 3 player 301 (t = 0
    // through lineup[1][0] on the user's competition side); the other slots hold player 0.
    (*s->teamRecords)[64 + 0] = 0x01;
    (*s->teamRecords)[64 + 1] = 0x2C;
    (*s->teamRecords)[64 + 6] = 0x01;
    (*s->teamRecords)[64 + 7] = 0x2D;
    (*row(s->lineup, 1))[0] = 3;
    player(1, 1)->formationSlot = 20;
    player(1, 2)->formationSlot = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s->rebuildSide = static_cast<jbyte>(c.rebuild);
        s->userCompetitionSlot = c.competitionSlot;
        for (jint i = 108; i < 588; ++i) {
            (*s->selectionTable)[i] = 0;
        }
        // The keeper's entry, as each path finds him.
        const jint number = c.rebuild != 0 ? 300 : 301;
        (*s->selectionTable)[108] = static_cast<jbyte>(number >> 8);
        (*s->selectionTable)[109] = static_cast<jbyte>(number);
        (*s->selectionTable)[108 + 11 + 1] = c.barred;
        setRecord(1, 0, 0x1, 99, c.status);
        setRecord(1, 1, 0x40, 0, 2, 0, 127);
        setRecord(1, 2, 0x2000, 0);
        choose(1, 3);
        EXPECT_EQ(slotList(3), c.places);
    }
}

// Fourteen players: keepers K1 (t 0, strong) and K2 (t 13), Z (t 1) who plays defence and attack
// and outrates everybody, nine attackers (2-10), X (t 11) of group 5 with a base of 0 and Y
// (t 12) of group 1 with a base of 16. All ten formation places are attack positions.
TEST_F(LineupChoiceFixture, PlacesFillInOrder) {
    setRecord(1, 0, 0x1, 99);
    setRecord(1, 13, 0x1, 57);
    setRecord(1, 1, 0x2002, 99, 2, 10);
    for (jint t = 2; t <= 10; ++t) {
        setRecord(1, t, 0x2000, 85);
    }
    setRecord(1, 11, 0x20, 0);
    setRecord(1, 12, 0x2, 70);
    for (jint k = 1; k <= 10; ++k) {
        player(1, k)->formationSlot = 20 + k % 5;
    }
    choose(1, 14);
    const std::vector<jint> places = slotList(30);
    EXPECT_EQ(places[0], 0);
    EXPECT_EQ(places[1], 1) << "the best of the attack column";
    std::vector<jint> formation(places.begin() + 1, places.begin() + 11);
    std::sort(formation.begin(), formation.end());
    EXPECT_EQ(formation, (std::vector<jint>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(places[11], 13) << "the second keeper";
    // Rank 0 of groups 1-4 is Z (taken); rank 0 of group 5 is X, tried before Y at rank 1.
    EXPECT_EQ(places[12], 11);
    EXPECT_EQ(places[13], 12);
    EXPECT_EQ(std::vector<jint>(places.begin() + 14, places.end()), std::vector<jint>(16, -1));
}

TEST_F(LineupChoiceFixture, PlaceWithoutAGroupTakesTheBestOfAllGroups) {
    setRecord(1, 0, 0x1, 99);
    setRecord(1, 1, 0x40, 60);
    setRecord(1, 2, 0x2000, 99);
    player(1, 1)->formationSlot = 25; // no group
    choose(1, 3);
    EXPECT_EQ(slotList(3), (std::vector<jint>{0, 2, 1}));
}

TEST_F(LineupChoiceFixture, MissingTablesAreLoggedAndLeftAlone) {
    statics()->matchSlotList = nullptr;
    match::chooseLineup(1);
    statics()->matchSlotList = runtime::newIntArray(30);
    match::chooseLineup(2);
    (*statics()->matchSquadCount)[1] = 31; // clamped to 30
    match::chooseLineup(1);
    SUCCEED();
}

} // namespace
} // namespace game::testing
