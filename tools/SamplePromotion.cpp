// The sample promotion data file (see SamplePromotion.h).
#include "tools/SamplePromotion.h"

#include <cstddef>
#include <cstdint>

namespace tools {

namespace {

constexpr std::int32_t kFileNameConstant = 0;
constexpr std::int32_t kCodeVersionConstant = 66;
constexpr int kCountBytes = 2;
constexpr int kOffsetBytes = 4;

std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

void putLE(Bytes& out, const std::uint32_t value, const int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A byte string: u16 length, then one byte per character.
void putText(Bytes& out, const std::string& text) {
    putLE(out, static_cast<std::uint32_t>(text.size()), 2);
    out.insert(out.end(), text.begin(), text.end());
}

void putTextList(Bytes& out, const std::vector<std::string>& texts) {
    putLE(out, static_cast<std::uint32_t>(texts.size()), 2);
    for (const std::string& text : texts) {
        putText(out, text);
    }
}

// Little-endian reads over [position, end) that report running out.
struct LEReader {
    const Bytes& data;
    std::size_t position;
    std::size_t end;

    bool read(const int width, std::uint32_t& value) {
        if (end - position < static_cast<std::size_t>(width)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < width; ++i) {
            value |= std::uint32_t{data[position + static_cast<std::size_t>(i)]} << (8 * i);
        }
        position += static_cast<std::size_t>(width);
        return true;
    }
};

} // namespace

const PromotionConfiguration& samplePromotionConfiguration() {
    static const PromotionConfiguration configuration = {narrow(sampleConstants()[kCodeVersionConstant].text),
                                                         {"EN"},
                                                         {"P1"},
                                                         {{"L1"}, {"L2"}, {"L3"}},
                                                         "NARROW"};
    return configuration;
}

Bytes buildPromotionFile(const std::vector<Bytes>& entries) {
    Bytes out;
    putLE(out, static_cast<std::uint32_t>(entries.size() + 1), kCountBytes);
    std::uint32_t offset = 0;
    putLE(out, offset, kOffsetBytes);
    for (const Bytes& entry : entries) {
        offset += static_cast<std::uint32_t>(entry.size());
        putLE(out, offset, kOffsetBytes);
    }
    for (const Bytes& entry : entries) {
        out.insert(out.end(), entry.begin(), entry.end());
    }
    return out;
}

Bytes promotionConfigurationEntry(const PromotionConfiguration& configuration) {
    Bytes out;
    putLE(out, 0, 2); // skipped by the reader
    putText(out, configuration.version);
    putTextList(out, configuration.languages);
    putTextList(out, configuration.products);
    for (const std::vector<std::string>& list : configuration.lists) {
        putTextList(out, list);
    }
    for (int i = 0; i < kPromotionSwitches; ++i) {
        putLE(out, 0, 2);
    }
    putText(out, configuration.fontVersion);
    return out;
}

Bytes samplePromotionData() {
    std::vector<Bytes> entries(kPromotionEntryCount);
    entries[0] = promotionConfigurationEntry(samplePromotionConfiguration());
    return buildPromotionFile(entries);
}

void checkSamplePromotionData(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                              std::vector<std::string>& problems) {
    const std::string name = narrow(sampleConstants()[kFileNameConstant].text);
    const DirectoryEntry* file = findDirectoryEntry(directory, name);
    if (file == nullptr) {
        problems.push_back("promotion data " + name + " is missing");
        return;
    }
    const std::size_t start = static_cast<std::size_t>(file->offset);
    LEReader in{archive, start, start + static_cast<std::size_t>(file->size)};
    std::uint32_t count = 0;
    std::vector<std::uint32_t> offsets;
    if (in.read(kCountBytes, count)) {
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t offset = 0;
            if (!in.read(kOffsetBytes, offset) || (!offsets.empty() && offset < offsets.back())) {
                break;
            }
            offsets.push_back(offset);
        }
    }
    if (count != kPromotionEntryCount + 1 || offsets.size() != count ||
        in.end - in.position != offsets.back()) {
        problems.push_back("promotion data " + name + ": index cut short or out of order");
        return;
    }
    const Bytes expected = promotionConfigurationEntry(samplePromotionConfiguration());
    const auto first = archive.begin() + static_cast<std::ptrdiff_t>(in.position + offsets[0]);
    if (Bytes(first, first + static_cast<std::ptrdiff_t>(offsets[1] - offsets[0])) != expected) {
        problems.push_back("promotion data " + name + ": entry 0 is not the sample configuration");
    }
}

} // namespace tools
