// Shared look-ups: the inbox ring's indexing, the two message tests over crafted records, the
// kept club settings, the scratch counters, the player record byte updates, the listed teams and
// the line-up search.
#include "game/season/SeasonLookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

constexpr jint kLookupUserTeam = 0x0123;

class SeasonLookupsTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        statics()->userTeam = kLookupUserTeam;
        statics()->messageOptions = runtime::newByteArray(20);
    }
    static void setShort(runtime::ByteArray* record, const jint at, const jint value) {
        (*record)[at] = static_cast<runtime::jbyte>(value >> 8);
        (*record)[at + 1] = static_cast<runtime::jbyte>(value);
    }
    // A 27-byte message: type, sender, player, and the single bytes the tests read.
    static runtime::ByteArray* message(const jint type, const jint sender, const jint player,
                                       const jint owner, const jint b9, const jint b15, const jint b16,
                                       const jint b20) {
        runtime::ByteArray* const record = runtime::newByteArray(kMessageBytes);
        (*record)[0] = static_cast<runtime::jbyte>(type);
        setShort(record, 1, sender);
        setShort(record, 3, player);
        setShort(record, 23, owner);
        (*record)[9] = static_cast<runtime::jbyte>(b9);
        (*record)[15] = static_cast<runtime::jbyte>(b15);
        (*record)[16] = static_cast<runtime::jbyte>(b16);
        (*record)[20] = static_cast<runtime::jbyte>(b20);
        return record;
    }
    // Puts record as message i of a ring starting at `start`.
    static void post(const jint start, const jint i, runtime::ByteArray* record) {
        (*game::statics()->inboxRing)[(start + i) % kInboxSlots] = record;
    }
    static void setPlayerByte(const jint player, const jint at, const jint value) {
        (*game::statics()->playerRecords)[player * kPlayerRecordBytes + at] =
            static_cast<runtime::jbyte>(value);
    }
    static jint playerByte(const jint player, const jint at) {
        return (*game::statics()->playerRecords)[player * kPlayerRecordBytes + at];
    }
};

TEST_F(SeasonLookupsTest, MessageIndicesWrapAroundTheRing) {
    GameStatics* const s = statics();
    const std::pair<jint, jint> cases[][2] = {
        {{98, 3}, {1, 0}}, {{0, 0}, {0, 0}}, {{99, 1}, {0, 0}}, {{50, 49}, {99, 0}}, {{98, 102}, {0, 0}}};
    for (const auto& c : cases) {
        const auto [start, i] = c[0];
        const jint slot = c[1].first;
        s->inboxStart = start;
        EXPECT_EQ(messageAt(i), (*s->inboxRing)[slot]) << start << " + " << i;
    }
    s->inboxStart = 98;
    EXPECT_NE(messageAt(3), messageAt(2));
}

