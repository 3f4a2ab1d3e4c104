// The class initialisers of the match classes: the player classes' statics and the actor
// classes' statics, run by the game's static set-up in its fixed order.
#pragma once

namespace game {
struct GameStatics;
}

namespace game::match {

// The statics of the match player classes.
void initPlayerStatics(GameStatics* block);
// The statics of the match actor classes.
void initActorStatics(GameStatics* block);

} // namespace game::match
