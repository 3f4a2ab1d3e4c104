// The ball's planned flight (planBallPath, declared with its callers in BallCalls.h) and the shot
// a shooter kicks at his contact, which picks the planned flight's curve.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class CPlayer;

// The shot at the kicker's contact, to (kickTargetX, kickTargetY) at height kickMode: a dipping
// shot (kind 9, no kick power) with flag 4 from zone 3 after more than 5 ticks on the ball; else,
// with flag 2 and a positive kickMode, one draw in two swerves (curve 150, side drawn); else a
// straight driven shot.
void kickShot(CPlayer* kicker);

} // namespace game::match
