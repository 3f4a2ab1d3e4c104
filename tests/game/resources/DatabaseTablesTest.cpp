// The database tables from the database pack: what loading fills, the counts and table sizes the
// league counts give, tables that do not fit their counts, team-name look-ups and the first-run
// player records.
#include "game/resources/DatabaseTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "game/club/DatabaseFormat.h"
#include "runtime/Throwable.h"
#include "tests/game/resources/DatabaseFixture.h"

namespace game::sprites::testing {
using namespace game::resources;
using namespace game::club;

namespace {

// The sample pack's entries with some replaced.
std::vector<tools::PackEntry> samplePackWith(const std::map<jint, Bytes>& replaced) {
    std::vector<tools::PackEntry> entries = tools::sampleDatabase().entries;
    for (const auto& [entry, content] : replaced) {
        entries[static_cast<std::size_t>(entry)].content = content;
    }
    return entries;
}

// A team information table for these league counts, long enough for them.
Bytes teamTableFor(const std::array<jint, kLeagueCount>& counts, const jint extraBytes = 0) {
    jint teams = 0;
    for (const jint count : counts) {
        teams += count;
    }
    Bytes table(static_cast<std::size_t>(std::max(teamInfoBytes(teams), kLeagueEntryBytes * kLeagueCount) +
                                         extraBytes));
    for (jint i = 0; i < kLeagueCount; ++i) {
        table[static_cast<std::size_t>(kLeagueEntryBytes * i + kLeagueTeamCount)] =
            static_cast<std::uint8_t>(counts[static_cast<std::size_t>(i)]);
        table[static_cast<std::size_t>(kLeagueEntryBytes * i + kLeagueBadgeFirstId)] =
            static_cast<std::uint8_t>(200 + i);
    }
    return table;
}

class DatabaseTablesTest : public DatabaseTest {};

TEST_F(DatabaseTablesTest, TheSamplePackFillsEveryTableWithItsWholeEntry) {
    loadDatabaseTables();
    loadExtraTables();
    ASSERT_EQ(application.pendingException, nullptr);
    GameStatics* s = statics();
    const std::pair<ByteArray*, jint> tables[] = {
        {s->teamInfoRecords, kTeamInfoEntry},
        {s->playerInfoRecords, kPlayerInfoEntry},
        {s->nameBytes, kNameBytesEntry},
        {s->teamNameTable, kTeamNameTableEntry},
        {s->setUpRecords, kCoachEntry},
        {s->extraNameTable, kScoutEntry},
        {s->nameTableStrided, kNewsTemplateEntry},
        {s->databaseEntry11, kReservedEntry},
        {s->formationTable, kFormationEntry},
        {s->formationSlots, kFormationSlotsEntry},
    };
    for (const auto& [table, entry] : tables) {
        ASSERT_NE(table, nullptr) << "entry " << entry;
        EXPECT_EQ(testing_support::bytesOf(table), sampleEntry(entry)) << "entry " << entry;
    }
    EXPECT_EQ(s->formationTableLength, kFormationCount * kFormationRecordBytes);
    EXPECT_EQ(s->formationSlotsLength, kFormationCount * kFormationSlotBytes);
    EXPECT_EQ(s->teamCount, 260);
    EXPECT_EQ(s->basePlayerCount, 5460);
    EXPECT_EQ(s->playerCount, 5500);
    for (jint i = 0; i < kLeagueCount; ++i) {
        const tools::SampleLeague& league = tools::sampleLeagues()[static_cast<std::size_t>(i)];
        EXPECT_EQ((*s->leagueSizes)[i], league.teams) << i;
        EXPECT_EQ((*s->badgeFirstIds)[i], league.badgeFirstId) << i;
        EXPECT_EQ(text(static_cast<runtime::String*>((*s->leagueNames)[i])), text(core::getText(178 + i)));
    }
    ASSERT_EQ(s->teamCodes->length, 260);
    for (const jint t : {0, 19, 20, 259}) {
        EXPECT_EQ(text(static_cast<runtime::String*>((*s->teamCodes)[t])),
                  tools::sampleDatabase().teams[static_cast<std::size_t>(t)].code);
    }
}

TEST_F(DatabaseTablesTest, TheTeamAndPlayerTablesAreSizedByTheLeagueCounts) {
    const std::array<jint, kLeagueCount> cases[] = {
        {20, 24, 20, 22, 20, 22, 20, 20, 18, 18, 16, 20, 20},
        {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
        {},
        {255, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& counts : cases) {
        GameStatics* s = statics();
        s->teamRecords = nullptr;
        s->playerRecords = nullptr;
        s->teamInfoRecords = testing_support::byteArrayOf(teamTableFor(counts));
        setupLeagueTables();
        jint teams = 0;
        for (jint i = 0; i < kLeagueCount; ++i) {
            teams += counts[static_cast<std::size_t>(i)];
            EXPECT_EQ((*s->leagueSizes)[i], counts[static_cast<std::size_t>(i)]);
            EXPECT_EQ((*s->badgeFirstIds)[i], 200 + i);
        }
        EXPECT_EQ(s->teamCount, teams);
        EXPECT_EQ(s->basePlayerCount, 21 * teams);
        EXPECT_EQ(s->playerCount, 21 * teams + 40);
        EXPECT_EQ(s->teamRecords->length, 64 * teams);
        EXPECT_EQ(s->playerRecords->length, 37 * (21 * teams + 40));
    }
}

TEST_F(DatabaseTablesTest, ATeamTableThatDoesNotHoldItsOwnCountsGivesNoTeams) {
    struct Case {
        const char* what;
        Bytes table;
        const char* logged;
    };
    Bytes tooShort = teamTableFor({20, 24, 20, 22, 20, 22, 20, 20, 18, 18, 16, 20, 20});
    tooShort.resize(tooShort.size() - 1);
    const Case cases[] = {
        {"no league entries", Bytes(40, 1),
         "database: the team information table holds 40 bytes, too few for 13 leagues"},
        {"261 teams", teamTableFor({21, 24, 20, 22, 20, 22, 20, 20, 18, 18, 16, 20, 20}),
         "database: the leagues hold 261 teams, more than the 260 the game has room for"},
        {"one byte short", tooShort,
         "database: the team information table holds 7091 bytes, 260 teams need 7092"},
    };
    for (const Case& c : cases) {
        GameStatics* s = statics();
        s->teamRecords = nullptr;
        s->playerRecords = nullptr;
        s->teamInfoRecords = testing_support::byteArrayOf(c.table);
        log.lines.clear();
        setupLeagueTables();
        EXPECT_EQ(s->teamCount, 0) << c.what;
        EXPECT_EQ(s->playerCount, 40) << c.what;
        EXPECT_EQ(s->teamRecords->length, 0) << c.what;
        for (jint i = 0; i < kLeagueCount; ++i) {
            EXPECT_EQ((*s->leagueSizes)[i], 0) << c.what;
        }
        EXPECT_TRUE(log.contains(c.logged)) << c.what;
        buildTeamCodes();
        EXPECT_EQ(s->teamCodes->length, 0) << c.what;
    }
}

TEST_F(DatabaseTablesTest, ASecondLoadKeepsTheTablesLoadedOnlyOnce) {
    loadDatabaseTables();
    GameStatics* s = statics();
    ByteArray* names = s->teamNameTable;
    ByteArray* news = s->nameTableStrided;
    ByteArray* reserved = s->databaseEntry11;
    ByteArray* teams = s->teamInfoRecords;
    ByteArray* coaches = s->setUpRecords;
    putDatabasePack(samplePackWith({{kTeamNameTableEntry, Bytes(780, 0)},
                                    {kNewsTemplateEntry, Bytes(3, 1)},
                                    {kReservedEntry, Bytes(2, 2)},
                                    {kCoachEntry, Bytes(5, 5)}}));
    loadDatabaseTables();
    ASSERT_EQ(application.pendingException, nullptr);
    EXPECT_EQ(s->teamNameTable.get(), names);
    EXPECT_EQ(s->nameTableStrided.get(), news);
    EXPECT_EQ(s->databaseEntry11.get(), reserved);
    EXPECT_EQ(testing_support::bytesOf(s->teamNameTable), sampleEntry(kTeamNameTableEntry));
    // Every other table is read again.
    EXPECT_NE(s->teamInfoRecords.get(), teams);
    EXPECT_NE(s->setUpRecords.get(), coaches);
    EXPECT_EQ(testing_support::bytesOf(s->setUpRecords), Bytes(5, 5));
}

TEST_F(DatabaseTablesTest, TheTeamNameTableIsEntryThreeReadWholeOnceAndThePackIsClosed) {
    GameStatics* s = statics();
    loadTeamNameTable();
    ASSERT_EQ(application.pendingException, nullptr);
    ASSERT_NE(s->teamNameTable, nullptr);
    EXPECT_EQ(testing_support::bytesOf(s->teamNameTable), sampleEntry(kTeamNameTableEntry));
    EXPECT_EQ(s->packStream.get(), nullptr);
    ByteArray* names = s->teamNameTable;
    loadTeamNameTable();
    EXPECT_EQ(s->teamNameTable.get(), names);

    // Without the entry the reader's error is left pending and nothing is kept.
    std::vector<tools::PackEntry> entries = tools::sampleDatabase().entries;
    entries.resize(kTeamNameTableEntry);
    putDatabasePack(entries);
    s->packName = nullptr; // forget the cached header of the sample pack
    s->teamNameTable = nullptr;
    loadTeamNameTable();
    auto* pending = static_cast<runtime::java_lang_Throwable*>(application.pendingException);
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(text(pending->message), "Pack entry missing");
    application.pendingException = nullptr;
    EXPECT_EQ(s->teamNameTable.get(), nullptr);
    EXPECT_EQ(s->packStream.get(), nullptr);
}

TEST_F(DatabaseTablesTest, APackWithoutTheEntriesLeavesItsErrorToTheCaller) {
    std::vector<tools::PackEntry> entries = tools::sampleDatabase().entries;
    entries.resize(5);
    putDatabasePack(entries);
    loadDatabaseTables();
    auto* pending = static_cast<runtime::java_lang_Throwable*>(application.pendingException);
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(text(pending->message), "Pack entry missing");
    application.pendingException = nullptr;
    EXPECT_EQ(statics()->packStream.get(), nullptr);
    // What was read before the missing entry is kept.
    EXPECT_EQ(statics()->teamCount, 260);
}

TEST_F(DatabaseTablesTest, DisplayNamesOfTeams) {
    loadDatabaseTables();
    struct Case {
        jint id;
        jint menuState;
        bool linksBlocked;
        std::string name;
    };
    const std::string team5 = tools::sampleDatabase().teams[5].name;
    const Case cases[] = {
        {-1, 0, false, "No club"},  {65535, 1030, false, "No club"}, {5, 1030, false, "label 5"},
        {5, 133, false, "label 5"}, {5, 1030, true, team5},          {5, 133, true, team5},
        {5, 0, false, team5},       {5, 134, false, team5},
    };
    for (const Case& c : cases) {
        statics()->menuState = c.menuState;
        statics()->messageLinksBlocked = c.linksBlocked ? 1 : 0;
        EXPECT_EQ(text(getTeamDisplayName(c.id)), c.name) << c.id << " in state " << c.menuState;
    }
}

TEST_F(DatabaseTablesTest, ShortNamesComeFromTheNameTableAndLookUpsOutsideItGiveTheEmptyText) {
    // The table is loaded on the first look-up.
    EXPECT_EQ(text(getTeamNameFromTable(0)), tools::sampleDatabase().teams[0].shortName);
    EXPECT_EQ(text(getTeamNameFromTable(259)), tools::sampleDatabase().teams[259].shortName);
    for (const jint i : {-1, 260, 100000}) {
        EXPECT_EQ(text(getTeamNameFromTable(i)), "") << i;
    }
    // A directory entry pointing past the names.
    Bytes table = sampleEntry(kTeamNameTableEntry);
    table[3] = 0xFF;
    table[4] = 0xF0;
    statics()->teamNameTable = testing_support::byteArrayOf(table);
    EXPECT_EQ(text(getTeamNameFromTable(1)), "");
    EXPECT_EQ(application.pendingException, nullptr);
    // A table cut inside its directory: neither the entries past the cut nor the names exist.
    table.resize(300);
    statics()->teamNameTable = testing_support::byteArrayOf(table);
    EXPECT_EQ(text(getTeamNameFromTable(150)), "");
    EXPECT_EQ(text(getTeamNameFromTable(0)), "");
    EXPECT_EQ(application.pendingException, nullptr);
}

// The 37 bytes the first run gives player i, drawing status from draw.
Bytes expectedRecord(const Bytes& info, const jint i, const jint draw, const bool ofTeam) {
    const std::size_t e = static_cast<std::size_t>(28 * i);
    Bytes record(37, 0);
    const jint contractEnd = ofTeam ? (static_cast<runtime::jbyte>(info[e + 8]) << 9) | 222 : -1;
    record[0] = static_cast<std::uint8_t>(contractEnd >> 8);
    record[1] = static_cast<std::uint8_t>(contractEnd);
    const jint wage = ScriptedFramework::kWageBase + i;
    record[2] = static_cast<std::uint8_t>(wage >> 8);
    record[3] = static_cast<std::uint8_t>(wage);
    for (std::size_t k = 0; k < 9; ++k) {
        record[4 + k] = info[e + 15 + k];
    }
    const jint status = (draw < 0 ? -draw : draw) % 5;
    record[14] = static_cast<std::uint8_t>((info[e + 26] & 0x0F) + (status << 4));
    record[15] = 100;
    record[16] = 0xFF;
    const jint team = ofTeam ? i / 21 : -1;
    record[17] = static_cast<std::uint8_t>(team >> 8);
    record[18] = static_cast<std::uint8_t>(team);
    const jint value = ScriptedFramework::kValueBase + 1000 * i;
    for (std::size_t k = 0; k < 4; ++k) {
        record[33 + k] = static_cast<std::uint8_t>(value >> (24 - 8 * k));
    }
    return record;
}

TEST_F(DatabaseTablesTest, FirstRunPlayerRecordsTakeTheirBytesFromTheInformationAndOneDrawEach) {
    loadDatabaseTables();
    GameStatics* s = statics();
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(42);
    buildDefaultPlayerRecords();
    runtime::java_util_Random reference(42);
    const Bytes info = sampleEntry(kPlayerInfoEntry);
    const Bytes records = testing_support::bytesOf(s->playerRecords);
    ASSERT_EQ(records.size(), 37u * 5500);
    for (jint i = 0; i < 5500; ++i) {
        const jint draw = reference.nextInt();
        const Bytes record(records.begin() + 37 * i, records.begin() + 37 * (i + 1));
        ASSERT_EQ(record, expectedRecord(info, i, draw, i < 5460)) << "player " << i;
    }
    EXPECT_EQ(s->gameRandom->seed, reference.seed);
}

TEST_F(DatabaseTablesTest, PlayersWithoutInformationKeepEmptyRecords) {
    Bytes teams = teamTableFor({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const Bytes info(sampleEntry(kPlayerInfoEntry).begin(), sampleEntry(kPlayerInfoEntry).begin() + 28 * 10);
    putDatabasePack(samplePackWith({{kTeamInfoEntry, teams}, {kPlayerInfoEntry, info}}));
    loadDatabaseTables();
    GameStatics* s = statics();
    ASSERT_EQ(s->playerCount, 61);
    EXPECT_TRUE(
        log.contains("database: player information holds 10 of 61 players; the others keep empty records"));
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(42);
    // Whatever the table held before, the players without information end up empty.
    std::fill_n(s->playerRecords->data(), s->playerRecords->length, runtime::jbyte{0x55});
    buildDefaultPlayerRecords();
    const Bytes records = testing_support::bytesOf(s->playerRecords);
    runtime::java_util_Random reference(42);
    for (jint i = 0; i < 10; ++i) {
        const Bytes record(records.begin() + 37 * i, records.begin() + 37 * (i + 1));
        EXPECT_EQ(record, expectedRecord(info, i, reference.nextInt(), i < 21)) << i;
    }
    EXPECT_EQ(Bytes(records.begin() + 370, records.end()), Bytes(37 * 51, 0));
}

} // namespace
} // namespace game::sprites::testing
