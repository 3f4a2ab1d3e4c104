// Value labels (prefix, value, joiner and the suffix rules) and the four random choices that
// avoid the taken ones.
#include "game/club/ValueLabel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "runtime/Numbers.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/String.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"

namespace game::club {

namespace {

using runtime::jint;

class ValueLabelTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        // A package of 235 texts: "K" at 166, "$" at 167 and "M" at 234, the others empty.
        GameStatics* s = statics();
        runtime::IntArray* offsets = runtime::newIntArray(236);
        s->textOffsets = offsets;
        std::vector<std::uint8_t> bytes;
        for (jint id = 0; id < 235; ++id) {
            if (id == 166 || id == 167 || id == 234) {
                bytes.push_back(id == 166 ? 'K' : id == 167 ? '$' : 'M');
            }
            (*offsets)[id + 1] = static_cast<jint>(bytes.size());
        }
        s->textBytes = testing_support::byteArrayOf(bytes);
        s->textCount = 235;
        s->textCache = runtime::newObjectArray(235);
    }
    static std::string label(const char* value, const jint kind, const bool withSuffix) {
        return testing_support::textOf(
            formatValueLabel(runtime::newStringFromCString(value), kind, withSuffix ? 1 : 0));
    }
};

TEST_F(ValueLabelTest, TheSuffixFollowsTheKindAndTheValue) {
    // Constant string 96 joins the value and the suffix with a space.
    const struct {
        const char* value;
        jint kind;
        bool withSuffix;
        const char* label;
    } cases[] = {
        {"3", 1, true, "$3 K"},   {"0", 1, true, "$0 "},  {"-4", 1, true, "$-4 "},
        {"12", 2, true, "$12 M"}, {"0", 2, true, "$0 M"}, {"7", 0, true, "$7 "},
        {"7", 3, true, "$7 "},    {"3", 1, false, "$3 "}, {"3", 2, false, "$3 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(label(c.value, c.kind, c.withSuffix), c.label) << c.value << " kind " << c.kind;
    }
}

TEST_F(ValueLabelTest, FourDistinctChoicesAvoidTheTakenOnesAndAreCopiedIntoTheTable) {
    GameStatics* s = statics();
    runtime::ByteArray* table = s->selectionTable;
    for (jint round = 0; round < 50; ++round) {
        // Taken: four choices that change each round.
        const std::set<jint> taken = {round % 36, (round + 9) % 36, (round + 18) % 36, (round + 27) % 36};
        jint i = 588;
        for (const jint c : taken) {
            (*table)[i++] = static_cast<runtime::jbyte>(c);
        }
        pickFourChoices();
        ASSERT_EQ(s->randomPickCount, 4);
        ASSERT_EQ(s->randomPicks->length, 4);
        std::set<jint> picks;
        for (jint k = 0; k < 4; ++k) {
            const jint c = (*s->randomPicks)[k];
            EXPECT_GE(c, 0);
            EXPECT_LT(c, 36);
            EXPECT_FALSE(taken.contains(c)) << c;
            EXPECT_EQ((*table)[796 + k], c);
            picks.insert(c);
        }
        EXPECT_EQ(picks.size(), 4u);
    }
}

TEST_F(ValueLabelTest, TheMostNegativeDrawIsDrawnAgain) {
    GameStatics* s = statics();
    // The seed whose next draw is -2^31: bits 16-47 of the state after one step.
    const runtime::jlong wanted = static_cast<runtime::jlong>(0x80000000u) << 16;
    // state' = state * m + 11 (mod 2^48): solve for the state before it.
    const runtime::jlong m = runtime::java_util_Random::kMultiplier;
    // The inverse of m modulo 2^48, by Newton's iteration.
    std::uint64_t inverse = 1;
    for (int i = 0; i < 6; ++i) {
        inverse *= 2 - static_cast<std::uint64_t>(m) * inverse;
    }
    const std::uint64_t before = ((static_cast<std::uint64_t>(wanted) - 11) * inverse) & ((1ULL << 48) - 1);
    s->gameRandom->seed = static_cast<runtime::jlong>(before);
    auto* probe = runtime::newObject<runtime::java_util_Random>(0);
    probe->seed = s->gameRandom->seed;
    ASSERT_EQ(probe->nextInt(), runtime::kIntMin);
    // The draws after it decide the four choices.
    std::vector<jint> expected;
    // The state 2^47 leads to itself plus 11, so the next draw is -2^31 too.
    while (expected.size() < 4) {
        const jint draw = runtime::Math::abs(probe->nextInt());
        const jint c = draw % 36;
        bool taken = draw < 0 || c <= 3; // bytes 588-591 below hold 0..3
        for (const jint e : expected) {
            taken = taken || e == c;
        }
        if (!taken) {
            expected.push_back(c);
        }
    }
    for (jint i = 0; i < 4; ++i) {
        (*s->selectionTable)[588 + i] = static_cast<runtime::jbyte>(i);
    }
    pickFourChoices();
    EXPECT_EQ(std::vector<jint>(s->randomPicks->data(), s->randomPicks->data() + 4), expected);
}

TEST_F(ValueLabelTest, WithoutATableTheChoicesAreStillMade) {
    GameStatics* s = statics();
    s->selectionTable = nullptr;
    pickFourChoices();
    EXPECT_EQ(s->randomPickCount, 4);
    std::set<jint> picks(s->randomPicks->data(), s->randomPicks->data() + 4);
    EXPECT_EQ(picks.size(), 4u);
    EXPECT_EQ(log.count("pickFourChoices: no selection table of 800 bytes to keep the choices in"), 1);
}

} // namespace
} // namespace game::club
