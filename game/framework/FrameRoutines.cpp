// The menu family index and the menu hint step (see FrameRoutines.h).
#include "game/framework/FrameRoutines.h"

#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "profile/SoundPlayer.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/StreamsPrint.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::framework {

using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::jlong;

// familyIndex counts from the family bit 32 (bit 5).
constexpr jint kFirstFamilyShift = 5;

// Hint modes.
constexpr jint kHintWaitingToShow = 1;
constexpr jint kHintShowing = -2;
constexpr jint kHintWaitingToHide = 0;
constexpr jint kHintIdle = -1;
constexpr jint kHintShowAnimation = 11;
constexpr jint kHintHideAnimation = 13;
constexpr jint kByteMask = 0xFF;
// Input-free time before the hint shows; in a match it shows at once.
constexpr jlong kHintWaitMilliseconds = 4000;
constexpr jint kMatchTopState = 4;

void startHintAnimation(const jint animation) {
    if (sprites::ASpriteInstance* hint = statics()->hintSprite) {
        hint->setAnim(animation, 0);
    }
}

// Puts the hint straight onto the closing animation as the input handler leaves it: every
// animation field zeroed, the frame timer -1 and the closing animation's last frame.
void closeHintAtOnce(sprites::ASpriteInstance* const hint) {
    hint->anim = kHintHideAnimation;
    hint->aframe = 0;
    hint->loops = 0;
    hint->ended = 0;
    hint->timer = -1;
    sprites::ASprite* sprite = hint->sprite;
    const bool known = sprite != nullptr && kHintHideAnimation < sprite->animationCount();
    hint->lastFrame = known ? ((*sprite->animFrameCount)[kHintHideAnimation] & kByteMask) - 1 : -1;
}

} // namespace

jint familyIndex(const jint value, const jint shift) {
    jint rest = runtime::ishr(runtime::ishr(value, shift), 1);
    jint n = shift - kFirstFamilyShift;
    while (rest > 0) {
        rest >>= 1;
        ++n;
    }
    return n;
}

void stepIdleAnimation() {
    GameStatics* block = statics();
    if (block->hintBlock > 0 || !block->hintStepRequested) {
        return;
    }
    const jlong now = runtime::System::currentTimeMillis();
    if (block->hintMode == kHintWaitingToShow) {
        const jlong wait = block->topState == kMatchTopState ? 0 : kHintWaitMilliseconds;
        if (now - block->hintTime > wait) {
            startHintAnimation(kHintShowAnimation);
            block->hintMode = kHintShowing;
            block->hintHidePending = 0;
            block->hintTime = now;
            ++block->hintChanges;
        }
    } else if (block->hintMode == kHintWaitingToHide && block->hintHidePending) {
        block->hintOffsetX = 0;
        block->hintOffsetY = 0;
        startHintAnimation(kHintHideAnimation);
        block->hintMode = kHintIdle;
        block->hintTime = now;
        ++block->hintChanges;
    }
    if (anyKeyPressed() || block->touchReleased) {
        block->hintTime = now;
        if (block->hintMode == kHintWaitingToHide || block->hintMode == kHintShowing) {
            if (sprites::ASpriteInstance* hint = block->hintSprite) {
                closeHintAtOnce(hint);
            }
            block->hintMode = kHintIdle;
        }
    }
    block->hintStepRequested = 0;
}

} // namespace game::framework
