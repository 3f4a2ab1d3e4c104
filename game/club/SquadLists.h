// The shared squad list (squadList, squadListCount entries, room for 5,500): sorting it by a column
// of comparePlayers, a second sort by the same column reversing it, and the transfer target a
// computer-controlled team looks for.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// Most entries the squad list takes.
inline constexpr jint kSquadListCapacity = 5500;

// Sorts squadList by column (0..5; 5 reverses) with a stable insertion sort, or reverses it when
// the column was the last one sorted by and keepFlags is clear; rowScroll and listPage become 0.
// Unless keepFlags is set, column becomes the one squadSortFlags marks. A column outside 0..5
// changes nothing (logged).
void sortSquadList(jint column, jboolean keepFlags);
// A player of another team, sharing a bit of the position the team needs (listed for sale with
// listedOnly), whose asking price fits the team's money: one of up to 20 at random, else one of
// the 21 cheapest; -1 when none fits. Leaves the candidates in squadList.
jint chooseTransferTarget(jint team, jboolean listedOnly);

} // namespace game::club
