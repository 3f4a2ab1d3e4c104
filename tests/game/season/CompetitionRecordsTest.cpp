// Competition records and flags: unpacking records 1 and 2 with signed bytes and shorts, the
// knockout pairings through the draw order, the user's flags, cup progress and competition
// test, the free staff list and the pending mode test.
#include "game/season/CompetitionRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/season/LeagueTables.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

class CompetitionRecordsTest : public game::testing::SeasonTest {
protected:
    static std::vector<jint> bracket() {
        const runtime::ByteArray* const b = game::statics()->cupBracket;
        return std::vector<jint>(b->data(), b->data() + b->length);
    }
};

// Record n filled with a pattern of its own, with negative bytes and shorts.
void fillRecord(runtime::ByteArray* records, const jint n) {
    const jint base = (n - 1) * kCompetitionRecordBytes;
    for (jint i = 0; i < kCompetitionRecordBytes; ++i) {
        (*records)[base + i] = static_cast<runtime::jbyte>(i * 7 + n * 31);
    }
    // A negative tail byte and a negative team short.
    (*records)[base + 369] = static_cast<runtime::jbyte>(-3 * n);
    (*records)[base + 292] = static_cast<runtime::jbyte>(-n);
}

TEST_F(CompetitionRecordsTest, RecordsOneAndTwoFillEveryStaticOfTheirTable) {
    GameStatics* const s = statics();
    ASSERT_GE(s->competitionRecords->length, 2 * kCompetitionRecordBytes);
    fillRecord(s->competitionRecords, 1);
    fillRecord(s->competitionRecords, 2);
    for (const jint n : {1, 2}) {
        SCOPED_TRACE(n);
        const jint base = (n - 1) * kCompetitionRecordBytes;
        auto at = [s, base](const jint offset) {
            return static_cast<jint>((*s->competitionRecords)[base + offset]);
        };
        auto shortAt = [&at](const jint offset) {
            return static_cast<jint>(
                static_cast<runtime::jshort>((at(offset) << 8) | (at(offset + 1) & 0xFF)));
        };
        loadCompetitionRecord(n);
        EXPECT_EQ(s->competitionRound, at(0));
        EXPECT_EQ(s->userCompetitionSlot, at(1));
        EXPECT_EQ(s->competitionSize, at(2));
        EXPECT_EQ(s->cupSecondLeg, at(3) == 1 ? 1 : 0);
        for (jint slot = 0; slot < 32; ++slot) {
            for (jint k = 0; k < 8; ++k) {
                EXPECT_EQ((*row(slot))[k], at(4 + 8 * slot + k)) << "row " << slot << " byte " << k;
            }
            EXPECT_EQ((*s->cupBracket)[slot], at(260 + slot));
            EXPECT_EQ((*s->competitionTeams)[slot], shortAt(292 + 2 * slot));
        }
        EXPECT_EQ(s->competitionValueA, at(356));
        EXPECT_EQ(s->competitionValueB, at(357));
        EXPECT_EQ(s->competitionValueC, at(358));
        for (jint i = 0; i < 5; ++i) {
            EXPECT_EQ((*s->competitionShorts5)[i], shortAt(359 + 2 * i));
        }
        EXPECT_EQ(s->competitionTail, at(369));
    }
    // The pattern reaches negative values in every kind of field.
    EXPECT_LT(s->competitionTail, 0);
    EXPECT_LT((*s->competitionTeams)[0], 0);
}

TEST_F(CompetitionRecordsTest, TheNationalCupsRecordGivesTheUsersCupTieSlot) {
    GameStatics* const s = statics();
    s->cupTieSlot = -1;
    (*s->competitionRecords)[1] = 4; // the user's slot in the league's record
    loadCompetitionRecord(1);
    EXPECT_EQ(s->cupTieSlot, -1);
    for (const jint slot : {6, -1}) {
        (*s->competitionRecords)[kCompetitionRecordBytes + 1] = static_cast<runtime::jbyte>(slot);
        loadCompetitionRecord(2);
        EXPECT_EQ(s->cupTieSlot, slot);
    }
}

