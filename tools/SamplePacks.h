// Resource packs and the text container as the generator writes them (layouts:
// game/sprites/PackFormat.h, game/core/TextCodeFormat.h). Tests build their pack fixtures
// with the same writers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// One entry of a pack: its content after the lead byte, or, when absent, an empty range with no
// lead byte at all.
struct PackEntry {
    bool present = true;
    Bytes content;
    std::uint8_t leadByte = 0;
};
inline PackEntry emptyPackEntry() {
    return {false, {}, 0};
}

// The part files of a pack whose parts begin at the entries partStarts (the first is 0). Throws
// std::invalid_argument for starts the reader would refuse or too many entries or parts.
std::vector<Bytes> buildPackParts(const std::vector<PackEntry>& entries,
                                  const std::vector<std::int32_t>& partStarts = {0});
// The archive entry name of part file part of the pack named packName (one leading '/' dropped;
// part k >= 1 is the name, constant string 94 and k).
std::string packPartEntryName(const std::string& packName, std::int32_t part);
// The archive entries of a pack's part files.
std::vector<ArchiveEntry> packArchiveEntries(const std::string& packName, const std::vector<Bytes>& parts,
                                             const std::string& neededBy);

// Reads the pack named packName back out of an archive, the way the game's reader walks it: every
// entry's content (nullopt for an empty range). False with a reason when a part is missing or
// its header or offsets are cut short or out of order.
bool readPackBack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                  const std::string& packName, std::vector<std::optional<Bytes>>& entries,
                  std::string& problem);

// The bytes of a text in the text package's character code.
Bytes encodeText(std::u16string_view text);
// A text container of texts already coded.
Bytes textContainer(const std::vector<Bytes>& texts);
// Reads a text container back: the coded texts; false with a reason when it is not whole.
bool readTextContainer(const Bytes& container, std::vector<Bytes>& texts, std::string& problem);

// The pack stored in three parts, which exercises the part names and the reopening of parts: its
// name, its entries (an empty range and a lead byte alone among them) and where its parts begin.
inline constexpr char kTestPackName[] = "testpack";
std::vector<PackEntry> sampleTestPackEntries();
std::vector<std::int32_t> sampleTestPackPartStarts();

// The packs of the sample set as archive entries: the text pack and the test pack.
std::vector<ArchiveEntry> samplePackEntries();
// Reads every sample pack back out of an archive and checks it; adds what is wrong to problems.
void checkSamplePacks(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                      std::vector<std::string>& problems);

} // namespace tools
