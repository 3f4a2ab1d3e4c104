// The big-endian write buffer (see WriteBuffer.h).
#include "game/core/WriteBuffer.h"

#include "game/core/GameStatics.h"
#include "runtime/Log.h"

namespace game::core {

namespace {

// writeBuffer[writePos++] := value; outside the buffer nothing is written.
void putByte(const jint value) {
    GameStatics* s = statics();
    const jint position = s->writePos;
    s->writePos = position + 1;
    runtime::ByteArray* buffer = s->writeBuffer;
    if (buffer == nullptr || !buffer->inBounds(position)) {
        runtime::log("write buffer: byte %d outside a buffer of %d", position,
                     buffer != nullptr ? buffer->length : -1);
        return;
    }
    (*buffer)[position] = runtime::i2b(value);
}

} // namespace

void writeShortBE(const jint value) {
    putByte(value >> 8);
    putByte(value);
}

void queueByte(const jint value) {
    putByte(value);
}

} // namespace game::core
