// Menu states: the menu frame's dispatch, common parts and repaint bookkeeping, and the entry
// work of setMenuState (history of selections, resets, entry sounds).
#include "game/framework/MenuStates.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "game/core/TopStates.h"
#include "game/sprites/ASprite.h"
#include "runtime/Hashtable.h"
#include "tests/game/support/FrameFixture.h"

namespace game::framework {
using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::jint;
using Calls = std::vector<std::string>;

using menu_state::kHome;
using menu_state::kInbox;
using menu_state::kMessages;

class MenuStatesTest : public testing::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        block()->menuHistory = runtime::newObject<runtime::java_util_Hashtable>();
        block()->topState = kTopStateMenus;
        block()->historyPending = -1;
        neighbours.log.take();
    }
    // The common parts updateMenu painted.
    Calls commonParts() { return neighbours.log.take({"paintMenuHeader", "paintSoftKeys"}); }
    // Leaves the current screen for state with select (the left soft key or fire) or with back.
    void leaveWithSelect(const jint state) {
        block()->leftSoftKeyTaken = 1;
        setMenuState(state);
    }
    void leaveWithBack(const jint state) {
        block()->rightSoftKeyTaken = 1;
        setMenuState(state);
    }
};

TEST_F(MenuStatesTest, EachFamilyRunsItsHandlerAndFrameIndex) {
    struct Case {
        jint state;
        const char* handler; // null: the family has none
        jint index;
    };
    const Case cases[] = {
        {0x21, "updateMainMenu", 0},
        {0x45, "updateNewGameMenu", 1},
        {0x86, "updateMenu128", 2},
        {0x109, "updateMenu256", 3},
        {0x201, "updateMenu512", 4},
        {0x406, "updateMenu1024", 5},
        {0x800, "updateMenu2048", 6},
        {0x1003, "updateMenu4096", 7},
        {0x2000, "updateMenu8192", 8},
        {0x4001, "updateMenu16384", 9},
        {0x10000, "updateMenu65536", 11},
        {0x20002, "updateMenu131072", 12},
        {0x40000, nullptr, 13},
        {0x80001, "updateMenu524288", 14},
        {0x100006, "updateSquadMenu", 15},
        {0x200000, nullptr, 16},
        {0x400003, "updateMenu4194304", 17},
        {0x800004, "updateMatchDayMenu", 18},
    };
    for (const Case& c : cases) {
        block()->menuState = c.state;
        updateMenu();
        const Calls calls = neighbours.log.take();
        const std::string sub = std::to_string(c.state & 31);
        Calls expected;
        if (c.handler != nullptr) {
            expected.push_back(c.handler);
        }
        expected.push_back("paintMenuHeader " + std::to_string(c.index) + "," + sub);
        expected.push_back("paintSoftKeys " + std::to_string(c.index) + "," + sub);
        EXPECT_EQ(calls, expected) << std::hex << c.state;
    }
}

TEST_F(MenuStatesTest, TheMainMenuThePromotionScreenAndNoScreenSkipTheCommonParts) {
    struct Case {
        const char* name;
        jint state;
        jint previous;
        jint topState;
        Calls parts;
    };
    const Case cases[] = {
        {"main menu", 32, 0, kTopStateMenus, {"paintSoftKeys 0,0"}},
        {"main menu from the promotion screen", 32, 38, kTopStateMenus, {"paintSoftKeys 0,0"}},
        {"main menu from the promotion screen while loading", 32, 38, kTopStateSecondLoading, {}},
        {"promotion screen", 38, 32, kTopStateMenus, {}},
        {"no screen", 0, 32, kTopStateMenus, {"paintSoftKeys 0,0"}},
        {"another screen", 33, 32, kTopStateMenus, {"paintMenuHeader 0,1", "paintSoftKeys 0,1"}},
    };
    for (const Case& c : cases) {
        block()->menuState = c.state;
        block()->previousMenuState = c.previous;
        block()->topState = c.topState;
        updateMenu();
        EXPECT_EQ(commonParts(), c.parts) << c.name;
    }
}

