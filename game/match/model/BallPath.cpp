// The ball's planned flight: the path tables filled by flying the ball itself tick by tick (a
// swerving shot's flight bent into a circular arc), then the ball put back as it was; and the
// choice of shot at a shooter's contact.
#include "game/match/model/BallPath.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::idiv;
using runtime::imul;

namespace {

constexpr jint kFixedShift = 8;
constexpr jint kUnitDirection = 256;
constexpr jint kPercent = 100;
// A slowing ground pass takes its aim point where its speed first falls to this.
constexpr jint kSlowingSpeed = 1024;
// The shot at contact: a dipping shot from flag bit 4 (16) in zone 3 after a hold of more than 5
// ticks; a swerve of radius 150 % from bit 2 (4). Its height is the kick's plus a quarter of the
// height at which the ball was met.
constexpr jint kDippingShotFlag = 16;
constexpr jint kDippingShotZone = 3;
constexpr jint kDippingShotHold = 5;
constexpr jint kSwervingShotFlag = 4;
constexpr jint kSwerveCurve = 150;
constexpr jint kMetHeightShare = 4;
constexpr jint kStraight = -1;

struct PathTables {
    runtime::IntArray* x;
    runtime::IntArray* y;
    runtime::IntArray* z;
    runtime::BoolArray* bounced;
    runtime::BoolArray* grounded;
};

// The ball's fields a plan puts back.
struct SavedBall {
    jint x, y, z, vx, vy, vz, ax, ay, gravity;
    runtime::jbyte bounced, grounded;
};

bool tablesComplete(const PathTables& t) {
    return t.x != nullptr && t.y != nullptr && t.z != nullptr && t.bounced != nullptr &&
           t.grounded != nullptr && t.x->length >= kBallPathLength && t.y->length >= kBallPathLength &&
           t.z->length >= kBallPathLength && t.bounced->length >= kBallPathLength &&
           t.grounded->length >= kBallPathLength;
}

void store(const PathTables& t, const jint k, const jint x, const jint y, const jint z) {
    const GameStatics* const s = statics();
    (*t.x)[k] = x;
    (*t.y)[k] = y;
    (*t.z)[k] = z;
    (*t.bounced)[k] = s->ballBounced;
    (*t.grounded)[k] = s->ballGrounded;
}

// One flight step of the ball: gravity, bounce and friction, then the move.
void flightStep(Actor* ball) {
    GameStatics* const s = statics();
    s->ballBounced = 0;
    s->ballGrounded = 0;
    ballVerticalStep(ball);
    ball->x += ball->vx;
    ball->y += ball->vy;
    ball->z += ball->vz;
}

// The flight until the ball reaches a swerving shot's target or lands; the entry it ends on, or
// -1 when all entries were flown without an end.
jint flyFlightPart(const PathTables& t, Actor* ball, const jint curve, const jint x0) {
    GameStatics* const s = statics();
    for (jint k = 0; k < kBallPathLength; ++k) {
        flightStep(ball);
        const bool targetReached = s->ballState == kBallDriven && curve >= 1 && ball->z >= ball->aimZ &&
                                   (x0 > 0 ? ball->x >= ball->aimX : ball->x <= ball->aimX);
        if (targetReached) {
            store(t, k, ball->x, ball->y, ball->z);
            return k;
        }
        if (ball->z < 0) {
            ball->z = 0;
            store(t, k, ball->x, ball->y, ball->z);
            if (s->ballState == kBallLofted || s->ballState == kBallLoftedHigh) {
                ball->aimX = ball->x;
                ball->aimY = ball->y;
            }
            return k;
        }
        store(t, k, ball->x, ball->y, ball->z);
    }
    return -1;
}

// The distance of (px, py) from (x0, y0) along the ball's direction.
jint alongFlight(const jint px, const jint py, const jint x0, const jint y0) {
    const GameStatics* const s = statics();
    return (imul(py - y0, s->ballDirY) >> kFixedShift) + (imul(px - x0, s->ballDirX) >> kFixedShift);
}

// Bends entries 0..e into a circular arc of radius curve % of the flight's length from the start
// to entry e, bowed towards side s, and turns the ball along the arc's last step.
void swerve(const PathTables& t, Actor* ball, const jint e, const jint curve, const jint side, const jint x0,
            const jint y0) {
    GameStatics* const s = statics();
    const jint sign = side != 0 ? side : core::randomRange(0, 1) * 2 - 1;
    const jint L = absInt(alongFlight((*t.x)[e], (*t.y)[e], x0, y0));
    const jint R = idiv(imul(L, curve), kPercent);
    const jint c = R - idiv(L, 2);
    const jint S0 = core::fixedSqrt(imul(R >> kFixedShift, R) - idiv(imul(L >> kFixedShift, L), 4));
    const jint dirX = s->ballDirX;
    const jint dirY = s->ballDirY;
    for (jint k = 0; k <= e; ++k) {
        const jint arc = alongFlight((*t.x)[k], (*t.y)[k], x0, y0) + c;
        const jint h = core::fixedSqrt(imul(2 * R - arc, arc >> kFixedShift)) - S0;
        const jint a = arc - c;
        (*t.x)[k] = x0 + (imul(a, dirX) >> kFixedShift) - (imul(imul(h, dirY), sign) >> kFixedShift);
        (*t.y)[k] =
            sign * (sign * y0 + (imul(imul(a, dirY), sign) >> kFixedShift) + (imul(h, dirX) >> kFixedShift));
    }
    if (e == 0) {
        s->ballDirX = 0;
        s->ballDirY = 0;
        ball->vx = 0;
        ball->vy = 0;
        return;
    }
    const jint dx = (*t.x)[e] - (*t.x)[e - 1];
    const jint dy = (*t.y)[e] - (*t.y)[e - 1];
    jint d = core::approxDistance(dx, dy);
    if (d == 0) {
        d = 1;
    }
    s->ballDirX = idiv(dx << kFixedShift, d);
    s->ballDirY = idiv(dy << kFixedShift, d);
    rescaleBallFriction(kUnitDirection, s->ballDirX, s->ballDirY);
    const jint v = core::approxDistance(ball->vx, ball->vy);
    ball->vx = imul(s->ballDirX, v) >> kFixedShift;
    ball->vy = imul(s->ballDirY, v) >> kFixedShift;
}

// The ball on from where the flight part ended, entries e + 1 on; a ball that stops repeats its
// last entry to the end of the table.
void rollOut(const PathTables& t, Actor* ball, const jint e) {
    GameStatics* const s = statics();
    for (jint k = e + 1; k < kBallPathLength; ++k) {
        if (s->ballState == kBallRolling && s->ballDips != 0 &&
            core::approxDistance(ball->vx, ball->vy) <= kSlowingSpeed) {
            ball->aimX = ball->x;
            ball->aimY = ball->y;
            s->ballDips = 0;
        }
        if (ball->vx == 0 && ball->vy == 0 && ball->vz == 0) {
            // The ball tick places the ball on the first repeated entry, so it never goes past
            // them; the rest of the table repeats the point too, so that a reader scanning the
            // whole table finds no earlier plan's flight there.
            for (jint j = k; j < kBallPathLength; ++j) {
                store(t, j, (*t.x)[j - 1], (*t.y)[j - 1], (*t.z)[j - 1]);
            }
            return;
        }
        flightStep(ball);
        if (ball->z < 0) {
            ball->z = 0;
        }
        store(t, k, ball->x, ball->y, ball->z);
    }
}

} // namespace

