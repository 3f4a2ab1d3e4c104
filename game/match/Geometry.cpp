// Pitch geometry (see Geometry.h).
#include "game/match/Geometry.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"

namespace game::match {

using runtime::idiv;
using runtime::jlong;

namespace {
// A move is diagonal when |dy * 256 / dx| lies strictly between these (256 x tan 22.5 and
// 256 x tan 67.5 degrees).
constexpr jint kDiagonalLow = 106;
constexpr jint kDiagonalHigh = 618;
constexpr jint kFixedOne = 256;
constexpr jint kDirectionCount = 8;
// Compass angles of the axes.
constexpr jint kAngleUp = 0;
constexpr jint kAngleRight = 90;
constexpr jint kAngleDown = 180;
constexpr jint kAngleLeft = 270;

// The projection: image pixels per 256 pitch units of y and of x, and the centre spot's pixel.
constexpr jint kProjectYX = 420;
constexpr jint kProjectXX = 384;
constexpr jint kProjectYY = 139;
constexpr jint kProjectXY = 128;
constexpr jint kFixedShift = 8;
constexpr jint kCentreSpotX = 1392;
constexpr jint kCentreSpotY = 879;
// Its inverse: the multiplier and shift that divide by 837 / 256 (y) and by 107136 (x).
constexpr jlong kInverseK = 328408491;
constexpr jint kInverseShift = 45;
constexpr jint kInverseYScale = 32768;
constexpr jint kInverseYOffset = 4029;
constexpr jint kInverseXSx = 35584;
constexpr jint kInverseXSy = 107520;
constexpr jint kInverseXOffset = 44977152;

// Role codes counted by isRoleCode2to9.
constexpr jint kFirstRoleCode = 2;
constexpr jint kLastRoleCode = 9;

// v >> kInverseShift rounded towards zero.
jint shiftTowardsZero(const jlong v) {
    const jlong magnitude = (v < 0 ? -v : v) >> kInverseShift;
    return static_cast<jint>(v < 0 ? -magnitude : magnitude);
}
} // namespace

jint directionFromVector(const jint dx, const jint dy) {
    jint r = 0;
    if (dx != 0 && dy != 0) {
        r = absInt(idiv(dy * kFixedOne, dx));
        if (r > kDiagonalLow && r < kDiagonalHigh) {
            if (dx > 0) {
                return dy < 1 ? 1 : 3;
            }
            return dy < 1 ? 7 : 5;
        }
    }
    if (dx != 0 && (dy == 0 || r <= kDiagonalLow)) {
        return dx >= 1 ? 2 : 6;
    }
    return dy < 1 ? 0 : 4;
}

jint angleFromDelta(const jint dx, const jint dy) {
    if (dx == 0) {
        return dy <= 0 ? kAngleUp : kAngleDown;
    }
    if (dy == 0) {
        return dx > 0 ? kAngleRight : kAngleLeft;
    }
    const jint r = absInt(idiv(dy * kFixedOne, dx));
    const runtime::IntArray* const table = statics()->tanTable.get();
    const jint length = table != nullptr ? table->length : 0;
    jint i = 0;
    while (i < length && (*table)[i] <= r) {
        ++i;
    }
    if (i == length) {
        // Off the table: within a degree of the y axis.
        return dy < 0 ? kAngleUp : kAngleDown;
    }
    if (dx > 0) {
        return dy > 0 ? kAngleRight + i : kAngleRight - i;
    }
    return dy > 0 ? kAngleLeft - i : kAngleLeft + i;
}

bool isNeighbourDirection(const jint a, const jint b) {
    const jint d = b - a;
    return d == -1 || d == 0 || d == 1 || d == kDirectionCount - 1 || d == 1 - kDirectionCount;
}

bool isNearDirection(const jint a, const jint b) {
    const jint d = b - a;
    return (d >= -2 && d <= 2) || d <= 2 - kDirectionCount || d >= kDirectionCount - 2;
}

bool pointsOnOppositeSides(const jint px, const jint py, const jint ax, const jint ay, const jint bx,
                           const jint by) {
    // 64-bit: a long ball's segment is far longer than 32-bit dot products can hold.
    const jlong ex = jlong{ax} - bx;
    const jlong ey = jlong{ay} - by;
    const jlong s1 = ex * (jlong{ax} - px) + ey * (jlong{ay} - py);
    const jlong s2 = ex * (jlong{bx} - px) + ey * (jlong{by} - py);
    return (s1 > 0) != (s2 > 0);
}

bool isPointNearSegment(const jint px, const jint py, const jint ax, const jint ay, const jint bx,
                        const jint by, const jint tol) {
    if ((px == ax && py == ay) || (px == bx && py == by)) {
        return true;
    }
    if (!pointsOnOppositeSides(px, py, ax, ay, bx, by)) {
        return false;
    }
    const jlong cross = (jlong{ax} - bx) * py - (jlong{ay} - by) * px - jlong{ax} * by + jlong{ay} * bx;
    const jlong c = cross < 0 ? -cross : cross;
    const jint length = core::approxDistance(ax - bx, ay - by);
    return c <= jlong{length} * tol;
}

void projectToScreen(const jint x, const jint y, const jint z) {
    GameStatics* const s = statics();
    s->projectedX = ((((y * kProjectYX) >> kFixedShift) + ((x * kProjectXX) >> kFixedShift)) >> kFixedShift) +
                    kCentreSpotX;
    s->projectedY =
        ((((y * kProjectYY) >> kFixedShift) + ((-x * kProjectXY) >> kFixedShift) - z) >> kFixedShift) +
        kCentreSpotY;
}

void screenToPitch(const jint sx, const jint sy) {
    GameStatics* const s = statics();
    const jlong across = jlong{sx} + 3 * jlong{sy} - kInverseYOffset;
    s->projectedY = shiftTowardsZero(across * kInverseYScale * kInverseK);
    const jlong along = kInverseXSx * jlong{sx} - kInverseXSy * jlong{sy} + kInverseXOffset;
    s->projectedX = shiftTowardsZero(along * kInverseK);
}

bool isRoleCode2to9(const jint code) {
    return code >= kFirstRoleCode && code <= kLastRoleCode;
}

jint absInt(const jint v) {
    return v < 0 ? -v : v;
}

jint rating3(const jint halve, const jint a, const jint b, const jint c) {
    const jint r = a / 2 + b / 3 + c / 6;
    return halve != 0 ? r >> 1 : r;
}

jint rating2(const jint halve, const jint a, const jint b) {
    const jint r = (2 * a) / 3 + b / 3;
    return halve != 0 ? r >> 1 : r;
}

} // namespace game::match