TEST_F(SeasonLookupsTest, NotableMessageDecisionTable) {
    GameStatics* const s = statics();
    const jint other = 0x0200;
    struct Case {
        jint type, sender, owner, b16, b20, option;
        jboolean expected;
    };
    const Case cases[] = {
        {7, other, other, 0, 5, 9, 1},           // type 7, byte 16 at 0
        {7, other, other, -3, 5, 9, 1},          // ... or below
        {7, other, other, 1, 5, 9, 0},           // type 7 otherwise: final test fails
        {7, kLookupUserTeam, other, 1, 5, 1, 1}, // ... unless it names the user and the option is 0 or 1
        {8, other, other, 5, 5, 9, 1},           // types above 7 are listed
        {50, other, other, 5, 5, 9, 1},
        {9, other, other, 5, 5, 9, 0},  // except 9, 23 and 24
        {23, other, other, 5, 0, 9, 1}, // type 23 with byte 20 at 0
        {23, other, other, 5, 1, 9, 0},
        {24, other, other, 5, -1, 9, 1}, // type 24 with byte 20 at -1
        {24, other, other, 5, 0, 9, 0},
        {24, kLookupUserTeam, other, 5, 0, 0, 1}, // naming the user with option 0
        {2, kLookupUserTeam, other, 5, 5, 0, 1},
        {2, other, kLookupUserTeam, 5, 5, 1, 1},
        {2, kLookupUserTeam, other, 5, 5, 2, 0},           // option 2: final test
        {2, other, other, 5, 5, 0, 0},                     // not the user's
        {5, other, kLookupUserTeam, 5, 5, 0, 0},           // type 5 owned by the user: final test only
        {5, kLookupUserTeam, other, 5, 5, 0, 1},           // type 5 sent by the user
        {1, kLookupUserTeam, kLookupUserTeam, 5, 5, 0, 0}, // type 1: final test only
        {0, kLookupUserTeam, kLookupUserTeam, 5, 5, 0, 0}, // type 0 and below: final test only
        {-1, kLookupUserTeam, kLookupUserTeam, 5, 5, 0, 0},
        {6, kLookupUserTeam, other, 5, 5, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "type " << c.type << " sender " << c.sender << " owner " << c.owner << " b16 "
                     << c.b16 << " b20 " << c.b20 << " option " << c.option);
        (*s->messageOptions)[16] = static_cast<runtime::jbyte>(c.option);
        EXPECT_EQ(isNotableMessage(message(c.type, c.sender, 0, c.owner, 0, 0, c.b16, c.b20)), c.expected);
    }
    EXPECT_EQ(isNotableMessage(nullptr), 0);
}

TEST_F(SeasonLookupsTest, FindMessageMatchesKeysAndTheOpenStateOfItsType) {
    GameStatics* const s = statics();
    struct Case {
        jint type, b9, b15;
        jboolean expected;
    };
    const Case cases[] = {
        {1, 0, 0, 1},  {4, 0, 0, 1}, {2, 1, 0, 1}, {2, 0, 1, 0},  {5, 1, 0, 1}, {5, 2, 0, 0}, {3, 0, 1, 1},
        {3, 0, -1, 1}, {3, 0, 0, 0}, {6, 0, 1, 1}, {6, 0, -1, 0}, {7, 1, 1, 0}, {0, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " b9 " << c.b9 << " b15 " << c.b15);
        s->inboxStart = 97;
        s->inboxCount = 5;
        for (jint i = 0; i < 5; ++i) {
            post(97, i, message(1, 40 + i, 1000 + i, 0, 0, 0, 0, 0));
        }
        // The message about team 7 and player 300 comes fourth, across the ring's end.
        post(97, 3, message(c.type, 7, 300, 0, c.b9, c.b15, 0, 0));
        EXPECT_EQ(findMessage(7, 300), c.expected);
        EXPECT_EQ(findMessage(300, 7), 0);
        s->inboxCount = 3; // the message is beyond the count
        EXPECT_EQ(findMessage(7, 300), 0);
    }
}

