// Actor: construction, its box and starting an animation.
#include "game/match/CPlayer.h"

#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/ClassTable.h"

namespace game::match {

namespace {
constexpr jint kByteMask = 0xFF;
} // namespace

Actor::Actor(const jint id) : Object(id) {
    runtime::registerRefFields(this, &sprite);
}

void Actor::setBox(const jint* const box) {
    boxLeft = box != nullptr ? box[0] : 0;
    boxTop = box != nullptr ? box[1] : 0;
    boxRight = box != nullptr ? box[2] : 0;
    boxBottom = box != nullptr ? box[3] : 0;
}

void Actor::setAnimation(const jint newAnim, const jboolean force) {
    if (!force && newAnim == anim) {
        return;
    }
    anim = newAnim;
    frame = 0;
    frameTimer = 0;
    animFinished = 0;
    frameCode = 0;
    sprites::ASprite* const s = sprite;
    if (s == nullptr || newAnim < 0 || newAnim >= s->animationCount() ||
        ((*s->animFrameCount)[newAnim] & kByteMask) == 0) {
        return;
    }
    const jint r = (*s->animFirstFrame)[newAnim] * s->animFrameStride;
    if (s->animFrames == nullptr || s->animFrameStride <= 0 || r < 0 ||
        r + s->animFrameStride > s->animFrames->length) {
        return;
    }
    const jint last = (*s->animFrames)[r + s->animFrameStride - 1] & kByteMask;
    // The frame's low byte plus the record's flip bits, (last & 0xC0) << 2.
    frameCode =
        sprites::referenceNumber((*s->animFrames)[r + sprites::kAnimFrameNumberByte] & kByteMask, last);
}

} // namespace game::match
