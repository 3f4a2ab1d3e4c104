// The interim promotion touch handling (see InterimPromotionServices.h).
#include "game/interim/InterimPromotionServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimPromotionServices::promotionPointerPressed(framework::jint /*x*/, framework::jint /*y*/) {
    logFirstCall(pressedLogged, "promotionPointerPressed");
}

void InterimPromotionServices::promotionPointerReleased(framework::jint /*x*/, framework::jint /*y*/) {
    logFirstCall(releasedLogged, "promotionPointerReleased");
}

void InterimPromotionServices::promotionPointerDragged(framework::jint /*x*/, framework::jint /*y*/) {
    logFirstCall(draggedLogged, "promotionPointerDragged");
}

} // namespace game::interim
