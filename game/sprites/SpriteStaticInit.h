// The class initialiser of the sprite class, run by the game's static set-up in its fixed order.
#pragma once

namespace game {
struct GameStatics;
}

namespace game::sprites {

// The statics of the sprite class.
void initSpriteStatics(GameStatics* block);

} // namespace game::sprites
