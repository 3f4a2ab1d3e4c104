// The Ogg Vorbis player (see SoundOggPlayer.h).
#include "profile/SoundOggPlayer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <tremor/ivorbisfile.h>

#include "runtime/Log.h"

namespace profile {

// Tremor's file state and the bytes it reads.
struct OggSource {
    OggVorbis_File file;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

namespace {

constexpr int kDecodeChunk = 4096;
// A decoded sound larger than this (about 12 minutes of 44.1 kHz stereo) is refused: a small,
// crafted stream could otherwise make decoding grow its buffer until memory runs out.
constexpr std::size_t kMaxDecodedBytes = 128u * 1024u * 1024u;
constexpr std::uint16_t kOggBitsPerSample = 16;
constexpr std::uint16_t kOggExtraSize = 18;

jint oggPlayerCount = 0;

std::size_t readSource(void* buffer, const std::size_t size, const std::size_t count, void* from) {
    auto* source = static_cast<OggSource*>(from);
    if (size == 0) {
        return 0;
    }
    const std::size_t items = std::min(count, (source->size - source->position) / size);
    std::memcpy(buffer, source->data + source->position, items * size);
    source->position += items * size;
    return items;
}

int seekSource(void* from, const ogg_int64_t offset, const int whence) {
    auto* source = static_cast<OggSource*>(from);
    ogg_int64_t base = 0;
    switch (whence) {
    case SEEK_SET:
        base = 0;
        break;
    case SEEK_CUR:
        base = static_cast<ogg_int64_t>(source->position);
        break;
    case SEEK_END:
        base = static_cast<ogg_int64_t>(source->size);
        break;
    default:
        return -1;
    }
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(source->size)) {
        return -1;
    }
    source->position = static_cast<std::size_t>(target);
    return 0;
}

long tellSource(void* from) { return static_cast<long>(static_cast<OggSource*>(from)->position); }

// The bytes belong to the player, so the decoder has nothing to close.
constexpr ov_callbacks kMemoryCallbacks = {&readSource, &seekSource, nullptr, &tellSource};

} // namespace

OggPlayer::OggPlayer(std::uint8_t* ownedSource, const jint length, const jint id)
    : javax_microedition_media_Player(ownedSource, length, id) {
    ++oggPlayerCount;
}

jint OggPlayer::openCount() { return oggPlayerCount; }

void OggPlayer::closeDecoder() {
    if (decoder == nullptr) {
        return;
    }
    ov_clear(&decoder->file);
    delete decoder;
    decoder = nullptr;
}

bool OggPlayer::readSourceHeader() {
    if (source == nullptr) {
        return false;
    }
    closeDecoder();
    decoder = new OggSource{};
    decoder->data = source;
    decoder->size = static_cast<std::size_t>(sourceSize);
    // A failed open leaves nothing for ov_clear to free.
    const int opened = ov_open_callbacks(decoder, &decoder->file, nullptr, 0, kMemoryCallbacks);
    if (opened != 0) {
        runtime::log("Player: not an Ogg Vorbis stream (%d)", opened);
        delete decoder;
        decoder = nullptr;
        return false;
    }
    const vorbis_info* info = ov_info(&decoder->file, -1);
    if (info == nullptr) {
        runtime::log("Player: Ogg Vorbis stream without information");
        closeDecoder();
        return false;
    }
    channels = info->channels;
    rate = static_cast<jint>(info->rate);
    return true;
}

bool OggPlayer::parseFormat() {
    if (decoder == nullptr) {
        return false;
    }
    format.formatTag = platform::kWaveFormatPcm;
    format.channels = static_cast<std::uint16_t>(channels);
    format.samplesPerSecond = static_cast<std::uint32_t>(rate);
    format.bitsPerSample = kOggBitsPerSample;
    format.blockAlign = static_cast<std::uint16_t>(channels * 2);
    format.averageBytesPerSecond = static_cast<std::uint32_t>(rate) * format.blockAlign;
    format.extraSize = kOggExtraSize;
    const ogg_int64_t milliseconds = ov_time_total(&decoder->file, -1);
    duration = milliseconds < 0 ? -1 : milliseconds * 1000;
    return true;
}

jint OggPlayer::getPcmData() {
    if (decoder == nullptr) {
        return -1;
    }
    std::size_t capacity = kDecodeChunk;
    std::size_t total = 0;
    auto* buffer = static_cast<std::uint8_t*>(std::malloc(capacity));
    int section = 0;
    for (;;) {
        if (buffer == nullptr) {
            runtime::log("Player: no memory for the decoded sound");
            break;
        }
        if (total + kDecodeChunk > capacity) {
            capacity *= 2;
            auto* grown = static_cast<std::uint8_t*>(std::realloc(buffer, capacity));
            if (grown == nullptr) {
                runtime::log("Player: no memory for the decoded sound");
                break;
            }
            buffer = grown;
        }
        const long decoded = ov_read(&decoder->file, reinterpret_cast<char*>(buffer + total), kDecodeChunk, &section);
        if (decoded <= 0) {
            if (decoded < 0) {
                runtime::log("Player: Ogg Vorbis decoding stopped (%ld) after %zu bytes", decoded, total);
            }
            break;
        }
        total += static_cast<std::size_t>(decoded);
        if (total > kMaxDecodedBytes) {
            runtime::log("Player: the decoded sound exceeds %zu bytes; it is not played", kMaxDecodedBytes);
            break;
        }
    }
    closeDecoder();
    if (buffer == nullptr || total == 0 || total > kMaxDecodedBytes) {
        std::free(buffer);
        return -1;
    }
    auto* fitted = static_cast<std::uint8_t*>(std::realloc(buffer, total));
    pcm = fitted != nullptr ? fitted : buffer;
    pcmLength = static_cast<jint>(total);
    return 0;
}

void OggPlayer::close() {
    if (state != kPlayerClosed) {
        --oggPlayerCount;
    }
    closeDecoder();
    javax_microedition_media_Player::close();
}

} // namespace profile
