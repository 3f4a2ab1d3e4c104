// The day advance on the generated sample data, in the game booted under the headless host: the
// season started as the menus start it, the days run frame by frame through the game's own frame
// and the season routines, the home screen continued by a tap on the left soft key, until the
// user's first match day.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/season/LeagueTables.h"
#include "game/sprites/loading/StartupLoading.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"

namespace game::menus::day_advance_sample_test {
namespace {

using runtime::jint;

constexpr jint kHome = 134;
constexpr jint kMessages = 133;
constexpr int kFrameLimit = 6000;

class DayAdvanceSampleTest : public testing::SampleGameHarness {
protected:
    // Boots the game, makes a new career's database for team 3 and starts the season; then runs
    // frames, continuing from the home screen, until the first day that stops at the message
    // screen. Answers one line per frame that changed the menu state or the day.
    std::vector<std::string> runToFirstMatchDay() {
        std::vector<std::string> trace;
        const auto bootStart = harness.framesRun();
        while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < bootStart + 60) {
            harness.runFrames(1);
        }
        EXPECT_EQ(statics()->topState, core::kTopStateQuestion) << "the loading ended";
        GameStatics* const s = statics();
        s->menuLoadStep = 0;
        for (int step = 0; step < 10; ++step) {
            sprites::loadMenuResources();
        }
        prepareMatchSides();
        s->userTeam = 3;
        s->userLeague = season::leagueOfTeam(3);
        s->seasonYear = 2009;
        s->managerBirthYear = 20;
        s->settingsFlagA = 1;
        (*s->matchSquadCount)[0] = 20;
        // The first season's guide is done: every entry is open.
        for (jint k = 0; k < s->progressFlags->length; ++k) {
            (*s->progressFlags)[k] = 1;
        }
        s->guideStep = 9;
        // No friendlies: what the new career's reset leaves in the friendly table.
        for (jint k = 0; k < s->fixtureTable->length; ++k) {
            (*s->fixtureTable)[k] = -1;
        }
        core::setTopState(core::kTopStateMenus);
        startSeasonPlay();
        trace.push_back(line());
        std::string last = trace.back();
        for (int frame = 0; frame < kFrameLimit; ++frame) {
            if (s->menuState == kHome) {
                harness.tap(harness.framesRun(), 50, 765);
            } else if (s->menuState == kMessages) {
                // The day's messages are read: back to the home screen.
                harness.tap(harness.framesRun(), 420, 765);
            }
            harness.runFrames(1);
            const std::string now = line();
            if (now != last) {
                trace.push_back(now);
                last = now;
            }
            if (s->menuState == kMessages && s->userEventNow != 0) {
                break;
            }
        }
        return trace;
    }
    static std::string line() {
        const GameStatics* const s = statics();
        return "state " + std::to_string(s->menuState) + " month " + std::to_string(s->monthIndex) + " day " +
               std::to_string(s->matchDayIndex) + " match " + std::to_string(s->userEventNow);
    }
};

TEST_F(DayAdvanceSampleTest, TheDaysRunThroughTheCalendarToTheFirstMatchDay) {
    runtime::LogCapture log;
    const std::vector<std::string> trace = runToFirstMatchDay();
    GameStatics* const s = statics();
    ASSERT_EQ(s->menuState, kMessages) << "the advance reached a match day";
    EXPECT_EQ(s->userEventNow, 1);
    // Every day before the match day was closed in the calendar, and each was seen in turn.
    const jint today = s->monthIndex * 8 + s->matchDayIndex;
    ASSERT_GT(today, 0);
    for (jint slot = 0; slot < today; ++slot) {
        EXPECT_EQ((*s->calendarMarks)[slot * 4], static_cast<runtime::jshort>(0xFFFE)) << slot;
        const std::string day = "month " + std::to_string(slot / 8) + " day " + std::to_string(slot % 8);
        bool seen = false;
        for (const std::string& step : trace) {
            seen = seen || step.find(day) != std::string::npos;
        }
        EXPECT_TRUE(seen) << day;
    }
}

} // namespace
} // namespace game::menus::day_advance_sample_test
