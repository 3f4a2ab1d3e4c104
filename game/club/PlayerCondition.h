// The players' day: fitness recovers, injuries and suspensions count down, computer players pick up
// random injuries, the user's squad trains (skill progress, rises, flags and the month's best
// trainees), and at the season's end contracts are renewed or players released and loans end.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// The daily condition of every player (the match's condition step is another routine): fitness,
// the status countdown, players recalled to a short squad, random injuries, retirements of the
// injured and the status of listed players.
void updateDailyCondition();
// One day of the user's squad training; day is matchDayIndex (day 0 reports the month's best
// trainees and clears the month's marks).
void trainSquad(jint day);
// The season's end: computer players under 34 are offered a renewal, the others whose contract
// ends are released; loans end; freePlayerCount is counted.
void processContractExpiries();
// The used, unflagged squad slots of team whose player has status 4 or lower.
jint countAvailableSquadPlayers(jint team);
// 0 as soon as the squad (up to its first empty slot) holds an available goalkeeper; else 1.
jint hasNoFitGoalkeeper(jint team);
// The number of the player's nine skill flags that are set.
jint countSkillFlags(jint player);
// Players without a team.
jint countFreePlayers();
// The player of the first training entry with the most improvements this month, clearing its
// count; -1 when no entry has any.
jint takeNextTrainingPlayer();
// A new byte[8] of skill increments of training kind 0..8 (all zero for any other kind).
runtime::ByteArray* trainingIncrements(jint kind);
// Adds the increment of focus 0..10 to increments (another focus adds nothing).
void addFocusIncrement(jint focus, runtime::ByteArray* increments);
// The number of skill flags a player can hold.
inline constexpr jint kSkillFlagCount = 9;
// The rating of each of the player's skills that a skill flag stands for: a flag is granted at 95
// and, for a veteran, lost below it. keeper rates the skills as a goalkeeper uses them.
void skillFlagRatings(jint player, bool keeper, jint rating[kSkillFlagCount]);
// Sets each flag the player's skills rate at 95 or more while he holds fewer than three, posting
// message 32 for it.
void grantSkillFlags(jint player, jboolean goalkeeper);

} // namespace game::club
