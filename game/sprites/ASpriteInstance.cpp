// ASpriteInstance: animation state per game frame and painting (see ASpriteInstance.h).
#include "game/sprites/ASpriteInstance.h"

#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpritePainting.h"
#include "runtime/ClassTable.h"
#include "runtime/Log.h"

namespace game::sprites {

namespace {
constexpr jint kByteMask = 0xFF;
constexpr jint kLoopForever = -1;
} // namespace

ASpriteInstance::ASpriteInstance(ASprite* const sprite, const jint x, const jint y, const jint id)
    : Object(id), x(x), y(y), sprite(sprite) {
    runtime::registerRefFields(this, &this->sprite);
}

jint ASpriteInstance::frameCountOf(const jint animation) const {
    if (animation < 0 || animation >= sprite->animationCount()) {
        runtime::log("sprite instance: the sprite of kind %d has no animation %d", sprite->kind, animation);
        return 0;
    }
    return (*sprite->animFrameCount)[animation] & kByteMask;
}

void ASpriteInstance::setAnim(const jint animation) {
    setAnim(animation, kLoopForever);
}

void ASpriteInstance::setAnim(const jint animation, const jint repeats) {
    anim = animation;
    aframe = 0;
    timer = 0;
    loops = repeats;
    ended = 0;
    lastFrame = sprite != nullptr ? frameCountOf(animation) - 1 : -1;
}

void ASpriteInstance::update() {
    ended = 0;
    if (sprite == nullptr) {
        return;
    }
    const jint count = frameCountOf(anim);
    if (aframe < 0 || aframe >= count) {
        return; // an animation the sprite lacks, or a frame set from outside: nothing to advance
    }
    const jint record = ((*sprite->animFirstFrame)[anim] + aframe) * sprite->animFrameStride;
    const jint duration = (*sprite->animFrames)[record + kAnimFrameDurationByte] & kByteMask;
    if (duration == 0) {
        return; // shown forever
    }
    if (++timer < duration) {
        return;
    }
    timer = 0;
    if (++aframe > lastFrame) {
        if (loops == kLoopForever || loops > 0) {
            aframe = 0;
            if (loops > 0) {
                --loops;
            }
        } else {
            aframe = count - 1;
        }
        ended = 1;
    }
}

jboolean ASpriteInstance::holdLastFrame() {
    if (ended != 0 && sprite != nullptr) {
        aframe = frameCountOf(anim) - 1;
    }
    return ended;
}

void ASpriteInstance::paintAt(profile::Graphics* const g) {
    if (sprite != nullptr) {
        sprite->paintAnimFrame(g, anim, aframe, x, y, transform, 0, 0);
    }
}

void ASpriteInstance::paintOn(ASpriteInstance* const instance, profile::Graphics* const g, const jint x,
                              const jint y, const jboolean /*flagA*/, const jboolean /*flagB*/,
                              const jint /*valueA*/, const jint /*valueB*/) {
    resetClip(g);
    if (instance != nullptr && instance->sprite != nullptr) {
        instance->sprite->paintAnimFrame(g, instance->anim, instance->aframe, x, y, instance->transform, 0,
                                         0);
    }
}

} // namespace game::sprites
