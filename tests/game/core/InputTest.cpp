// The canvas's input slots and the frame's key step: what reaches the masks a frame reads, and
// the key and touch tests of the screens.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/framework/Device.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/FrameworkFixture.h"

namespace game::core {

namespace {

using testing::touchHeldAt;
using testing::touchReleasedAt;

constexpr jint kFire = -5;
constexpr jint kUp = -1;
constexpr jint kDown = -2;
constexpr jint kLeftSoft = -6;

class InputTest : public testing::FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        canvas = runtime::newObject<Device>();
        block()->canvas = canvas;
        // Past the first frames of the state, in which key presses are ignored.
        block()->framesInState = 10;
    }

    // The frame's key step, as the frame entry runs it, returning (frame, pressed, released).
    std::vector<jint> frame() {
        updateKeys();
        return {block()->frameKeys, block()->pressedKeys, block()->releasedKeys};
    }

    Device* canvas = nullptr;
};

TEST_F(InputTest, APressAndReleaseBetweenFramesShowAsAPressThenARelease) {
    canvas->keyPressed(kFire);
    canvas->keyReleased(kFire);
    EXPECT_EQ(frame(), (std::vector<jint>{0x100, 0x100, 0}));
    EXPECT_EQ(frame(), (std::vector<jint>{0, 0, 0x100}));
    EXPECT_EQ(frame(), (std::vector<jint>{0, 0, 0}));
}

TEST_F(InputTest, SixStatesQueuedBetweenFramesLoseTheSixth) {
    canvas->keyPressed(kUp);    // 0x1
    canvas->keyReleased(kUp);   // 0
    canvas->keyPressed(kDown);  // 0x10
    canvas->keyReleased(kDown); // 0
    canvas->keyPressed(kFire);  // 0x100: the ring is full now
    canvas->keyPressed('#');    // 0x300: dropped
    canvas->keyReleased('#');   // 0x100: dropped
    canvas->keyReleased(kFire); // 0: dropped
    EXPECT_EQ(block()->keyQueueWrite, 5);
    std::vector<jint> frames;
    for (int i = 0; i < 7; ++i) {
        frames.push_back(frame()[0]);
    }
    // '#' never reaches a frame; once the ring is empty the frame takes the held keys.
    EXPECT_EQ(frames, (std::vector<jint>{0x1, 0, 0x10, 0, 0x100, 0, 0}));
}

TEST_F(InputTest, AKeyHeldInTheFrameIsNotQueuedButHeld) {
    canvas->keyPressed(kDown);
    frame();
    canvas->keyPressed(kFire);
    EXPECT_EQ(block()->keyQueueRead, block()->keyQueueWrite) << "nothing queued while the frame has a key";
    EXPECT_EQ(frame(), (std::vector<jint>{0x110, 0x100, 0}));
}

TEST_F(InputTest, PressesInTheFirstFourFramesOfAStateAreIgnoredButReleasesAreNot) {
    for (jint framesInState = 0; framesInState <= 3; ++framesInState) {
        block()->framesInState = framesInState;
        canvas->keyPressed(kFire);
        EXPECT_EQ(block()->heldKeys, 0) << framesInState;
    }
    block()->framesInState = 4;
    canvas->keyPressed(kFire);
    EXPECT_EQ(block()->heldKeys, 0x100);
    block()->framesInState = 0;
    canvas->keyReleased(kFire);
    EXPECT_EQ(block()->heldKeys, 0);
    EXPECT_EQ(frame()[1], 0x100);
    EXPECT_EQ(frame()[2], 0x100);
}

