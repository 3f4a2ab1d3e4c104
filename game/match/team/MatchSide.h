// Turning a club's squad into a match side: its available players, their 22-byte match records
// and names, the line-up (the squad order for the user's side, chosen for the opponent), the squad
// written back into the team record in line-up order and the side's players started.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// The mode the side set-up starts its players with.
inline constexpr jint kSideSetUpStart = 0;

// Sets up match side `side` (0 the user's, 1 the opponent) from team record `team`.
void setUpMatchSide(jint side, jint team);

} // namespace game::framework
