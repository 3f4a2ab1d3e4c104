// The competition view: the league rounds, national-cup rounds and continental-cup rounds of the
// season paged forwards and backwards. The event of a type is found from a calendar position,
// the competition statics are brought to it (the round's pairings, a cup's stored record, the
// stored results of a past round) and the teams the screens list are left in viewTeams.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// The event of a type from position: unless the event loaded (scheduleType) already has the type
// and keepCurrent is set, the bounded search of findEventOfType steps to it and viewPosition
// takes its position (a type not in the calendar is logged and nothing more changes).
// viewEventAhead: the event is later than today, or today's and not yet played
// (eventDoneByType). Fills viewTeams (-1 elsewhere) and viewTeamCount for the type and step, clears
// viewMarks and viewCursor, and for the cups sets userCompetitionSlot to the user's entry of
// viewTeams (-1 none).
void showCompetitionEvent(jboolean backwards, jint position, jint type, jboolean keepCurrent);

} // namespace game::season
