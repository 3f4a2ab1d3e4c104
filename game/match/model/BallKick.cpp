// The ball kick and the screen-proportioned rescale of its friction (see BallKick.h).
#include "game/match/model/BallKick.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/model/Ball.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::idiv;

namespace {

constexpr jint kFixedShift = 8;
constexpr jint kScreenUnit = 480;
constexpr jint kUnitDirection = 256;
// Ground kicks: a pass of kind 0 runs 8192 past its target, within these bounds; a ball leaves
// with a fifth of its speed upwards and is lifted off the ground.
constexpr jint kGroundRunOn = 8192;
constexpr jint kMinKick = 6144;
constexpr jint kMaxKick = 184320;
constexpr jint kLiftSpeedDivisor = 5;
constexpr jint kLiftBelow = 1024;
// Lofted kicks: gravity falls from the short kick's to the long kick's over this span.
constexpr jint kLoftSpan = 87040;
constexpr jint kLoftSpanDivisor = 97280;
constexpr jint kLoftGravityScale = 100;
constexpr jint kLoftGravityBase = 200;
constexpr jint kStrongGravityScale = 128;
constexpr jint kStrongGravityBase = 256;
// Shots: the goal mouth (posts and bar), where a high shot dips, the long shot's shortening and
// the near-goal launch divisor.
constexpr jint kPostY = 9728;
constexpr jint kBarHeight = 12544;
constexpr jint kDipFromX = 91649;
constexpr jint kLongShot = 40961;
constexpr jint kHighTarget = 13248;
constexpr jint kGoalX = 135168;
constexpr jint kNearGoal = 64000;
constexpr jint kShotDivisor = 5;
constexpr jint kNearShotDivisor = 4;
constexpr jint kPenaltyPhase = 8;
constexpr jint kPenaltySetPiece = 5;
constexpr jint kLiftStageAbove = 9;
constexpr jint kStageLift = 1024;
constexpr jint kPowerLevels = 8;
// The short push of kind 4.
constexpr jint kPushGravity = 200;
constexpr jint kPushFriction = 64;
constexpr jint kPushDrag = 40;
constexpr jint kPushRise = 2048;
constexpr jint kPushSpeedTerm = 20;
constexpr jint kPushVz = 1024;
// The goal lines the planned path is checked against.
constexpr jint kPlusGoalLine = 135168;
constexpr jint kMinusGoalLine = -135167;

// Kick parameter i (MatchTuning.h) as the static set-up left it.
jint kickParameter(const jint i) {
    return statics()->matchTiming[i];
}

// Entry `level` of a shot parameter array, 0 without the array.
jint powerEntry(const runtime::IntArray* table, const jint level) {
    return table != nullptr && table->inBounds(level) ? (*table)[level] : 0;
}

// The kicks along the ground (0 and 5).
void launchGround(Actor* ball, const jint kind, const jint d) {
    GameStatics* const s = statics();
    const jint power = kickPower();
    ball->gravity = power + kickParameter(kKickG0);
    s->groundFriction = power + kickParameter(kKickG1);
    s->airDrag = power + kickParameter(kKickG2);
    kickPower() = 0;
    jint reach = d;
    if (kind == kBallRolling) {
        reach = core::clamp(d + kGroundRunOn, kMinKick, kMaxKick);
        s->ballDips = reach != d + kGroundRunOn ? 1 : 0;
    }
    rescaleBallFriction(kUnitDirection, s->ballDirX, s->ballDirY);
    const jint speed = core::fixedSqrt((s->airDrag * reach) >> 7);
    ball->vx = (s->ballDirX * speed) >> kFixedShift;
    ball->vy = (s->ballDirY * speed) >> kFixedShift;
    ball->vz = idiv(speed, kLiftSpeedDivisor);
    if (ball->z < kLiftBelow) {
        ball->z = 1;
    }
    s->ballGrounded = kind == kBallKick5 ? 1 : 0;
}

// The lofted kicks (1 and 10).
void launchLofted(Actor* ball, const jint kind, const jint h, const jint d) {
    GameStatics* const s = statics();
    const jint reach = core::clamp(d, kMinKick, kMaxKick);
    jint g = 0;
    if (kind == kBallLoftedHigh) {
        g = idiv((kLoftSpan - reach) * kLoftGravityScale, kLoftSpanDivisor) + kLoftGravityBase;
        s->groundFriction = kickParameter(kKickL7);
        s->airDrag = kickParameter(kKickL8);
    } else if (s->strongKick != 0) {
        g = idiv((kLoftSpan - reach) * kStrongGravityScale, kLoftSpanDivisor) + kStrongGravityBase;
        s->groundFriction = kickParameter(kKickL5);
        s->airDrag = kickParameter(kKickL6);
    } else {
        g = idiv((kLoftSpan - reach) * kLoftGravityScale, kLoftSpanDivisor) + kLoftGravityBase;
        s->groundFriction = kickParameter(kKickL3);
        s->airDrag = kickParameter(kKickL4);
    }
    ball->gravity = g;
    rescaleBallFriction(kUnitDirection, s->ballDirX, s->ballDirY);
    const jint b = s->airDrag;
    const jint speed = core::fixedSqrt(idiv(b * reach * 8, 3) >> kFixedShift);
    ball->vx = (s->ballDirX * speed) >> kFixedShift;
    ball->vy = (s->ballDirY * speed) >> kFixedShift;
    // The launch that comes down at the reach from the height difference; a flight of no time
    // when nothing can be divided.
    const jint den = ((b * speed) >> kFixedShift) * 4;
    ball->vz = idiv(((h - ball->z) >> kFixedShift) * b * b * 8 + ((speed * speed) >> kFixedShift) * g, den);
    const jint t = den == 0 ? 0 : idiv(b * ball->vz * 4 - g * speed, b * g * 2);
    const jint r = reach + ((b * t * t) >> 1) + (speed >> 1) * t;
    s->landingX = ball->x + ((s->ballDirX * r) >> kFixedShift);
    s->landingY = ball->y + ((s->ballDirY * r) >> kFixedShift);
    if (ball->z > 0) {
        ball->vz -= idiv(ball->vz, 8);
    } else {
        ball->z = 1;
    }
}

// The shots (2 and 9).
void launchShot(Actor* ball, const jint kind, const jint y, const jint h, const jint d) {
    GameStatics* const s = statics();
    const bool onTarget = y >= -kPostY && y <= kPostY;
    if (onTarget && h <= kBarHeight) {
        s->creditedPlayer = s->lastTouchPlayer;
    }
    const jint level = kind == kBallShot ? 0 : core::clamp(kickPower(), 0, kPowerLevels - 1);
    jint g = powerEntry(s->matchScaleA, level);
    s->groundFriction = s->matchScaleMid;
    const jint b = powerEntry(s->matchScaleB, level);
    s->airDrag = b;
    if (absInt(ball->x) >= kDipFromX && onTarget && h > kBarHeight) {
        g -= idiv(g, 4);
        s->ballDips = 1;
    }
    ball->gravity = g;
    const jint reach = d >= kLongShot ? d - idiv(d, 4) : d;
    const jint cap = powerEntry(s->matchScaleC, level) << kFixedShift;
    const jint root = core::fixedSqrt(idiv(b * reach * 32, 7) >> kFixedShift);
    const jint speed = root < cap ? root : cap;
    ball->vx = (s->ballDirX * speed) >> kFixedShift;
    ball->vy = (s->ballDirY * speed) >> kFixedShift;
    if (ball->z != h) {
        const bool nearGoal = h > kHighTarget && core::approxDistance(ball->x - kGoalX, ball->y) <= kNearGoal;
        const jint k = nearGoal ? kNearShotDivisor : kShotDivisor;
        const jint den = ((b * speed) >> kFixedShift) * k;
        const jint vz =
            idiv(((ball->z - h) >> kFixedShift) * b * b * 8 - ((speed * speed) >> kFixedShift) * g, den);
        ball->vz = ball->z < h ? -vz : vz;
    } else {
        ball->vz = idiv(g * speed, b) >> 4;
    }
    if (s->matchPhase == kPenaltyPhase || s->setPieceKind == kPenaltySetPiece) {
        if (s->phaseTeam == 1) {
            s->carrierStage = core::randomRange(1, 12);
        }
        if (s->carrierStage > kLiftStageAbove) {
            ball->vz += kStageLift;
        }
    }
    if (ball->z <= 0) {
        ball->z = 1;
    }
    s->ballGrounded = 1;
}

// The short push (kind 4): a hop of ten ticks that covers the distance.
void launchPush(Actor* ball, const jint d) {
    GameStatics* const s = statics();
    ball->gravity = kPushGravity;
    s->groundFriction = kPushFriction;
    s->airDrag = kPushDrag;
    const jint t = kPushRise / kPushGravity;
    const jint speed = ((d + t * t * kPushSpeedTerm) * 2) / (t * 2);
    ball->vx = (s->ballDirX * speed) >> kFixedShift;
    ball->vy = (s->ballDirY * speed) >> kFixedShift;
    ball->vz = kPushVz;
    s->ballGrounded = 1;
}

} // namespace

