// The getters and setters of the club database's player and team records and the algorithms every
// season and menu routine shares: birth dates and ages, money and wage room, team strength, the
// needed position, the weighted band, the position pick, the retirement test, the triplet writer
// and the 32-bit writer. Layouts in game/club/RecordLayout.h. A player or team outside its table
// is logged and answers 0 (or its neutral value); nothing here raises.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game {
struct GameStatics;
}

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// The club database's static set-up of the block: the triplet count.
void clubStaticInit(GameStatics* block);

// The packed birth date (year code from 1960 << 9 | month << 5 | day) from the information word
// and the record's birth-year code (three rules: generated players, code -1, any other code).
jint getPlayerBirthDate(jint player);
// Age in whole years at the current calendar date (generated players age two years a season).
jint getPlayerAge(jint player);
// The signed 16-bit contract end at bytes 0-1.
jint getPlayerField0(jint player);
// The unsigned 16-bit team id at bytes 17-18 (0xFFFF none).
jint getPlayerField17(jint player);
// value + value x randomRange(0, 30) / 100 of the market value (one draw).
jint getPlayerAskingPrice(jint player);
// The 32-bit position mask of the player's information record.
jint readRecord28Int(jint player);
// The unsigned 16-bit wage budget at bytes 60-61.
jint getTeamField60(jint team);
// Stores the low 16 bits of value as the wage budget.
void setTeamField60(jint team, jint value);
// The team's money: the user's running money unless the menu state is 36 or pendingTeam is set,
// else the funds field x 10.
jint getTeamFunds(jint team);
// The unsigned wage budget less the squad's wages (for userTeam, less userWageTotal).
jint getTeamWageRoom(jint team);
// The mean of the best eight values of each of the eight skills over the squad slots (0-10 with
// firstElevenOnly), fitness 0, 1, 3 and 4 shifting a value by +8, +4, -4, -8: 0..127; 0 for
// team ids of 65535 and above.
jint getTeamStrength(jint team, jboolean firstElevenOnly);
// The line bit (2, 4 or 8) the team most needs; equal counts draw on gameRandom.
jint getNeededPosition(jint team);
// A band 0..10 from one draw of randomRange(0, 99).
jint drawWeightedBand();
// A random element of the position-group table's row chosen by the player's position mask.
jint pickPositionEntry(jint player);
// The retirement test: 34 or older, and no contract or a status of 13 or more, and either no
// team or a generated player.
jboolean isRetiring(jint player);
// Triplet entry n := (value16, value8); an entry outside the table is logged and not written.
void setThreeByteEntry(jint n, jint value16, jint value8);
// array[offset..offset + 3] := value, most significant byte first; outside is logged.
void writeInt32BE(runtime::ByteArray* array, jint offset, jint value);

// The transfer status (high nibble of byte 31) := status, keeping the listing flags.
void setTransferStatus(jint player, jint status);
// The unsigned byte at index of the player's record; 0 (logged) outside.
jint playerByte(jint player, jint index);
// A coin toss on gameRandom: bit 16 of the new seed (the parity of the next 32-bit value).
jboolean coinBitSet();

// The per-team byte table (teamByteTable, two bytes a team). Byte index (0 or 1) of the team's
// entry as stored, signed; 0 (logged) outside.
jint getTeamByte(jint team, jint index);
// The team's setting, the entry's first byte (signed). The user's club's live setting is
// currentTeamByte, which a save writes back into its entry.
jint getTeamSetting(jint team);
// The team's stadium value, the entry's second byte (unsigned); 0 there takes the team
// information table's value.
jint getTeamStadiumValue(jint team);

} // namespace game::club
