// Stand-in for the neighbours of the widgets and the menu drawing routines until their owners
// build them: no pitch background is drawn, and the match teams have no players on the formation
// board (so the formation diagram shows the small pitch alone).
#pragma once

#include "game/core/services/WidgetServices.h"

namespace game::interim {

class InterimWidgetServices final : public core::WidgetServices {
public:
    // No effect: nothing is drawn.
    void drawPitchBackground(runtime::jint cameraX, runtime::jint cameraY) override;
    // 0: no players.
    runtime::jint formationPlayerCount(runtime::jint team) override;
    // -1: no slot.
    runtime::jint formationSlot(runtime::jint team, runtime::jint player) override;
    // (0, 0).
    void formationPoint(runtime::jint team, runtime::jint player, runtime::jint& fx,
                        runtime::jint& fy) override;
    // (0, 0).
    void slotToFormationPoint(runtime::jint team, runtime::jint slot, runtime::jint& fx,
                              runtime::jint& fy) override;
    // -1: no entry.
    runtime::jint squadEntryIndex(runtime::jint team, runtime::jint player) override;
    // -1: outside a match.
    runtime::jint matchCondition(runtime::jint team, runtime::jint player) override;
    // 0: on the pitch.
    runtime::jint matchStatus(runtime::jint team, runtime::jint player) override;
};

} // namespace game::interim
