// Database name decoding and look-ups, fixed fields of team records, squad counts, the keyed
// table, the big-endian write buffer, strength bands and the strengths of a country's teams.
#include "game/club/DatabaseLookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/WriteBuffer.h"
#include "runtime/Exceptions.h"
#include "runtime/Throwable.h"
#include "tests/game/support/ScriptedClubDatabase.h"
#include "tests/support/CaseSize.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleDatabase.h"

namespace game::club {
using namespace game::core;

namespace {

using runtime::jint;
using Bytes = std::vector<std::uint8_t>;

class DatabaseLookupsTest : public testing_support::GameRuntimeTest {
protected:
    // The class of the pending exception (0 when none); clears it.
    jint takePending() {
        runtime::Object* pending = application.pendingException;
        application.pendingException = nullptr;
        return pending != nullptr ? pending->classId : 0;
    }
    static std::u16string units(runtime::String* text) {
        return text == nullptr ? u"<null>" : std::u16string(text->chars, text->chars + text->length());
    }
};

TEST_F(DatabaseLookupsTest, DecodesTheThreeFormsOfStoredNames) {
    struct Case {
        Bytes bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {{'a', 'b', 'c'}, u"abc"},
        {{0xC3, 0xA9}, u"\u00E9"},
        // The three-byte form keeps the high bits in its last byte.
        {{0xEC, 0x82, 0x02}, u"\u20AC"},
        {{'x', 0xC3, 0xA9, 0xEC, 0x82, 0x02, 'y'}, u"x\u00E9\u20ACy"},
        {{}, u""},
    };
    for (const Case& c : cases) {
        runtime::ByteArray* data = testing_support::byteArrayOf(c.bytes);
        EXPECT_EQ(units(decodeName(data, 0, data->length)), c.text);
        EXPECT_EQ(takePending(), 0);
    }
}

TEST_F(DatabaseLookupsTest, ANameRunningOutsideItsArrayIsRaisedNotRead) {
    struct Case {
        Bytes bytes;
        jint offset;
        jint length;
    };
    const Case cases[] = {
        {{'a', 'b'}, 1, 2},   // past the end
        {{'a', 'b'}, -1, 1},  // before the start
        {{'a', 0xC3}, 0, 2},  // a two-byte form cut by the end
        {{0xEC, 0xAA}, 0, 2}, // a three-byte form cut by the end
        {{'a'}, 5, 1},
    };
    for (const Case& c : cases) {
        runtime::ByteArray* data = testing_support::byteArrayOf(c.bytes);
        EXPECT_EQ(decodeName(data, c.offset, c.length), nullptr);
        EXPECT_EQ(takePending(), runtime::kArrayIndexOutOfBoundsException);
    }
    EXPECT_EQ(decodeName(nullptr, 0, 1), nullptr);
    EXPECT_EQ(takePending(), runtime::kNullPointerException);
}

TEST_F(DatabaseLookupsTest, NamesAreFoundThroughTheirReferencesAndBadOnesGiveTheEmptyText) {
    GameStatics* s = statics();
    s->nameBytes = testing_support::byteArrayOf(Bytes{'L', 'e', 'a', 'g', 'u', 'e', 'T', 'e', 'a', 'm',
                                                      'P', 'l', 'a', 'y', 'e', 'r', 'L', 'a', 'n', 'd'});
    // League 0's entry and team 0's reference (at 65), then one more team with a reference past
    // the name bytes.
    Bytes teams(65 + 27 * 2, 0);
    teams[0] = 0, teams[1] = 0, teams[2] = 6;
    teams[65] = 0, teams[66] = 6, teams[67] = 4;
    teams[92] = 0, teams[93] = 30, teams[94] = 4;
    s->teamInfoRecords = testing_support::byteArrayOf(teams);
    Bytes players(28, 0);
    players[0] = 0, players[1] = 10, players[2] = 6;
    players[3] = 0, players[4] = 16, players[5] = 4;
    s->playerInfoRecords = testing_support::byteArrayOf(players);
    struct Case {
        jint index;
        jint kind;
        const char* name;
    };
    const Case cases[] = {
        {0, kLeagueName, "League"},
        {0, kTeamName, "Team"},
        {0, kPlayerName, "Player"},
        {0, kNationalityName, "Land"},
        {1, kTeamName, ""}, // its bytes lie past the name bytes
        {2, kTeamName, ""}, // no such record
        {1, kPlayerName, ""},
        {-1, kTeamName, ""},
        {0, 7, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testing_support::textOf(nameOf(c.index, c.kind)), c.name) << c.index << " kind " << c.kind;
        EXPECT_EQ(takePending(), 0);
    }
}

TEST_F(DatabaseLookupsTest, TheWriteBufferStoresBigEndianAndSkipsPositionsOutsideIt) {
    GameStatics* s = statics();
    s->writeBuffer = runtime::newByteArray(5);
    s->writePos = 0;
    writeShortBE(0x1234);
    queueByte(0x1FF);
    writeShortBE(-2);
    EXPECT_EQ(s->writePos, 5);
    EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0xFE}));
    writeShortBE(0x5555);
    EXPECT_EQ(s->writePos, 7);
    EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(log.count("write buffer: byte 5 outside a buffer of 5"), 1);
}

