// The sound players over a scripted wave output: choosing the player, the state machine, loop
// counts, the done notice, volume, the raising getters, and WAV lengths.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SoundFixture.h"
#include "WavBytes.h"
#include "profile/SoundManager.h"
#include "profile/SoundOggPlayer.h"
#include "runtime/Arrays.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"

namespace profile {
namespace {

using platform::WaveResult;
using runtime::newStringFromCString;
using testing::makeWav;
using testing::sampleBytes;

class SoundPlayerTest : public testing::SoundFixture {
protected:
    // A WAV player of frames frames of 22,050 Hz mono 16-bit.
    javax_microedition_media_Player* wavPlayer(const int frames = 100) {
        const std::vector<std::uint8_t> bytes = makeWav(1, 22050, 16, std::vector<std::uint8_t>(frames * 2, 3));
        return playerOf(bytes);
    }

    // The player in state target, reached through the ordinary operations.
    javax_microedition_media_Player* playerIn(const jint target) {
        javax_microedition_media_Player* player = wavPlayer();
        if (target >= kPlayerRealized) {
            player->realize();
        }
        if (target >= kPlayerPrefetched) {
            player->prefetch();
        }
        if (target >= kPlayerStarted) {
            player->start();
        }
        if (target == kPlayerClosed) {
            player->close();
        }
        EXPECT_EQ(player->getState(), target);
        return player;
    }

    std::size_t callCount(const std::string& prefix) const {
        std::size_t count = 0;
        for (const std::string& call : waveOut.calls) {
            count += call.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return count;
    }
};

TEST_F(SoundPlayerTest, TheTypeOrElseTheMagicChoosesThePlayer) {
    const std::vector<std::uint8_t> wav = makeWav(1, 8000, 8, {0x80, 0x80});
    std::vector<std::uint8_t> ogg = {'O', 'g', 'g', 'S', 0, 2, 0, 0};
    const std::vector<std::uint8_t> other = {'I', 'D', '3', 4, 0, 0};
    enum Kind { None, Wav, Ogg };
    struct Case {
        const char* type;
        const std::vector<std::uint8_t>* bytes;
        Kind kind;
    };
    const Case cases[] = {
        {nullptr, &wav, Wav},         {nullptr, &ogg, Ogg},         {nullptr, &other, None},
        {"audio/x-wav", &wav, Wav},   {"audio/ogg", &ogg, Ogg},     {"audio/ogg", &wav, Ogg},
        {"audio/mpeg", &wav, None},   {"audio/mpeg", &ogg, None},   {"audio/x-wav", &ogg, None},
        {"", &wav, None},             {"audio/x-wav ", &wav, None}, {"AUDIO/X-WAV", &wav, None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.type == nullptr ? "no type" : test.type);
        runtime::String* type = test.type == nullptr ? nullptr : newStringFromCString(test.type);
        javax_microedition_media_Player* player =
            Manager::createPlayer(test.bytes->data(), static_cast<jint>(test.bytes->size()), type);
        if (test.kind == None) {
            EXPECT_EQ(player, nullptr);
            continue;
        }
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->classId, runtime::kPlayer);
        EXPECT_EQ(dynamic_cast<OggPlayer*>(player) != nullptr, test.kind == Ogg);
        EXPECT_EQ(player->getState(), kPlayerUnrealized);
        EXPECT_EQ(player->sourceSize, static_cast<jint>(test.bytes->size()));
        EXPECT_NE(player->source, test.bytes->data()) << "the player keeps its own copy";
    }
    EXPECT_EQ(Manager::createPlayer(nullptr, 10, nullptr), nullptr);
    EXPECT_EQ(Manager::createPlayer(wav.data(), 0, nullptr), nullptr);
}

TEST_F(SoundPlayerTest, AStreamGivesAPlayerOfItsAvailableBytes) {
    const std::vector<std::uint8_t> wav = makeWav(1, 8000, 8, {0x80, 0x81, 0x82});
    runtime::ByteArray* bytes = runtime::newByteArray(static_cast<jint>(wav.size()) + 4);
    std::memcpy(bytes->data() + 4, wav.data(), wav.size());
    auto* whole = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 4, static_cast<jint>(wav.size()));
    javax_microedition_media_Player* player = Manager::createPlayer(whole, newStringFromCString("audio/x-wav"));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->sourceSize, static_cast<jint>(wav.size()));
    EXPECT_EQ(std::memcmp(player->source, wav.data(), wav.size()), 0);
    EXPECT_EQ(whole->available(), 0);

