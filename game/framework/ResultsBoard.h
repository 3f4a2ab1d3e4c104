// The match results board: in match view modes 1 and 2, for a match event whose kind (top three
// bits of frameRecord[2]) is 101 binary and whose attempt count n (bits 8-14 of frameRecord[1],
// low nibble clear) is not 0, a box over the pitch with the two teams' badges and one icon per
// attempt, alternating between the teams' rows, ten places at most (the count is taken modulo
// 10). Every other event draws nothing.
#pragma once

namespace game::framework {

// Paints the board into currentGraphics when the current event asks for it.
void paintResultsBoard();

} // namespace game::framework
