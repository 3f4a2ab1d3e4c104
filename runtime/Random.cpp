// The profile's linear congruential generator.
#include "runtime/Random.h"

#include <cstdint>

#include "runtime/System.h"

namespace runtime {

namespace {

// The state is the low 48 bits of a 64-bit product.
constexpr jint kStateBits = 48;

} // namespace

java_util_Random::java_util_Random() : java_util_Random(System::currentTimeMillis()) {}

java_util_Random::java_util_Random(const jlong initialSeed, const jint id) : Object(id) {
    setSeed(initialSeed);
}

void java_util_Random::setSeed(const jlong newSeed) {
    seed = (newSeed ^ kMultiplier) & kSeedMask;
}

jint java_util_Random::next(const jint bits) {
    // Unsigned arithmetic: the product wraps at 64 bits and only its low 48 bits are kept.
    const std::uint64_t product = static_cast<std::uint64_t>(seed) * static_cast<std::uint64_t>(kMultiplier) +
                                  static_cast<std::uint64_t>(kAddend);
    seed = static_cast<jlong>(product) & kSeedMask;
    return static_cast<jint>(lushr(seed, kStateBits - bits));
}

} // namespace runtime
