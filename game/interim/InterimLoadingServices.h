// Stand-in for the match view's particles as the start-up loading calls them until the view is
// built; the side set-up goes to the team model.
#pragma once

#include "game/core/services/LoadingServices.h"

namespace game::interim {

class InterimLoadingServices final : public core::LoadingServices {
public:
    // No effect.
    void generateParticles() override;
    // CTeam::assignPlayers(side) (nothing for a null team).
    void setUpTeamSide(match::CTeam* team, runtime::jint side) override;
};

} // namespace game::interim
