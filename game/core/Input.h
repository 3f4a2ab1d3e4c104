// The frame's view of the input: once per frame updateKeys turns the queued key states into the
// masks of held, pressed and released keys (with double press, up/down auto-repeat and the squad
// lists' long press); the screens then ask isKeyPressed, pointerInRect and the soft-key tests.
//
// The touch point every test uses is the press point while a touch is held, else the release
// point in the frame of a release, else none. While touchRepeatCounter is non-zero the touch tests
// answer false; a touch held or just released hides every key from isKeyPressed except through
// the soft-key zones.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

// Forgets every key: the frame masks, double press, held keys and the whole queue.
void clearKeys();
// The frame's key step (before the top-level state's work).
void updateKeys();
// Whether a key of mask was pressed in this frame, or a touch was released on the soft-key zone
// that mask stands for (left for 0x2000 and 0x2100, right for 0x1000). Records which soft key was
// taken.
bool isKeyPressed(jint mask);
// Whether the touch point lies strictly inside the rectangle.
bool pointerInRect(jint x, jint y, jint w, jint h);
// Whether the touch point lies in the left soft-key zone (x 1..109, y 745..785).
bool pointerInLeftSoftKey();
// Whether the touch point lies in the right soft-key zone (x 371..479, y 745..785).
bool pointerInRightSoftKey();
// The touch point, when there is one.
bool touchPoint(jint& x, jint& y);
// Whether (px, py) lies strictly inside the rectangle (no edge counts).
bool pointStrictlyInside(jint px, jint py, jint x, jint y, jint w, jint h);

} // namespace game::core
