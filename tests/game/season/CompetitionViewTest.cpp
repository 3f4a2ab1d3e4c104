// The competition view: per type, step, league and side of today, the team count, whether the
// event lies ahead and what is asked of the season screens (records stored, past results
// restored) and of the bracket view; keepCurrent shows without moving; the search finds the next
// event of a type and gives up, logged, on a type the calendar does not hold; the user's slot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/resources/ClubRoutines.h"
#include "game/season/CompetitionView.h"
#include "game/season/DaySchedule.h"
#include "runtime/Service.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/GameRuntime.h"

namespace game::season {
using namespace game::core;

namespace {

using Calls = std::vector<std::string>;

// Records the competition calls; plays nothing.
class RecordingScreens final : public SeasonScreenServices {
public:
    jint simulateFixture(jint, jint, jboolean, jboolean, jboolean, jboolean, jint, jboolean) override {
        return 2;
    }
    void setupCompetitionDay(jint, jint) override {}
    void prepareLeague(jint, jboolean, jboolean) override {}
    void loadLeagueData(jint, jboolean, jboolean) override {}
    void buildLeagueDayFixtures(jint, jboolean) override {}
    void updateCompetitionStrengths() override {}
    void prepareTeamSide(jint, jint, jint) override {}
    void selectLeagueState(jboolean, jint, jboolean) override {}
    void saveCompetitionState370(const jint k) override { calls->push_back("save370 " + std::to_string(k)); }
    void storeRoundFixtures(const jint kind, const jboolean save, const jint round) override {
        calls->push_back("storeRoundFixtures " + std::to_string(kind) + " " + std::to_string(save) + " " +
                         std::to_string(round));
    }
    jint transferInterest(jint, jint, jint, jint) override { return 0; }
    runtime::String* getPlayerLabel(jint) override { return nullptr; }
    Calls* calls = nullptr;
};

// Records the bracket views asked for.
class RecordingBracket final : public resources::ClubRoutines {
public:
    void fillCupRoundFixtures(const jint round, runtime::ShortArray*, const jint row,
                              const jboolean flag) override {
        calls->push_back("fill " + std::to_string(round) + " " + std::to_string(row) + " " +
                         std::to_string(flag));
    }
    Calls* calls = nullptr;
};

constexpr jint kToday = 2 * 8 + 3;

class CompetitionViewTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        screens.calls = &calls;
        bracket.calls = &calls;
        GameStatics* const s = statics();
        for (jint league = 0; league < 13; ++league) {
            (*s->leagueSizes)[league] = 20;
        }
        for (jint i = 0; i < s->leagueTeamOrder->length; ++i) {
            (*s->leagueTeamOrder)[i] = static_cast<jshort>(i);
        }
        for (jint i = 0; i < s->layoutRows->length; ++i) {
            (*s->layoutRows)[i] = static_cast<jshort>(1000 + i);
        }
        s->eventDoneByType = runtime::newByteArray(5);
        s->cupRoundReached = runtime::newByteArray(5);
        s->viewMarks = runtime::newShortArray(4);
        s->monthIndex = kToday / 8;
        s->matchDayIndex = kToday % 8;
        s->userTeam = 1000 + 128 + 5;
        s->userCompetitionSlot = 9;
    }
    // Shows the event already loaded (type, step) at a position ahead of or behind today.
    void show(const jint type, const jint step, const bool ahead) {
        statics()->scheduleType = type;
        statics()->competitionStep = step;
        showCompetitionEvent(0, ahead ? kToday + 1 : kToday - 1, type, 1);
    }

    Calls calls;
    RecordingScreens screens;
    RecordingBracket bracket;
    runtime::ScopedService<SeasonScreenServices> screensScope{&installSeasonScreenServices, screens};
    runtime::ScopedService<ClubServices> clubScope{&installClubServices, bracket};
};

struct ViewCase {
    const char* name;
    jint type;
    jint step;
    bool ahead;
    jint league;
    jint month;        // the calendar's month (today's week stays 3)
    jint roundReached; // cupRoundReached of the type
    jint count;        // viewTeamCount
    Calls calls;
};

