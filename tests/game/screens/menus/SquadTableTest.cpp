// The squad table on the menu bench: the page indicator and paging with 13, 14, 26 and 27
// players, the rating palettes at their boundaries, names of 7 and 8 characters, the header
// confirm, the row confirm and the right soft key by state, the staff key with and without a scout
// in service, the shortlist question in states 1033, 1035 and others and its refusal when full,
// and formatThousands.
#include "game/screens/menus/SquadTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "runtime/ConstantPool.h"
#include "tests/game/support/MenuBench.h"
#include "tests/game/support/TextFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::menus {
namespace {

using testing::DrawnLine;
using testing::MenuBench;

constexpr jint kSquadMenuTable = 1048586;
constexpr jint kShortlistState = 1033;
constexpr jint kScoutFindsState = 1035;
constexpr jint kStaffTaskMenu = 524289;
constexpr jint kRowY0 = 96;

class SquadTableTest : public MenuBench {
protected:
    void SetUp() override {
        MenuBench::SetUp();
        GameStatics* const s = block();
        s->menuState = kSquadMenuTable;
        s->pendingMenuState = 0;
        (*s->selectionTable)[592] = -1;
        (*s->selectionTable)[598] = -1;
        for (jint i = 0; i < 50; ++i) {
            (*s->shortlist)[i] = -1;
        }
        s->shortlistCount = 0;
        s->lastTouchedRow = -1;
    }
    // squadList := players first .. first + n - 1, shown from its first page with row 0 highlighted.
    void list(const jint n, const jint first = 0) {
        GameStatics* const s = block();
        for (jint i = 0; i < n; ++i) {
            (*s->squadList)[i] = first + i;
        }
        s->squadListCount = n;
        s->rowScroll = 0;
        s->listPage = 0;
        s->menuSelection = 0;
        s->selectedRow = 0;
    }
    jint run() {
        lines.take();
        return updateSquadTable();
    }
    // The lines drawn at y (with the text and palette), in order.
    std::vector<DrawnLine> linesAt(const jint y) {
        std::vector<DrawnLine> found;
        for (const DrawnLine& line : drawn) {
            if (line.y == y) {
                found.push_back(line);
            }
        }
        return found;
    }
    jint runAndKeep() {
        const jint taken = run();
        drawn = lines.take();
        return taken;
    }
    static std::string pageLabel(const jint page, const jint pages) {
        return std::to_string(page) + constantText(97) + std::to_string(pages);
    }

