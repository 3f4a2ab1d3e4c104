// The inbox's daily work: every open deal of the message ring moves one day on (offers answered,
// sales booked, contract talks settled, the board's countdowns), and the two small routines the
// deals share.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// Walks the ring from the newest message to the oldest and applies each kind's daily rule, then the
// daily tail (the day counter; byte 0 := -1 for a record that left the ring).
void processPendingMessages();
// Every stored message of a kind above 0 from team about player is refused: kinds 3 and 6 get
// answer 0 (byte 15), kinds 2 and 5 reply 0 (byte 9).
void cancelOffersForPlayer(jint team, jint player);
// True when fewer than five players of the user's squad have a market value above player's.
jboolean isAmongTopFiveByValue(jint player);

} // namespace game::club