jint& kickPower() {
    return statics()->matchTiming[kKickPowerStart];
}

void rescaleBallFriction(const jint len, const jint dirX, const jint dirY) {
    const jint length = core::approxPitchDistance(dirX, dirY);
    if (length == 0) {
        return;
    }
    GameStatics* const s = statics();
    const jint scale = (len * kScreenUnit) >> kFixedShift;
    s->groundFriction = idiv(s->groundFriction * scale, length);
    s->airDrag = idiv(s->airDrag * scale, length);
}

void kickBall(const jint kind, const jint x, const jint y, const jint h, const jint curve, const jint side) {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    if (ball == nullptr) {
        runtime::log("kickBall: no ball to kick (kind %d)", kind);
        return;
    }
    const jint dx = x - ball->x;
    const jint dy = y - ball->y;
    jint d = 0;
    if (kind == kBallRolling || kind == kBallLofted || kind == kBallLoftedHigh) {
        const jint ax = absInt(dx);
        const jint ay = absInt(dy);
        d = core::fixedSqrt((ay >> kFixedShift) * ay + (ax >> kFixedShift) * ax);
    } else {
        d = core::approxDistance(dx, dy);
    }
    d = d > 1 ? d : 1;
    s->kickDistance = d;
    ball->aimX = x;
    ball->aimY = y;
    ball->aimZ = h;
    s->ballDirX = idiv(dx << kFixedShift, d);
    s->ballDirY = idiv(dy << kFixedShift, d);
    s->ballDips = 0;
    s->ballGrounded = 0;
    s->kickLaunchFlag = 0;
    s->ballState = kind;
    switch (kind) {
    case kBallRolling:
    case kBallKick5:
        launchGround(ball, kind, d);
        break;
    case kBallLofted:
    case kBallLoftedHigh:
        launchLofted(ball, kind, h, d);
        break;
    case kBallDriven:
    case kBallShot:
        launchShot(ball, kind, y, h, d);
        break;
    case kBallKick4:
        launchPush(ball, d);
        break;
    default:
        break;
    }
    planBallPath(curve, side);
    s->pathLeavesPlusX = 0;
    s->pathLeavesMinusX = 0;
    const runtime::IntArray* const pathX = s->ballPathX;
    if ((kind == kBallLofted || kind == kBallLoftedHigh) && pathX != nullptr) {
        for (jint i = 0; i < kBallPathLength && i < pathX->length; ++i) {
            if ((*pathX)[i] >= kPlusGoalLine) {
                s->pathLeavesPlusX = 1;
            }
            if ((*pathX)[i] < kMinusGoalLine) {
                s->pathLeavesMinusX = 1;
            }
        }
    }
}

} // namespace game::match
