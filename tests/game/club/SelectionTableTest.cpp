// The selection table: a rebuild lays out the user's squad, the reserved groups and a set-up's
// flags; a refresh keeps numbers, categories and flags and resets the counters.
#include "game/club/SelectionTable.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/core/GameStatics.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"

namespace game::club {

namespace {

using runtime::jint;
using Bytes = std::vector<std::uint8_t>;

constexpr jint kEntries = 108;
constexpr jint kEntryBytes = 16;
constexpr jint kSelectingTeam = 2;

class SelectionTableTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        GameStatics* s = statics();
        // Three teams; the user's (2) has players 3, 1, an empty slot, 4 and 0 in its first
        // five slots, the rest empty; team 0 has player 2 in slot 0.
        Bytes teams(3 * 64, 0xFF);
        const jint slots[] = {3, 1, -1, 4, 0};
        for (jint i = 0; i < 5; ++i) {
            teams[kSelectingTeam * 64 + 2 * i] = static_cast<std::uint8_t>(slots[i] >> 8);
            teams[kSelectingTeam * 64 + 2 * i + 1] = static_cast<std::uint8_t>(slots[i]);
        }
        teams[0] = 0, teams[1] = 2;
        s->teamRecords = testing_support::byteArrayOf(teams);
        // Position masks (bytes 11-14) of players 0-4: goalkeeper (0), bit 1 (2), bit 2 (1),
        // bit 7 (3), none (9).
        Bytes info(5 * 28, 0);
        const jint masks[] = {0x0001, 0x0002, 0x0004, 0x0080, 0};
        for (jint p = 0; p < 5; ++p) {
            info[28 * p + 13] = static_cast<std::uint8_t>(masks[p] >> 8);
            info[28 * p + 14] = static_cast<std::uint8_t>(masks[p]);
        }
        s->playerInfoRecords = testing_support::byteArrayOf(info);
        s->userTeam = kSelectingTeam;
    }

    jint entryByte(const jint slot, const jint i) const {
        return (*statics()->selectionTable)[kEntries + kEntryBytes * slot + i] & 0xFF;
    }
    jint entryPlayer(const jint slot) const { return entryByte(slot, 0) << 8 | entryByte(slot, 1); }
    Bytes table() const { return testing_support::bytesOf(statics()->selectionTable); }
    // Fills the whole table with value.
    void fillTable(const std::uint8_t value) const {
        runtime::ByteArray* t = statics()->selectionTable;
        for (jint i = 0; i < t->length; ++i) {
            (*t)[i] = static_cast<runtime::jbyte>(value);
        }
    }
};

TEST_F(SelectionTableTest, ARebuildLaysOutTheUsersSquadAndTheReservedGroups) {
    fillTable(0x5A);
    buildSelectionTable(1);
    const Bytes t = table();
    for (jint i = 0; i < kEntries; ++i) {
        EXPECT_EQ(t[i], 0) << "byte " << i << ": no set-up is offered, so no flag is added";
    }
    const jint players[] = {3, 1, 0xFFFF, 4, 0};
    const jint categories[] = {3, 2, 0, 9, 0};
    for (jint slot = 0; slot < 30; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(entryPlayer(slot), slot < 5 ? players[slot] : 0xFFFF);
        EXPECT_EQ(entryByte(slot, 2), 0xFF);
        EXPECT_EQ(entryByte(slot, 3), 0xFF);
        for (jint i = 4; i < 15; ++i) {
            EXPECT_EQ(entryByte(slot, i), 0) << "counter " << i;
        }
        EXPECT_EQ(entryByte(slot, 15), slot < 5 ? categories[slot] : 0);
    }
    for (jint i = 588; i <= 795; ++i) {
        EXPECT_EQ(t[i], 0xFF) << "byte " << i;
    }
    for (jint i = 796; i < static_cast<jint>(t.size()); ++i) {
        EXPECT_EQ(t[i], 0x5A) << "the random choices from byte " << i << " are kept";
    }
}

