// The installed ClubServices (see ClubServices.h).
#include "game/framework/ClubServices.h"

#include "game/interim/InterimClubServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<ClubServices, interim::InterimClubServices>& slot() {
    static runtime::ServiceSlot<ClubServices, interim::InterimClubServices> instance;
    return instance;
}
} // namespace

ClubServices& clubServices() {
    return slot().get();
}

ClubServices* installClubServices(ClubServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
