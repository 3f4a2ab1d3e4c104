// The screens' key and touch tests with click sounds: the soft-key test, the touch rectangle and
// the two-button picker, with the touch point, the touch lock and the sounds of each answer.
#include "game/screens/info/KeyTouchOperations.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/SoundRequests.h"

namespace game::info {
using namespace game::core;

namespace {

using runtime::jint;

class KeyTouchOperationsTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        testing_support::reportSoundRequests(
            [](void* context, const jint id) { static_cast<std::vector<jint>*>(context)->push_back(id); },
            &sounds);
        s()->topState = 4;
    }
    static GameStatics* s() { return game::statics(); }
    // The touch as the canvas slots leave it in a frame.
    static void released(const jint x, const jint y) {
        s()->touchDown = 0;
        s()->touchReleased = 1;
        s()->pointerReleaseX = x;
        s()->pointerReleaseY = y;
    }
    static void held(const jint x, const jint y) {
        s()->touchDown = 1;
        s()->touchPressedNow = 1;
        s()->pointerPressX = x;
        s()->pointerPressY = y;
    }
    static void noTouch() {
        s()->touchDown = 0;
        s()->touchReleased = 0;
        s()->touchPressedNow = 0;
    }
    std::vector<jint> takeSounds() {
        std::vector<jint> taken;
        taken.swap(sounds);
        return taken;
    }

    std::vector<jint> sounds;
};

TEST_F(KeyTouchOperationsTest, TheRectangleTestTakesThePressElseTheReleasePointStrictly) {
    struct Case {
        const char* name;
        bool press;
        bool release;
        jint x;
        jint y;
        bool inside;
        std::vector<jint> sounds;
    };
    // The rectangle (63, 598) 52 x 50: x 64..114, y 599..647.
    const Case cases[] = {
        {"held inside", true, false, 64, 599, true, {}},
        {"released inside", false, true, 114, 647, true, {7}},
        {"pressed and released inside", true, true, 100, 620, true, {7}},
        {"left edge", false, true, 63, 620, false, {}},
        {"right edge", false, true, 115, 620, false, {}},
        {"top edge", true, false, 80, 598, false, {}},
        {"bottom edge", true, false, 80, 648, false, {}},
        {"no touch", false, false, 80, 620, false, {}},
    };
    for (const Case& c : cases) {
        noTouch();
        s()->pointerPressX = s()->pointerReleaseX = -100;
        if (c.release) {
            released(c.x, c.y);
        }
        if (c.press) {
            held(c.x, c.y);
        }
        EXPECT_EQ(pointerInRectWithSound(63, 598, 52, 50), c.inside) << c.name;
        EXPECT_EQ(takeSounds(), c.sounds) << c.name;
    }
}

TEST_F(KeyTouchOperationsTest, TouchRepeatBlocksEveryTouchTest) {
    released(80, 620);
    s()->touchRepeatCounter = 2;
    EXPECT_FALSE(pointerInRectWithSound(63, 598, 52, 50));
    EXPECT_EQ(pickOfTwoAreas(60, 40, 100, 40, 600, 40), -1);
    released(50, 760);
    EXPECT_FALSE(isKeyPressedWithSound(core::kKeyLeftSoft));
    EXPECT_TRUE(takeSounds().empty());
}

TEST_F(KeyTouchOperationsTest, TheTwoButtonPickerAnswersTheButtonUnderTheTouch) {
    struct Case {
        const char* name;
        bool press;
        jint x;
        jint answer;
        std::vector<jint> sounds;
    };
    // Buttons (104, 500) and (286, 500), 92 x 80.
    const Case cases[] = {
        {"first released", false, 150, 0, {7}}, {"second released", false, 330, 1, {6}},
        {"first held", true, 150, 0, {}},       {"second held", true, 377, 1, {}},
        {"between", false, 240, -1, {}},        {"first's edge", false, 104, -1, {}},
    };
    for (const Case& c : cases) {
        noTouch();
        if (c.press) {
            held(c.x, 540);
        } else {
            released(c.x, 540);
        }
        EXPECT_EQ(pickOfTwoAreas(104, 92, 286, 92, 500, 80), c.answer) << c.name;
        EXPECT_EQ(takeSounds(), c.sounds) << c.name;
    }
    noTouch();
    EXPECT_EQ(pickOfTwoAreas(104, 92, 286, 92, 500, 80), -1) << "no touch";
}

TEST_F(KeyTouchOperationsTest, SoftKeyZonesAnswerTheirMasksOnARelease) {
    struct Case {
        const char* name;
        jint mask;
        jint x;
        bool release;
        bool answer;
        std::vector<jint> sounds;
    };
    const Case cases[] = {
        {"left zone, left mask", core::kKeyLeftSoft, 50, true, true, {7}},
        {"left zone, select mask", core::kKeySelect, 1, true, true, {7}},
        {"left zone's edge", core::kKeyLeftSoft, 110, true, false, {}},
        {"left zone held", core::kKeyLeftSoft, 50, false, false, {}},
        {"right zone, back mask", core::kKeyBack, 400, true, true, {6}},
        {"right zone, left mask", core::kKeyLeftSoft, 400, true, false, {}},
        {"left zone, fire mask", core::kKeyFire, 50, true, false, {}},
    };
    for (const Case& c : cases) {
        noTouch();
        if (c.release) {
            released(c.x, 760);
        } else {
            held(c.x, 760);
        }
        s()->pressedKeys = core::kKeyFire | core::kKeyLeftSoft | core::kKeyRightSoft;
        EXPECT_EQ(isKeyPressedWithSound(c.mask), c.answer) << c.name;
        EXPECT_EQ(takeSounds(), c.sounds) << c.name;
    }
}

TEST_F(KeyTouchOperationsTest, KeysAnswerWithoutATouchAndClickOnlyInTheMenus) {
    struct Case {
        const char* name;
        jint topState;
        jint pressed;
        jint mask;
        bool answer;
        std::vector<jint> sounds;
        bool left;
        bool right;
    };
    const Case cases[] = {
        {"fire in a match", 4, 0x100, 0x2100, true, {}, true, false},
        {"fire in the menus", 2, 0x100, 0x2100, true, {7}, true, false},
        {"back in the menus", 2, 0x1000, 0x1000, true, {6}, false, true},
        {"up in the menus", 2, 0x1, 0x11, true, {8}, false, false},
        {"back with up in the menus", 2, 0x1001, 0x1, true, {6}, false, false},
        {"not pressed", 2, 0x4, 0x100, false, {}, false, false},
    };
    for (const Case& c : cases) {
        noTouch();
        s()->topState = c.topState;
        s()->pressedKeys = c.pressed;
        s()->leftSoftKeyTaken = 0;
        s()->rightSoftKeyTaken = 0;
        EXPECT_EQ(isKeyPressedWithSound(c.mask), c.answer) << c.name;
        EXPECT_EQ(takeSounds(), c.sounds) << c.name;
        EXPECT_EQ(s()->leftSoftKeyTaken != 0, c.left) << c.name;
        EXPECT_EQ(s()->rightSoftKeyTaken != 0, c.right) << c.name;
    }
    // A touch held or released elsewhere hides the keys.
    s()->pressedKeys = core::kKeyFire;
    released(240, 400);
    EXPECT_FALSE(isKeyPressedWithSound(core::kKeyFire));
    noTouch();
    held(240, 400);
    EXPECT_FALSE(isKeyPressedWithSound(core::kKeyFire));
}

} // namespace
} // namespace game::info
