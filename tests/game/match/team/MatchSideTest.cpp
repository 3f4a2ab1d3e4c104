// The match side set-up over a fixture club of 30 squad slots with an empty slot and flagged
// players among them: match records, names, the line-up, the squad written back, players started.
#include <gtest/gtest.h>

#include "game/match/team/MatchSide.h"
#include "runtime/String.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {

namespace {

constexpr jint kTeam = 2;
constexpr jint kAvailable = 22;

class MatchSideTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->teamRecords = runtime::newByteArray(3 * 64);
        s->playerRecords = runtime::newByteArray(40 * 37);
        s->playerInfoRecords = runtime::newByteArray(40 * 28);
        std::string text;
        for (jint p = 0; p < 40; ++p) {
            text += "P" + std::to_string(p / 10) + std::to_string(p % 10);
            info(p, 0) = 0;
            info(p, 1) = static_cast<jbyte>(3 * p);
            info(p, 2) = 3;
            info(p, 13) = 0x40; // midfield
            for (jint b = 4; b <= 11; ++b) {
                player(p, b) = static_cast<jbyte>(60 + p % 7);
            }
        }
        s->nameBytes = runtime::newByteArray(static_cast<jint>(text.size()));
        std::copy(text.begin(), text.end(), s->nameBytes->data());
        // Player 10: the byte table's examples.
        player(10, 6) = static_cast<jbyte>(0x85);
        player(10, 15) = 20;
        player(10, 14) = 0x37;
        player(10, 12) = 0x12;
        player(10, 13) = 0x34;
        info(10, 11) = 0x00;
        info(10, 12) = 0x00;
        info(10, 13) = 0x00;
        info(10, 14) = 0x01; // the goalkeeper
        info(10, 23) = 9;
        info(10, 24) = 66;
        info(10, 25) = 77;
        // Squad: slot k holds player 10 + k; slot 5 is empty, 9 and 20 are flagged, 25-29 empty.
        for (jint k = 0; k < 30; ++k) {
            jint number = 10 + k;
            if (k == 5 || k >= 25) {
                number = 0xFFFF;
            } else if (k == 9 || k == 20) {
                number |= 0x8000;
            }
            setSlot(k, number);
        }
        s->matchPlayerNames = runtime::newObjectArray(2);
        (*s->matchPlayerNames)[0] = runtime::newObjectArray(30);
        (*s->matchPlayerNames)[1] = runtime::newObjectArray(30);
    }
    static jbyte& player(const jint p, const jint b) { return (*statics()->playerRecords)[p * 37 + b]; }
    static jbyte& info(const jint p, const jint b) { return (*statics()->playerInfoRecords)[p * 28 + b]; }
    static void setSlot(const jint k, const jint number) {
        (*statics()->teamRecords)[kTeam * 64 + 2 * k] = static_cast<jbyte>(number >> 8);
        (*statics()->teamRecords)[kTeam * 64 + 2 * k + 1] = static_cast<jbyte>(number);
    }
    static std::vector<jint> squad() {
        std::vector<jint> numbers;
        for (jint k = 0; k < 30; ++k) {
            const auto* r = statics()->teamRecords.get();
            numbers.push_back(((*r)[kTeam * 64 + 2 * k] & 0xFF) << 8 | ((*r)[kTeam * 64 + 2 * k + 1] & 0xFF));
        }
        return numbers;
    }
    static std::string name(const jint side, const jint index) {
        auto* row = static_cast<runtime::ObjectArray*>((*statics()->matchPlayerNames)[side]);
        auto* text = static_cast<runtime::String*>((*row)[index]);
        return text != nullptr ? testing_support::textOf(text) : "";
    }
};

// The available players in squad order.
std::vector<jint> availableNumbers() {
    std::vector<jint> numbers;
    for (jint k = 0; k < 25; ++k) {
        if (k != 5 && k != 9 && k != 20) {
            numbers.push_back(10 + k);
        }
    }
    return numbers;
}

