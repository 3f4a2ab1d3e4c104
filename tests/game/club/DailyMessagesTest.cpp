// The inbox's daily deals over crafted rings: each kind's rule, the walk's removals, the user's
// closed deals, the restamped records, the contract scores on a pinned seed and a full negotiation
// table.
#include "game/club/DailyMessages.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/SeasonLookups.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::club {
namespace {

using Fields = std::vector<std::pair<jint, jint>>;

class DailyMessagesTest : public testing::SeasonWorkFixture {
protected:
    static constexpr jint kUser = kWorkUser;
    static constexpr jint kRival = 2;
    static constexpr jint kPlayer = 10;

    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase(100);
        addToSquad(kUser, kPlayer);
        setBudget(kUser, 60000);
        setFunds(kUser, 1000);
    }
    // Appends a record of the kind (all other bytes -1) with its sender, player and owner.
    void add(const jint kind, const jint sender, const jint player, const jint owner,
             const Fields& fields = {}) {
        runtime::ByteArray* record = runtime::newByteArray(27);
        for (jint k = 0; k < 27; ++k) {
            (*record)[k] = -1;
        }
        (*record)[0] = runtime::i2b(kind);
        setShort(record, 1, sender);
        setShort(record, 3, player);
        setShort(record, 23, owner);
        (*record)[21] = 0;
        for (const auto& [at, value] : fields) {
            (*record)[at] = runtime::i2b(value);
        }
        storeRecentRecord(record);
    }
    static std::vector<jint> types() { return ringTypes(); }
    static jint at(const jint i, const jint index) { return (*season::messageAt(i))[index]; }
    static jint newestAt(const jint index) { return at(season::ringMessageCount() - 1, index); }
    jint status(const jint player) { return playerByte(player, 31) >> 4; }
};

