// The installed FrameworkServices (see FrameworkServices.h).
#include "game/sprites/FrameworkServices.h"

#include "game/interim/InterimFrameworkServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<FrameworkServices, interim::InterimFrameworkServices>& slot() {
    static runtime::ServiceSlot<FrameworkServices, interim::InterimFrameworkServices> instance;
    return instance;
}
} // namespace

FrameworkServices& frameworkServices() {
    return slot().get();
}

FrameworkServices* installFrameworkServices(FrameworkServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
