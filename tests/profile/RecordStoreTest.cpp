// Record stores on files: paths, the index, raw record files and the record operations.
#include "profile/RecordStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsData.h"
#include "runtime/System.h"
#include "tests/profile/RecordStoreTestSupport.h"

namespace profile {
namespace {

using runtime::newObject;
using runtime::newStringFromCString;
using testing_support::byteArrayOf;
using testing_support::bytesOf;

class RecordStoreTest : public RecordStoreFixture {
protected:
    // The handset form of the programs folder.
    std::string programs() const { return text(getProgramsFolder()); }
    std::string game() const { return programs() + "\\Brenvale\\Tarnwick"; }

    static String* stringOrNull(const char* value) {
        return value != nullptr ? newStringFromCString(value) : nullptr;
    }
    std::string indexPath(const char* name, const char* vendor = nullptr, const char* suite = nullptr) {
        return text(RecordStore::indexPathFor(stringOrNull(name), stringOrNull(vendor), stringOrNull(suite)));
    }
    static std::string fileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

    static int openDescriptors() {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                              std::filesystem::directory_iterator()));
    }
};

TEST_F(RecordStoreTest, IndexPathsTakeTheShortOrTheVendorForm) {
    struct Case {
        const char* name;
        const char* vendor;
        const char* suite;
        std::string expected; // after the programs folder
    };
    const Case cases[] = {
        {"teams", nullptr, nullptr, "\\Brenvale\\Tarnwick\\rms_teams.rms"},
        {"teams", "Acme", "Suite", "\\Acme\\Suite\\rms_teams.rms"},
        {"teams", "A", "Suite", "\\Brenvale\\Tarnwick\\rms_teams.rms"},
        {"teams", "Acme", "S", "\\Brenvale\\Tarnwick\\rms_teams.rms"},
        {"teams", "Acme", nullptr, "\\Brenvale\\Tarnwick\\rms_teams.rms"},
        {"teams", nullptr, "Suite", "\\Brenvale\\Tarnwick\\rms_teams.rms"},
        {"teams", "", "", "\\\\\\rms_teams.rms"}, // empty texts are not one character long
        {"a/b:c*d?e<f>g|h", nullptr, nullptr, "\\Brenvale\\Tarnwick\\rms_a_b_c_d_e_f_g_h.rms"},
        {"n", "x:y", "p?q", "\\x_y\\p_q\\rms_n.rms"},
    };
    for (const Case& c : cases) {
        const std::string path = indexPath(c.name, c.vendor, c.suite);
        EXPECT_EQ(path, programs() + c.expected) << c.name;
        EXPECT_NE(fileName(path).find("rms_"), std::string::npos) << path;
    }
    EXPECT_EQ(indexPath("a:b"), indexPath("a?b")); // one store for both names
}

TEST_F(RecordStoreTest, TheGameAlwaysOpensItsStoresInItsOwnFolder) {
    RecordStore* store = open("teams");
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->classId, runtime::kRecordStore);
    EXPECT_EQ(text(store->path), game() + "\\rms_teams.rms");
    EXPECT_EQ(store->open, 1);
    EXPECT_EQ(store->nextRecordId, 0);
    EXPECT_EQ(store->recordIds->capacity(), 10);
    EXPECT_EQ(store->getSizeAvailable(), 0x7FFFFFFF);
}

TEST_F(RecordStoreTest, AFolderOfThisMachineKeepsItsOwnCharacters) {
    const std::filesystem::path odd = root.path() / "saves:one*";
    std::filesystem::create_directories(odd / "Brenvale" / "Tarnwick");
    setenv("TARNWICK_ROOT", odd.c_str(), 1); // the root object restores it
    RecordStore* store = open("x:y");
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(text(store->path), programs() + "\\Brenvale\\Tarnwick\\rms_x_y.rms");
    EXPECT_NE(programs().find("saves:one*"), std::string::npos);
    EXPECT_EQ(add(store, {1, 2}), 1);
    EXPECT_TRUE(std::filesystem::exists(odd / "Brenvale" / "Tarnwick" / "rms_x_y.rms"));
    EXPECT_TRUE(std::filesystem::exists(odd / "Brenvale" / "Tarnwick" / "rms_x_y.rms_r1.rms"));
}

