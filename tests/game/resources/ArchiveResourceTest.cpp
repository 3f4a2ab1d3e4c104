// The archive resource opener over generated archives, and the sample set read end to end.
#include "game/resources/ArchiveResource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleData.h"

namespace game::sprites {
using namespace game::resources;

namespace {

using runtime::jint;
using runtime::newStringFromCString;
using tools::ArchiveEntry;
using tools::Bytes;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class ArchiveResourceTest : public runtime::RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        resetArchiveDirectory();
    }
    void TearDown() override {
        resetArchiveDirectory();
        profile::setArchiveOpener(nullptr);
        runtime::setResourceOpener(nullptr);
        RuntimeFixture::TearDown();
    }
    void install(const Bytes& archive) const { root.write("Brenvale/Tarnwick/data.bar", archive); }
    // The whole entry read through single-byte reads, or "(null)" when the name opens nothing.
    std::string contents(const char* name) {
        runtime::java_io_InputStream* stream = openArchiveResource(newStringFromCString(name));
        if (stream == nullptr) {
            return "(null)";
        }
        std::string text;
        for (jint c = stream->read(); c >= 0; c = stream->read()) {
            text += static_cast<char>(c);
        }
        return text;
    }

    testing_support::TemporaryRoot root;
};

TEST_F(ArchiveResourceTest, NamesMatchWithoutTheirSlashAndWhateverTheirCase) {
    install(tools::buildArchive({{"constants.bin", bytesOf("pool"), ""},
                                 {"text", bytesOf("texts"), ""},
                                 {"Te-1", bytesOf("mixed"), ""}}));
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"/constants.bin", "pool"},
        {"constants.bin", "pool"},
        {"/CONSTANTS.BIN", "pool"},
        {"TEXT", "texts"},
        {"/te-1", "mixed"},
        {"te_1", "(null)"},   // only letters fold
        {"tex", "(null)"},    // a prefix
        {"texts", "(null)"},  // one character more
        {"//text", "(null)"}, // only one '/' is dropped
        {"", "(null)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(contents(c.name), c.expected) << c.name;
    }
}

TEST_F(ArchiveResourceTest, TheFirstOfTwoMatchesWins) {
    // The generator refuses names that differ only in case, so this archive is written by hand.
    tools::DataWriter writer;
    writer.writeShort(2);
    writer.writeUTF(u"a");
    writer.writeInt(2 + 2 * 11);
    writer.writeInt(1);
    writer.writeUTF(u"A");
    writer.writeInt(2 + 2 * 11 + 1);
    writer.writeInt(1);
    writer.writeBytes(bytesOf("12"));
    install(writer.bytes());
    EXPECT_EQ(contents("A"), "1");
    EXPECT_EQ(contents("a"), "1");
}

TEST_F(ArchiveResourceTest, AnEntryNeverReadsIntoTheNextOne) {
    install(tools::buildArchive({{"first", bytesOf("abc"), ""}, {"second", bytesOf("XYZ"), ""}}));
    runtime::java_io_InputStream* stream = openArchiveResource(newStringFromCString("first"));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->available(), 3);
    runtime::ByteArray* target = runtime::newByteArray(10);
    EXPECT_EQ(stream->read(target, 0, 10), 3);
    EXPECT_EQ(testing_support::bytesOf(target, 3), bytesOf("abc"));
    EXPECT_EQ(stream->available(), 0);
    EXPECT_EQ(stream->read(), -1);
    EXPECT_EQ(stream->skip(5), 0);
    stream->read(target, 0, 1);
    EXPECT_EQ(runtime::getPendingException()->classId, runtime::kEOFException);
    application.pendingException = nullptr;
    // Each stream has its own file handle: a second one starts again at the entry's start.
    EXPECT_EQ(contents("second"), "XYZ");
    EXPECT_EQ(contents("first"), "abc");
}

TEST_F(ArchiveResourceTest, AnEmptyArchiveFindsNothing) {
    install(tools::buildArchive({}));
    EXPECT_EQ(contents("constants.bin"), "(null)");
    ASSERT_NE(archiveDirectory().archiveEntryNames, nullptr);
    EXPECT_EQ(archiveDirectory().archiveEntryNames->length, 0);
}

