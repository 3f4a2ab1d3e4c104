// The steps of one engine tick that the match flow's later parts own: the actor motion, the
// contact step, the per-phase update, the player tick and the ball tick (CTeam::update is the
// team's, CPlayer.h). Declared here, below the flow that calls them; the contact step and the
// ball tick are the player actions' and the ball's (game/match/model), the others stand in
// (StandIns.cpp) until their owners land.
#pragma once

namespace game::match {

class Actor;
class CPlayer;

// The actor's motion of this tick (out of play and goals included).
void updateActorMotion(Actor* actor);
// The contact step: a ball carrier and a challenging opponent closer than 2304 are pushed apart
// to 2048 (open play only).
void resolveDuels();
// The per-phase update; true ends the tick with the ball tick alone.
bool updatePhase();
// One tick of a player on the pitch or at the touchline.
void updatePlayerTick(CPlayer* player);
// The ball's tick.
void ballTick(Actor* ball);

} // namespace game::match
