// The Ogg Vorbis player: decodes the whole sound to 16-bit PCM with Tremor when realized, then
// plays it like the WAV player. Tremor reads the player's private copy of the bytes straight
// from memory, so no temporary file is written.
#pragma once

#include "profile/SoundPlayer.h"

namespace profile {

struct OggSource;

struct OggPlayer : javax_microedition_media_Player {
    static constexpr jint kClassId = runtime::kPlayer;

    OggPlayer(std::uint8_t* ownedSource, jint length, const jint id = kClassId);

    // Opens the decoder on the source copy and reads the stream information.
    bool readSourceHeader() override;
    // 16-bit PCM with the stream's channels and rate; duration from the stream's length.
    bool parseFormat() override;
    // Decodes everything; -1 when nothing could be decoded.
    jint getPcmData() override;
    void close() override;

    // Ogg players created and not yet closed in this process.
    static jint openCount();

    jint channels = 0;
    jint rate = 0;
    OggSource* decoder = nullptr; // open between readSourceHeader and getPcmData

private:
    void closeDecoder();
};

} // namespace profile
