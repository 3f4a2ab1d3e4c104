// Writers and a read-back of resource packs and the text container.
#include "tools/SamplePacks.h"

#include <algorithm>
#include <stdexcept>

#include "game/core/TextCodeFormat.h"
#include "game/resources/ArchiveFormat.h"
#include "game/sprites/PackFormat.h"
#include "tools/SampleTexts.h"

namespace tools {

namespace {

using namespace game::sprites;
using namespace game::resources;
using namespace game::core;

constexpr std::int32_t kBitsPerByte = 8;

// The test pack: nine entries in three parts; one is an empty range, one a lead byte alone.
constexpr std::int32_t kTestPackEntryCount = 9;
constexpr std::size_t kTestPackEmptyEntry = 4;
constexpr std::size_t kTestPackLeadOnlyEntry = 7;

// Little-endian numbers, as the pack reader and the text loader read them.
void writeLE(Bytes& out, const std::int64_t value, const std::int32_t byteCount) {
    for (std::int32_t i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (kBitsPerByte * i)));
    }
}

// Reads a little-endian number at position of bytes [begin, end); false when it runs past end.
bool readLE(const Bytes& bytes, std::size_t& position, const std::size_t end, const std::int32_t byteCount,
            std::int64_t& value) {
    if (end < position || end - position < static_cast<std::size_t>(byteCount)) {
        return false;
    }
    value = 0;
    for (std::int32_t i = 0; i < byteCount; ++i) {
        value |= static_cast<std::int64_t>(bytes[position + static_cast<std::size_t>(i)])
                 << (kBitsPerByte * i);
    }
    position += static_cast<std::size_t>(byteCount);
    return true;
}

std::int32_t partEntryCount(const std::vector<std::int32_t>& starts, const std::int32_t entryCount,
                            const std::size_t part) {
    return (part + 1 < starts.size() ? starts[part + 1] : entryCount) - starts[part];
}

} // namespace

std::vector<Bytes> buildPackParts(const std::vector<PackEntry>& entries,
                                  const std::vector<std::int32_t>& partStarts) {
    const auto entryCount = static_cast<std::int32_t>(entries.size());
    if (entryCount > kPackMaxEntries || partStarts.empty() ||
        partStarts.size() > static_cast<std::size_t>(kPackMaxParts) || partStarts[0] != 0) {
        throw std::invalid_argument("a pack needs at most 65535 entries and parts starting at entry 0");
    }
    for (std::size_t k = 1; k < partStarts.size(); ++k) {
        if (partStarts[k] < partStarts[k - 1] || partStarts[k] > entryCount) {
            throw std::invalid_argument("pack part starts must not decrease or pass the last entry");
        }
    }
    const auto partCount = static_cast<std::int32_t>(partStarts.size());
    std::vector<Bytes> parts;
    for (std::size_t k = 0; k < partStarts.size(); ++k) {
        Bytes part;
        if (k == 0) {
            writeLE(part, entryCount, kPackEntryCountBytes);
            writeLE(part, partCount, kPackPartCountBytes);
            for (const std::int32_t start : partStarts) {
                writeLE(part, start, kPackPartStartBytes);
            }
        }
        const std::int32_t count = partEntryCount(partStarts, entryCount, k);
        std::int64_t offset = static_cast<std::int64_t>(part.size()) + packOffsetTableBytes(count);
        Bytes data;
        for (std::int32_t i = 0; i < count; ++i) {
            writeLE(part, offset, kPackOffsetBytes);
            const PackEntry& entry = entries[static_cast<std::size_t>(partStarts[k] + i)];
            if (entry.present) {
                data.push_back(entry.leadByte);
                data.insert(data.end(), entry.content.begin(), entry.content.end());
                offset += kPackLeadBytes + static_cast<std::int64_t>(entry.content.size());
            }
        }
        if (offset > INT32_MAX) {
            throw std::invalid_argument("a pack part larger than 2 GiB");
        }
        writeLE(part, offset, kPackOffsetBytes);
        part.insert(part.end(), data.begin(), data.end());
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string packPartEntryName(const std::string& packName, const std::int32_t part) {
    std::string name = packName;
    if (!name.empty() && name[0] == kArchiveNamePrefix) {
        name.erase(0, 1);
    }
    if (part == 0) {
        return name;
    }
    const std::u16string& suffix = sampleConstants()[static_cast<std::size_t>(kPackPartSuffixConstant)].text;
    return name + std::string(suffix.begin(), suffix.end()) + std::to_string(part);
}

std::vector<ArchiveEntry> packArchiveEntries(const std::string& packName, const std::vector<Bytes>& parts,
                                             const std::string& neededBy) {
    std::vector<ArchiveEntry> entries;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        entries.push_back({packPartEntryName(packName, static_cast<std::int32_t>(k)), parts[k], neededBy});
    }
    return entries;
}

bool readPackBack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                  const std::string& packName, std::vector<std::optional<Bytes>>& entries,
                  std::string& problem) {
    std::vector<const DirectoryEntry*> files;
    const auto file = [&](const std::int32_t part) -> const DirectoryEntry* {
        while (files.size() <= static_cast<std::size_t>(part)) {
            files.push_back(findDirectoryEntry(
                directory, packPartEntryName(packName, static_cast<std::int32_t>(files.size()))));
        }
        return files[static_cast<std::size_t>(part)];
    };
    if (file(0) == nullptr) {
        problem = "pack " + packName + " is missing";
        return false;
    }
    PackLayout layout;
    const bool read = readPackLayout(
        [&](const std::int32_t part) { return file(part) != nullptr ? std::int64_t{file(part)->size} : -1; },
        [&](const std::int32_t part, const std::int64_t position, std::uint8_t* into, const std::size_t n) {
            const auto from = archive.begin() + file(part)->offset + position;
            std::copy(from, from + static_cast<std::ptrdiff_t>(n), into);
            return true;
        },
        layout, problem);
    if (!read) {
        problem = "pack " + packName + ": " + problem;
        return false;
    }
    entries.assign(static_cast<std::size_t>(layout.entryCount), std::nullopt);
    for (std::size_t k = 0; k < layout.partOffsets.size(); ++k) {
        const std::vector<std::int64_t>& offsets = layout.partOffsets[k];
        const auto begin = archive.begin() + file(static_cast<std::int32_t>(k))->offset;
        for (std::size_t i = 0; i + 1 < offsets.size(); ++i) {
            std::optional<Bytes>& entry = entries[static_cast<std::size_t>(layout.partStarts[k]) + i];
            if (offsets[i] == offsets[i + 1]) {
                entry.reset();
                continue;
            }
            entry = Bytes(begin + offsets[i] + kPackLeadBytes, begin + offsets[i + 1]);
        }
    }
    return true;
}

