// The installed match engine, management screen and club services (see MatchServices.h,
// ManagementServices.h and ClubServices.h).
#include "game/framework/ClubServices.h"
#include "game/framework/ManagementServices.h"
#include "game/framework/MatchServices.h"
#include "game/interim/InterimClubServices.h"
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

ClubServices& clubServices() {
    return runtime::serviceSlot<ClubServices, interim::InterimClubServices>().get();
}

ClubServices* installClubServices(ClubServices* const service) {
    return runtime::serviceSlot<ClubServices, interim::InterimClubServices>().install(service);
}

} // namespace game::framework
