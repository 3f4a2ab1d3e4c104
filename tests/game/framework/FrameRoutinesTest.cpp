// The menu family index, the menu hint step and stopMusic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/Sound.h"
#include "game/framework/FrameRoutines.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "profile/SoundPlayer.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsPrint.h"
#include "tests/game/support/FrameworkFixture.h"

namespace game::framework {
using namespace game::core;

using namespace game::sprites;

namespace {

class FrameRoutinesTest : public testing::FrameworkFixture {};

TEST_F(FrameRoutinesTest, FamilyIndexCountsFamilyBitsFromThirtyTwo) {
    struct Case {
        jint value;
        jint shift;
        jint expected;
    };
    const Case cases[] = {
        {32, 5, 0},     {64, 5, 1},       {0x7F, 5, 1},      {128, 5, 2},       {0x100, 5, 3},
        {0x4000, 5, 9}, {0x10000, 5, 11}, {0x800000, 5, 18}, {0x80001F, 5, 18}, {0, 5, 0},
        {31, 5, 0},     {63, 5, 0},       {-32, 5, 0},       {0x800, 8, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(familyIndex(c.value, c.shift), c.expected) << std::hex << c.value << " >> " << c.shift;
    }
}

class HintTest : public testing::FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        // A sprite whose opening animation (11) has 3 frames and closing one (13) 2.
        auto* sprite = runtime::newObject<sprites::ASprite>();
        sprite->animFrameCount = runtime::newByteArray(14);
        (*sprite->animFrameCount)[11] = 3;
        (*sprite->animFrameCount)[13] = 2;
        sprite->animFirstFrame = runtime::newShortArray(14);
        (*sprite->animFirstFrame)[13] = 3;
        sprite->animFrameStride = 5;
        sprite->animFrames = runtime::newByteArray(5 * 5);
        block()->hintSprite = runtime::newObject<sprites::ASpriteInstance>(sprite, 0, 0);
        block()->topState = 2;
        block()->hintMode = 1;
        block()->hintTime = 1000;
    }
    // The hint instance's animation state.
    std::string hint() {
        const sprites::ASpriteInstance* h = block()->hintSprite;
        return "anim " + std::to_string(h->anim) + " frame " + std::to_string(h->aframe) + " timer " +
               std::to_string(h->timer) + " loops " + std::to_string(h->loops) + " last " +
               std::to_string(h->lastFrame) + (h->ended != 0 ? " ended" : "");
    }
    // One frame's step at the given time, requested by a painter: the hint's animation state when
    // the step changed it, else empty.
    std::string step(const jlong time) {
        now = time;
        sprites::ASpriteInstance* h = block()->hintSprite;
        h->anim = -1; // a marker that any animation change replaces
        h->timer = 7;
        h->loops = 5;
        block()->hintStepRequested = 1;
        stepIdleAnimation();
        EXPECT_FALSE(block()->hintStepRequested);
        return h->anim == -1 ? std::string() : hint();
    }
};

constexpr const char* kOpening = "anim 11 frame 0 timer 0 loops 0 last 2";
constexpr const char* kClosing = "anim 13 frame 0 timer 0 loops 0 last 1";
constexpr const char* kClosedAtOnce = "anim 13 frame 0 timer -1 loops 0 last 1";

TEST_F(HintTest, TheHintShowsAfterFourSecondsWithoutInput) {
    EXPECT_EQ(step(3000), "");
    EXPECT_EQ(step(5000), "") << "exactly 4 s is not yet more than the wait";
    EXPECT_EQ(step(5001), kOpening);
    EXPECT_EQ(block()->hintMode, -2);
    EXPECT_EQ(block()->hintTime, 5001);
    EXPECT_EQ(block()->hintChanges, 1);
    EXPECT_EQ(step(20000), "") << "showing: nothing until it is hidden";
}

TEST_F(HintTest, InAMatchTheHintShowsAtTheFirstStep) {
    block()->topState = 4;
    EXPECT_EQ(step(1001), kOpening);
    EXPECT_EQ(block()->hintMode, -2);
}

TEST_F(HintTest, InputRestartsTheWaitAndHidesAShowingHintAtOnce) {
    block()->pressedKeys = 0x10;
    EXPECT_EQ(step(4000), "");
    EXPECT_EQ(block()->hintTime, 4000) << "a key restarts the wait";
    EXPECT_EQ(block()->hintMode, 1);
    block()->pressedKeys = 0;
    EXPECT_EQ(step(8000), "");
    EXPECT_EQ(step(8001), kOpening);
    block()->touchReleased = 1;
    EXPECT_EQ(step(8100), kClosedAtOnce);
    EXPECT_EQ(block()->hintMode, -1);
    EXPECT_EQ(block()->hintTime, 8100);
}

TEST_F(HintTest, AHintWaitingToHideHidesWhenAllowedOrOnInput) {
    block()->hintMode = 0;
    block()->hintOffsetX = 5;
    block()->hintOffsetY = 6;
    EXPECT_EQ(step(2000), "") << "not yet allowed";
    block()->hintHidePending = 1;
    EXPECT_EQ(step(2100), kClosing);
    EXPECT_EQ(block()->hintMode, -1);
    EXPECT_EQ(block()->hintOffsetX, 0);
    EXPECT_EQ(block()->hintOffsetY, 0);
    EXPECT_EQ(block()->hintChanges, 1);

    block()->hintMode = 0;
    block()->hintHidePending = 0;
    block()->pressedKeys = 0x100;
    EXPECT_EQ(step(2200), kClosedAtOnce);
    EXPECT_EQ(block()->hintMode, -1);
}

TEST_F(HintTest, AHintWithoutSpriteClosesWithNoLastFrame) {
    block()->hintSprite->sprite = nullptr;
    block()->hintMode = -2;
    block()->pressedKeys = 0x10;
    EXPECT_EQ(step(3000), "anim 13 frame 0 timer -1 loops 0 last -1");
}

TEST_F(HintTest, NothingHappensUnlessRequestedAndUnblocked) {
    now = 9000;
    stepIdleAnimation();
    EXPECT_EQ(block()->hintMode, 1);
    block()->hintBlock = 1;
    block()->hintStepRequested = 1;
    stepIdleAnimation();
    EXPECT_EQ(block()->hintMode, 1);
    EXPECT_TRUE(block()->hintStepRequested) << "a blocked step keeps the request";
    EXPECT_TRUE(neighbours.log.take().empty());
}

// A player whose state the test sets; it can raise an exception from getState.
struct ScriptedPlayer : profile::javax_microedition_media_Player {
    explicit ScriptedPlayer(const jint startState, const jint raises = 0)
        : javax_microedition_media_Player(nullptr, 0), scriptedState(startState), raisedClass(raises) {}
    jint getState() override {
        if (raisedClass == runtime::kIOException) {
            runtime::throwException(runtime::newObject<runtime::java_io_IOException>());
        } else if (raisedClass == runtime::kIllegalStateException) {
            runtime::throwException(runtime::newObject<runtime::java_lang_IllegalStateException>());
        }
        return scriptedState;
    }
    void stop() override {
        ++stops;
        scriptedState = profile::kPlayerPrefetched;
    }
    jint scriptedState;
    jint raisedClass;
    int stops = 0;
};

class StopMusicTest : public testing::FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        out = runtime::newObject<runtime::java_io_ByteArrayOutputStream>();
        block()->systemOut = runtime::newObject<runtime::java_io_PrintStream>(out);
        block()->soundResourceIndex = runtime::newIntArray(18);
        block()->soundPlayers = runtime::newObjectArray(18);
        block()->currentMusic = 15;
    }
    ScriptedPlayer* player(const jint id, const jint state, const jint raises = 0) {
        auto* made = runtime::newObject<ScriptedPlayer>(state, raises);
        (*block()->soundPlayers)[id] = made;
        return made;
    }
    std::string printed() { return text(out->toString()); }

    runtime::java_io_ByteArrayOutputStream* out = nullptr;
};