TEST_F(MenuStatesTest, AStateEnteredByTheHandlerHasItsCommonPartsDrawnInTheSameFrame) {
    block()->menuState = 33;
    neighbours.log.on("updateMainMenu", [] { setMenuState(0x100006); });
    updateMenu();
    EXPECT_EQ(commonParts(), (Calls{"paintMenuHeader 15,6", "paintSoftKeys 15,6"}));
    EXPECT_EQ(block()->menuState, 0x100006);
}

TEST_F(MenuStatesTest, TheMenuFrameNotesWhetherAMessageBoxWasPainted) {
    block()->menuState = 0x86;
    block()->menuAux1 = 4;
    block()->menuAux2 = 5;
    block()->menuHandled = 1;
    updateMenu();
    EXPECT_EQ(block()->menuAux1, 0);
    EXPECT_EQ(block()->menuAux2, 0);
    EXPECT_TRUE(block()->menuDrawn) << "no message box painted this frame";
    neighbours.log.on("updateMenu128", [] { statics()->menuHandled = 1; });
    updateMenu();
    EXPECT_FALSE(block()->menuDrawn);
}

TEST_F(MenuStatesTest, RepaintBookkeeping) {
    struct Case {
        const char* name;
        jint state;
        bool repaintSkip;
        bool keyPressed;
        jint pointerX;
        bool repaint; // menuRepaint afterwards
        bool redraw;  // redrawAll afterwards
    };
    const Case cases[] = {
        {"a screen asks for a full repaint", 0x86, false, false, 0, false, true},
        {"the entry frame skips the step", 0x86, true, false, 0, true, false},
        {"the main menu", 32, false, false, 0, false, false},
        {"family 0x100 repaints itself", 0x101, false, false, 0, false, false},
        {"family 0x200", 0x203, false, false, 0, false, false},
        {"the match day family", 0x800001, false, false, 0, false, false},
        {"a key", 32, false, true, 0, false, true},
        {"a held touch", 0x101, false, false, 12, false, true},
    };
    for (const Case& c : cases) {
        block()->menuState = c.state;
        block()->menuRepaint = 0;
        block()->menuRepaintSkip = c.repaintSkip;
        block()->redrawAll = 0;
        block()->pressedKeys = c.keyPressed ? kKeyUp : 0;
        block()->pointerPressX = c.pointerX;
        updateMenu();
        EXPECT_EQ(block()->menuRepaint != 0, c.repaint) << c.name;
        EXPECT_EQ(block()->redrawAll != 0, c.redraw) << c.name;
        EXPECT_FALSE(block()->menuRepaintSkip) << c.name;
    }
}

TEST_F(MenuStatesTest, ASelectionLeftWithSelectComesBackWithBack) {
    block()->menuState = 0x404;
    block()->menuSelection = 3;
    leaveWithSelect(kMessages);
    EXPECT_FALSE(block()->leftSoftKeyTaken);
    EXPECT_EQ(block()->menuSelection, 0) << "a screen entered with select starts at 0";
    block()->menuSelection = 6;
    leaveWithBack(0x404);
    EXPECT_EQ(block()->menuSelection, 3);
    EXPECT_FALSE(block()->rightSoftKeyTaken);
    // Back to a screen that was never left with select starts at 0 (1 on the home screen).
    leaveWithBack(0x407);
    EXPECT_EQ(block()->menuSelection, 0);
    leaveWithBack(kHome);
    EXPECT_EQ(block()->menuSelection, 1);
    // Entering without back starts at the default even when a selection is remembered.
    setMenuState(0x404);
    EXPECT_EQ(block()->menuSelection, 0);
}

