// The software mixer, driven through the capture mode of SdlWaveOut: conversion, resampling,
// loops, volume, pause, reset, position and the done notices.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/SdlWaveOut.h"

namespace platform {
namespace {

constexpr std::uint32_t kRate = 44100;

WaveFormat pcmFormat(const std::uint16_t channels, const std::uint16_t bits, const std::uint32_t rate = kRate) {
    WaveFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = channels;
    format.samplesPerSecond = rate;
    format.bitsPerSample = bits;
    format.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format.averageBytesPerSecond = rate * format.blockAlign;
    return format;
}

// Little-endian bytes of 16-bit samples.
std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t sample : samples) {
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    return bytes;
}

struct Notice {
    WaveHandle handle;
    std::uint32_t message;
    std::uintptr_t instance;
    std::uintptr_t header;
};

std::vector<Notice>* noticeSink = nullptr;

void recordNotice(const WaveHandle handle, const std::uint32_t message, const std::uintptr_t instance,
                  const std::uintptr_t param1, std::uintptr_t) {
    noticeSink->push_back({handle, message, instance, param1});
}

class WaveMixerTest : public ::testing::Test {
protected:
    void SetUp() override { noticeSink = &notices; }
    void TearDown() override { noticeSink = nullptr; }

    WaveHandle openOutput(const WaveFormat& format, const std::uintptr_t instance = 0x1234) {
        WaveHandle handle = kNoWaveHandle;
        EXPECT_EQ(waveOut.open(&handle, 0, format, &recordNotice, instance), WaveResult::Ok);
        return handle;
    }

    void queue(const WaveHandle handle, WaveHeader& header, std::vector<std::uint8_t>& bytes,
               const std::uint32_t flags = 0, const std::uint32_t loops = 0) {
        header.data = bytes.data();
        header.bufferLength = static_cast<std::uint32_t>(bytes.size());
        header.flags = flags;
        header.loops = loops;
        ASSERT_EQ(waveOut.prepareHeader(handle, &header), WaveResult::Ok);
        ASSERT_EQ(waveOut.write(handle, &header), WaveResult::Ok);
    }

    std::size_t doneCount() const {
        std::size_t count = 0;
        for (const Notice& notice : notices) {
            count += notice.message == kWaveDone ? 1 : 0;
        }
        return count;
    }

    SdlWaveOut waveOut{SdlWaveOut::Mode::Capture, kRate};
    std::vector<Notice> notices;
};

TEST_F(WaveMixerTest, SixteenBitStereoAtTheDeviceRateIsCopiedExactlyThenReportedDone) {
    const WaveHandle handle = openOutput(pcmFormat(2, 16));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].message, kWaveOpened);
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 3000; ++i) {
        samples.push_back(static_cast<std::int16_t>(i * 7 - 9000));
        samples.push_back(static_cast<std::int16_t>(-i * 5));
    }
    std::vector<std::uint8_t> bytes = pcm16(samples);
    WaveHeader header;
    queue(handle, header, bytes);
    EXPECT_TRUE(header.flags & kWaveHeaderInQueue);

    waveOut.render(1499);
    EXPECT_EQ(doneCount(), 0u);
    waveOut.render(1501);
    EXPECT_EQ(doneCount(), 1u) << "the notice follows the last frame at once";
    waveOut.render(100);
    const std::vector<std::int16_t> mixed = waveOut.takeCapture();
    ASSERT_EQ(mixed.size(), (3000u + 100u) * 2);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), mixed.begin()));
    EXPECT_TRUE(std::all_of(mixed.begin() + 6000, mixed.end(), [](std::int16_t s) { return s == 0; }));

    const Notice& done = notices.back();
    EXPECT_EQ(done.handle, handle);
    EXPECT_EQ(done.instance, 0x1234u);
    EXPECT_EQ(done.header, reinterpret_cast<std::uintptr_t>(&header));
    EXPECT_EQ(header.flags & (kWaveHeaderDone | kWaveHeaderInQueue), kWaveHeaderDone);
    EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
    EXPECT_EQ(notices.back().message, kWaveClosed);
}

