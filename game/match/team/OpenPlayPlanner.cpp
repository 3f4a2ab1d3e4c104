// The open-play planner: the goalkeeper's task, a chaser for a loose ball (with the first point of
// the ball's path he reaches before it, or the cell behind the opponent who gets there first),
// the ball carrier, everybody else back to formation duty, markers when the team is without the
// ball and a tracker for an opposing forward runner.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallRuns.h"
#include "game/match/model/Possession.h"

namespace game::match {

namespace {

// Tasks.
constexpr jint kNoTask = -1;
constexpr jint kFormationTask = 0;
constexpr jint kBallTask = 1;
constexpr jint kForwardRunTask = 4;
constexpr jint kCarrierTask = 5;
constexpr jint kTrackerTask = 8;
constexpr jint kGuardTask = 14;
constexpr jint kComeOutTask = 15;
constexpr jint kBallInHandTask = 16;
constexpr jint kSaveTask = 17;

constexpr jint kFirstOutfield = 1;
constexpr jint kShootOutPeriod = 5;
constexpr jint kFreeAction = 0;
// The interception scan: the last path entry it reads, and the arrival frame of "never".
constexpr jint kLastScanEntry = 189;
constexpr jint kNever = 200;
// The chaser's place behind an opponent who gets to the ball first: cells back and across.
constexpr jint kBehindCellsX = 2;
constexpr jint kAcrossCellsY = 1;
// The tracker: the box around him, in cells, whose corner lies at offset -6.
constexpr jint kTrackOffset = 6;
constexpr jint kTrackWidth = 8;
constexpr jint kTrackHeight = 12;
// Targets stay on the pitch.
constexpr jint kMaxTargetX = 135168;
constexpr jint kMaxTargetY = 86016;
constexpr jint kLastForwardDirection = 4;

// The first entry of the ball's path that a runner at `speed` from p reaches in fewer ticks than
// the ball, up to entry 189 and no further than where the ball comes down; t is kNever (and the
// point untouched) when there is none.
struct Interception {
    jint t = kNever;
    jint x = 0;
    jint y = 0;
};

Interception scanBallPath(const CPlayer* p, const jint speed) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    const runtime::IntArray* const pathX = s->ballPathX;
    const runtime::IntArray* const pathY = s->ballPathY;
    Interception found;
    if (p == nullptr || ball == nullptr || pathX == nullptr || pathY == nullptr) {
        return found;
    }
    const jint first = s->ballPathIndex < 0 ? 0 : s->ballPathIndex;
    for (jint j = first; j <= kLastScanEntry && pathX->inBounds(j) && pathY->inBounds(j); ++j) {
        const jint k = j - first;
        if (isNearBallPath(ball->aimX, ball->aimY, k)) {
            break;
        }
        const jint t = k + 1;
        if (stepsToReach(speed, p->x, p->y, (*pathX)[j], (*pathY)[j]) < t) {
            found.t = t;
            found.x = (*pathX)[j];
            found.y = (*pathY)[j];
            break;
        }
    }
    return found;
}

// The chaser of a loose ball or of the opponent's ball: the landing point while his reaction
// time runs, else the first point of the path he reaches before the ball, unless the opponent's
// chaser reaches the path first: then he goes behind that opponent's goal-side mark point.
void chaseLooseBall(CTeam* team, CPlayer* c) {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (s->touchTicks < c->reactionTime + 1) {
        c->aimX = ball->aimX;
        c->aimY = ball->aimY;
        return;
    }
    const jint other = 1 - team->teamIndex;
    const CPlayer* const o = other == 0 || other == 1 ? s->teamBallPlayer[other].get() : nullptr;
    const CPlayer* const challenger = s->lastTackler;
    const CPlayer* const last = s->lastTouchPlayer;
    const bool predict = s->noBallPrediction == 0;
    Interception ours;
    Interception theirs;
    ours.t = predict ? kNever : 0;
    ours.x = ball->aimX;
    ours.y = ball->aimY;
    theirs.t = ours.t;
    const bool challengerFree = challenger != nullptr && challenger->team == team->opponent &&
                                challenger->action == kFreeAction;
    if (predict && s->ballState == kBallRolling && !challengerFree && last != nullptr &&
        last->team == team->opponent) {
        if (const Interception scan = scanBallPath(c, c->runSpeed); scan.t != kNever) {
            ours = scan;
        }
        if (o != nullptr) {
            theirs = scanBallPath(o, o->runSpeed);
        }
    }
    if (ours.t > theirs.t && o != nullptr) {
        team->markPointGoalSide(o->slot, 0);
        c->taskPlayer = o->slot;
        jint cy = team->toCell(s->markPointY);
        if (cy >= 1) {
            cy -= kAcrossCellsY;
        }
        team->tryPlacePlayer(c->slot, team->toCell(s->markPointX) - kBehindCellsX, cy, 0);
        c->plannedTask = kBallTask;
        return;
    }
    c->aimX = ours.x;
    c->aimY = ours.y;
}

// The chaser of his own team's ball (a pass on its way): the landing point, the first point of a
// ground pass ahead of him he reaches in time, or the run to where a lofted ball comes down.
void chaseOwnBall(CTeam* team, CPlayer* c) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    jint x = ball->aimX;
    jint y = ball->aimY;
    if (s->ballState == kBallRolling &&
        team->orientDirection(directionFromVector(ball->x - c->x, ball->y - c->y)) <= kLastForwardDirection) {
        if (const Interception scan = scanBallPath(c, c->runSpeed); scan.t != kNever) {
            x = scan.x;
            y = scan.y;
        }
    }
    if ((s->ballState == kBallLofted || s->ballState == kBallLoftedHigh) && team->runActive == 0) {
        team->planBallRun(0);
        x = team->runTargetX;
        y = team->runTargetY;
    }
    c->aimX = x;
    c->aimY = y;
}

} // namespace

