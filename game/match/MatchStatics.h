// The statics of the match classes CPlayer, CTeam and Actor.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct MatchStatics {};

} // namespace game
