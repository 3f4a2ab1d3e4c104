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

runtime::jboolean InterimPromotionScreenServices::update(const runtime::jint /*keyCode*/) {
    logFirstCall("IGP::update (finished at once)");
    return 1;
}

void InterimPromotionScreenServices::paint(profile::Graphics* /*g*/) {
    logFirstCall("IGP::paint (no effect)");
}

void InterimPromotionScreenServices::enter() {
    logFirstCall("IGP::enter (no effect)");
}

void InterimPromotionScreenServices::buildText(runtime::String* /*text*/, const runtime::jint /*flag*/) {
    logFirstCall("IGP::buildText (no effect)");
}

} // namespace game::interim
