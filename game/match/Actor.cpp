// Actor: construction, its box, starting an animation and advancing it.
#include "game/match/CPlayer.h"

#include "game/core/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/ClassTable.h"

namespace game::match {

using namespace game::sprites;

namespace {
constexpr jint kByteMask = 0xFF;
// Byte 1 of an animation-frame record: how many ticks the frame shows.
constexpr jint kDurationByte = sprites::kAnimFrameDurationByte;
// Animations stand still while the top-level state is the menus.
constexpr jint kMenuTopState = 2;

// Whether animation-frame record r lies wholly inside sprite s's frame records.
bool recordInside(const sprites::ASprite* s, const jint r) {
    return s->animFrames != nullptr && s->animFrameStride > 0 && r >= 0 &&
           r + s->animFrameStride <= s->animFrames->length;
}

// The frame code of animation-frame record r of sprite s (inside its records).
jint recordFrameCode(const sprites::ASprite* s, const jint r) {
    const jint last = (*s->animFrames)[r + s->animFrameStride - 1] & kByteMask;
    return sprites::referenceNumber((*s->animFrames)[r + sprites::kAnimFrameNumberByte] & kByteMask, last);
}
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
    if (!recordInside(s, r)) {
        return;
    }
    // The frame's low byte plus the record's flip bits, (last & 0xC0) << 2.
    frameCode = recordFrameCode(s, r);
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
    if (!recordInside(s, (first + count - 1) * s->animFrameStride) ||
        !recordInside(s, first * s->animFrameStride)) {
        return;
    }
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
