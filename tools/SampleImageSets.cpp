// The sample image sets and pitch layers (see SampleImageSets.h).
#include "tools/SampleImageSets.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "game/screens/info/PalettedImageFormat.h"
#include "tools/SamplePacks.h"
#include "tools/SpriteCanvas.h"

namespace tools {

namespace {

using namespace game::info;

constexpr int kPitchPackConstant = 158;
constexpr int kMenuPackConstant = 116;
constexpr int kStatusIconEntry = 4;
constexpr int kFlipEntryOffset = 2;
constexpr int kCellsPerFlipByte = 4;
constexpr int kBitsPerByte = 8;

// The icon strip's colours: transparent, outline, white, green, red, yellow, blue, grey.
constexpr int kIconColours = 16;
const std::vector<std::uint32_t> kIconPalette = {
    0x00000000, 0xFF101820, 0xFFF4F4F0, 0xFF2E9E48, 0xFFD23232, 0xFFF0C828, 0xFF3C6ED2, 0xFF8C8C96,
    0xFF1E5A2C, 0xFF8C1E1E, 0xFFB08C14, 0xFF1E3C82, 0xFF505058, 0xFFC8C8D0, 0xFFE87830, 0xFF000000,
};
enum Ink { kClear = 0, kOutline, kWhite, kGreen, kRed, kYellow, kBlue, kGrey };

// The pitch's tile sets (menu pack entries 0 and 1): the grass of layer 0, and the markings of
// layers 1-3, 16 x 16 pixels a tile. Layer 0 stripes the grass in bands of 8 rows; layer 1 draws
// the touchlines, goal lines, halfway line, centre circle and penalty boxes; layer 2 (and the
// fourth layer, which reads layer 2's maps) the two goals.
constexpr int kTile = 16;
constexpr int kGrassTileEntry = 0;
constexpr int kMarkingTileEntry = 1;
constexpr int kGrassTilesPerRow = 2;
constexpr int kMarkingTilesPerRow = 4;
constexpr int kMarkingTiles = 32;
constexpr int kGrassTileA = 0;
constexpr int kGrassTileB = 1;
constexpr int kStripeRows = 8;
// Marking tiles; a line runs through the tile's middle, two pixels wide.
constexpr int kLineAcross = 0;  // horizontal line
constexpr int kLineDown = 1;    // vertical line
constexpr int kCorner = 2;      // lines to the right and down (mirrored for the other corners)
constexpr int kTeeDown = 3;     // horizontal line with a line down (mirrored upside down: up)
constexpr int kTeeRight = 4;    // vertical line with a line to the right (mirrored: to the left)
constexpr int kSpot = 5;        // the centre and penalty spots
constexpr int kGoalNet = 6;     // the goal's net
constexpr int kCircleFirst = 7; // 5 x 5 tiles of the centre circle, row by row
constexpr int kCircleTiles = 5;
constexpr int kCircleRadius = 36;
// Flip values of the flip map: 1 mirrors left-right, 2 top-bottom, 3 both.
constexpr int kFlipAcross = 1;
constexpr int kFlipUpDown = 2;
constexpr int kFlipBoth = 3;
constexpr int kPitchLeft = 10;
constexpr int kPitchRight = kPitchColumns - 11;
constexpr int kPitchTop = 6;
constexpr int kPitchBottom = kPitchRows - 7;
constexpr int kHalfway = kPitchColumns / 2;
constexpr int kCentreRow = 44;
constexpr int kBoxDepth = 16;
constexpr int kBoxHalfHeight = 16;
constexpr int kGoalHalfHeight = 3;
constexpr int kGoalDepth = 2;
constexpr int kLineLayer = 1;
constexpr int kGoalLayer = 2;

// The grass's colours: two greens and a darker speck of each.
const std::vector<std::uint32_t> kGrassPalette = {0xFF3C8C3C, 0xFF347E34, 0xFF2F742F, 0xFF2A6A2A};
// The markings' colours: transparent, white, the net's grey.
const std::vector<std::uint32_t> kMarkingPalette = {0x00000000, 0xFFF4F4F0, 0xFFB4B4BC, 0xFF646470};
enum MarkingInk { kNoInk = 0, kChalk, kNetLight, kNetDark };

// A tile map cell and its flip value.
struct PitchCell {
    int tile = kPitchEmptyTile;
    int flip = 0;
};

// The cells of layer (0-2) of the sample pitch.
std::vector<PitchCell> samplePitchCells(const int layer) {
    std::vector<PitchCell> cells(static_cast<std::size_t>(kPitchColumns) * kPitchRows);
    const auto put = [&](const int column, const int row, const int tile, const int flip = 0) {
        cells[static_cast<std::size_t>(row) * kPitchColumns + column] = {tile, flip};
    };
    if (layer == 0) {
        for (int row = 0; row < kPitchRows; ++row) {
            for (int column = 0; column < kPitchColumns; ++column) {
                put(column, row, (row / kStripeRows) % 2 == 0 ? kGrassTileA : kGrassTileB);
            }
        }
        return cells;
    }
    if (layer == kGoalLayer) {
        for (int row = kCentreRow - kGoalHalfHeight; row <= kCentreRow + kGoalHalfHeight; ++row) {
            for (int d = 1; d <= kGoalDepth; ++d) {
                put(kPitchLeft - d, row, kGoalNet, kFlipAcross);
                put(kPitchRight + d, row, kGoalNet);
            }
        }
        return cells;
    }
    if (layer != kLineLayer) {
        return cells;
    }
    for (int column = kPitchLeft + 1; column < kPitchRight; ++column) {
        put(column, kPitchTop, kLineAcross);
        put(column, kPitchBottom, kLineAcross);
    }
    for (int row = kPitchTop + 1; row < kPitchBottom; ++row) {
        put(kPitchLeft, row, kLineDown);
        put(kPitchRight, row, kLineDown);
        put(kHalfway, row, kLineDown);
    }
    put(kPitchLeft, kPitchTop, kCorner);
    put(kPitchRight, kPitchTop, kCorner, kFlipAcross);
    put(kPitchLeft, kPitchBottom, kCorner, kFlipUpDown);
    put(kPitchRight, kPitchBottom, kCorner, kFlipBoth);
    put(kHalfway, kPitchTop, kTeeDown);
    put(kHalfway, kPitchBottom, kTeeDown, kFlipUpDown);
    for (int r = 0; r < kCircleTiles; ++r) {
        for (int c = 0; c < kCircleTiles; ++c) {
            put(kHalfway - kCircleTiles / 2 + c, kCentreRow - kCircleTiles / 2 + r,
                kCircleFirst + r * kCircleTiles + c);
        }
    }
    // The penalty boxes: a side line at each end of the box and the line across in front.
    const int boxTop = kCentreRow - kBoxHalfHeight;
    const int boxBottom = kCentreRow + kBoxHalfHeight;
    for (const bool left : {true, false}) {
        const int goalLine = left ? kPitchLeft : kPitchRight;
        const int front = left ? kPitchLeft + kBoxDepth : kPitchRight - kBoxDepth;
        const int step = left ? 1 : -1;
        const int mirror = left ? 0 : kFlipAcross;
        for (int column = goalLine + step; column != front; column += step) {
            put(column, boxTop, kLineAcross);
            put(column, boxBottom, kLineAcross);
        }
        for (int row = boxTop + 1; row < boxBottom; ++row) {
            put(front, row, kLineDown);
        }
        put(goalLine, boxTop, kTeeRight, mirror);
        put(goalLine, boxBottom, kTeeRight, mirror);
        put(front, boxTop, kCorner, left ? kFlipAcross : 0);
        put(front, boxBottom, kCorner, left ? kFlipBoth : kFlipUpDown);
        put(goalLine + step * (kBoxDepth * 2 / 3), kCentreRow, kSpot);
    }
    return cells;
}

// Draws a marking tile into canvas at tile (column, row) of the set.
void drawMarkingTile(SpriteCanvas& canvas, const int tile) {
    const int left = (tile % kMarkingTilesPerRow) * kTile;
    const int top = (tile / kMarkingTilesPerRow) * kTile;
    const int middle = kTile / 2 - 1;
    const auto across = [&](const int from, const int to) {
        canvas.fill(left + from, top + middle, to - from, 2, kChalk);
    };
    const auto down = [&](const int from, const int to) {
        canvas.fill(left + middle, top + from, 2, to - from, kChalk);
    };
    switch (tile) {
    case kLineAcross:
        across(0, kTile);
        break;
    case kLineDown:
        down(0, kTile);
        break;
    case kCorner:
        across(middle, kTile);
        down(middle, kTile);
        break;
    case kTeeDown:
        across(0, kTile);
        down(middle, kTile);
        break;
    case kTeeRight:
        down(0, kTile);
        across(middle, kTile);
        break;
    case kSpot:
        canvas.disc(left + middle, top + middle, 2, kChalk);
        break;
    case kGoalNet:
        for (int y = 0; y < kTile; ++y) {
            for (int x = 0; x < kTile; ++x) {
                canvas.set(left + x, top + y, (x % 4 == 0 || y % 4 == 0) ? kNetLight : kNetDark);
            }
        }
        canvas.fill(left, top, 2, kTile, kChalk); // the goal-line side (mirrored for the left goal)
        break;
    default:
        break;
    }
}

// The centre circle and the halfway line through it, cut into its 5 x 5 tiles.
void drawCentreCircle(SpriteCanvas& canvas) {
    const int size = kTile * kCircleTiles;
    SpriteCanvas circle(size, size);
    const int centre = size / 2 - 1;
    circle.disc(centre, centre, kCircleRadius, kChalk);
    circle.disc(centre, centre, kCircleRadius - 2, kNoInk);
    circle.fill(centre, 0, 2, size, kChalk);
    circle.disc(centre, centre, 2, kChalk);
    for (int r = 0; r < kCircleTiles; ++r) {
        for (int c = 0; c < kCircleTiles; ++c) {
            const int tile = kCircleFirst + r * kCircleTiles + c;
            const int left = (tile % kMarkingTilesPerRow) * kTile;
            const int top = (tile / kMarkingTilesPerRow) * kTile;
            for (int y = 0; y < kTile; ++y) {
                for (int x = 0; x < kTile; ++x) {
                    canvas.set(left + x, top + y, circle.at(c * kTile + x, r * kTile + y));
                }
            }
        }
    }
}

std::string constantText(const int index) {
    const std::u16string& text = sampleConstants()[static_cast<std::size_t>(index)].text;
    return std::string(text.begin(), text.end());
}

void writeLE(Bytes& out, const std::uint32_t value, const int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (kBitsPerByte * i)));
    }
}

} // namespace

