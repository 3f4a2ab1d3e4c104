// Small routines of the canvas and the frame: the menu family's index for the common menu frame,
// the timed menu hint animation, and stopping the music before another track starts.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// The number of the highest bit of (value >> shift), counted so that with shift 5 the menu
// families give 32 -> 0, 64 -> 1, ..., 0x800000 -> 18; 0 below the first family.
jint familyIndex(jint value, jint shift);
// One frame of the menu hint: while a painter asks for it (hintStepRequested) and nothing blocks
// it, shows the hint (animation 11) after 4 s without input (at once in a match), hides it
// (animation 13) when asked, and hides it at once on any input.
void stepIdleAnimation();

} // namespace game::framework
