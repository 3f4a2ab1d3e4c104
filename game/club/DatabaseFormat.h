// The layout of the club database pack (named by constant string 85) and of the records the game
// builds from it, shared by the readers (DatabaseTables.cpp, DataSets.cpp, the database look-ups)
// and the sample data generator. Every multi-byte field inside an entry is big-endian.
//
// Entries of the pack:
//   0  team information table: 13 league entries of 5 bytes (name offset and length, badge first
//      id, team count), then 27 bytes per team from byte 65 (name offset and length, three-letter
//      code, a reputation value, initial wage budget and funds / 10, four kit bytes, formation,
//      the team sheet's nibble byte, five linked team ids)
//   1  player information: 28 bytes per player (name, nationality, birth date word, contract-end
//      year code, position mask, eight skills, appearance code, height, weight, form)
//   2  the text bytes of every database name
//   3  team name table: 260 entries {offset, length}, then the names from byte 780
//   4  coach records: 36 of 18 bytes, then their names (offsets count from byte 648)
//   5  development table: a row of 25 ages (16..40) per development class
//   6  scout records: 20 of 10 bytes, then their names (offsets count from byte 200)
//   7  match table block: a section count, section offsets, then the sections
//   8  formations: 67 bytes per formation
//   9  formation slots: 10 bytes per formation
//   10 news templates: 135 records of 65 bytes (a 60-byte key, a value, a kind, a name
//      reference counted from byte 135 x 65), then the template texts
//   11 reserved: one byte
#pragma once

#include <cstdint>

