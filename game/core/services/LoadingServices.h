// What the start-up loading calls of the match engine: the pitch particles and the match teams'
// side set-up. The engine's routines are the default (game/match/view/EngineLoadingServices.cpp);
// tests script doubles with runtime::ScopedService.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {
class CTeam;
}

namespace game::core {

using runtime::jint;

class LoadingServices {
public:
    virtual ~LoadingServices() = default;
    // generateParticles: the pitch's particle tables.
    virtual void generateParticles() = 0;
    // The match team's side set-up for side (0 home, 1 away).
    virtual void setUpTeamSide(match::CTeam* team, jint side) = 0;
};

LoadingServices& loadingServices();
// Installs service (null restores the engine's); returns the previous one.
LoadingServices* installLoadingServices(LoadingServices* service);

} // namespace game::core
