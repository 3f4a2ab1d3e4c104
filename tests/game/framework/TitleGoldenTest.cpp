// The game from its start to the title screen on the sample data, headless: the loading screen's
// bar fills over its frames, the first-run question is answered, and the first title frame is
// compared pixel for pixel with tests/fixtures/framework/title.png.
//
// After a deliberate change of what the start-up or the title draws, rewrite the golden with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_framework_tests --gtest_filter='TitleGolden*'
// and look at the rewritten image before committing it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "profile/Png.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::framework {
using namespace game::core;

namespace {

using runtime::jint;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
// The loading bar: its fill at (158, 602), growing to the right over 40 steps.
constexpr jint kBarY = 602;
constexpr jint kBarLeft = 158;
constexpr jint kBarRight = 321;
// The question ignores the fire key in its first frames.
constexpr jint kQuestionWaitFrames = 4;
constexpr jint kFrameLimit = 80;

class TitleGoldenTest : public testing::SampleGameHarness {
protected:
    jint step() {
        harness.runFrames(1);
        return statics()->topState;
    }
    // The leftmost x of the bar's row whose colour differs from the first pixel inside the bar.
    static jint filledUpTo() {
        const std::uint16_t* row = statics()->backBufferImage->row16(kBarY);
        jint x = kBarLeft;
        while (x < kBarRight && row[x] == row[kBarLeft]) {
            ++x;
        }
        return x;
    }
};

TEST_F(TitleGoldenTest, FromTheStartToTheFirstTitleFrame) {
    // The loading bar grows from frame to frame while the steps run.
    jint lastFill = 0;
    jint grew = 0;
    while (statics()->topState == kTopStateLoading && harness.framesRun() < kFrameLimit) {
        step();
        const jint fill = filledUpTo();
        grew += fill > lastFill ? 1 : 0;
        EXPECT_GE(fill, lastFill) << "frame " << harness.framesRun();
        lastFill = fill;
    }
    EXPECT_GE(grew, 10) << "the bar fills over the loading frames";
    while (statics()->topState != kTopStateQuestion && harness.framesRun() < kFrameLimit) {
        step();
    }
    ASSERT_EQ(statics()->topState, kTopStateQuestion);
    for (jint i = 0; i < kQuestionWaitFrames; ++i) {
        step();
    }
    harness.key(harness.framesRun(), SDLK_RETURN);
    ASSERT_EQ(step(), kTopStateTitle);
    ASSERT_EQ(step(), kTopStateTitle) << "the first title frame";

    const profile::Image& frame = *statics()->backBufferImage;
    const std::string path = profile::test::fixturePath("framework/title.png");
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        ASSERT_TRUE(profile::test::writePng(path, frame)) << path;
        return;
    }
    const auto bytes = profile::test::readFile(path);
    profile::DecodedPng golden;
    ASSERT_TRUE(profile::decodePng(bytes.data(), bytes.size(), golden)) << "missing golden " << path;
    std::unique_ptr<std::uint16_t, decltype(&std::free)> owner(golden.pixels, &std::free);
    ASSERT_EQ(golden.width, kScreenWidth);
    ASSERT_EQ(golden.height, kScreenHeight);
    jint mismatches = 0;
    for (jint y = 0; y < kScreenHeight; ++y) {
        for (jint x = 0; x < kScreenWidth; ++x) {
            const std::uint16_t expected = golden.pixels[y * (golden.stride / 2) + x];
            const std::uint16_t drawn = frame.row16(y)[x];
            if (drawn != expected && mismatches++ < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << drawn << " != " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace game::framework
