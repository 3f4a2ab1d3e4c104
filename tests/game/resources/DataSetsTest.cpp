// The persisted data sets: first runs, round trips of every data set, records of the wrong size,
// the inbox, the manager profile, the team sheet, the state and composite records, and the reset
// for a new game and the first run that creates the game's stores.
#include "game/resources/DataSets.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/club/DatabaseFormat.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/SaveRecord.h"
#include "tests/game/resources/DatabaseFixture.h"

namespace game::sprites::testing {
using namespace game::resources;
using namespace game::club;
using namespace game::season;

namespace {

using runtime::IntArray;
using runtime::ObjectArray;

GameStatics* s() {
    return statics();
}

std::string constantText(const jint n) {
    return testing_support::textOf(runtime::getConstantString(n));
}

// length bytes that differ from their neighbours, starting from seed.
ByteArray* patterned(const jint length, const jint seed) {
    ByteArray* bytes = runtime::newByteArray(length);
    for (jint i = 0; i < length; ++i) {
        (*bytes)[i] = static_cast<runtime::jbyte>(i * 31 + seed);
    }
    return bytes;
}

void fillWith(ByteArray* table, const jint value) {
    for (jint i = 0; i < table->length; ++i) {
        (*table)[i] = static_cast<runtime::jbyte>(value);
    }
}

IntArray* intsOf(const std::vector<jint>& values) {
    IntArray* array = runtime::newIntArray(static_cast<jint>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        (*array)[static_cast<jint>(i)] = values[i];
    }
    return array;
}

// A 27-byte inbox message of a type, its other bytes from seed.
ByteArray* message(const jint type, const jint seed) {
    ByteArray* bytes = patterned(kInboxMessageBytes, seed);
    (*bytes)[0] = static_cast<runtime::jbyte>(type);
    return bytes;
}

// The inbox ring holding these messages from ring place start.
void setRing(const std::vector<ByteArray*>& messages, const jint start = 0) {
    ObjectArray* ring = s()->inboxRing;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        (*ring)[(start + static_cast<jint>(i)) % 100] = messages[i];
    }
    s()->inboxStart = start;
    s()->inboxCount = static_cast<jint>(messages.size());
    s()->inboxWrite = (start + static_cast<jint>(messages.size())) % 100;
}

void setManagerName(const std::string& first, const std::string& second) {
    s()->managerName = runtime::newObjectArray(2);
    runtime::String* a = runtime::newStringFromCString(first.c_str());
    (*s()->managerName)[0] = a;
    runtime::String* b = runtime::newStringFromCString(second.c_str());
    (*s()->managerName)[1] = b;
}

std::string managerNamePart(const jint part) {
    return testing_support::textOf(static_cast<runtime::String*>((*s()->managerName)[part]));
}

// The composite tables: 3 bytes, two pairs, a grid of 2 x 2 rows of 9 bytes, two ints.
void setCompositeTables(const jint seed) {
    s()->compositeBytes = patterned(3, seed);
    s()->compositePairs = runtime::newObjectArray(2);
    IntArray* first = intsOf({0x01020304 + seed, -2});
    (*s()->compositePairs)[0] = first;
    IntArray* second = intsOf({7, 0x7F00FF00 + seed});
    (*s()->compositePairs)[1] = second;
    s()->compositeGrid = runtime::newObjectArray(2);
    for (jint i = 0; i < 2; ++i) {
        ObjectArray* rows = runtime::newObjectArray(2);
        (*s()->compositeGrid)[i] = rows;
        for (jint j = 0; j < 2; ++j) {
            ByteArray* row = patterned(9, seed + 10 * i + j);
            (*rows)[j] = row;
        }
    }
    s()->compositeInts = intsOf({seed, -seed - 1});
    s()->compositeFlag0 = static_cast<runtime::jbyte>(seed);
    s()->compositeFlag1 = -1;
}

void setStateStatics(const jint seed) {
    s()->stateCounters = intsOf({seed, seed + 1, -seed, 0x10203040, seed * 1000});
    s()->stateWord = 0x0A0B0C0D + seed;
    for (IntArray* array : {s()->ones6A.get(), s()->ones5A.get(), s()->ones6B.get(), s()->ones4A.get(),
                            s()->ones7.get(), s()->ones4B.get(), s()->ones8.get()}) {
        for (jint i = 0; i < array->length; ++i) {
            (*array)[i] = seed + i;
        }
    }
    s()->stateIntA = seed * 3;
    s()->stateIntB = -seed;
    s()->userClubLevel = 0x11223344;
    s()->stateIntD = seed + 5;
    s()->stateIntE = -100000;
    s()->stateIntF = seed << 8;
    s()->stateIntG = seed + 1;
    s()->menuBytes16 = patterned(16, seed);
    s()->menuBytes32 = patterned(32, seed + 1);
}

// One data set: its store, how to fill its statics with content of a seed, and its routine.
struct DataSet {
    const char* name;
    std::function<std::string()> store;
    std::function<void(jint seed)> fill;
    std::function<void(jboolean save)> persist;
};

std::vector<DataSet> dataSets() {
    return {
        {"triplets", [] { return constantText(80); },
         [](const jint seed) {
             s()->tripletCount = 4;
             s()->tripletTable = patterned(12, seed);
         },
         &persistThreeByteTable},
        {"teams", [] { return constantText(81); },
         [](const jint seed) { s()->teamRecords = patterned(64 * s()->teamCount, seed); },
         &persistTeamRecords},
        {"players", [] { return constantText(82); },
         [](const jint seed) { s()->playerRecords = patterned(37 * s()->playerCount, seed); },
         &persistPlayerRecords},
        {"transfers", [] { return constantText(83); },
         [](const jint seed) {
             s()->transferHistory = patterned(401, seed);
             (*s()->transferHistory)[0] = static_cast<runtime::jbyte>(seed % 50);
         },
         &persistEightByteTable},
        {"three statics", [] { return testing_support::textOf(s()->threeStaticsStoreName); },
         [](const jint seed) {
             s()->autoSaveMode = static_cast<runtime::jbyte>(-seed);
             s()->currencyFrameBase = seed + 0x100;
             s()->storedByte2 = 200 + seed;
         },
         &persistThreeStatics},
        {"table 4608", [] { return constantText(130); },
         [](const jint seed) { s()->fixtureStore = patterned(4608, seed); }, &persistTable4608},
        {"table 1110", [] { return testing_support::textOf(s()->table1110StoreName); },
         [](const jint seed) { s()->competitionRecords = patterned(1110, seed); }, &persistTable1110},
        {"table 6342", [] { return constantText(144); },
         [](const jint seed) { s()->table6342 = patterned(6342, seed); }, &persistTable6342},
        {"composite", [] { return constantText(155); }, &setCompositeTables, &persistCompositeRecord},
        {"club plan", [] { return constantText(156); },
         [](const jint seed) { s()->selectionTable = patterned(818, seed); }, &persistSetupRecord},
        {"profile", [] { return constantText(180); },
         [](const jint seed) {
             setManagerName("Ann" + std::to_string(seed), "Oakley");
             s()->managerBirthYear = seed % 60;
             s()->profileMonth = seed % 12;
             s()->profileDay = seed % 28;
             s()->profileTextIndex = 1;
         },
         [](const jboolean save) { persistManagerProfile(save, 0); }},
        {"inbox", [] { return testing_support::textOf(s()->inboxStoreName); },
         [](const jint seed) {
             setRing({message(1, seed), message(0, seed + 1), message(7, seed + 2)}, 98);
         },
         &persistInbox},
        {"team bytes", [] { return constantText(179); },
         [](const jint seed) {
             s()->teamByteTable = patterned(520, seed);
             s()->userTeam = 200;
             s()->currentTeamByte = static_cast<runtime::jbyte>(seed);
         },
         &persistTeamByteTable},
        {"state", [] { return constantText(178); }, &setStateStatics, &persistStateRecord},
    };
}

class DataSetsTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        loadDatabaseTables();
        ASSERT_EQ(application.pendingException, nullptr);
        s()->profileTextIds = intsOf({689, 545});
    }
};

