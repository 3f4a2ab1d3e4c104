// The start-up loading's match engine: the interim particles and the team model's side set-up
// (see InterimLoadingServices.h).
#include "game/interim/InterimLoadingServices.h"

#include "game/interim/InterimLog.h"
#include "game/match/CPlayer.h"

namespace game::interim {

void InterimLoadingServices::generateParticles() {
    logFirstCall("generateParticles (no effect)");
}

void InterimLoadingServices::setUpTeamSide(match::CTeam* const team, const runtime::jint side) {
    if (team != nullptr) {
        team->assignPlayers(side);
    }
}

} // namespace game::interim
