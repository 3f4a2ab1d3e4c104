// Pitch geometry of the match engine: directions and angles of a move, the small side and
// segment tests, the projection of a pitch point onto the pitch image and back, and the shared
// rating blends. Everything is integer arithmetic; nothing allocates. A cell is 8192 pitch
// units; directions run 0..7 clockwise from -y; angles 0..359 on the same compass.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// The direction 0..7 of a move: diagonal when |dy * 256 / dx| lies strictly between 106 and 618,
// else along the nearer axis; the zero move gives 0.
jint directionFromVector(jint dx, jint dy);
// The angle 0..359 of a move, from the first tanTable entry above |dy * 256 / dx|. A move so
// near the y axis that no entry is larger gives the axis angle (0 towards -y, 180 towards +y).
jint angleFromDelta(jint dx, jint dy);
// True when b is a or one step from it, wrapping 7/0.
bool isNeighbourDirection(jint a, jint b);
// True when b is within two steps of a either way, wrapping.
bool isNearDirection(jint a, jint b);
// True when exactly one of A and B lies ahead of P along the direction B to A (the dot products
// (A - B) . (A - P) and (A - B) . (B - P), exactly one of them positive): P projects strictly
// inside the segment A-B. The products are 64-bit, so segments of any pitch length are exact.
bool pointsOnOppositeSides(jint px, jint py, jint ax, jint ay, jint bx, jint by);
// True when P is A or B, or P projects strictly inside A-B and lies at most tol from the line
// (cross product against approxDistance(A - B) x tol, 64-bit).
bool isPointNearSegment(jint px, jint py, jint ax, jint ay, jint bx, jint by, jint tol);
// projectedX, projectedY := the point of the pitch image showing pitch point (x, y) at height z
// (the centre spot at (1392, 879); 256 units of height lift it one pixel).
void projectToScreen(jint x, jint y, jint z);
// projectedX, projectedY := the pitch point at height 0 under image point (sx, sy), divided by
// 256 (x, then y), rounded towards zero: the inverse of projectToScreen.
void screenToPitch(jint sx, jint sy);
// True for role codes 2..9.
bool isRoleCode2to9(jint code);
// v, or -v when v < 0 (the most negative int stays).
jint absInt(jint v);
// a/2 + b/3 + c/6, each term truncated, halved (arithmetic shift) when halve is non-zero.
jint rating3(jint halve, jint a, jint b, jint c);
// (2a)/3 + b/3, each term truncated, halved when halve is non-zero.
jint rating2(jint halve, jint a, jint b);

} // namespace game::match
