// The line-up the game picks for a side: every player rated for each position group, then the
// places filled from the ranked groups.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// Number of position groups the players are rated for.
inline constexpr jint kPositionGroups = 14;

// Rates the matchSquadCount[side] players of the side's match records for every position group
// and fills matchSlotList (set to -1 by the caller) place by place: goalkeeper, the ten places
// of the side's formation, the second goalkeeper, then the substitutes line by line.
void chooseLineup(jint side);

// The grade 0..7 of a skill value: 0 below 57, 7 from 99, else one more per seven points.
jint skillGrade(jint value);

// Whether the player with the given number is barred from the competition of scheduleType (his
// selectionTable entry, or the last entry when none is his, marks it).
bool isBarredFromCompetition(jint number, jint competitionType);

} // namespace game::match