// A team record (64 bytes) with these squad slots, the rest empty (-1), and value at byte 62.
Bytes teamRecord(const std::vector<jint>& slots, const jint value = 0) {
    Bytes record(64, 0xFF);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        record[2 * i] = static_cast<std::uint8_t>(slots[i] >> 8);
        record[2 * i + 1] = static_cast<std::uint8_t>(slots[i]);
    }
    record[62] = static_cast<std::uint8_t>(value >> 8);
    record[63] = static_cast<std::uint8_t>(value);
    return record;
}

Bytes concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST_F(DatabaseLookupsTest, StaffNamesComeFromTheirOwnTableFromByte200) {
    // Two staff records; the second one's name runs past the table.
    Bytes table(200, 0);
    table[0] = 0, table[1] = 3, table[2] = 5;
    table[10] = 0, table[11] = 6, table[12] = 4;
    for (const char c : std::string("xxxScout")) {
        table.push_back(static_cast<std::uint8_t>(c));
    }
    statics()->extraNameTable = testing_support::byteArrayOf(table);
    const struct {
        jint index;
        const char* name;
    } cases[] = {{0, "Scout"}, {1, ""}, {-1, ""}, {20, ""}, {0x20000000, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(testing_support::textOf(extraName(c.index)), c.name) << c.index;
        EXPECT_EQ(takePending(), 0);
    }
    statics()->extraNameTable = nullptr;
    EXPECT_EQ(testing_support::textOf(extraName(0)), "");
}

// Every player's name in the optimised run and under the sanitizers; every seventh one where each
// allocation collects (every team and staff name still).
constexpr testing_support::CaseSize kPlayerStride{.optimised = 1, .checked = 1, .stressed = 7};

TEST_F(DatabaseLookupsTest, EverySampleTeamPlayerAndStaffNameDecodesToItsPrintableText) {
    const std::size_t playerStride =
        static_cast<std::size_t>(testing_support::sizeForThisBuild("player stride", kPlayerStride));
    const tools::SampleDatabase& sample = tools::sampleDatabase();
    GameStatics* s = statics();
    s->teamInfoRecords = testing_support::byteArrayOf(sample.entries[0].content);
    s->playerInfoRecords = testing_support::byteArrayOf(sample.entries[1].content);
    s->nameBytes = testing_support::byteArrayOf(sample.entries[2].content);
    s->extraNameTable = testing_support::byteArrayOf(sample.entries[6].content);
    const auto printable = [](const std::string& text) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [](const char c) { return c >= 0x20 && c < 0x7F; });
    };
    for (std::size_t t = 0; t < sample.teams.size(); ++t) {
        const std::string name = testing_support::textOf(nameOf(static_cast<jint>(t), kTeamName));
        EXPECT_TRUE(printable(name)) << "team " << t;
        EXPECT_EQ(name, sample.teams[t].name) << "team " << t;
    }
    for (std::size_t p = 0; p < sample.players.size(); p += playerStride) {
        const std::string name = testing_support::textOf(nameOf(static_cast<jint>(p), kPlayerName));
        EXPECT_TRUE(printable(name)) << "player " << p;
        EXPECT_EQ(name, sample.players[p].name) << "player " << p;
        EXPECT_TRUE(printable(testing_support::textOf(nameOf(static_cast<jint>(p), kNationalityName)))) << p;
    }
    for (jint scout = 0; scout < 20; ++scout) {
        EXPECT_TRUE(printable(testing_support::textOf(extraName(scout)))) << "scout " << scout;
    }
    EXPECT_EQ(takePending(), 0);
}

