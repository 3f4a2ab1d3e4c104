// java_util_Random (60): the profile's 48-bit linear congruential generator.
//
// Every step computes seed = (seed * 0x5DEECE66D + 11) mod 2^48 and hands out the top bits of the
// new seed, so a given seed always yields the same sequence as the profile's class. The game keeps
// one instance (gameRandom) and draws all its randomness from it.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_util_Random : Object {
    static constexpr jint kClassId = kRandom;
    static constexpr jlong kMultiplier = 0x5DEECE66DLL;
    static constexpr jlong kAddend = 0xBLL;
    static constexpr jlong kSeedMask = (1LL << 48) - 1;

    // Random(): seeded from the clock (System::currentTimeMillis).
    java_util_Random();
    // Random(long): seeded with seed, as setSeed does.
    explicit java_util_Random(jlong seed, jint id = kClassId);

    // The state becomes (seed XOR the multiplier) masked to 48 bits.
    void setSeed(jlong seed);
    // Advances the state one step and returns its top `bits` bits (1..32), sign-extended at 32.
    jint next(jint bits);
    // The next 32-bit value: bits 16..47 of the new state as a signed int.
    jint nextInt() { return next(32); }

    jlong seed = 0; // the 48-bit state, always within kSeedMask
};

} // namespace runtime
