// One engine tick of the match (updateMatch) in the order of its steps, and what the interrupted
// match does to the players' timers while it waits.
#pragma once

namespace game::match {

// One tick: the placed actors' motion (last index first), the contact step, the per-phase update
// (true: only the ball tick follows), possession and lines, the first then the second team's
// update, the player ticks of slots 10..0 (first team, then second, then both lose the tick's
// touch flag), the two touchline figures and the ball tick.
void updateMatch();
// Players 0..10 of both teams: orderEndTime + 1, so their timed orders wait while the match is
// interrupted (once a frame).
void advanceOrderEndTimes();

} // namespace game::match
