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
#include <string>
#include <vector>

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

// A pack's header and offset tables as plain values.
struct PackLayout {
    std::int32_t entryCount = 0;
    std::vector<std::int32_t> partStarts;
    // Per part, its entry count + 1 offsets, counted from the start of its file.
    std::vector<std::vector<std::int64_t>> partOffsets;
};

// Reads a pack's header and every part's offset table as plain bytes, without the runtime and as
// strictly as the game's start needs them: partSize(k) is the length of part file k (negative
// when it is missing), readPart(k, position, bytes, n) fills n bytes from position of part k and
// says whether it could. True with the layout; false with the reason, in words for a person, when
// a part file is missing, the header or a table is cut short or out of order, or an entry runs
// past its part file. (The start-up check and the sample data generator use it; the game's own
// reader keeps the entries it can read of a damaged pack.)
template <typename PartSize, typename ReadPart>
bool readPackLayout(PartSize&& partSize, ReadPart&& readPart, PackLayout& layout, std::string& problem) {
    layout = PackLayout{};
    std::int64_t fileSize = partSize(0);
    std::int64_t position = 0;
    std::int32_t part = 0;
    // A little-endian number of count bytes of the current part at position.
    const auto number = [&](const std::int32_t count, std::int64_t& value) {
        std::uint8_t bytes[kPackOffsetBytes];
        if (position + count > fileSize ||
            !readPart(part, position, bytes, static_cast<std::size_t>(count))) {
            return false;
        }
        position += count;
        value = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            value |= static_cast<std::int64_t>(bytes[i]) << (8 * i);
        }
        return true;
    };
    if (fileSize < 0) {
        problem = "part file 0 is missing";
        return false;
    }
    std::int64_t entryCount = 0;
    std::int64_t partCount = 0;
    if (!number(kPackEntryCountBytes, entryCount) || !number(kPackPartCountBytes, partCount)) {
        problem = "its header is cut short";
        return false;
    }
    partCount = static_cast<std::int16_t>(partCount);
    if (partCount < 1) {
        problem = "its part count is " + std::to_string(partCount);
        return false;
    }
    layout.entryCount = static_cast<std::int32_t>(entryCount);
    for (std::int64_t k = 0; k < partCount; ++k) {
        std::int64_t start = 0;
        if (!number(kPackPartStartBytes, start)) {
            problem = "its part starts are cut short";
            return false;
        }
        const std::int64_t previous = k > 0 ? layout.partStarts.back() : 0;
        if ((k == 0 && start != 0) || start < previous || start > entryCount) {
            problem = "part " + std::to_string(k) + " starts at entry " + std::to_string(start) + " (after " +
                      std::to_string(previous) + ", of " + std::to_string(entryCount) + ")";
            return false;
        }
        layout.partStarts.push_back(static_cast<std::int32_t>(start));
    }
    for (part = 0; part < static_cast<std::int32_t>(partCount); ++part) {
        if (part > 0) {
            fileSize = partSize(part);
            position = 0;
        }
        const std::string which = "part " + std::to_string(part);
        if (fileSize < 0) {
            problem = "part file " + std::to_string(part) + " is missing";
            return false;
        }
        const std::size_t k = static_cast<std::size_t>(part);
        const std::int64_t end = k + 1 < layout.partStarts.size() ? layout.partStarts[k + 1] : entryCount;
        std::vector<std::int64_t> offsets(static_cast<std::size_t>(end - layout.partStarts[k]) + 1);
        for (std::int64_t& offset : offsets) {
            if (!number(kPackOffsetBytes, offset)) {
                problem = "the offsets of " + which + " are cut short";
                return false;
            }
        }
        std::int64_t previous = position;
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            if (offsets[i] < previous || offsets[i] > fileSize) {
                problem = "offset " + std::to_string(i) + " of " + which + " is " +
                          std::to_string(offsets[i]) +
                          (offsets[i] < previous
                               ? ", before " + std::to_string(previous)
                               : ", past the end of its " + std::to_string(fileSize) + "-byte file");
                return false;
            }
            previous = offsets[i];
        }
        layout.partOffsets.push_back(std::move(offsets));
    }
    return true;
}

} // namespace game::sprites
