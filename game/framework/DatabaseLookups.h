// Small routines over the packed club database: decoding a stored name, finding a name by index
// and kind, and the big-endian write buffer (writeBuffer at writePos) that builds records byte by
// byte. The tables they read are the database statics filled from the database pack
// (game/sprites/DatabaseTables.h; layout in game/sprites/DatabaseFormat.h).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::framework {

using runtime::jint;

// Kinds of nameOf: a team's full name, a player's name, a league's name, a player's nationality.
inline constexpr jint kTeamName = 0;
inline constexpr jint kPlayerName = 1;
inline constexpr jint kLeagueName = 2;
inline constexpr jint kNationalityName = 3;

// A new String of length stored name bytes from offset: a byte below 0x80 is a character, one
// below 0xE0 starts a two-byte form, any other a three-byte form whose last byte carries the high
// bits. A range (or a form) that runs outside data raises ArrayIndexOutOfBoundsException and gives
// null; a null array raises NullPointerException.
runtime::String* decodeName(runtime::ByteArray* data, jint offset, jint length);
// The name of team (kTeamName, kLeagueName) or player (kPlayerName, kNationalityName) index, read
// through its name reference from nameBytes; constant string 1 when the reference or the bytes
// lie outside the tables (nothing stays pending).
runtime::String* nameOf(jint index, jint kind);

// The write buffer: writeBuffer[writePos] := value >> 8, then the low byte, advancing writePos by
// one for each. A position outside the buffer is logged and writes nothing (the position still
// advances, so the bytes after it land where the caller expects).
void writeShortBE(jint value);
// writeBuffer[writePos] := the low byte of value, advancing writePos (the menus' byte writer).
void queueByte(jint value);

} // namespace game::framework
