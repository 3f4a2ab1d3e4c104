// The settlement of a finished season (see SeasonSettlement.h).
#include "game/club/SeasonSettlement.h"

#include <algorithm>
#include <cstdint>

#include "game/club/ClubRecords.h"
#include "game/club/PlayerCondition.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::club {

using namespace game::core;

namespace {

constexpr jint kTeams = 260;
constexpr jint kDivisions = 13;
constexpr jint kTwoDivisionLeagues = 10;
constexpr jint kTwoDivisionCountries = 5;
constexpr jint kSingleDivisionCupOffset = 5; // division d of 10..12 plays national cup d - 5
constexpr jint kCupEntries = 16;
constexpr jint kContinentalCup = 8;
constexpr jint kContinentalEntries = 32;
constexpr jint kSwappedTeams = 3;
constexpr jint kNoTeam = -1;

// Results and prizes by the index a team holds in a cup's finishing order: winner, final,
// semi-final (2-3), quarter-final (4-7), earlier (8-15), earliest (16-31, the continental cup).
constexpr jint kNationalResults[] = {5, 4, 3, 2, 1};
constexpr jint kNationalPrizes[] = {500, 300, 200, 100, 0};
constexpr jint kContinentalResults[] = {5, 4, 3, 2, 1, 0};
constexpr jint kContinentalPrizes[] = {3000, 1600, 1200, 800, 400, 200};

// League outcomes: 10 marks an upper-division team that is not in its division, 14 a lower
// division's promoted three; each counts as another class against the expectation.
constexpr jint kOutcomeAbsent = 10;
constexpr jint kOutcomePromoted = 14;
constexpr jint kOutcomeChampion = 5;
constexpr jint kPromotedCountsAs = 4;
constexpr jint kAbsentCountsAs = 0;

constexpr jint kBudgetCap = 65000;
constexpr jint kFloorMarginLow = 100;
constexpr jint kFloorMarginHigh = 500;
constexpr jint kBudgetFieldMax = 0xFFFF;

// The user's money at the season's end decides which season-end payments he receives.
constexpr jint kFullPaymentLimit = 550000;
constexpr jint kNoPaymentFrom = 600000;
constexpr jint kFixedPayment = 10000;

constexpr jint kFlagRatingLimit = 95;
constexpr jint kVeteranAge = 30;
constexpr jint kSkillMax = 99;
constexpr jint kHeight = 24;
constexpr jint kWeight = 25;
constexpr jint kKeeperMask = 1;
constexpr jint kSmallGroundLimit = 60;
constexpr jint kSmallGroundAdd = 256;
constexpr jint kHistoryEmpty = 0xFF;
constexpr jint kHistoryYearBias = 39; // seasonYear + 39 keeps seasonYear - 2009 in its low byte

GameStatics* s() {
    return statics();
}

bool isLowerDivision(const jint division) {
    return division < kTwoDivisionLeagues && (division & 1) != 0;
}

jint nationalCupOf(const jint division) {
    return division < kTwoDivisionLeagues ? division / 2 : division - kSingleDivisionCupOffset;
}

// Index of a cup index in the result tables: 0, 1, 2-3, 4-7, 8-15, 16-31.
jint resultBand(const jint index) {
    jint band = 0;
    for (jint limit = 1; index >= limit; limit <<= 1) {
        ++band;
    }
    return band;
}

jint byteAt(const runtime::ByteArray* const table, const jint index) {
    return table != nullptr && table->inBounds(index) ? (*table)[index] : 0;
}

runtime::ByteArray* ensureTeamTable(StaticRef<runtime::ByteArray>& table) {
    if (table == nullptr) {
        table = runtime::newByteArray(kTeams);
    }
    return table;
}

runtime::ShortArray* cupScratch() {
    if (s()->cupResultScratch == nullptr) {
        s()->cupResultScratch = runtime::newShortArray(kContinentalEntries);
    }
    return s()->cupResultScratch;
}

// The index of team among the first count entries of the scratch; -1 when absent.
jint scratchIndexOf(const jint team, const jint count) {
    const runtime::ShortArray* const scratch = cupScratch();
    for (jint i = 0; i < count; ++i) {
        if ((*scratch)[i] == team) {
            return i;
        }
    }
    return -1;
}

jint playerRecordAt(const jint player, const char* const caller) {
    const runtime::ByteArray* const records = s()->playerRecords;
    const jint at = player * kPlayerRecordBytes;
    if (records == nullptr || player < 0 || !holds(records, at, kPlayerRecordBytes)) {
        runtime::log("%s: player %d has no record", caller, player);
        return -1;
    }
    return at;
}

jint infoByte(const jint player, const jint index) {
    const runtime::ByteArray* const info = s()->playerInfoRecords;
    const jint at = player * kPlayerInfoBytes + index;
    return info != nullptr && info->inBounds(at) ? (*info)[at] & 0xFF : 0;
}

jint teamRecordAt(const jint team, const char* const caller) {
    const runtime::ByteArray* const records = s()->teamRecords;
    if (records == nullptr || team < 0 || !holds(records, team * kTeamRecordBytes, kTeamRecordBytes)) {
        runtime::log("%s: team %d has no record", caller, team);
        return -1;
    }
    return team * kTeamRecordBytes;
}

// The strength class against which a result is measured: the number of thresholds the rank does
// not exceed, over base.
jint strengthClass(const runtime::ByteArray* const thresholds, const jint rank, const jint first,
                   const jint base) {
    jint cls = base;
    for (jint i = first; thresholds != nullptr && i < thresholds->length; ++i) {
        if (rank <= ((*thresholds)[i] & 0xFF)) {
            ++cls;
        }
    }
    return cls;
}

// The change the difference d between result and expectation makes, from the four rules
// d < -2, d = -2, d = 1 and d >= 2.
jint expectationChange(const jint d, const jint muchWorse, const jint worse, const jint better,
                       const jint muchBetter) {
    if (d < -2) {
        return muchWorse;
    }
    if (d == -2) {
        return worse;
    }
    if (d == 1) {
        return better;
    }
    return d >= 2 ? muchBetter : 0;
}

// The sponsorship of a team of strength R, in tens of money units.
jint sponsorshipBonus(const jint strength) {
    if (strength <= 66) {
        return 100;
    }
    if (strength <= 75) {
        return (strength - 65) * 100;
    }
    return (strength - 75) * 2000;
}

} // namespace

