// The sprite routines behind the framework's SpriteServices (see SpriteServiceRoutines.h), and the
// service's slot, whose default they are.
#include "game/sprites/loading/SpriteServiceRoutines.h"

#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/loading/StartupLoading.h"
#include "runtime/Service.h"

namespace game::sprites {

void SpriteServiceRoutines::setAnim(ASpriteInstance* const instance, const jint animation, const jint loops) {
    if (instance != nullptr) {
        instance->setAnim(animation, loops);
    }
}

void SpriteServiceRoutines::paintOn(ASpriteInstance* const instance, profile::Graphics* const g, const jint x,
                                    const jint y, const jboolean flagA, const jboolean flagB,
                                    const jint valueA, const jint valueB) {
    ASpriteInstance::paintOn(instance, g, x, y, flagA, flagB, valueA, valueB);
}

void SpriteServiceRoutines::paintFrame(ASprite* const sprite, profile::Graphics* const g, const jint frame,
                                       const jint x, const jint y, const jint flags) {
    if (sprite != nullptr) {
        sprite->paintFrame(g, frame, x, y, flags, 0, 0);
    }
}

void SpriteServiceRoutines::drawString(profile::Graphics* const g, runtime::String* const text, const jint x,
                                       const jint y, const jint font, const jint anchor, const jint palette) {
    ASprite::drawString(g, text, x, y, font, anchor, palette);
}

void SpriteServiceRoutines::loadResources() {
    sprites::loadResources();
}

} // namespace game::sprites

namespace game::core {

SpriteServices& spriteServices() {
    return runtime::serviceSlot<SpriteServices, sprites::SpriteServiceRoutines>().get();
}

SpriteServices* installSpriteServices(SpriteServices* const service) {
    return runtime::serviceSlot<SpriteServices, sprites::SpriteServiceRoutines>().install(service);
}

} // namespace game::core
