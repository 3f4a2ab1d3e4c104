// Ball possession and dribbling: taking and losing the ball, the knock-on and the step of a run
// with it, the challenge and first-time strike tests (CPlayer's, CPlayer.h), and the free
// routines below.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// Whether (x, y) lies within 1280 of the ball's planned path: for k = 0 the segment from the
// ball to the path's entry of this tick, for k > 0 the segment from entry ballPathIndex + k - 1
// to ballPathIndex + k. False while the ball is placed or sent (states 6, 7) and past the path's
// end.
bool isNearBallPath(jint x, jint y, jint k);
// Players 0..10 of both teams stand still (the keeper keeps his order in match phase 1).
void stopAllPlayers();
// Both teams line up for a kick-off: their kick-off columns, the ball released, the possession
// and team-logic marks cleared.
void placePlayersForKickOff();

} // namespace game::match
