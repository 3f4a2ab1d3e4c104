// The computer clubs' day in a transfer window: players listed for sale and for loan, offers for
// the user's players and for his listed ones, clubs short of players buying, random approaches.
// Every offer is an inbox message of type 4.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// One day of the computer clubs' transfers: the six stages below in order, with one n for both
// listings.
void processTransfers();
// Stages 1 and 2: squadList := the players of other clubs that can go (for sale: grade below 3 and
// older than 21; for loan: grade above 1 and younger than 23), then n draws of it are listed when
// it holds more than n.
void listPlayersForTransfer(jint n, jboolean loan);
// Stage 3, on match days 0, 3 and 6: up to three offers of clubs that can pay for the user's
// players, never from userLinkedTeams, never twice the same club and player, never leaving the
// user's squad below 17.
void offerForUserPlayers();
// Stage 4: offers for the user's listed players from clubs no stronger than the player's star band
// allows (squadList holds the clubs of the last player).
void offerForListedPlayers();
// Stage 5: every other club with 16 players or fewer bids for the first affordable of up to 100
// drawn players (the last drawn when none is).
void buyForShortSquads();
// Stage 6: up to ten approaches of random clubs for their transfer targets.
void makeRandomApproaches();
// The star level 0..7 of a skill: 0 below 57, 1 + (skill - 57) / 7 up to 98, 7 from 99.
jint getRatingBand7(jint skill);
// True when one of the player's eight skills has a star level s with s + 1 >= level.
jboolean hasSkillAtLevel(jint player, jint level);
// The sum of the eight skills, or with asStars the sum of their star levels + 1 (8..64).
jint sumSkills(jint player, jboolean asStars);
// A team other than the user's, drawn from all teams.
jint pickRandomTeam();

} // namespace game::club
