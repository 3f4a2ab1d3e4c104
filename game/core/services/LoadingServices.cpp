// The installed LoadingServices (see LoadingServices.h).
#include "game/sprites/LoadingServices.h"

#include "game/interim/InterimLoadingServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<LoadingServices, interim::InterimLoadingServices>& slot() {
    static runtime::ServiceSlot<LoadingServices, interim::InterimLoadingServices> instance;
    return instance;
}
} // namespace

LoadingServices& loadingServices() {
    return slot().get();
}

LoadingServices* installLoadingServices(LoadingServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
