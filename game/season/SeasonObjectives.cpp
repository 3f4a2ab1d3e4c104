// The season objectives settlement (see SeasonObjectives.h).
#include "game/season/SeasonObjectives.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "runtime/Log.h"

namespace game::season {

namespace {

// cupStatus entries.
constexpr jint kLeaguePosition = 0;
constexpr jint kNationalCupProgress = 1;
constexpr jint kContinentalProgress = 2;
// Progress bytes: not entered (-2), out (-1), the final won (1).
constexpr jint kNotEntered = -2;
constexpr jint kOut = -1;
constexpr jint kFinalWon = 1;
constexpr jint kWinnerStage = 5;
constexpr jint kStageOffset = 2;

// finalTallyBonus entries: the league term of a second division and of the other leagues, met
// (not below the previous value) or missed, and the cup terms.
constexpr jint kLeagueMetSecond = 0;
constexpr jint kLeagueMetFirst = 1;
constexpr jint kCupMet = 2;
constexpr jint kContinentalMet = 3;
constexpr jint kLeagueMissedSecond = 4;
constexpr jint kLeagueMissedFirst = 5;
constexpr jint kCupMissed = 6;
constexpr jint kContinentalMissed = 7;

constexpr jint kSingleDivisionLeague = 10;

jint progressByte(const jint entry) {
    const runtime::ByteArray* const status = statics()->cupStatus;
    if (status == nullptr || !status->inBounds(entry)) {
        runtime::log("settleSeasonObjectives: cupStatus has no entry %d", entry);
        return 0;
    }
    return (*status)[entry];
}

jint bonus(const jint entry) {
    const runtime::ShortArray* const table = statics()->finalTallyBonus;
    if (table == nullptr || !table->inBounds(entry)) {
        runtime::log("settleSeasonObjectives: finalTallyBonus has no entry %d", entry);
        return 0;
    }
    return (*table)[entry];
}

} // namespace

jint cupStage(const jint progress) {
    if (progress == kNotEntered || progress == kOut) {
        return 0;
    }
    if (progress == kFinalWon) {
        return kWinnerStage;
    }
    return std::max(0, progress - kStageOffset);
}

void settleSeasonObjectives(const jboolean score) {
    GameStatics* const s = statics();
    s->objectiveC = s->userCupExpectation;
    s->objectiveA = s->userLeagueExpectation;
    s->objectiveB = s->userContinentalExpectation;
    s->userLeagueExpectation = progressByte(kLeaguePosition) + 1;
    s->userCupExpectation = cupStage(progressByte(kNationalCupProgress));
    s->userContinentalExpectation = cupStage(progressByte(kContinentalProgress));
    if (!score) {
        return;
    }
    const bool second = (s->userLeague & 1) != 0 && s->userLeague < kSingleDivisionLeague;
    // A league value below the previous one takes the penalty: the table keeps this order.
    const jint leagueTerm = s->userLeagueExpectation < s->objectiveA
                                ? bonus(second ? kLeagueMissedSecond : kLeagueMissedFirst)
                                : bonus(second ? kLeagueMetSecond : kLeagueMetFirst);
    s->userRating = static_cast<jshort>(s->userRating + leagueTerm);
    s->userRating = static_cast<jshort>(s->userRating + bonus(s->userContinentalExpectation < s->objectiveB
                                                                  ? kContinentalMissed
                                                                  : kContinentalMet));
    s->userRating = static_cast<jshort>(s->userRating +
                                        bonus(s->userCupExpectation < s->objectiveC ? kCupMissed : kCupMet));
    if (s->userRating < 0) {
        s->userRating = 0;
    }
}

} // namespace game::season