TEST_F(DataSetsTest, EveryDataSetRoundTripsByteForByte) {
    for (const DataSet& set : dataSets()) {
        set.fill(3);
        set.persist(1);
        ASSERT_TRUE(hasRecord(set.store())) << set.name << ": saving into an empty store adds the record";
        const Bytes first = recordBytes(set.store());
        set.fill(77);
        set.persist(0);
        set.persist(1);
        EXPECT_EQ(recordBytes(set.store()), first) << set.name;
        EXPECT_EQ(application.pendingException, nullptr) << set.name;
    }
}

TEST_F(DataSetsTest, AFirstRunStoresTheDefaultsAndTheNextRunReadsThemBack) {
    // The defaults the first run builds, per data set; empty: the table as it stands.
    const std::map<std::string, std::function<Bytes()>> defaults = {
        {"triplets", [] { return Bytes(12, 0xFF); }},
        {"transfers",
         [] {
             Bytes table(401, 0xFF);
             table[0] = 0;
             return table;
         }},
    };
    for (const DataSet& set : dataSets()) {
        set.fill(5);
        set.persist(0);
        ASSERT_TRUE(hasRecord(set.store())) << set.name;
        const Bytes stored = recordBytes(set.store());
        const auto found = defaults.find(set.name);
        if (found != defaults.end()) {
            EXPECT_EQ(stored, found->second()) << set.name;
        }
        set.fill(9);
        set.persist(0);
        set.persist(1);
        EXPECT_EQ(recordBytes(set.store()), stored)
            << set.name << ": the second run read the first run's record";
    }
    EXPECT_EQ(framework.setupResets, 1);
}

TEST_F(DataSetsTest, FirstRunTeamRecordsHoldConsecutivePlayersThenTheClubsValues) {
    s()->teamRecords = nullptr;
    setupLeagueTables();
    persistTeamRecords(0);
    const Bytes records = recordBytes(constantText(81));
    ASSERT_EQ(records.size(), 64u * 260);
    const Bytes info = sampleEntry(kTeamInfoEntry);
    for (const jint t : {0, 1, 259}) {
        const std::size_t r = static_cast<std::size_t>(64 * t);
        for (jint slot = 0; slot < 30; ++slot) {
            const jint id = (records[r + 2 * slot] << 8) | records[r + 2 * slot + 1];
            EXPECT_EQ(id, slot < 21 ? 21 * t + slot : 0xFFFF) << t << " slot " << slot;
        }
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(records[r + 60 + k], info[static_cast<std::size_t>(72 + 27 * t) + k]) << t;
        }
    }
}

