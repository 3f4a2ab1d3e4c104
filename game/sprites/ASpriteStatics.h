// The statics of the sprite class ASprite.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

namespace sprites {
struct ASprite;
}

struct ASpriteStatics {
    // Sprite loading.
    runtime::StaticRef<sprites::ASprite> baseSprite;        // the last sprite loaded with kind 0
    runtime::jboolean doubleAnimDurations;                  // set while a kind-0 or kind-1 sprite loads
    runtime::jint kind3Palette;                             // the palette the kind-3 sprite builds images of
    runtime::StaticRef<runtime::ByteArray> fontLineHeights; // line height per sprite font
    runtime::StaticRef<runtime::ByteArray> fontLeading;     // line height minus glyph height, per font
};

} // namespace game
