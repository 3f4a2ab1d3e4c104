// The match view under the real frame entry on the sample data: after the start-up loading, with
// the match sprites of the sprite pack and a match set up on the two sample sides (the other match
// steps still interim or stand-ins), the match state runs its ticks from the first frame, every
// tick commits one record, the ticks per frame follow the ring and the record read back is the one
// recorded. Golden images of the pre-match screen, of the added-time board, of the frame painter
// on a recorded kick-off and of a scene list over the scrolling pitch, compared with
// tests/fixtures/match/<name>.png.
//
// After a deliberate change of the painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_match_tests --gtest_filter='Sample*'
// and look at every rewritten image before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchFramePainter.h"
#include "game/match/view/MatchViewRecording.h"
#include "game/match/view/PitchBackground.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/widgets/Widgets.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
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

class SampleMatchViewTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        ASSERT_TRUE(runStartupLoading());
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
    // 55 header words, the marker block and the 48 actors' commands that show; playback has read
    // the one record back into frameRecord (frameLength its length) and stays on it.
    const jint length = s->frameLength;
    EXPECT_EQ(s->ringReadPos, 0);
    EXPECT_GT(length, kFirstCommandWord + kCommandLength);
    const std::vector<runtime::jshort> recorded(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length);
    EXPECT_EQ(recorded[kLengthWord], length);
    EXPECT_EQ(phaseOf(recorded[kPhaseWord]), 2) << "the set-up asks for the kick-off";
    EXPECT_EQ(periodOf(recorded[kClockWord]), 1);
    EXPECT_EQ(recorded[kAddedTimeWord], s->addedTimeLeftMinutes * 60);
    EXPECT_EQ(recorded[kSoundRequestWord], -1);

    std::fill(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length, runtime::jshort{0});
    readFrameRecord();
    EXPECT_EQ(s->frameLength, length);
    EXPECT_EQ(std::vector<runtime::jshort>(&(*s->frameRecord)[0], &(*s->frameRecord)[0] + length), recorded);

    // Later frames run two ticks each while the ring fills; one record a tick, and playback moves
    // over one record a frame at speed 0: 9 written, 4 passed.
    harness.runFrames(4);
    EXPECT_EQ(s->matchTicks - ticksBefore, 9);
    const std::vector<jint> lengths = ringRecordLengths();
    EXPECT_EQ(lengths.size(), 5U);
    jint total = 0;
    for (const jint l : lengths) {
        total += l;
    }
    EXPECT_EQ(total, s->ringWritePos - s->ringReadPos);
    EXPECT_EQ(s->matchSpeedBase, 2);
}

// A striped pitch: tile (tx, ty) of the pitch image, light or dark green by its column pair.
void paintStripedTiles(const jint x0, const jint y0, const jint x1, const jint y1) {
    GameStatics* s = statics();
    profile::Graphics* g = s->pitchGraphics;
    for (jint ty = y0; ty <= y1; ++ty) {
        for (jint tx = x0; tx <= x1; ++tx) {
            g->setColor(((tx >> 1) + (ty >> 3)) % 2 == 0 ? 0x2E8B3A : 0x3FA34D);
            g->fillRect((tx * 16) % kPitchBufferWidth, (ty * 16) % kPitchBufferHeight, 16, 16);
        }
    }
}

