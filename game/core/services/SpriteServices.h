// What the framework uses of the sprites and resources code: the sprite instance and painting
// routines and the start-up loading step. The sprite code's own implementation is installed by
// default (game/sprites/loading/SpriteServiceRoutines.h); tests install a scripted double.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
} // namespace runtime

namespace profile {
struct Graphics;
}

namespace game::sprites {
struct ASprite;
struct ASpriteInstance;
} // namespace game::sprites

namespace game::core {

using runtime::jboolean;
using runtime::jint;

class SpriteServices {
public:
    virtual ~SpriteServices() = default;
    // ASpriteInstance::setAnim: starts animation on the sprite instance at its first frame;
    // loops -1 repeats forever, n > 0 n more times, 0 plays once and holds.
    virtual void setAnim(sprites::ASpriteInstance* instance, jint animation, jint loops) = 0;
    // ASpriteInstance::paintOn: clips g to the whole screen and paints the instance's current
    // animation frame at (x, y).
    virtual void paintOn(sprites::ASpriteInstance* instance, profile::Graphics* g, jint x, jint y,
                         jboolean flagA, jboolean flagB, jint valueA, jint valueB) = 0;
    // ASprite::paintFrame: paints frame of sprite at (x, y) with transform flags and no hot spot.
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

} // namespace game::core
