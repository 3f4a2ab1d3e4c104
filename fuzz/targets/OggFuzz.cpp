// Fuzz target "ogg": the bytes are an Ogg Vorbis sound; the player made of them (type
// "audio/ogg") decodes it whole when realized, then plays and closes.
//
// Every Ogg page carries a checksum, so almost any mutation makes the decoder drop the page
// before it reads what the page holds. Under libFuzzer the target therefore mutates through its
// own mutator, which puts right the checksum of every whole page after each mutation.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "fuzz/SoundFuzz.h"
#include "profile/SoundPlayer.h"

namespace {

void fuzzOgg(const std::uint8_t* data, const std::size_t size) {
    fuzzing::playSound(data, size, profile::kOggContentType);
}

#if TARNWICK_LIBFUZZER
// Ogg's page checksum: CRC-32 with polynomial 0x04C11DB7, not reflected, starting at 0, over
// the page with its checksum field zeroed.
std::uint32_t pageChecksum(const std::uint8_t* page, const std::size_t size) {
    constexpr std::size_t kChecksumAt = 22;
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = i >= kChecksumAt && i < kChecksumAt + 4 ? 0 : page[i];
        crc ^= static_cast<std::uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
    }
    return crc;
}

void fixPageChecksums(std::uint8_t* data, const std::size_t size) {
    constexpr std::size_t kHeaderBytes = 27;
    std::size_t at = 0;
    while (at + kHeaderBytes <= size) {
        if (data[at] != 'O' || data[at + 1] != 'g' || data[at + 2] != 'g' || data[at + 3] != 'S') {
            ++at;
            continue;
        }
        const std::size_t segments = data[at + 26];
        std::size_t length = kHeaderBytes + segments;
        if (at + length > size) {
            return;
        }
        for (std::size_t i = 0; i < segments; ++i) {
            length += data[at + kHeaderBytes + i];
        }
        if (at + length > size) {
            return;
        }
        const std::uint32_t crc = pageChecksum(data + at, length);
        for (int i = 0; i < 4; ++i) {
            data[at + 22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        }
        at += length;
    }
}
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzOgg);
}

#if TARNWICK_LIBFUZZER
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               const std::size_t maxSize, unsigned int /*seed*/) {
    const std::size_t mutated = LLVMFuzzerMutate(data, size, maxSize);
    fixPageChecksums(data, mutated);
    return mutated;
}
#endif
