// What the player orders hand to the team logic and read of the restart planner, and the resets
// the match set-up asks of the match state and the team logic. Declared here,
// below the player model that calls them and the team logic that defines them; until those land,
// StandIns.cpp.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class CPlayer;

// The team logic takes the player on after his order's step or a stand: a ball carrier releases
// the ball when his team's release flag is set, else the team logic decides his next move.
void handToTeamLogic(CPlayer* player);
// A player running on with the ball (order mode 3) tells the team logic the carrier's slot.
void noteCarrierSlot(CPlayer* player, runtime::jint carrierSlot);
// The team logic turns a player about who faces away from his default direction in match
// phase 9.
void turnAboutInPhase9(CPlayer* player);
// The restart planner's turn request: its match flag is set and the player's team's mode is 4.
bool restartTurnRequested(const CPlayer* player);
// The restart planner's current entry of its byte table (read in match phases 11 to 15); -1 for
// none.
runtime::jint restartPoseEntry();
// The match state's per-phase set-up before a match's first kick-off.
void resetPhaseState();
// The team logic's reset at the start of a match.
void resetTeamLogic();
// The team logic takes a sent-off player out of play.
void sendOffPlayer(CPlayer* player);

} // namespace game::match
