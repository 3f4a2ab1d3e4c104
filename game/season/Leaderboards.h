// Competition leaderboards: the six best players of the current competition in three
// per-competition statistics of the player record.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jint;

// The rows of a leaderboard list and the rows that take part in the ranking.
inline constexpr jint kLeaderboardRows = 10;
inline constexpr jint kLeaderboardRanked = 6;

// For k = 0, 1, 2: leaderboards[k] := a new short[10][3] of (value, player, slot) rows, the six
// highest values of the signed player record byte statOffset + 3k + 19 over every squad slot of
// every competition team, in descending order (equal values in the order their slots were
// visited); leaderboardCounts[k] := the leading rows with a value above 0. statOffset is the
// competition kind: 0 league, 1 national cup, 2 continental cup. Empty (-1) and flagged (0x8000)
// squad slots never enter.
void buildLeaderboards(jint statOffset);

} // namespace game::season
