// The ball: its moves, its flight step, its landing point, the goal box and the rectangle and
// body collisions (see Ball.h).
#include "game/match/model/Ball.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::idiv;
using runtime::jlong;

namespace {

// kickBallTo's gravity; the rebound's gravity, drag and friction, speed cap and still direction.
constexpr jint kSentGravity = 512;
constexpr jint kReboundGravity = 192;
constexpr jint kReboundDrag = 80;
constexpr jint kReboundFriction = 64;
constexpr jint kReboundSpeedCap = 2560;
constexpr jint kStillDirection = 16;
constexpr jint kDirectionShift = 8;
// Minimum steps and the slow ball's friction.
constexpr jint kMinStep = 16;
constexpr jint kMinStepKick4 = 12;
constexpr jint kSlowBallSpeed = 1024;
constexpr jint kSlowFriction = 32;
constexpr jint kSlowFrictionKick4 = 24;
// A dipping shot past its target keeps 6/10 of its drag and drops with 6/10 more gravity.
constexpr jint kDipNumerator = 6;
constexpr jint kDipDenominator = 10;
// Pitch conditions 2 and 1 scale the friction by 7/10 and 3/4.
constexpr jint kHeavyPitch = 2;
constexpr jint kSoftPitch = 1;
// A fall bounces when faster than these.
constexpr jint kRollingBounceSpeed = -256;
constexpr jint kBounceSpeed = -768;
// How far ahead a ground ball's landing is read from its path, and the path's last entry.
constexpr jint kPathLookAhead = 9;
constexpr jint kPathLast = 199;
// An airborne prediction that has not landed by then has no gravity to land with.
constexpr jint kPredictionSteps = 4096;
// The goal box: behind the line by more than 256, inside the posts, under the bar.
constexpr jint kGoalBoxNear = 135168;
constexpr jint kGoalBoxFar = 140032;
constexpr jint kGoalHalfWidth = 9728;
constexpr jint kGoalHeight = 12544;
constexpr jint kPlaneFineShift = 8;

// Body rectangles by the player's state: half width, height range; reach of a flagged player.
struct BodyBox {
    jint state, halfWidth, low, high;
};
constexpr BodyBox kBodyBoxes[] = {
    {102, 2304, 0, 3840},    {115, 2304, 3840, 7680},  {116, 2304, 7680, 11776}, {100, 2944, 3840, 9216},
    {101, 2944, 3840, 9216}, {103, 4864, 0, 3840},     {104, 4864, 0, 3840},     {105, 4608, 3840, 7680},
    {106, 4608, 3840, 7680}, {113, 4608, 7680, 11776}, {114, 4608, 7680, 11776},
};
constexpr BodyBox kDefaultBody = {0, 2304, 0, 3840};
constexpr jint kLongReachFlag = 128;
constexpr jint kLongReach = 256;
constexpr jint kFacingUp = 0;
constexpr jint kFacingDown = 4;

Actor* theBall() {
    return statics()->ball;
}

bool isRollingOrLofted(const jint state) {
    return state == kBallRolling || state == kBallLofted || state == kBallLoftedHigh;
}

bool isDriven(const jint state) {
    return state == kBallDriven || state == kBallShot;
}

// Past its target along x, in either half.
bool pastTarget(const Actor* ball) {
    return absInt(ball->x) > absInt(ball->aimX);
}

// Stops v at 0 when friction f (along direction component dir) would carry it past.
jint brake(const jint dir, const jint v, const jint f) {
    if (dir >= 0 && v <= f) {
        return 0;
    }
    if (dir <= 0 && v >= f) {
        return 0;
    }
    return v - f;
}

// The interpolated crossing of a free axis from u to next at the plane p (see ballHitsRect).
jint crossing(const jint u, const jint next, const jint c, const jint n, const jint p, const jint d) {
    return idiv((u >> kPlaneFineShift) * (n - p) + (next >> kPlaneFineShift) * (p - c), d) << kPlaneFineShift;
}

// One unit off the crossing point towards the value it came from.
jint offCrossing(const jint now, const jint cross) {
    return now >= cross ? cross + 1 : cross - 1;
}

} // namespace

void placeBall(const jint x, const jint y) {
    Actor* const ball = theBall();
    if (ball == nullptr) {
        return;
    }
    ball->x = x;
    ball->y = y;
    ball->z = 0;
    ball->vx = 0;
    ball->vy = 0;
    ball->vz = 0;
    statics()->ballState = kBallPlaced;
}

jint kickBallTo(const jint x, const jint y, jint t) {
    GameStatics* const s = statics();
    // Nothing arrives in no time: a bad caller gets one tick rather than a division by zero.
    if (t <= 0) {
        t = 1;
    }
    s->ballArrivalTick = s->matchTicks + static_cast<jlong>(t);
    Actor* const ball = s->ball;
    if (ball != nullptr) {
        ball->vx = idiv(x - ball->x, t);
        ball->vy = idiv(y - ball->y, t);
        ball->gravity = kSentGravity;
        ball->ax = 0;
        ball->ay = 0;
    }
    s->ballState = kBallSent;
    return kBallSent;
}