TEST_F(InputTest, PressTimesAreStampedPerKeyBitAndNeverPastTheArray) {
    block()->matchTicks = 77;
    canvas->keyPressed(kDown); // bit 4
    EXPECT_EQ((*block()->keyPressTicks)[4], 77);
    canvas->keyReleased(kDown);
    frame();
    frame();
    block()->matchTicks = 88;
    canvas->keyPressed(kLeftSoft); // bit 13
    EXPECT_EQ((*block()->keyPressTicks)[13], 88);
    canvas->keyReleased(kLeftSoft);
    frame();
    frame();
    // A table of one slot per queued state (the handset's six) gets no stamp past its end.
    runtime::Long64Array* ticks = runtime::newLongArray(6);
    block()->keyPressTicks = ticks;
    block()->matchTicks = 99;
    canvas->keyPressed(kLeftSoft);
    for (jint i = 0; i < ticks->length; ++i) {
        EXPECT_EQ((*ticks)[i], 0) << "slot " << i;
    }
    EXPECT_EQ(block()->heldKeys, kKeyLeftSoft) << "the key itself still counts";
}

TEST_F(InputTest, ASecondPressWithinNineFramesIsADoublePressForOneFrame) {
    struct Case {
        int framesBetween; // frames from the first release to the second press
        bool doublePress;
    };
    const Case cases[] = {{0, true}, {4, true}, {7, true}, {8, false}, {12, false}};
    for (const Case& c : cases) {
        clearKeys();
        canvas->keyPressed(kFire);
        canvas->keyReleased(kFire);
        frame(); // press: frame 0 of the window
        frame(); // release
        for (int i = 0; i < c.framesBetween; ++i) {
            frame();
        }
        canvas->keyPressed(kFire);
        frame();
        EXPECT_EQ(block()->doublePressedKeys, c.doublePress ? 0x100 : 0) << c.framesBetween;
        canvas->keyReleased(kFire);
        frame();
        EXPECT_EQ(block()->doublePressedKeys, 0) << "one frame only";
    }
}

TEST_F(InputTest, UpAndDownRepeatAfterTheDelayOnScreensThatAskForIt) {
    block()->keyRepeatDelay = 3;
    canvas->keyPressed(kDown);
    for (int i = 0; i < 6; ++i) {
        frame();
    }
    EXPECT_FALSE(block()->repeatDown) << "repeat is off";
    block()->keyRepeatEnabled = 1;
    std::vector<bool> repeating;
    for (int i = 0; i < 5; ++i) {
        frame();
        repeating.push_back(block()->repeatDown != 0);
    }
    EXPECT_EQ(repeating, (std::vector<bool>{false, false, false, true, true}));
    EXPECT_FALSE(block()->repeatUp);
    canvas->keyReleased(kDown);
    frame();
    EXPECT_FALSE(block()->repeatDown);
    EXPECT_EQ(block()->keyRepeatFrames, 0);
}

TEST_F(InputTest, ALongPressInALongSquadListRunsItsActionOnce) {
    block()->menuState = 0x201;
    block()->squadListCount = 6;
    block()->keyRepeatDelay = 2;
    block()->menuSelection = 5;
    canvas->keyPressed(kFire);
    for (int i = 0; i < 4; ++i) {
        frame();
    }
    EXPECT_TRUE(neighbours.log.take().empty());
    frame(); // the fifth frame exceeds delay + 2
    EXPECT_EQ(neighbours.log.take(), std::vector<std::string>{"squadListLongPress"});
    EXPECT_EQ(block()->menuSelection, 0);
    EXPECT_TRUE(block()->longPressDone);
    for (int i = 0; i < 5; ++i) {
        frame();
    }
    EXPECT_TRUE(neighbours.log.take().empty());
}

