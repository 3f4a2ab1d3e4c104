// The profile's generator: its sequence must match the profile's class draw for draw, since saved
// seeds and fixed-seed test runs depend on it.
#include "runtime/Random.h"

#include <gtest/gtest.h>

#include <array>

#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

class RandomTest : public RuntimeFixture {};

// The first six nextInt() values of the profile's class for each seed (taken from a reference
// implementation of the profile's generator).
struct SeedCase {
    jlong seed;
    std::array<jint, 6> values;
};
constexpr SeedCase kSequences[] = {
    {0LL, {-1155484576, -723955400, 1033096058, -1690734402, -1557280266, 1327362106}},
    {1LL, {-1155869325, 431529176, 1761283695, 1749940626, 892128508, 155629808}},
    {42LL, {-1170105035, 234785527, -1360544799, 205897768, 1325939940, -248792245}},
    {-1LL, {1155099827, 1887904451, 52699159, -1941176418, -1451336087, -1714570420}},
    {1234567890123LL, {-8722476, -1977939436, -999828940, -741339138, -916778800, -1183211565}},
    // The multiplier itself makes the state 0: the first value is 0.
    {25214903917LL, {0, 4232237, 178803790, 758674372, 1565954732, 392261992}},
    // Only the low 48 bits of a seed count.
    {kLongMin, {-1155484576, -723955400, 1033096058, -1690734402, -1557280266, 1327362106}},
    // A state whose next two values are the most negative int.
    {247775869193412LL, {kIntMin, kIntMin, -2143251411, -1968679858, -1388809276, -581528916}},
};

TEST_F(RandomTest, NextIntFollowsTheProfilesSequence) {
    for (const SeedCase& c : kSequences) {
        auto* random = newObject<java_util_Random>(c.seed);
        EXPECT_EQ(random->classId, kRandom);
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_EQ(random->nextInt(), c.values[i]) << "seed " << c.seed << " draw " << i;
            EXPECT_EQ(random->seed & ~java_util_Random::kSeedMask, 0) << "state beyond 48 bits";
        }
    }
}

TEST_F(RandomTest, SequenceStaysExactOverManyDraws) {
    auto* random = newObject<java_util_Random>(42);
    for (int i = 0; i < 1000; ++i) {
        random->nextInt();
    }
    EXPECT_EQ(random->nextInt(), -1290705864);
}

TEST_F(RandomTest, SetSeedRestartsTheSequenceAndBitsComeFromTheTop) {
    auto* random = newObject<java_util_Random>(7);
    random->nextInt();
    random->setSeed(42);
    EXPECT_EQ(random->nextInt(), -1170105035);
    // next(bits) hands out the top bits of the new state; next(1) is its bit 47, and nextInt's
    // lowest bit is bit 16 of the new state.
    random->setSeed(42);
    const jlong expectedState = static_cast<jlong>(
        (static_cast<std::uint64_t>(random->seed) * 0x5DEECE66DULL + 11) & 0xFFFFFFFFFFFFULL);
    EXPECT_EQ(random->next(1), static_cast<jint>(expectedState >> 47));
    EXPECT_EQ(random->seed, expectedState);
    random->setSeed(42);
    EXPECT_EQ(random->next(31), static_cast<jint>(static_cast<std::uint32_t>(-1170105035) >> 1));
}

TEST_F(RandomTest, DefaultSeedComesFromTheClock) {
    System::setClock([] { return jlong{42}; });
    auto* random = newObject<java_util_Random>();
    System::setClock(nullptr);
    EXPECT_EQ(random->nextInt(), -1170105035);
}

} // namespace
} // namespace runtime
