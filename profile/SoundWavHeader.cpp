// The WAV header reader (see SoundWavHeader.h).
#include "profile/SoundWavHeader.h"

#include <cstring>

namespace profile {

namespace {

constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::uint32_t kFormatChunkMinimum = 16;

std::uint16_t readLittle16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t readLittle32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool hasTag(const std::uint8_t* bytes, const char* tag) { return std::memcmp(bytes, tag, 4) == 0; }

void readFormat(const std::uint8_t* chunk, platform::WaveFormat* format) {
    format->formatTag = readLittle16(chunk);
    format->channels = readLittle16(chunk + 2);
    format->samplesPerSecond = readLittle32(chunk + 4);
    format->averageBytesPerSecond = readLittle32(chunk + 8);
    format->blockAlign = readLittle16(chunk + 12);
    format->bitsPerSample = readLittle16(chunk + 14);
    format->extraSize = 0;
}

} // namespace

WavError parseWavHeader(const std::uint8_t* bytes, const std::size_t size, WavLayout* layout) {
    if (bytes == nullptr || size < kRiffHeaderSize) {
        return WavError::TooShort;
    }
    if (!hasTag(bytes, "RIFF")) {
        return WavError::NotRiff;
    }
    if (!hasTag(bytes + 8, "WAVE")) {
        return WavError::NotWave;
    }
    WavLayout found;
    bool haveFormat = false;
    bool haveData = false;
    // 64-bit offsets: chunk lengths come from the file and may be anything.
    std::uint64_t offset = kRiffHeaderSize;
    while (offset + kChunkHeaderSize <= size && !(haveFormat && haveData)) {
        const std::uint8_t* chunk = bytes + offset;
        const std::uint32_t length = readLittle32(chunk + 4);
        const std::uint64_t body = offset + kChunkHeaderSize;
        if (!haveFormat && hasTag(chunk, "fmt ")) {
            if (length < kFormatChunkMinimum || body + kFormatChunkMinimum > size) {
                return WavError::ShortFormatChunk;
            }
            readFormat(bytes + body, &found.format);
            haveFormat = true;
        } else if (!haveData && hasTag(chunk, "data")) {
            const std::uint64_t present = size - body;
            found.dataOffset = static_cast<std::uint32_t>(body);
            found.dataLength = static_cast<std::uint32_t>(length <= present ? length : present);
            found.truncated = length > present;
            haveData = true;
        }
        // Chunks are padded to an even length.
        offset = body + length + (length & 1u);
    }
    if (!haveFormat) {
        return WavError::NoFormatChunk;
    }
    if (!haveData) {
        return WavError::NoDataChunk;
    }
    if (found.dataLength == 0) {
        return WavError::NoSamples;
    }
    if (layout != nullptr) {
        *layout = found;
    }
    return WavError::None;
}

const char* wavErrorText(const WavError error) {
    switch (error) {
    case WavError::None:
        return "no error";
    case WavError::TooShort:
        return "too short for a RIFF header";
    case WavError::NotRiff:
        return "no RIFF signature";
    case WavError::NotWave:
        return "not a WAVE file";
    case WavError::NoFormatChunk:
        return "no format chunk";
    case WavError::ShortFormatChunk:
        return "format chunk too short";
    case WavError::NoDataChunk:
        return "no data chunk";
    case WavError::NoSamples:
        return "no samples";
    }
    return "unknown error";
}

} // namespace profile
