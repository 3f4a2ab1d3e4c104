// The menu drawing routines over probe sprites: dashed lines (and the dash that never advances),
// selector and value arrows, the keypad's cells and typed keys, the formation diagram in its
// two layouts with blinking, highlight, condition strips, hidden players, the position view and
// the move arrows; and the extra, twin and staff sprites loaded from the menu pack once.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "game/core/services/WidgetServices.h"
#include "game/sprites/MenuDrawing.h"
#include "game/sprites/widgets/Widgets.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ConstantPool.h"
#include "runtime/Service.h"
#include "tests/game/sprites/DrawRecorder.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SamplePacks.h"
#include "tools/SampleSprites.h"

namespace game::sprites::testing {
using namespace game::core;

namespace {

using Marks = std::vector<Mark>;

constexpr std::uint32_t kLineColour = 0xFFFFFF;

class MenuDrawingTest : public DrawRecorderTest {
protected:
    void SetUp() override {
        DrawRecorderTest::SetUp();
        statics()->interfaceSprite = probe(interfaceSpec());
        statics()->arrowSprite = probe(12, 1500);
        g->setColor(static_cast<jint>(kLineColour));
    }
    static ProbeSpec interfaceSpec() {
        ProbeSpec spec;
        spec.count = 150;
        spec.base = 1000;
        spec.offsets = {{133, {1, 1}}, {134, {1, 1}}}; // the wide keys' symbols, beside the key
        return spec;
    }
    bool lit(const jint x, const jint y) const { return pixel(x, y) == rgb(0xFF000000u | kLineColour); }
    // The lit pixels of row y (or column x when vertical) from 0 to 20.
    std::vector<jint> litAlong(const jint at, const bool vertical) const {
        std::vector<jint> found;
        for (jint i = 0; i <= 20; ++i) {
            if (vertical ? lit(at, i) : lit(i, at)) {
                found.push_back(i);
            }
        }
        return found;
    }
};

TEST_F(MenuDrawingTest, DashesAreDrawnWholeAndStepByDashAndGap) {
    struct Case {
        jint from;
        jint to;
        jint dash;
        jint gap;
        std::vector<jint> lit;
    };
    const Case cases[] = {
        {0, 10, 4, 2, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}},
        {0, 7, 4, 2, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}}, // the last dash runs past the end
        {3, 4, 2, 10, {3, 4, 5}},
        {5, 5, 4, 2, {}},
        {9, 2, 4, 2, {}},
        // A dash and gap that do not advance return at once.
        {0, 10, 0, 0, {}},
        {0, 10, 3, -3, {}},
        {0, 10, -4, 2, {}},
    };
    for (const bool vertical : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << vertical << " " << c.from << ".." << c.to << " " << c.dash);
            clearScreen();
            g->setColor(static_cast<jint>(kLineColour));
            if (vertical) {
                drawDashedLine(5, c.from, 99, c.to, c.dash, c.gap, kDashedVertical);
            } else {
                drawDashedLine(c.from, 5, c.to, 99, c.dash, c.gap, kDashedHorizontal);
            }
            EXPECT_EQ(litAlong(5, vertical), c.lit);
        }
    }
}

TEST_F(MenuDrawingTest, SeparatorImageAndFrame148AreInterfaceFrames) {
    drawDashedLine(30, 100, 400, 0, 4, 2, kSeparatorImage);
    drawFrame148(500);
    drawDashedLine(0, 50, 400, 60, 4, 2, 3); // no such mode
    EXPECT_EQ(marks(), (Marks{{0, 100, 1077}, {240, 500, 1148}}));
    EXPECT_FALSE(lit(0, 50));
}

