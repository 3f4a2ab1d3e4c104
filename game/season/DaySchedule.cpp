// The day schedule (see DaySchedule.h).
#include "game/season/DaySchedule.h"

#include "game/core/GameStatics.h"
#include "runtime/Log.h"

namespace game::season {

namespace {

// An event byte: the type in bits 6-7, the step in bits 0-5.
constexpr jint kTypeShift = 6;
constexpr jint kTypeMask = 3;
constexpr jint kStepMask = 63;
// Leagues of more than this many teams play extra rounds.
constexpr jint kRegularLeagueSize = 20;
// Leagues from here on do not play national-cup step 2; from the second limit on, none of the
// early steps 0-2.
constexpr jint kLateStepTwoLeague = 6;
constexpr jint kSingleDivisionLeague = 10;
constexpr jint kDroppedCupStep = 2;
// Early national-cup steps: flags only in the first months, three entry limits per league.
constexpr jint kEarlyCupSteps = 3;
constexpr jint kEarlyCupLastMonth = 2;
// The extra rounds of a league of n teams sit in the free positions whose step is 2 .. 2n - 39.
constexpr jint kFirstExtraRoundSlot = 2;
constexpr jint kExtraRoundSlotOffset = 39;
// cupStatus entry of the continental cup and its "not entered" value.
constexpr jint kContinentalStatus = 2;
constexpr jint kNotEntered = -2;

void clearSchedule(runtime::ByteArray* const schedule) {
    for (jint i = 0; i < schedule->length; ++i) {
        (*schedule)[i] = 0;
    }
}

void setEarlyCupFlag(GameStatics* const s, const jint step) {
    switch (step) {
    case 0:
        s->earlyCupFlag0 = 1;
        break;
    case 1:
        s->earlyCupFlag1 = 1;
        break;
    default:
        s->earlyCupFlag2 = 1;
        break;
    }
}

// The user's club does not play early step `step` of league's national cup.
bool skipsEarlyStep(const GameStatics* const s, const jint league, const jint step) {
    const runtime::ByteArray* const limits = s->cupEntryLimits;
    const jint index = kEarlyCupSteps * league + step;
    if (limits == nullptr || !limits->inBounds(index)) {
        runtime::log("buildDaySchedule: no cup entry limit for league %d step %d", league, step);
        return false;
    }
    return s->userClubLevel < (*limits)[index];
}

} // namespace

void buildDaySchedule(const jint day, const jint league, const jboolean checkContinental,
                      const jboolean quiet) {
    GameStatics* const s = statics();
    runtime::ByteArray* const schedule = s->daySchedule;
    if (schedule == nullptr || schedule->length < 2 * kMonthPositions) {
        runtime::log("buildDaySchedule: daySchedule is missing");
        return;
    }
    const runtime::ByteArray* const calendar = s->calendarDays;
    const runtime::ByteArray* const rounds = s->calendarLeagueRound;
    const runtime::IntArray* const sizes = s->leagueSizes;
    if (calendar == nullptr || rounds == nullptr || !rounds->inBounds(day) ||
        !calendar->inBounds(kMonthPositions * day + kMonthPositions - 1) || sizes == nullptr ||
        !sizes->inBounds(league)) {
        runtime::log("buildDaySchedule: month %d of league %d is not in the calendar", day, league);
        clearSchedule(schedule);
        return;
    }
    s->leagueRoundShift = (*rounds)[day];
    const jint n = (*sizes)[league];
    const jint extraRounds = 2 * (n - kRegularLeagueSize);
    const runtime::ByteArray* const extraSteps = s->extraRoundSteps;
    for (jint i = 0; i < kMonthPositions; ++i) {
        const jint event = (*calendar)[kMonthPositions * day + i];
        const jint type = (event >> kTypeShift) & kTypeMask;
        const jint step = event & kStepMask;
        runtime::jbyte& pairType = (*schedule)[2 * i];
        runtime::jbyte& pairStep = (*schedule)[2 * i + 1];
        pairType = static_cast<runtime::jbyte>(type);
        pairStep = static_cast<runtime::jbyte>(step);
        if (n > kRegularLeagueSize && type == kLeagueEvent) {
            const jint shift = s->leagueRoundShift > extraRounds ? extraRounds : s->leagueRoundShift;
            pairStep = static_cast<runtime::jbyte>(pairStep + shift);
        }
        if (n > kRegularLeagueSize && type == kFreeEvent) {
            if (step >= kFirstExtraRoundSlot && step <= 2 * n - kExtraRoundSlotOffset &&
                s->leagueRoundShift <= extraRounds) {
                const jint extra = step - kFirstExtraRoundSlot;
                if (extraSteps == nullptr || !extraSteps->inBounds(extra)) {
                    runtime::log("buildDaySchedule: league %d of %d teams has no extra round %d", league, n,
                                 extra);
                } else {
                    s->leagueRoundShift = static_cast<runtime::jbyte>(step - 1);
                    pairStep = (*extraSteps)[extra];
                    pairType = static_cast<runtime::jbyte>(kLeagueEvent);
                }
            }
        } else if (type == kLeagueEvent) {
            if (step >= 2 * n - 2) {
                pairType = 0;
                pairStep = 0;
            }
        } else if (type == kNationalCupEvent) {
            if (league >= kLateStepTwoLeague && step == kDroppedCupStep) {
                pairType = 0;
                pairStep = 0;
            }
        }
        if (!quiet) {
            if (day <= kEarlyCupLastMonth && type == kNationalCupEvent && step < kEarlyCupSteps &&
                skipsEarlyStep(s, league, step)) {
                setEarlyCupFlag(s, step);
            }
            if (checkContinental && !s->userInCup && type == kContinentalEvent) {
                runtime::ByteArray* const status = s->cupStatus;
                if (status != nullptr && status->inBounds(kContinentalStatus)) {
                    (*status)[kContinentalStatus] = static_cast<runtime::jbyte>(kNotEntered);
                }
                continue;
            }
        }
        if (type == kNationalCupEvent && step < kEarlyCupSteps && league >= kSingleDivisionLeague) {
            pairType = 0;
            pairStep = 0;
        }
    }
}

} // namespace game::season