Bytes encodePalettedImage(const int width, const int height,
                          const std::vector<std::vector<std::uint32_t>>& palettes, const int colours,
                          const std::vector<std::uint8_t>& indices) {
    if (width <= 0 || width > 0xFFFF || height <= 0 || height > 0xFFFF || colours < 1 ||
        colours > kImageMaxColours || palettes.empty() || palettes.size() > 0xFF ||
        indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        throw std::invalid_argument("a paletted image needs its size, 1-256 colours and every pixel");
    }
    Bytes out(kImageLeadSkipBytes, 0);
    writeLE(out, static_cast<std::uint32_t>(width), 2);
    writeLE(out, static_cast<std::uint32_t>(height), 2);
    out.insert(out.end(), kImageMiddleSkipBytes, 0);
    out.push_back(static_cast<std::uint8_t>(palettes.size()));
    out.push_back(static_cast<std::uint8_t>(colours == kImageMaxColours ? kImagePaletteSizeFor256 : colours));
    for (const std::vector<std::uint32_t>& palette : palettes) {
        if (palette.size() != static_cast<std::size_t>(colours)) {
            throw std::invalid_argument("every palette of a paletted image has the same number of colours");
        }
        for (const std::uint32_t colour : palette) {
            writeLE(out, colour, kImageColourBytes);
        }
    }
    writeLE(out, kEncodingPackedRuns, 2);
    writeLE(out, 0, 2);
    const int bits = paletteIndexBits(colours);
    const std::size_t longest = static_cast<std::size_t>(0xFF >> bits) + 1;
    for (std::size_t i = 0; i < indices.size();) {
        const std::uint8_t index = indices[i];
        if (index >= colours) {
            throw std::invalid_argument("a pixel's colour index lies outside the palette");
        }
        std::size_t run = 1;
        while (run < longest && i + run < indices.size() && indices[i + run] == index) {
            ++run;
        }
        out.push_back(static_cast<std::uint8_t>(((run - 1) << bits) | index));
        i += run;
    }
    return out;
}