TEST_F(InputTest, ALongPressNeedsTheListStateARowCountAndAHeldKeyOrTouchOnARow) {
    struct Case {
        jint menuState;
        jint rows;
        bool fire;
        bool touchOnRow;
        bool fires;
    };
    const Case cases[] = {
        {0x201, 6, true, false, true},  {0x101, 9, true, false, true},  {0x101, 6, false, true, true},
        {0x202, 6, true, false, false}, {0x201, 5, true, false, false}, {0x201, 6, false, false, false},
    };
    for (const Case& c : cases) {
        clearKeys();
        block()->longPressDone = 0;
        block()->longPressFrames = 0;
        block()->menuState = c.menuState;
        block()->squadListCount = c.rows;
        block()->touchListHit = c.touchOnRow ? 2 : -1;
        block()->touchHold = 1;
        block()->pointerPressX = c.touchOnRow ? 100 : 0;
        if (c.fire) {
            canvas->keyPressed(kFire);
        }
        for (int i = 0; i < 4; ++i) {
            frame();
        }
        EXPECT_EQ(block()->longPressDone != 0, c.fires) << std::hex << c.menuState << " rows " << c.rows;
    }
}

TEST_F(InputTest, AMovingHighlightFreezesAndClearsTheKeys) {
    canvas->keyPressed(kFire);
    block()->menuChoiceMoving = 1;
    EXPECT_EQ(frame(), (std::vector<jint>{0, 0, 0}));
    EXPECT_EQ(block()->heldKeys, 0);
    EXPECT_EQ(block()->keyQueueWrite, 0);
}

TEST_F(InputTest, SelectIsFireOrTheLeftSoftKeyAndRecordsWhichSoftKeyWasTaken) {
    block()->pressedKeys = 0x100;
    EXPECT_TRUE(isKeyPressed(kKeySelect));
    EXPECT_TRUE(block()->leftSoftKeyTaken);
    EXPECT_FALSE(block()->rightSoftKeyTaken);
    EXPECT_FALSE(isKeyPressed(kKeyBack));
    EXPECT_TRUE(block()->leftSoftKeyTaken) << "a false answer leaves the flags";
    block()->pressedKeys = 0x1000;
    EXPECT_TRUE(isKeyPressed(kKeyBack));
    EXPECT_FALSE(block()->leftSoftKeyTaken);
    EXPECT_TRUE(block()->rightSoftKeyTaken);
}

TEST_F(InputTest, TheRightSoftKeyCountsDownInTheMenusOnly) {
    block()->softKeyCounter = 1;
    block()->pressedKeys = 0x1000;
    block()->topState = 4;
    isKeyPressed(kKeyBack);
    EXPECT_EQ(block()->softKeyCounter, 1);
    block()->topState = 2;
    isKeyPressed(kKeyBack);
    EXPECT_EQ(block()->softKeyCounter, 0);
    isKeyPressed(kKeyBack);
    EXPECT_EQ(block()->softKeyCounter, 0) << "not below 0";
}

TEST_F(InputTest, SoftKeyZonesAcceptReleasesStrictlyInside) {
    struct Case {
        jint x;
        jint y;
        bool left;  // isKeyPressed(0x2000)
        bool right; // isKeyPressed(0x1000)
    };
    const Case cases[] = {
        {1, 760, true, false},    {109, 760, true, false},  {110, 760, false, false},
        {0, 760, false, false},   {50, 745, true, false},   {50, 785, true, false},
        {50, 744, false, false},  {50, 786, false, false},  {371, 760, false, true},
        {479, 760, false, true},  {370, 760, false, false}, {480, 760, false, false},
        {400, 744, false, false}, {400, 786, false, false},
    };
    for (const Case& c : cases) {
        touchReleasedAt(c.x, c.y);
        EXPECT_EQ(isKeyPressed(kKeyLeftSoft), c.left) << c.x << "," << c.y;
        EXPECT_EQ(isKeyPressed(kKeySelect), c.left) << c.x << "," << c.y;
        EXPECT_EQ(isKeyPressed(kKeyBack), c.right) << c.x << "," << c.y;
        EXPECT_EQ(pointerInRightSoftKey(), c.right) << c.x << "," << c.y;
    }
}

