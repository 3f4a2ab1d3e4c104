// Stand-in for the promotion screen until it is built: a set-up with no effect, a screen that is
// neither ready nor enabled and has no entries, and that ends as soon as it is run.
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
    // True: the screen is finished at once.
    runtime::jboolean update(runtime::jint keyCode) override;
    // No effect: nothing is drawn, opened or prepared.
    void paint(profile::Graphics* g) override;
    void enter() override;
    void buildText(runtime::String* text, runtime::jint flag) override;
};

} // namespace game::interim
