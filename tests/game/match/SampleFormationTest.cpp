// The formations of the generated sample data on a real match team of the start-up loading:
// every record gives valid roles, line codes and cells; and the formation board of a sample club
// set up for the match shows its eleven players on their formation points (a golden image).
//
// After a deliberate change of the board, rewrite the golden with
//   TARNWICK_UPDATE_GOLDENS=1 build/rel/tests/game_match_tests --gtest_filter='SampleFormation*'
// and look at the rewritten image before committing it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/team/MatchSide.h"
#include "game/resources/DatabaseTables.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/MenuDrawing.h"
#include "game/sprites/SpriteLoading.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

class SampleFormationTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        for (int i = 0; i < kFrameLimit && statics()->topState == core::kTopStateLoading; ++i) {
            harness.runFrames(1);
        }
        ASSERT_NE(statics()->topState, core::kTopStateLoading);
        previousGraphics = statics()->currentGraphics.get();
        // The database and its formation tables, which the game's loading reads after the
        // first-run question.
        resources::loadDatabaseTables();
        resources::loadExtraTables();
    }
    void TearDown() override {
        statics()->currentGraphics = previousGraphics;
        SampleGameHarness::TearDown();
    }
    // Menu pack entry `entry` as a sprite into field, as the menus' loading steps make them.
    static void loadMenuSprite(runtime::StaticRef<sprites::ASprite>& field, const jint entry) {
        sprites::ASprite* sprite = runtime::newObject<sprites::ASprite>();
        field = sprite;
        ASSERT_TRUE(sprites::loadSpriteFromPack(sprite, runtime::getConstantString(kMenuPack), entry));
    }
    static constexpr int kFrameLimit = 200;
    static constexpr jint kMenuPack = 116;
    profile::Graphics* previousGraphics = nullptr;
};

TEST_F(SampleFormationTest, EveryFormationOfTheDataSetGivesValidRolesCodesAndCells) {
    GameStatics* s = statics();
    const jint count = s->formationTableLength / 67;
    ASSERT_EQ(count, 24);
    ASSERT_EQ(s->formationSlotsLength, 240);
    CTeam* team = matchTeam(0);
    ASSERT_NE(team, nullptr);
    const std::set<jint> rows = {-10, -4, 2, 8, 14};
    for (jint f = 0; f < count; ++f) {
        SCOPED_TRACE(f);
        team->setFormation(f);
        ASSERT_EQ(team->formationIndex, f);
        EXPECT_EQ(team->defenders + team->midfielders + team->attackers, 10);
        const jint d = team->defenders;
        const jint dm = d + team->midfielders;
        const CPlayer* keeper = teamPlayer(team, 0);
        EXPECT_EQ(keeper->role, 0);
        EXPECT_EQ(keeper->formationSlot, -1);
        EXPECT_EQ(keeper->homeCellX, -16);
        std::set<std::pair<jint, jint>> homes;
        for (jint i = 1; i <= 10; ++i) {
            const CPlayer* p = teamPlayer(team, i);
            const jint role = i <= d ? 1 : i > dm ? 3 : 2;
            const jint size = role == 1 ? d : role == 2 ? dm - d : 10 - dm;
            const jint k = role == 1 ? i - 1 : role == 2 ? i - d - 1 : i - dm - 1;
            const auto* codes = static_cast<runtime::IntArray*>((*s->formationLines)[size - 1]);
            EXPECT_EQ(p->role, role) << i;
            EXPECT_EQ(p->linePosition, (*codes)[k]) << i;
            EXPECT_EQ(p->formationSlot, (*s->formationSlots)[f * 10 + i - 1]) << i;
            EXPECT_EQ(rows.count(p->homeCellX), 1u) << i;
            EXPECT_GE(p->homeCellY, -8);
            EXPECT_LE(p->homeCellY, 8);
            EXPECT_TRUE(homes.insert({p->homeCellX, p->homeCellY}).second) << "two players at home " << i;
            EXPECT_EQ(p->forwardCellX, p->homeCellX + (role == 3 ? 0 : 6)) << i;
            EXPECT_LE(p->deepCellX, p->homeCellX) << i;
            EXPECT_GE(p->deepCellX, -16) << i;
        }
        auto* name = static_cast<runtime::String*>((*s->formationNames)[0]);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->length(), 7);
        EXPECT_EQ(name->charAt(0), '0' + d);
    }
}

TEST_F(SampleFormationTest, TheBoardShowsTheElevenOnTheirFormationPoints) {
    GameStatics* s = statics();
    loadMenuSprite(s->interfaceSprite, 3);
    loadMenuSprite(s->arrowSprite, 6);
    setUpMatchSide(0, 0);
    matchTeam(0)->setFormation(6);
    profile::Image* screen = core::createMutableImage(480, 800);
    s->currentGraphics = screen->getGraphics();
    profile::Graphics* g = s->currentGraphics;
    g->setClip(0, 0, 480, 800);
    g->setColor(0x203040);
    g->fillRect(0, 0, 480, 800);
    s->menuState = 0;
    s->selectedPlayerSlot = -1;
    sprites::drawFormation(0, 0, 0, 0, 106);
    constexpr jint kTop = 100;
    constexpr jint kHeight = 380;
    profile::test::OwnedSurface window(480, kHeight);
    for (jint y = 0; y < kHeight; ++y) {
        for (jint x = 0; x < 480; ++x) {
            window.at(x, y) = screen->row16(kTop + y)[x];
        }
    }
    profile::test::expectGolden("match/formation_board.png", window);
}

} // namespace
} // namespace game::match
