// The saved game: the first load creates every store, a save survives a load byte for byte, the
// main record of the wrong size or with values outside their tables is replaced while the table
// stores load, saving fills stores that lack record 1, the autosave setting, and the new-game
// records that the framework's side of the data sets writes.
#include "game/resources/SavedGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/interim/InterimFrameworkServices.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/SaveRecord.h"
#include "tests/game/resources/DatabaseFixture.h"

namespace game::sprites::testing {
namespace {

using namespace game::resources;

GameStatics* savedGameStatics() {
    return statics();
}

// The fourteen stores and their record lengths.
std::vector<std::pair<std::string, std::size_t>> savedGameStores() {
    GameStatics* const s = savedGameStatics();
    return {
        {"composite", 0}, // its length follows its tables
        {"history", 141},
        {"gamesave", 5736},
        {"teambytes", 520},
        {"results", 4608},
        {testing_support::textOf(s->table1110StoreName), 1110},
        {"stats", 6342},
        {"profile", 60},
        {"teams", 64 * static_cast<std::size_t>(s->teamCount)},
        {"clubplan", 804},
        {"players", 37 * static_cast<std::size_t>(s->playerCount)},
        {"triplets", 3 * static_cast<std::size_t>(s->tripletCount)},
        {"inbox", 2728},
        {"transfers", 401},
    };
}

void fillPattern(runtime::ByteArray* const table, const jint seed) {
    for (jint i = 0; i < table->length; ++i) {
        (*table)[i] = static_cast<runtime::jbyte>(i * 29 + seed);
    }
}

class SavedGameTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        loadDatabaseTables();
        ASSERT_EQ(application.pendingException, nullptr);
        s = savedGameStatics();
        s->tripletCount = 4;
        s->tripletTable = runtime::newByteArray(12);
        s->profileTextIds = runtime::newIntArray(2);
        (*s->profileTextIds)[0] = 689;
        (*s->profileTextIds)[1] = 545;
        infoScreens.onCareerReset = [this] {
            s->userTeam = 17;
            s->seasonYear = 2011;
        };
    }
    std::map<std::string, Bytes> storedRecords() const {
        std::map<std::string, Bytes> records;
        for (const auto& [store, length] : savedGameStores()) {
            records[store] = recordBytes(store);
        }
        return records;
    }
    // The record the statics pack into now.
    Bytes packedStatics() const {
        s->saveRecordBuffer = runtime::newByteArray(season::kSaveRecordSize);
        season::packSaveRecord();
        Bytes packed = testing_support::bytesOf(s->saveRecordBuffer);
        s->saveRecordBuffer = nullptr;
        return packed;
    }
    // A record of every row set to a value of its own (flags set, the day without its carry, a
    // team of the database), unpacked into the statics.
    void setEveryRecordField() const {
        s->saveRecordBuffer = runtime::newByteArray(season::kSaveRecordSize);
        runtime::ByteArray& record = *s->saveRecordBuffer;
        for (jint i = 0; i < record.length; ++i) {
            record[i] = static_cast<runtime::jbyte>(i * 73 + 11);
        }
        for (const season::SaveRecordRow& row : season::saveRecordLayout()) {
            if (row.encoding == season::SaveEncoding::flag) {
                record[row.offset] = 1;
            }
        }
        const std::vector<std::pair<jint, jint>> inRange = {
            {0, 43}, {1, 4}, {2, 9}, {4, 0}, {5, 200}, {2282, 3}, {2993, 12}, {2429, 5}, {5735, 4}};
        for (const auto& [offset, value] : inRange) {
            record[offset] = static_cast<runtime::jbyte>(value);
        }
        s->dayFixtureReady = 1;
        season::unpackSaveRecord();
        s->saveRecordBuffer = nullptr;
    }
    GameStatics* s = nullptr;
};

TEST_F(SavedGameTest, TheFirstLoadCreatesEveryStoreWithANewGame) {
    saveOrLoadGame(0);
    EXPECT_EQ(application.pendingException, nullptr);
    for (const auto& [store, length] : savedGameStores()) {
        ASSERT_TRUE(hasRecord(store)) << store;
        if (length != 0) {
            EXPECT_EQ(recordBytes(store).size(), length) << store;
        }
    }
    EXPECT_EQ(infoScreens.careerResets, 1);
    EXPECT_EQ(s->userTeam, 17);
    EXPECT_EQ(recordBytes("gamesave"), packedStatics());
    EXPECT_EQ(s->saveRecordBuffer.get(), nullptr);
    EXPECT_EQ(s->fixturesReady, 0);
}

TEST_F(SavedGameTest, ASaveComesBackFromALoadByteForByte) {
    saveOrLoadGame(0);
    setEveryRecordField();
    fillPattern(s->teamRecords, 3);
    fillPattern(s->playerRecords, 5);
    fillPattern(s->selectionTable, 7);
    fillPattern(s->tripletTable, 9);
    fillPattern(s->fixtureStore, 11);
    fillPattern(s->competitionRecords, 13);
    fillPattern(s->table6342, 15);
    fillPattern(s->teamByteTable, 17);
    const Bytes statics = packedStatics();
    saveOrLoadGame(1);
    const std::map<std::string, Bytes> saved = storedRecords();
    EXPECT_EQ(saved.at("gamesave"), statics);

    // Everything changes before the load brings it back.
    s->userTeam = 3;
    s->seasonYear = 2030;
    fillPattern(s->teamRecords, 100);
    fillPattern(s->selectionTable, 101);
    s->fixturesReady = 1;
    saveOrLoadGame(0);
    EXPECT_EQ(s->fixturesReady, 0);
    EXPECT_EQ(packedStatics(), statics) << "every static of the record is back";
    saveOrLoadGame(1);
    EXPECT_EQ(storedRecords(), saved);
    EXPECT_EQ(application.pendingException, nullptr);
}