// The kick-off scene recorded with the camera on the ball, a striped pitch in the pitch buffer and
// team 0's number 7 on the ball (booked, unfit, fatigue 45, named), on the back buffer.
class SampleFramePainterTest : public SampleMatchViewTest {
protected:
    void SetUp() override {
        SampleMatchViewTest::SetUp();
        setUpSampleMatch();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        s->pitchBuffer = core::createMutableImage(kPitchBufferWidth, kPitchBufferHeight);
        s->pitchGraphics = runtime::newObject<profile::Graphics>(s->pitchBuffer.get());
        previousPainter = setPitchTilePainter(paintStripedTiles);
        s->cameraX = 1392 - 240;
        s->cameraY = 879 - 400;
        s->lineup = runtime::newObjectArray(2);
        s->teamNames = runtime::newObjectArray(2);
        for (jint t = 0; t < 2; ++t) {
            auto* row = runtime::newByteArray(30);
            (*s->lineup)[t] = row;
            auto* names = runtime::newObjectArray(30);
            (*s->teamNames)[t] = names;
            for (jint k = 0; k < 30; ++k) {
                (*row)[k] = static_cast<runtime::jbyte>(k);
                const std::string name = (t == 0 ? "HOME " : "AWAY ") + std::to_string(k);
                (*names)[k] = runtime::newStringFromCString(name.c_str());
            }
            for (jint slot = 0; slot < 11; ++slot) {
                teamPlayer(matchTeam(t), slot)->distanceToBall = 100000 + slot;
            }
        }
        CPlayer* holder = teamPlayer(matchTeam(0), 7);
        holder->distanceToBall = 10;
        holder->bookings = 1;
        holder->unfit = 1;
        holder->fatigue = 45;
        holder->x = s->ball->x - 1024;
        holder->y = s->ball->y + 2048;
        s->ballHolder = holder;
        // Two ticks: the second record's header carries the marker flags the first one found.
        paintMatchView(nullptr);
        paintMatchView(nullptr);
        screen = runtime::newObject<profile::Graphics>(s->backBufferImage.get());
        s->currentGraphics = screen;
        screen->setClip(0, 0, kViewScreenW, kViewScreenH);
        screen->setColor(0);
        screen->fillRect(0, 0, kViewScreenW, kViewScreenH);
        s->backgroundForceRedraw = 1;
    }
    void TearDown() override {
        setPitchTilePainter(previousPainter);
        SampleMatchViewTest::TearDown();
    }

    PitchTilePainter previousPainter = nullptr;
    profile::Graphics* screen = nullptr;
};

TEST_F(SampleFramePainterTest, TheFramePainterPaintsTheRecordedKickOff) {
    const GameStatics* s = statics();
    ASSERT_NE((*s->frameRecord)[kMarkerFlagsWord] & 0x300, 0) << "booked and unfit in the header";
    paintMatchFrame(true);
    expectScreenGolden("frame_painter_kickoff");
}

TEST_F(SampleFramePainterTest, TheSceneListDrawsOverTheScrollingPitch) {
    sprites::paintSceneList();
    expectScreenGolden("scene_list_over_pitch");
}

