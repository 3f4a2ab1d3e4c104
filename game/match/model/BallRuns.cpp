// Runs to the ball, the ball player, the pass target, the carried ball and the boards (see
// BallRuns.h and CPlayer.h).
#include "game/match/model/BallRuns.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"

namespace game::match {

using runtime::idiv;
using runtime::jlong;

namespace {

constexpr jint kTeams = 2;
constexpr jint kOpenPlay = 0;
constexpr jint kFixedShift = 8;
constexpr jint kScreenUnit = 480;
constexpr jint kPathLast = 199;
// Where the ball leaves the pitch area for a run.
constexpr jint kPitchEndX = 135168;
constexpr jint kPitchSideY = 86016;
// The run kinds: the height at which a falling ball is met, the run's steps and the pass flag.
struct RunKind {
    jint heightLimit, steps, passFlag;
};
constexpr RunKind kRunKinds[] = {{8960, 3, 0}, {3584, 4, 0}, {5120, 2, 2}, {2560, 3, 1}, {7168, 3, 0}};
constexpr jint kDrivenRun = 1;
constexpr jint kThroughRun = 2;
constexpr jint kLobRun = 3;
constexpr jint kLongRun = 4;
// The runner meets a through ball and a lob this far short of where it lands.
constexpr jint kThroughPullBack = 6400;
constexpr jint kLobPullBack = 4352;
constexpr jint kFirstBackward = 4; // team-view directions 1..3 are forward
// The run-kind draw: a fifth of the kicking team's runs are long; a tenth of the others' driven.
constexpr jint kLongRunChance = 20;
constexpr jint kOtherRunChance = 90;
// Pass targets: the lead on the first attacker.
constexpr jint kPassOrder = 2;
constexpr jint kLateStage = 3;
constexpr jint kLateLead = 25600;
constexpr jint kLeadBase = 92160;
// The carried ball: the lead of a ball still travelling to the feet, and the feet's distance.
constexpr jint kTravelLead = 1280;
constexpr jint kFeetBase = 77;
constexpr jint kFeetScale = 16;
// Runs are counted against the planned path's length.
constexpr jint kRunLimit = 200;
constexpr jint kArrivalMargin = 256;
// The boards: trigger lines, planes, ranges along them, and the rebound.
constexpr jint kBoardTop = 64000;
constexpr jint kRebound = 200;

struct Board {
    jint mode, plane, from, to;
};
constexpr Board kFarSide = {kPlaneY, 102400, -166912, 136192};
constexpr Board kNearSide = {kPlaneY, -94976, -128000, 153088};
constexpr Board kPlusEnd = {kPlaneX, 151040, -100096, 93696};
constexpr Board kMinusEnd = {kPlaneX, -148224, -75264, 105472};
constexpr jint kFarTrigger = 86017;
constexpr jint kNearTrigger = -86016;
constexpr jint kPlusTrigger = 135169;
constexpr jint kMinusTrigger = -86016;

jint pathEntry(const runtime::IntArray* path, const jint i) {
    return path != nullptr && path->inBounds(i) ? (*path)[i] : 0;
}

bool hitsBoard(Actor* ball, const Board& board) {
    if (!ballHitsRect(ball, board.mode, board.plane, board.from, board.to, kBoardTop, 0)) {
        return false;
    }
    ballRebound(board.mode, kRebound);
    return true;
}

} // namespace

void CTeam::planBallRun(const jint kind) {
    GameStatics* const s = statics();
    const RunKind& rule = kRunKinds[kind >= 0 && kind <= kLongRun ? kind : kLobRun];
    passFlag = rule.passFlag;
    runSteps = rule.steps;
    const runtime::IntArray* const pathX = s->ballPathX;
    const runtime::IntArray* const pathY = s->ballPathY;
    const runtime::IntArray* const pathZ = s->ballPathZ;
    const jint start = core::clamp(s->ballPathIndex, 0, kPathLast);
    // The entry before the first: the path's own first entry when the flight has just begun.
    jint h = pathEntry(pathZ, start > 0 ? start - 1 : 0);
    jint e = start;
    for (jint i = start; i <= kPathLast; ++i) {
        if (absInt(pathEntry(pathX, i)) > kPitchEndX || absInt(pathEntry(pathY, i)) > kPitchSideY) {
            break;
        }
        const jint z = pathEntry(pathZ, i);
        if (z < h) {
            if (z < 1) {
                break;
            }
            if (z <= rule.heightLimit) {
                e = i;
                break;
            }
        } else {
            e = i;
        }
        h = z;
    }
    runTargetX = pathEntry(pathX, e);
    runTargetY = pathEntry(pathY, e);
    runStepBudget = e - s->ballPathIndex + 1;
    runFaceX = runTargetX;
    runFaceY = runTargetY;
    jint chosen = kind;
    const CPlayer* const ballPlayer =
        teamIndex >= 0 && teamIndex < kTeams ? s->teamBallPlayer[teamIndex].get() : nullptr;
    if (ballPlayer != nullptr && s->kickingTeam == teamIndex && passFlag != 0) {
        const jint d =
            orientDirection(directionFromVector(runTargetX - ballPlayer->x, runTargetY - ballPlayer->y));
        if (d == 0 || d >= kFirstBackward) {
            passFlag = 0;
            chosen = kDrivenRun;
        } else {
            // The pull-back runs along the team-view direction as it was computed.
            core::directionToVector(kind == kThroughRun ? kThroughPullBack : kLobPullBack, d);
            runTargetX -= s->vectorX;
            runTargetY -= s->vectorY;
        }
    }
    runKind = chosen;
}

void CPlayer::takeBall() {
    if (controlled != 0 || team == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    const jint t = team->teamIndex;
    if (t < 0 || t >= kTeams) {
        return;
    }
    CPlayer* const previous = s->teamBallPlayer[t];
    if (previous != nullptr) {
        previous->controlled = 0;
    }
    controlled = 1;
    ballFlagB = 1;
    if (previous != this && isOffside()) {
        s->offsidePlayer = this;
    }
    s->teamBallPlayer[t] = this;
    team->passFlag = 0;
    for (jbyte& flag : takeFlags) {
        flag = 0;
    }
    takeCount = 1;
    if (team->runActive == 0) {
        return;
    }
    const jint r = core::randomRange(0, 99);
    const CPlayer* const last = s->lastTouchPlayer;
    const bool keeperTouched = last != nullptr && last->slot == kKeeperSlot;
    jint k = 0;
    if (s->kickingTeam == t) {
        k = !keeperTouched && r < kLongRunChance ? kLongRun : 0;
    } else if (!keeperTouched && !(last != nullptr && last->isWideAttackingCell()) &&
               !team->isInShootingZone(x, y) &&
               !(team->opponent != nullptr && team->opponent->isInPenaltyArea(x, y))) {
        k = r < kOtherRunChance ? 0 : kDrivenRun;
    }
    team->planBallRun(k);
}

void CPlayer::setPassTarget(const jint px, const jint py, const jint flag) {
    GameStatics* const s = statics();
    order = kPassOrder;
    targetX = px;
    targetY = py;
    const jint t = team != nullptr ? team->teamIndex : -1;
    const CPlayer* const attacker = t >= 0 && t < kTeams ? s->firstAttacker[t].get() : nullptr;
    if (attacker != nullptr) {
        targetX = attacker->x;
        targetY = attacker->y;
    }
    if (s->matchPhase == kOpenPlay) {
        jint lead = 0;
        if (s->carrierStage >= kLateStage) {
            lead = kLateLead;
        } else if (attacker != nullptr) {
            lead = core::randomRange(0, 1) == 1 ? kLeadBase / 4 : kLeadBase / 3;
        }
        targetX += team != nullptr && team->sideFlag != 0 ? lead : -lead;
    }
    orderMode = flag;
}

jint stepsToReach(const jint speed, const jint x0, const jint y0, const jint x1, const jint y1) {
    GameStatics* const s = statics();
    jint r = (speed >> 1) + kArrivalMargin;
    core::scaleVectorTo(speed, x1 - x0, y1 - y0);
    jint vx = s->vectorX;
    jint vy = s->vectorY;
    const jint length = core::approxPitchDistance(vx, vy);
    if (length != 0) {
        const jint step = (speed * kScreenUnit) >> kFixedShift;
        vx = idiv(vx * step, length);
        vy = idiv(vy * step, length);
        r = idiv(step * r, length);
    }
    jint n = 0;
    jint x = x0;
    jint y = y0;
    // A run that has not arrived within the planned path's length is out of it; a run without
    // speed or direction would never arrive.
    while (core::approxDistance(x1 - x, y1 - y) > r && n < kRunLimit) {
        x += vx;
        y += vy;
        ++n;
    }
    return n;
}

jint CPlayer::carryBall() {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    if (ball == nullptr) {
        return s->ballState;
    }
    if (s->matchTicks < s->ballArrivalTick) {
        core::directionToVector(kTravelLead, direction);
        const jlong left = s->ballArrivalTick - s->matchTicks;
        const jlong longest = 0x7FFFFFFF;
        return kickBallTo(x + vx + s->vectorX, y + vy + s->vectorY,
                          static_cast<jint>(left < longest ? left : longest));
    }
    ball->vx = vx;
    ball->vy = vy;
    if (ball->vz > 0) {
        ball->vz = -ball->vz;
    }
    ball->ax = 0;
    ball->ay = 0;
    core::directionToVector((handicapLevel + kFeetBase) * kFeetScale, direction);
    if (s->matchPhase == kOpenPlay) {
        ball->x = x + s->vectorX;
        ball->y = y + s->vectorY;
    }
    s->ballState = kBallSent;
    return kBallSent;
}

void ballHitsBoards(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    bool hit = false;
    if (ball->vy >= 1 && ball->y >= kFarTrigger) {
        hit = hitsBoard(ball, kFarSide);
    }
    if (!hit && ball->vy < 0 && ball->y < kNearTrigger) {
        hit = hitsBoard(ball, kNearSide);
    }
    if (!hit && ball->vx >= 1 && ball->x >= kPlusTrigger) {
        hit = hitsBoard(ball, kPlusEnd);
    }
    if (!hit && ball->vx < 0 && ball->x < kMinusTrigger) {
        hit = hitsBoard(ball, kMinusEnd);
    }
    if (hit) {
        planBallPath(-1, 0);
    }
}

} // namespace game::match