TEST_F(SeasonLookupsTest, TheNewestUnreadNotableMessageIsFoundAndKept) {
    GameStatics* const s = statics();
    (*s->messageOptions)[16] = 2; // messages about the user's club are not listed for that alone
    const jint other = 0x0456;
    s->inboxStart = 98;
    s->inboxCount = 4;
    runtime::ByteArray* const oldestNotable = message(30, other, 0, other, 0, 0, 0, 0);
    runtime::ByteArray* const newerNotable = message(31, other, 0, other, 0, 0, 0, 0);
    runtime::ByteArray* const read = message(32, other, 0, other, 0, 0, 0, 0);
    (*read)[19] = 0x10; // read: a high nibble in byte 19
    runtime::ByteArray* const plain = message(2, other, 0, other, 0, 0, 0, 0); // not listed
    post(98, 0, oldestNotable);
    post(98, 1, newerNotable);
    post(98, 2, read);
    post(98, 3, plain);
    EXPECT_EQ(hasUnreadListedMessage(), 1);
    EXPECT_EQ(s->unreadListedMessage.get(), newerNotable);
    (*newerNotable)[19] = static_cast<runtime::jbyte>(0x8F);
    EXPECT_EQ(hasUnreadListedMessage(), 1);
    EXPECT_EQ(s->unreadListedMessage.get(), oldestNotable);
    (*newerNotable)[19] = 0x0F; // a low nibble alone still means unread
    EXPECT_EQ(hasUnreadListedMessage(), 1);
    EXPECT_EQ(s->unreadListedMessage.get(), newerNotable);
    s->inboxCount = 1; // only the oldest is in the ring
    (*oldestNotable)[19] = 0x20;
    s->unreadListedMessage = nullptr;
    EXPECT_EQ(hasUnreadListedMessage(), 0);
    EXPECT_EQ(s->unreadListedMessage.get(), nullptr);
    s->inboxCount = 0;
    EXPECT_EQ(hasUnreadListedMessage(), 0);
}

TEST_F(SeasonLookupsTest, AnOpenOfferIsAMessageOfTypeOneToSixAboutThePlayerNotClosed) {
    GameStatics* const s = statics();
    struct Case {
        jint type, player, b20;
        jboolean expected;
    };
    const Case cases[] = {{1, 300, 0, 1}, {6, 300, 1, 1}, {3, 300, -1, 1}, {4, 300, 2, 0},
                          {0, 300, 0, 0}, {7, 300, 0, 0}, {-1, 300, 0, 0}, {2, 301, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " player " << c.player << " b20 " << c.b20);
        s->inboxStart = 99;
        s->inboxCount = 3;
        post(99, 0, message(1, 7, 1000, 0, 0, 0, 0, 0));
        post(99, 1, message(c.type, 7, c.player, 0, 0, 0, 0, c.b20));
        post(99, 2, message(5, 7, 1001, 0, 0, 0, 0, 2));
        EXPECT_EQ(hasOpenOfferFor(300), c.expected);
        s->inboxCount = 1; // the message is beyond the count
        EXPECT_EQ(hasOpenOfferFor(300), 0);
    }
}

TEST_F(SeasonLookupsTest, ClubSettingsAreKeptComparedAndRestoredWithEveryLevel) {
    GameStatics* const s = statics();
    // Levels 17, 34, 50 map to indices 0, 1, 2.
    const jint labels[] = {17, 34, 50, 34, 17};
    for (jint i = 0; i < 5; ++i) {
        (*s->ticketPriceLabels)[i] = labels[i];
    }
    EXPECT_EQ(snapshotCompare(1), 0) << "nothing kept yet";
    EXPECT_EQ(snapshotCompare(0), 0);
    EXPECT_EQ(snapshotCompare(1), 1);
    (*s->ticketPriceLabels)[2] = 17;
    EXPECT_EQ(snapshotCompare(1), 0);
    for (jint i = 0; i < 5; ++i) {
        (*s->ticketPriceLabels)[i] = 34;
        (*s->ticketPrices)[i] = 1;
    }
    EXPECT_EQ(snapshotCompare(2), 0);
    const jint levels[] = {0, 1, 2, 1, 0};
    for (jint i = 0; i < 5; ++i) {
        EXPECT_EQ((*s->ticketPriceLabels)[i], labels[i]) << i;
        EXPECT_EQ((*s->ticketPrices)[i], levels[i]) << i;
    }
    EXPECT_EQ(snapshotCompare(1), 1);
}

TEST_F(SeasonLookupsTest, ResetCountersClearsAllEight) {
    GameStatics* const s = statics();
    for (jint& counter : s->scratchCounters) {
        counter = 77;
    }
    resetCounters();
    for (const jint counter : s->scratchCounters) {
        EXPECT_EQ(counter, 0);
    }
}

