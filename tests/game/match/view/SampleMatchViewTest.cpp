// The match view under the real frame entry on the sample data: after the start-up loading, with
// the match sprites of the sprite pack and a match set up on the two sample sides (the other match
// steps still interim or stand-ins), the match state runs its ticks from the first frame, every
// tick commits one record, the ticks per frame follow the ring and the record read back is the one
// recorded. Golden images of the pre-match screen and of the added-time board, compared with
// tests/fixtures/match/<name>.png.
//
// After a deliberate change of the painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_match_tests --gtest_filter='SampleMatchView*'
// and look at every rewritten image before committing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchSetUp.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/SpriteLoading.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/String.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using namespace game::match::frame;
using runtime::jint;

constexpr jint kViewScreenW = 480;
constexpr jint kViewScreenH = 800;
// The menu pack (constant string 116) with its backdrop and animation entries.
constexpr jint kViewMenuPack = 116;
constexpr jint kViewBackdropEntry = 5;
constexpr jint kViewAnimationEntry = 16;
// Entries of the sprite table the match start loads from the match sprite pack.
constexpr jint kViewSpriteEntries[] = {0, 1, 3, 9, 10};

class SampleMatchViewTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        ASSERT_TRUE(runStartupLoading());
    }

    void setUpSampleMatch() {
        for (const jint entry : kViewSpriteEntries) {
            sprites::loadSpriteSetEntry(entry);
        }
        GameStatics* s = statics();
        s->teamOrderFlag = 1;
        s->matchDayMode = 0;
        s->matchHalted = 0;
        s->matchSpeedLevel = 0;
        setUpMatch(nullptr);
        ASSERT_NE(s->frameRecord.get(), nullptr);
    }

    // The shorts of the ring's records walked from the read position, one length per record.
    static std::vector<jint> ringRecordLengths() {
        const GameStatics* s = statics();
        std::vector<jint> lengths;
        if (s->ringHasData == 0) {
            return lengths;
        }
        jint at = s->ringReadPos;
        do {
            const jint length = (*s->replayRing)[at];
            lengths.push_back(length);
            EXPECT_EQ((*s->replayRing)[(at + length - 1) % kRingLength], length) << "the trailer";
            at = (at + length) % kRingLength;
        } while (at != s->ringWritePos && lengths.size() < 100);
        return lengths;
    }

    // The back buffer's window (x, y, w, h), the whole screen by default.
    static void expectScreenGolden(const std::string& name, const jint left = 0, const jint top = 0,
                                   const jint w = kViewScreenW, const jint h = kViewScreenH) {
        const profile::Image& screen = *statics()->backBufferImage;
        profile::test::OwnedSurface copy(w, h);
        for (jint y = 0; y < h; ++y) {
            for (jint x = 0; x < w; ++x) {
                copy.at(x, y) = screen.row16(top + y)[left + x];
            }
        }
        profile::test::expectGolden("match/" + name + ".png", copy);
    }
};

