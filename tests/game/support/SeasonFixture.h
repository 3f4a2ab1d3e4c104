// A whole game runtime for the season code's tests, with a scripted double of the season
// screens' services: every simulateFixture call is recorded and answered by a script that sees
// the two slots and the kind, may ask for the skip flag and keeps the goal bytes of both rows as
// the real match result does; the competition set-up calls are recorded as text and may run a
// script that sets the statics an event needs. A club double records every posted message.
// Helpers read and write standings rows and set up leagues whose countries the tests choose.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/resources/ClubRoutines.h"
#include "runtime/Arrays.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/support/GameRuntime.h"

namespace game::testing {

using namespace game::core;

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

class ScriptedSeasonScreens final : public core::SeasonScreenServices {
public:
    jint simulateFixture(jint home, jint away, jboolean played, jboolean homeBonus, jboolean drawAllowed,
                         jboolean recordStats, jint kind, jboolean mayNote) override;
    void setupCompetitionDay(jint kind, jint arg) override;
    void prepareLeague(jint league, jboolean fresh, jboolean skipDaySetup) override;
    void loadLeagueData(jint, jboolean, jboolean) override {}
    void buildLeagueDayFixtures(jint dayOffset, jboolean prepareOpponent) override;
    void updateCompetitionStrengths() override {}
    void prepareTeamSide(jint side, jint team, jint mode) override;
    void selectLeagueState(jboolean, jint, jboolean) override {}
    void saveCompetitionState370(jint) override {}
    void storeRoundFixtures(jint, jboolean, jint) override {}
    jint transferInterest(jint, jint, jint, jint) override { return 0; }
    runtime::String* getPlayerLabel(jint) override { return nullptr; }

    // Decides each match from (home, away, kind); a home win 1-0 when unset.
    std::function<ScriptedResult(jint home, jint away, jint kind)> script;
    std::vector<FixtureCall> calls;
    // Run by setupCompetitionDay and buildLeagueDayFixtures (after recording the call).
    std::function<void(jint kind, jint arg)> onDaySetup;
    std::function<void(jint dayOffset, jboolean prepareOpponent)> onLeagueDay;
    // "setupCompetitionDay 2 0", "prepareLeague 3 0 0", "buildLeagueDayFixtures 5 1",
    // "prepareTeamSide 1 44 0", in call order.
    std::vector<std::string> setUpCalls;
};

// Every postInboxMessage call: the type and the twelve parameters.
using PostedMessage = std::array<jint, 13>;

class RecordingClub final : public resources::ClubRoutines {
public:
    void postInboxMessage(jint type, jint p1, jint p2, jint p3, jint p4, jint p5, jint p6, jint p7, jint p8,
                          jint p9, jint p10, jint p11, jint p12) override {
        messages.push_back({type, p1, p2, p3, p4, p5, p6, p7, p8, p9, p10, p11, p12});
    }
    std::vector<PostedMessage> messages;
};

class SeasonTest : public testing_support::GameRuntimeTest {
protected:
    ScriptedSeasonScreens screens;
    RecordingClub club;

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
    runtime::ScopedService<core::SeasonScreenServices> scope{&core::installSeasonScreenServices, screens};
    runtime::ScopedService<core::ClubServices> clubScope{&core::installClubServices, club};
};

} // namespace game::testing
