// Key masks, the key-state ring and the two touch selectors.
#include <gtest/gtest.h>

#include "game/core/KeyMasks.h"
#include "tests/game/support/FrameworkFixture.h"

namespace game::core {

namespace {

using testing::touchHeldAt;
using testing::touchReleasedAt;

class KeyMasksTest : public testing::FrameworkFixture {};

TEST_F(KeyMasksTest, KeyCodesGiveTheirBitsAndDigitsFollowTheDigitMode) {
    struct Case {
        jint code;
        jint directionMode;
        jint digitMode;
    };
    const Case cases[] = {
        {-1, 0x1, 0x1},
        {-2, 0x10, 0x10},
        {-3, 0x40, 0x40},
        {-4, 0x4, 0x4},
        {-5, 0x100, 0x100},
        {-6, 0x2000, 0x2000},
        {-7, 0x1000, 0x1000},
        {-8, 0x8000000, 0x8000000},
        {'#', 0x200, 0x200},
        {'*', 0x800, 0x800},
        {'0', 0x400, 0x400},
        {'1', 0x80, 0x40000},
        {'2', 0x1, 0x80000},
        {'3', 0x2, 0x100000},
        {'4', 0x40, 0x200000},
        {'5', 0x100, 0x400000},
        {'6', 0x4, 0x800000},
        {'7', 0x20, 0x1000000},
        {'8', 0x10, 0x2000000},
        {'9', 0x8, 0x4000000},
        {-9, 0, 0},
        {0, 0, 0},
        {'A', 0, 0},
        {':', 0, 0},
    };
    for (const Case& c : cases) {
        block()->digitKeysMode = 0;
        EXPECT_EQ(keyToMask(c.code), c.directionMode) << "code " << c.code;
        block()->digitKeysMode = 1;
        EXPECT_EQ(keyToMask(c.code), c.digitMode) << "code " << c.code << " in digit mode";
    }
}

TEST_F(KeyMasksTest, TheRingHoldsFiveStatesAndTakesMoreOnceOneIsRead) {
    for (jint i = 1; i <= 5; ++i) {
        EXPECT_TRUE(pushKeyQueue(i)) << i;
    }
    EXPECT_FALSE(pushKeyQueue(6));
    EXPECT_EQ(block()->keyQueueWrite, 5);
    // The frame reads one; then one more fits, written over the wrap.
    block()->keyQueueRead = 1;
    EXPECT_TRUE(pushKeyQueue(7));
    EXPECT_EQ(block()->keyQueueWrite, 0);
    EXPECT_EQ((*block()->keyQueue)[5], 7);
    EXPECT_FALSE(pushKeyQueue(8));
}

TEST_F(KeyMasksTest, FrameMaskTests) {
    block()->frameKeys = 0x110;
    block()->pressedKeys = 0x100;
    block()->releasedKeys = 0x2000;
    EXPECT_TRUE(isKeyHeld(kKeyDown));
    EXPECT_FALSE(isKeyHeld(kKeyUp));
    EXPECT_TRUE(anyKeyPressed());
    EXPECT_TRUE(isKeyReleased(kKeySelect));
    EXPECT_FALSE(isKeyReleased(kKeyFire));
    block()->pressedKeys = 0;
    EXPECT_FALSE(anyKeyPressed());
}

// Arrow areas for leftX 100, rightX 300, y 200 with a wide value box: left x 60..140, right x
// 260..340, both y 171..251, bounds exclusive.
TEST_F(KeyMasksTest, ArrowAreasStepTheValueCyclicallyWithExclusiveEdges) {
    struct Case {
        jint x;
        jint y;
        jint value;
        jint count;
        jint expected;
    };
    const Case cases[] = {
        {100, 200, 0, 5, 4}, {300, 200, 0, 5, 1}, {300, 200, 4, 5, 0}, {100, 200, 3, 5, 2},
        {61, 172, 0, 5, 4},  {139, 250, 0, 5, 4}, {60, 200, 0, 5, 0},  {140, 200, 0, 5, 0},
        {100, 171, 0, 5, 0}, {100, 251, 0, 5, 0}, {261, 200, 2, 5, 3}, {340, 200, 2, 5, 2},
        {200, 200, 2, 5, 2}, {100, 200, 0, 1, 0},
    };
    block()->selectorWidth = 80;
    for (const Case& c : cases) {
        touchReleasedAt(c.x, c.y);
        EXPECT_EQ(touchArrowSelect(100, 300, 200, c.value, c.count, false), c.expected)
            << "release at " << c.x << "," << c.y << " value " << c.value;
    }
}

TEST_F(KeyMasksTest, ANarrowValueBoxPlacesTheAreasByHalfItsWidth) {
    block()->selectorWidth = 40;
    // Left area from 100 + 20 - 56 = 64, right area from 300 - 20 + 4 = 284.
    touchReleasedAt(65, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 1, 3, false), 0);
    touchReleasedAt(64, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 1, 3, false), 1);
    touchReleasedAt(363, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 1, 3, false), 2);
    touchReleasedAt(364, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 1, 3, false), 1);
}

