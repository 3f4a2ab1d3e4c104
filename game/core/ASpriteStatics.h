// The statics of the sprite class ASprite.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace runtime {
struct String;
}

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

    // Sprite-drawn widgets.
    runtime::StaticRef<runtime::ObjectArray> badgeSprites; // ASprite per badge sheet
    runtime::StaticRef<sprites::ASprite> interfaceSprite;  // the menus' frames and modules
    runtime::StaticRef<runtime::ByteArray> keyIconList;    // icons of the current key-icon row, in order
    runtime::jint keyIconCount;                            // entries of keyIconList in use
    runtime::jint actionButtonSet;                         // the mask that row was built from
    runtime::StaticRef<runtime::ByteArray> teamColourIds;  // colour id of each match team
    runtime::StaticRef<runtime::IntArray> teamColours;     // colour (0xRRGGBB) by colour id
    runtime::StaticRef<sprites::ASprite> twinSprite;       // the frame-stepping animation's sprite
    runtime::StaticRef<runtime::IntArray> twinStep;        // per animation: its current step
    runtime::StaticRef<runtime::IntArray> twinStart;       // per animation: framesInState at its start
    runtime::StaticRef<runtime::ByteArray> twinActive;     // per animation: running when non-zero
    runtime::StaticRef<runtime::IntArray> twinFramesA;     // per step: the first figure's frame
    runtime::StaticRef<runtime::IntArray> twinFramesB;     // per step: the second figure's frame
    runtime::StaticRef<runtime::IntArray> twinThresholds;  // per step: the phase at which it ends
    runtime::StaticRef<runtime::IntArray> twinPosA;        // per animation: x, y of the first figure
    runtime::StaticRef<runtime::IntArray> twinPosB;        // per animation: x, y of the second figure

    // Menu drawing.
    runtime::StaticRef<sprites::ASprite> arrowSprite; // small arrows (modules 8-11) and the small pitch
    runtime::StaticRef<sprites::ASprite> extraSprite; // loaded on first need
    runtime::StaticRef<sprites::ASprite> staffSprite; // staff screens' sprite, loaded by the staff hub
    runtime::jint keypadCell;                         // highlighted keypad cell; -1 none
    runtime::jint keypadKey; // key typed this frame: 0-25 letters, -2 and below others, -1 none
    runtime::StaticRef<runtime::String> keypadText0; // reset on every keypad paint
    runtime::StaticRef<runtime::String> keypadText1;
    runtime::jint selectedPlayerSlot; // the player highlighted in the formation diagram
};

} // namespace game