void CTeam::planOpenPlay() {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    CPlayer* const keeper = teamPlayer(this, CPlayer::kKeeperSlot);
    if (ball == nullptr || keeper == nullptr) {
        return;
    }
    updatePlayerCells();
    planningNeeded = 0;
    CPlayer* const holder = s->ballHolder;
    ballCellX = toCell(holder != nullptr ? holder->x : ball->aimX);
    ballCellY = toCell(holder != nullptr ? holder->y : ball->aimY);
    clearZoneGrid();
    if (newOrders != nullptr && newOrders->inBounds(CPlayer::kKeeperSlot)) {
        (*newOrders)[CPlayer::kKeeperSlot] = 1;
    }

    if (keeper->hasBall != 0) {
        if (keeper->plannedTask != kBallInHandTask) {
            emptyQueue(CPlayer::kKeeperSlot);
        }
        keeper->plannedTask = kBallInHandTask;
    } else if (keeper->plannedTask != kSaveTask) {
        keeper->plannedTask = kGuardTask;
        keeperHoldCounters[0] = 0;
        keeperHoldCounters[1] = 0;
    }
    for (jint i = kFirstOutfield; i < kOnPitch; ++i) {
        if (CPlayer* const p = teamPlayer(this, i)) {
            p->plannedTask = kFormationTask;
            p->nearPostFlag = 0;
        }
    }
    if (s->keeperHoldsBall != 0) {
        return;
    }

    if (holder == nullptr) {
        const jint slot = choosePlayerForBall();
        CPlayer* c = slot >= 0 ? teamPlayer(this, slot) : nullptr;
        if (c != nullptr) {
            if (c != s->lastTouchPlayer.get()) {
                c->takeBall();
            }
            if (c->slot == CPlayer::kKeeperSlot) {
                c->plannedTask = kComeOutTask;
                if (possession == -1) {
                    // The keeper comes out; the nearest outfield player chases with him.
                    const jint next = findNearestPlayerTo(ball->aimX, ball->aimY, 1);
                    if (CPlayer* const n = next >= 0 ? teamPlayer(this, next) : nullptr) {
                        n->plannedTask = kBallTask;
                        c = n;
                    }
                }
            } else {
                c->plannedTask = kBallTask;
            }
            if (possession != 1) {
                chaseLooseBall(this, c);
            } else {
                chaseOwnBall(this, c);
            }
            c->aimX = core::clamp(c->aimX, -kMaxTargetX, kMaxTargetX);
            c->aimY = core::clamp(c->aimY, -kMaxTargetY, kMaxTargetY);
        }
    }

    if (holder != nullptr && possession == 1 && holder->team == this && holder->slot != CPlayer::kKeeperSlot) {
        holder->plannedTask = kCarrierTask;
        if (holder->task != kBallTask && holder->task != kCarrierTask) {
            emptyQueue(holder->slot);
        }
    }
    if (possession == -1) {
        assignMarking();
    }

    const jint other = 1 - teamIndex;
    const CPlayer* const runner = other == 0 || other == 1 ? s->firstAttacker[other].get() : nullptr;
    if (runner != nullptr && runner->task == kForwardRunTask) {
        markPointGoalSide(runner->slot, 1);
        const jint cx = toCell(s->markPointX);
        const jint cy = toCell(s->markPointY);
        if (isCellOnPitch(cx, cy)) {
            const jint f = findPlayerForCell(cx, cy, 1);
            CPlayer* const tracker = f > CPlayer::kKeeperSlot ? teamPlayer(this, f) : nullptr;
            if (tracker != nullptr &&
                isInRect(cx - tracker->cellX + kTrackOffset, cy - tracker->cellY + kTrackOffset, kTrackWidth,
                         kTrackHeight)) {
                tracker->plannedTask = kTrackerTask;
                tracker->taskPlayer = runner->slot;
                tryPlacePlayer(f, cx, cy, 0);
            }
        }
    }
    if (s->matchPeriod == kShootOutPeriod) {
        for (jint i = CPlayer::kKeeperSlot; i < kOnPitch; ++i) {
            if (CPlayer* const p = teamPlayer(this, i)) {
                p->plannedTask = kNoTask;
            }
        }
    }
    refreshOrders(0);
}

} // namespace game::match
