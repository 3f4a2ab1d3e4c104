// One day of the inbox's deals (see DailyMessages.h).
#include "game/club/DailyMessages.h"

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/season/SeasonLookups.h"
#include "runtime/Log.h"
#include "runtime/Random.h"

namespace game::club {

using core::holds;
using core::readIntBE;
using core::readShortBE;
using runtime::ByteArray;
namespace m = message;

namespace {

constexpr jint kNone = -1;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kClosedByte = 21;   // 1: the walk leaves the record alone
constexpr jint kDecisionByte = 4;  // kinds 9, 10 and 15: the board's decision code
constexpr jint kCountdownByte = 5; // kind 9: days left
constexpr jint kShortRecordBytes = 20;
constexpr jint kSettled = 99;
constexpr jint kClosedAfter = 2;      // byte 16 from which a deal of the user's is over
constexpr jint kNotApproachable = 12; // listing bits 4 and 8
constexpr jint kStatusSold = 11;
constexpr jint kStatusBought = 3;
constexpr jint kStageOpen = -1;
constexpr jint kStageBid = 1;
constexpr jint kStageSold = 3;
constexpr jint kStageMovedOn = 4;
constexpr jint kClosedMonthA = 2;
constexpr jint kClosedMonthB = 7;
constexpr jint kAcceptScore = 55;
constexpr jint kCoinScore = 50;
constexpr jint kBidChance = 30;
constexpr jint kResultLimit = 3; // a transfer check below this is reported to the user
constexpr jint kTopFive = 5;
// Texts of the deal notices.
constexpr jint kTextBoughtTop = 631;
constexpr jint kTextSoldNews = 632;
constexpr jint kTextBought = 636;
constexpr jint kTextSold = 637;

GameStatics* s() {
    return statics();
}

jint b(const ByteArray* const record, const jint at) {
    return (*record)[at];
}

void put(ByteArray* const record, const jint at, const jint value) {
    (*record)[at] = runtime::i2b(value);
}

jint id16(const ByteArray* const record, const jint at) {
    return readShortBE(record, at) & kShortMask;
}

jint userTeam() {
    return s()->userTeam & kShortMask;
}

void post(const jint type, const jint p1, const jint p2, const jint p3, const jint p4, const jint p5 = kNone,
          const jint p8 = kNone, const jint p9 = kNone) {
    postInboxMessage(type, p1, p2, p3, p4, p5, kNone, kNone, p8, p9, kNone, kNone, kNone);
}

// The ring index of record (by identity), or -1 when it left the ring.
jint ringIndexOf(const ByteArray* const record) {
    for (jint i = season::ringMessageCount() - 1; i >= 0; --i) {
        if (season::messageAt(i) == record) {
            return i;
        }
    }
    return kNone;
}

// Removes the record itself: a message posted on the way may have pushed the oldest out of a
// full ring, so its index is looked up again rather than trusted.
void removeRecord(const ByteArray* const record) {
    const jint i = ringIndexOf(record);
    if (i >= 0) {
        core::informationScreenServices().deleteMessage(i);
    }
}

void stamp(ByteArray* const record) {
    put(record, m::kMonth, s()->monthIndex);
    put(record, m::kDay, s()->matchDayIndex);
}

// Stamps the record with today and moves it to the newest end of the ring.
void restamp(ByteArray* const record) {
    stamp(record);
    removeRecord(record);
    storeRecentRecord(record);
}

bool closedMonth() {
    return s()->monthIndex == kClosedMonthA || s()->monthIndex == kClosedMonthB;
}

bool approachable(const jint player) {
    return (playerByte(player, player::kListing) & kNotApproachable) == 0;
}

// The negotiation entry of player := (value, state); a full table is logged and left alone.
void setNegotiationEntry(const jint player, const jint value, const jint state) {
    const jint n = findKeyedEntry(player);
    if (n >= s()->tripletCount) {
        runtime::log("processPendingMessages: the negotiation table is full; player %d keeps no entry",
                     player);
        return;
    }
    setThreeByteEntry(n, value, state);
}

void settleOfferToBuy(ByteArray* const m) {
    if (b(m, m::kKind) == 1 && b(m, m::kResult) != kSettled && b(m, m::kReadMark) == kStageOpen) {
        put(m, m::kReadMark, kStageSold);
        setTransferStatus(id16(m, m::kPlayer), kStatusSold);
        put(m, m::kResult, kSettled);
        s()->acceptedFeeTotal += readIntBE(m, m::kAmount);
    }
    if (b(m, m::kKind) == 2 && b(m, m::kResult) == 1) {
        removeRecord(m);
        post(3, kNone, kNone, kNone, 1);
    }
}

void answerOffer(ByteArray* const m) {
    if (b(m, m::kAnswerState) == 0) {
        return;
    }
    removeRecord(m);
    if (b(m, kClosedByte) == 1) {
        return;
    }
    put(m, m::kScore, core::informationScreenServices().answerBid(m));
    put(m, m::kType, 3);
    stamp(m);
    put(m, kClosedByte, 1);
    storeRecentRecord(m);
}

void approachOwner(ByteArray* const m) {
    if (id16(m, m::kOwner) == userTeam()) {
        if (!approachable(id16(m, m::kPlayer))) {
            removeRecord(m);
        }
        return;
    }
    removeRecord(m);
    post(5, kNone, kNone, kNone, 1);
}

void awaitReply(ByteArray* const m) {
    if (b(m, m::kResult) != kNone) {
        return;
    }
    if (closedMonth()) {
        put(m, m::kResult, 0);
        return;
    }
    if (b(m, m::kAnswerState) != kNone) {
        removeRecord(m);
        post(6, kNone, kNone, kNone, 1);
    }
}

// The result r of a transfer of the user's deal: a failed check below 3 is told to the user and
// closes the deal; the player's transfer status follows unless he is not approachable.
void reportFailedCheck(ByteArray* const m, const jint kind, const jint buyer, const jint owner, const jint r,
                       const jint player) {
    if (r < kResultLimit) {
        post(90, kind, buyer, owner, r, player);
        put(m, m::kAnswerState, kClosedAfter);
    }
}

void completeSale(ByteArray* const m) {
    const jint answer = b(m, m::kScore);
    if (answer == kSettled) {
        return;
    }
    const jint player = id16(m, m::kPlayer);
    const jint owner = id16(m, m::kOwner);
    const jint sender = id16(m, m::kSender);
    if (answer == 0 || answer == 1) {
        if (answer == 0 && owner == userTeam()) {
            setTransferStatus(player, kStatusSold);
        }
        return;
    }
    const jint r = core::informationScreenServices().transferPlayer(
        player, owner, sender, b(m, m::kKind), readIntBE(m, m::kAmount), readIntBE(m, m::kValue),
        b(m, m::kCategory));
    if (r >= 0) {
        if (owner == userTeam()) {
            reportFailedCheck(m, 6, sender, owner, r, player);
            if (approachable(player)) {
                setTransferStatus(player, kStatusSold);
            }
        }
        return;
    }
    if (owner != userTeam()) {
        return;
    }
    post(73, kTextSold, kNone, sender, kNone, player, b(m, m::kKind), readIntBE(m, m::kAmount));
    post(68, kTextSoldNews, kNone, kNone, kNone, player, kNone, readIntBE(m, m::kAmount));
    setNegotiationEntry(player, kNone, kNone);
}

void contractTalks(ByteArray* const m) {
    const jint player = id16(m, m::kPlayer);
    const jint offer = readIntBE(m, m::kValue);
    const jint years = b(m, m::kCategory);
    const jint wage = getPlayerField2(player);
    if (b(m, m::kAnswerState) == kNone) {
        put(m, m::kAnswerState, 0);
        if (getTeamWageRoom(userTeam()) < offer - wage) {
            put(m, m::kAnswerState, 3);
            post(23, player, offer, years, 1);
            return;
        }
    }
    const jint score = core::informationScreenServices().negotiationScore(
        player, offer, years, id16(m, m::kSender), userTeam(), 0, 0);
    const bool accepted =
        score >= kAcceptScore || (score >= kCoinScore && s()->gameRandom->nextInt() % 2 != 0);
    if (accepted) {
        GameStatics* const block = s();
        block->userWageTotal += offer - wage;
        put(m, m::kScore, score);
        ByteArray* const records = block->playerRecords;
        const jint at = player * kPlayerRecordBytes;
        if (holds(records, at, kPlayerRecordBytes)) {
            const jint end = getPlayerField0(player);
            const jint contract = ((block->seasonYear + years - 2000) << 9) | (end & 0x1FF);
            put(records, at + player::kWage, offer >> 8);
            put(records, at + player::kWage + 1, offer);
            put(records, at + player::kContractEnd, contract >> 8);
            put(records, at + player::kContractEnd + 1, contract);
        }
        setNegotiationEntry(player, player, 1);
    } else {
        put(m, m::kScore, 0);
        setNegotiationEntry(player, kNone, 0);
    }
    restamp(m);
}

void boardWarning(ByteArray* const m) {
    put(m, kCountdownByte, b(m, kCountdownByte) - 1);
    if (b(m, kCountdownByte) > 0) {
        return;
    }
    GameStatics* const block = s();
    if (b(m, kDecisionByte) == 1) {
        block->gameOverPending = 1;
        block->gameOverReason = 1;
    }
    block->boardDecision = b(m, kDecisionByte);
    removeRecord(m);
}

void boardDecision(ByteArray* const m) {
    put(m, m::kCategory, b(m, m::kCategory) - 1);
    if (b(m, m::kCategory) > 0) {
        return;
    }
    GameStatics* const block = s();
    block->boardDecision = b(m, kDecisionByte);
    if (b(m, kDecisionByte) == 3 && block->pendingTeam == kNone) {
        block->gameOverReason = 2;
        block->gameOverPending = 1;
    }
    removeRecord(m);
}

void contractNotice(ByteArray* const m) {
    if (b(m, m::kReadMark) != kStageOpen) {
        return;
    }
    const jint id = id16(m, m::kPlayer);
    if (b(m, m::kType) == 23 && id == userTeam()) {
        setNegotiationEntry(id, kNone, 0);
    } else {
        setTransferStatus(id, kStatusSold);
    }
    removeRecord(m);
    stamp(m);
    put(m, m::kReadMark, 0);
    storeRecentRecord(m);
}

void userBid(ByteArray* const m) {
    if (b(m, m::kAnswerState) != kNone || b(m, m::kResult) <= 0) {
        return;
    }
    const jint player = id16(m, m::kPlayer);
    const jint owner = id16(m, m::kOwner);
    const jint amount = readIntBE(m, m::kAmount);
    const jint stage = b(m, m::kReadMark);
    if (stage == kStageSold) {
        if (core::randomRange(0, 100) <= kBidChance) {
            put(m, m::kReadMark, kStageMovedOn);
            put(m, m::kAnswerState, 0);
            restamp(m);
            setTransferStatus(player, kStatusBought);
            cancelOffersForPlayer(userTeam(), player);
            return;
        }
        put(m, m::kReadMark, kNone);
        put(m, m::kAnswerState, kNone);
        restamp(m);
        return;
    }
    if (stage != kStageBid) {
        return;
    }
    if (amount > getTeamFunds(userTeam())) {
        for (jint i = 0; i < season::ringMessageCount(); ++i) {
            ByteArray* const other = season::messageAt(i);
            if (holds(other, 0, m::kBytes) && b(other, m::kType) == 3 &&
                id16(other, m::kSender) == userTeam() && id16(other, m::kPlayer) == player) {
                put(other, m::kScore, 0);
            }
        }
        post(24, userTeam(), owner, player, amount);
        return;
    }
    const jint r = core::informationScreenServices().transferPlayer(
        player, owner, userTeam(), b(m, m::kKind), amount, readIntBE(m, m::kValue), b(m, m::kCategory));
    if (r >= 0) {
        reportFailedCheck(m, 116, userTeam(), owner, r, player);
        if (approachable(player)) {
            setTransferStatus(player, kStatusBought);
        }
        return;
    }
    post(72, kTextBought, userTeam(), owner, kNone, player, b(m, m::kKind), amount);
    if (b(m, m::kKind) != 2 && isAmongTopFiveByValue(player) != 0) {
        post(67, kTextBoughtTop, kNone, kNone, kNone, player, kNone, amount);
    }
}

// The record's kind rule; false when the record is done with for the day (no daily tail).
bool applyRule(ByteArray* const m, const jint kind) {
    switch (kind) {
    case 1:
        if (closedMonth()) {
            put(m, m::kReadMark, 0);
            return true;
        }
        if (b(m, m::kReadMark) == kStageOpen) {
            post(2, kNone, kNone, kNone, 1);
            put(m, m::kReadMark, 0);
        }
        removeRecord(m);
        return true;
    case 2:
        settleOfferToBuy(m);
        return true;
    case 3:
        answerOffer(m);
        return true;
    case 4:
        approachOwner(m);
        return true;
    case 5:
        awaitReply(m);
        return true;
    case 6:
        completeSale(m);
        return true;
    case 7:
        if (b(m, m::kAnswerState) >= 0 || getPlayerField17(id16(m, m::kPlayer)) != userTeam()) {
            removeRecord(m);
            return false;
        }
        contractTalks(m);
        return true;
    case 9:
        boardWarning(m);
        return true;
    case 10:
        boardDecision(m);
        return true;
    case 15:
        if ((b(m, kDecisionByte) < 0 || b(m, kDecisionByte) > 2) && b(m, m::kCategory) <= 3) {
            put(m, kDecisionByte, 1);
        }
        return true;
    case 23:
    case 24:
        contractNotice(m);
        return true;
    case 116:
        userBid(m);
        return true;
    default:
        return true;
    }
}

void dailyTail(ByteArray* const m, const jint kind) {
    if (kind >= 6 || b(m, m::kAnswerState) < 1) {
        put(m, m::kAnswerState, b(m, m::kAnswerState) + 1);
    }
    if (kind >= 1 && kind <= 3 && b(m, m::kAnswerState) != kNone) {
        put(m, m::kAnswerState, b(m, m::kAnswerState) + 1);
    }
    if (kind == 3 && b(m, m::kScore) == 1) {
        put(m, m::kAnswerState, kClosedAfter);
    }
    if (ringIndexOf(m) < 0) {
        put(m, m::kType, kNone);
    }
}

// A short record (of no known kind) counts byte 17 down and leaves the ring at 0.
void shortRecordDay(ByteArray* const m) {
    put(m, m::kCategory, b(m, m::kCategory) - 1);
    if (b(m, m::kCategory) <= 0) {
        removeRecord(m);
    }
}

void processMessage(ByteArray* const m) {
    GameStatics* const block = s();
    block->offerMessage = m;
    if (m->length < m::kBytes) {
        if (m->length == kShortRecordBytes) {
            shortRecordDay(m);
        }
        return;
    }
    if (b(m, kClosedByte) == 1) {
        return;
    }
    const jint kind = b(m, m::kType);
    const bool user = id16(m, m::kSender) == userTeam() || id16(m, m::kOwner) == userTeam();
    if (kind > 0 && b(m, m::kAnswerState) >= kClosedAfter && user) {
        if (kind <= 6) {
            removeRecord(m);
        }
        return;
    }
    if (applyRule(m, kind)) {
        dailyTail(m, kind);
    }
}

} // namespace

void processPendingMessages() {
    for (jint i = season::ringMessageCount() - 1; i >= 0; --i) {
        if (i >= season::ringMessageCount()) {
            continue;
        }
        ByteArray* const m = season::messageAt(i);
        if (m == nullptr) {
            continue;
        }
        processMessage(m);
    }
}

void cancelOffersForPlayer(const jint team, const jint player) {
    for (jint i = 0; i < season::ringMessageCount(); ++i) {
        ByteArray* const record = season::messageAt(i);
        if (!holds(record, 0, m::kBytes) || b(record, m::kType) <= 0 ||
            id16(record, m::kSender) != (team & kShortMask) ||
            id16(record, m::kPlayer) != (player & kShortMask)) {
            continue;
        }
        const jint kind = b(record, m::kType);
        if (kind == 3 || kind == 6) {
            put(record, m::kScore, 0);
        } else if (kind == 2 || kind == 5) {
            put(record, m::kResult, 0);
        }
    }
}

jboolean isAmongTopFiveByValue(const jint player) {
    const jint value = getPlayerField33(player);
    jint above = 0;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint id = getTeamPlayerId(userTeam(), slot);
        if (id < 0 || (id & kFlaggedSlotBit) != 0) {
            continue;
        }
        if (getPlayerField33(id) > value) {
            ++above;
        }
    }
    return above < kTopFive ? 1 : 0;
}

} // namespace game::club
