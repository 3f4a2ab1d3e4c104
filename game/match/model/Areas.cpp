// The areas, offside, the goalkeeper's position, the nearest player to the ball and the space
// rating (see Areas.h and CPlayer.h).
#include "game/match/model/Areas.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"

namespace game::match {

using runtime::idiv;

namespace {

// The lines in the team's view (own goal at -x).
constexpr jint kGoalLine = 134912;
constexpr jint kPenaltyLine = -91648;
constexpr jint kPenaltyHalfWidth = 48384;
constexpr jint kGoalAreaLine = -121856;
constexpr jint kGoalAreaHalfWidth = 17408;
constexpr jint kShiftedLineBase = 358;
constexpr jint kShiftedLineStep = 4;
constexpr jint kShiftedLineShift = 8;
constexpr jint kShiftedCentreShift = 9;
constexpr jint kShootingCellX = 11;
constexpr jint kShootingCellY = 6;
// The goalkeeper's furthest x from the centre and y either side; his distance off the line.
constexpr jint kKeeperMaxX = 133120;
constexpr jint kKeeperMaxY = 7680;
constexpr jint kKeeperBaseSteps = 32;
constexpr jint kKeeperNearDistance = 16384;
constexpr jint kKeeperStepDistance = 5632;
constexpr jint kFineShift = 8;
// Offside: the lead over the passer; the first outfield slot and the last on the pitch.
constexpr jint kOffsideLead = 1024;
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;
constexpr jint kOpenPlay = 0;
// Nearest to the ball only below this; the keeper counts as nearest for a ball this central.
constexpr jint kNearestLimit = 334848;
constexpr jint kCentralBallHalfWidth = 24192;
// rateSpace: blocked within this in the move's direction; opponents this near lower the grade.
constexpr jint kBlockedDistance = 12288;
constexpr jint kCrowdedDistance = 16384;
constexpr jint kTightDistance = 32768;
constexpr jint kFreeGrade = 3;
constexpr jint kTightGrade = 2;
constexpr jint kCrowdedGrade = 1;
constexpr jint kBlockedGrade = 0;

bool aimsAtTarget(const jint state) {
    return state == kBallLofted || state == kBallDriven || state == kBallShot || state == kBallLoftedHigh;
}

} // namespace

bool CTeam::isInPenaltyArea(const jint px, const jint py) const {
    return orientX(px) < kPenaltyLine && py > -kPenaltyHalfWidth && py < kPenaltyHalfWidth;
}

bool CTeam::isInGoalArea(const jint px, const jint py) const {
    return orientX(px) < kGoalAreaLine && py > -kGoalAreaHalfWidth && py < kGoalAreaHalfWidth;
}

bool CTeam::isInShiftedPenaltyArea(const CPlayer* const player, const jint px, const jint py) const {
    // Without a player there is no shift: the plain penalty area.
    const jint shift = player != nullptr ? player->shiftInstruction : 0;
    const jint line = -((kShiftedLineBase + kShiftedLineStep * shift) << kShiftedLineShift);
    const jint centre = shift << kShiftedCentreShift;
    return orientX(px) < line && py > centre - kPenaltyHalfWidth && py < centre + kPenaltyHalfWidth;
}

bool CTeam::isInShootingZone(const jint px, const jint py) const {
    const jint cy = toCell(py);
    return toCell(px) >= kShootingCellX && cy >= -kShootingCellY && cy <= kShootingCellY;
}

bool CPlayer::isOffside() const {
    const GameStatics* const s = statics();
    if (s->matchPhase != kOpenPlay) {
        return false;
    }
    if (s->ballState == kBallDriven || s->ballState == kBallShot || s->ballState == kBallRebounding) {
        return false;
    }
    const CPlayer* const passer = s->lastTouchPlayer;
    if (passer == nullptr || team == nullptr || passer->team != team) {
        return false;
    }
    const bool forwards = team->sideFlag != 0;
    if (forwards ? x < passer->x + kOffsideLead : x > passer->x - kOffsideLead) {
        return false;
    }
    if (outOfPlay != 0) {
        return false;
    }
    if (forwards ? x < 0 : x > 0) {
        return false;
    }
    // Level with the last outfield defender counts as offside; the keeper is not counted.
    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        const CPlayer* const defender = teamPlayer(opponents, i);
        if (defender == nullptr || defender->outOfPlay != 0) {
            continue;
        }
        if (forwards ? x < defender->x : x > defender->x) {
            return false;
        }
    }
    return true;
}

