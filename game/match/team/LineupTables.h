// Safe access to what the line-up routines share: a side's row of the byte[2][30] line-up tables
// and the squad slots of the team records (the match teams and their players: matchTeam and
// teamPlayer of CPlayer.h).
#pragma once

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/match/CPlayer.h"
#include "runtime/Arrays.h"

namespace game::match {

// Sides of a match, squad slots of a team record and bytes of a team record.
inline constexpr jint kLineupSides = 2;
inline constexpr jint kSquadSlots = 30;
inline constexpr jint kTeamRecordBytes = 64;
// A squad slot's number: 0xFFFF empty, bit 15 a flagged player kept out of the side.
inline constexpr jint kEmptySquadSlot = 0xFFFF;
inline constexpr jint kFlaggedPlayerBit = 0x8000;
// Player-array indices: 0-10 on the pitch, 11-17 on the bench.
inline constexpr jint kFirstBenchIndex = 11;

// Row side of a byte[2][n] table; null when the table or the row is missing.
inline runtime::ByteArray* sideRow(runtime::ObjectArray* table, const jint side) {
    if (table == nullptr || !table->inBounds(side)) {
        return nullptr;
    }
    return static_cast<runtime::ByteArray*>((*table)[side]);
}

// The unsigned number in squad slot `slot` of team record `team`; -1 when either lies outside.
inline jint squadNumber(const jint team, const jint slot) {
    const runtime::ByteArray* const records = statics()->teamRecords;
    const jint offset = team * kTeamRecordBytes + 2 * slot;
    if (team < 0 || slot < 0 || slot >= kSquadSlots || !core::holds(records, offset, 2)) {
        return -1;
    }
    return core::readShortBE(records, offset) & kEmptySquadSlot;
}

// A squad number that names a player of the side: neither empty nor flagged.
inline bool isAvailableNumber(const jint number) {
    return number >= 0 && (number & kFlaggedPlayerBit) == 0;
}

} // namespace game::match
