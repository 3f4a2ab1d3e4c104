// The sprite class's initialiser (see SpriteStaticInit.h): the font metrics, one entry per font,
// zero until the font's sprite loads. The other sprite statics start zero or null.
#include "game/sprites/SpriteStaticInit.h"

#include "game/framework/GameStatics.h"
#include "game/sprites/SpriteLoading.h"

namespace game::sprites {

void initSpriteStatics(GameStatics* const block) {
    block->fontLineHeights = runtime::newByteArray(kFontCount);
    block->fontLeading = runtime::newByteArray(kFontCount);
}

} // namespace game::sprites