bool CTeam::updateKeeperTarget() {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    CPlayer* const keeper = goalkeeper;
    if (ball == nullptr || keeper == nullptr) {
        return false;
    }
    const jint g = sideFlag != 0 ? -kGoalLine : kGoalLine;
    const bool aimed = aimsAtTarget(s->ballState);
    const jint bx = aimed ? ball->aimX : ball->x;
    const jint by = aimed ? ball->aimY : ball->y;
    const jint a = absInt(bx - g);
    const jint b = absInt(by);
    const jint m = a < b ? a : b;
    const jint d = a + b + (m >> 3) - (m >> 2) - (m >> 1);
    // An aim at the centre of the own goal line gives no direction: stay where the last aim put
    // him.
    if (d == 0) {
        return false;
    }
    const jint k = kKeeperBaseSteps + idiv(a - kKeeperNearDistance, kKeeperStepDistance);
    jint tx = g + (idiv(k * (bx - g), d) << kFineShift);
    jint ty = idiv(k * by, d) << kFineShift;
    if (sideFlag == 0 && tx > kKeeperMaxX) {
        tx = kKeeperMaxX;
    } else if (sideFlag != 0 && tx < -kKeeperMaxX) {
        tx = -kKeeperMaxX;
    }
    ty = ty > kKeeperMaxY ? kKeeperMaxY : (ty < -kKeeperMaxY ? -kKeeperMaxY : ty);
    const bool changed = tx != keeper->aimX || ty != keeper->aimY;
    keeper->aimX = tx;
    keeper->aimY = ty;
    return changed;
}

CPlayer* findNearestToBall(const jint teamIndex, const jboolean includeKeeper) {
    const CTeam* const team = matchTeam(teamIndex);
    CPlayer* nearest = nullptr;
    jint best = kNearestLimit;
    for (jint i = includeKeeper != 0 ? CPlayer::kKeeperSlot : kFirstOutfield; i <= kLastOnPitch; ++i) {
        CPlayer* const player = teamPlayer(team, i);
        if (player != nullptr && player->outOfPlay == 0 && player->distanceToBall < best) {
            best = player->distanceToBall;
            nearest = player;
        }
    }
    return nearest;
}

bool CTeam::isKeeperNearestToCentralBall() const {
    const Actor* const ball = statics()->ball;
    const CPlayer* const nearest = findNearestToBall(teamIndex, 1);
    return ball != nullptr && nearest != nullptr && nearest->slot == CPlayer::kKeeperSlot &&
           ball->y > -kCentralBallHalfWidth && ball->y < kCentralBallHalfWidth;
}

jint CTeam::rateSpace(const CPlayer* const mover, const jint px, const jint py, const jint d) const {
    jint grade = kFreeGrade;
    for (const CTeam* side : {this, static_cast<const CTeam*>(opponent)}) {
        for (jint i = CPlayer::kKeeperSlot; i <= kLastOnPitch; ++i) {
            const CPlayer* const player = teamPlayer(side, i);
            // The mover is not in his own way.
            if (player == nullptr || player->outOfPlay != 0 || player == mover) {
                continue;
            }
            if (mover != nullptr) {
                const jint dx = player->x - mover->x;
                const jint dy = player->y - mover->y;
                if (core::approxDistance(dx, dy) < kBlockedDistance && directionFromVector(dx, dy) == d) {
                    return kBlockedGrade;
                }
            }
            if (side == opponent) {
                const jint e = core::approxDistance(player->x - px, player->y - py);
                if (e < kCrowdedDistance) {
                    grade = grade < kCrowdedGrade ? grade : kCrowdedGrade;
                } else if (e < kTightDistance) {
                    grade = grade < kTightGrade ? grade : kTightGrade;
                }
            }
        }
    }
    return grade;
}

} // namespace game::match
