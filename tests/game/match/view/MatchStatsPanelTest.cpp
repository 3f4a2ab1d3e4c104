// The match statistics panel through a recording sprite-font double: text, position, anchor
// and palette of every row in both row layouts, the better value per row group, ties, zero
// divisors and the even possession share; and the game's object set-up (mutable image, default
// font, the player's fields and their registration with the collector).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/core/ObjectSetUp.h"
#include "game/core/TextPackage.h"
#include "game/core/services/MatchPanelServices.h"
#include "game/match/CPlayer.h"
#include "game/match/view/MatchStatsPanel.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Font.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "runtime/System.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/game/support/TextFixture.h"
#include "tests/support/StressMode.h"
#include "tools/SamplePacks.h"
#include "tools/SampleTexts.h"

namespace game::testing {
using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::jint;

class ScriptedPanel final : public core::MatchPanelServices {
public:
    void prepareFixtureHeader() override { ++headerCalls; }
    jint teamGoals(match::CTeam* team) override { return team == first ? 3 : team == second ? 1 : -99; }
    int headerCalls = 0;
    match::CTeam* first = nullptr;
    match::CTeam* second = nullptr;
};

class MatchStatsPanelTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        putResources(tools::samplePackEntries());
        sprites::loadTextPackageEntry(runtime::getConstantString(tools::kTextPackConstant),
                                      tools::kTextPackageEntry);
        GameStatics* s = statics();
        s->currentGraphics = runtime::newObject<profile::Graphics>(core::createMutableImage(480, 800));
        s->firstTeam = runtime::newObject<match::CTeam>();
        s->secondTeam = runtime::newObject<match::CTeam>();
        panel.first = s->firstTeam.get();
        panel.second = s->secondTeam.get();
        runtime::ObjectArray* stats = runtime::newObjectArray(2);
        s->matchStats = stats;
        for (int t = 0; t < 2; ++t) {
            (*stats)[t] = runtime::newShortArray(13);
        }
        runtime::ObjectArray* names = runtime::newObjectArray(2);
        s->matchTeamNames = names;
        (*names)[0] = string("HOME");
        (*names)[1] = string("AWAY");
        s->panelTextOffsets = runtime::newByteArray(1);
        s->matchTeamIndexA = 0;
        s->matchTeamIndexB = 1;
    }
    static void setStats(const int team, const std::vector<short>& values) {
        auto* row = static_cast<runtime::ShortArray*>((*statics()->matchStats)[team]);
        for (int i = 0; i < 13; ++i) {
            (*row)[i] = values[static_cast<std::size_t>(i)];
        }
    }

    ScriptedPanel panel;
    LineRecorder recorder;
    runtime::ScopedService<core::MatchPanelServices> scoped{core::installMatchPanelServices, panel};
    runtime::ScopedService<sprites::TextLineDrawer> drawerScope{&sprites::installTextLineDrawer, recorder};
};

TEST_F(MatchStatsPanelTest, RowValues) {
    //                          0  1  2  3  4  5  6  7  8      9   10  11  12
    const short a[13] = {5, 0, 2, 2, 1, 3, 0, 0, 0, 3, 1, 4, 0};
    const short b[13] = {4, 1, 2, 2, 2, 3, 0, 0, 0, 0, 0, 0, 0};
    const struct {
        int row, left, right;
    } cases[] = {{0, 5, 4}, {4, 1, 2}, {8, 50, 50}, {9, 75, 0}, {10, 0, 0}};
    for (const auto& c : cases) {
        const match::StatRowValues v = match::statRowValues(c.row, a, b);
        EXPECT_EQ(v.left, c.left) << c.row;
        EXPECT_EQ(v.right, c.right) << c.row;
    }
    // Possession counts as unsigned: 40000 ticks against 10000.
    const short pa[13] = {0, 0, 0, 0, 0, 0, 0, 0, static_cast<short>(40000)};
    const short pb[13] = {0, 0, 0, 0, 0, 0, 0, 0, 10000};
    EXPECT_EQ(match::statRowValues(8, pa, pb).left, 80);
    EXPECT_EQ(match::statRowValues(8, pa, pb).right, 20);
}

