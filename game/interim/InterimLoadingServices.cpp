// The interim neighbours of the start-up loading (see InterimLoadingServices.h).
#include "game/interim/InterimLoadingServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimLoadingServices::generateParticles() {
    logFirstCall("generateParticles (no effect)");
}

void InterimLoadingServices::loadSoundPlayers() {
    logFirstCall("loadSoundPlayers (no effect: no sound players)");
}

void InterimLoadingServices::setUpTeamSide(match::CTeam* /*team*/, const sprites::jint /*side*/) {
    logFirstCall("the match teams' side set-up (no effect)");
}

void InterimLoadingServices::igpInitialize(const sprites::jint /*width*/, const sprites::jint /*height*/) {
    logFirstCall("IGP::initialize (no effect)");
}

sprites::jboolean InterimLoadingServices::igpIsReady() {
    logFirstCall("the promotion screen's readiness test (false)");
    return 0;
}

sprites::jboolean InterimLoadingServices::igpEnabled() {
    logFirstCall("the promotion screen's enable flag (false)");
    return 0;
}

runtime::ByteArray* InterimLoadingServices::igpEntryFlags() {
    logFirstCall("the promotion screen's entry flags (none)");
    return nullptr;
}

} // namespace game::interim
