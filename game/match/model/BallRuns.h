// Runs to the ball: where the receiving team meets the planned ball (CTeam::planBallRun), the
// hand-over to the team's ball player and the pass target (CPlayer's, CPlayer.h), the frames a
// run takes, the carried ball and the boards around the pitch.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;

using runtime::jint;

// The frames a run at `speed` from (x0, y0) needs to come within arrival range of (x1, y1): 0
// when already there, 200 ("not within the planned path") when it takes that long or never
// gets there (a speed that is not positive or a step that rounds to nothing).
jint stepsToReach(jint speed, jint x0, jint y0, jint x1, jint y1);
// The ball against the four boards around the pitch: the first board it hits turns it back at
// 200/256 and its flight is planned again.
void ballHitsBoards(Actor* ball);

} // namespace game::match