TEST_F(WaveMixerTest, SourceFormatsAreConvertedToSixteenBitStereo) {
    struct Case {
        std::uint16_t channels;
        std::uint16_t bits;
        std::vector<std::uint8_t> bytes;
        std::vector<std::int16_t> expected; // left, right per frame
    };
    const Case cases[] = {
        {1, 8, {0x80, 0xFF, 0x00}, {0, 0, 0x7F00, 0x7F00, -32768, -32768}},
        {1, 16, pcm16({100, -200}), {100, 100, -200, -200}},
        {2, 8, {0x80, 0x81, 0x7F, 0x80}, {0, 0x100, -0x100, 0}},
        {2, 16, pcm16({1, 2, 3, 4}), {1, 2, 3, 4}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.channels << " channels, " << test.bits << " bits");
        const WaveHandle handle = openOutput(pcmFormat(test.channels, test.bits));
        std::vector<std::uint8_t> bytes = test.bytes;
        WaveHeader header;
        queue(handle, header, bytes);
        waveOut.render(static_cast<std::uint32_t>(test.expected.size() / 2));
        EXPECT_EQ(waveOut.takeCapture(), test.expected);
        EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
    }
}

TEST_F(WaveMixerTest, LoopFlagsPlayTheBufferLoopsTimes) {
    struct Case {
        std::uint32_t flags;
        std::uint32_t loops;
        std::size_t plays;
    };
    const Case cases[] = {
        {kWaveHeaderBeginLoop | kWaveHeaderEndLoop, 3, 3},
        {kWaveHeaderBeginLoop | kWaveHeaderEndLoop, 1, 1},
        {kWaveHeaderBeginLoop | kWaveHeaderEndLoop, 0, 1},
        {0, 5, 1},
        {kWaveHeaderBeginLoop, 5, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << test.flags << " loops " << test.loops);
        notices.clear();
        const WaveHandle handle = openOutput(pcmFormat(1, 16));
        std::vector<std::uint8_t> bytes = pcm16({10, 20, 30});
        WaveHeader header;
        queue(handle, header, bytes, test.flags, test.loops);
        waveOut.render(3 * 5 + 2);
        std::vector<std::int16_t> expected;
        for (std::size_t play = 0; play < test.plays; ++play) {
            expected.insert(expected.end(), {10, 10, 20, 20, 30, 30});
        }
        expected.resize((3 * 5 + 2) * 2, 0);
        EXPECT_EQ(waveOut.takeCapture(), expected);
        EXPECT_EQ(doneCount(), 1u);
        EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
    }
}

TEST_F(WaveMixerTest, AnEndlessLoopKeepsPlayingUntilReset) {
    const WaveHandle handle = openOutput(pcmFormat(1, 16));
    std::vector<std::uint8_t> bytes = pcm16({5});
    WaveHeader header;
    queue(handle, header, bytes, kWaveHeaderBeginLoop | kWaveHeaderEndLoop, 0x7FFFFFFF);
    waveOut.render(5000);
    const std::vector<std::int16_t> mixed = waveOut.takeCapture();
    EXPECT_TRUE(std::all_of(mixed.begin(), mixed.end(), [](std::int16_t s) { return s == 5; }));
    EXPECT_EQ(doneCount(), 0u);
    EXPECT_EQ(waveOut.close(handle), WaveResult::StillPlaying);
    EXPECT_EQ(waveOut.unprepareHeader(handle, &header), WaveResult::StillPlaying);

    EXPECT_EQ(waveOut.reset(handle), WaveResult::Ok);
    EXPECT_EQ(doneCount(), 1u);
    EXPECT_EQ(header.flags & kWaveHeaderInQueue, 0u);
    waveOut.render(10);
    const std::vector<std::int16_t> after = waveOut.takeCapture();
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](std::int16_t s) { return s == 0; }));
    EXPECT_EQ(waveOut.unprepareHeader(handle, &header), WaveResult::Ok);
    EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
}

TEST_F(WaveMixerTest, VolumeScalesEachChannelByItsOwnHalf) {
    struct Case {
        std::uint32_t volume;
        std::int16_t left;
        std::int16_t right;
    };
    const Case cases[] = {
        {0xFFFFFFFF, 20000, -20000},
        {0x0000FFFF, 20000, 0},
        {0xFFFF0000, 0, -20000},
        {0x80008000, 10000, -10000},
        {0x00000000, 0, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << test.volume);
        const WaveHandle handle = openOutput(pcmFormat(2, 16));
        EXPECT_EQ(waveOut.setVolume(handle, test.volume), WaveResult::Ok);
        std::uint32_t volume = 0;
        EXPECT_EQ(waveOut.getVolume(handle, &volume), WaveResult::Ok);
        EXPECT_EQ(volume, test.volume);
        std::vector<std::uint8_t> bytes = pcm16({20000, -20000});
        WaveHeader header;
        queue(handle, header, bytes);
        waveOut.render(1);
        const std::vector<std::int16_t> mixed = waveOut.takeCapture();
        EXPECT_NEAR(mixed[0], test.left, 1);
        EXPECT_NEAR(mixed[1], test.right, 1);
        EXPECT_EQ(waveOut.close(handle), WaveResult::Ok);
    }
}

