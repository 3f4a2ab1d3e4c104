// The game's integer maths: octagonal distances, eight-way direction vectors, scaling a vector to
// a length, random integers from the game's one generator and a fixed-point square root.
//
// Nothing here uses floating point: divisions truncate towards zero and shifts are arithmetic,
// as on the handset. Routines that yield a pair leave it in vectorX and vectorY.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

// |a| + |b| less 3/8 of the smaller: the octagonal approximation of the length of (a, b).
jint approxDistance(jint a, jint b);
// approxDistance of (x, y) taken in the pitch's skewed frame.
jint approxPitchDistance(jint x, jint y);
// vectorX, vectorY := a step of length speed in direction 0..7 (0 up, clockwise); any other
// direction leaves both unchanged.
void directionToVector(jint speed, jint direction);
// vectorX, vectorY := (x, y) scaled to approximately length; (0, 0) for a zero vector.
void scaleVectorTo(jint length, jint x, jint y);
// A random int from a to b inclusive, in either order; a == b draws nothing.
jint randomRange(jint a, jint b);
// |next value of gameRandom| mod n, for n >= 1: 0 .. n - 1. The most negative draw counts as
// 2^31, so no draw gives a negative index.
jint randomIndex(jint n);
// a mod n in 0..n-1 for n >= 1, also for a negative a (the remainder of Java's % keeps a's sign).
jint floorMod(jint a, jint n);
// The square root in 8.8 fixed point by Newton steps: the estimate before the last step. 0 for
// 0 and for negative values.
jint fixedSqrt(jint v);

} // namespace game::core
