// The installed SpriteServices (see SpriteServices.h).
#include "game/framework/SpriteServices.h"

#include "game/interim/InterimSpriteServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<SpriteServices, interim::InterimSpriteServices>& slot() {
    static runtime::ServiceSlot<SpriteServices, interim::InterimSpriteServices> instance;
    return instance;
}
} // namespace

SpriteServices& spriteServices() {
    return slot().get();
}

SpriteServices* installSpriteServices(SpriteServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
