// The kinds of the player commands {kind, a, b, c} that the team logic queues and
// CTeam::startCommand carries out (PlayerCommands.cpp), and the team-logic tasks they serve.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match::command {

using runtime::jint;

// Command kinds.
inline constexpr jint kNone = -1;
inline constexpr jint kMove = 1;
inline constexpr jint kPass = 2;
inline constexpr jint kLongBall = 3;
inline constexpr jint kShoot = 4;
inline constexpr jint kRestartKick = 5;
inline constexpr jint kFace = 6;
inline constexpr jint kTackle = 7;
inline constexpr jint kSecondTackle = 8;
inline constexpr jint kFollowUpTurn = 9;
inline constexpr jint kFollowUpPass = 10;
inline constexpr jint kFollowUpShot = 11;
inline constexpr jint kWait = 12;
inline constexpr jint kGoalLineRequest = 100;
inline constexpr jint kPerform = 200;

// The pace argument c of a MOVE: -1 the default pace, 1 a run.
inline constexpr jint kDefaultPace = -1;
inline constexpr jint kRun = 1;
// FACE(-1) turns the player to his defaultDirection.
inline constexpr jint kDefaultFacing = -1;

} // namespace game::match::command
