// Small routines the match flow, the team logic and the match view share: who holds the ball,
// the goal records, whether the match is decided and who goes through, the camera's follow
// requests, the kit colours, placing the players and a few resets. The player-side routines are
// CPlayer's (CPlayer.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

class Actor;
class CPlayer;

using runtime::jboolean;
using runtime::jint;

// Match periods (matchPeriod).
inline constexpr jint kFirstHalf = 1;
inline constexpr jint kSecondHalf = 2;
inline constexpr jint kExtraTimeFirst = 3;
inline constexpr jint kExtraTimeSecond = 4;
inline constexpr jint kShootOut = 5;
inline constexpr jint kDecidedByAward = 6;

// Goal records: 20 of six bytes in goalRecords.
inline constexpr jint kGoalRecordCount = 20;
inline constexpr jint kGoalRecordBytes = 6;

// Slide marks: a ring of 10 in slideMarks, four ints each (view index, +64 mirrored, or -1 for
// an empty mark; age; screen x; screen y).
inline constexpr jint kSlideMarks = 10;
inline constexpr jint kSlideMarkInts = 4;

// True when nobody holds the ball and the last to touch it is a goalkeeper in his holding states
// (109, 110) whose hold is not being released.
bool isBallHeldByKeeper();
// (m + c) / 2, m being b for a defender or goalkeeper (role at most 1) or, without a player, when
// b >= a; else a.
jint compareWeighted(const CPlayer* player, jint a, jint b, jint c);

// Counts a goal of team teamIndex (already added to its goals) and, for the first twenty goals
// of the match, writes its record: team, scorer's squad index and team, minute (capped at the
// period's end in added time; +90 in extra time, 255 in a shoot-out), second, assist.
void recordGoal(jint teamIndex);
// The goals of match team side (0 or 1) so far; 0 while the team is missing.
jint sideGoals(jint side);
// Whether the match is over after the period just played, by the score, the competition and the
// first leg.
bool isMatchOver();
// Whether the first team goes through the tie: this match's goals, then the aggregate and away
// goals of a second leg.
bool firstTeamGoesThrough();

// The camera follows the ball again (flag: after a pan).
void followCamera(jint flag);
// The camera follows actor; returnAfter asks it back to the ball afterwards.
void startCameraFollowActor(jint flag, Actor* actor, jint returnAfter);
// kitColour and kitShade of both teams from their colour ids: white for none (-1, -2), for a
// missing table or an id outside it.
void updateKitColours();
// Puts players 1..10 of both teams on their targets, or gap * 256 short of them along the way
// there; in a shoot-out only the keeper facing the kick (y 0, facing 6).
void placePlayersAtTargets(jint gap);
// Every slide mark empty and no player holding one.
void resetSlideMarks();
// Team teamIndex's line-up back to the kick-off one; no slot selected, no change pending.
void restoreTeamSlotMap(jint teamIndex);
// For rank k = 1..5 its entry of the rank table (element 5 - k), else -1.
jint rankToIndex(jint k);

} // namespace game::match
