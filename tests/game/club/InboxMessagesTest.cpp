// The inbox: the 27 bytes each type fills, the answer states, the coin tosses of the offer types
// on a pinned seed, the ring of 100 with message removal, the inbox screen's list and selection,
// the keyed list and the offer search with its console line.
#include "game/club/InboxMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/RecordBytes.h"
#include "game/season/SeasonLookups.h"
#include "runtime/ConstantPool.h"
#include "runtime/StreamsPrint.h"
#include "runtime/String.h"
#include "tests/game/club/ClubFixture.h"
#include "tests/game/support/ScriptedInformationScreens.h"
#include "tests/support/SoundRequests.h"

namespace game::club {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Console : testing_support::ConsoleLineReader {
    explicit Console(std::vector<std::string>* lines) : lines(lines) {}
    void onLine(const std::string& text) override { lines->push_back(text); }
    std::vector<std::string>* lines;
};

class InboxMessagesTest : public testing::ClubFixture {
protected:
    static constexpr jint kUser = 1;
    static constexpr jint kOther = 2;

    void SetUp() override {
        ClubFixture::SetUp();
        makeDatabase(4, 100, 84);
        GameStatics* const s = statics();
        s->userTeam = kUser;
        s->monthIndex = 3;
        s->matchDayIndex = 5;
        runtime::ObjectArray* const pool = s->inboxPool;
        for (jint i = 0; i < pool->length; ++i) {
            auto* record = static_cast<runtime::ByteArray*>((*pool)[i]);
            for (jint k = 0; k < record->length; ++k) {
                (*record)[k] = -1;
            }
        }
        s->systemOut = runtime::newObject<runtime::java_io_PrintStream>(runtime::newObject<Console>(&lines));
    }
    void post(const jint type, const std::vector<jint>& p) {
        std::vector<jint> all(12, -1);
        std::copy(p.begin(), p.end(), all.begin());
        postInboxMessage(type, all[0], all[1], all[2], all[3], all[4], all[5], all[6], all[7], all[8], all[9],
                         all[10], all[11]);
    }
    runtime::ByteArray* newest() { return season::messageAt(statics()->inboxCount - 1); }
    // 27 bytes of 0xFF with the type, the date stamp of the fixture (month 3, day 5), the read mark
    // and the answer state 255, then the given (offset, byte) pairs.
    static Bytes expected(const jint type, const std::vector<std::pair<jint, jint>>& fields) {
        Bytes bytes(27, 0xFF);
        bytes[0] = static_cast<std::uint8_t>(type);
        bytes[18] = 3;
        bytes[19] = 5;
        for (const auto& [at, value] : fields) {
            bytes[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
        }
        return bytes;
    }
    // A message being answered (offerMessage): sender, player, owner, amount, kind and result.
    void answering(const jint sender, const jint player, const jint owner, const jint amount, const jint kind,
                   const jint result) {
        auto* record = runtime::newByteArray(27);
        setShort(record, 1, sender);
        setShort(record, 3, player);
        setShort(record, 23, owner);
        writeInt32BE(record, 5, amount);
        (*record)[10] = runtime::i2b(kind);
        (*record)[9] = runtime::i2b(result);
        statics()->offerMessage = record;
    }

    testing::ScriptedInformationScreens screens;
    std::vector<std::string> lines;
};

TEST_F(InboxMessagesTest, EachTypeFillsItsBytes) {
    struct Case {
        jint type;
        std::vector<jint> p;
        Bytes bytes;
    };
    const Case cases[] = {
        // The general layout: p6 low byte first, p9 / 10, p12 only for types 108..119.
        {40,
         {0x0102, 0x0304, 0x0506, 0x0708, 0x090A, 0x0B0C, 0x0D, 0x0E, 1234, 0x11, 0x12, 0x13},
         expected(40, {{1, 1},
                       {2, 2},
                       {23, 3},
                       {24, 4},
                       {3, 5},
                       {4, 6},
                       {25, 7},
                       {26, 8},
                       {5, 9},
                       {6, 10},
                       {7, 0x0C},
                       {8, 0x0B},
                       {9, 0x0D},
                       {10, 0x0E},
                       {11, 0},
                       {12, 123},
                       {13, 0x11},
                       {15, 0x12},
                       {17, 4}})},
        {112,
         {1, 2, 3, 4, 5, 6, 7, 8, 90, 10, 11, 0x13},
         expected(112, {{1, 0},  {2, 1},  {23, 0},  {24, 2},  {3, 0},  {4, 3},    {25, 0},
                        {26, 4}, {5, 0},  {6, 5},   {7, 6},   {8, 0},  {9, 7},    {10, 8},
                        {11, 0}, {12, 9}, {13, 10}, {15, 11}, {17, 4}, {22, 0x13}})},
        {13, {7, 8}, expected(13, {{1, 7}, {2, 8}, {17, 4}})},
        {14,
         {0x0203, 0x11223344, 9},
         expected(14, {{1, 2}, {2, 3}, {3, 0x11}, {4, 0x22}, {5, 0x33}, {6, 0x44}, {7, 9}, {17, 4}})},
        {18, {0x0405}, expected(18, {{1, 4}, {2, 5}})},
        {21, {0x01020304}, expected(21, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {17, 4}})},
        {27,
         {0x0102, 0x0304, 0x0506, 7, 8, 9, 10},
         expected(27, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}, {10, 10}})},
        {31, {0x0102, 0x0304, 0x0506}, expected(31, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}})},
        {32, {0x0102, 3, 4}, expected(32, {{1, 1}, {2, 2}, {3, 3}, {4, 4}})},
        {67,
         {0x0101, 0x0202, 0x0303, 4, 0x0505, 6, 7, 8, 0x09090909},
         expected(67, {{1, 1},
                       {2, 1},
                       {3, 5},
                       {4, 5},
                       {5, 9},
                       {6, 9},
                       {7, 9},
                       {8, 9},
                       {15, 6},
                       {23, 3},
                       {24, 3},
                       {25, 2},
                       {26, 2},
                       {10, 8},
                       {17, 4}})},
        {89,
         {0x0102, 0x0304, 0x0506},
         expected(89, {{3, 1}, {4, 2}, {1, 3}, {2, 4}, {23, 5}, {24, 6}, {17, 4}})},
        {116,
         {0x0102, 0x0304, 0x0506, 4, 5, 6, 7, 8, 0x0A0B0C0D, 0x11121314, 3},
         expected(116, {{1, 1},
                        {2, 2},
                        {23, 3},
                        {24, 4},
                        {3, 5},
                        {4, 6},
                        {25, 255},
                        {26, 0},
                        {5, 0x0A},
                        {6, 0x0B},
                        {7, 0x0C},
                        {8, 0x0D},
                        {9, 7},
                        {10, 8},
                        {11, 0x11},
                        {12, 0x12},
                        {13, 0x13},
                        {14, 0x14},
                        {17, 3}})},
        {10, {0x0304}, expected(10, {{2, 3}, {3, 4}, {17, 2}})},
        {9, {}, expected(9, {{2, 0}, {3, kUser}, {17, 2}})},
        {11, {1, 6}, expected(11, {{1, 1}, {2, 6}, {17, 4}})},
        {11, {2, 6}, expected(11, {{1, 2}, {17, 4}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        post(c.type, c.p);
        EXPECT_EQ(bytesOf(newest()), c.bytes);
    }
}

TEST_F(InboxMessagesTest, AnswerStatesFollowTheParameterTheTypeAndTheMonth) {
    GameStatics* const s = statics();
    addToSquad(kOther, 10);
    setFunds(kUser, 10000);
    const struct {
        const char* what;
        jint type;
        std::vector<jint> p;
        jint month;
        jint state;
    } cases[] = {
        {"no p4: no answer", 4, {kUser, kOther, 10}, 3, 255},
        {"p4 = 1 on an offer type waits", 4, {kUser, kOther, 10, 1}, 3, 0},
        {"p4 = 1 on another type needs none", 13, {1, 2, 3, 1}, 3, 255},
        {"a contract talk in month 2 is the season's", 3, {10, 500, 2, 1, 1, 900}, 2, 2},
        {"and in month 7", 3, {10, 500, 2, 1, 1, 900}, 7, 2},
        {"otherwise it waits", 3, {10, 500, 2, 1, 1, 900}, 3, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        s->monthIndex = c.month;
        post(c.type, c.p);
        EXPECT_EQ((*newest())[16] & 0xFF, c.state);
        EXPECT_EQ((*newest())[18], c.month);
    }
    // A loan talk scored 1 for a base player is the season's; for a generated player it waits.
    s->monthIndex = 3;
    screens.score = 1;
    post(3, {10, 500, 2, 1, 2, 900});
    EXPECT_EQ((*newest())[16], 2);
    EXPECT_EQ(screens.calls.back(), (testing::ScriptedInformationScreens::Call{
                                        "negotiationScore", {10, 500, 2, kOther, kUser, 0, 0}}));
    post(3, {90, 500, 2, 1, 2, 900});
    EXPECT_EQ((*newest())[16], 0);
    // A counter-offer with p1 waits whatever p4 says.
    answering(kOther, 10, kOther, 100, 1, 1);
    post(5, {1});
    EXPECT_EQ((*newest())[16], 0);
}

TEST_F(InboxMessagesTest, OfferTypesTossTheGeneratorsCoinOnAPinnedSeed) {
    GameStatics* const s = statics();
    addToSquad(kUser, 10);
    setValue(10, 1000);
    setFunds(kOther, 30000);
    // Another club's offer for the user's unlisted, unmarked player: a coin picks the kind, then
    // the asking price is drawn; a loan asks a tenth.
    for (jint round = 0; round < 8; ++round) {
        const jint kind = twin.coin() ? 2 : 1;
        const jint ask = 1000 + 1000 * twin.range(0, 30) / 100;
        post(4, {kOther, kUser, 10});
        const runtime::ByteArray* const record = newest();
        EXPECT_EQ((*record)[10], kind);
        EXPECT_EQ(core::readIntBE(record, 5), kind == 1 ? ask : ask / 10);
        EXPECT_EQ(playerByte(10, 31) >> 4, 0xA);
    }
    // Listed players are loaned (kind 2), unless p4 asks for a transfer.
    setPlayerByte(10, 31, 2);
    post(4, {kOther, kUser, 10});
    EXPECT_EQ((*newest())[10], 2);
    post(4, {kOther, kUser, 10, 0});
    EXPECT_EQ((*newest())[10], 1);
    // The bidder's funds cap the amount.
    setFunds(kOther, 50);
    post(4, {kOther, kUser, 10, 0});
    EXPECT_EQ(core::readIntBE(newest(), 5), 500);
    for (jint i = 0; i < 3; ++i) {
        twin.range(0, 30); // the asking prices of the last three offers
    }

    // A counter-offer between 8/10 of the limit and the limit (1300) goes to the coin.
    addToSquad(kOther, 11);
    setValue(11, 1000);
    for (jint round = 0; round < 6; ++round) {
        answering(kUser, 11, kOther, 1200, 1, 1);
        const jint result = twin.coin() ? 255 : 0;
        post(5, {});
        EXPECT_EQ((*newest())[9] & 0xFF, result);
    }
    answering(kUser, 11, kOther, 1300, 1, 1);
    post(5, {});
    EXPECT_EQ((*newest())[9] & 0xFF, 255);
    answering(kUser, 11, kOther, 1039, 1, 1);
    post(5, {});
    EXPECT_EQ((*newest())[9] & 0xFF, 0);

    // A contract answer scored 40..44 keeps its score when bit 16 of the new seed is set.
    screens.score = 42;
    for (jint round = 0; round < 6; ++round) {
        answering(kOther, 11, kOther, 0, 1, 1);
        twin.range(1, 5); // the category
        const bool keep = twin.coin();
        post(6, {});
        EXPECT_EQ((*newest())[15], keep ? 42 : 0);
    }
    screens.score = 45;
    answering(kOther, 11, kOther, 0, 1, 1);
    post(6, {});
    EXPECT_EQ((*newest())[15], 45);
    screens.score = 59;
    answering(kOther, 11, kOther, 0, 2, 1);
    post(6, {});
    EXPECT_EQ((*newest())[15], 0) << "a loan needs 60";
    (void)s;
}

TEST_F(InboxMessagesTest, ABidMarksThePlayerAndIsAnsweredWhereItStands) {
    GameStatics* const s = statics();
    addToSquad(kOther, 12);
    setPlayerByte(12, 4, 50);
    s->chosenPlayer = 12;
    s->offerAmount = 777;
    post(1, {-1, -1, -1, 1});
    const runtime::ByteArray* const record = newest();
    EXPECT_EQ(core::readShortBE(record, 1), kUser);
    EXPECT_EQ(core::readShortBE(record, 23), kOther);
    EXPECT_EQ(core::readIntBE(record, 5), 777);
    EXPECT_EQ((*record)[9], 1);
    EXPECT_EQ(playerByte(12, 4), 0x80 | 50);
    EXPECT_EQ(playerByte(12, 31) >> 4, 2);
    // answerBid sees the stored record, with its answer state already set.
    EXPECT_EQ(screens.calls.back(), (testing::ScriptedInformationScreens::Call{"answerBid", {1, 0}}));
    s->menuState = 0x100007;
    post(1, {});
    EXPECT_EQ((*newest())[9], 0);

    // The answer to a bid: a free player is always had; a protected owner refuses and says so.
    answering(kUser, 13, 0xFFFF, 10, 1, 2);
    post(2, {});
    EXPECT_EQ((*newest())[9], 1);
    addToSquad(3, 13);
    setValue(13, 1000);
    s->listedTeams = runtime::newShortArray(1);
    (*s->listedTeams)[0] = 3;
    answering(kUser, 13, 3, 5000, 1, 0);
    twin.range(0, 30);
    post(2, {});
    EXPECT_EQ((*newest())[9], 0);
    EXPECT_EQ((*newest())[25], 1);
    EXPECT_EQ(playerByte(13, 31) >> 4, 3);
}

TEST_F(InboxMessagesTest, TheRingKeepsTheHundredNewestAndRemovalClosesTheGap) {
    GameStatics* const s = statics();
    for (jint i = 0; i <= 100; ++i) {
        post(40, {i});
    }
    EXPECT_EQ(s->inboxCount, 100);
    EXPECT_EQ(s->inboxStart, 1);
    EXPECT_EQ(s->inboxWrite, 1);
    EXPECT_EQ(core::readShortBE(season::messageAt(0), 1), 1);
    EXPECT_EQ(core::readShortBE(static_cast<runtime::ByteArray*>((*s->inboxRing)[0]), 1), 100)
        << "the newest sits at inboxWrite - 1";
    // Filing into a full ring overwrites the oldest.
    auto* extra = runtime::newByteArray(27);
    setShort(extra, 1, 555);
    storeRecentRecord(extra);
    EXPECT_EQ(s->inboxCount, 100);
    EXPECT_EQ(s->inboxStart, 2);
    EXPECT_EQ(s->inboxWrite, 2);
    EXPECT_EQ(core::readShortBE(season::messageAt(99), 1), 555);

    // Keys of messages 0..count-1, oldest first.
    auto keys = [this] {
        std::vector<jint> out;
        for (jint i = 0; i < statics()->inboxCount; ++i) {
            out.push_back(core::readShortBE(season::messageAt(i), 1));
        }
        return out;
    };
    // Six messages 10..15 from slot 97, so the ring wraps.
    s->inboxCount = 0;
    s->inboxStart = 97;
    s->inboxWrite = 97;
    for (jint i = 10; i < 16; ++i) {
        post(40, {i});
    }
    season::deleteMessage(0); // the oldest: the start moves on
    EXPECT_EQ(keys(), (std::vector<jint>{11, 12, 13, 14, 15}));
    EXPECT_EQ(s->inboxStart, 98);
    season::deleteMessage(4); // the newest: the write slot moves back
    EXPECT_EQ(keys(), (std::vector<jint>{11, 12, 13, 14}));
    EXPECT_EQ(s->inboxWrite, 2);
    season::deleteMessage(1); // the older half moves up
    EXPECT_EQ(keys(), (std::vector<jint>{11, 13, 14}));
    EXPECT_EQ(s->inboxStart, 99);
    EXPECT_EQ(s->inboxWrite, 2);
    season::deleteMessage(1); // one before, one after: the newer side moves down
    EXPECT_EQ(keys(), (std::vector<jint>{11, 14}));
    EXPECT_EQ(s->inboxWrite, 1);
    season::deleteMessage(2); // outside: nothing
    season::deleteMessage(-1);
    EXPECT_EQ(keys(), (std::vector<jint>{11, 14}));
    post(40, {16});
    EXPECT_EQ(keys(), (std::vector<jint>{11, 14, 16})) << "the next message goes after the newest";
}

TEST_F(InboxMessagesTest, TheInboxListSelectsByItsUnreadMessages) {
    GameStatics* const s = statics();
    // listed: message types (40 listed, 9 not), read flags newest first.
    auto build = [this, s](const std::vector<bool>& readNewestFirst) {
        s->inboxCount = 0;
        s->inboxStart = 0;
        s->inboxWrite = 0;
        for (std::size_t i = readNewestFirst.size(); i-- > 0;) {
            post(40, {static_cast<jint>(i)});
            if (readNewestFirst[i]) {
                (*newest())[19] = runtime::i2b((*newest())[19] | 0x10);
            }
        }
        post(9, {}); // not listed
    };
    const struct {
        const char* what;
        std::vector<bool> read;
        jint cursor;
        jint top;
    } cases[] = {
        {"three listed, two unread", {true, false, false}, 1, 0},
        {"four listed, none unread", {true, true, true, true}, 0, 0},
        {"six listed, the oldest unread at place 4", {false, true, true, true, false, true}, 4, 1},
        {"six listed, the oldest unread at place 2", {false, true, false, true, true, true}, 2, 0},
        {"six listed, none unread", {true, true, true, true, true, true}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        build(c.read);
        refreshInboxScreen();
        EXPECT_EQ(s->inboxListCount, static_cast<jint>(c.read.size()));
        EXPECT_EQ(s->inboxCursor, c.cursor);
        EXPECT_EQ(s->inboxTop, c.top);
        // Places hold the messages' indices from the oldest, newest first; the rest is -1.
        EXPECT_EQ((*s->inboxListOffsets)[0], static_cast<jint>(c.read.size()) - 1);
        EXPECT_EQ((*s->inboxListOffsets)[c.read.size()], -1);
    }
    // The saved place comes back once, on a return from the home screen or the transfer inbox.
    for (const jint from : {134, 1030}) {
        build({false, true, true, true, false, true});
        s->inboxPlaceSaved = 1;
        s->inboxCursorSaved = 5;
        s->inboxTopSaved = 3;
        s->previousMenuState = from;
        refreshInboxScreen();
        EXPECT_EQ(s->inboxCursor, 5);
        EXPECT_EQ(s->inboxTop, 3);
        refreshInboxScreen();
        EXPECT_EQ(s->inboxCursor, 4) << "only once";
    }
    s->inboxPlaceSaved = 1;
    s->previousMenuState = 136;
    refreshInboxScreen();
    EXPECT_EQ(s->inboxCursor, 4) << "not from the day advance";
    // A listed fixture notice is remembered.
    post(8, {});
    refreshInboxScreen();
    EXPECT_EQ(s->fixtureNotice.get(), newest());
}

TEST_F(InboxMessagesTest, TheKeyedListReplacesValuesByKeyAndStopsWhenFull) {
    GameStatics* const s = statics();
    s->messageRecords = runtime::newObjectArray(2);
    for (jint i = 0; i < 2; ++i) {
        (*s->messageRecords)[i] = runtime::newByteArray(27);
    }
    s->messageRecordLimit = 2;
    s->messageRecordCount = 0;
    auto record = [](const jint key, const jint value) {
        auto* bytes = runtime::newByteArray(27);
        setShort(bytes, 1, key);
        writeInt32BE(bytes, 11, value);
        (*bytes)[0] = 4;
        return bytes;
    };
    auto valueOf = [s](const jint row) {
        return core::readIntBE(static_cast<runtime::ByteArray*>((*s->messageRecords)[row]), 11);
    };
    upsertKeyedMessage(record(5, 100));
    upsertKeyedMessage(record(6, 300));
    EXPECT_EQ(s->messageRecordCount, 2);
    upsertKeyedMessage(record(5, 200));
    EXPECT_EQ(valueOf(0), 200);
    upsertKeyedMessage(record(5, -1));
    EXPECT_EQ(valueOf(0), 200) << "0xFFFFFFFF keeps the value";
    upsertKeyedMessage(record(7, 400));
    EXPECT_EQ(s->messageRecordCount, 2);
    EXPECT_EQ(valueOf(1), 300);
}

TEST_F(InboxMessagesTest, TheOfferSearchLogsTheClubThatStillBids) {
    addToSquad(kUser, 20);
    setValue(20, 1000);
    post(4, {kOther, kUser, 20});
    (*newest())[15] = 0;
    EXPECT_EQ(findOfferMessage(20, -1, 4), 0) << "a score of 0 is no offer";
    (*newest())[15] = 3;
    EXPECT_EQ(findOfferMessage(20, kOther, 4), 0) << "the team's own offer";
    EXPECT_EQ(findOfferMessage(21, -1, 4), 0);
    EXPECT_EQ(findOfferMessage(20, -1, 6), 0);
    lines.clear();
    EXPECT_EQ(findOfferMessage(20, -1, 4), 1);
    ASSERT_EQ(lines.size(), 1U);
    auto text = [](runtime::String* s) { return std::string(s->chars, s->chars + s->length()); };
    const std::string line = text(runtime::getConstantString(231)) + text(nameOf(20, kPlayerName)) +
                             text(runtime::getConstantString(232)) + text(nameOf(kOther, kTeamName));
    EXPECT_EQ(lines[0], line);
    // Type 7: a score below 50 answers at once.
    post(7, {20});
    (*newest())[15] = 49;
    EXPECT_EQ(findOfferMessage(20, -1, 7), 1);
    (*newest())[15] = 50;
    EXPECT_EQ(findOfferMessage(20, -1, 7), 0);
}

} // namespace
} // namespace game::club