    auto* empty = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, 0);
    EXPECT_EQ(Manager::createPlayer(empty, nullptr), nullptr);
    auto* misaligned = runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, 20);
    EXPECT_EQ(Manager::createPlayer(misaligned, nullptr), nullptr) << "no RIFF at the stream's start";
    EXPECT_EQ(Manager::createPlayer(static_cast<runtime::java_io_InputStream*>(nullptr), nullptr), nullptr);
}

TEST_F(SoundPlayerTest, AShortOrMalformedWavGivesNoPlayerAndALogLine) {
    const std::vector<std::uint8_t> good = makeWav(1, 8000, 8, {0x80, 0x80, 0x80});
    const std::vector<std::vector<std::uint8_t>> bad = {
        std::vector<std::uint8_t>(good.begin(), good.begin() + 20),
        std::vector<std::uint8_t>(good.begin(), good.begin() + 44),
        {'R', 'I', 'F', 'F'},
    };
    for (const std::vector<std::uint8_t>& bytes : bad) {
        clearLog();
        EXPECT_EQ(playerOf(bytes), nullptr);
        EXPECT_TRUE(loggedContaining("bad WAV sound")) << bytes.size() << " bytes";
    }
}

TEST_F(SoundPlayerTest, ATruncatedWavPlaysTheSamplesPresent) {
    const std::vector<std::uint8_t> bytes = makeWav(1, 22050, 16, sampleBytes({1, 2, 3, 4, 5}), 50000);
    javax_microedition_media_Player* player =
        playerOf(bytes);
    ASSERT_NE(player, nullptr);
    player->realize();
    ASSERT_EQ(player->getState(), kPlayerRealized);
    EXPECT_EQ(player->pcmLength, 10);
    EXPECT_EQ(player->pcm[9], 0);
    EXPECT_EQ(player->pcm[8], 5);
    EXPECT_EQ(player->source, nullptr) << "the source copy is freed once realized";
}

TEST_F(SoundPlayerTest, DurationCountsEveryChannelAtTheExactRate) {
    struct Case {
        std::uint16_t channels;
        std::uint32_t rate;
        std::uint16_t bits;
        int frames;
        jlong duration;
    };
    const Case cases[] = {
        {1, 22050, 16, 22050, 1000000},
        {2, 22050, 16, 11025, 500000},
        {1, 8000, 8, 2000, 250000},
        {2, 44100, 16, 441, 10000},
    };
    for (const Case& test : cases) {
        const std::size_t bytes = static_cast<std::size_t>(test.frames) * test.channels * test.bits / 8;
        const std::vector<std::uint8_t> wav = makeWav(test.channels, test.rate, test.bits, std::vector<std::uint8_t>(bytes));
        javax_microedition_media_Player* player =
            Manager::createPlayer(wav.data(), static_cast<jint>(wav.size()), nullptr);
        player->realize();
        EXPECT_EQ(player->getDuration(), test.duration) << test.channels << " x " << test.rate;
    }
}

TEST_F(SoundPlayerTest, RealizeOpensDeviceZeroWithTheFormatAndNotesVolumeSupport) {
    javax_microedition_media_Player* player = wavPlayer();
    player->realize();
    EXPECT_EQ(player->getState(), kPlayerRealized);
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"getDeviceCount", "open 0 22050 1 16", "getDeviceCaps 0"}));
    EXPECT_EQ(player->volumeSupported, 1);
    EXPECT_EQ(player->pcmLength, 200);
    player->realize();
    EXPECT_EQ(waveOut.calls.size(), 3u) << "realize acts only when unrealized";
}