    testing::LineRecorder lines;
    runtime::ScopedService<sprites::TextLineDrawer> drawerScope{&sprites::installTextLineDrawer, lines};
    std::vector<DrawnLine> drawn;
};

TEST_F(SquadTableTest, PagesOfThirteenRows) {
    GameStatics* const s = block();
    struct Case {
        const char* name;
        jint count, scroll, key;
        jint scrollAfter;
        jint page, pages; // the page label drawn before the key; pages 0: none
    };
    const Case cases[] = {
        {"13 players: one page, no label, right does nothing", 13, 0, 4, 0, 0, 0},
        {"14 players: right shows the second page", 14, 0, 4, 13, 1, 2},
        {"14 players: right from the last page wraps to the first", 14, 13, 4, 0, 2, 2},
        {"26 players: left from the first page shows the last", 26, 0, 64, 13, 1, 2},
        {"27 players: left from the first page shows the last", 27, 0, 64, 26, 1, 3},
        {"27 players: left from the last page", 27, 26, 64, 13, 3, 3},
    };
    for (const Case& c : cases) {
        list(c.count);
        s->rowScroll = c.scroll;
        s->listPage = c.scroll / 13;
        s->menuSelection = 0;
        noInput();
        runAndKeep();
        const std::vector<DrawnLine> label = linesAt(654);
        if (c.pages == 0) {
            EXPECT_TRUE(label.empty()) << c.name;
        } else {
            ASSERT_EQ(label.size(), 1u) << c.name;
            EXPECT_EQ(label[0].text, pageLabel(c.page, c.pages)) << c.name;
            EXPECT_EQ(label[0].x, 240) << c.name;
        }
        s->menuSelection = 1 % (c.count - c.scroll);
        keys(c.key);
        EXPECT_EQ(run(), 0) << c.name;
        EXPECT_EQ(s->rowScroll, c.scrollAfter) << c.name;
        EXPECT_EQ(s->listPage, c.scrollAfter / 13) << c.name;
        EXPECT_EQ(s->selectedRow, s->rowScroll + s->menuSelection) << c.name;
        if (c.scrollAfter != c.scroll) {
            EXPECT_EQ(s->menuSelection, 0) << c.name;
        }
    }
}

TEST_F(SquadTableTest, TheHighlightWrapsWithinTheRowsOfThePage) {
    GameStatics* const s = block();
    list(14);
    // The second page holds one row: up and down keep it.
    s->rowScroll = 13;
    s->listPage = 1;
    for (const jint key : {1, 16}) {
        s->menuSelection = 0;
        keys(key);
        run();
        EXPECT_EQ(s->menuSelection, 0) << key;
        EXPECT_EQ(s->selectedRow, 13) << key;
        EXPECT_EQ(s->highlightSlideFrames, 18) << key;
    }
    // On a full page up from row 0 and from the header goes to row 12, down from 12 to 0.
    s->rowScroll = 0;
    s->listPage = 0;
    for (const jint from : {0, -1}) {
        s->menuSelection = from;
        keys(1);
        run();
        EXPECT_EQ(s->menuSelection, 12) << from;
    }
    keys(16);
    run();
    EXPECT_EQ(s->menuSelection, 0);
    // Only the rows drawn: 14 players show 13 on the first page and one on the second.
    noInput();
    runAndKeep();
    EXPECT_EQ(linesAt(kRowY0 + 32 * 12).size(), 5u);
    s->rowScroll = 13;
    s->menuSelection = -1; // a highlighted 8-character name would scroll instead
    runAndKeep();
    EXPECT_EQ(linesAt(kRowY0).size(), 5u);
    EXPECT_TRUE(linesAt(kRowY0 + 32).empty());
}

TEST_F(SquadTableTest, RatingPalettesAtTheirBoundaries) {
    GameStatics* const s = block();
    const jint ratings[] = {69, 70, 89, 90};
    const jint palettes[] = {0, 1, 1, 3};
    list(4);
    for (jint i = 0; i < 4; ++i) {
        // The mean of the two highest of bytes 4, 5 and 9 (low seven bits); byte 4's shortlist bit
        // does not count.
        playerByte(i, 4) = static_cast<runtime::jbyte>(0x80 | ratings[i]);
        playerByte(i, 5) = static_cast<runtime::jbyte>(ratings[i]);
        playerByte(i, 9) = 3;
    }
    s->menuSelection = -1;
    noInput();
    runAndKeep();
    for (jint i = 0; i < 4; ++i) {
        const std::vector<DrawnLine> row = linesAt(kRowY0 + 32 * i);
        ASSERT_EQ(row.size(), 5u) << i;
        EXPECT_EQ(row[3].text, std::to_string(ratings[i])) << i;
        EXPECT_EQ(row[3].x, 322) << i;
        EXPECT_EQ(row[3].palette, palettes[i]) << ratings[i];
    }
}

TEST_F(SquadTableTest, NamesOfSevenCharactersStayWholeLongerOnesAreCutUnlessHighlighted) {
    GameStatics* const s = block();
    // The bench names player n "Player<n>": player 5 has 7 characters, player 61 has 8.
    (*s->squadList)[0] = 5;
    (*s->squadList)[1] = 61;
    s->squadListCount = 2;
    s->rowScroll = 0;
    struct Case {
        jint highlighted;
        const char* row0;
        jint palette0;
        const char* row1; // "" when the name scrolls
    };
    const Case cases[] = {{0, "Player5", 1, "Player6"}, {1, "Player5", 0, ""}};
    for (const Case& c : cases) {
        s->menuSelection = c.highlighted;
        s->tickerPosition[0] = 0;
        noInput();
        runAndKeep();
        const std::vector<DrawnLine> row0 = linesAt(kRowY0);
        ASSERT_FALSE(row0.empty());
        EXPECT_EQ(row0[0].text, c.row0);
        EXPECT_EQ(row0[0].x, 18);
        EXPECT_EQ(row0[0].palette, c.palette0);
        const std::vector<DrawnLine> row1 = linesAt(kRowY0 + 32);
        if (std::string(c.row1).empty()) {
            // The highlighted long name runs as the marquee within 146 pixels from x 18.
            ASSERT_EQ(row1.size(), 4u);
            EXPECT_NE(s->tickerPosition[0], 0);
            EXPECT_EQ(s->clipWindowLeft, 19);
        } else {
            ASSERT_EQ(row1.size(), 5u);
            EXPECT_EQ(row1[0].text, c.row1);
            EXPECT_EQ(row1[0].palette, 0);
        }
    }
}

TEST_F(SquadTableTest, HeaderAndRowConfirmsAndTheRightSoftKeyByState) {
    GameStatics* const s = block();
    struct Case {
        const char* name;
        jint state, count, selection, key;
        jint taken, stateAfter;
    };
    const Case cases[] = {
        {"header, empty list: the transfer hub", kSquadMenuTable, 0, -1, 256, 1, 1036},
        {"header: the sort screen", kSquadMenuTable, 5, -1, 256, 1, 1048593},
        {"row: the player screen", kSquadMenuTable, 5, 2, 256, 1, 1048582},
        {"row in the season list: nothing", 72, 5, 2, 8448, 1, 72},
        {"select is not the squad menu's confirm", kSquadMenuTable, 5, 2, 8192, 0, kSquadMenuTable},
        {"back from the squad menu's table", kSquadMenuTable, 5, 2, 4096, 1, 1036},
        {"back elsewhere: the scouts' menu", kStaffTaskMenu, 5, 2, 4096, 1, 524288},
        {"back in the season list: nothing", 72, 5, 2, 4096, 0, 72},
    };
    for (const Case& c : cases) {
        list(c.count, 20);
        s->menuState = c.state;
        s->menuSelection = c.selection;
        s->chosenPlayer = -1;
        s->playerScreenOrigin = 0;
        keys(c.key);
        EXPECT_EQ(run(), c.taken) << c.name;
        EXPECT_EQ(s->menuState, c.stateAfter) << c.name;
        if (c.stateAfter == 1048582) {
            EXPECT_EQ(s->chosenPlayer, 22) << c.name;
            EXPECT_EQ(s->playerScreenOrigin, 2) << c.name;
        }
    }
}

TEST_F(SquadTableTest, StateSixtyEightResetsTheListAndStartsTheSeason) {
    GameStatics* const s = block();
    for (const jint count : {0, 5}) {
        list(count);
        s->menuState = 68;
        s->menuSelection = -1;
        s->rowScroll = 13;
        s->rowOffset = 11;
        s->advanceUntilEvent = 1;
        keys(8448);
        EXPECT_EQ(run(), 1) << count;
        EXPECT_EQ(s->rowScroll, 0) << count;
        EXPECT_EQ(s->menuSelection, 0) << count;
        EXPECT_EQ(s->selectedRow, 0) << count;
        EXPECT_EQ(s->rowOffset, 0) << count;
        EXPECT_EQ(s->advanceUntilEvent, 0) << count;
        EXPECT_EQ(s->menuState, 136) << count;
    }
}

TEST_F(SquadTableTest, TheStaffKeyNeedsAScoutInService) {
    GameStatics* const s = block();
    list(5, 60);
    s->menuSelection = 3;
    s->selectedRow = 3;
    keys(1024);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(s->noStaffMessagePending, 1);
    EXPECT_EQ(s->menuState, kSquadMenuTable);
    // While the notice is pending the table takes every frame and no touch reaches a row.
    releaseAt(100, kRowY0 + 5);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(s->menuSelection, 3);

    s->noStaffMessagePending = 0;
    (*s->selectionTable)[598] = 4;
    keys(1024);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(s->chosenPlayer, 63);
    EXPECT_EQ(s->menuState, 1038);
    // Not in the season list, nor with the header highlighted.
    for (const jint state : {72, kSquadMenuTable}) {
        s->menuState = state;
        s->menuSelection = state == 72 ? 1 : -1;
        keys(1024);
        run();
        EXPECT_EQ(s->menuState, state);
    }
}

TEST_F(SquadTableTest, TouchesHighlightFirstAndConfirmOnTheSameRow) {
    GameStatics* const s = block();
    list(5, 60);
    s->menuSelection = 0;
    releaseAt(200, kRowY0 + 32 * 2 + 10);
    EXPECT_EQ(run(), 0) << "a first touch is the caller's";
    EXPECT_EQ(s->menuSelection, 2);
    s->lastTouchedRow = 2;
    releaseAt(200, kRowY0 + 32 * 2 + 10);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(s->menuState, 1048582);
    EXPECT_EQ(s->chosenPlayer, 62);
}

class ShortlistTest : public SquadTableTest {
protected:
    // Opens the question on the highlighted row with key 512 and answers it with the first
    // button; the number of frames the question owned.
    jint askAndAnswerYes() {
        keys(512);
        jint owned = toggleShortlist();
        block()->menuChoice = 0;
        keys(256);
        owned += toggleShortlist();
        return owned;
    }
};

TEST_F(ShortlistTest, AddedRemovedAndRefused) {
    GameStatics* const s = block();
    list(5, 60);
    s->menuSelection = 1;
    s->selectedRow = 1;
    EXPECT_EQ(askAndAnswerYes(), 2);
    EXPECT_EQ(s->shortlistCount, 1);
    EXPECT_EQ((*s->shortlist)[0], 61);
    EXPECT_EQ(playerByte(61, 4) & 0x80, 0x80);
    EXPECT_EQ(s->secondPopupActive, 0);
    EXPECT_EQ(s->menuChoice, 1);
    // Already on the list: no question outside 1033 and 1035.
    keys(512);
    EXPECT_EQ(toggleShortlist(), 0);
    EXPECT_EQ(s->secondPopupActive, 0);

    // The "no" answer changes nothing.
    s->selectedRow = 2;
    keys(512);
    toggleShortlist();
    s->menuChoice = 1;
    keys(256);
    EXPECT_EQ(toggleShortlist(), 1);
    EXPECT_EQ(s->shortlistCount, 1);

    // 1033: removed, the later entries move down, the state entered again.
    s->selectedRow = 2;
    askAndAnswerYes();
    s->selectedRow = 3;
    askAndAnswerYes();
    ASSERT_EQ(s->shortlistCount, 3);
    s->menuState = kShortlistState;
    s->selectedRow = 1;
    askAndAnswerYes();
    EXPECT_EQ(s->shortlistCount, 2);
    EXPECT_EQ((*s->shortlist)[0], 62);
    EXPECT_EQ((*s->shortlist)[1], 63);
    EXPECT_EQ((*s->shortlist)[2], -1);
    EXPECT_EQ(playerByte(61, 4) & 0x80, 0);
    EXPECT_EQ(s->menuState, kShortlistState);

    // 1035: the scouts' mark (byte 5 bit 7) is cleared; the shortlist is left alone.
    list(5, 60);
    s->menuState = kScoutFindsState;
    playerByte(64, 5) = static_cast<runtime::jbyte>(0x80 | 40);
    s->selectedRow = 4;
    askAndAnswerYes();
    EXPECT_EQ(playerByte(64, 5), 40);
    EXPECT_EQ(s->shortlistCount, 2);

    // Not in the season start menu.
    s->menuState = 72;
    keys(512);
    EXPECT_EQ(toggleShortlist(), 0);
    EXPECT_EQ(s->secondPopupActive, 0);
}

TEST_F(ShortlistTest, AFullShortlistAsksNothingAndChangesNothing) {
    GameStatics* const s = block();
    for (jint i = 0; i < kShortlistCapacity; ++i) {
        (*s->shortlist)[i] = i;
    }
    s->shortlistCount = kShortlistCapacity;
    list(5, 70);
    s->menuSelection = 0;
    s->selectedRow = 0;
    runtime::LogCapture log;
    keys(512);
    EXPECT_EQ(toggleShortlist(), 0);
    EXPECT_EQ(s->secondPopupActive, 0);
    EXPECT_EQ(s->shortlistCount, kShortlistCapacity);
    EXPECT_EQ(playerByte(70, 4) & 0x80, 0);
    EXPECT_FALSE(log.lines.empty());
}

TEST_F(SquadTableTest, FormatThousandsSeparatesAboveOneThousand) {
    const std::string separator = constantText(98);
    struct Case {
        jint n;
        std::string text;
    };
    const Case cases[] = {{0, "0"},
                          {999, "999"},
                          {1000, "1000"},
                          {1001, "1" + separator + "001"},
                          {12345, "12" + separator + "345"},
                          {-5, "-5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(text(formatThousands(c.n)), c.text) << c.n;
    }
}

} // namespace
} // namespace game::menus
