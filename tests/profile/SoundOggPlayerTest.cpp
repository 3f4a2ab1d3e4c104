// The Ogg Vorbis player: decoding the checked-in tones (made with Debian's sox and oggenc)
// against the reference decodings of oggdec and sox, and corrupt or cut-off streams.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SoundFixture.h"
#include "WavBytes.h"
#include "profile/SoundManager.h"
#include "profile/SoundOggPlayer.h"
#include "profile/SoundWavHeader.h"

namespace profile {
namespace {

// Tremor decodes in integers, the reference decoders in floating point.
constexpr int kSampleTolerance = 2;

struct Tone {
    const char* name;
    std::uint16_t channels;
    std::uint32_t rate;
    jlong duration;
};

const Tone kTones[] = {
    {"tone-mono", 1, 44100, 200000},
    {"tone-stereo", 2, 22050, 300000},
};

// The 16-bit samples of a reference WAV fixture.
std::vector<std::int16_t> referenceSamples(const std::string& name) {
    const std::vector<std::uint8_t> bytes = testing::readSoundFixture(name);
    WavLayout layout;
    EXPECT_EQ(parseWavHeader(bytes.data(), bytes.size(), &layout), WavError::None) << name;
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i + 1 < layout.dataLength; i += 2) {
        const std::uint8_t* at = bytes.data() + layout.dataOffset + i;
        samples.push_back(static_cast<std::int16_t>(at[0] | (at[1] << 8)));
    }
    return samples;
}

// The largest difference between two equally long sample runs.
int largestDifference(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        largest = std::max(largest, std::abs(a[i] - b[i]));
    }
    return largest;
}

class SoundOggPlayerTest : public testing::SoundFixture {};

TEST_F(SoundOggPlayerTest, TonesDecodeToTheReferenceSampleCountAndSamples) {
    for (const Tone& tone : kTones) {
        SCOPED_TRACE(tone.name);
        const std::vector<std::uint8_t> ogg = testing::readSoundFixture(std::string(tone.name) + ".ogg");
        ASSERT_FALSE(ogg.empty());
        javax_microedition_media_Player* player = playerOf(ogg);
        ASSERT_NE(dynamic_cast<OggPlayer*>(player), nullptr);
        player->realize();
        ASSERT_EQ(player->getState(), kPlayerRealized);
        EXPECT_EQ(player->format.formatTag, platform::kWaveFormatPcm);
        EXPECT_EQ(player->format.channels, tone.channels);
        EXPECT_EQ(player->format.samplesPerSecond, tone.rate);
        EXPECT_EQ(player->format.bitsPerSample, 16);
        EXPECT_EQ(player->format.blockAlign, tone.channels * 2);
        EXPECT_EQ(player->format.averageBytesPerSecond, tone.rate * tone.channels * 2);
        EXPECT_EQ(player->getDuration(), tone.duration);

        std::vector<std::int16_t> decoded(static_cast<std::size_t>(player->pcmLength) / 2);
        std::memcpy(decoded.data(), player->pcm, decoded.size() * 2);
        for (const char* reference : {".oggdec.wav", ".sox.wav"}) {
            const std::vector<std::int16_t> expected = referenceSamples(std::string(tone.name) + reference);
            ASSERT_EQ(decoded.size(), expected.size()) << reference;
            EXPECT_LE(largestDifference(decoded, expected), kSampleTolerance) << reference;
        }
    }
}

TEST_F(SoundOggPlayerTest, ACorruptStreamIsLoggedAndNeverPlays) {
    std::vector<std::uint8_t> corrupt = {'O', 'g', 'g', 'S'};
    for (int i = 0; i < 300; ++i) {
        corrupt.push_back(static_cast<std::uint8_t>(i * 37));
    }
    javax_microedition_media_Player* player = playerOf(corrupt);
    ASSERT_NE(player, nullptr);
    player->start();
    EXPECT_EQ(player->getState(), kPlayerUnrealized);
    EXPECT_TRUE(loggedContaining("not an Ogg Vorbis stream"));
    EXPECT_EQ(waveOut.openCount(), 0u);
    player->close();
    EXPECT_EQ(player->getState(), kPlayerClosed);
}

TEST_F(SoundOggPlayerTest, CutOffAndDamagedStreamsFailSafelyOrPlayWhatTheyHold) {
    const std::vector<std::uint8_t> whole = testing::readSoundFixture("tone-mono.ogg");
    ASSERT_FALSE(whole.empty());
    javax_microedition_media_Player* full = playerOf(whole);
    full->realize();
    const jint fullLength = full->pcmLength;
    full->close();

    std::vector<std::vector<std::uint8_t>> streams;
    for (std::size_t length = 4; length < whole.size(); length += 173) {
        streams.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    }
    for (std::size_t at = 30; at < whole.size(); at += 211) {
        std::vector<std::uint8_t> damaged = whole;
        damaged[at] ^= 0x5A;
        streams.push_back(damaged);
    }
    for (const std::vector<std::uint8_t>& bytes : streams) {
        javax_microedition_media_Player* player = playerOf(bytes);
        player->start();
        const jint state = player->getState();
        EXPECT_TRUE(state == kPlayerUnrealized || state == kPlayerStarted) << bytes.size();
        if (state == kPlayerStarted) {
            EXPECT_GT(player->pcmLength, 0);
            EXPECT_LE(player->pcmLength, fullLength);
            EXPECT_EQ(player->pcmLength % 2, 0);
        }
        player->close();
    }
    EXPECT_EQ(waveOut.openCount(), 0u);
}

TEST_F(SoundOggPlayerTest, TheCounterFollowsCreatedAndClosedOggPlayers) {
    const std::vector<std::uint8_t> ogg = testing::readSoundFixture("tone-mono.ogg");
    const jint before = OggPlayer::openCount();
    javax_microedition_media_Player* first = playerOf(ogg);
    javax_microedition_media_Player* second = playerOf(ogg);
    EXPECT_EQ(OggPlayer::openCount(), before + 2);
    first->realize();
    first->close();
    first->close();
    EXPECT_EQ(OggPlayer::openCount(), before + 1);
    second->release();
    EXPECT_EQ(OggPlayer::openCount(), before);
    const std::vector<std::uint8_t> wav = testing::makeWav(1, 8000, 8, {0x80});
    Manager::createPlayer(wav.data(), static_cast<jint>(wav.size()), nullptr)->close();
    EXPECT_EQ(OggPlayer::openCount(), before);
}

TEST_F(SoundOggPlayerTest, OggPlayersReportTheWavContentType) {
    javax_microedition_media_Player* player = playerOf(testing::readSoundFixture("tone-stereo.ogg"));
    player->realize();
    EXPECT_EQ(text(player->getContentType()), "audio/x-wav");
}

} // namespace
} // namespace profile
