// How well a player's playing positions fit a wanted position, both as bit masks of the fourteen
// position groups (bit 0 the goalkeeper, 1-5 defence, 6-12 midfield, 13 attack).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// The fit grade 0..7 of mask b for the wanted mask a: 0 when they share a group, 7 when either
// holds the goalkeeper, else 1-3 by how far apart their lines are.
jint comparePositionMasks(jint a, jint b);

} // namespace game::match