void ballRebound(const jint axis, const jint factor) {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    if (ball == nullptr) {
        return;
    }
    ball->gravity = kReboundGravity;
    s->airDrag = kReboundDrag;
    s->groundFriction = kReboundFriction;
    if (axis == kPlaneZ) {
        ball->vz = -ball->vz;
    } else if (axis == kPlaneY) {
        ball->vy = -ball->vy;
    } else if (axis == kPlaneX) {
        ball->vx = -ball->vx;
    }
    ball->vx =
        core::clamp(runtime::imul(ball->vx, factor) >> kDirectionShift, -kReboundSpeedCap, kReboundSpeedCap);
    ball->vy =
        core::clamp(runtime::imul(ball->vy, factor) >> kDirectionShift, -kReboundSpeedCap, kReboundSpeedCap);
    ball->vz = runtime::imul(ball->vz, factor) >> kDirectionShift;
    const jint speed = core::approxDistance(ball->vx, ball->vy);
    if (speed == 0) {
        s->ballDirX = kStillDirection;
        s->ballDirY = kStillDirection;
    } else {
        s->ballDirX = idiv(ball->vx << kDirectionShift, speed);
        s->ballDirY = idiv(ball->vy << kDirectionShift, speed);
    }
    s->ballState = kBallRebounding;
    s->ballGrounded = 1;
    s->ballBounced = 1;
}

jint minBallStep(const jint v) {
    const GameStatics* const s = statics();
    if (s->ballBounced == 0 && isRollingOrLofted(s->ballState)) {
        return v;
    }
    const jint m = s->ballState == kBallKick4 ? kMinStepKick4 : kMinStep;
    if (v < 0 && v > -m) {
        return -m;
    }
    if (v >= 0 && v < m) {
        return m;
    }
    return v;
}

void ballFriction(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    const GameStatics* const s = statics();
    const jint state = s->ballState;
    jint k = 0;
    const bool slow = core::approxDistance(ball->vx, ball->vy) <= kSlowBallSpeed;
    if (slow && (!(state == kBallLofted || state == kBallLoftedHigh) || s->ballBounced != 0) &&
        state != kBallKick5) {
        k = state == kBallKick4 ? kSlowFrictionKick4 : kSlowFriction;
    } else {
        k = ball->z > 0 ? s->airDrag : s->groundFriction;
        if (isDriven(state) && s->ballDips != 0 && pastTarget(ball)) {
            k = idiv(k * kDipNumerator, kDipDenominator);
        }
    }
    jint fx = minBallStep((s->ballDirX * k) >> kDirectionShift);
    jint fy = minBallStep((s->ballDirY * k) >> kDirectionShift);
    if (s->pitchCondition == kHeavyPitch) {
        fx = idiv(7 * fx, 10);
        fy = idiv(7 * fy, 10);
    } else if (s->pitchCondition == kSoftPitch) {
        fx = idiv(3 * fx, 4);
        fy = idiv(3 * fy, 4);
    }
    ball->ax = fx;
    ball->ay = fy;
}

void applyBallFriction(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    const GameStatics* const s = statics();
    ball->vx = brake(s->ballDirX, ball->vx, ball->ax);
    ball->vy = brake(s->ballDirY, ball->vy, ball->ay);
}

void ballVerticalStep(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    const jint state = s->ballState;
    if (ball->vz < 0 && ball->z < 1) {
        const jint bounceBelow = state == kBallRolling ? kRollingBounceSpeed : kBounceSpeed;
        if (ball->vz < bounceBelow) {
            if (s->pitchCondition != 0) {
                ball->vz = -(ball->vz >> 2);
            } else if (isDriven(state)) {
                ball->vz = idiv(-ball->vz, 3);
            } else {
                ball->vz = -(ball->vz >> 1);
            }
            if (state != kBallRolling && state != kBallKick5) {
                // The bounce carries the ball on along its flight.
                ball->vx += (s->ballDirX * (ball->vz >> 2)) >> kDirectionShift;
                ball->vy += (s->ballDirY * (ball->vz >> 2)) >> kDirectionShift;
                s->ballBounced = 1;
                s->ballGrounded = 1;
            }
        } else {
            ball->z = 0;
            ball->vz = 0;
            if (state != kBallRolling && state != kBallKick5) {
                s->ballGrounded = 1;
            }
        }
    } else if (ball->z != 0 || ball->vz != 0) {
        if (state == kBallShot && s->ballDips != 0 && ball->vz < 0 && pastTarget(ball)) {
            ball->vz -= idiv(kDipNumerator * ball->gravity, kDipDenominator);
        } else {
            ball->vz -= ball->gravity;
        }
    }
    ballFriction(ball);
    applyBallFriction(ball);
}

