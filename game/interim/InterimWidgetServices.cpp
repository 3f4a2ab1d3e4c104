// The interim neighbours of the widgets and the menu drawing routines (see
// InterimWidgetServices.h).
#include "game/interim/InterimWidgetServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

using runtime::jint;

void InterimWidgetServices::drawPitchBackground(const jint /*cameraX*/, const jint /*cameraY*/) {
    logFirstCall("drawPitchBackground (no effect: no pitch background)");
}

jint InterimWidgetServices::formationPlayerCount(const jint /*team*/) {
    logFirstCall("the match team's players on the formation board (none)");
    return 0;
}

jint InterimWidgetServices::formationSlot(const jint /*team*/, const jint /*player*/) {
    logFirstCall("a match player's formation slot (none)");
    return -1;
}

void InterimWidgetServices::formationPoint(const jint /*team*/, const jint /*player*/, jint& fx, jint& fy) {
    logFirstCall("a match player's formation point (0, 0)");
    fx = 0;
    fy = 0;
}

void InterimWidgetServices::slotToFormationPoint(const jint /*team*/, const jint /*slot*/, jint& fx,
                                                 jint& fy) {
    logFirstCall("CTeam::slotToFormationPoint (0, 0)");
    fx = 0;
    fy = 0;
}

jint InterimWidgetServices::squadEntryIndex(const jint /*team*/, const jint /*player*/) {
    logFirstCall("a match player's squad entry (none)");
    return -1;
}

jint InterimWidgetServices::matchCondition(const jint /*team*/, const jint /*player*/) {
    logFirstCall("a live match player's condition (none: outside a match)");
    return -1;
}

jint InterimWidgetServices::matchStatus(const jint /*team*/, const jint /*player*/) {
    logFirstCall("a live match player's status (0)");
    return 0;
}

} // namespace game::interim
