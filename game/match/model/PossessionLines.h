// Possession and lines, once per engine tick before the teams: who has the ball, both teams'
// possession and shape, when the zone grids are to be rebuilt, and what every player on the
// pitch reads of the ball (direction, distance, near his cell) with each side's offside line.
#pragma once

namespace game::match {

// possessionTeam (2 nobody) and its change, newAttack, the teams' possession (the phase team's
// outside open play), both shapes (cell 0, 0 while a keeper holds the ball or in a goal kick),
// the rebuild request zoneGridFrozen with rebuildTicks, and per player defaultDirection,
// distanceToBall, nearOwnCell and moveWord; then each team's offsideLineCell from the ball and
// the opposing outfield players.
void updatePossession();

} // namespace game::match