TEST_F(StopMusicTest, StopsStartedMusicOnlyAndTracesEachStop) {
    ScriptedPlayer* effect = player(3, profile::kPlayerStarted);
    ScriptedPlayer* lastEffect = player(13, profile::kPlayerStarted);
    ScriptedPlayer* music = player(14, profile::kPlayerStarted);
    ScriptedPlayer* idle = player(15, profile::kPlayerPrefetched);
    ScriptedPlayer* lastMusic = player(17, profile::kPlayerStarted);
    stopMusic();
    EXPECT_EQ(effect->stops, 0);
    EXPECT_EQ(lastEffect->stops, 0);
    EXPECT_EQ(music->stops, 1);
    EXPECT_EQ(idle->stops, 0);
    EXPECT_EQ(lastMusic->stops, 1);
    EXPECT_EQ(block()->currentMusic, -1);
    EXPECT_EQ(printed(), sampleText(142) + "14\n" + sampleText(142) + "17\n");
}

TEST_F(StopMusicTest, AnIOExceptionOfOnePlayerDoesNotStopTheOthers) {
    player(14, profile::kPlayerStarted, runtime::kIOException);
    ScriptedPlayer* next = player(15, profile::kPlayerStarted);
    stopMusic();
    EXPECT_EQ(next->stops, 1);
    EXPECT_EQ(application.pendingException, nullptr);
}

TEST_F(StopMusicTest, AnyOtherExceptionEndsTheLoopAndIsLeftPending) {
    player(14, profile::kPlayerStarted, runtime::kIllegalStateException);
    ScriptedPlayer* next = player(15, profile::kPlayerStarted);
    stopMusic();
    EXPECT_EQ(next->stops, 0);
    EXPECT_EQ(takePending().first, runtime::kIllegalStateException);
}

TEST_F(StopMusicTest, WithoutPlayersNothingHappensAndAShortPlayerTableIsNotOverrun) {
    block()->soundPlayers = nullptr;
    stopMusic();
    EXPECT_EQ(block()->currentMusic, 15);
    block()->soundPlayers = runtime::newObjectArray(15);
    ScriptedPlayer* music = runtime::newObject<ScriptedPlayer>(profile::kPlayerStarted);
    (*block()->soundPlayers)[14] = music;
    stopMusic();
    EXPECT_EQ(music->stops, 1);
    EXPECT_EQ(block()->currentMusic, -1);
}

} // namespace
} // namespace game::framework
