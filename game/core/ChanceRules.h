// Chance rules and random picks: decisions drawn from the game's generator. A yes/no chance from
// a value and three thresholds, the category of a position mask (with a coin toss for one bit),
// a set of distinct random indices 0..19 that avoids reserved ones, and the list built from them.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jboolean;
using runtime::jint;

// True when a roll of randomRange(0, range) falls below the limit that value leaves under the
// base for the number of thresholds a, b, c at 10 or below; false without a draw when none is.
jboolean acceptanceRoll(jint value, jint a, jint b, jint c, jint scale);
// The category 0..9 of a position bit mask: the first set bit in a fixed order decides; bit 13
// tosses a coin between 7 and 8; no known bit gives 9.
jint positionCategory(jint mask);
// pickIndices := pickCount distinct indices 0..19, none of them a reserved index (selectionTable
// bytes 592 and 598); pickIndicesUsed := the number drawn.
void pickRandomIndices();
// squadList := the drawn indices that are not reserved (selectionTable bytes 592, 598 and
// 793..795), looking at 20 of them when pickLimitFlag is set, else at pickCount; the list is shown
// from its first row.
void buildPickList();

} // namespace game::core
