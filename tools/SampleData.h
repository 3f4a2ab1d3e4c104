// The sample data set: the writers of the game's data formats and the contents the generator puts
// in them. Tests use the same writers to build their fixtures.
//
// Each format's layout constants come from the header its reader uses (ModifiedUtf8.h,
// ConstantPoolFormat.h, ArchiveFormat.h, AppDescriptorFormat.h, GamePaths.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/resources/ArchiveFormat.h"

namespace tools {

using Bytes = std::vector<std::uint8_t>;

// Big-endian numbers and modified UTF-8 strings, as the data streams read them.
class DataWriter {
public:
    void writeByte(std::int32_t value);
    void writeShort(std::int32_t value);
    void writeInt(std::int32_t value);
    // A 16-bit byte length and the modified UTF-8 bytes; throws std::length_error when too long.
    void writeUTF(std::u16string_view text);
    void writeBytes(const Bytes& data);

    const Bytes& bytes() const { return data; }

private:
    Bytes data;
};

struct ArchiveEntry {
    std::string name; // stored as given: no leading '/'
    Bytes bytes;
    std::string neededBy; // the code that reads it, for the manifest
};

// The archive file: the directory, then every entry's bytes in directory order. Throws
// std::invalid_argument when an entry breaks the archive's rules (a leading '/', a ".bar" ending,
// two names equal but for case, too many entries or too many bytes).
Bytes buildArchive(const std::vector<ArchiveEntry>& entries);

using DirectoryEntry = game::resources::ArchiveDirectoryEntry;

// Reads the whole directory back (game::resources::readArchiveDirectory); false with a reason when
// it is cut short or garbled, or an entry lies outside the file.
bool readArchiveDirectory(const Bytes& archive, std::vector<DirectoryEntry>& entries, std::string& problem);
// The entry the game's opener finds for name (one leading '/' dropped, ASCII case ignored), or null.
const DirectoryEntry* findDirectoryEntry(const std::vector<DirectoryEntry>& entries, std::string name);

// "/constants.bin": the count and the strings.
Bytes constantPoolBytes(const std::vector<std::u16string>& texts);

// One constant string of the sample pool, with what it is for.
struct ConstantText {
    std::int32_t index;
    std::u16string text;
    const char* role;
};
// Every string of the sample pool in index order, 0 to kSampleConstantCount - 1.
const std::vector<ConstantText>& sampleConstants();
inline constexpr std::int32_t kSampleConstantCount = 331;
// Constant string index of the sample pool as 8-bit text (the names of packs and entries).
std::string sampleConstantText(std::int32_t index);

// "app.jad" of the sample set: one "key: value" line per property the game reads.
std::string sampleAppDescriptor();
// The test fixture "app-promo.jad": app.jad with the product links (C31) and the link template
// (C27) set, so the promotion catalogue offers product P1.
std::string promotionAppDescriptor();

// Every entry of the sample archive.
std::vector<ArchiveEntry> sampleEntries();

// One line per entry: name, size, checksum (FNV-1a, 32 bits, hex) and the code that reads it.
std::string manifest(const std::vector<ArchiveEntry>& entries);

// Problems found in an archive by reading it back the way the game does; empty when it is sound.
std::vector<std::string> validateSampleArchive(const Bytes& archive);

// The markdown table of the sample constant strings (for tools/README.md).
std::string constantsTable();

} // namespace tools
