// The calendar's daily step, the board's verdict and the season's notices (see CalendarAdvance.h).
#include "game/club/CalendarAdvance.h"

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/club/PlayerValue.h"
#include "game/club/RecordLayout.h"
#include "game/club/SeasonSettlement.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::club {

using core::holds;
using runtime::ByteArray;

namespace {

constexpr jint kNone = -1;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kMatchDays = 8;
constexpr jint kRevalueMonthA = 5;
constexpr jint kRevalueMonthB = 11;
constexpr jint kJanuary = 6;
constexpr jint kJuly = 0;
constexpr jint kTransferMonthA = 1;
constexpr jint kTransferMonthB = 6;
constexpr jint kYearShift = 9;
constexpr jint kBaseYear = 2000;
constexpr jint kRetirementAge = 34;
constexpr jint kTextRetirement = 625;
constexpr jint kTextNewHalf = 626;
constexpr jint kNewsHalfSeason = 119;
// The board: the decisions, the verdicts that grade them and the job-offer search's bounds.
constexpr jint kWarning = 1;
constexpr jint kKeptWithOffers = 2;
constexpr jint kDismissed = 3;
constexpr jint kFirstRangedVerdict = 3;
constexpr jint kLastVerdict = 11;
constexpr jint kDrawTeams = 260;
constexpr jint kMaxTries = 1500;
constexpr jint kMaxDraws = 30000;
constexpr jint kMinSquad = 16;
constexpr jint kComparedOffers = 3;

GameStatics* s() {
    return statics();
}

jint userTeam() {
    return s()->userTeam & kShortMask;
}

void revaluePlayers() {
    GameStatics* const block = s();
    for (jint p = 0; p < block->playerCount; ++p) {
        const jint value = getPlayerValue(p, 0);
        ByteArray* const records = block->playerRecords;
        const jint at = kPlayerRecordBytes * p + player::kMarketValue;
        if (holds(records, at, 4)) {
            writeInt32BE(records, at, value);
        }
    }
}

void rollMonth() {
    GameStatics* const block = s();
    if (holds(block->selectionTable, clubPlan::kActionCount, 1)) {
        (*block->selectionTable)[clubPlan::kActionCount] = 0;
    }
    block->matchDayIndex = 0;
    ++block->monthIndex;
    if (block->monthIndex == kJanuary) {
        ++block->seasonYear;
    }
    if (block->monthIndex == kJuly || block->monthIndex == kJanuary) {
        core::informationScreenServices().postSeasonNews(kNewsHalfSeason, kNone, kNone, kNone, kNone, kNone,
                                                         kNone, kNone, kNone, kNone, kNone);
        postBrief(62, kTextNewHalf, kNone, kNone, kNone);
    }
    block->staffOffersNew = 1;
    block->monthChangeNotice = 1;
    season::buildDaySchedule(block->monthIndex, block->userLeague, 0, 0);
}

jint contractYear(const jint player) {
    return (getPlayerField0(player) >> kYearShift) + kBaseYear;
}

// The player of the user's squad slot, or -1 for an empty or flagged one.
jint userSlotPlayer(const jint slot) {
    const jint id = getTeamPlayerId(userTeam(), slot);
    return id < 0 ? kNone : id;
}

void setPlayerShort(const jint player, const jint index, const jint value) {
    ByteArray* const records = s()->playerRecords;
    const jint at = kPlayerRecordBytes * player + index;
    if (!holds(records, at, 2)) {
        runtime::log("retirePlayer: player %d has no record", player);
        return;
    }
    (*records)[at] = runtime::i2b(value >> 8);
    (*records)[at + 1] = runtime::i2b(value);
}

bool takenAlready(const jint team) {
    const runtime::ShortArray* const offers = s()->jobOfferTeams;
    for (jint k = 0; k < kComparedOffers && k < s()->jobOfferCount && k < offers->length; ++k) {
        if (((*offers)[k] & kShortMask) == team) {
            return true;
        }
    }
    return false;
}

void copyTeams(runtime::ShortArray* const to, const runtime::ShortArray* const from) {
    for (jint i = 0; i < to->length && i < from->length; ++i) {
        (*to)[i] = (*from)[i];
    }
}

} // namespace

void advanceMatchDay() {
    GameStatics* const block = s();
    ++block->matchDayIndex;
    const jint month = block->monthIndex;
    if (block->matchDayIndex == 0 && (month == kRevalueMonthA || month == kRevalueMonthB)) {
        revaluePlayers();
    }
    const jint day = block->matchDayIndex;
    if ((day == 4 || day == 6 || day == 7) && (month == kTransferMonthA || month == kTransferMonthB)) {
        postBrief(33, day, kNone, kNone, kNone);
    }
    if (day >= kMatchDays) {
        rollMonth();
    }
}

