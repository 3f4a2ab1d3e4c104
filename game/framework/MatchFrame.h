// The work of the match's top-level state (4), once per frame: the match keys and touch buttons
// (halt, pause menu, view mode, speed), the simulation ticks of the frame, then the overlay, the
// view panels, the score line and the HUD.
//
// A frame runs matchSpeedBase x 2^(matchSpeedUsed << (1 when matchSpeedDoubled)) ticks, stopping
// early when the match halts or leaves the match state; while a match day is played through it
// runs ticks up to the next multiple of 100 of matchTicks (at least one) or the match's end.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// The match state's frame (called by Device::paint).
void updateMatchFrame();
// The number of ticks a frame runs while no match day is played through, for the given base,
// level in use and doubling.
jint matchTicksPerFrame(jint base, jint level, bool doubled);

} // namespace game::framework
