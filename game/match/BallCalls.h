// What the kick, possession and run routines call in the ball path planner, the player
// reactions and the match phase setter. Declared here, below the model that calls them; the path
// planner is model/BallPath.cpp, the other two StandIns.cpp until their owners land.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;
class CPlayer;

// Plans the ball's flight into the path tables from its launch, one entry a tick, bent into an
// arc of radius `curve` percent of its length towards `side` (+1, -1; 0 draws it) when curve >= 1;
// the ball itself is left as it was and ballPathIndex is 0.
void planBallPath(runtime::jint curve, runtime::jint side);
// The player carries out his pending reaction to the ball (a move, a run or a jump, by his
// reaction kind).
void performPendingReaction(CPlayer* player);
// The match phase becomes `phase`, taken by team teamIndex at (x, y).
void setMatchPhase(runtime::jint phase, runtime::jint teamIndex, runtime::jint x, runtime::jint y);
// The ball's next step against the goal frame and the net at its end of the pitch: a hit bounces
// it and plans its flight again.
void ballHitsGoalFrame(Actor* ball);

} // namespace game::match
