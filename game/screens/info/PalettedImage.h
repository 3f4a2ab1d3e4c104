// Full-screen pictures and large illustrations are stored in the resource packs as paletted,
// run-length-coded images (layout: PalettedImageFormat.h). One picture can carry several
// palettes, so that the same pixels serve in several colourings; the caller names the palette.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace profile {
struct Image;
}

namespace game::info {

using runtime::jint;

// The ARGB pixels of the image in data, coloured with palette `palette`; width and height receive
// its size. The palettes go to imagePalettes: made anew unless the top-level state is 5 (the
// loading screen), where the previous decode's arrays are filled again when they are big enough,
// and dropped afterwards unless the state is 5 or 6. Null (logged) when the data ends before the
// last pixel, names no pixels, is larger than kMaxImagePixels, or palette is not one it holds.
runtime::IntArray* decodePalettedPixels(runtime::ByteArray* data, jint palette, jint& width, jint& height);
// The image of decodePalettedPixels (alpha processed), or null; the collector runs afterwards.
profile::Image* decodePalettedImage(runtime::ByteArray* data, jint palette);

// The largest image decoded: a size read from damaged data must not exhaust the heap.
inline constexpr jint kMaxImagePixels = 1 << 20;

} // namespace game::info
