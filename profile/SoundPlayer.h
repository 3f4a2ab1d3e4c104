// The sound player (javax_microedition_media_Player): plays one PCM buffer through the wave
// output, optionally looped, with a volume control. This class is the WAV player, whose PCM is
// the file's samples unchanged; OggPlayer (SoundOggPlayer.h) decodes Ogg Vorbis instead.
//
// States: 0 closed, 100 unrealized, 200 realized (format known, PCM ready, device open),
// 300 prefetched (buffer prepared), 400 started (buffer playing). Each operation acts only in
// the states it names and does nothing in the others. When the buffer has played out, the wave
// output's done notice returns a started player to 300; the notice arrives on the audio
// thread, so the state is atomic and that notice only ever moves 400 to 300.
//
// Native buffers (source copy, PCM, the prepared copy) are malloc'ed and given back by close,
// which release (the collector's call) runs.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/WaveOut.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {
struct ObjectArray;
struct String;
} // namespace runtime

namespace profile {

using runtime::jboolean;
using runtime::jint;
using runtime::jlong;

inline constexpr jint kPlayerClosed = 0;
inline constexpr jint kPlayerUnrealized = 100;
inline constexpr jint kPlayerRealized = 200;
inline constexpr jint kPlayerPrefetched = 300;
inline constexpr jint kPlayerStarted = 400;

inline constexpr jint kMaximumLevel = 100;
// setLoopCount(-1) plays "forever".
inline constexpr jint kEndlessLoops = 0x7FFFFFFF;

struct javax_microedition_media_control_VolumeControl;

// The player interface (javax_microedition_media_Player and javax_microedition_media_Controllable).
struct javax_microedition_media_PlayerInterface {
    // "VolumeControl" gives the volume control; any other name null.
    virtual javax_microedition_media_control_VolumeControl* getControl(runtime::String* name) = 0;
    // Always null.
    virtual runtime::ObjectArray* getControls() = 0;
    // 100 → 200: reads the header, gets the PCM, opens the wave output.
    virtual void realize() = 0;
    // 100 or 200 → 300: prepares a buffer holding a copy of the PCM with the loop count.
    virtual void prefetch() = 0;
    // 100, 200 or 300 → 400: writes the buffer, unless muted (then it stays at 300).
    virtual void start() = 0;
    // 400 → 300: resets the wave output.
    virtual void stop() = 0;
    // 300 → 200: unprepares and frees the buffer.
    virtual void deallocate() = 0;
    // Any state → 0: stops, restores the volume, deallocates, closes the wave output.
    virtual void close() = 0;
    // now <= 0 restarts the wave output; later positions are not supported (logged).
    virtual void setMediaTime(jlong now) = 0;
    // Microseconds played, -1 when unknown; raises IllegalStateException when closed.
    virtual jlong getMediaTime() = 0;
    virtual jint getState() = 0;
    // Microseconds; raises IllegalStateException when closed.
    virtual jlong getDuration() = 0;
    // "audio/x-wav"; raises IllegalStateException when closed or unrealized.
    virtual runtime::String* getContentType() = 0;
    // Negative plays endlessly, 0 counts as 1; applies to the next prefetch.
    virtual void setLoopCount(jint count) = 0;

protected:
    ~javax_microedition_media_PlayerInterface() = default;
};

// The volume interface (javax_microedition_media_control_VolumeControl).
struct javax_microedition_media_control_VolumeControl {
    virtual jint getLevel() = 0;
    virtual jboolean isMuted() = 0;
    // Clamps to 0..100, applies it to both channels, returns the previous level.
    virtual jint setLevel(jint level) = 0;
    // Only stores the flag: a muted player does not start.
    virtual void setMute(jboolean mute) = 0;

protected:
    ~javax_microedition_media_control_VolumeControl() = default;
};

struct javax_microedition_media_Player : runtime::Object,
                                          javax_microedition_media_PlayerInterface,
                                          javax_microedition_media_control_VolumeControl {
    static constexpr jint kClassId = runtime::kPlayer;

    // A player over source, a malloc'ed copy of the resource's length bytes that it takes over.
    javax_microedition_media_Player(std::uint8_t* ownedSource, jint length, const jint id = kClassId);

    // Object slots.
    void release() override;
    void* getInterface(jint interfaceClassId) override;

    // Own slots: the kind-specific steps of realize.
    // Reads the source's header; false when it cannot.
    virtual bool readSourceHeader();
    // Fills format and duration from the header; false when it cannot.
    virtual bool parseFormat();
    // Makes pcm and pcmLength; 0 on success, -1 on failure.
    virtual jint getPcmData();

    // Player interface.
    javax_microedition_media_control_VolumeControl* getControl(runtime::String* name) override;
    runtime::ObjectArray* getControls() override;
    void realize() override;
    void prefetch() override;
    void start() override;
    void stop() override;
    void deallocate() override;
    void close() override;
    void setMediaTime(jlong now) override;
    jlong getMediaTime() override;
    jint getState() override;
    jlong getDuration() override;
    runtime::String* getContentType() override;
    void setLoopCount(jint count) override;

    // Volume interface.
    jint getLevel() override;
    jboolean isMuted() override;
    jint setLevel(jint level) override;
    void setMute(jboolean mute) override;

    // The done notice of the wave output (any thread): a started player is prefetched again.
    void playbackFinished();

    std::uint8_t* pcm = nullptr;    // malloc'ed PCM, null until realized
    std::uint8_t* source = nullptr; // malloc'ed copy of the resource bytes, freed once realized
    platform::WaveFormat format{};
    platform::WaveHandle device = platform::kNoWaveHandle;
    platform::WaveHeader header{};
    jint sourceSize = 0;
    jint pcmLength = 0;
    jint pcmOffset = 0; // where the samples start in the source (WAV)
    std::atomic<jint> state{kPlayerUnrealized};
    jint loopCount = 0;
    jint level = kMaximumLevel;
    std::uint32_t savedVolume = 0; // the output's volume at prefetch, restored at close
    jboolean volumeSupported = 0;
    jboolean muted = 0;
    jlong duration = 0; // microseconds

protected:
    // Raises java_lang_IllegalStateException as the pending exception when the state is closed
    // (or, with unrealizedToo, unrealized); true when it did.
    bool raiseIfUnusable(bool unrealizedToo);
    // Frees the source copy.
    void freeSource();
};

// Names of the content types and the volume control.
inline constexpr const char* kWavContentType = "audio/x-wav";
inline constexpr const char* kOggContentType = "audio/ogg";
inline constexpr const char* kVolumeControlName = "VolumeControl";

// 1 when the String's characters equal the 8-bit text; null gives 0.
bool stringEquals(runtime::String* string, const char* text);

} // namespace profile
