// Menu-state switching (see MenuStates.h).
#include "game/framework/MenuStates.h"

#include <cstdint>
#include <initializer_list>

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/Sound.h"
#include "game/core/TopStates.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MenuServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/framework/FrameRoutines.h"
#include "game/framework/MenuEntry.h"
#include "game/sprites/ASprite.h"
#include "profile/Graphics.h"
#include "runtime/Exceptions.h"
#include "runtime/Hashtable.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "runtime/System.h"

namespace game::framework {

using namespace game::sprites;
using namespace game::core;

namespace {

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;

constexpr jint kSubScreenBits = 31;

// The menu families and their handlers. Families 0x40000 and 0x200000 have none: their states
// draw only the common parts.
struct Family {
    jint bit;
    void (MenuServices::*handler)();
};
constexpr Family kFamilies[] = {
    {0x20, &MenuServices::updateMainMenu},        {0x40, &MenuServices::updateNewGameMenu},
    {0x80, &MenuServices::updateMenu128},         {0x100, &MenuServices::updateMenu256},
    {0x200, &MenuServices::updateMenu512},        {0x400, &MenuServices::updateMenu1024},
    {0x800, &MenuServices::updateMenu2048},       {0x1000, &MenuServices::updateMenu4096},
    {0x2000, &MenuServices::updateMenu8192},      {0x4000, &MenuServices::updateMenu16384},
    {0x10000, &MenuServices::updateMenu65536},    {0x20000, &MenuServices::updateMenu131072},
    {0x80000, &MenuServices::updateMenu524288},   {0x100000, &MenuServices::updateSquadMenu},
    {0x400000, &MenuServices::updateMenu4194304}, {0x800000, &MenuServices::updateMatchDayMenu},
};
// The family bits the frame-index step looks at: 5 below 0x100, 8 below 0x10000, 16 above.
constexpr std::uint32_t kFirstMiddleFamily = 0x100;
constexpr std::uint32_t kFirstHighFamily = 0x10000;
constexpr jint kLowWidth = 5;
constexpr jint kMiddleWidth = 8;
constexpr jint kHighWidth = 16;

// Menu states with a part in the entry work.
using namespace menu_state;
constexpr jint kFirstTitleScreen = 38; // the title sprite stays while the main menu goes to 38..64
constexpr jint kLastTitleScreen = 64;
constexpr jint kKeysClearedA = 34;
constexpr jint kKeysClearedB = 0x40C;
constexpr jint kSquadSubScreen6 = 0x100006;
constexpr jint kSquadSubScreen9 = 0x100009;
constexpr jint kSquadSubScreen10 = 0x10000A;
constexpr jint kSquadSubScreen22 = 0x100016;
constexpr jint kFamily131072Screen0 = 0x20000;
constexpr jint kFamily131072Screen2 = 0x20002;
// Families that repaint fully on every frame, so they do not ask for it.
constexpr jint kTeamFamily = 0x100;
constexpr jint kStaffFamily = 0x200;
constexpr jint kMatchDayFamily = 0x800000;
// The family whose entry plays sound 20.
constexpr jint kHubFamily = 0x100;

// Entry sounds.
constexpr jint kInboxFromHomeSound = 19;
constexpr jint kHomeSound = 17;
constexpr jint kHubSound = 20;

// Restored selections: at most 9 on the home screen; pages of 13 rows in the squad lists.
constexpr jint kHomeSelectionCap = 9;
constexpr jint kRowsPerPage = 13;
constexpr jint kHomeDefaultSelection = 1;
constexpr jint kNoHistory = -1;

jint familyOf(const jint state) {
    return state & ~kSubScreenBits;
}

jint frameIndexOf(const jint family) {
    const auto bits = static_cast<std::uint32_t>(family);
    const jint width = bits < kFirstMiddleFamily ? kLowWidth
                       : bits < kFirstHighFamily ? kMiddleWidth
                                                 : kHighWidth;
    return familyIndex(family, width);
}

void runFamilyHandler(const jint family) {
    for (const Family& candidate : kFamilies) {
        if (candidate.bit == family) {
            (menuServices().*candidate.handler)();
            return;
        }
    }
}

void fill(runtime::ShortArray* list, const runtime::jshort value) {
    if (list == nullptr) {
        return;
    }
    for (jint i = 0; i < list->length; ++i) {
        (*list)[i] = value;
    }
}

// Remembers the selection of the screen being left in menuHistory, when it was left with select
// (a key or a touch released on a list row) or a screen asked for it.
void rememberSelection(GameStatics* block) {
    const bool select = block->leftSoftKeyTaken || (block->touchListHit > 0 && block->touchReleased);
    if (select || block->historyPending == 0) {
        if (runtime::java_util_Hashtable* history = block->menuHistory) {
            auto* key = runtime::newObject<runtime::java_lang_Integer>(block->menuState);
            auto* value = runtime::newObject<runtime::java_lang_Integer>(block->menuSelection);
            history->put(key, value);
        }
        block->leftSoftKeyTaken = 0;
    }
    block->historyPending = kNoHistory;
}

// The selection remembered for state, or -1 when there is none.
jint rememberedSelection(GameStatics* block, const jint state) {
    runtime::java_util_Hashtable* history = block->menuHistory;
    if (history == nullptr) {
        return -1;
    }
    runtime::Object* found = history->findValue(runtime::newObject<runtime::java_lang_Integer>(state));
    if (found == nullptr || found->classId != runtime::kInteger) {
        return -1;
    }
    return static_cast<runtime::java_lang_Integer*>(found)->value;
}

void playEntrySound(GameStatics* block, const jint state) {
    if (state == kInbox || state == kMessages) {
        block->touchScroll = 0;
        block->listMarkers[0] = -1;
        block->listMarkers[1] = -1;
        block->listFlags[0] = 1;
        block->listFlags[1] = 1;
        block->listBusy = 0;
        if (block->previousMenuState == kHome) {
            playSound(kInboxFromHomeSound);
        }
        return;
    }
    if (state == kHome) {
        playSound(kHomeSound);
        return;
    }
    if (familyOf(state) != familyOf(block->menuState) && state != kResultPages &&
        familyOf(state) == kHubFamily) {
        playSound(kHubSound);
    }
}

// Entered with back: the selection left there with select, if any. From the squad list's
// sub-screen 6 into 10, the kept selectedRow is split into a page and a row on it.
void restoreSelection(GameStatics* block, const jint state) {
    const jint fallback = state == kHome ? kHomeDefaultSelection : 0;
    if (!block->rightSoftKeyTaken) {
        block->menuSelection = fallback;
        return;
    }
    block->rightSoftKeyTaken = 0;
    const jint remembered = rememberedSelection(block, state);
    if (remembered < 0) {
        block->menuSelection = fallback;
        return;
    }
    block->menuSelection = remembered;
    if (state == kHome) {
        // The home screen has no entry 0: a selection cleared while it was being left (the day
        // closed from the home screen resets the list selection) comes back as the default.
        block->menuSelection = remembered < kHomeDefaultSelection ? kHomeDefaultSelection
                               : remembered > kHomeSelectionCap  ? kHomeSelectionCap
                                                                 : remembered;
    }
    if (block->menuStateBefore == kSquadSubScreen6 && state == kSquadSubScreen10) {
        block->rowScroll = runtime::idiv(block->selectedRow, kRowsPerPage) * kRowsPerPage;
        block->menuSelection = runtime::irem(block->selectedRow, kRowsPerPage);
    }
}

void resetScreenFlags(GameStatics* block, const jint state) {
    block->secondSelection = 0;
    block->menuRepaint = 1;
    block->redrawAll = 1;
    block->scrollMarker = -1;
    block->listScrollFlags[0] = 0;
    block->listScrollFlags[1] = 0;
    block->popupFlags[0] = 0;
    block->popupFlags[1] = 0;
    block->dialogCounter = 0;
    block->framesInState = 0;
    block->subScreenMode = 0;
    if (runtime::BoolArray* overlays = block->overlayFlags) {
        for (jint i = 0; i < 2 && i < overlays->length; ++i) {
            (*overlays)[i] = 0;
        }
    }
    if (!isOneOf(block->previousMenuState, {kSquadSubScreen4, kSquadSubScreen10}) &&
        !isOneOf(state, {kSquadSubScreen9, kSquadSubScreen10})) {
        block->rowScroll = 0;
    }
    block->listMode = 0;
    block->listBusy = 0;
    block->digitKeysMode = 0;
    block->digitKeysCompanion = 0;
    block->keyEntryValue = 0;
    block->keyEntryFlag = 1;
    block->replayCounter = 0;
    if (state == kMessages || state == kInbox) {
        block->inboxScreenCounter = 0;
    }
}

} // namespace

void updateMenu() {
    GameStatics* block = statics();
    if (profile::Graphics* g = block->currentGraphics) {
        g->setClip(0, 0, kScreenWidth, kScreenHeight);
    }
    const jint entered = block->menuState;
    jint family = familyOf(entered);
    jint sub = entered & kSubScreenBits;
    block->menuAux1 = 0;
    block->menuAux2 = 0;
    block->menuHandled = 0;
    runFamilyHandler(family);
    if (runtime::exceptionPending()) {
        return;
    }
    jint index = frameIndexOf(family);
    block->menuDrawn = block->menuHandled ? 0 : 1;
    // A state entered by the handler gets its common parts drawn in this frame.
    const jint state = block->menuState;
    if (state != entered) {
        family = familyOf(state);
        sub = state & kSubScreenBits;
        index = frameIndexOf(family);
    }
    ManagementServices& screens = managementServices();
    if (state != kMainMenu && state != kPromotionScreen && state != 0) {
        screens.paintMenuHeader(index, sub);
    }
    const bool mainMenuAfterPromotion = state == kMainMenu && block->previousMenuState == kPromotionScreen &&
                                        block->topState == kTopStateSecondLoading;
    if (state != kPromotionScreen && !mainMenuAfterPromotion) {
        screens.paintSoftKeys(index, sub);
    }
    if (runtime::exceptionPending()) {
        return;
    }
    if (state != kMainMenu && family != kTeamFamily && family != kStaffFamily && family != kMatchDayFamily) {
        block->menuRepaint = 1;
    }
    if (block->menuRepaintSkip) {
        block->menuRepaintSkip = 0;
        return;
    }
    block->redrawAll = 0;
    if (block->menuRepaint) {
        block->menuRepaint = 0;
        block->redrawAll = 1;
    }
    if (anyKeyPressed() || block->pointerPressX > 0) {
        block->redrawAll = 1;
    }
}

void setMenuState(const jint state) {
    GameStatics* block = statics();
    if (state == kInbox || state == kMessages) {
        for (runtime::jboolean& flag : block->entryFlags) {
            flag = 0;
        }
    }
    if (state == kMainMenu) {
        block->mainMenuPending = 0;
        fill(block->mainMenuSlots, -1);
    }
    block->menuScratchFlags[0] = 0;
    block->menuScratchFlags[1] = 0;
    block->menuScratchValues[0] = 0;
    block->menuScratchValues[1] = 0;
    block->touchScroll = 0;
    block->listAnchor = -1;
    block->listAnchorOffset = 0;
    if (state == kKeysClearedA || state == kKeysClearedB) {
        clearKeys();
    }
    block->keyRepeatEnabled = 0;
    block->repeatDown = 0;
    block->repeatUp = 0;
    for (jint& field : block->screenWork) {
        field = 0;
    }
    block->redrawAll = 1;
    block->menuEntryTime = runtime::System::currentTimeMillis();
    if (state == kResultPages && block->menuState == kResultPages) {
        return;
    }

    if (block->menuState == kMainMenu && (state < kFirstTitleScreen || state > kLastTitleScreen) &&
        block->titleSprite != nullptr) {
        block->titleSprite->unload();
        block->titleSprite = nullptr;
    }
    block->menuRepaintSkip = 1;
    if (block->menuState != kSquadSubScreen6) {
        block->previousMenuState = block->menuState;
    }
    rememberSelection(block);
    playEntrySound(block, state);
    if (runtime::exceptionPending()) {
        return;
    }
    block->menuFrames = 0;
    const std::initializer_list<jint> rowKeepers = {kSquadSubScreen6, kFamily131072Screen0, kSquadSubScreen22,
                                                    kFamily131072Screen2};
    if (!isOneOf(block->menuState, rowKeepers) && !isOneOf(state, rowKeepers)) {
        block->selectedRow = 0;
        block->rowOffset = 0;
    }
    block->screenTimer = 0;
    block->menuStateBefore = block->menuState;
    block->menuState = state;
    restoreSelection(block, state);
    resetScreenFlags(block, state);
    prepareMenuScreen(state);
}

bool applyPendingMenuState() {
    GameStatics* block = statics();
    if (block->pendingMenuState == 0) {
        return false;
    }
    setMenuState(block->pendingMenuState);
    block->pendingMenuState = 0;
    block->pendingMenuParam = 0;
    return true;
}

runtime::jboolean isStatusFlagClear() {
    return statics()->pendingMenuState == 0 ? 1 : 0;
}

bool isMenuState() {
    return statics()->topState == kTopStateMenus;
}

namespace {

// The default menu-state switch: the routine above.
class MenuStateSwitch final : public core::MenuStateServices {
public:
    void setMenuState(const jint state) override { framework::setMenuState(state); }
    bool applyPendingMenuState() override { return framework::applyPendingMenuState(); }
};

} // namespace

} // namespace game::framework

namespace game::core {

MenuStateServices& menuStateServices() {
    return runtime::serviceSlot<MenuStateServices, framework::MenuStateSwitch>().get();
}

MenuStateServices* installMenuStateServices(MenuStateServices* const service) {
    return runtime::serviceSlot<MenuStateServices, framework::MenuStateSwitch>().install(service);
}

} // namespace game::core
