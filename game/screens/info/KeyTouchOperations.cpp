// The key and touch tests with click sounds (see KeyTouchOperations.h).
#include "game/screens/info/KeyTouchOperations.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/Sound.h"

namespace game::info {

using namespace game::core;

namespace {

using core::kKeyBack;
using core::kKeyLeftSoft;
using core::kKeySelect;

// The click sounds.
constexpr jint kClickSound = 7;
constexpr jint kBackSound = 6;
constexpr jint kMoveSound = 8;
// The keys whose press in the menus clicks kMoveSound: the four directions and bits 14 to 17.
constexpr jint kMoveKeys = 0x3C055;
constexpr jint kMenusTopState = 2;

// The touch point when there is one and touch is not blocked.
bool unblockedTouchPoint(jint& x, jint& y) {
    return statics()->touchRepeatCounter == 0 && core::touchPoint(x, y);
}

void clickOnRelease(const jint sound) {
    if (statics()->touchReleased) {
        core::playSound(sound);
    }
}

} // namespace

bool isKeyPressedWithSound(const jint mask) {
    GameStatics* block = statics();
    if ((mask == kKeyLeftSoft || mask == kKeySelect) && block->touchReleased &&
        core::pointerInLeftSoftKey()) {
        core::playSound(kClickSound);
        return true;
    }
    if (mask == kKeyBack && block->touchReleased && core::pointerInRightSoftKey()) {
        core::playSound(kBackSound);
        return true;
    }
    if (block->touchDown || block->touchReleased) {
        return false;
    }
    const jint pressed = block->pressedKeys;
    if ((pressed & mask) == 0) {
        return false;
    }
    if (block->topState == kMenusTopState) {
        if ((pressed & kKeyBack) != 0) {
            core::playSound(kBackSound);
        } else if ((pressed & kMoveKeys) != 0) {
            core::playSound(kMoveSound);
        } else if ((pressed & kKeySelect) != 0) {
            core::playSound(kClickSound);
        }
    }
    block->leftSoftKeyTaken = (mask & kKeySelect) != 0;
    block->rightSoftKeyTaken = mask == kKeyBack;
    return true;
}

bool pointerInRectWithSound(const jint x, const jint y, const jint w, const jint h) {
    jint px = 0;
    jint py = 0;
    if (!unblockedTouchPoint(px, py) || !core::pointStrictlyInside(px, py, x, y, w, h)) {
        return false;
    }
    clickOnRelease(kClickSound);
    return true;
}

jint pickOfTwoAreas(const jint xA, const jint wA, const jint xB, const jint wB, const jint y, const jint h) {
    jint px = 0;
    jint py = 0;
    if (!unblockedTouchPoint(px, py)) {
        return -1;
    }
    if (core::pointStrictlyInside(px, py, xA, y, wA, h)) {
        clickOnRelease(kClickSound);
        return 0;
    }
    if (core::pointStrictlyInside(px, py, xB, y, wB, h)) {
        clickOnRelease(kBackSound);
        return 1;
    }
    return -1;
}

} // namespace game::info
