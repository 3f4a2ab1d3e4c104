// Key and touch tests of the screens that answer with a click sound: the soft-key test, the
// touch-rectangle test and the two-button picker. Menu handlers, screens and the frame entry call
// them once per frame.
//
// The touch point is the press point while a touch is held, else the release point in the frame
// of a release; with neither there is no touch. Inside means strictly inside. While
// touchRepeatCounter is non-zero the touch tests answer as if nothing was touched. Sound 7
// clicks a release on a button or the left soft key, sound 6 one on the second button or the
// right soft key.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::info {

using runtime::jint;

// isKeyPressed with click sounds: for the left soft-key masks (0x2000, 0x2100) a touch released
// in the left soft-key zone answers true with sound 7, for 0x1000 one released in the right zone
// with sound 6. Otherwise any touch held or released this frame answers false; else the answer
// is whether a key of mask was pressed in this frame, and in the menus such a press clicks
// (6 for the right soft key, 8 for a direction, 7 for select). A key answer records which soft
// key was taken.
bool isKeyPressedWithSound(jint mask);
// Whether the touch point lies inside (x, y, w, h); a release there clicks sound 7.
bool pointerInRectWithSound(jint x, jint y, jint w, jint h);
// 0 when the touch point lies inside (xA, y, wA, h) (a release clicks sound 7), 1 when inside
// (xB, y, wB, h) (a release clicks sound 6), -1 otherwise.
jint pickOfTwoAreas(jint xA, jint wA, jint xB, jint wB, jint y, jint h);

} // namespace game::info
