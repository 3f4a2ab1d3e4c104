// Players through the real mixer in capture mode: what reaches the device, how often, how loud,
// and the done notice that returns the player to prefetched.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "SoundFixture.h"
#include "WavBytes.h"
#include "profile/SoundManager.h"
#include "profile/SoundWavHeader.h"

namespace profile {
namespace {

using testing::makeWav;
using testing::sampleBytes;

// Every other sample of an interleaved stereo capture.
std::vector<std::int16_t> channel(const std::vector<std::int16_t>& stereo, const std::size_t which) {
    std::vector<std::int16_t> samples;
    for (std::size_t i = which; i < stereo.size(); i += 2) {
        samples.push_back(stereo[i]);
    }
    return samples;
}

class SoundCaptureTest : public testing::SoundFixture {};

TEST_F(SoundCaptureTest, AWavSoundPlaysItsSamplesLoopCountTimesThenIsPrefetchedAgain) {
    useCapture(8000);
    const std::vector<std::int16_t> samples = {100, -200, 300, -400, 500};
    javax_microedition_media_Player* sound = playerOf(makeWav(1, 8000, 16, sampleBytes(samples)));
    sound->setLoopCount(3);
    sound->start();
    ASSERT_EQ(sound->getState(), kPlayerStarted);
    capture->render(14);
    EXPECT_EQ(sound->getState(), kPlayerStarted);
    capture->render(1);
    EXPECT_EQ(sound->getState(), kPlayerPrefetched);
    capture->render(5);

    std::vector<std::int16_t> expected;
    for (int play = 0; play < 3; ++play) {
        expected.insert(expected.end(), samples.begin(), samples.end());
    }
    expected.resize(20, 0);
    const std::vector<std::int16_t> mixed = capture->takeCapture();
    EXPECT_EQ(channel(mixed, 0), expected);
    EXPECT_EQ(channel(mixed, 1), expected);

    sound->setLoopCount(1);
    sound->start();
    capture->render(15);
    expected.resize(15);
    EXPECT_EQ(channel(capture->takeCapture(), 0), expected) << "the prefetched buffer keeps its loop count";
}

TEST_F(SoundCaptureTest, StopSilencesAndTheLevelScalesBothChannels) {
    useCapture(8000);
    javax_microedition_media_Player* sound = playerOf(makeWav(2, 8000, 16, sampleBytes(std::vector<std::int16_t>(200, 20000))));
    sound->start();
    sound->setLevel(50);
    capture->render(2);
    const std::vector<std::int16_t> half = capture->takeCapture();
    EXPECT_NEAR(half[0], 10000, 1);
    EXPECT_NEAR(half[1], 10000, 1);

    sound->stop();
    EXPECT_EQ(sound->getState(), kPlayerPrefetched);
    capture->render(2);
    EXPECT_EQ(capture->takeCapture(), std::vector<std::int16_t>(4, 0));
    sound->close();
    EXPECT_EQ(sound->getState(), kPlayerClosed);
}

TEST_F(SoundCaptureTest, AnOggToneReachesTheDeviceSampleForSample) {
    useCapture(44100);
    javax_microedition_media_Player* tone = playerOf(testing::readSoundFixture("tone-mono.ogg"));
    tone->start();
    ASSERT_EQ(tone->getState(), kPlayerStarted);
    capture->render(8819);
    EXPECT_EQ(tone->getState(), kPlayerStarted);
    capture->render(1);
    EXPECT_EQ(tone->getState(), kPlayerPrefetched) << "done exactly after the reference's 8,820 samples";
    EXPECT_EQ(tone->getMediaTime(), 200000);

    const std::vector<std::uint8_t> reference = testing::readSoundFixture("tone-mono.oggdec.wav");
    WavLayout layout;
    ASSERT_EQ(parseWavHeader(reference.data(), reference.size(), &layout), WavError::None);
    const std::vector<std::int16_t> left = channel(capture->takeCapture(), 0);
    ASSERT_EQ(left.size() * 2, layout.dataLength);
    int largest = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const std::uint8_t* at = reference.data() + layout.dataOffset + 2 * i;
        largest = std::max(largest, std::abs(left[i] - static_cast<std::int16_t>(at[0] | (at[1] << 8))));
    }
    EXPECT_LE(largest, 2) << "Tremor and the reference decoder round differently";
}

TEST_F(SoundCaptureTest, TheAudioThreadReturnsAFinishedPlayerToPrefetched) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::SdlWaveOut device;
    if (device.getDeviceCount() == 0) {
        GTEST_SKIP() << "no SDL audio driver available";
    }
    platform::setWaveOut(&device);
    javax_microedition_media_Player* sound = playerOf(makeWav(1, 11025, 8, std::vector<std::uint8_t>(1100, 0x80)));
    sound->setLoopCount(2);
    sound->start();
    ASSERT_EQ(sound->getState(), kPlayerStarted);
    for (int waited = 0; waited < 10000 && sound->getState() == kPlayerStarted; waited += 10) {
        SDL_Delay(10);
    }
    EXPECT_EQ(sound->getState(), kPlayerPrefetched);
    sound->close();
    EXPECT_EQ(device.getDeviceCount(), 1u);
}

} // namespace
} // namespace profile
