// Stand-in for the promotion screen as the start-up loading sees it until the screen is built: a
// set-up with no effect and a screen that is neither ready nor enabled and has no entries.
#pragma once

#include "game/sprites/PromotionScreenServices.h"

namespace game::interim {

class InterimPromotionScreenServices final : public sprites::PromotionScreenServices {
public:
    // No effect.
    void initialize(sprites::jint width, sprites::jint height) override;
    // false; false; null: the promotion screen offers nothing.
    sprites::jboolean isLinkAvailable() override;
    sprites::jboolean promotionAvailable() override;
    runtime::ByteArray* promoEntryAvailable() override;
};

} // namespace game::interim
