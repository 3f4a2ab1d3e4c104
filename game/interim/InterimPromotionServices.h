// Stand-in for the promotion screen's touch handling until the promotion screen is built.
#pragma once

#include "game/framework/PromotionServices.h"

namespace game::interim {

class InterimPromotionServices final : public framework::PromotionServices {
public:
    // Each has no effect: the promotion screen records no touch.
    void promotionPointerPressed(framework::jint x, framework::jint y) override;
    void promotionPointerReleased(framework::jint x, framework::jint y) override;
    void promotionPointerDragged(framework::jint x, framework::jint y) override;

private:
    bool pressedLogged = false;
    bool releasedLogged = false;
    bool draggedLogged = false;
};

} // namespace game::interim
