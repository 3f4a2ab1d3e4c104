// The day schedule: the season walk over every generated league size (each league round played
// once, in calendar order), the cup steps that leagues drop, the extra rounds of long leagues,
// the early-cup flags and the continental mark, and months or leagues outside the tables.
#include <gtest/gtest.h>

#include <vector>

#include "game/season/DaySchedule.h"
#include "tests/game/support/SeasonFixture.h"
#include "tools/SampleDatabase.h"

namespace game::season {

namespace {

constexpr jint kLeagues = 13;

struct Pair {
    jint type;
    jint step;
    bool operator==(const Pair&) const = default;
};

class DayScheduleTest : public game::testing::SeasonTest {
protected:
    Pair pairAt(const jint week) const {
        const runtime::ByteArray* const schedule = statics()->daySchedule;
        return {(*schedule)[2 * week], (*schedule)[2 * week + 1]};
    }
    // The stored event at a calendar position, before any league's changes.
    Pair storedAt(const jint position) const {
        const jint event = (*statics()->calendarDays)[position];
        return {(event >> 6) & 3, event & 63};
    }
    // Every (position, pair) of the season for league, months 0..11 loaded quietly.
    std::vector<std::pair<jint, Pair>> walk(const jint league) const {
        std::vector<std::pair<jint, Pair>> season;
        for (jint m = 0; m < kCalendarMonths; ++m) {
            buildDaySchedule(m, league, 0, 1);
            for (jint w = 0; w < kMonthPositions; ++w) {
                season.emplace_back(m * kMonthPositions + w, pairAt(w));
            }
        }
        return season;
    }
    void setLeagueSize(const jint league, const jint teams) const {
        (*statics()->leagueSizes)[league] = teams;
    }
};

TEST_F(DayScheduleTest, EveryGeneratedLeaguePlaysEachRoundOnceInCalendarOrder) {
    std::vector<std::pair<jint, jint>> leagues; // (league, teams)
    for (jint league = 0; league < kLeagues; ++league) {
        leagues.emplace_back(league, tools::sampleLeagues()[static_cast<std::size_t>(league)].teams);
    }
    leagues.emplace_back(0, 24);
    for (const auto& [league, teams] : leagues) {
        setLeagueSize(league, teams);
        std::vector<jint> rounds;
        for (const auto& [position, pair] : walk(league)) {
            const Pair stored = storedAt(position);
            if (pair.type == kLeagueEvent) {
                rounds.push_back(pair.step);
            }
            if (stored.type == kContinentalEvent) {
                EXPECT_EQ(pair, stored) << "league " << league << " position " << position;
            }
            if (stored.type == kNationalCupEvent) {
                const bool dropped = (league >= 6 && stored.step == 2) || (league >= 10 && stored.step < 3);
                const Pair expected = dropped ? Pair{0, 0} : stored;
                EXPECT_EQ(pair, expected) << "league " << league << " position " << position;
            }
        }
        std::vector<jint> expected;
        for (jint r = 0; r <= 2 * teams - 3; ++r) {
            expected.push_back(r);
        }
        EXPECT_EQ(rounds, expected) << "league " << league << " of " << teams << " teams";
    }
}

TEST_F(DayScheduleTest, ATwentyTeamLeagueKeepsTheStoredStepsAndDropsRoundsFromThirtyEight) {
    setLeagueSize(0, 20);
    setLeagueSize(8, 18);
    for (const auto& [position, pair] : walk(0)) {
        const Pair stored = storedAt(position);
        if (stored.type == kLeagueEvent || stored.type == kFreeEvent) {
            const Pair expected = stored.step >= 38 && stored.type == kLeagueEvent ? Pair{0, 0} : stored;
            EXPECT_EQ(pair, expected) << position;
        }
    }
    // An 18-team league stops after round 33: stored rounds 34..37 are gone.
    for (const auto& [position, pair] : walk(8)) {
        if (storedAt(position).type == kLeagueEvent && storedAt(position).step >= 34) {
            EXPECT_EQ(pair, (Pair{0, 0})) << position;
        }
    }
}

TEST_F(DayScheduleTest, ATwentyFourTeamLeagueShiftsItsRoundsAndPlaysItsExtraRoundsInFreeSlots) {
    setLeagueSize(1, 24);
    struct Case {
        jint month;
        jint week;
        Pair expected;
        const char* what;
    };
    const Case cases[] = {
        {1, 5, {kLeagueEvent, 0}, "the first round: no extra round played yet"},
        {1, 6, {kLeagueEvent, 1}, "free slot with step 2: extra round extraRoundSteps[0]"},
        {1, 7, {kLeagueEvent, 2}, "free slot with step 3: extra round extraRoundSteps[1]"},
        {3, 0, {kLeagueEvent, 7}, "free slot with step 4: extra round extraRoundSteps[2]"},
        {3, 1, {kLeagueEvent, 5 + 3}, "stored step 5 after three extra rounds"},
        {8, 1, {kLeagueEvent, 24 + 8}, "stored step 24: the shift stops at 2 x (24 - 20)"},
        {8, 2, {0, 0}, "a free slot with step 0 stays empty"},
        {10, 7, {kLeagueEvent, 37 + 8}, "the last round"},
    };
    for (const Case& c : cases) {
        buildDaySchedule(c.month, 1, 0, 1);
        EXPECT_EQ(pairAt(c.week), c.expected) << c.what;
    }
    buildDaySchedule(3, 1, 0, 1);
    EXPECT_EQ(statics()->leagueRoundShift, 4);
}

TEST_F(DayScheduleTest, EarlyCupFlagsAreSetOnlyWhenNotQuietAndOnlyBelowTheLeaguesLimits) {
    GameStatics* const s = statics();
    for (jint league = 0; league < kLeagues; ++league) {
        setLeagueSize(league, tools::sampleLeagues()[static_cast<std::size_t>(league)].teams);
        for (const jint level : {0, 1, 3, 7, 8, 15, 16, 17, 19, 20, 25}) {
            for (const bool quiet : {true, false}) {
                s->userClubLevel = level;
                s->earlyCupFlag0 = s->earlyCupFlag1 = s->earlyCupFlag2 = 0;
                for (jint m = 0; m < kCalendarMonths; ++m) {
                    buildDaySchedule(m, league, 0, quiet ? 1 : 0);
                }
                const runtime::jboolean flags[] = {s->earlyCupFlag0, s->earlyCupFlag1, s->earlyCupFlag2};
                for (jint step = 0; step < 3; ++step) {
                    const bool expected = !quiet && level < (*s->cupEntryLimits)[3 * league + step];
                    EXPECT_EQ(flags[step] != 0, expected) << "league " << league << " level " << level
                                                          << " step " << step << " quiet " << quiet;
                }
            }
        }
    }
}

TEST_F(DayScheduleTest, EarlyCupFlagsComeOnlyFromTheFirstThreeMonths) {
    GameStatics* const s = statics();
    setLeagueSize(0, 20);
    // A synthetic calendar with national-cup step 0 only in month 3.
    s->calendarDays = runtime::newByteArray(kCalendarPositions);
    (*s->calendarDays)[3 * kMonthPositions + 2] = static_cast<runtime::jbyte>(0x80);
    s->userClubLevel = 0;
    for (jint m = 0; m < kCalendarMonths; ++m) {
        buildDaySchedule(m, 0, 0, 0);
    }
    EXPECT_EQ(s->earlyCupFlag0, 0);
}

TEST_F(DayScheduleTest, AContinentalEventMarksTheUserOutOnlyWhenAskedAndNotInTheCup) {
    GameStatics* const s = statics();
    setLeagueSize(0, 20);
    struct Case {
        bool checkContinental;
        bool inCup;
        bool quiet;
        jint expected;
    };
    for (const Case& c : {Case{true, false, false, -2}, Case{true, true, false, 5},
                          Case{false, false, false, 5}, Case{true, false, true, 5}}) {
        (*s->cupStatus)[2] = 5;
        s->userInCup = c.inCup ? 1 : 0;
        buildDaySchedule(2, 0, c.checkContinental ? 1 : 0,
                         c.quiet ? 1 : 0); // month 2 holds continental step 0
        EXPECT_EQ((*s->cupStatus)[2], c.expected) << c.checkContinental << c.inCup << c.quiet;
        EXPECT_EQ(pairAt(2), (Pair{kContinentalEvent, 0}));
    }
}

TEST_F(DayScheduleTest, AMonthOrLeagueOutsideTheTablesIsLoggedAndLeavesEveryPositionFree) {
    setLeagueSize(0, 20);
    for (const auto& [month, league] :
         {std::pair{12, 0}, std::pair{-1, 0}, std::pair{1, 13}, std::pair{1, -1}}) {
        buildDaySchedule(1, 0, 0, 1);
        log.lines.clear();
        buildDaySchedule(month, league, 0, 1);
        for (jint w = 0; w < kMonthPositions; ++w) {
            EXPECT_EQ(pairAt(w), (Pair{0, 0})) << month << " " << league;
        }
        EXPECT_EQ(log.lines.size(), 1U) << month << " " << league;
    }
}

} // namespace
} // namespace game::season
