// Actor: construction, starting an animation and advancing it.
#include "game/match/CPlayer.h"

#include "game/framework/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/ClassTable.h"

namespace game::match {

namespace {
constexpr jint kByteMask = 0xFF;
// Byte 1 of an animation-frame record: how many ticks the frame shows.
constexpr jint kDurationByte = sprites::kAnimFrameDurationByte;
// Animations stand still while the top-level state is the menus.
constexpr jint kMenuTopState = 2;

// The frame code of animation-frame record r of sprite s.
jint recordFrameCode(const sprites::ASprite* s, const jint r) {
    const jint last = (*s->animFrames)[r + s->animFrameStride - 1] & kByteMask;
    return sprites::referenceNumber((*s->animFrames)[r + sprites::kAnimFrameNumberByte] & kByteMask, last);
}
} // namespace

Actor::Actor(const jint id) : Object(id) {
    runtime::registerRefFields(this, &sprite);
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
    // The frame's low byte plus the record's high bits, (last & 0xC0) << 2.
    frameCode = recordFrameCode(s, (*s->animFirstFrame)[newAnim] * s->animFrameStride);
}

void Actor::updateAnimation() {
    if (statics()->topState == kMenuTopState) {
        return;
    }
    frameTimer += 1;
    sprites::ASprite* const s = sprite;
    // Without a sprite or with an animation the sprite lacks there are no records to follow.
    if (s == nullptr || anim < 0 || anim >= s->animationCount()) {
        return;
    }
    const jint count = (*s->animFrameCount)[anim] & kByteMask;
    if (count == 0 || frame < 0 || frame >= count) {
        return;
    }
    const jint first = (*s->animFirstFrame)[anim];
    const jint duration = (*s->animFrames)[(first + frame) * s->animFrameStride + kDurationByte] & kByteMask;
    if (frameTimer < duration) {
        return;
    }
    frame += 1;
    if (frame >= count) {
        animFinished = 1;
        frame = animLoops != 0 ? 0 : frame - 1;
    }
    frameCode = recordFrameCode(s, (first + frame) * s->animFrameStride);
    frameTimer = 0;
}

} // namespace game::match
