// The promotion data file of the sample set (archive entry C0): a little-endian index of entry
// offsets, then the entries. Entry 0, the configuration the promotion set-up reads at start-up, is
// complete; the further entries (screen texts, font, pictures) are present and empty.
#pragma once

#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// Entries of the sample promotion file: 0 the configuration, 1-9 empty.
inline constexpr int kPromotionEntryCount = 10;
// Configuration switches of entry 0, all 0 (no closing page).
inline constexpr int kPromotionSwitches = 8;

// The configuration entry's text lists, in file order after the version text.
struct PromotionConfiguration {
    std::string version;                // equals constant string 66
    std::vector<std::string> languages; // language codes
    std::vector<std::string> products;  // product ids, one page each
    std::vector<std::string> lists[3];  // entry keys of list pages 1 and 2 and a third list
    std::string fontVersion;            // differs from constant string 26: 4-byte glyph records
};
const PromotionConfiguration& samplePromotionConfiguration();

// A promotion data file over entries (an empty one is an empty range).
Bytes buildPromotionFile(const std::vector<Bytes>& entries);
// Entry 0 of the promotion file for configuration.
Bytes promotionConfigurationEntry(const PromotionConfiguration& configuration);
// The sample promotion data file.
Bytes samplePromotionData();

// Reads the promotion file back out of an archive the way the game's reader walks it; adds a
// missing file, a cut index or entry, or a configuration unlike the sample's to problems.
void checkSamplePromotionData(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                              std::vector<std::string>& problems);

} // namespace tools
