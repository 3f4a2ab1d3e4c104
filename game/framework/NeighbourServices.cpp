// The installed match engine and management screen services (see MatchServices.h,
// ManagementServices.h).
#include "game/framework/ManagementServices.h"
#include "game/framework/MatchServices.h"
#include "game/interim/InterimManagementServices.h"
#include "game/interim/InterimMatchServices.h"
#include "runtime/Service.h"

namespace game::framework {

MatchServices& matchServices() {
    return runtime::serviceSlot<MatchServices, interim::InterimMatchServices>().get();
}

MatchServices* installMatchServices(MatchServices* const service) {
    return runtime::serviceSlot<MatchServices, interim::InterimMatchServices>().install(service);
}

ManagementServices& managementServices() {
    return runtime::serviceSlot<ManagementServices, interim::InterimManagementServices>().get();
}

ManagementServices* installManagementServices(ManagementServices* const service) {
    return runtime::serviceSlot<ManagementServices, interim::InterimManagementServices>().install(service);
}

} // namespace game::framework
