// The player actions menu (family 0x20000): the action list of one player of the user's squad,
// the second list of actions that change his record, the release question and its substitute
// choice, and the player profile page that the squad screens show over themselves.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::menus {

using runtime::jboolean;
using runtime::jint;

// One frame of family 0x20000: the action list (0x20000), the second list (0x20001), the offer
// screen (0x20002) or the result screen (0x20003).
void updateMenu131072();
// One frame of the second list: lower the level, reset the form, a fourth action when the record
// offers it, and the listing action; the monthly counter stops record changes at its limit.
void updatePlayerActionsMenu();
// The question of rows 1..3 of the action list or the profile page: switch the row-1 or row-2
// state of byte 31, or release the player (with more than 16 in the squad), the best substitute
// taking a starter's place.
void confirmPlayerAction(jboolean rowOneState, jboolean rowTwoState, jint statusByte, jboolean fromProfile);
// The squad row (11 and later) of the substitute who takes the place of the starter at
// releasedRow: the highest score (the eight base ratings' bands, doubled for the wanted position
// group, halved per line away, none for a keeper mismatch, an unavailable status or a bar from
// the next match's competition), the first of equal scores, row 11 when none scores above 0.
jint bestSubstituteRow(jint releasedRow);
// The high nibble of player-record byte offset becomes level - 1 for level 1..4.
void setPlayerLevel(jint level, jint offset);
// One frame of the profile page (tab 0 the actions, tab 1 the second list's two actions).
void paintPlayerProfile(jint tab);

} // namespace game::menus