TEST_F(CompetitionRecordsTest, SecondLegFlagIsSetOnlyByOne) {
    GameStatics* const s = statics();
    for (const jint value : {1, 0, 2, -1}) {
        (*s->competitionRecords)[3] = static_cast<runtime::jbyte>(value);
        loadCompetitionRecord(1);
        EXPECT_EQ(s->cupSecondLeg, value == 1 ? 1 : 0) << value;
    }
}

TEST_F(CompetitionRecordsTest, RecordOutsideTheTableChangesNothing) {
    GameStatics* const s = statics();
    s->competitionRound = 5;
    for (const jint n : {0, 4, -1}) {
        loadCompetitionRecord(n);
        EXPECT_EQ(s->competitionRound, 5) << n;
    }
    EXPECT_TRUE(log.contains("loadCompetitionRecord: record 4 is not stored"));
}

TEST_F(CompetitionRecordsTest, CupDrawOfEightPairsFirstWithLastThroughTheDrawOrder) {
    GameStatics* const s = statics();
    struct Case {
        std::vector<jint> order;
        std::vector<jint> pairs; // the first 16 entries
    };
    const Case cases[] = {
        // Identity order: (0,7) (2,5) (3,4) (1,6), the rest -1.
        {{0, 2, 4, 6, 8, 10, 12, 14}, {0, 7, 2, 5, 3, 4, 1, 6, -1, -1, -1, -1, -1, -1, -1, -1}},
        // The game's order takes pairs 0, 4, 6, 2, 7, 3, 1, 5 of the identity layout.
        {{0, 8, 12, 4, 14, 6, 2, 10}, {0, 7, -1, -1, -1, -1, 3, 4, -1, -1, 1, 6, 2, 5, -1, -1}},
    };
    for (const Case& c : cases) {
        for (jint m = 0; m < 8; ++m) {
            (*s->drawOrder)[m] = static_cast<runtime::jbyte>(c.order[static_cast<std::size_t>(m)]);
        }
        buildCupDraw(8);
        const std::vector<jint> b = bracket();
        ASSERT_EQ(b.size(), 32U);
        for (std::size_t i = 0; i < 32; ++i) {
            EXPECT_EQ(b[i], i < 16 ? c.pairs[i] : -1) << "entry " << i;
        }
    }
}

TEST_F(CompetitionRecordsTest, CupDrawOfSixteenPairsEveryTeamOnceInTheGamesOrder) {
    buildCupDraw(16);
    const std::vector<jint> b = bracket();
    // Identity pairs (0,15) (2,13) (4,11) (6,9) then swapped (7,8) (5,10) (3,12) (1,14), laid out
    // by drawOrder 0, 8, 12, 4, 14, 6, 2, 10.
    const std::vector<jint> expected = {0, 15, 7, 8, 3, 12, 4, 11, 1, 14, 6, 9, 2, 13, 5, 10};
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(b[i], expected[i]) << "entry " << i;
    }
}

TEST_F(CompetitionRecordsTest, CompetitionFlagsFollowTheUsersLeagueSlotAndEntries) {
    GameStatics* const s = statics();
    struct Case {
        jint league;
        jint slot;
        jint userTeam;
        jint entrant; // placed at layoutRows[140]; -1 none
        jboolean inCountryPair;
        jboolean cupEntry;
        jboolean inCup;
    };
    // countryPairTeams: 0, 7, 44, 45, 86, 95, 128, 129, 168, 169, 204, 205 ...
    const Case cases[] = {
        {10, 20, 204, -1, 1, 0, 0}, // league 10 tests entries 10 and 11; slot 20: no cup entry
        {7, 20, 128, -1, 1, 1, 0},  // league 7 tests entries 6 and 7
        {7, 3, 86, -1, 0, 1, 0},    // entries 4 and 5 belong to leagues 4 and 5
        {0, 3, 7, 7, 1, 1, 1},      {11, 3, 204, -1, 0, 1, 0}, // no pair above league 10
        {12, 20, 3, 3, 0, 0, 1},    {12, 20, 3, 259, 0, 0, 0}, // the whole team number is compared
        {1, 20, 259, 259, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.league << " " << c.userTeam);
        std::fill(s->layoutRows->data(), s->layoutRows->data() + s->layoutRows->length,
                  static_cast<runtime::jshort>(-1));
        if (c.entrant >= 0) {
            (*s->layoutRows)[140] = static_cast<runtime::jshort>(c.entrant);
        }
        (*s->cupStatus)[2] = 5;
        s->userLeague = c.league;
        s->userCompetitionSlot = c.slot;
        s->userTeam = static_cast<runtime::jshort>(c.userTeam);
        updateCompetitionFlags();
        EXPECT_EQ(s->inCountryPair, c.inCountryPair);
        EXPECT_EQ(s->cupEntryFlag, c.cupEntry);
        EXPECT_EQ(s->userInCup, c.inCup);
        EXPECT_EQ((*s->cupStatus)[2], c.inCup ? 5 : -2);
    }
}

