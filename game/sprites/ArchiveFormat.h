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
#include <string_view>

namespace game::sprites {

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

} // namespace game::sprites
