// The selection table: the user's squad as the management screens and the season code see it.
// Bytes 0-17 hold three 6-byte flag entries, 18-107 fifteen 6-byte entries, 108-587 one 16-byte
// entry per squad slot of the user's team (player number, 0xFFFF, eleven counters, position
// category), 588-795 reserved groups (588 the chosen set-up number), 796 on the random choices.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;

// Refreshes the player entries from the user's team record: the counters are reset and bytes
// 2-3 become 0xFF; with rebuild the table is laid out anew (flags cleared, player numbers and
// categories written, the reserved groups set to 0xFF, a set-up number chosen and its flags
// added to bytes 0-10).
void buildSelectionTable(jboolean rebuild);
// The first-run table: every byte 0, then laid out anew (byte 803 stays 0, so the squad
// settings load takes it as never filled).
void resetSelectionTable();

} // namespace game::club