void planBallPath(const jint curve, const jint side) {
    GameStatics* const s = statics();
    s->ballPathIndex = 0;
    Actor* const ball = s->ball;
    const PathTables t{s->ballPathX, s->ballPathY, s->ballPathZ, s->ballPathBounced, s->ballPathGrounded};
    if (ball == nullptr || !tablesComplete(t)) {
        runtime::log("planBallPath: no ball or no path tables to plan in");
        return;
    }
    const SavedBall saved{ball->x,  ball->y,  ball->z,       ball->vx,       ball->vy,       ball->vz,
                          ball->ax, ball->ay, ball->gravity, s->ballBounced, s->ballGrounded};
    const jint x0 = ball->x;
    const jint y0 = ball->y;
    const jint e = flyFlightPart(t, ball, curve, x0);
    if (e >= 0) {
        if (curve >= 1) {
            swerve(t, ball, e, curve, side, x0, y0);
        }
        rollOut(t, ball, e);
    }
    ball->x = saved.x;
    ball->y = saved.y;
    ball->z = saved.z;
    ball->vx = saved.vx;
    ball->vy = saved.vy;
    ball->vz = saved.vz;
    ball->ax = saved.ax;
    ball->ay = saved.ay;
    ball->gravity = saved.gravity;
    s->ballBounced = saved.bounced;
    s->ballGrounded = saved.grounded;
}

void kickShot(CPlayer* const kicker) {
    if (kicker == nullptr || kicker->team == nullptr) {
        runtime::log("kickShot: no kicker or no team");
        return;
    }
    const GameStatics* const s = statics();
    const jint height = kicker->kickMode + idiv(kicker->kickBallHeight, kMetHeightShare);
    if ((kicker->flags & kDippingShotFlag) != 0 &&
        kicker->team->zoneOfCell(kicker->cellX, kicker->cellY) == kDippingShotZone &&
        s->holdTicks > kDippingShotHold) {
        kickPower() = 0;
        kickBall(kBallShot, kicker->kickTargetX, kicker->kickTargetY, height, kStraight, kStraight);
        return;
    }
    // Every driven shot goes at the shooter's own power, never at what the last kick left.
    kickPower() = kicker->shotPower;
    if ((kicker->flags & kSwervingShotFlag) != 0 && kicker->kickMode > 0 && core::randomRange(0, 1) == 0) {
        kickBall(kBallDriven, kicker->kickTargetX, kicker->kickTargetY, height, kSwerveCurve, 0);
        return;
    }
    kickBall(kBallDriven, kicker->kickTargetX, kicker->kickTargetY, height, kStraight, kStraight);
}

} // namespace game::match
