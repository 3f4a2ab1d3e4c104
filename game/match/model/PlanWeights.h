// The weighted draws that pick a ball plan: each plan is an int array {kind, weight, x, y}, a
// weight of -1 marking a plan that is not available.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {

// The index of a plan drawn with odds by plans[k][column] (-1 counts as 0); -1 when nothing
// carries weight, without a draw.
runtime::jint pickWeighted(const runtime::ObjectArray* plans, runtime::jint column);
// The same draw over listA, listB and listC one after the other: a plan of listA gives its index
// k, of listB |listA| + k, of listC |listA| + |listB| + k; -1 when nothing carries weight.
runtime::jint pickWeighted3(const runtime::ObjectArray* listA, const runtime::ObjectArray* listB,
                            const runtime::ObjectArray* listC, runtime::jint column);

} // namespace game::match
