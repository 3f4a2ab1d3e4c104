// The software mixer (see WaveMixer.h).
#include "platform/WaveMixer.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Source frames converted at a time.
constexpr std::uint32_t kChunkFrames = 1024;
// Highest source rate accepted; keeps the resampling step well inside 32.32 fixed point.
constexpr std::uint32_t kMaxSampleRate = 384000;
constexpr std::uint32_t kFullChannelVolume = 0xFFFF;

bool headerLoops(const WaveHeader& header) {
    const std::uint32_t both = kWaveHeaderBeginLoop | kWaveHeaderEndLoop;
    return (header.flags & both) == both;
}

// Bytes of whole frames in the header.
std::uint32_t playableBytes(const WaveHeader& header, const std::uint32_t frameBytes) {
    if (header.data == nullptr) {
        return 0;
    }
    return header.bufferLength - header.bufferLength % frameBytes;
}

std::int32_t scale(const std::int32_t sample, const std::uint32_t volume) {
    if (volume == kFullChannelVolume) {
        return sample;
    }
    return sample * static_cast<std::int32_t>(volume) / static_cast<std::int32_t>(kFullChannelVolume);
}

} // namespace

WaveMixer::WaveMixer(const std::uint32_t deviceRate) : deviceRate_(deviceRate == 0 ? 1 : deviceRate) {}

WaveMixer::~WaveMixer() = default;

WaveMixer::Stream* WaveMixer::find(const WaveHandle handle) {
    const auto found = streams_.find(handle);
    return found == streams_.end() ? nullptr : found->second.get();
}

WaveResult WaveMixer::open(WaveHandle* handle, const WaveFormat& format, const WaveCallback callback,
                           const std::uintptr_t instance) {
    if (handle == nullptr) {
        return WaveResult::InvalidParameter;
    }
    *handle = kNoWaveHandle;
    const bool bitsSupported = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    if (format.formatTag != kWaveFormatPcm || format.channels < 1 || format.channels > 2 ||
        !bitsSupported || format.samplesPerSecond == 0 || format.samplesPerSecond > kMaxSampleRate ||
        format.blockAlign != format.channels * format.bitsPerSample / 8) {
        return WaveResult::BadFormat;
    }
    auto stream = std::make_unique<Stream>();
    const Uint16 sourceFormat = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    // The converter changes sample format and channels only; the rate is resampled here, since
    // SDL's converter only handles rates that differ by powers of two.
    if (SDL_BuildAudioCVT(&stream->converter, sourceFormat, static_cast<Uint8>(format.channels),
                          static_cast<int>(format.samplesPerSecond), AUDIO_S16SYS,
                          static_cast<Uint8>(kDeviceChannels),
                          static_cast<int>(format.samplesPerSecond)) < 0) {
        return WaveResult::BadFormat;
    }
    stream->handle = nextHandle_++;
    if (nextHandle_ == kNoWaveHandle) {
        nextHandle_ = 1;
    }
    stream->format = format;
    stream->callback = callback;
    stream->instance = instance;
    const std::size_t chunkBytes = static_cast<std::size_t>(kChunkFrames) * format.blockAlign;
    const std::size_t multiplier = stream->converter.needed ? stream->converter.len_mult : 1;
    stream->convertBuffer.resize(chunkBytes * static_cast<std::size_t>(multiplier));
    stream->chunk.resize(static_cast<std::size_t>(kChunkFrames) * kDeviceChannels);
    stream->step = (static_cast<std::uint64_t>(format.samplesPerSecond) << 32) / deviceRate_;
    *handle = stream->handle;
    Stream& opened = *stream;
    streams_.emplace(opened.handle, std::move(stream));
    if (opened.callback != nullptr) {
        opened.callback(opened.handle, kWaveOpened, opened.instance, 0, 0);
    }
    return WaveResult::Ok;
}

WaveResult WaveMixer::close(const WaveHandle handle) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (!stream->queue.empty()) {
        return WaveResult::StillPlaying;
    }
    const WaveCallback callback = stream->callback;
    const std::uintptr_t instance = stream->instance;
    streams_.erase(handle);
    if (callback != nullptr) {
        callback(handle, kWaveClosed, instance, 0, 0);
    }
    return WaveResult::Ok;
}

WaveResult WaveMixer::prepareHeader(const WaveHandle handle, WaveHeader* header) {
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    return prepareWaveHeader(header);
}

WaveResult WaveMixer::unprepareHeader(const WaveHandle handle, WaveHeader* header) {
    if (find(handle) == nullptr) {
        return WaveResult::InvalidHandle;
    }
    return unprepareWaveHeader(header);
}

WaveResult WaveMixer::write(const WaveHandle handle, WaveHeader* header) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    const WaveResult result = queueWaveHeader(header);
    if (result != WaveResult::Ok) {
        return result;
    }
    stream->queue.push_back(header);
    return WaveResult::Ok;
}

WaveResult WaveMixer::pause(const WaveHandle handle) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    stream->paused = true;
    return WaveResult::Ok;
}

WaveResult WaveMixer::restart(const WaveHandle handle) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    stream->paused = false;
    return WaveResult::Ok;
}

WaveResult WaveMixer::reset(const WaveHandle handle) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    while (!stream->queue.empty()) {
        completeFront(*stream);
    }
    stream->chunkFrames = 0;
    stream->chunkEndsHeader = false;
    stream->phase = 0;
    stream->paused = false;
    stream->devicePlayed = 0;
    return WaveResult::Ok;
}

WaveResult WaveMixer::getVolume(const WaveHandle handle, std::uint32_t* volume) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (volume == nullptr) {
        return WaveResult::InvalidParameter;
    }
    *volume = stream->volume;
    return WaveResult::Ok;
}