TEST_F(DailyMessagesTest, EachKindsRuleLeavesTheRingItShould) {
    struct Case {
        const char* name;
        jint kind, sender, owner, month;
        Fields fields;
        jint transferAnswer;
        std::vector<jint> ring;
    };
    const Case cases[] = {
        {"kind 1 answered", 1, kRival, kUser, 3, {}, -1, {2}},
        {"kind 1 in month 2", 1, kRival, kUser, 2, {}, -1, {1}},
        {"kind 1 in month 7", 1, kRival, kUser, 7, {}, -1, {1}},
        {"kind 2 sale on loan accepted", 2, kRival, kUser, 3, {{10, 2}, {9, 1}}, -1, {3}},
        {"kind 3 answered", 3, kRival, kUser, 3, {{16, 1}}, -1, {3}},
        {"kind 3 waits", 3, kRival, kUser, 3, {{16, 0}}, -1, {3}},
        {"kind 4 to another club", 4, kUser, kRival, 3, {}, -1, {5}},
        {"kind 4 to the user", 4, kRival, kUser, 3, {}, -1, {4}},
        {"kind 5 closes in month 2", 5, kRival, kUser, 2, {}, -1, {5}},
        {"kind 5 waiting", 5, kRival, kUser, 3, {}, -1, {5}},
        {"kind 5 replied", 5, kRival, kUser, 3, {{16, 0}}, -1, {6}},
        {"kind 6 done", 6, kRival, kUser, 3, {{15, 5}}, -1, {6, 73, 68}},
        {"kind 6 failed check 2", 6, kRival, kUser, 3, {{15, 5}}, 2, {6, 90}},
        {"kind 6 failed check 3", 6, kRival, kUser, 3, {{15, 5}}, 3, {6}},
        {"kind 6 settled", 6, kRival, kUser, 3, {{15, 99}}, -1, {6}},
        {"kind 9 runs out", 9, kRival, 0, 3, {{4, 2}, {5, 1}}, -1, {}},
        {"kind 9 counts", 9, kRival, 0, 3, {{4, 2}, {5, 3}}, -1, {9}},
        {"kind 10 runs out", 10, kRival, 0, 3, {{4, 2}, {17, 1}}, -1, {}},
        {"kind 15", 15, kRival, 0, 3, {{4, 7}, {17, 3}}, -1, {15}},
        {"kind 24", 24, kRival, 0, 3, {}, -1, {24}},
        {"kind 116 too dear", 116, kUser, kRival, 3, {{9, 1}, {20, 1}, {5, 0x7F}}, -1, {116, 24}},
        {"kind 116 bought",
         116,
         kUser,
         kRival,
         3,
         {{9, 1}, {20, 1}, {5, 0}, {6, 0}, {7, 0}, {8, 9}},
         -1,
         {116, 72, 67}},
        {"kind 116 failed check",
         116,
         kUser,
         kRival,
         3,
         {{9, 1}, {20, 1}, {5, 0}, {6, 0}, {7, 0}, {8, 9}},
         1,
         {116, 90}},
        {"kind 116 not yet answered", 116, kUser, kRival, 3, {{9, 0}, {20, 1}, {5, 0}}, -1, {116}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        statics()->monthIndex = c.month;
        screens.transferAnswer = c.transferAnswer;
        add(c.kind, c.sender, kPlayer, c.owner, c.fields);
        processPendingMessages();
        EXPECT_EQ(types(), c.ring);
    }
}

TEST_F(DailyMessagesTest, DealsChangeThePlayerTheBoardAndTheTotals) {
    add(2, kRival, kPlayer, kUser, {{10, 1}, {5, 0}, {6, 0}, {7, 1}, {8, 0}});
    processPendingMessages();
    EXPECT_EQ(statics()->acceptedFeeTotal, 256);
    EXPECT_EQ(status(kPlayer), 11);
    EXPECT_EQ(at(0, 9), 99);
    EXPECT_EQ(at(0, 20), 3);
    // The next day books nothing more.
    processPendingMessages();
    EXPECT_EQ(statics()->acceptedFeeTotal, 256);

    restart();
    add(9, kRival, 0, 0, {{4, 1}, {5, 1}});
    processPendingMessages();
    EXPECT_EQ(statics()->boardDecision, 1);
    EXPECT_EQ(statics()->gameOverReason, 1);
    EXPECT_EQ(statics()->gameOverPending, 1);

    restart();
    statics()->gameOverReason = 0;
    statics()->gameOverPending = 0;
    add(10, kRival, 0, 0, {{4, 3}, {17, 1}});
    processPendingMessages();
    EXPECT_EQ(statics()->boardDecision, 3);
    EXPECT_EQ(statics()->gameOverReason, 2);
    statics()->gameOverReason = 0;
    statics()->pendingTeam = kRival;
    add(10, kRival, 0, 0, {{4, 3}, {17, 1}});
    processPendingMessages();
    EXPECT_EQ(statics()->gameOverReason, 0);

    // A sale that went through clears the player's negotiation entry.
    restart();
    setThreeByteEntry(0, kPlayer, 1);
    add(6, kRival, kPlayer, kUser, {{15, 5}});
    screens.transferAnswer = -1;
    processPendingMessages();
    EXPECT_EQ(core::readShortBE(statics()->tripletTable, 0), -1);
    EXPECT_EQ(screens.calls.back().name, "transferPlayer");
    EXPECT_EQ(screens.calls.back().args, (std::vector<jint>{kPlayer, kUser, kRival, -1, -1, -1, -1}));
}

TEST_F(DailyMessagesTest, TheWalkVisitsEachRecordOnceWhileRecordsLeave) {
    // The newest and the oldest leave (each posts a reply at the newest end), the middle stays.
    add(4, kUser, kPlayer, kRival);
    add(8, kRival, kPlayer, kRival);
    add(4, kUser, kPlayer, kRival);
    processPendingMessages();
    EXPECT_EQ(types(), (std::vector<jint>{8, 5, 5}));
    EXPECT_EQ(at(0, 16), 0); // visited once: -1 + 1; the replies were not visited (no type 6)

    // Two removals in one walk without replies: board countdowns around a kept record.
    restart();
    add(9, kRival, 0, 0, {{4, 2}, {5, 1}});
    add(9, kRival, 0, 0, {{4, 2}, {5, 2}});
    add(10, kRival, 0, 0, {{4, 2}, {17, 1}});
    add(9, kRival, 0, 0, {{4, 2}, {5, 1}});
    processPendingMessages();
    ASSERT_EQ(types(), (std::vector<jint>{9}));
    EXPECT_EQ(at(0, 5), 1);
}

TEST_F(DailyMessagesTest, TheUsersClosedDealsLeaveForKindsOneToSixAndFreezeOtherwise) {
    for (jint kind = 1; kind <= 7; ++kind) {
        add(kind, kRival, kPlayer, kUser, {{16, 2}, {15, 5}});
    }
    add(116, kUser, kPlayer, kRival, {{16, 2}, {9, 1}, {20, 1}});
    add(4, kRival, kPlayer, 3, {{16, 2}});
    processPendingMessages();
    EXPECT_EQ(types(), (std::vector<jint>{7, 116, 5}));
    EXPECT_EQ(at(0, 16), 2);
    EXPECT_EQ(at(1, 16), 2);
    EXPECT_TRUE(screens.calls.empty());
}

TEST_F(DailyMessagesTest, ContractScoresAcceptAboveFiftyFiveAndTossACoinFromFifty) {
    for (const jint score : {55, 54, 50, 49, 60}) {
        SCOPED_TRACE(score);
        restart();
        setWage(kPlayer, 100);
        statics()->userWageTotal = 1000;
        screens.score = score;
        add(7, kRival, kPlayer, kUser, {{17, 2}, {11, 0}, {12, 0}, {13, 1}, {14, 0x2C}});
        add(8, kRival, kPlayer, kRival);
        const bool coin = score >= 50 && score < 55 && (twin.nextInt() & 1) != 0;
        const bool accepted = score >= 55 || coin;
        processPendingMessages();
        // Restamped: the contract talk is now the newest record.
        ASSERT_EQ(types(), (std::vector<jint>{8, 7}));
        EXPECT_EQ(newestAt(18), 3);
        EXPECT_EQ(newestAt(19), 5);
        EXPECT_EQ(newestAt(15), accepted ? score : 0);
        EXPECT_EQ(getPlayerField2(kPlayer), accepted ? 300 : 100);
        EXPECT_EQ(statics()->userWageTotal, accepted ? 1200 : 1000);
        EXPECT_EQ(getPlayerField0(kPlayer) >> 9, accepted ? 12 : 0);
        EXPECT_EQ(core::readShortBE(statics()->tripletTable, 0), accepted ? kPlayer : -1);
        EXPECT_EQ((*statics()->tripletTable)[2], accepted ? 1 : 0);
        expectDraws(score >= 50 && score < 55 ? 1 : 0);
    }
}

TEST_F(DailyMessagesTest, ContractTalksBeyondTheWageRoomStopAndAFullTableIsLeftAlone) {
    setBudget(kUser, 100);
    setWage(kPlayer, 50);
    add(7, kRival, kPlayer, kUser, {{17, 2}, {11, 0}, {12, 0}, {13, 1}, {14, 0}});
    processPendingMessages();
    EXPECT_EQ(types(), (std::vector<jint>{7, 23}));
    EXPECT_EQ(at(0, 16), 4); // 3, then the day's count
    // The user's talk is over (byte 16 at 2 or more): it stays as it is.
    processPendingMessages();
    EXPECT_EQ(types(), (std::vector<jint>{7, 23}));
    EXPECT_EQ(at(0, 16), 4);
    // A talk that was opened before (byte 16 at 0 or 1) is dropped.
    restart();
    add(7, kRival, kPlayer, kUser, {{16, 1}});
    processPendingMessages();
    EXPECT_TRUE(types().empty());

    restart();
    for (jint n = 0; n < 100; ++n) {
        setThreeByteEntry(n, 50 + n, 0);
    }
    screens.score = 80;
    add(7, kRival, kPlayer, kUser, {{17, 2}, {11, 0}, {12, 0}, {13, 0}, {14, 10}});
    processPendingMessages();
    EXPECT_EQ(newestAt(15), 80);
    for (jint n = 0; n < 100; ++n) {
        EXPECT_EQ(core::readShortBE(statics()->tripletTable, 3 * n), 50 + n);
    }
}

TEST_F(DailyMessagesTest, TheUsersBidMovesOnWithThirtyPercentAtStageThree) {
    for (jint trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        restart();
        for (jint k = 0; k < trial; ++k) {
            twin.nextInt();
            statics()->gameRandom->nextInt();
        }
        add(3, kUser, kPlayer, kRival, {{15, 1}, {16, 0}});
        add(116, kUser, kPlayer, kRival, {{9, 1}, {20, 3}});
        const bool movesOn = twin.range(0, 100) <= 30;
        processPendingMessages();
        EXPECT_EQ(newestAt(0), 116);
        EXPECT_EQ(newestAt(20), movesOn ? 4 : -1);
        EXPECT_EQ(newestAt(16), movesOn ? 0 : -1);
        if (movesOn) {
            EXPECT_EQ(status(kPlayer), 3);
            EXPECT_EQ(at(0, 15), 0); // the user's other offer for him is withdrawn
        }
    }
}

TEST_F(DailyMessagesTest, TopFiveByValueAndCancellingOffers) {
    setValue(kPlayer, 500);
    for (jint k = 0; k < 5; ++k) {
        addToSquad(kUser, 20 + k);
        setValue(20 + k, k < 4 ? 600 : 400);
    }
    EXPECT_EQ(isAmongTopFiveByValue(kPlayer), 1);
    setValue(24, 501);
    EXPECT_EQ(isAmongTopFiveByValue(kPlayer), 0);
    setSlot(kUser, 5, 24 | 0x8000); // a flagged slot does not count
    EXPECT_EQ(isAmongTopFiveByValue(kPlayer), 1);

    add(2, kUser, kPlayer, kRival, {{9, 1}});
    add(3, kUser, kPlayer, kRival, {{15, 1}});
    add(6, kUser, kPlayer, kRival, {{15, 1}});
    add(5, kUser, kPlayer + 1, kRival, {{9, 1}});
    add(3, kRival, kPlayer, kUser, {{15, 1}});
    cancelOffersForPlayer(kUser, kPlayer);
    EXPECT_EQ(at(0, 9), 0);
    EXPECT_EQ(at(1, 15), 0);
    EXPECT_EQ(at(2, 15), 0);
    EXPECT_EQ(at(3, 9), 1);
    EXPECT_EQ(at(4, 15), 1);
}

} // namespace
} // namespace game::club
