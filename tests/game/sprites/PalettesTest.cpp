// Palette composition from template rows, the two rating blends, and the palette and match
// constant statics the static set-up leaves.
#include "game/sprites/Palettes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/core/GameStatics.h"
#include "tests/support/GameRuntime.h"

namespace game::sprites {

namespace {

using runtime::IntArray;
using runtime::jint;
using Ints = std::vector<jint>;

constexpr jint kUntouched = 0x12345678;

class PalettesTest : public testing_support::GameRuntimeTest {
protected:
    // Template rows 0..count-1 of 32 colours, T[k][i] = 100k + i; row `shortRow` has 16.
    void installTemplates(const jint count, const jint shortRow = -1) {
        runtime::ObjectArray* rows = runtime::newObjectArray(count, runtime::kIntArray);
        statics()->sharedPalettes = rows;
        for (jint k = 0; k < count; ++k) {
            IntArray* row = runtime::newIntArray(k == shortRow ? 16 : 32);
            (*rows)[k] = row;
            for (jint i = 0; i < row->length; ++i) {
                (*row)[i] = 100 * k + i;
            }
        }
    }
    // Row `row` of composedPalettes, every entry set to kUntouched first.
    IntArray* freshRow(const jint row) {
        auto* target = static_cast<IntArray*>((*statics()->composedPalettes)[row]);
        for (jint i = 0; i < target->length; ++i) {
            (*target)[i] = kUntouched;
        }
        return target;
    }
    static Ints entries(const IntArray* row, const jint from, const jint to) {
        return Ints(row->data() + from, row->data() + to);
    }
};

TEST_F(PalettesTest, BasesMinusOneAndMinusThreeFillAndMinusTwoCopiesThreeRuns) {
    installTemplates(6);
    IntArray* row = freshRow(3);
    composePalette(3, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(entries(row, 0, 31), Ints(31, static_cast<jint>(0xFF000000u)));
    EXPECT_EQ((*row)[31], 0);
    EXPECT_EQ(entries(row, 32, 44), Ints(12, kUntouched));

    composePalette(3, -3, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(entries(row, 0, 31), Ints(31, static_cast<jint>(0xFF555555u)));
    EXPECT_EQ((*row)[31], 0);

    row = freshRow(3);
    composePalette(3, -2, 1, 2, 3, 4, 5, 1, 1, 4, 5);
    const Ints expected = {0, 0, 102, 103, 104, 105, 106, 107, 108, 109, 0,   0,   0,   0,   0, 0,
                           0, 0, 0,   0,   0,   321, 322, 323, 224, 225, 226, 227, 228, 229, 0, 0};
    EXPECT_EQ(entries(row, 0, 32), expected);
    EXPECT_EQ(entries(row, 32, 44), Ints(12, kUntouched));
}

TEST_F(PalettesTest, AComposedPaletteTakesEachEntryFromItsTemplateRow) {
    installTemplates(10);
    statics()->paletteVariant = 6; // entries 21-23 from row 9
    IntArray* row = freshRow(2);
    // base 7, a 1, b 2, c 3, d 4, e 5, both flags, g 8, h 6.
    composePalette(2, 7, 1, 2, 3, 4, 5, 1, 1, 8, 6);
    const Ints expected = {
        400,                // 0: T[d][0]
        101, 102, 103, 104, // 1-4: T[a]
        205, 206, 207, 208, // 5-8: T[b]
        309, 310, 311,      // 9-11: T[c]
        512, 513, 514,      // 12-14: T[e]
        615,                // 15: T[h]
        416, 417, 418, 419, // 16-19: T[d]
        620,                // 20: T[h]
        921, 922, 923,      // 21-23: T[variant + 3], over T[h]'s 22-23
        824, 825,           // 24-25: T[g]
        102, 103,           // 26-27: T[a][2..3]
        828,                // 28: T[g]
        514, 513,           // 29-30: T[e][14], T[e][13]
        731,                // 31: T[base]
    };
    EXPECT_EQ(entries(row, 0, 32), expected);
    EXPECT_EQ(entries(row, 32, 44), Ints(12, kUntouched));

    // Entries 24-30 under the other flag settings.
    const struct {
        bool flagE;
        bool flagF;
        jint g;
        Ints tail;
    } cases[] = {
        {false, true, -1, {103, 104, 102, 103, 104, 104, 731}},
        {false, true, 8, {824, 825, 102, 103, 828, 104, 731}},
        {false, false, -1, {103, 104, 417, 418, 419, 104, 731}},
        {true, false, 8, {824, 825, 417, 418, 419, 514, 513}},
        {true, true, -1, {103, 104, 102, 103, 104, 514, 513}},
    };
    for (const auto& c : cases) {
        row = freshRow(2);
        composePalette(2, 7, 1, 2, 3, 4, 5, c.flagE ? 1 : 0, c.flagF ? 1 : 0, c.g, 6);
        EXPECT_EQ(entries(row, 24, 31), c.tail) << c.flagE << c.flagF << " g " << c.g;
        EXPECT_EQ(entries(row, 0, 24), Ints(expected.begin(), expected.begin() + 24));
    }
}

TEST_F(PalettesTest, EntriesFromAMissingOrShortTemplateRowStayAsTheyWere) {
    installTemplates(8, 2); // row 2 (b) has 16 colours; rows 8 and 9 do not exist
    statics()->paletteVariant = 6;
    IntArray* row = freshRow(0);
    composePalette(0, 7, 1, 2, 3, 4, 5, 1, 1, 8, 6);
    const jint u = kUntouched;
    const Ints expected = {400, 101, 102, 103, 104, u, u,   u,   u, 309, 310, 311, 512, 513, 514, 615,
                           416, 417, 418, 419, 620, u, 622, 623, u, u,   102, 103, u,   514, 513, 731};
    EXPECT_EQ(entries(row, 0, 32), expected);
    EXPECT_EQ(log.count("composePalette: palette 0 needs template row 2, which the players' sprite file "
                        "does not hold with 32 colours; its entries stay as they were"),
              1);
    EXPECT_EQ(log.count("composePalette: palette 0 needs template row 8, which the players' sprite file "
                        "does not hold with 32 colours; its entries stay as they were"),
              0)
        << "logged once a composition";

    // No templates at all, and rows outside the composed palettes.
    statics()->sharedPalettes = nullptr;
    row = freshRow(1);
    composePalette(1, 7, 1, 2, 3, 4, 5, 1, 1, 8, 6);
    EXPECT_EQ(entries(row, 0, 44), Ints(44, kUntouched));
    composePalette(66, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    composePalette(-1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(log.count("composePalette: no composed palette 66"), 1);
}

TEST_F(PalettesTest, RatingBlendsDivideByFourWithARecordAndByThreeWithout) {
    const struct {
        jint level;
        jint a, b, c;
        jint rating;
    } weighted[] = {
        {kNoRatingRecord, 60, 70, 80, 65}, // (180 + max) >> 2
        {2, 60, 70, 80, 62},               // x = b
        {5, 60, 70, 80, 62},
        {1, 60, 70, 80, 65}, // x = c
        {0, 60, 90, 80, 65},
        {kNoRatingRecord, -10, 0, 0, -8}, // an arithmetic shift
    };
    for (const auto& w : weighted) {
        EXPECT_EQ(weightedRating(w.level, w.a, w.b, w.c), w.rating) << w.level << " " << w.a;
    }
    const struct {
        jint level;
        jint a, b, c, d;
        jint rating;
    } combined[] = {
        {1, 60, 150, 70, 80, 35},               // (0 + 80 + 60) >> 2
        {kNoRatingRecord, 60, 150, 70, 80, 46}, // (0 + 80 + 60) / 3
        {2, 60, 150, 70, 80, 32},               // x = c
        {kNoRatingRecord, 60, 200, 70, 80, 83}, // t = 110
        {kNoRatingRecord, 60, 9, 70, 80, -56},  // t = -310: -170 / 3 truncates toward zero
        {1, 60, 9, 70, 80, -43},                // -170 >> 2 rounds down
    };
    for (const auto& c : combined) {
        EXPECT_EQ(combinedRating(c.level, c.a, c.b, c.c, c.d), c.rating) << c.level << " b " << c.b;
    }
}

TEST_F(PalettesTest, TheSetUpLeavesThePaletteStatics) {
    const GameStatics* s = statics();
    EXPECT_EQ(s->paletteKeyA, -1);
    EXPECT_EQ(s->paletteKeyB, -1);
    EXPECT_EQ(s->paletteCount, 0);
    EXPECT_EQ(s->paletteVariant, 0);
    const Ints mask = {1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0,
                       1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(s->paletteSlotMask->length, 30);
    EXPECT_EQ(Ints(s->paletteSlotMask->data(), s->paletteSlotMask->data() + 30), mask);
    EXPECT_EQ(s->paletteWork->length, 8500);
}

TEST_F(PalettesTest, TheTangentTableHoldsTheFloorOf256TimesTheTangentOfEachDegree) {
    const IntArray* table = statics()->tanTable;
    ASSERT_EQ(table->length, 90);
    for (jint i = 0; i < 90; ++i) {
        EXPECT_EQ((*table)[i], static_cast<jint>(std::floor(std::tan(i * M_PI / 180.0) * 256.0))) << i;
    }
    EXPECT_EQ((*table)[45], 255);
    EXPECT_EQ((*table)[89], 14666);
    EXPECT_EQ((*table)[88], 7330);
}

// The match constants: every value the two match initialisers store.
TEST_F(PalettesTest, TheMatchInitialisersLeaveTheirConstants) {
    const GameStatics* s = statics();
    const auto ints = [](const IntArray* a) { return Ints(a->data(), a->data() + a->length); };
    const struct {
        const char* name;
        const IntArray* array;
        Ints values;
    } arrays[] = {
        {"matchBox1", s->matchBox1, {-27, -101, 27, 14}},
        {"matchBox2", s->matchBox2, {-5, -36, 231, 163}},
        {"matchBox3", s->matchBox3, {13, -18, 13, -18}},
        {"matchBox4", s->matchBox4, {-27, -261, 87, 10}},
        {"matchBox5", s->matchBox5, {-87, -261, 27, 10}},
        {"matchBox6", s->matchBox6, {-500, -500, 500, 500}},
        {"matchBox7", s->matchBox7, {-13, -200, 354, 116}},
        {"matchBox8", s->matchBox8, {-354, -276, 8, 50}},
        {"matchBox9", s->matchBox9, {-409, -101, 681, 14}},
        {"matchBox10", s->matchBox10, {-204, -254, 68, 90}},
        {"matchBox11", s->matchBox11, {1790, 425, 2423, 635}},
        {"matchBox12", s->matchBox12, {1438, 438, 386, 791}},
        {"matchBox13", s->matchBox13, {-5, -35, 52, 37}},
        {"matchBox14", s->matchBox14, {0, -22, 58, 20}},
        {"matchPairA", s->matchPairA, Ints(4, 0)},
        {"matchPairB", s->matchPairB, Ints(4, 0)},
        {"matchScaleA", s->matchScaleA, {130, 120, 110, 100, 90, 80, 70, 60}},
        {"matchScaleB", s->matchScaleB, {130, 120, 110, 100, 90, 80, 70, 60}},
        {"matchScaleC", s->matchScaleC, {34, 32, 30, 28, 26, 24, 22, 20}},
        {"pitchRowTable", s->pitchRowTable, {860, 835, 810, 780, 748, 724, 710, 690}},
        {"matchSteps8", s->matchSteps8, {60, 55, 50, 45, 40, 35, 30, 25}},
        {"matchSteps3", s->matchSteps3, {30, 45, 60}},
        {"matchSteps6", s->matchSteps6, {30, 40, 50, 58, 66, 74}},
    };
    for (const auto& a : arrays) {
        EXPECT_EQ(ints(a.array), a.values) << a.name;
    }
    const std::vector<Ints> lines = {{3},          {1, 4},          {2, 3, 5},
                                     {1, 2, 5, 4}, {1, 2, 3, 5, 4}, {1, 2, 3, 3, 5, 4}};
    const std::vector<Ints> masks = {
        {0, 0, 0, 0, 0, -1}, {0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}, {1, 0, 1, 0, 0, 0}, {1, 1, 1, 0, 0, 0}};
    for (std::size_t r = 0; r < lines.size(); ++r) {
        EXPECT_EQ(ints(static_cast<IntArray*>((*s->formationLines)[static_cast<jint>(r)])), lines[r]) << r;
    }
    for (std::size_t r = 0; r < masks.size(); ++r) {
        EXPECT_EQ(ints(static_cast<IntArray*>((*s->formationMasks)[static_cast<jint>(r)])), masks[r]) << r;
    }
    const Ints scalars = {s->matchValueA,
                          s->matchValueB,
                          s->matchValueC,
                          s->matchValueD,
                          s->matchValueE,
                          s->matchValueF,
                          s->matchValueG,
                          s->matchValueH,
                          s->matchValueI,
                          s->matchValueJ,
                          s->matchSetupFlag,
                          s->matchScaleMid,
                          s->pitchRowBase,
                          s->pitchRowStep,
                          s->pitchRowEnd,
                          s->pitchRowValues[0],
                          s->pitchRowValues[1],
                          s->formationLineCount,
                          s->matchFlagOne,
                          s->matchMinusOnes[0],
                          s->matchMinusOnes[1],
                          s->matchMinusOnes[2],
                          s->matchByteFlagValues[0],
                          s->matchByteFlagValues[1]};
    EXPECT_EQ(scalars, (Ints{753, 444, 2420, 400, 49, 17, 576, 6,  7,  3,  1, 50,
                             835, 64,  899,  21,  20, 4,  1,   -1, -1, -1, 0, 0}));
    EXPECT_EQ(Ints(std::begin(s->matchTiming), std::end(s->matchTiming)),
              (Ints{0, 120, 60, 64, 20, 50, 64, 30, 20, 64}));
    EXPECT_EQ(s->matchReference, nullptr);
}

} // namespace
} // namespace game::sprites
