// PNG decoding for Image::createImage: a scan of the chunk headers, then libpng over an
// in-memory reader, converting every colour type and bit depth to the 16-bit pixel types.
//
// Decoding never half-succeeds: on any error (corrupt or truncated data, sizes that disagree,
// an absurd size) the reason is logged, everything allocated is freed and false is returned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/JavaTypes.h"

namespace profile {

using runtime::jint;

// Pixel buffers larger than this are refused: the handset kept pixels in its 8 MiB secondary
// heap, so no image of the game is anywhere near it.
inline constexpr std::int64_t kMaxPixelBytes = 0x800000;

// What the chunk scan finds before decoding.
struct PngHeader {
    bool found = false; // an IHDR chunk was seen
    jint width = 0;
    jint height = 0;
    jint bitDepth = 0;
    jint colourType = 0;
    jint paletteCount = 0;
    bool hasTransparency = false; // a tRNS chunk was seen
};

// Reads the chunk headers (IHDR, PLTE, tRNS) up to IEND or the end of the data.
PngHeader scanPngHeader(const std::uint8_t* data, std::size_t length);

// A decoded image: malloc'ed 16-bit pixels that the caller owns and frees with free().
struct DecodedPng {
    std::uint16_t* pixels = nullptr;
    jint width = 0;
    jint height = 0;
    jint stride = 0; // bytes: the width made even, 2 bytes a pixel; the padding pixel is 0
    jint type = 0;   // kPixelRgb565, kPixelKeyed or kPixelArgb4444
};

// Decodes: with a tRNS chunk transparent pixels become the key colour (partial alpha is drawn
// opaque); an alpha channel gives ARGB4444; anything else RGB565. Images holding the key colour
// get the keyed type.
bool decodePng(const std::uint8_t* data, std::size_t length, DecodedPng& out);

// Blocks that decoding allocated and has not freed yet (0 whenever no decode is running).
std::int64_t pngLiveAllocations();

} // namespace profile
