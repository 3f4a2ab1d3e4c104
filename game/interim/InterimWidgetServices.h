// Stand-in for the neighbours of the widgets and the menu drawing routines until their owners
// build them: no pitch background is drawn and no match player has a squad entry. The formation
// board's reads go to the match teams' model (a missing team or player gives the neutral answer).
#pragma once

#include "game/sprites/WidgetServices.h"

namespace game::interim {

class InterimWidgetServices final : public sprites::WidgetServices {
public:
    // No effect: nothing is drawn.
    void drawPitchBackground(sprites::jint cameraX, sprites::jint cameraY) override;
    // 11 when the team and its player array exist, else 0.
    sprites::jint formationPlayerCount(sprites::jint team) override;
    // The player's formationSlot; -1 without him.
    sprites::jint formationSlot(sprites::jint team, sprites::jint player) override;
    // His homeCellX, homeCellY; (0, 0) without him.
    void formationPoint(sprites::jint team, sprites::jint player, sprites::jint& fx,
                        sprites::jint& fy) override;
    // CTeam::slotToFormationPoint with the team's rows with a centre; (0, 0) without a team.
    void slotToFormationPoint(sprites::jint team, sprites::jint slot, sprites::jint& fx,
                              sprites::jint& fy) override;
    // -1: no entry.
    sprites::jint squadEntryIndex(sprites::jint team, sprites::jint player) override;
    // His fatigue while matchLiveFlag is set; -1 outside a match or without him.
    sprites::jint matchCondition(sprites::jint team, sprites::jint player) override;
    // His bookings (2 and above: off the pitch); 0 without him.
    sprites::jint matchStatus(sprites::jint team, sprites::jint player) override;
};

} // namespace game::interim