TEST_F(ArchiveResourceTest, AMissingArchiveIsLoggedOnceAndFindsNothing) {
    EXPECT_EQ(contents("constants.bin"), "(null)");
    EXPECT_EQ(contents("app.jad"), "(null)");
    ASSERT_NE(archiveDirectory().archiveFile, nullptr); // set even though nothing could be read
    EXPECT_EQ(archiveDirectory().archiveEntryNames, nullptr);
    jint messages = 0;
    for (const std::string& line : logLines()) {
        messages += line.find("the archive cannot be opened") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(messages, 1);
}

TEST_F(ArchiveResourceTest, ACutDirectoryKeepsTheEntriesReadWhole) {
    Bytes archive = tools::buildArchive(
        {{"one", bytesOf("1"), ""}, {"two", bytesOf("2"), ""}, {"six", bytesOf("6"), ""}});
    // Keep the count, the first entry and half of the second: the data is gone as well, so the
    // first entry's bytes would lie outside the file too. Point it at the directory's own start.
    archive.resize(2 + 13 + 5);
    archive[2 + 2 + 3 + 3] = 0; // offset of "one" := 0 (its low byte)
    install(archive);
    EXPECT_EQ(contents("one").size(), 1u);
    EXPECT_EQ(contents("two"), "(null)");
    EXPECT_EQ(contents("six"), "(null)");
    EXPECT_EQ(runtime::getPendingException(), nullptr);
    EXPECT_NE(archiveDirectory().archiveEntryNames, nullptr);
    EXPECT_EQ((*archiveDirectory().archiveEntryNames)[1], nullptr);
    bool reported = false;
    for (const std::string& line : logLines()) {
        reported = reported || line.find("cut short after 1 of 3 entries") != std::string::npos;
    }
    EXPECT_TRUE(reported);
}

TEST_F(ArchiveResourceTest, EntriesOutsideTheFileAreLeftOut) {
    tools::DataWriter writer;
    writer.writeShort(3);
    const struct {
        const char16_t* name;
        jint offset, size;
    } entries[] = {{u"neg", -1, 1}, {u"long", 0, 1000}, {u"ok", 0, 2}};
    for (const auto& e : entries) {
        writer.writeUTF(e.name);
        writer.writeInt(e.offset);
        writer.writeInt(e.size);
    }
    install(writer.bytes());
    EXPECT_EQ(contents("neg"), "(null)");
    EXPECT_EQ(contents("long"), "(null)");
    EXPECT_EQ(contents("ok"), std::string("\0\3", 2));
    bool reported = false;
    for (const std::string& line : logLines()) {
        reported =
            reported || line.find("entry 1 lies outside the file (offset 0, size 1000)") != std::string::npos;
    }
    EXPECT_TRUE(reported);
}

TEST_F(ArchiveResourceTest, TheSampleSetLoadsThroughTheGamesOwnReaders) {
    install(tools::buildArchive(tools::sampleEntries()));
    installArchiveOpener();
    profile::installResourceOpener();
    runtime::loadConstantPool(application.staticClass);
    ASSERT_NE(application.staticClass->constantPool, nullptr);
    EXPECT_EQ(application.staticClass->constantPool->length, tools::kSampleConstantCount);
    for (const tools::ConstantText& constant : tools::sampleConstants()) {
        runtime::String* loaded = runtime::getConstantString(constant.index);
        EXPECT_EQ(std::u16string(loaded->chars, loaded->chars + loaded->length()), constant.text)
            << constant.index;
    }
    runtime::String* descriptor = profile::loadAppDescriptor();
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(text(descriptor), tools::sampleAppDescriptor());
    bool versionFound = false;
    profile::parseAppDescriptor(descriptor, [&](runtime::String* key, runtime::String* value) {
        versionFound = versionFound || (text(key) == "MIDlet-Version" && text(value) == "1.0.0");
    });
    EXPECT_TRUE(versionFound);
}

TEST_F(ArchiveResourceTest, TheBuildsSampleSetIsComplete) {
    // The archive the build generated, where the run command installs it from.
    setenv("TARNWICK_ROOT", TARNWICK_SAMPLE_ROOT, 1);
    installArchiveOpener();
    profile::installResourceOpener();
    runtime::loadConstantPool(application.staticClass);
    EXPECT_EQ(text(runtime::getConstantString(321)), "microedition.platform");
    EXPECT_EQ(text(runtime::getConstantString(330)), "false");
    EXPECT_EQ(text(profile::loadAppDescriptor()), tools::sampleAppDescriptor());
}

// The sample set with the entry called name holding other bytes.
Bytes withEntry(const std::string& name, const Bytes& bytes) {
    std::vector<ArchiveEntry> entries = tools::sampleEntries();
    for (ArchiveEntry& entry : entries) {
        if (entry.name == name) {
            entry.bytes = bytes;
        }
    }
    return tools::buildArchive(entries);
}

// The sample set with the entry called name changed by damage.
template <typename Damage> Bytes damaged(const std::string& name, Damage&& damage) {
    for (const ArchiveEntry& entry : tools::sampleEntries()) {
        if (entry.name == name) {
            Bytes bytes = entry.bytes;
            damage(bytes);
            return withEntry(name, bytes);
        }
    }
    ADD_FAILURE() << "no sample entry " << name;
    return {};
}

std::string problemOf(const Bytes& archive) {
    std::FILE* file = std::tmpfile();
    std::fwrite(archive.data(), 1, archive.size(), file);
    std::rewind(file);
    std::string problem = findArchiveProblem(file, archive.size());
    std::fclose(file);
    return problem;
}

// The start-up loading cannot get past a damaged text or sprite pack: the check tells the player,
// naming the part file's entry, instead of the game stalling on a black screen.
TEST(ArchiveProblemTest, TheTextAndSpritePacksMustReadWhole) {
    const auto patchLE = [](Bytes& bytes, const std::size_t at, const std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    struct Case {
        const char* name;
        Bytes archive;
        std::string problem;
    };
    const Case cases[] = {
        {"a text pack without parts", damaged("text", [](Bytes& b) { b[2] = b[3] = 0; }),
         "its pack entry text: its part count is 0"},
        {"a text pack cut in its header", damaged("text", [](Bytes& b) { b.resize(3); }),
         "its pack entry text: its header is cut short"},
        {"a sprite pack offset out of order", damaged("2", [&](Bytes& b) { patchLE(b, 6, 0); }),
         "its pack entry 2: offset 0 of part 0 is 0, before "},
        {"a sprite pack entry of 2 GiB", damaged("2", [&](Bytes& b) { patchLE(b, 10, 0x7FFFFFF0); }),
         "its pack entry 2: offset 1 of part 0 is 2147483632, past the end of its"},
        {"no sprite pack", withEntry("2", {}), "its pack entry 2: its header is cut short"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(problemOf(c.archive).substr(0, c.problem.size()), c.problem) << c.name;
    }
    // A pack the loading can do without is the game's to log.
    EXPECT_EQ(problemOf(damaged("menu", [](Bytes& b) { b[2] = b[3] = 0; })), "");
}

// The start-up check reads the directory as strictly as the game needs it, without a runtime.
TEST(ArchiveProblemTest, NamesWhatKeepsTheArchiveFromServingTheGame) {
    const Bytes sample = tools::buildArchive(tools::sampleEntries());
    std::vector<ArchiveEntry> renamed = tools::sampleEntries();
    for (ArchiveEntry& entry : renamed) {
        entry.name = entry.name == "constants.bin" ? "Constants.BIN" : entry.name;
    }
    const Bytes renamedPool = tools::buildArchive(renamed);
    // Two entries, app.jad last, whatever the sample set holds.
    const Bytes small =
        tools::buildArchive({{"constants.bin", bytesOf("x"), ""}, {"app.jad", bytesOf("a: b"), ""}});
    const auto cut = [&](const std::size_t size) { return Bytes(small.begin(), small.begin() + size); };
    Bytes badName = tools::buildArchive({{"constants.bin", bytesOf("x"), ""}});
    badName[4] = 0xFF; // the first byte of the name
    struct Case {
        const char* name;
        Bytes archive;
        std::string problem;
    };
    const Case cases[] = {
        {"the sample set", sample, ""},
        {"one byte", cut(1), "it is too short to hold the count of its entries"},
        {"cut in the first name", cut(5), "its directory is cut short at entry 0 of 2"},
        {"cut in the data", cut(small.size() - 1), "entry app.jad lies outside the file"},
        {"a negative count", Bytes{0xA5, 0xA5, 0, 0}, "its entry count -23131 is negative"},
        {"a name that is no modified UTF-8", badName, "the name of entry 0 is not modified UTF-8"},
        {"no constant strings", tools::buildArchive({{"app.jad", bytesOf("a: b"), ""}}),
         "it holds no constants.bin"},
        {"no entries", Bytes{0, 0}, "it holds no constants.bin"},
        {"the constant strings in another case", renamedPool, ""},
        {"a nameless entry outside the file",
         [] {
             Bytes archive = tools::buildArchive({{"", bytesOf("x"), ""}});
             archive.pop_back();
             return archive;
         }(),
         "entry 0 (no name) lies outside the file"},
        {"constant strings whose count does not fit them",
         withEntry("constants.bin", Bytes{0, 0, 0, 3, 0, 0}),
         "its constants.bin: its count 3 does not fit its size of 6 bytes"},
        {"a constant string cut off", withEntry("constants.bin", Bytes{0, 0, 0, 1, 0, 5, 'a'}),
         "its constants.bin: string 0 is cut off or not modified UTF-8"},
    };
    for (const Case& c : cases) {
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        std::fwrite(c.archive.data(), 1, c.archive.size(), file);
        std::rewind(file);
        EXPECT_EQ(findArchiveProblem(file, c.archive.size()), c.problem) << c.name;
        std::fclose(file);
    }
}

} // namespace
} // namespace game::sprites
