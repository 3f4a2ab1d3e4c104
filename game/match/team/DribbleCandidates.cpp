// The dribble candidates: the order of directions a ball carrier tries, the first free one as the
// dribble plan, the dribble run towards a target cell, and whether the carrier may sprint.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/model/PlanWeights.h"
#include "game/match/team/PlanRows.h"

namespace game::match {

using core::randomRange;
using runtime::BoolArray;
using runtime::IntArray;
using runtime::ObjectArray;

namespace {

constexpr jint kDirections = 8;
constexpr jint kDirectionMask = 7;
// Team-view directions: straight ahead and back, and the side steps towards -y and +y.
constexpr jint kAhead = 2;
constexpr jint kBack = 6;
// The dribble moves the ball half a cell.
constexpr jint kStep = 4096;
constexpr jint kChosenWeight = 100;
// The odds of the forward diagonal and the side step towards -y (out of 10): wide left of the box
// he turns in, wide right he always does.
constexpr jint kWideLeftOdds = 9;
constexpr jint kWideRightOdds = 0;
constexpr jint kOtherOdds = 4;
constexpr jint kOddsDrawLast = 9;
// The edges: the opponent's goal line, the own goal line and the touch lines, in cells.
constexpr jint kForwardEdgeCell = 14;
constexpr jint kBackEdgeCell = -14;
constexpr jint kSideEdgeCell = 9;
// Wide zones near the opponent's goal line, where a nearer opponent closes a direction.
constexpr jint kWideGoalZone = 0;
constexpr jint kWideNearGoalZone = 1;
// Run targets by fine zone: wide short of cell 7, wide at cells 7..10, central at 7..10.
constexpr jint kWideShortZone = 3;
constexpr jint kWideLongZone = 2;
constexpr jint kCentralZone = 6;
constexpr jint kWideShortTarget = 9;
constexpr jint kWideLongTarget = 13;
constexpr jint kCentralTarget = 11;
constexpr jint kRunBoost = 2;
// The unit move of each pitch direction.
constexpr jint kStepX[kDirections] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr jint kStepY[kDirections] = {-1, -1, 0, 1, 1, 1, 0, -1};

bool flagAt(const BoolArray* flags, const jint t) {
    return flags != nullptr && flags->inBounds(t & kDirectionMask) && (*flags)[t & kDirectionMask] != 0;
}

// An opponent in direction t or either neighbour.
bool closedAround(const BoolArray* flags, const jint t) {
    return flagAt(flags, t) || flagAt(flags, t - 1) || flagAt(flags, t + 1);
}

// Whether the edge of the pitch closes team-view direction t for a player at cell (cx, cy).
bool edgeCloses(const jint t, const jint cx, const jint cy) {
    return (t >= 1 && t <= 3 && cx >= kForwardEdgeCell) || (t >= 5 && t <= 7 && cx <= kBackEdgeCell) ||
           ((t == 7 || t == 0 || t == 1) && cy <= -kSideEdgeCell) ||
           (t >= 3 && t <= 5 && cy >= kSideEdgeCell);
}

// The team-view dribble order, with the three draws made in entry order.
void dribbleOrder(const jint odds, jint (&order)[kDirections]) {
    order[0] = kAhead;
    order[1] = randomRange(0, kOddsDrawLast) >= odds ? 1 : 3;
    order[2] = 4 - order[1];
    order[3] = randomRange(0, kOddsDrawLast) >= odds ? 0 : 4;
    order[4] = 4 - order[3];
    order[5] = kBack;
    order[6] = randomRange(0, 1) == 1 ? 7 : 5;
    order[7] = 12 - order[6];
}

} // namespace

void CTeam::prepareDribble(CPlayer* const p) {
    GameStatics* const s = statics();
    ObjectArray* const candidates = s->dribbleCandidates;
    if (p == nullptr || candidates == nullptr || table8 == nullptr || table8->length < kDirections) {
        return;
    }
    jint order[kDirections];
    dribbleOrder(wideLeftOfBox != 0    ? kWideLeftOdds
                 : wideRightOfBox != 0 ? kWideRightOdds
                                       : kOtherOdds,
                 order);
    for (jint k = 0; k < kDirections; ++k) {
        (*table8)[k] = orientDirection(order[k]);
    }

    const BoolArray* const flags =
        p->cellX > 0
            ? (s->holderZone == kWideGoalZone || s->holderZone == kWideNearGoalZone ? flags8b : flags8a)
            : flags8c;
    for (jint k = 0; k < kDirections; ++k) {
        const jint d = (*table8)[k] & kDirectionMask;
        const jint t = orientDirection(d);
        IntArray* const c = planRow(candidates, d, kCandidateWeight + 1);
        if (c == nullptr) {
            continue;
        }
        if (closedAround(flags, t)) {
            (*c)[kCandidateWeight] = kUnavailable;
            continue;
        }
        (*c)[kCandidateX] = p->x + kStep * kStepX[d];
        (*c)[kCandidateY] = p->y + kStep * kStepY[d];
        (*c)[kCandidateWeight] = edgeCloses(t, p->cellX, p->cellY) ? kUnavailable : kChosenWeight;
        if ((*c)[kCandidateWeight] != kUnavailable) {
            break;
        }
    }

    // The dribble run: ended at its target cell, planned anew when ready, ended when the way
    // ahead closes.
    if (s->dribbleRunActive != 0 && toCell(p->x) >= toCell(s->dribbleRunTargetX)) {
        s->dribbleRunActive = 0;
        s->dribbleRunForced = 0;
        s->dribbleRunReady = 1;
    }
    s->dribbleBoost = 0;
    if (s->dribbleRunReady != 0) {
        s->dribbleRunTargetX = -1;
        s->dribbleRunTargetY = -1;
        jint target = -1;
        if (s->holderZoneFine == kWideShortZone) {
            target = kWideShortTarget + randomRange(-1, 1);
        } else if (s->holderZoneFine == kWideLongZone) {
            target = kWideLongTarget + randomRange(-1, 1);
        } else if (s->holderZoneFine == kCentralZone) {
            target = kCentralTarget;
        }
        if (target != -1) {
            s->dribbleRunTargetX = fromCell(target);
            s->dribbleRunTargetY = p->y;
            s->dribbleBoost = kRunBoost;
        }
        s->dribblePlanDirection = orientDirection(kAhead);
        if (target != -1 && !flagAt(flags8a, kAhead)) {
            s->dribbleRunActive = 1;
            s->dribbleRunReady = 0;
        } else {
            s->dribbleRunActive = 0;
        }
    }
    const IntArray* const ahead =
        planRow(candidates, s->dribblePlanDirection & kDirectionMask, kCandidateWeight + 1);
    if (s->dribbleRunActive != 0 && ahead != nullptr && (*ahead)[kCandidateWeight] == kUnavailable) {
        s->dribbleRunActive = 0;
        s->dribbleRunForced = 0;
        s->dribbleRunReady = 1;
    }

    const jint k = pickWeighted(candidates, kCandidateWeight);
    IntArray* const plan = planRow(s->ballPlans, 0, kPlanY + 1);
    if (plan == nullptr) {
        return;
    }
    if (k == -1) {
        (*plan)[kPlanWeight] = kUnavailable;
        return;
    }
    const IntArray* const chosen = planRow(candidates, k, kCandidateWeight + 1);
    const jint x = (*chosen)[kCandidateX];
    const jint y = (*chosen)[kCandidateY];
    (*plan)[kPlanKind] = kDribblePlan;
    (*plan)[kPlanX] = x;
    (*plan)[kPlanY] = y;
    s->dribbleMoveDirection = k;
    runFlag = 0;
    const jint t = orientDirection(k);
    // A clear lane forward with nobody near lets a fit carrier sprint.
    if (t >= 1 && t <= 3 && ratePassTarget(p, x, y, 0) == -1 && !closedAround(flags8c, t) && p->unfit == 0) {
        runFlag = 1;
    }
}

} // namespace game::match
