// The player actions menu and its result screen on the menu bench: the result screen's exits
// (release, the season list's removal with a stale index, the pending return, the squad table or
// the team menu), the action list's lock and question texts, row 1 switched on and off, the
// release refused for a squad of 16, and the second list's monthly counter held at its ceiling.
#include "game/screens/menus/PlayerActionsMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/interim/InterimMenuServices.h"
#include "game/screens/menus/PlayerActionResult.h"
#include "tests/game/support/MenuBench.h"

namespace game::menus {
namespace {

using testing::MenuBench;

constexpr jint kPlayerActionsState = 0x20000;
constexpr jint kSecondListState = 0x20001;
constexpr jint kPlayerResultState = 0x20003;
constexpr jint kActionsPlayer = 61;

class PlayerActionsMenuTest : public MenuBench {
protected:
    void SetUp() override {
        MenuBench::SetUp();
        block()->chosenPlayer = kActionsPlayer;
        auto* rows = runtime::newByteArray(30);
        for (jint i = 0; i < 30; ++i) {
            (*rows)[i] = static_cast<runtime::jbyte>(i);
        }
        (*block()->lineupAtKickOff)[0] = rows;
        block()->selectedRow = 1; // squad slot 1 holds player 61
        (*block()->matchSquadCount)[0] = 20;
    }
    // The texts of the message boxes painted since the last call.
    std::vector<std::string> boxes() {
        std::vector<std::string> texts;
        for (const std::string& call : neighbours.log.take()) {
            if (call.rfind("paintMessageBox ", 0) == 0) {
                texts.push_back(call.substr(16, call.rfind(' ') - 16));
            }
        }
        return texts;
    }
    static std::string textOfId(const jint id) { return text(core::getText(id)); }

