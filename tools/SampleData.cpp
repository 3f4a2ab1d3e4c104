// Writers of the game's data formats, the sample archive's entries, its manifest and its check.
#include "tools/SampleData.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "game/resources/ArchiveFormat.h"
#include "profile/AppDescriptorFormat.h"
#include "runtime/ConstantPoolFormat.h"
#include "runtime/ModifiedUtf8.h"
#include "tools/SampleDatabase.h"
#include "tools/SampleImageSets.h"
#include "tools/SampleMatchData.h"
#include "tools/SamplePacks.h"
#include "tools/SamplePromotion.h"
#include "tools/SampleSprites.h"

namespace tools {

namespace {

// Indexes of the constant strings that name the properties the game reads (see the table).
constexpr std::int32_t kPropertyNameConstants[] = {126, 27, 28, 31, 21, 32, 33, 35, 36, 37, 46};
constexpr char kSampleVersion[] = "1.0.0";
// Every promotion property is "0": no promotion page is switched on in the sample set.
constexpr char kPromotionOff[] = "0";
// The promotion fixture's product links and the template they are put into (C31, C27).
constexpr std::int32_t kProductsProperty = 31;
constexpr std::int32_t kTemplateProperty = 27;
constexpr char kPromotionProducts[] = "P1=http://example.invalid/p1;P2=http://example.invalid/p2";
constexpr char kPromotionTemplate[] = "http://example.invalid/?g=%ID%";
constexpr std::int32_t kPromotionFileConstant = 0;

std::string narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        out += static_cast<char>(c);
    }
    return out;
}

// Reads the big-endian numbers and strings that DataWriter writes; every read reports running out.
class DataReader {
public:
    DataReader(const Bytes& data, std::size_t position, std::size_t end)
        : data(data), position(position), end(end) {}
    bool readShort(std::int32_t& value) {
        if (end - position < 2) {
            return false;
        }
        value = static_cast<std::int16_t>((data[position] << 8) | data[position + 1]);
        position += 2;
        return true;
    }
    bool readInt(std::int32_t& value) {
        if (end - position < 4) {
            return false;
        }
        value = static_cast<std::int32_t>((std::uint32_t{data[position]} << 24) |
                                          (std::uint32_t{data[position + 1]} << 16) |
                                          (std::uint32_t{data[position + 2]} << 8) | data[position + 3]);
        position += 4;
        return true;
    }
    bool readUTF(std::u16string& text) {
        std::int32_t length = 0;
        if (!readShort(length)) {
            return false;
        }
        length &= 0xFFFF;
        if (end - position < static_cast<std::size_t>(length)) {
            return false;
        }
        std::vector<runtime::jchar> decoded(static_cast<std::size_t>(length) + 1);
        const runtime::jint count =
            runtime::decodeModifiedUtf8(data.data() + position, length, decoded.data());
        if (count < 0) {
            return false;
        }
        text.assign(decoded.begin(), decoded.begin() + count);
        position += static_cast<std::size_t>(length);
        return true;
    }
    bool atEnd() const { return position == end; }

private:
    const Bytes& data;
    std::size_t position;
    std::size_t end;
};

void checkConstantPool(const Bytes& archive, const DirectoryEntry& entry,
                       std::vector<std::string>& problems) {
    DataReader reader(archive, static_cast<std::size_t>(entry.offset),
                      static_cast<std::size_t>(entry.offset) + static_cast<std::size_t>(entry.size));
    std::int32_t count = 0;
    if (!reader.readInt(count)) {
        problems.push_back("constants.bin: no count");
        return;
    }
    if (count < kSampleConstantCount) {
        problems.push_back("constants.bin: " + std::to_string(count) + " strings, the game needs " +
                           std::to_string(kSampleConstantCount));
    }
    for (std::int32_t index = 0; index < count; ++index) {
        std::u16string text;
        if (!reader.readUTF(text)) {
            problems.push_back("constants.bin: string " + std::to_string(index) +
                               " is cut off or not modified UTF-8");
            return;
        }
        if (index == 1 && !text.empty()) {
            problems.push_back("constants.bin: string 1 must be the empty text");
        }
    }
    if (!reader.atEnd()) {
        problems.push_back("constants.bin: bytes after the last string");
    }
}

void checkAppDescriptor(const Bytes& archive, const DirectoryEntry& entry,
                        std::vector<std::string>& problems) {
    const std::string text(archive.begin() + entry.offset, archive.begin() + entry.offset + entry.size);
    if (!text.empty() && text.back() != '\n') {
        problems.push_back("app.jad: the last line has no line feed");
    }
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        const std::size_t colon = line.find(profile::kPropertySeparator);
        if (colon == std::string::npos) {
            problems.push_back("app.jad: a line without '" + std::string(1, profile::kPropertySeparator) +
                               "'");
        } else {
            keys.push_back(line.substr(0, colon));
        }
        start = end + 1;
    }
    for (const std::int32_t index : kPropertyNameConstants) {
        const std::string key = narrow(sampleConstants()[static_cast<std::size_t>(index)].text);
        bool found = false;
        for (const std::string& present : keys) {
            found = found || present == key;
        }
        if (!found) {
            problems.push_back("app.jad: no property " + key + " (constant " + std::to_string(index) + ")");
        }
    }
}