TEST_F(CompetitionViewTest, TeamCountsAndCallsByTypeStepAndSide) {
    const ViewCase cases[] = {
        {"continental group stage ahead", 3, 2, true, 4, 2, 0, 32, {}},
        {"continental group stage behind", 3, 5, false, 4, 2, 0, 32, {"storeRoundFixtures 3 0 5"}},
        {"continental round of 16 ahead: the record is first stored", 3, 6, true, 4, 2, 0, 16, {"save370 3"}},
        {"continental round of 16 behind", 3, 7, false, 4, 2, 0, 16, {"storeRoundFixtures 3 0 7"}},
        {"continental quarter-finals", 3, 8, false, 4, 2, 0, 8, {"storeRoundFixtures 3 0 8"}},
        {"continental semi-finals", 3, 11, false, 4, 2, 0, 4, {"storeRoundFixtures 3 0 11"}},
        {"continental final", 3, 12, false, 4, 2, 0, 2, {"storeRoundFixtures 3 0 12"}},
        {"continental round reached, past the draw",
         3,
         9,
         true,
         4,
         6,
         4,
         8,
         {"save370 3", "fill 4 8 1", "fill 4 8 1"}},
        {"national last 16 ahead: the first division enters", 2, 3, true, 4, 2, 0, 16, {"save370 2"}},
        {"national last 16, round reached", 2, 4, true, 4, 2, 3, 16, {"save370 2", "fill 3 2 1"}},
        {"national quarter-finals behind", 2, 5, false, 4, 2, 0, 8, {"storeRoundFixtures 2 0 5"}},
        {"national quarter-finals return", 2, 6, false, 4, 2, 0, 8, {"storeRoundFixtures 2 0 6"}},
        {"national semi-finals", 2, 8, false, 4, 2, 0, 4, {"storeRoundFixtures 2 0 8"}},
        {"national final", 2, 10, false, 4, 2, 0, 2, {"storeRoundFixtures 2 0 10"}},
        {"national semi-finals ahead, round reached", 2, 7, true, 4, 2, 5, 4, {"save370 2", "fill 5 2 0"}},
        {"single-division league: no record, the bracket of its own country",
         2,
         3,
         true,
         11,
         2,
         0,
         16,
         {"fill 3 6 0"}},
        {"early step of a two-division country", 2, 1, true, 4, 2, 0, 31, {}},
        {"early step of a single-division league has no teams", 2, 1, true, 11, 2, 0, 0, {}},
        {"league round ahead", 1, 5, true, 4, 2, 0, 20, {}},
        {"league round behind", 1, 5, false, 4, 2, 0, 20, {"storeRoundFixtures 1 0 5"}},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameStatics* const s = statics();
        calls.clear();
        s->userLeague = c.league;
        s->monthIndex = c.month;
        (*s->cupRoundReached)[c.type - 1] = static_cast<jbyte>(c.roundReached);
        s->cupSecondLeg = 0;
        s->continentalCupStored = 0;
        s->nationalCupStored = 0;
        statics()->scheduleType = c.type;
        statics()->competitionStep = c.step;
        const jint today = c.month * 8 + 3;
        showCompetitionEvent(0, c.ahead ? today + 1 : today - 1, c.type, 1);
        EXPECT_EQ(s->viewEventAhead, c.ahead ? 1 : 0);
        EXPECT_EQ(s->viewTeamCount, c.count);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST_F(CompetitionViewTest, TodaysEventIsAheadUntilPlayed) {
    GameStatics* const s = statics();
    s->userLeague = 4;
    (*s->eventDoneByType)[0] = 0;
    s->scheduleType = 1;
    showCompetitionEvent(0, kToday, 1, 1);
    EXPECT_TRUE(s->viewEventAhead);
    (*s->eventDoneByType)[0] = 1;
    showCompetitionEvent(0, kToday, 1, 1);
    EXPECT_FALSE(s->viewEventAhead);
}

TEST_F(CompetitionViewTest, LeagueViewLeavesTheUsersSlotAndCupViewFindsIt) {
    GameStatics* const s = statics();
    s->userLeague = 4;
    show(1, 5, true);
    EXPECT_EQ(s->userCompetitionSlot, 9);
    EXPECT_EQ((*s->viewTeams)[0], (*s->leagueTeamOrder)[80]);
    EXPECT_EQ((*s->viewTeams)[20], -1);
    show(3, 2, true);
    EXPECT_EQ(s->userCompetitionSlot, 5);
    EXPECT_EQ((*s->viewMarks)[0], -1);
    s->userTeam = 7;
    show(3, 2, true);
    EXPECT_EQ(s->userCompetitionSlot, -1);
}

TEST_F(CompetitionViewTest, FirstDivisionEntrantsTakeEveryOtherPlace) {
    GameStatics* const s = statics();
    s->userLeague = 5; // country 2: league 4 is the first division, seven entrants
    show(2, 3, true);
    for (jint i = 0; i < 16; ++i) {
        EXPECT_EQ((*s->viewTeams)[i], i % 2 == 1 && i / 2 < 7 ? 80 + i / 2 : -1) << i;
    }
    show(2, 4, true);
    EXPECT_EQ((*s->viewTeams)[0], 80);
    EXPECT_EQ((*s->viewTeams)[1], -1);
}

TEST_F(CompetitionViewTest, KeepCurrentShowsWithoutMoving) {
    GameStatics* const s = statics();
    s->userLeague = 4;
    s->viewPosition = 77;
    show(2, 5, false);
    EXPECT_EQ(s->viewPosition, 77);
    EXPECT_EQ(s->scheduleType, 2);
    EXPECT_EQ(s->competitionStep, 5);
}

TEST_F(CompetitionViewTest, SearchMovesToTheNextEventOfTheType) {
    GameStatics* const s = statics();
    s->userLeague = 4;
    buildDaySchedule(0, 4, 1, 0);
    s->scheduleType = 0;
    showCompetitionEvent(0, 0, 3, 0);
    EXPECT_EQ(s->scheduleType, 3);
    EXPECT_GT(s->viewPosition, 0);
    EXPECT_EQ((*s->daySchedule)[2 * (s->viewPosition % 8)], 3);
}

TEST_F(CompetitionViewTest, TypeNotInTheCalendarIsLoggedAndNothingShown) {
    GameStatics* const s = statics();
    s->userLeague = 4;
    s->viewPosition = 33;
    s->viewTeamCount = 4;
    buildDaySchedule(0, 4, 1, 0);
    runtime::LogCapture log;
    showCompetitionEvent(0, 0, 7, 0);
    EXPECT_TRUE(log.contains("findEventOfType: no event of type 7 in the calendar"));
    EXPECT_EQ(s->viewPosition, 33);
    EXPECT_EQ(s->viewTeamCount, 4);
}

// The club's own routine fills the cup view: the continental quarter-finals reached and past the
// draw, the ties of the bracket's round-4 block from row 8, sides swapped on an odd step.
TEST_F(CompetitionViewTest, TheClubsRoutineFillsTheViewedTies) {
    resources::ClubRoutines routines;
    runtime::ScopedService<ClubServices> realScope{&installClubServices, routines};
    runtime::LogCapture log;
    GameStatics* const s = statics();
    s->userLeague = 4;
    s->monthIndex = 6;
    (*s->cupRoundReached)[2] = 4;
    for (jint k = 0; k < 32; ++k) {
        (*s->cupBracket)[k] = static_cast<jbyte>(k % 2 == 0 ? 31 - k : k);
    }
    statics()->scheduleType = 3;
    statics()->competitionStep = 9;
    showCompetitionEvent(0, 6 * 8 + 4, 3, 1);
    ASSERT_TRUE(s->viewEventAhead);
    const jint offset = (*s->cupRoundStart)[1];
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*s->viewTeams)[2 * i], (*s->layoutRows)[128 + (*s->cupBracket)[offset + 2 * i + 1]]) << i;
        EXPECT_EQ((*s->viewTeams)[2 * i + 1], (*s->layoutRows)[128 + (*s->cupBracket)[offset + 2 * i]]) << i;
    }
    EXPECT_EQ((*s->viewTeams)[8], -1);
    for (const std::string& line : log.lines) {
        EXPECT_EQ(line.find("interim"), std::string::npos) << line;
    }
}

} // namespace
} // namespace game::season
