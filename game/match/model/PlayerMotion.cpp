// A player's motion: the screen-proportioned move vectors, one frame of a move to the target
// (arrival, speed and pose by order mode, the acceleration ramp, the facing), braking, the slide
// of a recovery and a step of a turn.
#include "game/match/model/PlayerMotion.h"

#include <cstdlib>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/MatchView.h"
#include "game/match/TeamLogicCalls.h"

namespace game::match {

namespace {

constexpr jint kScreenUnit = 480;
constexpr jint kFixedShift = 8;
constexpr jint kDirectionMask = 7;
constexpr jint kHalfTurn = 4;
// Order modes of order 1.
constexpr jint kWalk = 0;
constexpr jint kSideStep = 1;
constexpr jint kBackPedal = 2;
constexpr jint kRunOn = 3;
constexpr jint kSideAlong = 4;
constexpr jint kBackAlong = 5;
constexpr jint kCloseDown = 7;
constexpr jint kSprint = 8;
constexpr jint kGoTo = 1;
constexpr jint kMovingAction = 1;
constexpr jint kRecoveringAction = 9;
// States of the moves.
constexpr jint kRunning = 1;
constexpr jint kSideStepping = 23;
constexpr jint kBackPedalling = 24;
constexpr jint kSprinting = 32;
constexpr jint kFallSoft = 16;
constexpr jint kFallHard = 17;
constexpr jint kTurnRight = 4;
constexpr jint kTurnLeft = 5;
constexpr jint kTurnLeftWithBall = 8;
constexpr jint kTurnRightWithBall = 9;
// Arrival: the radius of a plain walk, and that of a move at speed s, s / 2 + 256.
constexpr jint kWalkArrival = 512;
constexpr jint kArrivalMargin = 256;
// Tasks of the team logic that arrival reads.
constexpr jint kTaskHoldA = 5;
constexpr jint kTaskMark = 7;
constexpr jint kTaskHoldB = 8;
// The ball runs on to its target while rolling in these states only, and a run on to it is
// hurried from this far.
constexpr jint kBallRolling = 0;
constexpr jint kBallKick5 = 5;
constexpr jint kHurryFrom = 12801;
// A forced run turns into a sprint after this many frames.
constexpr jint kForcedRunFrames = 3;
constexpr jint kSprintPace = 1;
constexpr jint kFitnessLimit = 90;
// Mode 3: a run-on point within this turn is headed for; a carrier this deep halves the speed.
constexpr jint kRunOnTurn = 2;
constexpr jint kCarrierModeHalving = 4;
constexpr jint kCarrierStageHalving = 4;
constexpr jint kRestartPhase9 = 9;
// The ramp does not start in these phases; its length grows with accelRating.
constexpr jint kPresentationPhase = 15;
constexpr jint kCelebrationPhase = 17;
constexpr jint kAccelBandA = 2;
constexpr jint kAccelBandB = 4;
// Slide braking of a fall: the slide stops in 9 frames after a hard fall, 20 after a soft one.
constexpr jint kHardFallBrakeFrames = 9;
constexpr jint kSoftFallBrakeFrames = 20;

// The sprint speed: the carrier's (and the receiver's) or the plain one; the run speed when tired.
jint sprintSpeedOf(const CPlayer* p) {
    const bool carrier = p->hasBall != 0 || p == statics()->receivingPlayer.get();
    if (p->fatigue > kFitnessLimit) {
        return carrier ? p->ballRunSpeed : p->runSpeed;
    }
    return carrier ? p->ballSprintSpeed : p->sprintSpeed;
}

// Whether the next step moves the player away from the target (summed over both axes).
bool stepsAway(const CPlayer* p) {
    const jlong dx = static_cast<jlong>(p->targetX) - p->x;
    const jlong dy = static_cast<jlong>(p->targetY) - p->y;
    const jlong after = std::abs(dx - p->vx) + std::abs(dy - p->vy);
    return after > std::abs(dx) + std::abs(dy);
}

// The point a controlled player runs on to: the ball's own while it is grounded, else its aim.
void ballRunPoint(jint& px, jint& py) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (ball == nullptr) {
        px = 0;
        py = 0;
        return;
    }
    px = s->ballGrounded != 0 ? ball->x : ball->aimX;
    py = s->ballGrounded != 0 ? ball->y : ball->aimY;
}

// What an arriving player does; false when the step ends there (no action and no order).
bool arrive(CPlayer* p) {
    GameStatics* const s = statics();
    p->forcedRunFrames = 0;
    if (p == s->receivingPlayer.get()) {
        p->orderMode = kWalk;
        p->paceKind = 0;
        p->forcedRun = 0;
    } else if (p->task == kTaskHoldB || p->task == kTaskHoldA) {
        p->stop(0);
    } else if (p->task == kTaskMark && s->ballHolder.get() != nullptr) {
        p->idle();
    } else if (p->controlled != 0 && s->ballHolder.get() == nullptr && s->ballState != kBallRolling &&
               s->ballState != kBallKick5) {
        jint px = 0;
        jint py = 0;
        ballRunPoint(px, py);
        const jint dist = core::approxDistance(px - p->x, py - p->y);
        if (dist <= p->arrivalRadius || p->team == nullptr || p->team->runKind == 0) {
            p->idle();
        } else {
            p->runTo(px, py, dist >= kHurryFrom ? 1 : 0);
        }
    } else {
        p->idle();
    }
    return p->action != 0 || p->order != 0;
}

// The move a frame of order 1 makes: its speed (-1 for none), pose, and either a point to head
// for or a direction to move along.
struct Move {
    jint speed = -1;
    jint pose = 0;
    bool towards = true;
    jint px = 0;
    jint py = 0;
    jint dir = 0;
};

// Mode 3: the run on with the ball.
void runOnMove(CPlayer* p, Move& move) {
    GameStatics* const s = statics();
    move.speed = p->hasBall != 0 ? p->ballRunSpeed : p->runSpeed;
    move.pose = kRunning;
    const CPlayer* const carrier = s->ballHolder;
    move.towards = false;
    move.dir = p->direction;
    if (carrier != nullptr) {
        noteCarrierSlot(p, carrier->slot);
        if (p->team != nullptr && carrier->team != p->team) {
            const jint d = directionFromVector(p->team->runTargetX - p->x, p->team->runTargetY - p->y);
            const jint t = turnBetween(p->direction, d);
            if (t > -kRunOnTurn && t < kRunOnTurn) {
                p->direction = d;
                p->wantedDirection = d;
                move.towards = true;
                move.px = p->team->runTargetX;
                move.py = p->team->runTargetY;
            }
        }
    } else if (p->direction == p->defaultDirection && s->ball.get() != nullptr) {
        move.towards = true;
        move.px = s->ball->x;
        move.py = s->ball->y;
    }
    if (s->carrierMode == kCarrierModeHalving && s->carrierStage >= kCarrierStageHalving) {
        move.speed /= 2;
    }
}

// The move of this frame by orderMode; false when the frame's step ends here (the player was
// handed on, or turned).
bool chooseMove(CPlayer* p, Move& move) {
    GameStatics* const s = statics();
    move.px = p->targetX;
    move.py = p->targetY;
    switch (p->orderMode) {
    case kWalk:
        move.speed = p->hasBall != 0 ? p->ballRunSpeed : p->runSpeed;
        move.pose = kRunning;
        return true;
    case kSideStep:
    case kBackPedal:
    case kSideAlong:
    case kBackAlong:
        if (p->hasBall != 0) {
            p->idle();
            return false;
        }
        if (p->orderMode == kSideAlong || p->orderMode == kBackAlong) {
            move.speed = p->sideSpeed;
            move.towards = false;
            move.dir = p->targetX;
        } else {
            move.speed = p->slot == CPlayer::kKeeperSlot ? p->runSpeed : p->sideSpeed;
        }
        move.pose = p->orderMode == kSideStep || p->orderMode == kSideAlong ? kSideStepping : kBackPedalling;
        return true;
    case kRunOn:
        runOnMove(p, move);
        return true;
    case kCloseDown:
        if (p->direction == p->defaultDirection) {
            move.speed = sprintSpeedOf(p);
            move.pose = kSprinting;
            return true;
        }
        if (p != s->receivingPlayer.get()) {
            move.speed = sprintSpeedOf(p);
            move.pose = kSprinting;
            move.towards = false;
            move.dir = p->direction;
            return true;
        }
        if (turnBetween(p->direction, p->defaultDirection) == kHalfTurn && s->matchPhase == kRestartPhase9) {
            turnAboutInPhase9(p);
            p->idle();
            return false;
        }
        // The turn is this frame's move.
        p->wantedDirection = p->defaultDirection;
        p->turnStep();
        p->forcedRun = 0;
        return false;
    case kSprint:
        move.speed = sprintSpeedOf(p);
        move.pose = kSprinting;
        return true;
    default:
        return true;
    }
}

// The acceleration ramp: a player getting going reaches his cruise velocity in N steps.
void applyRamp(CPlayer* p, const bool standing) {
    const jint phase = statics()->matchPhase;
    if (standing && phase != kPresentationPhase && phase != kCelebrationPhase) {
        p->rampOn = 1;
        p->rampStep = 1;
        p->rampFrame = 0;
        if (p->state == kRunning || p->state == kSprinting) {
            p->rampFramesPerStep = 1;
        }
    } else if (p->rampOn != 0) {
        p->rampFrame += 1;
        // A step of no frames would never come round; it counts as one.
        if (p->rampFrame >= p->rampFramesPerStep) {
            p->rampFrame = 0;
            p->rampStep += 1;
        }
    }
    if (p->rampOn == 0) {
        return;
    }
    const jint n = kMatchAccelFrames + (p->accelRating < kAccelBandA   ? 0
                                        : p->accelRating < kAccelBandB ? 1
                                                                       : 2);
    if (p->rampStep >= n) {
        p->rampOn = 0;
        return;
    }
    p->vx = p->cruiseVx * p->rampStep / n;
    p->vy = p->cruiseVy * p->rampStep / n;
    if (p->vx == p->cruiseVx && p->vy == p->cruiseVy) {
        p->rampOn = 0;
    }
}

} // namespace

