// The sample data writers: the archive layout, the rules its names obey, and the generator's check.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {
namespace {

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(SampleArchive, DirectoryThenEntriesBackToBack) {
    const Bytes archive = buildArchive({{"ab", bytesOf("xyz"), ""}, {"c", bytesOf("Q"), ""}});
    // count 2; "ab" at 2 + (2+2+8) + (2+1+8) = 25, size 3; "c" at 28, size 1.
    const Bytes expected = {0,   2,                                       //
                            0,   2,   'a', 'b', 0, 0, 0,  25, 0, 0, 0, 3, //
                            0,   1,   'c', 0,   0, 0, 28, 0,  0, 0, 1,    //
                            'x', 'y', 'z', 'Q'};
    EXPECT_EQ(archive, expected);
    std::vector<DirectoryEntry> entries;
    std::string problem;
    ASSERT_TRUE(readArchiveDirectory(archive, entries, problem)) << problem;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, "c");
    EXPECT_EQ(entries[1].offset, 28);
    EXPECT_EQ(entries[1].size, 1);
}

TEST(SampleArchive, RefusesNamesTheGameCouldNotOpen) {
    const std::vector<std::vector<ArchiveEntry>> refused = {
        {{"/constants.bin", {}, ""}},
        {{"other.bar", {}, ""}},
        {{"Text", {}, ""}, {"text", {}, ""}},
    };
    for (const auto& entries : refused) {
        EXPECT_THROW(buildArchive(entries), std::invalid_argument) << entries.back().name;
    }
}

TEST(SampleArchive, ModifiedUtf8OfTheConstantPool) {
    const Bytes pool = constantPoolBytes({u"", u"A\u00E9", u"\u20AC", std::u16string(1, u'\0')});
    const Bytes expected = {0, 0, 0,    4,          //
                            0, 0,                   //
                            0, 3, 'A',  0xC3, 0xA9, //
                            0, 3, 0xE2, 0x82, 0xAC, //
                            0, 2, 0xC0, 0x80};
    EXPECT_EQ(pool, expected);
}

TEST(SampleArchive, TheGeneratedSetPassesItsOwnCheck) {
    const std::vector<ArchiveEntry> entries = sampleEntries();
    EXPECT_TRUE(validateSampleArchive(buildArchive(entries)).empty());
    EXPECT_EQ(sampleConstants().size(), static_cast<std::size_t>(kSampleConstantCount));
    EXPECT_EQ(sampleConstants()[1].text, u"");
    EXPECT_EQ(sampleConstants()[321].text, u"microedition.platform");
    // The manifest names every entry and its reader.
    const std::string text = manifest(entries);
    EXPECT_NE(text.find("constants.bin\t"), std::string::npos);
    EXPECT_NE(text.find("loadAppDescriptor"), std::string::npos);
}

TEST(SampleArchive, TheCheckNamesWhatIsWrong) {
    struct Case {
        std::vector<ArchiveEntry> entries;
        std::string problem;
    };
    std::vector<ArchiveEntry> fine = sampleEntries();
    std::vector<ArchiveEntry> shortPool = fine;
    shortPool[0].bytes = constantPoolBytes({u"a", u""});
    std::vector<ArchiveEntry> blankLine = fine;
    blankLine[1].bytes = bytesOf("MIDlet-Version: 1\n\n");
    const Case cases[] = {
        {{fine[1]}, "no entry constants.bin"},
        {shortPool, "2 strings, the game needs 331"},
        {blankLine, "a line without ':'"},
        {blankLine, "no property Promo-List"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> problems = validateSampleArchive(buildArchive(c.entries));
        bool found = false;
        for (const std::string& problem : problems) {
            found = found || problem.find(c.problem) != std::string::npos;
        }
        EXPECT_TRUE(found) << c.problem;
    }
    Bytes cut = buildArchive(fine);
    cut.resize(20);
    ASSERT_EQ(validateSampleArchive(cut).size(), 1u);
    EXPECT_NE(validateSampleArchive(cut)[0].find("cut short"), std::string::npos);
}

} // namespace
} // namespace tools
