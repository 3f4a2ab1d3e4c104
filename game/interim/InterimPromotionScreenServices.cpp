// The interim promotion screen of the start-up loading (see InterimPromotionScreenServices.h).
#include "game/interim/InterimPromotionScreenServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimPromotionScreenServices::initialize(const runtime::jint /*width*/,
                                                const runtime::jint /*height*/) {
    logFirstCall("IGP::initialize (no effect)");
}

runtime::jboolean InterimPromotionScreenServices::isLinkAvailable() {
    logFirstCall("the promotion screen's readiness test (false)");
    return 0;
}

runtime::jboolean InterimPromotionScreenServices::promotionAvailable() {
    logFirstCall("the promotion screen's enable flag (false)");
    return 0;
}

runtime::ByteArray* InterimPromotionScreenServices::promoEntryAvailable() {
    logFirstCall("the promotion screen's entry flags (none)");
    return nullptr;
}

} // namespace game::interim
