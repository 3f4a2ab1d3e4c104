// Ball possession and dribbling (see Possession.h and CPlayer.h).
#include "game/match/model/Possession.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/TeamLogicCalls.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "game/match/model/PlayerMotion.h"

namespace game::match {

using runtime::idiv;

namespace {

constexpr jint kTeams = 2;
constexpr jint kOpenPlay = 0;
constexpr jint kKickOffAfterGoal = 1;
constexpr jint kOffsidePhase = 6;
// A runner without the ball (paceKind 2) is the team logic's again when he loses it.
constexpr jint kRunWithoutBall = 2;
// The knock-on: the length's shift, the screen unit, the push of a forced run by handicapLevel.
constexpr jint kKnockShift = 9;
constexpr jint kWordBits = 32;
constexpr jint kForwardDiagonal = 1;
constexpr jint kFacingUp = 0;
constexpr jint kFacingDown = 4;
constexpr jint kHandicapLow = 2;
constexpr jint kHandicapHigh = 5;
// States of a run and a sprint.
constexpr jint kRunning = 1;
constexpr jint kSprinting = 32;
// Challenges and first-time strikes.
constexpr jint kChallengeReach = 4352;
constexpr jint kChallengeNear = 2048;
constexpr jint kTackleAction = 5;
constexpr jint kSaveAction = 7;
constexpr jint kStrikeAction = 8;
constexpr jint kTouchLockout = 3;
constexpr jint kStrikeReach = 2048;
constexpr jint kStrikeTurn = 3;
constexpr jint kStrikeHeight = 3072;
// The path test.
constexpr jint kPathTolerance = 1280;
constexpr jint kPathLast = 199;
// Kick-off facings of the first and the second team.
constexpr jint kFirstTeamFacing = 2;
constexpr jint kSecondTeamFacing = 6;

// f(team, slot, player) for players 0..10 of both teams, first team first.
template <typename F> void forEachPitchPlayer(F f) {
    for (jint t = 0; t < kTeams; ++t) {
        CTeam* const team = matchTeam(t);
        for (jint i = 0; i < CTeam::kOnPitch; ++i) {
            CPlayer* const p = teamPlayer(team, i);
            if (p != nullptr) {
                f(team, i, p);
            }
        }
    }
}

// Entry i of the team's per-player flag table := v.
void setPlayerFlag(CTeam* team, const jint i, const jboolean v) {
    if (team->flagPerPlayer != nullptr && team->flagPerPlayer->inBounds(i)) {
        (*team->flagPerPlayer)[i] = v;
    }
}

// Both teams' ball players let go.
void releaseTeamBallPlayers() {
    GameStatics* const s = statics();
    for (jint t = 0; t < kTeams; ++t) {
        CPlayer* const p = s->teamBallPlayer[t];
        if (p != nullptr) {
            p->controlled = 0;
        }
        s->teamBallPlayer[t] = nullptr;
    }
}

// The team-logic marks a gain of the ball clears on every player 0..10.
void clearTeamLogicMarks() {
    forEachPitchPlayer([](CTeam* team, const jint i, CPlayer* p) {
        p->assignment = -1;
        p->followUp = -1;
        p->followUpDirection = -1;
        if (p->pendingStatistic != 0) {
            p->pendingStatistic = 0;
            p->plannedTask = 0;
            setPlayerFlag(team, i, 1);
        }
        if (team->teamIndex == 0) {
            p->followByte1 = 0;
        }
    });
}

// Steps 2 to 4 of losing the ball: the possession statics let him go and he is his team's
// player to act.
void releaseBall(CPlayer* p) {
    p->dropPossession();
    if (p->team != nullptr) {
        p->team->actingSlot = p->slot;
    }
}

} // namespace

void CPlayer::takePossession() {
    GameStatics* const s = statics();
    const jint t = team != nullptr ? team->teamIndex : -1;
    const bool ownTeam = t >= 0 && t < kTeams;
    if (ownTeam && ((s->firstAttacker[t] != nullptr && s->firstAttacker[t] == this) || controlled == 0)) {
        s->firstAttacker[t] = nullptr;
        s->firstAttackerFlag[t] = 0;
    }
    s->pendingReceiver = -1;
    CPlayer* const previous = s->ballHolder;
    if (previous != nullptr) {
        previous->hasBall = 0;
        s->lastTouchPlayer = previous;
    }
    recoverEndTime = 0;
    assignment = -1;
    const CPlayer* const assist = s->assistPlayer;
    if (assist != nullptr && assist->team != team) {
        s->assistPlayer = nullptr;
    }
    hasBall = 1;
    // A new possession: he may be turned to shield the ball once more.
    shieldDone = 0;
    s->ballHolder = this;
    s->holdTicks = 0;
    if (s->receivingPlayer != nullptr) {
        s->holdTicks = 3;
        s->receivingPlayer = nullptr;
    }
    releaseTeamBallPlayers();
    // A restart taker gaining the ball outside open play keeps everybody's marks.
    if (!(s->restartActor.get() == this && s->matchPhase != kOpenPlay)) {
        clearTeamLogicMarks();
    }
    if (s->offsidePlayer.get() == this && isOffside()) {
        s->foulPlayer = this;
        setMatchPhase(kOffsidePhase, ownTeam ? 1 - t : 0, x, y);
        if (team != nullptr) {
            team->offsideCount += 1;
        }
    } else {
        s->offsidePlayer = nullptr;
    }
}

void CPlayer::loseBall() {
    if (paceKind == kRunWithoutBall) {
        if (team != nullptr) {
            team->actingSlot = -1;
        }
        handToTeamLogic(this);
        return;
    }
    releaseBall(this);
    knockBallOn();
}

void CPlayer::knockBallOn() {
    GameStatics* const s = statics();
    const jint length = core::approxDistance(vx, vy);
    const jint shift = length >> kKnockShift;
    jint p = shift >= kWordBits ? 0 : runtime::ishl(length, shift);
    p = idiv(runtime::imul(p, 3), 4);
    if (forcedRun != 0) {
        const jint facing = team != nullptr ? team->orientDirection(direction) : direction;
        if (facing == kForwardDiagonal) {
            p >>= 1;
        }
    } else if (direction == kFacingUp || direction == kFacingDown) {
        p = (p >> 2) - (p >> 5);
    } else {
        p = (p >> 3) + (p >> 2);
    }
    // A carrier without motion pushes nothing: the vector stays (0, 0).
    screenVectorTowards(p, vx, vy, 0);
    jint px = s->vectorX;
    jint py = s->vectorY;
    if (forcedRun != 0) {
        if (s->halfPush != 0) {
            s->halfPush = 0;
            px = idiv(px, 2);
            py = idiv(py, 2);
        } else {
            const jint factor = handicapLevel < kHandicapLow ? 3 : handicapLevel < kHandicapHigh ? 4 : 5;
            px *= factor;
            py *= factor;
        }
    }
    const Actor* const ball = s->ball;
    if (ball == nullptr) {
        return;
    }
    kickBall(kBallKick5, ball->x + px, ball->y + py, 0, -1, -1);
}

void CPlayer::dribbleStep() {
    GameStatics* const s = statics();
    jint speed = 0;
    if (forcedRun != 0) {
        speed = hasBall != 0 ? ballSprintSpeed : sprintSpeed;
        setState(kSprinting);
    } else {
        speed = hasBall != 0 ? ballRunSpeed : runSpeed;
        setState(kRunning);
    }
    screenVectorAlong(speed, direction);
    vx = s->vectorX;
    vy = s->vectorY;
    if (hasBall != 0) {
        handToTeamLogic(this);
    }
}

bool CPlayer::canChallengeCarrier() const {
    const GameStatics* const s = statics();
    const CPlayer* const c = s->ballHolder != nullptr ? s->ballHolder.get() : s->receivingPlayer.get();
    if (s->matchPhase != kOpenPlay || c == nullptr) {
        return false;
    }
    if (distanceToBall >= kChallengeReach && core::approxDistance(c->x - x, c->y - y) > kChallengeNear) {
        return false;
    }
    if (c->team == team) {
        return false;
    }
    if (c->slot != kKeeperSlot) {
        return true;
    }
    return c->action != kTackleAction && c->action != kSaveAction && c->action != kStrikeAction;
}

bool CPlayer::canStrikeLooseBall() const {
    const GameStatics* const s = statics();
    if (slot == kKeeperSlot || team == nullptr) {
        return false;
    }
    const CPlayer* const lastCarrier = s->lastOutfieldCarrier;
    if (s->touchTicks < kTouchLockout || s->matchPhase != kOpenPlay || s->ballHolder != nullptr ||
        (lastCarrier != nullptr && lastCarrier->team == team)) {
        return false;
    }
    const Actor* const ball = s->ball;
    const jint turn = turnBetween(direction, defaultDirection);
    return team->isInPenaltyArea(x, y) && distanceToBall < kStrikeReach && turn > -kStrikeTurn &&
           turn < kStrikeTurn && ball != nullptr && ball->z < kStrikeHeight;
}

bool isNearBallPath(const jint x, const jint y, const jint k) {
    const GameStatics* const s = statics();
    if (s->ballState == kBallPlaced || s->ballState == kBallSent) {
        return false;
    }
    const runtime::IntArray* const pathX = s->ballPathX;
    const runtime::IntArray* const pathY = s->ballPathY;
    const Actor* const ball = s->ball;
    const jint i = core::clamp(s->ballPathIndex, 0, kPathLast);
    if (pathX == nullptr || pathY == nullptr || ball == nullptr || k < 0 || i + k > kPathLast ||
        !pathX->inBounds(i + k) || !pathY->inBounds(i + k)) {
        return false;
    }
    if (k == 0) {
        return isPointNearSegment(x, y, ball->x, ball->y, (*pathX)[i], (*pathY)[i], kPathTolerance);
    }
    return isPointNearSegment(x, y, (*pathX)[i + k - 1], (*pathY)[i + k - 1], (*pathX)[i + k],
                              (*pathY)[i + k], kPathTolerance);
}

void stopAllPlayers() {
    const jint phase = statics()->matchPhase;
    forEachPitchPlayer([phase](CTeam* /*team*/, const jint i, CPlayer* p) {
        if (!(i == CPlayer::kKeeperSlot && phase == kKickOffAfterGoal)) {
            p->stop(1);
        }
        p->vx = 0;
        p->vy = 0;
        p->vz = 0;
    });
}

void placePlayersForKickOff() {
    GameStatics* const s = statics();
    forEachPitchPlayer([](CTeam* team, const jint i, CPlayer* p) {
        p->pendingStatistic = 0;
        setPlayerFlag(team, i, 0);
        p->task = -1;
        p->plannedTask = -1;
        p->hasBall = 0;
        p->x = p->kickOffCellX();
        p->y = team->fromCell(p->homeCellY);
        p->z = 0;
        p->direction = team->teamIndex == 0 ? kFirstTeamFacing : kSecondTeamFacing;
    });
    stopAllPlayers();
    for (jint t = 0; t < kTeams; ++t) {
        CTeam* const team = matchTeam(t);
        if (team != nullptr) {
            team->resetTick(team->opponent);
        }
    }
    CPlayer* const holder = s->ballHolder;
    if (holder != nullptr) {
        releaseBall(holder);
    }
    s->receivingPlayer = nullptr;
    releaseTeamBallPlayers();
    s->setPieceKind = 0;
    s->ballHiddenB = 0;
}

} // namespace game::match