jint getDivisionPosition(const jint team, const jint division) {
    const runtime::ShortArray* const order = s()->leagueTeamOrder;
    const runtime::IntArray* const sizes = s()->leagueSizes;
    if (order == nullptr || sizes == nullptr || division < 0 || division >= sizes->length) {
        runtime::log("getDivisionPosition: no division %d", division);
        return 0;
    }
    jint first = 0;
    for (jint k = 0; k < division; ++k) {
        first += (*sizes)[k];
    }
    for (jint i = 0; i < (*sizes)[division] && order->inBounds(first + i); ++i) {
        if ((*order)[first + i] == team) {
            return i + 1;
        }
    }
    return 0;
}

jint getLeaguePrize(const jint team) {
    const jint division = season::leagueOfTeam(team);
    const jint p = getDivisionPosition(team, division);
    const jint unit = isLowerDivision(division) ? 5 : 50;
    if (p <= 1) {
        return unit * 30;
    }
    return p <= 17 ? (19 - p) * unit : unit;
}

jint getLeagueOutcome(const jint team) {
    const jint division = season::leagueOfTeam(team);
    const jint p = getDivisionPosition(team, division);
    if (isLowerDivision(division)) {
        if (p <= 3) {
            return kOutcomePromoted;
        }
    } else if (p == 0) {
        return kOutcomeAbsent;
    } else if (p == 1) {
        return kOutcomeChampion;
    } else if (p <= 3) {
        return 4;
    }
    if (p <= 6) {
        return 3;
    }
    return p <= 10 ? 2 : 1;
}

