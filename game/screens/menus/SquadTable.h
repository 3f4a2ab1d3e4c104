// The squad table: the paged five-column table of the players in squadList (name, age, position,
// rating, value), 13 rows a page, with its header sort, paging, the player screen, the staff key
// and the shortlist question. The season start menu, the squad menu and the staff task menu run
// it once a frame from their own sub-screens.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::menus {

using runtime::jint;

// Players the shortlist holds; adding to a full list is refused.
inline constexpr jint kShortlistCapacity = 50;
// Rows of one page of the table.
inline constexpr jint kSquadTableRows = 13;

// One frame of the table: draws it, then takes its input. 1 when the table took the frame (a
// question open or answered, the reset of state 68, a menu-state change), 0 otherwise: the
// caller then handles a first touch itself (lastTouchedRow).
jint updateSquadTable();
// The shortlist question (not in states 68 and 72): opened by key 512 or soft-key button 8 on a
// highlighted row; the first answer removes the player (state 1033), clears his scouted mark
// (state 1035) or adds him (other states). 1 while the question owns the frame.
jint toggleShortlist();
// The decimal text of n; above 1000 the thousands, constant string 98 and the last three digits
// (1000 itself gives "1000").
runtime::String* formatThousands(jint n);

} // namespace game::menus
