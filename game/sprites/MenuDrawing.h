// Drawing routines the menu handlers and screens share: dashed separators, fixed interface
// decorations, selector and value arrows, the letter keypad of the name entry, the formation
// diagram of a match team, and the extra sprite loaded on demand. They draw into currentGraphics
// with the interface sprite unless said otherwise.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

// Separator modes of drawDashedLine.
inline constexpr jint kSeparatorImage = 0;
inline constexpr jint kDashedVertical = 1;
inline constexpr jint kDashedHorizontal = 2;

// Selector flags: the left arrow (value 2) and the right arrow (value 1).
inline constexpr jint kLeftSelector = 2;
inline constexpr jint kRightSelector = 1;

// The formation board's move arrows as formationArrowTouched names them.
inline constexpr jint kArrowNone = -1;
inline constexpr jint kArrowLeft = 0;
inline constexpr jint kArrowUp = 2;
inline constexpr jint kArrowRight = 4;
inline constexpr jint kArrowDown = 6;

// Mode 0: the full-width separator image at y1. Mode 1: dashes from (x1, y1) down while y1 < y2;
// mode 2: dashes from (x1, y1) right while x1 < x2; each dash `dash` long, the last drawn whole,
// then a gap. A dash and gap that do not advance draw nothing.
void drawDashedLine(jint x1, jint y1, jint x2, jint y2, jint dash, jint gap, jint mode);
// Interface frame 148 at (240, y).
void drawFrame148(jint y);
// The left arrow at x - halfWidth (flag 2) and the right arrow at x + halfWidth (flag 1), pressed
// while their arrow is held.
void drawSelectorArrows(jint x, jint y, jint halfWidth, jint flags);
// Arrows either side of a value box `width` wide centred on x: the interface arrows when big, else
// the small arrows, which step one pixel inwards in 2 of every 5 frames.
void drawValueArrows(jint x, jint y, jint width, jboolean big);
// The letter keypad: a panel, then rows x cols cells of cellW x cellH from (x, y), up to count;
// cells 0-25 are letters, the later ones wide keys. Sets keypadCell from the touch and keypadKey
// to the key released on this frame (letters 0-25, cell c > 25 as 24 - c, -1 none).
void drawKeypad(jint x, jint y, jint cellW, jint cellH, jint rows, jint cols, jint count);
// The small pitch at (212, y) and, for match team `team` (-1 none), its players' markers with
// their condition, the highlight of selectedPlayerSlot (withSelection) or its blinking
// (blinkSelected), the preferred places of the selected player while the position view is on,
// and in move mode (withSelection) the four move arrows, whose touch sets formationArrowTouched.
void drawFormation(jint team, jboolean blinkSelected, jboolean withSelection, jint spare, jint y);
// Loads extraSprite (kind 20, entry 8 of the menu pack) unless it is there.
void ensureExtraSprite();
// The screen sprite of the staff hub (menu state 0x208): loads staffSprite from entry 12 of the
// menu pack unless it is there. A sprite that cannot be read stays empty and paints nothing.
void loadScreenSprite();

} // namespace game::sprites
