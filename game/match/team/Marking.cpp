// Marking and challenges: how far a marker stands off his opponent and whether he runs
// (markingRun), a player sent at the opposing ball player who is made to shield the ball
// (tryWinBall), and the move onto the ball player's closing point (closeDown).
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/team/CommandKinds.h"

namespace game::match {

using namespace command;
using runtime::jlong;

namespace {

constexpr jint kOpenPlay = 0;
// Player actions: free, and on the ball.
constexpr jint kFreeAction = 0;
constexpr jint kOnBallAction = 1;
// markingRun: distances in steps of 256; the pressure that puts the marker on his man; the
// stand-offs; beyond this the marker runs to the closing point instead.
constexpr jint kStepShift = 8;
constexpr jint kCloseSteps = 40;
constexpr jint kPressureLimit = 40;
constexpr jint kTightStandOff = 0;
constexpr jint kGoalSideStandOff = 40;
constexpr jint kStandOff = 30;
constexpr jint kRunSteps = 31;
constexpr jint kClosingRange = 7680;
constexpr jint kTowardsOwnGoal = 6;
// A loose ball: from tick 20 on, every 15 ticks the stand-off shrinks by 5.
constexpr jint kShrinkFrom = 20;
constexpr jint kShrinkEvery = 15;
constexpr jint kShrinkStep = 5;
// tryWinBall: the shield's reach and timers, the closing of a still ball player, the reach of a
// challenge.
constexpr jint kShieldReach = 5120;
constexpr jint kTurnTicks = 10;
constexpr jint kShieldTicks = 40;
constexpr jint kSettledTicks = 11;
constexpr jint kClosingReach = 6144;
constexpr jint kOnHim = 2049;
constexpr jint kAtPoint = 31;
constexpr jint kReachMargin = 1280;
constexpr jint kLineRole = 3;
// closeDown: this near the point a marker whose man is busy stays.
constexpr jint kNearPoint = 21;

bool standsStill(const CPlayer* p) {
    return p->vx == 0 && p->vy == 0;
}

// Empties player i's queue when the command under way is a WAIT.
void dropWait(CTeam* team, const jint i) {
    if (team->queuedKind(i, 0) == kWait) {
        team->emptyQueue(i);
    }
}

} // namespace

bool CTeam::markingRun(CPlayer* const p, const CPlayer* const o) {
    GameStatics* const s = statics();
    if (p == nullptr || o == nullptr) {
        return false;
    }
    const bool goalSide = sideFlag != 0 ? o->x > p->x : o->x < p->x;
    const jint steps = p->distanceToBall >> kStepShift;
    if (o->action != kFreeAction && o->action != kOnBallAction) {
        markPointTowardsGoal(p->markedSlot, s->markDistance);
        return false;
    }
    if (o->action == kFreeAction) {
        if (steps < kCloseSteps && s->touchTicks >= kShrinkFrom && (s->touchTicks - kShrinkFrom) % kShrinkEvery == 0) {
            s->markDistance = s->markDistance > kShrinkStep ? s->markDistance - kShrinkStep : 0;
        }
        markPointTowardsGoal(p->markedSlot, s->markDistance);
        return false;
    }
    if (!isNeighbourDirection(orientDirection(kTowardsOwnGoal), o->direction)) {
        s->markDistance = kStandOff;
        markPointTowardsGoal(p->markedSlot, s->markDistance);
        return false;
    }
    bool runs = true;
    if (goalSide) {
        if (steps < kCloseSteps) {
            markPressure += 1;
            if (markPressure > kPressureLimit) {
                s->markDistance = kTightStandOff;
            }
        } else {
            s->markDistance = kGoalSideStandOff;
        }
    } else {
        s->markDistance = kStandOff;
        runs = steps >= kRunSteps;
    }
    if (core::approxDistance(o->x - p->x, o->y - p->y) > kClosingRange) {
        interceptPoint(p->slot, o->slot);
        s->markPointX = s->interceptX;
        s->markPointY = s->interceptY;
    } else {
        markPointTowardsGoal(p->markedSlot, s->markDistance);
    }
    return runs;
}

bool CTeam::tryWinBall(const jint slot) {
    GameStatics* const s = statics();
    CPlayer* const p = teamPlayer(this, slot);
    CPlayer* const holder = s->ballHolder;
    CPlayer* const b = holder != nullptr ? holder : s->receivingPlayer.get();
    if (b == nullptr) {
        return true;
    }
    if (p == nullptr || s->ball == nullptr || s->matchPhase != kOpenPlay || s->keeperHoldsBall != 0 || b->team == this) {
        return false;
    }
    const jlong clock = s->matchTicks;
    const Actor* const ball = s->ball;
    if (holder != nullptr && holder->slot != CPlayer::kKeeperSlot && holder->shieldDone == 0 &&
        clock > holder->shieldTimer && core::approxDistance(ball->x - p->x, ball->y - p->y) < kShieldReach &&
        standsStill(holder)) {
        // The holder turns his back to the challenger, once in this possession.
        const jint d = directionFromVector(holder->x - p->x, holder->y - p->y);
        if (holder->action == kFreeAction && holder->direction != d && clock >= holder->turnTimer) {
            holder->turnTimer = clock + kTurnTicks;
            holder->shieldTimer = clock + kShieldTicks;
            holder->face(d);
        }
        holder->shieldDone = 1;
    }
    if (s->touchTicks >= kSettledTicks && p->distanceToBall < kClosingReach && standsStill(b)) {
        dropWait(this, slot);
        if (queueLength(slot) != 0) {
            return false;
        }
        interceptPoint(slot, b->slot);
        if (p->distanceToBall < kOnHim ||
            core::approxDistance(s->interceptX - p->x, s->interceptY - p->y) < kAtPoint) {
            return true;
        }
        queueCommand(slot, kMove, s->interceptX, s->interceptY, kRun);
        return true;
    }
    if (p->distanceToBall > 2 * (p->tackleReach + kReachMargin)) {
        return false;
    }
    if (p->defenceRole == kLineRole &&
        (toCell(p->x) > attackingLine || isNeighbourDirection(p->defaultDirection, b->direction))) {
        return false;
    }
    if (p->distanceToBall > p->tackleReach) {
        return false;
    }
    dropWait(this, slot);
    if (queueLength(slot) == 0) {
        closeDown(slot);
    }
    return true;
}

void CTeam::closeDown(const jint slot) {
    GameStatics* const s = statics();
    const CPlayer* const p = teamPlayer(this, slot);
    const Actor* const ball = s->ball;
    if (p == nullptr || ball == nullptr) {
        return;
    }
    const CPlayer* const target = s->ballHolder != nullptr ? s->ballHolder.get() : s->receivingPlayer.get();
    jint x = ball->aimX;
    jint y = ball->aimY;
    if (target != nullptr) {
        interceptPoint(slot, target->slot);
        x = s->interceptX;
        y = s->interceptY;
    }
    const CPlayer* const marked = teamPlayer(opponent, p->markedSlot);
    if (core::approxDistance(x - p->x, y - p->y) < kNearPoint && marked != nullptr && marked->action != kFreeAction) {
        return;
    }
    queueCommand(slot, kMove, x, y, kRun);
}

} // namespace game::match
