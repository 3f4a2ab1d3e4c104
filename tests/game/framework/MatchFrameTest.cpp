// The match state's frame: the ticks of a frame by speed, doubling, halt and match day, the order
// of its steps, and the match keys and touch buttons.
#include "game/framework/MatchFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "game/core/TopStates.h"
#include "tests/game/support/FrameFixture.h"

namespace game::framework {
using namespace game::core;

namespace {

using runtime::jint;
using Calls = std::vector<std::string>;

class MatchFrameTest : public testing::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        block()->topState = kTopStateMatch;
        block()->framesInState = 7;
        block()->matchSpeedBase = 1;
        block()->matchPeriod = 1;
        block()->matchPhase = 1;
        neighbours.log.take();
    }
    // The ticks of one frame.
    int ticksOfAFrame() {
        frame();
        const Calls calls = neighbours.log.take({"updateMatch"});
        return static_cast<int>(calls.size());
    }
    // A key down and up between frames (key codes of the profile).
    void tapKey(const jint code) {
        canvas->keyPressed(code);
        canvas->keyReleased(code);
    }
    void tapAt(const jint x, const jint y) {
        canvas->pointerPressed(x, y);
        canvas->pointerReleased(x, y);
    }
};

TEST_F(MatchFrameTest, AFrameRunsTheBaseTimesTwoToTheLevelShiftedByTheDoubling) {
    for (const jint base : {1, 2}) {
        for (jint level = 0; level <= 3; ++level) {
            for (const bool doubled : {false, true}) {
                block()->matchSpeedBase = base;
                block()->matchSpeedLevel = level;
                block()->matchSpeedDoubled = doubled;
                const int expected = base << (doubled ? level * 2 : level);
                EXPECT_EQ(ticksOfAFrame(), expected) << base << " " << level << " " << doubled;
                EXPECT_EQ(block()->matchSpeedUsed, level);
            }
        }
    }
    // Level 3 with doubling runs 64 times the base.
    EXPECT_EQ(matchTicksPerFrame(1, 3, true), 64);
    EXPECT_EQ(matchTicksPerFrame(2, 3, true), 128);
    EXPECT_EQ(matchTicksPerFrame(2, 3, false), 16);
}

TEST_F(MatchFrameTest, AReplayRunsTheBaseTicksOnly) {
    block()->matchSpeedBase = 2;
    block()->matchSpeedLevel = 3;
    block()->matchViewLock = 1;
    EXPECT_EQ(ticksOfAFrame(), 2);
    EXPECT_EQ(block()->matchSpeedUsed, 0);
}

TEST_F(MatchFrameTest, HaltingOrLeavingTheMatchStopsTheTicksAtOnce) {
    block()->matchSpeedLevel = 3;
    block()->matchHalted = 1;
    EXPECT_EQ(ticksOfAFrame(), 0);
    EXPECT_EQ(block()->matchTicks, 0);

    block()->matchHalted = 0;
    int ticks = 0;
    neighbours.log.on("updateMatch", [&] {
        if (++ticks == 3) {
            statics()->matchHalted = 1;
        }
    });
    EXPECT_EQ(ticksOfAFrame(), 3);
    EXPECT_EQ(block()->matchTicks, 3);

    block()->matchHalted = 0;
    ticks = 0;
    neighbours.log.on("updateMatch", [&] {
        if (++ticks == 2) {
            setTopState(kTopStateMenus);
        }
    });
    EXPECT_EQ(ticksOfAFrame(), 2);
}

TEST_F(MatchFrameTest, OneTickRecordsTheViewWithTheTickFlagSet) {
    block()->matchTicks = 41;
    frame();
    const Calls tick =
        neighbours.log.take({"updateMatchClock", "updateMatch", "copyViewRefresh", "paintMatchView"});
    EXPECT_EQ(tick, (Calls{"updateMatchClock", "updateMatch", "copyViewRefresh", "paintMatchView 1"}));
    EXPECT_EQ(block()->matchTicks, 42);
    EXPECT_FALSE(block()->inMatchTick);
}

