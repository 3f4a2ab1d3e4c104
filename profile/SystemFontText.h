// System-font text: the Font measurements the runtime asks for, and Graphics' drawString and
// drawSubstring (declared in Graphics.h).
//
// Text is drawn the handset's way: the platform's system font renders it into a 32-bit buffer
// whose background is a key value, and every other value is copied into the 16-bit target as
// RGB565. The copy keeps to the target image and the clip rectangle; the anchor position is used
// as given, without the Graphics translation.
#pragma once

#include <cstdint>

#include "runtime/JavaTypes.h"

namespace profile {

using runtime::jint;

// Text's own anchor bit: the top is the ascent above y.
inline constexpr jint kAnchorBaseline = 64;
// What the background of the text buffer reads as: green 0xF8 and blue 0x1F.
inline constexpr std::uint32_t kTextBackground = 0x0000F81F;

// Makes the platform's system font the one Font measures with (Font::init, Font::stringWidth).
void installSystemFontText();

struct TextPosition {
    jint left = 0;
    jint top = 0;
};

// Where a w x h text with the given ascent goes for the anchor at (x, y). Anchor 0 means TOP |
// LEFT; then LEFT, TOP, RIGHT, BOTTOM, HCENTER and BASELINE apply in this order, each overriding
// the ones before. Without a horizontal bit the left edge is 0, without a vertical bit the top.
TextPosition anchorText(jint w, jint h, jint ascent, jint anchor, jint x, jint y);

} // namespace profile
