// The match statistics on two teams of 18: goals and assists from the goal records (own goals,
// assists 0 and -1, squad indices through the line-up, counting twice), the ratings as a table of
// outcomes with the coin drawn for all 36 slots, the end-of-match records and the match-table
// reader on whole, tiny and truncated blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "game/match/flow/MatchStatistics.h"
#include "game/match/model/MatchRecords.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

constexpr runtime::jlong kStatisticsSeed = 20260611;

class MatchStatisticsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->goalRecords = runtime::newByteArray(120);
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(kStatisticsSeed);
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
    }
    static void addGoal(const std::array<jint, 6>& bytes) {
        GameStatics* s = statics();
        for (jint b = 0; b < 6; ++b) {
            (*s->goalRecords)[s->goalCount * 6 + b] = static_cast<jbyte>(bytes[b]);
        }
        s->goalCount += 1;
    }
    // (team, slot) -> {goals, assists} of every player with either.
    static std::vector<std::array<jint, 4>> credits() {
        std::vector<std::array<jint, 4>> out;
        for (jint t = 0; t < 2; ++t) {
            for (jint i = 0; i < 18; ++i) {
                const CPlayer* p = player(t, i);
                if (p->matchGoals != 0 || p->matchAssists != 0) {
                    out.push_back({t, i, p->matchGoals, p->matchAssists});
                }
            }
        }
        return out;
    }
    // The coin of slot `slot` of team t: draw t * 18 + slot of a generator seeded as the match's.
    static jint coinOf(const jint t, const jint slot) {
        runtime::java_util_Random reference(kStatisticsSeed, runtime::kRandom);
        jint r = 0;
        for (jint i = 0; i <= t * 18 + slot; ++i) {
            r = reference.nextInt();
        }
        return (r < 0 ? -r : r) % 2;
    }
};

TEST_F(MatchStatisticsTest, GoalsAndAssistsAreCountedThroughTheLineupAndAfreshEachTime) {
    // A substitution of team 0: slot 2 now holds squad index 14, slot 14 index 2.
    (*row(statics()->lineup, 0))[2] = 14;
    (*row(statics()->lineup, 0))[14] = 2;
    addGoal({0, 14, 0, 10, 0, 5});    // team 0: slot 2 scores, slot 5 assists
    addGoal({1, 3, 0, 20, 0, 6});     // an own goal of team 0's index 3: nobody
    addGoal({1, 7, 1, 30, 0, 0});     // team 1: slot 7; an assist index of 0 credits nobody
    addGoal({1, 7, 1, 40, 0, 255});   // team 1: slot 7 again; no assist (-1)
    addGoal({0, 255, 0, 50, 0, 255}); // team 0's goal without a known scorer
    addGoal({0, 25, 0, 60, 0, 9});    // index 25 stands in no slot 0..17; slot 9 assists
    addGoal({0, 2, 0, 70, 0, 30});    // an assist index of 30 or more: the record is skipped
    player(0, 11)->matchGoals = 4;    // stale counts of an earlier count
    player(1, 3)->matchAssists = 2;
    const std::vector<std::array<jint, 4>> expected = {
        {0, 2, 1, 0}, {0, 5, 0, 1}, {0, 9, 0, 1}, {1, 7, 2, 0}};
    for (const char* pass : {"the interval", "the end"}) {
        match::countGoalScorers();
        EXPECT_EQ(credits(), expected) << pass;
        EXPECT_EQ(statics()->teamGoalsCounted[0], 3) << pass;
        EXPECT_EQ(statics()->teamGoalsCounted[1], 2) << pass;
    }
    EXPECT_EQ(match::slotOfSquadIndex(0, 14), 2);
    EXPECT_EQ(match::slotOfSquadIndex(0, 2), 14);
    EXPECT_EQ(match::slotOfSquadIndex(1, 20), -1) << "index 20 sits at slot 20, beyond the 18";
    EXPECT_EQ(match::slotOfSquadIndex(1, -1), -1);
}

