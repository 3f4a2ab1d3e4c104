// The menu screens' entry preparation on the generated sample data: the game's midlet under the
// headless host runs the start-up loading and the second loading stage, then the main menu, the new week and
// the home screen are entered through setMenuState (their menu handlers are not built yet): what each entry
// prepares, the sounds it plays, and that no stand-in service runs but those the entries use.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/framework/MenuStates.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/loading/StartupLoading.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsPrint.h"
#include "tests/game/support/MenuEntryFixture.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"

namespace game::framework {
using namespace game::sprites;
using namespace game::match;
using namespace game::core;

namespace {

using runtime::jint;
using testing::Calls;

// The stand-in services these entries may use: the inbox and keyed message lists, the wage room,
// the competition record save, the menu background animation and the transfer look-ups.
const char* const kAllowedStandIns[] = {"refreshInboxScreen",      "upsertKeyedMessage", "getTeamWageRoom",
                                        "saveCompetitionState370", "setMenuAnimation",   "getPlayerLabel",
                                        "transferInterest"};

bool isAllowedStandIn(const std::string& line) {
    for (const char* name : kAllowedStandIns) {
        if (line.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class MenuEntryHarnessTest : public testing::SampleGameHarness {};

TEST_F(MenuEntryHarnessTest, TheMainMenuTheNewWeekAndTheHomeScreenPrepareThemselvesOnTheSampleData) {
    // The start-up loading and the second loading stage, up to the first-run question.
    while (statics()->topState != kTopStateQuestion && harness.framesRun() < 60) {
        harness.runFrames(1);
    }
    ASSERT_EQ(statics()->topState, kTopStateQuestion) << "the loading ended";
    GameStatics* s = statics();
    // The menus' sprite steps, which the stand-in second loading stage does not run.
    s->menuLoadStep = 0;
    for (int step = 0; step < 10; ++step) {
        sprites::loadMenuResources();
    }
    testing::CallLog calls;
    s->systemOut =
        runtime::newObject<runtime::java_io_PrintStream>(runtime::newObject<testing::LoggingConsole>(&calls));
    runtime::LogCapture log;
    setTopState(kTopStateMenus);

    // The main menu: the message ring emptied, the recent records cleared, sound 22, and the menu
    // background's animation 11 from its first frame.
    s->inboxCount = 3;
    setMenuState(32);
    EXPECT_EQ(s->menuState, 32);
    EXPECT_EQ(calls.take({"playSound"}), Calls{"playSound 22"});
    EXPECT_EQ(s->inboxCount, 0);
    EXPECT_EQ(s->mainMenuMarker, -1);
    for (jint r = 0; r < s->inboxPool->length; ++r) {
        const auto* row = static_cast<runtime::ByteArray*>((*s->inboxPool)[r]);
        ASSERT_EQ((*row)[0], -1) << r;
    }
    sprites::ASpriteInstance* background = s->menuSpriteInstance;
    ASSERT_NE(background, nullptr);
    ASSERT_NE(background->sprite, nullptr);
    EXPECT_EQ(background->anim, 11);
    EXPECT_EQ(background->aframe, 0);
    EXPECT_EQ(background->lastFrame, ((*background->sprite->animFrameCount)[11] & 0xFF) - 1);
    EXPECT_EQ(s->menuCursorX, 334);
    EXPECT_EQ(s->popupAnchor, -1);

    // The new week, entered from the main menu: the event search ran, the news kind is 1.
    s->eventsToUserEvent = 77;
    setMenuState(0x88);
    EXPECT_EQ(s->menuState, 0x88);
    EXPECT_EQ(calls.take({"playSound"}), Calls{});
    EXPECT_EQ(s->weekNewsKind, 1);
    EXPECT_NE(s->eventsToUserEvent, 77);

    // The home screen: sound 17 and both match sides back to the squad order.
    setMenuState(0x86);
    EXPECT_EQ(s->menuState, 0x86);
    EXPECT_EQ(calls.take({"playSound"}), Calls{"playSound 17"});
    for (jint side = 0; side < 2; ++side) {
        const auto* lineup = static_cast<runtime::ByteArray*>((*s->lineup)[side]);
        for (jint i = 0; i < 30; ++i) {
            ASSERT_EQ((*lineup)[i], i) << side;
        }
        const auto* bench = static_cast<runtime::ByteArray*>((*s->benchSlots)[side]);
        EXPECT_EQ((*bench)[0], -1);
        EXPECT_EQ((*s->substitutionLimit)[side], s->defaultSubstitutionLimit);
    }
    EXPECT_EQ(s->lineupChanged, -1);
    EXPECT_FALSE(runtime::exceptionPending());

    for (const std::string& line : log.lines) {
        if (line.rfind("interim: ", 0) == 0) {
            EXPECT_TRUE(isAllowedStandIn(line)) << line;
        }
    }
}

} // namespace
} // namespace game::framework