TEST_F(MenuStatesTest, WhatIsRememberedAndWhen) {
    struct Case {
        const char* name;
        bool select;
        jint touchListHit;
        bool touchReleased;
        jint historyPending;
        bool remembered;
    };
    const Case cases[] = {
        {"select", true, -1, false, -1, true},
        {"a touch released on a list row", false, 2, true, -1, true},
        {"a touch released on the first row", false, 0, true, -1, false},
        {"a touch held on a list row", false, 2, false, -1, false},
        {"a screen asked for it", false, -1, false, 0, true},
        {"back or anything else", false, -1, false, -1, false},
    };
    for (const Case& c : cases) {
        block()->menuHistory = runtime::newObject<runtime::java_util_Hashtable>();
        block()->menuState = 0x205;
        block()->menuSelection = 4;
        block()->leftSoftKeyTaken = c.select;
        block()->touchListHit = c.touchListHit;
        block()->touchReleased = c.touchReleased;
        block()->historyPending = c.historyPending;
        setMenuState(0x206);
        EXPECT_EQ(block()->historyPending, -1) << c.name;
        leaveWithBack(0x205);
        EXPECT_EQ(block()->menuSelection, c.remembered ? 4 : 0) << c.name;
    }
}

TEST_F(MenuStatesTest, TheHomeScreenRestoresAnEntryFromOneToNine) {
    // Left with 0 when the day closed from the home screen reset the list selection.
    for (const auto& [left, restored] : {std::pair{12, 9}, std::pair{0, 1}, std::pair{-1, 1}, std::pair{5, 5}}) {
        block()->menuState = kHome;
        block()->menuSelection = left;
        leaveWithSelect(0x88);
        leaveWithBack(kHome);
        EXPECT_EQ(block()->menuSelection, restored) << left;
    }
}

TEST_F(MenuStatesTest, BackFromSquadScreenSixIntoTenSplitsTheRowIntoPages) {
    block()->menuState = 0x10000A;
    block()->menuSelection = 2;
    leaveWithSelect(0x100006);
    block()->selectedRow = 30;
    block()->rowScroll = 0;
    leaveWithBack(0x10000A);
    EXPECT_EQ(block()->rowScroll, 26);
    EXPECT_EQ(block()->menuSelection, 4);
    EXPECT_EQ(block()->selectedRow, 30) << "kept on leaving screen 6";
}

TEST_F(MenuStatesTest, ReenteringTheResultPagesChangesNothingPastTheFirstResets) {
    block()->menuState = 0x109;
    block()->previousMenuState = 0x100;
    block()->menuFrames = 12;
    block()->menuSelection = 3;
    block()->framesInState = 9;
    block()->keyRepeatEnabled = 1;
    block()->redrawAll = 0;
    setMenuState(0x109);
    EXPECT_EQ(block()->menuFrames, 12);
    EXPECT_EQ(block()->menuSelection, 3);
    EXPECT_EQ(block()->framesInState, 9);
    EXPECT_EQ(block()->previousMenuState, 0x100);
    EXPECT_TRUE(neighbours.log.take().empty()) << "no preparation, no sound";
    // The first resets still run.
    EXPECT_FALSE(block()->keyRepeatEnabled);
    EXPECT_TRUE(block()->redrawAll);
}

TEST_F(MenuStatesTest, LeavingSquadScreenSixKeepsThePreviousState) {
    block()->menuState = 0x100004;
    setMenuState(0x100006);
    EXPECT_EQ(block()->previousMenuState, 0x100004);
    setMenuState(0x100007);
    EXPECT_EQ(block()->previousMenuState, 0x100004);
    EXPECT_EQ(block()->menuStateBefore, 0x100006);
    setMenuState(0x100008);
    EXPECT_EQ(block()->previousMenuState, 0x100007);
}