// Statistics whose rows show every case: rows 0-3 larger is better, 4-7 smaller, 8 the
// possession share, 9 and 10 the rates over entries 11 and 12.
const std::vector<short> kHomeStats = {5, 1, 2, 0, 1, 3, 0, 0, 30, 3, 1, 4, 0};
const std::vector<short> kAwayStats = {4, 1, 3, 0, 2, 3, 1, 0, 10, 0, 0, 0, 0};

// The eleven rows the panel paints for kHomeStats and kAwayStats from line `at` on: (left text,
// left palette, right text, right palette) per row, and the row's label.
void expectRows(const std::vector<DrawnLine>& lines, std::size_t at) {
    const struct {
        const char* left;
        int leftPalette;
        const char* right;
        int rightPalette;
    } rows[] = {
        {"5 ", 1, "4 ", 0},   {"1 ", 0, "1 ", 0},  {"2 ", 0, "3 ", 1}, {"0 ", 0, "0 ", 0},
        {"1 ", 1, "2 ", 0},   {"3 ", 0, "3 ", 0},  {"0 ", 1, "1 ", 0}, {"0 ", 0, "0 ", 0},
        {"75%", 1, "25%", 0}, {"75%", 1, "0%", 0}, {"0%", 0, "0%", 0},
    };
    ASSERT_EQ(lines.size(), at + 33);
    for (int r = 0; r < 11; ++r, at += 3) {
        const std::string label = testing_support::textOf(core::getText(29 + r));
        const jint y = 160 + 28 * r + 7;
        EXPECT_EQ(lines[at], (DrawnLine{rows[r].left, 34, y, 1, 0, rows[r].leftPalette})) << r;
        EXPECT_EQ(lines[at + 1], (DrawnLine{rows[r].right, 446, y, 4, 0, rows[r].rightPalette})) << r;
        EXPECT_EQ(lines[at + 2], (DrawnLine{label, 240, y, 2, 0, 0})) << r;
        EXPECT_FALSE(label.empty()) << r;
    }
}

TEST_F(MatchStatsPanelTest, PaintsEveryTextWithItsPalette) {
    setStats(0, kHomeStats);
    setStats(1, kAwayStats);
    (*statics()->panelTextOffsets)[0] = -4;
    match::paintMatchStats();
    EXPECT_EQ(panel.headerCalls, 1); // no badge strip yet
    const std::vector<DrawnLine> top = {
        {"HOME", 35, 158, 9, 0, 1},
        {"AWAY", 445, 158, 12, 0, 1},
        {"1   3", 240, 156, 10, 0, 1}, // the second team is shown first while sides are not swapped
        {"-", 240, 156, 10, 0, 1},
    };
    const std::vector<DrawnLine> lines = recorder.take();
    ASSERT_EQ(lines.size(), top.size() + 33);
    for (std::size_t i = 0; i < top.size(); ++i) {
        EXPECT_EQ(lines[i], top[i]) << i;
    }
    expectRows(lines, top.size());
}

// New rows above freed garbage: the paint's first allocation under stress slides the rows' storage
// down into the holes, and every later one moves it again. Each row still reads the values.
[[gnu::noinline]] void replaceRowsAboveGarbage() {
    for (int i = 0; i < 8; ++i) {
        runtime::newShortArray(13);
    }
    for (int t = 0; t < 2; ++t) {
        (*statics()->matchStats)[t] = runtime::newShortArray(13);
    }
}

TEST_F(MatchStatsPanelTest, RowsReadTheirValuesWhileEveryAllocationMovesThem) {
    replaceRowsAboveGarbage();
    setStats(0, kHomeStats);
    setStats(1, kAwayStats);
    runtime::clearDeadStack();
    application.objectManager->gc(0);
    const std::size_t moves = application.secondaryHeap->compactionCount();
    {
        const testing_support::StressMode stress(true);
        match::paintMatchStats();
    }
    EXPECT_GT(application.secondaryHeap->compactionCount(), moves + 11);
    const std::vector<DrawnLine> lines = recorder.take();
    expectRows(lines, 4);
}