TEST_F(DatabaseLookupsTest, TeamRecordValuesAreReadBigEndianAndOutsideGiveZero) {
    GameStatics* s = statics();
    Bytes info(65 + 27 * 2, 0);
    const Bytes values = {0x01, 0x02, 0xFF, 0xFE, 0x80, 0x00, 0x7F, 0xFF, 0x00, 0x05};
    std::copy(values.begin(), values.end(), info.begin() + 65 + 27 + 17);
    s->teamInfoRecords = testing_support::byteArrayOf(info);
    runtime::ShortArray* found = nameRecordValues(1);
    ASSERT_EQ(found->length, 5);
    EXPECT_EQ(std::vector<jint>(found->data(), found->data() + 5),
              (std::vector<jint>{0x0102, -2, -32768, 32767, 5}));
    for (const jint outside : {2, -1}) {
        runtime::ShortArray* zeros = nameRecordValues(outside);
        ASSERT_EQ(zeros->length, 5);
        EXPECT_EQ(std::vector<jint>(zeros->data(), zeros->data() + 5), (std::vector<jint>(5, 0))) << outside;
    }

    s->teamRecords = testing_support::byteArrayOf(concat({teamRecord({}, 1234), teamRecord({}, -300)}));
    EXPECT_EQ(teamRecordValue(0), 1234);
    EXPECT_EQ(teamRecordValue(1), -300);
    EXPECT_EQ(teamRecordValue(2), 0);
    EXPECT_EQ(teamRecordValue(-1), 0);
    EXPECT_EQ(log.count("teamRecordValue: team 2 lies outside the team records"), 1);
}

TEST_F(DatabaseLookupsTest, ASquadCountsItsSlotsThatAreNeitherEmptyNorFlagged) {
    std::vector<jint> full;
    for (jint i = 0; i < 30; ++i) {
        full.push_back(100 + i);
    }
    const struct {
        std::vector<jint> slots;
        jint count;
    } cases[] = {
        {{}, 0},
        {{5, -1, 7}, 2},
        {{5, 0x8000 | 7, 9, -1, 0}, 3}, // a flagged player is not counted; player 0 is
        {full, 30},
        {{0x7FFF, 0xFFFE}, 1}, // 0xFFFE has the flag bit
    };
    for (const auto& c : cases) {
        statics()->teamRecords = testing_support::byteArrayOf(concat({teamRecord({}), teamRecord(c.slots)}));
        EXPECT_EQ(countSquad(1), c.count) << ::testing::PrintToString(c.slots);
    }
    EXPECT_EQ(countSquad(2), 0);
    EXPECT_EQ(countSquad(-1), 0);
}

