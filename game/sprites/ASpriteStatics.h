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

    // Palette set-up: the keys and count kept with the composed palettes, and the template row
    // (less 3) that entries 21-23 of every composed palette come from.
    runtime::jint paletteKeyA; // -1 after set-up
    runtime::jint paletteKeyB; // -1 after set-up
    runtime::jint paletteCount;
    runtime::jint paletteVariant;

    // Sprite painting: what the match set-up gives the kit-coloured player sprites.
    runtime::StaticRef<runtime::ObjectArray> specialModuleImages; // Image[]: stand-ins of modules 74 / 331
    runtime::jint pitchCondition; // 1 and 2 turn module 331 into a pitch trail

    // Sprite fonts and string drawing.
    runtime::jboolean fontEscapeActive; // a colour switch of the markup is in force
    runtime::jboolean clipWindowActive; // characters outside the window are skipped
    runtime::jint clipWindowLeft;
    runtime::jint clipWindowRight;
    runtime::jboolean rememberTextEnd;                  // store the pen position after each string
    runtime::jint lastTextEnd;                          // that position
    runtime::jint currencyFrameBase;                    // first glyph of the chosen currency's symbols
    runtime::StaticRef<sprites::ASprite> keyIconSprite; // frames 5-8: the inline key icons
    runtime::jint shownKeyIcons;                        // key icons drawn: 1 fire, 4 star, 8 hash
    runtime::jboolean fireIconSuppressedA;              // either keeps the fire icon out of shownKeyIcons
    runtime::jboolean fireIconSuppressedB;
    runtime::jboolean textMarkO; // a text held the colour letter o, x or y
    runtime::jboolean textMarkX;
    runtime::jboolean textMarkY;
    runtime::jint tickerPosition[2];  // pen of ticker 1 and of the other
    runtime::jint tickerTextWidth[2]; // width of its text at the last step
    runtime::jboolean tickerWrapped;  // a ticker restarted at the band's right
};

} // namespace game
