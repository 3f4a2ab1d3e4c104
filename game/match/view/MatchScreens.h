// The match's small screens: the added-time board in the corner of the match screen with the
// kick-off pop-up, the pre-match screen and the match loader's progress. They only draw into the
// current Graphics (the board keeps its own slide and pop-up counters); the one rule of the
// board that changes the match (a skipped period's end) is endSkippedPeriod (MatchSetUp.h), which
// the frame's logic runs.
#pragma once

namespace game::match {

// From the shown frame record: the board slides in from minute 45 of period 1 and minute 90 of
// the others; at a period's kick-off the pop-up shows text 47 for its first frames.
void updateAddedTimeBoard();
// The pre-match screen (top-level state 6): black, and from its second frame the backdrop, the
// header image and text, the date, the two sides, the match report and the animation.
void paintMatchIntro();
// The match loader's progress (top-level state 5) from its second frame: the bar, or the loading
// animation at y 576 (after one clearing of the screen when asked).
void paintLoadingProgress();

} // namespace game::match
