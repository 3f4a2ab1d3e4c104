// Builds WAV file bytes for the sound tests, and reads the checked-in sound fixtures.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace profile::testing {

inline void putLittle(std::vector<std::uint8_t>& bytes, const std::uint32_t value, const int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    }
}

inline void putTag(std::vector<std::uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

// A canonical 44-byte-header WAV file of the given samples. dataLength overrides the length the
// header states (-1: the real one).
inline std::vector<std::uint8_t> makeWav(const std::uint16_t channels, const std::uint32_t rate,
                                         const std::uint16_t bits, const std::vector<std::uint8_t>& samples,
                                         const std::int64_t dataLength = -1) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    const auto stated = static_cast<std::uint32_t>(dataLength < 0 ? samples.size() : dataLength);
    std::vector<std::uint8_t> bytes;
    putTag(bytes, "RIFF");
    putLittle(bytes, 36 + stated, 4);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putLittle(bytes, 16, 4);
    putLittle(bytes, 1, 2);
    putLittle(bytes, channels, 2);
    putLittle(bytes, rate, 4);
    putLittle(bytes, rate * blockAlign, 4);
    putLittle(bytes, blockAlign, 2);
    putLittle(bytes, bits, 2);
    putTag(bytes, "data");
    putLittle(bytes, stated, 4);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

// The little-endian bytes of 16-bit samples.
inline std::vector<std::uint8_t> sampleBytes(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t sample : samples) {
        putLittle(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

// The bytes of tests/fixtures/sound/<name>; empty when missing.
inline std::vector<std::uint8_t> readSoundFixture(const std::string& name) {
    std::ifstream file(std::string(TARNWICK_FIXTURES_DIR) + "/sound/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace profile::testing
