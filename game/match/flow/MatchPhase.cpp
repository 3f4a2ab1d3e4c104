// The one way into a match phase: setMatchPhase (declared in BallCalls.h, below the model that
// raises phases) records the phase, its team and restart point, counts corners and free kicks,
// keeps free kicks out of the taker's own deep half and resets what each phase starts afresh.
#include "game/core/GameStatics.h"
#include "game/core/Sound.h"
#include "game/core/services/LoadingServices.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/model/MatchRecords.h"
#include "game/match/model/Possession.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

constexpr jint kTeams = 2;
// Phases (matchPhase).
constexpr jint kKickOffAfterGoal = 1;
constexpr jint kPeriodKickOff = 2;
constexpr jint kThrowIn = 3;
constexpr jint kCorner = 5;
constexpr jint kFreeKickA = 6;
constexpr jint kFreeKickB = 7;
constexpr jint kPenalty = 8;
constexpr jint kPeriodOver = 9;
constexpr jint kFiguresEnterPhase = 15;
constexpr jint kRestartAwayPhase = 16;
constexpr jint kFiguresStandPhase = 17;
// The step a period's kick-off starts in.
constexpr jint kKickOffFirstStep = 4;
// Entries of a team's matchStats row.
constexpr jint kCornerStat = 2;
constexpr jint kFreeKickStat = 3;
// Free kicks stay 1280 inside the goal lines and inside the touchlines, and never deeper in the
// taker's own half than this line.
constexpr jint kFreeKickMaxX = 0x20B00;
constexpr jint kFreeKickMaxY = 84736;
constexpr jint kDeepLine = 0x1A000;
// The figures of phases 15 and 17, and where the restart actor is put out of the way (16).
constexpr jint kFocusX = -12288;
constexpr jint kFocusY = -93184;
constexpr jint kFocusEnterAnim = 5;
constexpr jint kFigureAnim = 4;
constexpr jint kRestartAwayX = 128000;
constexpr jint kRestartAwayY = 128000;
// The whistle at the end of the second half of normal or extra time.
constexpr jint kFullTimeSound = 11;

jint clamp(const jint v, const jint lo, const jint hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// The second touchline figure (sidelineActors[1]); null while missing.
Actor* secondFigure() {
    runtime::ObjectArray* figures = statics()->sidelineActors;
    if (figures == nullptr || !figures->inBounds(1)) {
        return nullptr;
    }
    return static_cast<Actor*>((*figures)[1]);
}

void playFigureAnimation(Actor* actor, const jint anim, const jboolean mirrored) {
    if (actor != nullptr) {
        actor->setAnimation(anim, 1);
        actor->flipX = mirrored;
    }
}

// Adds 1 to the 16-bit statistics entry of team teamIndex.
void countTeamStat(const jint teamIndex, const jint entry) {
    runtime::ObjectArray* stats = statics()->matchStats;
    if (stats == nullptr || !stats->inBounds(teamIndex)) {
        runtime::log("setMatchPhase: no statistics row for team %d", teamIndex);
        return;
    }
    auto* row = static_cast<runtime::ShortArray*>((*stats)[teamIndex]);
    if (row != nullptr && row->inBounds(entry)) {
        (*row)[entry] = static_cast<runtime::jshort>((*row)[entry] + 1);
    }
}

// Step 2: what some phases prepare before the phase is recorded.
void preparePhase(GameStatics* s, const jint phase, const jint teamIndex) {
    switch (phase) {
    case kPeriodOver:
        s->periodEndCounters[0] = 0;
        s->periodEndCounters[1] = 0;
        break;
    case kFiguresEnterPhase:
        playFigureAnimation(s->focusActor, kFocusEnterAnim, 0);
        playFigureAnimation(secondFigure(), kFigureAnim, 1);
        if (s->focusActor != nullptr) {
            s->focusActor->x = kFocusX;
            s->focusActor->y = kFocusY;
        }
        break;
    case kFiguresStandPhase:
        playFigureAnimation(s->focusActor, kFigureAnim, 0);
        playFigureAnimation(secondFigure(), kFigureAnim, 0);
        break;
    case kRestartAwayPhase:
        if (s->restartActor != nullptr) {
            s->restartActor->x = kRestartAwayX;
            s->restartActor->y = kRestartAwayY;
        }
        break;
    case kCorner:
        countTeamStat(teamIndex, kCornerStat);
        break;
    case kFreeKickA:
    case kFreeKickB:
        countTeamStat(teamIndex, kFreeKickStat);
        break;
    default:
        break;
    }
}

// A free kick's point: inside the pitch, and out of the deep end of the taker's own half.
void placeFreeKick(GameStatics* s, const jint x, const jint y) {
    s->phaseX = clamp(x, -kFreeKickMaxX, kFreeKickMaxX);
    s->phaseY = clamp(y, -kFreeKickMaxY, kFreeKickMaxY);
    const CTeam* team = s->phaseTeamObject;
    if (team == nullptr) {
        return;
    }
    if (team->sideFlag != 0 && x < -kDeepLine) {
        s->phaseX = -kDeepLine;
    } else if (team->sideFlag == 0 && x > kDeepLine) {
        s->phaseX = kDeepLine;
    }
}

// The set-piece player lets his planned kick go and stands.
void releaseSetPiecePlayer(GameStatics* s) {
    CPlayer* p = s->setPiecePlayer;
    if (p != nullptr) {
        p->followUp = -1;
        p->followUpDirection = -1;
        p->followByte1 = 0;
        p->volleyFlag = 0;
        p->stop(0);
        s->setPiecePlayer = nullptr;
    }
    s->setPieceField = 0;
}

} // namespace

