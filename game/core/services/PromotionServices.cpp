// The installed PromotionServices (see PromotionServices.h).
#include "game/framework/PromotionServices.h"

#include "game/interim/InterimPromotionServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<PromotionServices, interim::InterimPromotionServices>& slot() {
    static runtime::ServiceSlot<PromotionServices, interim::InterimPromotionServices> instance;
    return instance;
}
} // namespace

PromotionServices& promotionServices() {
    return slot().get();
}

PromotionServices* installPromotionServices(PromotionServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