TEST_F(MenuStatesTest, EntrySounds) {
    struct Case {
        const char* name;
        jint from;
        jint to;
        Calls sounds;
    };
    const Case cases[] = {
        {"inbox from home", kHome, kInbox, {"playSound 19"}},
        {"messages from home", kHome, kMessages, {"playSound 19"}},
        {"messages from elsewhere", 0x405, kMessages, {}},
        {"home", 0x88, kHome, {"playSound 17"}},
        {"home again", kHome, kHome, {"playSound 17"}},
        {"into family 0x100", 0x86, 0x101, {"playSound 20"}},
        {"within family 0x100", 0x101, 0x102, {}},
        {"the result pages", 0x86, 0x109, {}},
        {"into another family", 0x101, 0x201, {}},
    };
    for (const Case& c : cases) {
        block()->menuState = c.from;
        setMenuState(c.to);
        EXPECT_EQ(neighbours.log.take({"playSound"}), c.sounds) << c.name;
    }
}

TEST_F(MenuStatesTest, EnteringTheInboxResetsItsLists) {
    block()->menuState = 0x405;
    block()->entryFlags[0] = block()->entryFlags[1] = block()->entryFlags[2] = 1;
    block()->listMarkers[0] = 3;
    block()->listFlags[0] = 0;
    block()->inboxScreenCounter = 5;
    setMenuState(kInbox);
    EXPECT_FALSE(block()->entryFlags[0] || block()->entryFlags[1] || block()->entryFlags[2]);
    EXPECT_EQ(block()->listMarkers[0], -1);
    EXPECT_EQ(block()->listMarkers[1], -1);
    EXPECT_TRUE(block()->listFlags[0] && block()->listFlags[1]);
    EXPECT_EQ(block()->inboxScreenCounter, 0);
}

TEST_F(MenuStatesTest, TwoStatesClearTheKeys) {
    for (const jint state : {34, 0x40C, 35}) {
        block()->heldKeys = kKeyFire;
        block()->frameKeys = kKeyFire;
        setMenuState(state);
        EXPECT_EQ(block()->heldKeys == 0, state != 35) << state;
    }
}

TEST_F(MenuStatesTest, TheTitleSpriteGoesWhenTheMainMenuIsLeftForAScreenOutsideItsGroup) {
    struct Case {
        jint from;
        jint to;
        bool kept;
    };
    const Case cases[] = {{32, 38, true}, {32, 64, true}, {32, 65, false}, {32, 37, false}, {33, 70, true}};
    for (const Case& c : cases) {
        block()->titleSprite = runtime::newObject<sprites::ASprite>();
        block()->menuState = c.from;
        setMenuState(c.to);
        EXPECT_EQ(block()->titleSprite != nullptr, c.kept) << c.from << " -> " << c.to;
    }
}

TEST_F(MenuStatesTest, TheSelectedRowIsKeptOnlyAroundTheListScreens) {
    struct Case {
        jint from;
        jint to;
        bool kept;
    };
    const Case cases[] = {{0x100006, 0x100007, true}, {0x100008, 0x100006, true},
                          {0x20000, 0x20001, true},   {0x20003, 0x20002, true},
                          {0x100016, 0x86, true},     {0x100007, 0x100008, false}};
    for (const Case& c : cases) {
        block()->menuState = c.from;
        block()->selectedRow = 17;
        block()->rowOffset = 11;
        setMenuState(c.to);
        EXPECT_EQ(block()->selectedRow, c.kept ? 17 : 0) << std::hex << c.from << " -> " << c.to;
        EXPECT_EQ(block()->rowOffset, c.kept ? 11 : 0) << std::hex << c.from << " -> " << c.to;
    }
}

TEST_F(MenuStatesTest, TheRowScrollIsKeptBackFromTheSquadPagesAndIntoTheirLists) {
    struct Case {
        jint from;
        jint to;
        bool kept;
    };
    const Case cases[] = {{0x100004, 0x100005, true},
                          {0x10000A, 0x100005, true},
                          {0x100003, 0x100009, true},
                          {0x100003, 0x10000A, true},
                          {0x100003, 0x100005, false}};
    for (const Case& c : cases) {
        block()->menuState = c.from;
        block()->rowScroll = 26;
        setMenuState(c.to);
        EXPECT_EQ(block()->rowScroll, c.kept ? 26 : 0) << std::hex << c.from << " -> " << c.to;
    }
}

