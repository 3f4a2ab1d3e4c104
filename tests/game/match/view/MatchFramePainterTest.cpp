// The match frame painter on a memory screen without sprites (the painter skips missing sets):
// the frame sounds by sprite set and frame and none while the match is halted, the fatigue bar's
// widths and colours over a team-0 player and none for team 1, the footprints bounded to the
// players the footprint tables hold; and the highlights viewer's steps through its ring (nothing
// back at the start or before any record, forward at the end stops playing, a record wrapped
// across the ring's end copied whole, the pace of a playing viewer slept, not spun).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchFramePainter.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/game/support/MatchTeams.h"
#include "tests/support/SoundRequests.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using match::CPlayer;
using match::CTeam;
using runtime::jint;

struct Command {
    jint set, x, y, frame, marker;
};

class MatchFramePainterTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        screen = core::createMutableImage(480, 800);
        s->currentGraphics = runtime::newObject<profile::Graphics>(screen);
        ASSERT_NE(match::ensureFrameRecord(), nullptr);
        testing_support::reportSoundRequests(
            [](void* context, const jint id) { static_cast<std::vector<jint>*>(context)->push_back(id); },
            &sounds);
    }

    // frameRecord: an empty marker layer, no ball marks, the commands, the trailer.
    static void writeRecord(const std::vector<Command>& commands) {
        runtime::ShortArray* r = statics()->frameRecord;
        for (jint i = 0; i < r->length; ++i) {
            (*r)[i] = 0;
        }
        for (jint e = 0; e < kMarkerEntries; ++e) {
            (*r)[kFirstMarkerWord + kMarkerEntryLength * e + 2] = -1;
        }
        for (jint m = 0; m < kBallMarks; ++m) {
            (*r)[kFirstBallMarkWord + kBallMarkLength * m + 2] = 3;
        }
        jint at = kFirstCommandWord;
        for (const Command& c : commands) {
            (*r)[at] = static_cast<runtime::jshort>(c.set << 8);
            (*r)[at + 1] = static_cast<runtime::jshort>(c.x << 1);
            (*r)[at + 2] = static_cast<runtime::jshort>(c.y << 1);
            (*r)[at + 3] = static_cast<runtime::jshort>(c.frame | (c.marker << 11));
            at += kCommandLength;
        }
        (*r)[kLengthWord] = static_cast<runtime::jshort>(at + 1);
        (*r)[at] = static_cast<runtime::jshort>(at + 1);
    }

    // Two match teams whose slot-3 player of team 0 has the given fatigue.
    static void makeTeams(const jint fatigue) {
        makeMatchTeams(18);
        match::teamPlayer(match::matchTeam(0), 3)->fatigue = fatigue;
    }

    std::uint16_t pixel(const jint x, const jint y) const { return screen->row16(y)[x]; }

    profile::Image* screen = nullptr;
    std::vector<jint> sounds;
};

TEST_F(MatchFramePainterTest, FrameSoundsBySpriteSetAndFrame) {
    struct Case {
        jint set, frame, sound;
    };
    for (const Case c : {Case{5, 10, 5}, Case{5, 12, 5}, Case{5, 13, -1}, Case{0, 184, 10}, Case{0, 216, 10},
                         Case{0, 29, 9}, Case{0, 559, 9}, Case{0, 30, -1}, Case{1, 184, -1}, Case{2, 29, -1}}) {
        EXPECT_EQ(match::frameSound(c.set, c.frame), c.sound) << c.set << "/" << c.frame;
    }
}

