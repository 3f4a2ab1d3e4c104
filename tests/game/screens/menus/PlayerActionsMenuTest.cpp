// The player actions menu and its result screen on the menu bench: the result screen's exits
// (release, the season list's removal with a stale index, the pending return, the squad table or
// the team menu) and its two lines by result, done flag and counter; the action list's lock,
// notices and question texts, row 1 switched on and off, the release refused for a squad of 16,
// the substitute scoring of a release, the back key's reset of the team hub's squad screen, and
// the second list's monthly counter held at its ceiling; the profile page's rows in the pre-match
// line-up, the last-goalkeeper notice, the locked page, tab 1's actions and its limit notice.
#include "game/screens/menus/PlayerActionsMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/TextPackage.h"
#include "game/interim/InterimInformationScreenServices.h"
#include "game/interim/InterimMenuServices.h"
#include "game/screens/menus/PlayerActionResult.h"
#include "runtime/ConstantPool.h"
#include "tests/game/support/MenuBench.h"
#include "tests/game/support/TextFixture.h"

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

TEST_F(PlayerActionsMenuTest, ReleaseScoringPicksTheBestAvailableSubstitute) {
    GameStatics* const s = block();
    // The released starter stands in row 0 on a midfield slot (group 6, mask 0x40).
    auto* const team = static_cast<match::CTeam*>((*s->matchTeams)[0]);
    static_cast<match::CPlayer*>((*team->players)[0])->formationSlot = 7;
    struct Substitute {
        jint row, mask, rating, status;
    };
    struct Case {
        const char* name;
        std::vector<Substitute> subs;
        jint competition;  // nextMatchCompetition
        jint barredPlayer; // a club plan entry barring this player from it; -1 none
        jint expected;
    };
    const Case cases[] = {
        {"nobody scores: row 11", {}, 0, -1, 11},
        {"the same group doubles the score", {{12, 0x80, 99, 0}, {13, 0x40, 99, 0}}, 0, -1, 13},
        {"a line away halves it, still above nothing", {{12, 0x80, 99, 0}}, 0, -1, 12},
        {"a keeper mask scores nothing", {{12, 0x80, 60, 0}, {13, 0x01, 99, 0}}, 0, -1, 12},
        {"status 5 scores nothing", {{12, 0x80, 99, 0}, {13, 0x40, 99, 5}}, 0, -1, 12},
        {"status 4 still plays", {{12, 0x80, 99, 0}, {13, 0x40, 99, 4}}, 0, -1, 13},
        {"barred from the next match's competition", {{12, 0x80, 99, 0}, {13, 0x40, 99, 0}}, 2, 73, 12},
        {"the bar counts only for competitions 1..3", {{12, 0x80, 99, 0}, {13, 0x40, 99, 0}}, 4, 73, 13},
        {"no plan entry passes the competition test", {{12, 0x80, 99, 0}, {13, 0x40, 99, 0}}, 1, -1, 13},
        {"equal scores keep the first", {{12, 0x40, 99, 0}, {13, 0x40, 99, 0}}, 0, -1, 12},
    };
    for (const Case& c : cases) {
        for (jint i = 0; i < s->listRowRecords->length; ++i) {
            (*s->listRowRecords)[i] = 0;
        }
        for (jint i = 108; i < 588; ++i) {
            (*s->selectionTable)[i] = 0;
        }
        for (jint e = 0; e < 30; ++e) {
            (*s->selectionTable)[108 + 16 * e] = -1; // no player
            (*s->selectionTable)[109 + 16 * e] = -1;
        }
        for (const Substitute& sub : c.subs) {
            const jint at = sub.row * 22;
            for (const jint b : {0, 1, 2, 3, 14, 15, 16, 17}) {
                (*s->listRowRecords)[at + b] = static_cast<runtime::jbyte>(sub.rating);
            }
            (*s->listRowRecords)[at + 4] = static_cast<runtime::jbyte>(sub.status);
            (*s->listRowRecords)[at + 11] = static_cast<runtime::jbyte>(sub.mask);
        }
        s->scheduleType = c.competition;
        if (c.barredPlayer >= 0) {
            (*s->selectionTable)[108] = 0;
            (*s->selectionTable)[109] = static_cast<runtime::jbyte>(c.barredPlayer);
            (*s->selectionTable)[108 + 11 + c.competition] = -1;
        }
        EXPECT_EQ(bestSubstituteRow(0), c.expected) << c.name;
    }
}

