// Pitch geometry of the match engine that the framework's camera needs already.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

// True when exactly one of A and B lies ahead of P along the direction B to A (the dot products
// (A - B) . (A - P) and (A - B) . (B - P), 32-bit, exactly one of them positive): P projects
// inside the segment A-B.
bool pointsOnOppositeSides(runtime::jint px, runtime::jint py, runtime::jint ax, runtime::jint ay,
                           runtime::jint bx, runtime::jint by);

} // namespace game::match