bool readPalettedImageBack(const Bytes& image, int& width, int& height, int& palettes, std::string& problem) {
    const std::size_t header = static_cast<std::size_t>(kImageLeadSkipBytes + 4 + kImageMiddleSkipBytes + 2);
    if (image.size() < header) {
        problem = "the header is cut short";
        return false;
    }
    width = image[9] | (image[10] << 8);
    height = image[11] | (image[12] << 8);
    palettes = image[header - 2];
    const int colours = image[header - 1] == kImagePaletteSizeFor256 ? kImageMaxColours : image[header - 1];
    std::size_t position = header + static_cast<std::size_t>(palettes) * colours * kImageColourBytes;
    if (image.size() < position + 4) {
        problem = "the palettes are cut short";
        return false;
    }
    if ((image[position] | (image[position + 1] << 8)) != kEncodingPackedRuns) {
        problem = "its encoding is not 0x64F0";
        return false;
    }
    position += 4;
    const int bits = paletteIndexBits(colours);
    long long pixels = 0;
    for (; position < image.size(); ++position) {
        pixels += (image[position] >> bits) + 1;
    }
    if (pixels != static_cast<long long>(width) * height) {
        problem = "its runs hold " + std::to_string(pixels) + " pixels, the image " +
                  std::to_string(static_cast<long long>(width) * height);
        return false;
    }
    return true;
}

