// Writes the seed inputs of the fuzz targets: fuzz_make_seeds <corpus folder> puts a handful of
// small valid inputs into <corpus folder>/<target>/, made with the sample data generator's writers
// and the test fixtures. The fuzzers grow the corpus from there.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "game/resources/DataSets.h"
#include "tests/profile/WavBytes.h"
#include "tools/SampleData.h"
#include "tools/SampleDatabase.h"
#include "tools/SampleImageSets.h"
#include "tools/SamplePacks.h"
#include "tools/SamplePromotion.h"
#include "tools/SampleSprites.h"
#include "tools/SampleTexts.h"

namespace {

using tools::Bytes;
using tools::DataWriter;

std::filesystem::path corpus;

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::filesystem::path folder = corpus / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes fixture(const std::string& name) {
    std::ifstream in(std::string(TARNWICK_FIXTURES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes joined(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<std::u16string> sampleTexts() {
    std::vector<std::u16string> texts;
    for (const tools::ConstantText& text : tools::sampleConstants()) {
        texts.push_back(text.text);
    }
    return texts;
}

void archiveSeeds() {
    seed("archive", "sample", tools::buildArchive(tools::sampleEntries()));
    seed("archive", "empty", tools::buildArchive({}));
    seed("archive", "two-entries",
         tools::buildArchive({{"constants.bin", tools::constantPoolBytes({u"a", u"bc"}), ""},
                              {"app.jad", bytesOf("MIDlet-Version: 1.0\n"), ""}}));
    // Names equal but for case, and an entry that runs past the end of the file.
    DataWriter writer;
    writer.writeShort(3);
    writer.writeUTF(u"a");
    writer.writeInt(35);
    writer.writeInt(1);
    writer.writeUTF(u"A");
    writer.writeInt(36);
    writer.writeInt(1);
    writer.writeUTF(u"z");
    writer.writeInt(36);
    writer.writeInt(9);
    writer.writeBytes(bytesOf("12"));
    seed("archive", "case-and-overrun", writer.bytes());
}

void constantPoolSeeds() {
    seed("constant_pool", "sample", tools::constantPoolBytes(sampleTexts()));
    seed("constant_pool", "empty", tools::constantPoolBytes({}));
    seed("constant_pool", "mixed",
         tools::constantPoolBytes(
             {u"", u"a", u"\u00e9\u20ac", std::u16string(1, u'\0'), std::u16string(40, u'x')}));
}

void appDescriptorSeeds() {
    const std::string sample = tools::sampleAppDescriptor();
    seed("app_descriptor", "sample", bytesOf(sample));
    std::string crlf;
    for (const char c : sample) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    seed("app_descriptor", "crlf", bytesOf(crlf));
    seed("app_descriptor", "odd-lines",
         bytesOf("no separator\n\n  Key :  a: b  \n:\nLast: line without end"));
    seed("app_descriptor", "empty", {});
}

void readUtfSeeds() {
    DataWriter strings;
    strings.writeUTF(u"constants.bin");
    strings.writeUTF(u"");
    strings.writeUTF(u"\u00e9t\u00e9 \u20ac");
    strings.writeUTF(std::u16string(1, u'\0'));
    seed("read_utf", "strings", joined({0}, strings.bytes()));
    // Three operations first: readInt, mark, readShort; then strings.
    DataWriter mixed;
    mixed.writeInt(7);
    mixed.writeShort(-2);
    mixed.writeUTF(u"after the numbers");
    seed("read_utf", "numbers-first", joined({3, 0x05, 0x08, 0x03}, mixed.bytes()));
    seed("read_utf", "cut-off", joined({0}, {0x00, 0x05, 'a', 'b'}));
}

void stringDecoderSeeds() {
    // Byte 0 picks the encoding (1 "UTF-8", 7 "ISO-8859-1", 10 "SJIS"), byte 1 the whole range.
    const std::string utf8 = "Z\xc3\xbcrich \xe2\x82\xac 5";
    seed("string_decoders", "utf8", joined({1, 0}, bytesOf(utf8)));
    seed("string_decoders", "latin1", joined({7, 0}, bytesOf("caf\xe9 \xa3")));
    seed("string_decoders", "sjis", joined({10, 0}, bytesOf("ABC\x82\xa0\x83\x41\xb1")));
    // A part of the bytes: offset 2 (mode 1, amount 2).
    seed("string_decoders", "utf8-part", joined({1, 1 | (2 << 2)}, bytesOf(utf8)));
}

void soundSeeds() {
    using profile::testing::makeWav;
    using profile::testing::sampleBytes;
    seed("wav", "mono-8bit", makeWav(1, 8000, 8, {0x80, 0xC0, 0xFF, 0xC0, 0x80, 0x40, 0x00, 0x40}));
    seed("wav", "stereo-16bit",
         makeWav(2, 22050, 16, sampleBytes({0, 1000, -1000, 32767, -32768, 0, 5, -5})));
    seed("wav", "short-data", makeWav(1, 11025, 16, sampleBytes({100, -100, 200}), 600));
    // A longer format chunk and a chunk before the samples.
    Bytes extended = makeWav(1, 16000, 16, sampleBytes({1, 2, 3, 4}));
    extended[16] = 18;
    extended.insert(extended.begin() + 36, {0, 0});
    const Bytes list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    extended.insert(extended.begin() + 38, list.begin(), list.end());
    seed("wav", "extended", extended);
    seed("ogg", "tone-mono", fixture("sound/tone-mono.ogg"));
    seed("ogg", "tone-stereo", fixture("sound/tone-stereo.ogg"));
}

// Byte 0 the index length, bytes 1-4 those of records 1-4 (255: no file), then the files.
Bytes recordStoreInput(const DataWriter& index, const std::vector<Bytes>& records) {
    Bytes input = {static_cast<std::uint8_t>(index.bytes().size())};
    for (std::size_t i = 0; i < 4; ++i) {
        input.push_back(i < records.size() ? static_cast<std::uint8_t>(records[i].size()) : 255);
    }
    input = joined(input, index.bytes());
    for (const Bytes& record : records) {
        input = joined(input, record);
    }
    return input;
}

DataWriter recordIndex(const std::int32_t lastId, const std::vector<std::int32_t>& ids) {
    DataWriter index;
    index.writeInt(lastId);
    index.writeInt(static_cast<std::int32_t>(ids.size()));
    for (const std::int32_t id : ids) {
        index.writeInt(id);
    }
    return index;
}

void recordStoreSeeds() {
    seed("record_store", "two-records",
         recordStoreInput(recordIndex(2, {1, 2}), {bytesOf("abc"), bytesOf("hello")}));
    seed("record_store", "empty-store", recordStoreInput(recordIndex(0, {}), {}));
    seed("record_store", "no-index", {255, 255, 255, 255, 255});
    // A deleted record: listed no more, its file emptied.
    seed("record_store", "gap", recordStoreInput(recordIndex(3, {1, 3}), {bytesOf("x"), {}, bytesOf("zz")}));
    DataWriter cut = recordIndex(5, {1, 2, 4});
    Bytes cutBytes(cut.bytes().begin(), cut.bytes().end() - 6);
    DataWriter cutIndex;
    cutIndex.writeBytes(cutBytes);
    seed("record_store", "index-cut-short", recordStoreInput(cutIndex, {bytesOf("1")}));
}

// Pieces framed as the game targets read them: a 24-bit little-endian length, then the bytes.
Bytes framed(const std::vector<Bytes>& pieces) {
    Bytes out;
    for (const Bytes& piece : pieces) {
        for (int shift = 0; shift < 24; shift += 8) {
            out.push_back(static_cast<std::uint8_t>(piece.size() >> shift));
        }
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

void resourcePackSeeds() {
    // The walk: forwards, back to the start, past the end, then part switches.
    const Bytes walk = {1, 2, 3, 9, 1, 0, 255, 7, 4, 5};
    const std::vector<Bytes> testPack =
        tools::buildPackParts(tools::sampleTestPackEntries(), tools::sampleTestPackPartStarts());
    seed("resource_pack", "sample-test-pack",
         joined(joined({static_cast<std::uint8_t>(testPack.size())}, framed(testPack)), walk));
    // Skips read through the skip buffer.
    seed("resource_pack", "skip-by-reading",
         joined(joined({static_cast<std::uint8_t>(0x80 | testPack.size())}, framed(testPack)), walk));
    std::vector<tools::PackEntry> entries;
    for (std::uint8_t i = 0; i < 6; ++i) {
        entries.push_back({i != 3, Bytes(i * 3u, static_cast<std::uint8_t>('a' + i)), i});
    }
    const std::vector<Bytes> two = tools::buildPackParts(entries, {0, 4});
    seed("resource_pack", "two-parts", joined(joined({2}, framed(two)), walk));
}

void spriteSeeds() {
    seed("sprite", "font", joined({11}, tools::sampleFontSprite()));
    seed("sprite", "table-2", joined({2}, tools::sampleTableSprite(2)));
    seed("sprite", "menu-icons", joined({6}, tools::sampleMenuSprite(tools::MenuSpriteRole::kIcons)));
}

void textPackageSeeds() {
    seed("text_package", "sample", tools::sampleTextPackage());
    seed(
        "text_package", "small",
        tools::textContainer({tools::encodeText(u"Tarnwick"), {}, tools::encodeText(u"\u00e9t\u00e9 {W}5")}));
}

void palettedImageSeeds() {
    seed("paletted_image", "status-icons", joined({0, 0}, tools::sampleStatusIconStrip()));
    seed("paletted_image", "status-icons-strips", joined({1, 3}, tools::sampleStatusIconStrip()));
}

void promotionSeeds() {
    seed("promotion_data", "sample", tools::samplePromotionData());
}

void databaseSeeds() {
    const std::vector<tools::ArchiveEntry> pack = tools::sampleDatabasePackEntries();
    const Bytes archive = tools::buildArchive(pack);
    std::vector<tools::DirectoryEntry> directory;
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!tools::readArchiveDirectory(archive, directory, problem) ||
        !tools::readPackBack(archive, directory, pack.front().name, entries, problem)) {
        std::fprintf(stderr, "the sample database pack does not read back: %s\n", problem.c_str());
        std::exit(1);
    }
    std::vector<Bytes> contents;
    for (const std::optional<Bytes>& entry : entries) {
        contents.push_back(entry.value_or(Bytes{}));
    }
    seed("database_tables", "sample", framed(contents));
}

void dataSetSeeds() {
    using namespace game::resources;
    // Byte 0 the data set (in the target's order), byte 1 the index state, then record 1.
    const std::size_t lengths[] = {kThreeStaticsBytes,   kTransferTableBytes, kSetupRecordBytes,
                                   kManagerProfileBytes, kInboxRecordBytes,   kTeamByteTableBytes};
    for (std::uint8_t set = 0; set < std::size(lengths); ++set) {
        Bytes record(lengths[set]);
        for (std::size_t i = 0; i < record.size(); ++i) {
            record[i] = static_cast<std::uint8_t>(i * 7 + set);
        }
        seed("data_sets", "set-" + std::to_string(set), joined({set, 0}, record));
    }
    // The settings with a count damaged downwards, and a store that lists another record.
    seed("data_sets", "settings-count-damaged", {0, 1, 2, 1, 3});
    seed("data_sets", "settings-other-record", {0, 4, 2, 1, 3});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    corpus = argv[1];
    archiveSeeds();
    constantPoolSeeds();
    appDescriptorSeeds();
    readUtfSeeds();
    stringDecoderSeeds();
    soundSeeds();
    recordStoreSeeds();
    resourcePackSeeds();
    spriteSeeds();
    textPackageSeeds();
    palettedImageSeeds();
    promotionSeeds();
    databaseSeeds();
    dataSetSeeds();
    return 0;
}