TEST_F(DataSetsTest, ARecordOfTheWrongSizeIsTreatedAsAFirstRun) {
    struct Case {
        const char* store;
        Bytes record;
        std::function<void()> load;
        std::size_t length;
    };
    const Case cases[] = {
        {"teams", Bytes(10, 1), [] { persistTeamRecords(0); }, 64 * 260},
        {"clubplan", Bytes(900, 1), [] { persistSetupRecord(0); }, 804},
        {"inbox", Bytes(2727, 1), [] { persistInbox(0); }, 2728},
        {"teambytes", Bytes(260, 1), [] { persistTeamByteTable(0); }, 520},
        {"history", Bytes(140, 1), [] { persistStateRecord(0); }, 141},
        {"transfers", Bytes(400, 1), [] { persistEightByteTable(0); }, 401},
    };
    for (const Case& c : cases) {
        writeStore(c.store, c.record);
        log.lines.clear();
        c.load();
        EXPECT_TRUE(logMentions("store " + std::string(c.store) + ": record 1 holds " +
                                std::to_string(c.record.size()) + " bytes"))
            << c.store;
        EXPECT_EQ(recordBytes(c.store).size(), c.length) << c.store;
        EXPECT_EQ(application.pendingException, nullptr) << c.store;
    }
    // The inbox of a record of the wrong size was left as it was.
    EXPECT_EQ(club.stored, 0);
}

TEST_F(DataSetsTest, TheInboxWritesOnlyItsRealMessagesOldestFirst) {
    setRing({message(5, 1), message(0, 2), message(9, 3), message(0, 4), message(12, 5)}, 97);
    persistInbox(1);
    const Bytes record = recordBytes("inbox");
    ASSERT_EQ(record.size(), 2728u);
    EXPECT_EQ(record[0], 3);
    const jint types[] = {5, 9, 12};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(record[1 + 27 * i], types[i]);
        EXPECT_EQ(record[1 + 27 * i + 26],
                  testing_support::bytesOf(message(types[i], 1 + 2 * static_cast<jint>(i)))[26]);
    }
    EXPECT_EQ(Bytes(record.begin() + 1 + 27 * 3, record.end()), Bytes(2728 - 1 - 27 * 3, 0));
    // Reading files the three messages again, oldest first, and nothing else.
    setRing({});
    persistInbox(0);
    EXPECT_EQ(club.stored, 3);
    EXPECT_EQ(s()->inboxCount, 3);
    EXPECT_EQ(s()->inboxStart, 0);
    for (jint i = 0; i < 3; ++i) {
        EXPECT_EQ((*static_cast<ByteArray*>((*s()->inboxRing)[i]))[0], types[i]);
    }
    ByteArray* unused = static_cast<ByteArray*>((*s()->inboxPool)[3]);
    EXPECT_EQ(testing_support::bytesOf(unused), Bytes(27, 0xFF));
}

TEST_F(DataSetsTest, AFullInboxFillsAllButTheLastMessageOfItsRecord) {
    // Each message goes into the ring as soon as it exists, where the collector sees it.
    for (jint i = 0; i < 100; ++i) {
        ByteArray* next = message(1 + i, i);
        (*s()->inboxRing)[(40 + i) % 100] = next;
    }
    s()->inboxStart = 40;
    s()->inboxCount = 100;
    s()->inboxWrite = 40;
    persistInbox(1);
    const Bytes record = recordBytes("inbox");
    EXPECT_EQ(record[0], 100);
    EXPECT_EQ(record[1], 1);
    EXPECT_EQ(record[1 + 27 * 99], 100);
    EXPECT_EQ(Bytes(record.begin() + 2701, record.end()), Bytes(27, 0));
}

TEST_F(DataSetsTest, AStoredMessageCountAboveTheRingIsCutToIt) {
    Bytes record(2728, 3);
    record[0] = 250;
    writeStore("inbox", record);
    persistInbox(0);
    EXPECT_TRUE(log.contains("inbox: the store counts 250 messages, at most 100 fit; 100 are read"));
    EXPECT_EQ(club.stored, 100);
    EXPECT_EQ(s()->inboxCount, 100);
}

TEST_F(DataSetsTest, AnEmptyInboxStoreGetsAZeroRecordAndTheInboxStaysAsItIs) {
    setRing({message(4, 1)});
    persistInbox(0);
    EXPECT_EQ(recordBytes("inbox"), Bytes(2728, 0));
    EXPECT_EQ(s()->inboxCount, 1);
    EXPECT_EQ(club.stored, 0);
}