TEST_F(KeyMasksTest, ArrowsNeedAReleaseAnUnlockedTouchAndAValueToStep) {
    block()->selectorWidth = 80;
    touchHeldAt(100, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 5, true), 2) << "a held touch does not step";
    touchReleasedAt(100, 200);
    block()->touchRepeatCounter = 1;
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 5, true), 2) << "locked";
    block()->touchRepeatCounter = 0;
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 0, true), 2) << "no values: no division by zero";
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, -3, true), 2);
    EXPECT_FALSE(block()->redrawAll);
}

TEST_F(KeyMasksTest, AHitRequestsARedrawOnlyWhenAsked) {
    block()->selectorWidth = 80;
    touchReleasedAt(100, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 5, false), 1);
    EXPECT_FALSE(block()->redrawAll);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 5, true), 1);
    EXPECT_TRUE(block()->redrawAll);
    // A miss leaves the flag as it is.
    block()->redrawAll = 0;
    touchReleasedAt(200, 200);
    EXPECT_EQ(touchArrowSelect(100, 300, 200, 2, 5, true), 2);
    EXPECT_FALSE(block()->redrawAll);
}

// A grid of three columns, cells 40 x 30 every 50 x 40 from (10, 20).
TEST_F(KeyMasksTest, GridCellsAreFoundRowByRowWithExclusiveBounds) {
    struct Case {
        jint x;
        jint y;
        jint expected;
    };
    const Case cases[] = {
        {30, 30, 0},  {80, 30, 1},  {130, 30, 2}, {80, 70, 4},  {30, 110, 6},  {10, 30, -1},
        {50, 30, -1}, {30, 20, -1}, {30, 50, -1}, {55, 30, -1}, {80, 110, -1}, // index 7 is beyond count 7
    };
    for (const Case& c : cases) {
        touchReleasedAt(c.x, c.y);
        EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 3, 7), c.expected) << c.x << "," << c.y;
    }
    // A held touch uses the press point.
    block()->pointerReleaseX = 30;
    block()->pointerReleaseY = 30;
    touchHeldAt(80, 70);
    EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 3, 7), 4);
}

TEST_F(KeyMasksTest, GridAnswersWhenLockedAndMinusOneWithoutTouchOrGrid) {
    touchReleasedAt(30, 30);
    block()->touchRepeatCounter = 2;
    EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 3, 7), 99);
    block()->touchRepeatCounter = 0;
    EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 3, 0), -1);
    EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 0, 7), -1) << "no columns: no division by zero";
    block()->touchReleased = 0;
    EXPECT_EQ(touchGridIndex(10, 20, 40, 30, 50, 40, 99, 3, 7), -1);
}

} // namespace
} // namespace game::core
