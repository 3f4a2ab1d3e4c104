// League fixtures and standings: round pairings and their venue swap, league look-ups, the table
// order's tie-breaks and stability, team ranks, the value bracket, the sorted lists, and the
// clearing of the standings.
#include "game/season/LeagueTables.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

class LeagueTablesTest : public game::testing::SeasonTest {
protected:
    // A schedule of `rows` rows and `rounds` columns holding the given entries row by row.
    static void setSchedule(const jint rows, const jint rounds, const std::vector<jint>& entries) {
        GameStatics* const s = game::statics();
        s->scheduleTeamCount = static_cast<runtime::jbyte>(rows);
        s->scheduleRoundCount = static_cast<runtime::jbyte>(rounds);
        s->fixtureSchedule = runtime::newByteArray(rows * rounds);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            (*s->fixtureSchedule)[static_cast<jint>(i)] = static_cast<runtime::jbyte>(entries[i]);
        }
    }
    static std::vector<jint> pairings(const jint count) {
        std::vector<jint> out;
        for (jint i = 0; i < count; ++i) {
            out.push_back((*game::statics()->roundPairings)[i]);
        }
        return out;
    }
    void setRow(const jint slot, const jint points, const jint difference, const jint goals) const {
        runtime::ByteArray* const r = row(slot);
        (*r)[standings::kPoints] = static_cast<runtime::jbyte>(points);
        (*r)[standings::kGoalDifference] = static_cast<runtime::jbyte>(difference >> 8);
        (*r)[standings::kGoalDifference + 1] = static_cast<runtime::jbyte>(difference);
        (*r)[standings::kGoals] = static_cast<runtime::jbyte>(goals);
    }
};

TEST_F(LeagueTablesTest, PairingsAreListedOnceUnderTheLowerPositionAndSwapVenuesInTheSecondHalf) {
    // Four teams, three rounds; row i column r: opponent, bit 6 the venue.
    // Round 0: 0-1, 2-3; round 1: 0-2, 1-3; round 2: 0-3, 1-2.
    setSchedule(4, 3, {0x01, 0x02, 0x43, 0x40, 0x43, 0x02, 0x03, 0x40, 0x41, 0x42, 0x01, 0x00});
    struct Case {
        jint currentRound;
        jint offset;
        jboolean secondHalf;
        std::vector<jint> expected;
    };
    const Case cases[] = {
        {0, 0, 0, {0x01, -1, 0x03, -1}},  {0, 1, 0, {0x02, 0x43, -1, -1}},
        {1, 1, 0, {0x43, 0x02, -1, -1}},  // column (1 + 1) mod 3 = 2
        {2, 2, 0, {0x02, 0x43, -1, -1}},  // column 4 mod 3 = 1
        {0, 0, 1, {0x41, -1, 0x43, -1}},  // clear bit 6 is set
        {0, 2, 1, {0x03, 0x42, -1, -1}},  // set bit 6 is cleared
        {-1, 0, 0, {0x43, 0x02, -1, -1}}, // a negative sum still picks a column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.currentRound << " + " << c.offset << " half " << int{c.secondHalf});
        statics()->currentRound = c.currentRound;
        buildRoundPairings(c.offset, c.secondHalf);
        EXPECT_EQ(pairings(4), c.expected);
    }
}

TEST_F(LeagueTablesTest, SecondHalfClearsBitSevenWithBitSix) {
    setSchedule(2, 1, {0xC1, 0x00});
    buildRoundPairings(0, 1);
    EXPECT_EQ(pairings(1), std::vector<jint>{0x01});
}

TEST_F(LeagueTablesTest, MissingScheduleGivesNoPairings) {
    GameStatics* const s = statics();
    s->scheduleTeamCount = 4;
    s->scheduleRoundCount = 0;
    buildRoundPairings(0, 0);
    EXPECT_EQ(pairings(4), (std::vector<jint>{-1, -1, -1, -1}));
}

