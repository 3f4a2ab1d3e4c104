// The move vectors of the player orders and actions, rescaled to the screen-proportioned length:
// a move of speed s covers s * 480 / 256 a frame (the framework's scaleVelocity), so runs look
// alike in every direction. Results are left in vectorX, vectorY.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// vectorX, vectorY := the move of speed `speed` along direction dir (directionToVector),
// rescaled; (0, 0) for a move without length.
void screenVectorAlong(jint speed, jint dir);
// vectorX, vectorY := the move of speed `speed` towards (dx, dy) (scaleVectorTo), rescaled; the
// result is radius rescaled the same way, 0 for a move without length.
jint screenVectorTowards(jint speed, jint dx, jint dy, jint radius);
// The rescale itself, on the move already in vectorX, vectorY; returns radius rescaled. A move
// whose approxPitchDistance is 0 becomes (0, 0) with radius 0, so nothing divides by 0.
jint rescaleToScreen(jint speed, jint radius);
// The turn from direction a to direction b, brought into -3..4.
jint turnBetween(jint a, jint b);

} // namespace game::match
