// The user's two scouts: a report on a requested player (an estimate of his value and price) or a
// talent search among the generated players without a club, by position and region.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// One day of both scouts' work.
void processScouting();
// True for region 0; for regions 1..7 when the player's nationality is that region's text; for
// region 8 when it is none of the seven. Any other region reads as 0.
jboolean isFromRegion(jint region, jint player);

} // namespace game::club
