// The user's result bookkeeping: after the user's club has played, its record by venue and
// outcome (matchStatistics), its running tally (userRating) and the level that the tally reaches
// (trainingLevel), its league position after each round (seasonPositionSeries) and at the
// season's end, titles and second places (clubRecordBytes), finals, the per-season histories, the
// inbox messages for titles, promotion and relegation, and the cup progress.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jint;

// Books the result of the user's match: code is its result code from the home side's view (low
// four bits 3 home win, 2 draw, 1 away win), ownResultCode the one that decided a tie. A code
// whose low four bits are not 1..3 books nothing and is logged.
void recordUserResult(jint code);

} // namespace game::season
