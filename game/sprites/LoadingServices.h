// What the start-up loading calls of subsystems built elsewhere: the pitch particles, the sound
// players, the match teams' side set-up and the promotion screen. An interim
// implementation stands in until their owners land (game/interim/InterimLoadingServices.h);
// tests script doubles with runtime::ScopedService.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {
class CTeam;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

class LoadingServices {
public:
    virtual ~LoadingServices() = default;
    // generateParticles: the pitch's particle tables.
    virtual void generateParticles() = 0;
    // loadSoundPlayers: the sound players of the sound pack.
    virtual void loadSoundPlayers() = 0;
    // The match team's side set-up for side (0 home, 1 away).
    virtual void setUpTeamSide(match::CTeam* team, jint side) = 0;
    // IGP::initialize(midlet, canvas, width, height, null): the promotion screen for the screen.
    virtual void igpInitialize(jint width, jint height) = 0;
    // The promotion screen's readiness test.
    virtual jboolean igpIsReady() = 0;
    // The promotion screen's enable flag.
    virtual jboolean igpEnabled() = 0;
    // The promotion screen's entry flags, one byte per entry; may be null.
    virtual runtime::ByteArray* igpEntryFlags() = 0;
};

LoadingServices& loadingServices();
// Installs service (null restores the interim one); returns the previous one.
LoadingServices* installLoadingServices(LoadingServices* service);

} // namespace game::sprites
