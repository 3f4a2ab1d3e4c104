// The installed SpriteServices (see SpriteServices.h).
#include "game/framework/SpriteServices.h"

#include "game/sprites/SpriteServiceRoutines.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<SpriteServices, sprites::SpriteServiceRoutines>& slot() {
    static runtime::ServiceSlot<SpriteServices, sprites::SpriteServiceRoutines> instance;
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
