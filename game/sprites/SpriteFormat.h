// The sprite file: the content of a sprite-pack entry after its lead byte. Numbers are
// little-endian. The loader (ASprite::load) and the sample-data writer share these constants.
//
//   0   2  not interpreted
//   2   4  flags (s32)
//   6   2  module count M (u16), then M module records
//          placed-module count F (u16), then F placed-module records
//          frame count R (u16), then R frame records, then 4·R frame-rectangle bytes unless
//          kFlagNoFrameRects
//          animation-frame count A (u16), then A records of 5 or 7 bytes
//          animation count N (u16), then N animation records
//          palette and pixel section (kFlagPixelSection, only when M >= 1)
//          PNG sheet section (kFlagPngSheet, only when M >= 1)
#pragma once

#include <cstdint>

namespace game::sprites {

// Header.
inline constexpr int kSpriteFlagsOffset = 2;
inline constexpr int kSpriteModuleCountOffset = 6;
inline constexpr int kSpriteHeaderBytes = 8;

// File flags.
inline constexpr std::int32_t kFlagModulePositions = 0x2;     // module records carry x, y in the sheet
inline constexpr std::int32_t kFlagWideModuleOffsets = 0x400; // placed-module offsets are s16 (else s8)
inline constexpr std::int32_t kFlagNoFrameRects = 0x1000;     // no frame rectangles
inline constexpr std::int32_t kFlagModulePalettes = 0x4000;   // placed modules carry a palette byte
inline constexpr std::int32_t kFlagWideAnimOffsets = 0x40000; // animation-frame offsets are s16
inline constexpr std::int32_t kFlagPixelSection = 0x01000000; // palettes and module pixels follow
inline constexpr std::int32_t kFlagPngSheet = 0x20000000;     // a palettised PNG sheet follows

// Module records: u8 marker, [s8 x, s8 y], then for the two rectangle markers s32 colour; then
// u8 width, u8 height.
inline constexpr int kModuleMarkerOutline = 0xFF;
inline constexpr int kModuleMarkerFilled = 0xFE;
// moduleKind values.
inline constexpr int kModuleKindImage = 0;
inline constexpr int kModuleKindOutline = 1;
inline constexpr int kModuleKindFilled = 2;

// Flag byte of a placed module and of an animation frame: bits 0-3 the transform, bit 4 (placed
// modules only) a nested frame, bits 6-7 bits 8-9 of the module or frame number.
inline constexpr int kTransformFlipX = 1;
inline constexpr int kTransformFlipY = 2;
inline constexpr int kTransformRotate = 4;
inline constexpr int kTransformMask = 0x0F;
inline constexpr int kPlacedNestedFrame = 0x10;
inline constexpr int kNumberHighBitsMask = 0xC0;
inline constexpr int kNumberHighBitsShift = 2;    // (flags & 0xC0) << 2 gives bits 8-9
inline constexpr int kMaxReferenceNumber = 0x3FF; // module and frame numbers are 10 bits

// The 10-bit module or frame number of a record: its low byte and the high bits of its flag byte.
constexpr int referenceNumber(const int lowByte, const int flagByte) {
    return (lowByte & 0xFF) | ((flagByte & kNumberHighBitsMask) << kNumberHighBitsShift);
}

// Frame record: u8 placed-module count, s16 first placed module.
// Animation record: u8 animation-frame count, s16 first animation frame.
// Frame rectangle: four s8; byte 2 is the width (a font glyph's advance), byte 3 the height.
inline constexpr int kFrameRectBytes = 4;
inline constexpr int kFrameRectWidth = 2;
inline constexpr int kFrameRectHeight = 3;

// Animation-frame record: u8 frame, u8 duration, x, y (s8 each, or s16 each with
// kFlagWideAnimOffsets), u8 flags.
inline constexpr int kAnimFrameStride = 5;
inline constexpr int kAnimFrameStrideWide = 7;
inline constexpr int kAnimFrameNumberByte = 0;
inline constexpr int kAnimFrameDurationByte = 1;
inline constexpr int kAnimFrameOffsetsByte = 2;

// Palette and pixel section: s16 palette format, u8 palette count P, u8 colours per palette K
// (0 means 256), the palettes, s16 pixel format, then per module u16 length and its bytes.
inline constexpr int kPaletteFormatArgb8888 = 0x8888; // 4 bytes a colour, ARGB
inline constexpr int kPaletteFormatArgb4444 = 0x4444; // 2 bytes a colour, one nibble a channel
inline constexpr int kColourCountZeroMeans = 256;
inline constexpr std::uint32_t kOpaqueAlpha = 0xFF;

// Pixel formats. Each colour index selects a colour of the palette; pixels run row by row.
// Index runs: each byte holds an index in its low indexBits bits and a run length - 1 above.
inline constexpr int kPixelFormatIndexRuns = 0x64F0;
// Byte b < 128: one pixel of index b; b >= 128: the next byte is an index, b - 128 pixels of it.
inline constexpr int kPixelFormatShortRuns = 0x27F1;
// Byte b < 128: the next byte is an index, b pixels of it; b >= 128: b - 128 literal indices.
inline constexpr int kPixelFormatRunsOrLiterals = 0x56F2;
// As kPixelFormatRunsOrLiterals for every pixel, then the alpha plane: a byte a other than
// kAlphaRunMarker gives one pixel alpha a; kAlphaRunMarker, count, alpha gives count pixels.
inline constexpr int kPixelFormatRunsWithAlpha = 0xA256;
// One index byte per pixel.
inline constexpr int kPixelFormatIndexBytes = 0x5602;
inline constexpr int kRunFlag = 0x80;
inline constexpr int kAlphaRunMarker = 0xFE;

// PNG sheet section: s16 length L and the L bytes of a palettised PNG (the template); u8 P,
// u8 K; per palette a PLTE body and CRC (3K + 4 bytes) and a tRNS body and CRC (K + 4 bytes),
// which the loader copies over the template's own. The template must hold the PLTE chunk right
// after the 8-byte signature and the 25-byte IHDR chunk, and the tRNS chunk right after PLTE.
inline constexpr int kPngSignatureBytes = 8;
inline constexpr int kPngChunkHeaderBytes = 8; // length and type
inline constexpr int kPngCrcBytes = 4;
inline constexpr int kPngIhdrDataBytes = 13;
inline constexpr int kPngPlteChunkOffset = 33; // signature + IHDR chunk
inline constexpr int kPngPlteBodyOffset = kPngPlteChunkOffset + kPngChunkHeaderBytes;

// Offset of the tRNS chunk and of its body in the template, for K colours.
constexpr int pngTrnsChunkOffset(const int colours) {
    return kPngPlteBodyOffset + 3 * colours + kPngCrcBytes;
}
constexpr int pngTrnsBodyOffset(const int colours) {
    return pngTrnsChunkOffset(colours) + kPngChunkHeaderBytes;
}

// Loading kinds 0 and 1 doubles every animation-frame duration (kept in 8 bits) except those of
// animation frames kUndoubledFirst..kUndoubledLast, so their stored durations stay at most
// kMaxDoubledDuration.
inline constexpr int kUndoubledFirst = 195;
inline constexpr int kUndoubledLast = 227;
inline constexpr int kMaxDoubledDuration = 127;

} // namespace game::sprites