TEST_F(MenuStatesTest, EveryEntryResetsTheScreenAndRunsItsPreparation) {
    block()->menuState = 0x201;
    block()->menuFrames = 30;
    block()->framesInState = 40;
    block()->subScreenMode = 2;
    block()->listMode = 3;
    block()->digitKeysMode = 1;
    block()->replayCounter = 7;
    block()->keyEntryFlag = 0;
    block()->scrollMarker = 4;
    block()->listAnchor = 2;
    block()->menuRepaint = 0;
    block()->overlayFlags = runtime::newBoolArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*block()->overlayFlags)[i] = 1;
    }
    block()->seasonRow = 9;
    block()->popupAnchor = 4;
    now = 5555;
    setMenuState(0x202);
    // The screen's own preparation and the closing block ran last.
    EXPECT_EQ(neighbours.log.take(), Calls{});
    EXPECT_EQ(block()->selectedRow, 3);
    EXPECT_EQ(block()->popupAnchor, -1);
    EXPECT_EQ(block()->menuState, 0x202);
    EXPECT_EQ(block()->previousMenuState, 0x201);
    EXPECT_EQ(block()->menuStateBefore, 0x201);
    EXPECT_EQ(block()->menuEntryTime, 5555);
    EXPECT_EQ(block()->menuFrames, 0);
    EXPECT_EQ(block()->framesInState, 0);
    EXPECT_EQ(block()->subScreenMode, 0);
    EXPECT_EQ(block()->listMode, 0);
    EXPECT_FALSE(block()->digitKeysMode);
    EXPECT_EQ(block()->replayCounter, 0);
    EXPECT_TRUE(block()->keyEntryFlag);
    EXPECT_EQ(block()->scrollMarker, -1);
    EXPECT_EQ(block()->listAnchor, -1);
    EXPECT_TRUE(block()->menuRepaint);
    EXPECT_TRUE(block()->menuRepaintSkip);
    EXPECT_TRUE(block()->redrawAll);
    EXPECT_FALSE((*block()->overlayFlags)[0] || (*block()->overlayFlags)[1]);
    EXPECT_TRUE((*block()->overlayFlags)[2] && (*block()->overlayFlags)[3]);
}

TEST_F(MenuStatesTest, EnteringTheMainMenuClearsItsSlots) {
    block()->mainMenuSlots = runtime::newShortArray(4);
    block()->mainMenuPending = 1;
    setMenuState(32);
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*block()->mainMenuSlots)[i], -1);
    }
    EXPECT_FALSE(block()->mainMenuPending);
}

TEST_F(MenuStatesTest, APendingStateIsEnteredOnceAndSetsTheStatusFlagUntilThen) {
    block()->menuState = 0x86;
    EXPECT_TRUE(isStatusFlagClear());
    EXPECT_FALSE(applyPendingMenuState());
    block()->pendingMenuState = 0x88;
    block()->pendingMenuParam = 1;
    EXPECT_FALSE(isStatusFlagClear());
    EXPECT_TRUE(applyPendingMenuState());
    EXPECT_TRUE(isStatusFlagClear());
    EXPECT_EQ(block()->menuState, 0x88);
    EXPECT_EQ(block()->pendingMenuState, 0);
    EXPECT_EQ(block()->pendingMenuParam, 0);
    EXPECT_FALSE(applyPendingMenuState());
}

TEST_F(MenuStatesTest, TheMenusAreTopLevelStateTwo) {
    for (jint state = 0; state <= 9; ++state) {
        block()->topState = state;
        EXPECT_EQ(isMenuState(), state == 2) << state;
    }
}

} // namespace
} // namespace game::framework
