// The scripted wave output for tests (see WaveOutDouble.h).
#include "platform/WaveOutDouble.h"

#include <cstdio>
#include <utility>

namespace platform {

WaveOutDouble::Output* WaveOutDouble::find(const WaveHandle handle) {
    const auto found = outputs_.find(handle);
    return found == outputs_.end() ? nullptr : &found->second;
}

std::uint32_t WaveOutDouble::getDeviceCount() {
    record("getDeviceCount");
    return deviceCount;
}

WaveResult WaveOutDouble::getDeviceCaps(const std::uint32_t deviceId, WaveCaps* caps) {
    record("getDeviceCaps " + std::to_string(deviceId));
    if (capsResult != WaveResult::Ok) {
        return capsResult;
    }
    if (caps == nullptr) {
        return WaveResult::InvalidParameter;
    }
    caps->channels = 2;
    caps->support = support;
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::open(WaveHandle* handle, const std::uint32_t deviceId, const WaveFormat& format,
                               const WaveCallback callback, const std::uintptr_t instance) {
    record("open " + std::to_string(deviceId) + " " + std::to_string(format.samplesPerSecond) + " " +
           std::to_string(format.channels) + " " + std::to_string(format.bitsPerSample));
    if (handle == nullptr) {
        return WaveResult::InvalidParameter;
    }
    *handle = kNoWaveHandle;
    if (openResult != WaveResult::Ok) {
        return openResult;
    }
    *handle = nextHandle_++;
    outputs_[*handle] = Output{callback, instance, {}};
    if (callback != nullptr) {
        callback(*handle, kWaveOpened, instance, 0, 0);
    }
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::close(const WaveHandle handle) {
    record("close " + std::to_string(handle));
    Output* output = find(handle);
    if (output == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (!output->queue.empty()) {
        return WaveResult::StillPlaying;
    }
    const Output closed = *output;
    outputs_.erase(handle);
    if (closed.callback != nullptr) {
        closed.callback(handle, kWaveClosed, closed.instance, 0, 0);
    }
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::prepareHeader(const WaveHandle handle, WaveHeader* header) {
    record("prepare " + std::to_string(handle));
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (prepareResult != WaveResult::Ok) {
        return prepareResult;
    }
    return prepareWaveHeader(header);
}

WaveResult WaveOutDouble::unprepareHeader(const WaveHandle handle, WaveHeader* header) {
    record("unprepare " + std::to_string(handle));
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    return unprepareWaveHeader(header);
}

WaveResult WaveOutDouble::write(const WaveHandle handle, WaveHeader* header) {
    record("write " + std::to_string(handle) + " loops " +
           std::to_string(header == nullptr ? 0 : header->loops) + " flags " +
           std::to_string(header == nullptr ? 0 : header->flags));
    Output* output = find(handle);
    if (output == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (writeResult != WaveResult::Ok) {
        return writeResult;
    }
    const WaveResult result = queueWaveHeader(header);
    if (result != WaveResult::Ok) {
        return result;
    }
    output->queue.push_back(header);
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::pause(const WaveHandle handle) {
    record("pause " + std::to_string(handle));
    return find(handle) == nullptr ? WaveResult::InvalidHandle : WaveResult::Ok;
}

WaveResult WaveOutDouble::restart(const WaveHandle handle) {
    record("restart " + std::to_string(handle));
    return find(handle) == nullptr ? WaveResult::InvalidHandle : WaveResult::Ok;
}

WaveResult WaveOutDouble::reset(const WaveHandle handle) {
    record("reset " + std::to_string(handle));
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    finish(handle);
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::getVolume(const WaveHandle handle, std::uint32_t* result) {
    record("getVolume " + std::to_string(handle));
    if (getVolumeResult != WaveResult::Ok) {
        return getVolumeResult;
    }
    if (result == nullptr) {
        return WaveResult::InvalidParameter;
    }
    *result = volume;
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::setVolume(const WaveHandle handle, const std::uint32_t value) {
    char text[40];
    std::snprintf(text, sizeof text, "setVolume %u 0x%08X", handle, value);
    record(text);
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    volume = value;
    return WaveResult::Ok;
}

WaveResult WaveOutDouble::getPosition(const WaveHandle handle, WaveTime* time) {
    record("getPosition " + std::to_string(handle));
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (time == nullptr) {
        return WaveResult::InvalidParameter;
    }
    if (positionResult != WaveResult::Ok) {
        return positionResult;
    }
    *time = position;
    return WaveResult::Ok;
}

void WaveOutDouble::finish(const WaveHandle handle) {
    Output* output = find(handle);
    if (output == nullptr) {
        return;
    }
    const std::vector<WaveHeader*> headers = std::exchange(output->queue, {});
    for (WaveHeader* header : headers) {
        finishWaveHeader(*header);
        if (output->callback != nullptr) {
            output->callback(handle, kWaveDone, output->instance, reinterpret_cast<std::uintptr_t>(header), 0);
        }
    }
}

std::vector<WaveHeader*> WaveOutDouble::queued(const WaveHandle handle) const {
    const auto found = outputs_.find(handle);
    return found == outputs_.end() ? std::vector<WaveHeader*>() : found->second.queue;
}

} // namespace platform
