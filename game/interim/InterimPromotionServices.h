// Stand-in for the promotion screen's touch handling until the promotion screen is built.
#pragma once

#include "game/core/services/PromotionServices.h"

namespace game::interim {

class InterimPromotionServices final : public core::PromotionServices {
public:
    // Each has no effect: the promotion screen records no touch.
    void promotionPointerPressed(runtime::jint x, runtime::jint y) override;
    void promotionPointerReleased(runtime::jint x, runtime::jint y) override;
    void promotionPointerDragged(runtime::jint x, runtime::jint y) override;

private:
    bool pressedLogged = false;
    bool releasedLogged = false;
    bool draggedLogged = false;
};

} // namespace game::interim
