// The wave output over SDL audio: one SDL audio device shared by every open output, fed by the
// software mixer (WaveMixer.h).
//
// Device mode opens SDL audio on first use (SDL_AUDIODRIVER=dummy plays silently at the
// device's pace; disk writes the stream to a file). Capture mode opens no device: the test
// drives the clock with render() and reads back exactly what was mixed.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/WaveMixer.h"
#include "platform/WaveOut.h"

namespace platform {

inline constexpr std::uint32_t kDefaultDeviceRate = 44100;

class SdlWaveOut : public WaveOutService {
public:
    enum class Mode { Device, Capture };

    explicit SdlWaveOut(Mode mode = Mode::Device, std::uint32_t deviceRate = kDefaultDeviceRate);
    ~SdlWaveOut() override;
    SdlWaveOut(const SdlWaveOut&) = delete;
    SdlWaveOut& operator=(const SdlWaveOut&) = delete;

    std::uint32_t getDeviceCount() override;
    WaveResult getDeviceCaps(std::uint32_t deviceId, WaveCaps* caps) override;
    WaveResult open(WaveHandle* handle, std::uint32_t deviceId, const WaveFormat& format,
                    WaveCallback callback, std::uintptr_t instance) override;
    WaveResult close(WaveHandle handle) override;
    WaveResult prepareHeader(WaveHandle handle, WaveHeader* header) override;
    WaveResult unprepareHeader(WaveHandle handle, WaveHeader* header) override;
    WaveResult write(WaveHandle handle, WaveHeader* header) override;
    WaveResult pause(WaveHandle handle) override;
    WaveResult restart(WaveHandle handle) override;
    WaveResult reset(WaveHandle handle) override;
    WaveResult getVolume(WaveHandle handle, std::uint32_t* volume) override;
    WaveResult setVolume(WaveHandle handle, std::uint32_t volume) override;
    WaveResult getPosition(WaveHandle handle, WaveTime* time) override;

    // Device frames per second (stereo, 16-bit native).
    std::uint32_t deviceRate() const { return deviceRate_; }
    // Capture mode: mixes the next frames device frames and appends them to the capture.
    void render(std::uint32_t frames);
    // Capture mode: the interleaved stereo samples mixed so far; the capture starts over.
    std::vector<std::int16_t> takeCapture();

private:
    // Opens the SDL device once; false when there is none.
    bool ensureDevice();
    static void fillAudio(void* self, std::uint8_t* stream, int length);

    const Mode mode_;
    std::uint32_t deviceRate_;
    std::mutex mutex_; // guards the mixer and the capture against the audio thread
    WaveMixer mixer_;
    std::vector<std::int16_t> capture_;
    bool deviceTried_ = false;
    bool deviceOpen_ = false;
    bool startedAudioSubsystem_ = false;
};

} // namespace platform
