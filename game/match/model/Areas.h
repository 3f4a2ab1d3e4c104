// Where things are, in a team's view: the areas, offside, the goalkeeper's position, the player
// nearest to the ball and the space around a point. Most of it is CTeam's and CPlayer's
// (CPlayer.h); this header holds the free routine.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class CPlayer;

using runtime::jboolean;
using runtime::jint;

// The player of matchTeams[teamIndex] (slots 0..10, or 1..10 without the keeper) on the pitch
// with the smallest distanceToBall below 334848; the first found on a tie; null when none.
CPlayer* findNearestToBall(jint teamIndex, jboolean includeKeeper);

} // namespace game::match
