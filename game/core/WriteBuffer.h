// The big-endian write buffer (writeBuffer at writePos in the static block) that the season, the
// menus and the data sets build records in, byte by byte.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

// The write buffer: writeBuffer[writePos] := value >> 8, then the low byte, advancing writePos by
// one for each. A position outside the buffer is logged and writes nothing (the position still
// advances, so the bytes after it land where the caller expects).
void writeShortBE(jint value);
// writeBuffer[writePos] := the low byte of value, advancing writePos (the menus' byte writer).
void queueByte(jint value);

} // namespace game::core
