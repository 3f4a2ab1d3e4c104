// Turning a club's squad into a match side: its available players, their 22-byte match records
// and names, the line-up (the squad order for the user's side, chosen for the opponent), the squad
// written back into the team record in line-up order and the side's players started; and the
// side's four role slots.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jboolean;
using runtime::jint;

// The mode the side set-up starts its players with.
inline constexpr jint kSideSetUpStart = 0;

// Sets up match side `side` (0 the user's, 1 the opponent) from team record `team`.
void setUpMatchSide(jint side, jint team);

// Recomputes the role slots of match team side (0 or 1) that hold slot (the player who left), or
// all four when all is set: A and B the best players of findBestPlayer's kinds 0 and 1, C and D
// those of kinds 2 and 3; -1 where no player scores above 0.
void updateTeamRoles(jint side, jboolean all, jint slot);

} // namespace game::match
