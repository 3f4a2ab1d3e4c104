// The match panel views on a memory screen: the radar places each team's dot from one record's
// positions (absent pairs left out), the radar ball's frame by height, the event panel's header,
// and the pause symbol of a halted match in both panel views.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchPanelViews.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "tests/game/support/FrameworkFixture.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using runtime::jint;
using Calls = std::vector<std::string>;

// 5 x 5 dots: team 0 pure red, team 1 pure blue.
constexpr std::uint16_t kRed565 = 0xF800;
constexpr std::uint16_t kBlue565 = 0x001F;
constexpr std::uint16_t kWhite565 = 0xFFFF;

class MatchPanelViewsTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        screen = core::createMutableImage(480, 800);
        s->currentGraphics = runtime::newObject<profile::Graphics>(screen);
        ASSERT_NE(match::ensureFrameRecord(), nullptr);
        s->radarImages = runtime::newObjectArray(8);
        (*s->radarImages)[0] = dot(0xFF0000);
        (*s->radarImages)[1] = dot(0x0000FF);
        runtime::ShortArray* r = s->frameRecord;
        for (jint i = kFirstPlayerWord; i <= kBallWord + 2; ++i) {
            (*r)[i] = -1;
        }
        (*r)[kLengthWord] = kShortestRecord;
    }
    static profile::Image* dot(const jint colour) {
        profile::Image* image = core::createMutableImage(5, 5);
        profile::Graphics* g = runtime::newObject<profile::Graphics>(image);
        g->setColor(colour);
        g->fillRect(0, 0, 5, 5);
        return image;
    }
    std::uint16_t pixel(const jint x, const jint y) const { return screen->row16(y)[x]; }

    profile::Image* screen = nullptr;
    CallLog log;
    ScriptedManagement management{log};
    runtime::ScopedService<core::ManagementServices> managementScope{&core::installManagementServices, management};
};

TEST_F(MatchPanelViewsTest, TheRadarPlacesTheDotsOfOneRecord) {
    GameStatics* s = statics();
    s->matchViewMode = 1;
    runtime::ShortArray* r = s->frameRecord;
    // Team 0's keeper at pitch (0, 0), team 1's number 10 at (252, -126); the rest absent.
    (*r)[kFirstPlayerWord] = 0;
    (*r)[kFirstPlayerWord + 1] = 0;
    (*r)[kFirstSecondTeamWord + 20] = 252;
    (*r)[kFirstSecondTeamWord + 21] = -126;
    match::updateMatchExit();
    EXPECT_EQ(match::radarX(0), 221);
    EXPECT_EQ(match::radarY(0), 299);
    EXPECT_EQ(match::radarX(-126), 163);
    EXPECT_EQ(match::radarY(252), 183);
    EXPECT_EQ(pixel(221 - 3, 299 - 3), kRed565);
    EXPECT_EQ(pixel(221 + 1, 299 + 1), kRed565);
    EXPECT_EQ(pixel(163 - 3, 183 - 3), kBlue565);
    // The absent pairs (-1, -1) would sit at (220, 299); nothing else is drawn.
    EXPECT_EQ(pixel(221 + 2, 299 + 2), 0);
    EXPECT_EQ(log.take({"paintScreenHeader"}), Calls{"paintScreenHeader 0"});
}

TEST_F(MatchPanelViewsTest, TheRadarBallFrameFollowsItsHeight) {
    for (const auto& [height, frame] : {std::pair{0, 11}, {14, 11}, {15, 10}, {29, 10}, {30, 9}, {200, 9}}) {
        EXPECT_EQ(match::radarBallFrame(height), frame) << height;
    }
}

TEST_F(MatchPanelViewsTest, TheEventPanelShowsInModeTwoAndDuringAReplay) {
    GameStatics* s = statics();
    for (const auto& [mode, lock] : {std::pair{2, 0}, {1, 1}}) {
        s->matchViewMode = mode;
        s->matchViewLock = static_cast<runtime::jboolean>(lock);
        match::updateMatchExit();
        EXPECT_EQ(log.take({"paintScreenHeader"}), Calls{"paintScreenHeader 2"}) << mode;
    }
}

TEST_F(MatchPanelViewsTest, AHaltedMatchShowsThePauseBarsInEitherPanel) {
    GameStatics* s = statics();
    for (const jint mode : {1, 2}) {
        screen->release();
        screen = core::createMutableImage(480, 800);
        s->currentGraphics = runtime::newObject<profile::Graphics>(screen);
        s->matchViewMode = mode;
        s->matchHalted = 0;
        match::updateMatchExit();
        EXPECT_NE(pixel(27, 80), kWhite565) << mode;
        s->matchHalted = 1;
        match::updateMatchExit();
        for (const jint x : {26, 42}) {
            EXPECT_EQ(pixel(x, 74), 0) << mode;
            EXPECT_EQ(pixel(x + 1, 75), kWhite565) << mode;
            EXPECT_EQ(pixel(x + 9, 103), kWhite565) << mode;
        }
    }
}

} // namespace

} // namespace game::testing