TEST_F(InputTest, ATouchHeldOrJustReleasedHidesEveryKeyButTheZones) {
    block()->pressedKeys = 0x3FFF;
    touchHeldAt(200, 400);
    for (const jint mask : {kKeyFire, kKeyUp, kKeySelect, kKeyBack, kKeyLeftSoft}) {
        EXPECT_FALSE(isKeyPressed(mask)) << mask;
    }
    // A held touch in a zone is not a release there.
    touchHeldAt(50, 760);
    EXPECT_FALSE(isKeyPressed(kKeyLeftSoft));
    touchReleasedAt(200, 400);
    EXPECT_FALSE(isKeyPressed(kKeyFire));
    touchReleasedAt(50, 760);
    EXPECT_TRUE(isKeyPressed(kKeyLeftSoft));
    EXPECT_FALSE(isKeyPressed(kKeyFire));
}

TEST_F(InputTest, PointerInRectIsStrictOnEveryEdgeAndOffWhileTouchRepeats) {
    struct Case {
        jint x;
        jint y;
        bool inside;
    };
    const Case cases[] = {{10, 15, false}, {30, 15, false}, {11, 15, true}, {29, 15, true},
                          {20, 10, false}, {20, 30, false}, {20, 11, true}, {20, 29, true}};
    for (const Case& c : cases) {
        touchReleasedAt(c.x, c.y);
        EXPECT_EQ(pointerInRect(10, 10, 20, 20), c.inside) << c.x << "," << c.y;
        touchHeldAt(c.x, c.y);
        EXPECT_EQ(pointerInRect(10, 10, 20, 20), c.inside) << c.x << "," << c.y << " held";
        block()->touchDown = 0;
    }
    touchHeldAt(20, 20);
    block()->touchRepeatCounter = 1;
    EXPECT_FALSE(pointerInRect(10, 10, 20, 20));
    block()->touchRepeatCounter = 0;
    block()->touchDown = 0;
    block()->touchReleased = 0;
    EXPECT_FALSE(pointerInRect(10, 10, 20, 20)) << "no touch point";
}

TEST_F(InputTest, PointerSlotsStoreTheTouchAndOnlyThePromotionScreenSeesIt) {
    block()->touchRepeatCounter = 3;
    block()->touchRepeatCount = 2;
    canvas->pointerPressed(120, 340);
    EXPECT_EQ(block()->pointerPressX, 120);
    EXPECT_EQ(block()->pointerPressY, 340);
    EXPECT_TRUE(block()->touchDown);
    EXPECT_TRUE(block()->touchPressedNow);
    EXPECT_EQ(block()->touchRepeatCounter, 0);
    EXPECT_EQ(block()->touchRepeatCount, 0);
    canvas->pointerDragged(125, 350);
    EXPECT_EQ(block()->pointerPressX, 125);
    EXPECT_EQ(block()->pointerPressY, 350);
    block()->touchGestureFlags[0] = 1;
    block()->touchGestureFlags[1] = 1;
    block()->matchCommand = 159;
    canvas->pointerReleased(130, 360);
    EXPECT_EQ(block()->pointerPressX, 0);
    EXPECT_EQ(block()->pointerPressY, 0);
    EXPECT_EQ(block()->pointerReleaseX, 130);
    EXPECT_EQ(block()->pointerReleaseY, 360);
    EXPECT_FALSE(block()->touchDown);
    EXPECT_TRUE(block()->touchReleased);
    EXPECT_FALSE(block()->touchGestureFlags[0]);
    EXPECT_FALSE(block()->touchGestureFlags[1]);
    EXPECT_EQ(block()->matchCommand, -1);
    EXPECT_TRUE(neighbours.log.take().empty());

    block()->menuState = 38;
    canvas->pointerPressed(1, 2);
    canvas->pointerDragged(3, 4);
    canvas->pointerReleased(5, 6);
    EXPECT_EQ(neighbours.log.take(),
              (std::vector<std::string>{"promotionPointerPressed 1,2", "promotionPointerDragged 3,4",
                                        "promotionPointerReleased 5,6"}));
}

} // namespace
} // namespace game::core