TEST_F(SavedGameTest, AMainRecordOfTheWrongSizeIsReplacedWhileTheTablesLoad) {
    for (const std::size_t size : {std::size_t{5735}, std::size_t{5737}}) {
        const Bytes teams(64 * static_cast<std::size_t>(s->teamCount), 7);
        writeStore("teams", teams);
        writeStore("gamesave", Bytes(size, 9));
        log.lines.clear();
        infoScreens.careerResets = 0;
        saveOrLoadGame(0);
        EXPECT_TRUE(logMentions("saved game: record 1 of store gamesave holds " + std::to_string(size) +
                                " bytes, not 5736; a new game replaces it"));
        EXPECT_EQ(infoScreens.careerResets, 1) << size;
        EXPECT_EQ(recordBytes("gamesave"), packedStatics()) << size;
        EXPECT_FALSE(std::filesystem::exists(recordFile("gamesave", 2))) << "the new record is record 1";
        EXPECT_EQ(testing_support::bytesOf(s->teamRecords), teams) << size;
    }
}

TEST_F(SavedGameTest, AMainRecordWithValuesOutsideTheirTablesLoadsANewGame) {
    saveOrLoadGame(0);
    Bytes record = recordBytes("gamesave");
    record[4] = 0x01; // team 300
    record[5] = 0x2C;
    writeStore("gamesave", record);
    log.lines.clear();
    s->userTeam = 4;
    saveOrLoadGameRecord(0);
    EXPECT_TRUE(logMentions("saved game: store gamesave cannot be loaded (the user's team is not a team of "
                            "the database); a new game replaces it"));
    EXPECT_EQ(s->userTeam, 17);
    EXPECT_EQ(recordBytes("gamesave"), packedStatics());
}

TEST_F(SavedGameTest, TheLastDayCarryLoadsAsTheLastDay) {
    saveOrLoadGame(0);
    s->monthIndex = 11;
    s->matchDayIndex = 7;
    s->dayFixtureReady = 0;
    saveOrLoadGameRecord(1);
    EXPECT_EQ(recordBytes("gamesave")[0], 96);
    s->monthIndex = 0;
    s->matchDayIndex = 0;
    saveOrLoadGameRecord(0);
    EXPECT_EQ(s->monthIndex, 11);
    EXPECT_EQ(s->matchDayIndex, 7);
    EXPECT_EQ(recordBytes("gamesave")[0], 96) << "the record keeps its packing";
}

TEST_F(SavedGameTest, SavingIntoStoresWithoutRecordOneWritesEveryStore) {
    saveOrLoadGame(1);
    EXPECT_EQ(application.pendingException, nullptr);
    for (const auto& [store, length] : savedGameStores()) {
        EXPECT_TRUE(hasRecord(store)) << store;
    }
    EXPECT_EQ(infoScreens.careerResets, 0) << "a save packs the statics as they are";
}

TEST_F(SavedGameTest, AMainStoreThatCannotBeOpenedLeavesTheGameGoing) {
    s->gameRecordStoreName = nullptr;
    s->userTeam = 4;
    saveOrLoadGameRecord(0);
    saveOrLoadGameRecord(1);
    EXPECT_EQ(application.pendingException, nullptr);
    EXPECT_EQ(s->userTeam, 4);
    EXPECT_EQ(s->saveRecordBuffer.get(), nullptr);
}

TEST_F(SavedGameTest, AutosaveSavesAsItsModeAsks) {
    // Per mode, the match days 0..7 after which a save happens.
    const std::map<jint, std::vector<bool>> saves = {
        {0, {true, true, true, true, true, true, true, true}},
        {1, {false, true, false, true, false, true, false, true}},
        {2, {false, false, false, false, false, false, false, true}},
        {3, {false, false, false, false, false, false, false, false}},
    };
    for (const auto& [mode, days] : saves) {
        for (jint day = 0; day < 8; ++day) {
            std::filesystem::remove(recordFile("gamesave"));
            std::filesystem::remove(indexFile("gamesave"));
            s->autoSaveMode = static_cast<runtime::jbyte>(mode);
            s->matchDayIndex = day;
            autoSave();
            EXPECT_EQ(hasRecord("gamesave"), days[static_cast<std::size_t>(day)])
                << "mode " << mode << " day " << day;
        }
    }
}

// The framework's side of the data sets as the game installs it: a new game's saved game is the
// new-game statics packed, and the club plan's first run leaves byte 803 clear.
class NewGameRecordsTest : public SavedGameTest {
protected:
    interim::InterimFrameworkServices realFramework;
    runtime::ScopedService<FrameworkServices> realScope{&installFrameworkServices, realFramework};
};

TEST_F(NewGameRecordsTest, ANewGamesRecordsUnpackToItsStatics) {
    s->userTeam = 5;
    createRecordStores();
    resetDataSets();
    EXPECT_EQ(application.pendingException, nullptr);
    EXPECT_FALSE(logMentions("loadGameDatabase"));
    EXPECT_FALSE(logMentions("resetSetupRecord"));
    const Bytes record = recordBytes("gamesave");
    EXPECT_EQ(record, packedStatics());
    EXPECT_EQ((record[4] << 8) | record[5], 17);
    const Bytes plan = recordBytes("clubplan");
    ASSERT_EQ(plan.size(), 804u);
    EXPECT_EQ(plan[803], 0) << "the squad settings take it as never filled";
    s->userTeam = 2;
    saveOrLoadGameRecord(0);
    EXPECT_EQ(s->userTeam, 17);
}

} // namespace
} // namespace game::sprites::testing
