// The WAV header reader: canonical files, the layouts around them, malformed input, and a
// mutation sweep that must never read outside the bytes.
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "WavBytes.h"
#include "profile/SoundWavHeader.h"

namespace profile {
namespace {

using testing::makeWav;
using testing::putLittle;
using testing::putTag;

TEST(SoundWavHeaderTest, ACanonicalFileGivesItsFormatAndSamples) {
    const std::vector<std::uint8_t> bytes = makeWav(2, 22050, 16, std::vector<std::uint8_t>(400, 1));
    WavLayout layout;
    ASSERT_EQ(parseWavHeader(bytes.data(), bytes.size(), &layout), WavError::None);
    EXPECT_EQ(layout.format.formatTag, 1);
    EXPECT_EQ(layout.format.channels, 2);
    EXPECT_EQ(layout.format.samplesPerSecond, 22050u);
    EXPECT_EQ(layout.format.averageBytesPerSecond, 88200u);
    EXPECT_EQ(layout.format.blockAlign, 4);
    EXPECT_EQ(layout.format.bitsPerSample, 16);
    EXPECT_EQ(layout.dataOffset, 44u);
    EXPECT_EQ(layout.dataLength, 400u);
    EXPECT_FALSE(layout.truncated);
}

TEST(SoundWavHeaderTest, AFixtureWrittenBySoxReadsAsCanonical) {
    const std::vector<std::uint8_t> bytes = testing::readSoundFixture("tone-mono.sox.wav");
    ASSERT_FALSE(bytes.empty());
    WavLayout layout;
    ASSERT_EQ(parseWavHeader(bytes.data(), bytes.size(), &layout), WavError::None);
    EXPECT_EQ(layout.format.channels, 1);
    EXPECT_EQ(layout.format.samplesPerSecond, 44100u);
    EXPECT_EQ(layout.dataOffset, 44u);
    EXPECT_EQ(layout.dataLength, 8820u * 2);
}

TEST(SoundWavHeaderTest, ADataLengthBeyondTheFileIsCutToTheBytesPresent) {
    const std::vector<std::uint8_t> bytes = makeWav(1, 8000, 8, std::vector<std::uint8_t>(10, 0x80), 100000);
    WavLayout layout;
    ASSERT_EQ(parseWavHeader(bytes.data(), bytes.size(), &layout), WavError::None);
    EXPECT_EQ(layout.dataLength, 10u);
    EXPECT_TRUE(layout.truncated);
}

TEST(SoundWavHeaderTest, LongerFormatChunksAndExtraChunksAreWalkedOver) {
    std::vector<std::uint8_t> bytes;
    putTag(bytes, "RIFF");
    putLittle(bytes, 0, 4);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putLittle(bytes, 18, 4); // with the extra-size word
    putLittle(bytes, 1, 2);
    putLittle(bytes, 1, 2);
    putLittle(bytes, 11025, 4);
    putLittle(bytes, 22050, 4);
    putLittle(bytes, 2, 2);
    putLittle(bytes, 16, 2);
    putLittle(bytes, 0, 2);
    putTag(bytes, "LIST");
    putLittle(bytes, 3, 4); // odd length: one pad byte follows
    bytes.insert(bytes.end(), {'a', 'b', 'c', 0});
    putTag(bytes, "data");
    putLittle(bytes, 6, 4);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6});
    WavLayout layout;
    ASSERT_EQ(parseWavHeader(bytes.data(), bytes.size(), &layout), WavError::None);
    EXPECT_EQ(layout.format.samplesPerSecond, 11025u);
    EXPECT_EQ(layout.dataOffset, bytes.size() - 6);
    EXPECT_EQ(layout.dataLength, 6u);
}

TEST(SoundWavHeaderTest, MalformedFilesAreNamed) {
    const std::vector<std::uint8_t> good = makeWav(1, 8000, 8, {0x80, 0x80});
    auto with = [&good](const std::size_t offset, const std::vector<std::uint8_t>& patch) {
        std::vector<std::uint8_t> bytes = good;
        for (std::size_t i = 0; i < patch.size(); ++i) {
            bytes.at(offset + i) = patch[i];
        }
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        WavError error;
    };
    const Case cases[] = {
        {"empty", {}, WavError::TooShort},
        {"eleven bytes", std::vector<std::uint8_t>(good.begin(), good.begin() + 11), WavError::TooShort},
        {"big-endian RIFF", with(0, {'R', 'I', 'F', 'X'}), WavError::NotRiff},
        {"Ogg data", with(0, {'O', 'g', 'g', 'S'}), WavError::NotRiff},
        {"not WAVE", with(8, {'A', 'V', 'I', ' '}), WavError::NotWave},
        {"no fmt chunk", with(12, {'f', 'a', 't', ' '}), WavError::NoFormatChunk},
        {"fmt chunk of 14", with(16, {14, 0, 0, 0}), WavError::ShortFormatChunk},
        {"fmt cut off", std::vector<std::uint8_t>(good.begin(), good.begin() + 30), WavError::ShortFormatChunk},
        {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 36), WavError::NoDataChunk},
        {"no data chunk", with(36, {'d', 'a', 't', 'e'}), WavError::NoDataChunk},
        {"data cut off", std::vector<std::uint8_t>(good.begin(), good.begin() + 44), WavError::NoSamples},
        {"data of 0", with(40, {0, 0, 0, 0}), WavError::NoSamples},
        {"huge fmt chunk", with(16, {0xFF, 0xFF, 0xFF, 0xFF}), WavError::NoDataChunk},
    };
    for (const Case& test : cases) {
        WavLayout layout;
        EXPECT_EQ(parseWavHeader(test.bytes.data(), test.bytes.size(), &layout), test.error) << test.what;
        EXPECT_STRNE(wavErrorText(test.error), "unknown error");
    }
    EXPECT_EQ(parseWavHeader(nullptr, 100, nullptr), WavError::TooShort);
}

TEST(SoundWavHeaderTest, MutatedHeadersNeverPointOutsideTheBytes) {
    const std::vector<std::uint8_t> good = makeWav(2, 44100, 16, std::vector<std::uint8_t>(64, 7));
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> bytes = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % 48] = static_cast<std::uint8_t>(random());
        }
        bytes.resize(random() % (bytes.size() + 1));
        WavLayout layout;
        if (parseWavHeader(bytes.data(), bytes.size(), &layout) == WavError::None) {
            ASSERT_GT(layout.dataLength, 0u);
            ASSERT_LE(static_cast<std::uint64_t>(layout.dataOffset) + layout.dataLength, bytes.size());
        }
    }
}

} // namespace
} // namespace profile