TEST_F(MatchFramePainterTest, TheShownFramesPlayTheirSoundsUnlessTheMatchIsHalted) {
    writeRecord({{0, 100, 200, 184, 0}, {5, 240, 30, 11, 0}, {0, 120, 220, 29, 0}, {2, 5, 5, 184, 0}});
    match::paintMatchFrame(true);
    EXPECT_EQ(sounds, (std::vector<jint>{10, 5, 9}));
    sounds.clear();
    statics()->matchHalted = 1;
    match::paintMatchFrame(true);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MatchFramePainterTest, TheFatigueBarShowsOverATeamZeroPlayerOnly) {
    struct Case {
        jint fatigue, width, colour;
    };
    constexpr jint kX = 200;
    constexpr jint kY = 400;
    const jint barY = kY - 53 + 1;
    const jint barX = kX - 15;
    for (const Case c : {Case{19, 24, 0x00FF00}, Case{20, 24, 0xFFFF00}, Case{45, 16, 0xFF6C00},
                         Case{60, 12, 0xCA001B}, Case{99, 0, 0xCA001B}}) {
        SCOPED_TRACE(c.fatigue);
        EXPECT_EQ(match::fatigueBarWidth(c.fatigue), c.width);
        EXPECT_EQ(match::fatigueBarColour(c.fatigue), c.colour);
        makeTeams(c.fatigue);
        writeRecord({{0, kX, kY, 0, 3}});
        match::paintMatchFrame(true);
        if (c.width > 0) {
            EXPECT_EQ(pixel(barX, barY), profile::toRgb565(static_cast<std::uint32_t>(c.colour)));
            EXPECT_EQ(pixel(barX + c.width - 1, barY), profile::toRgb565(static_cast<std::uint32_t>(c.colour)));
        }
        EXPECT_EQ(pixel(barX + c.width, barY), profile::toRgb565(0x888888));
    }
    // Team 1's player (marker 16 + 3) has no bar; without showMarker nobody has one.
    makeTeams(19);
    writeRecord({{0, kX + 100, kY, 0, 19}, {0, kX - 100, kY, 0, 3}});
    match::paintMatchFrame(false);
    match::paintMatchFrame(true);
    EXPECT_NE(pixel(kX + 100 - 15, barY), profile::toRgb565(0x888888));
    EXPECT_NE(pixel(kX + 100 - 15 + 29, barY), profile::toRgb565(0x888888));
    EXPECT_EQ(pixel(kX - 100 - 15 + 29, barY), profile::toRgb565(0x888888));
}

TEST_F(MatchFramePainterTest, FootprintsAreKeptForTheTwoSidesOnly) {
    GameStatics* s = statics();
    s->pitchCondition = 1;
    std::vector<Command> commands;
    for (jint i = 0; i < 30; ++i) {
        commands.push_back({i % 2, 10 + 7 * i, 300 + i, 0, 0});
    }
    writeRecord(commands);
    match::paintMatchFrame(true);
    for (jint n = 0; n < 22; ++n) {
        EXPECT_EQ(s->footprintTicks[n], 1) << n;
        EXPECT_EQ(s->footprintNext[n], 1) << n;
        EXPECT_EQ(s->footprints[n][0], 7) << n;
    }
}

// The highlights ring: records of 111 + 4k shorts whose clock word numbers them.
class HighlightsViewerTest : public MatchFramePainterTest {
protected:
    void SetUp() override {
        MatchFramePainterTest::SetUp();
        GameStatics* s = statics();
        s->highlightsRing = runtime::newShortArray(kRingLength);
        previousSleep = match::setViewerSleep([](const jint millis) { sleeps().push_back(millis); });
        sleeps().clear();
    }
    void TearDown() override {
        match::setViewerSleep(previousSleep);
        MatchFramePainterTest::TearDown();
    }
    static std::vector<jint>& sleeps() {
        static std::vector<jint> list;
        return list;
    }
    // Plants records of the given lengths from ring index start; the viewer starts there.
    static void plant(const jint start, const std::vector<jint>& lengths) {
        GameStatics* s = statics();
        runtime::ShortArray* ring = s->highlightsRing;
        jint at = start;
        jint number = 0;
        for (const jint length : lengths) {
            for (jint i = 0; i < length; ++i) {
                (*ring)[(at + i) % kRingLength] = static_cast<runtime::jshort>(1000 * number + i);
            }
            (*ring)[at % kRingLength] = static_cast<runtime::jshort>(length);
            (*ring)[(at + length - 1) % kRingLength] = static_cast<runtime::jshort>(length);
            at = (at + length) % kRingLength;
            ++number;
        }
        s->highlightsStart = start;
        s->highlightsCursor = start;
        s->highlightsEnd = at;
        s->highlightsShown = 0;
    }
    // A touch released this frame at (x, y).
    static void releaseAt(const jint x, const jint y) {
        GameStatics* s = statics();
        s->touchDown = 0;
        s->touchReleased = 1;
        s->pointerReleaseX = x;
        s->pointerReleaseY = y;
    }
    static jint shownNumber() { return (*statics()->frameRecord)[1] / 1000; }

