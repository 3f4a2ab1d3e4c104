// Game-key masks and the routines over them: the conversion of the profile's key codes into mask
// bits, the ring of queued key states, the three frame-mask tests every screen uses, and the two
// touch selectors (a cyclic value with two arrow areas, a grid of touch cells).
//
// A mask is one int with a bit per key. Key events arrive between frames; the canvas's key slots
// queue each change of the held keys and the frame's key step (Input.h) takes one state a frame.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

inline constexpr jint kKeyUp = 0x1;
inline constexpr jint kKeyUpRight = 0x2;
inline constexpr jint kKeyRight = 0x4;
inline constexpr jint kKeyDownRight = 0x8;
inline constexpr jint kKeyDown = 0x10;
inline constexpr jint kKeyDownLeft = 0x20;
inline constexpr jint kKeyLeft = 0x40;
inline constexpr jint kKeyUpLeft = 0x80;
inline constexpr jint kKeyFire = 0x100;
inline constexpr jint kKeyPound = 0x200;
inline constexpr jint kKeyZero = 0x400;
inline constexpr jint kKeyStar = 0x800;
inline constexpr jint kKeyRightSoft = 0x1000;
inline constexpr jint kKeyLeftSoft = 0x2000;
inline constexpr jint kKeyDigitOne = 0x40000; // digits 1..9 in digit mode: 0x40000 << (digit - 1)
inline constexpr jint kKeyCodeMinus8 = 0x8000000;
// Composite masks of the screens: select is the left soft key or fire, back the right soft key.
inline constexpr jint kKeySelect = kKeyLeftSoft | kKeyFire;
inline constexpr jint kKeyBack = kKeyRightSoft;

// Length of the key-state ring; it holds one state less than that.
inline constexpr jint kKeyQueueLength = 6;

// The mask bit of a profile key code (-1 up ... -7 right soft key, '#', '*', '0'..'9'); digits
// 1-9 act as the directions and fire unless digitKeysMode is set. 0 for every other code.
jint keyToMask(jint keyCode);
// Appends a key state to the ring; false (the state dropped) when the ring is full.
bool pushKeyQueue(jint state);
// Whether the frame's key mask holds a key of mask.
bool isKeyHeld(jint mask);
// Whether a key went down in this frame.
bool anyKeyPressed();
// Whether a key of mask came up in this frame.
bool isKeyReleased(jint mask);

// The cyclic value selector: a touch released strictly inside the left arrow area (80 x 80,
// placed by leftX and selectorWidth) gives the previous value of 0..count-1, inside the right one
// the next; redraw then requests a full redraw. Otherwise, while touch repeats or without a
// selector (count < 1), value comes back unchanged.
jint touchArrowSelect(jint leftX, jint rightX, jint y, jint value, jint count, bool redraw);
// The index of the first of count cells (columns per row, cells cellW x cellH every stepX, stepY
// from (x, y), bounds exclusive) that holds the touch point; whenLocked while touch repeats; -1
// without a touch point, a cell under it, or a grid (count or columns below 1).
jint touchGridIndex(jint x, jint y, jint cellW, jint cellH, jint stepX, jint stepY, jint whenLocked,
                    jint columns, jint count);

} // namespace game::core
