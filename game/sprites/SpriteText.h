// Sprite-font text beyond ASprite::drawSubString / drawString (ASprite.h): the scrolling ticker
// and the separator dot of the text markup.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

// Markup characters of sprite-font texts.
inline constexpr runtime::jchar kMarkupPaletteOne = '`'; // switch to palette 1 (skipped in menu state 4097)
inline constexpr runtime::jchar kMarkupColour = '{';     // '{' + letter opens a colour, '{' closes it
inline constexpr runtime::jchar kMarkupDot = '|';        // separator dot
inline constexpr runtime::jchar kMarkupKeyIcon = '~';    // '~' + key character: inline key icon

// One step of a text scrolling to the left inside the band left..left+width on currentGraphics,
// in font 0 centred on the band; withBand paints the orange band first. ticker 1 keeps its own
// position, any other number shares the second.
void drawTicker(runtime::String* text, jint left, jint y, jint width, jint height, jint palette,
                jboolean withBand, jint ticker);
// On currentGraphics: the 3 x 3 square at (x, y) in fillColour with a border of four lines in
// borderColour, its corners left out.
void drawSeparatorDot(jint x, jint y, jint fillColour, jint borderColour);

} // namespace game::sprites
