// Stand-in for the promotion screen as the start-up loading sees it until the screen is built: a
// set-up with no effect and a screen that is neither ready nor enabled and has no entries.
#pragma once

#include "game/core/services/PromotionScreenServices.h"

namespace game::interim {

class InterimPromotionScreenServices final : public core::PromotionScreenServices {
public:
    // No effect.
    void initialize(runtime::jint width, runtime::jint height) override;
    // false; false; null: the promotion screen offers nothing.
    runtime::jboolean isLinkAvailable() override;
    runtime::jboolean promotionAvailable() override;
    runtime::ByteArray* promoEntryAvailable() override;
};

} // namespace game::interim
