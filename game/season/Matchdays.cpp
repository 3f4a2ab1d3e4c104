// League and cup matchdays (see Matchdays.h).
#include "game/season/Matchdays.h"

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

// Result codes: low four bits the match, high four bits the tie.
constexpr jint kOutcomeMask = 15;
constexpr jint kHomeWin = 3;
constexpr jint kDraw = 2;
constexpr jint kAwayWin = 1;
constexpr jint kTieMask = 0xF0;
constexpr jint kTieShift = 4;
constexpr jint kHomeThrough = 3;

// Reward table: column + 5 x outcome.
constexpr jint kDrawReward = 5;
constexpr jint kLossReward = 10;
constexpr jint kSecondDivisionColumn = 0;
constexpr jint kLeagueColumn = 1;
constexpr jint kNationalCupColumn = 2;
constexpr jint kContinentalColumn = 3;

// simulateFixture's kinds.
constexpr jint kLeagueKind = 0;
constexpr jint kNationalCupKind = 1;
constexpr jint kContinentalKind = 2;

// Rounds: 0-2 the groups, 3 the round of 16 .. 6 the final.
constexpr jint kGroupRounds = 3;
constexpr jint kLastGroupRound = 2;
constexpr jint kFinalRound = 6;
constexpr jint kGroupSize = 4;
constexpr jint kTwoDivisionLeagues = 10;
// The continental final is step 12 of the calendar; its match may not end in a draw.
constexpr jint kContinentalCup = 3;
constexpr jint kContinentalFinalStep = 12;

constexpr jboolean kNo = 0;
constexpr jboolean kYes = 1;

// The team of a competition slot, or -1.
jint teamOfSlot(const jint slot) {
    const runtime::ShortArray* const teams = statics()->competitionTeams;
    return teams != nullptr && teams->inBounds(slot) ? (*teams)[slot] : -1;
}

void addTally(const jint slot, const jint rewardIndex) {
    GameStatics* const s = statics();
    const jint team = teamOfSlot(slot);
    runtime::ShortArray* const tallies = s->teamRatings;
    const runtime::ByteArray* const rewards = s->resultRewardTable;
    if (tallies == nullptr || !tallies->inBounds(team) || rewards == nullptr ||
        !rewards->inBounds(rewardIndex)) {
        runtime::log("matchday: no tally for slot %d (team %d)", slot, team);
        return;
    }
    (*tallies)[team] = static_cast<runtime::jshort>((*tallies)[team] + (*rewards)[rewardIndex]);
}

void addToRow(runtime::ByteArray* const row, const jint place, const jint amount) {
    (*row)[place] = static_cast<runtime::jbyte>((*row)[place] + amount);
}

// Books outcome r of home against away: a win, draw or loss in each row (home row byte 5 - r,
// away row byte 1 + r), the points, and the teams' rewards of column col.
void bookResult(const jint home, const jint away, const jint r, const jint col) {
    if (r < kAwayWin || r > kHomeWin) {
        runtime::log("matchday: result %d of slots %d and %d is no match outcome", r, home, away);
        return;
    }
    runtime::ByteArray* const homeRow = standingsRow(home);
    runtime::ByteArray* const awayRow = standingsRow(away);
    if (homeRow == nullptr || awayRow == nullptr) {
        return;
    }
    addToRow(homeRow, standings::kLosses + 1 - r, 1);
    addToRow(awayRow, standings::kWins - 1 + r, 1);
    if (r == kHomeWin) {
        addToRow(homeRow, standings::kPoints, 3);
        addTally(home, col);
        addTally(away, col + kLossReward);
    } else if (r == kDraw) {
        addToRow(homeRow, standings::kPoints, 1);
        addToRow(awayRow, standings::kPoints, 1);
        addTally(home, col + kDrawReward);
        addTally(away, col + kDrawReward);
    } else {
        addToRow(awayRow, standings::kPoints, 3);
        addTally(away, col);
        addTally(home, col + kLossReward);
    }
}

void playGroupMatch(const jint first, const jint second, const jboolean passFlag) {
    GameStatics* const s = statics();
    const jint home = s->cupReturnLeg ? second : first;
    const jint away = s->cupReturnLeg ? first : second;
    const jint r =
        seasonScreenServices().simulateFixture(home, away, kNo, kNo, kYes, kYes, kContinentalKind, passFlag) &
        kOutcomeMask;
    if (!s->resultSkipFlag) {
        bookResult(home, away, r, kContinentalColumn);
    }
}

// Group matchday m = 2 x round + (return leg): the pairs of distance p (0, 1, 2, 2, 1, 0 over the
// six matchdays) in every group, so each pair meets once on each side of the round.
void playGroupMatchday(const jboolean passFlag) {
    GameStatics* const s = statics();
    const jint round = s->competitionRound;
    if (round < 0) {
        runtime::log("playCupMatchday: group round %d", round);
        return;
    }
    const jint m = 2 * round + (s->cupReturnLeg ? 1 : 0);
    const jint p = m < 3 ? m : 5 - m;
    if (s->competitionSize >= kGroupSize) {
        for (jint g = 0; g < s->competitionSize / kGroupSize; ++g) {
            const jint b = kGroupSize * g;
            playGroupMatch(b, b + p + 1, passFlag);
            playGroupMatch(b + ((4 - p) >> 1), b + 3 - (p >> 1), passFlag);
        }
    }
    if (round == kLastGroupRound && s->cupReturnLeg) {
        drawCupKnockout();
    }
}