TEST_F(PlayerActionsMenuTest, AgeThirtySixOpensTheNoticeInsteadOfTheOffer) {
    GameStatics* const s = block();
    while (club::getPlayerAge(kActionsPlayer) < 36) {
        ++s->seasonYear;
    }
    enter(134, kPlayerActionsState);
    s->menuSelection = 4;
    keys(8448);
    frame();
    EXPECT_EQ(s->noticeActive, 1);
    EXPECT_EQ(s->menuState, kPlayerActionsState);
    neighbours.log.take();
    noInput();
    frame();
    EXPECT_EQ(boxes(), std::vector<std::string>{textOfId(452)});
    keys(8448);
    frame();
    EXPECT_EQ(s->noticeActive, 0);
    EXPECT_EQ(s->menuState, kPlayerActionsState);
}

TEST_F(PlayerActionsMenuTest, BackToTheTeamHubsSquadScreenResetsItsList) {
    GameStatics* const s = block();
    for (const jint back : {513, 134}) {
        enter(back, kPlayerActionsState);
        s->returnMenuState = back;
        s->rowOffset = 11;
        s->selectedRow = 4;
        s->squadMarkShown = 1;
        keys(4096);
        frame();
        EXPECT_EQ(s->menuState, back);
        EXPECT_EQ(s->returnMenuState, 0);
        if (back == 513) {
            EXPECT_EQ(s->rowOffset, 0);
            EXPECT_EQ(s->selectedRow, -1);
            EXPECT_EQ(s->squadMarkShown, 0);
        } else {
            EXPECT_EQ(s->squadMarkShown, 1);
        }
    }
}

TEST_F(PlayerActionsMenuTest, ResultLinesByActionDoneFlagAndCounter) {
    GameStatics* const s = block();
    testing::LineRecorder lines;
    runtime::ScopedService<sprites::TextLineDrawer> drawer{&sprites::installTextLineDrawer, lines};
    const std::string name = "Player61";
    const auto c = [](const jint n) { return constantText(n); };
    const auto x = [](const jint id) { return textOfId(id); };
    const auto replace = [](std::string text, const std::string& marker, const std::string& value) {
        for (std::size_t at = text.find(marker); !marker.empty() && at != std::string::npos;
             at = text.find(marker, at + value.size())) {
            text.replace(at, marker.size(), value);
        }
        return text;
    };
    struct Case {
        jint action, done, counter;
        std::string headline, body;
    };
    const Case cases[] = {
        {0, 1, 1, x(457) + c(124) + x(464), c(1) + x(466)},
        {0, 0, 1, x(457) + c(124) + x(465), c(1)},
        {1, 1, 3, x(458) + c(124) + x(464), c(1) + x(467)},
        {2, 1, 8, x(468) + c(124) + x(464), c(1) + x(469)},
        {2, 0, 8, x(468) + c(124) + x(465), c(1)},
        {3, 1, 2, replace(x(470), c(219), x(464)), replace(x(471), c(202), name)},
        {3, 0, 2, replace(x(470), c(219), x(465)), c(1)},
        {0, 1, 9, x(472), x(473)},
        {3, 0, 127, x(472), x(473)},
        {9, 1, 9, x(472), x(473)},
        {9, 1, 0, c(1), c(1)},
        {4, 1, 9, c(1), c(1) + replace(x(462), c(216), name + c(124))},
        {5, 0, 9, c(1), c(1) + replace(x(463), c(216), name + c(124))},
        {6, 1, 9, c(217), c(1) + name + c(124) + c(218)},
    };
    for (const Case& k : cases) {
        s->menuState = kPlayerResultState;
        s->lastPlayerAction = k.action;
        s->actionDone = static_cast<runtime::jbyte>(k.done);
        (*s->selectionTable)[772] = static_cast<runtime::jbyte>(k.counter);
        noInput();
        lines.take();
        showPlayerActionResult();
        std::string headline;
        std::string body;
        for (const testing::DrawnLine& line : lines.take()) {
            (line.y == 120 ? headline : body) += line.text;
        }
        const std::string label = std::to_string(k.action) + "/" + std::to_string(k.done) + "/" +
                                  std::to_string(k.counter);
        EXPECT_EQ(headline, k.headline) << label;
        EXPECT_EQ(body, replace(k.body, "^", "")) << label;
    }
}