void predictLanding(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    if (s->ballState != kBallRolling && (ball->z > 0 || ball->vz != 0)) {
        const jint x = ball->x, y = ball->y, z = ball->z;
        const jint vx = ball->vx, vy = ball->vy, vz = ball->vz;
        ball->x += ball->vx;
        ball->y += ball->vy;
        ball->z += ball->vz;
        ball->ax = (s->airDrag * s->ballDirX) >> kDirectionShift;
        ball->ay = (s->airDrag * s->ballDirY) >> kDirectionShift;
        jint steps = 0;
        while (ball->z > 0 && steps < kPredictionSteps) {
            ball->vz -= ball->gravity;
            ballFriction(ball);
            applyBallFriction(ball);
            ball->x += ball->vx;
            ball->y += ball->vy;
            ball->z += ball->vz;
            ++steps;
        }
        if (steps == kPredictionSteps) {
            runtime::log("predictLanding: the ball does not come down (gravity %d)", ball->gravity);
        }
        ball->aimX = ball->x;
        ball->aimY = ball->y;
        ball->x = x;
        ball->y = y;
        ball->z = z;
        ball->vx = vx;
        ball->vy = vy;
        ball->vz = vz;
    } else {
        const runtime::IntArray* const pathX = s->ballPathX;
        const runtime::IntArray* const pathY = s->ballPathY;
        const jint k = core::clamp(s->ballPathIndex + kPathLookAhead, 0, kPathLast);
        if (pathX != nullptr && pathY != nullptr && pathX->inBounds(k) && pathY->inBounds(k)) {
            ball->aimX = (*pathX)[k];
            ball->aimY = (*pathY)[k];
        }
    }
    s->ballGrounded = 0;
}

bool isBallInGoal() {
    const Actor* const ball = theBall();
    if (ball == nullptr) {
        return false;
    }
    const jint ax = absInt(ball->x);
    return ax > kGoalBoxNear && ax < kGoalBoxFar && ball->y > -kGoalHalfWidth && ball->y < kGoalHalfWidth &&
           ball->z < kGoalHeight;
}

bool ballHitsRect(Actor* const actor, const jint mode, const jint p, const jint a1, const jint a2,
                  const jint b2, const jint b1) {
    if (actor == nullptr) {
        return false;
    }
    const jint nextX = actor->x + actor->vx;
    const jint nextY = actor->y + actor->vy;
    const jint nextZ = actor->z + actor->vz > 0 ? actor->z + actor->vz : 0;
    // The plane's coordinate now and after the step; the two free axes now and after.
    jint* plane = &actor->x;
    jint* first = &actor->y;
    jint* second = &actor->z;
    jint n = nextX, firstNext = nextY, secondNext = nextZ;
    if (mode == kPlaneZ) {
        plane = &actor->z;
        first = &actor->x;
        second = &actor->y;
        n = nextZ;
        firstNext = nextX;
        secondNext = nextY;
    } else if (mode == kPlaneY) {
        plane = &actor->y;
        first = &actor->x;
        n = nextY;
        firstNext = nextX;
    }
    const jint c = *plane;
    if ((c > p && n > p) || (c < p && n < p)) {
        return false;
    }
    const jint d = n == c ? 1 : n - c;
    const jint u = crossing(*first, firstNext, c, n, p, d);
    const jint w = crossing(*second, secondNext, c, n, p, d);
    if (u < a1 || u > a2 || w < b1 || w > b2) {
        return false;
    }
    *first = offCrossing(*first, u);
    *second = offCrossing(*second, w);
    *plane = c >= p ? p + 1 : p - 1;
    return true;
}

bool CPlayer::ballHitsBody() {
    GameStatics* const s = statics();
    BodyBox box = kDefaultBody;
    for (const BodyBox& entry : kBodyBoxes) {
        if (entry.state == state) {
            box = entry;
        }
    }
    const jint reach = (flags & kLongReachFlag) != 0 ? kLongReach : reachValue;
    const jint reachUp = reach > 0 ? reach : 0;
    const jint low = z + (box.low - reachUp > 0 ? box.low - reachUp : 0);
    const jint high = z + box.high + reachUp;
    const bool alongY = direction == kFacingUp || direction == kFacingDown;
    const jint centre = alongY ? x : y;
    const jint plane = alongY ? y : x;
    s->lastBodyBox[0] = plane;
    s->lastBodyBox[1] = centre - box.halfWidth - reach;
    s->lastBodyBox[2] = centre + box.halfWidth + reach;
    s->lastBodyBox[3] = low;
    s->lastBodyBox[4] = high;
    return ballHitsRect(s->ball, alongY ? kPlaneY : kPlaneX, plane, s->lastBodyBox[1], s->lastBodyBox[2],
                        high, low);
}

} // namespace game::match