void playKnockoutMatchday(const jboolean knockoutOnly, const jboolean passFlag) {
    GameStatics* const s = statics();
    const jint round = s->competitionRound;
    if (round < kGroupRounds) {
        runtime::log("playCupMatchday: no knockout round %d", round);
        return;
    }
    const runtime::ByteArray* const starts = s->cupRoundStart;
    if (!holds(starts, round - kGroupRounds, 2)) {
        runtime::log("playCupMatchday: no bracket block of round %d", round);
        return;
    }
    const jint ties = 1 << (kFinalRound - round);
    const jint from = (*starts)[round - kGroupRounds];
    const jint next = (*starts)[round - kGroupRounds + 1];
    const jint col = knockoutOnly ? kNationalCupColumn : kContinentalColumn;
    const jboolean drawAllowed =
        s->competitionType == kContinentalCup && s->competitionStep == kContinentalFinalStep ? kNo : kYes;
    for (jint t = 0; t < ties; ++t) {
        runtime::ByteArray* const bracket = s->cupBracket;
        if (!holds(bracket, from + 2 * t, 2)) {
            runtime::log("playCupMatchday: tie %d of round %d lies outside the bracket", t, round);
            return;
        }
        const jint x = (*bracket)[from + 2 * t];
        const jint y = (*bracket)[from + 2 * t + 1];
        if (x < 0 || y < 0) {
            runtime::log("playCupMatchday: tie %d of round %d is not drawn", t, round);
            continue;
        }
        const jint home = s->cupSecondLeg ? y : x;
        const jint away = s->cupSecondLeg ? x : y;
        const jint result = seasonScreenServices().simulateFixture(
            home, away, kNo, kYes, drawAllowed, kYes, knockoutOnly ? kNationalCupKind : kContinentalKind,
            passFlag);
        const bool homeThrough = ((result & kTieMask) >> kTieShift) == kHomeThrough;
        if (!s->resultSkipFlag) {
            addTally(homeThrough ? home : away, col);
            addTally(homeThrough ? away : home, col + kLossReward);
        }
        if (s->cupSecondLeg) {
            const bool goesThrough = s->resultSkipFlag ? s->ownResultCode == kHomeThrough : homeThrough;
            runtime::ByteArray* const target = s->cupBracket;
            if (holds(target, next + t, 1)) {
                (*target)[next + t] = static_cast<runtime::jbyte>(goesThrough ? home : away);
            }
        }
    }
}

} // namespace

void playCupMatchday(const jboolean knockoutOnly, const jboolean passFlag) {
    GameStatics* const s = statics();
    s->resultCount = 0;
    if (!knockoutOnly && s->competitionRound < kGroupRounds) {
        playGroupMatchday(passFlag);
        return;
    }
    if (s->competitionRound > kFinalRound) {
        return;
    }
    playKnockoutMatchday(knockoutOnly, passFlag);
}

void playLeagueMatchday(const jboolean passFlag, const jboolean includeAll) {
    GameStatics* const s = statics();
    const jint league = includeAll ? s->secondLeague : s->userLeague;
    const jint col =
        league < kTwoDivisionLeagues && (league & 1) != 0 ? kSecondDivisionColumn : kLeagueColumn;
    s->resultCount = 0;
    const jint rounds = s->scheduleRoundCount;
    if (rounds <= 0) {
        runtime::log("playLeagueMatchday: the schedule has no rounds");
        return;
    }
    buildRoundPairings(runtime::irem(s->competitionRound, rounds),
                       s->competitionRound >= rounds ? kYes : kNo);
    for (jint i = 0; i < s->competitionSize; ++i) {
        const runtime::ByteArray* const pairings = s->roundPairings;
        if (pairings == nullptr || !pairings->inBounds(i)) {
            break;
        }
        const jint b = (*pairings)[i];
        if (b == kNoPairing) {
            continue;
        }
        const jint o = b & kOpponentMask;
        if (o >= s->competitionSize) {
            runtime::log("playLeagueMatchday: slot %d meets slot %d of %d", i, o, s->competitionSize);
            continue;
        }
        // Mended: a match is left out when either side is an excluded slot. Testing only the
        // slot the pairing is listed under would simulate the user's match whenever the user's
        // slot is the higher one of the pair.
        const auto excluded = [s](const jint slot) {
            return slot == s->userCompetitionSlot || slot == s->secondExcludedSlot;
        };
        if (!includeAll && (excluded(i) || excluded(o))) {
            continue;
        }
        const bool atHome = (b & kVenueBit) == 0;
        const jint home = atHome ? i : o;
        const jint away = atHome ? o : i;
        const jint r =
            seasonScreenServices().simulateFixture(home, away, kNo, kYes, kYes, kYes, kLeagueKind, passFlag) &
            kOutcomeMask;
        bookResult(home, away, r, col);
    }
}

} // namespace game::season