TEST_F(SampleMatchViewTest, TheFortyEightActorsOfAFixedSceneRecordTheGoldenFrame) {
    setUpSampleMatch();
    GameStatics* s = statics();
    s->topState = core::kTopStateMatch;
    ASSERT_EQ(s->matchActorCount, 48);
    // The header: the shoot-out in phase 17 (kept as 15) with more kicks than seven bits hold,
    // goals beyond their fields, an event due in this record and the redraw flag.
    s->matchPeriod = 5;
    s->matchPhase = 17;
    s->phaseStep = 3;
    s->shootoutKicks = 200;
    s->clockMinute = 121;
    s->clockSecond = 7;
    matchTeam(0)->goals = 40;
    matchTeam(1)->goals = 300;
    s->pendingEvent = 5;
    s->pendingEventDelay = 0;
    s->sceneRedrawRecorded = 1;
    s->cameraX = 1800;
    s->cameraY = 400;
    // The players on a grid before the +x goal, pairs of each side on the same row (equal screen
    // y), one sent off; team 0's number 7 holds the ball and is nearest to it.
    for (jint t = 0; t < 2; ++t) {
        for (jint slot = 0; slot < 11; ++slot) {
            CPlayer* p = teamPlayer(matchTeam(t), slot);
            p->x = 110000 + (t == 0 ? -1 : 1) * (slot % 4) * 8192 + 2048 * t;
            p->y = (slot / 4 - 1) * 10240;
            p->distanceToBall = 100000 + 1000 * slot + t;
            p->setAnimation(slot % 3, 1);
        }
    }
    teamPlayer(matchTeam(1), 9)->outOfPlay = 1;
    // Two players on one spot: the one inserted later (team 1's) is recorded first.
    teamPlayer(matchTeam(1), 10)->x = teamPlayer(matchTeam(0), 10)->x;
    teamPlayer(matchTeam(1), 10)->y = teamPlayer(matchTeam(0), 10)->y;
    CPlayer* holder = teamPlayer(matchTeam(0), 7);
    holder->distanceToBall = 10;
    holder->bookings = 1;
    s->ballHolder = holder;
    s->listRowRecords = runtime::newByteArray(60 * 22);
    for (jint r = 0; r < 60; ++r) {
        (*s->listRowRecords)[r * 22 + 13] = static_cast<runtime::jbyte>(10 + r % 7);
    }
    // The ball beyond the +x goal line with its trail, shadow and effect.
    Actor* ball = s->ball;
    ball->x = 136448;
    ball->y = 2048;
    ball->z = 4096;
    ball->vx = 700;
    s->netActorA->x = 135680;
    s->ballPalette = 3;
    s->kind3Palette = 6;
    auto* shadow = runtime::newObject<Actor>();
    shadow->kind = 8;
    s->ballShadow = shadow;
    auto* effect = runtime::newObject<Actor>();
    effect->kind = 7;
    effect->screenX = 1000;
    effect->screenY = 500;
    s->ballEffectActor = effect;
    s->ballEffectActive = 1;
    s->ballTrailLength = 3;
    s->ballTrailStride = 3;
    s->ballTrail = runtime::newIntArray(9);
    for (jint i = 0; i < 3; ++i) {
        (*s->ballTrail)[3 * i] = 136448 - 2048 * (i + 1);
        (*s->ballTrail)[3 * i + 1] = 2048;
        (*s->ballTrail)[3 * i + 2] = 4096 - 512 * (i + 1);
    }
    s->animateActors = 1;

    paintMatchView(nullptr);

    const runtime::ShortArray& r = *s->frameRecord;
    const jint length = r[kLengthWord];
    EXPECT_EQ(r[length - 1], length) << "the trailer";
    EXPECT_EQ(phaseOf(r[kPhaseWord]), 15);
    EXPECT_EQ(kicksOf(r[kPhaseWord]), 127);
    EXPECT_TRUE(redrawOf(r[kPhaseWord]));
    EXPECT_EQ(periodOf(r[kClockWord]), 5);
    EXPECT_EQ(timeOf(r[kClockWord]), 121 * 60 + 7);
    EXPECT_EQ(eventOf(r[kScoreWord]), 5);
    EXPECT_EQ(goals0Of(r[kScoreWord]), 31);
    EXPECT_EQ(goals1Of(r[kScoreWord]), 255);
    EXPECT_EQ(r[kFirstSecondTeamWord + 18], -1) << "team 1's number 9 is off";
    // The header keeps the marker word as the tick found it; this tick's goes to the next one.
    EXPECT_EQ(r[kMarkerFlagsWord], 0);
    EXPECT_EQ(s->markerFlags & 0xFF, 7) << "the holder's marker";
    EXPECT_NE(s->markerFlags & 0x100, 0) << "booked";
    jint holderCommands = 0;
    for (jint at = kFirstCommandWord; at + kCommandLength < length; at += kCommandLength) {
        holderCommands += ((r[at + 3] & 0xFFFF) >> 11) == 7 ? 1 : 0;
    }
    EXPECT_EQ(holderCommands, 1) << "only the holder's command carries his marker";
    // Palettes of the two on one spot: byte 13 of records 40 (team 1) and 10 (team 0).
    std::vector<jint> sameSpot;
    const CPlayer* spot = teamPlayer(matchTeam(0), 10);
    for (jint at = kFirstCommandWord; at + kCommandLength < length; at += kCommandLength) {
        if ((r[at + 2] >> 1) == spot->screenY - s->cameraY &&
            (r[at + 1] >> 1) == spot->screenX - s->cameraX) {
            sameSpot.push_back(r[at] & 0xFF);
        }
    }
    EXPECT_EQ(sameSpot, (std::vector<jint>{10 + 40 % 7, 10 + 10 % 7}));
    std::ostringstream words;
    for (jint i = 0; i < length; ++i) {
        words << r[i] << ((i + 1) % 8 == 0 || i + 1 == length ? "\n" : " ");
    }
    const std::string path = profile::test::fixturePath("match/frame_record.txt");
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path) << words.str();
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing golden " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(words.str(), golden.str());
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