TEST_F(DataSetsTest, TheTeamByteTableKeepsAllItsBytes) {
    s()->teamByteTable = patterned(520, 1);
    s()->userTeam = 200;
    s()->currentTeamByte = 0x5A;
    persistTeamByteTable(1);
    const Bytes record = recordBytes("teambytes");
    ASSERT_EQ(record.size(), 520u);
    EXPECT_EQ(record[400], 0x5A);
    EXPECT_EQ(record[519], static_cast<std::uint8_t>(519 * 31 + 1));
    s()->currentTeamByte = 0;
    fillWith(s()->teamByteTable, 0);
    persistTeamByteTable(0);
    EXPECT_EQ(s()->currentTeamByte, 0x5A);
    EXPECT_EQ(testing_support::bytesOf(s()->teamByteTable), record);
}

TEST_F(DataSetsTest, TheTransferCountIsTakenFromTheRecordWithinItsFiftyEntries) {
    persistEightByteTable(0);
    EXPECT_NE(s()->eightByteTableStore.get(), nullptr);
    Bytes record(401, 0);
    for (const auto& [stored, used] :
         {std::pair{7, 7}, std::pair{50, 50}, std::pair{51, 50}, std::pair{255, 50}}) {
        record[0] = static_cast<std::uint8_t>(stored);
        writeStore("transfers", record);
        persistEightByteTable(0);
        EXPECT_EQ(s()->transferHistoryCount, used) << stored;
    }
    EXPECT_TRUE(log.contains("store transfers: 255 transfer entries, at most 50 fit; 50 are used"));
}

TEST_F(DataSetsTest, AFreshTransferTableResetsTheCount) {
    s()->transferHistoryCount = 9;
    persistEightByteTable(0);
    EXPECT_EQ(s()->transferHistoryCount, 0);
    s()->transferHistoryCount = 9;
    writeStore("transfers", Bytes(12, 3));
    persistEightByteTable(0);
    EXPECT_EQ(s()->transferHistoryCount, 0) << "a record of the wrong size is a first run";
}

TEST_F(DataSetsTest, AStoredTripletRecordIsReadIntoATableMadeForIt) {
    const Bytes stored = {1, 2, 3, 4, 5, 6};
    s()->tripletCount = 2;
    s()->tripletTable = nullptr;
    writeStore("triplets", stored);
    persistThreeByteTable(0);
    ASSERT_NE(s()->tripletTable.get(), nullptr);
    EXPECT_EQ(testing_support::bytesOf(s()->tripletTable), stored);
    EXPECT_EQ(recordBytes("triplets"), stored);
}

TEST_F(DataSetsTest, TheThreeStaticsComeBackSignExtended) {
    s()->autoSaveMode = -3;
    s()->currencyFrameBase = 0x1FE;
    s()->storedByte2 = 130;
    persistThreeStatics(1);
    EXPECT_EQ(recordBytes(testing_support::textOf(s()->threeStaticsStoreName)), (Bytes{0xFD, 0xFE, 0x82}));
    s()->autoSaveMode = s()->currencyFrameBase = s()->storedByte2 = 0;
    persistThreeStatics(0);
    EXPECT_EQ(s()->autoSaveMode, -3);
    EXPECT_EQ(s()->currencyFrameBase, -2);
    EXPECT_EQ(s()->storedByte2, -126);
}

