// The early national-cup steps of a country with two divisions: the teams of steps 0, 1 and 2,
// put together from the two divisions' team lists, cupEntryLimits and the saved result tables
// groupTableA (step 0), groupTableB (step 1) and groupTableC (step 2), which are cleared while
// their steps still lie ahead by the calendar.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Clears the result tables of the steps still to come (position < 5 all three, < 7 the last
// two, < 9 the last), copies them into the work lists, and for step 0, 1 or 2 leaves the step's
// teams in viewTeams and their number in viewTeamCount; any other step only clears and copies.
// forView set: a step still to come shows -1 in place of the teams it waits for. Leagues 10 and
// up have no partner division: nothing changes. Data that would overrun the lists is logged and
// only what fits is copied.
void showEarlyCupRound(jint step, jboolean forView);

} // namespace game::season