// Key and touch operations of the lists as the information screens will give them: cycleValue
// wraps by its two key masks, the touch list finds the row band under the pointer.
class KeyedListScreens final : public interim::InterimInformationScreenServices {
public:
    jint cycleValueByKeys(const jint dec, const jint inc, const jint value, const jint count,
                          runtime::jboolean) override {
        if (count <= 0) {
            return value;
        }
        if (core::isKeyPressed(dec)) {
            return (value - 1 + count) % count;
        }
        return core::isKeyPressed(inc) ? (value + 1) % count : value;
    }
    jint listRowAtPointer(const jint x, const jint y, const jint w, const jint rowHeight, const jint pitch,
                          const jint rows, jint, jint, runtime::jboolean) override {
        jint px = 0;
        jint py = 0;
        if (!core::touchPoint(px, py) || px <= x || px >= x + w) {
            return -1;
        }
        for (jint r = 0; r < rows; ++r) {
            if (py >= y + r * pitch && py < y + r * pitch + rowHeight) {
                return r;
            }
        }
        return -1;
    }
};

class PlayerProfileTest : public PlayerActionsMenuTest {
protected:
    void SetUp() override {
        PlayerActionsMenuTest::SetUp();
        block()->menuState = 513;
        block()->squadOverlayActive = 1;
        block()->squadOverlayKind = 0;
        block()->menuSelection = 0;
    }
    // The texts of the list rows painted since the last call, with their y.
    std::vector<std::pair<std::string, jint>> rows() {
        std::vector<std::pair<std::string, jint>> found;
        for (const std::string& call : neighbours.log.take()) {
            if (call.rfind("paintListRows ", 0) == 0) {
                // "paintListRows <text> x,y,highlighted"
                const std::size_t space = call.rfind(' ');
                const std::string args = call.substr(space + 1);
                const jint y = std::stoi(args.substr(args.find(',') + 1));
                found.emplace_back(call.substr(14, space - 14), y);
            }
        }
        return found;
    }
    static std::string label(const jint id) {
        std::string text = textOfId(id);
        const std::string marker = constantText(278);
        const std::size_t at = marker.empty() ? std::string::npos : text.find(marker);
        if (at != std::string::npos) {
            text.replace(at, marker.size(), constantText(1));
        }
        return text;
    }
    void setRecordMask(const jint slot, const jint mask) {
        for (jint k = 0; k < 4; ++k) {
            (*block()->listRowRecords)[slot * 22 + 8 + k] = static_cast<runtime::jbyte>(mask >> (24 - 8 * k));
        }
    }

    KeyedListScreens keyedScreens;
    runtime::ScopedService<core::InformationScreenServices> keyedScope{&core::installInformationScreenServices,
                                                                       keyedScreens};
};

TEST_F(PlayerProfileTest, ThePreMatchLineupHidesRowThree) {
    GameStatics* const s = block();
    s->menuState = 257;
    neighbours.log.take();
    noInput();
    paintPlayerProfile(0);
    const auto painted = rows();
    ASSERT_EQ(painted.size(), 5u);
    EXPECT_EQ(painted[3].first, label(67));
    EXPECT_EQ(painted[3].second, 4 * 41 + 182);
    for (const auto& row : painted) {
        EXPECT_NE(row.first, label(756));
    }
    // Down from row 2 goes to row 4, up from row 4 back to 2.
    s->menuSelection = 2;
    keys(16);
    paintPlayerProfile(0);
    EXPECT_EQ(s->menuSelection, 4);
    keys(1);
    paintPlayerProfile(0);
    EXPECT_EQ(s->menuSelection, 2);
    // A touch on the fourth painted row chooses row 4: the offer screen, the pre-match line-up
    // kept as the state to come back to.
    s->menuSelection = 0;
    releaseAt(200, 182 + 41 - 20 + 3 * 41 + 10);
    paintPlayerProfile(0);
    EXPECT_EQ(s->menuState, 0x20002);
    EXPECT_EQ(s->pendingMenuState, 257);
}

TEST_F(PlayerProfileTest, TheOnlyGoalkeeperGetsTheNoticeInsteadOfTheQuestion) {
    GameStatics* const s = block();
    setRecordMask(1, 1); // the page's player (slot 1) keeps goal
    for (const jint otherKeeper : {0, 1}) {
        setRecordMask(5, otherKeeper);
        s->noActionNotice = 0;
        s->popupActive = 0;
        s->menuSelection = 1;
        keys(8448);
        paintPlayerProfile(0);
        EXPECT_EQ(s->popupActive, 1) << otherKeeper;
        EXPECT_EQ(s->noActionNotice, otherKeeper == 0 ? 1 : 0) << otherKeeper;
        neighbours.log.take();
        noInput();
        paintPlayerProfile(0);
        EXPECT_EQ(boxes(), std::vector<std::string>{textOfId(otherKeeper == 0 ? 873 : 449)}) << otherKeeper;
    }
    // Another row's question never shows the stale notice.
    s->popupActive = 0;
    s->noActionNotice = 1;
    s->menuSelection = 2;
    keys(8448);
    paintPlayerProfile(0);
    EXPECT_EQ(s->noActionNotice, 0);
}

