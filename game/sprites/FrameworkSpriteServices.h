// The sprite code's side of the framework's SpriteServices: sprite instances, frame painting and
// sprite-font text for the title, the results board and the other framework screens, and the
// start-up loading step. It is the service the framework uses unless a test installs another.
#pragma once

#include "game/framework/SpriteServices.h"

namespace game::sprites {

using runtime::jint;

class FrameworkSpriteServices final : public framework::SpriteServices {
public:
    // ASpriteInstance::setAnim on instance (an ASpriteInstance; anything else is logged and left).
    void setAnim(runtime::Object* instance, jint animation, jint loops) override;
    // instance on the last frame of animation as the framework's immediate close leaves it: the
    // animation fields zeroed, the frame timer -1 and lastFrame the animation's frame count - 1.
    void setAnimEnded(runtime::Object* instance, jint animation) override;
    // ASpriteInstance::paintOn.
    void paintOn(runtime::Object* instance, profile::Graphics* g, jint x, jint y, jint flagA, jint flagB,
                 jint valueA, jint valueB) override;
    // ASprite::paintFrame with no hotspot; a null sprite paints nothing.
    void paintFrame(ASprite* sprite, profile::Graphics* g, jint frame, jint x, jint y, jint flags) override;
    // ASprite::drawString.
    void drawString(profile::Graphics* g, runtime::String* text, jint x, jint y, jint font, jint anchor,
                    jint palette) override;
    // loadResources.
    void loadResources() override;
};

} // namespace game::sprites
