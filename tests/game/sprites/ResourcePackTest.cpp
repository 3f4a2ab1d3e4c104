// The resource-pack cursor: part lookup, reopening, lead bytes, the cached header, and packs that
// are cut short or inconsistent.
#include "game/sprites/ResourcePack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/screens/info/PackSeeking.h"
#include "game/sprites/PackFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Object.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SamplePacks.h"

namespace game::sprites {
using namespace game::info;

namespace {

using runtime::jint;
using tools::Bytes;
using tools::PackEntry;

// Content of entry i of the test packs: its number as text and, for variety, i % 5 more bytes.
Bytes contentOf(const jint i) {
    std::string text = "entry " + std::to_string(i);
    text.append(static_cast<std::size_t>(i % 5), static_cast<char>('a' + i % 26));
    return Bytes(text.begin(), text.end());
}

std::vector<PackEntry> numberedEntries(const jint count) {
    std::vector<PackEntry> entries;
    for (jint i = 0; i < count; ++i) {
        entries.push_back({true, contentOf(i), static_cast<std::uint8_t>(0xA0 + i % 16)});
    }
    return entries;
}

// Writes little-endian value into bytes at offset.
void patchLE(Bytes& bytes, const std::size_t offset, const std::int64_t value, const int count) {
    for (int i = 0; i < count; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

class ResourcePackTest : public GameResourceFixture {
protected:
    // Installs a pack named name with the given entries and part starts.
    static void installPack(const std::string& name, const std::vector<PackEntry>& entries,
                            const std::vector<std::int32_t>& starts = {0}) {
        putResources(tools::packArchiveEntries(name, tools::buildPackParts(entries, starts), ""));
    }
    // Opens entry i of the open pack and reads its whole content.
    Bytes readEntry(const jint i) {
        const jint size = openPackEntry(i);
        runtime::ByteArray* buffer = runtime::newByteArray(size);
        EXPECT_EQ(readPack(buffer, 0, size), size) << "entry " << i;
        return testing_support::bytesOf(buffer);
    }
    // The pending exception's message, expected to be a java_lang_Exception; "" when none.
    std::string takePackError() {
        const auto [classId, message] = takePending();
        if (classId != 0) {
            EXPECT_EQ(classId, runtime::kException);
        }
        return message;
    }
    std::string partMissing() const { return sampleText(kPackPartMissingMessage); }
    std::string entryMissing() const { return sampleText(kPackEntryMissingMessage); }

    GameStatics* s() { return statics(); }
};

TEST_F(ResourcePackTest, EntriesAreFoundInTheHighestPartStartingAtOrBelowThem) {
    installPack("big", numberedEntries(120), {0, 40, 90});
    openPack(string("big"));
    EXPECT_EQ(s()->packEntryCount, 120);
    EXPECT_EQ(s()->packPartCount, 3);
    EXPECT_EQ(s()->packPartOffsets->length, 41);

    EXPECT_EQ(readEntry(95), contentOf(95));
    EXPECT_EQ(s()->packCurrentPart, 2);
    EXPECT_EQ(s()->packPartOffsets->length, 31); // 120 - 90 + 1
    EXPECT_EQ(openCount("big.2"), 1);
    EXPECT_EQ(s()->packEntryLeadByte, 0xA0 + 95 % 16);

    const struct {
        jint entry;
        jint part;
    } cases[] = {{0, 0}, {39, 0}, {40, 1}, {89, 1}, {90, 2}, {119, 2}, {41, 1}, {1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(readEntry(c.entry), contentOf(c.entry)) << c.entry;
        EXPECT_EQ(s()->packCurrentPart, c.part) << c.entry;
    }
    EXPECT_EQ(takePackError(), "");
}

TEST_F(ResourcePackTest, ReturningToPartZeroRereadsTheWholeHeader) {
    installPack("big", numberedEntries(120), {0, 40, 90});
    openPack(string("big"));
    runtime::ShortArray* firstStarts = s()->packPartStarts;
    readEntry(95);
    EXPECT_EQ(openCount("big"), 1);
    EXPECT_EQ(readEntry(3), contentOf(3));
    EXPECT_EQ(openCount("big"), 2);
    EXPECT_NE(s()->packPartStarts.get(), firstStarts); // read again, not kept
    EXPECT_EQ(s()->packPartOffsets->length, 41);
    EXPECT_EQ(s()->packName->equals(string("big")), 1);
}

TEST_F(ResourcePackTest, GoingBackWithinAPartReopensItsFileAndSkipsFromTheStart) {
    installPack("p", numberedEntries(10));
    openPack(string("p"));
    for (const jint i : {1, 2, 5, 9}) {
        EXPECT_EQ(readEntry(i), contentOf(i));
    }
    EXPECT_EQ(openCount("p"), 1); // increasing order never reopens
    EXPECT_EQ(readEntry(4), contentOf(4));
    EXPECT_EQ(openCount("p"), 2);
    EXPECT_EQ(readEntry(0), contentOf(0));
    EXPECT_EQ(openCount("p"), 3);
    // The same entry twice goes back over its own bytes.
    EXPECT_EQ(readEntry(0), contentOf(0));
    EXPECT_EQ(openCount("p"), 4);
    // Header and offset table stay: part 0 is reopened as a plain file here.
    EXPECT_EQ(s()->packCurrentPart, 0);
}

TEST_F(ResourcePackTest, EmptyRangesAndLeadByteOnlyEntries) {
    std::vector<PackEntry> entries = numberedEntries(4);
    entries[1] = tools::emptyPackEntry();
    entries[2] = {true, {}, 0x5C};
    installPack("p", entries);
    openPack(string("p"));
    s()->packEntryLeadByte = 77;
    s()->packEntryFlag = 9;
    const jint before = s()->packPosition;
    EXPECT_EQ(openPackEntry(1), 0);
    EXPECT_EQ(s()->packEntryLeadByte, 77); // no lead byte read
    EXPECT_EQ(s()->packEntryFlag, 0);
    EXPECT_GT(s()->packPosition, before);
    const jint atEntry = s()->packPosition;
    EXPECT_EQ(openPackEntry(2), 0);
    EXPECT_EQ(s()->packEntryLeadByte, 0x5C);
    EXPECT_EQ(s()->packPosition, atEntry + 1);
    EXPECT_EQ(readEntry(3), contentOf(3));
    EXPECT_EQ(takePackError(), "");
}

TEST_F(ResourcePackTest, TheHeaderStaysCachedAfterClosing) {
    installPack("p", numberedEntries(6), {0, 3});
    openPack(string("p"));
    readEntry(4);
    closePack();
    EXPECT_EQ(s()->packStream, nullptr);
    EXPECT_EQ(s()->packPosition, 0);
    // The same name does nothing, even with the stream closed.
    openPack(string("p"));
    EXPECT_EQ(openCount("p"), 1);
    EXPECT_EQ(s()->packStream, nullptr);
    // The next entry of the cached part reopens its file by itself; the offsets are not read again.
    runtime::IntArray* offsets = s()->packPartOffsets;
    EXPECT_EQ(readEntry(5), contentOf(5));
    EXPECT_EQ(openCount("p.1"), 2);
    EXPECT_EQ(s()->packPartOffsets.get(), offsets);
    closePack();
    EXPECT_EQ(readEntry(4), contentOf(4));
    EXPECT_EQ(openCount("p.1"), 3);
    // Another pack replaces the cached one.
    installPack("q", numberedEntries(2));
    openPack(string("q"));
    EXPECT_EQ(s()->packEntryCount, 2);
    EXPECT_EQ(readEntry(1), contentOf(1));
}

TEST_F(ResourcePackTest, EntryNumbersOutsideThePackAreRefused) {
    installPack("p", numberedEntries(3));
    for (const jint entry : {-1, 3, 65535}) {
        openPack(string("p"));
        EXPECT_EQ(openPackEntry(entry), 0) << entry;
        EXPECT_EQ(takePackError(), entryMissing()) << entry;
    }
    // No pack at all.
    s()->packName = nullptr;
    s()->packPartStarts = nullptr;
    s()->packEntryCount = 0;
    EXPECT_EQ(openPackEntry(0), 0);
    EXPECT_EQ(takePackError(), entryMissing());
}

TEST_F(ResourcePackTest, EntryCountsAboveTheSignedShortRangeStayPositive) {
    std::vector<PackEntry> entries(40000, tools::emptyPackEntry());
    entries[39999] = {true, contentOf(7), 1};
    entries[33000] = {true, contentOf(8), 1};
    installPack("wide", entries, {0, 33000});
    openPack(string("wide"));
    EXPECT_EQ(s()->packEntryCount, 40000);
    EXPECT_EQ(readEntry(39999), contentOf(7));
    EXPECT_EQ(s()->packCurrentPart, 1);
    EXPECT_EQ(readEntry(33000), contentOf(8));
    EXPECT_EQ(readEntry(0).size(), 0u);
    EXPECT_EQ(s()->packCurrentPart, 0);
}

TEST_F(ResourcePackTest, APackCutShortAnywhereIsAnErrorNotAHang) {
    const Bytes whole = tools::buildPackParts(numberedEntries(3))[0];
    // Cut points: inside E, inside P, inside the starts, inside the offset table.
    for (const std::size_t cut :
         {std::size_t{1}, std::size_t{3}, std::size_t{5}, std::size_t{9}, std::size_t{21}}) {
        putResource("cut", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
        openPack(string("cut"));
        EXPECT_EQ(takePackError(), partMissing()) << cut;
        EXPECT_EQ(s()->packName, nullptr) << cut; // nothing of it stays cached
        EXPECT_EQ(s()->packStream, nullptr) << cut;
        EXPECT_EQ(openPackEntry(0), 0) << cut;
        EXPECT_EQ(takePackError(), entryMissing()) << cut;
    }
    // Cut inside the data: the header reads; the last entry now runs past its file and is
    // refused before anything of it is read.
    putResource("cut", Bytes(whole.begin(), whole.end() - 2));
    openPack(string("cut"));
    EXPECT_EQ(takePackError(), "");
    EXPECT_EQ(readEntry(1), contentOf(1));
    EXPECT_EQ(openPackEntry(2), 0);
    EXPECT_EQ(takePackError(), partMissing());
    // An entry that starts past the end of its file.
    putResource("cut", Bytes(whole.begin(), whole.begin() + 30));
    s()->packName = nullptr;
    openPack(string("cut"));
    EXPECT_EQ(openPackEntry(2), 0);
    EXPECT_EQ(takePackError(), partMissing());
}

// The table's sizes are what the readers allocate: a few hundred bytes of pack must not ask for
// gigabytes. The damaged entry is missing; its neighbours still read.
TEST_F(ResourcePackTest, AnEntryRunningPastItsPartFileIsMissingWhateverItsTableSays) {
    // Two entries in one part: E, P, one start, then offsets at 6, 10 and 14.
    const Bytes whole = tools::buildPackParts(numberedEntries(2))[0];
    for (const std::int64_t end : {std::int64_t(whole.size()) + 1, std::int64_t{0x7FFFFFF0}}) {
        Bytes damaged = whole;
        patchLE(damaged, 14, end, 4);
        putResource("long", damaged);
        s()->packName = nullptr;
        openPack(string("long"));
        EXPECT_EQ(takePackError(), "") << end;
        EXPECT_EQ(openPackEntry(1), 0) << end;
        EXPECT_EQ(takePackError(), partMissing()) << end;
        EXPECT_EQ(readEntry(0), contentOf(0)) << end;
    }
}

TEST_F(ResourcePackTest, InconsistentHeadersAndOffsetTablesAreRefused) {
    // Three entries in parts {0, 1, 2}: E at 0, P at 2, the starts at 4, 6 and 8, part 0's two
    // offsets at 10 and 14 (18 and 26: its entry's data follows the table).
    const std::vector<Bytes> parts = tools::buildPackParts(numberedEntries(3), {0, 1, 2});
    const struct {
        const char* what;
        std::size_t offset;
        std::int64_t value;
        int bytes;
    } cases[] = {
        {"no parts", 2, 0, 2},
        {"a negative part count", 2, 0xFFFF, 2},
        {"part 0 not at entry 0", 4, 1, 2},
        {"a part beyond the last entry", 6, 4, 2},
        {"starts decreasing", 8, 0, 2},
        {"an offset inside the table", 10, 4, 4},
        {"decreasing offsets", 14, 17, 4},
        {"an offset beyond 2 GiB", 14, 0x80000000LL, 4},
    };
    ASSERT_EQ(parts[0][10], 18);
    for (const auto& c : cases) {
        Bytes bytes = parts[0];
        patchLE(bytes, c.offset, c.value, c.bytes);
        putResources(tools::packArchiveEntries("bad", parts, ""));
        putResource("bad", bytes);
        openPack(string("bad"));
        EXPECT_EQ(takePackError(), partMissing()) << c.what;
        EXPECT_EQ(s()->packName, nullptr) << c.what;
        EXPECT_EQ(s()->packPartOffsets, nullptr) << c.what;
    }
    // The same checks hold for the offset table of a further part.
    Bytes second = parts[1];
    patchLE(second, 0, 2, 4);
    putResources(tools::packArchiveEntries("bad", parts, ""));
    putResource("bad.1", second);
    openPack(string("bad"));
    EXPECT_EQ(openPackEntry(1), 0);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_EQ(s()->packPartOffsets, nullptr);
    EXPECT_EQ(readEntry(2), contentOf(2));
}

TEST_F(ResourcePackTest, AMissingPartFileIsAnErrorAndTheOtherPartsStillRead) {
    installPack("p", numberedEntries(6), {0, 2, 4});
    removeResource("p.1");
    openPack(string("p"));
    EXPECT_EQ(openPackEntry(3), 0);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_EQ(readEntry(5), contentOf(5));
    EXPECT_EQ(readEntry(0), contentOf(0));
    EXPECT_EQ(openPackEntry(2), 0);
    EXPECT_EQ(takePackError(), partMissing());
    // Once the file is there, the part reads with its own offsets (not the last part's).
    installPack("p", numberedEntries(6), {0, 2, 4});
    EXPECT_EQ(readEntry(3), contentOf(3));
    EXPECT_EQ(readEntry(2), contentOf(2));
    // A pack whose first part is missing.
    openPack(string("absent"));
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_EQ(s()->packName, nullptr);
}

TEST_F(ResourcePackTest, ReadPackReportsWhatArrivedAndRefusesRangesOutsideItsArray) {
    installPack("p", numberedEntries(2));
    openPack(string("p"));
    const jint size = openPackEntry(1);
    runtime::ByteArray* buffer = runtime::newByteArray(4);
    const jint position = s()->packPosition;
    const struct {
        runtime::ByteArray* buf;
        jint off;
        jint len;
    } refused[] = {{nullptr, 0, 1}, {buffer, -1, 2}, {buffer, 3, 2}, {buffer, 0, -1}, {buffer, 5, 0}};
    for (const auto& c : refused) {
        EXPECT_EQ(readPack(c.buf, c.off, c.len), 0);
    }
    EXPECT_EQ(s()->packPosition, position);
    EXPECT_EQ(readPack(buffer, 1, 3), 3);
    EXPECT_EQ(testing_support::bytesOf(buffer), (Bytes{0, 'e', 'n', 't'}));
    // Asking for more than the part holds gives what is left, reported.
    runtime::ByteArray* large = runtime::newByteArray(100);
    EXPECT_EQ(readPack(large, 0, 100), size - 3);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_EQ(s()->packPosition, position + size);
    // With no stream nothing is read.
    closePack();
    EXPECT_EQ(readPack(buffer, 0, 1), 0);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_EQ(readPackByte(), -1);
}

TEST_F(ResourcePackTest, SkippingByReadingGivesTheSameBytes) {
    installPack("p", numberedEntries(30));
    openPack(string("p"));
    s()->packSkipBufferSize = 7;
    for (const jint i : {3, 17, 29, 2}) {
        EXPECT_EQ(readEntry(i), contentOf(i));
    }
    ASSERT_NE(s()->packSkipBuffer, nullptr);
    EXPECT_EQ(s()->packSkipBuffer->length, 7);
    // Skipping past the end by reading stops at the end.
    const jint position = s()->packPosition;
    info::skipPack(1000);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_LT(s()->packPosition, position + 1000);
    // The stream's own skip stops there as well.
    s()->packSkipBufferSize = 0;
    info::seekPack(0);
    info::skipPack(100000);
    EXPECT_EQ(takePackError(), partMissing());
    EXPECT_LT(s()->packPosition, 100000);
}

TEST_F(ResourcePackTest, ReadPackByteCountsEveryCall) {
    installPack("p", {{true, {0x00, 0x7F, 0x80, 0xFF}, 0x11}});
    openPack(string("p"));
    EXPECT_EQ(openPackEntry(0), 4);
    const jint position = s()->packPosition;
    for (const jint expected : {0x00, 0x7F, 0x80, 0xFF, -1, -1}) {
        EXPECT_EQ(readPackByte(), expected);
    }
    EXPECT_EQ(s()->packPosition, position + 6);
}

// A stream that gives its bytes one by one and then raises an IOException on every read.
struct FailingStream : runtime::java_io_InputStream {
    explicit FailingStream(const jint good) : goodBytes(good) {}
    jint read(runtime::ByteArray* b, const jint off, const jint len) override {
        if (len > 0 && given < goodBytes) {
            (*b)[off] = static_cast<runtime::jbyte>(given + 1);
            given += 1;
            return 1;
        }
        runtime::throwException(runtime::newObject<runtime::java_io_IOException>());
        return -1;
    }
    jint read() override {
        if (given < goodBytes) {
            given += 1;
            return given;
        }
        runtime::throwException(runtime::newObject<runtime::java_io_IOException>());
        return -1;
    }
    runtime::jlong skip(runtime::jlong) override { return 0; }
    jint available() override { return goodBytes - given; }
    jint goodBytes = 0;
    jint given = 0;
};

TEST_F(ResourcePackTest, StreamReadersAreLittleEndianAndCountTheBytesTheyTake) {
    installPack("p", {{true, {0x01, 0x02, 0x03, 0x84, 0xFF, 0xFF, 0xFF, 0xFF, 9}, 0}});
    openPack(string("p"));
    openPackEntry(0);
    s()->streamBytesRead = 0;
    EXPECT_EQ(readStreamInt(s()->packStream), static_cast<jint>(0x84030201u));
    EXPECT_EQ(readStreamInt(s()->packStream), -1);
    EXPECT_EQ(readStreamByte(s()->packStream), 9);
    EXPECT_EQ(s()->streamBytesRead, 9);
    // The end of the stream is -1 and counts nothing; readStreamInt takes it as 0xFF bytes.
    EXPECT_EQ(readStreamByte(s()->packStream), -1);
    EXPECT_EQ(s()->streamBytesRead, 9);
    runtime::ByteArray* buffer = runtime::newByteArray(8);
    EXPECT_EQ(readStreamFully(s()->packStream, buffer, 0, 8), 0);
    EXPECT_EQ(s()->streamBytesRead, 9);
}

TEST_F(ResourcePackTest, StreamReaderExceptionsStayPendingExceptForTheBlockRead) {
    auto* stream = runtime::newObject<FailingStream>(2);
    s()->streamBytesRead = 0;
    EXPECT_EQ(readStreamInt(stream), 0);
    EXPECT_EQ(takePending().first, runtime::kIOException);
    EXPECT_EQ(s()->streamBytesRead, 2);
    EXPECT_EQ(readStreamByte(stream), 0);
    EXPECT_EQ(takePending().first, runtime::kIOException);

    stream = runtime::newObject<FailingStream>(3);
    runtime::ByteArray* buffer = runtime::newByteArray(6);
    EXPECT_EQ(readStreamFully(stream, buffer, 1, 5), 3);
    EXPECT_EQ(takePending().first, 0);
    EXPECT_EQ(testing_support::bytesOf(buffer), (Bytes{0, 1, 2, 3, 0, 0}));
    EXPECT_EQ(s()->streamBytesRead, 5);
}

TEST_F(ResourcePackTest, PartFilesAreNamedWithTheSuffixConstant) {
    installPack("/2", numberedEntries(3), {0, 1, 2});
    openPack(string("/2"));
    EXPECT_EQ(testing_support::textOf(packPartName(0)), "/2");
    EXPECT_EQ(testing_support::textOf(packPartName(2)), "/2" + sampleText(kPackPartSuffixConstant) + "2");
    EXPECT_EQ(readEntry(2), contentOf(2));
    EXPECT_EQ(openCount("2.2"), 1);
}

} // namespace
} // namespace game::sprites
