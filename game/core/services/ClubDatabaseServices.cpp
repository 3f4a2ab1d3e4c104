// The installed ClubDatabaseServices (see ClubDatabaseServices.h).
#include "game/sprites/ClubDatabaseServices.h"

#include "game/interim/InterimClubDatabaseServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<ClubDatabaseServices, interim::InterimClubDatabaseServices>& slot() {
    static runtime::ServiceSlot<ClubDatabaseServices, interim::InterimClubDatabaseServices> instance;
    return instance;
}
} // namespace

ClubDatabaseServices& clubDatabaseServices() {
    return slot().get();
}

ClubDatabaseServices* installClubDatabaseServices(ClubDatabaseServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
