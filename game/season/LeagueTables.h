// League fixtures and standings: the pairings of a round from the round-robin schedule, which
// league a team plays in, the order of a league table, team ranks, and the sorted three-short
// lists of the leaderboards. They work on the statics of the static block and return plain
// values; none of them draws.
//
// Standings rows (competitionTable and secondCompetitionTable) are 8 bytes per competition slot,
// laid out group by group (group x team count + position).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// The bytes of a standings row.
namespace standings {
inline constexpr jint kRating = 0; // the team's rating, written by the strength update
inline constexpr jint kPoints = 1; // unsigned
inline constexpr jint kWins = 2;   // wins, draws and losses follow one another
inline constexpr jint kDraws = 3;
inline constexpr jint kLosses = 4;
inline constexpr jint kGoalDifference = 5; // signed 16 bits, big-endian (bytes 5-6)
inline constexpr jint kGoals = 7;          // unsigned
inline constexpr jint kRowBytes = 8;
} // namespace standings

// Schedule entries and pairings: the opponent's position in bits 0-5 and the venue in bit 6 (the
// matchdays read a set bit as the row's team playing away); -1 no match.
inline constexpr jint kOpponentMask = 63;
inline constexpr jint kVenueBit = 0x40;
inline constexpr jint kNoPairing = -1;

// Row `slot` of competitionTable, or null (logged) when the table has no such row.
runtime::ByteArray* standingsRow(jint slot);

// roundPairings[i] := the entry of schedule row i in column (currentRound + offset) mod
// scheduleRoundCount for every team position i, or -1 where the opponent's position is lower
// (the match is listed there). With secondHalf set every listed pairing swaps its venue: a set
// bit 6 is cleared with bit 7, a clear one is set.
void buildRoundPairings(jint offset, jboolean secondHalf);
// Copies the leagueSizes[league] teams of the league's slice of leagueTeamOrder into buffer, or
// from buffer into the slice when toStatics is set.
void copyLeagueTeams(runtime::ShortArray* buffer, jint league, jboolean toStatics);
// The league whose slice of leagueTeamOrder holds the team; a team that is absent counts as at
// position 0.
jint leagueOfTeam(jint team);
// The team plays in a second division: its league is odd and below 10.
jboolean isOddLeagueTeam(jint team);
// The table order of group `group` of teamCount teams (of secondCompetitionTable when
// secondCompetition is set): positions 0..teamCount-1 by points, then goal difference, then
// goals, equal teams in their order.
runtime::ByteArray* sortStandings(jint teamCount, jint group, jboolean secondCompetition);
// Allocates teamRankValues, teamRanks and teamGroupRanks, one entry per entry of leagueTeamOrder.
void prepareTeamRanks();
// teamRanks[i] := 1 + the number of entries with a greater teamRankValues value.
void rankTeams();
// The same ranking within each country into teamGroupRanks: leagues (0, 1), (2, 3), (4, 5),
// (6, 7), (8, 9), 10, 11 and 12.
void rankTeamsInGroups();
// Zeroes bytes 1-7 of every competitionTable row; byte 0 (the rating) stays.
void clearStandingsRows();
// 1 + the index of the first of the six strengthLevels thresholds above v; 7 when none is.
jint valueBracket(jint v);
// Inserts the three-short entry into the first count rows of list (short rows, descending by
// their first short): behind every row whose key is at least the entry's, the rows after it
// moving down one place and the last falling off. A key not above the last row's changes
// nothing.
void insertSorted(runtime::ObjectArray* list, const runtime::ShortArray* entry, jint count);

} // namespace game::season
