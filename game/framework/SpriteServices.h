// What the framework uses of the sprites and resources code (sprite painting, sprite instances
// and the start-up loading); the sprite code implements it (game/sprites/FrameworkSpriteServices.h)
// and tests install recording doubles.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct Object;
struct String;
} // namespace runtime

namespace profile {
struct Graphics;
}

namespace game::sprites {
struct ASprite;
}

namespace game::framework {

using runtime::jint;

class SpriteServices {
public:
    virtual ~SpriteServices() = default;
    // ASpriteInstance::setAnim: starts animation on the sprite instance at its first frame;
    // loops as the sprite code counts them.
    virtual void setAnim(runtime::Object* instance, jint animation, jint loops) = 0;
    // Puts the sprite instance straight onto the last frame of animation, as if it had played
    // through: animation fields zeroed, frame timer -1, last frame = the animation's frame
    // count - 1 (-1 without a sprite).
    virtual void setAnimEnded(runtime::Object* instance, jint animation) = 0;
    // ASpriteInstance::paintOn: clips g to the whole screen and paints the instance's current
    // animation frame at (x, y).
    virtual void paintOn(runtime::Object* instance, profile::Graphics* g, jint x, jint y, jint flagA,
                         jint flagB, jint valueA, jint valueB) = 0;
    // ASprite::paintFrame: paints frame of sprite at (x, y).
    virtual void paintFrame(sprites::ASprite* sprite, profile::Graphics* g, jint frame, jint x, jint y,
                            jint flags) = 0;
    // ASprite::drawString: text in sprite font font (sprites[11 + font]) at (x, y), placed by
    // anchor, in palette; a null text draws nothing.
    virtual void drawString(profile::Graphics* g, runtime::String* text, jint x, jint y, jint font,
                            jint anchor, jint palette) = 0;
    // loadResources: one step of the start-up loading, once per frame of the loading state; it
    // raises loadingProgress and ends by entering top-level state 5 (setTopState).
    virtual void loadResources() = 0;
};

SpriteServices& spriteServices();
// Installs service (null restores the sprite code's own); returns the previous one.
SpriteServices* installSpriteServices(SpriteServices* service);

} // namespace game::framework
