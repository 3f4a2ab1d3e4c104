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

// Tiles of the layers: layer 0 the grass in stripes of two shades, layer 1 the pitch lines,
// layer 2 nothing (the stadium's layer is left to the match data).
constexpr int kGrassTileA = 0;
constexpr int kGrassTileB = 1;
constexpr int kStripeRows = 8;
constexpr int kLineTile = 2;
constexpr int kPitchLeft = 10;
constexpr int kPitchRight = kPitchColumns - 11;
constexpr int kPitchTop = 6;
constexpr int kPitchBottom = kPitchRows - 7;

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
    std::vector<std::uint8_t> map(static_cast<std::size_t>(kPitchColumns) * kPitchRows, kPitchEmptyTile);
    for (int row = 0; row < kPitchRows; ++row) {
        for (int column = 0; column < kPitchColumns; ++column) {
            std::uint8_t& cell = map[static_cast<std::size_t>(row) * kPitchColumns + column];
            if (layer == 0) {
                cell = (row / kStripeRows) % 2 == 0 ? kGrassTileA : kGrassTileB;
                continue;
            }
            const bool inside =
                column >= kPitchLeft && column <= kPitchRight && row >= kPitchTop && row <= kPitchBottom;
            const bool onLine = column == kPitchLeft || column == kPitchRight || row == kPitchTop ||
                                row == kPitchBottom || column == kPitchColumns / 2;
            if (layer == 1 && inside && onLine) {
                cell = kLineTile;
            }
        }
    }
    return map;
}

std::vector<ArchiveEntry> samplePitchPackEntries() {
    std::vector<PackEntry> entries(kPitchPackEntries, emptyPackEntry());
    for (int layer = 0; layer < static_cast<int>(std::size(kPitchMapEntries)); ++layer) {
        const int entry = kPitchMapEntries[layer];
        const std::vector<std::uint8_t> map = samplePitchMap(layer);
        entries[static_cast<std::size_t>(entry)] = {true, Bytes(map.begin(), map.end()), 0};
        entries[static_cast<std::size_t>(entry + kFlipEntryOffset)] = {
            true, Bytes(map.size() / kCellsPerFlipByte, 0), 0};
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
