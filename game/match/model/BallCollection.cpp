// Whether a player can collect the ball now (CPlayer::canCollectBall, CPlayer.h): who touched it
// last, who it was passed to, how near he stands to the ball and its planned path, and its
// height; one branch starts his pending reaction instead.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/Possession.h"

namespace game::match {

namespace {

constexpr jint kOpenPlay = 0;
constexpr jint kTouchLockout = 3;
constexpr jint kWallDraw = 3;
constexpr jint kPathLast = 199;
constexpr jint kPathTolerance = 1280;
// The near test: how far off a player goes for the ball (further with the lunge flag), where he
// collects it at once, and the height above which he must reach for it.
constexpr jint kLungeRange = 20480;
constexpr jint kNearRange = 25600;
constexpr jint kCollectRange = 1793;
constexpr jint kFootHeight = 6657;
// The reach test: the ball's ceiling, the jump at the ball and the heights a reaction meets.
constexpr jint kReachCeiling = 20480;
constexpr jint kJumpReaction = 4;
constexpr jint kNoReaction = -1;
constexpr jint kReachLow = 5121;
constexpr jint kReachHigh = 8960;
constexpr jint kReachAhead = 2;

jint pathEntry(const runtime::IntArray* path, const jint i) {
    const jint at = core::clamp(i, 0, kPathLast);
    return path != nullptr && path->inBounds(at) ? (*path)[at] : 0;
}

} // namespace

bool CPlayer::canCollectBall() {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (ball == nullptr || team == nullptr) {
        return false;
    }
    const CPlayer* const holder = s->ballHolder;
    if (holder != nullptr) {
        if (s->wallSize != 0 && holder != s->restartActor.get()) {
            s->wallSize = 0;
        }
        return false;
    }
    const CPlayer* const last = s->lastTouchPlayer;
    if (s->touchTicks < kTouchLockout && last != nullptr && (last->team != team || last == this)) {
        return false;
    }
    const CPlayer* const receiver = s->receivingPlayer;
    if (receiver != nullptr && receiver != this && receiver->team == team) {
        return false;
    }
    if (s->wallSize != 0 && s->ballState == kBallShot && core::randomRange(0, kWallDraw) == 0 &&
        team->teamIndex != s->phaseTeam && slot >= CTeam::kOnPitch - s->wallSize) {
        return false;
    }
    if (s->matchPhase != kOpenPlay) {
        return false;
    }
    const jint d = distanceToBall;
    const jint z = ball->z;
    const jint i = core::clamp(s->ballPathIndex, 0, kPathLast);
    const bool lunging = lungeFlag != 0;
    if (d < (lunging ? kLungeRange : kNearRange)) {
        if (d < kCollectRange && z < kFootHeight) {
            return true;
        }
        if (z >= kFootHeight && pathEntry(s->ballPathZ, i) >= kFootHeight) {
            if (!lunging) {
                return false;
            }
        } else {
            if (isNearBallPath(x, y, 0)) {
                return true;
            }
            const jint nextX = x + vx;
            const jint nextY = y + vy;
            if (s->ballState != kBallRolling || last == nullptr || last->team != team ||
                !isNearBallPath(nextX, nextY, 0)) {
                return false;
            }
            return isPointNearSegment(pathEntry(s->ballPathX, i), pathEntry(s->ballPathY, i), x, y, nextX,
                                      nextY, kPathTolerance);
        }
    } else if (!lunging) {
        return false;
    }
    // The reach test: a ball in the air that a reaction may meet.
    if (receiver == this || z >= kReachCeiling) {
        return false;
    }
    if (reactionKind == kJumpReaction && slot != kKeeperSlot && team->passFlag != 0 && s->ballBounced == 0 &&
        isNearBallPath(team->runFaceX, team->runFaceY, core::clamp(team->runSteps - 1, 0, kPathLast))) {
        performPendingReaction(this);
        return false;
    }
    if (arrived == 0 || reactionReady == 0 ||
        !(s->ballState == kBallLofted || s->ballState == kBallLoftedHigh) ||
        !isNearBallPath(x, y, kReachAhead)) {
        return false;
    }
    reactionReady = 0;
    const jint h = pathEntry(s->ballPathZ, s->ballPathIndex + kReachAhead);
    if (h < kReachLow || h >= kReachHigh || reactionKind == kNoReaction) {
        return false;
    }
    team->runKind = 0;
    performPendingReaction(this);
    return false;
}

} // namespace game::match
