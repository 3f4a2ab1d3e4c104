// The statics of the match classes CPlayer, CTeam and Actor.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

struct MatchStatics {
    // The match phase (0 play ... 12 tested by the canvas's interruption).
    runtime::jint matchPhase;
};

} // namespace game
