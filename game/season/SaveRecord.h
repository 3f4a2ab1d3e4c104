// The saved-game record: the layout of its 5,736 bytes as one table of rows (which static, where,
// how wide, how encoded), the packing of the statics into saveRecordBuffer and the unpacking back,
// both walking the same table so the two directions cannot drift. Multi-byte values are
// big-endian.
#pragma once

#include <span>
#include <variant>

#include "game/core/GameStatics.h"

namespace game::season {

inline constexpr jint kSaveRecordSize = 5736;

enum class SaveEncoding {
    calendarByte,  // monthIndex << 3 plus matchDayIndex, plus 1 while dayFixtureReady is clear
    yearByte,      // low byte of seasonYear + 39, i.e. (seasonYear - 2009) mod 256
    unused,        // nothing is written (0)
    lowByte,       // the low 8 bits of an integer static, read back sign-extended
    unsignedByte,  // the low 8 bits, read back as 0..255
    writtenOnly,   // the low 8 bits, written and never read back
    flag,          // 1 when set, else 0
    invertedFlag,  // 0 when set, else 1
    flagBits,      // flags packed into one byte (FlagBits)
    shortBE,       // a 16-bit static
    intBE,         // a 32-bit static
    byteTable,     // width byte entries as they are
    shortTableBE,  // width / 2 entries, 16 bits each
    shortTableLow, // width entries, the low byte of each, read back as 0..255
    intTableBE,    // width / 4 entries, 32 bits each
};

// One flag of a packed flag byte: the bit it sets, and whether it is stored inverted (set while
// the flag is clear; read back as set when the bit's nibble is 0).
struct FlagBit {
    jboolean GameStatics::*flag;
    jint bit;
    bool inverted;
};

struct FlagBits {
    FlagBit bits[7];
    jint count;
};

using SaveField =
    std::variant<std::monostate, jint GameStatics::*, jshort GameStatics::*, jbyte GameStatics::*,
                 jboolean GameStatics::*, StaticRef<runtime::ByteArray> GameStatics::*,
                 StaticRef<runtime::ShortArray> GameStatics::*, StaticRef<runtime::IntArray> GameStatics::*,
                 FlagBits>;

struct SaveRecordRow {
    const char* name; // the static's name, for logs and tests
    jint offset;
    jint width; // bytes in the record
    SaveEncoding encoding;
    SaveField field;
};

// The rows in record order; their widths cover the 5,736 bytes without gap or overlap.
std::span<const SaveRecordRow> saveRecordLayout();
// Fills saveRecordBuffer from the statics. A missing buffer, or one shorter than the record, is
// logged and nothing is written; a missing or short table is logged and its place keeps what
// the buffer held.
void packSaveRecord();
// Reads saveRecordBuffer back into the statics (the inverse of packSaveRecord): a month beyond
// the season's last day loads as that day, and the reference currency returns to entry 0. A
// missing or short buffer, or a missing table, is logged and leaves those statics as they are.
void unpackSaveRecord();
// Why the record cannot be loaded: a value that would index outside its table (the user's
// team, league, competition slot and place, the history counts, the guide step); null when
// every value is in range.
const char* saveRecordFault(const runtime::ByteArray& record);

} // namespace game::season
