// The settlement of a finished season: league positions, cup results and their prizes, what the
// board expected of each team, the wage budgets and season-end money, promotion and relegation,
// the user's move to a new club and the ageing of veterans. The league structure is
// leagueTeamOrder with leagueStarts and leagueSizes: 260 teams in 13 divisions, countries 0-4 with
// an upper division 2c and a lower division 2c + 1, countries 5-7 with the single divisions 10-12.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// The 1-based position of team in division's part of leagueTeamOrder; 0 when it is not there.
jint getDivisionPosition(jint team, jint division);
// The league prize (in tens of money units) of the team's position in its division.
jint getLeaguePrize(jint team);
// The league outcome class of the team's position: 14 for a lower division's top three, 10 for an
// upper division's team that is not found, else 5 (champion) down to 1.
jint getLeagueOutcome(jint team);
// The team's national-cup result 0..5, or its prize when asPrize is set.
jint getNationalCupResult(jint team, jboolean asPrize);
// The team's continental-cup result 0..5, or its prize when asPrize is set.
jint getContinentalCupResult(jint team, jboolean asPrize);
// Copies the 16 results of cup (32 for cup 8) from buffer into cupResults when store is set, else
// from cupResults into buffer.
void copyCupResults(runtime::ShortArray* buffer, jint cup, jboolean store);
// cupExpectations and continentalExpectations of every team from its last result and its strength
// rank; the user's two values into userCupExpectation and userContinentalExpectation.
void computeCupExpectations();
void computeContinentalExpectations();
// Moves the team's wage budget by its league and cup results against the expectations; capped at
// 65000, never below userWageTotal (a fresh floor of 100..500 above it when it falls below).
void updateWageBudget(jint team);
// Pays the season's prizes and sponsorship: into the funds field of a computer team (held within
// the field's range), into the user's season-end figures for the user's team.
void settleSeasonFinances(jint team);
// Swaps the bottom three of every upper division with the top three of its lower division; with
// trackUser set, userLeague follows the user's team.
void applyPromotionRelegation(jboolean trackUser);
// The user joins pendingTeam: division, histories and the club's own season values.
void applyTeamChange();
// The new club's season values: its team setting and ground size value.
void resetUserSeasonValues();
// Weakens the four main skills of every player over 30 (the forty players without a team
// excepted), keeping each skill within 0..99.
void declineVeteranAttributes();
// Clears each skill flag of a player over 30 whose rating has fallen below 95.
void updateSkillFlags();

} // namespace game::club
