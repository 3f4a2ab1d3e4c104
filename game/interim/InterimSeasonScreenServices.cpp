// The interim season logic of the information screens (see InterimSeasonScreenServices.h).
#include "game/interim/InterimSeasonScreenServices.h"

#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/interim/InterimLog.h"

namespace game::interim {

using namespace game::club;

using runtime::jboolean;
using runtime::jint;

namespace {
// A draw with no tie decided: the neutral result of a match nobody plays yet.
constexpr jint kNeutralResult = 2;
} // namespace

jint InterimSeasonScreenServices::simulateFixture(jint /*home*/, jint /*away*/, jboolean /*played*/,
                                                  jboolean /*homeBonus*/, jboolean /*drawAllowed*/,
                                                  jboolean /*recordStats*/, jint /*kind*/,
                                                  jboolean /*mayNote*/) {
    logFirstCall(fixtureLogged, "simulateFixture (beyond a neutral draw)");
    GameStatics* const s = statics();
    s->resultSkipFlag = 0;
    s->resultCount += 1;
    return kNeutralResult;
}

void InterimSeasonScreenServices::setupCompetitionDay(jint /*kind*/, jint /*arg*/) {
    logFirstCall(dayLogged, "setupCompetitionDay");
}

void InterimSeasonScreenServices::prepareLeague(jint /*league*/, jboolean /*fresh*/,
                                                jboolean /*skipDaySetup*/) {
    logFirstCall(prepareLogged, "prepareLeague");
}

void InterimSeasonScreenServices::loadLeagueData(jint /*league*/, jboolean /*fresh*/,
                                                 jboolean /*skipDaySetup*/) {
    logFirstCall(loadLogged, "loadLeagueData");
}

void InterimSeasonScreenServices::buildLeagueDayFixtures(jint /*dayOffset*/, jboolean /*prepareOpponent*/) {
    logFirstCall(fixturesLogged, "buildLeagueDayFixtures");
}

void InterimSeasonScreenServices::updateCompetitionStrengths() {
    logFirstCall(strengthsLogged, "updateCompetitionStrengths");
}

void InterimSeasonScreenServices::prepareTeamSide(jint /*side*/, jint /*team*/, jint /*mode*/) {
    logFirstCall(sideLogged, "prepareTeamSide");
}

void InterimSeasonScreenServices::selectLeagueState(jboolean /*isCup*/, jint /*index*/, jboolean /*save*/) {
    logFirstCall(stateLogged, "selectLeagueState");
}

void InterimSeasonScreenServices::saveCompetitionState370(jint /*k*/) {
    logFirstCall(recordLogged, "saveCompetitionState370");
}

void InterimSeasonScreenServices::storeRoundFixtures(jint /*kind*/, jboolean /*save*/, jint /*round*/) {
    logFirstCall(storeLogged, "storeRoundFixtures");
}

jint InterimSeasonScreenServices::transferInterest(jint /*player*/, jint /*teamA*/, jint /*teamB*/,
                                                   jint /*round*/) {
    logFirstCall(interestLogged, "transferInterest");
    return 0;
}

runtime::String* InterimSeasonScreenServices::getPlayerLabel(const jint player) {
    logFirstCall(labelLogged, "getPlayerLabel");
    return club::nameOf(player, club::kPlayerName);
}

} // namespace game::interim
