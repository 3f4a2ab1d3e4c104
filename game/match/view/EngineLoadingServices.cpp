// The match engine's side of the interface the start-up loading calls (the particle field, a
// match team's side set-up) and its slot: the engine's own routines are the default.
#include "game/core/services/LoadingServices.h"
#include "game/match/CPlayer.h"
#include "game/match/view/MatchSetUp.h"
#include "runtime/Service.h"

namespace game::match {
namespace {

class EngineLoadingServices final : public core::LoadingServices {
public:
    void generateParticles() override { match::generateParticles(); }
    // CTeam::assignPlayers(side) (nothing for a null team).
    void setUpTeamSide(CTeam* const team, const jint side) override {
        if (team != nullptr) {
            team->assignPlayers(side);
        }
    }
};

} // namespace
} // namespace game::match

namespace game::core {

LoadingServices& loadingServices() {
    return runtime::serviceSlot<LoadingServices, match::EngineLoadingServices>().get();
}

LoadingServices* installLoadingServices(LoadingServices* const service) {
    return runtime::serviceSlot<LoadingServices, match::EngineLoadingServices>().install(service);
}

} // namespace game::core
