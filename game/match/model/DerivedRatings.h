// The database-to-level conversion the match ratings share (CPlayer::updateRatings, CPlayer.h,
// derives twelve ratings with it).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

// The level 0 (best) .. 7 (worst) of a database value: 0 from 99 on, then one level per 7 down
// to 6 for 57..63, and 7 below 57.
runtime::jint databaseLevel(runtime::jint v);

} // namespace game::match
