// Fuzz target "wav": the bytes are a WAV sound. The header reader must place the samples inside
// the bytes; the player made of them (type "audio/x-wav", as the game asks) is realized, played
// and closed.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "fuzz/SoundFuzz.h"
#include "profile/SoundPlayer.h"
#include "profile/SoundWavHeader.h"

namespace {

void fuzzWav(const std::uint8_t* data, const std::size_t size) {
    profile::WavLayout layout;
    if (profile::parseWavHeader(data, size, &layout) == profile::WavError::None &&
        (layout.dataOffset > size || layout.dataLength > size - layout.dataOffset ||
         layout.dataLength == 0)) {
        fuzzing::fail("the samples (%u bytes from %u) lie outside the %zu bytes", layout.dataLength,
                      layout.dataOffset, size);
    }
    fuzzing::playSound(data, size, profile::kWavContentType);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzWav);
}
