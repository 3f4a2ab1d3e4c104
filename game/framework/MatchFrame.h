// The work of the match's top-level state (4), once per frame, in two routines. The logic
// routine: the interrupted players' timers, the crowd sound's draw, the match keys and touch
// buttons (halt, pause menu, the first team's mentality, view mode, speed), the simulation ticks
// of the frame with their records, the playback of the records, the shown score and a skipped
// period's end. The painting routine changes no match state: the frame painter, the view panels,
// the clock panel and score line and the added-time board. A watched match
// runs both; a headless one runs the logic alone, so the two play the same match.
//
// A frame runs matchSpeedBase x 2^(matchSpeedUsed << (1 when matchSpeedDoubled)) ticks, stopping
// early when the match halts or leaves the match state; while a match day is played through it
// runs ticks up to the next multiple of 100 of matchTicks (at least one) or the match's end.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// The match state's frame (called by Device::paint): the logic routine, then the painting
// routine unless the logic raised.
void updateMatchFrame();
// The match state's frame without its painting.
void updateMatchLogic();
// The painting of the match state's frame, after its logic.
void paintMatchScreen();
// The number of ticks a frame runs while no match day is played through, for the given base,
// level in use and doubling.
jint matchTicksPerFrame(jint base, jint level, bool doubled);

} // namespace game::framework