void copyCupResults(runtime::ShortArray* const buffer, const jint cup, const jboolean store) {
    runtime::ShortArray* const results = s()->cupResults;
    const jint count = cup == kContinentalCup ? kContinentalEntries : kCupEntries;
    const jint first = cup * kCupEntries;
    if (buffer == nullptr || results == nullptr || cup < 0 || cup > kContinentalCup ||
        !holds(results, first, count) || buffer->length < count) {
        runtime::log("copyCupResults: cup %d cannot be copied", cup);
        return;
    }
    for (jint i = 0; i < count; ++i) {
        if (store) {
            (*results)[first + i] = (*buffer)[i];
        } else {
            (*buffer)[i] = (*results)[first + i];
        }
    }
}

jint getNationalCupResult(const jint team, const jboolean asPrize) {
    runtime::ShortArray* const scratch = cupScratch();
    std::fill_n(scratch->data(), scratch->length, static_cast<runtime::jshort>(kNoTeam));
    copyCupResults(scratch, nationalCupOf(season::leagueOfTeam(team)), false);
    const jint index = scratchIndexOf(team, kCupEntries);
    if (index < 0) {
        return 0;
    }
    const jint band = resultBand(index);
    return asPrize ? kNationalPrizes[band] : kNationalResults[band];
}

jint getContinentalCupResult(const jint team, const jboolean asPrize) {
    copyCupResults(cupScratch(), kContinentalCup, false);
    const jint index = scratchIndexOf(team, kContinentalEntries);
    if (index < 0) {
        return 0;
    }
    const jint band = resultBand(index);
    return asPrize ? kContinentalPrizes[band] : kContinentalResults[band];
}

void computeCupExpectations() {
    runtime::ByteArray* const expectations = ensureTeamTable(s()->cupExpectations);
    for (jint t = 0; t < kTeams; ++t) {
        const jint c = getNationalCupResult(t, false);
        const jint k = byteAt(s()->teamGroupRanks, t) & 0xFF;
        const runtime::ByteArray* const thresholds = s()->cupExpectationThresholds;
        const jint first = thresholds != nullptr && thresholds->length > 0 ? (*thresholds)[0] & 0xFF : 0;
        const jint cls = strengthClass(thresholds, k, 1, k > first ? 1 : 2);
        (*expectations)[t] = runtime::i2b(c + ((cls - c) >> 1));
    }
    if (s()->userTeam >= 0 && s()->userTeam < kTeams) {
        s()->userCupExpectation = (*expectations)[s()->userTeam];
    }
}

void computeContinentalExpectations() {
    runtime::ByteArray* const expectations = ensureTeamTable(s()->continentalExpectations);
    for (jint t = 0; t < kTeams; ++t) {
        const jint c = getContinentalCupResult(t, false);
        const runtime::ShortArray* const ranks = s()->teamRanks;
        const jint r = ranks != nullptr && ranks->inBounds(t) ? (*ranks)[t] : 0;
        const jint cls = strengthClass(s()->continentalExpectationThresholds, r, 0, 0);
        (*expectations)[t] = runtime::i2b(c + ((cls - c) >> 1));
    }
    if (s()->userTeam >= 0 && s()->userTeam < kTeams) {
        s()->userContinentalExpectation = (*expectations)[s()->userTeam];
    }
}