TEST_F(MatchSideTest, OpponentThenUserSideRoundTrip) {
    GameStatics* s = statics();
    match::setUpMatchSide(1, kTeam);
    EXPECT_EQ((*s->matchSquadCount)[1], kAvailable);
    const std::vector<jint> chosen = slotList(30);
    std::vector<jint> sorted(chosen.begin(), chosen.begin() + kAvailable);
    std::sort(sorted.begin(), sorted.end());
    for (jint i = 0; i < kAvailable; ++i) {
        ASSERT_EQ(sorted[i], i) << "every available player has one place";
    }
    EXPECT_EQ(std::vector<jint>(chosen.begin() + kAvailable, chosen.end()), std::vector<jint>(8, -1));
    EXPECT_EQ(chosen[0], 0) << "player 10, the only goalkeeper, keeps goal";
    // Written back in line-up order, the flagged players after them, then empty slots.
    const std::vector<jint> numbers = availableNumbers();
    std::vector<jint> expected;
    for (jint p = 0; p < kAvailable; ++p) {
        expected.push_back(numbers[chosen[p]]);
    }
    expected.push_back(0x8000 | 19);
    expected.push_back(0x8000 | 30);
    expected.resize(30, 0xFFFF);
    EXPECT_EQ(squad(), expected);
    EXPECT_EQ(recorder.started.size(), 18u);
    for (jint i = 0; i < 18; ++i) {
        EXPECT_EQ(recorder.started[i].first, MatchSideFixture::player(1, i));
    }
    // The written-back squad has no gaps: record p is squad slot p.
    for (jint p = 0; p < kAvailable; ++p) {
        EXPECT_EQ(recordByte(1, p, 12), p);
        EXPECT_EQ(name(1, p), "P" + std::to_string(expected[p] / 10) + std::to_string(expected[p] % 10));
    }
    EXPECT_EQ(MatchSideFixture::player(1, 17)->slot, 17);

    recorder.started.clear();
    const std::vector<jint> written = squad();
    match::setUpMatchSide(0, kTeam);
    EXPECT_EQ((*s->matchSquadCount)[0], kAvailable);
    EXPECT_EQ(squad(), written) << "the user's side keeps its order";
    // Player 10's record: the byte table.
    const std::vector<jint> record = {
        5, 60 + 10 % 7, 60 + 10 % 7, 60 + 10 % 7, 3,           0,           0x12,        0x34, 0,  0,  0,
        1, 0,           9,           60 + 10 % 7, 60 + 10 % 7, 60 + 10 % 7, 60 + 10 % 7, 7,    79, 66, 77};
    std::vector<jint> actual;
    for (jint b = 0; b < 22; ++b) {
        actual.push_back(recordByte(0, 0, b) & 0xFF);
    }
    EXPECT_EQ(actual, record);
    EXPECT_EQ(name(0, 0), "P10");
    EXPECT_EQ(recorder.started.size(), 18u);
}

TEST_F(MatchSideTest, KeepLineupFillsTheLineupTablesInstead) {
    GameStatics* s = statics();
    s->keepLineup = 1;
    const std::vector<jint> before = squad();
    match::setUpMatchSide(0, kTeam);
    EXPECT_EQ(squad(), before) << "nothing is written back";
    const std::vector<jint> places = slotList(30);
    std::vector<jint> expected;
    for (jint p = 0; p < 30; ++p) {
        expected.push_back(places[p] != -1 ? places[p] : p);
    }
    EXPECT_EQ(expected[5], 6) << "the empty slot is passed over";
    EXPECT_EQ(rowValues(s->lineup, 0, 30), expected);
    EXPECT_EQ(rowValues(s->lineupAtKickOff, 0, 30), expected);
    EXPECT_EQ(rowValues(s->squadSlotOfPlayer, 0, 30), expected);
    // Records stay at their squad slots on the user's side.
    EXPECT_EQ(recordByte(0, 24, 12), 24);
    EXPECT_EQ(name(0, 24), "P34");
}

TEST_F(MatchSideTest, OpponentRecordsFollowTheAvailablePlayers) {
    statics()->keepLineup = 1; // no write-back: the squad keeps its gaps
    match::setUpMatchSide(1, kTeam);
    EXPECT_EQ(recordByte(1, kAvailable - 1, 12), 24) << "the last available player, squad slot 24";
    EXPECT_EQ(name(1, kAvailable - 1), "P34");
    EXPECT_EQ(recordByte(1, kAvailable, 12), 0) << "no record past the available players";
}

TEST_F(MatchSideTest, BadTeamOrSideIsLogged) {
    match::setUpMatchSide(2, kTeam);
    match::setUpMatchSide(0, 3);
    match::setUpMatchSide(0, -1);
    EXPECT_TRUE(recorder.started.empty());
}

} // namespace
} // namespace game::testing