    interim::InterimMenuServices handlers;
    runtime::ScopedService<core::MenuServices> handlersScope{&core::installMenuServices, handlers};
};

TEST_F(PlayerActionsMenuTest, ResultScreenLeavesByWhereItStands) {
    GameStatics* const s = block();
    struct Case {
        const char* name;
        jint state, action, previous, pending;
        jint expected;
    };
    const Case cases[] = {
        {"a release always leads to 1037", 74, 4, 0, 0, 1037},
        {"a pending return wins", 131075, 0, 1048584, 1033, 1033},
        {"from the squad's offer screen", 131075, 0, 1048584, 0, 1048586},
        {"otherwise the team menu", 131075, 1, 134, 0, 513},
    };
    for (const Case& c : cases) {
        s->menuState = c.state;
        s->lastPlayerAction = c.action;
        s->previousMenuState = c.previous;
        s->pendingMenuState = c.pending;
        s->squadOverlayActive = 1;
        keys(4096);
        showPlayerActionResult();
        EXPECT_EQ(s->menuState, c.expected) << c.name;
        EXPECT_EQ(s->pendingMenuState, 0) << c.name;
        EXPECT_EQ(s->squadOverlayActive, c.pending != 0 && c.action != 4 ? 0 : 1) << c.name;
    }
    // Without the right soft key nothing changes.
    s->menuState = 131075;
    noInput();
    showPlayerActionResult();
    EXPECT_EQ(s->menuState, 131075);
}

TEST_F(PlayerActionsMenuTest, SeasonListRemovesOnlyAPlayerInsideTheList) {
    GameStatics* const s = block();
    struct Case {
        const char* name;
        std::vector<jint> list;
        jint index, selection;
        std::vector<jint> left;
        jint state, selectionAfter;
    };
    const Case cases[] = {
        {"the last player: list empty, messages", {70}, 0, 0, {}, 133, 0},
        {"more players: the list, one row up", {70, 71, 72}, 1, 2, {70, 72}, 72, 1},
        {"index past the end: nothing removed", {70, 71}, 2, 0, {70, 71}, 72, 0},
        {"index -1: nothing removed", {70, 71}, -1, 0, {70, 71}, 72, 0},
        {"empty list: count stays 0", {}, 0, 0, {}, 133, 0},
    };
    for (const Case& c : cases) {
        for (jint i = 0; i < static_cast<jint>(c.list.size()); ++i) {
            (*s->squadList)[i] = c.list[i];
        }
        s->squadListCount = static_cast<jint>(c.list.size());
        s->squadListChosenIndex = c.index;
        s->lastPlayerAction = 0;
        s->menuState = 74;
        s->squadViewMode = 1;
        keys(4096);
        showPlayerActionResult();
        // The entry of the new state restores its selection; the screen lowers the one it finds.
        EXPECT_EQ(squadList(), c.left) << c.name;
        EXPECT_EQ(s->menuState, c.state) << c.name;
        EXPECT_EQ(s->squadViewMode, 0) << c.name;
        EXPECT_GE(s->squadListCount, 0) << c.name;
    }
}

TEST_F(PlayerActionsMenuTest, LockedRecordKeepsTheHighlightOnRowZero) {
    GameStatics* const s = block();
    playerByte(kActionsPlayer, 31) = 8;
    enter(134, kPlayerActionsState);
    s->menuSelection = 0;
    keys(16);
    frame();
    EXPECT_EQ(s->menuSelection, 0);
    // The only row left chooses the second list.
    keys(8448);
    frame();
    EXPECT_EQ(s->menuState, kSecondListState);
}

TEST_F(PlayerActionsMenuTest, RowOneSwitchesOnThenOff) {
    GameStatics* const s = block();
    enter(134, kPlayerActionsState);
    for (const jint expected : {0x91, 0x00}) {
        s->menuSelection = 1;
        keys(8448);
        frame();
        ASSERT_EQ(s->popupActive, 1);
        s->menuChoice = 0;
        keys(8448);
        frame();
        EXPECT_EQ(s->popupActive, 0);
        EXPECT_EQ(s->menuChoice, 1);
        EXPECT_EQ(playerByte(kActionsPlayer, 31) & 0xFF, expected);
    }
}

TEST_F(PlayerActionsMenuTest, ReleaseOfOneOfSixteenIsRefused) {
    GameStatics* const s = block();
    (*s->matchSquadCount)[0] = 16;
    enter(134, kPlayerActionsState);
    s->menuSelection = 3;
    keys(8448);
    frame();
    ASSERT_EQ(s->popupActive, 1);
    neighbours.log.take();
    noInput();
    frame();
    EXPECT_EQ(boxes(), std::vector<std::string>{textOfId(713)});
    keys(8448);
    frame();
    EXPECT_EQ(s->popupActive, 0);
    EXPECT_EQ(s->menuState, kPlayerActionsState);
    EXPECT_NE(s->teamRecords, nullptr);
}

TEST_F(PlayerActionsMenuTest, SecondListCountsEveryUseAndStopsAtItsCeiling) {
    GameStatics* const s = block();
    struct Case {
        jint counterBefore, counterAfter;
        bool changes;
    };
    const Case cases[] = {{0, 1, true}, {7, 8, true}, {8, 9, false}, {126, 127, false}, {127, 127, false}};
    for (const Case& c : cases) {
        playerByte(kActionsPlayer, 15) = 40;
        (*s->selectionTable)[772] = static_cast<runtime::jbyte>(c.counterBefore);
        enter(kPlayerActionsState, kSecondListState);
        s->menuSelection = 2;
        s->actionDone = 0;
        keys(8448);
        frame();
        EXPECT_EQ((*s->selectionTable)[772], c.counterAfter) << c.counterBefore;
        EXPECT_EQ(s->actionDone, 1) << c.counterBefore;
        EXPECT_EQ(s->lastPlayerAction, 2) << c.counterBefore;
        EXPECT_EQ(s->menuState, kPlayerResultState) << c.counterBefore;
        EXPECT_EQ(playerByte(kActionsPlayer, 15), c.changes ? 99 : 40) << c.counterBefore;
    }
}

TEST_F(PlayerActionsMenuTest, SetPlayerLevelLowersOnlyLevelsOneToFour) {
    for (const jint level : {0, 1, 4, 5, 15}) {
        playerByte(kActionsPlayer, 14) = static_cast<runtime::jbyte>(level << 4 | 3);
        setPlayerLevel(level, kActionsPlayer * 37 + 14);
        const jint expected = level >= 1 && level <= 4 ? level - 1 : level;
        EXPECT_EQ(playerByte(kActionsPlayer, 14) & 0xFF, (expected << 4 | 3) & 0xFF) << level;
    }
}

} // namespace
} // namespace game::menus
