// The sprite code's side of the framework's SpriteServices (see FrameworkSpriteServices.h).
#include "game/sprites/FrameworkSpriteServices.h"

#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/StartupLoading.h"
#include "runtime/Log.h"

namespace game::sprites {

namespace {

constexpr jint kByteMask = 0xFF;

// instance as a sprite instance; null (logged) for any other object.
ASpriteInstance* asInstance(runtime::Object* const instance, const char* operation) {
    if (instance == nullptr) {
        return nullptr;
    }
    if (instance->classId != runtime::kASpriteInstance) {
        runtime::log("%s: object of class %d is no sprite instance", operation, instance->classId);
        return nullptr;
    }
    return static_cast<ASpriteInstance*>(instance);
}

} // namespace

void FrameworkSpriteServices::setAnim(runtime::Object* const instance, const jint animation,
                                      const jint loops) {
    if (ASpriteInstance* target = asInstance(instance, "setAnim")) {
        target->setAnim(animation, loops);
    }
}

void FrameworkSpriteServices::setAnimEnded(runtime::Object* const instance, const jint animation) {
    ASpriteInstance* target = asInstance(instance, "setAnimEnded");
    if (target == nullptr) {
        return;
    }
    target->anim = animation;
    target->aframe = 0;
    target->loops = 0;
    target->ended = 0;
    target->timer = -1;
    ASprite* sprite = target->sprite;
    const bool known = sprite != nullptr && animation >= 0 && animation < sprite->animationCount();
    target->lastFrame = known ? ((*sprite->animFrameCount)[animation] & kByteMask) - 1 : -1;
}

void FrameworkSpriteServices::paintOn(runtime::Object* const instance, profile::Graphics* const g,
                                      const jint x, const jint y, const jint flagA, const jint flagB,
                                      const jint valueA, const jint valueB) {
    ASpriteInstance::paintOn(asInstance(instance, "paintOn"), g, x, y, flagA != 0, flagB != 0, valueA,
                             valueB);
}

void FrameworkSpriteServices::paintFrame(ASprite* const sprite, profile::Graphics* const g, const jint frame,
                                         const jint x, const jint y, const jint flags) {
    if (sprite != nullptr) {
        sprite->paintFrame(g, frame, x, y, flags, 0, 0);
    }
}

void FrameworkSpriteServices::drawString(profile::Graphics* const g, runtime::String* const text,
                                         const jint x, const jint y, const jint font, const jint anchor,
                                         const jint palette) {
    ASprite::drawString(g, text, x, y, font, anchor, palette);
}

void FrameworkSpriteServices::loadResources() {
    sprites::loadResources();
}

} // namespace game::sprites