std::uint32_t checksum(const Bytes& bytes) {
    std::uint32_t hash = 2166136261u;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 16777619u;
    }
    return hash;
}

std::string constantPoolEntryName() {
    return std::string(runtime::kConstantPoolResource + 1);
}

} // namespace

void DataWriter::writeByte(const std::int32_t value) {
    data.push_back(static_cast<std::uint8_t>(value));
}

void DataWriter::writeShort(const std::int32_t value) {
    writeByte(value >> 8);
    writeByte(value);
}

void DataWriter::writeInt(const std::int32_t value) {
    writeByte(value >> 24);
    writeByte(value >> 16);
    writeByte(value >> 8);
    writeByte(value);
}

void DataWriter::writeUTF(const std::u16string_view text) {
    std::string encoded;
    if (!runtime::encodeModifiedUtf8(text, encoded)) {
        throw std::length_error("string longer than 65535 bytes of modified UTF-8");
    }
    writeShort(static_cast<std::int32_t>(encoded.size()));
    data.insert(data.end(), encoded.begin(), encoded.end());
}

void DataWriter::writeBytes(const Bytes& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
}

Bytes buildArchive(const std::vector<ArchiveEntry>& entries) {
    using namespace game::resources;
    if (entries.size() > static_cast<std::size_t>(kArchiveMaxEntries)) {
        throw std::invalid_argument("too many archive entries");
    }
    const std::string suffix = kArchiveFileSuffix;
    std::int64_t directorySize = kArchiveCountBytes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].name;
        if (!name.empty() && name[0] == kArchiveNamePrefix) {
            throw std::invalid_argument("archive entry " + name + " has a leading '/'");
        }
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            throw std::invalid_argument("archive entry " + name + " ends in .bar and could never be opened");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (game::resources::archiveNamesMatch(entries[j].name, name)) {
                throw std::invalid_argument("archive entries " + entries[j].name + " and " + name +
                                            " collide");
            }
        }
        std::string encoded;
        runtime::encodeModifiedUtf8(std::u16string(name.begin(), name.end()), encoded);
        directorySize += kArchiveEntryFixedBytes + static_cast<std::int64_t>(encoded.size());
    }
    DataWriter directory;
    directory.writeShort(static_cast<std::int32_t>(entries.size()));
    std::int64_t offset = directorySize;
    for (const ArchiveEntry& entry : entries) {
        if (offset + static_cast<std::int64_t>(entry.bytes.size()) > INT32_MAX) {
            throw std::invalid_argument("archive larger than 2 GiB");
        }
        directory.writeUTF(std::u16string(entry.name.begin(), entry.name.end()));
        directory.writeInt(static_cast<std::int32_t>(offset));
        directory.writeInt(static_cast<std::int32_t>(entry.bytes.size()));
        offset += static_cast<std::int64_t>(entry.bytes.size());
    }
    Bytes archive = directory.bytes();
    for (const ArchiveEntry& entry : entries) {
        archive.insert(archive.end(), entry.bytes.begin(), entry.bytes.end());
    }
    return archive;
}

const DirectoryEntry* findDirectoryEntry(const std::vector<DirectoryEntry>& entries, std::string name) {
    if (!name.empty() && name[0] == game::resources::kArchiveNamePrefix) {
        name.erase(0, 1);
    }
    for (const DirectoryEntry& entry : entries) {
        if (game::resources::archiveNamesMatch(entry.name, name)) {
            return &entry;
        }
    }
    return nullptr;
}

bool readArchiveDirectory(const Bytes& archive, std::vector<DirectoryEntry>& entries, std::string& problem) {
    std::size_t position = 0;
    const auto read = [&](std::uint8_t* into, const std::size_t count) {
        if (archive.size() - position < count) {
            return false;
        }
        std::copy_n(archive.begin() + static_cast<std::ptrdiff_t>(position), count, into);
        position += count;
        return true;
    };
    return game::resources::readArchiveDirectory(read, archive.size(), entries, problem);
}

Bytes constantPoolBytes(const std::vector<std::u16string>& texts) {
    DataWriter writer;
    writer.writeInt(static_cast<std::int32_t>(texts.size()));
    for (const std::u16string& text : texts) {
        writer.writeUTF(text);
    }
    return writer.bytes();
}

