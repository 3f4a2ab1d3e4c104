// A scripted wave output for tests: answers as set in its fields, records every call as one
// line of text, and plays nothing. A test finishes queued buffers with finish(), as the device
// thread would.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/WaveOut.h"

namespace platform {

class WaveOutDouble : public WaveOutService {
public:
    // Answers.
    std::uint32_t deviceCount = 1;
    std::uint32_t support = kWaveCapsVolume;
    WaveResult capsResult = WaveResult::Ok;
    WaveResult openResult = WaveResult::Ok;
    WaveResult prepareResult = WaveResult::Ok;
    WaveResult writeResult = WaveResult::Ok;
    WaveResult getVolumeResult = WaveResult::Ok;
    WaveResult positionResult = WaveResult::Ok;
    std::uint32_t volume = kWaveFullVolume; // reported by getVolume, stored by setVolume
    WaveTime position{kWaveTimeMilliseconds, 0}; // reported by getPosition

    // One line per call, e.g. "open 0 22050 1 16", "write 1 loops 3 flags 14", "reset 1".
    std::vector<std::string> calls;

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

    // Returns every queued header of handle as done, sending the notices.
    void finish(WaveHandle handle);
    // Headers queued on handle and not yet done.
    std::vector<WaveHeader*> queued(WaveHandle handle) const;
    // Number of outputs open now.
    std::size_t openCount() const { return outputs_.size(); }
    // The text of the last call, or "" before any.
    std::string lastCall() const { return calls.empty() ? std::string() : calls.back(); }

private:
    struct Output {
        WaveCallback callback = nullptr;
        std::uintptr_t instance = 0;
        std::vector<WaveHeader*> queue;
    };
    Output* find(WaveHandle handle);
    void record(const std::string& line) { calls.push_back(line); }

    WaveHandle nextHandle_ = 1;
    std::map<WaveHandle, Output> outputs_;
};

} // namespace platform
