// The match set-up, the period start, the particle field and the skipped period's end (see
// MatchSetUp.h).
#include "game/match/view/MatchSetUp.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MatchServices.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/TeamLogicCalls.h"
#include "game/match/view/FrameRecorder.h"
#include "runtime/Arrays.h"
#include "runtime/Exceptions.h"
#include "runtime/Random.h"

namespace game::match {

using namespace game::match::frame;
using runtime::jlong;

namespace {

constexpr jint kTeams = 2;
constexpr jint kPitchSlots = 11;
constexpr jint kStatsPerTeam = 13;
constexpr jint kNoSound = -1;
constexpr jint kNoMarker = -1;
// Phases: the kick-off of a period, the end of a period.
constexpr jint kPhaseKickOff = 2;
constexpr jint kPhasePeriodOver = 9;
constexpr jint kNoPhase = -1;
constexpr jint kBallStateKickOff = 6;
// A resumed match kicks off a little off the centre spot.
constexpr jint kResumedKickOffY = 1536;
// Start places: in the tunnel (walk-on, the kick-off team a row further up) or by the halfway
// line beside the pitch.
constexpr jint kWalkOnX = -150528;
constexpr jint kWalkOnKickOffY = -101376;
constexpr jint kWalkOnOtherY = -100096;
constexpr jint kStandByX = -2048;
constexpr jint kStandByY = -103936;
constexpr jint kStartOrder = 4;
// The set-up's own start of a player; the side set-up passes 0. The start-up does not read it.
constexpr jint kSetUpStart = 1;
constexpr jint kClockPanelMode = 0;
// Periods and their minutes.
constexpr jint kSecondHalf = 2;
constexpr jint kSecondHalfOfExtraTime = 4;
constexpr jint kHalfMinutes = 45;
constexpr jint kExtraTimeMinutes = 15;
constexpr jint kFirstAddedLow = 2;
constexpr jint kFirstAddedHigh = 3;
constexpr jint kLaterAddedLow = 2;
constexpr jint kLaterAddedHigh = 5;
constexpr jint kSecondsPerMinute = 60;
// Minutes at which a skipped period 1, 2, 3 or 4 may end; only periods 1 and 2 are ended here.
constexpr jint kSkipLimits[] = {45, 90, 15, 30};
constexpr jint kLastSkippedPeriod = 2;
// The particle field: 400 particles over the 480 x 800 screen, sizes 1..11 (12 for the three
// special ones), speeds -1..7, 24-bit colours; special particle k lies in 133k .. 133k + 132.
constexpr jint kParticles = 400;
constexpr jint kPercent = 100;
constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kSizeSpread = 6;
constexpr jint kSizeBase = 6;
constexpr jint kSpeedSpread = 5;
constexpr jint kSpeedBase = 3;
constexpr jint kColours = 16777216;
constexpr jint kSpecialParticles = 3;
constexpr jint kSpecialStride = 133;
constexpr jint kSpecialKinds = 9;
constexpr jint kSpecialSize = 12;

jint nextDraw() {
    return statics()->gameRandom->nextInt();
}

// The draw's remainder by 100, with the draw's sign.
jint signedPercent() {
    return runtime::irem(nextDraw(), kPercent);
}

runtime::ShortArray* teamStats(const jint team) {
    const runtime::ObjectArray* const stats = statics()->matchStats;
    return stats != nullptr && stats->inBounds(team) ? static_cast<runtime::ShortArray*>((*stats)[team])
                                                     : nullptr;
}

// Step 2: statistics, goals, counters, the team-logic references and ints, no sound request.
void clearMatchCounters(GameStatics* s) {
    for (jint t = 0; t < kTeams; ++t) {
        if (runtime::ShortArray* const stats = teamStats(t)) {
            for (jint i = 0; i < kStatsPerTeam && i < stats->length; ++i) {
                (*stats)[i] = 0;
            }
        }
        if (CTeam* const team = matchTeam(t)) {
            team->goals = 0;
            team->teamIntA = 0;
            team->teamIntB = 0;
            team->teamIntC = 0;
            team->teamIntD = 0;
            team->teamByteA = 1;
        }
        s->teamGoalsCounted[t] = 0;
    }
    s->goalCount = 0;
    s->playerToReplace = nullptr;
    s->foulPlayer = nullptr;
    s->offsidePlayer = nullptr;
    if (runtime::ShortArray* const record = ensureFrameRecord()) {
        (*record)[kSoundRequestWord] = static_cast<runtime::jshort>(kNoSound);
    }
}

// Step 3: the kick-off team's eleven first, each in his start place with the start order.
void placePlayers(GameStatics* s) {
    for (jint k = 0; k < kTeams; ++k) {
        const bool kickingOff = k == 0;
        CTeam* const team = matchTeam(kickingOff ? s->kickOffTeam : s->otherKickOffTeam);
        const jint x = s->walkOnMode != 0 ? kWalkOnX : kStandByX;
        const jint y = s->walkOnMode != 0 ? (kickingOff ? kWalkOnKickOffY : kWalkOnOtherY) : kStandByY;
        for (jint slot = 0; slot < kPitchSlots; ++slot) {
            CPlayer* const player = teamPlayer(team, slot);
            if (player == nullptr) {
                continue;
            }
            player->x = x;
            player->y = y;
            player->order = kStartOrder;
            core::matchServices().startPlayer(player, kSetUpStart);
            if (runtime::exceptionPending()) {
                return;
            }
        }
    }
}

void placeBallForKickOff(GameStatics* s) {
    if (Actor* const ball = s->ball) {
        ball->x = 0;
        ball->y = 0;
        ball->z = 0;
        ball->vx = 0;
        ball->vy = 0;
        ball->vz = 0;
    }
    s->ballState = kBallStateKickOff;
}

} // namespace

void startNextPeriod() {
    GameStatics* const s = statics();
    ++s->matchPeriod;
    s->matchViewPhase = s->matchPeriod;
    s->clockUnits = 0;
    s->clockMinute = s->matchPeriod == kSecondHalf
                         ? kHalfMinutes
                         : (s->matchPeriod == kSecondHalfOfExtraTime ? kExtraTimeMinutes : 0);
    s->clockSecond = 0;
    s->inAddedTime = 0;
    s->clockStopped = 0;
    s->clockPanelDrawn = 0;
    s->addedTimeLeftMinutes = s->matchPeriod == 1 ? core::randomRange(kFirstAddedLow, kFirstAddedHigh)
                                                  : core::randomRange(kLaterAddedLow, kLaterAddedHigh);
    s->addedTimeLeftSeconds = 0;
    // Extra time has no added time at its end.
    s->periodEndMinute =
        s->matchPeriod <= kSecondHalf ? kHalfMinutes + s->addedTimeLeftMinutes : kExtraTimeMinutes;
}

void setUpMatch(profile::Graphics* const g) {
    GameStatics* const s = statics();
    s->kickOffTeam = s->teamOrderFlag != 0 ? 0 : 1;
    s->otherKickOffTeam = 1 - s->kickOffTeam;
    if (CTeam* const first = matchTeam(0)) {
        first->sideFlag = s->teamOrderFlag != 0 ? 1 : 0;
    }
    if (CTeam* const second = matchTeam(1)) {
        second->sideFlag = s->teamOrderFlag != 0 ? 0 : 1;
    }
    clearMatchCounters(s);
    if (runtime::exceptionPending()) {
        return;
    }
    if (s->matchResumed == 0) {
        resetPhaseState();
        s->matchPhase = kNoPhase;
        s->lastMatchPhase = kNoPhase;
        setMatchPhase(kPhaseKickOff, s->kickOffTeam, 0, 0);
        placeBallForKickOff(s);
        placePlayers(s);
        if (runtime::exceptionPending()) {
            return;
        }
    } else {
        setMatchPhase(kPhaseKickOff, s->kickOffTeam, 0, kResumedKickOffY);
    }
    s->matchPeriod = 0;
    startNextPeriod();
    s->boardSlide = 0;
    if (g != nullptr) {
        core::managementServices().paintClockPanel(kClockPanelMode);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    s->matchDayMarker = 0;
    s->periodMarkers[0] = kNoMarker;
    s->periodMarkers[1] = kNoMarker;
    s->ringReadPos = 0;
    s->ringWritePos = 0;
    s->ringHasData = 0;
    s->replayFrameCounter = 0;
    // What a commit gives for an empty ring: without it no tick of the first match would run.
    s->matchSpeedBase = 1;
    resetTeamLogic();
    generateParticles();
}

void generateParticles() {
    GameStatics* const s = statics();
    runtime::ShortArray* const xs = s->particleX;
    runtime::ShortArray* const ys = s->particleY;
    runtime::ByteArray* const sizes = s->particleSize;
    runtime::ByteArray* const speeds = s->particleSpeed;
    runtime::IntArray* const colours = s->particleColour;
    if (xs == nullptr || ys == nullptr || sizes == nullptr || speeds == nullptr || colours == nullptr ||
        s->gameRandom == nullptr) {
        return;
    }
    for (jint i = 0; i < kParticles; ++i) {
        (*xs)[i] = static_cast<runtime::jshort>(runtime::idiv(signedPercent() * kScreenWidth, kPercent));
        (*ys)[i] = static_cast<runtime::jshort>(runtime::idiv(signedPercent() * kScreenHeight, kPercent));
        (*sizes)[i] =
            static_cast<runtime::jbyte>(runtime::idiv(signedPercent() * kSizeSpread, kPercent) + kSizeBase);
        (*speeds)[i] =
            static_cast<runtime::jbyte>(runtime::idiv(signedPercent() * kSpeedSpread, kPercent) + kSpeedBase);
        (*colours)[i] = core::randomIndex(kColours);
    }
    if (s->specialParticleKind != nullptr) {
        return;
    }
    runtime::IntArray* const kinds = runtime::newIntArray(kSpecialParticles);
    if (kinds == nullptr || runtime::exceptionPending()) {
        return;
    }
    s->specialParticleKind = kinds;
    if (s->specialParticles == nullptr) {
        runtime::IntArray* const special = runtime::newIntArray(kSpecialParticles);
        if (special == nullptr || runtime::exceptionPending()) {
            return;
        }
        s->specialParticles = special;
    }
    for (jint k = 0; k < kSpecialParticles; ++k) {
        const jint index = kSpecialStride * k + core::randomIndex(kSpecialStride);
        (*s->specialParticles)[k] = index;
        (*s->specialParticleKind)[k] = core::randomIndex(kSpecialKinds);
        (*s->particleSize)[index] = static_cast<runtime::jbyte>(kSpecialSize);
    }
}

void endSkippedPeriod() {
    GameStatics* const s = statics();
    const runtime::ShortArray* const record = s->frameRecord;
    if (s->matchDayMode == 0 || record == nullptr || record->length <= kAddedTimeWord) {
        return;
    }
    const jint clock = (*record)[kClockWord];
    const jint period = periodOf(clock);
    const jint minute = timeOf(clock) / kSecondsPerMinute;
    const jint added = (*record)[kAddedTimeWord];
    if (period < 1 || period > kLastSkippedPeriod || minute < kSkipLimits[period - 1]) {
        return;
    }
    if (runtime::irem(added, kSecondsPerMinute) != 0 || runtime::idiv(added, kSecondsPerMinute) > 1) {
        return;
    }
    const Actor* const ball = s->ball;
    setMatchPhase(kPhasePeriodOver, s->kickOffTeam, ball != nullptr ? ball->x : 0, 0);
    s->clockStopped = 1;
    s->clockSecond = 0;
    s->clockMinute = s->periodEndMinute;
}

} // namespace game::match
