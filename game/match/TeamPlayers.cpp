// CTeam::forwardToPlayers: one call that tells a whole side something.
#include "game/core/services/MatchServices.h"
#include "game/match/CPlayer.h"

namespace game::match {

using namespace game::core;

void CTeam::forwardToPlayers(const jint code) {
    runtime::ObjectArray* const array = players;
    if (array == nullptr) {
        return;
    }
    const jint count = array->length < kPlayers ? array->length : kPlayers;
    for (jint i = 0; i < count; ++i) {
        // The match engine fills every element before it calls this; an empty one has nobody to
        // tell.
        auto* const player = static_cast<CPlayer*>((*array)[i]);
        if (player != nullptr) {
            core::matchServices().applyEvent(player, code);
        }
    }
}

} // namespace game::match