TEST_F(MatchStatsPanelTest, MatchDayLayoutAndSwappedSides) {
    statics()->matchDayMode = 1;
    statics()->sidesSwapped = 1;
    statics()->badgeStrip = core::createMutableImage(42, 56);
    match::paintMatchStats();
    EXPECT_EQ(panel.headerCalls, 0);
    const std::vector<DrawnLine> lines = recorder.take();
    ASSERT_EQ(lines.size(), 4u + 33u);
    EXPECT_EQ(lines[2].text, "3   1");
    for (int r = 0; r < 11; ++r) {
        const std::size_t at = 4 + 3 * static_cast<std::size_t>(r);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(lines[at + k].y, 190 + 32 * r + 7) << r;
        }
    }
    EXPECT_EQ(lines[4 + 3 * 8].text, "50%"); // no possession yet
    EXPECT_EQ(lines[5 + 3 * 8].text, "50%");
}

// Team indices outside the statistics or the names draw the top texts they can and no rows.
TEST_F(MatchStatsPanelTest, UnknownTeamsDrawNoRows) {
    statics()->matchTeamIndexB = 5;
    match::paintMatchStats();
    const std::vector<DrawnLine> lines = recorder.take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "HOME");
    EXPECT_EQ(lines[2].text, "-");
}

class ObjectSetUpFixture : public GameResourceFixture {};

TEST_F(ObjectSetUpFixture, MutableImageAndDefaultFont) {
    profile::Image* image = core::createMutableImage(30, 20);
    EXPECT_EQ(image->getWidth(), 30);
    EXPECT_EQ(image->getHeight(), 20);
    EXPECT_EQ(image->isMutable, 1);
    runtime::Font* font = core::getDefaultFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->face + font->style + font->size, 0);
    runtime::System::gc();
    EXPECT_EQ(core::getDefaultFont(), font);
}

TEST_F(ObjectSetUpFixture, NewPlayerKeepsItsSevenReferencesAlive) {
    auto* player = runtime::newObject<match::CPlayer>();
    EXPECT_EQ(player->team, nullptr);
    ASSERT_NE(player->trail, nullptr);
    EXPECT_EQ(player->trail->length, 32);
    EXPECT_EQ(player->sprite, nullptr);

    // The class knows exactly the seven reference fields.
    const runtime::ClassRecord* record = runtime::getClassRecord(runtime::kCPlayer);
    ASSERT_EQ(record->refCount, 7);
    const auto offsetOf = [player](const void* field) {
        return static_cast<jint>(reinterpret_cast<const char*>(field) -
                                 reinterpret_cast<const char*>(player));
    };
    std::vector<jint> expected = {offsetOf(&player->team),      offsetOf(&player->opponents),
                                  offsetOf(&player->stepTable), offsetOf(&player->pairA),
                                  offsetOf(&player->pairB),     offsetOf(&player->trail),
                                  offsetOf(&player->sprite)};
    std::vector<jint> registered(record->refOffsets, record->refOffsets + record->refCount);
    std::sort(expected.begin(), expected.end());
    std::sort(registered.begin(), registered.end());
    EXPECT_EQ(registered, expected);

    player->team = runtime::newObject<match::CTeam>();
    player->opponents = runtime::newObject<match::CTeam>();
    player->stepTable = runtime::newIntArray(6);
    player->pairA = runtime::newIntArray(2);
    player->pairB = runtime::newIntArray(2);
    player->trail = runtime::newByteArray(32);
    player->sprite = runtime::newObject<sprites::ASprite>();
    (*player->trail)[31] = 7;
    (*player->pairA)[0] = 8;
    (*player->pairB)[1] = 9;
    (*player->stepTable)[5] = 10;
    player->sprite->kind = 11;
    for (int i = 0; i < 3; ++i) {
        runtime::newByteArray(4096); // garbage between
        runtime::System::gc();
    }
    EXPECT_EQ((*player->trail)[31], 7);
    EXPECT_EQ((*player->pairA)[0], 8);
    EXPECT_EQ((*player->pairB)[1], 9);
    EXPECT_EQ((*player->stepTable)[5], 10);
    EXPECT_EQ(player->sprite->kind, 11);
    EXPECT_EQ(player->team->classId, runtime::kCTeam);
    EXPECT_EQ(player->opponents->classId, runtime::kCTeam);
}

} // namespace
} // namespace game::testing
