// The comparison the squad lists sort by, and the skill mean it rates players with. Both read the
// club database's records directly; the name and the age come through the services that own them.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::season {

using runtime::jboolean;
using runtime::jint;

// Squad-list columns of comparePlayers.
inline constexpr jint kNameColumn = 0;
inline constexpr jint kAgeColumn = 1;
inline constexpr jint kPositionColumn = 2;
inline constexpr jint kRatingColumn = 3;
inline constexpr jint kValueColumn = 4;

// True when player a sorts after player b by column: 0 a's display name is greater than or equal
// to b's, 1 a is younger, 2 a's position order (firstGroupInMask of the position mask) is
// smaller, 3 a's skill mean is lower, 4 a's market value is lower; any other column false. Every
// call counts in compareCount.
jboolean comparePlayers(jint a, jint b, jint column);
// The mean, rounded down, of the two largest of the skills (low 7 bits) at record bytes 4, 5 and
// 9; 0 (logged) for a player outside the records.
jint getPlayerSkillMean(jint player);

} // namespace game::season
