// Chance rules and random picks: when a roll draws and what limit it meets, the category order,
// and draws of distinct indices that avoid the reserved ones and always end.
#include "game/core/ChanceRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "runtime/Arrays.h"
#include "tests/game/support/SeededFixture.h"

namespace game::core {

namespace {

using runtime::jint;
using runtime::jlong;

constexpr jint kSelectionTableLength = 804;

class ChanceRulesTest : public game::testing::SeededFixture {
protected:
    void SetUp() override {
        SeededFixture::SetUp();
        runtime::ByteArray* table = runtime::newByteArray(kSelectionTableLength);
        std::fill(table->data(), table->data() + table->length, static_cast<runtime::jbyte>(-1));
        s()->selectionTable = table;
        s()->squadList = runtime::newIntArray(5500);
    }
    static void setByte(const jint index, const jint value) {
        (*s()->selectionTable)[index] = static_cast<runtime::jbyte>(value);
    }
    static std::vector<jint> picks() {
        runtime::IntArray* array = s()->pickIndices;
        return std::vector<jint>(array->data(), array->data() + array->length);
    }
    static std::vector<jint> list() {
        runtime::IntArray* array = s()->squadList;
        return std::vector<jint>(array->data(), array->data() + s()->squadListCount);
    }
    static jlong state() { return s()->gameRandom->seed; }
};

TEST_F(ChanceRulesTest, AcceptanceRollDrawsOnlyWhenAThresholdIsMet) {
    const jlong before = state();
    EXPECT_EQ(acceptanceRoll(0, 11, 12, 50, 10), 0);
    EXPECT_EQ(state(), before) << "no threshold met: no draw";
    // The first rolls of randomRange(0, 100) with seed 42 are 37, 18, 59, 77.
    struct Case {
        jint value, a, b, c, scale;
        jboolean accepted; // first roll 37 against the limit
    };
    const Case cases[] = {
        {0, 1, 1, 1, 10, 1},     // n 3: limit 90
        {55, 1, 1, 1, 10, 1},    // limit 10 * (44 / 10) = 40 > 37
        {60, 1, 1, 1, 10, 0},    // limit 30
        {99, 1, 1, 1, 10, 0},    // limit 0
        {150, 1, 1, 1, 10, 0},   // limit -50
        {30, 1, 1, 11, 10, 1},   // n 2: limit 40
        {40, 10, 11, 11, 10, 0}, // n 1 (10 counts): limit 10
        {15, 10, 11, 11, 10, 1}, // limit 40
        {-100, 1, 1, 1, 10, 1},  // a negative value raises the limit
    };
    for (const Case& c : cases) {
        s()->gameRandom->setSeed(kSeed);
        EXPECT_EQ(acceptanceRoll(c.value, c.a, c.b, c.c, c.scale), c.accepted)
            << c.value << " " << c.a << "/" << c.b << "/" << c.c;
    }
}

TEST_F(ChanceRulesTest, AcceptanceRollWidensItsRangeWithTheScale) {
    // The same draw lands on a different roll in each range: |first draw of seed 42| is
    // 1170105035, which is 37 mod 101, 146 mod 151 and 17 mod 201. With n = 3 the limit is
    // 10 * ((99 - value) / 10).
    struct Case {
        jint scale;
        jint value;
        jboolean accepted;
    };
    const Case cases[] = {
        {19, 59, 1},  {19, 69, 0},  // range 100, roll 37: limits 40 and 30
        {20, -51, 1}, {49, -41, 0}, // range 150, roll 146: limits 150 and 140
        {50, 79, 1},  {500, 89, 0}, // range 200, roll 17: limits 20 and 10
    };
    for (const Case& c : cases) {
        s()->gameRandom->setSeed(kSeed);
        EXPECT_EQ(acceptanceRoll(c.value, 1, 1, 1, c.scale), c.accepted)
            << "scale " << c.scale << " value " << c.value;
    }
}

TEST_F(ChanceRulesTest, PositionCategoryTestsTheBitsInOrder) {
    struct Case {
        jint mask, category;
    };
    const Case cases[] = {
        {0x0001, 0}, {0x0003, 0}, {0x0002, 2}, {0x0006, 2}, {0x0004, 1}, {0x0020, 1},
        {0x0040, 5}, {0x00C0, 5}, {0x0080, 3}, {0x0100, 4}, {0x0800, 4}, {0x1000, 4},
        {0x1400, 4}, {0x0400, 6}, {0x0000, 9}, {0x4000, 9}, {-1, 0},
    };
    const jlong before = state();
    for (const Case& c : cases) {
        EXPECT_EQ(positionCategory(c.mask), c.category) << std::hex << c.mask;
    }
    EXPECT_EQ(state(), before) << "only bit 13 tosses a coin";
    // The first coins of randomRange(0, 1) with seed 42 are 1, 1, 1, 0: 7, 7, 7, 8.
    std::vector<jint> tosses;
    for (int i = 0; i < 4; ++i) {
        tosses.push_back(positionCategory(0x2000 | 0x4000));
    }
    EXPECT_EQ(tosses, (std::vector<jint>{7, 7, 7, 8}));
}

TEST_F(ChanceRulesTest, PicksAreDistinctAndNeverReserved) {
    setByte(592, 3);
    setByte(598, 7);
    s()->pickCount = 4;
    pickRandomIndices();
    // |next| mod 20 with seed 42 gives 15, 19, 8, 0 (one draw refused on the way).
    EXPECT_EQ(picks(), (std::vector<jint>{15, 19, 8, 0}));
    EXPECT_EQ(s()->pickIndicesUsed, 4);
    EXPECT_EQ(std::vector<jint>((*s()->selectionTable).data() + 800, (*s()->selectionTable).data() + 804),
              (std::vector<jint>{15, 19, 8, 0}));

    s()->gameRandom->setSeed(kSeed);
    s()->pickCount = 18;
    pickRandomIndices();
    EXPECT_EQ(picks(), (std::vector<jint>{15, 19, 8, 0, 5, 11, 18, 6, 4, 13, 12, 16, 9, 17, 10, 14, 1, 2}));
    EXPECT_EQ(s()->pickIndicesUsed, 18);
    EXPECT_EQ((*s()->selectionTable)[799], -1) << "nothing is written before the copy";
    EXPECT_EQ(s()->selectionTable->length, kSelectionTableLength) << "the copy stays inside the table";

    for (jlong seed = 0; seed < 50; ++seed) {
        s()->gameRandom->setSeed(seed);
        s()->pickCount = 10;
        pickRandomIndices();
        const std::vector<jint> drawn = picks();
        const std::set<jint> distinct(drawn.begin(), drawn.end());
        EXPECT_EQ(distinct.size(), drawn.size()) << "seed " << seed;
        EXPECT_EQ(distinct.count(3) + distinct.count(7), 0u) << "seed " << seed;
        EXPECT_TRUE(*distinct.begin() >= 0 && *distinct.rbegin() < 20) << "seed " << seed;
    }
}

TEST_F(ChanceRulesTest, AskingForMorePicksThanThereAreEndsWithAllThatExist) {
    struct Case {
        jint reservedA, reservedB, asked, drawn;
    };
    const Case cases[] = {
        {3, 7, 19, 18},   {3, 7, 20, 18}, {3, 3, 20, 19}, {-1, -1, 25, 20},
        {40, 19, 20, 19}, {3, 7, 0, 0},   {3, 7, -2, 0},
    };
    for (const Case& c : cases) {
        setByte(592, c.reservedA);
        setByte(598, c.reservedB);
        s()->pickCount = c.asked;
        pickRandomIndices();
        EXPECT_EQ(s()->pickIndicesUsed, c.drawn) << c.reservedA << "/" << c.reservedB << " asked " << c.asked;
        EXPECT_EQ(s()->pickCount, c.drawn);
        std::vector<jint> drawn = picks();
        std::sort(drawn.begin(), drawn.end());
        EXPECT_TRUE(std::adjacent_find(drawn.begin(), drawn.end()) == drawn.end());
    }
}

TEST_F(ChanceRulesTest, PickCountZeroDrawsNothing) {
    s()->pickCount = 0;
    const jlong before = state();
    pickRandomIndices();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(s()->pickIndicesUsed, 0);
    EXPECT_TRUE(picks().empty());
}

TEST_F(ChanceRulesTest, BuildPickListLeavesOutReservedIndices) {
    s()->pickIndices = runtime::newIntArray(20);
    for (jint i = 0; i < 20; ++i) {
        (*s()->pickIndices)[i] = (i * 7) % 20; // 0, 7, 14, 1, 8, 15, 2, 9, 16, 3, ...
    }
    setByte(592, 7);
    setByte(598, 14);
    setByte(793, 1);
    setByte(794, 2);
    setByte(795, 3);
    s()->rowScroll = 9;
    struct Case {
        jint pickCount;
        jboolean limitFlag;
        std::vector<jint> expected;
    };
    const Case cases[] = {
        {6, 0, {0, 8, 15}},
        {0, 0, {}},
        {6, 1, {0, 8, 15, 9, 16, 10, 17, 4, 11, 18, 5, 12, 19, 6, 13}},
        {40, 0, {0, 8, 15, 9, 16, 10, 17, 4, 11, 18, 5, 12, 19, 6, 13}}, // stops at the array's end
    };
    for (const Case& c : cases) {
        s()->pickCount = c.pickCount;
        s()->pickLimitFlag = c.limitFlag;
        buildPickList();
        EXPECT_EQ(list(), c.expected) << "count " << c.pickCount << " flag " << int{c.limitFlag};
        EXPECT_EQ(s()->rowScroll, 0);
    }
}

} // namespace
} // namespace game::core
