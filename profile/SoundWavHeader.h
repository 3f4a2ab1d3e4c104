// The WAV header reader of the sound players: a pure function over the file's bytes, safe on
// any input.
//
// The game's sounds use the canonical 44-byte RIFF header (format fields at offsets 20-35, the
// data length at 40, samples from 44). The reader walks the RIFF chunks instead of trusting
// those offsets, which gives the same answer for a canonical file and the right one for a file
// with a longer format chunk or extra chunks. A data length beyond the bytes present is cut to
// them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/WaveOut.h"

namespace profile {

enum class WavError {
    None,
    TooShort,         // fewer bytes than a RIFF header
    NotRiff,          // does not start with "RIFF"
    NotWave,          // the RIFF form is not "WAVE"
    NoFormatChunk,    // no "fmt " chunk
    ShortFormatChunk, // a "fmt " chunk under 16 bytes, or cut off by the end of the file
    NoDataChunk,      // no "data" chunk
    NoSamples,        // the data chunk holds no bytes
};

struct WavLayout {
    platform::WaveFormat format;
    std::uint32_t dataOffset = 0; // where the samples start
    std::uint32_t dataLength = 0; // bytes of samples present
    bool truncated = false;       // the header promised more bytes than the file holds
};

// Reads the header of the size bytes at bytes into layout; layout is only valid on None.
WavError parseWavHeader(const std::uint8_t* bytes, std::size_t size, WavLayout* layout);
// Names an error for log lines.
const char* wavErrorText(WavError error);

} // namespace profile