TEST_F(SeasonLookupsTest, PlayerRecordBytesAreSetOrAddedInEightBits) {
    GameStatics* const s = statics();
    s->playerRecords = runtime::newByteArray(3 * kPlayerRecordBytes);
    setPlayerRecordByte(2, 120, 19, 0);
    EXPECT_EQ(playerByte(2, 19), 120);
    setPlayerRecordByte(2, 10, 19, 1);
    EXPECT_EQ(playerByte(2, 19), -126) << "130 kept to 8 bits";
    setPlayerRecordByte(1, -5, 36, 1);
    EXPECT_EQ(playerByte(1, 36), -5);
    // Outside the records: logged, nothing written.
    setPlayerRecordByte(3, 1, 0, 0);
    setPlayerRecordByte(0, 1, 37, 0);
    EXPECT_EQ(playerByte(1, 0), 0);
    EXPECT_EQ(std::count_if(log.lines.begin(), log.lines.end(),
                            [](const std::string& line) { return line.starts_with("player record:"); }),
              2);
}

TEST_F(SeasonLookupsTest, MoraleStepsDownModuloHundredAndAWrapRaisesTheGrade) {
    GameStatics* const s = statics();
    s->playerRecords = runtime::newByteArray(2 * kPlayerRecordBytes);
    // moraleSteps: 3, 2, 2, 4, 3, 1.
    struct Case {
        jint morale, grade, entry;
        jint moraleAfter, gradeAfter;
    };
    const Case cases[] = {
        {50, 3, 0, 47, 3},        // step 3: lower, the grade stays
        {50, 0x43, -1, 40, 0x43}, // entry -1 steps by 10
        {2, 3, 3, 98, 4},         // wraps: higher, grade 3 < 7 grows
        {2, 0x27, 3, 98, 0x27},   // grade 7 does not grow
        {5, 0x16, -1, 95, 0x17},  // the high nibble stays
        {0, 6, 5, 99, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.morale << " entry " << c.entry);
        setPlayerByte(1, 32, c.morale);
        setPlayerByte(1, 14, c.grade);
        adjustPlayerMorale(1, c.entry);
        EXPECT_EQ(playerByte(1, 32), c.moraleAfter);
        EXPECT_EQ(playerByte(1, 14), c.gradeAfter);
    }
    setPlayerByte(1, 32, 50);
    adjustPlayerMorale(1, 6);
    EXPECT_EQ(playerByte(1, 32), 50) << "no step 6: nothing changes";
}

TEST_F(SeasonLookupsTest, ListedTeamsAndLineupSlots) {
    GameStatics* const s = statics();
    EXPECT_EQ(isTeamInList(5), 0) << "no list";
    s->listedTeams = runtime::newShortArray(3);
    (*s->listedTeams)[0] = 9;
    (*s->listedTeams)[2] = 259;
    EXPECT_EQ(isTeamInList(259), 1);
    EXPECT_EQ(isTeamInList(9), 1);
    EXPECT_EQ(isTeamInList(0), 1) << "an unused entry holds 0";
    EXPECT_EQ(isTeamInList(10), 0);

    auto* const first = static_cast<runtime::ByteArray*>((*s->lineup)[0]);
    auto* const second = static_cast<runtime::ByteArray*>((*s->lineup)[1]);
    for (jint i = 0; i < 30; ++i) {
        (*first)[i] = static_cast<runtime::jbyte>(29 - i);
        (*second)[i] = static_cast<runtime::jbyte>(i);
    }
    EXPECT_EQ(findSquadSlot(29), 0);
    EXPECT_EQ(findSquadSlot(0), 29);
    EXPECT_EQ(findSquadSlot(12), 17);
    EXPECT_EQ(findSquadSlot(30), -1);
    EXPECT_EQ(findSquadSlot(-1), -1);
}

} // namespace
} // namespace game::season
