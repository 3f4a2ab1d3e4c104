// The installed SeasonScreenServices (see SeasonScreenServices.h).
#include "game/framework/SeasonScreenServices.h"

#include "game/interim/InterimSeasonScreenServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<SeasonScreenServices, interim::InterimSeasonScreenServices>& slot() {
    static runtime::ServiceSlot<SeasonScreenServices, interim::InterimSeasonScreenServices> instance;
    return instance;
}
} // namespace

SeasonScreenServices& seasonScreenServices() {
    return slot().get();
}

SeasonScreenServices* installSeasonScreenServices(SeasonScreenServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