void updateWageBudget(const jint team) {
    const jint p = getTeamField60(team);
    jint budget = p;

    jint outcome = getLeagueOutcome(team);
    if (outcome == kOutcomeAbsent) {
        budget -= p / 3;
        outcome = kAbsentCountsAs;
    }
    if (outcome == kOutcomePromoted) {
        budget += p >> 1;
        outcome = kPromotedCountsAs;
    }
    if (outcome == kOutcomeChampion) {
        budget += p / 10;
    }
    budget += expectationChange(outcome - byteAt(s()->clubStars, team), (-2 * p) / 10, -(p / 10), p / 10,
                                2 * p / 10);

    const jint cup = getNationalCupResult(team, false);
    if (cup == 5) {
        budget += p * 5 / 100;
    }
    budget +=
        expectationChange(cup - byteAt(s()->cupExpectations, team), -(p / 10), -(p / 20), p / 20, p / 10);

    const jint continental = getContinentalCupResult(team, false);
    if (continental == 5) {
        budget += p * 15 / 100;
    }
    budget += expectationChange(continental - byteAt(s()->continentalExpectations, team), (-3 * p) / 10,
                                (-15 * p) / 100, p * 15 / 100, 3 * p / 10);

    budget = std::min(budget, kBudgetCap);
    if (budget < s()->userWageTotal) {
        // Held within the 16-bit field: a wage total near its top must not wrap the budget to 0.
        budget =
            std::min(kBudgetFieldMax, s()->userWageTotal + randomRange(kFloorMarginLow, kFloorMarginHigh));
    }
    setTeamField60(team, budget);
}

void settleSeasonFinances(const jint team) {
    // Computed in 32 bits: a strong club's bonus no longer wraps to a loss.
    const jint bonus = sponsorshipBonus(getTeamStrength(team, false));
    const jint prizes =
        getContinentalCupResult(team, true) + getNationalCupResult(team, true) + getLeaguePrize(team);
    GameStatics* const block = s();
    if (team != block->userTeam) {
        const jint at = teamRecordAt(team, "settleSeasonFinances");
        if (at < 0) {
            return;
        }
        // The field holds 16 bits: a sum beyond them is held at its bounds, not wrapped.
        const jint funds = std::clamp(readShortBE(block->teamRecords, at + team::kFunds) + prizes + bonus,
                                      static_cast<jint>(INT16_MIN), static_cast<jint>(INT16_MAX));
        (*block->teamRecords)[at + team::kFunds] = runtime::i2b(funds >> 8);
        (*block->teamRecords)[at + team::kFunds + 1] = runtime::i2b(funds);
        return;
    }
    block->seasonEndFunds = getTeamFunds(team);
    if (block->seasonEndFunds <= kFullPaymentLimit) {
        block->sponsorIncome = bonus < 0 ? -bonus : bonus;
        // A user who leaves for another club takes none of this club's prizes with him.
        block->prizeIncome = block->pendingTeam == kNoTeam ? prizes * team::kFundsUnit : 0;
    } else if (block->seasonEndFunds >= kNoPaymentFrom) {
        block->sponsorIncome = 0;
        block->prizeIncome = 0;
    } else {
        block->sponsorIncome = kFixedPayment;
        block->prizeIncome = kFixedPayment;
    }
    block->userFundsBase = block->prizeIncome + block->seasonEndFunds + block->sponsorIncome;
    block->userFundsIn = 0;
    block->userFundsOut = 0;
}

void applyPromotionRelegation(const jboolean trackUser) {
    GameStatics* const block = s();
    runtime::ShortArray* const order = block->leagueTeamOrder;
    const runtime::IntArray* const starts = block->leagueStarts;
    if (order == nullptr || starts == nullptr || starts->length < kTwoDivisionLeagues) {
        runtime::log("applyPromotionRelegation: the league tables are missing");
        return;
    }
    for (jint c = 0; c < kTwoDivisionCountries; ++c) {
        const jint b = (*starts)[2 * c + 1];
        if (!holds(order, b - kSwappedTeams, 2 * kSwappedTeams)) {
            runtime::log("applyPromotionRelegation: division %d starts outside the table", 2 * c + 1);
            continue;
        }
        for (jint k = 0; k < kSwappedTeams; ++k) {
            const runtime::jshort promoted = (*order)[b + k];
            const runtime::jshort relegated = (*order)[b - kSwappedTeams + k];
            (*order)[b + k] = relegated;
            (*order)[b - kSwappedTeams + k] = promoted;
            if (trackUser && promoted == block->userTeam) {
                --block->userLeague;
            } else if (trackUser && relegated == block->userTeam) {
                ++block->userLeague;
            }
        }
    }
}

