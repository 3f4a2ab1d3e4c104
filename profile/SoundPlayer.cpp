// The sound player and its WAV steps (see SoundPlayer.h).
#include "profile/SoundPlayer.h"

#include <cstdlib>
#include <cstring>

#include "profile/SoundWavHeader.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace profile {

namespace {

constexpr std::uint32_t kChannelVolumeMask = 0xFFFF;
constexpr jlong kMicrosecondsPerSecond = 1000000;
constexpr jlong kMicrosecondsPerMillisecond = 1000;

void waveNotice(platform::WaveHandle, const std::uint32_t message, const std::uintptr_t instance,
                std::uintptr_t, std::uintptr_t) {
    if (message == platform::kWaveDone && instance != 0) {
        reinterpret_cast<javax_microedition_media_Player*>(instance)->playbackFinished();
    }
}

void logFailure(const char* operation, const platform::WaveResult result) {
    runtime::log("Player: %s failed: %s", operation, platform::waveResultText(result));
}

} // namespace

bool stringEquals(runtime::String* string, const char* text) {
    if (string == nullptr || text == nullptr) {
        return false;
    }
    const jint length = string->length();
    for (jint i = 0; i < length; ++i) {
        if (text[i] == '\0' || string->chars[i] != static_cast<unsigned char>(text[i])) {
            return false;
        }
    }
    return text[length] == '\0';
}

javax_microedition_media_Player::javax_microedition_media_Player(std::uint8_t* ownedSource, const jint length,
                                                                 const jint id)
    : Object(id), source(ownedSource), sourceSize(ownedSource != nullptr ? length : 0) {}

void javax_microedition_media_Player::release() { close(); }

void* javax_microedition_media_Player::getInterface(const jint interfaceClassId) {
    switch (interfaceClassId) {
    case runtime::kControllable:
    case runtime::kPlayer:
        return static_cast<javax_microedition_media_PlayerInterface*>(this);
    case runtime::kVolumeControl:
        return static_cast<javax_microedition_media_control_VolumeControl*>(this);
    default:
        return nullptr;
    }
}

bool javax_microedition_media_Player::readSourceHeader() {
    WavLayout layout;
    const WavError error = parseWavHeader(source, static_cast<std::size_t>(sourceSize), &layout);
    if (error != WavError::None) {
        runtime::log("Player: WAV header: %s", wavErrorText(error));
        return false;
    }
    format = layout.format;
    pcmOffset = static_cast<jint>(layout.dataOffset);
    pcmLength = static_cast<jint>(layout.dataLength);
    return true;
}

bool javax_microedition_media_Player::parseFormat() {
    // The samples' own byte rate: every channel counts, and the rate is not rounded.
    const jlong bytesPerSecond = static_cast<jlong>(format.samplesPerSecond) * format.blockAlign;
    duration = bytesPerSecond > 0 ? pcmLength * kMicrosecondsPerSecond / bytesPerSecond : 0;
    return true;
}

jint javax_microedition_media_Player::getPcmData() {
    if (source == nullptr || pcmLength <= 0) {
        return -1;
    }
    pcm = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(pcmLength), 1));
    if (pcm == nullptr) {
        runtime::log("Player: no memory for %d bytes of PCM", pcmLength);
        return -1;
    }
    std::memcpy(pcm, source + pcmOffset, static_cast<std::size_t>(pcmLength));
    return 0;
}

void javax_microedition_media_Player::freeSource() {
    std::free(source);
    source = nullptr;
}

javax_microedition_media_control_VolumeControl* javax_microedition_media_Player::getControl(runtime::String* name) {
    if (stringEquals(name, kVolumeControlName)) {
        return this;
    }
    return nullptr;
}

runtime::ObjectArray* javax_microedition_media_Player::getControls() { return nullptr; }

void javax_microedition_media_Player::realize() {
    if (state != kPlayerUnrealized) {
        return;
    }
    if (!readSourceHeader() || !parseFormat()) {
        return;
    }
    if (getPcmData() != 0) {
        runtime::log("Player: no PCM data");
        return;
    }
    freeSource();
    platform::WaveOutService& waveOut = platform::waveOut();
    if (waveOut.getDeviceCount() == 0) {
        runtime::log("Player: no wave output device");
        return;
    }
    const platform::WaveResult opened =
        waveOut.open(&device, 0, format, &waveNotice, reinterpret_cast<std::uintptr_t>(this));
    if (opened != platform::WaveResult::Ok) {
        logFailure("open", opened);
        device = platform::kNoWaveHandle;
        return;
    }
    state = kPlayerRealized;
    platform::WaveCaps caps;
    if (waveOut.getDeviceCaps(0, &caps) == platform::WaveResult::Ok && (caps.support & platform::kWaveCapsVolume)) {
        volumeSupported = 1;
    }
}