Bytes sampleStatusIconStrip() {
    SpriteCanvas canvas(kStatusIconSize, kStatusIconSize * kStatusIcons);
    for (int icon = 0; icon < kStatusIcons; ++icon) {
        const int top = icon * kStatusIconSize;
        const int middle = top + kStatusIconSize / 2;
        switch (icon) {
        case 0: // fit: a green disc
            canvas.disc(12, middle, 9, kGreen);
            break;
        case 1: // injured: a red cross
            canvas.fill(4, middle - 3, 16, 6, kRed);
            canvas.fill(9, top + 4, 6, 16, kRed);
            break;
        case 2: // suspended: a red card
            canvas.fill(7, top + 3, 10, 16, kRed);
            break;
        case 3: // booked: a yellow card
            canvas.fill(7, top + 3, 10, 16, kYellow);
            break;
        case 4: // on loan: a blue arrow
            canvas.polygon({{4, middle - 3},
                            {13, middle - 3},
                            {13, top + 4},
                            {21, middle},
                            {13, top + 20},
                            {13, middle + 3},
                            {4, middle + 3}},
                           kBlue);
            break;
        default: // unavailable: a grey bar
            canvas.fill(4, middle - 3, 16, 6, kGrey);
            break;
        }
        canvas.label(1, top + 18, std::to_string(icon), kWhite);
    }
    canvas.outline(kOutline);
    return encodePalettedImage(canvas.width(), canvas.height(), {kIconPalette}, kIconColours,
                               canvas.indices());
}

std::vector<std::uint8_t> samplePitchMap(const int layer) {
    std::vector<std::uint8_t> map;
    for (const PitchCell& cell : samplePitchCells(layer)) {
        map.push_back(static_cast<std::uint8_t>(cell.tile));
    }
    return map;
}

std::vector<std::uint8_t> samplePitchFlips(const int layer) {
    const std::vector<PitchCell> cells = samplePitchCells(layer);
    std::vector<std::uint8_t> flips(cells.size() / kCellsPerFlipByte, 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int shift = 6 - 2 * static_cast<int>(i % kCellsPerFlipByte);
        flips[i / kCellsPerFlipByte] =
            static_cast<std::uint8_t>(flips[i / kCellsPerFlipByte] | (cells[i].flip << shift));
    }
    return flips;
}

