// The ties of a knockout round as the competition screens list them.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::club {

// teamList := row `group` of layoutRows (16 teams, 32 for the continental row 8); then for each tie
// i of round max(round, 3) (8, 4, 2, 1 ties for rounds 3 to 6; a later round reads as the final)
// the two places cupBracket names become viewTeams[2i] and [2i + 1], the other way round when
// swapSides is set. An undrawn entry (255) ends the round.
void fillCupRoundFixtures(runtime::jint round, runtime::ShortArray* teamList, runtime::jint group,
                          runtime::jboolean swapSides);

} // namespace game::club
