// Posting, filing and finding inbox messages, the inbox screen's list and the keyed list (see
// InboxMessages.h).
#include "game/club/InboxMessages.h"

#include <algorithm>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerValue.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/season/SeasonLookups.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/StreamsPrint.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::club {

using core::holds;
using core::readIntBE;
using core::readShortBE;
using runtime::ByteArray;
namespace m = message;

namespace {

constexpr jint kRingSlots = 100;
constexpr jint kByteMask = 0xFF;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kNotGiven = -1;
constexpr jint kNone = 255;

// Menu states: the bid screen answers a bid with 0; the inbox screens are refreshed.
constexpr jint kBidScreenState = 0x100007;
constexpr jint kMessageScreenState = 133;
constexpr jint kTransferInboxState = 1030;
constexpr jint kHomeScreenState = 134;

// Answer states, categories and transfer statuses the types set.
constexpr jint kAwaitsAnswer = 0;
constexpr jint kAnsweredBySeason = 2;
constexpr jint kNoticeCategory = 4;
constexpr jint kNewsCategory = 2;
constexpr jint kStatusBid = 2;
constexpr jint kStatusRefused = 3;
constexpr jint kStatusOffered = 0xA;
constexpr jint kStatusListed = 0xB;
constexpr jint kStatusContract = 0xC;
// Contract talks are settled by the season in months 2 and 7.
constexpr jint kSettledMonthA = 2;
constexpr jint kSettledMonthB = 7;
// Contract scores: kept from 45, a coin toss from 40, refused below; a loan needs 60.
constexpr jint kContractKeep = 45;
constexpr jint kContractToss = 40;
constexpr jint kLoanKeep = 60;
// findOfferMessage: a type-7 message with a score below 50 is still in play.
constexpr jint kTalkType = 7;
constexpr jint kTalkOpenScore = 50;
constexpr jint kOfferLogBefore = 231;
constexpr jint kOfferLogBetween = 232;
// Category range of offers drawn at random.
constexpr jint kCategoryLow = 1;
constexpr jint kCategoryHigh = 5;
// Types whose byte 22 carries parameter 12.
constexpr jint kExtraTypesFirst = 108;
constexpr jint kExtraTypesLast = 119;
// The inbox list: a place of 4 or fewer shows every row; the oldest unread sits 3 rows down.
constexpr jint kShortList = 4;
constexpr jint kRowsAbove = 3;
constexpr jint kReadNibble = 0xF0;
constexpr jint kFixtureNoticeType = 8;
// Match preview outcomes and the strength margins that set them.
constexpr jint kWideMargin = 6;
constexpr jint kNarrowMargin = 3;
constexpr jint kAwayClear = 4;
constexpr jint kAwayAhead = 3;
constexpr jint kEven = 2;
constexpr jint kHomeAhead = 1;
constexpr jint kHomeClear = 0;
constexpr jint kVenueBonusDivisor = 5;
constexpr jint kPercent = 100;
constexpr jint kMarkedBonus = 50;
constexpr jint kListedBonus = 100;

GameStatics* s() {
    return statics();
}

void put8(ByteArray* const record, const jint at, const jint value) {
    (*record)[at] = runtime::i2b(value);
}

void put16(ByteArray* const record, const jint at, const jint value) {
    put8(record, at, value >> 8);
    put8(record, at + 1, value);
}

void put32(ByteArray* const record, const jint at, const jint value) {
    writeInt32BE(record, at, value);
}

jint get16(const ByteArray* const record, const jint at) {
    return readShortBE(record, at) & kShortMask;
}

// Bytes 1..26 of offerMessage, the message being answered (zeros, logged, without one).
void copyAnsweredMessage(ByteArray* const record) {
    const ByteArray* const answered = s()->offerMessage;
    if (!holds(answered, 0, m::kBytes)) {
        runtime::log("postInboxMessage: no message is being answered; the reply starts empty");
        for (jint k = 1; k < m::kBytes; ++k) {
            put8(record, k, 0);
        }
        return;
    }
    for (jint k = 1; k < m::kBytes; ++k) {
        (*record)[k] = (*answered)[k];
    }
}

// The user's fixture of the day: the user's team and the opponent, -1 without one.
struct Fixture {
    jint user = -1;
    jint opponent = -1;
    bool userAtHome = false;
    bool present() const { return user >= 0 && opponent >= 0; }
    jint home() const { return userAtHome ? user : opponent; }
    jint away() const { return userAtHome ? opponent : user; }
};

Fixture currentFixture() {
    GameStatics* const block = s();
    const runtime::ShortArray* const teams = block->competitionTeams;
    Fixture fixture;
    if (teams == nullptr || !teams->inBounds(block->userCompetitionSlot) ||
        !teams->inBounds(block->userOpponentSlot)) {
        return fixture;
    }
    fixture.user = (*teams)[block->userCompetitionSlot] & kShortMask;
    fixture.opponent = (*teams)[block->userOpponentSlot] & kShortMask;
    fixture.userAtHome = block->userAtHome != 0;
    return fixture;
}

// The asking price, and the listing flags of byte 31.
jint listingFlags(const jint player) {
    return playerByte(player, player::kListing) & 0x0F;
}

// Type 1: the user's bid for chosenPlayer.
void fillBid(ByteArray* const record) {
    GameStatics* const block = s();
    const jint player = block->chosenPlayer;
    put16(record, m::kSender, block->userTeam);
    put16(record, m::kOwner, getPlayerField17(player));
    put16(record, m::kPlayer, player);
    put32(record, m::kAmount, block->offerAmount);
    put8(record, m::kResult, block->menuState == kBidScreenState ? 0 : 1);
    const jint skill = playerByte(player, player::kSkills);
    ByteArray* const records = block->playerRecords;
    if (holds(records, player * kPlayerRecordBytes + player::kSkills, 1) && player >= 0) {
        (*records)[player * kPlayerRecordBytes + player::kSkills] = runtime::i2b(skill | player::kBidMark);
    }
    setTransferStatus(player, kStatusBid);
}

// Type 2: the answer to a bid, settled against the asking price.
void fillBidAnswer(ByteArray* const record, const jint p3) {
    copyAnsweredMessage(record);
    const jint player = get16(record, m::kPlayer);
    const jint owner = get16(record, m::kOwner);
    if (owner >= kShortMask) {
        put8(record, m::kResult, 1);
        return;
    }
    if (p3 != kNotGiven) {
        put32(record, m::kAmount, p3);
    }
    const jint amount = readIntBE(record, m::kAmount);
    const jint ask = getPlayerAskingPrice(player);
    const bool protectedTeam = season::isTeamInList(owner) != 0;
    jint result = 0;
    if ((*record)[m::kKind] != 1) {
        // A price of 0 is met by any amount (the handset divided by it).
        jint percent = ask > 0 ? runtime::idiv(runtime::imul(amount, kPercent), ask) : kPercent;
        const jint flags = listingFlags(player);
        percent += (flags & player::kMarkedFlag) != 0 ? kMarkedBonus : 0;
        percent += (flags & player::kListedFlag) != 0 ? kListedBonus : 0;
        result = percent >= kPercent && !protectedTeam ? 1 : 0;
    } else if (amount >= ask && !protectedTeam) {
        result = 1;
    } else if ((*record)[m::kResult] == 2 && amount > runtime::idiv(runtime::imul(ask, 9), 10)) {
        result = coinBitSet() ? 1 : 0;
    }
    if (result == 0 && protectedTeam) {
        put8(record, m::kFourthId, 1);
    }
    put8(record, m::kResult, result);
    setTransferStatus(player, result == 1 ? kStatusBid : kStatusRefused);
    put8(record, m::kReadMark, kNone);
}

// Type 3: a contract talk, new (p1 the player) or the answer to offerMessage.
void fillContractTalk(ByteArray* const record, const jint p1, const jint p2, const jint p3, const jint p5,
                      const jint p6) {
    GameStatics* const block = s();
    if (p1 != kNotGiven) {
        put16(record, m::kSender, block->userTeam);
        put16(record, m::kOwner, getPlayerField17(p1));
        put16(record, m::kPlayer, p1);
        put8(record, m::kKind, p5 != kNotGiven ? p5 : 1);
        put32(record, m::kAmount, p6);
        put8(record, m::kCategory, p3);
        put32(record, m::kValue, p2);
    } else {
        copyAnsweredMessage(record);
        if ((*record)[m::kKind] == 2) {
            put8(record, m::kCategory, core::randomRange(kCategoryLow, kCategoryHigh));
            put32(record, m::kValue, getPlayerField2(get16(record, m::kPlayer)));
        }
    }
    if ((*record)[m::kKind] == 2) {
        put8(record, m::kScore,
             core::informationScreenServices().negotiationScore(
                 get16(record, m::kPlayer), readIntBE(record, m::kValue), (*record)[m::kCategory],
                 get16(record, m::kOwner), get16(record, m::kSender), 0, 0));
    }
}

// Type 4: another club's offer for a player (p1 the bidder, p2 the owner, p3 the player).
void fillClubOffer(ByteArray* const record, const jint p1, const jint p2, const jint p3, const jint p4) {
    put16(record, m::kSender, p1);
    put16(record, m::kOwner, p2);
    put16(record, m::kPlayer, p3);
    put8(record, m::kResult, kNone);
    put8(record, m::kReadMark, kNone);
    jint kind = 1;
    if (p2 == s()->userTeam) {
        const jint flags = listingFlags(p3);
        if ((flags & player::kListedFlag) != 0) {
            kind = 2;
        } else if ((flags & player::kMarkedFlag) != 0) {
            kind = 1;
        } else {
            kind = coinBitSet() ? 2 : 1;
        }
        if (p4 != kNotGiven) {
            kind = 1;
        }
        const jint ask = getPlayerAskingPrice(p3);
        const jint price = kind == 1 ? ask : runtime::idiv(ask, 10);
        put32(record, m::kAmount, std::min(price, getTeamFunds(p1)));
        setTransferStatus(p3, kStatusOffered);
    } else {
        kind = p4 == 1 || p4 == 2 ? p4 : 1;
        put32(record, m::kAmount, kind == 1 ? getPlayerAskingPrice(p3) : 0);
    }
    put8(record, m::kKind, kind);
}

// Type 5: a counter-offer, against the market value plus three tenths.
void fillCounterOffer(ByteArray* const record, const jint p3) {
    copyAnsweredMessage(record);
    const jint player = get16(record, m::kPlayer);
    const jint market = getPlayerField33(player);
    const jint limit = market + runtime::idiv(runtime::imul(market, 3), 10);
    const jint kind = (*record)[m::kKind];
    const bool userOwns = get16(record, m::kOwner) == (s()->userTeam & kShortMask);
    if (userOwns) {
        if (p3 != kNotGiven) {
            put32(record, m::kAmount, p3);
        }
        const jint amount = readIntBE(record, m::kAmount);
        if (kind == 1) {
            put8(record, m::kResult, amount > limit ? 0 : kNone);
        } else if (kind == 2) {
            put8(record, m::kResult, amount <= runtime::idiv(limit, 10) ? kNone : 0);
        }
        setTransferStatus(player, kStatusOffered);
        return;
    }
    const jint amount = readIntBE(record, m::kAmount);
    if (kind == 1) {
        if (amount >= limit) {
            put8(record, m::kResult, kNone);
        } else if (amount < runtime::idiv(runtime::imul(limit, 8), 10)) {
            put8(record, m::kResult, 0);
        } else {
            put8(record, m::kResult, coinBitSet() ? kNone : 0);
        }
    } else if (kind == 2) {
        put8(record, m::kResult, kNone);
    }
}

// Type 6: a contract answer, scored by the contract evaluation.
void fillContractAnswer(ByteArray* const record) {
    copyAnsweredMessage(record);
    const jint player = get16(record, m::kPlayer);
    put8(record, m::kCategory, core::randomRange(kCategoryLow, kCategoryHigh));
    put32(record, m::kValue, getPlayerValue(player, 1));
    const bool userOwns = getPlayerField17(player) == (s()->userTeam & kShortMask);
    jint score = 0;
    if (!(userOwns && findOfferMessage(player, kNotGiven, 6) != 0)) {
        score = core::informationScreenServices().negotiationScore(
            player, readIntBE(record, m::kValue), (*record)[m::kCategory], get16(record, m::kOwner),
            get16(record, m::kSender), 0, 0);
        const jint kind = (*record)[m::kKind];
        if (kind == 1) {
            if (score < kContractToss) {
                score = 0;
            } else if (score < kContractKeep && !coinBitSet()) {
                score = 0;
            }
        } else if (kind == 2 && score < kLoanKeep) {
            score = 0;
        }
    }
    put8(record, m::kScore, score);
    if (userOwns) {
        setTransferStatus(player, kStatusContract);
    }
}

// Type 23 with p4 = 1: the player's triplet entry is cleared, or his status marks a listing.
void updateListingEntry(const jint player) {
    const jint entry = findKeyedEntry(player);
    if (entry >= s()->tripletCount) {
        runtime::log("postInboxMessage: the triplet table has no entry for player %d and no free one",
                     player);
        return;
    }
    ByteArray* const table = s()->tripletTable;
    if (readShortBE(table, triplet::kBytes * entry) == player) {
        setThreeByteEntry(entry, -1, 0);
        return;
    }
    setTransferStatus(player, kStatusListed);
}

// Type 25: the expected outcome from the first-eleven strengths, the user's side raised at home.
jint previewOutcome(const jint first, const jint second, const bool venueFlag) {
    jint s1 = getTeamStrength(first, 1);
    jint s2 = getTeamStrength(second, 1);
    if (venueFlag) {
        s1 += s1 / kVenueBonusDivisor;
    } else {
        s2 += s2 / kVenueBonusDivisor;
    }
    if (s2 > s1 + kWideMargin) {
        return kAwayClear;
    }
    if (s2 > s1 + kNarrowMargin) {
        return kAwayAhead;
    }
    if (s1 > s2 + kWideMargin) {
        return kHomeClear;
    }
    if (s1 > s2 + kNarrowMargin) {
        return kHomeAhead;
    }
    return kEven;
}

// The general layout of every type without a filling of its own.
void fillGeneral(ByteArray* const record, const jint* const p) {
    put16(record, m::kSender, p[1]);
    put16(record, m::kOwner, p[2]);
    put16(record, m::kPlayer, p[3]);
    put16(record, m::kFourthId, p[4]);
    put16(record, 5, p[5]);
    put8(record, 7, p[6]); // low byte first
    put8(record, 8, p[6] >> 8);
    put8(record, 9, p[7]);
    put8(record, 10, p[8]);
    put16(record, 11, runtime::idiv(p[9], 10));
    put8(record, 13, p[10]);
    put8(record, 15, p[11]);
    put8(record, m::kCategory, kNoticeCategory);
}

// Step 4 of posting: the fields of the type. p[1..12] are the parameters. The season figures
// that types 7, 9-12, 25 and 26 name are defined nowhere; their bytes keep the pool's 0xFF.
void fillByType(ByteArray* const record, const jint type, const jint* const p) {
    GameStatics* const block = s();
    switch (type) {
    case 1:
        fillBid(record);
        return;
    case 2:
        fillBidAnswer(record, p[3]);
        return;
    case 3:
        fillContractTalk(record, p[1], p[2], p[3], p[5], p[6]);
        return;
    case 4:
        fillClubOffer(record, p[1], p[2], p[3], p[4]);
        return;
    case 5:
        fillCounterOffer(record, p[3]);
        return;
    case 6:
        fillContractAnswer(record);
        return;
    case 7: {
        const jint team = getPlayerField17(p[1]);
        put16(record, m::kSender, team);
        put16(record, m::kOwner, team);
        put16(record, m::kPlayer, p[1]);
        return;
    }
    case 9:
    case 10:
        put16(record, 2, type == 9 ? static_cast<jint>(block->userTeam) : p[1]);
        put8(record, m::kCategory, kNewsCategory);
        return;
    case 11:
        put8(record, 1, p[1]);
        if (p[1] == 1) {
            put8(record, 2, p[2]);
        }
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 12: {
        put8(record, m::kCategory, kNoticeCategory);
        const Fixture fixture = currentFixture();
        if (fixture.present()) {
            put16(record, 3, fixture.home());
            put16(record, 5, fixture.away());
        }
        return;
    }
    case 13:
        put8(record, 1, p[1]);
        put8(record, 2, p[2]);
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 14:
        put16(record, 1, p[1]);
        put32(record, 3, p[2]);
        put8(record, 7, p[3]);
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 15:
        put16(record, 1, p[1]);
        put8(record, 3, core::randomRange(0, 2));
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 18:
    case 19:
    case 30:
        put16(record, 1, p[1]);
        return;
    case 20: {
        const Fixture fixture = currentFixture();
        if (fixture.present()) {
            put16(record, 1, fixture.home());
            put16(record, 3, fixture.away());
            put8(record, 5, 0);
        }
        return;
    }
    case 21:
        put32(record, 1, p[1]);
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 23: {
        const jint team = getPlayerField17(p[1]);
        const jint owner = team == kNoId ? static_cast<jint>(block->userTeam) : team;
        put16(record, m::kSender, owner);
        put16(record, m::kOwner, owner);
        put16(record, m::kPlayer, p[1]);
        put8(record, m::kCategory, kNoticeCategory);
        if (p[4] == 1) {
            updateListingEntry(p[1]);
            put8(record, m::kReadMark, 0);
        }
        return;
    }
    case 24:
        put16(record, m::kSender, p[1]);
        put16(record, m::kOwner, p[2]);
        put16(record, m::kPlayer, p[3]);
        put32(record, m::kAmount, p[4]);
        put8(record, m::kCategory, kNoticeCategory);
        setTransferStatus(p[3], kStatusRefused);
        return;
    case 25: {
        const Fixture fixture = currentFixture();
        if (!fixture.present()) {
            runtime::log("postInboxMessage: a match preview without a fixture of the day");
            return;
        }
        put16(record, 1, fixture.user);
        put16(record, 3, fixture.opponent);
        block->previewOutcome = previewOutcome(fixture.user, fixture.opponent, fixture.userAtHome);
        put8(record, 5, block->previewOutcome);
        ByteArray* const info = block->teamInfoRecords;
        const jint at = teamInfo::reputation(fixture.opponent);
        if (holds(info, at, 1)) {
            put8(record, 6, (*info)[at]);
        }
        return;
    }
    case 26: {
        const Fixture fixture = currentFixture();
        if (fixture.present()) {
            put16(record, 1, fixture.user);
            put16(record, 3, fixture.opponent);
        }
        if (block->previewOutcome == kAwayClear) {
            put8(record, 5, 0);
        } else if (block->previewOutcome == kHomeClear) {
            put8(record, 5, 1);
        }
        return;
    }
    case 27:
    case 28:
    case 29:
        put16(record, 1, p[1]);
        put16(record, 3, p[2]);
        put16(record, 5, p[3]);
        put8(record, 7, p[4]);
        put8(record, 8, p[5]);
        put8(record, 9, p[6]);
        put8(record, 10, p[7]);
        return;
    case 31:
        put16(record, 1, p[1]);
        put16(record, 3, p[2]);
        put16(record, 5, p[3]);
        return;
    case 32:
        put16(record, 1, p[1]);
        put8(record, 3, p[2]);
        put8(record, 4, p[3]);
        return;
    case 67:
    case 68:
    case 72:
    case 73:
        put16(record, 1, p[1]);
        put16(record, 3, p[5]);
        put32(record, 5, p[9]);
        put8(record, m::kScore, p[6]);
        put16(record, m::kOwner, p[3]);
        put16(record, m::kFourthId, p[2]);
        put8(record, m::kKind, p[8]);
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 89:
        put16(record, 3, p[1]);
        put16(record, 1, p[2]);
        put16(record, m::kOwner, p[3]);
        put8(record, m::kCategory, kNoticeCategory);
        return;
    case 116:
        put16(record, 1, p[1]);
        put16(record, m::kOwner, p[2]);
        put16(record, 3, p[3]);
        put8(record, 25, kNone);
        put8(record, 26, 0);
        put32(record, 5, p[9]);
        put8(record, 9, p[7]);
        put8(record, 10, p[8]);
        put32(record, 11, p[10]);
        put8(record, m::kCategory, p[11]);
        return;
    default:
        fillGeneral(record, p);
        return;
    }
}

// Step 5 of posting: whether the message waits for the user's answer.
jint answerState(const ByteArray* const record, const jint type, const jint p1, const jint p4) {
    jint state = kNone;
    if (p4 == 1) {
        state = type >= 1 && type <= 6 ? kAwaitsAnswer : kNone;
    }
    if (type == 5 && p1 != kNotGiven) {
        state = kAwaitsAnswer;
    }
    if (type == 3) {
        const jint month = s()->monthIndex;
        if (month == kSettledMonthA || month == kSettledMonthB ||
            ((*record)[m::kScore] == 1 && p1 < s()->basePlayerCount)) {
            state = kAnsweredBySeason;
        }
    }
    return state;
}

// A new record: a copy of the first free pool record (the last one when none is free).
ByteArray* newRecordFromPool() {
    ByteArray* record = runtime::newByteArray(m::kBytes);
    const runtime::ObjectArray* const pool = s()->inboxPool;
    const ByteArray* source = nullptr;
    for (jint i = 0; pool != nullptr && i < pool->length; ++i) {
        const auto* const candidate = static_cast<const ByteArray*>((*pool)[i]);
        if (holds(candidate, 0, m::kBytes)) {
            source = candidate;
            if ((*candidate)[m::kType] == -1) {
                break;
            }
        }
    }
    for (jint k = 0; k < m::kBytes; ++k) {
        (*record)[k] = source != nullptr ? (*source)[k] : runtime::i2b(kByteMask);
    }
    return record;
}

bool inboxScreenShown() {
    const jint state = s()->menuState;
    return state == kMessageScreenState || state == kTransferInboxState;
}

// The record of ring slot place, or null.
ByteArray* ringSlot(const jint place) {
    runtime::ObjectArray* const ring = s()->inboxRing;
    return ring != nullptr && ring->inBounds(place) ? static_cast<ByteArray*>((*ring)[place]) : nullptr;
}

} // namespace