TEST_F(DatabaseLookupsTest, TheKeyedTableIsSearchedUpToItsCountOrItsEndMarker) {
    GameStatics* s = statics();
    // Keys 7, 300, -1 (end), 9.
    s->tripletTable = testing_support::byteArrayOf({0, 7, 1, 0x01, 0x2C, 2, 0xFF, 0xFF, 3, 0, 9, 4});
    const struct {
        jint count;
        jint key;
        jint index;
    } cases[] = {
        {4, 7, 0},  {4, 300, 1}, {4, 9, 2}, // 9 lies after the end marker
        {4, -1, 2}, {1, 300, 1},            // not found within the count: the count
        {0, 7, 0},  {9, 5, 2},
    };
    for (const auto& c : cases) {
        s->tripletCount = c.count;
        EXPECT_EQ(findKeyedEntry(c.key), c.index) << "count " << c.count << " key " << c.key;
    }
    // A count beyond the table stops at the table's end.
    s->tripletTable = testing_support::byteArrayOf({0, 7, 1, 0, 8, 2});
    s->tripletCount = 9;
    EXPECT_EQ(findKeyedEntry(5), 9);
    EXPECT_EQ(findKeyedEntry(8), 1);
    s->tripletTable = nullptr;
    s->tripletCount = 3;
    EXPECT_EQ(findKeyedEntry(7), 3);
}

TEST_F(DatabaseLookupsTest, TheListPlayerIsTheSquadSlotThatTheMatchRecordNames) {
    GameStatics* s = statics();
    s->teamRecords = testing_support::byteArrayOf(concat({teamRecord({1, 2}), teamRecord({10, 11, 0x1234})}));
    s->listRowRecords = runtime::newByteArray(22 * 3);
    (*s->listRowRecords)[22 * 2 + 12] = 2;
    (*s->listRowRecords)[22 * 1 + 12] = 40;
    s->userTeam = 1;
    s->currentListRow = 2;
    selectListPlayer();
    EXPECT_EQ(s->selectedPlayer, 0x1234);
    s->currentListRow = 0; // slot 0
    selectListPlayer();
    EXPECT_EQ(s->selectedPlayer, 10);
    for (const jint row : {1, 3, -1}) { // slot 40, and records outside the match records
        s->selectedPlayer = 5;
        s->currentListRow = row;
        selectListPlayer();
        EXPECT_EQ(s->selectedPlayer, -1) << row;
    }
    s->currentListRow = 2;
    s->userTeam = -1;
    selectListPlayer();
    EXPECT_EQ(s->selectedPlayer, -1);
}

TEST_F(DatabaseLookupsTest, SquadSlotsAndPlayerFieldsAreReadBigEndianAndOutsideGiveTheirFallback) {
    GameStatics* s = statics();
    s->teamRecords = testing_support::byteArrayOf(concat({teamRecord({1, 2}), teamRecord({10, -1, 0x8123})}));
    struct SlotCase {
        jint team, slot, expected;
    };
    const SlotCase slots[] = {
        {0, 1, 2},   {1, 0, 10},  {1, 1, -1},  {1, 2, static_cast<runtime::jshort>(0x8123)},
        {1, 29, -1}, {1, 30, -1}, {0, -1, -1}, {2, 0, -1},
        {-1, 0, -1}};
    for (const SlotCase& c : slots) {
        EXPECT_EQ(getTeamPlayerId(c.team, c.slot), c.expected) << c.team << " slot " << c.slot;
    }
    EXPECT_EQ(log.count("getTeamPlayerId: team 2 slot 0 lies outside the team records"), 1);
    EXPECT_EQ(log.count("getTeamPlayerId: team 1 slot 30 lies outside the team records"), 1);

    Bytes players(37 * 2, 0);
    const Bytes wage = {0xFF, 0x38};              // -200
    const Bytes value = {0x80, 0x01, 0x02, 0x03}; // bit 31 set
    std::copy(wage.begin(), wage.end(), players.begin() + 37 + 2);
    std::copy(value.begin(), value.end(), players.begin() + 37 + 33);
    players[2] = 0x12;
    players[3] = 0x34;
    s->playerRecords = testing_support::byteArrayOf(players);
    EXPECT_EQ(getPlayerField2(0), 0x1234);
    EXPECT_EQ(getPlayerField2(1), -200);
    EXPECT_EQ(getPlayerField33(1), static_cast<jint>(0x80010203u));
    EXPECT_EQ(getPlayerField33(0), 0);
    for (const jint outside : {2, -1}) {
        EXPECT_EQ(getPlayerField2(outside), 0) << outside;
        EXPECT_EQ(getPlayerField33(outside), 0) << outside;
    }
    EXPECT_EQ(log.count("getPlayerField33: player 2 lies outside the player records"), 1);
    s->playerRecords = nullptr;
    EXPECT_EQ(getPlayerField2(0), 0);
}

