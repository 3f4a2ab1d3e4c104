// Painting helpers around ASprite's painters: the screen-sized clip, palette-setting frame and
// animation painters, and the coloured fill on currentGraphics. The painters themselves are
// ASprite members (ASprite.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Graphics;
}

namespace game::sprites {

struct ASprite;

using runtime::jboolean;
using runtime::jint;

// The screen the painters cull against and reset the clip to.
inline constexpr jint kScreenWidth = 480;
inline constexpr jint kScreenHeight = 800;

// Sets the clip of g to the whole screen (no effect on a null g).
void resetClip(profile::Graphics* g);
// Resets the clip of g; for sprites of kind 0-3 sets the palette; then paints frame with the
// given flips and no hot spot.
void paintFrameFlipped(ASprite* sprite, profile::Graphics* g, jint x, jint y, jboolean flipX, jboolean flipY,
                       jint frame, jint palette);
// Resets the clip of g; for sprites of kind 0-3 sets the palette; then paints animation frame
// aframe of anim with no hot spot.
void paintAnimFrameWithPalette(ASprite* sprite, profile::Graphics* g, jint anim, jint aframe, jint x, jint y,
                               jint transform, jint palette);
// Sets the colour of currentGraphics and fills the rectangle (nothing without currentGraphics).
void fillRectColoured(jint x, jint y, jint w, jint h, jint colour);

} // namespace game::sprites
