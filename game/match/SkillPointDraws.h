// The skill point draws the club database's player development chains: each adds one point, by
// fixed odds, to one entry of an eight-entry array of skill increments.
#pragma once

#include "runtime/Arrays.h"

namespace game::match {

// Each draws randomRange(0, 100), adds 1 (as a signed byte, so 127 becomes -128) to the entry
// its odds pick and returns points, so that calls chain. An array shorter than eight entries is
// logged and returned unchanged, with nothing drawn.
//   A: 0 below 20, 1 below 40, else 5        F: 5 below 20, else 2
//   B: 0 below 33, 1 below 66, else 4        G: 5 below 60, else 6
//   C: 0 below 15, 6 below 30, else 5        H: 1 below 49, 2 below 74, else 6
//   D: 2 below 50, else 6                    I: 1 below 66, else 2
//   E: 4 below 17, 5 below 51, else 0        J: 2 below 66, else 4
runtime::ByteArray* addSkillPointA(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointB(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointC(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointD(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointE(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointF(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointG(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointH(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointI(runtime::ByteArray* points);
runtime::ByteArray* addSkillPointJ(runtime::ByteArray* points);

} // namespace game::match