TEST_F(CompetitionRecordsTest, CupProgressFollowsTheDecisionTable) {
    GameStatics* const s = statics();
    struct Case {
        jint type;
        jint event;
        jint playedStep;
        jint step;
        jboolean secondLeg;
        jboolean returnLeg;
        jboolean inCup;
        jint byte1; // cupStatus[1] after (starts at 50)
        jint byte2; // cupStatus[2] after (starts at 50)
        jboolean entryAfter;
        jboolean inCupAfter;
    };
    const Case cases[] = {
        // National cup (type 2): byte 1.
        {2, 0, 3, 5, 0, 0, 1, 50, 50, 1, 1}, // later step without second leg: nothing
        {2, 0, 3, 5, 1, 0, 1, 5, 50, 1, 1},  // p(5, 3) + 1 = 5
        {2, 0, 4, 6, 1, 0, 1, 5, 50, 1, 1},  // p(6, 3) + 1 = 5 (shift floors)
        {2, 0, 2, 2, 0, 0, 1, 3, 50, 1, 1},  // step 2: 3
        {2, 0, 1, 1, 0, 0, 1, 50, 50, 1, 1}, // earlier: nothing
        {2, 1, 2, 2, 0, 0, 1, 50, 50, 0, 1}, // out before a second leg: only the flag
        {2, 1, 3, 7, 1, 0, 1, 5, 50, 0, 1},  // out after a second leg: p(7, 3)
        {2, 1, 2, 2, 1, 0, 1, -1, 50, 0, 1}, // out at step 2 or earlier: -1
        // Continental cup (type 3): byte 2.
        {3, 0, 6, 6, 0, 0, 1, 50, 50, 1, 1}, // neither leg flag: nothing
        {3, 0, 8, 8, 1, 0, 1, 50, 5, 1, 1},  // p(8, 6) + 1 = 5
        {3, 0, 8, 8, 0, 1, 1, 50, 4, 1, 1},  // p(8, 6) = 4
        {3, 0, 5, 5, 0, 1, 1, 50, 3, 1, 1},  // step 5: 3
        {3, 0, 5, 5, 0, 1, 0, 50, -1, 1, 0}, // ... unless the club left the cup: -1
        {3, 0, 4, 4, 0, 1, 1, 50, 50, 1, 1}, // group matchdays: nothing
        {3, 1, 10, 9, 1, 0, 1, 50, 5, 1, 0}, // out in the knockout: p(10, 6)
        {3, 1, 5, 5, 0, 1, 1, 50, 50, 1, 1}, // out at step 5 while still in: nothing
        {3, 1, 4, 4, 0, 1, 0, 50, -1, 1, 0}, // out of the groups: -1
        // Other competitions: nothing.
        {1, 1, 5, 5, 1, 1, 1, 50, 50, 1, 1},
        {4, 0, 5, 5, 1, 1, 1, 50, 50, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " event " << c.event << " played "
                                          << c.playedStep << " step " << c.step);
        (*s->cupStatus)[1] = 50;
        (*s->cupStatus)[2] = 50;
        s->cupEntryFlag = 1;
        s->competitionType = c.type;
        s->playedStep = c.playedStep;
        s->competitionStep = c.step;
        s->cupSecondLeg = c.secondLeg;
        s->cupReturnLeg = c.returnLeg;
        s->userInCup = c.inCup;
        recordCupProgress(c.event);
        EXPECT_EQ((*s->cupStatus)[1], c.byte1);
        EXPECT_EQ((*s->cupStatus)[2], c.byte2);
        EXPECT_EQ(s->cupEntryFlag, c.entryAfter);
        EXPECT_EQ(s->userInCup, c.inCupAfter);
    }
}

