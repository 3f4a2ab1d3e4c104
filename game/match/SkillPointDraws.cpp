// The ten skill point draws (see SkillPointDraws.h).
#include "game/match/SkillPointDraws.h"

#include "game/core/GameMath.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::jbyte;
using runtime::jint;

namespace {

// One entry of the increments per skill; the draw covers 0..100, both included.
constexpr jint kSkillEntries = 8;
constexpr jint kDrawTop = 100;

// The odds of one routine: entry `low` below `first`, `middle` below `second`, else `high`. A
// routine with two outcomes has second == first.
struct Odds {
    jint first;
    jint second;
    jint low;
    jint middle;
    jint high;
};

runtime::ByteArray* addPoint(runtime::ByteArray* const points, const Odds& odds, const char* const routine) {
    if (points == nullptr || points->length < kSkillEntries) {
        runtime::log("%s: no array of %d skill increments; nothing added", routine, kSkillEntries);
        return points;
    }
    const jint r = core::randomRange(0, kDrawTop);
    const jint entry = r < odds.first ? odds.low : r < odds.second ? odds.middle : odds.high;
    (*points)[entry] = static_cast<jbyte>((*points)[entry] + 1);
    return points;
}

} // namespace

runtime::ByteArray* addSkillPointA(runtime::ByteArray* const points) {
    return addPoint(points, {20, 40, 0, 1, 5}, "addSkillPointA");
}

runtime::ByteArray* addSkillPointB(runtime::ByteArray* const points) {
    return addPoint(points, {33, 66, 0, 1, 4}, "addSkillPointB");
}

runtime::ByteArray* addSkillPointC(runtime::ByteArray* const points) {
    return addPoint(points, {15, 30, 0, 6, 5}, "addSkillPointC");
}

runtime::ByteArray* addSkillPointD(runtime::ByteArray* const points) {
    return addPoint(points, {50, 50, 2, 2, 6}, "addSkillPointD");
}

runtime::ByteArray* addSkillPointE(runtime::ByteArray* const points) {
    return addPoint(points, {17, 51, 4, 5, 0}, "addSkillPointE");
}

runtime::ByteArray* addSkillPointF(runtime::ByteArray* const points) {
    return addPoint(points, {20, 20, 5, 5, 2}, "addSkillPointF");
}

runtime::ByteArray* addSkillPointG(runtime::ByteArray* const points) {
    return addPoint(points, {60, 60, 5, 5, 6}, "addSkillPointG");
}

runtime::ByteArray* addSkillPointH(runtime::ByteArray* const points) {
    return addPoint(points, {49, 74, 1, 2, 6}, "addSkillPointH");
}

runtime::ByteArray* addSkillPointI(runtime::ByteArray* const points) {
    return addPoint(points, {66, 66, 1, 1, 2}, "addSkillPointI");
}

runtime::ByteArray* addSkillPointJ(runtime::ByteArray* const points) {
    return addPoint(points, {66, 66, 2, 2, 4}, "addSkillPointJ");
}

} // namespace game::match