TEST_F(WaveMixerTest, OutputsAreAddedAndClipped) {
    const WaveHandle first = openOutput(pcmFormat(1, 16));
    const WaveHandle second = openOutput(pcmFormat(1, 16));
    std::vector<std::uint8_t> bytesA = pcm16({1000, 30000, -30000});
    std::vector<std::uint8_t> bytesB = pcm16({-300, 30000, -30000});
    WaveHeader headerA;
    WaveHeader headerB;
    queue(first, headerA, bytesA);
    queue(second, headerB, bytesB);
    waveOut.render(3);
    EXPECT_EQ(waveOut.takeCapture(), (std::vector<std::int16_t>{700, 700, 32767, 32767, -32768, -32768}));
    EXPECT_EQ(doneCount(), 2u);
}

TEST_F(WaveMixerTest, OtherRatesAreResampledToTheDevicePace) {
    const WaveHandle handle = openOutput(pcmFormat(1, 16, kRate / 2));
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 2000; ++i) {
        ramp.push_back(static_cast<std::int16_t>(i * 10));
    }
    std::vector<std::uint8_t> bytes = pcm16(ramp);
    WaveHeader header;
    queue(handle, header, bytes);
    waveOut.render(3999);
    EXPECT_EQ(doneCount(), 0u);
    waveOut.render(1);
    EXPECT_EQ(doneCount(), 1u) << "half the rate takes twice the device frames";
    const std::vector<std::int16_t> mixed = waveOut.takeCapture();
    // Inside a chunk the output interpolates halfway between neighbouring source frames.
    EXPECT_EQ(mixed[2 * 200], 1000);
    EXPECT_EQ(mixed[2 * 201], 1005);
    EXPECT_EQ(mixed[2 * 201 + 1], 1005);
}

TEST_F(WaveMixerTest, PauseHoldsThePositionAndRestartResumes) {
    const WaveHandle handle = openOutput(pcmFormat(1, 16));
    std::vector<std::int16_t> samples(8820, 7);
    std::vector<std::uint8_t> bytes = pcm16(samples);
    WaveHeader header;
    queue(handle, header, bytes);
    waveOut.render(4410);
    WaveTime time{kWaveTimeMilliseconds, 0};
    EXPECT_EQ(waveOut.getPosition(handle, &time), WaveResult::Ok);
    EXPECT_EQ(time.type, kWaveTimeMilliseconds);
    EXPECT_EQ(time.value, 100u);

    EXPECT_EQ(waveOut.pause(handle), WaveResult::Ok);
    waveOut.render(4410);
    EXPECT_EQ(waveOut.getPosition(handle, &time), WaveResult::Ok);
    EXPECT_EQ(time.value, 100u);
    EXPECT_EQ(doneCount(), 0u);

    EXPECT_EQ(waveOut.restart(handle), WaveResult::Ok);
    waveOut.render(4410);
    EXPECT_EQ(doneCount(), 1u);
    WaveTime samplesTime{kWaveTimeSamples, 0};
    EXPECT_EQ(waveOut.getPosition(handle, &samplesTime), WaveResult::Ok);
    EXPECT_EQ(samplesTime.value, 8820u);
    WaveTime bytesTime{kWaveTimeBytes, 0};
    EXPECT_EQ(waveOut.getPosition(handle, &bytesTime), WaveResult::Ok);
    EXPECT_EQ(bytesTime.value, 8820u * 2);

    EXPECT_EQ(waveOut.reset(handle), WaveResult::Ok);
    EXPECT_EQ(waveOut.getPosition(handle, &time), WaveResult::Ok);
    EXPECT_EQ(time.value, 0u);
}

TEST_F(WaveMixerTest, ResetReturnsEveryQueuedHeaderAndEndsAPause) {
    const WaveHandle handle = openOutput(pcmFormat(1, 16));
    std::vector<std::uint8_t> bytesA = pcm16({1, 2, 3});
    std::vector<std::uint8_t> bytesB = pcm16({4, 5, 6});
    WaveHeader headerA;
    WaveHeader headerB;
    EXPECT_EQ(waveOut.pause(handle), WaveResult::Ok);
    queue(handle, headerA, bytesA);
    queue(handle, headerB, bytesB);
    EXPECT_EQ(waveOut.reset(handle), WaveResult::Ok);
    ASSERT_EQ(doneCount(), 2u);
    EXPECT_EQ(notices[notices.size() - 2].header, reinterpret_cast<std::uintptr_t>(&headerA));
    EXPECT_EQ(notices.back().header, reinterpret_cast<std::uintptr_t>(&headerB));

    queue(handle, headerA, bytesA);
    waveOut.render(3);
    EXPECT_EQ(waveOut.takeCapture(), (std::vector<std::int16_t>{1, 1, 2, 2, 3, 3}));
}

