// The ball's tick (see BallTick.h).
#include "game/match/model/BallTick.h"

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallRuns.h"

namespace game::match {

namespace {

// The path tables' last entry, and how far ahead the ground pass looks.
constexpr jint kPathLast = 199;
constexpr jint kLookAhead = 9;
constexpr jint kBounceTicks = 10;
constexpr jint kOffPath = 1280;
// The wet pitch leaves four marks of {x, y, frame}.
constexpr jint kWetPitch = 2;
constexpr jint kMarks = 4;
constexpr jint kMarkInts = 3;
constexpr jint kFirstStateAbove = 11;

jint pathAt(const runtime::IntArray* path, const jint i) {
    return path != nullptr && path->inBounds(i) ? (*path)[i] : 0;
}

bool flagAt(const runtime::BoolArray* flags, const jint i) {
    return flags != nullptr && flags->inBounds(i) && (*flags)[i] != 0;
}

// The path entry i (0..199) of the tables.
jint entry(const jint i) {
    return std::clamp(i, 0, kPathLast);
}

void leaveMark(const Actor* ball) {
    GameStatics* const s = statics();
    if (s->pitchCondition != kWetPitch || (ball->vx == 0 && ball->vy == 0) || ball->z != 0) {
        return;
    }
    projectToScreen(ball->x, ball->y, 0);
    const jint m = core::floorMod(s->ballMarkNext, kMarks);
    s->ballMarks[m * kMarkInts] = s->projectedX;
    s->ballMarks[m * kMarkInts + 1] = s->projectedY;
    s->ballMarks[m * kMarkInts + 2] = 0;
    s->ballMarkNext = (m + 1) % kMarks;
}

// A ground pass that has bounced for ten ticks is grounded when its path strays from its target.
void watchGroundPass(const Actor* ball) {
    GameStatics* const s = statics();
    if (s->ballBounced != 0) {
        s->bounceTicks += 1;
    }
    if (s->ballGrounded == 0 && s->bounceTicks >= kBounceTicks) {
        const jint i = entry(s->ballPathIndex + kLookAhead);
        if (core::approxDistance(ball->aimX - pathAt(s->ballPathX, i), ball->aimY - pathAt(s->ballPathY, i)) >
            kOffPath) {
            s->ballGrounded = 1;
        }
        s->bounceTicks = 0;
    }
}

void followPath(Actor* ball) {
    GameStatics* const s = statics();
    if (s->ballSortsAbove == 0) {
        const jint i = entry(s->ballPathIndex);
        ball->vx = pathAt(s->ballPathX, i) - ball->x;
        ball->vy = pathAt(s->ballPathY, i) - ball->y;
        ball->vz = pathAt(s->ballPathZ, i) - ball->z;
        s->ballBounced =
            static_cast<runtime::jbyte>(s->ballBounced | (flagAt(s->ballPathBounced, i) ? 1 : 0));
        s->ballGrounded =
            static_cast<runtime::jbyte>(s->ballGrounded | (flagAt(s->ballPathGrounded, i) ? 1 : 0));
    }
    ballHitsGoalFrame(ball);
    ballHitsBoards(ball);
    if (s->ballGrounded != 0) {
        predictLanding(ball);
    }
}

// One axis of a ball sent over a time: braked by b until it would turn back, then still.
jint brake(const jint v, const jint b) {
    return static_cast<runtime::jlong>(v - b) * b >= 0 ? v - b : 0;
}

void updateTrail(const Actor* ball) {
    GameStatics* const s = statics();
    if (ball->vx == 0 && ball->vy == 0 && ball->vz == 0) {
        s->ballTrailOn = 0;
        return;
    }
    s->ballTrailOn = 1;
    runtime::IntArray* const trail = s->ballTrail;
    const jint n = s->ballTrailLength;
    const bool shot = s->ballState == kBallDriven || s->ballState == kBallShot;
    const jint d = shot ? n + 1 : n / 2 + 1;
    for (jint k = 1; k <= n && trail != nullptr; ++k) {
        const jint at = (k - 1) * s->ballTrailStride;
        if (at < 0 || !trail->inBounds(at + 2)) {
            break;
        }
        (*trail)[at] = ball->x - runtime::idiv(ball->x - ball->prevX, d) * k;
        (*trail)[at + 1] = ball->y - runtime::idiv(ball->y - ball->prevY, d) * k;
        (*trail)[at + 2] = ball->z - runtime::idiv(ball->z - ball->prevZ, d) * k;
    }
}

} // namespace

void ballTick(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    leaveMark(ball);
    const jint state = s->ballState;
    switch (state) {
    case kBallRolling:
        watchGroundPass(ball);
        followPath(ball);
        break;
    case kBallLofted:
    case kBallDriven:
    case kBallRebounding:
    case kBallKick4:
    case kBallKick5:
    case kBallShot:
    case kBallLoftedHigh:
        followPath(ball);
        break;
    case kBallPlaced:
        ball->aimX = ball->x;
        ball->aimY = ball->y;
        return;
    case kBallSent:
        ball->vx = brake(ball->vx, ball->ax);
        ball->vy = brake(ball->vy, ball->ay);
        ball->vz = ball->z < 1 ? 0 : ball->vz - ball->gravity;
        break;
    default:
        if (state < kFirstStateAbove) {
            return;
        }
        updateTrail(ball);
        return;
    }
    if (ball->vx == 0 && ball->vy == 0 && ball->vz == 0) {
        ball->z = 0;
        s->ballState = kBallPlaced;
    }
    updateTrail(ball);
}

} // namespace game::match
