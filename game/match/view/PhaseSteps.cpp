// The steps of a restart being set up, the restart marker and the teams' placement for the restart
// (see game/match/flow/PhaseSteps.h).
#include "game/match/flow/PhaseSteps.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchView.h"
#include "game/match/view/MatchCamera.h"

namespace game::match {

namespace {

constexpr jint kMarkerStep = 7;
constexpr jint kPanStep = 8;
constexpr jint kCarrierStep = 9;
constexpr jint kStageStep = 10;
constexpr jint kFollowStep = 11;
// The restart marker: kind 0, 24 pixels.
constexpr jint kMarkerKind = 0;
constexpr jint kMarkerSize = 24;
// The pan to the spot: the window's centre at either end, 12 pixels a tick, no shift.
constexpr jint kSpotCentreRightX = 2127;
constexpr jint kSpotCentreRightY = 626;
constexpr jint kSpotCentreLeftX = 645;
constexpr jint kSpotCentreLeftY = 1130;
constexpr jint kPanSpeed = 12;
constexpr jint kNoShift = 8;
// The ball carrier: mode 3 starts at stage 0; at step 10 mode 2 goes to stage 4, mode 3 to 1.
constexpr jint kRestartMode = 3;
constexpr jint kRunMode = 2;
constexpr jint kRunStage = 4;
constexpr jint kRestartStage = 1;
constexpr jint kFollowMode = 0;
constexpr jint kForceOnTarget = 1;
// Restart placement: three cells clear of the restart point.
constexpr jint kClearance = 24576;
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;

} // namespace

void showRestartMarker(const jint kind, const jint screenX, const jint screenY, const jint size,
                       const jint direction) {
    GameStatics* const s = statics();
    s->restartMarkerKind = kind;
    s->restartMarkerX = screenX;
    s->restartMarkerY = screenY;
    s->restartMarkerSize = size;
    s->restartMarkerDirection = direction;
    s->restartMarkerShown = 1;
}

void setPhaseStep(const jint step) {
    GameStatics* const s = statics();
    s->phaseStep = step;
    switch (step) {
    case kMarkerStep:
        if (const CPlayer* const taker = s->restartActor) {
            showRestartMarker(kMarkerKind, taker->screenX, taker->screenY, kMarkerSize, taker->direction);
        }
        break;
    case kPanStep: {
        const CTeam* const taking = s->phaseTeamObject;
        const bool right = taking != nullptr && taking->sideFlag != 0;
        moveCameraTo(0, right ? kSpotCentreRightX : kSpotCentreLeftX,
                     right ? kSpotCentreRightY : kSpotCentreLeftY, kPanSpeed, kNoShift);
        break;
    }
    case kCarrierStep:
        s->carrierMode = kRestartMode;
        s->carrierStage = 0;
        s->attackReset = 1;
        break;
    case kStageStep:
        if (s->carrierMode == kRunMode) {
            s->carrierStage = kRunStage;
        } else if (s->carrierMode == kRestartMode) {
            s->carrierStage = kRestartStage;
        }
        break;
    case kFollowStep:
        s->cameraMode = kFollowMode;
        s->cameraFollowFlag = 1;
        updateCamera(kForceOnTarget);
        break;
    default:
        break;
    }
}

void placeTeamsForRestart() {
    const GameStatics* const s = statics();
    for (jint side = 0; side < 2; ++side) {
        CTeam* const team = matchTeam(side);
        if (team == nullptr) {
            continue;
        }
        team->computeShape(team->toCell(s->phaseX), team->toCell(s->phaseY));
        for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
            CPlayer* const p = teamPlayer(team, i);
            // A player sent off has no shape cell and stays off the pitch.
            if (p == nullptr || p->outOfPlay != 0) {
                continue;
            }
            jint x = p->shapeCellX << CTeam::kCellShift;
            jint y = p->shapeCellY << CTeam::kCellShift;
            if (team->sideFlag == 0) {
                x = -x;
                y = -y;
            }
            // One push of the shortfall along x can leave an octagonal distance still short when
            // the player stands mostly above or below the point, so the push repeats until he is
            // clear (each push raises the distance by about 3/8 of itself or more).
            const bool toLargerX = x >= s->phaseX;
            for (jint d = core::approxDistance(x - s->phaseX, y - s->phaseY); d < kClearance;
                 d = core::approxDistance(x - s->phaseX, y - s->phaseY)) {
                x += toLargerX ? kClearance - d : d - kClearance;
            }
            p->x = x;
            p->y = y;
        }
    }
}

} // namespace game::match
