// League and cup matchdays: one round of the current competition for every match the user does
// not play, with the results from the season screens' simulateFixture booked into the standings
// rows (points, wins, draws, losses) and the per-team tallies (teamRatings, from
// resultRewardTable), the knockout winners carried into the next round, and the round-of-16 draw
// after the last group matchday.
//
// resultRewardTable is indexed by column + 5 x outcome (0 win, 1 draw, 2 loss): column 0 for the
// second divisions of the two-division countries, 1 for the other leagues, 2 for the national
// cup, 3 for the continental cup. cupBracket holds two slots per tie; the block of knockout round
// r (3 round of 16 .. 6 final) starts at cupRoundStart[r - 3], and the winner of tie t goes to
// cupRoundStart[r - 2] + t.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// One cup matchday. knockoutOnly clear: the continental cup (group rounds 0-2 on two matchdays
// each, cupReturnLeg selecting the second; the draw after the sixth); set: a national-cup
// knockout round. Knockout rounds 3-6 decide a tie after the match played with cupSecondLeg
// set. passFlag goes to every simulateFixture call. Rounds 7 and above play nothing.
void playCupMatchday(jboolean knockoutOnly, jboolean passFlag);
// Ranks the eight groups (points, then goal difference; the user's club wins a full tie for
// second place), and draws the round of 16 into cupBracket[0..15]: each tie a group winner
// against a runner-up of another country where the draw allows it, no tie of slots 4 or fewer
// apart where a repair exchange can avoid it. Sets cupDrawDone.
void drawCupKnockout();
// One league round: the pairings of round competitionRound of the schedule (the return half
// with venues swapped); every match, or with includeAll clear every match that involves neither
// userCompetitionSlot nor secondExcludedSlot, is simulated and booked.
void playLeagueMatchday(jboolean passFlag, jboolean includeAll);
// The country of a league L: L >> 1 for L < 10 (two divisions each), else L - 5.
jint countryOfLeague(jint league);
// The country of a team: its league L when L >> 1 for L < 10, else L - 5.
jint countryOfTeam(jint team);

} // namespace game::season