void postInboxMessage(const jint type, const jint p1, const jint p2, const jint p3, const jint p4,
                      const jint p5, const jint p6, const jint p7, const jint p8, const jint p9,
                      const jint p10, const jint p11, const jint p12) {
    GameStatics* const block = s();
    const jint p[] = {type, p1, p2, p3, p4, p5, p6, p7, p8, p9, p10, p11, p12};
    bool wasFull = false;
    while (block->inboxCount >= kRingSlots) {
        block->inboxStart = core::floorMod(block->inboxStart + 1, kRingSlots);
        --block->inboxCount;
        wasFull = true;
    }
    ByteArray* const record = newRecordFromPool();
    put8(record, m::kType, type);
    put8(record, m::kReadMark, kNone);
    fillByType(record, type, p);
    put8(record, m::kAnswerState, answerState(record, type, p1, p4));
    put8(record, m::kMonth, block->monthIndex);
    put8(record, m::kDay, block->matchDayIndex);
    if (type >= kExtraTypesFirst && type <= kExtraTypesLast) {
        put8(record, m::kExtra, p12);
    }
    storeRecentRecord(record);
    if (type == 1) {
        // The bid is answered on the record as it stands in the ring.
        core::informationScreenServices().answerBid(
            ringSlot(core::floorMod(block->inboxWrite - 1, kRingSlots)));
    }
    if ((wasFull || block->inboxCount >= kRingSlots) && inboxScreenShown()) {
        refreshInboxScreen();
    }
}