    match::ViewerSleep previousSleep = nullptr;
};

TEST_F(HighlightsViewerTest, BackAtTheStartOrBeforeAnyRecordDoesNothing) {
    GameStatics* s = statics();
    plant(100, {111, 115});
    (*s->frameRecord)[1] = -7;
    releaseAt(90, 620); // the back button
    match::updateHighlightsViewer();
    EXPECT_EQ(s->backButtonDown, 1);
    EXPECT_EQ(s->highlightsCursor, 100);
    EXPECT_EQ((*s->frameRecord)[1], -7);
}

TEST_F(HighlightsViewerTest, ForwardStepsThroughAndStopsPlayingAtTheEnd) {
    GameStatics* s = statics();
    plant(0, {111, 115});
    releaseAt(190, 600); // the forward button
    match::updateHighlightsViewer();
    EXPECT_EQ(s->forwardButtonDown, 1);
    EXPECT_EQ(shownNumber(), 0);
    EXPECT_EQ(s->highlightsCursor, 111);
    s->highlightsPlaying = 1;
    s->highlightsEndTime = -1;
    match::updateHighlightsViewer();
    EXPECT_EQ(shownNumber(), 1);
    EXPECT_EQ(s->highlightsCursor, s->highlightsEnd);
    EXPECT_EQ(s->highlightsEndTime, runtime::System::currentTimeMillis());
    match::updateHighlightsViewer();
    EXPECT_EQ(s->highlightsPlaying, 0);
    // Back now shows the last record read by its trailer, and the cursor moves back over it.
    releaseAt(70, 647);
    match::updateHighlightsViewer();
    EXPECT_EQ(shownNumber(), 1);
    EXPECT_EQ(s->highlightsCursor, 111);
}

TEST_F(HighlightsViewerTest, ARecordWrappedAcrossTheRingsEndIsCopiedWhole) {
    GameStatics* s = statics();
    plant(kRingLength - 50, {119});
    releaseAt(167, 647);
    match::updateHighlightsViewer();
    const runtime::ShortArray* r = s->frameRecord;
    EXPECT_EQ(s->frameLength, 119);
    EXPECT_EQ((*r)[0], 119);
    EXPECT_EQ((*r)[49], 49);
    EXPECT_EQ((*r)[50], 50);
    EXPECT_EQ((*r)[117], 117);
    EXPECT_EQ((*r)[118], 119);
    EXPECT_EQ(s->highlightsCursor, 69);
}

TEST_F(HighlightsViewerTest, APlayingViewerSleepsOutItsPace) {
    GameStatics* s = statics();
    plant(0, {111, 111, 111});
    s->highlightsPlaying = 1;
    s->highlightsStepTime = runtime::System::currentTimeMillis() + 100000; // a clock gone back: no wait
    match::updateHighlightsViewer();
    EXPECT_TRUE(sleeps().empty());
    match::updateHighlightsViewer();
    ASSERT_EQ(sleeps().size(), 1u);
    EXPECT_GT(sleeps()[0], 0);
    EXPECT_LE(sleeps()[0], match::kViewerPaceMillis);
    EXPECT_EQ(shownNumber(), 1);
}

} // namespace

} // namespace game::testing
