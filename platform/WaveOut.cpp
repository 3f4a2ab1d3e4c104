// The current wave-output service and result names (see WaveOut.h).
#include "platform/WaveOut.h"

#include <atomic>

#include "platform/SdlWaveOut.h"

namespace platform {

namespace {
std::atomic<WaveOutService*> installedService{nullptr};
} // namespace

const char* waveResultText(const WaveResult result) {
    switch (result) {
    case WaveResult::Ok:
        return "ok";
    case WaveResult::Error:
        return "error";
    case WaveResult::BadDevice:
        return "bad device";
    case WaveResult::InvalidHandle:
        return "invalid handle";
    case WaveResult::NoMemory:
        return "no memory";
    case WaveResult::InvalidParameter:
        return "invalid parameter";
    case WaveResult::BadFormat:
        return "unsupported format";
    case WaveResult::StillPlaying:
        return "still playing";
    case WaveResult::Unprepared:
        return "header not prepared";
    }
    return "unknown result";
}

WaveResult prepareWaveHeader(WaveHeader* header) {
    if (header == nullptr || (header->data == nullptr && header->bufferLength != 0)) {
        return WaveResult::InvalidParameter;
    }
    header->flags |= kWaveHeaderPrepared;
    return WaveResult::Ok;
}

WaveResult unprepareWaveHeader(WaveHeader* header) {
    if (header == nullptr) {
        return WaveResult::InvalidParameter;
    }
    if (header->flags & kWaveHeaderInQueue) {
        return WaveResult::StillPlaying;
    }
    header->flags &= ~kWaveHeaderPrepared;
    return WaveResult::Ok;
}

WaveResult queueWaveHeader(WaveHeader* header) {
    if (header == nullptr) {
        return WaveResult::InvalidParameter;
    }
    if (!(header->flags & kWaveHeaderPrepared)) {
        return WaveResult::Unprepared;
    }
    if (header->flags & kWaveHeaderInQueue) {
        return WaveResult::StillPlaying;
    }
    header->flags = (header->flags & ~kWaveHeaderDone) | kWaveHeaderInQueue;
    return WaveResult::Ok;
}

void finishWaveHeader(WaveHeader& header) {
    header.flags = (header.flags & ~kWaveHeaderInQueue) | kWaveHeaderDone;
}

WaveOutService& waveOut() {
    if (WaveOutService* service = installedService.load()) {
        return *service;
    }
    // Created on first use, so a run that never plays a sound never opens the audio device.
    static SdlWaveOut defaultService;
    return defaultService;
}

WaveOutService* setWaveOut(WaveOutService* service) {
    return installedService.exchange(service);
}

} // namespace platform
