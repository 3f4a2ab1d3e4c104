// The season objectives: at a season's end the user's league position and cup stages replace the
// previous season values (kept in objectiveA..C) and, when scored, move the club's tally
// (userRating) by a bonus or penalty per competition from finalTallyBonus.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// The stage a cup progress byte stands for: 0 for -1 and -2, 5 for 1 (the final won), otherwise
// max(0, b - 2).
jint cupStage(jint progress);
// objectiveA..C := the league, continental and national-cup values; the values := cupStatus[0]
// + 1 and the stages of cupStatus[2] and [1]; with score set, the three terms are added to the
// tally, which does not fall below 0.
void settleSeasonObjectives(jboolean score);

} // namespace game::season
