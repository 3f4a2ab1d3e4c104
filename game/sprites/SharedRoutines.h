// Two small routines the club database code shares: resetting the three-byte table and writing a
// 32-bit value into the write buffer.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::sprites {

using runtime::jint;

// Bytes of one entry of tripletTable: a 16-bit value, then a byte.
inline constexpr jint kTripletEntryBytes = 3;

// Creates tripletTable with 3 x tripletCount bytes when it is null, then marks every entry
// unused (every byte 0xFF). An existing table keeps its size.
void clearThreeByteTable();
// writeBuffer[writePos..writePos+3] := v, most significant byte first, advancing writePos by
// four; a byte outside the buffer is logged and not written.
void writeIntBigEndian(jint v);

} // namespace game::sprites
