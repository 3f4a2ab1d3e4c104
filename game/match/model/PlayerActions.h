// Player actions (CPlayer's, CPlayer.h) and the one action between two players that no order
// starts: the collision of the ball holder with his nearest opponent.
#pragma once

#include "game/match/CPlayer.h"

namespace game::match {

// The slots of a team's players found in a box, in two lists: those on one side of the pitch's
// length (the near side) and those beyond it (the far side).
struct PlayersInBox {
    jint nearCount = 0;
    jint farCount = 0;
    jint nearSide[CTeam::kOnPitch] = {};
    jint farSide[CTeam::kOnPitch] = {};
};

// The outfield players (slots 1..10) of team on the pitch, except `except`, whose point in the
// team's view lies within minX..maxX by minY..maxY (bounds included), in slot order: on the near
// side when their y has the sign of side (y = 0 counts as both), else on the far side. Without a
// team both lists are empty.
void findPlayersInBox(const CTeam* team, const CPlayer* except, jint minX, jint maxX, jint minY, jint maxY,
                      jint side, PlayersInBox& found);

// Once a frame in open play: when the ball holder and his nearest opponent (neither falling nor
// recovering) run into each other, the one moving at the other stops, set back to a
// screen-proportioned 2,048 from him; both stop when both do, each set back half the shortfall.
void resolveDuels();

} // namespace game::match
