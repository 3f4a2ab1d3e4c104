// The user's result bookkeeping (see ResultBookkeeping.h).
#include "game/season/ResultBookkeeping.h"

#include "game/core/GameStatics.h"
#include "game/core/services/ClubServices.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

// Result codes: the low four bits; the high four carry the knockout winner.
constexpr jint kOutcomeMask = 15;
constexpr jint kWin = 3;
constexpr jint kLoss = 1;
constexpr jint kMirror = 4; // 4 - code reads a result from the other side

// Venues of matchStatistics (three outcomes each).
constexpr jint kHome = 0;
constexpr jint kAway = 1;
constexpr jint kNeutral = 2;
constexpr jint kOutcomes = 3;

// Competition types, and the steps of the finals.
constexpr jint kLeague = 1;
constexpr jint kNationalCup = 2;
constexpr jint kContinentalCup = 3;
constexpr jint kCountryPair = 4;
constexpr jint kFriendly = 5;
constexpr jint kNationalCupFinalStep = 10;
constexpr jint kContinentalFinalStep = 12;
constexpr jint kNeutralCupRounds = 2; // national-cup rounds up to this one are played on neutral ground

// resultRewardTable: column + 5 x outcome; finalTallyBonus: column + 8.
constexpr jint kRewardColumns = 5;
constexpr jint kFinalBonusOffset = 8;

// Leagues 0..9 are five countries of two divisions: the odd ones are second divisions.
constexpr jint kSingleDivisionLeague = 10;
constexpr jint kPromotedTeams = 3;

// cupStatus entries, and the stage value of a cup won.
constexpr jint kLeagueStatus = 0;
constexpr jint kNationalCupStatus = 1;
constexpr jint kContinentalStatus = 2;
constexpr jint kCupWon = 7;
constexpr jint kFinalWonStatus = 1;

// Inbox messages: titles (50 + cups won, text 614 + the same), finals, promotion and relegation.
constexpr jint kTitleMessageBase = 50;
constexpr jint kTitleTextBase = 614;
constexpr jint kFinalMessage = 51;
constexpr jint kFinalText = 615;
constexpr jint kFinalAfterCupMessage = 52;
constexpr jint kFinalAfterCupText = 616;
constexpr jint kPromotionMessage = 18;
constexpr jint kRelegationMessage = 19;

// History arrays: index seasonYear - seasonYearOffset - base year.
constexpr jint kLeagueHistoryBaseYear = 2010;
constexpr jint kFinalHistoryBaseYear = 2009;
constexpr jint kFinalWon = 0;
constexpr jint kFinalLost = 1;

constexpr jint kTallyBands = 5;

bool isSecondDivision(const jint league) {
    return league < kSingleDivisionLeague && (league & 1) != 0;
}

jint byteAt(const runtime::ByteArray* const bytes, const jint index, const jint fallback) {
    return bytes != nullptr && bytes->inBounds(index) ? (*bytes)[index] : fallback;
}

// bytes[index] := value, or a logged skip when the array has no such entry.
void putByte(runtime::ByteArray* const bytes, const jint index, const jint value, const char* what) {
    if (bytes == nullptr || !bytes->inBounds(index)) {
        runtime::log("recordUserResult: %s has no entry %d; not written", what, index);
        return;
    }
    (*bytes)[index] = static_cast<runtime::jbyte>(value);
}

void addByte(runtime::ByteArray* const bytes, const jint index, const char* what) {
    putByte(bytes, index, byteAt(bytes, index, 0) + 1, what);
}

void postPlain(const jint type, const jint text, const jint scheduleType) {
    clubServices().postInboxMessage(type, text, -1, -1, -1, -1, -1, -1, -1, -1, scheduleType, -1, -1);
}

jint teamAtSlot(const jint slot) {
    const runtime::ShortArray* const teams = statics()->competitionTeams;
    if (teams == nullptr || !teams->inBounds(slot)) {
        runtime::log("recordUserResult: no competition slot %d", slot);
        return -1;
    }
    return (*teams)[slot];
}