TEST_F(MatchFrameTest, AMatchDayStopsItsTicksAtTheNextHundredOrTheMatchEnd) {
    struct Case {
        const char* name;
        runtime::jlong start;
        int endAfter; // the match ends after this many ticks (0: never)
        int ticks;
    };
    const Case cases[] = {
        {"from 37", 37, 0, 63}, {"from 99", 99, 0, 1},     {"from 100", 100, 0, 100},
        {"from 0", 0, 0, 100},  {"ends at once", 5, 1, 1}, {"ends later", 5, 10, 10},
    };
    for (const Case& c : cases) {
        block()->matchDayMode = 1;
        block()->matchTicks = c.start;
        block()->matchEndMarker = 0;
        block()->matchViewMode = 2;
        int ticks = 0;
        neighbours.log.on("updateMatch", [&] {
            if (++ticks == c.endAfter) {
                statics()->matchEndMarker = 106;
            }
        });
        frame();
        const Calls calls = neighbours.log.take();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "updateMatch"), c.ticks) << c.name;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "paintMatchView 1"), c.ticks) << c.name;
        EXPECT_EQ(block()->matchTicks, c.start + c.ticks) << c.name;
        EXPECT_EQ(block()->matchViewMode, 0) << c.name;
    }
}

TEST_F(MatchFrameTest, AMatchDayNotesTheKickOffOfALaterPeriod) {
    struct Case {
        jint phase;
        jint lastPhase;
        jint period;
        bool stop;
    };
    const Case cases[] = {
        {2, 0, 2, true}, {2, 0, 3, true}, {2, 0, 1, false}, {2, 2, 2, false}, {0, 2, 2, false}};
    for (const Case& c : cases) {
        block()->matchDayMode = 1;
        block()->matchTicks = 99;
        block()->matchPhase = c.phase;
        block()->lastMatchPhase = c.lastPhase;
        block()->matchPeriod = c.period;
        block()->halfTimeStop = 0;
        frame();
        EXPECT_EQ(block()->halfTimeStop != 0, c.stop) << c.phase << " " << c.lastPhase << " " << c.period;
    }
}

// The logic first (timers, keys, mentality, ticks, playback, shown score, a skipped period's
// end), then the painting. In view mode 0 the statistics panel runs after the pop-up box: with no
// badge strip yet it first asks for the match panel set-up.
TEST_F(MatchFrameTest, TheStepsOfAFrameRunInOrderInEachViewMode) {
    block()->matchInterrupted = 1;
    block()->matchViewMode = 0;
    frame();
    EXPECT_EQ(neighbours.log.take(),
              (Calls{"advanceOrderEndTimes", "updateMentality", "updateMatchClock", "updateMatch",
                     "copyViewRefresh", "paintMatchView 1", "updateMatchPlayback", "copyShownScore",
                     "endSkippedPeriod", "paintMatchOverlay", "paintScreenHeader 1", "paintPopupBox 1",
                     "prepareFixtureHeader", "paintClockPanel 0", "paintScoreLine 1",
                     "updateAddedTimeBoard"}));
    EXPECT_EQ(block()->menuFrames, 1);

    block()->matchInterrupted = 0;
    block()->matchSpeedBase = 0;
    block()->matchViewMode = 1;
    frame();
    EXPECT_EQ(neighbours.log.take(),
              (Calls{"updateMentality", "updateMatchPlayback", "copyShownScore", "endSkippedPeriod",
                     "paintMatchOverlay", "updateMatchExit", "paintPopupBox 1", "paintClockPanel 0",
                     "paintScoreLine 1", "updateAddedTimeBoard"}));

    block()->matchViewMode = 2;
    frame();
    EXPECT_EQ(neighbours.log.take({"updateMatchExit", "paintPopupBox", "paintScreenHeader"}),
              (Calls{"updateMatchExit"}));

    // A replay shows the panel view whatever the mode.
    block()->matchViewMode = 0;
    block()->matchViewLock = 1;
    frame();
    EXPECT_EQ(neighbours.log.take({"updateMatchExit", "paintPopupBox", "paintScreenHeader"}),
              (Calls{"updateMatchExit"}));
}

