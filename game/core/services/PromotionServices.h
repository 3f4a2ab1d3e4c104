// What the canvas's pointer slots hand to the promotion screen while it shows (menu state 38):
// the screen runs its touch hit test on the point and keeps the touched item, its selection flag
// and its scroll position in its own statics. Built with the promotion screen; an interim
// implementation stands in until then (game/interim/InterimPromotionServices.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

class PromotionServices {
public:
    virtual ~PromotionServices() = default;
    // A touch went down at (x, y): the touched item becomes the held one.
    virtual void promotionPointerPressed(jint x, jint y) = 0;
    // The touch was lifted at (x, y): the touched item becomes the selection.
    virtual void promotionPointerReleased(jint x, jint y) = 0;
    // The held touch moved to (x, y).
    virtual void promotionPointerDragged(jint x, jint y) = 0;
};

PromotionServices& promotionServices();
// Installs service (null restores the interim one); returns the previous one.
PromotionServices* installPromotionServices(PromotionServices* service);

} // namespace game::core