void setMatchPhase(const jint phase, const jint teamIndex, const jint x, const jint y) {
    GameStatics* s = statics();
    s->phaseSkipFlags[0] = 0;
    s->phaseSkipFlags[1] = 0;
    preparePhase(s, phase, teamIndex);
    s->matchPhase = phase;
    s->phaseTeam = teamIndex;
    s->phaseX = x;
    s->phaseY = y;
    s->phaseTeamObject = matchTeam(teamIndex);
    if (phase == kKickOffAfterGoal) {
        if (s->pitchCondition != 0) {
            core::loadingServices().generateParticles();
            if (runtime::exceptionPending()) {
                return;
            }
        }
        stopAllPlayers();
        s->receivingPlayer = nullptr;
        s->passStatePlayer = nullptr;
        s->phaseStep = 0;
    } else {
        if (phase == kFreeKickA || phase == kFreeKickB) {
            placeFreeKick(s, x, y);
        }
        s->phaseStep = phase == kPeriodKickOff ? kKickOffFirstStep : 0;
    }
    s->phaseTicks = 0;
    s->phaseAllowsPlay = phase != kPenalty;
    s->phaseAllowsMovement =
        phase != kKickOffAfterGoal && phase != kPeriodKickOff && phase != kThrowIn && phase != kPenalty;
    s->phaseKickerReady = (phase == kFreeKickB || phase == kPenalty) && s->ballHolder != nullptr &&
                          s->ballHolder->chooseShotWindow();
    if (phase == kFreeKickA || phase == kFreeKickB) {
        // The camera goes with the ball to the free kick and stays there.
        startCameraFollowActor(1, s->ball, 0);
    }
    releaseSetPiecePlayer(s);
    for (jint t = 0; t < kTeams; ++t) {
        if (CTeam* team = matchTeam(t); team != nullptr) {
            team->planningNeeded = 0;
        }
    }
    s->phaseCounters[0] = 0;
    s->phaseCounters[1] = 0;
    s->restartPending = phase >= kThrowIn && phase <= kFreeKickB ? 1 : 0;
    s->penaltyKick = phase == kPenalty ? 1 : 0;
    s->diveSide = 0;
    s->penaltySaveFlag = 0;
    // The restart marker of the last phase goes with it.
    s->restartMarkerShown = 0;
    if (phase == kPeriodOver && (s->matchPeriod == kSecondHalf || s->matchPeriod == kExtraTimeSecond)) {
        core::playSound(kFullTimeSound);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    if (phase <= kPeriodOver) {
        // Asked for its bookkeeping only: the phase does not depend on the answer.
        static_cast<void>(isMatchOver());
    }
}

} // namespace game::match
