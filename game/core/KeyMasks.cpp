// Key masks, the key-state ring and the touch selectors (see KeyMasks.h).
#include "game/core/KeyMasks.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"

namespace game::core {

namespace {

using runtime::irem;

// Profile key codes (the host's key map).
constexpr jint kCodeUp = -1;
constexpr jint kCodeDown = -2;
constexpr jint kCodeLeft = -3;
constexpr jint kCodeRight = -4;
constexpr jint kCodeFire = -5;
constexpr jint kCodeLeftSoft = -6;
constexpr jint kCodeRightSoft = -7;
constexpr jint kCodeMinus8 = -8;
constexpr jint kCodePound = '#';
constexpr jint kCodeStar = '*';
constexpr jint kCodeZero = '0';
constexpr jint kCodeOne = '1';
constexpr jint kCodeNine = '9';

// Digits 1..9 as directions and fire: 1 up-left, 2 up, 3 up-right, 4 left, 5 fire, 6 right,
// 7 down-left, 8 down, 9 down-right.
constexpr jint kDigitDirections[] = {kKeyUpLeft, kKeyUp,       kKeyUpRight, kKeyLeft,     kKeyFire,
                                     kKeyRight,  kKeyDownLeft, kKeyDown,    kKeyDownRight};

// The arrow areas of the value selector: 80 x 80, from 29 above the row's y to 51 below it.
constexpr jint kArrowAreaSize = 80;
constexpr jint kArrowAreaAbove = 29;
constexpr jint kArrowAreaBelow = 51;
constexpr jint kArrowAreaHalf = 40;
// With a value box narrower than the areas, they sit by half its width.
constexpr jint kArrowNarrowLeftOffset = 56;
constexpr jint kArrowNarrowRightOffset = 4;

} // namespace

jint keyToMask(const jint keyCode) {
    switch (keyCode) {
    case kCodeUp:
        return kKeyUp;
    case kCodeDown:
        return kKeyDown;
    case kCodeLeft:
        return kKeyLeft;
    case kCodeRight:
        return kKeyRight;
    case kCodeFire:
        return kKeyFire;
    case kCodeLeftSoft:
        return kKeyLeftSoft;
    case kCodeRightSoft:
        return kKeyRightSoft;
    case kCodeMinus8:
        return kKeyCodeMinus8;
    case kCodePound:
        return kKeyPound;
    case kCodeStar:
        return kKeyStar;
    case kCodeZero:
        return kKeyZero;
    default:
        break;
    }
    if (keyCode < kCodeOne || keyCode > kCodeNine) {
        return 0;
    }
    const jint digit = keyCode - kCodeOne;
    if (statics()->digitKeysMode) {
        return kKeyDigitOne << digit;
    }
    return kDigitDirections[digit];
}

bool pushKeyQueue(const jint state) {
    GameStatics* block = statics();
    runtime::IntArray* queue = block->keyQueue;
    if (queue == nullptr || queue->length < kKeyQueueLength) {
        return false;
    }
    const jint write = irem(block->keyQueueWrite, kKeyQueueLength);
    const jint next = irem(write + 1, kKeyQueueLength);
    if (next == block->keyQueueRead) {
        return false;
    }
    (*queue)[write] = state;
    block->keyQueueWrite = static_cast<runtime::jbyte>(next);
    return true;
}

bool isKeyHeld(const jint mask) {
    return (statics()->frameKeys & mask) != 0;
}

bool anyKeyPressed() {
    return statics()->pressedKeys != 0;
}

bool isKeyReleased(const jint mask) {
    return (statics()->releasedKeys & mask) != 0;
}

jint touchArrowSelect(const jint leftX, const jint rightX, const jint y, const jint value, const jint count,
                      const bool redraw) {
    GameStatics* block = statics();
    // Without a value to step there is no selector (and nothing to divide by).
    if (block->touchRepeatCounter != 0 || !block->touchReleased || count < 1) {
        return value;
    }
    jint leftStart = leftX - kArrowAreaHalf;
    jint rightStart = rightX - kArrowAreaHalf;
    if (block->selectorWidth < kArrowAreaSize) {
        leftStart = leftX + block->selectorWidth / 2 - kArrowNarrowLeftOffset;
        rightStart = rightX - block->selectorWidth / 2 + kArrowNarrowRightOffset;
    }
    const jint px = block->pointerReleaseX;
    const jint py = block->pointerReleaseY;
    const jint top = y - kArrowAreaAbove;
    const jint height = kArrowAreaAbove + kArrowAreaBelow;
    jint result = value;
    if (pointStrictlyInside(px, py, leftStart, top, kArrowAreaSize, height)) {
        result = irem(value + count - 1, count);
    } else if (pointStrictlyInside(px, py, rightStart, top, kArrowAreaSize, height)) {
        result = irem(value + count + 1, count);
    } else {
        return value;
    }
    if (redraw) {
        block->redrawAll = 1;
    }
    return result;
}

jint touchGridIndex(const jint x, const jint y, const jint cellW, const jint cellH, const jint stepX,
                    const jint stepY, const jint whenLocked, const jint columns, const jint count) {
    if (statics()->touchRepeatCounter != 0) {
        return whenLocked;
    }
    jint px = 0;
    jint py = 0;
    // A grid without columns has no cells (and nothing to divide by).
    if (!touchPoint(px, py) || count < 1 || columns < 1) {
        return -1;
    }
    for (jint i = 0; i < count; ++i) {
        const jint cellX = x + (i % columns) * stepX;
        const jint cellY = y + (i / columns) * stepY;
        if (pointStrictlyInside(px, py, cellX, cellY, cellW, cellH)) {
            return i;
        }
    }
    return -1;
}

} // namespace game::core
