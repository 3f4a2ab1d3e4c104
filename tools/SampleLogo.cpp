// The logo pack of the sample set (see SampleLogo.h).
#include "tools/SampleLogo.h"

#include <cstdint>
#include <optional>

#include "tools/PngWriter.h"
#include "tools/SamplePacks.h"

namespace tools {

namespace {

// Palette indices of the logo and their colours (ARGB).
constexpr std::uint8_t kField = 0;
constexpr std::uint8_t kFrame = 1;
constexpr std::uint8_t kBand = 2;
const std::vector<std::uint32_t> kLogoPalette = {0xFF1A2A6C, 0xFFFFFFFF, 0xFFFF7700};
constexpr int kFrameWidth = 6;
constexpr int kBandTop = 50;
constexpr int kBandHeight = 20;

std::string logoPackName() {
    const std::u16string& name = sampleConstants()[static_cast<std::size_t>(kLogoPackConstant)].text;
    return std::string(name.begin(), name.end());
}

} // namespace

Bytes loadingLogoPng() {
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(kLogoWidth * kLogoHeight));
    for (int y = 0; y < kLogoHeight; ++y) {
        for (int x = 0; x < kLogoWidth; ++x) {
            const bool frame = x < kFrameWidth || y < kFrameWidth || x >= kLogoWidth - kFrameWidth ||
                               y >= kLogoHeight - kFrameWidth;
            const bool band = y >= kBandTop && y < kBandTop + kBandHeight;
            indices.push_back(frame ? kFrame : band ? kBand : kField);
        }
    }
    return palettedPngBytes(kLogoWidth, kLogoHeight, indices, kLogoPalette);
}

std::vector<ArchiveEntry> sampleLogoPackEntries() {
    std::vector<PackEntry> entries(static_cast<std::size_t>(kLogoEntry), emptyPackEntry());
    entries.push_back({true, loadingLogoPng(), 0});
    return packArchiveEntries(logoPackName(), buildPackParts(entries), "the loading screens' logo");
}

void checkSampleLogoPack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                         std::vector<std::string>& problems) {
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!readPackBack(archive, directory, logoPackName(), entries, problem)) {
        problems.push_back(problem);
        return;
    }
    const auto logo = static_cast<std::size_t>(kLogoEntry);
    if (entries.size() <= logo || !entries[logo] || *entries[logo] != loadingLogoPng()) {
        problems.push_back("pack " + logoPackName() + ": entry " + std::to_string(kLogoEntry) +
                           " is not the logo");
    }
}

} // namespace tools