TEST_F(LeagueTablesTest, LeagueLookupsUseTheRunningSizes) {
    GameStatics* const s = statics();
    // Leagues of 3, 2, 4, 1 teams (then empty): teams 50.. in order.
    const jint sizes[] = {3, 2, 4, 1};
    for (jint league = 0; league < 13; ++league) {
        (*s->leagueSizes)[league] = league < 4 ? sizes[league] : 0;
    }
    for (jint i = 0; i < 260; ++i) {
        (*s->leagueTeamOrder)[i] = static_cast<runtime::jshort>(i < 10 ? 50 + i : -1);
    }
    const std::pair<jint, jint> leagues[] = {{50, 0}, {52, 0}, {53, 1}, {54, 1},
                                             {55, 2}, {58, 2}, {59, 3}, {7, 0} /* absent: position 0 */};
    for (const auto& [team, league] : leagues) {
        EXPECT_EQ(leagueOfTeam(team), league) << team;
    }
    runtime::ShortArray* const buffer = runtime::newShortArray(32);
    copyLeagueTeams(buffer, 2, 0);
    EXPECT_EQ((*buffer)[0], 55);
    EXPECT_EQ((*buffer)[3], 58);
    EXPECT_EQ((*buffer)[4], 0);
    (*buffer)[0] = 77;
    copyLeagueTeams(buffer, 2, 1);
    EXPECT_EQ((*s->leagueTeamOrder)[5], 77);
    EXPECT_EQ((*s->leagueTeamOrder)[4], 54);
    EXPECT_EQ(leagueOfTeam(77), 2);
}

TEST_F(LeagueTablesTest, SecondDivisionTestIsOnTheTeamsLeague) {
    setUpTwentyTeamLeagues();
    // Team t plays in league t / 20: odd leagues below 10 are second divisions.
    const std::pair<jint, jboolean> cases[] = {{0, 0},   {5, 0},   {20, 1},  {39, 1},  {40, 0},
                                               {190, 1}, {199, 1}, {200, 0}, {220, 0}, {259, 0}};
    for (const auto& [team, odd] : cases) {
        EXPECT_EQ(isOddLeagueTeam(team), odd) << team;
    }
}

TEST_F(LeagueTablesTest, TableOrderBreaksTiesByGoalDifferenceThenGoalsAndKeepsFullTies) {
    // Group 1 of four teams: rows 4-7.
    setRow(4, 10, 3, 8);
    setRow(5, 12, -2, 5);
    setRow(6, 10, 3, 9);
    setRow(7, 10, 5, 1);
    runtime::ByteArray* order = sortStandings(4, 1, 0);
    EXPECT_EQ(std::vector<jint>(order->data(), order->data() + 4), (std::vector<jint>{1, 3, 2, 0}));

    // Full ties keep their order, even when a better team comes after them.
    setRow(4, 5, 0, 2);
    setRow(5, 5, 0, 2);
    setRow(6, 9, 0, 2);
    setRow(7, 5, 0, 2);
    order = sortStandings(4, 1, 0);
    EXPECT_EQ(std::vector<jint>(order->data(), order->data() + 4), (std::vector<jint>{2, 0, 1, 3}));

    // Points above 127 and goals above 127 count unsigned.
    setRow(4, 130, 0, 0);
    setRow(5, 127, 0, 0);
    setRow(6, 127, 0, 200);
    setRow(7, 127, 0, 100);
    order = sortStandings(4, 1, 0);
    EXPECT_EQ(std::vector<jint>(order->data(), order->data() + 4), (std::vector<jint>{0, 2, 3, 1}));
}

TEST_F(LeagueTablesTest, TableOrderOfTheSecondCompetitionReadsItsOwnRows) {
    GameStatics* const s = statics();
    setRow(0, 9, 0, 0);
    auto* const second = static_cast<runtime::ByteArray*>((*s->secondCompetitionTable)[1]);
    (*second)[standings::kPoints] = 4;
    runtime::ByteArray* const order = sortStandings(2, 0, 1);
    EXPECT_EQ((*order)[0], 1);
    EXPECT_EQ((*order)[1], 0);
}

