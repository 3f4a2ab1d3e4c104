// Stand-in for the neighbours of the widgets and the menu drawing routines until their owners
// build them: no pitch background is drawn. The formation board's reads go to the match teams'
// model and the squad-entry accessor (a missing team or player gives the neutral answer).
#pragma once

#include "game/core/services/WidgetServices.h"

namespace game::interim {

class InterimWidgetServices final : public core::WidgetServices {
public:
    // No effect: nothing is drawn.
    void drawPitchBackground(runtime::jint cameraX, runtime::jint cameraY) override;
    // 11 when the team and its player array exist, else 0.
    runtime::jint formationPlayerCount(runtime::jint team) override;
    // The player's formationSlot; -1 without him.
    runtime::jint formationSlot(runtime::jint team, runtime::jint player) override;
    // His homeCellX, homeCellY; (0, 0) without him.
    void formationPoint(runtime::jint team, runtime::jint player, runtime::jint& fx,
                        runtime::jint& fy) override;
    // CTeam::slotToFormationPoint with the team's rows with a centre; (0, 0) without a team.
    void slotToFormationPoint(runtime::jint team, runtime::jint slot, runtime::jint& fx,
                              runtime::jint& fy) override;
    // match::squadEntryIndex of the player's slot; -1 without the team, the player or a line-up row.
    runtime::jint squadEntryIndex(runtime::jint team, runtime::jint player) override;
    // His fatigue while matchLiveFlag is set; -1 outside a match or without him.
    runtime::jint matchCondition(runtime::jint team, runtime::jint player) override;
    // His bookings (2 and above: off the pitch); 0 without him.
    runtime::jint matchStatus(runtime::jint team, runtime::jint player) override;
};

} // namespace game::interim