TEST_F(SoundPlayerTest, WithoutADeviceOrWhenOpenFailsThePlayerStaysUnrealized) {
    waveOut.deviceCount = 0;
    javax_microedition_media_Player* noDevice = wavPlayer();
    noDevice->start();
    EXPECT_EQ(noDevice->getState(), kPlayerUnrealized);
    EXPECT_EQ(callCount("open"), 0u);

    waveOut.deviceCount = 1;
    waveOut.openResult = WaveResult::BadFormat;
    javax_microedition_media_Player* refused = wavPlayer();
    refused->start();
    EXPECT_EQ(refused->getState(), kPlayerUnrealized);
    EXPECT_EQ(callCount("write"), 0u);
    EXPECT_TRUE(loggedContaining("unsupported format"));
    refused->close();
    EXPECT_EQ(refused->getState(), kPlayerClosed);
}

TEST_F(SoundPlayerTest, PrefetchPreparesACopyWithTheLoopCountAndReadsTheLevel) {
    waveOut.volume = 0x00008000;
    javax_microedition_media_Player* player = playerIn(kPlayerRealized);
    player->prefetch();
    ASSERT_EQ(player->getState(), kPlayerPrefetched);
    EXPECT_NE(player->header.data, player->pcm);
    EXPECT_EQ(player->header.bufferLength, 200u);
    EXPECT_EQ(player->header.flags, platform::kWaveHeaderBeginLoop | platform::kWaveHeaderEndLoop |
                                        platform::kWaveHeaderPrepared);
    EXPECT_EQ(player->header.loops, 0u) << "the loop count starts at 0";
    EXPECT_EQ(player->loopCount, 1);
    EXPECT_EQ(player->savedVolume, 0x8000u);
    EXPECT_EQ(player->getLevel(), 50);
}

TEST_F(SoundPlayerTest, LoopCountsReachTheWaveOutput) {
    struct Case {
        jint count;
        std::uint32_t loops;
    };
    const Case cases[] = {{-1, 0x7FFFFFFF}, {-100, 0x7FFFFFFF}, {0, 1}, {1, 1}, {3, 3}};
    for (const Case& test : cases) {
        javax_microedition_media_Player* player = wavPlayer();
        player->setLoopCount(test.count);
        player->start();
        ASSERT_EQ(player->getState(), kPlayerStarted);
        EXPECT_EQ(player->header.loops, test.loops) << test.count;
        EXPECT_EQ(player->loopCount, 1) << "the count applies to one prefetch";
    }
}

TEST_F(SoundPlayerTest, StartFromUnrealizedRunsThroughToStartedAndTheDoneNoticeReturnsIt) {
    javax_microedition_media_Player* player = wavPlayer();
    player->start();
    ASSERT_EQ(player->getState(), kPlayerStarted);
    ASSERT_EQ(waveOut.queued(player->device).size(), 1u);

    waveOut.finish(player->device);
    EXPECT_EQ(player->getState(), kPlayerPrefetched);
    player->start();
    EXPECT_EQ(player->getState(), kPlayerStarted) << "a finished sound starts again";
    EXPECT_EQ(callCount("write"), 2u);
}

TEST_F(SoundPlayerTest, TheDoneNoticeOnlyEndsAStartedPlayer) {
    javax_microedition_media_Player* player = playerIn(kPlayerRealized);
    player->playbackFinished();
    EXPECT_EQ(player->getState(), kPlayerRealized);
    javax_microedition_media_Player* closed = playerIn(kPlayerClosed);
    closed->playbackFinished();
    EXPECT_EQ(closed->getState(), kPlayerClosed);
}

