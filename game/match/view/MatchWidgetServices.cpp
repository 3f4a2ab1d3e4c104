// The match engine's side of the interface the widgets and the menu drawing routines call (the
// scrolling pitch background under a scene list, and the match teams' formation model read from
// the team model and the squad-entry accessor) and its slot: the engine's own routines are the
// default. A missing team or player gives the neutral answer.
#include "game/core/GameStatics.h"
#include "game/core/services/WidgetServices.h"
#include "game/match/CPlayer.h"
#include "game/match/view/PitchBackground.h"
#include "runtime/Arrays.h"
#include "runtime/Service.h"

namespace game::match {
namespace {

CPlayer* boardPlayer(const jint team, const jint player) {
    return teamPlayer(matchTeam(team), player);
}

class MatchWidgetServices final : public core::WidgetServices {
public:
    void drawPitchBackground(const jint cameraX, const jint cameraY) override {
        match::drawPitchBackground(cameraX, cameraY);
    }
    // 11 when the team and its player array exist, else 0.
    jint formationPlayerCount(const jint team) override {
        const CTeam* const side = matchTeam(team);
        return side != nullptr && side->players != nullptr ? CTeam::kOnPitch : 0;
    }
    // The player's formationSlot; -1 without him.
    jint formationSlot(const jint team, const jint player) override {
        const CPlayer* const p = boardPlayer(team, player);
        return p != nullptr ? p->formationSlot : -1;
    }
    // His homeCellX, homeCellY; (0, 0) without him.
    void formationPoint(const jint team, const jint player, jint& fx, jint& fy) override {
        const CPlayer* const p = boardPlayer(team, player);
        fx = p != nullptr ? p->homeCellX : 0;
        fy = p != nullptr ? p->homeCellY : 0;
    }
    // CTeam::slotToFormationPoint with the team's rows with a centre; (0, 0) without a team.
    void slotToFormationPoint(const jint team, const jint slot, jint& fx, jint& fy) override {
        fx = 0;
        fy = 0;
        const CTeam* const side = matchTeam(team);
        if (side == nullptr) {
            return;
        }
        runtime::BoolArray* const rows = side->getRowsWithCentre();
        runtime::IntArray* const point = runtime::newIntArray(2);
        side->slotToFormationPoint(point, slot, rows);
        fx = (*point)[0];
        fy = (*point)[1];
    }
    // squadEntryIndex of the player's slot; -1 without the team, the player or a line-up row.
    jint squadEntryIndex(const jint team, const jint player) override {
        return boardPlayer(team, player) != nullptr ? match::squadEntryIndex(team, player) : -1;
    }
    // His fatigue while matchLiveFlag is set; -1 outside a match or without him.
    jint matchCondition(const jint team, const jint player) override {
        const CPlayer* const p = boardPlayer(team, player);
        return p != nullptr && statics()->matchLiveFlag != 0 ? p->fatigue : -1;
    }
    // His bookings (2 and above: off the pitch); 0 without him.
    jint matchStatus(const jint team, const jint player) override {
        const CPlayer* const p = boardPlayer(team, player);
        return p != nullptr ? p->bookings : 0;
    }
};

} // namespace
} // namespace game::match

namespace game::core {

WidgetServices& widgetServices() {
    return runtime::serviceSlot<WidgetServices, match::MatchWidgetServices>().get();
}

WidgetServices* installWidgetServices(WidgetServices* const service) {
    return runtime::serviceSlot<WidgetServices, match::MatchWidgetServices>().install(service);
}

} // namespace game::core