void applyBoardVerdict() {
    GameStatics* const block = s();
    block->jobOfferMaxRating = kNone;
    block->jobOfferMinRating = kNone;
    const jint verdict = block->seasonVerdict;
    switch (verdict) {
    case 1:
    case 2:
        block->boardDecision = kWarning;
        break;
    case 3:
    case 11:
        block->boardDecision = kKeptWithOffers;
        break;
    case 4:
        block->boardDecision = kDismissed;
        break;
    case 5:
        block->boardDecision = core::randomRange(0, 9) >= 4 ? kKeptWithOffers : kDismissed;
        break;
    case 6:
        if (core::randomRange(0, 9) < 4) {
            block->boardDecision = kKeptWithOffers;
        }
        break;
    case 7:
    case 8:
    case 9:
    case 10:
        if (core::randomRange(0, 9) < 8) {
            block->boardDecision = kKeptWithOffers;
        }
        break;
    default:
        runtime::log("applyBoardVerdict: verdict %d is none of 1..11; the board decides nothing", verdict);
        return;
    }
    if (verdict >= kFirstRangedVerdict && verdict <= kLastVerdict) {
        const runtime::IntArray* const ranges = block->jobOfferRanges;
        const jint at = 2 * (verdict - kFirstRangedVerdict);
        if (holds(ranges, at, 2)) {
            block->jobOfferMaxRating = (*ranges)[at];
            block->jobOfferMinRating = (*ranges)[at + 1];
        }
    }
    switch (block->boardDecision) {
    case kWarning:
        postBrief(9, kNone, kNone, kNone, kNone);
        break;
    case kKeptWithOffers:
        findJobOffers();
        for (jint k = 0; k < block->jobOfferCount; ++k) {
            postBrief(10, (*block->jobOfferTeams)[k], kNone, kNone, kNone);
        }
        break;
    case kDismissed:
        postBrief(9, kNone, kNone, kNone, kNone);
        findJobOffers();
        postBrief(10, (*block->jobOfferTeams)[0], kNone, kNone, kNone);
        break;
    default:
        break;
    }
}

void findJobOffers() {
    GameStatics* const block = s();
    runtime::ShortArray* const scratch = block->divisionTeamsScratch;
    copyTeams(scratch, block->leagueTeamOrder);
    applyPromotionRelegation(0);
    runtime::ShortArray* const offers = block->jobOfferTeams;
    for (jint k = 0; k < offers->length; ++k) {
        (*offers)[k] = kNone;
    }
    block->jobOfferCount = 0;
    jint tries = 0;
    jint draws = 0;
    while (block->jobOfferCount < offers->length) {
        if (draws == kMaxDraws) {
            // A database without a club to offer a job ends the search here.
            runtime::log("findJobOffers: no offer after %d draws; the search ends", kMaxDraws);
            break;
        }
        ++draws;
        const jint t = core::randomIndex(kDrawTeams);
        if (t == userTeam() || t >= block->teamCount || season::isOddLeagueTeam(t) != 0 ||
            countSquad(t) <= kMinSquad) {
            continue;
        }
        ++tries;
        const jint strength = getTeamStrength(t, 0);
        if (strength >= block->jobOfferMinRating && strength <= block->jobOfferMaxRating &&
            !takenAlready(t)) {
            (*offers)[block->jobOfferCount++] = runtime::i2s(t);
        }
        if (tries >= kMaxTries) {
            break;
        }
    }
    copyTeams(block->leagueTeamOrder, scratch);
}

void postContractNotice(const jboolean post) {
    GameStatics* const block = s();
    block->squadListCount = 0;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint p = userSlotPlayer(slot);
        if (p < 0 || contractYear(p) > block->seasonYear || getPlayerAge(p) >= kRetirementAge) {
            continue;
        }
        runtime::IntArray* const list = block->squadList;
        if (holds(list, block->squadListCount, 1)) {
            (*list)[block->squadListCount++] = p;
        }
    }
    if (block->squadListCount > 0 && post != 0) {
        postBrief(8, kNone, kNone, kNone, kNone);
    }
}

jint postRetirementNotice(const jint slot) {
    if (slot < 0 || slot >= kSquadSlots) {
        return 0;
    }
    const jint p = userSlotPlayer(slot);
    if (p < 0 || contractYear(p) > s()->seasonYear || getPlayerAge(p) < kRetirementAge) {
        return 0;
    }
    postInboxMessage(61, kTextRetirement, kNone, kNone, kNone, p, kNone, kNone, kNone, kNone, kNone, kNone,
                     kNone);
    return 1;
}

void retirePlayer(const jint player) {
    GameStatics* const block = s();
    ++block->retiredCount;
    const jint team = getPlayerField17(player);
    if (team == userTeam()) {
        postInboxMessage(61, kTextRetirement, kNone, kNone, kNone, player, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone);
    }
    setPlayerShort(player, player::kTeam, kNoId);
    if (team != kNoId && team < block->teamCount) {
        for (jint slot = 0; slot < kSquadSlots; ++slot) {
            if ((getTeamPlayerId(team, slot) & kShortMask) == player) {
                ByteArray* const teams = block->teamRecords;
                const jint at = kTeamRecordBytes * team + team::kSquad + 2 * slot;
                (*teams)[at] = -1;
                (*teams)[at + 1] = -1;
            }
        }
        core::seasonScreenServices().prepareTeamSide(team == userTeam() ? 0 : 1, team, 0);
    }
    if (getPlayerField0(player) != kNone) {
        setPlayerShort(player, player::kContractEnd, kNoId);
    }
}

void postBrief(const jint type, const jint p1, const jint p2, const jint p3, const jint p4) {
    postInboxMessage(type, p1, p2, p3, p4, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
}

} // namespace game::club
