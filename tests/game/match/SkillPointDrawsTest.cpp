// The ten skill point draws: every draw's entry against the routine's thresholds (a twin
// generator replays each draw), the shares of 101, one point per call, chains and the signed wrap.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "game/core/GameMath.h"
#include "game/match/SkillPointDraws.h"
#include "runtime/Random.h"
#include "tests/game/support/SeededFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

using runtime::ByteArray;

using SkillDraw = ByteArray* (*)(ByteArray*);

// One routine, its thresholds and entries as the table gives them (second == first: two outcomes).
struct SkillDrawCase {
    const char* name;
    SkillDraw draw;
    jint first, second;
    jint low, middle, high;
};

const SkillDrawCase kSkillDraws[] = {
    {"A", match::addSkillPointA, 20, 40, 0, 1, 5}, {"B", match::addSkillPointB, 33, 66, 0, 1, 4},
    {"C", match::addSkillPointC, 15, 30, 0, 6, 5}, {"D", match::addSkillPointD, 50, 50, 2, 2, 6},
    {"E", match::addSkillPointE, 17, 51, 4, 5, 0}, {"F", match::addSkillPointF, 20, 20, 5, 5, 2},
    {"G", match::addSkillPointG, 60, 60, 5, 5, 6}, {"H", match::addSkillPointH, 49, 74, 1, 2, 6},
    {"I", match::addSkillPointI, 66, 66, 1, 1, 2}, {"J", match::addSkillPointJ, 66, 66, 2, 4, 4},
};

constexpr jint kDraws = 101000;

class SkillPointDrawsTest : public SeededFixture {};

TEST_F(SkillPointDrawsTest, EachDrawAddsOnePointWhereTheThresholdsSay) {
    for (const SkillDrawCase& c : kSkillDraws) {
        // Two generators of one seed: the routine draws from the first, the test replays the
        // draw from the second.
        runtime::java_util_Random* routineDraws = runtime::newObject<runtime::java_util_Random>(jlong{135});
        runtime::java_util_Random* replay = runtime::newObject<runtime::java_util_Random>(jlong{135});
        ByteArray* points = runtime::newByteArray(8);
        std::array<jint, 8> counts{};
        for (jint i = 0; i < kDraws; ++i) {
            s()->gameRandom = routineDraws;
            std::array<jint, 8> before{};
            for (jint k = 0; k < 8; ++k) {
                before[k] = (*points)[k];
            }
            ASSERT_EQ(c.draw(points), points) << c.name;
            s()->gameRandom = replay;
            const jint r = core::randomRange(0, 100);
            const jint expected = r < c.first ? c.low : r < c.second ? c.middle : c.high;
            for (jint k = 0; k < 8; ++k) {
                const jint want = k == expected ? static_cast<runtime::jbyte>(before[k] + 1) : before[k];
                ASSERT_EQ((*points)[k], want) << c.name << " draw " << r << " entry " << k;
            }
            ++counts[expected];
        }
        // The shares of 101 values: the last outcome takes the 100.
        std::array<jint, 8> shares{};
        shares[c.low] += c.first;
        shares[c.middle] += c.second - c.first;
        shares[c.high] += 101 - c.second;
        for (jint k = 0; k < 8; ++k) {
            const double share = static_cast<double>(counts[k]) / kDraws;
            EXPECT_NEAR(share, shares[k] / 101.0, 0.015 * std::max(shares[k], 1) / 101.0)
                << c.name << " entry " << k;
        }
        EXPECT_EQ(counts[3], 0) << c.name;
        EXPECT_EQ(counts[7], 0) << c.name;
    }
}

TEST_F(SkillPointDrawsTest, ChainsSumToTheirLengthAndAFullEntryWraps) {
    ByteArray* points = runtime::newByteArray(8);
    jint n = 0;
    for (jint round = 0; round < 7; ++round) {
        for (const SkillDrawCase& c : kSkillDraws) {
            points = c.draw(c.draw(points));
            n += 2;
        }
    }
    jint sum = 0;
    for (jint k = 0; k < 8; ++k) {
        sum += (*points)[k];
    }
    EXPECT_EQ(sum, n);

    // G always raises entry 5 or 6: both at 127, the next point wraps one of them to -128.
    ByteArray* full = runtime::newByteArray(8);
    (*full)[5] = 127;
    (*full)[6] = 127;
    match::addSkillPointG(full);
    EXPECT_EQ((*full)[5] + (*full)[6], 127 - 128);

    runtime::LogCapture log;
    ByteArray* shortArray = runtime::newByteArray(7);
    EXPECT_EQ(match::addSkillPointA(shortArray), shortArray);
    EXPECT_EQ(match::addSkillPointA(nullptr), nullptr);
    for (jint k = 0; k < 7; ++k) {
        EXPECT_EQ((*shortArray)[k], 0);
    }
    EXPECT_TRUE(log.contains("addSkillPointA: no array of 8 skill increments; nothing added"));
}

} // namespace
} // namespace game::testing
