// The tactics block of the club plan (selectionTable bytes 604..771): the user's formation, each
// player's formation slot, the team's settings and each player's instructions. One table pairs
// every byte with the field of the user's match team (or its players) that holds it; the writer
// and the reader both walk it, so what is written is what is read back.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::resources {

using runtime::jint;

// Writes the tactics section of a tactics editor state into the club plan: 514 the formation
// (byte 604), 518 the eleven players' formation slots (605..626), 515 the team settings
// (627..639), 516 the eleven players' instructions, twelve bytes each (640..771). Other states
// write nothing.
void writeTacticsToRecord(jint menuState);
// Reads the whole block back into the user's match team. A formation byte that is not a
// formation of the table, or a formation slot outside 0..24, is logged and the team keeps its
// own formation and places; the settings are read either way.
void applySavedTactics();
// The first byte of the block and its length.
inline constexpr jint kTacticsBlock = 604;
inline constexpr jint kTacticsBlockBytes = 168;

} // namespace game::resources
