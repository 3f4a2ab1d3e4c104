// Sound by id: which requests reach a player under the sound setting, what already plays and the
// match lock, and what a started request leaves behind.
#include "game/core/Sound.h"

#include <gtest/gtest.h>

#include <string>

#include "profile/SoundPlayer.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsPrint.h"
#include "tests/game/support/SeededFixture.h"

namespace game::core {

namespace {

using runtime::jint;

constexpr jint kSoundIds = 25;
constexpr jint kSoundResources[kSoundIds] = {-1, -1, -1, -1, -1, -1, 0,  1,  2,  3,  4,  5, 6,
                                             7,  8,  9,  10, 11, -1, 12, 13, 14, 15, 16, 17};

// A player that only records what it is asked; its state is set by the test.
struct FakePlayer : profile::javax_microedition_media_Player {
    FakePlayer() : javax_microedition_media_Player(nullptr, 0) { state = profile::kPlayerPrefetched; }
    jint getState() override { return state; }
    void setLoopCount(const jint count) override { loops = count; }
    void start() override {
        ++starts;
        state = profile::kPlayerStarted;
    }
    void stop() override {
        ++stops;
        if (stopFails) {
            runtime::throwException(runtime::newObject<runtime::java_lang_IllegalStateException>());
            return;
        }
        state = profile::kPlayerPrefetched;
    }

    jint starts = 0;
    jint stops = 0;
    jint loops = 0;
    bool stopFails = false;
};

class SoundTest : public game::testing::SeededFixture {
protected:
    void SetUp() override {
        SeededFixture::SetUp();
        runtime::IntArray* resources = runtime::newIntArray(kSoundIds);
        for (jint id = 0; id < kSoundIds; ++id) {
            (*resources)[id] = kSoundResources[id];
        }
        s()->soundResourceIndex = resources;
        // Every id gets a player, even those without a sound: those must still never play.
        runtime::ObjectArray* players = runtime::newObjectArray(kSoundIds);
        s()->soundPlayers = players;
        for (jint id = 0; id < kSoundIds; ++id) {
            (*players)[id] = runtime::newObject<FakePlayer>();
        }
        s()->soundEnabled = 1;
        s()->soundVolumeStep = 0;
        s()->lastEffect = -1;
        s()->currentMusic = -1;
        s()->lastSound = -1;
        s()->pendingSound = 5;
    }

