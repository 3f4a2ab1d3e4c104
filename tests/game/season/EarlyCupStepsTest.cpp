// The early national-cup steps: the teams of steps 0, 1 and 2 for leagues 0/1 (20 and 24 teams)
// and league 7, the result tables cleared by calendar position, the views of steps still to
// come, a step that only clears, leagues without a partner division, and data that would
// overrun the lists.
#include <gtest/gtest.h>

#include <vector>

#include "game/season/EarlyCupSteps.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/GameRuntime.h"

namespace game::season {

namespace {

constexpr jint kTableA = 500;
constexpr jint kTableB = 600;
constexpr jint kTableC = 700;

class EarlyCupStepsTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        GameStatics* const s = statics();
        for (jint league = 0; league < 13; ++league) {
            (*s->leagueSizes)[league] = 20;
        }
        (*s->leagueSizes)[1] = 24;
        for (jint i = 0; i < s->leagueTeamOrder->length; ++i) {
            (*s->leagueTeamOrder)[i] = static_cast<jshort>(i);
        }
        fillTables();
        setPosition(2, 0);
    }
    void fillTables() const {
        GameStatics* const s = statics();
        fill(s->groupTableA, kTableA);
        fill(s->groupTableB, kTableB);
        fill(s->groupTableC, kTableC);
    }
    static void fill(runtime::ShortArray* const table, const jint base) {
        for (jint i = 0; i < table->length; ++i) {
            (*table)[i] = static_cast<jshort>(base + i);
        }
    }
    void setPosition(const jint month, const jint week) const {
        statics()->monthIndex = month;
        statics()->matchDayIndex = week;
    }
    // The first n entries of viewTeams.
    std::vector<jint> view(const jint n) const {
        std::vector<jint> teams;
        for (jint i = 0; i < n; ++i) {
            teams.push_back((*statics()->viewTeams)[i]);
        }
        return teams;
    }
    static std::vector<jint> range(const jint first, const jint count) {
        std::vector<jint> values;
        for (jint i = 0; i < count; ++i) {
            values.push_back(first + i);
        }
        return values;
    }
    static std::vector<jint> join(std::initializer_list<std::vector<jint>> parts) {
        std::vector<jint> all;
        for (const auto& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }
    static bool cleared(const runtime::ShortArray* const table) {
        for (jint i = 0; i < table->length; ++i) {
            if ((*table)[i] != -1) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(EarlyCupStepsTest, LeaguesZeroAndOneOfTwentyAndTwentyFourTeams) {
    for (const jint league : {0, 1}) {
        SCOPED_TRACE(league);
        statics()->userLeague = league;
        showEarlyCupRound(0, 1);
        EXPECT_EQ(statics()->viewTeamCount, 8);
        // League 1's positions 16-23, then step 0's results where the copy does not reach.
        EXPECT_EQ(view(20), join({range(20 + 16, 8), range(kTableA + 8, 12)}));
        showEarlyCupRound(1, 1);
        EXPECT_EQ(statics()->viewTeamCount, 32);
        // League 0's positions 8-19, league 1's positions 0-15, then step 0's first 4 winners.
        EXPECT_EQ(view(32), join({range(8, 12), range(20, 16), range(kTableA, 4)}));
        showEarlyCupRound(2, 1);
        EXPECT_EQ(statics()->viewTeamCount, 16);
        EXPECT_EQ(view(16), range(kTableB, 16));
    }
}

TEST_F(EarlyCupStepsTest, LeagueSevenHasNoSecondDivisionEntrantsInStepOne) {
    statics()->userLeague = 7;
    showEarlyCupRound(0, 1);
    EXPECT_EQ(statics()->viewTeamCount, 20);
    EXPECT_EQ(view(20), range(144, 20)); // league 1 holds 24 teams
    showEarlyCupRound(1, 1);
    EXPECT_EQ(statics()->viewTeamCount, 28);
    // League 6 from position 2 on, then the ten step-0 winners, then step 1's table.
    EXPECT_EQ(view(32), join({range(126, 18), range(kTableA, 10), range(kTableB + 28, 4)}));
}

TEST_F(EarlyCupStepsTest, ResultTablesAreClearedWhileTheirStepsAreToCome) {
    const struct {
        jint position;
        bool a, b, c; // cleared
    } cases[] = {{4, true, true, true},   {5, false, true, true},  {6, false, true, true},
                 {7, false, false, true}, {8, false, false, true}, {9, false, false, false}};
    statics()->userLeague = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        fillTables();
        setPosition(c.position / 8, c.position % 8);
        showEarlyCupRound(5, 1);
        EXPECT_EQ(cleared(statics()->groupTableA), c.a);
        EXPECT_EQ(cleared(statics()->groupTableB), c.b);
        EXPECT_EQ(cleared(statics()->groupTableC), c.c);
    }
}

TEST_F(EarlyCupStepsTest, ViewsOfStepsStillToComeShowNoTeams) {
    statics()->userLeague = 0;
    // Position 5: step 0's results are kept, but step 1's view waits for them.
    setPosition(0, 5);
    showEarlyCupRound(1, 1);
    EXPECT_EQ(view(32), join({range(8, 12), range(20, 16), std::vector<jint>(4, -1)}));
    // With forView clear the stored results count whatever the calendar says.
    fillTables();
    showEarlyCupRound(1, 0);
    EXPECT_EQ(view(32), join({range(8, 12), range(20, 16), range(kTableA, 4)}));
    fillTables();
    setPosition(0, 6);
    showEarlyCupRound(1, 1);
    EXPECT_EQ(view(32), join({range(8, 12), range(20, 16), range(kTableA, 4)}));
    // Step 2 shows nothing at position 7, step 1's first 16 results from 8 on.
    fillTables();
    setPosition(0, 7);
    showEarlyCupRound(2, 1);
    EXPECT_EQ(view(16), std::vector<jint>(16, -1));
    fillTables();
    setPosition(1, 0);
    showEarlyCupRound(2, 1);
    EXPECT_EQ(view(16), range(kTableB, 16));
}

TEST_F(EarlyCupStepsTest, StepOneCalledBySeasonCodeEarlyAppendsTheClearedResults) {
    statics()->userLeague = 0;
    setPosition(0, 3);
    showEarlyCupRound(1, 0);
    EXPECT_EQ(view(32), join({range(8, 12), range(20, 16), std::vector<jint>(4, -1)}));
}

TEST_F(EarlyCupStepsTest, OtherStepOnlyClearsAndCopies) {
    GameStatics* const s = statics();
    s->userLeague = 0;
    s->viewTeamCount = 3;
    (*s->viewTeams)[0] = 77;
    setPosition(0, 6);
    showEarlyCupRound(5, 1);
    EXPECT_EQ(s->viewTeamCount, 3);
    EXPECT_EQ((*s->viewTeams)[0], 77);
    EXPECT_EQ((*s->earlyRoundWork20)[3], kTableA + 3);
    EXPECT_EQ((*s->earlyRoundWork32)[3], -1);
    EXPECT_EQ((*s->earlyRoundWork14)[3], -1);
}

TEST_F(EarlyCupStepsTest, LeaguesWithoutPartnerDivisionChangeNothing) {
    GameStatics* const s = statics();
    setPosition(0, 0);
    for (const jint league : {10, 11, 12, 16}) {
        SCOPED_TRACE(league);
        s->userLeague = league;
        s->viewTeamCount = 3;
        showEarlyCupRound(0, 1);
        EXPECT_EQ(s->viewTeamCount, 3);
        EXPECT_FALSE(cleared(s->groupTableA));
        EXPECT_EQ(s->earlyRoundWork20.get(), nullptr);
    }
}

TEST_F(EarlyCupStepsTest, DataThatOverrunsTheListsIsLoggedAndCut) {
    GameStatics* const s = statics();
    s->userLeague = 0;
    (*s->cupEntryLimits)[3] = 0; // all 24 teams of league 1 in step 0
    (*s->cupEntryLimits)[1] = 0; // all 20 of league 0 in step 1
    runtime::LogCapture log;
    showEarlyCupRound(0, 1);
    EXPECT_EQ(s->viewTeamCount, 20);
    EXPECT_EQ(view(20), range(20, 20));
    showEarlyCupRound(1, 1);
    EXPECT_EQ(s->viewTeamCount, 32);
    EXPECT_EQ(view(32), join({range(0, 20), range(kTableA, 12)}));
    EXPECT_FALSE(log.lines.empty());
}

} // namespace
} // namespace game::season
