// The sprite class's initialiser (see SpriteStaticInit.h). The sprite class keeps no statics of
// its own yet; they add their start values here as they land.
#include "game/sprites/SpriteStaticInit.h"

namespace game::sprites {

void initSpriteStatics(GameStatics* /*block*/) {}

} // namespace game::sprites