Bytes encodeText(const std::u16string_view text) {
    Bytes bytes;
    for (const char16_t c : text) {
        game::core::encodeTextCharacter(c, bytes);
    }
    return bytes;
}

Bytes textContainer(const std::vector<Bytes>& texts) {
    Bytes container;
    writeLE(container, static_cast<std::int64_t>(texts.size()), kTextCountBytes);
    std::int64_t end = 0;
    for (const Bytes& text : texts) {
        end += static_cast<std::int64_t>(text.size());
        writeLE(container, end, kTextOffsetBytes);
    }
    for (const Bytes& text : texts) {
        container.insert(container.end(), text.begin(), text.end());
    }
    return container;
}

bool readTextContainer(const Bytes& container, std::vector<Bytes>& texts, std::string& problem) {
    std::size_t position = 0;
    std::int64_t count = 0;
    if (!readLE(container, position, container.size(), kTextCountBytes, count) ||
        textContainerHeaderBytes(count) > static_cast<std::int64_t>(container.size())) {
        problem = "the text count does not fit the container";
        return false;
    }
    std::vector<std::int64_t> ends(static_cast<std::size_t>(count));
    std::int64_t previous = 0;
    for (std::int64_t& end : ends) {
        readLE(container, position, container.size(), kTextOffsetBytes, end);
        if (end < previous) {
            problem = "the end offsets decrease";
            return false;
        }
        previous = end;
    }
    if (position + static_cast<std::size_t>(previous) != container.size()) {
        problem = "the text bytes do not end where the container does";
        return false;
    }
    texts.clear();
    std::int64_t start = 0;
    for (const std::int64_t end : ends) {
        texts.emplace_back(
            container.begin() + static_cast<std::ptrdiff_t>(position + static_cast<std::size_t>(start)),
            container.begin() + static_cast<std::ptrdiff_t>(position + static_cast<std::size_t>(end)));
        start = end;
    }
    return true;
}

std::vector<PackEntry> sampleTestPackEntries() {
    std::vector<PackEntry> entries;
    for (std::int32_t i = 0; i < kTestPackEntryCount; ++i) {
        const std::string text = "test pack entry " + std::to_string(i);
        entries.push_back({true, Bytes(text.begin(), text.end()), static_cast<std::uint8_t>(i)});
    }
    entries[kTestPackEmptyEntry] = emptyPackEntry();
    entries[kTestPackLeadOnlyEntry].content.clear();
    return entries;
}

std::vector<std::int32_t> sampleTestPackPartStarts() {
    return {0, 3, 6};
}

std::vector<ArchiveEntry> samplePackEntries() {
    const std::u16string& textPack = sampleConstants()[static_cast<std::size_t>(kTextPackConstant)].text;
    std::vector<ArchiveEntry> entries =
        packArchiveEntries(std::string(textPack.begin(), textPack.end()),
                           buildPackParts({{true, sampleTextPackage(), 0}}), "loadTextPackageEntry, getText");
    for (ArchiveEntry& part : packArchiveEntries(
             kTestPackName, buildPackParts(sampleTestPackEntries(), sampleTestPackPartStarts()),
             "pack reader tests")) {
        entries.push_back(std::move(part));
    }
    return entries;
}

void checkSamplePacks(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                      std::vector<std::string>& problems) {
    const std::u16string& textPack = sampleConstants()[static_cast<std::size_t>(kTextPackConstant)].text;
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!readPackBack(archive, directory, std::string(textPack.begin(), textPack.end()), entries, problem)) {
        problems.push_back(problem);
    } else if (entries.size() <= static_cast<std::size_t>(kTextPackageEntry) ||
               !entries[static_cast<std::size_t>(kTextPackageEntry)]) {
        problems.push_back("pack " + std::string(textPack.begin(), textPack.end()) + ": no text package");
    } else {
        for (const std::string& found :
             checkTextPackage(*entries[static_cast<std::size_t>(kTextPackageEntry)])) {
            problems.push_back(found);
        }
    }
    if (!readPackBack(archive, directory, kTestPackName, entries, problem)) {
        problems.push_back(problem);
        return;
    }
    const std::vector<PackEntry> expected = sampleTestPackEntries();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const bool same = i < entries.size() && expected[i].present == entries[i].has_value() &&
                          (!expected[i].present || expected[i].content == *entries[i]);
        if (!same) {
            problems.push_back(std::string("pack ") + kTestPackName + ": entry " + std::to_string(i) +
                               " differs");
        }
    }
}

} // namespace tools
