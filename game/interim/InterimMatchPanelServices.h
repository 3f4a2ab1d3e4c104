// Stand-in for the match panel set-up until the information screens are built; the goal count
// comes from the team.
#pragma once

#include "game/framework/MatchPanelServices.h"

namespace game::interim {

class InterimMatchPanelServices final : public framework::MatchPanelServices {
public:
    // No effect: badgeStrip stays null (the panel draws no badges) and the names stay as they are.
    void prepareFixtureHeader() override;
    // The team's goals (0 without a team).
    framework::jint teamGoals(match::CTeam* team) override;

private:
    bool headerLogged = false;
};

} // namespace game::interim
