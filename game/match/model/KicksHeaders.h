// Kicks and headers (CPlayer's kick, kickContact and strikeContact, CPlayer.h): the kick poses and
// their contact frames, and the match statistics the kicks count.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class CPlayer;
using runtime::jint;

// Entries of a team's row of matchStats that the kicks count.
inline constexpr jint kStatShots = 0;
inline constexpr jint kStatBallsPlayed = 11;

// Entry `entry` of matchStats[teamIndex] += 1; nothing for a missing row or entry.
void countMatchStat(jint teamIndex, jint entry);
// The player's team index; -1 without a team.
jint sideOf(const CPlayer* player);
// The animation frame at which the kick pose `state` meets the ball; -1 for a state that is no
// kick pose.
jint kickContactFrame(jint state);
// True on the tick the player's kick pose meets the ball: the last tick of the frame before
// `contactFrame`, or any tick from the contact frame on.
bool atContactTick(const CPlayer* player, jint contactFrame);

} // namespace game::match