TEST_F(CompetitionRecordsTest, UserInCompetitionFollowsTheEventType) {
    GameStatics* const s = statics();
    struct Case {
        jint type;
        jint step;
        jint league;
        jint slot;
        jboolean entry;
        jboolean early0, early1, early2;
        jboolean inCup;
        jboolean pair;
        jboolean expected;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},  {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
        {3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1},  {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {4, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1},  {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {2, 0, 3, 20, 1, 0, 0, 0, 0, 0, 1}, {2, 0, 3, 20, 1, 1, 0, 0, 0, 0, 0},
        {2, 0, 3, 20, 0, 0, 0, 0, 0, 0, 0}, {2, 1, 3, 20, 1, 0, 1, 0, 0, 0, 0},
        {2, 2, 6, 20, 1, 0, 0, 0, 0, 0, 1}, {2, 2, 7, 20, 1, 0, 0, 0, 0, 0, 0},
        {2, 2, 10, 3, 1, 1, 1, 1, 0, 0, 1}, {2, 2, 10, 20, 1, 1, 1, 1, 0, 0, 0},
        {2, 3, 8, 20, 1, 1, 1, 1, 0, 0, 1}, {0, 3, 8, 20, 1, 1, 1, 1, 1, 1, 0},
        {6, 3, 8, 20, 1, 1, 1, 1, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "type " << c.type << " step " << c.step << " league " << c.league);
        s->scheduleType = c.type;
        s->competitionStep = c.step;
        s->userLeague = c.league;
        s->userCompetitionSlot = c.slot;
        s->cupEntryFlag = c.entry;
        s->earlyCupFlag0 = c.early0;
        s->earlyCupFlag1 = c.early1;
        s->earlyCupFlag2 = c.early2;
        s->userInCup = c.inCup;
        s->inCountryPair = c.pair;
        EXPECT_EQ(isUserInCompetition(), c.expected);
    }
}

TEST_F(CompetitionRecordsTest, FreeIdsAreTheChoicesNeitherHiredNorDismissed) {
    GameStatics* const s = statics();
    s->setUpChoices = runtime::newIntArray(4);
    const jint choices[] = {11, 12, 13, 14};
    for (jint i = 0; i < 4; ++i) {
        (*s->setUpChoices)[i] = choices[i];
    }
    std::fill(s->selectionTable->data(), s->selectionTable->data() + s->selectionTable->length,
              static_cast<runtime::jbyte>(-1));
    (*s->selectionTable)[589] = 12; // hired
    (*s->selectionTable)[792] = 14; // dismissed
    (*s->selectionTable)[793] = 11; // past the dismissed bytes: still free
    s->squadListCount = 9;
    collectFreeIds();
    ASSERT_EQ(s->squadListCount, 2);
    EXPECT_EQ((*s->squadList)[0], 11);
    EXPECT_EQ((*s->squadList)[1], 13);
}

TEST_F(CompetitionRecordsTest, PendingModeOneNeedsAPendingStateAndModeOne) {
    GameStatics* const s = statics();
    const jint cases[][3] = {{0x86, 1, 1}, {0x86, 0, 0}, {0, 1, 0}, {0x85, 2, 0}};
    for (const auto& c : cases) {
        s->pendingMenuState = c[0];
        s->pendingMenuParam = c[1];
        EXPECT_EQ(isPendingModeOne(), c[2]) << c[0] << " " << c[1];
    }
}

} // namespace
} // namespace game::season
