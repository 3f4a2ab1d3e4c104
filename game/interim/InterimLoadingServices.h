// Stand-in for the match engine as the start-up loading calls it until the engine is built: no
// particles and no side set-up.
#pragma once

#include "game/core/services/LoadingServices.h"

namespace game::interim {

class InterimLoadingServices final : public core::LoadingServices {
public:
    // Each has no effect.
    void generateParticles() override;
    void setUpTeamSide(match::CTeam* team, runtime::jint side) override;
};

} // namespace game::interim
