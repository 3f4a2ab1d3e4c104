// What the match leaves in numbers: goals and assists per player from the goal records, every
// squad player's match rating (at the interval and at the end), the end-of-match update of the
// user's squad and the reader of the two small tables of a packed match-table block.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jboolean;
using runtime::jint;

// The end-of-match counter's start.
inline constexpr jint kMatchEndCount = 300;
// Match ratings run from 4 to 9; 10 only for a scorer whose team did not lose.
inline constexpr jint kLowestRating = 4;
inline constexpr jint kHighestRating = 9;
inline constexpr jint kScorerRating = 10;

// Counts, afresh each call, teamGoalsCounted and every player's matchGoals and matchAssists from
// the goal records: a goal counts when it is credited to the scorer's own team (no own goal),
// for the player whose line-up entry is the recorded squad index; an assist index of 0 or -1
// credits nobody, nor does an index no slot holds.
void countGoalScorers();
// Rates squad slots 0..17 of both teams into matchRating from their match counters and goals
// (full: at the end; else the interval's halved weights), the result and a coin drawn from
// gameRandom for each of the 36 slots, then limits the rating to 4..9 (10 for a scorer whose
// team did not lose).
void computePlayerRatings(jboolean full);
// The end of the match: the match flag cleared, the end-of-match counter started, goals counted,
// the bench slots whose players played listed afresh in benchSlots, each of the user's squad players looked
// up in the club plan table's member entries, and the full ratings computed.
void finishMatchRecords();
// benchSlots afresh: per team the bench slots (11..17) whose player played, in slot order, -1
// after the last (the interval and the end of the match build it anew).
void listUsedBenchSlots();
// Section 0 of block into a new matchByteTable, section 1 into a new matchShortTable; any other
// section is ignored. A section that does not fit in the block is logged and the table stays.
void loadMatchTable(runtime::ByteArray* block, jint section);

// The byte offset in selectionTable of the 16-byte member entry whose player id (its first
// big-endian 16-bit word) is playerId; -1 when none of the 30 holds it.
jint findMemberEntry(jint playerId);
// The slot 0..17 of side teamIndex whose line-up entry is the squad index `entry`; -1 when none.
jint slotOfSquadIndex(jint teamIndex, jint entry);

} // namespace game::match
