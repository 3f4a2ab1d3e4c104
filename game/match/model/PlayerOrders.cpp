// The orders the team logic and the actions give a player: stop, wait, face, walk and run to a
// point, the scripted order, the standing pose of an idle player, getting up and his effort.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/TeamLogicCalls.h"
#include "game/match/model/PlayerMotion.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

constexpr jint kDirections = 8;
constexpr jint kDirectionMask = 7;
constexpr jint kHalfTurn = 4;
// Orders, their modes and actions.
constexpr jint kGoTo = 1;
constexpr jint kScripted = 11;
constexpr jint kWalkFacingTarget = 0;
constexpr jint kSideStep = 1;
constexpr jint kBackPedal = 2;
constexpr jint kSprintToTarget = 8;
constexpr jint kMovingAction = 1;
constexpr jint kGettingUpAction = 12;
// walkTo: a near target off the facing is side-stepped, a target this near keeps the facing, a
// far one without the ball is sprinted to (never in phase 15).
constexpr jint kWalkSideStepBelow = 25601;
constexpr jint kWalkKeepFacingUpTo = 1024;
constexpr jint kWalkSprintFrom = 9216;
constexpr jint kPresentationPhase = 15;
// runTo: the side-step limits, the facing limit and the long run that becomes a sprint.
constexpr jint kRunSideStepOpen = 10240;
constexpr jint kRunSideStepNear = 24576;
constexpr jint kRunKeepFacingUpTo = 512;
constexpr jint kLongRunFrom = 51201;
constexpr jint kForcedRunStart = 3;
constexpr jint kSprintPace = 1;
constexpr jint kRunWithoutBallPace = 2;
// Run targets stay on the pitch in these phases.
constexpr jint kPitchMaxX = 135168;
constexpr jint kPitchMaxY = 86016;
constexpr jint kLastClampedPhase = 9;
constexpr jint kUnclampedPhase = 6;
// Script modes that set up a turn or a hold.
constexpr jint kScriptWalk = 1;
constexpr jint kScriptSquareUpA = 2;
constexpr jint kScriptSquareUpB = 6;
constexpr jint kScriptWait = 18;
constexpr jint kScriptTurn = 19;
// Standing poses.
constexpr jint kStanding = 0;
constexpr jint kTurnOnSpot = 40;
constexpr jint kPresentationPose = 41;
constexpr jint kLineUpPose = 42;
constexpr jint kHeldPose = 91;
constexpr jint kFirstLineUpPhase = 11;
constexpr jint kPresentationEntry = 0;
constexpr jint kLineUpEntry = 2;
// getUp: the states of a player on the ground, and the pose of getting up.
constexpr jint kFallenHard = 17;
constexpr jint kSitting = 36;
constexpr jint kDown = 50;
constexpr jint kGettingUp = 31;
constexpr jint kNoEffortFlag = 64;

jint clampTo(const jint v, const jint limit) {
    return v < -limit ? -limit : v > limit ? limit : v;
}

// The way to a target: its direction, the turn to it from the facing and its distance.
struct Heading {
    jint d;
    jint t;
    jint dist;
};

// Order 1 to (tx, ty): the target set, and the heading there.
Heading beginGoTo(CPlayer* p, const jint tx, const jint ty) {
    const jint d = directionFromVector(tx - p->x, ty - p->y);
    p->order = kGoTo;
    p->targetX = tx;
    p->targetY = ty;
    return {d, turnBetween(p->direction, d), core::approxDistance(tx - p->x, ty - p->y)};
}

bool isFirstAttacker(const CPlayer* p) {
    const GameStatics* const s = statics();
    return p->team != nullptr && p->team->teamIndex >= 0 && p->team->teamIndex < 2 &&
           s->firstAttacker[p->team->teamIndex].get() == p;
}

} // namespace

jint turnBetween(const jint a, const jint b) {
    jint t = b - a;
    if (t > kHalfTurn) {
        t -= kDirections;
    } else if (t < -(kHalfTurn - 1)) {
        t += kDirections;
    }
    return t;
}

void CPlayer::stop(const jboolean reset) {
    if (reset != 0) {
        wantedDirection = direction;
        action = 0;
        order = 0;
        animForced = 1;
        setState(kStanding);
        arrived = 0;
    } else {
        turnPending = turnPending == 0 && hasBall != 0 && statics()->matchPhase == 0 && action != 0 &&
                              direction == wantedDirection
                          ? 1
                          : 0;
        order = 0;
    }
    orderEndTime = 0;
}

void CPlayer::waitFor(const jint ticks) {
    if (action != 0) {
        stop(0);
    }
    orderEndTime = statics()->matchTicks + static_cast<jlong>(ticks);
}

void CPlayer::face(const jint dir) {
    wantedDirection = dir == -1 ? defaultDirection : dir;
    stop(0);
}