jint rescaleToScreen(const jint speed, const jint radius) {
    GameStatics* const s = statics();
    const jint mx = s->vectorX;
    const jint my = s->vectorY;
    if (core::approxPitchDistance(mx, my) == 0) {
        s->vectorX = 0;
        s->vectorY = 0;
        return 0;
    }
    // scaleVelocity divides by the octagonal length; the radius goes the same way.
    const jint length = core::approxDistance(mx, my);
    scaleVelocity(speed, mx, my);
    return static_cast<jint>(static_cast<jlong>(radius) * (speed * kScreenUnit >> kFixedShift) / length);
}

void screenVectorAlong(const jint speed, const jint dir) {
    GameStatics* const s = statics();
    s->vectorX = 0;
    s->vectorY = 0;
    core::directionToVector(speed, dir);
    rescaleToScreen(speed, 0);
}

jint screenVectorTowards(const jint speed, const jint dx, const jint dy, const jint radius) {
    core::scaleVectorTo(speed, dx, dy);
    return rescaleToScreen(speed, radius);
}

void CPlayer::applyBraking() {
    // A still axis stays still: braking only ever brings a motion to rest.
    if (vx != 0) {
        vx = (vx > 0 && vx + ax < 0) || (vx < 0 && vx + ax > 0) ? 0 : vx + ax;
    }
    if (vy != 0) {
        vy = (vy > 0 && vy + ay < 0) || (vy < 0 && vy + ay > 0) ? 0 : vy + ay;
    }
}

