// The small routines the match engine and the match view share: the camera's move to a target,
// the on-screen test, the pitch tile painter and its copy to the screen, the overview map, the
// sliding banner, the flash timer, movement targets, the best player of a team for a task and the
// players' condition during a match.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {
class CPlayer;
class CTeam;
} // namespace game::match

namespace game::framework {

using runtime::jint;

// Bytes of one player's record in listRowRecords, and records per team.
inline constexpr jint kMatchRecordBytes = 22;
inline constexpr jint kMatchRecordsPerTeam = 30;

// findBestPlayer kinds (the value each reads from the player's record).
inline constexpr jint kBestPlayerKind0 = 0;
inline constexpr jint kBestPlayerKind1 = 1;
inline constexpr jint kBestPlayerKind2 = 2;
inline constexpr jint kBestPlayerKind3 = 3;

// The index (10 down to 2, to 1 for kind 3) of the team's on-pitch player with the highest value
// for kind, read from his record in listRowRecords; -1 when none is above 0.
jint findBestPlayer(match::CTeam* team, jint kind);
// Starts the player's condition record for a match that he joins at time start.
void initPlayerCondition(match::CPlayer* player, jint start);

} // namespace game::framework
