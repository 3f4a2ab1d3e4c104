// The wave output on a real SDL audio device (the dummy driver in tests): buffers are consumed
// by SDL's audio thread and the done notice arrives from it. The wait is bounded and checks
// only that playback ends, never how fast.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "platform/SdlWaveOut.h"
#include "platform/WaveOutDouble.h"

namespace platform {
namespace {

std::atomic<int> doneNotices{0};

void countDone(WaveHandle, const std::uint32_t message, std::uintptr_t, std::uintptr_t, std::uintptr_t) {
    if (message == kWaveDone) {
        doneNotices.fetch_add(1);
    }
}

TEST(SdlWaveOutTest, TheAudioThreadPlaysABufferToTheEndAndReportsIt) {
    // Silent playback at the device's pace, whatever machine runs the test.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlWaveOut waveOut;
    if (waveOut.getDeviceCount() == 0) {
        GTEST_SKIP() << "no SDL audio driver available";
    }
    WaveFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = 1;
    format.samplesPerSecond = 22050;
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.averageBytesPerSecond = 44100;
    WaveHandle handle = kNoWaveHandle;
    doneNotices = 0;
    ASSERT_EQ(waveOut.open(&handle, 0, format, &countDone, 0), WaveResult::Ok);
    std::vector<std::uint8_t> samples(2205 * 2, 0); // 100 ms
    WaveHeader header;
    header.data = samples.data();
    header.bufferLength = static_cast<std::uint32_t>(samples.size());
    header.flags = kWaveHeaderBeginLoop | kWaveHeaderEndLoop;
    header.loops = 2;
    ASSERT_EQ(waveOut.prepareHeader(handle, &header), WaveResult::Ok);
    ASSERT_EQ(waveOut.write(handle, &header), WaveResult::Ok);

    for (int waited = 0; waited < 10000 && doneNotices.load() == 0; waited += 10) {
        SDL_Delay(10);
    }
    EXPECT_EQ(doneNotices.load(), 1);
    WaveTime time{kWaveTimeMilliseconds, 0};
    EXPECT_EQ(waveOut.getPosition(handle, &time), WaveResult::Ok);
    EXPECT_GE(time.value, 199u);
    EXPECT_EQ(waveOut.unprepareHeader(handle, &header), WaveResult::Ok);
    EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
}

TEST(SdlWaveOutTest, TheInstalledServiceReplacesTheDefaultUntilRemoved) {
    WaveOutDouble double_;
    WaveOutService* const before = &waveOut();
    EXPECT_EQ(setWaveOut(&double_), nullptr);
    EXPECT_EQ(&waveOut(), &double_);
    EXPECT_EQ(setWaveOut(nullptr), &double_);
    EXPECT_EQ(&waveOut(), before);
}

TEST(SdlWaveOutTest, ResultsHaveNames) {
    EXPECT_STREQ(waveResultText(WaveResult::Ok), "ok");
    EXPECT_STREQ(waveResultText(WaveResult::BadFormat), "unsupported format");
    EXPECT_STREQ(waveResultText(WaveResult::StillPlaying), "still playing");
}

} // namespace
} // namespace platform
