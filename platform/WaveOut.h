// The wave output: the service through which the sound players hand PCM buffers to the sound
// device.
//
// The interface keeps the shape the players were written against: open a device for a PCM
// format with a completion callback, prepare a buffer header, write it (optionally looped),
// pause, restart, reset, close, and read or set the volume and the position. Two
// implementations exist: SdlWaveOut (SDL audio with a software mixer, or a capture mode for
// tests) and WaveOutDouble (a scripted double). The players reach the current one through
// waveOut(); tests install their own with setWaveOut().
//
// Threading: every operation may be called from the game thread. Completion notices arrive on
// the service's own thread (the audio thread), or on the calling thread for reset and close.
// A callback must not call back into the wave output, and must only touch state that is safe
// to write from another thread.
#pragma once

#include <cstdint>

namespace platform {

// Result of every operation.
enum class WaveResult : std::uint32_t {
    Ok = 0,
    Error,            // unspecified failure
    BadDevice,        // no such device
    InvalidHandle,    // the handle is not open
    NoMemory,         // a buffer could not be allocated
    InvalidParameter, // a null or malformed argument
    BadFormat,        // the device cannot play this PCM format
    StillPlaying,     // buffers are still queued
    Unprepared,       // the header was not prepared
};

// Names a result for log lines.
const char* waveResultText(WaveResult result);

// An open output; 0 is never a valid handle.
using WaveHandle = std::uint32_t;
inline constexpr WaveHandle kNoWaveHandle = 0;

inline constexpr std::uint16_t kWaveFormatPcm = 1;

// A PCM format: 8-bit unsigned or 16-bit signed little-endian samples, interleaved.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0; // bytes per frame (all channels)
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// Header flags.
inline constexpr std::uint32_t kWaveHeaderDone = 0x01;
inline constexpr std::uint32_t kWaveHeaderPrepared = 0x02;
inline constexpr std::uint32_t kWaveHeaderBeginLoop = 0x04;
inline constexpr std::uint32_t kWaveHeaderEndLoop = 0x08;
inline constexpr std::uint32_t kWaveHeaderInQueue = 0x10;

// One buffer handed to the device. The caller owns the header and the data, and keeps both
// alive and unchanged from write until the done notice (or reset).
// A header carrying both loop flags is played `loops` times (0 counts as once).
struct WaveHeader {
    std::uint8_t* data = nullptr;
    std::uint32_t bufferLength = 0; // bytes; a trailing partial frame is not played
    std::uint32_t bytesRecorded = 0;
    std::uintptr_t user = 0;
    std::uint32_t flags = 0;
    std::uint32_t loops = 0;
    WaveHeader* next = nullptr;
    std::uintptr_t reserved = 0;
};

// Callback messages: param1 of kWaveDone is the finished header's address.
inline constexpr std::uint32_t kWaveOpened = 955;
inline constexpr std::uint32_t kWaveClosed = 956;
inline constexpr std::uint32_t kWaveDone = 957;

// instance is what the opener passed; pointer-sized so it can carry an object's address.
using WaveCallback = void (*)(WaveHandle handle, std::uint32_t message, std::uintptr_t instance,
                              std::uintptr_t param1, std::uintptr_t param2);

// Device capability flags.
inline constexpr std::uint32_t kWaveCapsVolume = 0x04;
inline constexpr std::uint32_t kWaveCapsLeftRightVolume = 0x08;

struct WaveCaps {
    std::uint16_t channels = 0;
    std::uint32_t support = 0;
};

// Position formats.
inline constexpr std::uint32_t kWaveTimeMilliseconds = 0x01;
inline constexpr std::uint32_t kWaveTimeSamples = 0x02;
inline constexpr std::uint32_t kWaveTimeBytes = 0x04;

// A position: the caller asks for a type; the service may answer in another one and says so.
struct WaveTime {
    std::uint32_t type = 0;
    std::uint32_t value = 0;
};

// Volume: low 16 bits the left channel, high 16 bits the right one; 0xFFFF is full.
inline constexpr std::uint32_t kWaveFullVolume = 0xFFFFFFFFu;

class WaveOutService {
public:
    virtual ~WaveOutService() = default;

    // Number of output devices (0 or 1).
    virtual std::uint32_t getDeviceCount() = 0;
    virtual WaveResult getDeviceCaps(std::uint32_t deviceId, WaveCaps* caps) = 0;
    // Opens device deviceId for format; notices go to callback with instance.
    virtual WaveResult open(WaveHandle* handle, std::uint32_t deviceId, const WaveFormat& format,
                            WaveCallback callback, std::uintptr_t instance) = 0;
    // Fails with StillPlaying while buffers are queued.
    virtual WaveResult close(WaveHandle handle) = 0;
    virtual WaveResult prepareHeader(WaveHandle handle, WaveHeader* header) = 0;
    // Fails with StillPlaying while the header is queued.
    virtual WaveResult unprepareHeader(WaveHandle handle, WaveHeader* header) = 0;
    // Queues a prepared header behind the ones already queued.
    virtual WaveResult write(WaveHandle handle, WaveHeader* header) = 0;
    virtual WaveResult pause(WaveHandle handle) = 0;
    virtual WaveResult restart(WaveHandle handle) = 0;
    // Stops, returns every queued header as done, resumes a pause and sets the position to 0.
    virtual WaveResult reset(WaveHandle handle) = 0;
    virtual WaveResult getVolume(WaveHandle handle, std::uint32_t* volume) = 0;
    virtual WaveResult setVolume(WaveHandle handle, std::uint32_t volume) = 0;
    // Position since open or the last reset.
    virtual WaveResult getPosition(WaveHandle handle, WaveTime* time) = 0;
};

// The header protocol that every service follows (the flags above).
// Marks a header prepared; a header without data must be empty.
WaveResult prepareWaveHeader(WaveHeader* header);
// Clears the prepared mark; refused while the header is queued.
WaveResult unprepareWaveHeader(WaveHeader* header);
// Marks a prepared header queued; refused when unprepared or already queued.
WaveResult queueWaveHeader(WaveHeader* header);
// Marks a queued header done.
void finishWaveHeader(WaveHeader& header);

// The service the players use: the one installed by setWaveOut, else the process's SDL one.
WaveOutService& waveOut();
// Installs a service (null restores the default); returns the previous one (null for default).
WaveOutService* setWaveOut(WaveOutService* service);

} // namespace platform
