// The scrolling pitch background: the pitch's tiles are drawn into a ring buffer one tile column
// and row larger than the screen, only the columns and rows the camera newly uncovers are drawn
// each frame, and the window is copied to the screen in one, two or four pieces.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// One copy from the ring buffer to the screen.
struct PitchViewPiece {
    jint srcX, srcY, w, h, dstX, dstY;
    bool operator==(const PitchViewPiece&) const = default;
};
inline constexpr jint kMaxPitchViewPieces = 4;

// The pieces that put the window whose top-left is pitch pixel (x, y) on the screen; returns
// their count (1, 2 or 4).
jint pitchViewPieces(jint x, jint y, PitchViewPiece pieces[kMaxPitchViewPieces]);
// Brings the ring buffer up to date for the window at (cameraX, cameraY) (all of it after
// backgroundForceRedraw) and copies the window to the screen; leaves the screen clip whole.
void drawPitchBackground(jint cameraX, jint cameraY);

// What draws an inclusive tile rectangle into the buffer (paintPitchTiles unless replaced).
using PitchTilePainter = void (*)(jint x0, jint y0, jint x1, jint y1);
// Makes painter draw the tiles (null restores paintPitchTiles); returns the previous one.
PitchTilePainter setPitchTilePainter(PitchTilePainter painter);

} // namespace game::match
