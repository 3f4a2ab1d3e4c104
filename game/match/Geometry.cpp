// Pitch geometry (see Geometry.h).
#include "game/match/Geometry.h"

namespace game::match {

using runtime::jint;

bool pointsOnOppositeSides(const jint px, const jint py, const jint ax, const jint ay, const jint bx,
                           const jint by) {
    // 32-bit products that wrap, as the engine computes them (the build wraps signed overflow).
    const jint ex = ax - bx;
    const jint ey = ay - by;
    const jint s1 = ex * (ax - px) + ey * (ay - py);
    const jint s2 = ex * (bx - px) + ey * (by - py);
    return (s1 > 0) != (s2 > 0);
}

} // namespace game::match
