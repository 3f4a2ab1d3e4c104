// The one formula that prices every player of the database, from his skills, age, positions, the
// special flag of his position word and one attribute nibble, in 64-bit integer arithmetic.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// The player's value in thousands (the low 32 bits of the 64-bit result); with baseOnly a quarter
// of the skill, age and position base instead. 0 for an age of 0 and (logged) for a player with
// no record.
jint getPlayerValue(jint player, jboolean baseOnly);

} // namespace game::club
