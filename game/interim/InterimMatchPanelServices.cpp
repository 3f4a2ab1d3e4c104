// The interim match panel services (see InterimMatchPanelServices.h).
#include "game/interim/InterimMatchPanelServices.h"

#include "game/interim/InterimLog.h"
#include "game/match/CPlayer.h"

namespace game::interim {

void InterimMatchPanelServices::prepareFixtureHeader() {
    logFirstCall(headerLogged, "prepareFixtureHeader");
}

runtime::jint InterimMatchPanelServices::teamGoals(match::CTeam* const team) {
    return team != nullptr ? team->goals : 0;
}

} // namespace game::interim
