// The screen that reports what came of an action on one player (an action of the second player
// list, a release or a contract offer), shown in menu states 131075 and 74.
#pragma once

namespace game::menus {

// One frame of the result screen: the headline and body built from lastPlayerAction and
// actionDone, drawn; the right soft key leaves to the state that fits where it stands.
void showPlayerActionResult();

} // namespace game::menus