// Every store of the sample set gets index and record file names that carry "rms_", in the game
// folder, so the installer spares them when the player keeps the saved data.
TEST_F(RecordStoreTest, EverySampleStoreFileCarriesTheInstallersMark) {
    for (const jint storeName : {52, 80, 81, 82, 83, 84, 130, 144, 155, 156, 159, 160, 161, 178, 179, 180}) {
        RecordStore* store = RecordStore::openRecordStore(runtime::getConstantString(storeName), 1);
        ASSERT_NE(store, nullptr) << storeName;
        const std::string index = text(store->path);
        const std::string record = text(store->recordFile(12)->path);
        EXPECT_EQ(index.substr(0, game().size()), game()) << storeName;
        EXPECT_EQ(fileName(index).substr(0, 4), "rms_") << index;
        EXPECT_EQ(fileName(record).substr(0, 4), "rms_") << record;
        EXPECT_EQ(add(store, {static_cast<std::uint8_t>(storeName)}), 1);
    }
    for (const auto& entry : std::filesystem::directory_iterator(gameFolder())) {
        EXPECT_NE(entry.path().filename().string().find("rms_"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(sampleText(72), "\\"); // '/' would become '_'
}

TEST_F(RecordStoreTest, ARecordsFileLiesBesideItsIndexUnderTheLowerCasedIndexNameAndItsId) {
    RecordStore* teams = RecordStore::openRecordStore(runtime::getConstantString(81), 1);
    EXPECT_EQ(text(teams->recordFile(1)->path), game() + "\\rms_teams.rms_r1.rms");
    RecordStore* mixed = open("Mixed");
    EXPECT_EQ(text(mixed->recordFile(-20)->path), game() + "\\rms_mixed.rms_r-20.rms");
    EXPECT_EQ(add(mixed, {9}), 1);
    EXPECT_EQ(readBytes(recordFileOf("mixed", 1)), Bytes{9});
    EXPECT_TRUE(std::filesystem::exists(gameFolder() / "rms_Mixed.rms"));
}

// A programs folder whose name has capitals, with a folder beside it that differs only in case:
// the index and its records all go to the folder the programs folder names, and nothing else.
TEST_F(RecordStoreTest, RecordsNeverLandInAFolderThatDiffersOnlyInCase) {
    struct Case {
        const char* name;
        const char* sibling; // made beside the programs folder before the store opens
    };
    const Case cases[] = {
        {"an empty sibling", "saves"},
        {"a sibling with its own game folder", "saves/Brenvale/Tarnwick"},
        {"a lower-case game folder in the sibling", "saves/brenvale/tarnwick"},
    };
    for (const Case& c : cases) {
        const std::filesystem::path programsFolder = root.path() / "Saves";
        std::filesystem::remove_all(root.path() / "Saves");
        std::filesystem::remove_all(root.path() / "saves");
        std::filesystem::create_directories(programsFolder / "Brenvale" / "Tarnwick");
        std::filesystem::create_directories(root.path() / c.sibling);
        setenv("TARNWICK_ROOT", programsFolder.c_str(), 1); // the root object restores it

        RecordStore* store = open("Career");
        ASSERT_NE(store, nullptr) << c.name;
        EXPECT_EQ(add(store, {1, 2}), 1) << c.name;
        EXPECT_EQ(takePending().first, 0) << c.name;
        const std::filesystem::path folder = programsFolder / "Brenvale" / "Tarnwick";
        EXPECT_EQ(readBytes(folder / "rms_Career.rms"), bigEndian({1, 1, 1})) << c.name;
        EXPECT_EQ(readBytes(folder / "rms_career.rms_r1.rms"), (Bytes{1, 2})) << c.name;
        RecordStore* reopened = open("Career", false);
        ASSERT_NE(reopened, nullptr) << c.name;
        EXPECT_EQ(recordOf(reopened, 1), (Bytes{1, 2})) << c.name;
        std::size_t strayFiles = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path() / "saves")) {
            strayFiles += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(strayFiles, 0u) << c.name;
    }
}

TEST_F(RecordStoreTest, AMissingStoreWithoutCreateRaisesWithItsPath) {
    EXPECT_EQ(open("absent", false), nullptr);
    const auto pending = takePending();
    EXPECT_EQ(pending.first, runtime::kRecordStoreNotFoundException);
    EXPECT_EQ(pending.second, game() + "\\rms_absent.rms");
    // Creating one writes nothing until the store changes or closes.
    RecordStore* created = open("absent", true);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(gameFolder()));
    created->closeRecordStore();
    EXPECT_EQ(readBytes(indexFile("absent")), bigEndian({0, 0}));
    EXPECT_NE(open("absent", false), nullptr);
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(RecordStoreTest, TheIndexIsReadUpToItsFirstDamage) {
    struct Case {
        const char* what;
        Bytes index;
        jint lastId;
        std::vector<jint> ids;
        const char* logLine; // null: nothing logged
    };
    const Case cases[] = {
        {"empty store", bigEndian({0, 0}), 0, {}, nullptr},
        {"three of three", bigEndian({9, 3, 4, 9, 2}), 9, {4, 9, 2}, nullptr},
        {"two of three", bigEndian({5, 3, 1, 2}), 5, {1, 2}, "cut short, 2 ids read"},
        {"half an id",
         [] {
             Bytes b = bigEndian({5, 2, 1});
             b.push_back(0);
             return b;
         }(),
         5,
         {1},
         "cut short, 1 ids read"},
        {"no count", Bytes{0, 0, 0, 7, 0}, 7, {}, "cut short, 0 ids read"},
        {"empty file", Bytes{}, 0, {}, "cut short, 0 ids read"},
        {"negative count", bigEndian({3, -1, 1}), 3, {}, nullptr},
        {"id beyond the last", bigEndian({2, 2, 1, 7}), 7, {1, 7}, "lists id 7 beyond its last id 2"},
        {"negative last id", bigEndian({-5, 0}), 0, {}, "has a negative last id -5; counting from 0"},
    };
    for (const Case& c : cases) {
        clearLog();
        writeBytes(indexFile("damaged"), c.index);
        const int descriptors = openDescriptors();
        RecordStore* store = open("damaged", false);
        ASSERT_NE(store, nullptr) << c.what;
        EXPECT_EQ(takePending().first, 0) << c.what;
        EXPECT_EQ(openDescriptors(), descriptors) << c.what << ": the index file stays open";
        EXPECT_EQ(store->nextRecordId, c.lastId) << c.what;
        EXPECT_EQ(idsOf(store), c.ids) << c.what;
        const std::string expected =
            c.logLine != nullptr ? "RecordStore: index " + game() + "\\rms_damaged.rms " + c.logLine : "";
        EXPECT_EQ(logLines().empty() ? "" : logLines().front(), expected) << c.what;
    }
}

TEST_F(RecordStoreTest, RawReadsNeverWritePastTheBuffer) {
    RecordStore* store = open("raw");
    writeBytes(recordFileOf("raw", 3), Bytes(10, 0x5A));
    struct Case {
        jint id, bufferSize, offset, result;
    };
    const Case cases[] = {
        {3, 12, 2, 10},                                                              // fits exactly
        {3, 12, 3, 0},  {3, 9, 0, 0}, {3, 12, -1, 0}, {3, 12, 13, 0}, {4, 12, 0, 0}, // never written
    };
    for (const Case& c : cases) {
        runtime::ByteArray* buffer = byteArrayOf(Bytes(static_cast<std::size_t>(c.bufferSize), 0xEE));
        EXPECT_EQ(store->readRecordFile(c.id, buffer, c.offset), c.result) << c.id << "@" << c.offset;
        Bytes expected(static_cast<std::size_t>(c.bufferSize), 0xEE);
        if (c.result > 0) {
            std::fill(expected.begin() + c.offset, expected.begin() + c.offset + c.result, 0x5A);
        }
        EXPECT_EQ(bytesOf(buffer), expected) << c.id << "@" << c.offset;
    }
    EXPECT_EQ(store->readRecordFile(3, nullptr, 0), 0);
    EXPECT_TRUE(logged("RecordStore: record 3 of 10 bytes does not fit the buffer at offset 3"));
    EXPECT_EQ(takePending().first, 0);
    // The raw read does not ask the index.
    EXPECT_EQ(store->getRecord(3, byteArrayOf(Bytes(12)), 0), 0);
    EXPECT_EQ(takePending(), std::make_pair(jint{runtime::kInvalidRecordIDException}, std::string("3")));
}

TEST_F(RecordStoreTest, RawWritesReplaceTheFileAndLeaveTheIndexAlone) {
    RecordStore* store = open("raw");
    EXPECT_EQ(store->writeRecordFile(2, byteArrayOf({1, 2, 3, 4}), 1, 2), 1);
    EXPECT_EQ(readBytes(recordFileOf("raw", 2)), (Bytes{2, 3}));
    EXPECT_EQ(store->writeRecordFile(2, nullptr, 0, 5), 1);
    EXPECT_TRUE(std::filesystem::exists(recordFileOf("raw", 2)));
    EXPECT_EQ(std::filesystem::file_size(recordFileOf("raw", 2)), 0u);
    EXPECT_EQ(idsOf(store), std::vector<jint>{});
    EXPECT_EQ(store->nextRecordId, 0);
    EXPECT_FALSE(std::filesystem::exists(indexFile("raw")));
    // A range outside the data keeps the old record instead of emptying it.
    writeBytes(recordFileOf("raw", 5), {7, 7});
    EXPECT_EQ(store->writeRecordFile(5, byteArrayOf({1, 2, 3}), 2, 2), 0);
    EXPECT_EQ(readBytes(recordFileOf("raw", 5)), (Bytes{7, 7}));
    EXPECT_TRUE(logged("RecordStore: record 5 not written: bad range 2+2"));
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(RecordStoreTest, IdsStartAtOneAndAreNeverReused) {
    RecordStore* store = open("ids");
    EXPECT_EQ(add(store, {1}), 1);
    store->deleteRecord(1);
    EXPECT_EQ(add(store, {2}), 2);
    EXPECT_EQ(add(store, {3}), 3);
    store->deleteRecord(3);
    RecordStore* reopened = open("ids", false);
    EXPECT_EQ(reopened->nextRecordId, 3);
    EXPECT_EQ(idsOf(reopened), std::vector<jint>{2});
    EXPECT_EQ(add(reopened, {4}), 4);
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(RecordStoreTest, AStoreWhoseLastIdIsTheLargestIsFull) {
    writeBytes(indexFile("exhausted"), bigEndian({std::numeric_limits<jint>::max(), 1, 3}));
    RecordStore* store = open("exhausted", false);
    EXPECT_EQ(add(store, {1}), 0);
    EXPECT_EQ(takePending().first, runtime::kRecordStoreFullException);
    EXPECT_EQ(idsOf(store), std::vector<jint>{3});
}

TEST_F(RecordStoreTest, EveryChangeWritesTheWholeIndex) {
    RecordStore* store = open("index");
    add(store, {});
    add(store, {1, 2, 3});
    add(store, Bytes(300, 9));
    EXPECT_EQ(readBytes(indexFile("index")), bigEndian({3, 3, 1, 2, 3}));
    store->deleteRecord(2);
    EXPECT_EQ(readBytes(indexFile("index")), bigEndian({3, 2, 1, 3}));
    set(store, 3, {5});
    EXPECT_EQ(readBytes(indexFile("index")), bigEndian({3, 2, 1, 3}));

    RecordStore* reopened = open("index", false);
    EXPECT_EQ(idsOf(reopened), (std::vector<jint>{1, 3}));
    EXPECT_EQ(recordOf(reopened, 1), Bytes{});
    EXPECT_EQ(recordOf(reopened, 3), Bytes{5});
    EXPECT_EQ(reopened->getRecordSize(3), 1);
    EXPECT_EQ(reopened->getSize(), 1);
}

TEST_F(RecordStoreTest, ADeletedRecordLosesItsFile) {
    RecordStore* store = open("deleted");
    add(store, {1, 2, 3});
    add(store, {4});
    store->deleteRecord(1);
    EXPECT_FALSE(std::filesystem::exists(recordFileOf("deleted", 1)));
    EXPECT_TRUE(std::filesystem::exists(recordFileOf("deleted", 2)));
    EXPECT_EQ(store->contains(1), 0);
    EXPECT_EQ(store->contains(2), 1);
    // Deleting what is not there changes nothing and raises nothing.
    const Bytes index = readBytes(indexFile("deleted"));
    std::filesystem::remove(indexFile("deleted"));
    store->deleteRecord(1);
    store->deleteRecord(99);
    EXPECT_EQ(takePending().first, 0);
    EXPECT_FALSE(std::filesystem::exists(indexFile("deleted")));
    writeBytes(indexFile("deleted"), index);
}

// What writes cut short by a kill leave in the folder goes when the store opens again: the
// temporary files of its own file names, and record files a whole index does not list. Files of
// other stores, other files and every record a damaged index might have lost stay.
TEST_F(RecordStoreTest, OpeningAStoreClearsWhatInterruptedWritesLeft) {
    const std::vector<std::string> leftovers = {
        "rms_club.rms.a1B2c3",        // the index, written part-way
        "RMS_Club.rms.zzzzzz",        // the same in another case
        "rms_club.rms_r2.rms.000000", // a record, written part-way
        "rms_club.rms_r3.rms",        // added, but the index was never written
        "rms_club.rms_r9.rms",        // deleted from the index, the file not yet
    };
    const std::vector<std::string> kept = {
        "rms_club.rms",         "rms_club.rms_r1.rms", "rms_club.rms_r2.rms", "rms_other.rms.a1B2c3",
        "rms_other.rms_r3.rms", "rms_club.rms_rx.rms", "rms_club.rms.a1B2c",  "notes.txt",
    };
    const auto makeFolder = [&] {
        std::filesystem::remove_all(gameFolder());
        std::filesystem::create_directories(gameFolder());
        for (const std::string& name : leftovers) {
            writeBytes(gameFolder() / name, {7});
        }
        for (const std::string& name : kept) {
            writeBytes(gameFolder() / name, {7});
        }
        writeBytes(indexFile("club"), bigEndian({9, 2, 1, 2}));
    };
    const auto names = [&] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(gameFolder())) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());

    makeFolder();
    RecordStore* store = open("Club", false);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(idsOf(store), (std::vector<jint>{1, 2}));
    EXPECT_EQ(names(), expected);

    // A damaged index may have lost ids: only the temporary files go.
    makeFolder();
    writeBytes(indexFile("club"), bigEndian({9, 3, 1, 2}));
    ASSERT_NE(open("club", false), nullptr);
    expected.push_back("rms_club.rms_r3.rms");
    expected.push_back("rms_club.rms_r9.rms");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(), expected);
}

// A count damaged downwards leaves ids behind the list it ends: the index counts as damaged, and
// the record files it lost are listed again instead of deleted.
TEST_F(RecordStoreTest, RecordFilesADamagedIndexLostAreListedAgain) {
    writeBytes(indexFile("lost"), bigEndian({3, 1, 1, 3}));
    writeBytes(recordFileOf("lost", 1), {1});
    writeBytes(recordFileOf("lost", 3), {3, 3});
    writeBytes(recordFileOf("lost", 5), {5});
    RecordStore* store = open("lost", false);
    EXPECT_EQ(idsOf(store), (std::vector<jint>{1, 3, 5}));
    EXPECT_EQ(store->nextRecordId, 5);
    EXPECT_EQ(recordOf(store, 3), (Bytes{3, 3}));
    // The repaired index goes to disk with the next write; an unchanged one is not written again.
    store->writeIndexIfChanged();
    EXPECT_EQ(readBytes(indexFile("lost")), bigEndian({5, 3, 1, 3, 5}));
    std::filesystem::remove(indexFile("lost"));
    store->writeIndexIfChanged();
    EXPECT_FALSE(std::filesystem::exists(indexFile("lost")));
    writeBytes(indexFile("lost"), bigEndian({5, 3, 1, 3, 5}));
    EXPECT_EQ(idsOf(open("lost", false)), (std::vector<jint>{1, 3, 5}));
}

// A table that lives in record 1 gets it back once it was lost; only an id handed out before and
// listed no more can come back.
TEST_F(RecordStoreTest, ARestoredRecordIsListedFirstUnderItsOldId) {
    RecordStore* store = open("restore");
    add(store, {1});
    add(store, {2});
    store->deleteRecord(1);
    for (const jint refused : {0, 2, 3}) {
        store->restoreRecord(refused, byteArrayOf({9}), 0, 1);
        EXPECT_EQ(takePending().first, runtime::kInvalidRecordIDException) << refused;
    }
    store->restoreRecord(1, byteArrayOf({7, 7}), 0, 2);
    EXPECT_EQ(takePending().first, 0);
    EXPECT_EQ(idsOf(store), (std::vector<jint>{1, 2}));
    EXPECT_EQ(store->nextRecordId, 2);
    RecordStore* reopened = open("restore", false);
    EXPECT_EQ(idsOf(reopened), (std::vector<jint>{1, 2}));
    EXPECT_EQ(recordOf(reopened, 1), (Bytes{7, 7}));
}

TEST_F(RecordStoreTest, DeleteSearchesFromTheEnd) {
    writeBytes(indexFile("twice"), bigEndian({5, 3, 5, 4, 5}));
    RecordStore* store = open("twice", false);
    store->deleteRecord(5);
    EXPECT_EQ(idsOf(store), (std::vector<jint>{5, 4}));
}

TEST_F(RecordStoreTest, AShorterRecordLeavesExactlyTheNewLength) {
    RecordStore* store = open("shorter");
    const jint id = add(store, Bytes(100, 1));
    set(store, id, {7, 8});
    EXPECT_EQ(readBytes(recordFileOf("shorter", id)), (Bytes{7, 8}));
    EXPECT_EQ(store->getRecordSize(id), 2);
    EXPECT_EQ(recordOf(store, id), (Bytes{7, 8}));
    store->setRecord(id, nullptr, 0, 0);
    EXPECT_EQ(store->getRecordSize(id), 0);
}

TEST_F(RecordStoreTest, UnknownIdsRaiseInvalidRecordIdWithTheId) {
    RecordStore* store = open("unknown");
    add(store, {1});
    const auto invalid = [](const jint id) {
        return std::make_pair(jint{runtime::kInvalidRecordIDException}, std::to_string(id));
    };
    EXPECT_EQ(store->getRecordSize(2), 0);
    EXPECT_EQ(takePending(), invalid(2));
    EXPECT_EQ(store->getRecord(-4, runtime::newByteArray(4), 0), 0);
    EXPECT_EQ(takePending(), invalid(-4));
    set(store, 0, {1});
    EXPECT_EQ(takePending(), invalid(0));
    EXPECT_FALSE(std::filesystem::exists(recordFileOf("unknown", 0)));
}

TEST_F(RecordStoreTest, SizesOfListedRecordsAddUp) {
    RecordStore* store = open("sizes");
    add(store, Bytes(10));
    add(store, Bytes(32));
    add(store, Bytes(0));
    EXPECT_EQ(store->getSize(), 42);
    // A listed record whose file went missing counts as empty.
    std::filesystem::remove(recordFileOf("sizes", 2));
    EXPECT_EQ(store->getRecordSize(2), 0);
    EXPECT_TRUE(logged("RecordStore: listed record 2 has no file"));
    EXPECT_EQ(store->getSize(), 10);
    EXPECT_EQ(recordOf(store, 2), Bytes{});
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(RecordStoreTest, WriteIndexToWritesTheFieldsAndCloses) {
    writeBytes(indexFile("fields"), bigEndian({17, 2, 16, -3}));
    RecordStore* store = open("fields", false);
    auto* bytes = newObject<runtime::java_io_ByteArrayOutputStream>();
    store->writeIndexTo(newObject<runtime::java_io_DataOutputStream>(bytes));
    EXPECT_EQ(bytes->isClosed, 1);
    EXPECT_EQ(bytesOf(bytes->toByteArray()), bigEndian({17, 2, 16, -3}));
}

// The failure tests put a directory where a file is to be renamed to: that fails for any user.
TEST_F(RecordStoreTest, ClosingWritesTheIndexAndAFailureRaisesWithoutSpoilingTheStore) {
    RecordStore* store = open("closing");
    add(store, {1});
    add(store, {2, 3});
    store->deleteRecord(1);
    std::filesystem::remove(indexFile("closing"));
    store->closeRecordStore();
    EXPECT_EQ(readBytes(indexFile("closing")), bigEndian({2, 1, 2}));

    std::filesystem::remove(indexFile("closing"));
    std::filesystem::create_directory(indexFile("closing"));
    store->closeRecordStore();
    EXPECT_EQ(takePending(), std::make_pair(jint{runtime::kRecordStoreException}, sampleText(75)));
    // The store goes on as it was.
    EXPECT_EQ(store->contains(2), 1);
    EXPECT_EQ(store->getRecordSize(2), 2);
    EXPECT_EQ(recordOf(store, 2), (Bytes{2, 3}));
    std::filesystem::remove(indexFile("closing"));
    store->closeRecordStore();
    EXPECT_EQ(takePending().first, 0);
    EXPECT_EQ(readBytes(indexFile("closing")), bigEndian({2, 1, 2}));
}

TEST_F(RecordStoreTest, AnIndexThatCannotBeWrittenUndoesTheAdd) {
    RecordStore* store = open("blocked");
    std::filesystem::create_directory(indexFile("blocked"));
    EXPECT_EQ(add(store, {1, 2}), 0);
    EXPECT_EQ(takePending(), std::make_pair(jint{runtime::kRecordStoreException}, sampleText(75)));
    EXPECT_EQ(idsOf(store), std::vector<jint>{});
    std::filesystem::remove(indexFile("blocked"));
    EXPECT_EQ(add(store, {3}), 2);
    EXPECT_EQ(readBytes(indexFile("blocked")), bigEndian({2, 1, 2}));
}

TEST_F(RecordStoreTest, ARecordThatCannotBeWrittenIsNotListed) {
    RecordStore* store = open("blocked");
    add(store, {1});
    std::filesystem::create_directory(recordFileOf("blocked", 2));
    EXPECT_EQ(add(store, {2}), 0);
    EXPECT_EQ(takePending(), std::make_pair(jint{runtime::kRecordStoreException}, sampleText(75)));
    EXPECT_EQ(idsOf(store), std::vector<jint>{1});
    EXPECT_EQ(readBytes(indexFile("blocked")), bigEndian({1, 1, 1}));
    // A bad range fails the same way and keeps the old bytes.
    store->setRecord(1, byteArrayOf({1, 2}), 1, 5);
    EXPECT_EQ(takePending().first, runtime::kRecordStoreException);
    EXPECT_EQ(recordOf(store, 1), Bytes{1});
    // The failed add used up id 2.
    EXPECT_EQ(add(store, {}), 3);
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(RecordStoreTest, ADeleteThatCannotWriteTheIndexKeepsTheRecord) {
    RecordStore* store = open("blocked");
    add(store, {1});
    add(store, {2});
    add(store, {3});
    std::filesystem::remove(indexFile("blocked"));
    std::filesystem::create_directory(indexFile("blocked"));
    store->deleteRecord(2);
    EXPECT_EQ(takePending(), std::make_pair(jint{runtime::kRecordStoreException}, sampleText(75)));
    EXPECT_EQ(idsOf(store), (std::vector<jint>{1, 2, 3}));
    EXPECT_EQ(readBytes(recordFileOf("blocked", 2)), Bytes{2});
}

[[gnu::noinline]] RecordStore* storeWithRecords() {
    RecordStore* store = RecordStore::openRecordStore(newStringFromCString("kept"), 1);
    for (std::uint8_t i = 1; i <= 12; ++i) {
        store->addRecord(byteArrayOf({i}), 0, 1);
    }
    return store;
}

TEST_F(RecordStoreTest, ACollectionKeepsThePathAndTheIds) {
    RecordStore* store = storeWithRecords();
    runtime::clearDeadStack();
    runtime::System::gc();
    EXPECT_EQ(text(store->path), game() + "\\rms_kept.rms");
    ASSERT_EQ(store->recordIds->size(), 12);
    EXPECT_EQ(recordOf(store, 12), Bytes{12});
    EXPECT_EQ(add(store, {13}), 13);
}

} // namespace
} // namespace profile
