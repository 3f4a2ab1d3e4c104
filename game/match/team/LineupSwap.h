// Changing a side's line-up: the rules of a swap of two line-up positions, the exchange of two
// players of a live match team (a substitution when one comes from the bench) and the list of
// changes since kick-off that the match screens show.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// Number of pairs each side's substitutionSlots holds.
inline constexpr jint kSubstitutionPairs = 7;

// Exchanges positions posA and posB of the side's line-up under the change rules (no taken-off
// player back on, no sent-off or unavailable player on, none barred from the competition, no more
// changes than substitutionLimit); true when the swap was made.
bool swapLineupPositions(jint side, jint posA, jint posB, jint benchEnd);

// Exchanges players a and b (player-array indices) of the side's match team: the place's fields
// (formation slot, home cell, role, line position, forward and deep cells, out-of-play flag and
// match slot) stay with the place, the role holders and the key player follow their rules, and a change
// between pitch and bench brings the bench player on.
void swapMatchPlayers(jint side, jint a, jint b);

// Lists each side's changes since kick-off as (off position, on slot) pairs in substitutionSlots,
// sets substitutionsMade to their count and lineupChanged to the last side with one (-1 none).
void recordSubstitutions();

} // namespace game::match