// The settings survive a damaged index: a store that cannot account for record 1 keeps it or
// makes it again, and never gains one more unread record file at each start.
TEST_F(DataSetsTest, TheSettingsSurviveAnIndexThatLostRecordOne) {
    const std::string store = testing_support::textOf(s()->threeStaticsStoreName);
    const auto recordFiles = [&] {
        std::vector<jint> ids;
        for (jint id = 1; id <= 6; ++id) {
            if (std::filesystem::exists(recordFile(store, id))) {
                ids.push_back(id);
            }
        }
        return ids;
    };
    struct Case {
        const char* what;
        Bytes index;
        std::vector<jint> files; // record files written besides the index, each holding the settings
        std::vector<jint> filesAfter;
        bool settingsKept;
    };
    const Case cases[] = {
        // The count says 0, the id 1 still follows it.
        {"a count damaged downwards", Bytes{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}, {1}, {1}, true},
        // Record 1 listed no more, record 2 an earlier start's unread copy.
        {"record 1 gone", Bytes{0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2}, {2}, {1, 2}, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(root.path() / "Brenvale" / "Tarnwick");
        root.write("Brenvale/Tarnwick/rms_" + store + ".rms", c.index);
        for (const jint id : c.files) {
            root.write("Brenvale/Tarnwick/rms_" + store + ".rms_r" + std::to_string(id) + ".rms",
                       Bytes{0xFD, 0x05, 0x07});
        }
        for (int start = 0; start < 3; ++start) {
            s()->autoSaveMode = s()->currencyFrameBase = s()->storedByte2 = 0;
            persistThreeStatics(0);
            EXPECT_EQ(application.pendingException, nullptr) << c.what;
            EXPECT_EQ(recordFiles(), c.filesAfter) << c.what << ", start " << start;
            EXPECT_EQ(s()->autoSaveMode, c.settingsKept ? -3 : 0) << c.what << ", start " << start;
        }
        // The settings saved now are the ones the next start reads.
        s()->autoSaveMode = 9;
        persistThreeStatics(1);
        s()->autoSaveMode = 0;
        persistThreeStatics(0);
        EXPECT_EQ(s()->autoSaveMode, 9) << c.what;
    }
}

// A start that only reads the settings writes nothing: on a full disk it still uses them.
TEST_F(DataSetsTest, ReadingTheSettingsLeavesTheirIndexAsItWas) {
    const std::string store = testing_support::textOf(s()->threeStaticsStoreName);
    writeStore(store, Bytes{0xFD, 0x05, 0x07});
    // Every write puts a new file in the old one's place.
    const auto indexInode = [&] {
        struct stat info {};
        return stat(indexFile(store).c_str(), &info) == 0 ? info.st_ino : 0;
    };
    const auto before = indexInode();
    persistThreeStatics(0);
    EXPECT_EQ(s()->autoSaveMode, -3);
    EXPECT_EQ(indexInode(), before);
    // A save still writes its record, and a store made afresh still gets its index.
    persistThreeStatics(1);
    EXPECT_EQ(recordBytes(store), (Bytes{0xFD, 0x05, 0x07}));
    std::filesystem::remove(indexFile(store));
    std::filesystem::remove(recordFile(store));
    persistThreeStatics(0);
    EXPECT_TRUE(std::filesystem::exists(indexFile(store)));
}

TEST_F(DataSetsTest, TheClubPlanGivesTheFormationAfterARead) {
    persistSetupRecord(0);
    EXPECT_EQ(framework.setupResets, 1);
    Bytes record(804, 0);
    record[604] = 17;
    writeStore("clubplan", record);
    persistSetupRecord(0);
    EXPECT_EQ(s()->formationIndex, 17);
    EXPECT_EQ(s()->selectionTable->length, 818);
}

TEST_F(DataSetsTest, TheManagerProfileStoresBothNamesAndTheDateAndRebuildsItsTexts) {
    setManagerName("Alexander", "Whitcombe");
    s()->managerBirthYear = 30;
    s()->profileMonth = 0;
    s()->profileDay = 8;
    s()->profileTextIndex = 1;
    persistManagerProfile(1, 0);
    const Bytes record = recordBytes("profile");
    ASSERT_EQ(record.size(), 60u);
    EXPECT_EQ(record[0], 18);
    EXPECT_EQ(record[1], 18);
    EXPECT_EQ(record[2], 0);
    EXPECT_EQ(record[3], 'A');
    EXPECT_EQ(record[2 + 2 * 9 + 1], 'W');
    EXPECT_EQ(Bytes(record.begin() + 38, record.begin() + 42), (Bytes{30, 0, 8, 1}));
    setManagerName("", "");
    s()->managerBirthYear = s()->profileMonth = s()->profileDay = s()->profileTextIndex = 0;
    persistManagerProfile(0, 0);
    EXPECT_EQ(managerNamePart(0), "Alexander");
    EXPECT_EQ(managerNamePart(1), "Whitcombe");
    EXPECT_EQ(s()->managerBirthYear, 30);
    EXPECT_EQ(s()->profileDay, 8);
    EXPECT_EQ(text(s()->profileYearText), "1977");
    EXPECT_EQ(text(s()->profileMonthText), "01");
    EXPECT_EQ(text(s()->profileDayText), "09");
    EXPECT_EQ(text(s()->profileTextName), "inbox");
}

TEST_F(DataSetsTest, ProfileNamesAreCutToWhatTheRecordHolds) {
    setManagerName("Maximilian-Alexander", "Fotheringham-Smythe");
    persistManagerProfile(1, 0);
    EXPECT_TRUE(log.contains("manager profile: the name has 39 characters, 27 fit"));
    const Bytes record = recordBytes("profile");
    EXPECT_EQ(record[0], 40);
    EXPECT_EQ(record[1], 14);
    persistManagerProfile(0, 0);
    EXPECT_EQ(managerNamePart(0), "Maximilian-Alexander");
    EXPECT_EQ(managerNamePart(1), "Fotheri");
    // Stored lengths that overrun the record are cut, never read past it.
    Bytes corrupt(60, 0x41);
    corrupt[0] = 200;
    corrupt[1] = 200;
    writeStore("profile", corrupt);
    persistManagerProfile(0, 0);
    EXPECT_EQ(managerNamePart(0).size(), 27u);
    EXPECT_EQ(managerNamePart(1), "");
}

TEST_F(DataSetsTest, KeepingTheProfileReadsNothing) {
    setManagerName("Stored", "Name");
    persistManagerProfile(1, 0);
    setManagerName("Typed", "Now");
    s()->managerBirthYear = 12;
    persistManagerProfile(0, 1);
    EXPECT_EQ(managerNamePart(0), "Typed");
    EXPECT_EQ(s()->managerBirthYear, 12);
    EXPECT_EQ(recordBytes("profile")[3], 'S');
}

class TeamSheetTest : public DataSetsTest {
protected:
    void SetUp() override {
        DataSetsTest::SetUp();
        (*s()->leagueTeamOrder)[3] = kTeam;
        s()->teamListIndex = 3;
        s()->userTeam = kUser;
        (*s()->teamInfoRecords)[81 + 27 * kTeam] = static_cast<runtime::jbyte>(0xA5);
        s()->selectionTable = patterned(818, 2);
        buildDefaultTeamRecords();
        // Slot 0 of the user's team empty, slot 1 flagged.
        ByteArray* teams = s()->teamRecords;
        (*teams)[64 * kUser] = -1;
        (*teams)[64 * kUser + 1] = -1;
        (*teams)[64 * kUser + 2] = static_cast<runtime::jbyte>(0x80 | ((21 * kUser + 1) >> 8));
        s()->playerRecords = patterned(37 * 5500, 4);
    }
    static constexpr jint kTeam = 7;
    static constexpr jint kUser = 12;
};

TEST_F(TeamSheetTest, TheSheetHoldsTheTeamThenItsSquadWithEmptySlotsShorter) {
    ASSERT_EQ(exportTeamSheet(1), 1);
    const Bytes sheet = recordBytes("teamsheet");
    ASSERT_EQ(sheet.size(), static_cast<std::size_t>(kTeamSheetBytes));
    const tools::SampleTeam& team = tools::sampleDatabase().teams[kTeam];
    EXPECT_EQ(sheet[0], team.name.size());
    EXPECT_EQ(
        std::string(sheet.begin() + 1, sheet.begin() + 1 + static_cast<std::ptrdiff_t>(team.name.size())),
        team.name);
    EXPECT_EQ(std::string(sheet.begin() + 21, sheet.begin() + 24), team.code);
    const Bytes info = sampleEntry(kTeamInfoEntry);
    EXPECT_EQ(Bytes(sheet.begin() + 24, sheet.begin() + 28),
              Bytes(info.begin() + 76 + 27 * kTeam, info.begin() + 80 + 27 * kTeam));
    EXPECT_EQ(sheet[28], 0x0A);
    EXPECT_EQ(sheet[29], 0x05);
    const Bytes selection = testing_support::bytesOf(s()->selectionTable);
    EXPECT_EQ(Bytes(sheet.begin() + 31, sheet.begin() + 141),
              Bytes(selection.begin() + 604, selection.begin() + 714));
    // Slot 0 is empty: two 0xFF bytes and 39 bytes in all, so slot 1 starts at byte 180.
    EXPECT_EQ(sheet[141], 0xFF);
    EXPECT_EQ(sheet[142], 0xFF);
    const jint player = 21 * kUser + 1;
    const Bytes records = testing_support::bytesOf(s()->playerRecords);
    const Bytes playerInfo = sampleEntry(kPlayerInfoEntry);
    EXPECT_EQ(sheet[180], selection[108 + 16]);
    EXPECT_EQ(sheet[181], selection[109 + 16]);
    EXPECT_EQ(Bytes(sheet.begin() + 182, sheet.begin() + 191),
              Bytes(records.begin() + 37 * player + 4, records.begin() + 37 * player + 13));
    EXPECT_EQ(sheet[191], playerInfo[static_cast<std::size_t>(28 * player + 24)]);
    EXPECT_EQ(sheet[192], playerInfo[static_cast<std::size_t>(28 * player + 25)]);
    EXPECT_EQ(Bytes(sheet.begin() + 193, sheet.begin() + 197),
              Bytes(playerInfo.begin() + 28 * player + 11, playerInfo.begin() + 28 * player + 15));
    EXPECT_EQ(sheet[197], playerInfo[static_cast<std::size_t>(28 * player + 23)]);
    EXPECT_EQ(sheet[198], 1);
    EXPECT_EQ(sheet[199], 17 + player % 20);
    const std::string name = tools::sampleDatabase().players[player].name;
    EXPECT_EQ(sheet[200], name.size());
    EXPECT_EQ(
        std::string(sheet.begin() + 201, sheet.begin() + 201 + static_cast<std::ptrdiff_t>(name.size())),
        name);
    // Slot 2 follows 41 bytes later.
    const jint next = 21 * kUser + 2;
    EXPECT_EQ(sheet[221 + 18], 2);
    EXPECT_EQ(sheet[221 + 2], records[static_cast<std::size_t>(37 * next + 4)]);
}

TEST_F(TeamSheetTest, ALongTeamNameKeepsItsFullLengthAndTwentyCharacters) {
    const std::string longName = "The Very Long Club Name";
    Bytes names = sampleEntry(kNameBytesEntry);
    const jint offset = static_cast<jint>(names.size());
    names.insert(names.end(), longName.begin(), longName.end());
    s()->nameBytes = testing_support::byteArrayOf(names);
    ByteArray* info = s()->teamInfoRecords;
    (*info)[65 + 27 * kTeam] = static_cast<runtime::jbyte>(offset >> 8);
    (*info)[66 + 27 * kTeam] = static_cast<runtime::jbyte>(offset);
    (*info)[67 + 27 * kTeam] = static_cast<runtime::jbyte>(longName.size());
    ASSERT_EQ(exportTeamSheet(1), 1);
    const Bytes sheet = recordBytes("teamsheet");
    EXPECT_EQ(sheet[0], longName.size());
    EXPECT_EQ(std::string(sheet.begin() + 1, sheet.begin() + 21), longName.substr(0, 20));
    EXPECT_EQ(sheet[21], tools::sampleDatabase().teams[kTeam].code[0]);
}

TEST_F(TeamSheetTest, TheSheetIsBuiltOnlyWhenSavingAndFailsWithoutItsTeam) {
    EXPECT_EQ(exportTeamSheet(0), 0);
    EXPECT_EQ(recordBytes("teamsheet"), Bytes(kTeamSheetBytes, 0));
    s()->teamListIndex = 400;
    EXPECT_EQ(exportTeamSheet(1), 0);
    EXPECT_TRUE(log.contains("team sheet: no team at list place 400"));
    s()->teamListIndex = 3;
    s()->userTeam = -1;
    EXPECT_EQ(exportTeamSheet(1), 0);
    EXPECT_EQ(application.pendingException, nullptr);
}

TEST_F(DataSetsTest, TheStateRecordPutsEachFieldAtItsPosition) {
    setStateStatics(200);
    packStateRecord();
    const Bytes record = testing_support::bytesOf(s()->stateRecord);
    ASSERT_EQ(record.size(), 141u);
    EXPECT_EQ(Bytes(record.begin() + 12, record.begin() + 16), (Bytes{0x10, 0x20, 0x30, 0x40}));
    EXPECT_EQ(Bytes(record.begin() + 20, record.begin() + 24), (Bytes{0x0A, 0x0B, 0x0C, 0xD5}));
    // The seven int arrays, one low byte per element, from byte 24 to 63.
    EXPECT_EQ(record[24], 200);
    EXPECT_EQ(record[29], 205);
    EXPECT_EQ(record[30], 200);
    EXPECT_EQ(record[63], 207);
    EXPECT_EQ(Bytes(record.begin() + 64, record.begin() + 68), (Bytes{0, 0, 0x02, 0x58}));
    EXPECT_EQ(record[72], testing_support::bytesOf(s()->menuBytes16)[0]);
    EXPECT_EQ(record[119], testing_support::bytesOf(s()->menuBytes32)[31]);
    EXPECT_EQ(Bytes(record.begin() + 120, record.begin() + 124), (Bytes{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(record[140], 201);
    // Reading back: the int arrays' bytes come back sign-extended.
    setStateStatics(0);
    s()->stateRecord = testing_support::byteArrayOf(record);
    unpackStateRecord();
    EXPECT_EQ((*s()->ones6A)[0], 200 - 256);
    EXPECT_EQ((*s()->stateCounters)[3], 0x10203040);
    EXPECT_EQ(s()->stateIntA, 600);
    EXPECT_EQ(s()->stateIntE, -100000);
    EXPECT_EQ(s()->stateIntG, 201 - 256);
}

TEST_F(DataSetsTest, CopiesWithTheStateRecordStopAtItsEnd) {
    s()->stateRecord = runtime::newByteArray(6);
    ByteArray* bytes = patterned(4, 9);
    copyBytesWithStateRecord(bytes, 4, 1);
    EXPECT_EQ(testing_support::bytesOf(s()->stateRecord), (Bytes{0, 0, 0, 0, 9, 40}));
    IntArray* ints = intsOf({1, 2, 3});
    copyIntsWithStateRecord(ints, 5, 0);
    EXPECT_EQ((*ints)[0], 40);
    EXPECT_EQ((*ints)[1], 2);
    copyIntsWithStateRecord(ints, -1, 1);
    EXPECT_EQ(testing_support::bytesOf(s()->stateRecord)[0], 0);
}

TEST_F(DataSetsTest, TheCompositeRecordKeepsItsTablesInOrderLittleEndian) {
    setCompositeTables(1);
    persistCompositeRecord(1);
    const Bytes record = recordBytes("composite");
    // 3 bytes + 8 x 2 pairs + 4 x 2 ints + the 36 grid bytes and two flags.
    ASSERT_EQ(record.size(), 3u + 16 + 8 + 38);
    EXPECT_EQ(Bytes(record.begin() + 3, record.begin() + 7), (Bytes{0x05, 0x03, 0x02, 0x01}));
    EXPECT_EQ(Bytes(record.begin() + 7, record.begin() + 11), (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(Bytes(record.begin() + 11, record.begin() + 15), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(record.begin() + 15, record.begin() + 19), (Bytes{0x01, 0xFF, 0x00, 0x7F}));
    EXPECT_EQ(record[19], 1);
    EXPECT_EQ(record[19 + 36], 1);
    EXPECT_EQ(record[19 + 37], 0xFF);
    EXPECT_EQ(Bytes(record.begin() + 57, record.begin() + 61), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(Bytes(record.begin() + 61, record.end()), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(DataSetsTest, ANewGameRewritesEveryStoreThatHoldsARecord) {
    for (const DataSet& set : dataSets()) {
        set.fill(4);
        set.persist(1);
    }
    writeStore("gamesave", Bytes(5736, 9));
    const Bytes teams = recordBytes("teams");
    const Bytes players = recordBytes("players");
    resetDataSets();
    const std::pair<std::string, Bytes> expected[] = {
        {"history", Bytes(141, 0)},
        {"teambytes", Bytes(520, 0)},
        {testing_support::textOf(s()->table1110StoreName), Bytes(1110, 0)},
        {"results", Bytes(4608, 0)},
        {"stats", Bytes(6342, 0)},
        {"clubplan", Bytes(804, 0)},
        {"teams", teams},
        {"players", players},
        {"inbox", Bytes(2728, 0)},
        {"triplets", Bytes(12, 0xFF)},
        {"profile", Bytes(60, 0)},
        {"transfers", Bytes(401, 0)},
    };
    for (const auto& [store, bytes] : expected) {
        EXPECT_EQ(recordBytes(store), bytes) << store;
    }
    Bytes game(5736, 0);
    game[0] = 0x47;
    EXPECT_EQ(recordBytes("gamesave"), game);
    EXPECT_EQ(infoScreens.careerResets, 1);
    EXPECT_EQ(framework.gameDatabaseLoads, 1);
    EXPECT_EQ(s()->saveRecordBuffer.get(), nullptr);
    EXPECT_EQ(s()->selectionTable->length, 818);
    // The composite store and the three statics are not part of a new game.
    EXPECT_NE(recordBytes("composite"), Bytes(recordBytes("composite").size(), 0));
}

TEST_F(DataSetsTest, ANewGameLeavesStoresWithoutARecordAndStopsAtTheFirstFailure) {
    persistTeamByteTable(1);
    persistThreeByteTable(1);
    persistEightByteTable(1);
    const Bytes transfers = recordBytes("transfers");
    s()->inboxStoreName = nullptr;
    resetDataSets();
    EXPECT_EQ(recordBytes("teambytes"), Bytes(520, 0));
    EXPECT_FALSE(hasRecord("history"));
    EXPECT_FALSE(hasRecord("clubplan"));
    // The inbox store has no name: the sequence ends there.
    EXPECT_EQ(recordBytes("transfers"), transfers);
    EXPECT_EQ(infoScreens.careerResets, 0);
}

// The stores a first run creates, with their record lengths.
std::vector<std::pair<std::string, std::size_t>> gameStores() {
    return {
        {"history", 141},
        {"teambytes", 520},
        {"gamesave", 5736},
        {testing_support::textOf(s()->table1110StoreName), 1110},
        {"results", 4608},
        {"stats", 6342},
        {"clubplan", 804},
        {"teams", 64 * static_cast<std::size_t>(s()->teamCount)},
        {"players", 37 * static_cast<std::size_t>(s()->playerCount)},
        {"inbox", 2728},
        {"triplets", 3 * static_cast<std::size_t>(s()->tripletCount)},
        {"profile", 60},
        {"transfers", 401},
    };
}

TEST_F(DataSetsTest, AFirstRunGivesEveryGameStoreItsFirstRecordAndANewGamesSavedGame) {
    s()->tripletCount = 4;
    s()->userTeam = 5;
    infoScreens.onCareerReset = [] { s()->userTeam = 123; };
    createRecordStores();
    EXPECT_EQ(application.pendingException, nullptr);
    for (const auto& [store, length] : gameStores()) {
        EXPECT_EQ(recordBytes(store).size(), length) << store;
    }
    EXPECT_EQ(recordBytes("triplets"), Bytes(12, 0xFF));
    Bytes transfers(401, 0xFF);
    transfers[0] = 0;
    EXPECT_EQ(recordBytes("transfers"), transfers);
    EXPECT_EQ(recordBytes("clubplan")[0], 0x53) << "the club plan's first-run contents";
    EXPECT_EQ(framework.setupResets, 1);
    // The saved game is the new game's state, packed after its set-up.
    EXPECT_EQ(infoScreens.careerResets, 1);
    EXPECT_EQ(s()->saveRecordBuffer.get(), nullptr);
    s()->saveRecordBuffer = runtime::newByteArray(5736);
    season::packSaveRecord();
    const Bytes game = recordBytes("gamesave");
    EXPECT_EQ(game, testing_support::bytesOf(s()->saveRecordBuffer));
    EXPECT_EQ((game[4] << 8) | game[5], 123);
    // Stores that are not the game's own get nothing.
    EXPECT_FALSE(hasRecord("composite"));
    EXPECT_FALSE(hasRecord(testing_support::textOf(s()->threeStaticsStoreName)));
}

TEST_F(DataSetsTest, AFirstRunKeepsEveryStoredRecordAndSkipsAStoreItCannotOpen) {
    const Bytes teams(64 * static_cast<std::size_t>(s()->teamCount), 7);
    writeStore("teams", teams);
    writeStore("gamesave", Bytes(5736, 9));
    writeStore("transfers", Bytes(400, 1)); // of the wrong length: loading would replace it
    s()->inboxStoreName = nullptr;
    createRecordStores();
    EXPECT_EQ(recordBytes("teams"), teams);
    EXPECT_EQ(recordBytes("gamesave"), Bytes(5736, 9));
    EXPECT_EQ(recordBytes("transfers"), Bytes(400, 1));
    EXPECT_EQ(infoScreens.careerResets, 0);
    EXPECT_FALSE(hasRecord("inbox"));
    EXPECT_TRUE(logMentions("a store without a name is not opened"));
    // The stores after the one without a name still get theirs.
    EXPECT_EQ(recordBytes("profile").size(), 60u);
    // A second first run changes nothing.
    const Bytes teamBytes = recordBytes("teambytes");
    fillWith(s()->teamByteTable, 4);
    createRecordStores();
    EXPECT_EQ(recordBytes("teambytes"), teamBytes);
    EXPECT_EQ(application.pendingException, nullptr);
}

} // namespace
} // namespace game::sprites::testing
