// The player menus on the generated sample data: the game's midlet under the headless host, a new
// game's data sets, the menu handlers as the program installs them. A player of the user's squad
// is released through the action list's question, answered by a scripted touch, his place in the
// first eleven going to a substitute; and the first page of the squad table over the user's squad
// is compared pixel for pixel with tests/fixtures/menus/squad_table.png.
//
// The action list's own highlight moves through the information screens' key operations, which
// stand in without effect until they land; the test puts the highlight on the release row and
// opens its question itself, then answers it by touch.
// The list rows, the pop-ups and the soft-key bar are the management screens' painters, which paint
// nothing yet, so no golden frame of the action list or the profile page is kept.
//
// After a deliberate change of what the squad table draws, rewrite the golden with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_screens_tests --gtest_filter='SamplePlayerMenus*'
// and look at the rewritten image before committing it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TopStates.h"
#include "game/framework/MenuStates.h"
#include "game/match/team/MatchSide.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/screens/menus/SquadTable.h"
#include "game/sprites/loading/StartupLoading.h"
#include "profile/Image.h"
#include "runtime/Exceptions.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::menus {
namespace {

using runtime::jint;

constexpr jint kSampleUserTeam = 5;
constexpr jint kSampleTeamRecordBytes = 64;
constexpr jint kSampleSquadSlots = 30;
constexpr jint kActionList = 0x20000;
constexpr jint kReleaseRow = 3;
constexpr jint kReleasedListRow = 2; // a starter
constexpr jint kYesButtonX = 150;
constexpr jint kShotWidth = 480;
constexpr jint kShotHeight = 800;

class SamplePlayerMenusTest : public testing::SampleGameHarness {
protected:
    // The start-up loading, the menus' sprites and a new game's data sets with the user's side set
    // up for its match squad; then the menus.
    void startNewGame() {
        while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < 60) {
            harness.runFrames(1);
        }
        ASSERT_EQ(statics()->topState, core::kTopStateQuestion);
        GameStatics* const s = statics();
        s->menuLoadStep = 0;
        for (int step = 0; step < 10; ++step) {
            sprites::loadMenuResources();
        }
        prepareMatchSides();
        s->userTeam = kSampleUserTeam;
        match::setUpMatchSide(0, kSampleUserTeam);
        core::setTopState(core::kTopStateMenus);
    }
    static std::vector<jint> userSquad() {
        std::vector<jint> players;
        for (jint slot = 0; slot < kSampleSquadSlots; ++slot) {
            const jint id =
                core::readShortBE(statics()->teamRecords, kSampleUserTeam * kSampleTeamRecordBytes + 2 * slot) & 0xFFFF;
            if (id != 0xFFFF && (id & 0x8000) == 0) {
                players.push_back(id);
            }
        }
        return players;
    }
    static jint playerOfRow(const jint row) {
        const auto* const rows = static_cast<runtime::ByteArray*>((*statics()->lineupAtKickOff)[0]);
        const jint slot = (*rows)[row] & 0xFF;
        return core::readShortBE(statics()->teamRecords, kSampleUserTeam * kSampleTeamRecordBytes + 2 * slot) & 0xFFFF;
    }
};

TEST_F(SamplePlayerMenusTest, AStarterIsReleasedThroughTheActionList) {
    startNewGame();
    GameStatics* const s = statics();
    const std::vector<jint> before = userSquad();
    ASSERT_GT(static_cast<jint>(before.size()), 16) << "a squad that can lose a player";
    s->selectedRow = kReleasedListRow;
    const jint released = playerOfRow(kReleasedListRow);
    s->chosenPlayer = released;
    s->returnMenuState = 134;
    framework::setMenuState(kActionList);
    harness.runFrames(1);
    ASSERT_EQ(s->menuState, kActionList);

    // Row 3, the release, chosen: the question opens (choosing by key is a bench case).
    s->menuSelection = kReleaseRow;
    s->popupActive = 1;
    harness.runFrames(1);
    ASSERT_EQ(s->popupActive, 1);
    // The first button, touched and released: the answer comes once the highlight has arrived.
    const jint buttonY = s->touchListRow + 40;
    harness.press(harness.framesRun(), kYesButtonX, buttonY);
    harness.release(harness.framesRun() + 1, kYesButtonX, buttonY);
    harness.runFrames(4);
    EXPECT_EQ(s->popupActive, 0);
    EXPECT_FALSE(runtime::exceptionPending());

    const std::vector<jint> after = userSquad();
    EXPECT_EQ(after.size() + 1, before.size());
    for (const jint id : after) {
        EXPECT_NE(id, released);
    }
    // His place among the starters went to a substitute of the squad.
    const jint replacement = playerOfRow(kReleasedListRow);
    EXPECT_NE(replacement, released);
    EXPECT_NE(replacement, 0xFFFF);
}

TEST_F(SamplePlayerMenusTest, TheFirstPageOfTheSquadTable) {
    startNewGame();
    GameStatics* const s = statics();
    framework::setMenuState(1048586);
    harness.runFrames(1);
    listTeamSquad(kSampleUserTeam);
    ASSERT_GT(s->squadListCount, 13) << "two pages";
    s->rowScroll = 0;
    s->listPage = 0;
    s->menuSelection = 1;
    s->currentGraphics = s->backBufferGraphics;
    updateSquadTable();
    ASSERT_FALSE(runtime::exceptionPending());

    const profile::Image& frame = *s->backBufferImage;
    profile::test::OwnedSurface shot(kShotWidth, kShotHeight);
    for (jint y = 0; y < kShotHeight; ++y) {
        for (jint x = 0; x < kShotWidth; ++x) {
            shot.at(x, y) = frame.row16(y)[x];
        }
    }
    profile::test::expectGolden("menus/squad_table.png", shot);
}

} // namespace
} // namespace game::menus
