// The interim promotion touch handling (see InterimPromotionServices.h).
#include "game/interim/InterimPromotionServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimPromotionServices::promotionPointerPressed(runtime::jint /*x*/, runtime::jint /*y*/) {
    logFirstCall(pressedLogged, "promotionPointerPressed");
}

void InterimPromotionServices::promotionPointerReleased(runtime::jint /*x*/, runtime::jint /*y*/) {
    logFirstCall(releasedLogged, "promotionPointerReleased");
}

void InterimPromotionServices::promotionPointerDragged(runtime::jint /*x*/, runtime::jint /*y*/) {
    logFirstCall(draggedLogged, "promotionPointerDragged");
}

} // namespace game::interim
