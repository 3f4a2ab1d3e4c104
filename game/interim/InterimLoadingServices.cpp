// The interim match engine of the start-up loading (see InterimLoadingServices.h).
#include "game/interim/InterimLoadingServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimLoadingServices::generateParticles() {
    logFirstCall("generateParticles (no effect)");
}

void InterimLoadingServices::setUpTeamSide(match::CTeam* /*team*/, const runtime::jint /*side*/) {
    logFirstCall("the match teams' side set-up (no effect)");
}

} // namespace game::interim
