// The whole game under the headless host, on the sample data: scripted keys, touches and focus
// events go through the host's event pump into the canvas, and the frame reads them as masks.
// The state's work is scripted: the loading step, the match's per-frame team step and the match
// pause menu's handler record what the frame sees.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/framework/Device.h"
#include "game/framework/Quorlin.h"
#include "tests/game/support/FrameworkFixture.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game {
using namespace game::core;

namespace {

using runtime::jint;

// What one frame saw.
struct FrameView {
    jint frameKeys = 0;
    jint pressedKeys = 0;
    jint releasedKeys = 0;
    bool touchDown = false;
    bool touchPressedNow = false;
    bool touchReleased = false;
    jint pressX = 0;
    jint pressY = 0;
    jint releaseX = 0;
    jint releaseY = 0;
    bool leftSoftKey = false;
    bool paused = false;
    jint topState = 0;
    jint menuState = 0;
};

std::vector<FrameView> frames;

// What the state's work sees of the input, once per frame (after the frame's key step).
void recordFrame() {
    GameStatics* block = statics();
    FrameView view;
    view.frameKeys = block->frameKeys;
    view.pressedKeys = block->pressedKeys;
    view.releasedKeys = block->releasedKeys;
    view.touchDown = block->touchDown != 0;
    view.touchPressedNow = block->touchPressedNow != 0;
    view.touchReleased = block->touchReleased != 0;
    view.pressX = block->pointerPressX;
    view.pressY = block->pointerPressY;
    view.releaseX = block->pointerReleaseX;
    view.releaseY = block->pointerReleaseY;
    view.leftSoftKey = core::isKeyPressed(core::kKeyLeftSoft);
    view.paused = block->paused != 0;
    view.topState = block->topState;
    view.menuState = block->menuState;
    frames.push_back(view);
}

// The harness's own cases: the game's start runs in the run's stress mode.
class GameHarnessTest : public testing::SampleGameHarness {
protected:
    GameHarnessTest() { startUnderStress = true; }
    void SetUp() override {
        frames.clear();
        neighbours.log.on("loadResources", &recordFrame);
        neighbours.log.on("updateMentality", &recordFrame);
        neighbours.log.on("updateMatchDayMenu", &recordFrame);
        SampleGameHarness::SetUp();
        neighbours.log.take();
    }