Bytes samplePitchTileSet(const int entry) {
    if (entry == kGrassTileEntry) {
        SpriteCanvas canvas(kTile * kGrassTilesPerRow, kTile);
        for (int tile = 0; tile < kGrassTilesPerRow; ++tile) {
            canvas.fill(tile * kTile, 0, kTile, kTile, tile);
            for (int k = 0; k < 6; ++k) {
                canvas.set(tile * kTile + (k * 5 + 3) % kTile, (k * 7 + 2) % kTile, tile + 2);
            }
        }
        return encodePalettedImage(canvas.width(), canvas.height(), {kGrassPalette},
                                   static_cast<int>(kGrassPalette.size()), canvas.indices());
    }
    SpriteCanvas canvas(kTile * kMarkingTilesPerRow, kTile * (kMarkingTiles / kMarkingTilesPerRow));
    for (int tile = 0; tile < kCircleFirst; ++tile) {
        drawMarkingTile(canvas, tile);
    }
    drawCentreCircle(canvas);
    return encodePalettedImage(canvas.width(), canvas.height(), {kMarkingPalette},
                               static_cast<int>(kMarkingPalette.size()), canvas.indices());
}

std::vector<ArchiveEntry> samplePitchPackEntries() {
    std::vector<PackEntry> entries(kPitchPackEntries, emptyPackEntry());
    for (int layer = 0; layer < static_cast<int>(std::size(kPitchMapEntries)); ++layer) {
        const int entry = kPitchMapEntries[layer];
        const std::vector<std::uint8_t> map = samplePitchMap(layer);
        entries[static_cast<std::size_t>(entry)] = {true, Bytes(map.begin(), map.end()), 0};
        const std::vector<std::uint8_t> flips = samplePitchFlips(layer);
        entries[static_cast<std::size_t>(entry + kFlipEntryOffset)] = {true,
                                                                       Bytes(flips.begin(), flips.end()), 0};
    }
    return packArchiveEntries(constantText(kPitchPackConstant), buildPackParts(entries),
                              "loadMatchPitchData");
}

void checkSampleImageSets(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                          std::vector<std::string>& problems) {
    const std::string pitch = constantText(kPitchPackConstant);
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!readPackBack(archive, directory, pitch, entries, problem)) {
        problems.push_back(problem);
    } else {
        for (const int entry : kPitchMapEntries) {
            const std::size_t cells = static_cast<std::size_t>(kPitchColumns) * kPitchRows;
            const auto size = [&](const int e) {
                return static_cast<std::size_t>(e) < entries.size() && entries[static_cast<std::size_t>(e)]
                           ? entries[static_cast<std::size_t>(e)]->size()
                           : 0;
            };
            if (size(entry) != cells || size(entry + kFlipEntryOffset) != cells / kCellsPerFlipByte) {
                problems.push_back("pack " + pitch + ": the maps at entries " + std::to_string(entry) +
                                   " and " + std::to_string(entry + kFlipEntryOffset) +
                                   " are not 180 x 88 cells");
            }
        }
    }
    const std::string menu = constantText(kMenuPackConstant);
    if (!readPackBack(archive, directory, menu, entries, problem)) {
        problems.push_back(problem);
        return;
    }
    int width = 0;
    int height = 0;
    int palettes = 0;
    const std::size_t icons = static_cast<std::size_t>(kStatusIconEntry);
    if (icons >= entries.size() || !entries[icons]) {
        problems.push_back("pack " + menu + ": no status icon strip at entry 4");
    } else if (!readPalettedImageBack(*entries[icons], width, height, palettes, problem)) {
        problems.push_back("pack " + menu + " entry 4: " + problem);
    } else if (width != kStatusIconSize || height != kStatusIconSize * kStatusIcons) {
        problems.push_back("pack " + menu + " entry 4: the icon strip is not 24 x 144");
    }
}

} // namespace tools
