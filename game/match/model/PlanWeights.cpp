// The weights of the ball plans by situation and instructions, the weighted draws between them,
// and the window across the goal in which a shot may be aimed.
#include "game/match/model/PlanWeights.h"

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"

namespace game::match {

using core::randomRange;
using runtime::IntArray;
using runtime::ObjectArray;

namespace {

constexpr jint kWeight = 1;
constexpr jint kUnavailable = -1;
// Pass grades of ratePassTarget.
constexpr jint kClear = -1;
constexpr jint kBlocked = 0;
constexpr jint kPartlyBlocked = 1;
constexpr jint kNearlyClear = 2;
// Instructions: 0 rarely, 1 normal, 2 often.
constexpr jint kRarely = 0;
constexpr jint kOften = 2;
// Holder zones: 1 and 3 wide and central 8..10 cells out, 2 in front of goal.
constexpr jint kWideAttackZone = 1;
constexpr jint kFrontOfGoalZone = 2;
constexpr jint kCentralAttackZone = 3;
// Directions in the team's view: 2 straight at the goal, above 4 back towards the own half.
constexpr jint kTowardsGoal = 2;
constexpr jint kBackwards = 4;
constexpr jint kGoalLineCell = 16;
constexpr jint kGoalX = 133120;
// The passing plans a clear shot crowds out.
constexpr jint kCrowdedOut[] = {1, 2, 5, 7};
// chooseShotWindow: the shooting cells, the spread per aim level, the keeper's reach.
constexpr jint kShootFromCell = 8;
constexpr jint kShootWidthCells = 4;
constexpr jint kSpread[] = {20, 23, 26, 29, 32, 35, 39, 43};
constexpr jint kAimLevels = 8;
constexpr jint kSpreadBaseX = 124928;
constexpr jint kSpreadShift = 16;
constexpr jint kKeeperReach = 7680;
constexpr jint kKeeperOffCentre = 768;
constexpr jint kKeeperSideAim = 30;
constexpr jint kAimShift = 8;
constexpr jint kPenaltyPhase = 8;
constexpr jint kPenaltyDrawLast = 20;
constexpr jint kPenaltyLeftBelow = 10;
constexpr jint kPenaltyRightBelow = 20;
constexpr jint kPenaltyCentre = 7680;
constexpr jint kPenaltySpreadScale = 16;

jint weightOf(const ObjectArray* const plans, const jint k, const jint column) {
    const auto* const plan = static_cast<const IntArray*>((*plans)[k]);
    if (plan == nullptr || !plan->inBounds(column)) {
        return 0;
    }
    const jint w = (*plan)[column];
    return w == kUnavailable ? 0 : w;
}

jint totalWeight(const ObjectArray* const plans, const jint column) {
    jint total = 0;
    for (jint k = 0; plans != nullptr && k < plans->length; ++k) {
        total += weightOf(plans, k, column);
    }
    return total;
}

// Walks the lists in order; r is reduced by every weight passed, so the first plan at which the
// running sum reaches the draw gives its joined index.
jint findDrawn(const ObjectArray* const lists[], const jint count, const jint column, jint r) {
    jint base = 0;
    for (jint l = 0; l < count; ++l) {
        const ObjectArray* const plans = lists[l];
        for (jint k = 0; plans != nullptr && k < plans->length; ++k) {
            r -= weightOf(plans, k, column);
            if (r <= 0) {
                return base + k;
            }
        }
        base += plans != nullptr ? plans->length : 0;
    }
    return -1;
}

jint spreadOf(const jint level) {
    return kSpread[std::clamp(level, 0, kAimLevels - 1)];
}

} // namespace

jint pickWeighted(const ObjectArray* const plans, const jint column) {
    const ObjectArray* const lists[] = {plans};
    const jint total = totalWeight(plans, column);
    // A total below 1 (nothing available, or weights that cancel) gives no plan and no draw.
    return total <= 0 ? -1 : findDrawn(lists, 1, column, randomRange(1, total));
}

jint pickWeighted3(const ObjectArray* const listA, const ObjectArray* const listB,
                   const ObjectArray* const listC, const jint column) {
    const ObjectArray* const lists[] = {listA, listB, listC};
    const jint total = totalWeight(listA, column) + totalWeight(listB, column) + totalWeight(listC, column);
    return total <= 0 ? -1 : findDrawn(lists, 3, column, randomRange(1, total));
}

void CTeam::adjustDribbleWeight(const CPlayer* const player, IntArray* const plan) const {
    if (player == nullptr || plan == nullptr || !plan->inBounds(kWeight)) {
        return;
    }
    const GameStatics* const s = statics();
    jint w = (*plan)[kWeight];
    if (orientDirection(s->dribbleMoveDirection) > kBackwards) {
        w >>= 2;
    }
    if (player->dribbleInstruction == kRarely) {
        w >>= 1;
    } else if (player->dribbleInstruction == kOften) {
        w = runtime::imul(w, 2);
    }
    if ((s->holderZone == kWideAttackZone || s->holderZone == kCentralAttackZone) &&
        ratePassTarget(player, fromCell(kGoalLineCell), player->y, 0) == kClear &&
        orientDirection(s->dribblePlanDirection) == kTowardsGoal) {
        w = runtime::imul(w, 4);
    }
    (*plan)[kWeight] = w;
}

void CTeam::adjustShotWeight(const CPlayer* const player, IntArray* const plan) const {
    if (player == nullptr || plan == nullptr || !plan->inBounds(kWeight)) {
        return;
    }
    const GameStatics* const s = statics();
    jint w = (*plan)[kWeight];
    const jint r = ratePassTarget(player, sideFlag != 0 ? kGoalX : -kGoalX, 0, 1);
    if (s->holderZone == kFrontOfGoalZone) {
        const bool inGoalArea = opponent != nullptr && opponent->isInGoalArea(player->x, player->y);
        if (r == kClear || r == kNearlyClear || inGoalArea) {
            w = runtime::imul(w, 4);
            const ObjectArray* const plans = s->ballPlans;
            for (const jint k : kCrowdedOut) {
                auto* const other =
                    plans != nullptr && plans->inBounds(k) ? static_cast<IntArray*>((*plans)[k]) : nullptr;
                if (other != nullptr && other->inBounds(kWeight)) {
                    (*other)[kWeight] = 0;
                }
            }
        } else if (r == kBlocked) {
            w >>= 1;
        }
    } else {
        if (r == kClear) {
            w = runtime::imul(w, 2);
        } else if (r == kBlocked) {
            w >>= 1;
        }
        if (player->shootInstruction == kOften) {
            w = runtime::imul(w, 2);
        } else if (player->shootInstruction == kRarely) {
            w >>= 1;
        }
    }
    (*plan)[kWeight] = w;
}

bool CPlayer::chooseShotWindow() const {
    if (cellX < kShootFromCell || cellY < -kShootWidthCells || cellY > kShootWidthCells || team == nullptr) {
        return false;
    }
    GameStatics* const s = statics();
    const jint ownX = team->orientX(x);
    const jint r = team->ratePassTarget(this, team->sideFlag != 0 ? kGoalX : -kGoalX, 0, 1);
    jint w = 0;
    if (s->shotSpreadMode != 0) {
        w = spreadOf(penaltyAimLevel) * 2;
    } else {
        w = spreadOf(aimLevel) + ((kSpreadBaseX - ownX) >> kSpreadShift);
        if (r == kClear) {
            w >>= 1;
        } else if (r == kBlocked) {
            w *= 4;
        } else if (r == kPartlyBlocked) {
            w *= 2;
        }
    }
    jint aim = 0;
    const CPlayer* const keeper = teamPlayer(opponents, kKeeperSlot);
    if (keeper != nullptr && keeper->y >= -kKeeperReach && keeper->y <= kKeeperReach &&
        team->orientX(keeper->x) >= ownX) {
        const jint centre = keeper->y >> kAimShift;
        if (keeper->y > kKeeperOffCentre) {
            aim = centre - kKeeperSideAim;
        } else if (keeper->y < -kKeeperOffCentre) {
            aim = centre + kKeeperSideAim;
        } else {
            aim = randomRange(0, 1) == 0 ? centre + kKeeperSideAim : centre - kKeeperSideAim;
        }
    }
    s->shotHighY = (aim + w) << kAimShift;
    s->shotLowY = (aim - w) << kAimShift;
    if (s->matchPhase == kPenaltyPhase) {
        const jint draw = randomRange(0, kPenaltyDrawLast);
        const jint c = draw < kPenaltyLeftBelow    ? -kPenaltyCentre
                       : draw < kPenaltyRightBelow ? kPenaltyCentre
                                                   : 0;
        const jint spread = spreadOf(penaltyAimLevel) * kPenaltySpreadScale;
        s->shotHighY = c + spread;
        s->shotLowY = c - spread;
    }
    return true;
}

} // namespace game::match