void storeRecentRecord(ByteArray* const record) {
    GameStatics* const block = s();
    if (!holds(record, 0, m::kBytes) || block->inboxRing == nullptr ||
        block->inboxRing->length < kRingSlots) {
        runtime::log("storeRecentRecord: no 27-byte record or no ring to file it in");
        return;
    }
    ByteArray* const copy = runtime::newByteArray(m::kBytes);
    for (jint k = 0; k < m::kBytes; ++k) {
        (*copy)[k] = (*record)[k];
    }
    const jint write = core::floorMod(block->inboxWrite, kRingSlots);
    (*block->inboxRing)[write] = copy;
    if (block->inboxCount < kRingSlots) {
        ++block->inboxCount;
        block->inboxWrite = core::floorMod(write + 1, kRingSlots);
        return;
    }
    block->inboxStart = core::floorMod(block->inboxStart + 1, kRingSlots);
    block->inboxWrite = block->inboxStart;
}

jboolean findAnswerableMessage() {
    GameStatics* const block = s();
    for (jint i = season::ringMessageCount() - 1; i >= 0; --i) {
        ByteArray* const record = season::messageAt(i);
        if (!holds(record, 0, m::kBytes) || ((*record)[m::kDay] & kByteMask) >= 16) {
            continue;
        }
        block->offerMessage = record;
        if (season::isNotableMessage(record) != 0) {
            return 1;
        }
    }
    return 0;
}

