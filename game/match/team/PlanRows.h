// Access to the rows of the plan and candidate tables (arrays of int arrays) and the field
// positions the team logic shares.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {

// A plan: {kind, weight, x, y}; a candidate: {x, y, weight or grade, receiver slot}.
inline constexpr runtime::jint kPlanKind = 0;
inline constexpr runtime::jint kPlanWeight = 1;
inline constexpr runtime::jint kPlanX = 2;
inline constexpr runtime::jint kPlanY = 3;
inline constexpr runtime::jint kCandidateX = 0;
inline constexpr runtime::jint kCandidateY = 1;
inline constexpr runtime::jint kCandidateWeight = 2;
inline constexpr runtime::jint kCandidateSlot = 3;
inline constexpr runtime::jint kUnavailable = -1;
// Plan kinds.
inline constexpr runtime::jint kHoldPlan = 1;
inline constexpr runtime::jint kLongBallPlan = 3;
inline constexpr runtime::jint kPassPlan = 4;
inline constexpr runtime::jint kDribblePlan = 5;
inline constexpr runtime::jint kShotPlan = 10000;

// Row k of table, or null when the table or the row is missing or too short for `width` ints.
inline runtime::IntArray* planRow(runtime::ObjectArray* table, runtime::jint k, runtime::jint width) {
    if (table == nullptr || !table->inBounds(k)) {
        return nullptr;
    }
    auto* const row = static_cast<runtime::IntArray*>((*table)[k]);
    return row != nullptr && row->length >= width ? row : nullptr;
}

} // namespace game::match
