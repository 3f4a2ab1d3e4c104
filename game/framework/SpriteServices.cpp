// The installed SpriteServices (see SpriteServices.h).
#include "game/framework/SpriteServices.h"

#include "game/sprites/FrameworkSpriteServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<SpriteServices, sprites::FrameworkSpriteServices>& slot() {
    static runtime::ServiceSlot<SpriteServices, sprites::FrameworkSpriteServices> instance;
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
