// The installed MenuServices (see MenuServices.h).
#include "game/framework/MenuServices.h"

#include "game/interim/InterimMenuServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<MenuServices, interim::InterimMenuServices>& slot() {
    static runtime::ServiceSlot<MenuServices, interim::InterimMenuServices> instance;
    return instance;
}
} // namespace

MenuServices& menuServices() {
    return slot().get();
}

MenuServices* installMenuServices(MenuServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
