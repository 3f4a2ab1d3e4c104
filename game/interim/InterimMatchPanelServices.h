// Stand-in for the match panel set-up until the information screens are built; the goal count
// comes from the team.
#pragma once

#include "game/core/services/MatchPanelServices.h"

namespace game::interim {

class InterimMatchPanelServices final : public core::MatchPanelServices {
public:
    // No effect: badgeStrip stays null (the panel draws no badges) and the names stay as they are.
    void prepareFixtureHeader() override;
    // The team's goals (0 without a team).
    runtime::jint teamGoals(match::CTeam* team) override;

private:
    bool headerLogged = false;
};

} // namespace game::interim
