// The software mixer behind SdlWaveOut: the open outputs, their queued buffers, and the mixing
// of all of them into one device stream.
//
// The device stream is 16-bit native-endian stereo at a fixed rate. Each output's PCM is
// converted to 16-bit stereo by SDL's converter (SDL_BuildAudioCVT) one chunk at a time, then
// resampled to the device rate by linear interpolation (an exact copy when the rates match),
// scaled by the output's left and right volume, and added into the device stream with clipping.
//
// The mixer does no locking: its owner serialises every call. Done notices are sent from
// inside mix() and reset(), on the caller's thread.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include <SDL/SDL_audio.h>

#include "platform/WaveOut.h"

namespace platform {

inline constexpr std::uint32_t kDeviceChannels = 2;

class WaveMixer {
public:
    explicit WaveMixer(std::uint32_t deviceRate);
    ~WaveMixer();
    WaveMixer(const WaveMixer&) = delete;
    WaveMixer& operator=(const WaveMixer&) = delete;

    std::uint32_t deviceRate() const { return deviceRate_; }

    // The operations of WaveOutService for one open output (device selection is the owner's).
    WaveResult open(WaveHandle* handle, const WaveFormat& format, WaveCallback callback,
                    std::uintptr_t instance);
    WaveResult close(WaveHandle handle);
    WaveResult prepareHeader(WaveHandle handle, WaveHeader* header);
    WaveResult unprepareHeader(WaveHandle handle, WaveHeader* header);
    WaveResult write(WaveHandle handle, WaveHeader* header);
    WaveResult pause(WaveHandle handle);
    WaveResult restart(WaveHandle handle);
    WaveResult reset(WaveHandle handle);
    WaveResult getVolume(WaveHandle handle, std::uint32_t* volume);
    WaveResult setVolume(WaveHandle handle, std::uint32_t volume);
    WaveResult getPosition(WaveHandle handle, WaveTime* time);

    // Fills frames device frames (interleaved left, right) with the mix of every playing output.
    void mix(std::int16_t* out, std::uint32_t frames);

    // Number of open outputs.
    std::size_t openCount() const { return streams_.size(); }

private:
    struct Stream {
        WaveHandle handle = kNoWaveHandle;
        WaveFormat format;
        WaveCallback callback = nullptr;
        std::uintptr_t instance = 0;
        SDL_AudioCVT converter{};
        std::vector<std::uint8_t> convertBuffer; // one source chunk, grown by the converter
        std::deque<WaveHeader*> queue;
        bool frontStarted = false;     // the front header's plays have been counted
        std::uint32_t readOffset = 0;  // bytes of the front header already converted
        std::uint32_t playsLeft = 0;   // plays of the front header still to start, this one included
        std::vector<std::int16_t> chunk; // converted stereo frames at the source rate
        std::uint32_t chunkFrames = 0;
        bool chunkEndsHeader = false;  // the chunk holds the end of the front header's last play
        std::uint64_t phase = 0;       // read position in the chunk, 32.32 fixed point
        std::uint64_t step = 0;        // source frames per device frame, 32.32 fixed point
        std::uint32_t volume = kWaveFullVolume;
        bool paused = false;
        std::uint64_t devicePlayed = 0; // device frames played since open or reset
    };

    Stream* find(WaveHandle handle);
    // Converts the next chunk of the queue into stream.chunk; false when nothing is queued.
    bool fillChunk(Stream& stream);
    // Returns the front header as done and sends its notice.
    void completeFront(Stream& stream);
    // Adds up to frames frames of stream into accumulator.
    void mixStream(Stream& stream, std::int32_t* accumulator, std::uint32_t frames);

    std::uint32_t deviceRate_;
    WaveHandle nextHandle_ = 1;
    std::map<WaveHandle, std::unique_ptr<Stream>> streams_;
    std::vector<std::int32_t> accumulator_;
};

} // namespace platform
