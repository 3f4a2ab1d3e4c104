// The match camera (see MatchCamera.h).
#include "game/match/view/MatchCamera.h"

#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchView.h"

namespace game::match {

using namespace game::core;

namespace {

using match::Actor;
using match::CPlayer;

constexpr jint kFollowMode = 0;
constexpr jint kFollowSameMode = 1;
constexpr jint kPanMode = 2;

// Match phases, ball states and situation codes the camera reads.
constexpr jint kPhasePlay = 0;
constexpr jint kPhaseKickOffAfterGoal = 1;
constexpr jint kPhaseThrowIn = 3;
constexpr jint kPhaseFreeKickA = 6;
constexpr jint kPhaseFreeKickB = 7;
constexpr jint kPhasePenalty = 8;
constexpr jint kBallStateFlight = 10;
constexpr jint kBallStateA = 1;
constexpr jint kBallStateNoHoldA = 2;
constexpr jint kBallStateNoHoldB = 9;
constexpr jint kLongHold = 4;
constexpr jint kShortHold = 2;
constexpr jint kFocusLevelAlone = 2;
constexpr jint kSituationNoOutlineA = 2;
constexpr jint kSituationNoOutlineB = 12;

// A pan's progress factor has 8 fraction bits.
constexpr jint kFixedShift = 8;
constexpr jint kHalfScreenWidth = 240;
constexpr jint kHalfScreenHeight = 400;
constexpr jint kPlayerStepLimitX = 50;
constexpr jint kPlayerStepLimitY = 3;

// The leads: by the followed player's direction, again for a set-piece taker, and the ball's
// sideways lead in flight.
constexpr jint kLeadAcross = 60;
constexpr jint kLeadUpDown = 20;
constexpr jint kSetPieceLeadAcross = 61;
constexpr jint kSetPieceLeadUpDown = 21;
constexpr jint kFlightLead = 144;
constexpr jint kFlightMinHeight = 5121;
constexpr jint kFlightPathLength = 200;
constexpr jint kFlightPathGroup = 5;

// The pitch outline: target x is clamped into this range to choose the band.
constexpr jint kOutlineMinX = 11;
constexpr jint kOutlineMaxX = 2277;
constexpr jint kBandEnd1 = 147;
constexpr jint kBandEnd2 = 825;
constexpr jint kBandEnd3 = 1178;
constexpr jint kBandEnd4 = 1739;

// cameraStepToward's base steps by distance.
constexpr jint kNearDistance = 15;
constexpr jint kMiddleDistance = 50;
constexpr jint kNearStep = 1;
constexpr jint kMiddleStep = 2;
constexpr jint kFarStep = 4;

jint absolute(const jint v) {
    return v < 0 ? -v : v;
}

jint sign(const jint v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

bool isPlayer(const Actor* const actor) {
    return actor != nullptr && actor->classId == runtime::kCPlayer;
}

// The facing direction of a followed player (0 for anything else).
jint directionOf(const Actor* const actor) {
    return isPlayer(actor) ? static_cast<const CPlayer*>(actor)->direction : 0;
}

// Step 2: the subject in mode 0.
void chooseSubject(GameStatics* const s) {
    CPlayer* const primary = s->primaryFocusPlayer;
    CPlayer* const secondary = s->secondaryFocusPlayer;
    if (primary != nullptr &&
        (s->focusLevel > kFocusLevelAlone || s->matchPhase != kPhasePlay || secondary != nullptr)) {
        s->cameraSubject = primary;
    } else if (secondary != nullptr) {
        s->cameraSubject = secondary;
    } else {
        s->cameraSubject = s->ball.get();
    }
    s->cameraFollowsPlayer = s->cameraSubject.get() != s->ball.get() ? 1 : 0;
}

// Step 3: the hold of mode 0; false when the camera keeps still this frame.
bool holdAllowsMove(GameStatics* const s) {
    Actor* const subject = s->cameraSubject;
    if (s->cameraHold > 0 && subject == s->cameraLastSubject.get()) {
        --s->cameraHold;
        if (s->cameraFollowsPlayer == 0 || isActorOnScreen(subject)) {
            return false;
        }
        s->cameraHold = 0;
        return true;
    }
    if (subject == s->cameraLastSubject.get()) {
        if (s->cameraFollowsPlayer != 0 && directionOf(subject) != s->cameraLastDirection &&
            isActorOnScreen(subject)) {
            s->cameraHold = s->cameraHoldLength;
            s->cameraLastDirection = directionOf(subject);
        } else {
            s->cameraHold = 0;
        }
        return true;
    }
    s->cameraLastSubject = subject;
    if (s->cameraFollowsPlayer == 0 && s->ballState != kBallStateNoHoldA &&
        s->ballState != kBallStateNoHoldB) {
        s->cameraHold =
            s->ballState == kBallStateFlight || s->ballState == kBallStateA ? kLongHold : kShortHold;
    }
    return false;
}

// Step 5 and 6: the subject's projected point, its screen motion and the centred target.
void projectSubject(GameStatics* const s, const Actor* const subject) {
    match::projectToScreen(subject->x, subject->y, 0);
    s->cameraSubjectScreenX = s->projectedX;
    s->cameraSubjectScreenY = s->projectedY;
    s->cameraStepX = s->cameraSubjectScreenX - subject->screenX;
    s->cameraStepY = s->cameraSubjectScreenY - subject->screenY;
    if (s->cameraFollowsPlayer != 0) {
        s->cameraStepX = clamp(s->cameraStepX, -kPlayerStepLimitX, kPlayerStepLimitX);
        s->cameraStepY = clamp(s->cameraStepY, -kPlayerStepLimitY, kPlayerStepLimitY);
    }
    s->cameraTargetX = s->cameraSubjectScreenX - kHalfScreenWidth;
    s->cameraTargetY = s->cameraSubjectScreenY - kHalfScreenHeight;
}

// The first entry of the flight path whose grounded flag is set, testing five entries at a time
// (200 at the latest); entries beyond the table count as set.
jint firstGroundedEntry(const runtime::BoolArray* const path) {
    for (jint p = 0; p < kFlightPathLength; p += kFlightPathGroup) {
        for (jint k = p; k < p + kFlightPathGroup; ++k) {
            if (path == nullptr || !path->inBounds(k) || (*path)[k] != 0) {
                return k;
            }
        }
    }
    return kFlightPathLength;
}

// Step 7: the leads.
void addLead(GameStatics* const s, const Actor* const subject) {
    if (s->cameraFollowsPlayer != 0 && s->cameraNoLead == 0) {
        const jint direction = directionOf(subject);
        if (direction >= 0 && direction < kDirectionCount) {
            s->cameraTargetX += kDirectionSignX[direction] * kLeadAcross;
            s->cameraTargetY += kDirectionSignY[direction] * kLeadUpDown;
            if ((s->matchPhase == kPhaseFreeKickA || s->matchPhase == kPhaseFreeKickB) &&
                subject == static_cast<const Actor*>(s->restartActor.get())) {
                s->cameraTargetX += kDirectionSignX[direction] * kSetPieceLeadAcross;
                s->cameraTargetY += kDirectionSignY[direction] * kSetPieceLeadUpDown;
            }
        }
    } else if (s->cameraFollowsPlayer == 0 && s->matchPhase == kPhasePlay &&
               s->ballState == kBallStateFlight && s->flightFlag == 0 && s->cameraFlightLead != 0 &&
               subject->z >= kFlightMinHeight) {
        const jint p = firstGroundedEntry(s->ballPathGrounded);
        const jint d = p / 2;
        // A path grounded before its third entry has no middle to lead towards.
        if (d != 0) {
            const jint side = subject->flightSide < 1 ? -kFlightLead : kFlightLead;
            jint t = s->ballPathIndex;
            if (t > d) {
                t = p - t;
            }
            s->cameraTargetX += t * side / d;
        }
    }
    if (s->matchPhase == kPhasePenalty) {
        const bool towardsPlusX = s->sideSign > 0;
        if (s->cameraMode == kFollowSameMode) {
            s->cameraTargetX += 2 * (towardsPlusX ? kLeadAcross : -kLeadAcross);
            s->cameraTargetY += towardsPlusX ? kLeadUpDown : -kLeadUpDown;
        } else if (s->cameraMode == kFollowMode) {
            s->cameraTargetX += towardsPlusX ? kLeadAcross : -kLeadAcross;
        }
    }
}

// Step 9 in mode 2: one frame of the scripted pan.
void stepPan(GameStatics* const s) {
    const jint px = s->cameraStartX + ((s->cameraStepX * s->cameraMoving) >> kFixedShift);
    const jint py = s->cameraStartY + ((s->cameraStepY * s->cameraMoving) >> kFixedShift);
    s->cameraAtTarget = 0;
    if (match::pointsOnOppositeSides(s->cameraTargetX, s->cameraTargetY, s->cameraX, s->cameraY, px, py)) {
        s->cameraX = s->cameraTargetX;
        s->cameraY = s->cameraTargetY;
        return;
    }
    if (s->cameraX == s->cameraTargetX && s->cameraY == s->cameraTargetY) {
        s->cameraAtTarget = 1;
        if (s->cameraFollowFlag == 0) {
            return;
        }
        --s->cameraPanCountdown;
        if (s->cameraPanCountdown <= 0) {
            s->cameraMode = kFollowSameMode;
            s->cameraFollowFlag = 0;
            if (s->matchPhase == kPhaseKickOffAfterGoal) {
                s->cameraArrived = 1;
            }
        }
        return;
    }
    s->cameraX = px;
    s->cameraY = py;
    ++s->cameraMoving;
}

// Step 9 in modes 0 and 1: a step on each axis, never against last frame's.
void stepFollow(GameStatics* const s) {
    jint sx = cameraStepToward(s->cameraTargetX - s->cameraX, s->cameraStepX);
    jint sy = cameraStepToward(s->cameraTargetY - s->cameraY, s->cameraStepY);
    if (sign(sx) * sign(s->cameraLastStepX) < 0) {
        sx = 0;
    }
    if (sign(sy) * sign(s->cameraLastStepY) < 0) {
        sy = 0;
    }
    s->cameraLastStepX = sx;
    s->cameraLastStepY = sy;
    s->cameraX += sx;
    s->cameraY += sy;
}

// Steps 4 to 8 for the follow modes; false when this frame stops before the move.
bool aimAtSubject(GameStatics* const s) {
    if (s->cameraMode == kFollowMode) {
        if (s->matchPhase == kPhaseThrowIn) {
            return false;
        }
        s->cameraNoLead = 0;
    }
    const Actor* const subject = s->cameraSubject;
    if (subject == nullptr) {
        return false;
    }
    projectSubject(s, subject);
    addLead(s, subject);
    if (s->phaseStep != kSituationNoOutlineA && s->phaseStep != kSituationNoOutlineB &&
        s->matchPhase != kPhaseThrowIn) {
        jint lo = 0;
        jint hi = 0;
        pitchOutlineRange(s->cameraTargetX, lo, hi);
        s->cameraTargetY = clamp(s->cameraTargetY, lo, hi);
    }
    return true;
}

} // namespace

jint cameraStepToward(const jint diff, const jint lead) {
    const jint distance = absolute(diff);
    const jint leadSize = absolute(lead);
    if (distance <= leadSize) {
        return diff;
    }
    const jint base =
        distance <= kNearDistance ? kNearStep : (distance <= kMiddleDistance ? kMiddleStep : kFarStep);
    return sign(diff) * (base + leadSize);
}

void pitchOutlineRange(const jint targetX, jint& lo, jint& hi) {
    const jint x = clamp(targetX, kOutlineMinX, kOutlineMaxX);
    const jint frontLo = (48 - x) * 528 / 1584;
    const jint backLo = (x - 1632) * 368 / 1103 + 52;
    const jint frontHi = (x - 48) * 367 / 1104 + 480;
    const jint backHi = (1152 - x) * 527 / 1583;
    if (x <= kBandEnd1) {
        lo = frontLo + 460;
        hi = frontHi;
    } else if (x <= kBandEnd2) {
        lo = frontLo + 560;
        hi = frontHi;
    } else if (x <= kBandEnd3) {
        lo = frontLo + 560;
        hi = backHi + 577;
    } else if (x <= kBandEnd4) {
        lo = backLo;
        hi = backHi + 577;
    } else {
        lo = backLo;
        hi = backHi + 607;
    }
}

void updateMatchCamera() {
    GameStatics* const s = statics();
    const bool arrived = s->cameraArrived != 0;
    s->cameraArrived = 0;
    bool moves = true;
    if (s->cameraMode == kFollowMode) {
        chooseSubject(s);
        if (s->matchPhase != kPhasePlay) {
            s->cameraHold = 0;
        } else {
            moves = holdAllowsMove(s);
        }
    }
    if (moves && s->cameraMode != kPanMode) {
        moves = aimAtSubject(s);
    }
    if (!moves) {
        // A frame that keeps still keeps a pending jump for the next frame that moves.
        if (arrived) {
            s->cameraArrived = 1;
        }
        return;
    }
    if (arrived) {
        s->cameraX = s->cameraTargetX;
        s->cameraY = s->cameraTargetY;
        s->cameraLastStepX = 0;
        s->cameraLastStepY = 0;
        s->backgroundForceRedraw = 1;
    } else if (s->cameraMode == kPanMode) {
        stepPan(s);
    } else {
        stepFollow(s);
    }
    s->cameraX = clamp(s->cameraX, 0, s->cameraMaxX);
    s->cameraY = clamp(s->cameraY, 0, s->cameraMaxY);
}

void updateCamera(const jint force) {
    if (force == 1) {
        statics()->cameraArrived = 1;
    }
    updateMatchCamera();
}

} // namespace game::match