TEST_F(LeagueTablesTest, RanksCountGreaterValuesOverallAndWithinEachCountry) {
    GameStatics* const s = statics();
    setUpTwentyTeamLeagues();
    prepareTeamRanks();
    ASSERT_EQ(s->teamRankValues->length, 260);
    ASSERT_EQ(s->teamRanks->length, 260);
    ASSERT_EQ(s->teamGroupRanks->length, 260);
    for (jint i = 0; i < 260; ++i) {
        (*s->teamRankValues)[i] = static_cast<runtime::jbyte>(i % 40);
    }
    (*s->teamRankValues)[3] = 50; // the strongest of all
    (*s->teamRankValues)[4] = 50; // equal values share a rank
    rankTeams();
    rankTeamsInGroups();
    EXPECT_EQ((*s->teamRanks)[3], 1);
    EXPECT_EQ((*s->teamRanks)[4], 1);
    // Above entry 38's value: the six 39s (entries 39, 79, ..., 239) and entries 3 and 4.
    EXPECT_EQ((*s->teamRanks)[38], 1 + 6 + 2);
    // Country 0 is leagues 0 and 1 (entries 0-39): 3 and 4 first, then 39.
    EXPECT_EQ((*s->teamGroupRanks)[3], 1);
    EXPECT_EQ((*s->teamGroupRanks)[39], 3);
    EXPECT_EQ((*s->teamGroupRanks)[0], 40);
    // Country 5 is league 10 alone (entries 200-219, values 0-19).
    EXPECT_EQ((*s->teamGroupRanks)[219], 1);
    EXPECT_EQ((*s->teamGroupRanks)[200], 20);
    // Country 7 is league 12 (entries 240-259, values 0-19).
    EXPECT_EQ((*s->teamGroupRanks)[259], 1);
}

TEST_F(LeagueTablesTest, ValueBracketCountsTheThresholdsAtOrBelowTheValue) {
    // strengthLevels: 66, 69, 73, 77, 80, 83.
    const std::pair<jint, jint> cases[] = {{-5, 1}, {65, 1}, {66, 2}, {68, 2}, {69, 3}, {76, 4},
                                           {77, 5}, {80, 6}, {82, 6}, {83, 7}, {127, 7}};
    for (const auto& [value, bracket] : cases) {
        EXPECT_EQ(valueBracket(value), bracket) << value;
    }
}

TEST_F(LeagueTablesTest, InsertSortedKeepsTheLeadingRowsDescendingAndEqualKeysInArrivalOrder) {
    const jint dimensions[] = {10, 3};
    runtime::ObjectArray* const list = runtime::newMultiArray("[[S", dimensions, 2);
    runtime::ShortArray* const entry = runtime::newShortArray(3);
    auto insert = [list, entry](const jint key, const jint id) {
        (*entry)[0] = static_cast<runtime::jshort>(key);
        (*entry)[1] = static_cast<runtime::jshort>(id);
        (*entry)[2] = static_cast<runtime::jshort>(id * 10);
        insertSorted(list, entry, 4);
    };
    auto rows = [list]() {
        std::vector<std::vector<jint>> out;
        for (jint i = 0; i < 5; ++i) {
            const auto* r = static_cast<runtime::ShortArray*>((*list)[i]);
            out.push_back({(*r)[0], (*r)[1], (*r)[2]});
        }
        return out;
    };
    insert(5, 1);
    insert(0, 2); // not above the last row's 0: nothing
    insert(7, 3);
    insert(5, 4); // equal to row 1's key: behind it
    insert(6, 5);
    using Rows = std::vector<std::vector<jint>>;
    EXPECT_EQ(rows(), (Rows{{7, 3, 30}, {6, 5, 50}, {5, 1, 10}, {5, 4, 40}, {0, 0, 0}}));
    insert(5, 6); // equal to the last ranked row: not taken
    insert(6, 7); // pushes the last ranked row out; row 4 is never touched
    EXPECT_EQ(rows(), (Rows{{7, 3, 30}, {6, 5, 50}, {6, 7, 70}, {5, 1, 10}, {0, 0, 0}}));
    insert(9, 8);
    EXPECT_EQ(rows()[0], (std::vector<jint>{9, 8, 80}));
    EXPECT_EQ(rows()[3], (std::vector<jint>{6, 7, 70}));
}

TEST_F(LeagueTablesTest, ClearingStandingsKeepsTheRating) {
    GameStatics* const s = statics();
    for (jint slot = 0; slot < 32; ++slot) {
        for (jint k = 0; k < 8; ++k) {
            (*row(slot))[k] = static_cast<runtime::jbyte>(slot + k + 1);
        }
    }
    clearStandingsRows();
    for (jint slot = 0; slot < 32; ++slot) {
        EXPECT_EQ((*row(slot))[0], slot + 1);
        for (jint k = 1; k < 8; ++k) {
            EXPECT_EQ((*row(slot))[k], 0) << slot << " " << k;
        }
    }
    EXPECT_EQ(s->competitionTable->length, 32);
}

} // namespace
} // namespace game::season
