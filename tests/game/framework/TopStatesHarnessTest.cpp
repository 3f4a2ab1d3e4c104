// The top-level states end to end: the game's midlet under the headless host on the sample data,
// with the real frame entry and the interim neighbours, from the loading screens through the
// first-run question and the title to the main menu, driven by scripted touches and keys.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::framework {
using namespace game::core;

namespace {

using runtime::jint;

constexpr std::uint16_t rgb(const std::uint32_t colour) {
    return profile::toRgb565(0xFF000000u | colour);
}

// The loading state's frames: 0 to 20, the last leaving it.
constexpr jint kLoadingFrames = 21;

class TopStatesHarnessTest : public testing::SampleGameHarness {
protected:
    // Runs one frame; returns the top-level state it ended in.
    jint step() {
        harness.runFrames(1);
        return statics()->topState;
    }
    // A pixel of what the last frame drew, and of what the host shows.
    static std::uint16_t drawn(const jint x, const jint y) { return statics()->backBufferImage->row16(y)[x]; }
    std::uint16_t shown(const jint x, const jint y) {
        SDL_Surface* screen = harness.host().getBackBuffer();
        const auto* row = reinterpret_cast<const std::uint8_t*>(screen->pixels) + y * screen->pitch;
        return reinterpret_cast<const std::uint16_t*>(row)[x];
    }
};

TEST_F(TopStatesHarnessTest, FromTheLoadingScreensThroughTheQuestionAndTheTitleToTheMainMenu) {
    ASSERT_EQ(statics()->topState, kTopStateLoading);
    // Loading: the logo on white, centred; one loading step a frame, the last in frame 20.
    for (jint frame = 0; frame < kLoadingFrames - 1; ++frame) {
        ASSERT_EQ(step(), kTopStateLoading) << "frame " << frame;
    }
    EXPECT_EQ(step(), kTopStateSecondLoading);
    ASSERT_NE(statics()->logoImage.get(), nullptr) << "the sample data's logo";
    // The sample logo is 300 x 120, dark blue inside a gold frame, centred on the screen.
    EXPECT_EQ(drawn(240 - 150 + 20, 400 - 60 + 20), rgb(0x141E48));
    EXPECT_EQ(drawn(240 - 150 + 4, 400), rgb(0xE8B020));
    EXPECT_EQ(drawn(10, 10), rgb(0xFFFFFF));
    EXPECT_EQ(shown(240 - 150 + 20, 400 - 60 + 20), rgb(0x141E48)) << "presented";
    // The second loading stage after the start-up loading shows the logo again.
    EXPECT_EQ(step(), kTopStateQuestion);
    EXPECT_EQ(drawn(240 - 150 + 20, 400 - 60 + 20), rgb(0x141E48));

    // The question: a tap on the first button (touches count from the state's first frame) moves
    // the highlight there, and the next frame confirms it: sound on.
    EXPECT_EQ(step(), kTopStateQuestion);
    EXPECT_EQ(drawn(10, 10), rgb(0x000000));
    const jint row = statics()->touchListRow;
    harness.tap(harness.framesRun(), 150, row + 40);
    EXPECT_EQ(step(), kTopStateQuestion);
    EXPECT_EQ(statics()->menuChoice, 0);
    EXPECT_TRUE(statics()->questionTouched);
    EXPECT_EQ(step(), kTopStateTitle);
    EXPECT_TRUE(statics()->soundEnabled);
    EXPECT_EQ(statics()->soundVolumeStep, 0);

    // The title: the grey band, the prompt's place; a key is ignored in the state's first frames.
    harness.key(harness.framesRun(), SDLK_RETURN);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(step(), kTopStateTitle) << i;
    }
    EXPECT_EQ(drawn(10, 760), rgb(0x8D8B94));
    EXPECT_EQ(drawn(10, 700), rgb(0x000000));
    harness.key(harness.framesRun(), SDLK_RETURN);
    EXPECT_EQ(step(), kTopStateMenus);
    EXPECT_EQ(statics()->menuState, 32);
    EXPECT_EQ(statics()->previousMenuState, 0);

    // The main menu runs frame after frame; nothing is stuck.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(step(), kTopStateMenus);
    }
    EXPECT_EQ(statics()->menuFrames, 5) << "counted from the entry, one a menu frame";
    EXPECT_FALSE(statics()->inPaint);
}

TEST_F(TopStatesHarnessTest, FireOnTheQuestionAnswersTheHighlightedSecondRow) {
    while (statics()->topState != kTopStateQuestion && harness.framesRun() < kLoadingFrames + 10) {
        step();
    }
    ASSERT_EQ(statics()->topState, kTopStateQuestion);
    // The first key comes too early for the state; the second one answers.
    harness.key(harness.framesRun(), SDLK_RETURN);
    EXPECT_EQ(step(), kTopStateQuestion);
    step();
    step();
    step();
    harness.key(harness.framesRun(), SDLK_RETURN);
    EXPECT_EQ(step(), kTopStateTitle);
    EXPECT_FALSE(statics()->soundEnabled);
    EXPECT_EQ(statics()->soundVolumeStep, 3);
}

} // namespace
} // namespace game::framework
