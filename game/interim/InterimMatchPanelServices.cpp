// The interim match panel services (see InterimMatchPanelServices.h).
#include "game/interim/InterimMatchPanelServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimMatchPanelServices::prepareFixtureHeader() {
    logFirstCall(headerLogged, "prepareFixtureHeader");
}

runtime::jint InterimMatchPanelServices::teamGoals(match::CTeam* /*team*/) {
    logFirstCall(goalsLogged, "teamGoals");
    return 0;
}

} // namespace game::interim
