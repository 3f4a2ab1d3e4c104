// The primitive types of the translated program and its integer arithmetic.
//
// The game was written for a 32-bit Java profile: int wraps at 32 bits, long at 64, bytes are
// signed, shift counts are masked, and division never traps (the handset's ARM division gave
// defined results for a zero divisor and for INT_MIN / -1). Every piece of game arithmetic that
// divides or shifts goes through these helpers so x86-64 behaves like the handset.
#pragma once

#include <cstdint>
#include <limits>

namespace runtime {

using jint = std::int32_t;
using jlong = std::int64_t;
using jshort = std::int16_t;
using jchar = std::uint16_t;
using jbyte = std::int8_t;
using jboolean = std::uint8_t;
using jfloat = float;
using jdouble = double;

inline constexpr jint kIntMin = std::numeric_limits<jint>::min();
inline constexpr jlong kLongMin = std::numeric_limits<jlong>::min();

// a * b wrapping at 32 bits, as the handset's int multiplication does.
constexpr jint imul(const jint a, const jint b) {
    return static_cast<jint>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// x / 0 = 0 and INT_MIN / -1 = INT_MIN, as on the handset.
constexpr jint idiv(const jint a, const jint b) {
    if (b == 0) {
        return 0;
    }
    if (b == -1) {
        return static_cast<jint>(0u - static_cast<std::uint32_t>(a));
    }
    return a / b;
}

// x % 0 = x and INT_MIN % -1 = 0; the sign follows the dividend.
constexpr jint irem(const jint a, const jint b) {
    if (b == 0) {
        return a;
    }
    if (b == -1) {
        return 0;
    }
    return a % b;
}

constexpr jlong ldiv(const jlong a, const jlong b) {
    if (b == 0) {
        return 0;
    }
    if (b == -1) {
        return static_cast<jlong>(0ull - static_cast<std::uint64_t>(a));
    }
    return a / b;
}

constexpr jlong lrem(const jlong a, const jlong b) {
    if (b == 0) {
        return a;
    }
    if (b == -1) {
        return 0;
    }
    return a % b;
}

// Shifts mask their count to 5 bits (int) or 6 bits (long), like the Java machine.
constexpr jint ishl(const jint a, const jint n) {
    return static_cast<jint>(static_cast<std::uint32_t>(a) << (n & 31));
}
constexpr jint ishr(const jint a, const jint n) {
    return a >> (n & 31);
}
constexpr jint iushr(const jint a, const jint n) {
    return static_cast<jint>(static_cast<std::uint32_t>(a) >> (n & 31));
}
constexpr jlong lshl(const jlong a, const jint n) {
    return static_cast<jlong>(static_cast<std::uint64_t>(a) << (n & 63));
}
constexpr jlong lshr(const jlong a, const jint n) {
    return a >> (n & 63);
}
constexpr jlong lushr(const jlong a, const jint n) {
    return static_cast<jlong>(static_cast<std::uint64_t>(a) >> (n & 63));
}

// Narrowing conversions of the Java machine (i2b, i2s, i2c).
constexpr jbyte i2b(const jint v) {
    return static_cast<jbyte>(v);
}
constexpr jshort i2s(const jint v) {
    return static_cast<jshort>(v);
}
constexpr jchar i2c(const jint v) {
    return static_cast<jchar>(v);
}

} // namespace runtime
