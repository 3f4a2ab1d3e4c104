// The club and player database as the game ships it: the entries of the database pack (named by
// constant string 85, layout in DatabaseFormat.h) loaded into the database statics, the league
// tables and counts derived from them, the first-run player records, and team-name look-ups.
//
// Bad data never reads outside a table: a team information table too short for its own league
// counts, or counts above 260 teams, is logged and gives no teams at all; player information too
// short for every player is logged and the players it lacks keep empty records; a team-name
// look-up outside the name table gives the empty text. A pack that cannot be read is raised by
// the pack reader (the exception stays pending for the caller) and the pack is closed.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::resources {

using runtime::jint;

// Loads entries 0, 2, 3 (when teamNameTable is null), 1, 11 (when null), 10 (when null), 6 and
// 4, in that order, deriving the league tables after entry 3 and the team codes after entry 11;
// closes the pack.
void loadDatabaseTables();
// Loads the formations (entry 8) and their slots (entry 9) with their lengths; closes the pack.
void loadExtraTables();
// Loads entry 3 into teamNameTable when it is null; closes the pack.
void loadTeamNameTable();
// Team i's short name from teamNameTable (loaded first when null); constant string 1 when it
// cannot be read.
runtime::String* getTeamNameFromTable(jint i);
// The name to show for team id: text 689 for no team (-1 or 65535); the custom label in menu
// states 1030 and 133 unless messageLinksBlocked; otherwise the database's full name.
runtime::String* getTeamDisplayName(jint id);
// leagueNames (texts 178..190), badgeFirstIds and leagueSizes from the 13 league entries;
// teamCount, basePlayerCount (21 a team) and playerCount (40 more); teamRecords (64 bytes a team)
// and playerRecords (37 bytes a player) when they are null.
void setupLeagueTables();
// Fills playerRecords with the first-run record of every player through the write buffer,
// drawing one value of gameRandom per player.
void buildDefaultPlayerRecords();
// teamCodes := one String per team of the three code characters of its information record.
void buildTeamCodes();

} // namespace game::resources
