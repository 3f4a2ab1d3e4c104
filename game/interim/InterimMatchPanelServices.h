// Stand-in for the match panel set-up and the teams' goal count until the information screens
// and the match engine are built.
#pragma once

#include "game/core/services/MatchPanelServices.h"

namespace game::interim {

class InterimMatchPanelServices final : public core::MatchPanelServices {
public:
    // No effect: badgeStrip stays null (the panel draws no badges) and the names stay as they are.
    void prepareFixtureHeader() override;
    // 0.
    runtime::jint teamGoals(match::CTeam* team) override;

private:
    bool headerLogged = false;
    bool goalsLogged = false;
};

} // namespace game::interim