TEST_F(SelectionTableTest, ARefreshKeepsNumbersCategoriesAndFlagsAndResetsTheCounters) {
    fillTable(0x5A);
    buildSelectionTable(0);
    const Bytes t = table();
    for (jint i = 0; i < static_cast<jint>(t.size()); ++i) {
        const bool inEntry = i >= kEntries && i < kEntries + 30 * kEntryBytes;
        const jint at = (i - kEntries) % kEntryBytes;
        if (!inEntry || at < 2 || at == 15) {
            EXPECT_EQ(t[i], 0x5A) << "byte " << i << " is kept";
        } else if (at < 4) {
            EXPECT_EQ(t[i], 0xFF) << "byte " << i;
        } else {
            EXPECT_EQ(t[i], 0) << "counter byte " << i;
        }
    }
}

TEST_F(SelectionTableTest, TheChosenSetUpOnlyAddsItsElevenFlags) {
    GameStatics* s = statics();
    s->setUpChoices = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*s->setUpChoices)[i] = 1; // every draw gives set-up 1
    }
    // Set-up 1's flags at bytes 7-17: 1 for flags 0, 2 and 10, other values elsewhere; set-up 2
    // begins with a 1, which flag 11 must not read.
    Bytes records(3 * 18, 0);
    const Bytes flags = {1, 0, 1, 2, 0xFF, 0, 0, 0, 0, 0, 1};
    std::copy(flags.begin(), flags.end(), records.begin() + 18 + 7);
    records[36] = 1;
    s->setUpRecords = testing_support::byteArrayOf(records);
    buildSelectionTable(1);
    const Bytes t = table();
    EXPECT_EQ(t[588], 1);
    EXPECT_EQ(Bytes(t.begin(), t.begin() + 12), (Bytes{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0}));

    // A refresh never touches them; a set-up without a record adds nothing.
    (*s->selectionTable)[3] = 1;
    buildSelectionTable(0);
    EXPECT_EQ(table()[3], 1);
    for (jint i = 0; i < 4; ++i) {
        (*s->setUpChoices)[i] = 7;
    }
    buildSelectionTable(1);
    const Bytes after = table();
    EXPECT_EQ(after[588], 7);
    EXPECT_EQ(Bytes(after.begin(), after.begin() + 12), Bytes(12, 0));
    EXPECT_EQ(log.count("buildSelectionTable: set-up 7 has no record"), 1);
}

TEST_F(SelectionTableTest, TheSetUpNumberIsDrawnFromTheFourOffered) {
    GameStatics* s = statics();
    s->setUpChoices = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*s->setUpChoices)[i] = 10 + i;
    }
    s->setUpRecords = runtime::newByteArray(36 * 18);
    std::set<jint> seen;
    for (jint round = 0; round < 40; ++round) {
        buildSelectionTable(1);
        seen.insert(table()[588]);
    }
    EXPECT_EQ(seen, (std::set<jint>{10, 11, 12, 13}));
}

TEST_F(SelectionTableTest, NoClubReadsAsTeamZeroAndAMissingTeamAsAnEmptySquad) {
    GameStatics* s = statics();
    for (const jint noClub : {-1, 65535}) {
        s->userTeam = static_cast<runtime::jshort>(noClub);
        buildSelectionTable(1);
        EXPECT_EQ(entryPlayer(0), 2) << noClub;
        EXPECT_EQ(entryPlayer(1), 0xFFFF) << noClub;
        EXPECT_EQ(entryByte(0, 15), 1) << noClub;
    }
    s->userTeam = 3;
    buildSelectionTable(1);
    for (jint slot = 0; slot < 30; ++slot) {
        EXPECT_EQ(entryPlayer(slot), 0xFFFF) << slot;
        EXPECT_EQ(entryByte(slot, 15), 0) << slot;
    }
    EXPECT_EQ(log.count("buildSelectionTable: team 3 has no team record; its slots read as empty"), 1);
}

TEST_F(SelectionTableTest, ATableTooShortIsLeftAlone) {
    GameStatics* s = statics();
    s->selectionTable = runtime::newByteArray(803);
    buildSelectionTable(1);
    EXPECT_EQ(testing_support::bytesOf(s->selectionTable), Bytes(803, 0));
    s->selectionTable = nullptr;
    buildSelectionTable(0);
    EXPECT_EQ(log.count("buildSelectionTable: no selection table of 804 bytes"), 2);
}

} // namespace
} // namespace game::club
