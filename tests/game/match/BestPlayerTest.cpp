// findBestPlayer over real match objects and listRowRecords: each kind's value, the scanned
// range, players off the pitch, ties, a value of 0 and records out of range.
#include <gtest/gtest.h>

#include <initializer_list>

#include "game/match/CPlayer.h"
#include "game/match/MatchView.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

namespace {

using match::CPlayer;
using match::CTeam;
using runtime::jint;

class BestPlayerTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        statics()->listRowRecords = runtime::newByteArray(2 * 30 * 22);
        team = runtime::newObject<CTeam>();
        statics()->firstTeam = team;
        team->teamIndex = 1;
        team->players = runtime::newObjectArray(CTeam::kPlayers, runtime::kCPlayer);
        for (jint i = 0; i < CTeam::kPlayers; ++i) {
            CPlayer* player = runtime::newObject<CPlayer>();
            (*team->players)[i] = player;
            player->slot = (i * 7) % 30; // records that do not follow the array order
        }
    }
    CPlayer* player(const jint index) { return static_cast<CPlayer*>((*team->players)[index]); }
    // Sets record byte b of the player at index.
    void setByte(const jint index, const jint b, const jint value) {
        (*statics()->listRowRecords)[(team->teamIndex * 30 + player(index)->slot) * 22 + b] =
            static_cast<runtime::jbyte>(value);
    }

    CTeam* team = nullptr;
};

TEST_F(BestPlayerTest, EachKindReadsItsBytes) {
    struct Case {
        jint kind;
        std::initializer_list<std::initializer_list<jint>> bytes; // {index, byte, value}
        jint expected;
    };
    const Case cases[] = {
        // kind 0: byte 1 / 3 + byte 2 / 2 (5: 20 + 10 = 30 beats 7: 0 + 25 = 25)
        {0, {{5, 1, 60}, {5, 2, 21}, {7, 2, 50}}, 5},
        // kind 1: byte 1 * 6 / 7
        {1, {{4, 1, 70}, {9, 1, 71}}, 9},
        // kind 2: byte 2 * 2 / 3 + byte 15 / 4 (3: 20 + 24 beats 8: 40 + 0)
        {2, {{3, 2, 30}, {3, 15, 99}, {8, 2, 60}}, 3},
        // kind 3: byte 17, index 1 is scanned too
        {3, {{1, 17, 90}, {2, 17, 89}}, 1},
        // index 1 is not scanned for the other kinds
        {1, {{1, 1, 99}}, -1},
        // kinds above 3 value everybody at 0
        {4, {{6, 1, 99}, {6, 2, 99}, {6, 17, 99}}, -1},
        // goalkeeper and substitutes are never scanned
        {3, {{0, 17, 99}, {11, 17, 99}}, -1},
        // a tie keeps the first found, the higher index
        {1, {{6, 1, 50}, {4, 1, 50}}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " expects " << c.expected);
        for (jint i = 0; i < statics()->listRowRecords->length; ++i) {
            (*statics()->listRowRecords)[i] = 0;
        }
        for (const auto& b : c.bytes) {
            const jint* v = b.begin();
            setByte(v[0], v[1], v[2]);
        }
        EXPECT_EQ(match::findBestPlayer(team, c.kind), c.expected);
    }
}

TEST_F(BestPlayerTest, PlayersOffThePitchAreSkipped) {
    setByte(10, 17, 80);
    setByte(2, 17, 30);
    player(10)->outOfPlay = 1;
    EXPECT_EQ(match::findBestPlayer(team, 3), 2);
    player(2)->outOfPlay = 2;
    EXPECT_EQ(match::findBestPlayer(team, 3), -1);
}

TEST_F(BestPlayerTest, RecordsOutsideTheTableAndMissingPlayersAreSkipped) {
    setByte(4, 17, 40);
    setByte(9, 17, 80);
    player(9)->slot = 30; // team 1's slot 30 would be past the table's end
    player(7)->slot = -100;
    (*team->players)[8] = nullptr;
    EXPECT_EQ(match::findBestPlayer(team, 3), 4);
    team->players = runtime::newObjectArray(3, runtime::kCPlayer);
    EXPECT_EQ(match::findBestPlayer(team, 3), -1);
    team->players = nullptr;
    EXPECT_EQ(match::findBestPlayer(team, 3), -1);
    EXPECT_EQ(match::findBestPlayer(nullptr, 3), -1);
}

} // namespace
} // namespace game::testing
