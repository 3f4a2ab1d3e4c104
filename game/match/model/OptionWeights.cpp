// The weight modifiers of a player's options: by the player and the holder's zone, by the team's
// tactics, by a move's direction and by the band a pass goes to. Each scales weights in place;
// halving and quartering are arithmetic shifts.
#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"

namespace game::match {

using runtime::IntArray;
using runtime::ObjectArray;

namespace {

// Where the weight sits in an option of the plan tables, of the move and pass tables; where a
// pass option keeps its target's y.
constexpr jint kPlanWeight = 1;
constexpr jint kMoveWeight = 2;
constexpr jint kPassTargetY = 1;
// Factors as shifts: a positive shift multiplies (x2, x4), a negative one divides (/2, /4), 0
// leaves the weight.
constexpr jint kKeep = 0;

// adjustMoveWeight: the shift by style s (0, 1, 3, 4, other) and direction group (forward 1..3,
// across 0 and 4, back 5..7).
constexpr jint kMoveShifts[5][3] = {
    {kKeep, 2, 2}, {kKeep, 1, 1}, {1, -1, -1}, {2, -2, -2}, {kKeep, kKeep, -1}};
// adjustPassWeights: the shift by tactic3 1..6 and the band of the target's y cell.
constexpr jint kPassShifts[6][4] = {{2, 1, -1, -2},    {-2, -1, 1, 2},    {-1, 1, 1, -1},
                                    {-2, kKeep, 1, 1}, {1, 1, kKeep, -2}, {1, -1, -1, 1}};
constexpr jint kPassTactics = 6;
// Bands of the target's y cell: below -5, -5..-1, 0..4, 5 and above.
constexpr jint kBandLow = -5;
constexpr jint kBandHigh = 5;
// A player whose style is 5 takes the team's mentality.
constexpr jint kStyleAsTeam = 5;
constexpr jint kHalfTurn = 4;

jint scaled(const jint weight, const jint shift) {
    return shift >= 0 ? runtime::imul(weight, 1 << shift) : weight >> -shift;
}

IntArray* optionAt(ObjectArray* const options, const jint k) {
    return options != nullptr && options->inBounds(k) ? static_cast<IntArray*>((*options)[k]) : nullptr;
}

jint moveStyleRow(const jint s) {
    switch (s) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 3:
        return 2;
    case 4:
        return 3;
    default:
        return 4;
    }
}

} // namespace

void CTeam::adjustWeightByPlayer(const CPlayer* const player, jint& weight) const {
    const GameStatics* const s = statics();
    const jint zone = s->holderZone;
    if ((s->groupSetting == 1 && zone == 0) || (s->groupSetting == 2 && zone == 1)) {
        weight = scaled(weight, 1);
    } else if ((s->groupSetting == 1 && zone == 1) || (s->groupSetting == 2 && zone == 0)) {
        weight = scaled(weight, -1);
    }
    if (player != nullptr && player->settingA == 0) {
        weight = scaled(weight, -2);
    } else if (player != nullptr && player->settingA == 2) {
        weight = scaled(weight, 1);
    }
    if (wingGrade == 2 || wingGrade == 3) {
        weight = scaled(weight, 2);
    } else if (wingGrade == 0) {
        weight = scaled(weight, -1);
    }
}

void CTeam::adjustWeightsByTactics(ObjectArray* const options, const jint kind) const {
    IntArray* const first = optionAt(options, 1);
    IntArray* const second = optionAt(options, 2);
    if (first == nullptr || second == nullptr || first->length <= kPlanWeight ||
        second->length <= kPlanWeight) {
        return;
    }
    jint& w1 = (*first)[kPlanWeight];
    jint& w2 = (*second)[kPlanWeight];
    const jint zone = statics()->holderZone;
    if (kind != 0 && kind != 3 && w1 > 0) {
        const jint q = w2 >> 2;
        w2 -= q;
        w1 += q;
    }
    if (kind == 3 && w2 > 0) {
        w2 += w1;
        w1 = 0;
    }
    if (w1 > 0 && tacticLevel == 3) {
        w1 = scaled(w1, 1);
        if (zone < 5) {
            w2 = 0;
        }
    } else if (w1 > 0 && tacticLevel < 3) {
        // A level below 0 never comes from the pass candidates; it would quarter at most.
        w1 = scaled(w1, -std::min(2 - tacticLevel, 2));
        if (tacticLevel == 2 && zone <= 5) {
            w2 = scaled(w2, -1);
        }
    }
    if ((kind == 0 || kind == 3) && w2 > 0 && tacticLevel < 2) {
        if (pressingLevel == 3) {
            w2 = scaled(w2, 2);
        } else if (pressingLevel == 2) {
            w2 = scaled(w2, 1);
        }
    }
}

void CTeam::adjustMoveWeight(const CPlayer* const player, IntArray* const option,
                             const jint direction) const {
    if (player == nullptr || option == nullptr || option->length <= kMoveWeight) {
        return;
    }
    const jint style = player->runStyle == kStyleAsTeam ? mentalityInUse : player->runStyle;
    const jint d = orientDirection(direction);
    const jint group = d >= 1 && d <= 3 ? 0 : d == 0 || d == kHalfTurn ? 1 : 2;
    (*option)[kMoveWeight] = scaled((*option)[kMoveWeight], kMoveShifts[moveStyleRow(style)][group]);
}

void CTeam::adjustPassWeights(ObjectArray* const options) const {
    if (tactic3 < 1 || tactic3 > kPassTactics || options == nullptr) {
        return;
    }
    for (jint k = 0; k < options->length; ++k) {
        IntArray* const option = optionAt(options, k);
        if (option == nullptr || option->length <= kMoveWeight || (*option)[kMoveWeight] <= 0) {
            continue;
        }
        const jint d = orientDirection(k);
        if (d < 0 || d > kHalfTurn) {
            continue;
        }
        const jint cy = toCell((*option)[kPassTargetY]);
        const jint band = cy < kBandLow ? 0 : cy < 0 ? 1 : cy < kBandHigh ? 2 : 3;
        (*option)[kMoveWeight] = scaled((*option)[kMoveWeight], kPassShifts[tactic3 - 1][band]);
    }
}

} // namespace game::match
