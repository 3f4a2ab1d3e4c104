// The sample set's paletted run-length images and the pitch layers (layouts:
// game/screens/info/PalettedImageFormat.h; the pitch maps as the pitch tile painter reads them):
// the status icon strip of the menu pack and the pitch pack. Tests build their image fixtures
// with the same writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// A paletted image in encoding 0x64F0 (the one every reader accepts): width x height colour
// indices, row by row, and the palettes (each of `colours` ARGB values, 1-256). Runs are as long
// as the encoding allows.
Bytes encodePalettedImage(int width, int height, const std::vector<std::vector<std::uint32_t>>& palettes,
                          int colours, const std::vector<std::uint8_t>& indices);
// The header's width, height and palette count, and the pixels the 0x64F0 runs write; false
// with a reason when the image is cut short or its runs do not fill it exactly.
bool readPalettedImageBack(const Bytes& image, int& width, int& height, int& palettes, std::string& problem);

// The status icon strip (menu pack C116 entry 4): six 24 x 24 icons stacked, 24 x 144.
inline constexpr int kStatusIconSize = 24;
inline constexpr int kStatusIcons = 6;
Bytes sampleStatusIconStrip();

// The pitch pack (constant C158): per layer 0-2 a tile map of 180 x 88 cells at entry 12 / 9 / 6
// and its 2-bit flip map at the entry two after it; every other entry an empty range.
inline constexpr int kPitchColumns = 180;
inline constexpr int kPitchRows = 88;
inline constexpr int kPitchEmptyTile = 255;
inline constexpr int kPitchMapEntries[] = {12, 9, 6};
inline constexpr int kPitchPackEntries = 15;
std::vector<std::uint8_t> samplePitchMap(int layer);
// The flip map of layer 0-2: 2 bits a cell (1 mirrors left-right, 2 top-bottom), four cells a
// byte, the first in the top bits.
std::vector<std::uint8_t> samplePitchFlips(int layer);
// The pitch's tile sets in the menu pack: entry 0 the grass of layer 0 (2 tiles a row), entry 1
// the markings of layers 1-3 (4 tiles a row); 16 x 16 pixels a tile.
inline constexpr int kPitchTileSetEntries[] = {0, 1};
inline constexpr int kPitchTileSetOfLayer[] = {0, 1, 1, 1};
inline constexpr int kPitchTileSize = 16;
Bytes samplePitchTileSet(int entry);
std::vector<ArchiveEntry> samplePitchPackEntries();
// Reads the pitch pack and the icon strip back; adds what is wrong to problems.
void checkSampleImageSets(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                          std::vector<std::string>& problems);

} // namespace tools