    static FakePlayer* player(const jint id) { return static_cast<FakePlayer*>((*s()->soundPlayers)[id]); }
    static jint starts(const jint id) { return player(id)->starts; }
    // Clears what the last request left, so the next one is judged on its own.
    static void forget() {
        for (jint id = 0; id < kSoundIds; ++id) {
            player(id)->starts = 0;
            player(id)->stops = 0;
            player(id)->state = profile::kPlayerPrefetched;
        }
        s()->lastEffect = -1;
        s()->currentMusic = -1;
        s()->lastSound = -1;
    }
};

TEST_F(SoundTest, IdsWithoutASoundOrAPlayerNeverReachOne) {
    for (const jint id : {0, 1, 2, 3, 4, 5, 18, -1, 25, 1000}) {
        playSound(id);
        EXPECT_EQ(s()->pendingSound, 5) << "id " << id << " reached a player";
    }
    for (jint id = 0; id < kSoundIds; ++id) {
        EXPECT_EQ(starts(id), 0) << "id " << id;
    }
    // A sound whose player is not loaded, and no players at all.
    (*s()->soundPlayers)[7] = nullptr;
    playSound(7);
    s()->soundPlayers = nullptr;
    playSound(8);
    EXPECT_EQ(s()->pendingSound, 5);
}

TEST_F(SoundTest, TheSoundSettingMutesByKind) {
    struct Case {
        jboolean enabled;
        jint step;
        jint id;
        bool plays;
    };
    const Case cases[] = {
        {1, 0, 7, true},  {1, 0, 20, true},  {1, 1, 7, false}, {1, 1, 13, false}, {1, 1, 14, true},
        {1, 1, 20, true}, {1, 2, 7, true},   {1, 2, 13, true}, {1, 2, 14, false}, {1, 2, 24, false},
        {1, 3, 7, false}, {1, 3, 20, false}, {0, 0, 7, false}, {0, 0, 20, false},
    };
    for (const Case& c : cases) {
        forget();
        s()->soundEnabled = c.enabled;
        s()->soundVolumeStep = c.step;
        s()->pendingSound = 9;
        playSound(c.id);
        EXPECT_EQ(starts(c.id), c.plays ? 1 : 0)
            << "enabled " << int{c.enabled} << " step " << c.step << " id " << c.id;
        EXPECT_EQ(s()->pendingSound, -1)
            << "a request that reaches a player clears pendingSound, muted or not";
        EXPECT_EQ(s()->lastSound, c.plays ? c.id : -1);
    }
}

TEST_F(SoundTest, AStartedSoundIsNotRestartedWhileItOrHoldingMusicPlays) {
    struct Case {
        const char* what;
        jint currentMusic, lastEffect, lastSound;
        jint id;
        bool started; // the requested player plays already
        bool plays;
    };
    const Case cases[] = {
        {"idle player always starts", 16, 7, 7, 8, false, true},
        {"the current music", 20, -1, 20, 20, true, false},
        {"the last effect", -1, 7, 7, 7, true, false},
        {"an effect while another effect played", -1, 8, -1, 7, true, false},
        // Effect 3 shares the exception but has no sound.
        {"effect 13 may overlay another effect", -1, 8, -1, 13, true, true},
        {"effect 13 still waits for a sound played", -1, 8, 19, 13, true, false},
        {"holding music 16", 16, -1, -1, 20, true, false},
        {"holding music 22", 22, -1, -1, 20, true, false},
        {"holding music 24", 24, -1, -1, 13, true, false},
        {"other music restarts a started player", 19, -1, -1, 20, true, true},
        {"a started effect with nothing recorded", -1, -1, -1, 7, true, true},
    };
    for (const Case& c : cases) {
        forget();
        s()->currentMusic = c.currentMusic;
        s()->lastEffect = c.lastEffect;
        s()->lastSound = c.lastSound;
        if (c.started) {
            player(c.id)->state = profile::kPlayerStarted;
        }
        playSound(c.id);
        EXPECT_EQ(starts(c.id), c.plays ? 1 : 0) << c.what;
    }
}

TEST_F(SoundTest, TheSameEffectTwiceInARowStartsOnce) {
    playSound(7);
    playSound(7);
    EXPECT_EQ(starts(7), 1);
    EXPECT_EQ(player(7)->loops, 1);
    EXPECT_EQ(s()->lastEffect, 7);
    EXPECT_EQ(s()->lastSound, 7);
    EXPECT_EQ(s()->currentMusic, -1);
    // Once it has played out it may start again.
    player(7)->state = profile::kPlayerPrefetched;
    playSound(7);
    EXPECT_EQ(starts(7), 2);
}

TEST_F(SoundTest, NewMusicStopsTheMusicThatPlays) {
    playSound(19);
    ASSERT_EQ(starts(19), 1);
    playSound(7);
    playSound(20);
    EXPECT_EQ(player(19)->stops, 1);
    EXPECT_EQ(starts(20), 1);
    EXPECT_EQ(player(20)->loops, 1) << "music plays one pass too";
    EXPECT_EQ(player(7)->stops, 0) << "effects play on";
    EXPECT_EQ(s()->currentMusic, 20);
    EXPECT_EQ(s()->lastEffect, 7);
    EXPECT_EQ(s()->lastSound, 20);
}

TEST_F(SoundTest, DuringAMatchTheLockLetsSoundsThroughOnlyUnderMatchMusic) {
    struct Case {
        jboolean lock;
        jint topState, currentMusic;
        bool plays;
    };
    const Case cases[] = {
        {1, 4, 16, true},  {1, 4, 24, true}, {1, 4, 19, false},
        {1, 4, -1, false}, {1, 2, 19, true}, {0, 4, 19, true},
    };
    for (const Case& c : cases) {
        forget();
        s()->matchSoundLock = c.lock;
        s()->topState = c.topState;
        s()->currentMusic = c.currentMusic;
        playSound(8);
        EXPECT_EQ(starts(8), c.plays ? 1 : 0)
            << "lock " << int{c.lock} << " state " << c.topState << " music " << c.currentMusic;
    }
}

TEST_F(SoundTest, RequestsAndStartsAreTracedOnTheConsole) {
    auto* console = runtime::newObject<runtime::java_io_ByteArrayOutputStream>();
    s()->systemOut = runtime::newObject<runtime::java_io_PrintStream>(console);
    playSound(2);
    playSound(7);
    EXPECT_EQ(text(console->toString()), "playSound 2\nplaySound 7\nstarted 7\n   \n");
}

TEST_F(SoundTest, StoppingAllSoundsStopsEveryStartedSlotAndTracesEach) {
    auto* console = runtime::newObject<runtime::java_io_ByteArrayOutputStream>();
    s()->systemOut = runtime::newObject<runtime::java_io_PrintStream>(console);
    EXPECT_EQ(isAnySoundPlaying(), 0);
    for (const jint slot : {2, 9, 20}) {
        player(slot)->state = profile::kPlayerStarted;
    }
    EXPECT_EQ(isAnySoundPlaying(), 1);
    player(9)->stopFails = true;
    s()->lastEffect = 9;
    s()->currentMusic = 20;
    s()->lastSound = 20;
    stopAllSounds();
    EXPECT_EQ(runtime::getPendingException(), nullptr) << "a failing player is passed over";
    EXPECT_EQ(player(2)->stops, 1);
    EXPECT_EQ(player(9)->stops, 1);
    EXPECT_EQ(player(20)->stops, 1);
    EXPECT_EQ(player(7)->stops, 0) << "a player that does not play is left alone";
    EXPECT_EQ(s()->lastEffect, -1);
    EXPECT_EQ(s()->currentMusic, -1);
    EXPECT_EQ(s()->lastSound, -1);
    const std::string opening = text(runtime::getConstantString(140));
    const std::string slot = text(runtime::getConstantString(141));
    EXPECT_EQ(text(console->toString()), opening + "\n" + slot + "2\n" + slot + "20\n");
    player(9)->stopFails = false;
    player(9)->state = profile::kPlayerPrefetched;
    EXPECT_EQ(isAnySoundPlaying(), 0);
}

TEST_F(SoundTest, WithoutPlayersNothingPlaysAndNothingIsStopped) {
    auto* console = runtime::newObject<runtime::java_io_ByteArrayOutputStream>();
    s()->systemOut = runtime::newObject<runtime::java_io_PrintStream>(console);
    s()->soundPlayers = nullptr;
    s()->lastEffect = 7;
    EXPECT_EQ(isAnySoundPlaying(), 0);
    stopAllSounds();
    EXPECT_EQ(s()->lastEffect, 7);
    EXPECT_EQ(text(console->toString()), "");
}

} // namespace
} // namespace game::core
