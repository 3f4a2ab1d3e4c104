// Where actors stand on the screen and what they leave on the pitch: the screen placement of an
// actor, a player's trail and slide marks (CPlayer.h), and the two tests that put the ball before
// or behind the goal frame in the depth order.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// Trail marks: four of eight bytes in a player's trail (sprite number, 255 off; animation in
// bits 0-5 and flips in 6-7; frame count; frame shown; screen x and y, 16 bits each, low byte
// first). Marks are animations of the effects sprite.
inline constexpr jint kTrailMarks = 4;
inline constexpr jint kTrailMarkBytes = 8;
inline constexpr jint kTrailMarkOff = 255;
inline constexpr jint kEffectsSprite = 7;

// True when the ball, projected onto the pitch image, lies inside the net at the +x end (its box
// and, at the front, the slanted side).
bool isBallInGoalNet();
// The match view's depth test of the ball against the goal frame.
bool ballGoalDepthTest();

} // namespace game::match
