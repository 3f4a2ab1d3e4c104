// The 22-byte rating record of one player of the user's team: his eight base skills and fourteen
// ratings derived from them. Outside a match the skills come from the club database; during a
// match from the side's match records.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jint;

// The rating record of squad slot pos of the user's team (side -1, from the database), or of
// the player at line-up position pos of match side 0 or 1 (from his match record, side x 30 + the
// player's index). A new byte[22]; all zero (logged) when a table or index it needs is missing.
runtime::ByteArray* buildRatingRecord(jint pos, jint side);

} // namespace game::club
