// Screen and number routines that many parts of the game share: clearing the screen, the loading
// bar, clamping, and the two mappings between player position numbers and position groups.
// Drawing goes into currentGraphics.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

// Fills the whole 480x800 screen with colour (0xRRGGBB), the clip reset to the screen.
void clearScreen(jint colour);
// The loading bar at (x, y), w pixels wide, filled in proportion to value out of max; drawn only
// while loadingBarVisible is set, and not at all for a max of 0.
void paintLoadingBar(jint x, jint y, jint w, jint value, jint max);
// hi when v > hi, else v when v >= lo, else lo: with lo above hi the upper bound wins.
jint clamp(jint v, jint lo, jint hi);
// The group 0..13 of a player position number -1..24; -1 for any other number.
jint positionGroup(jint position);
// The first group whose bit is set in a 14-bit group mask, in the order 13, 6..12, 1..5, 0; -1
// when none is.
jint firstGroupInMask(jint mask);

} // namespace game::core
