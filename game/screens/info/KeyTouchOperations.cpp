// The key and touch tests with click sounds (see KeyTouchOperations.h).
#include "game/screens/info/KeyTouchOperations.h"

#include "game/framework/GameStatics.h"
#include "game/framework/Input.h"
#include "game/framework/KeyMasks.h"
#include "game/framework/Sound.h"

namespace game::info {

namespace {

using framework::kKeyBack;
using framework::kKeyLeftSoft;
using framework::kKeySelect;

// The click sounds.
constexpr jint kClickSound = 7;
constexpr jint kBackSound = 6;
constexpr jint kMoveSound = 8;
// The keys whose press in the menus clicks kMoveSound: the four directions and bits 14 to 17.
constexpr jint kMoveKeys = 0x3C055;
constexpr jint kMenusTopState = 2;

// The touch point when there is one and touch is not blocked.
bool unblockedTouchPoint(jint& x, jint& y) {
    return statics()->touchRepeatCounter == 0 && framework::touchPoint(x, y);
}

void clickOnRelease(const jint sound) {
    if (statics()->touchReleased) {
        framework::playSound(sound);
    }
}

} // namespace

bool isKeyPressedWithSound(const jint mask) {
    GameStatics* block = statics();
    if ((mask == kKeyLeftSoft || mask == kKeySelect) && block->touchReleased &&
        framework::pointerInLeftSoftKey()) {
        framework::playSound(kClickSound);
        return true;
    }
    if (mask == kKeyBack && block->touchReleased && framework::pointerInRightSoftKey()) {
        framework::playSound(kBackSound);
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
            framework::playSound(kBackSound);
        } else if ((pressed & kMoveKeys) != 0) {
            framework::playSound(kMoveSound);
        } else if ((pressed & kKeySelect) != 0) {
            framework::playSound(kClickSound);
        }
    }
    block->leftSoftKeyTaken = (mask & kKeySelect) != 0;
    block->rightSoftKeyTaken = mask == kKeyBack;
    return true;
}

bool pointerInRectWithSound(const jint x, const jint y, const jint w, const jint h) {
    jint px = 0;
    jint py = 0;
    if (!unblockedTouchPoint(px, py) || !framework::pointStrictlyInside(px, py, x, y, w, h)) {
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
    if (framework::pointStrictlyInside(px, py, xA, y, wA, h)) {
        clickOnRelease(kClickSound);
        return 0;
    }
    if (framework::pointStrictlyInside(px, py, xB, y, wB, h)) {
        clickOnRelease(kBackSound);
        return 1;
    }
    return -1;
}

} // namespace game::info