jboolean findOfferMessage(const jint player, const jint team, const jint type) {
    const jint count = season::ringMessageCount();
    for (jint i = 0; i < count; ++i) {
        const ByteArray* const record = season::messageAt(i);
        if (!holds(record, 0, m::kBytes) || (*record)[m::kType] != type ||
            get16(record, m::kPlayer) != player) {
            continue;
        }
        const jint score = (*record)[m::kScore];
        if (type == kTalkType) {
            if (score < kTalkOpenScore) {
                return 1;
            }
            continue;
        }
        const jint sender = get16(record, m::kSender);
        if (score == 0 || (team != kNotGiven && sender == (team & kShortMask))) {
            continue;
        }
        runtime::StringBuffer* const line = runtime::newStringBuffer();
        line->append(runtime::getConstantString(kOfferLogBefore));
        line->append(nameOf(player, kPlayerName));
        line->append(runtime::getConstantString(kOfferLogBetween));
        line->append(nameOf(sender, kTeamName));
        if (runtime::java_io_PrintStream* const out = s()->systemOut) {
            out->println(line->toString());
        }
        return 1;
    }
    return 0;
}

void refreshInboxScreen() {
    GameStatics* const block = s();
    if (block->inboxListOffsets == nullptr) {
        block->inboxListOffsets = runtime::newByteArray(kRingSlots);
    }
    ByteArray* const offsets = block->inboxListOffsets;
    for (jint k = 0; k < offsets->length; ++k) {
        (*offsets)[k] = runtime::i2b(kByteMask);
    }
    jint listed = 0;
    jint unread = 0;
    jint oldestUnread = -1;
    block->fixtureNotice = nullptr;
    for (jint i = season::ringMessageCount() - 1; i >= 0 && listed < offsets->length; --i) {
        ByteArray* const record = season::messageAt(i);
        if (!holds(record, 0, m::kBytes)) {
            continue;
        }
        block->offerMessage = record;
        if (season::isNotableMessage(record) == 0) {
            continue;
        }
        (*offsets)[listed] = runtime::i2b(i);
        if (((*record)[m::kDay] & kReadNibble) == 0) {
            ++unread;
            oldestUnread = listed;
        }
        if ((*record)[m::kType] == kFixtureNoticeType && block->fixtureNotice == nullptr) {
            block->fixtureNotice = record;
        }
        ++listed;
    }
    block->inboxListCount = listed;
    block->inboxUnread = unread;
    if (listed <= kShortList) {
        block->inboxTop = 0;
        block->inboxCursor = std::max(unread - 1, 0);
    } else if (oldestUnread >= 0) {
        block->inboxCursor = oldestUnread;
        block->inboxTop = oldestUnread >= kRowsAbove ? oldestUnread - kRowsAbove : 0;
    } else {
        block->inboxCursor = 0;
        block->inboxTop = 0;
    }
    // Back from the club home screen or the transfer inbox, the place the screen saved when it
    // was left comes back once (kept inside the list as it is now).
    const jint previous = block->previousMenuState;
    if (block->inboxPlaceSaved != 0 && (previous == kHomeScreenState || previous == kTransferInboxState)) {
        block->inboxPlaceSaved = 0;
        block->inboxCursor = std::clamp(block->inboxCursorSaved, 0, std::max(listed - 1, 0));
        block->inboxTop = std::clamp(block->inboxTopSaved, 0, block->inboxCursor);
    }
}