void javax_microedition_media_Player::prefetch() {
    if (state == kPlayerUnrealized) {
        realize();
    }
    if (state != kPlayerRealized) {
        return;
    }
    header = platform::WaveHeader{};
    header.data = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(pcmLength)));
    if (header.data == nullptr) {
        runtime::log("Player: no memory for a buffer of %d bytes", pcmLength);
        return;
    }
    std::memcpy(header.data, pcm, static_cast<std::size_t>(pcmLength));
    header.bufferLength = static_cast<std::uint32_t>(pcmLength);
    header.flags = platform::kWaveHeaderBeginLoop | platform::kWaveHeaderEndLoop;
    header.loops = static_cast<std::uint32_t>(loopCount);
    loopCount = 1;
    platform::WaveOutService& waveOut = platform::waveOut();
    const platform::WaveResult prepared = waveOut.prepareHeader(device, &header);
    if (prepared != platform::WaveResult::Ok) {
        logFailure("prepare", prepared);
        std::free(header.data);
        header = platform::WaveHeader{};
        return;
    }
    if (volumeSupported && waveOut.getVolume(device, &savedVolume) == platform::WaveResult::Ok) {
        level = static_cast<jint>((savedVolume & kChannelVolumeMask) * kMaximumLevel / kChannelVolumeMask);
    }
    state = kPlayerPrefetched;
}

void javax_microedition_media_Player::start() {
    if (state == kPlayerUnrealized) {
        realize();
        if (state != kPlayerRealized) {
            return;
        }
    }
    if (state == kPlayerRealized) {
        prefetch();
        if (state != kPlayerPrefetched) {
            return;
        }
    }
    if (state != kPlayerPrefetched || muted) {
        return;
    }
    // Started before the write: the done notice of a short sound may come before write returns,
    // and it must find the player started to return it to prefetched.
    state = kPlayerStarted;
    const platform::WaveResult written = platform::waveOut().write(device, &header);
    if (written != platform::WaveResult::Ok) {
        logFailure("write", written);
        state = kPlayerPrefetched;
    }
}

void javax_microedition_media_Player::stop() {
    if (state != kPlayerStarted) {
        return;
    }
    platform::waveOut().reset(device);
    state = kPlayerPrefetched;
}

void javax_microedition_media_Player::deallocate() {
    if (state != kPlayerPrefetched) {
        return;
    }
    platform::WaveOutService& waveOut = platform::waveOut();
    if (waveOut.unprepareHeader(device, &header) == platform::WaveResult::StillPlaying) {
        // The buffer is about to be freed: the device must have let go of it.
        waveOut.reset(device);
        waveOut.unprepareHeader(device, &header);
    }
    std::free(header.data);
    header.data = nullptr;
    state = kPlayerRealized;
}

void javax_microedition_media_Player::close() {
    if (state == kPlayerClosed) {
        return;
    }
    stop();
    platform::WaveOutService& waveOut = platform::waveOut();
    if (volumeSupported) {
        waveOut.setVolume(device, savedVolume);
    }
    deallocate();
    if (device != platform::kNoWaveHandle) {
        waveOut.close(device);
        device = platform::kNoWaveHandle;
    }
    freeSource();
    std::free(pcm);
    pcm = nullptr;
    pcmLength = 0;
    state = kPlayerClosed;
}

void javax_microedition_media_Player::setMediaTime(const jlong now) {
    if (now <= 0) {
        platform::waveOut().restart(device);
        return;
    }
    runtime::log("WARNING: setMediaTime(long64 now) not implemented for now > 0");
}

jlong javax_microedition_media_Player::getMediaTime() {
    if (raiseIfUnusable(false)) {
        return -1;
    }
    platform::WaveTime time{platform::kWaveTimeMilliseconds, 0};
    if (platform::waveOut().getPosition(device, &time) == platform::WaveResult::Ok &&
        time.type == platform::kWaveTimeMilliseconds) {
        return static_cast<jlong>(time.value) * kMicrosecondsPerMillisecond;
    }
    return -1;
}

jint javax_microedition_media_Player::getState() { return state; }

jlong javax_microedition_media_Player::getDuration() {
    if (raiseIfUnusable(false)) {
        return -1;
    }
    return duration;
}

runtime::String* javax_microedition_media_Player::getContentType() {
    if (raiseIfUnusable(true)) {
        return nullptr;
    }
    // Both kinds report the WAV type: what reaches the device is PCM either way.
    return runtime::newStringFromCString(kWavContentType);
}

void javax_microedition_media_Player::setLoopCount(const jint count) {
    if (count < 0) {
        loopCount = kEndlessLoops;
    } else if (count == 0) {
        loopCount = 1;
    } else {
        loopCount = count;
    }
}

jint javax_microedition_media_Player::getLevel() { return level; }

jboolean javax_microedition_media_Player::isMuted() { return muted; }

jint javax_microedition_media_Player::setLevel(const jint newLevel) {
    const jint previous = level;
    level = newLevel < 0 ? 0 : (newLevel > kMaximumLevel ? kMaximumLevel : newLevel);
    if (volumeSupported) {
        const std::uint32_t channel = static_cast<std::uint32_t>(level) * kChannelVolumeMask / kMaximumLevel;
        platform::waveOut().setVolume(device, channel | (channel << 16));
    }
    return previous;
}

void javax_microedition_media_Player::setMute(const jboolean mute) { muted = mute; }

void javax_microedition_media_Player::playbackFinished() {
    jint expected = kPlayerStarted;
    state.compare_exchange_strong(expected, kPlayerPrefetched);
}

bool javax_microedition_media_Player::raiseIfUnusable(const bool unrealizedToo) {
    const jint current = state;
    if (current != kPlayerClosed && !(unrealizedToo && current == kPlayerUnrealized)) {
        return false;
    }
    runtime::throwException(runtime::newObject<runtime::java_lang_IllegalStateException>());
    return true;
}

} // namespace profile