namespace game::club {

// Pack entries.
inline constexpr std::int32_t kDatabasePackConstant = 85;
inline constexpr std::int32_t kTeamInfoEntry = 0;
inline constexpr std::int32_t kPlayerInfoEntry = 1;
inline constexpr std::int32_t kNameBytesEntry = 2;
inline constexpr std::int32_t kTeamNameTableEntry = 3;
inline constexpr std::int32_t kCoachEntry = 4;
inline constexpr std::int32_t kDevelopmentEntry = 5;
inline constexpr std::int32_t kScoutEntry = 6;
inline constexpr std::int32_t kMatchTableEntry = 7;
inline constexpr std::int32_t kFormationEntry = 8;
inline constexpr std::int32_t kFormationSlotsEntry = 9;
inline constexpr std::int32_t kNewsTemplateEntry = 10;
inline constexpr std::int32_t kReservedEntry = 11;
inline constexpr std::int32_t kDatabaseEntryCount = 12;

// The shape the game is built around: 13 leagues, at most 260 teams, 21 players a team and 40
// players without a team.
inline constexpr std::int32_t kLeagueCount = 13;
inline constexpr std::int32_t kMaxTeams = 260;
inline constexpr std::int32_t kPlayersPerTeam = 21;
inline constexpr std::int32_t kFreePlayers = 40;

// Team information table (entry 0): league entry i at 5i, team t's fields at their base + 27t.
inline constexpr std::int32_t kLeagueEntryBytes = 5;
inline constexpr std::int32_t kLeagueNameOffset = 0;   // 16-bit offset into the name bytes
inline constexpr std::int32_t kLeagueNameLength = 2;   // byte
inline constexpr std::int32_t kLeagueBadgeFirstId = 3; // unsigned byte
inline constexpr std::int32_t kLeagueTeamCount = 4;    // unsigned byte
inline constexpr std::int32_t kTeamStride = 27;
inline constexpr std::int32_t kTeamNameBase = 65; // 16-bit offset, then the length byte
inline constexpr std::int32_t kTeamCodeBase = 68; // three characters
inline constexpr std::int32_t kTeamCodeLength = 3;
inline constexpr std::int32_t kTeamReputationBase = 71; // unsigned byte
inline constexpr std::int32_t kTeamValuesBase = 72;     // wage budget, funds / 10 (16-bit each)
inline constexpr std::int32_t kTeamValuesLength = 4;
inline constexpr std::int32_t kTeamKitBase = 76; // four bytes of two 4-bit values each
inline constexpr std::int32_t kTeamKitLength = 4;
inline constexpr std::int32_t kTeamFormationBase = 80;
inline constexpr std::int32_t kTeamSheetNibbleBase = 81;
inline constexpr std::int32_t kTeamLinkedBase = 82; // five 16-bit team ids, 0xFFFF none
inline constexpr std::int32_t kTeamLinkedCount = 5;
// Bytes the table must hold for t teams: every per-team field of the last team lies below it.
constexpr std::int32_t teamInfoBytes(const std::int32_t teams) {
    return kTeamValuesBase + kTeamStride * teams;
}

// Player information (entry 1): 28 bytes per player.
inline constexpr std::int32_t kPlayerInfoBytes = 28;
inline constexpr std::int32_t kPlayerNameOffset = 0;        // 16-bit offset, then the length byte
inline constexpr std::int32_t kPlayerNationalityOffset = 3; // 16-bit offset, then the length byte
inline constexpr std::int32_t kPlayerBirthWord = 6;         // year code from 1960 << 9 | month << 5 | day
inline constexpr std::int32_t kPlayerContractYear = 8;      // year code from 2000
inline constexpr std::int32_t kPlayerPositionMask = 11;     // 32-bit
inline constexpr std::int32_t kPlayerSkills = 15;           // eight skills, then the appearance code
inline constexpr std::int32_t kPlayerSkillCount = 8;
inline constexpr std::int32_t kPlayerAppearance = 23;
inline constexpr std::int32_t kPlayerHeight = 24;
inline constexpr std::int32_t kPlayerWeight = 25;
inline constexpr std::int32_t kPlayerForm = 26;
inline constexpr std::int32_t kBirthYearShift = 9;
inline constexpr std::int32_t kBirthMonthShift = 5;
inline constexpr std::int32_t kGoalkeeperMask = 1;

// Name references (team, league, player, nationality): a 16-bit offset into the name bytes and a
// length byte.
inline constexpr std::int32_t kNameReferenceBytes = 3;
inline constexpr std::int32_t kMaxNameOffset = 0xFFFF;

// Team name table (entry 3): 260 directory entries of 3 bytes, then the names.
inline constexpr std::int32_t kTeamNameEntryBytes = 3;
inline constexpr std::int32_t kTeamNameDirectoryBytes = kTeamNameEntryBytes * kMaxTeams;

// Coach (entry 4) and scout (entry 6) records: name offsets count from the end of the records.
inline constexpr std::int32_t kCoachCount = 36;
inline constexpr std::int32_t kCoachRecordBytes = 18;
inline constexpr std::int32_t kCoachCodeOffset = 3;
inline constexpr std::int32_t kCoachWageOffset = 5;
inline constexpr std::int32_t kCoachFlagsOffset = 7;
inline constexpr std::int32_t kCoachFlagCount = 11;
inline constexpr std::int32_t kScoutCount = 20;
inline constexpr std::int32_t kScoutRecordBytes = 10;
inline constexpr std::int32_t kScoutWageOffset = 3;
inline constexpr std::int32_t kScoutSkillOffset = 4;
inline constexpr std::int32_t kScoutGradeOffset = 5;
inline constexpr std::int32_t kScoutSecondGradeOffset = 6;
inline constexpr std::int32_t kScoutCodeOffset = 7;

// Development table (entry 5): ages 16..40 per class.
inline constexpr std::int32_t kDevelopmentClasses = 6;
inline constexpr std::int32_t kDevelopmentStride = 25;
inline constexpr std::int32_t kDevelopmentFirstAge = 16;

// Formations (entries 8 and 9).
inline constexpr std::int32_t kFormationCount = 24;
inline constexpr std::int32_t kFormationRecordBytes = 67;
inline constexpr std::int32_t kFormationDefenders = 1; // '0' + count
inline constexpr std::int32_t kFormationMidfielders = 2;
inline constexpr std::int32_t kFormationNameThird = 3;
inline constexpr std::int32_t kFormationNameFourth = 4;
inline constexpr std::int32_t kFormationPlayers = 7; // ten entries of 6 bytes, the zone box first
inline constexpr std::int32_t kFormationPlayerBytes = 6;
inline constexpr std::int32_t kFormationDefensiveLine = 65;
inline constexpr std::int32_t kFormationAttackingLine = 66;
inline constexpr std::int32_t kFormationSlotBytes = 10;
inline constexpr std::int32_t kOutfieldPlayers = 10;
inline constexpr std::int32_t kFormationColumns = 5;
inline constexpr std::int32_t kMaxLinePlayers = 6;

// News templates (entry 10).
inline constexpr std::int32_t kNewsTemplateCount = 135;
inline constexpr std::int32_t kNewsTemplateStride = 65;
inline constexpr std::int32_t kNewsTemplateNameRef = 62;
inline constexpr std::int32_t kNewsTemplateKeyBytes = kNewsTemplateNameRef - 2;

// Records the game builds: 64 bytes a team (30 squad slots of 16-bit player ids, then the wage
// budget and funds / 10) and 37 bytes a player.
inline constexpr std::int32_t kTeamRecordBytes = 64;
inline constexpr std::int32_t kSquadSlots = 30;
inline constexpr std::int32_t kPlayerRecordBytes = 37;

} // namespace game::club