TEST_F(SoundPlayerTest, AMutedPlayerStaysPrefetchedAndSilent) {
    javax_microedition_media_Player* player = wavPlayer();
    player->setMute(1);
    EXPECT_EQ(player->isMuted(), 1);
    player->start();
    EXPECT_EQ(player->getState(), kPlayerPrefetched);
    EXPECT_EQ(callCount("write"), 0u);
    player->setMute(0);
    player->start();
    EXPECT_EQ(player->getState(), kPlayerStarted);
}

TEST_F(SoundPlayerTest, AFailedWriteLeavesThePlayerPrefetched) {
    waveOut.writeResult = WaveResult::Error;
    javax_microedition_media_Player* player = wavPlayer();
    player->start();
    EXPECT_EQ(player->getState(), kPlayerPrefetched);
    EXPECT_TRUE(loggedContaining("write failed"));
}

TEST_F(SoundPlayerTest, StopAndDeallocateStepBack) {
    javax_microedition_media_Player* player = playerIn(kPlayerStarted);
    const platform::WaveHandle device = player->device;
    player->stop();
    EXPECT_EQ(player->getState(), kPlayerPrefetched);
    EXPECT_EQ(waveOut.lastCall(), "reset " + std::to_string(device));
    EXPECT_TRUE(waveOut.queued(device).empty());
    player->stop();
    EXPECT_EQ(callCount("reset"), 1u) << "stop acts only when started";

    player->deallocate();
    EXPECT_EQ(player->getState(), kPlayerRealized);
    EXPECT_EQ(player->header.data, nullptr);
    EXPECT_EQ(waveOut.lastCall(), "unprepare " + std::to_string(device));
    player->prefetch();
    EXPECT_EQ(player->getState(), kPlayerPrefetched);
}

TEST_F(SoundPlayerTest, CloseWorksFromEveryStateAndOnlyOnce) {
    for (const jint from : {kPlayerUnrealized, kPlayerRealized, kPlayerPrefetched, kPlayerStarted}) {
        SCOPED_TRACE(from);
        javax_microedition_media_Player* player = playerIn(from);
        player->close();
        EXPECT_EQ(player->getState(), kPlayerClosed);
        EXPECT_EQ(player->pcm, nullptr);
        EXPECT_EQ(player->source, nullptr);
        EXPECT_EQ(player->header.data, nullptr);
        EXPECT_EQ(player->pcmLength, 0);
        EXPECT_EQ(waveOut.openCount(), 0u);
        const std::size_t calls = waveOut.calls.size();
        player->close();
        player->start();
        EXPECT_EQ(waveOut.calls.size(), calls);
        EXPECT_EQ(player->getState(), kPlayerClosed);
    }
}

TEST_F(SoundPlayerTest, ReleasingAPlayerClosesIt) {
    javax_microedition_media_Player* player = playerIn(kPlayerStarted);
    player->release();
    EXPECT_EQ(player->getState(), kPlayerClosed);
    EXPECT_EQ(waveOut.openCount(), 0u);
}

