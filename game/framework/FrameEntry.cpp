// The frame entry Device::paint and the work of the loading, blank, match-start, title and
// first-run question states (game/core/TopStates.h lists the states). The match state's work is in
// MatchFrame.cpp, the menus' in MenuStates.cpp.
#include "game/core/TopStates.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/Sound.h"
#include "game/core/TextPackage.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MatchServices.h"
#include "game/core/services/SpriteServices.h"
#include "game/framework/Device.h"
#include "game/framework/FrameRoutines.h"
#include "game/framework/MatchFrame.h"
#include "game/framework/MenuStates.h"
#include "game/screens/info/KeyTouchOperations.h"
#include "game/sprites/ResourcePack.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"

namespace game::framework {

using namespace game::info;
using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::jlong;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kBlack = 0x000000;
constexpr jint kWhite = 0xFFFFFF;

// The logo: entry 8 of the pack named by constant string 77, a PNG.
constexpr jint kLogoPackConstant = 77;
constexpr jint kLogoEntry = 8;
constexpr jint kScreenCentreX = 240; // the logo and the title texts are centred on it
constexpr jint kLogoCentreY = 400;
constexpr jint kAnchorTopCentre = profile::kAnchorHCenter | profile::kAnchorTop;
constexpr jint kAnchorCentre = profile::kAnchorHCenter | profile::kAnchorVCenter;
constexpr jint kAnchorTopLeft = profile::kAnchorTop | profile::kAnchorLeft;

// The loading bar of state 1.
constexpr jint kBarX = 158;
constexpr jint kBarY = 600;
constexpr jint kBarWidth = 164;
constexpr jint kBarMax = 40;

// The title: constant string 78 and the blinking prompt (text 48) over a grey band.
constexpr jint kTitleTextConstant = 78;
constexpr jint kTitleTextY = 802;
constexpr jint kTitleTextAnchor = 10;
constexpr jint kBandColour = 0x8D8B94;
constexpr jint kBandY = 748;
constexpr jint kBandHeight = 28;
constexpr jint kPromptText = 48;
constexpr jint kPromptY = 754;
constexpr jint kPromptAnchor = 2;
constexpr jint kBlinkPeriod = 10;
constexpr jint kBlinkOnFrames = 5;
constexpr jint kTitleSound = 7;
constexpr jint kMainMenuState = 32;
constexpr jint kSpriteFont = 0;
constexpr jint kPlainPalette = 0;

// The first-run question: text 49 as a two-button message box; the buttons' touch areas.
constexpr jint kQuestionText = 49;
constexpr jint kQuestionYOffset = -40;
constexpr jint kQuestionColour = -1;
constexpr jint kQuestionItems = 2;
constexpr jint kFirstButtonX = 104;
constexpr jint kSecondButtonX = 286;
constexpr jint kButtonWidth = 92;
constexpr jint kButtonHeight = 80;
constexpr jint kQuestionSound = 22;
// soundVolumeStep of the two answers.
constexpr jint kAllSound = 0;
constexpr jint kNoSound = 3;

profile::Graphics* graphics() {
    return statics()->currentGraphics;
}

// Makes sure logoImage is loaded. A pack or entry that cannot be read, or bytes that are no
// image, leave it null with a logged reason: the frame goes on without the logo.
profile::Image* ensureLogo() {
    GameStatics* block = statics();
    if (block->logoImage != nullptr) {
        return block->logoImage;
    }
    sprites::openPack(runtime::getConstantString(kLogoPackConstant));
    runtime::ByteArray* bytes = nullptr;
    if (!runtime::exceptionPending()) {
        const jint length = sprites::openPackEntry(kLogoEntry);
        if (!runtime::exceptionPending()) {
            bytes = runtime::newByteArray(length);
            sprites::readPack(bytes, 0, length);
        }
    }
    if (runtime::exceptionPending()) {
        runtime::catchException(runtime::kException);
        sprites::closePack();
        runtime::log("logo: entry %d of its pack cannot be read; the loading screen shows none", kLogoEntry);
        return nullptr;
    }
    sprites::closePack();
    profile::Image* image = profile::Image::createImage(bytes, 0, bytes->length);
    if (image == nullptr) {
        runtime::log("logo: entry %d of its pack is no image; the loading screen shows none", kLogoEntry);
        return nullptr;
    }
    block->logoImage = image;
    return image;
}

void updateLoading() {
    GameStatics* block = statics();
    if (block->framesInState == 0 || block->redrawAll) {
        block->redrawAll = 0;
        clearScreen(kWhite);
        if (profile::Image* logo = ensureLogo()) {
            graphics()->drawImage(logo, kScreenCentreX, runtime::idiv(kScreenHeight - logo->getHeight(), 2),
                                  kAnchorTopCentre);
        }
        if (runtime::exceptionPending()) {
            return;
        }
    }
    // The loading screen draws the bar style (not the loading animation), so its bar shows.
    block->loadingBarVisible = 1;
    paintLoadingBar(kBarX, kBarY, kBarWidth, block->loadingProgress + block->framesInState, kBarMax);
    spriteServices().loadResources();
}

void updateSecondLoading() {
    if (statics()->previousTopState == kTopStateLoading) {
        clearScreen(kWhite);
        if (profile::Image* logo = ensureLogo()) {
            graphics()->drawImage(logo, kScreenCentreX, kLogoCentreY, kAnchorCentre);
        }
        if (runtime::exceptionPending()) {
            return;
        }
    }
    matchServices().loadMatchScreen();
    if (runtime::exceptionPending()) {
        return;
    }
    matchServices().paintLoadingProgress();
}

void updateMatchStart() {
    matchServices().startMatch();
    if (runtime::exceptionPending()) {
        return;
    }
    matchServices().paintMatchIntro();
}

void updateTitle() {
    GameStatics* block = statics();
    profile::Graphics* g = graphics();
    clearScreen(kBlack);
    if (sprites::ASprite* title = block->titleSprite) {
        spriteServices().paintFrame(title, g, 0, 0, 0, 0);
    }
    spriteServices().drawString(g, runtime::getConstantString(kTitleTextConstant), kScreenCentreX,
                                kTitleTextY, kSpriteFont, kTitleTextAnchor, kPlainPalette);
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
    g->setColor(kBandColour);
    g->fillRect(0, kBandY, kScreenWidth, kBandHeight);
    if (runtime::irem(block->framesInState, kBlinkPeriod) < kBlinkOnFrames) {
        spriteServices().drawString(g, getText(kPromptText), kScreenCentreX, kPromptY, kSpriteFont,
                                    kPromptAnchor, kPlainPalette);
    }
    if (!anyKeyPressed() && !block->touchReleased) {
        return;
    }
    playSound(kTitleSound);
    if (runtime::exceptionPending()) {
        return;
    }
    setTopState(kTopStateMenus);
    clubServices().saveOrLoadGameRecord(0);
    if (runtime::exceptionPending()) {
        return;
    }
    setMenuState(kMainMenuState);
    if (runtime::exceptionPending()) {
        return;
    }
    block->titlePending = 0;
    clearKeys();
}

void updateQuestion() {
    GameStatics* block = statics();
    clearScreen(kBlack);
    managementServices().paintMessageBox(getText(kQuestionText), 0, kQuestionYOffset, kQuestionColour,
                                         kQuestionItems, 0);
    if (runtime::exceptionPending()) {
        return;
    }
    block->touchListHit = info::pickOfTwoAreas(kFirstButtonX, kButtonWidth, kSecondButtonX, kButtonWidth,
                                               block->touchListRow, kButtonHeight);
    if (block->questionTouched && block->menuChoiceMoving) {
        block->touchListHit = -1;
    } else if (block->touchListHit >= 0) {
        if (block->touchListHit != block->menuChoice && !block->menuChoiceMoving) {
            block->menuChoice = block->touchListHit;
            block->menuChoiceMoving = 1;
        }
        if (block->touchReleased) {
            block->questionTouched = 1;
        }
    }
    const bool confirmed = (isKeyPressed(kKeyFire) && !block->menuChoiceMoving) ||
                           (block->questionTouched && !block->menuChoiceMoving);
    if (!confirmed) {
        return;
    }
    block->questionTouched = 0;
    if (block->touchListHit >= 0) {
        block->menuChoice = block->touchListHit;
        block->touchListHit = -1;
    }
    block->soundEnabled = block->menuChoice == 0 ? 1 : 0;
    block->soundVolumeStep = block->soundEnabled ? kAllSound : kNoSound;
    setTopState(kTopStateTitle);
    playSound(kQuestionSound);
}

// The work of the current top-level state; values outside 1..9 do nothing.
void runTopState() {
    switch (statics()->topState) {
    case kTopStateLoading:
        updateLoading();
        break;
    case kTopStateMenus:
        updateMenu();
        if (!runtime::exceptionPending()) {
            ++statics()->menuFrames;
        }
        break;
    case kTopStateMatch:
        updateMatchFrame();
        break;
    case kTopStateSecondLoading:
        updateSecondLoading();
        break;
    case kTopStateMatchStart:
        updateMatchStart();
        break;
    case kTopStateTitle:
        updateTitle();
        break;
    case kTopStateQuestion:
        updateQuestion();
        break;
    default:
        break;
    }
}

// End of frame: the touch repeat counter advances and wraps after its period.
void advanceTouchRepeat(GameStatics* block) {
    ++block->touchRepeatCounter;
    const jint period = block->touchRepeatCount <= block->touchRepeatSwitch ? block->touchRepeatFirstDelay
                                                                            : block->touchRepeatDelay;
    if (block->touchRepeatCounter > period) {
        block->touchRepeatCounter = 0;
    }
}

} // namespace

} // namespace game::framework