    testing::ScriptedNeighbours neighbours;
};

TEST_F(GameHarnessTest, TheGameMidletShowsItsCanvasAndTheFrameEntryRunsEachFrame) {
    ASSERT_NE(statics()->midlet.get(), nullptr);
    ASSERT_NE(statics()->canvas.get(), nullptr);
    EXPECT_EQ(harness.application()->currentDisplayable, statics()->canvas.get());
    harness.runFrames(3);
    EXPECT_EQ(frames.size(), 3u);
    EXPECT_EQ(neighbours.log.take({"loadResources"}),
              (std::vector<std::string>{"loadResources", "loadResources", "loadResources"}));
}

TEST_F(GameHarnessTest, ScriptedKeysReachTheFrameMasks) {
    // Frame 1 is one of the first four frames of the state: its press is ignored.
    harness.key(1, SDLK_UP).key(5, SDLK_RETURN).key(8, SDLK_2).keyDown(11, SDLK_DOWN).keyDown(12, SDLK_F1);
    harness.keyUp(14, SDLK_DOWN).keyUp(15, SDLK_F1);
    harness.runFrames(17);
    ASSERT_EQ(frames.size(), 17u);
    EXPECT_EQ(frames[1].pressedKeys, 0);
    EXPECT_EQ(frames[2].releasedKeys, 0);
    EXPECT_EQ(frames[5].pressedKeys, core::kKeyFire);
    EXPECT_EQ(frames[6].releasedKeys, core::kKeyFire);
    EXPECT_EQ(frames[8].pressedKeys, core::kKeyUp) << "digit 2 is up outside digit mode";
    EXPECT_EQ(frames[11].frameKeys, core::kKeyDown);
    // A second key while one is held is not queued; the frame takes the held keys.
    EXPECT_EQ(frames[12].frameKeys, core::kKeyDown | core::kKeyLeftSoft);
    EXPECT_EQ(frames[12].pressedKeys, core::kKeyLeftSoft);
    EXPECT_EQ(frames[13].pressedKeys, 0);
    EXPECT_EQ(frames[14].releasedKeys, core::kKeyDown);
    EXPECT_EQ(frames[15].releasedKeys, core::kKeyLeftSoft);
    EXPECT_EQ(frames[16].frameKeys, 0);
}

TEST_F(GameHarnessTest, ScriptedTouchesReachTheFrameAndTheSoftKeyZone) {
    harness.press(2, 200, 300).drag(3, 210, 320).release(4, 220, 330).tap(6, 50, 760).tap(8, 110, 760);
    harness.runFrames(10);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_TRUE(frames[2].touchDown);
    EXPECT_TRUE(frames[2].touchPressedNow);
    EXPECT_EQ(frames[2].pressX, 200);
    EXPECT_EQ(frames[2].pressY, 300);
    EXPECT_TRUE(frames[3].touchDown);
    EXPECT_FALSE(frames[3].touchPressedNow) << "a press is seen by one frame";
    EXPECT_EQ(frames[3].pressX, 210);
    EXPECT_EQ(frames[3].pressY, 320);
    EXPECT_FALSE(frames[4].touchDown);
    EXPECT_TRUE(frames[4].touchReleased);
    EXPECT_EQ(frames[4].releaseX, 220);
    EXPECT_EQ(frames[4].releaseY, 330);
    EXPECT_EQ(frames[4].pressX, 0);
    EXPECT_FALSE(frames[5].touchReleased);
    EXPECT_FALSE(frames[4].leftSoftKey);
    EXPECT_TRUE(frames[6].leftSoftKey) << "a tap in the left soft-key zone";
    EXPECT_FALSE(frames[8].leftSoftKey) << "x 110 is outside the zone";
}

TEST_F(GameHarnessTest, FocusLossPausesAndFocusGainResumesWithTheKeysCleared) {
    // The host ignores the first focus loss after start.
    harness.focus(1, false).keyDown(5, SDLK_RETURN).focus(7, false).focus(9, true);
    harness.runFrames(11);
    ASSERT_EQ(frames.size(), 11u);
    EXPECT_FALSE(frames[1].paused);
    EXPECT_EQ(frames[6].frameKeys, core::kKeyFire);
    EXPECT_TRUE(frames[7].paused);
    const std::vector<std::string> calls = neighbours.log.take();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "updateEventList"), 1);
    EXPECT_FALSE(frames[9].paused);
    // The held key was forgotten on resume.
    EXPECT_EQ(frames[9].frameKeys, 0);
    EXPECT_EQ(statics()->heldKeys, 0);
}

TEST_F(GameHarnessTest, AFocusLossInAMatchGoesToThePauseMenuAndAResumeStaysThere) {
    statics()->topState = 4;
    harness.focus(1, false).focus(3, false).focus(5, true);
    harness.runFrames(6);
    EXPECT_EQ(frames[1].topState, 4) << "the first focus loss is ignored";
    EXPECT_EQ(frames[3].topState, 2);
    EXPECT_EQ(frames[3].menuState, 0x800000);
    EXPECT_TRUE(statics()->matchInterrupted);
    // Without a match day in progress the resume does not go back into the match.
    EXPECT_EQ(frames[5].topState, 2);
    EXPECT_FALSE(frames[5].paused);
}

TEST_F(GameHarnessTest, DuringAMatchDayAResumeGoesBackIntoTheMatch) {
    statics()->topState = 4;
    statics()->matchDayMode = 1;
    statics()->matchDayCounter = 2;
    harness.focus(1, false).focus(3, false).focus(5, true);
    harness.runFrames(6);
    EXPECT_EQ(frames[3].topState, 2);
    EXPECT_EQ(frames[5].topState, 4);
    EXPECT_FALSE(statics()->matchInterrupted);
}

TEST_F(GameHarnessTest, TheGameLoopPacesFramesUntilTheHostEnds) {
    statics()->gameRunning = 1;
    // The loop busy-waits on the clock: let each reading move it.
    harness.clock.stepPerRead = 1;
    harness.host().setFrameLimit(4);
    harness.host().run();
    EXPECT_EQ(harness.host().getFramesPresented(), 4u);
    EXPECT_EQ(frames.size(), 4u);
    EXPECT_EQ(harness.exitCodes, std::vector<int>{0});
    EXPECT_EQ(harness.application(), nullptr);
}

} // namespace
} // namespace game
