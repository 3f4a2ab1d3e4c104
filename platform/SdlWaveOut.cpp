// The wave output over SDL audio (see SdlWaveOut.h).
#include "platform/SdlWaveOut.h"

#include <SDL/SDL.h>

#include "runtime/Log.h"

namespace platform {

namespace {

// Device frames per SDL callback: about 23 ms at 44.1 kHz.
constexpr Uint16 kDeviceBufferFrames = 1024;
constexpr std::uint32_t kDeviceId = 0;

} // namespace

SdlWaveOut::SdlWaveOut(const Mode mode, const std::uint32_t deviceRate)
    : mode_(mode), deviceRate_(deviceRate == 0 ? kDefaultDeviceRate : deviceRate), mixer_(deviceRate_) {}

SdlWaveOut::~SdlWaveOut() {
    if (deviceOpen_) {
        // Waits for the audio thread, so no callback runs after this.
        SDL_CloseAudio();
    }
    if (startedAudioSubsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlWaveOut::ensureDevice() {
    if (mode_ == Mode::Capture) {
        return true;
    }
    if (deviceTried_) {
        return deviceOpen_;
    }
    deviceTried_ = true;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
            runtime::log("wave output: no audio (%s)", SDL_GetError());
            return false;
        }
        startedAudioSubsystem_ = true;
    }
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(deviceRate_);
    desired.format = AUDIO_S16SYS;
    desired.channels = static_cast<Uint8>(kDeviceChannels);
    desired.samples = kDeviceBufferFrames;
    desired.callback = &SdlWaveOut::fillAudio;
    desired.userdata = this;
    // Without an obtained spec SDL converts to the hardware's format itself.
    if (SDL_OpenAudio(&desired, nullptr) < 0) {
        runtime::log("wave output: cannot open the audio device (%s)", SDL_GetError());
        return false;
    }
    deviceOpen_ = true;
    SDL_PauseAudio(0);
    return true;
}

void SdlWaveOut::fillAudio(void* self, std::uint8_t* stream, const int length) {
    auto* waveOut = static_cast<SdlWaveOut*>(self);
    const auto frames = static_cast<std::uint32_t>(length) / (kDeviceChannels * sizeof(std::int16_t));
    const std::lock_guard lock(waveOut->mutex_);
    waveOut->mixer_.mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

void SdlWaveOut::render(const std::uint32_t frames) {
    if (mode_ != Mode::Capture) {
        return;
    }
    const std::lock_guard lock(mutex_);
    const std::size_t start = capture_.size();
    capture_.resize(start + static_cast<std::size_t>(frames) * kDeviceChannels);
    mixer_.mix(capture_.data() + start, frames);
}

std::vector<std::int16_t> SdlWaveOut::takeCapture() {
    const std::lock_guard lock(mutex_);
    std::vector<std::int16_t> samples;
    samples.swap(capture_);
    return samples;
}

std::uint32_t SdlWaveOut::getDeviceCount() {
    const std::lock_guard lock(mutex_);
    return ensureDevice() ? 1 : 0;
}

WaveResult SdlWaveOut::getDeviceCaps(const std::uint32_t deviceId, WaveCaps* caps) {
    if (caps == nullptr) {
        return WaveResult::InvalidParameter;
    }
    const std::lock_guard lock(mutex_);
    if (deviceId != kDeviceId || !ensureDevice()) {
        return WaveResult::BadDevice;
    }
    caps->channels = static_cast<std::uint16_t>(kDeviceChannels);
    caps->support = kWaveCapsVolume | kWaveCapsLeftRightVolume;
    return WaveResult::Ok;
}

WaveResult SdlWaveOut::open(WaveHandle* handle, const std::uint32_t deviceId, const WaveFormat& format,
                            const WaveCallback callback, const std::uintptr_t instance) {
    const std::lock_guard lock(mutex_);
    if (deviceId != kDeviceId || !ensureDevice()) {
        if (handle != nullptr) {
            *handle = kNoWaveHandle;
        }
        return WaveResult::BadDevice;
    }
    return mixer_.open(handle, format, callback, instance);
}

WaveResult SdlWaveOut::close(const WaveHandle handle) {
    const std::lock_guard lock(mutex_);
    return mixer_.close(handle);
}

WaveResult SdlWaveOut::prepareHeader(const WaveHandle handle, WaveHeader* header) {
    const std::lock_guard lock(mutex_);
    return mixer_.prepareHeader(handle, header);
}

WaveResult SdlWaveOut::unprepareHeader(const WaveHandle handle, WaveHeader* header) {
    const std::lock_guard lock(mutex_);
    return mixer_.unprepareHeader(handle, header);
}

WaveResult SdlWaveOut::write(const WaveHandle handle, WaveHeader* header) {
    const std::lock_guard lock(mutex_);
    return mixer_.write(handle, header);
}

WaveResult SdlWaveOut::pause(const WaveHandle handle) {
    const std::lock_guard lock(mutex_);
    return mixer_.pause(handle);
}

WaveResult SdlWaveOut::restart(const WaveHandle handle) {
    const std::lock_guard lock(mutex_);
    return mixer_.restart(handle);
}

WaveResult SdlWaveOut::reset(const WaveHandle handle) {
    const std::lock_guard lock(mutex_);
    return mixer_.reset(handle);
}

WaveResult SdlWaveOut::getVolume(const WaveHandle handle, std::uint32_t* volume) {
    const std::lock_guard lock(mutex_);
    return mixer_.getVolume(handle, volume);
}

WaveResult SdlWaveOut::setVolume(const WaveHandle handle, const std::uint32_t volume) {
    const std::lock_guard lock(mutex_);
    return mixer_.setVolume(handle, volume);
}

WaveResult SdlWaveOut::getPosition(const WaveHandle handle, WaveTime* time) {
    const std::lock_guard lock(mutex_);
    return mixer_.getPosition(handle, time);
}

} // namespace platform
