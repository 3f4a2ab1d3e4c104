// Stand-in for the neighbours of the widgets and the menu drawing routines until their owners
// build them: no pitch background is drawn, and the match teams have no players on the formation
// board (so the formation diagram shows the small pitch alone).
#pragma once

#include "game/sprites/WidgetServices.h"

namespace game::interim {

class InterimWidgetServices final : public sprites::WidgetServices {
public:
    // No effect: nothing is drawn.
    void drawPitchBackground(sprites::jint cameraX, sprites::jint cameraY) override;
    // 0: no players.
    sprites::jint formationPlayerCount(sprites::jint team) override;
    // -1: no slot.
    sprites::jint formationSlot(sprites::jint team, sprites::jint player) override;
    // (0, 0).
    void formationPoint(sprites::jint team, sprites::jint player, sprites::jint& fx,
                        sprites::jint& fy) override;
    // (0, 0).
    void slotToFormationPoint(sprites::jint team, sprites::jint slot, sprites::jint& fx,
                              sprites::jint& fy) override;
    // -1: no entry.
    sprites::jint squadEntryIndex(sprites::jint team, sprites::jint player) override;
    // -1: outside a match.
    sprites::jint matchCondition(sprites::jint team, sprites::jint player) override;
    // 0: on the pitch.
    sprites::jint matchStatus(sprites::jint team, sprites::jint player) override;
};

} // namespace game::interim
