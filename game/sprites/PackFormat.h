// The layout of resource packs and of the text-package container, shared by their readers
// (ResourcePack.cpp, TextPackageLoader.cpp) and the sample data generator.
//
// All numbers little-endian. A pack named N is stored as part files: part 0 is the resource N,
// part k >= 1 the resource N + constant string 94 + k in decimal.
//   part 0   entry count E (unsigned 16-bit), part count P (signed 16-bit, at least 1), P part
//            starts (unsigned 16-bit: the first entry of each part; part 0 starts at 0 and no
//            start is below the one before or above E), then part 0's offset table
//   part k   its offset table
// An offset table holds n + 1 unsigned 32-bit positions, n being the part's entry count (the next
// part's start, or E for the last part, minus its own start). Entry i of the part is the bytes
// [offset[i], offset[i + 1]) of the part file, counted from the file's start, so the offsets never
// decrease and the first one is not below the end of the table. A non-empty entry begins with a
// lead byte; the rest is the entry's content.
//
// Text-package container (the content of one pack entry): text count T (signed 32-bit), T end
// offsets (signed 32-bit, never decreasing; text 0 starts at 0), then the texts' bytes back to
// back, exactly as many as the last end offset says.
#pragma once

#include <cstdint>

namespace game::sprites {

inline constexpr std::int32_t kPackEntryCountBytes = 2;
inline constexpr std::int32_t kPackPartCountBytes = 2;
inline constexpr std::int32_t kPackPartStartBytes = 2;
inline constexpr std::int32_t kPackOffsetBytes = 4;
inline constexpr std::int32_t kPackMaxEntries = 0xFFFF;
inline constexpr std::int32_t kPackMaxParts = 0x7FFF;
// The lead byte that starts every non-empty entry; nothing reads it but the pack reader.
inline constexpr std::int32_t kPackLeadBytes = 1;
// Constant string joined between a pack's name and the number of one of its further parts.
inline constexpr std::int32_t kPackPartSuffixConstant = 94;

inline constexpr std::int32_t kTextCountBytes = 4;
inline constexpr std::int32_t kTextOffsetBytes = 4;

// Bytes of part 0's header before its offset table.
constexpr std::int32_t packHeaderBytes(const std::int32_t partCount) {
    return kPackEntryCountBytes + kPackPartCountBytes + kPackPartStartBytes * partCount;
}

// Bytes of an offset table of a part with entryCount entries.
constexpr std::int32_t packOffsetTableBytes(const std::int32_t entryCount) {
    return kPackOffsetBytes * (entryCount + 1);
}

// Bytes of a text container's count and end offsets for textCount texts.
constexpr std::int64_t textContainerHeaderBytes(const std::int64_t textCount) {
    return kTextCountBytes + kTextOffsetBytes * textCount;
}

} // namespace game::sprites