// The top three of a second division go up; the bottom three of a first division go down.
void postPromotionMessages(GameStatics* const s, const runtime::ByteArray* const order) {
    const jint size = (*s->leagueSizes)[s->userLeague];
    for (jint i = 0; i < kPromotedTeams; ++i) {
        const bool promoted = isSecondDivision(s->userLeague);
        const jint place = promoted ? i : size - 1 - i;
        if (!order->inBounds(place)) {
            runtime::log("recordUserResult: no table place %d in a table of %d", place, order->length);
            continue;
        }
        const jint team = teamAtSlot((*order)[place]);
        clubServices().postInboxMessage(promoted ? kPromotionMessage : kRelegationMessage, team,
                                        promoted ? 1 : 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    }
}

void bookLeagueResult(GameStatics* const s) {
    runtime::ByteArray* const order = sortStandings(s->competitionSize, 0, 0);
    for (jint p = 0; p < order->length; ++p) {
        if ((*order)[p] == s->userCompetitionSlot) {
            putByte(s->cupStatus, kLeagueStatus, p, "cupStatus");
            putByte(s->seasonPositionSeries, s->playedStep, p, "seasonPositionSeries");
            break;
        }
    }
    const runtime::IntArray* const sizes = s->leagueSizes;
    if (sizes == nullptr || !sizes->inBounds(s->userLeague)) {
        runtime::log("recordUserResult: league %d has no size", s->userLeague);
        return;
    }
    const runtime::ByteArray* const rounds = s->resultRound;
    if (rounds == nullptr || !rounds->inBounds(0)) {
        runtime::log("recordUserResult: resultRound is missing; the league round is not known");
        return;
    }
    if ((*rounds)[0] != 2 * (*sizes)[s->userLeague] - 3) {
        return;
    }
    const runtime::ByteArray* const series = s->seasonPositionSeries;
    if (series == nullptr || !series->inBounds(s->playedStep)) {
        runtime::log("recordUserResult: no position after round %d", s->playedStep);
        return;
    }
    const jint q = (*series)[s->playedStep];
    putByte(s->leaguePositionHistory, s->seasonYear - s->seasonYearOffset - kLeagueHistoryBaseYear, q + 1,
            "leaguePositionHistory");
    if (q == 0) {
        s->seasonTitleWon = 1;
        jint cupsWon = 1;
        cupsWon += byteAt(s->cupStatus, kNationalCupStatus, 0) == kCupWon ? 1 : 0;
        cupsWon += byteAt(s->cupStatus, kContinentalStatus, 0) == kCupWon ? 1 : 0;
        postPlain(kTitleMessageBase + cupsWon, kTitleTextBase + cupsWon, s->scheduleType);
        s->eventSearchOff = 1;
        addByte(s->clubRecordBytes, 0, "clubRecordBytes");
    } else if (q == 1) {
        addByte(s->clubRecordBytes, 1, "clubRecordBytes");
    }
    if (!s->promotionMessagesOff && s->userLeague < kSingleDivisionLeague) {
        postPromotionMessages(s, order);
    }
}

void bookFinal(GameStatics* const s, const jint w, const jint col) {
    const jint t = s->competitionType;
    jint h = kFinalLost;
    if (w != kWin) {
        addByte(s->clubRecordBytes, 2 * (t - 1) + 1, "clubRecordBytes");
    } else {
        putByte(s->cupStatus, t - 1, kFinalWonStatus, "cupStatus");
        const runtime::ShortArray* const bonus = s->finalTallyBonus;
        if (bonus != nullptr && bonus->inBounds(col + kFinalBonusOffset)) {
            s->userRating = static_cast<runtime::jshort>(s->userRating + (*bonus)[col + kFinalBonusOffset]);
        }
        addByte(s->clubRecordBytes, 2 * (t - 1), "clubRecordBytes");
        s->seasonTitleWon = 1;
        if (t != kNationalCup && byteAt(s->cupStatus, kNationalCupStatus, 0) == kCupWon) {
            postPlain(kFinalAfterCupMessage, kFinalAfterCupText, s->scheduleType);
        } else {
            postPlain(kFinalMessage, kFinalText, s->scheduleType);
        }
        h = kFinalWon;
    }
    const jint season = s->seasonYear - s->seasonYearOffset - kFinalHistoryBaseYear;
    switch (s->scheduleType) {
    case kNationalCup:
        putByte(s->nationalCupHistory, season, h, "nationalCupHistory");
        break;
    case kContinentalCup:
        putByte(s->continentalCupHistory, season, h, "continentalCupHistory");
        break;
    default:
        putByte(s->otherFinalHistory, season, h, "otherFinalHistory");
        break;
    }
}

bool isFinal(const GameStatics* const s) {
    return (s->competitionType == kNationalCup && s->playedStep == kNationalCupFinalStep) ||
           s->competitionType == kCountryPair ||
           (s->competitionType == kContinentalCup && s->playedStep == kContinentalFinalStep);
}

} // namespace

void recordUserResult(const jint code) {
    GameStatics* const s = statics();
    jint v = code & kOutcomeMask;
    jint w = s->ownResultCode & kOutcomeMask;
    if (v < kLoss || v > kWin) {
        runtime::log("recordUserResult: result code %d is not a result; nothing is booked", code);
        return;
    }
    if (w < kLoss || w > kWin) {
        runtime::log("recordUserResult: the deciding result code %d is not a result", s->ownResultCode);
    }
    jint venue = kHome;
    if (!s->userAtHome) {
        v = kMirror - v;
        w = kMirror - w;
        venue = kAway;
    }
    const jint type = s->competitionType;
    if (type == kCountryPair || (type == kNationalCup && s->competitionRound <= kNeutralCupRounds) ||
        (type == kContinentalCup && s->playedStep == kContinentalFinalStep)) {
        venue = kNeutral;
    }
    runtime::ShortArray* const record = s->matchStatistics;
    const jint entry = kOutcomes * venue + kWin - v;
    if (record != nullptr && record->inBounds(entry)) {
        (*record)[entry] = static_cast<runtime::jshort>((*record)[entry] + 1);
    }
    const jint col = (type == kLeague && isSecondDivision(s->userLeague)) || type == kFriendly ? 0 : type;
    const runtime::ByteArray* const rewards = s->resultRewardTable;
    const jint reward = col + kRewardColumns * (kWin - v);
    if (rewards != nullptr && rewards->inBounds(reward)) {
        s->userRating = static_cast<runtime::jshort>(s->userRating + (*rewards)[reward]);
    } else {
        runtime::log("recordUserResult: no reward for competition type %d", type);
    }
    if (type == kLeague) {
        bookLeagueResult(s);
    }
    if (isFinal(s)) {
        bookFinal(s, w, col);
    }
    recordCupProgress(w);
    const runtime::ShortArray* const thresholds = s->tallyThresholds;
    for (jint i = kTallyBands - 1; i >= 0 && thresholds != nullptr; --i) {
        if (thresholds->inBounds(i) && s->userRating > (*thresholds)[i]) {
            s->trainingLevel = i;
            break;
        }
    }
}

} // namespace game::season
