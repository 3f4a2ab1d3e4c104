// The layout of paletted run-length images (the menus' and the match's image sets in the resource
// packs), shared by their decoder (PalettedImage.cpp) and the sample data generator.
//
// All numbers little-endian.
//   bytes 0-8    not read
//   bytes 9-10   width W (unsigned 16-bit)
//   bytes 11-12  height H (unsigned 16-bit)
//   bytes 13-22  not read
//   byte 23      P, the number of palettes
//   byte 24      N, colours per palette (0 means 256)
//   then         P palettes of N colours, 32-bit ARGB each (alpha 0 reads as colour 0)
//   then         the encoding (unsigned 16-bit), one unused 16-bit value
//   rest         pixel codes, row by row from the top left, until W x H pixels are written
// With k the number of bits of N - 1 (0 for N = 1) and mask 2^k - 1, the encodings are:
//   0x64F0  each byte b is a run of (b >> k) + 1 pixels of colour b & mask
//   0x27F1  b <= 127 is one pixel of colour b; b > 127 a run of b - 128 pixels of the colour
//           whose index is the next byte
//   0x56F2  b <= 127 is a run of b pixels of the colour whose index is the next byte; b > 127 is
//           followed by b - 128 bytes, one pixel each of that colour index
// Any other encoding writes no pixels.
#pragma once

#include <cstdint>

namespace game::info {

inline constexpr std::int32_t kImageLeadSkipBytes = 9;
inline constexpr std::int32_t kImageMiddleSkipBytes = 10;
inline constexpr std::int32_t kImagePaletteSizeFor256 = 0; // N byte 0 means 256 colours
inline constexpr std::int32_t kImageMaxColours = 256;
inline constexpr std::int32_t kImageColourBytes = 4;

inline constexpr std::int32_t kEncodingPackedRuns = 0x64F0;
inline constexpr std::int32_t kEncodingPixelsOrRuns = 0x27F1;
inline constexpr std::int32_t kEncodingRunsOrLiterals = 0x56F2;
// The split between the two meanings of a code byte in 0x27F1 and 0x56F2.
inline constexpr std::int32_t kEncodingCodeSplit = 128;

// k: the bits needed for colour index colours - 1 (0 for a single colour).
constexpr std::int32_t paletteIndexBits(const std::int32_t colours) {
    std::int32_t bits = 0;
    while ((1 << bits) < colours) {
        ++bits;
    }
    return bits;
}

} // namespace game::info