void CPlayer::stepTowardsTarget() {
    GameStatics* const s = statics();
    const bool standing = vx == 0 && vy == 0;
    if (forcedRun != 0 && orderMode == kWalk) {
        forcedRunFrames += 1;
        if (forcedRunFrames > kForcedRunFrames) {
            orderMode = kSprint;
            paceKind = kSprintPace;
            moving = 1;
            forcedRunFrames = 0;
        }
    }
    if (orderMode == kWalk || orderMode == kSideStep || orderMode == kBackPedal || orderMode == kSprint) {
        if (action != kMovingAction) {
            arrivalRadius = kWalkArrival;
        }
        if (core::approxDistance(targetX - x, targetY - y) <= arrivalRadius) {
            x = targetX;
            y = targetY;
            arrived = 1;
        } else if (stepsAway(this)) {
            arrived = 1;
        }
    }
    if (arrived != 0 && !arrive(this)) {
        return;
    }
    Move move;
    if (!chooseMove(this, move)) {
        return;
    }
    if (move.speed >= 0) {
        setState(move.pose);
        arrivalRadius = move.speed / 2 + kArrivalMargin;
        if (move.towards) {
            arrivalRadius = screenVectorTowards(move.speed, move.px - x, move.py - y, arrivalRadius);
        } else {
            s->vectorX = 0;
            s->vectorY = 0;
            core::directionToVector(move.speed, move.dir);
            arrivalRadius = rescaleToScreen(move.speed, arrivalRadius);
        }
        vx = s->vectorX;
        vy = s->vectorY;
        cruiseVx = vx;
        cruiseVy = vy;
    }
    applyRamp(this, standing);
    const bool facesMotion =
        orderMode == kWalk || orderMode == kRunOn || orderMode == kCloseDown || orderMode == kSprint;
    if (s->matchPhase != 0 && facesMotion && (vx != 0 || vy != 0)) {
        const jint d = directionFromVector(vx, vy);
        if (d != direction) {
            direction = d;
            setState(state);
        }
    }
    action = kMovingAction;
    order = kGoTo;
    if (hasBall != 0) {
        handToTeamLogic(this);
    }
}

