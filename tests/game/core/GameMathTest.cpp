// The game's integer maths: distances, direction vectors, scaling, random ranges and the
// fixed-point square root, with the values the match and the season code rely on.
#include "game/core/GameMath.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/game/support/SeededFixture.h"

namespace game::core {

namespace {

using runtime::jint;
using runtime::jlong;
using runtime::kIntMin;

class GameMathTest : public game::testing::SeededFixture {
protected:
    std::vector<jint> vector() const { return {s()->vectorX, s()->vectorY}; }
};

TEST_F(GameMathTest, ApproxDistanceIsTheOctagonalNorm) {
    struct Case {
        jint a, b, expected;
    };
    const Case cases[] = {
        {3, 4, 6},     {4, 3, 6},    {-8, 0, 8}, {0, 0, 0},       {10, 10, 14},
        {-10, 10, 14}, {30, 40, 51}, {0, -5, 5}, {1000, 1, 1001}, {100, 100, 137},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(approxDistance(c.a, c.b), c.expected) << c.a << ", " << c.b;
    }
}

TEST_F(GameMathTest, ApproxPitchDistanceWorksInTheSkewedFrame) {
    // u = y*367/672 - x*528/1056 and U = u + (u >> 1) + (u >> 2); V = x*1584/1056 + y*1104/672;
    // then the octagonal norm of (V, U). Divisions truncate towards zero, shifts are arithmetic.
    struct Case {
        jint x, y, expected;
    };
    const Case cases[] = {
        {0, 0, 0},
        // u = -528, U = -924; V = 1584: 1584 + 924 - 462 - 231 + 115.
        {1056, 0, 1930},
        // u = -1 shifts to U = -1 - 1 - 1 = -3; V = 3: 3 + 3 - 1.
        {2, 0, 5},
        {0, 672, 1345},
        {100, -100, 187},
        {-333, 517, 915},
        {7, 3, 15},
        {-1056, -672, 2794},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(approxPitchDistance(c.x, c.y), c.expected) << c.x << ", " << c.y;
    }
}

TEST_F(GameMathTest, DirectionToVectorCoversTheEightDirectionsAndIgnoresOthers) {
    const std::vector<std::vector<jint>> expected = {
        {0, -512}, {362, -362}, {512, 0}, {362, 362}, {0, 512}, {-362, 362}, {-512, 0}, {-362, -362},
    };
    for (jint direction = 0; direction < 8; ++direction) {
        directionToVector(512, direction);
        EXPECT_EQ(vector(), expected[static_cast<std::size_t>(direction)]) << "direction " << direction;
    }
    // d = (10 * 362) >> 9 = 7.
    directionToVector(10, 3);
    EXPECT_EQ(vector(), (std::vector<jint>{7, 7}));
    for (const jint direction : {8, -1, 100}) {
        directionToVector(512, direction);
        EXPECT_EQ(vector(), (std::vector<jint>{7, 7})) << "direction " << direction << " changes nothing";
    }
}

TEST_F(GameMathTest, ScaleVectorToDividesByTheApproximateLength) {
    scaleVectorTo(100, 30, 40);
    EXPECT_EQ(vector(), (std::vector<jint>{58, 78}));
    scaleVectorTo(100, -30, 40);
    EXPECT_EQ(vector(), (std::vector<jint>{-58, 78})) << "division truncates towards zero";
    scaleVectorTo(100, 0, 0);
    EXPECT_EQ(vector(), (std::vector<jint>{0, 0}));
}

TEST_F(GameMathTest, RandomRangeFollowsTheGeneratorInEitherOrder) {
    // Each row: the first eight results of the range from a generator seeded with 42 (taken from
    // the profile's generator with lo + |nextInt()| % (hi - lo + 1)).
    struct Case {
        jint a, b;
        std::vector<jint> values;
    };
    const Case cases[] = {
        {2, 9, {5, 9, 9, 2, 6, 7, 5, 5}},
        {9, 2, {5, 9, 9, 2, 6, 7, 5, 5}},
        {0, 1, {1, 1, 1, 0, 0, 1, 1, 1}},
        {-5, 5, {-5, 4, 4, 5, 1, 4, -2, 5}},
        {0, 100, {37, 18, 59, 77, 22, 56, 7, 19}},
        {1000, -1000, {-725, -807, -133, -129, 302, 912, -713, -914}},
    };
    for (const Case& c : cases) {
        s()->gameRandom->setSeed(kSeed);
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_EQ(randomRange(c.a, c.b), c.values[i]) << c.a << ".." << c.b << " draw " << i;
        }
    }
}

TEST_F(GameMathTest, RandomRangeOfOneValueDrawsNothing) {
    const jlong before = s()->gameRandom->seed;
    EXPECT_EQ(randomRange(5, 5), 5);
    EXPECT_EQ(randomRange(-7, -7), -7);
    EXPECT_EQ(s()->gameRandom->seed, before);
}

TEST_F(GameMathTest, TheMostNegativeDrawStaysInsideTheRange) {
    // This seed's next two draws are -2^31, whose absolute value is no int: it counts as 2^31.
    constexpr jlong kSeedBeforeMostNegative = 247775869193412LL;
    struct Case {
        jint a, b, expected;
    };
    const Case cases[] = {
        {0, 2, 2},                // 2^31 mod 3 = 2
        {10, 12, 12},             // 10 + 2
        {-1, 1, 1},               // -1 + 2
        {0, 7, 0},                // a power of two divides 2^31
        {0, 99, 48},              // 2^31 mod 100 = 48
        {kIntMin, 0x7FFFFFFF, 0}, // the widest range: kIntMin + 2^31
    };
    for (const Case& c : cases) {
        s()->gameRandom->setSeed(kSeedBeforeMostNegative);
        EXPECT_EQ(randomRange(c.a, c.b), c.expected) << c.a << ".." << c.b;
    }
    struct IndexCase {
        jint n, expected;
    };
    for (const IndexCase& c : {IndexCase{3, 2}, IndexCase{100, 48}, IndexCase{8, 0}, IndexCase{1, 0}}) {
        s()->gameRandom->setSeed(kSeedBeforeMostNegative);
        EXPECT_EQ(randomIndex(c.n), c.expected) << "n " << c.n;
    }
}

TEST(FloorModTest, StaysWithinZeroToNForNegativeValues) {
    const jint cases[][3] = {{7, 3, 1},       {-1, 3, 2},    {-3, 3, 0},
                             {-101, 100, 99}, {102, 100, 2}, {kIntMin, 7, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(floorMod(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
    }
}

TEST_F(GameMathTest, FixedSqrtReturnsTheEstimateBeforeTheLastStep) {
    struct Case {
        jint v, expected;
    };
    const Case cases[] = {
        {65536, 4152}, {1024, 640}, {256, 256}, {0, 0}, {1, 1}, {-256, 0}, {kIntMin, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fixedSqrt(c.v), c.expected) << c.v;
    }
    // Large inputs settle too, near 16 * sqrt(v).
    const jint large = fixedSqrt(0x7FFFFFFF);
    EXPECT_GT(large, 741455 - 256 * 4);
    EXPECT_LT(large, 741455 + 256 * 4);
}

} // namespace
} // namespace game::core
