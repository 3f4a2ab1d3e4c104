// The installed PromotionScreenServices (see PromotionScreenServices.h).
#include "game/sprites/PromotionScreenServices.h"

#include "game/interim/InterimPromotionScreenServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<PromotionScreenServices, interim::InterimPromotionScreenServices>& slot() {
    static runtime::ServiceSlot<PromotionScreenServices, interim::InterimPromotionScreenServices> instance;
    return instance;
}
} // namespace

PromotionScreenServices& promotionScreenServices() {
    return slot().get();
}

PromotionScreenServices* installPromotionScreenServices(PromotionScreenServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