void CPlayer::recover(const jint ticks) {
    recoverEndTime = statics()->matchTicks + static_cast<jlong>(ticks);
    if (state == kFallSoft || state == kFallHard) {
        screenVectorAlong(runSpeed, direction);
        vx = statics()->vectorX;
        vy = statics()->vectorY;
        const jint n = state == kFallHard ? kHardFallBrakeFrames : kSoftFallBrakeFrames;
        ax = -(vx / n);
        ay = -(vy / n);
    } else {
        vx = 0;
        vy = 0;
        ax = 0;
        ay = 0;
    }
    direction = defaultDirection;
    wantedDirection = defaultDirection;
    action = kRecoveringAction;
    order = 0;
    if (animFinished != 0) {
        vx = 0;
        vy = 0;
        ax = 0;
        ay = 0;
        setState(0);
    }
}

void CPlayer::turnStep() {
    const jint t = turnBetween(direction, wantedDirection);
    if (t == 0) {
        return;
    }
    if (hasBall != 0 && moving != 0) {
        // The row of this turn, from the facing before the step.
        const runtime::ObjectArray* const table = statics()->turnTable;
        const jint row = direction * kTurnTableRowStride + wantedDirection;
        if (table != nullptr && table->inBounds(row) && stepTable != nullptr) {
            const auto* const values = static_cast<const runtime::IntArray*>((*table)[row]);
            for (jint i = 0; values != nullptr && i < values->length && i < stepTable->length; ++i) {
                (*stepTable)[i] = (*values)[i];
            }
        }
    }
    const bool clockwise = t > 0;
    direction = (direction + (clockwise ? 1 : -1)) & kDirectionMask;
    if (!((t == 1 || t == -1) && controlled != 0)) {
        vx = 0;
        vy = 0;
    }
    if (hasBall != 0) {
        setState(clockwise ? kTurnRightWithBall : kTurnLeftWithBall);
    } else {
        setState(clockwise ? kTurnRight : kTurnLeft);
    }
}

} // namespace game::match