// What a headless match runs: the logic routine calls no painter, the painting routine no step
// that changes the match, and the frame counter counts the logic's frame.
TEST_F(MatchFrameTest, TheLogicRoutinePaintsNothingAndThePaintingRoutineChangesNothing) {
    const std::vector<std::string> painters = {
        "paintMatchOverlay", "paintScreenHeader",   "paintPopupBox",  "prepareFixtureHeader",
        "updateMatchExit",   "paintClockPanel",     "paintScoreLine", "updateAddedTimeBoard"};
    for (const jint mode : {0, 1, 2}) {
        block()->matchInterrupted = 1;
        block()->matchViewMode = mode;
        block()->matchPhase = 0;
        block()->framesInState = 100;
        block()->menuFrames = 4;
        const runtime::jlong ticks = block()->matchTicks;
        updateMatchLogic();
        const Calls logic = neighbours.log.take();
        EXPECT_EQ(logic.front(), "advanceOrderEndTimes") << mode;
        EXPECT_EQ(logic.back(), "endSkippedPeriod") << mode;
        for (const std::string& painter : painters) {
            EXPECT_EQ(std::count(logic.begin(), logic.end(), painter), 0) << painter << " " << mode;
        }
        EXPECT_EQ(block()->matchTicks, ticks + 1) << mode;
        EXPECT_EQ(block()->menuFrames, 5) << mode;

        paintMatchScreen();
        const Calls painting = neighbours.log.take();
        EXPECT_EQ(painting.front(), "paintMatchOverlay") << mode;
        EXPECT_EQ(painting.back(), "updateAddedTimeBoard") << mode;
        for (const char* const step :
             {"advanceOrderEndTimes", "updateMentality", "updateMatchClock", "updateMatch", "paintMatchView",
              "updateMatchPlayback", "copyShownScore", "endSkippedPeriod", "playSound"}) {
            EXPECT_EQ(std::count_if(painting.begin(), painting.end(),
                                    [&](const std::string& call) {
                                        return call == step || call.rfind(std::string(step) + " ", 0) == 0;
                                    }),
                      0)
                << step << " " << mode;
        }
        EXPECT_EQ(block()->matchTicks, ticks + 1) << mode;
        EXPECT_EQ(block()->menuFrames, 5) << mode;
    }
}

TEST_F(MatchFrameTest, TheHaltSymbolShowsWhileHaltedInViewModeZero) {
    block()->matchSpeedBase = 0;
    block()->matchHalted = 1;
    block()->currentGraphics = block()->backBufferGraphics;
    block()->backBufferGraphics->setClip(0, 0, 480, 800);
    frame();
    for (const jint x : {26, 42}) {
        EXPECT_EQ(screenPixel(x, 74), rgb(0x000000)) << x;
        EXPECT_EQ(screenPixel(x + 10, 104), rgb(0x000000)) << x;
        EXPECT_EQ(screenPixel(x + 1, 75), rgb(0xFFFFFF)) << x;
        EXPECT_EQ(screenPixel(x + 9, 103), rgb(0xFFFFFF)) << x;
    }
}

TEST_F(MatchFrameTest, FireOrTheMiddleButtonHaltsAndResumes) {
    block()->matchSpeedBase = 0;
    tapKey(-5);
    frame();
    EXPECT_TRUE(block()->matchHalted);
    EXPECT_EQ(block()->matchCommand, 159);
    frame();
    EXPECT_EQ(block()->matchCommand, -1) << "fire released";
    tapKey(-5);
    frame();
    EXPECT_FALSE(block()->matchHalted);
    EXPECT_EQ(block()->matchCommand, 162);

    // A touch pressed in this frame inside the button counts; its edges do not.
    canvas->pointerPressed(64, 599);
    frame();
    EXPECT_TRUE(block()->matchHalted);
    frame();
    EXPECT_TRUE(block()->matchHalted) << "a held touch is not pressed again";
    canvas->pointerReleased(64, 599);
    canvas->pointerPressed(63, 620);
    frame();
    EXPECT_TRUE(block()->matchHalted) << "x 63 is the button's edge";
    canvas->pointerReleased(63, 620);
    tapAt(100, 640);
    frame();
    EXPECT_FALSE(block()->matchHalted) << "pressed and released inside in one frame";

    // Not during a match day or a replay.
    for (const bool day : {true, false}) {
        block()->matchDayMode = day;
        block()->matchViewLock = !day;
        block()->matchTicks = 99;
        tapKey(-5);
        frame();
        EXPECT_FALSE(block()->matchHalted) << day;
    }
}

TEST_F(MatchFrameTest, LeftAndRightChangeTheSpeedWithinItsLevels) {
    block()->matchSpeedBase = 0;
    struct Step {
        jint key;    // profile key code, or 0 for a touch
        jint touchX; // touch x on the button row
        jint level;
        jint command; // a press at the end of the levels leaves the command as it was
    };
    const Step steps[] = {
        {-4, 0, 1, 158}, {-4, 0, 2, 158}, {0, 140, 3, 158}, {-4, 0, 3, 158},
        {-3, 0, 2, 160}, {0, 30, 1, 160}, {-3, 0, 0, 160},  {-3, 0, 0, -1},
    };
    for (const Step& step : steps) {
        if (step.key != 0) {
            tapKey(step.key);
        } else {
            tapAt(step.touchX, 620);
        }
        frame();
        EXPECT_EQ(block()->matchSpeedLevel, step.level) << &step - steps;
        EXPECT_EQ(block()->matchCommand, step.command) << &step - steps;
        frame();
    }
    tapKey(-4);
    frame();
    frame();
    EXPECT_EQ(block()->matchCommand, -1) << "right released";
    // Nothing while halted, in a replay or during a match day.
    for (const int hold : {0, 1, 2}) {
        block()->matchHalted = hold == 0;
        block()->matchViewLock = hold == 1;
        block()->matchDayMode = hold == 2;
        const jint before = block()->matchSpeedLevel;
        tapKey(-4);
        frame();
        EXPECT_EQ(block()->matchSpeedLevel, before) << hold;
        frame();
    }
}

