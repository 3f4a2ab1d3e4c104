// The second half of a menu-state entry: the preparation of the screen being entered (the lists
// its family handler shows, its counters and texts, the random choices it presents and its entry
// sound), then the closing block every entry shares (highlight reset and default selection).
//
// The new week (0x88) comes first: with a message alert pending it enters the message screen
// instead and stops there; otherwise it finds the user's next event, picks the week's news item
// and, in a week that shows a table, snapshots the competition and builds the leaderboards.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

using runtime::jint;

// The preparation of menu state `state`, which menuState already holds (setMenuState's last step).
void prepareMenuScreen(jint state);

} // namespace game::framework