TEST_F(SampleMatchViewTest, TheFrameEntryRunsTheTicksAndEveryTickCommitsOneRecord) {
    setUpSampleMatch();
    GameStatics* s = statics();
    EXPECT_EQ(s->matchSpeedBase, 1) << "the set-up's reset lets the first frame run a tick";
    core::setTopState(core::kTopStateMatch);
    const runtime::jlong ticksBefore = s->matchTicks;

    harness.runFrames(1);
    ASSERT_EQ(s->topState, core::kTopStateMatch);
    ASSERT_EQ(s->matchTicks - ticksBefore, 1);
    ASSERT_EQ(ringRecordLengths().size(), 1U);
    EXPECT_EQ(s->matchSpeedBase, 2) << "the writer is ahead of the reader";
    // 55 header words, the marker block and the 48 actors' commands that show.
    const jint length = s->frameLength + 1;
    EXPECT_GT(length, kFirstCommandWord + kCommandLength);
    const std::vector<runtime::jshort> recorded(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length);
    EXPECT_EQ(recorded[kLengthWord], length);
    EXPECT_EQ(phaseOf(recorded[kPhaseWord]), 0) << "the kick-off phase is still a stand-in";
    EXPECT_EQ(periodOf(recorded[kClockWord]), 1);
    EXPECT_EQ(recorded[kAddedTimeWord], s->addedTimeLeftMinutes * 60);
    EXPECT_EQ(recorded[kSoundRequestWord], -1);

    std::fill(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length, runtime::jshort{0});
    readFrameRecord();
    EXPECT_EQ(s->frameLength, length);
    EXPECT_EQ(std::vector<runtime::jshort>(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length), recorded);

    // Later frames run two ticks each while the ring fills; one record a tick.
    harness.runFrames(4);
    EXPECT_EQ(s->matchTicks - ticksBefore, 9);
    const std::vector<jint> lengths = ringRecordLengths();
    EXPECT_EQ(lengths.size(), 9U);
    jint total = 0;
    for (const jint l : lengths) {
        total += l;
    }
    EXPECT_EQ(total, s->ringWritePos - s->ringReadPos);
    EXPECT_EQ(s->matchSpeedBase, 2);
}

TEST_F(SampleMatchViewTest, ThePreMatchScreen) {
    GameStatics* s = statics();
    // What the match load leaves for the screen: the menus' backdrop and animation of the menu
    // pack, the two badges of the header image, the league's name and the sides' names.
    auto* backdrop = runtime::newObject<sprites::ASprite>();
    s->backgroundSprite = backdrop;
    sprites::loadSpriteFromPack(backdrop, runtime::getConstantString(kViewMenuPack), kViewBackdropEntry);
    auto* animationSprite = runtime::newObject<sprites::ASprite>();
    sprites::loadSpriteFromPack(animationSprite, runtime::getConstantString(kViewMenuPack),
                                kViewAnimationEntry);
    auto* animation = runtime::newObject<sprites::ASpriteInstance>(animationSprite, 240, 0);
    animation->setAnim(1);
    s->introAnimation = animation;
    s->badgeStrip = core::createMutableImage(42, 56);
    profile::Graphics* strip = s->badgeStrip->getGraphics();
    strip->setColor(0xC02020);
    strip->fillRect(0, 0, 42, 28);
    strip->setColor(0x2040D0);
    strip->fillRect(0, 28, 42, 28);
    (*s->leagueNames)[s->userLeague] = runtime::newStringFromCString("FIRST DIVISION");
    runtime::ObjectArray* names = runtime::newObjectArray(2);
    s->matchTeamNames = names;
    (*names)[0] = runtime::newStringFromCString("ASHFORD");
    (*names)[1] = runtime::newStringFromCString("RIVERSIDE");
    s->monthIndex = 2;
    s->seasonYear = 2009;
    core::setTopState(core::kTopStateMatchStart);
    harness.runFrames(2);
    ASSERT_EQ(s->topState, core::kTopStateMatchStart);
    expectScreenGolden("intro");
}

TEST_F(SampleMatchViewTest, TheAddedTimeBoardSlidesInFromMinuteFortyFive) {
    setUpSampleMatch();
    GameStatics* s = statics();
    // The board: a light top half over a dark bottom half, so the slide's window shows.
    s->boardImage = core::createMutableImage(80, 60);
    profile::Graphics* board = s->boardImage->getGraphics();
    board->setColor(0xE0E0A0);
    board->fillRect(0, 0, 80, 30);
    board->setColor(0x303080);
    board->fillRect(0, 30, 80, 30);
    s->clockMinute = 45;
    s->clockSecond = 10;
    core::setTopState(core::kTopStateMatch);
    harness.runFrames(8);
    EXPECT_EQ(s->boardSlide, 16);
    // The corner around the board's window (397, 33, 81, 30): 8 frames show its bottom 16 rows.
    expectScreenGolden("added_time_board", 384, 0, 96, 80);
}

} // namespace
} // namespace game::match