namespace game {

void Device::paint(runtime::Object* const graphics) {
    auto* screen = graphics != nullptr && graphics->classId == runtime::kGraphics
                       ? static_cast<profile::Graphics*>(graphics)
                       : nullptr;
    GameStatics* block = statics();
    const runtime::jlong now = runtime::System::currentTimeMillis();
    // The host repainting from inside a frame gets nothing.
    if (block->inPaint) {
        return;
    }
    block->frameStartTime = now;
    block->currentGraphics = block->backBufferGraphics;
    block->inPaint = 1;
    core::updateKeys();
    framework::runTopState();
    // An exception no step caught ends the frame here and goes to the host; the guard is
    // cleared on this path too, so the next frame runs.
    if (runtime::exceptionPending()) {
        block->inPaint = 0;
        return;
    }
    if (block->topState == core::kTopStateBlank) {
        core::clearScreen(framework::kBlack);
    }
    ++block->framesInState;
    framework::stepIdleAnimation();
    block->inPaint = 0;
    if (screen != nullptr && block->backBufferImage != nullptr) {
        screen->drawImage(block->backBufferImage, 0, 0, framework::kAnchorTopLeft);
    }
    framework::advanceTouchRepeat(block);
    // A press or a release is seen by exactly one frame.
    block->resumeRedraw = 0;
    block->touchPressedNow = 0;
    block->touchReleased = 0;
    runtime::System::gc();
}

} // namespace game