TEST_F(MatchFrameTest, StarTheRightSoftKeyOrItsZoneCycleTheViewModes) {
    block()->matchSpeedBase = 0;
    const std::vector<jint> modes = {1, 2, 0, 1, 2, 0};
    std::vector<jint> seen;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (i % 3 == 0) {
            tapKey('*');
        } else if (i % 3 == 1) {
            tapKey(-7);
        } else {
            tapAt(420, 760);
        }
        block()->matchViewLock = 1;
        frame();
        seen.push_back(block()->matchViewMode);
        // Leaving mode 2 ends a replay; reaching it refreshes the view.
        const Calls refresh = neighbours.log.take({"setViewRefresh"});
        EXPECT_EQ(refresh.size(), modes[i] == 2 ? 1u : 0u) << i;
        if (modes[i] == 0) {
            EXPECT_FALSE(block()->matchViewLock) << i;
        }
        frame();
    }
    EXPECT_EQ(seen, modes);
    block()->matchDayMode = 1;
    block()->matchTicks = 99;
    tapKey('*');
    frame();
    EXPECT_EQ(block()->matchViewMode, 0) << "a match day keeps view mode 0";
}

TEST_F(MatchFrameTest, TheLeftSoftKeyOpensThePauseMenu) {
    block()->matchSpeedBase = 0;
    block()->menuSelection = 5;
    block()->popupAnchor = 5;
    tapKey(-6);
    frame();
    EXPECT_EQ(block()->topState, kTopStateMenus);
    EXPECT_EQ(block()->menuState, 0x800000);
    EXPECT_TRUE(block()->matchInterrupted);
    EXPECT_EQ(neighbours.log.take({"updateEventList", "clearEventListFlag", "updateMatch"}),
              (Calls{"updateEventList", "clearEventListFlag"}))
        << "no tick after leaving the match";
    EXPECT_EQ(block()->popupAnchor, -1) << "the pause menu's entry preparation ran";
}

TEST_F(MatchFrameTest, ATouchOnTheLeftSoftKeyOpensThePauseMenuWithAClick) {
    block()->matchSpeedBase = 0;
    tapAt(50, 760);
    frame();
    EXPECT_EQ(block()->topState, kTopStateMenus);
    EXPECT_EQ(neighbours.log.take({"playSound"}), Calls{"playSound 7"});
}

TEST_F(MatchFrameTest, ThePauseMenuIsBlockedInPhaseTwelveAndDuringAMatchDay) {
    for (const bool day : {false, true}) {
        block()->matchPhase = day ? 1 : 12;
        block()->matchDayMode = day;
        block()->matchTicks = 99;
        tapKey(-6);
        frame();
        EXPECT_EQ(block()->topState, kTopStateMatch) << day;
        frame();
    }
}

TEST_F(MatchFrameTest, TheCrowdSoundComesEveryHundredFramesOfOpenPlayOnATossOfACoin) {
    block()->matchSpeedBase = 0;
    struct Case {
        jint frame;
        jint phase;
        jint period;
        bool eligible;
    };
    const Case cases[] = {{0, 0, 1, true},    {100, 0, 2, true},  {300, 0, 5, false},
                          {150, 0, 1, false}, {200, 3, 1, false}, {400, 0, 1, true}};
    int heard = 0;
    for (int round = 0; round < 8; ++round) {
        for (const Case& c : cases) {
            block()->framesInState = c.frame;
            block()->matchPhase = c.phase;
            block()->matchPeriod = c.period;
            // The toss the frame will make, when it makes one.
            const runtime::jlong seed = block()->gameRandom->seed;
            const bool heads = randomRange(0, 1) == 0;
            block()->gameRandom->seed = seed;
            frame();
            const bool played = !neighbours.log.take({"playSound"}).empty();
            EXPECT_EQ(played, c.eligible && heads) << c.frame << " " << c.phase << " " << c.period;
            heard += played ? 1 : 0;
        }
    }
    EXPECT_GT(heard, 0);
}

} // namespace
} // namespace game::framework
