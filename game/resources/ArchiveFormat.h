// The layout of the archive "data.bar", shared by its reader (ArchiveResource.cpp) and the sample
// data generator.
//
// All numbers big-endian. The file begins with its directory:
//   count    signed 16-bit, the number of entries
//   entries  count times, no padding: name (16-bit byte length + modified UTF-8, no leading '/'),
//            offset (signed 32-bit, from the start of the file), size (signed 32-bit)
// The entries' bytes follow; each entry must lie inside the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ModifiedUtf8.h"

namespace game::resources {

inline constexpr std::int32_t kArchiveMaxEntries = 32767;
// Bytes of one directory entry besides its name's bytes: the name's length, the offset, the size.
inline constexpr std::int32_t kArchiveEntryFixedBytes = 2 + 4 + 4;
// Bytes of the count that starts the directory.
inline constexpr std::int32_t kArchiveCountBytes = 2;
// One leading separator of a requested name is dropped before the lookup.
inline constexpr char kArchiveNamePrefix = '/';
// Names with this ending are opened as files of their own, never looked up in the archive.
inline constexpr char kArchiveFileSuffix[] = ".bar";

// Entry names match when they have the same length and agree ignoring the case of A-Z and a-z.
constexpr bool archiveNamesMatch(const std::string_view a, const std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

// One directory entry as plain values.
struct ArchiveDirectoryEntry {
    std::string name; // the low 8 bits of each character
    std::int32_t offset = 0;
    std::int32_t size = 0;
};

// Reads the directory as plain bytes, without the runtime, and as strictly as the game needs it:
// read(bytes, n) fills n bytes and says whether it could. True with every entry; false with the
// reason, in words for a person, when the directory is cut short, a name is not modified UTF-8
// or an entry does not lie inside a file of fileSize bytes. (The program's start-up check and the
// sample data generator use it; the game's own reader keeps what it can of a damaged directory.)
template <typename ReadBytes>
bool readArchiveDirectory(ReadBytes&& read, const std::uint64_t fileSize,
                          std::vector<ArchiveDirectoryEntry>& entries, std::string& problem) {
    entries.clear();
    std::uint8_t number[4];
    if (!read(number, kArchiveCountBytes)) {
        problem = "it is too short to hold the count of its entries";
        return false;
    }
    const std::int32_t count = static_cast<std::int16_t>(number[0] << 8 | number[1]);
    if (count < 0) {
        problem = "its entry count " + std::to_string(count) + " is negative";
        return false;
    }
    std::vector<std::uint8_t> nameBytes;
    std::vector<runtime::jchar> nameCharacters;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string cut =
            "its directory is cut short at entry " + std::to_string(i) + " of " + std::to_string(count);
        if (!read(number, 2)) {
            problem = cut;
            return false;
        }
        const std::size_t nameLength = static_cast<std::size_t>(number[0] << 8 | number[1]);
        nameBytes.resize(nameLength);
        nameCharacters.resize(nameLength + 1);
        if (nameLength > 0 && !read(nameBytes.data(), nameLength)) {
            problem = cut;
            return false;
        }
        const runtime::jint characters = runtime::decodeModifiedUtf8(
            nameBytes.data(), static_cast<runtime::jint>(nameLength), nameCharacters.data());
        if (characters < 0) {
            problem = "the name of entry " + std::to_string(i) + " is not modified UTF-8";
            return false;
        }
        ArchiveDirectoryEntry entry;
        entry.name.assign(nameCharacters.begin(), nameCharacters.begin() + characters);
        for (std::int32_t* field : {&entry.offset, &entry.size}) {
            if (!read(number, 4)) {
                problem = cut;
                return false;
            }
            *field =
                static_cast<std::int32_t>(std::uint32_t{number[0]} << 24 | std::uint32_t{number[1]} << 16 |
                                          std::uint32_t{number[2]} << 8 | number[3]);
        }
        if (entry.offset < 0 || entry.size < 0 ||
            static_cast<std::uint64_t>(entry.offset) + static_cast<std::uint64_t>(entry.size) > fileSize) {
            // An entry without a name is named by its place.
            problem = "entry " + (entry.name.empty() ? std::to_string(i) + " (no name)" : entry.name) +
                      " lies outside the file";
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

} // namespace game::resources
