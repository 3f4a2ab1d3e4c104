// The sprite code's implementation of the framework's SpriteServices: each operation is the
// sprite routine of the same name.
#pragma once

#include "game/core/services/SpriteServices.h"

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

class SpriteServiceRoutines final : public core::SpriteServices {
public:
    // ASpriteInstance::setAnim(animation, loops); nothing for a null instance.
    void setAnim(ASpriteInstance* instance, jint animation, jint loops) override;
    // ASpriteInstance::paintOn.
    void paintOn(ASpriteInstance* instance, profile::Graphics* g, jint x, jint y, jboolean flagA,
                 jboolean flagB, jint valueA, jint valueB) override;
    // ASprite::paintFrame(g, frame, x, y, flags, 0, 0); nothing for a null sprite.
    void paintFrame(ASprite* sprite, profile::Graphics* g, jint frame, jint x, jint y, jint flags) override;
    // ASprite::drawString.
    void drawString(profile::Graphics* g, runtime::String* text, jint x, jint y, jint font, jint anchor,
                    jint palette) override;
    // The start-up loading step (StartupLoading.h).
    void loadResources() override;
};

} // namespace game::sprites
