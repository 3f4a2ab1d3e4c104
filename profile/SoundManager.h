// javax_microedition_media_Manager: makes a sound player from a resource's bytes.
#pragma once

#include <cstdint>

#include "profile/SoundPlayer.h"

namespace runtime {
struct java_io_InputStream;
} // namespace runtime

namespace profile {

struct Manager {
    // Reads the stream's available() bytes and makes a player of them: "audio/x-wav" a WAV
    // player, "audio/ogg" an Ogg player, another type none; without a type the first four
    // bytes decide ("RIFF" or "OggS"). Null for a null or empty stream, another type, or a WAV
    // file whose header is short or malformed (logged). An exception raised by the stream stays
    // pending and gives null.
    static javax_microedition_media_Player* createPlayer(runtime::java_io_InputStream* stream,
                                                         runtime::String* type);
    // The same for length bytes at bytes; the player keeps its own copy.
    static javax_microedition_media_Player* createPlayer(const std::uint8_t* bytes, jint length,
                                                         runtime::String* type);
};

} // namespace profile
