// What the kick, possession and run routines call in the ball path planner, the player
// reactions and the match phase setter. Declared here, below the model that calls them; until
// their owners land, StandIns.cpp.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;
class CPlayer;

// Plans the ball's flight into the path tables from its launch: curve a on side b (-1, -1 for a
// straight path).
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
