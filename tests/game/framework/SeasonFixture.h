// A whole game runtime for the season code's tests, with a scripted double of the season
// screens' services: every simulateFixture call is recorded and answered by a script that sees
// the two slots and the kind, may ask for the skip flag and keeps the goal bytes of both rows as
// the real match result does. Helpers read and write standings rows and set up leagues whose
// countries the tests choose.
#pragma once

#include <functional>
#include <vector>

#include "game/framework/GameStatics.h"
#include "game/framework/SeasonScreenServices.h"
#include "runtime/Arrays.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/support/GameRuntime.h"

namespace game::testing {

using runtime::jboolean;
using runtime::jint;

// What the script decides for one match.
struct ScriptedResult {
    jint code;          // the result code returned (low nibble outcome, high nibble tie)
    jint homeGoals = 0; // goals booked into the rows (bytes 5-7)
    jint awayGoals = 0;
    bool skip = false;      // resultSkipFlag is set: no tallies are booked
    jint ownResultCode = 0; // the code that then decides a tie
};

// One simulateFixture call as the double saw it.
struct FixtureCall {
    jint home;
    jint away;
    jint kind;
    jboolean drawAllowed;
    jboolean mayNote;
    ScriptedResult result;
};

class ScriptedSeasonScreens final : public framework::SeasonScreenServices {
public:
    jint simulateFixture(jint home, jint away, jboolean played, jboolean homeBonus, jboolean drawAllowed,
                         jboolean recordStats, jint kind, jboolean mayNote) override;
    void setupCompetitionDay(jint, jint) override {}
    void prepareLeague(jint, jboolean, jboolean) override {}
    void loadLeagueData(jint, jboolean, jboolean) override {}
    void buildLeagueDayFixtures(jint, jboolean) override {}
    void updateCompetitionStrengths() override {}
    void prepareTeamSide(jint, jint, jint) override {}
    void selectLeagueState(jboolean, jint, jboolean) override {}
    void saveCompetitionState370(jint) override {}
    void storeRoundFixtures(jint, jboolean, jint) override {}

    // Decides each match from (home, away, kind); a home win 1-0 when unset.
    std::function<ScriptedResult(jint home, jint away, jint kind)> script;
    std::vector<FixtureCall> calls;
};

class SeasonTest : public testing_support::GameRuntimeTest {
protected:
    ScriptedSeasonScreens screens;

    // Row `slot` of competitionTable.
    runtime::ByteArray* row(jint slot) const;
    jint points(jint slot) const;         // unsigned byte 1
    jint goalDifference(jint slot) const; // BE16 at bytes 5-6
    jint goals(jint slot) const;          // unsigned byte 7
    // 13 leagues of 20 teams, team t at position t of leagueTeamOrder: team t plays in league
    // t / 20, so country c holds teams 40c..40c+39 for c < 5 and 20c+100..20c+119 after.
    void setUpTwentyTeamLeagues() const;
    // The first team of country c in those leagues.
    static jint firstTeamOfCountry(jint c);
    void setCompetitionTeams(const std::vector<jint>& teams) const;
    void reseed(runtime::jlong seed) const;

private:
    runtime::ScopedService<framework::SeasonScreenServices> scope{&framework::installSeasonScreenServices,
                                                                  screens};
};

} // namespace game::testing