TEST_F(DatabaseLookupsTest, NoClubHasBandZeroWithoutAStrengthAndOthersTheirStrengthsBracket) {
    testing::ScriptedClubDatabase club;
    club.strengths = {{0, 10}, {3, 70}, {4, 83}, {65534, 90}};
    EXPECT_TRUE(isNoClub(-1));
    EXPECT_TRUE(isNoClub(65535));
    EXPECT_FALSE(isNoClub(65534));
    EXPECT_FALSE(isNoClub(0));
    EXPECT_EQ(teamStrengthBand(-1), 0);
    EXPECT_EQ(teamStrengthBand(65535), 0);
    EXPECT_TRUE(club.strengthAsked.empty());
    // The brackets of the thresholds 66, 69, 73, 77, 80, 83.
    EXPECT_EQ(teamStrengthBand(0), 1);
    EXPECT_EQ(teamStrengthBand(3), 3);
    EXPECT_EQ(teamStrengthBand(4), 7);
    EXPECT_EQ(teamStrengthBand(65534), 7);
    EXPECT_EQ(club.strengthAsked, (std::vector<jint>{0, 3, 4, 65534}));
    EXPECT_EQ(club.startersOnlyAsked, (std::vector<runtime::jboolean>{0, 0, 0, 0}));
}

TEST_F(DatabaseLookupsTest, ACountrysTeamsAreRatedDivisionByDivision) {
    GameStatics* s = statics();
    testing::ScriptedClubDatabase club;
    // Leagues of 3 teams each, one after the other.
    for (jint league = 0; league < 13; ++league) {
        (*s->leagueSizes)[league] = 3;
        (*s->leagueStarts)[league] = 3 * league;
    }
    for (jint team = 0; team < 39; ++team) {
        club.strengths[team] = 200 + team; // stored as a byte
    }
    s->teamRankValues = runtime::newByteArray(39);
    s->teamStrengthOrder = runtime::newShortArray(39);
    const struct {
        jint country;
        std::vector<jint> teams;
    } cases[] = {
        {0, {0, 1, 2, 3, 4, 5}},
        {4, {24, 25, 26, 27, 28, 29}},
        {5, {30, 31, 32}}, // league 10
        {7, {36, 37, 38}}, // league 12
        {8, {}},
        {-1, {}},
    };
    for (const auto& c : cases) {
        club.strengthAsked.clear();
        rateCountryTeams(c.country);
        EXPECT_EQ(club.strengthAsked, c.teams) << c.country;
        for (const jint team : c.teams) {
            EXPECT_EQ((*s->teamRankValues)[team], static_cast<runtime::jbyte>(200 + team));
            EXPECT_EQ((*s->teamStrengthOrder)[team], team);
        }
    }
    EXPECT_EQ((*s->teamStrengthOrder)[6], 0) << "country 1 was not rated";
    // Tables too short for the country's teams: the writes stop at their end.
    s->teamStrengthOrder = runtime::newShortArray(5);
    rateCountryTeams(0);
    EXPECT_EQ((*s->teamStrengthOrder)[4], 4);
    EXPECT_EQ(log.count("rateCountryTeams: team position 5 lies outside the strength tables"), 1);
}

} // namespace
} // namespace game::club
