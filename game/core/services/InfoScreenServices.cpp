// The installed InfoScreenServices (see InfoScreenServices.h).
#include "game/sprites/InfoScreenServices.h"

#include "game/interim/InterimInfoScreenServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<InfoScreenServices, interim::InterimInfoScreenServices>& slot() {
    static runtime::ServiceSlot<InfoScreenServices, interim::InterimInfoScreenServices> instance;
    return instance;
}
} // namespace

InfoScreenServices& infoScreenServices() {
    return slot().get();
}

InfoScreenServices* installInfoScreenServices(InfoScreenServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
