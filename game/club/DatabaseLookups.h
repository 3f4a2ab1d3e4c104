// Small routines over the packed club database: decoding a stored name, finding a name by index
// and kind, reading fixed fields of team records, counting a squad, the keyed three-byte table, the
// strength band of a team and the strengths of a country's teams. The tables they read are the
// database statics filled from the database pack (game/resources/DatabaseTables.h; layout in
// game/club/DatabaseFormat.h). None of them draws.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::club {

using runtime::jboolean;
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
// The name of staff record index of extraNameTable (10-byte records whose name offsets count
// from byte 200 of the same array); constant string 1 when the record or its bytes lie outside.
runtime::String* extraName(jint index);
// A new short[5] of the five big-endian values at bytes 17-26 of team index's 27-byte record of
// teamInfoRecords; zeros (logged) when the record lies outside the table.
runtime::ShortArray* nameRecordValues(jint index);
// The signed big-endian 16-bit value at byte 62 of team record team; 0 (logged) outside.
jint teamRecordValue(jint team);
// The squad slots of team's record holding a player: neither -1 nor flagged with 0x8000.
jint countSquad(jint team);
// The index of the first of the first tripletCount entries of tripletTable whose key is key or
// -1 (the end of the used part); tripletCount when none is.
jint findKeyedEntry(jint key);
// True for the two values that mean "no club": -1 and 65535 (userTeam is 16 bits wide).
bool isNoClub(jint team);
// selectedPlayer := the player in the squad slot of userTeam's record that byte 12 of match
// record currentListRow names; -1 (logged) when the record, the slot or the team is missing.
void selectListPlayer();
// The signed 16-bit big-endian value in squad slot (0-29) of team's 64-byte record: the player
// in that slot, -1 for an empty one; -1 (logged) when the record or the slot lies outside.
jint getTeamPlayerId(jint team, jint slot);
// The signed 16-bit big-endian wage at byte 2 of the player's 37-byte record; 0 (logged) outside.
jint getPlayerField2(jint player);
// The 32-bit big-endian market value at byte 33 of the player's record; 0 (logged) outside.
jint getPlayerField33(jint player);
// 0 for no club; otherwise valueBracket of the team's strength over all its squad slots.
jint teamStrengthBand(jint team);
// For every team position of the country's leagues (two divisions for countries 0-4, one for
// 5-7): teamRankValues[t] := the team's strength, teamStrengthOrder[t] := t.
void rateCountryTeams(jint country);

} // namespace game::club
