// The generator's pack and text-container writers, its text package and the check it runs.
#include "tools/SamplePacks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/SampleTexts.h"

namespace tools {
namespace {

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

bool anyContains(const std::vector<std::string>& problems, const std::string& part) {
    for (const std::string& problem : problems) {
        if (problem.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(SamplePacks, PartFilesAreHeaderOffsetsAndEntriesLittleEndian) {
    const std::vector<Bytes> parts =
        buildPackParts({{true, bytesOf("ab"), 7}, emptyPackEntry(), {true, {}, 9}}, {0, 2});
    ASSERT_EQ(parts.size(), 2u);
    // E 3, P 2, starts 0 and 2, part 0's three offsets (20, 23, 23), then its one entry.
    const Bytes first = {3, 0, 2, 0, 0, 0, 2, 0, 20, 0, 0, 0, 23, 0, 0, 0, 23, 0, 0, 0, 7, 'a', 'b'};
    const Bytes second = {8, 0, 0, 0, 9, 0, 0, 0, 9};
    EXPECT_EQ(parts[0], first);
    EXPECT_EQ(parts[1], second);
}

TEST(SamplePacks, RefusesPartStartsTheReaderWouldRefuse) {
    const std::vector<PackEntry> three(3, emptyPackEntry());
    const std::vector<std::vector<std::int32_t>> refused = {{}, {1}, {0, 4}, {0, 2, 1}};
    for (const auto& starts : refused) {
        EXPECT_THROW(buildPackParts(three, starts), std::invalid_argument) << starts.size();
    }
    EXPECT_THROW(buildPackParts(std::vector<PackEntry>(65536, emptyPackEntry())), std::invalid_argument);
}

TEST(SamplePacks, PartNamesJoinTheSuffixConstantAndDropOneSlash) {
    EXPECT_EQ(packPartEntryName("text", 0), "text");
    EXPECT_EQ(packPartEntryName("text", 1), "text.1");
    EXPECT_EQ(packPartEntryName("/2", 0), "2");
    EXPECT_EQ(packPartEntryName("/2", 12), "2.12");
}

TEST(SamplePacks, PacksReadBackAsWrittenAndMissingPartsAreNamed) {
    const std::vector<PackEntry> written = sampleTestPackEntries();
    const Bytes archive = buildArchive(
        packArchiveEntries(kTestPackName, buildPackParts(written, sampleTestPackPartStarts()), ""));
    std::vector<DirectoryEntry> directory;
    std::string problem;
    ASSERT_TRUE(readArchiveDirectory(archive, directory, problem)) << problem;
    std::vector<std::optional<Bytes>> read;
    ASSERT_TRUE(readPackBack(archive, directory, kTestPackName, read, problem)) << problem;
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(read[i].has_value(), written[i].present) << i;
        EXPECT_EQ(read[i].value_or(Bytes{}), written[i].content) << i;
    }
    directory.erase(directory.begin() + 1);
    EXPECT_FALSE(readPackBack(archive, directory, kTestPackName, read, problem));
    EXPECT_EQ(problem, "pack testpack: part file 1 is missing");
}

TEST(SamplePacks, TextContainerAndCharacterCode) {
    const Bytes container = textContainer({bytesOf("A"), {}, bytesOf("bc")});
    const Bytes expected = {3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 'A', 'b', 'c'};
    EXPECT_EQ(container, expected);
    EXPECT_EQ(encodeText(u"A\u0080\u01FF\uFFFF"), (Bytes{0x41, 0x81, 0x00, 0x83, 0x7F, 0x83, 0xFF, 0x7F}));
    std::vector<Bytes> texts;
    std::string problem;
    ASSERT_TRUE(readTextContainer(container, texts, problem)) << problem;
    EXPECT_EQ(texts, (std::vector<Bytes>{bytesOf("A"), {}, bytesOf("bc")}));
    Bytes longer = container;
    longer.push_back('x');
    EXPECT_FALSE(readTextContainer(longer, texts, problem));
}

TEST(SampleTexts, TheTextsTheDataContractFixes) {
    const std::vector<std::u16string>& texts = sampleTexts();
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kSampleTextCount));
    const struct {
        int id;
        std::u16string text;
    } fixed[] = {
        {140, u"1st"},   {141, u"2nd"},  {143, u"4th"},  {150, u"11th"}, {151, u"12th"}, {161, u"22nd"},
        {163, u"24th"},  {164, u"28th"}, {165, u"26th"}, {166, u"K"},    {167, u"$"},    {234, u"M"},
        {545, u"inbox"}, {419, u"GK"},   {807, u"GK"},   {808, u"RB"},   {809, u"CB"},   {810, u"LB"},
        {811, u"CDM"},   {812, u"LDM"},  {813, u"RWB"},  {814, u"RM"},   {815, u"CM"},   {816, u"LM"},
        {817, u"AM"},    {818, u"CF"},   {819, u"LF"},   {820, u"ST"},   {0, u"T0"},     {1101, u"T1101"},
    };
    for (const auto& f : fixed) {
        EXPECT_EQ(texts[static_cast<std::size_t>(f.id)], f.text) << f.id;
    }
    // League and region names are one wording: the region table reuses the league table's texts.
    for (const int id : {173, 174, 175, 176, 177, 342, 345, 346, 349, 477, 478}) {
        EXPECT_FALSE(texts[static_cast<std::size_t>(id)].empty()) << id;
        EXPECT_EQ(texts[static_cast<std::size_t>(id)].find(u' '), std::u16string::npos) << id;
    }
}

TEST(SampleTexts, TheSamplePackagePassesItsCheck) {
    EXPECT_EQ(checkTextPackage(sampleTextPackage()), std::vector<std::string>{});
}

TEST(SampleTexts, TheCheckNamesWhatIsWrong) {
    struct Case {
        int id;
        std::u16string text;
        std::string problem;
    };
    const Case cases[] = {
        {5, u"", "text 5 is empty"},
        {10, u"a{b", "markup the texts do not use"},
        {11, u"a|b", "markup the texts do not use"},
        {12, u"10$", "a currency sign outside the money texts"},
        {13, u"tab\there", "a character the sprite font cannot draw"},
        {14, u"caf\u00E9", "a character outside ASCII"},
        {922, u"Move him?", "text 922 lacks the marker of constant 177"},
        {805, u"#A5 #A6", "text 805 lacks the marker of constant 252"},
    };
    for (const Case& c : cases) {
        std::vector<Bytes> coded;
        for (const std::u16string& text : sampleTexts()) {
            coded.push_back(encodeText(text));
        }
        coded[static_cast<std::size_t>(c.id)] = encodeText(c.text);
        EXPECT_TRUE(anyContains(checkTextPackage(textContainer(coded)), c.problem)) << c.problem;
    }
    std::vector<Bytes> fewer;
    for (int id = 0; id < kSampleTextCount - 1; ++id) {
        fewer.push_back(encodeText(sampleTexts()[static_cast<std::size_t>(id)]));
    }
    EXPECT_TRUE(anyContains(checkTextPackage(textContainer(fewer)), "1103 texts"));
    EXPECT_TRUE(anyContains(checkTextPackage(Bytes{1, 0}), "text package:"));
}

TEST(SampleTexts, TheArchiveCheckReadsThePacksBack) {
    std::vector<ArchiveEntry> entries = sampleEntries();
    EXPECT_EQ(validateSampleArchive(buildArchive(entries)), std::vector<std::string>{});
    for (ArchiveEntry& entry : entries) {
        if (entry.name == "testpack.2") {
            entry.bytes.back() ^= 1;
        }
        if (entry.name == "text") {
            entry.bytes.resize(entry.bytes.size() - 1);
        }
    }
    const std::vector<std::string> problems = validateSampleArchive(buildArchive(entries));
    EXPECT_TRUE(anyContains(problems, "pack testpack: entry 8 differs"));
    EXPECT_TRUE(anyContains(problems, "text: offset"));
}

} // namespace
} // namespace tools