void applyTeamChange() {
    GameStatics* const block = s();
    block->userTeam = block->pendingTeam;
    block->previousUserDivision = block->userLeague;
    block->matchDayMarker = false;
    block->userLeague = season::leagueOfTeam(block->userTeam);
    for (runtime::ByteArray* const history :
         {block->leaguePositionHistory.get(), block->nationalCupHistory.get(),
          block->continentalCupHistory.get(), block->otherFinalHistory.get()}) {
        if (history != nullptr) {
            std::fill_n(history->data(), history->length, runtime::i2b(kHistoryEmpty));
        }
    }
    block->seasonYearOffset = runtime::i2b(block->seasonYear + kHistoryYearBias);
    resetUserSeasonValues();
}

void resetUserSeasonValues() {
    GameStatics* const block = s();
    const jint team = block->userTeam;
    const runtime::ByteArray* const table = block->teamByteTable;
    if (table == nullptr || team < 0 || !holds(table, 2 * team, 2)) {
        runtime::log("resetUserSeasonValues: team %d has no entry in the team byte table", team);
        return;
    }
    // The setting is the new club's own, as its entry holds it (currentTeamByte is still the old
    // club's): the next save writes currentTeamByte back into the new club's entry.
    block->userTeamSetting = runtime::i2b(getTeamByte(team, 0));
    block->currentTeamByte = block->userTeamSetting;
    jint v = getTeamStadiumValue(team);
    if (v < kSmallGroundLimit) {
        v += kSmallGroundAdd;
    }
    block->upgradeSizeSquared = v * v;
}

void declineVeteranAttributes() {
    static constexpr jint kDeclined[] = {6, 10, 8, 7};
    GameStatics* const block = s();
    for (jint p = 0; p < block->playerCount - kFreePlayers; ++p) {
        const jint age = getPlayerAge(p);
        const jint at = age > kVeteranAge ? playerRecordAt(p, "declineVeteranAttributes") : -1;
        if (at < 0) {
            continue;
        }
        runtime::ByteArray* const records = block->playerRecords;
        const jint a = (*records)[at + 8] & player::kSkillMask;
        const jint q = ((3 * a - infoByte(p, kHeight) + infoByte(p, kWeight) - 20) >> 2) / 100;
        for (const jint index : kDeclined) {
            const jint old = (*records)[at + index];
            // Within 0..99 as the weekly development keeps skills; bit 7 is a mark of its own.
            const jint skill = std::clamp((old & player::kSkillMask) + q - age / 2 + 14, 0, kSkillMax);
            (*records)[at + index] = runtime::i2b((old & player::kBidMark) | skill);
        }
    }
}

void updateSkillFlags() {
    GameStatics* const block = s();
    for (jint p = 0; p < block->playerCount; ++p) {
        const jint at = playerRecordAt(p, "updateSkillFlags");
        if (at < 0) {
            return;
        }
        const runtime::ByteArray* const records = block->playerRecords;
        const jint flags = (((*records)[at + player::kSkillFlags] & 0xFF) |
                            (((*records)[at + player::kSkillFlags + 1] & 1) << 8));
        if (flags == 0 || getPlayerAge(p) <= kVeteranAge) {
            continue;
        }
        jint rating[kSkillFlagCount];
        skillFlagRatings(p, readRecord28Int(p) == kKeeperMask, rating);
        jint kept = flags;
        for (jint k = 0; k < kSkillFlagCount; ++k) {
            if ((kept & (1 << k)) != 0 && rating[k] < kFlagRatingLimit) {
                kept &= ~(1 << k);
            }
        }
        runtime::ByteArray* const out = block->playerRecords;
        (*out)[at + player::kSkillFlags] = runtime::i2b(kept);
        (*out)[at + player::kSkillFlags + 1] =
            runtime::i2b(((*out)[at + player::kSkillFlags + 1] & ~1) | (kept >> 8));
    }
}

} // namespace game::club
