// The sprite class's initialiser (see SpriteStaticInit.h): the font metrics, one entry per font,
// zero until the font's sprite loads, and the palette statics (the decode buffer, the kinds whose
// images are cached, the composed palettes and their keys; game/sprites/Palettes.h). The font
// spacing table is the canvas's (Device::staticInit); the other sprite statics start zero or null.
#include "game/sprites/SpriteStaticInit.h"

#include "game/core/GameStatics.h"
#include "game/sprites/Palettes.h"
#include "game/sprites/SpriteLoading.h"

namespace game::sprites {

void initSpriteStatics(GameStatics* const block) {
    block->fontLineHeights = runtime::newByteArray(kFontCount);
    block->fontLeading = runtime::newByteArray(kFontCount);
    sprites::initPaletteStatics(block);
}

} // namespace game::sprites