void CPlayer::walkTo(const jint tx, const jint ty) {
    const auto [d, t, dist] = beginGoTo(this, tx, ty);
    if (t != 0 && hasBall == 0 && dist < kWalkSideStepBelow) {
        wantedDirection = defaultDirection;
        orderMode = t == kHalfTurn ? kBackPedal : kSideStep;
    } else {
        if (dist > kWalkKeepFacingUpTo) {
            wantedDirection = d;
        }
        orderMode = hasBall != 0 || dist < kWalkSprintFrom ? kWalkFacingTarget : kSprintToTarget;
        if (statics()->matchPhase == kPresentationPhase) {
            orderMode = kWalkFacingTarget;
        }
    }
    arrived = 0;
    moving = 1;
    orderEndTime = 0;
}

void CPlayer::runTo(const jint tx, const jint ty, jboolean hurry) {
    GameStatics* const s = statics();
    if (unfit != 0) {
        const jint half = s->pitchRowBase / 2;
        runSpeed = half;
        ballRunSpeed = half;
        sprintSpeed = half;
        ballSprintSpeed = half;
        hurry = 0;
    }
    forcedRunFrames = action == kMovingAction || rushFlag != 0 || controlled != 0 ? kForcedRunStart : 0;
    const auto [d, t, dist] = beginGoTo(this, tx, ty);
    bool sideStep = false;
    if ((t < -1 || t > 1) && direction == defaultDirection && hasBall == 0 && controlled == 0) {
        const jint limit =
            t == kHalfTurn && s->ballHolder.get() == nullptr ? kRunSideStepOpen : kRunSideStepNear;
        if (dist <= limit) {
            orderMode = t == kHalfTurn ? kBackPedal : kSideStep;
            sideStep = true;
        }
    }
    if (!sideStep) {
        if (dist > kRunKeepFacingUpTo) {
            wantedDirection = d;
        }
        // An unfit player never sprints.
        const bool sprint =
            unfit == 0 &&
            (hurry != 0 || (s->matchPhase == 0 && dist >= kLongRunFrom && !isFirstAttacker(this)));
        if (sprint) {
            forcedRun = 1;
            orderMode = forcedRunFrames != 0 ? kSprintToTarget : kWalkFacingTarget;
            paceKind = forcedRunFrames != 0 ? kSprintPace : 0;
        } else {
            forcedRun = 0;
            orderMode = kWalkFacingTarget;
            paceKind = hasBall != 0 ? 0 : kRunWithoutBallPace;
        }
    }
    if (s->matchPhase >= 0 && s->matchPhase <= kLastClampedPhase && s->matchPhase != kUnclampedPhase) {
        targetX = clampTo(targetX, kPitchMaxX);
        targetY = clampTo(targetY, kPitchMaxY);
    }
    arrived = 0;
    moving = 1;
    orderEndTime = 0;
}

void CPlayer::giveScript(const jint tx, const jint ty, const jint mode) {
    order = kScripted;
    targetX = tx;
    targetY = ty;
    orderMode = mode;
    switch (mode) {
    case kScriptWalk:
        wantedDirection = directionFromVector(tx - x, ty - y);
        arrived = 0;
        moving = 1;
        orderEndTime = 0;
        break;
    case kScriptSquareUpA:
    case kScriptSquareUpB:
        if ((direction & 1) != 0) {
            wantedDirection = (direction + 1) & kDirectionMask;
        }
        break;
    case kScriptWait:
        arrived = 1;
        wantedDirection = direction;
        orderEndTime = statics()->matchTicks + static_cast<jlong>(ty);
        break;
    case kScriptTurn:
        // x is the direction to turn to here; one outside 0..7 would leave a turn that never ends.
        if (tx < 0 || tx > kDirectionMask) {
            runtime::log("giveScript: no direction %d to turn to; the player keeps his facing", tx);
            wantedDirection = direction;
        } else {
            wantedDirection = tx;
        }
        arrived = 0;
        moving = 1;
        orderEndTime = 0;
        break;
    default:
        break;
    }
}

void CPlayer::idle() {
    GameStatics* const s = statics();
    wantedDirection = direction;
    vx = 0;
    vy = 0;
    action = 0;
    order = 0;
    jint pose = kStanding;
    if (turnPending != 0) {
        pose = kTurnOnSpot;
        turnPending = 0;
    } else if (hasBall != 0 && this != s->restartActor.get() && restartTurnRequested(this)) {
        pose = kTurnOnSpot;
        turnPending = 0;
    } else if (holding != 0) {
        if (s->matchTicks > orderEndTime) {
            holding = 0;
        } else {
            pose = kHeldPose;
        }
    } else {
        const jint phase = s->matchPhase;
        const bool lineUp = phase >= kFirstLineUpPhase && phase <= kPresentationPhase;
        const jint entry = lineUp ? restartPoseEntry() : -1;
        if (lineUp && entry == kPresentationEntry) {
            pose = kPresentationPose;
        } else if (phase == kPresentationPhase && entry == kLineUpEntry && orderEndTime > s->matchTicks) {
            pose = kLineUpPose;
        }
    }
    setState(pose);
    if (hasBall != 0) {
        handToTeamLogic(this);
    }
}

void CPlayer::getUp() {
    action = kGettingUpAction;
    if (state == kFallenHard || state == kSitting || state == kDown) {
        setState(kGettingUp);
    }
}

void CPlayer::addEffort(const jint n) {
    if ((flags & kNoEffortFlag) == 0) {
        effort += n;
    }
}

} // namespace game::match