TEST_F(PlayerProfileTest, ALockedPageShowsTwoRowsAndItsSecondCloses) {
    GameStatics* const s = block();
    playerByte(kActionsPlayer, 31) = 8;
    neighbours.log.take();
    noInput();
    paintPlayerProfile(0);
    const auto painted = rows();
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0], std::make_pair(textOfId(130), 223));
    EXPECT_EQ(painted[1], std::make_pair(textOfId(171), 264));
    keys(16);
    paintPlayerProfile(0);
    EXPECT_EQ(s->menuSelection, 1);
    s->chosenPlayer = kActionsPlayer;
    keys(8448);
    paintPlayerProfile(0);
    EXPECT_EQ(s->squadOverlayActive, 0);
    EXPECT_EQ(s->chosenPlayer, 0);
    EXPECT_EQ(s->squadMarkedRow, -1);
}

TEST_F(PlayerProfileTest, TabOneActionsCountAndStopAtTheLimit) {
    GameStatics* const s = block();
    s->squadOverlayKind = 1;
    struct Case {
        jint row, counterBefore, counterAfter;
        bool changes;
        std::string notice;
    };
    const std::string done = textOfId(464);
    const Case cases[] = {
        {0, 0, 1, true, textOfId(457) + constantText(124) + done + constantText(124) + textOfId(466)},
        {1, 7, 8, true, textOfId(468) + constantText(124) + done + constantText(124) + textOfId(469)},
        {0, 8, 9, false, textOfId(472) + constantText(124) + textOfId(473)},
        {1, 127, 127, false, textOfId(472) + constantText(124) + textOfId(473)},
    };
    for (const Case& c : cases) {
        playerByte(kActionsPlayer, 14) = 0x35; // status 3
        playerByte(kActionsPlayer, 15) = 40;
        (*s->listRowRecords)[22 + 4] = 3;
        (*s->listRowRecords)[22 + 19] = 20;
        (*s->selectionTable)[772] = static_cast<runtime::jbyte>(c.counterBefore);
        s->secondPopupActive = 0;
        s->noticeActive = 0;
        s->menuSelection = c.row;
        keys(8448);
        paintPlayerProfile(1);
        EXPECT_EQ((*s->selectionTable)[772], c.counterAfter) << c.counterBefore;
        EXPECT_EQ(s->actionDone, 1);
        EXPECT_EQ(s->lastPlayerAction, c.row);
        if (c.row == 0) {
            EXPECT_EQ(playerByte(kActionsPlayer, 14) & 0xFF, c.changes ? 0x25 : 0x35) << c.counterBefore;
            EXPECT_EQ((*s->listRowRecords)[22 + 4], c.changes ? 2 : 3) << c.counterBefore;
        } else {
            EXPECT_EQ(playerByte(kActionsPlayer, 15), c.changes ? 99 : 40) << c.counterBefore;
            EXPECT_EQ((*s->listRowRecords)[22 + 19], c.changes ? 0 : 20) << c.counterBefore;
        }
        EXPECT_EQ(s->secondPopupActive, c.changes ? 1 : 0) << c.counterBefore;
        EXPECT_EQ(s->noticeActive, c.changes ? 0 : 1) << c.counterBefore;
        neighbours.log.take();
        noInput();
        paintPlayerProfile(1);
        EXPECT_EQ(boxes(), std::vector<std::string>{c.notice}) << c.counterBefore;
    }
}

TEST_F(PlayerProfileTest, BackReturnsFromTabOneThenClosesThePage) {
    GameStatics* const s = block();
    s->squadOverlayKind = 1;
    s->chosenPlayer = kActionsPlayer;
    keys(4096);
    paintPlayerProfile(1);
    EXPECT_EQ(s->squadOverlayKind, 0);
    EXPECT_EQ(s->squadOverlayActive, 1);
    keys(4096);
    paintPlayerProfile(0);
    EXPECT_EQ(s->squadOverlayActive, 0);
    EXPECT_EQ(s->chosenPlayer, 0);
}

} // namespace
} // namespace game::menus