TEST_F(MatchStatisticsTest, OnlyTheFirstTwentyGoalsAreRead) {
    for (jint i = 0; i < 20; ++i) {
        addGoal({1, 4, 1, i, 0, 255});
    }
    statics()->goalCount = 23; // goals after the twentieth have no record
    match::countGoalScorers();
    EXPECT_EQ(statics()->teamGoalsCounted[1], 20);
    EXPECT_EQ(player(1, 4)->matchGoals, 20);
}

TEST_F(MatchStatisticsTest, RatingsFollowTheOutcomeTheCountersAndTheCoin) {
    struct Counters {
        jint sa, sb, sc, sd, goals, assists;
    };
    struct Case {
        const char* what;
        jint goals0, goals1;
        bool full;
        jint team, slot;
        Counters counters;
        jint ifCoin0, ifCoin1;
    };
    const Case cases[] = {
        {"a draw, nothing done", 0, 0, true, 0, 5, {0, 0, 0, 0, 0, 0}, 6, 6},
        {"the keeper's clean sheet", 0, 0, true, 1, 0, {0, 0, 0, 0, 0, 0}, 7, 7},
        {"full-time weights", 1, 1, true, 1, 3, {3, 0, 0, 2, 0, 0}, 7, 7},
        {"interval weights", 1, 1, false, 1, 3, {3, 0, 0, 2, 0, 0}, 8, 8},
        {"three counters at full time", 1, 1, true, 0, 6, {3, 3, 12, 0, 0, 0}, 9, 9},
        {"one assist", 1, 1, true, 0, 7, {0, 0, 0, 0, 0, 1}, 7, 7},
        {"three assists", 1, 1, true, 0, 7, {0, 0, 0, 0, 0, 3}, 8, 8},
        {"one goal, team 1 wins", 0, 1, true, 1, 9, {0, 0, 0, 0, 1, 0}, 7, 7},
        {"team 0 wins: its outfield player", 2, 1, true, 0, 4, {0, 0, 0, 0, 0, 0}, 6, 7},
        {"team 0 wins: team 1's outfield player", 2, 1, true, 1, 4, {0, 0, 0, 0, 0, 0}, 6, 5},
        {"team 0 wins: its scorer", 2, 1, true, 0, 8, {0, 0, 0, 0, 1, 0}, 8, 8},
        {"team 0 wins: team 1's scorer", 2, 1, true, 1, 8, {0, 0, 0, 0, 1, 0}, 7, 7},
        {"team 0 wins: its keeper", 2, 1, true, 0, 0, {0, 0, 0, 0, 0, 0}, 6, 7},
        {"team 0 wins 2-1: team 1's keeper", 2, 1, true, 1, 0, {0, 0, 0, 0, 0, 0}, 5, 5},
        {"team 0 wins 3-0: team 1's keeper", 3, 0, true, 1, 0, {0, 0, 0, 0, 0, 0}, 4, 4},
        {"team 1 wins 0-3: team 0's keeper", 0, 3, true, 0, 0, {0, 0, 0, 0, 0, 0}, 6, 6},
        {"below 4", 2, 1, true, 1, 4, {0, -9, 0, 0, 0, 0}, 4, 4},
        {"above 9 without a goal", 1, 1, true, 0, 3, {9, 9, 0, 0, 0, 0}, 9, 9},
        {"above 9, a scorer in a draw", 1, 1, true, 1, 3, {9, 0, 0, 0, 3, 0}, 10, 10},
        {"above 9, a scorer who won", 2, 1, true, 0, 3, {9, 0, 0, 0, 3, 0}, 10, 10},
        {"above 9, a scorer who lost", 2, 1, true, 1, 3, {9, 0, 0, 0, 3, 0}, 9, 9},
    };
    for (const Case& c : cases) {
        for (jint t = 0; t < 2; ++t) {
            for (jint i = 0; i < 18; ++i) {
                CPlayer* p = player(t, i);
                p->matchStatA = p->matchStatB = p->matchStatC = p->matchStatD = 0;
                p->matchGoals = p->matchAssists = 0;
                p->matchRating = 0;
            }
        }
        team(0)->goals = c.goals0;
        team(1)->goals = c.goals1;
        CPlayer* p = player(c.team, c.slot);
        p->matchStatA = c.counters.sa;
        p->matchStatB = c.counters.sb;
        p->matchStatC = c.counters.sc;
        p->matchStatD = c.counters.sd;
        p->matchGoals = c.counters.goals;
        p->matchAssists = c.counters.assists;
        statics()->gameRandom->setSeed(kStatisticsSeed);
        match::computePlayerRatings(c.full ? 1 : 0);
        const jint coin = coinOf(c.team, c.slot);
        EXPECT_EQ(p->matchRating, coin == 0 ? c.ifCoin0 : c.ifCoin1) << c.what << " (coin " << coin << ")";
    }
}

