// Making sound players (see SoundManager.h).
#include "profile/SoundManager.h"

#include <cstdlib>
#include <cstring>

#include "profile/SoundOggPlayer.h"
#include "profile/SoundWavHeader.h"
#include "runtime/Arrays.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/Streams.h"

namespace profile {

namespace {

enum class SoundKind { None, Wav, Ogg };

SoundKind kindOf(const std::uint8_t* bytes, const jint length, runtime::String* type) {
    if (type != nullptr) {
        if (stringEquals(type, kWavContentType)) {
            return SoundKind::Wav;
        }
        if (stringEquals(type, kOggContentType)) {
            return SoundKind::Ogg;
        }
        return SoundKind::None;
    }
    if (length >= 4 && std::memcmp(bytes, "RIFF", 4) == 0) {
        return SoundKind::Wav;
    }
    if (length >= 4 && std::memcmp(bytes, "OggS", 4) == 0) {
        return SoundKind::Ogg;
    }
    return SoundKind::None;
}

} // namespace

javax_microedition_media_Player* Manager::createPlayer(const std::uint8_t* bytes, const jint length,
                                                       runtime::String* type) {
    if (bytes == nullptr || length <= 0) {
        return nullptr;
    }
    const SoundKind kind = kindOf(bytes, length, type);
    if (kind == SoundKind::None) {
        return nullptr;
    }
    if (kind == SoundKind::Wav) {
        const WavError error = parseWavHeader(bytes, static_cast<std::size_t>(length), nullptr);
        if (error != WavError::None) {
            runtime::log("Manager::createPlayer: bad WAV sound (%s)", wavErrorText(error));
            return nullptr;
        }
    }
    // The copy is made before the player is allocated: bytes may live in an array that moves
    // when the allocation compacts the heap.
    auto* copy = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(length)));
    if (copy == nullptr) {
        runtime::log("Manager::createPlayer: no memory for a sound of %d bytes", length);
        return nullptr;
    }
    std::memcpy(copy, bytes, static_cast<std::size_t>(length));
    if (kind == SoundKind::Ogg) {
        return runtime::newObject<OggPlayer>(copy, length);
    }
    return runtime::newObject<javax_microedition_media_Player>(copy, length);
}

javax_microedition_media_Player* Manager::createPlayer(runtime::java_io_InputStream* stream,
                                                       runtime::String* type) {
    if (stream == nullptr) {
        return nullptr;
    }
    const jint available = stream->available();
    if (runtime::getPendingException() != nullptr || available <= 0) {
        return nullptr;
    }
    runtime::ByteArray* bytes = runtime::newByteArray(available);
    const jint read = stream->read(bytes, 0, available);
    if (runtime::getPendingException() != nullptr || read <= 0) {
        return nullptr;
    }
    // A short read gives a player of the bytes that came.
    return createPlayer(reinterpret_cast<const std::uint8_t*>(bytes->data()), read < available ? read : available,
                        type);
}

} // namespace profile
