// What the match statistics panel needs of its neighbours: the match panel set-up of the
// information screens (the badge strip and the team names) and the match engine's goal count of
// a team. Built with those subsystems; an interim implementation stands in until then
// (game/interim/InterimMatchPanelServices.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {
class CTeam;
}

namespace game::core {

using runtime::jint;

class MatchPanelServices {
public:
    virtual ~MatchPanelServices() = default;
    // Loads badgeStrip (both clubs' badges) and fills matchTeamNames.
    virtual void prepareFixtureHeader() = 0;
    // The goals the team has scored in this match.
    virtual jint teamGoals(match::CTeam* team) = 0;
};

MatchPanelServices& matchPanelServices();
// Installs service (null restores the interim one); returns the previous one.
MatchPanelServices* installMatchPanelServices(MatchPanelServices* service);

} // namespace game::core
