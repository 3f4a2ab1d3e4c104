// The ball's planned flight (planBallPath, declared with its callers in BallCalls.h) and the shot
// a shooter kicks at his contact, which picks the planned flight's curve.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class CPlayer;

// The shot at the kicker's contact, to (kickTargetX, kickTargetY) at height kickMode plus a
// quarter of kickBallHeight: a dipping shot (kind 9, no kick power) with flag 16 from zone 3 after
// more than 5 ticks on the ball; else, at the kicker's shotPower, with flag 4 and a positive
// kickMode one draw in two swerves (curve 150, side drawn), the other a straight driven shot.
void kickShot(CPlayer* kicker);

} // namespace game::match
