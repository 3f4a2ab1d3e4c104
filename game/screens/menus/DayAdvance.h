// The season flow's menu family (128): the day advance, which runs one step of the day's season
// work per frame (37 frames a day) and decides where the day stops, the message screen and the
// results table that follow a match, and the small season routines only the day advance runs.
// The club home screen of the family is in HomeScreen.h.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::menus {

using runtime::jboolean;
using runtime::jint;

// One frame of family 128: the player detail screen (129), the message screen (133), the home
// screen (134), the day advance (136) or the results table (137).
void updateMenu128();
// Runs step screenCounter of the day and moves it on by one; only even steps 0..22 and 36 work.
void advanceDayStep();
// Closes the day (the calendar slot marked, the user's match closed unshown under autoAdvance or
// the day's other matches played) and enters the next day (136).
void finishDay();
// Clears the day's start and the list positions and books the competition of today's match.
void resetMatchDay();
// The day's weather: 1 on a draw of 86 or more in December to February, 3 with a strength on a
// draw of 33 or less otherwise; the weather counters get one fresh draw.
void chooseMatchWeather();
// Moves the status code of each available player of the user's squad one up or down by a draw.
void updateSquadStatus();
// Settles the competition of kind 1 (league), 2 (national cup) or 3 (continental cup): its
// leaderboards and the awards the user's club won (userAwards); competitionTeams is kept.
void settleCompetition(jint kind);
// On the month's first match day, the month's entries of the three finance histories.
void recordMonthlyFinances();
// True when a listed message of kind 4 still waits for the user's answer about userTeam.
jboolean hasUnansweredMatchMessage();
// The group 0..7 whose four entries hold userTablePosition; 0 when none does.
jint findUserGroup();
// The season end's reuse of retired players' records as new youths; youthCount then counts the
// young players without a contract.
void rebuildPlayersForNewSeason();
// Whether a player of position flags fits a slot of the position mask (the first matching row
// of the mask decides).
jboolean isPlayerEligibleForSlot(jint positionFlags, jint slotMask);

} // namespace game::menus
