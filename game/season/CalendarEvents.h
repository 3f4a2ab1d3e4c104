// Calendar event processing: turning the event at a position of the loaded month into game state
// for the user's club (the league round and its fixture, a cup round, a one-off match or a
// friendly), the look-ahead for the user's next opponent, and the season's opening weeks.
//
// The competitions themselves are set up by the season screens' services (setupCompetitionDay,
// prepareLeague, buildLeagueDayFixtures, prepareTeamSide), which set userOpponentSlot and
// userAtHome for the event.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Filters of processCalendarEvent besides a stored type 1-3.
inline constexpr jint kClassifyOnly = -2;
inline constexpr jint kAnyEvent = -1;

// Classifies event position week (0..7) of the loaded month `month` and, for filter -1 or the
// event's stored type, prepares it: the league round's fixtures (only the screens' team list
// with preview), a cup round, a one-off match or a friendly. Sets userEventNow, and posts the
// season's closing message 58 at month 11 positions 1, 6 and 7 without preview. Filter -2 only
// classifies.
void processCalendarEvent(jint week, jboolean preview, jint month, jint filter);
// nextUserOpponent := the team the user's club meets at its next event of months up to 10, -1
// for none; competitionTeams and the loaded month are as before.
void findNextUserOpponent();
// Plays the season's opening weeks (positions 4 to 40: the continental qualifiers into
// cupRoundPairsA, the first national-cup tie into cupRoundPairsB), then stands the calendar at
// month 0 week 0, enters menu state 136 and prepares the first event.
void startSeasonCalendar();

} // namespace game::season
