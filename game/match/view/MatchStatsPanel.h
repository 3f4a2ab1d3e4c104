// The match statistics panel of match view mode 0: both teams' badges and names, the score and
// eleven statistic rows with the better value of each row in the highlight palette.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// Paints the panel into currentGraphics (texts through the installed TextLineDrawer); changes no
// game state.
void paintMatchStats();

// The left and right value of statistic row `row` (0..10) from the two teams' statistics a and b
// (13 signed 16-bit entries each); what the panel shows in that row.
struct StatRowValues {
    jint left = 0;
    jint right = 0;
};
StatRowValues statRowValues(jint row, const short* a, const short* b);

} // namespace game::match
