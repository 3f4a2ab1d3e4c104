// The small routines the match engine and the match view share: the camera's move to a target,
// the on-screen test, the pitch tile painter and its copy to the screen, the overview map, the
// sliding banner, the flash timer, movement targets, the best player of a team for a task, the
// players' condition during a match, velocity scaling and the event marks.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {
class Actor;
class CPlayer;
class CTeam;
} // namespace game::match

namespace game::match {

using runtime::jboolean;
using runtime::jint;

// The eight directions a player faces (0 up-left, clockwise; 8 none) as steps across and down;
// the camera leads by them and moveCameraTo shifts by them.
constexpr jint kDirectionCount = 8;
constexpr jint kDirectionSignX[kDirectionCount] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr jint kDirectionSignY[kDirectionCount] = {-1, -1, -1, 0, 1, 1, 1, 0};

// findBestPlayer kinds (the value each reads from the player's record).
inline constexpr jint kBestPlayerKind0 = 0;
inline constexpr jint kBestPlayerKind1 = 1;
inline constexpr jint kBestPlayerKind2 = 2;
inline constexpr jint kBestPlayerKind3 = 3;

// The pitch's tile layers and the ring buffer they are drawn into.
inline constexpr jint kPitchLayers = 4;
inline constexpr jint kTileSize = 16;
inline constexpr jint kPitchMapColumns = 180;
inline constexpr jint kEmptyTile = 255;
inline constexpr jint kPitchBufferWidth = 496;
inline constexpr jint kPitchBufferHeight = 816;

// The reaction code a player's condition sends when it passes 50 and 75.
inline constexpr jint kConditionReaction = -6;

// Starts a straight camera pan (mode 2) to centre (x, y) shifted by direction (0 up-left, then
// clockwise to 7 left; 8 or more no shift), speed pixels a frame on the longer axis; a pan to the
// target already set changes nothing beyond mode, follow flag and arrival flag.
void moveCameraTo(jboolean follow, jint x, jint y, jint speed, jint direction);
// The actor's screen position lies in the part of the window where the camera leaves it be.
bool isActorOnScreen(const match::Actor* actor);
// Repaints cells x0..x1 by y0..y1 of the four layers into pitchBuffer at their ring positions;
// a cell outside its layer's map or a tile outside its image draws nothing.
void paintPitchTiles(jint x0, jint y0, jint x1, jint y1);
// Copies the w x h rectangle of pitchBuffer at (srcX, srcY) to (dstX, dstY) of the screen (not
// into the top and bottom 24 rows in match phase 15).
void blitPitchView(jint srcX, jint srcY, jint w, jint h, jint dstX, jint dstY);
// The pitch overview in the lower right of the screen: lines and players while overviewVisible,
// then the blinking ball and the highlighted actor.
void paintOverview();
// One step of the banner sliding in and out at y 80 (35 steps; it blinks while it stands).
void paintSlideBanner();
// One frame of the flash timer.
void stepFlashTimer();
// linePointX/Y := the point speed units (1/256 of the coordinates) short of (toX, toY) on the
// line from (fromX, fromY), or (toX, toY) when it is no further than that.
void setMoveTarget(jint speed, jint fromX, jint fromY, jint toX, jint toY);
// The index (10 down to 2, to 1 for kind 3) of the team's on-pitch player with the highest value
// for kind, read from his record in listRowRecords; -1 when none is above 0.
jint findBestPlayer(match::CTeam* team, jint kind);
// Starts the player's condition record for a match that he joins at time start.
void initPlayerCondition(match::CPlayer* player, jint start);
// The player's condition at time (once per time value); passing 50 or 75 sends the reaction.
void updatePlayerCondition(match::CPlayer* player, jint time);
// vectorX, vectorY := (dx, dy) scaled to scale * 480 >> 8 over its octagonal length (kept for a
// zero vector).
void scaleVelocity(jint scale, jint dx, jint dy);
// Marks the event of eventMarkWord: announced the first time it is seen, done the next.
void updateEventMarks();

} // namespace game::match