TEST_F(MatchStatisticsTest, TheCoinIsDrawnForAllThirtySixSlotsOnEveryCall) {
    runtime::java_util_Random reference(kStatisticsSeed, runtime::kRandom);
    (*team(1)->players)[17] = nullptr; // an empty slot still takes its draw
    for (jint call = 0; call < 2; ++call) {
        match::computePlayerRatings(call == 0 ? 0 : 1);
        for (jint i = 0; i < 36; ++i) {
            reference.nextInt();
        }
        EXPECT_EQ(statics()->gameRandom->seed, reference.seed) << "call " << call;
    }
    std::vector<jint> coins0;
    std::vector<jint> coins1;
    for (jint i = 0; i < 18; ++i) {
        coins0.push_back(coinOf(0, i));
        coins1.push_back(coinOf(1, i));
    }
    EXPECT_NE(std::count(coins0.begin(), coins0.end(), 1), 0) << "the seed gives both faces";
    EXPECT_NE(std::count(coins1.begin(), coins1.end(), 0), 0);
}

TEST_F(MatchStatisticsTest, FinishingTheMatchCountsListsAndRatesAtFullTime) {
    runtime::LogCapture log;
    GameStatics* s = statics();
    constexpr jint kUserTeam = 1;
    s->userTeam = kUserTeam;
    s->teamRecords = runtime::newByteArray(2 * 64);
    for (jint k = 0; k < 30; ++k) {
        jint id = 500 + k;
        if (k == 4) {
            id = 0xFFFF; // empty
        } else if (k == 6) {
            id |= 0x8000; // flagged
        }
        (*s->teamRecords)[kUserTeam * 64 + 2 * k] = static_cast<jbyte>(id >> 8);
        (*s->teamRecords)[kUserTeam * 64 + 2 * k + 1] = static_cast<jbyte>(id);
    }
    // Member entries hold the squad in reverse order, except squad player 9, who has none.
    for (jint m = 0; m < 30; ++m) {
        const jint id = m == 20 ? 999 : 529 - m;
        (*s->selectionTable)[108 + 16 * m] = static_cast<jbyte>(id >> 8);
        (*s->selectionTable)[108 + 16 * m + 1] = static_cast<jbyte>(id);
    }
    const std::vector<jbyte> before(s->selectionTable->data(), s->selectionTable->data() + 818);
    s->matchFlag = 1;
    s->benchSlots = table(7); // the interval's list, or anything else
    player(0, 12)->hasPlayed = 1;
    player(0, 15)->hasPlayed = 1;
    player(1, 11)->hasPlayed = 1;
    player(0, 3)->matchStatA = 3;
    player(0, 3)->matchStatD = 4; // full time: 6 + 1 + 1 = 8; the interval would give 9
    addGoal({1, 7, 1, 10, 0, 255});
    team(1)->goals = 1;

    match::finishMatchRecords();

    EXPECT_EQ(s->matchFlag, 0);
    EXPECT_EQ(s->matchEndCounter, 300);
    EXPECT_EQ(s->matchEndCounterOn, 1);
    EXPECT_EQ(player(1, 7)->matchGoals, 1);
    EXPECT_EQ(s->teamGoalsCounted[1], 1);
    EXPECT_EQ(rowValues(s->benchSlots, 0, 7), std::vector<jint>({12, 15, -1, -1, -1, -1, -1}))
        << "listed afresh over what the interval listed";
    EXPECT_EQ(rowValues(s->benchSlots, 1, 7), std::vector<jint>({11, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(player(0, 3)->matchRating, 8);
    EXPECT_EQ(match::findMemberEntry(529), 108);
    EXPECT_EQ(match::findMemberEntry(500), 108 + 16 * 29);
    EXPECT_EQ(match::findMemberEntry(509), -1);
    EXPECT_EQ(std::vector<jbyte>(s->selectionTable->data(), s->selectionTable->data() + 818), before)
        << "nothing is written into the member entries";
    EXPECT_TRUE(log.contains("finishMatchRecords: player 509 of the squad has no member entry"));
    EXPECT_EQ(std::count_if(
                  log.lines.begin(), log.lines.end(),
                  [](const std::string& line) { return line.find("no member entry") != std::string::npos; }),
              1)
        << "the empty and the flagged slots are not looked up";
}

TEST_F(MatchStatisticsTest, MatchTablesAreReadFromTheirSectionsAndCheckedAgainstTheBlock) {
    runtime::LogCapture log;
    // Two sections: three bytes, then two shorts; a third offset entry the reader never needs.
    const std::vector<jint> whole = {0, 3, 0, 4, 0, 9, 0, 0, 3, 5, -6, 127, 2, 0x12, 0x34, 0xFF, 0xFE};
    auto block = [](const std::vector<jint>& bytes) {
        runtime::ByteArray* array = runtime::newByteArray(static_cast<jint>(bytes.size()));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            (*array)[static_cast<jint>(i)] = static_cast<jbyte>(bytes[i]);
        }
        return array;
    };
    GameStatics* s = statics();
    match::loadMatchTable(block(whole), 0);
    match::loadMatchTable(block(whole), 1);
    match::loadMatchTable(block(whole), 2);
    ASSERT_NE(s->matchByteTable.get(), nullptr);
    ASSERT_NE(s->matchShortTable.get(), nullptr);
    EXPECT_EQ(
        std::vector<jbyte>(s->matchByteTable->data(), s->matchByteTable->data() + s->matchByteTable->length),
        std::vector<jbyte>({5, -6, 127}));
    EXPECT_EQ(std::vector<runtime::jshort>(s->matchShortTable->data(),
                                           s->matchShortTable->data() + s->matchShortTable->length),
              std::vector<runtime::jshort>({0x1234, -2}));
    EXPECT_TRUE(log.lines.empty());

    runtime::ByteArray* const keptBytes = s->matchByteTable;
    runtime::ShortArray* const keptShorts = s->matchShortTable;
    struct Case {
        const char* what;
        std::vector<jint> bytes;
        jint section;
        const char* logged;
    };
    const Case cases[] = {
        {"one byte", {0}, 0, "loadMatchTable: no table block"},
        {"a count beyond the block",
         {0, 40, 0, 0},
         0,
         "loadMatchTable: section 0 does not fit in the block of 4 bytes"},
        {"section 0 cut short",
         {0, 1, 0, 0, 5, 1, 2},
         0,
         "loadMatchTable: section 0 does not fit in the block of 7 bytes"},
        {"no offset word", {0, 0}, 1, "loadMatchTable: the block of 2 bytes has no section offset"},
        {"section 1 past the end",
         {0, 1, 0, 9, 0},
         1,
         "loadMatchTable: section 1 does not fit in the block of 5 bytes"},
        {"section 1 cut short",
         {0, 1, 0, 1, 0, 2, 0, 1, 0},
         1,
         "loadMatchTable: section 1 does not fit in the block of 9 bytes"},
    };
    for (const Case& c : cases) {
        log.lines.clear();
        match::loadMatchTable(block(c.bytes), c.section);
        EXPECT_EQ(log.lines, std::vector<std::string>({c.logged})) << c.what;
        EXPECT_EQ(s->matchByteTable.get(), keptBytes) << c.what;
        EXPECT_EQ(s->matchShortTable.get(), keptShorts) << c.what;
    }
    log.lines.clear();
    match::loadMatchTable(nullptr, 1);
    EXPECT_EQ(log.lines, std::vector<std::string>({"loadMatchTable: no table block"}));
    // Empty sections make empty tables.
    match::loadMatchTable(block({0, 1, 0, 1, 0, 0}), 0);
    match::loadMatchTable(block({0, 1, 0, 1, 0, 0}), 1);
    EXPECT_EQ(s->matchByteTable->length, 0);
    EXPECT_EQ(s->matchShortTable->length, 0);
}

} // namespace
} // namespace game::testing
