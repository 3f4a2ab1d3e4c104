// The neighbours of the widgets and the menu drawing routines: the interim pitch background and
// squad entry, and the match team's formation model read from the team model (see
// InterimWidgetServices.h).
#include "game/interim/InterimWidgetServices.h"

#include "game/core/GameStatics.h"
#include "game/interim/InterimLog.h"
#include "game/match/CPlayer.h"
#include "runtime/Arrays.h"

namespace game::interim {

using runtime::jint;

namespace {
match::CPlayer* boardPlayer(const jint team, const jint player) {
    return match::teamPlayer(match::matchTeam(team), player);
}
} // namespace

void InterimWidgetServices::drawPitchBackground(const jint /*cameraX*/, const jint /*cameraY*/) {
    logFirstCall("drawPitchBackground (no effect: no pitch background)");
}

jint InterimWidgetServices::formationPlayerCount(const jint team) {
    const match::CTeam* const side = match::matchTeam(team);
    return side != nullptr && side->players != nullptr ? match::CTeam::kOnPitch : 0;
}

jint InterimWidgetServices::formationSlot(const jint team, const jint player) {
    const match::CPlayer* const p = boardPlayer(team, player);
    return p != nullptr ? p->formationSlot : -1;
}

void InterimWidgetServices::formationPoint(const jint team, const jint player, jint& fx, jint& fy) {
    const match::CPlayer* const p = boardPlayer(team, player);
    fx = p != nullptr ? p->homeCellX : 0;
    fy = p != nullptr ? p->homeCellY : 0;
}

void InterimWidgetServices::slotToFormationPoint(const jint team, const jint slot, jint& fx, jint& fy) {
    fx = 0;
    fy = 0;
    const match::CTeam* const side = match::matchTeam(team);
    if (side == nullptr) {
        return;
    }
    runtime::BoolArray* const rows = side->getRowsWithCentre();
    runtime::IntArray* const point = runtime::newIntArray(2);
    side->slotToFormationPoint(point, slot, rows);
    fx = (*point)[0];
    fy = (*point)[1];
}

jint InterimWidgetServices::squadEntryIndex(const jint team, const jint player) {
    return boardPlayer(team, player) != nullptr ? match::squadEntryIndex(team, player) : -1;
}

jint InterimWidgetServices::matchCondition(const jint team, const jint player) {
    const match::CPlayer* const p = boardPlayer(team, player);
    return p != nullptr && statics()->matchLiveFlag != 0 ? p->fatigue : -1;
}

jint InterimWidgetServices::matchStatus(const jint team, const jint player) {
    const match::CPlayer* const p = boardPlayer(team, player);
    return p != nullptr ? p->bookings : 0;
}

} // namespace game::interim
