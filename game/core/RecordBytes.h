// Reading and checking the game's own data records (competition, player, team, message and match
// records), which keep multi-byte values big-endian, and the shape of the match records.
#pragma once

#include <cstdint>

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::core {

// Bytes of one player's match record in listRowRecords, and records per team.
inline constexpr runtime::jint kMatchRecordBytes = 22;
inline constexpr runtime::jint kMatchRecordsPerTeam = 30;

// The signed 16-bit big-endian value at offset: the high byte signed, the low byte unsigned.
inline runtime::jint readShortBE(const runtime::ByteArray* const bytes, const runtime::jint offset) {
    return static_cast<runtime::jshort>(((*bytes)[offset] << 8) | ((*bytes)[offset + 1] & 0xFF));
}

// The 32-bit big-endian value at offset.
inline runtime::jint readIntBE(const runtime::ByteArray* const bytes, const runtime::jint offset) {
    std::uint32_t value = 0;
    for (runtime::jint i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<std::uint8_t>((*bytes)[offset + i]);
    }
    return static_cast<runtime::jint>(value);
}

// The array exists and holds count elements from offset on.
inline bool holds(const runtime::Array* const array, const runtime::jint offset, const runtime::jint count) {
    return array != nullptr && offset >= 0 && count >= 0 && offset <= array->length - count;
}

} // namespace game::core
