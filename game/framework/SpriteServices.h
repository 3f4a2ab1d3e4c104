// What the framework uses of the sprite code (sprite instances), built later; an interim
// implementation stands in until then (game/interim/InterimSpriteServices.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct Object;
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
};

SpriteServices& spriteServices();
// Installs service (null restores the interim one); returns the previous one.
SpriteServices* installSpriteServices(SpriteServices* service);

} // namespace game::framework
