// The game canvas: set-up, input and notify slots and the game loop (see Device.h). The frame
// entry Device::paint is in FrameEntry.cpp.
#include "game/framework/Device.h"

#include <cstdint>
#include <iterator>
#include <thread>

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/TopStates.h"
#include "game/core/services/MenuServices.h"
#include "game/core/services/PromotionServices.h"
#include "game/framework/MenuStates.h"
#include "game/framework/Quorlin.h"
#include "profile/Graphics.h"
#include "profile/Host.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "profile/Thread.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"

namespace game {

using namespace game::framework;
using namespace game::core;

namespace {

using runtime::jlong;

constexpr jint kBackBufferWidth = 480;
constexpr jint kBackBufferHeight = 800;

// Game loop pacing: a frame starts at most every 50 ms; input is pumped in the 2 ms sleep after
// it; a paused game polls its events every 200 ms.
constexpr jlong kFrameMilliseconds = 50;
constexpr jlong kFrameSleep = 2;
constexpr jlong kPausedSleep = 200;
constexpr jlong kResumeSleep = 100;
constexpr jboolean kUnconditional = 1;

// Key presses in the first frames of a top-level state (framesInState 0..3) are ignored.
constexpr jint kIgnoredKeyFrames = 3;

using core::kTopStateLoading;
using core::kTopStateMatch;
using core::kTopStateMenus;
using core::kTopStateQuestion;

// Menu states.
constexpr jint kPromotionMenuState = 38;
constexpr jint kMatchPauseMenuState = 0x800000;
constexpr jint kQuestionMenuState = 0x4000;
constexpr jint kMatchDayMenuState = 0x86;
constexpr jint kSquadListMenuState = 0x206;
// The screens whose list selection an interruption forgets.
constexpr jint kSelectionResetStates[] = {0x2000, 0x200, 0x4000, 0x100,  0x807,    0x40D,    0x208,
                                          0x2008, 0x30,  0x31,   0x2007, 0x800000, 0x800004, 0x40C};

// The match phase in which an interruption stays in the match state.
constexpr jint kMatchPhaseNoPause = 12;
// From this match-day step on a resume no longer goes back into the match.
constexpr jint kFirstUnresumableMatchDayStep = 2;
// menuSelection of menu 0x86 whose pop-up resumes on its third choice.
constexpr jint kMatchDayOptionSelection = 10;

// Highlight x of the pop-up's choices, by its item count.
constexpr jint kCursorThreeItems[] = {113, 210, 331};
constexpr jint kCursorFourItems[] = {112, 212, 330};
constexpr jint kCursorTwoItems[] = {150, 334};

// Fills every byte row of a byte[][][] with -1 (a missing level is skipped).
void fillPresetTables(runtime::ObjectArray* tables) {
    if (tables == nullptr) {
        return;
    }
    for (jint i = 0; i < tables->length; ++i) {
        runtime::Object* middle = (*tables)[i];
        if (middle == nullptr || middle->classId != runtime::kObjectArray) {
            continue;
        }
        auto* rows = static_cast<runtime::ObjectArray*>(middle);
        for (jint j = 0; j < rows->length; ++j) {
            runtime::Object* row = (*rows)[j];
            if (row == nullptr || row->classId != runtime::kByteArray) {
                continue;
            }
            auto* bytes = static_cast<runtime::ByteArray*>(row);
            for (jint k = 0; k < bytes->length; ++k) {
                (*bytes)[k] = -1;
            }
        }
    }
}

void fillWithMinusOne(runtime::IntArray* list) {
    if (list == nullptr) {
        return;
    }
    for (jint i = 0; i < list->length; ++i) {
        (*list)[i] = -1;
    }
}

// The number of the highest set bit; 0 for no bit.
jint highestBit(const jint mask) {
    jint n = 0;
    for (std::uint32_t rest = static_cast<std::uint32_t>(mask) >> 1; rest != 0; rest >>= 1) {
        ++n;
    }
    return n;
}

// The choice the pop-up that shows after a resume highlights.
jint resumeChoice(const GameStatics* block) {
    if (block->menuState == kQuestionMenuState) {
        if (block->menuSelection == 0) {
            return 0;
        }
        return block->menuSelection == 2 && block->menuItemCount == 4 ? 2 : 1;
    }
    if (block->menuState == kMatchDayMenuState && block->menuSelection == kMatchDayOptionSelection &&
        block->menuOptionFlag) {
        return 2;
    }
    return 1;
}

jint cursorXFor(const jint itemCount, const jint choice) {
    const auto pick = [choice](const auto& table) {
        const jint last = static_cast<jint>(std::size(table)) - 1;
        return table[choice >= 0 && choice < last ? choice : last];
    };
    if (itemCount == 3) {
        return pick(kCursorThreeItems);
    }
    if (itemCount == 4) {
        return pick(kCursorFourItems);
    }
    return pick(kCursorTwoItems);
}

// Whether a management-screen overlay is open.
bool overlayShown(const GameStatics* block) {
    const runtime::BoolArray* flags = block->overlayFlags;
    if (block->overlayActive || flags == nullptr) {
        return block->overlayActive != 0;
    }
    for (jint i = 0; i < flags->length; ++i) {
        if ((*flags)[i]) {
            return true;
        }
    }
    return false;
}

bool selectionResetState(const jint state) {
    for (const jint candidate : kSelectionResetStates) {
        if (candidate == state) {
            return true;
        }
    }
    return false;
}

// Whether the statics still exist: the host closes the Application when the window is closed,
// which can happen inside any sleep (the sleeps pump the host's events).
bool gameAlive() {
    const runtime::Application* application = runtime::Application::getInstance();
    return application != nullptr && application->getStaticClass() != nullptr;
}

bool gameRunning() {
    return gameAlive() && statics()->gameRunning;
}

} // namespace

Device::Device() : javax_microedition_lcdui_Displayable(kClassId) {
    GameStatics* block = statics();
    block->previousMenuState = -1;
    fillPresetTables(block->presetByteTables);
    fillWithMinusOne(block->squadListAux);
    fillWithMinusOne(block->squadList);
    auto* image = runtime::newObject<profile::Image>();
    image->initBuffer(kBackBufferWidth, kBackBufferHeight, profile::kImageMutableFlag, 0);
    block->backBufferImage = image;
    block->backBufferGraphics = image->getGraphics();
}

void* Device::getInterface(const jint interfaceClassId) {
    if (interfaceClassId == runtime::kRunnable) {
        return static_cast<runtime::java_lang_Runnable*>(this);
    }
    return nullptr;
}

void Device::keyPressed(const jint keyCode) {
    GameStatics* block = statics();
    if (block->framesInState <= kIgnoredKeyFrames) {
        return;
    }
    block->heldKeys |= core::keyToMask(keyCode);
    if (block->frameKeys != 0) {
        return;
    }
    core::pushKeyQueue(block->heldKeys);
    // One time stamp per key bit; a bit beyond the array's end gets none.
    const jint bit = highestBit(block->heldKeys);
    if (runtime::Long64Array* ticks = block->keyPressTicks; ticks != nullptr && ticks->inBounds(bit)) {
        (*ticks)[bit] = block->matchTicks;
    }
}

void Device::keyReleased(const jint keyCode) {
    GameStatics* block = statics();
    block->heldKeys &= ~core::keyToMask(keyCode);
    core::pushKeyQueue(block->heldKeys);
}

void Device::pointerPressed(const jint x, const jint y) {
    GameStatics* block = statics();
    block->pointerPressX = x;
    block->pointerPressY = y;
    block->touchDown = 1;
    block->touchPressedNow = 1;
    block->touchRepeatCounter = 0;
    block->touchRepeatCount = 0;
    if (block->menuState == kPromotionMenuState) {
        core::promotionServices().promotionPointerPressed(x, y);
    }
}

void Device::pointerReleased(const jint x, const jint y) {
    GameStatics* block = statics();
    block->pointerPressX = 0;
    block->pointerPressY = 0;
    block->pointerReleaseX = x;
    block->pointerReleaseY = y;
    block->touchDown = 0;
    block->touchReleased = 1;
    block->touchRepeatCounter = 0;
    block->touchRepeatCount = 0;
    block->touchGestureFlags[0] = 0;
    block->touchGestureFlags[1] = 0;
    block->matchCommand = -1;
    if (block->menuState == kPromotionMenuState) {
        core::promotionServices().promotionPointerReleased(x, y);
    }
}

void Device::pointerDragged(const jint x, const jint y) {
    GameStatics* block = statics();
    block->pointerPressX = x;
    block->pointerPressY = y;
    if (block->menuState == kPromotionMenuState) {
        core::promotionServices().promotionPointerDragged(x, y);
    }
}

void Device::showNotify() {
    profile::Thread::sleep(kResumeSleep);
    if (!gameAlive()) {
        return;
    }
    GameStatics* block = statics();
    block->resumeRedraw = 1;
    block->paused = 0;
    core::clearKeys();
    block->menuRepaint = 1;
    block->redrawAll = 1;

    block->menuChoice = resumeChoice(block);
    if (block->topState == kTopStateLoading || block->topState == kTopStateQuestion) {
        block->selectedRow = 1;
    }
    block->menuChoiceMoving = 0;
    if (block->listMode == 4) {
        block->listMode = 3;
    }
    block->menuCursorX = cursorXFor(block->menuItemCount, block->menuChoice);
    block->menuChoiceShown = block->menuChoice;
    block->menuChoiceMoving = 0;

    if (block->matchDayMode && block->matchDayCounter == 0) {
        block->matchDayStep = -1;
    }
    if (block->matchDayMode && block->menuState == kMatchPauseMenuState && block->matchInterrupted &&
        !block->matchDayMarker && block->matchDayStep < kFirstUnresumableMatchDayStep) {
        core::setTopState(kTopStateMatch);
        block->matchInterrupted = 0;
    }
}

void Device::hideNotify() {
    GameStatics* block = statics();
    core::menuServices().updateEventList(block->eventList);
    block->paused = 1;
    block->interrupted = 1;
    block->frameKeys = 0;
    if (block->topState == kTopStateMatch) {
        if (block->matchPhase != kMatchPhaseNoPause) {
            core::setTopState(kTopStateMenus);
        }
        framework::setMenuState(kMatchPauseMenuState);
        block->menuSelection = 0;
        block->matchInterrupted = 1;
    }

    block->pointerPressX = -1;
    block->pointerPressY = -1;
    block->pointerReleaseX = -1;
    block->pointerReleaseY = -1;
    block->touchDown = 0;
    block->touchReleased = 0;
    block->touchPressedNow = 0;

    if (overlayShown(block)) {
        return;
    }
    if (selectionResetState(block->menuState)) {
        block->menuSelection = -1;
    }
    if ((block->menuState == kSquadListMenuState && block->subScreenMode == 0) ||
        block->menuState == kMatchPauseMenuState) {
        block->selectedRow = -1;
    }
}

void Device::run() {
    jlong frameStart = runtime::System::currentTimeMillis();
    while (gameRunning()) {
        if (statics()->paused) {
            profile::Thread::sleep(kPausedSleep);
            continue;
        }
        // Busy-wait for the frame's start; a clock that went backwards does not hold it back.
        jlong now = runtime::System::currentTimeMillis();
        while (now - frameStart < kFrameMilliseconds && now - frameStart >= 0) {
            std::this_thread::yield();
            now = runtime::System::currentTimeMillis();
        }
        frameStart = now;
        if (profile::Host* host = profile::Host::getInstance()) {
            host->repaint();
        }
        if (!gameAlive()) {
            return;
        }
        ++statics()->frameCount;
        profile::Thread::sleep(kFrameSleep);
    }
    if (!gameAlive()) {
        return;
    }
    if (runtime::javax_microedition_midlet_MIDlet* midlet = statics()->midlet) {
        midlet->destroyApp(kUnconditional);
    }
    statics()->midlet = nullptr;
}

} // namespace game
