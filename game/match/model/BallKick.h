// The kick: a kind, a target point and a target height turned into the ball's launch (its
// speeds, gravity, friction and drag, its state and aim), then its planned flight.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// The kick power the kicker sets before kickBall: the first int of the kick parameters
// (matchTiming), which ground kicks add to their gravity, friction and drag and then reset.
jint& kickPower();

// Launches the ball of kind `kind` (it becomes ballState) at (x, y) and height h: 0 and 5 along
// the ground, 1 and 10 lofted, 2 and 9 shots, 4 a short push; other kinds only aim. The ball's
// path is then planned with planBallPath(curve, side).
void kickBall(jint kind, jint x, jint y, jint h, jint curve, jint side);

// groundFriction and airDrag each times ((len * 480) >> 8) / approxPitchDistance(dirX, dirY): the
// friction of a flight along (dirX, dirY) in the screen's proportions. Unchanged for a direction
// without length.
void rescaleBallFriction(jint len, jint dirX, jint dirY);

} // namespace game::match
