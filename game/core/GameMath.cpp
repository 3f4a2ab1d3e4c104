// The game's integer maths.
#include "game/core/GameMath.h"

#include <cstdint>

#include "game/core/GameStatics.h"
#include "runtime/Random.h"

namespace game::core {

using runtime::jlong;

namespace {

// The pitch frame's skew: u = y * 367 / 672 - x * 528 / 1056, v = x * 1584 / 1056 + y * 1104 / 672.
constexpr jint kPitchUy = 367;
constexpr jint kPitchUx = 528;
constexpr jint kPitchVx = 1584;
constexpr jint kPitchVy = 1104;
constexpr jint kPitchHeight = 672;
constexpr jint kPitchWidth = 1056;

// 362 / 512 is about sqrt(1/2): the length of each axis of a diagonal step.
constexpr jint kDiagonalFactor = 362;
constexpr jint kDiagonalShift = 9;

// The eight directions run clockwise from up, with y growing downwards.
constexpr jint kDirectionCount = 8;
constexpr jint kUnitX[kDirectionCount] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr jint kUnitY[kDirectionCount] = {-1, -1, 0, 1, 1, 1, 0, -1};

// Newton's steps stop when two estimates differ by less than one whole unit of 8.8 fixed point.
constexpr jint kFixedOne = 256;

// The absolute value as Java's Math.abs gives it: the most negative int stays negative.
constexpr jint javaAbs(const jint v) {
    return v < 0 ? static_cast<jint>(0u - static_cast<std::uint32_t>(v)) : v;
}

// p + q less 3/8 of the smaller, with the three shifts the handset used.
constexpr jint octagonalNorm(const jint p, const jint q) {
    const jint m = p < q ? p : q;
    return p + q - (m >> 1) - (m >> 2) + (m >> 3);
}

// The magnitude of the next draw, 0 .. 2^31 (the most negative draw has no int magnitude).
jlong nextMagnitude() {
    const jint r = statics()->gameRandom->nextInt();
    return r < 0 ? -static_cast<jlong>(r) : r;
}

} // namespace

jint approxDistance(const jint a, const jint b) {
    return octagonalNorm(javaAbs(a), javaAbs(b));
}

jint approxPitchDistance(const jint x, const jint y) {
    jint u = runtime::idiv(y * kPitchUy, kPitchHeight) - runtime::idiv(x * kPitchUx, kPitchWidth);
    u = u + (u >> 1) + (u >> 2);
    const jint v = runtime::idiv(x * kPitchVx, kPitchWidth) + runtime::idiv(y * kPitchVy, kPitchHeight);
    return octagonalNorm(javaAbs(v), javaAbs(u));
}

void directionToVector(const jint speed, const jint direction) {
    if (direction < 0 || direction >= kDirectionCount) {
        return;
    }
    // Odd directions are diagonal: each axis gets d = speed * 0.707.
    const jint length = (direction & 1) != 0 ? (speed * kDiagonalFactor) >> kDiagonalShift : speed;
    GameStatics* const s = statics();
    s->vectorX = kUnitX[direction] * length;
    s->vectorY = kUnitY[direction] * length;
}

void scaleVectorTo(const jint length, const jint x, const jint y) {
    GameStatics* const s = statics();
    const jint n = approxDistance(x, y);
    if (n == 0) {
        s->vectorX = 0;
        s->vectorY = 0;
        return;
    }
    s->vectorX = runtime::idiv(length * x, n);
    s->vectorY = runtime::idiv(length * y, n);
}

jint randomRange(const jint a, const jint b) {
    if (a == b) {
        return a;
    }
    const jint lo = a < b ? a : b;
    const jint hi = a < b ? b : a;
    // The size in 64 bits, so even the widest range has a positive size and lo + offset stays
    // within lo..hi.
    const jlong size = static_cast<jlong>(hi) - lo + 1;
    return static_cast<jint>(lo + nextMagnitude() % size);
}

jint randomIndex(const jint n) {
    if (n <= 0) {
        // Nothing to choose from; the caller's range is empty.
        return 0;
    }
    return static_cast<jint>(nextMagnitude() % n);
}

jint floorMod(const jint a, const jint n) {
    const jint r = runtime::irem(a, n);
    return r < 0 ? r + n : r;
}

jint fixedSqrt(const jint v) {
    if (v <= 0) {
        return 0;
    }
    // The estimates stay within the int range; only the first step's sum (v + 256 for the
    // largest inputs) needs the wider type, where 32 bits would wrap to a negative root.
    jlong g = v;
    for (;;) {
        const jlong n = (g + static_cast<jlong>(v / g) * kFixedOne) >> 1;
        if (g - n < kFixedOne && n - g < kFixedOne) {
            return static_cast<jint>(g);
        }
        g = n;
    }
}

} // namespace game::core
