// Match playback (see MatchPlayback.h).
#include "game/match/view/MatchPlayback.h"

#include "game/core/GameStatics.h"
#include "game/core/Sound.h"
#include "game/core/TopStates.h"
#include "game/core/services/MenuServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/MatchView.h"
#include "game/match/flow/MatchStatistics.h"
#include "game/match/view/FrameRecorder.h"
#include "runtime/Exceptions.h"

namespace game::match {

using namespace game::match::frame;

namespace {

// Phases and steps the records are tested for.
constexpr jint kOpenPlay = 0;
constexpr jint kKickOff = 1;
constexpr jint kPeriodStart = 2;
constexpr jint kRestartPhase = 4;
constexpr jint kPeriodOver = 9;
constexpr jint kSubScreenStep = 4;
constexpr jint kSkipStopStep = 11;
constexpr jint kFirstPeriod = 1;
constexpr jint kHalfTimeSkipMode = 1;
constexpr jint kCrowdMatchDayStep = 13;
constexpr jint kSubScreenCounter = 100;
// Sounds: the kick-off whistle, the restart whistles (with and without the ball), the final
// whistle, the other phases' whistle and the crowd at a first-half kick-off.
constexpr jint kKickOffSound = 3;
constexpr jint kRestartWithBallSound = 2;
constexpr jint kRestartSound = 0;
constexpr jint kPeriodOverSound = 12;
constexpr jint kPhaseSound = 13;
constexpr jint kCrowdSound = 2;
constexpr jint kNoSound = -1;

struct Shown {
    jint phase;
    jint step;
    jint period;
    jint length;
};

Shown shownRecord(const GameStatics* s) {
    const runtime::ShortArray* const r = s->frameRecord;
    if (r == nullptr || r->length < kShortestRecord) {
        return {kOpenPlay, 0, 0, 0};
    }
    return {phaseOf((*r)[kPhaseWord]), stepOf((*r)[kPhaseWord]), periodOf((*r)[kClockWord]),
            s->frameLength};
}

bool ringReady(const GameStatics* s) {
    return s->replayRing != nullptr && s->replayRing->length == kRingLength && s->ringHasData != 0;
}

// Shorts from the read position forwards to the write position.
jint distanceToWriter(const GameStatics* s) {
    return ((s->ringWritePos - s->ringReadPos) % kRingLength + kRingLength) % kRingLength;
}

// Moves the read position over the shown record, unless that would reach the writer: the ring
// past the newest record holds nothing written yet. False when it stayed.
bool advanceOverShown(GameStatics* s) {
    const jint length = s->frameLength;
    if (length <= 0 || length >= distanceToWriter(s)) {
        return false;
    }
    s->ringReadPos = (s->ringReadPos + length) % kRingLength;
    return true;
}

// Reads the record at the read position; false when nothing plausible was there.
bool readShown(GameStatics* s) {
    const jint before = s->replayFrameCounter;
    s->shownRecordPos = s->ringReadPos;
    readFrameRecord();
    return s->replayFrameCounter != before && !runtime::exceptionPending();
}

void takeRedrawFlag(GameStatics* s) {
    const runtime::ShortArray* const r = s->frameRecord;
    if (redrawOf((*r)[kPhaseWord]) || s->matchSpeedUsed > 1) {
        s->backgroundForceRedraw = 1;
    }
}

// The event code of the shown record goes to the event marks.
void checkEvent(GameStatics* s) {
    s->eventMarkWord = (*s->frameRecord)[kScoreWord];
    updateEventMarks();
}

// The match day's sub-screen 9, when a restart's step 4 comes by and it is enabled.
void openSubScreen9IfDue(GameStatics* s, const Shown& shown) {
    if (shown.step != kSubScreenStep || (shown.phase != kKickOff && shown.phase != kRestartPhase) ||
        s->subScreen9Enabled == 0) {
        return;
    }
    core::menuStateServices().setMenuState(kSubScreen9MenuState);
    s->matchDayCounter = kSubScreenCounter;
    s->matchViewLock = 0;
}

// The interval screen: the menus with the match-day family's interval state, the match marked
// interrupted and at its interval. With the statistics, also the bench slots used, the goals per
// player and the interval's ratings.
void openInterval(GameStatics* s, const bool withStatistics) {
    core::setTopState(core::kTopStateMenus);
    if (runtime::exceptionPending()) {
        return;
    }
    core::menuStateServices().setMenuState(kIntervalMenuState);
    if (runtime::exceptionPending()) {
        return;
    }
    s->matchInterrupted = 1;
    s->matchDayMarker = 1;
    s->halfTimeStop = 0;
    s->lastShownPhase = kPeriodStart;
    if (!withStatistics) {
        return;
    }
    advanceOverShown(s);
    listUsedBenchSlots();
    countGoalScorers();
    computePlayerRatings(0);
}

// A later period's kick-off not handled yet.
bool periodEndDue(const GameStatics* s, const Shown& shown) {
    return shown.phase == kPeriodStart && s->lastShownPhase != kPeriodStart && shown.period >= 2;
}

// Step 3: the touch area skips forward to the live position.
bool skipAreaReleased(const GameStatics* s) {
    return s->touchRepeatCounter == 0 && s->touchReleased != 0 && s->pointerReleaseX >= kSkipAreaLeft &&
           s->pointerReleaseX <= kSkipAreaRight && s->pointerReleaseY >= kSkipAreaTop &&
           s->pointerReleaseY <= kSkipAreaBottom && s->matchDayMode == 0;
}

void skipToLive(GameStatics* s) {
    takeRedrawFlag(s);
    Shown shown = shownRecord(s);
    while (distanceToWriter(s) >= kCloseBehind && shown.step != kSkipStopStep && shown.phase != kOpenPlay) {
        if (!advanceOverShown(s) || !readShown(s)) {
            break;
        }
        shown = shownRecord(s);
        openSubScreen9IfDue(s, shown);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    s->backgroundForceRedraw = 1;
    checkEvent(s);
}

// Step 4: a skipped match that reached a later kick-off reads on to where it stops. True when
// playback is done for the frame; sets periodEnd for the interval screen.
bool readToStop(GameStatics* s, bool& periodEnd) {
    while (advanceOverShown(s) && readShown(s)) {
        const Shown shown = shownRecord(s);
        if (shown.phase == kPeriodStart && s->lastShownPhase != kPeriodStart) {
            const jint limit = s->skipMode == kHalfTimeSkipMode ? 1 : 2;
            if (shown.period > limit) {
                periodEnd = true;
                return false;
            }
            if (shown.period >= 2 && s->skipMode == 0) {
                advanceOverShown(s);
                s->lastShownPhase = kPeriodStart;
                s->halfTimeStop = 0;
                return true;
            }
        }
        s->lastShownPhase = shown.phase;
    }
    return false;
}

// Step 6: the sounds and screens of a phase change.
void announcePhase(GameStatics* s, const Shown& shown) {
    s->backgroundForceRedraw = 1;
    switch (shown.phase) {
    case kKickOff:
        core::playSound(kKickOffSound);
        return;
    case kRestartPhase: {
        const CTeam* const first = matchTeam(0);
        core::playSound(first != nullptr && first->possession == 1 ? kRestartWithBallSound : kRestartSound);
        return;
    }
    case kPeriodOver:
        core::playSound(kPeriodOverSound);
        return;
    default:
        break;
    }
    if (shown.phase == kPeriodStart && shown.period >= 2) {
        openInterval(s, false);
    } else if (shown.phase != kOpenPlay) {
        core::playSound(kPhaseSound);
    }
}

} // namespace

void updateMatchPlayback() {
    GameStatics* const s = statics();
    if (!ringReady(s)) {
        return;
    }
    const jint reads = s->matchDayMode != 0 ? 1 : 1 << (s->matchSpeedUsed & 7);
    bool periodEnd = false;
    for (jint k = 0; k < reads; ++k) {
        if (!readShown(s)) {
            return;
        }
        takeRedrawFlag(s);
        const Shown shown = shownRecord(s);
        openSubScreen9IfDue(s, shown);
        if (runtime::exceptionPending()) {
            return;
        }
        if (periodEndDue(s, shown)) {
            periodEnd = true;
            break;
        }
        const bool moved = s->matchHalted == 0 && advanceOverShown(s);
        checkEvent(s);
        if (!moved) {
            // Halted, or caught up with the writer: the same record would be read again.
            break;
        }
    }
    if (!periodEnd && skipAreaReleased(s)) {
        skipToLive(s);
    }
    if (!periodEnd && s->halfTimeStop != 0 && readToStop(s, periodEnd)) {
        return;
    }
    if (runtime::exceptionPending()) {
        return;
    }
    if (periodEnd) {
        openInterval(s, true);
        return;
    }
    const Shown shown = shownRecord(s);
    if (shown.phase != s->lastShownPhase) {
        announcePhase(s, shown);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    if (shown.period == kFirstPeriod && s->lastShownPhase == kPeriodStart && s->matchDayStep == kCrowdMatchDayStep &&
        !core::menuServices().listHasEntryOfType400()) {
        core::playSound(kCrowdSound);
    }
    s->lastShownPhase = shown.phase;
    runtime::ShortArray* const record = s->frameRecord;
    const jint request = (*record)[kSoundRequestWord];
    if (request != kNoSound) {
        // Cleared in the ring too: a halted match reads the same record again.
        (*record)[kSoundRequestWord] = static_cast<runtime::jshort>(kNoSound);
        (*s->replayRing)[(s->shownRecordPos + kSoundRequestWord) % kRingLength] =
            static_cast<runtime::jshort>(kNoSound);
        core::playSound(request);
    }
}

} // namespace game::match
