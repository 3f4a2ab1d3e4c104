// The installed MatchPanelServices (see MatchPanelServices.h).
#include "game/framework/MatchPanelServices.h"

#include "game/interim/InterimMatchPanelServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<MatchPanelServices, interim::InterimMatchPanelServices>& slot() {
    static runtime::ServiceSlot<MatchPanelServices, interim::InterimMatchPanelServices> instance;
    return instance;
}
} // namespace

MatchPanelServices& matchPanelServices() {
    return slot().get();
}

MatchPanelServices* installMatchPanelServices(MatchPanelServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