TEST_F(SoundPlayerTest, SetLevelClampsAndAppliesToBothChannels) {
    javax_microedition_media_Player* player = playerIn(kPlayerPrefetched);
    struct Case {
        jint level;
        jint previous;
        jint stored;
        const char* call;
    };
    const Case cases[] = {
        {150, 100, 100, "0xFFFFFFFF"},
        {-5, 100, 0, "0x00000000"},
        {50, 0, 50, "0x7FFF7FFF"},
        {1, 50, 1, "0x028F028F"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(player->setLevel(test.level), test.previous) << test.level;
        EXPECT_EQ(player->getLevel(), test.stored);
        EXPECT_EQ(waveOut.lastCall(), "setVolume " + std::to_string(player->device) + " " + test.call);
    }
    const std::string restore = "setVolume " + std::to_string(player->device) + " 0xFFFFFFFF";
    player->close();
    EXPECT_TRUE(std::find(waveOut.calls.begin(), waveOut.calls.end(), restore) != waveOut.calls.end())
        << "close restores the volume saved at prefetch";
}

TEST_F(SoundPlayerTest, WithoutVolumeSupportTheLevelIsOnlyStored) {
    waveOut.support = 0;
    javax_microedition_media_Player* player = playerIn(kPlayerPrefetched);
    EXPECT_EQ(player->setLevel(30), 100);
    EXPECT_EQ(player->getLevel(), 30);
    player->close();
    EXPECT_EQ(callCount("setVolume"), 0u);
    EXPECT_EQ(callCount("getVolume"), 0u);
}

TEST_F(SoundPlayerTest, TheGettersRaiseIllegalStateWhereTheyMayNot) {
    javax_microedition_media_Player* unrealized = wavPlayer();
    EXPECT_EQ(unrealized->getContentType(), nullptr);
    EXPECT_EQ(takePendingExceptionClass(), runtime::kIllegalStateException);
    unrealized->getDuration();
    EXPECT_EQ(takePendingExceptionClass(), -1);

    javax_microedition_media_Player* realized = playerIn(kPlayerRealized);
    EXPECT_EQ(text(realized->getContentType()), "audio/x-wav");
    EXPECT_EQ(takePendingExceptionClass(), -1);

    javax_microedition_media_Player* closed = playerIn(kPlayerClosed);
    closed->getMediaTime();
    EXPECT_EQ(takePendingExceptionClass(), runtime::kIllegalStateException);
    closed->getDuration();
    EXPECT_EQ(takePendingExceptionClass(), runtime::kIllegalStateException);
    closed->getContentType();
    EXPECT_EQ(takePendingExceptionClass(), runtime::kIllegalStateException);
    EXPECT_EQ(closed->getState(), kPlayerClosed);
}

TEST_F(SoundPlayerTest, MediaTimeIsThePositionInMicroseconds) {
    javax_microedition_media_Player* player = playerIn(kPlayerStarted);
    waveOut.position = {platform::kWaveTimeMilliseconds, 250};
    EXPECT_EQ(player->getMediaTime(), 250000);
    waveOut.position = {platform::kWaveTimeSamples, 250};
    EXPECT_EQ(player->getMediaTime(), -1);
    waveOut.positionResult = WaveResult::Error;
    EXPECT_EQ(player->getMediaTime(), -1);

    player->setMediaTime(0);
    EXPECT_EQ(waveOut.lastCall(), "restart " + std::to_string(player->device));
    const std::size_t calls = waveOut.calls.size();
    player->setMediaTime(5);
    EXPECT_EQ(waveOut.calls.size(), calls);
    EXPECT_TRUE(loggedContaining("WARNING: setMediaTime(long64 now) not implemented for now > 0"));
}

TEST_F(SoundPlayerTest, ControlsAndInterfaces) {
    javax_microedition_media_Player* player = wavPlayer();
    EXPECT_EQ(player->getControl(newStringFromCString("VolumeControl")),
              static_cast<javax_microedition_media_control_VolumeControl*>(player));
    EXPECT_EQ(player->getControl(newStringFromCString("ToneControl")), nullptr);
    EXPECT_EQ(player->getControl(nullptr), nullptr);
    EXPECT_EQ(player->getControls(), nullptr);
    void* playerInterface = static_cast<javax_microedition_media_PlayerInterface*>(player);
    EXPECT_EQ(player->getInterface(runtime::kPlayer), playerInterface);
    EXPECT_EQ(player->getInterface(runtime::kControllable), playerInterface);
    EXPECT_EQ(player->getInterface(runtime::kVolumeControl),
              static_cast<javax_microedition_media_control_VolumeControl*>(player));
    EXPECT_EQ(player->getInterface(runtime::kRunnable), nullptr);
    EXPECT_EQ(runtime::instanceOf(player, runtime::kVolumeControl), 1);
}

} // namespace
} // namespace profile
