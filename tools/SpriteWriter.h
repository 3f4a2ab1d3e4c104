// The sprite file writer: a sprite's tables as plain C++ values, written in the layout of
// game/sprites/SpriteFormat.h, and encoders of module pixels in each of the five encodings. The
// sample generator and the sprite tests build their files with it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

struct SpriteModule {
    int marker = 0; // 0: image; kModuleMarkerOutline or kModuleMarkerFilled: a rectangle
    int x = 0;      // position in the PNG sheet (written with kFlagModulePositions)
    int y = 0;
    std::int32_t colour = 0; // rectangles only
    int width = 0;
    int height = 0;
    Bytes pixels; // the module's pixel block as stored (empty for rectangles)
};

// A module placed in a frame. number is the 10-bit module number, or a frame number when nested.
struct PlacedModule {
    int number = 0;
    int x = 0;
    int y = 0;
    int transform = 0; // bit 0 flip x, bit 1 flip y, bit 2 rotate
    bool nested = false;
    int palette = 0; // written with kFlagModulePalettes
};

struct RangeRecord {
    int count = 0; // frames: placed modules; animations: animation frames
    int first = 0;
};

struct AnimFrame {
    int frame = 0;
    int duration = 1;
    int x = 0;
    int y = 0;
    int transform = 0;
};

using FrameRect = std::array<int, 4>; // x, y, width, height (signed bytes)

struct SpriteFile {
    std::int32_t flags = 0;
    std::vector<SpriteModule> modules;
    std::vector<PlacedModule> placedModules;
    std::vector<RangeRecord> frames;
    std::vector<FrameRect> frameRects; // one per frame unless kFlagNoFrameRects
    std::vector<AnimFrame> animFrames;
    std::vector<RangeRecord> animations;
    // Palette and pixel section (kFlagPixelSection): every palette has the same size, 1..256.
    int paletteFormat = 0x8888;
    std::vector<std::vector<std::uint32_t>> palettes;
    int pixelFormat = 0x5602;
    // PNG sheet section (kFlagPngSheet), written as given.
    Bytes pngSection;

    // Appends a frame of the given placed modules with its rectangle; returns its number.
    int addFrame(const std::vector<PlacedModule>& placed, const FrameRect& rect);
    // Appends an animation of the given frames; returns its number.
    int addAnimation(const std::vector<AnimFrame>& frames);
};

// The sprite file. Throws std::invalid_argument for a value its field cannot hold (an offset
// too wide for the chosen flags, a count above 255 or 65535, palettes of different sizes).
Bytes spriteFileBytes(const SpriteFile& sprite);

// The pixel block of width x height colour indices (row by row) in the given encoding, for a
// palette of `colours` colours. alpha (one value a pixel) is used by kPixelFormatRunsWithAlpha.
Bytes encodePixels(int format, const std::vector<std::uint8_t>& indices, int colours,
                   const std::vector<std::uint8_t>& alpha = {});

// The PNG sheet section of a sprite file: the palettised PNG of width x height indices made with
// the first palette, then for each palette its PLTE and tRNS bodies with their CRCs.
Bytes pngSheetSection(int width, int height, const std::vector<std::uint8_t>& indices,
                      const std::vector<std::vector<std::uint32_t>>& palettes);

// The number of bits of a colour index for a palette of `colours` colours (bits of colours - 1).
int indexBitsFor(int colours);

} // namespace tools
