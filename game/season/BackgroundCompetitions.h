// The competitions the user does not play: the twelve other leagues and the national cups of the
// other seven countries run in the background. Each keeps its working set in a slot of its own
// (selectLeagueState: league L in slot L, the cup of country c in slot 13 + c) together with
// backgroundPosition, the last calendar position played for it, and is brought up to today with
// the league and cup matchdays.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Plays the competition at hand (secondLeague: a league, or in cup mode a country) from
// backgroundPosition + 1 up to today: its league rounds, or in cup mode its national-cup steps
// 3 to 10. A competition at position 95 or later is left alone. backgroundPosition becomes
// today and the user's month is loaded again.
void advanceOtherCompetition(jboolean cupMode);
// Prepares the team numbered like today's week for its next match (unless it plays in the user's
// league), brings every other league and every other country's national cup up to today, and
// with withMessages posts the promotion (18) or relegation (19) news of the division paired with
// the user's.
void playOtherCompetitions(jboolean withMessages);

} // namespace game::season
