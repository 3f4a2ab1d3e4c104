// The season tests' runtime and scripted season screens (see SeasonFixture.h).
#include "tests/game/support/SeasonFixture.h"

#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"

namespace game::testing {

using namespace game::season;
using namespace game::core;

namespace {
constexpr jint kLeagues = 13;
constexpr jint kTeamsPerLeague = 20;

void addGoals(runtime::ByteArray* row, const jint scored, const jint conceded) {
    namespace st = season::standings;
    const jint difference = core::readShortBE(row, st::kGoalDifference) + scored - conceded;
    (*row)[st::kGoalDifference] = static_cast<runtime::jbyte>(difference >> 8);
    (*row)[st::kGoalDifference + 1] = static_cast<runtime::jbyte>(difference);
    (*row)[st::kGoals] = static_cast<runtime::jbyte>((*row)[st::kGoals] + scored);
}
} // namespace

jint ScriptedSeasonScreens::simulateFixture(const jint home, const jint away, jboolean /*played*/,
                                            jboolean /*homeBonus*/, const jboolean drawAllowed,
                                            jboolean /*recordStats*/, const jint kind,
                                            const jboolean mayNote) {
    GameStatics* const s = statics();
    s->resultSkipFlag = 0;
    const ScriptedResult result = script ? script(home, away, kind) : ScriptedResult{3, 1, 0};
    calls.push_back({home, away, kind, drawAllowed, mayNote, result});
    auto* const homeRow = static_cast<runtime::ByteArray*>((*s->competitionTable)[home]);
    auto* const awayRow = static_cast<runtime::ByteArray*>((*s->competitionTable)[away]);
    addGoals(homeRow, result.homeGoals, result.awayGoals);
    addGoals(awayRow, result.awayGoals, result.homeGoals);
    s->resultCount += 1;
    if (result.skip) {
        s->resultSkipFlag = 1;
        s->ownResultCode = result.ownResultCode;
    }
    return result.code;
}

void ScriptedSeasonScreens::setupCompetitionDay(const jint kind, const jint arg) {
    setUpCalls.push_back("setupCompetitionDay " + std::to_string(kind) + " " + std::to_string(arg));
    if (onDaySetup) {
        onDaySetup(kind, arg);
    }
}

void ScriptedSeasonScreens::prepareLeague(const jint league, const jboolean fresh,
                                          const jboolean skipDaySetup) {
    setUpCalls.push_back("prepareLeague " + std::to_string(league) + " " + std::to_string(fresh) + " " +
                         std::to_string(skipDaySetup));
}

void ScriptedSeasonScreens::buildLeagueDayFixtures(const jint dayOffset, const jboolean prepareOpponent) {
    setUpCalls.push_back("buildLeagueDayFixtures " + std::to_string(dayOffset) + " " +
                         std::to_string(prepareOpponent));
    if (onLeagueDay) {
        onLeagueDay(dayOffset, prepareOpponent);
    }
}

void ScriptedSeasonScreens::prepareTeamSide(const jint side, const jint team, const jint mode) {
    setUpCalls.push_back("prepareTeamSide " + std::to_string(side) + " " + std::to_string(team) + " " +
                         std::to_string(mode));
}

runtime::ByteArray* SeasonTest::row(const jint slot) const {
    return static_cast<runtime::ByteArray*>((*statics()->competitionTable)[slot]);
}

jint SeasonTest::points(const jint slot) const {
    return (*row(slot))[season::standings::kPoints] & 0xFF;
}

jint SeasonTest::goalDifference(const jint slot) const {
    return core::readShortBE(row(slot), season::standings::kGoalDifference);
}

jint SeasonTest::goals(const jint slot) const {
    return (*row(slot))[season::standings::kGoals] & 0xFF;
}

void SeasonTest::setUpTwentyTeamLeagues() const {
    GameStatics* const s = statics();
    for (jint league = 0; league < kLeagues; ++league) {
        (*s->leagueSizes)[league] = kTeamsPerLeague;
        (*s->leagueStarts)[league] = league * kTeamsPerLeague;
    }
    for (jint i = 0; i < s->leagueTeamOrder->length; ++i) {
        (*s->leagueTeamOrder)[i] = static_cast<runtime::jshort>(i);
    }
}

jint SeasonTest::firstTeamOfCountry(const jint c) {
    return c < 5 ? 2 * c * kTeamsPerLeague : (c + 5) * kTeamsPerLeague;
}

void SeasonTest::setCompetitionTeams(const std::vector<jint>& teams) const {
    GameStatics* const s = statics();
    for (jint i = 0; i < s->competitionTeams->length; ++i) {
        (*s->competitionTeams)[i] = static_cast<runtime::jshort>(
            i < static_cast<jint>(teams.size()) ? teams[static_cast<std::size_t>(i)] : -1);
    }
}

void SeasonTest::reseed(const runtime::jlong seed) const {
    statics()->gameRandom->setSeed(seed);
}

} // namespace game::testing
