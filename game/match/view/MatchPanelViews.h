// The match screen's panel views, painted instead of the plain header when the view mode is not
// 0: during a replay and in mode 2 the event panel (the frame painter over the shown record and
// header 2), else the radar of all players and the ball from the shown record. A halted match
// shows the pause symbol in every panel view.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// A pitch position of a record (x, y >> 8) on the radar: the pitch's length runs down the screen.
inline jint radarX(const jint y) {
    return y * 116 / 252 + 221;
}
inline jint radarY(const jint x) {
    return 299 - x * 116 / 252;
}
// The radar ball's frame by its recorded height: 11 low, 10 middle, 9 high.
jint radarBallFrame(jint height);

// The panel view of view modes 1 and 2 (and of a replay), into currentGraphics.
void updateMatchExit();
// The pause symbol: two bars, a black outline round a white fill, at x 26 and 42.
void paintPauseSymbol();

} // namespace game::match