namespace {

// app.jad's lines: the names and version, then each property the game reads with the value
// valueOf gives for its constant.
template <typename ValueOf> std::string appDescriptor(ValueOf valueOf) {
    const std::vector<ConstantText>& pool = sampleConstants();
    std::string text = "MIDlet-Name: Tarnwick\nMIDlet-Vendor: Brenvale\n";
    for (const std::int32_t index : kPropertyNameConstants) {
        const std::string key = narrow(pool[static_cast<std::size_t>(index)].text);
        text += key + profile::kPropertySeparator + ' ' + valueOf(index) + '\n';
    }
    return text;
}

} // namespace

std::string sampleAppDescriptor() {
    return appDescriptor([](const std::int32_t index) -> std::string {
        return index == 126 ? kSampleVersion : kPromotionOff;
    });
}

std::string promotionAppDescriptor() {
    return appDescriptor([](const std::int32_t index) -> std::string {
        switch (index) {
        case 126:
            return kSampleVersion;
        case kProductsProperty:
            return kPromotionProducts;
        case kTemplateProperty:
            return kPromotionTemplate;
        default:
            return kPromotionOff;
        }
    });
}

std::string sampleConstantText(const std::int32_t index) {
    return narrow(sampleConstants()[static_cast<std::size_t>(index)].text);
}

std::vector<ArchiveEntry> sampleEntries() {
    std::vector<std::u16string> texts;
    for (const ConstantText& constant : sampleConstants()) {
        texts.push_back(constant.text);
    }
    const std::string descriptor = sampleAppDescriptor();
    std::vector<ArchiveEntry> entries = {
        {constantPoolEntryName(), constantPoolBytes(texts), "loadConstantPool"},
        {profile::kAppDescriptorResource, Bytes(descriptor.begin(), descriptor.end()), "loadAppDescriptor"},
        {narrow(sampleConstants()[kPromotionFileConstant].text), samplePromotionData(),
         "IGP::readDataIndex, IGP::readDataEntry"},
    };
    for (ArchiveEntry& pack : samplePackEntries()) {
        entries.push_back(std::move(pack));
    }
    for (ArchiveEntry& pack : sampleSpritePackEntries()) {
        entries.push_back(std::move(pack));
    }
    for (ArchiveEntry& pack : sampleDatabasePackEntries()) {
        entries.push_back(std::move(pack));
    }
    for (ArchiveEntry& pack : samplePitchPackEntries()) {
        entries.push_back(std::move(pack));
    }
    for (ArchiveEntry& pack : sampleMatchDataPackEntries()) {
        entries.push_back(std::move(pack));
    }
    return entries;
}

std::string manifest(const std::vector<ArchiveEntry>& entries) {
    std::string text = "# entry\tsize\tfnv1a32\tneeded by\n";
    for (const ArchiveEntry& entry : entries) {
        char hash[16];
        std::snprintf(hash, sizeof hash, "%08x", checksum(entry.bytes));
        text += entry.name + '\t' + std::to_string(entry.bytes.size()) + '\t' + hash + '\t' + entry.neededBy +
                '\n';
    }
    return text;
}

std::vector<std::string> validateSampleArchive(const Bytes& archive) {
    std::vector<std::string> problems;
    std::vector<DirectoryEntry> entries;
    std::string problem;
    if (!readArchiveDirectory(archive, entries, problem)) {
        problems.push_back("data.bar: " + problem);
        return problems;
    }
    for (const ArchiveEntry& expected : sampleEntries()) {
        if (findDirectoryEntry(entries, expected.name) == nullptr) {
            problems.push_back("data.bar: no entry " + expected.name + " (needed by " + expected.neededBy +
                               ")");
        }
    }
    if (const DirectoryEntry* pool = findDirectoryEntry(entries, runtime::kConstantPoolResource)) {
        checkConstantPool(archive, *pool, problems);
    }
    if (const DirectoryEntry* descriptor = findDirectoryEntry(entries, profile::kAppDescriptorResource)) {
        checkAppDescriptor(archive, *descriptor, problems);
    }
    checkSamplePacks(archive, entries, problems);
    checkSampleSpritePacks(archive, entries, problems);
    checkSampleDatabasePack(archive, entries, problems);
    checkSampleImageSets(archive, entries, problems);
    checkSampleMatchData(archive, entries, problems);
    checkSamplePromotionData(archive, entries, problems);
    return problems;
}

std::string constantsTable() {
    std::string table = "| # | text | holds |\n|---|---|---|\n";
    for (const ConstantText& constant : sampleConstants()) {
        if (std::string(constant.role) == "unused") {
            continue;
        }
        std::string text;
        for (const char16_t c : constant.text) {
            if (c == 0x20AC) {
                text += "\u20AC";
            } else if (c == 0xA3) {
                text += "\u00A3";
            } else if (c == '|') {
                text += "\\|";
            } else if (c == '`') {
                text += "\\`";
            } else {
                text += static_cast<char>(c);
            }
        }
        table += "| " + std::to_string(constant.index) + " | \"" + text + "\" | " + constant.role + " |\n";
    }
    return table;
}

} // namespace tools