void upsertKeyedMessage(ByteArray* const record) {
    GameStatics* const block = s();
    runtime::ObjectArray* const rows = block->messageRecords;
    if (!holds(record, 0, m::kBytes) || rows == nullptr) {
        runtime::log("upsertKeyedMessage: no 27-byte record or no keyed list");
        return;
    }
    const jint count = std::clamp(block->messageRecordCount, 0, rows->length);
    const jint key = get16(record, m::kSender);
    for (jint i = 0; i < count; ++i) {
        ByteArray* const row = static_cast<ByteArray*>((*rows)[i]);
        if (!holds(row, 0, m::kBytes) || get16(row, m::kSender) != key) {
            continue;
        }
        if (readIntBE(record, m::kValue) != -1) {
            for (jint k = m::kValue; k < m::kValue + 4; ++k) {
                (*row)[k] = (*record)[k];
            }
        }
        return;
    }
    const jint capacity = std::min(block->messageRecordLimit, rows->length);
    if (count >= capacity) {
        return;
    }
    ByteArray* row = static_cast<ByteArray*>((*rows)[count]);
    if (!holds(row, 0, m::kBytes)) {
        row = runtime::newByteArray(m::kBytes);
        (*block->messageRecords)[count] = row;
    }
    for (jint k = 0; k < m::kBytes; ++k) {
        (*row)[k] = (*record)[k];
    }
    block->messageRecordCount = count + 1;
}

} // namespace game::club
