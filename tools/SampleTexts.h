// The sample text package: our own English texts for every text id the game uses, a visible
// stand-in ("T" and the id) for every other id below the count, and the check of the package.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// The package holds exactly this many texts, so an id computed wrongly shows up as one outside it.
inline constexpr std::int32_t kSampleTextCount = 1104;
// Constant string naming the pack whose entry 0 is the text package.
inline constexpr std::int32_t kTextPackConstant = 112;
inline constexpr std::int32_t kTextPackageEntry = 0;

// Every text of the sample package, by id.
const std::vector<std::u16string>& sampleTexts();
// The text container of the sample package (the content of its pack entry).
Bytes sampleTextPackage();

// A text that must carry placeholder markers, given as constant-string indexes.
struct TextMarkers {
    std::int32_t id;
    std::vector<std::int32_t> markers;
};
const std::vector<TextMarkers>& sampleTextMarkers();

// Problems of a text container read back from the archive: its count, empty texts, characters
// the sprite font cannot draw, stray markup and missing markers. Empty when it is sound.
std::vector<std::string> checkTextPackage(const Bytes& container);

// The markdown table of every text (tarnwick_datagen --texts).
std::string textsTable();

} // namespace tools
