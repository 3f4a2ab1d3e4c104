// Golden images of the match statistics panel drawn by the game on the sample data (the sample
// font 0 and texts, after the start-up loading), in both row layouts. The panel's window of the
// screen is compared pixel for pixel with tests/fixtures/framework/<name>.png.
//
// After a deliberate change of the painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_framework_tests --gtest_filter='MatchStatsGolden*'
// and look at every rewritten image before committing it.
#include <gtest/gtest.h>

#include <string>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/core/services/MatchPanelServices.h"
#include "game/match/CPlayer.h"
#include "game/match/view/MatchStatsPanel.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
using namespace game::core;

namespace {

using runtime::jint;

constexpr jint kScreenW = 480;
constexpr jint kScreenH = 800;
constexpr jint kWindowTop = 110;
constexpr jint kWindowH = 450;
constexpr jint kBackground = 0x203040;
// Three badges of the strip, one colour each, with a darker corner to show the slice's origin.
constexpr jint kBadgeColours[] = {0xC02020, 0x20A040, 0x2040D0};
constexpr jint kStartupFrameLimit = 60;

class GoalsOfTheMatch final : public MatchPanelServices {
public:
    void prepareFixtureHeader() override {}
    jint teamGoals(match::CTeam* team) override { return team == statics()->firstTeam.get() ? 2 : 1; }
};

class MatchStatsGoldenTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        for (int i = 0; i < kStartupFrameLimit && statics()->topState == kTopStateLoading; ++i) {
            harness.runFrames(1);
        }
        ASSERT_NE(statics()->topState, kTopStateLoading);
        previousGraphics = statics()->currentGraphics.get();
    }
    void TearDown() override {
        statics()->currentGraphics = previousGraphics;
        SampleGameHarness::TearDown();
    }

    // The statics the panel reads: badges, names, the two teams and a statistics fixture.
    static void setUpMatch() {
        GameStatics* s = statics();
        s->badgeStrip = createMutableImage(42, 28 * 3);
        profile::Graphics* strip = s->badgeStrip->getGraphics();
        for (jint k = 0; k < 3; ++k) {
            strip->setColor(kBadgeColours[k]);
            strip->fillRect(0, 28 * k, 42, 28);
            strip->setColor(0x101010);
            strip->fillRect(0, 28 * k, 6, 6);
        }
        runtime::ObjectArray* names = runtime::newObjectArray(3);
        s->matchTeamNames = names;
        (*names)[0] = runtime::newStringFromCString("ASHFORD");
        (*names)[2] = runtime::newStringFromCString("RIVERSIDE");
        s->matchTeamIndexA = 2;
        s->matchTeamIndexB = 0;
        s->panelTextOffsets = runtime::newByteArray(1);
        s->firstTeam = runtime::newObject<match::CTeam>();
        s->secondTeam = runtime::newObject<match::CTeam>();
        runtime::ObjectArray* stats = runtime::newObjectArray(3);
        s->matchStats = stats;
        const short values[3][13] = {
            {7, 3, 5, 2, 4, 1, 0, 9, 210, 5, 2, 10, 4},
            {},
            {9, 3, 2, 4, 2, 1, 3, 6, 340, 4, 0, 6, 0},
        };
        for (int t = 0; t < 3; ++t) {
            runtime::ShortArray* row = runtime::newShortArray(13);
            (*stats)[t] = row;
            for (int i = 0; i < 13; ++i) {
                (*row)[i] = values[t][i];
            }
        }
    }

    profile::Graphics* previousGraphics = nullptr;
    GoalsOfTheMatch goals;
    runtime::ScopedService<MatchPanelServices> goalsScope{&installMatchPanelServices, goals};
};

TEST_F(MatchStatsGoldenTest, ThePanelMatchesTheGoldenImages) {
    const struct {
        const char* name;
        runtime::jboolean matchDayMode;
        runtime::jboolean sidesSwapped;
    } cases[] = {
        {"match_stats", 0, 0},
        {"match_stats_match_day", 1, 1},
    };
    setUpMatch();
    profile::Image* screen = createMutableImage(kScreenW, kScreenH);
    statics()->currentGraphics = screen->getGraphics();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        profile::Graphics* g = statics()->currentGraphics;
        g->setClip(0, 0, kScreenW, kScreenH);
        g->setColor(kBackground);
        g->fillRect(0, 0, kScreenW, kScreenH);
        statics()->matchDayMode = c.matchDayMode;
        statics()->sidesSwapped = c.sidesSwapped;
        paintMatchStats();

        profile::test::OwnedSurface window(kScreenW, kWindowH);
        for (jint y = 0; y < kWindowH; ++y) {
            for (jint x = 0; x < kScreenW; ++x) {
                window.at(x, y) = screen->row16(kWindowTop + y)[x];
            }
        }
        profile::test::expectGolden(std::string("framework/") + c.name + ".png", window);
    }
}

} // namespace
} // namespace game::match