WaveResult WaveMixer::setVolume(const WaveHandle handle, const std::uint32_t volume) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    stream->volume = volume;
    return WaveResult::Ok;
}

WaveResult WaveMixer::getPosition(const WaveHandle handle, WaveTime* time) {
    Stream* stream = find(handle);
    if (stream == nullptr) {
        return WaveResult::InvalidHandle;
    }
    if (time == nullptr) {
        return WaveResult::InvalidParameter;
    }
    const std::uint64_t sourceFrames =
        stream->devicePlayed * stream->format.samplesPerSecond / deviceRate_;
    switch (time->type) {
    case kWaveTimeSamples:
        time->value = static_cast<std::uint32_t>(sourceFrames);
        break;
    case kWaveTimeBytes:
        time->value = static_cast<std::uint32_t>(sourceFrames * stream->format.blockAlign);
        break;
    default:
        // Milliseconds for every type asked for that is not supported, saying so in the type.
        time->type = kWaveTimeMilliseconds;
        time->value = static_cast<std::uint32_t>(stream->devicePlayed * 1000 / deviceRate_);
        break;
    }
    return WaveResult::Ok;
}

void WaveMixer::completeFront(Stream& stream) {
    WaveHeader* header = stream.queue.front();
    stream.queue.pop_front();
    stream.frontStarted = false;
    stream.readOffset = 0;
    finishWaveHeader(*header);
    if (stream.callback != nullptr) {
        stream.callback(stream.handle, kWaveDone, stream.instance,
                        reinterpret_cast<std::uintptr_t>(header), 0);
    }
}

bool WaveMixer::fillChunk(Stream& stream) {
    const std::uint32_t frameBytes = stream.format.blockAlign;
    while (!stream.queue.empty()) {
        WaveHeader& header = *stream.queue.front();
        const std::uint32_t usable = playableBytes(header, frameBytes);
        if (!stream.frontStarted) {
            stream.frontStarted = true;
            stream.readOffset = 0;
            stream.playsLeft = headerLoops(header) ? std::max<std::uint32_t>(header.loops, 1) : 1;
        }
        if (usable == 0) {
            completeFront(stream);
            continue;
        }
        const std::uint32_t bytes = std::min(kChunkFrames * frameBytes, usable - stream.readOffset);
        std::memcpy(stream.convertBuffer.data(), header.data + stream.readOffset, bytes);
        stream.readOffset += bytes;
        const std::uint32_t frames = bytes / frameBytes;
        if (stream.converter.needed) {
            stream.converter.buf = stream.convertBuffer.data();
            stream.converter.len = static_cast<int>(bytes);
            SDL_ConvertAudio(&stream.converter);
        }
        std::memcpy(stream.chunk.data(), stream.convertBuffer.data(),
                    static_cast<std::size_t>(frames) * kDeviceChannels * sizeof(std::int16_t));
        stream.chunkFrames = frames;
        stream.chunkEndsHeader = false;
        if (stream.readOffset == usable) {
            if (stream.playsLeft > 1) {
                --stream.playsLeft;
                stream.readOffset = 0;
            } else {
                stream.chunkEndsHeader = true;
            }
        }
        return true;
    }
    return false;
}

void WaveMixer::mixStream(Stream& stream, std::int32_t* accumulator, const std::uint32_t frames) {
    const std::uint32_t left = stream.volume & kFullChannelVolume;
    const std::uint32_t right = stream.volume >> 16;
    std::uint32_t produced = 0;
    for (;;) {
        std::uint32_t index = static_cast<std::uint32_t>(stream.phase >> 32);
        if (index >= stream.chunkFrames) {
            // The chunk is used up: finish its header if it held the end, then fetch the next.
            if (stream.chunkEndsHeader) {
                completeFront(stream);
            }
            stream.phase -= static_cast<std::uint64_t>(stream.chunkFrames) << 32;
            stream.chunkFrames = 0;
            stream.chunkEndsHeader = false;
            if (produced == frames || stream.paused) {
                return;
            }
            if (!fillChunk(stream)) {
                stream.phase = 0;
                return;
            }
            continue;
        }
        if (produced == frames || stream.paused) {
            return;
        }
        const std::int16_t* current = &stream.chunk[static_cast<std::size_t>(index) * kDeviceChannels];
        const std::int16_t* following = index + 1 < stream.chunkFrames ? current + kDeviceChannels : current;
        const std::int64_t fraction = static_cast<std::int64_t>((stream.phase >> 16) & 0xFFFF);
        const auto interpolate = [fraction](const std::int32_t from, const std::int32_t to) {
            return static_cast<std::int32_t>(from + (((to - from) * fraction) >> 16));
        };
        const std::int32_t sampleLeft = interpolate(current[0], following[0]);
        const std::int32_t sampleRight = interpolate(current[1], following[1]);
        accumulator[produced * 2] += scale(sampleLeft, left);
        accumulator[produced * 2 + 1] += scale(sampleRight, right);
        ++produced;
        ++stream.devicePlayed;
        stream.phase += stream.step;
    }
}

void WaveMixer::mix(std::int16_t* out, const std::uint32_t frames) {
    accumulator_.assign(static_cast<std::size_t>(frames) * kDeviceChannels, 0);
    // Done notices may not close outputs (callbacks must not call back), so iterating is safe.
    for (auto& entry : streams_) {
        mixStream(*entry.second, accumulator_.data(), frames);
    }
    for (std::size_t i = 0; i < accumulator_.size(); ++i) {
        out[i] = static_cast<std::int16_t>(std::clamp(accumulator_[i], -32768, 32767));
    }
}

} // namespace platform
