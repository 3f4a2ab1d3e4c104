// What the widgets and the menu drawing routines use of the match engine, which sits above them:
// the scrolling pitch background and the match teams' formation model. The engine's own
// implementation is the default (game/match/view/MatchWidgetServices.cpp); tests script doubles
// with runtime::ScopedService.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

class WidgetServices {
public:
    virtual ~WidgetServices() = default;
    // drawPitchBackground(cameraX, cameraY): brings the pitch image up to date for the camera
    // corner (in full when backgroundForceRedraw asks, which it clears) and draws its window.
    virtual void drawPitchBackground(jint cameraX, jint cameraY) = 0;
    // How many players of match team `team` stand on the formation board (players 0 .. count - 1
    // of its player array; 0 is the goalkeeper).
    virtual jint formationPlayerCount(jint team) = 0;
    // The formation slot (0-24) of player `player` of the team; -1 when he has none.
    virtual jint formationSlot(jint team, jint player) = 0;
    // The player's formation point in cells: fx along the direction of attack, fy across.
    virtual void formationPoint(jint team, jint player, jint& fx, jint& fy) = 0;
    // CTeam::slotToFormationPoint: the cell point of formation slot `slot` in the team's shape.
    virtual void slotToFormationPoint(jint team, jint slot, jint& fx, jint& fy) = 0;
    // The index of the player's 22-byte entry in listRowRecords; -1 when he has none.
    virtual jint squadEntryIndex(jint team, jint player) = 0;
    // The live match player's condition (0-100) while a match is on; -1 outside a match.
    virtual jint matchCondition(jint team, jint player) = 0;
    // The live match player's status value (2 and above: no longer on the pitch).
    virtual jint matchStatus(jint team, jint player) = 0;
};

WidgetServices& widgetServices();
// Installs service (null restores the engine's own); returns the previous one.
WidgetServices* installWidgetServices(WidgetServices* service);

} // namespace game::core