TEST_F(MenuDrawingTest, SelectorArrowsFollowTheFlagsAndTheHeldArrows) {
    struct Case {
        jint flags;
        bool leftHeld;
        bool rightHeld;
        Marks expected;
    };
    const Case cases[] = {
        {0, false, false, {}},
        {3, false, false, {{160, 300, 1138}, {320, 300, 1136}}},
        {3, true, true, {{160, 300, 1139}, {320, 300, 1137}}},
        {kLeftSelector, false, true, {{160, 300, 1138}}},
        {kRightSelector, false, true, {{320, 300, 1137}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        clearScreen();
        statics()->touchGestureFlags[0] = c.leftHeld ? 1 : 0;
        statics()->touchGestureFlags[1] = c.rightHeld ? 1 : 0;
        drawSelectorArrows(240, 300, 80, c.flags);
        EXPECT_EQ(marks(), c.expected);
    }
}

TEST_F(MenuDrawingTest, ValueArrowsBigAreInterfaceFramesSmallOnesStepInwards) {
    drawValueArrows(240, 100, 161, 1);
    EXPECT_EQ(marks(), (Marks{{160, 100, 1138}, {320, 100, 1136}}));
    for (jint frame = 0; frame < 10; ++frame) {
        SCOPED_TRACE(frame);
        clearScreen();
        statics()->framesInState = frame;
        drawValueArrows(240, 100, 160, 0);
        const jint b = frame % 5 > 2 ? 1 : 0;
        EXPECT_EQ(marks(), (Marks{{160 + b, 100, 1509}, {320 - b, 100, 1508}}));
    }
}

class KeypadTest : public MenuDrawingTest {
protected:
    void SetUp() override {
        MenuDrawingTest::SetUp();
        ProbeSpec font;
        font.count = 30;
        font.base = 1800;
        for (int k = 0; k < 30; ++k) {
            font.rects[k] = {4, 6};
        }
        (*statics()->sprites)[kFirstFontSprite] = probe(font);
    }
    // The keypad of the name entry: 4 rows of 7 cells of 60 x 60 from (30, 202), 28 keys.
    void drawNameKeypad(const jint count = 28) { drawKeypad(30, 202, 60, 60, 4, 7, count); }
    void touch(const jint cell, const bool released) {
        const jint x = 30 + (cell % 7) * 60 + 30;
        const jint y = 202 + (cell / 7) * 60 + 30;
        GameStatics* const s = statics();
        s->touchDown = released ? 0 : 1;
        s->touchReleased = released ? 1 : 0;
        (released ? s->pointerReleaseX : s->pointerPressX) = x;
        (released ? s->pointerReleaseY : s->pointerPressY) = y;
    }
};

TEST_F(KeypadTest, ReleasedCellsTypeLettersOrNegativeKeys) {
    struct Case {
        jint cell;
        bool released;
        jint key;
    };
    const Case cases[] = {{3, true, 3},   {0, true, 0},   {25, true, 25}, {26, true, -2},
                          {27, true, -3}, {3, false, -1}, {26, false, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        touch(c.cell, c.released);
        drawNameKeypad();
        EXPECT_EQ(statics()->keypadCell, c.cell);
        EXPECT_EQ(statics()->keypadKey, c.key);
    }
    statics()->touchDown = 0;
    statics()->touchReleased = 0;
    drawNameKeypad();
    EXPECT_EQ(statics()->keypadCell, -1);
    EXPECT_EQ(statics()->keypadKey, -1);
    EXPECT_EQ(statics()->keypadText0.get(), runtime::getConstantString(1));
    EXPECT_EQ(statics()->keypadText1.get(), runtime::getConstantString(1));
}

TEST_F(KeypadTest, CellsLettersAndWideKeysUpToTheCount) {
    touch(2, false);
    drawNameKeypad();
    const Marks found = marks();
    std::map<std::pair<jint, jint>, int> codes;
    for (const Mark& m : found) {
        codes[{m.x, m.y}] = m.code;
    }
    const auto at = [&codes](const jint x, const jint y) { return codes[{x, y}]; };
    for (jint k = 0; k < 28; ++k) {
        SCOPED_TRACE(k);
        const jint cx = 60 + (k % 7) * 60;
        const jint cy = 232 + (k / 7) * 60;
        if (k < 26) {
            EXPECT_EQ(at(cx, cy), k == 2 ? 1130 : 1129);
            EXPECT_EQ(at(cx - 2, cy - 3), 1800 + k); // the letter, centred by its 4 x 6 frame
        } else {
            EXPECT_EQ(at(cx, cy), 1131);
            EXPECT_EQ(at(cx + 1, cy + 1), 1133 + k - 26);
        }
    }
    EXPECT_EQ(at(0, 182), 1135); // the header frame at y - 20
    // The rounded panel behind the cells.
    EXPECT_EQ(pixel(20, 300), rgb(0xFF256A65));
    EXPECT_EQ(pixel(465, 450), rgb(0xFF256A65));
    EXPECT_TRUE(isBackground(13, 300));
    EXPECT_EQ(found.size(), 26u * 2 + 2u * 2 + 1u);
}

TEST_F(KeypadTest, ACountBelowTheGridLeavesTheOtherCellsEmpty) {
    touch(12, true); // beyond the count: no cell
    drawNameKeypad(10);
    EXPECT_EQ(statics()->keypadCell, -1);
    EXPECT_EQ(statics()->keypadKey, -1);
    EXPECT_EQ(marks().size(), 10u * 2 + 1u);
    EXPECT_EQ(codeAt(60 + 2 * 60, 292), 1129); // cell 9 is the last one drawn
    EXPECT_EQ(codeAt(60 + 3 * 60, 292), -1);   // cell 10 is empty
}

// A match team on the formation board, scripted.
struct BoardPlayer {
    jint slot;
    jint fx;
    jint fy;
    jint mask;      // position mask of his squad entry
    jint condition; // of his squad entry
    jint status;    // match status
};

class ScriptedTeam final : public WidgetServices {
public:
    void drawPitchBackground(jint, jint) override {}
    jint formationPlayerCount(const jint team) override {
        return team == 0 ? static_cast<jint>(players.size()) : 0;
    }
    jint formationSlot(jint, const jint player) override {
        return players[static_cast<std::size_t>(player)].slot;
    }
    void formationPoint(jint, const jint player, jint& fx, jint& fy) override {
        fx = players[static_cast<std::size_t>(player)].fx;
        fy = players[static_cast<std::size_t>(player)].fy;
    }
    void slotToFormationPoint(jint, const jint slot, jint& fx, jint& fy) override {
        fx = (slot / 5) * 6 - 10;
        fy = (slot % 5 - 2) * 4;
    }
    jint squadEntryIndex(jint, const jint player) override { return player; }
    jint matchCondition(jint, jint) override { return liveCondition; }
    jint matchStatus(jint, const jint player) override {
        return players[static_cast<std::size_t>(player)].status;
    }

    std::vector<BoardPlayer> players;
    jint liveCondition = -1;
};

class PositionView final : public FrameworkServices {
public:
    void composePalette(jint, jint, jint, jint, jint, jint, jint, jboolean, jboolean, jint, jint) override {}
    jint getGlyphIndex(runtime::jchar) override { return -1; }
    jint getStringWidth(runtime::String*, jint) override { return 0; }
    void loadGameDatabase() override {}
    jboolean positionViewOn() override { return 1; }
    void resetSetupRecord(jboolean) override {}
    jint getPlayerValue(jint, jboolean) override { return 0; }
};

class FormationTest : public MenuDrawingTest {
protected:
    void SetUp() override {
        MenuDrawingTest::SetUp();
        ProbeSpec spec = interfaceSpec();
        // The condition strips are 1 x 10, so their clipped height shows.
        spec.sizes = {{108, {1, 10}}, {109, {1, 10}}};
        statics()->interfaceSprite = probe(spec);
        team.players = {
            {-1, 0, 0, 0b1, 100, 0},       // the goalkeeper suits his place (bit 0)
            {7, 2, -4, 0b1000000, 100, 0}, // slot 7 is place 8: bit 6, preferred
            {12, 8, 4, 0b1, 100, 2},       // slot 12 is place 13: bit 7, not his
        };
        statics()->selectedPlayerSlot = 1;
        statics()->formationArrowTouched = kArrowNone;
    }
    // Fills the squad entries (22 bytes each) with the players' masks and conditions.
    void writeEntries() {
        runtime::ByteArray* const records = runtime::newByteArray(22 * 4);
        statics()->listRowRecords = records;
        for (std::size_t i = 0; i < team.players.size(); ++i) {
            const jint at = static_cast<jint>(i) * 22;
            const jint mask = team.players[i].mask;
            for (jint b = 0; b < 4; ++b) {
                (*records)[at + 8 + b] = static_cast<runtime::jbyte>(mask >> (24 - 8 * b));
            }
            (*records)[at + 19] = static_cast<runtime::jbyte>(team.players[i].condition);
        }
    }
    // The markers (modules 110, 111) on the screen, by player place.
    Marks markers() const {
        Marks found;
        for (const Mark& m : marks()) {
            if (m.code == 1110 || m.code == 1111) {
                found.push_back(m);
            }
        }
        return found;
    }
    ScriptedTeam team;
    runtime::ScopedService<WidgetServices> scope{&installWidgetServices, team};
};

TEST_F(FormationTest, PlayersArePlacedByLayoutWithTheGoalkeeperFixed) {
    writeEntries();
    struct Case {
        jint menuState;
        jint downBase;
        jint keeperDown;
    };
    const Case cases[] = {{0, 100, 226},  {0x800001, 100, 226}, {258, 50, 176},      {259, 50, 176},
                          {514, 50, 176}, {518, 50, 176},       {0x800003, 50, 176}, {0x800008, 50, 176}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menuState);
        clearScreen();
        statics()->menuState = c.menuState;
        drawFormation(0, 0, 0, 0, 106);
        // Player 1: across -4 x 8320 / 672 = -49, down base - 2 x 8960 / 1056 = base - 16.
        // Player 2: across 4 x 8320 / 672 = 49, down base - 8 x 8960 / 1056 = base - 67.
        Marks expected = {{318 - 49, 232 + c.downBase - 16, 1111},
                          {318 + 49, 232 + c.downBase - 67, 1110},
                          {318, 232 + c.keeperDown, 1111}};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(markers(), expected);
        EXPECT_EQ(codeAt(212, 106), 1500); // the small pitch
    }
}

TEST_F(FormationTest, ConditionShowsAsAStripAtTheBottomOfTheMarker) {
    struct Case {
        jint condition;
        jint live;
        jint strip; // rows of module 108 at the bottom of player 1's 10-row strip module
    };
    const Case cases[] = {{100, -1, 0}, {40, -1, 6}, {0, -1, 10}, {95, -1, 0}, {100, 30, 7}, {-20, -1, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        clearScreen();
        team.players[1].condition = c.condition;
        team.liveCondition = c.live;
        writeEntries();
        drawFormation(0, 0, 0, 0, 106);
        const jint x = 269;
        const jint y = 316;
        jint rows = 0;
        for (jint j = y; j < y + 10; ++j) {
            rows += codeAt(x, j) == 1108 ? 1 : 0;
        }
        EXPECT_EQ(rows, c.strip);
        if (c.strip < 10) {
            EXPECT_EQ(codeAt(x, y), 1111);
        }
        EXPECT_EQ(g->clipX1, 0);
        EXPECT_EQ(g->clipY2, 800);
    }
}

TEST_F(FormationTest, TheSelectedMarkerBlinksAndIsHighlightedInMoveMode) {
    writeEntries();
    for (jint frame = 0; frame < 7; ++frame) {
        SCOPED_TRACE(frame);
        clearScreen();
        statics()->frameCount = 700 + frame;
        drawFormation(0, 1, 0, 0, 106);
        const bool shown = frame >= 4;
        EXPECT_EQ(codeAt(269, 316), shown ? 1111 : -1);
        EXPECT_EQ(markers().size(), shown ? 3u : 2u);
    }
    clearScreen();
    drawFormation(0, 0, 1, 0, 106);
    EXPECT_EQ(codeAt(267, 314), 1107); // preferred highlight, 2 up and left
    statics()->selectedPlayerSlot = 2;
    clearScreen();
    drawFormation(0, 0, 1, 0, 106);
    EXPECT_EQ(codeAt(318 + 49 - 2, 232 + 100 - 67 - 2), 1106);
}

TEST_F(FormationTest, PlayersOffThePitchAreHiddenOnTheMatchScreens) {
    writeEntries();
    for (const jint state : {0x800007, 0x80000A, 0x800006}) {
        SCOPED_TRACE(state);
        clearScreen();
        statics()->menuState = state;
        drawFormation(0, 0, 0, 0, 106);
        EXPECT_EQ(markers().size(), state == 0x800006 ? 3u : 2u);
    }
}

TEST_F(FormationTest, PositionViewMarksThePlacesTheSelectedPlayerSuits) {
    team.players[1].mask = (1 << 0) | (1 << 6) | (1 << 13);
    writeEntries();
    PositionView view;
    runtime::ScopedService<FrameworkServices> viewScope{&installFrameworkServices, view};
    drawFormation(0, 0, 0, 0, 106);
    // Places: 0 the goalkeeper's (his marker covers the strip module's top row); 7, 8, 9 (slots
    // 6-8, row 1); 21-25 (slots 20-24, row 4).
    Marks expected = {{318, 232 + 226 + 1, 1108}};
    for (const jint slot : {6, 7, 8, 20, 21, 22, 23, 24}) {
        const jint fx = (slot / 5) * 6 - 10;
        const jint fy = (slot % 5 - 2) * 4;
        expected.push_back({318 + fy * 8320 / 672, 232 + 100 - fx * 8960 / 1056, 1108});
    }
    std::vector<Mark> places;
    for (const Mark& m : marks()) {
        if (m.code == 1108) {
            places.push_back(m);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(places, expected);
}

TEST_F(FormationTest, MoveModeDrawsFourArrowsAndATouchNamesItsDirection) {
    writeEntries();
    statics()->menuState = 259; // compact
    drawFormation(0, 0, 1, 0, 106);
    // Around the board: across +-99, forward-most down 50 - 118 = -68, goalkeeper down 176.
    const jint left = 318 - 99 - 12 - 16;
    const jint right = 318 + 99 + 16 + 12;
    const jint top = 232 - 68 - 12 - 16;
    const jint bottom = 232 + 176 + 16 + 12;
    const jint middle = (top + bottom) / 2;
    EXPECT_EQ(codeAt(left, middle), 1509);
    EXPECT_EQ(codeAt(right, middle), 1508);
    EXPECT_EQ(codeAt(318, top), 1510);
    EXPECT_EQ(codeAt(318, bottom), 1511);
    EXPECT_EQ(statics()->formationArrowTouched, kArrowNone);
    const struct {
        jint x;
        jint y;
        jint direction;
    } touches[] = {{left + 8, middle + 8, kArrowLeft},
                   {318 + 8, top + 8, kArrowUp},
                   {right + 8, middle + 8, kArrowRight},
                   {318 + 8, bottom + 8, kArrowDown}};
    for (const auto& t : touches) {
        SCOPED_TRACE(t.direction);
        statics()->formationArrowTouched = kArrowNone;
        statics()->touchReleased = 1;
        statics()->pointerReleaseX = t.x;
        statics()->pointerReleaseY = t.y;
        drawFormation(0, 0, 1, 0, 106);
        EXPECT_EQ(statics()->formationArrowTouched, t.direction);
        // Outside move mode the arrows neither show nor answer.
        statics()->formationArrowTouched = kArrowNone;
        drawFormation(0, 1, 0, 0, 106);
        EXPECT_EQ(statics()->formationArrowTouched, kArrowNone);
    }
}

TEST_F(FormationTest, NoTeamShowsThePitchAlone) {
    writeEntries();
    drawFormation(-1, 0, 1, 0, 300);
    EXPECT_EQ(marks(), (Marks{{212, 300, 1500}}));
}

// The extra sprite and the twin sprite come from the sample set's menu pack, once.
class MenuPackSpritesTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        setUpSpriteStatics();
        putResources(tools::sampleSpritePackEntries());
    }
};

TEST_F(MenuPackSpritesTest, ExtraAndTwinSpritesLoadOnceWithTheirKinds) {
    GameStatics* const s = statics();
    ensureExtraSprite();
    ASprite* const extra = s->extraSprite;
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->kind, 20);
    EXPECT_GE(extra->frameCount(), 166);
    ensureExtraSprite();
    EXPECT_EQ(s->extraSprite.get(), extra);

    paintAnimatedBadge(9, 0);
    ASprite* const twin = s->twinSprite;
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->kind, 21);
    EXPECT_GE(twin->frameCount(), 11);
    paintAnimatedBadge(10, 0);
    EXPECT_EQ(s->twinSprite.get(), twin);
}

TEST_F(MenuPackSpritesTest, TheStaffHubsScreenSpriteLoadsOnceWithTheKindOfTheMenuSprites) {
    GameStatics* const s = statics();
    loadScreenSprite();
    ASprite* const staff = s->staffSprite;
    ASSERT_NE(staff, nullptr);
    EXPECT_EQ(staff->kind, 0);
    EXPECT_GE(staff->frameCount(), 15) << "the training types' frames 0-12 and the column marker 14";
    EXPECT_EQ(s->packStream.get(), nullptr) << "the pack is closed";
    const int opens = openCount("menu");
    loadScreenSprite();
    EXPECT_EQ(s->staffSprite.get(), staff);
    EXPECT_EQ(openCount("menu"), opens);
    EXPECT_EQ(application.pendingException, nullptr);
}

TEST_F(MenuPackSpritesTest, AStaffSpriteThatCannotBeReadIsLoggedOnceAndPaintsNothing) {
    // A menu pack whose entry 12 is no sprite file.
    std::vector<tools::PackEntry> entries(12, tools::emptyPackEntry());
    entries.push_back({true, {1, 2, 3}, 0});
    putResources(tools::packArchiveEntries("menu", tools::buildPackParts(entries), ""));
    loadScreenSprite();
    ASprite* const staff = statics()->staffSprite;
    ASSERT_NE(staff, nullptr);
    EXPECT_EQ(staff->frameCount(), 0);
    EXPECT_EQ(application.pendingException, nullptr);
    jint reports = 0;
    for (const std::string& line : logLines()) {
        reports += line.find("pack menu entry 12") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(reports, 1);
    loadScreenSprite();
    EXPECT_EQ(statics()->staffSprite.get(), staff) << "not read again on the next entry";
    auto* const screen = runtime::newObject<profile::Image>();
    screen->initBuffer(480, 800, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
    staff->paintFrame(screen->getGraphics(), 14, 10, 10, 0, 0, 0);
    EXPECT_EQ(application.pendingException, nullptr);
}

} // namespace
} // namespace game::sprites::testing
