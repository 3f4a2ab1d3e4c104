// The frame's key step and the key and touch tests (see Input.h).
#include "game/core/Input.h"

#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "game/core/services/FrameServices.h"

namespace game::core {

namespace {

// A second press of the same key within this many frames of the first is a double press.
constexpr jint kDoublePressFrames = 10;
// The squad lists that know a long press, and the list length from which it counts.
constexpr jint kLongPressListStateA = 0x201;
constexpr jint kLongPressListStateB = 0x101;
constexpr jint kLongPressMinimumRows = 6;
// The long press fires this many frames after the auto-repeat delay.
constexpr jint kLongPressExtraFrames = 2;
constexpr jint kMenusTopState = 2;

// The soft-key zones at the foot of the 480 x 800 screen (strict bounds): left x 1..109,
// right x 371..479, both y 745..785.
constexpr jint kLeftSoftKeyX = 0;
constexpr jint kRightSoftKeyX = 370;
constexpr jint kSoftKeyY = 744;
constexpr jint kSoftKeyWidth = 110;
constexpr jint kSoftKeyHeight = 42;

void updateDoublePress(GameStatics* block) {
    if (block->pressedKeys == 0) {
        block->doublePressedKeys = 0;
        return;
    }
    if (block->lastPressedKey != 0 && block->framesSincePress < kDoublePressFrames &&
        block->pressedKeys == block->lastPressedKey) {
        block->doublePressedKeys = block->pressedKeys;
        block->lastPressedKey = 0;
        return;
    }
    block->framesSincePress = 0;
    block->lastPressedKey = block->pressedKeys;
    block->doublePressedKeys = 0;
}

// Up and down repeat once held longer than keyRepeatDelay frames, on screens that ask for it.
void updateAutoRepeat(GameStatics* block) {
    ++block->keyRepeatFrames;
    if (!block->keyRepeatEnabled) {
        block->keyRepeatFrames = 0;
        return;
    }
    if (!isKeyHeld(kKeyUp | kKeyDown)) {
        block->repeatUp = 0;
        block->repeatDown = 0;
        block->keyRepeatFrames = 0;
        return;
    }
    if (block->keyRepeatFrames > block->keyRepeatDelay) {
        if (isKeyHeld(kKeyUp)) {
            block->repeatUp = 1;
        } else {
            block->repeatDown = 1;
        }
    }
}

// Fire held, or a touch held on a row of a list that allows it, in the two long squad lists.
void updateLongPress(GameStatics* block) {
    ++block->longPressFrames;
    const bool listState =
        block->menuState == kLongPressListStateA || block->menuState == kLongPressListStateB;
    const bool touchHeldOnRow = block->pointerPressX > 0 && block->touchListHit >= 0 && block->touchHold;
    if (block->squadListCount < kLongPressMinimumRows || !listState ||
        !(isKeyHeld(kKeyFire) || touchHeldOnRow)) {
        block->longPressFrames = 0;
        return;
    }
    if (block->longPressFrames > block->keyRepeatDelay + kLongPressExtraFrames && !block->longPressDone) {
        frameServices().squadListLongPress();
        block->menuSelection = 0;
        block->longPressDone = 1;
    }
}

} // namespace

void clearKeys() {
    GameStatics* block = statics();
    block->frameKeys = 0;
    block->pressedKeys = 0;
    block->releasedKeys = 0;
    block->doublePressedKeys = 0;
    block->lastPressedKey = 0;
    block->framesSincePress = 0;
    block->heldKeys = 0;
    if (runtime::IntArray* queue = block->keyQueue) {
        for (jint i = 0; i < queue->length; ++i) {
            (*queue)[i] = 0;
        }
    }
    if (runtime::Long64Array* ticks = block->keyPressTicks) {
        for (jint i = 0; i < ticks->length; ++i) {
            (*ticks)[i] = 0;
        }
    }
    block->keyQueueWrite = 0;
    block->keyQueueRead = 0;
}

void updateKeys() {
    GameStatics* block = statics();
    // A moving highlight freezes the keys.
    if (block->menuChoiceMoving) {
        clearKeys();
        return;
    }
    jint mask = block->heldKeys;
    runtime::IntArray* queue = block->keyQueue;
    if (queue != nullptr && queue->length >= kKeyQueueLength && block->keyQueueRead != block->keyQueueWrite) {
        const jint read = runtime::irem(block->keyQueueRead, kKeyQueueLength);
        mask = (*queue)[read];
        block->keyQueueRead = static_cast<runtime::jbyte>(runtime::irem(read + 1, kKeyQueueLength));
    }
    const jint previous = block->frameKeys;
    block->frameKeys = mask;
    block->pressedKeys = mask & ~previous;
    block->releasedKeys = previous & ~mask;
    ++block->framesSincePress;

    updateDoublePress(block);
    updateAutoRepeat(block);
    updateLongPress(block);
}

bool isKeyPressed(const jint mask) {
    GameStatics* block = statics();
    if ((mask == kKeySelect || mask == kKeyLeftSoft) && block->touchReleased && pointerInLeftSoftKey()) {
        block->leftSoftKeyTaken = 1;
        return true;
    }
    if (mask == kKeyBack && block->touchReleased && pointerInRightSoftKey()) {
        block->rightSoftKeyTaken = 1;
        return true;
    }
    // A touch in progress or just released hides the keys.
    if (block->touchDown || block->touchReleased || block->menuChoiceMoving) {
        return false;
    }
    const bool pressed = (block->pressedKeys & mask) != 0;
    if (block->topState == kMenusTopState && pressed && (block->pressedKeys & kKeyRightSoft) != 0 &&
        block->softKeyCounter > 0) {
        --block->softKeyCounter;
    }
    if (pressed) {
        block->leftSoftKeyTaken = (mask & kKeySelect) != 0;
        block->rightSoftKeyTaken = mask == kKeyBack;
    }
    return pressed;
}

bool pointerInRect(const jint x, const jint y, const jint w, const jint h) {
    if (statics()->touchRepeatCounter != 0) {
        return false;
    }
    jint px = 0;
    jint py = 0;
    return touchPoint(px, py) && pointStrictlyInside(px, py, x, y, w, h);
}

bool pointerInLeftSoftKey() {
    return pointerInRect(kLeftSoftKeyX, kSoftKeyY, kSoftKeyWidth, kSoftKeyHeight);
}

bool pointerInRightSoftKey() {
    return pointerInRect(kRightSoftKeyX, kSoftKeyY, kSoftKeyWidth, kSoftKeyHeight);
}

bool touchPoint(jint& x, jint& y) {
    const GameStatics* block = statics();
    if (block->touchDown) {
        x = block->pointerPressX;
        y = block->pointerPressY;
        return true;
    }
    if (block->touchReleased) {
        x = block->pointerReleaseX;
        y = block->pointerReleaseY;
        return true;
    }
    return false;
}

bool pointStrictlyInside(const jint px, const jint py, const jint x, const jint y, const jint w,
                         const jint h) {
    return x < px && px < x + w && y < py && py < y + h;
}

} // namespace game::core