TEST_F(WaveMixerTest, EmptyAndPartialFrameBuffersAreHandledSafely) {
    const WaveHandle handle = openOutput(pcmFormat(2, 16));
    std::vector<std::uint8_t> bytes = pcm16({1, 2, 3, 4, 5});
    WaveHeader partial;
    queue(handle, partial, bytes); // 10 bytes: two whole frames and half a frame
    std::vector<std::uint8_t> none;
    WaveHeader empty;
    queue(handle, empty, none);
    waveOut.render(3);
    EXPECT_EQ(waveOut.takeCapture(), (std::vector<std::int16_t>{1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(doneCount(), 2u);
}

TEST_F(WaveMixerTest, MisuseIsRefused) {
    const WaveHandle handle = openOutput(pcmFormat(1, 16));
    std::vector<std::uint8_t> bytes = pcm16({1});
    WaveHeader header;
    header.data = bytes.data();
    header.bufferLength = 2;
    EXPECT_EQ(waveOut.write(handle, &header), WaveResult::Unprepared);
    EXPECT_EQ(waveOut.write(handle, nullptr), WaveResult::InvalidParameter);
    EXPECT_EQ(waveOut.prepareHeader(handle, nullptr), WaveResult::InvalidParameter);
    WaveHeader noData;
    noData.bufferLength = 8;
    EXPECT_EQ(waveOut.prepareHeader(handle, &noData), WaveResult::InvalidParameter);
    ASSERT_EQ(waveOut.prepareHeader(handle, &header), WaveResult::Ok);
    ASSERT_EQ(waveOut.write(handle, &header), WaveResult::Ok);
    EXPECT_EQ(waveOut.write(handle, &header), WaveResult::StillPlaying) << "a header is queued once";

    const WaveHandle stale = handle + 100;
    WaveTime time;
    std::uint32_t volume = 0;
    EXPECT_EQ(waveOut.write(stale, &header), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.reset(stale), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.pause(stale), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.restart(stale), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.close(stale), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.getPosition(stale, &time), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.getVolume(stale, &volume), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.setVolume(stale, 0), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.unprepareHeader(stale, &header), WaveResult::InvalidHandle);
    EXPECT_EQ(waveOut.prepareHeader(stale, &header), WaveResult::InvalidHandle);
}

TEST_F(WaveMixerTest, UnplayableFormatsAreRefusedAtOpen) {
    struct Case {
        const char* what;
        WaveFormat format;
    };
    WaveFormat compressed = pcmFormat(1, 16);
    compressed.formatTag = 2;
    WaveFormat noChannels = pcmFormat(1, 16);
    noChannels.channels = 0;
    WaveFormat sixChannels = pcmFormat(1, 16);
    sixChannels.channels = 6;
    sixChannels.blockAlign = 12;
    const WaveFormat twentyFourBits = pcmFormat(1, 24);
    const WaveFormat noRate = pcmFormat(2, 16, 0);
    WaveFormat wrongBlockAlign = pcmFormat(2, 16);
    wrongBlockAlign.blockAlign = 0;
    const Case cases[] = {{"compressed", compressed},      {"no channels", noChannels},
                          {"six channels", sixChannels},  {"24 bits", twentyFourBits},
                          {"rate 0", noRate},             {"block align 0", wrongBlockAlign}};
    for (const Case& test : cases) {
        WaveHandle handle = 99;
        EXPECT_EQ(waveOut.open(&handle, 0, test.format, &recordNotice, 0), WaveResult::BadFormat) << test.what;
        EXPECT_EQ(handle, kNoWaveHandle) << test.what;
    }
    WaveHandle handle = 99;
    EXPECT_EQ(waveOut.open(&handle, 1, pcmFormat(1, 16), &recordNotice, 0), WaveResult::BadDevice);
    EXPECT_TRUE(notices.empty());
}

TEST_F(WaveMixerTest, TheCaptureDeviceReportsVolumeSupport) {
    EXPECT_EQ(waveOut.getDeviceCount(), 1u);
    WaveCaps caps;
    EXPECT_EQ(waveOut.getDeviceCaps(0, &caps), WaveResult::Ok);
    EXPECT_EQ(caps.support & kWaveCapsVolume, kWaveCapsVolume);
    EXPECT_EQ(waveOut.getDeviceCaps(1, &caps), WaveResult::BadDevice);
}

} // namespace
} // namespace platform
