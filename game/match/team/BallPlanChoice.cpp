// The ball plan choice: the plan and candidate tables cleared, the long ball and the wing ball
// prepared, and one plan drawn by the weights of the holder's zone.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/PlanTables.h"
#include "game/match/model/PlanWeights.h"
#include "game/match/model/PlayerMotion.h"
#include "game/match/team/PlanRows.h"
#include "runtime/Log.h"

namespace game::match {

using core::randomRange;
using runtime::IntArray;
using runtime::ObjectArray;

namespace {

constexpr jint kDirections = 8;
constexpr jint kPlanInts = 4;
constexpr jint kLongBallInts = 3;
// Plan slots.
constexpr jint kDribbleSlot = 0;
constexpr jint kPassSlot = 1;
constexpr jint kLongBallSlot = 2;
constexpr jint kShotSlot = 3;
constexpr jint kHoldSlot = 4;
constexpr jint kPassVariantA = 5;
constexpr jint kWingBallSlot = 6;
constexpr jint kPassVariantB = 7;
constexpr jint kPlans = 8;
// Pass-lane kind of a long ball; the weight of a long ball of the best reach.
constexpr jint kLongLane = 1;
constexpr jint kWeight = 100;
// Holder zones: wide and central near the opponent's goal line, then towards the own goal.
constexpr jint kWideGoalZone = 0;
constexpr jint kWideNearGoalZone = 1;
constexpr jint kFrontOfGoalZone = 2;
constexpr jint kMiddleZone = 4;
constexpr jint kDefensiveZone = 5;
constexpr jint kOwnBoxZone = 6;
constexpr jint kZones = 7;
// Team-view directions: straight at the goal; the across moves the tempo leaves alone.
constexpr jint kAhead = 2;
constexpr jint kAcrossA = 0;
constexpr jint kAcrossB = 4;
// A clearance from the own box: a touch-line point and the direction that must hold a
// team-mate; the jitter in steps of 256.
struct Clearance {
    bool atPlayerX;
    jint y;
    jint direction;
};
constexpr jint kTouchLineY = 86016;
constexpr Clearance kClearances[] = {
    {false, kTouchLineY, 1}, {false, -kTouchLineY, 3}, {true, kTouchLineY, 0}, {true, -kTouchLineY, 4}};
constexpr jint kClearanceOrder[] = {0, 1, 2, 3};
constexpr jint kFacingBackOrder[] = {1, 0, 3, 2};
constexpr jint kJitterShift = 8;
// The tempo classes' streak and shift; the streak's shift by how many dribbles are left.
constexpr jint kTempoStreak[] = {2, 4, 7};
constexpr jint kTempoShift[] = {2, 3, 4};
constexpr jint kStyleAsTeam = 3;
// Holding: the counter's limit.
constexpr jint kHoldLimit = 3;

IntArray* plan(const jint k) {
    return planRow(statics()->ballPlans, k, kPlanInts);
}

jint weightOf(const jint k) {
    const IntArray* const row = plan(k);
    return row != nullptr ? (*row)[kPlanWeight] : kUnavailable;
}

void setWeight(const jint k, const jint w) {
    if (IntArray* const row = plan(k); row != nullptr) {
        (*row)[kPlanWeight] = w;
    }
}

void setPlan(const jint k, const jint kind, const jint x, const jint y) {
    if (IntArray* const row = plan(k); row != nullptr) {
        (*row)[kPlanKind] = kind;
        (*row)[kPlanX] = x;
        (*row)[kPlanY] = y;
    }
}

void copyPlan(const jint to, const jint from) {
    IntArray* const a = plan(to);
    const IntArray* const b = plan(from);
    for (jint j = 0; a != nullptr && b != nullptr && j < kPlanInts; ++j) {
        (*a)[j] = (*b)[j];
    }
}

jint streakShift(const jint streak) {
    return streak >= 5 ? 4 : streak >= 3 ? 3 : streak;
}

} // namespace

void clearPlanTables() {
    GameStatics* const s = statics();
    for (ObjectArray* const table :
         {s->ballPlans.get(), s->dribbleCandidates.get(), s->shortPassCandidates.get(),
          s->mediumPassCandidates.get(), s->throughPassCandidates.get(), s->longBallCandidates.get()}) {
        for (jint k = 0; table != nullptr && k < table->length; ++k) {
            auto* const row = static_cast<IntArray*>((*table)[k]);
            for (jint j = 0; row != nullptr && j < row->length; ++j) {
                (*row)[j] = 0;
            }
        }
    }
}

jint CTeam::chooseBallPlan(CPlayer* const p) {
    GameStatics* const s = statics();
    clearPlanTables();
    const CPlayer* const attacker =
        teamIndex >= 0 && teamIndex < 2 ? s->firstAttacker[teamIndex].get() : nullptr;
    if (attacker != nullptr && attacker != p) {
        // The player who took the ball forward always gets it.
        setPlan(kPassSlot, kPassPlan, attacker->x, attacker->y);
        return kPassSlot;
    }
    if (p == nullptr) {
        return -1;
    }
    analyseHolder(p);
    prepareDribble(p);
    preparePasses(p);
    prepareLongBall(p);
    if (IntArray* const shot = plan(kShotSlot); shot != nullptr) {
        (*shot)[kPlanKind] = kShotPlan;
    }
    if (IntArray* const hold = plan(kHoldSlot); hold != nullptr) {
        (*hold)[kPlanKind] = kHoldPlan;
    }
    prepareWingBall(p);
    return selectBallPlan(p);
}

void CTeam::prepareLongBall(CPlayer* const p) {
    GameStatics* const s = statics();
    longBallReach = 0;
    if (p == nullptr) {
        return;
    }
    for (jint d = 0; d < kDirections; ++d) {
        const jint turn = turnBetween(p->direction, d);
        const jint t = orientDirection(d);
        if (turn < -2 || turn > 2 || t < 1 || t > 3 || !p->passLaneOpen(d, kLongLane)) {
            continue;
        }
        const jint x = s->candidateX;
        const jint y = s->candidateY;
        const jint grade = rateSpace(p, x, y, d);
        if (IntArray* const c = planRow(s->longBallCandidates, d, kLongBallInts); c != nullptr) {
            (*c)[kCandidateX] = x;
            (*c)[kCandidateY] = y;
            (*c)[kCandidateWeight] = grade == 0 ? kUnavailable : grade;
        }
        longBallReach = std::max(longBallReach, grade);
    }
    for (jint d = 0; d < kDirections; ++d) {
        if (IntArray* const c = planRow(s->longBallCandidates, d, kLongBallInts); c != nullptr) {
            // With no team-mate in reach (best 0) nothing is a candidate, not even an
            // unexamined direction.
            (*c)[kCandidateWeight] =
                longBallReach > 0 && (*c)[kCandidateWeight] == longBallReach ? kWeight : kUnavailable;
        }
    }
    if (s->holderZone >= kMiddleZone && s->holderZone <= kOwnBoxZone) {
        adjustPassWeights(s->longBallCandidates);
    }
    const jint k = pickWeighted(s->longBallCandidates, kCandidateWeight);
    if (k != -1) {
        const IntArray* const c = planRow(s->longBallCandidates, k, kLongBallInts);
        setPlan(kLongBallSlot, kLongBallPlan, (*c)[kCandidateX], (*c)[kCandidateY]);
        return;
    }
    if (s->holderZone == kOwnBoxZone) {
        const bool facingBack = p->direction >= 3 && p->direction <= 5;
        for (const jint e : facingBack ? kFacingBackOrder : kClearanceOrder) {
            const Clearance& c = kClearances[e];
            const jint x = c.atPlayerX ? p->x : 0;
            if (rateSpace(p, x, c.y, orientDirection(c.direction)) > 0) {
                const jint jx = randomRange(-2, 2) << kJitterShift;
                const jint jy = randomRange(-1, 1) << kJitterShift;
                setPlan(kLongBallSlot, kLongBallPlan, x + jx, c.y + jy);
                return;
            }
        }
    }
    // Neither a long ball nor a clearance: the plan is not available.
    setWeight(kLongBallSlot, kUnavailable);
}

void CTeam::prepareWingBall(CPlayer* const p) {
    const GameStatics* const s = statics();
    wingGrade = 0;
    const jint facing = p != nullptr ? orientDirection(p->direction) : -1;
    const bool wide = (s->holderZone == kWideGoalZone && facing >= 1 && facing <= 6) ||
                      (s->holderZone == kWideNearGoalZone && facing >= 1 && facing <= 4);
    if (wide && p->choosePassTarget()) {
        const jint x = s->candidateX;
        const jint y = s->candidateY;
        wingGrade = rateSpace(p, x, y, p->y < 0 ? 4 : 0);
        setPlan(kWingBallSlot, kLongBallPlan, x, y);
        return;
    }
    setWeight(kWingBallSlot, kUnavailable);
}

jint CTeam::selectBallPlan(CPlayer* const p) {
    GameStatics* const s = statics();
    const jint zone = s->holderZone;
    const auto* const zoneRow =
        decisionWeights != nullptr && zone >= 0 && zone < kZones && decisionWeights->inBounds(zone)
            ? static_cast<const IntArray*>((*decisionWeights)[zone])
            : nullptr;
    if (p == nullptr || zoneRow == nullptr || zoneRow->length < kPlans || s->ballPlans == nullptr) {
        runtime::log("CTeam::selectBallPlan: no zone weights for zone %d; the player holds", zone);
    }

    // 1. The zone's weights; a pass or long-ball plan that is not available hands its weight on
    // to those of the three that are (as they were offered, before any weight moved).
    bool available[kPlans];
    for (jint j = 0; j < kPlans; ++j) {
        available[j] = weightOf(j) != kUnavailable;
    }
    auto zoneWeight = [zoneRow](const jint j) {
        return zoneRow != nullptr && zoneRow->length >= kPlans ? (*zoneRow)[j] : 0;
    };
    for (jint j = 0; j < kPlans; ++j) {
        if (available[j]) {
            setWeight(j, weightOf(j) + zoneWeight(j));
            continue;
        }
        setWeight(j, 0);
        if (j != kPassSlot && j != kLongBallSlot && j != kPassVariantB) {
            continue;
        }
        const jint a = j == kPassSlot ? kLongBallSlot : kPassSlot;
        const jint b = j == kPassVariantB ? kLongBallSlot : kPassVariantB;
        const jint w = zoneWeight(j);
        if (available[a] && available[b]) {
            setWeight(a, weightOf(a) + (w >> 1));
            setWeight(b, weightOf(b) + (w >> 1));
        } else if (available[a]) {
            setWeight(a, weightOf(a) + w);
        } else if (available[b]) {
            setWeight(b, weightOf(b) + w);
        }
    }
    if (p == nullptr) {
        return -1;
    }

    // 2. The adjusters.
    adjustWeightsByTactics(s->ballPlans, p->effectiveInstruction3());
    if (weightOf(kDribbleSlot) >= 1) {
        adjustDribbleWeight(p, plan(kDribbleSlot));
    }
    if (weightOf(kLongBallSlot) >= 1 && isInPenaltyArea(p->x, p->y)) {
        setWeight(kLongBallSlot, runtime::imul(weightOf(kLongBallSlot), 4));
    }
    if (jint w = weightOf(kWingBallSlot); w >= 1) {
        adjustWeightByPlayer(p, w);
        setWeight(kWingBallSlot, w);
    }
    if (weightOf(kShotSlot) >= 1) {
        adjustShotWeight(p, plan(kShotSlot));
    }

    // 3. The dribble run's boost; 4. the tempo of a dribbler who keeps going.
    if (weightOf(kDribbleSlot) >= 1 && s->dribbleRunActive != 0) {
        setWeight(kDribbleSlot, weightOf(kDribbleSlot) << (s->dribbleBoost & 31));
    }
    const jint moveDirection = orientDirection(s->dribbleMoveDirection);
    if (zone != kFrontOfGoalZone && zone != kOwnBoxZone && weightOf(kDribbleSlot) >= 1 &&
        moveDirection != kAcrossA && moveDirection != kAcrossB) {
        jint shift = 0;
        if (lastPlan != kDribbleSlot) {
            const jint style = p->styleSetting == kStyleAsTeam ? tactic4 : p->styleSetting;
            const jint tempo = style == 0 || style == 2 ? style : 1;
            dribbleStreak = kTempoStreak[tempo];
            shift = kTempoShift[tempo];
        } else if (dribbleStreak > 0) {
            shift = streakShift(dribbleStreak);
        } else {
            setWeight(kDribbleSlot, weightOf(kDribbleSlot) >> 1);
        }
        if (shift > 0) {
            setWeight(kDribbleSlot, weightOf(kDribbleSlot) << shift);
            dribbleStreak -= 1;
        }
    }

    // 5. The draw; 6. a forced dribble, or the drawn plan moved into its slot.
    jint k = pickWeighted(s->ballPlans, kPlanWeight);
    if (weightOf(kDribbleSlot) >= 1 && s->dribbleRunForced != 0) {
        k = kDribbleSlot;
        s->dribbleRunForced = s->dribbleRunActive != 0 ? 1 : 0;
    } else if (k == kDribbleSlot && s->dribbleRunActive != 0) {
        s->dribbleRunForced = 1;
    } else {
        s->dribbleRunActive = 0;
        if (k == kPassSlot) {
            s->passStage = 0;
            s->chosenReceiverSlot = passReceiverSlot;
        } else if (k == kPassVariantA) {
            copyPlan(kPassSlot, kPassVariantA);
            k = kPassSlot;
            s->chosenReceiverSlot = secondReceiverSlot;
        } else if (k == kWingBallSlot) {
            copyPlan(kLongBallSlot, kWingBallSlot);
            k = kLongBallSlot;
        } else if (k == kPassVariantB) {
            copyPlan(kPassSlot, kPassVariantB);
            k = kPassSlot;
            s->chosenReceiverSlot = thirdReceiverSlot;
        }
    }

    // 7. Holding the ball in midfield while the team's hold allows it.
    s->holdHeld = 0;
    const bool holdAllowed =
        (p->cellX > 0 && holdMode == 1 && holdFlag != 0) || (p->cellX <= 0 && holdMode == 0);
    if ((zone == kMiddleZone || zone == kDefensiveZone) && holdCredit >= 1 && holdAllowed) {
        holdCredit -= 1;
        if (IntArray* const hold = plan(kHoldSlot); hold != nullptr) {
            (*hold)[kPlanKind] = kHoldPlan;
        }
        if (lastPlan != kHoldSlot) {
            s->holdCounter = 0;
        }
        if (p->direction != orientDirection(kAhead)) {
            holdDirection = orientDirection(kAhead);
        } else if (s->holdCounter < kHoldLimit && holdMode == 0) {
            s->holdHeld = 1;
        }
        s->holdCounter += 1;
        lastPlan = kHoldSlot;
        return kHoldSlot;
    }

    // 8. Nothing to draw: hold and turn away from the near touch line, or shoot in front of goal.
    if (k == -1) {
        if (zone != kFrontOfGoalZone) {
            holdDirection = p->cellY < 0 ? (p->direction + 1) & 7 : (p->direction - 1) & 7;
            if (IntArray* const hold = plan(kHoldSlot); hold != nullptr) {
                (*hold)[kPlanKind] = kHoldPlan;
            }
            k = kHoldSlot;
        } else {
            k = kShotSlot;
        }
    }
    lastPlan = k;
    return k;
}

} // namespace game::match
