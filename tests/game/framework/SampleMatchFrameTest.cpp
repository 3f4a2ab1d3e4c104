// The match state's frame end to end on the sample data: the game's midlet under the headless
// host, a match set up on two sample clubs (the later steps of the tick still stand-ins), and the
// real Device::paint in top-level state 4 driven by scripted keys and touches: the ticks of each
// frame by speed, halt and replay, the match buttons, the view modes, the pause menu with the
// interrupted players' timers and the first team's mentality buttons. Then the split of the
// frame: its painting changes nothing that its logic left, so a match run through the logic alone
// is the match that is watched.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/framework/MatchFrame.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/team/MatchSide.h"
#include "runtime/Exceptions.h"
#include "runtime/Random.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::framework {
namespace {

using runtime::jint;
using runtime::jlong;

constexpr jint kHomeClub = 3;
constexpr jint kAwayClub = 11;
constexpr jint kPauseMenuState = 0x800000;
// A touch row under the pitch, inside the buttons.
constexpr int kButtonRowY = 620;

enum class Input { None, Key, Touch };

class SampleMatchFrameTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        ASSERT_TRUE(runToFirstRunQuestion());
        prepareMatchSides();
        match::setUpMatchSide(0, kHomeClub);
        match::setUpMatchSide(1, kAwayClub);
        ASSERT_FALSE(runtime::exceptionPending());
        setUpSampleMatch();
        GameStatics* s = statics();
        s->matchViewMode = 0;
        s->matchViewLock = 0;
        s->matchCommand = -1;
        s->matchInterrupted = 0;
        core::setTopState(core::kTopStateMatch);
        // The first frames of a state take no keys.
        harness.runFrames(4);
        ASSERT_EQ(s->topState, core::kTopStateMatch);
    }

    // Runs one frame with the input scripted for it; the ticks it ran.
    jlong frameTicks() {
        const jlong before = statics()->matchTicks;
        harness.runFrames(1);
        return statics()->matchTicks - before;
    }
    std::uint64_t now() const { return harness.framesRun(); }

    static std::vector<jlong> orderEndTimes() {
        std::vector<jlong> times;
        for (jint t = 0; t < 2; ++t) {
            for (jint i = 0; i < match::CTeam::kOnPitch; ++i) {
                times.push_back(match::teamPlayer(match::matchTeam(t), i)->orderEndTime);
            }
        }
        return times;
    }
};

TEST_F(SampleMatchFrameTest, SpeedAndHaltKeysAndButtonsGiveTheTicksOfEachFrame) {
    struct Step {
        const char* name;
        Input input;
        SDLKey key;
        int x; // the touch's x on the button row
        jint level;
        jint command;
        bool halted;
    };
    const Step steps[] = {
        {"nothing", Input::None, SDLK_UNKNOWN, 0, 0, -1, false},
        {"right", Input::Key, SDLK_RIGHT, 0, 1, 158, false},
        {"faster button", Input::Touch, SDLK_UNKNOWN, 140, 2, 158, false},
        {"right", Input::Key, SDLK_RIGHT, 0, 3, 158, false},
        {"right at the top", Input::Key, SDLK_RIGHT, 0, 3, -1, false},
        {"left", Input::Key, SDLK_LEFT, 0, 2, 160, false},
        {"slower button", Input::Touch, SDLK_UNKNOWN, 30, 1, 160, false},
        {"fire halts", Input::Key, SDLK_RETURN, 0, 1, 159, true},
        {"right while halted", Input::Key, SDLK_RIGHT, 0, 1, -1, true},
        {"halt button resumes", Input::Touch, SDLK_UNKNOWN, 80, 1, 162, false},
        {"fire halts", Input::Key, SDLK_RETURN, 0, 1, 159, true},
        {"fire resumes", Input::Key, SDLK_RETURN, 0, 1, 162, false},
    };
    GameStatics* s = statics();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.input == Input::Key) {
            harness.key(now(), step.key);
        } else if (step.input == Input::Touch) {
            harness.tap(now(), step.x, kButtonRowY);
        }
        jint base = s->matchSpeedBase;
        const jlong ticks = frameTicks();
        ASSERT_EQ(s->topState, core::kTopStateMatch);
        EXPECT_EQ(s->matchSpeedLevel, step.level);
        EXPECT_EQ(s->matchCommand, step.command);
        EXPECT_EQ(s->matchHalted != 0, step.halted);
        EXPECT_EQ(ticks, step.halted ? 0 : base << step.level);
        // The frame after: the key comes up; the speed holds.
        base = s->matchSpeedBase;
        EXPECT_EQ(frameTicks(), step.halted ? 0 : base << step.level);
        if (step.input == Input::Key) {
            EXPECT_EQ(s->matchCommand, -1) << "the key's release";
        }
    }
    // Doubling counts each level twice.
    s->matchSpeedDoubled = 1;
    for (const jint level : {1, 3}) {
        s->matchSpeedLevel = level;
        const jint base = s->matchSpeedBase;
        EXPECT_EQ(frameTicks(), base << (2 * level)) << level;
    }
    // A replay runs the base alone, whatever the level.
    s->matchViewLock = 1;
    const jint base = s->matchSpeedBase;
    EXPECT_EQ(frameTicks(), base);
    EXPECT_EQ(s->matchSpeedUsed, 0);
}

TEST_F(SampleMatchFrameTest, StarTheRightSoftKeyAndItsZoneCycleTheViewModes) {
    struct Step {
        Input input;
        SDLKey key;
        jint mode;
    };
    // The right soft key's touch zone: a release at (420, 760).
    const Step steps[] = {{Input::Key, SDLK_F8, 1},        {Input::Key, SDLK_F2, 2},
                          {Input::Touch, SDLK_UNKNOWN, 0}, {Input::Key, SDLK_F2, 1},
                          {Input::Touch, SDLK_UNKNOWN, 2}, {Input::Key, SDLK_F8, 0}};
    GameStatics* s = statics();
    for (const Step& step : steps) {
        SCOPED_TRACE(&step - steps);
        if (step.input == Input::Key) {
            harness.key(now(), step.key);
        } else {
            harness.tap(now(), 420, 760);
        }
        s->backgroundForceRedraw = 0;
        // A replay shows until the event panel is left.
        s->matchViewLock = 1;
        harness.runFrames(1);
        ASSERT_EQ(s->topState, core::kTopStateMatch);
        EXPECT_EQ(s->matchViewMode, step.mode);
        // The frame painter's background consumes the flag; the frame's ticks recorded it first.
        EXPECT_EQ(s->sceneRedrawRecorded != 0, step.mode == 2) << "reaching the event panel refreshes it";
        EXPECT_EQ(s->matchViewLock != 0, step.mode != 0) << "leaving the event panel ends the replay";
        harness.runFrames(1);
    }
    // A skipped match keeps the pitch view.
    s->matchViewLock = 0;
    s->matchDayMode = 1;
    harness.key(now(), SDLK_F8);
    harness.runFrames(1);
    EXPECT_EQ(s->matchViewMode, 0);
}

// The menus do not run the match's frame: the timers wait from the frame that returns to the
// match while the match is still marked interrupted (the mark stays until the match load's last
// step clears it).
TEST_F(SampleMatchFrameTest, ThePauseMenuInterruptsTheMatchAndItsPlayersTimersWait) {
    GameStatics* s = statics();
    harness.runFrames(2);
    const std::vector<jlong> start = orderEndTimes();
    harness.key(now(), SDLK_F1);
    EXPECT_EQ(frameTicks(), 0) << "no tick after leaving the match";
    EXPECT_EQ(s->topState, core::kTopStateMenus);
    EXPECT_EQ(s->menuState, kPauseMenuState);
    EXPECT_TRUE(s->matchInterrupted);
    harness.runFrames(3);
    EXPECT_EQ(orderEndTimes(), start);

    core::setTopState(core::kTopStateMatch);
    harness.runFrames(4);
    ASSERT_EQ(s->topState, core::kTopStateMatch);
    std::vector<jlong> later = orderEndTimes();
    for (std::size_t i = 0; i < later.size(); ++i) {
        EXPECT_EQ(later[i], start[i] + 4) << "player " << i;
    }
    s->matchInterrupted = 0;
    harness.runFrames(2);
    EXPECT_EQ(orderEndTimes(), later);
}

TEST_F(SampleMatchFrameTest, TheMentalityButtonsChangeTheFirstTeamsSettings) {
    struct Step {
        const char* name;
        Input input;
        SDLKey key;
        int x;
        jint mentality;
        jint defensive;
        jint command;
    };
    // Down at (217, 598), up at (168, 598); the keys (128 down, 2 up) go through the information
    // screens' stepper, which still leaves the value as it is.
    const Step steps[] = {
        {"down button", Input::Touch, SDLK_UNKNOWN, 240, 1, 3, 156},
        {"down button", Input::Touch, SDLK_UNKNOWN, 240, 0, 0, 156},
        {"down button at the bottom", Input::Touch, SDLK_UNKNOWN, 240, 0, 0, -1},
        {"up button", Input::Touch, SDLK_UNKNOWN, 190, 1, 3, 157},
        {"up button", Input::Touch, SDLK_UNKNOWN, 190, 2, 5, 157},
        {"up button", Input::Touch, SDLK_UNKNOWN, 190, 3, 7, 157},
        {"down key", Input::Key, SDLK_KP1, 0, 3, 7, 157},
        {"up key", Input::Key, SDLK_KP3, 0, 3, 7, 156},
        {"up button", Input::Touch, SDLK_UNKNOWN, 190, 4, 10, 157},
        {"up button at the top", Input::Touch, SDLK_UNKNOWN, 190, 4, 10, -1},
    };
    GameStatics* s = statics();
    match::CTeam* first = s->firstTeam.get();
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->teamIndex, 0);
    ASSERT_EQ(first->mentalityInUse, 2);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        s->matchCommand = -1;
        if (step.input == Input::Key) {
            harness.key(now(), step.key);
        } else {
            harness.tap(now(), step.x, kButtonRowY);
        }
        harness.runFrames(1);
        ASSERT_EQ(s->topState, core::kTopStateMatch);
        EXPECT_EQ(first->mentality, step.mentality);
        EXPECT_EQ(first->mentalityInUse, step.mentality);
        EXPECT_EQ(first->defensiveSetting, step.defensive);
        EXPECT_EQ(first->attackingSetting, 10 - step.defensive);
        EXPECT_EQ(first->defensiveLine, (5 - step.defensive) * 2);
        EXPECT_EQ(s->matchCommand, step.command);
        harness.runFrames(1);
    }
    EXPECT_EQ(match::matchTeam(1)->mentalityInUse, 2) << "the second team reads no input";
}

// What a frame leaves of the match: the frame's, the match's and the view's statics (the
// board's slide and its pop-up counters, the painter's own, left out), the teams, the players,
// the touchline figures and the ball (past their object headers), the frame record, the replay
// ring and the generator's seed.
class MatchSnapshot {
public:
    MatchSnapshot() {
        GameStatics* s = statics();
        add(static_cast<const DeviceStatics*>(s), sizeof(DeviceStatics));
        add(static_cast<const MatchStatics*>(s), sizeof(MatchStatics));
        const MatchViewStatics* view = s;
        const std::size_t at = bytes.size();
        add(view, sizeof(MatchViewStatics));
        const auto blank = [&](const void* field, const std::size_t size) {
            const std::size_t offset = static_cast<std::size_t>(static_cast<const unsigned char*>(field) -
                                                                reinterpret_cast<const unsigned char*>(view));
            std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + offset), size, 0);
        };
        blank(&view->boardSlide, sizeof(view->boardSlide));
        blank(&view->periodIntroTicks, sizeof(view->periodIntroTicks));
        blank(&view->periodIntroTime, sizeof(view->periodIntroTime));
        for (jint t = 0; t < 2; ++t) {
            const match::CTeam* team = match::matchTeam(t);
            addObject(team, sizeof(match::CTeam));
            for (jint i = 0; i < match::CTeam::kOnPitch; ++i) {
                addObject(match::teamPlayer(team, i), sizeof(match::CPlayer));
            }
            if (s->sidelineActors != nullptr && (*s->sidelineActors)[t] != nullptr) {
                addObject((*s->sidelineActors)[t], sizeof(match::CPlayer));
            }
        }
        addObject(s->ball, sizeof(match::Actor));
        for (const runtime::ShortArray* array : {s->frameRecord.get(), s->replayRing.get()}) {
            for (jint i = 0; array != nullptr && i < array->length; ++i) {
                const runtime::jshort word = (*array)[i];
                add(&word, sizeof(word));
            }
        }
        const jlong seed = s->gameRandom->seed;
        add(&seed, sizeof(seed));
    }
    bool operator==(const MatchSnapshot& other) const { return bytes == other.bytes; }

private:
    void add(const void* from, const std::size_t size) {
        const auto* first = static_cast<const unsigned char*>(from);
        bytes.insert(bytes.end(), first, first + size);
    }
    void addObject(const void* object, const std::size_t size) {
        ASSERT_NE(object, nullptr);
        add(static_cast<const unsigned char*>(object) + sizeof(runtime::Object),
            size - sizeof(runtime::Object));
    }
    std::vector<unsigned char> bytes;
};

// Each scene: one frame through the logic alone, then the painting of the same frame; the
// painting leaves the match and the records exactly as the logic left them.
TEST_F(SampleMatchFrameTest, OneFrameThroughTheLogicAloneOrBothRoutinesLeavesTheSameMatch) {
    struct Scene {
        const char* name;
        jint viewMode;
        bool halted;
        jint clockMinute; // 45 and later show the added-time board
        bool replay;
    };
    const Scene scenes[] = {
        {"pitch view at the kick-off", 0, false, 0, false},
        {"radar", 1, false, 12, false},
        {"event panel", 2, false, 30, false},
        {"halted", 0, true, 40, false},
        {"added-time board", 0, false, 45, false},
        {"replay", 0, false, 46, true},
    };
    GameStatics* s = statics();
    harness.runFrames(3);
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        s->matchViewMode = scene.viewMode;
        s->matchHalted = scene.halted ? 1 : 0;
        s->clockMinute = scene.clockMinute;
        s->matchViewLock = scene.replay ? 1 : 0;
        s->matchSpeedLevel = 1;
        s->currentGraphics = s->backBufferGraphics;
        const jlong ticks = s->matchTicks;
        updateMatchLogic();
        ASSERT_FALSE(runtime::exceptionPending());
        EXPECT_EQ(s->matchTicks > ticks, !scene.halted);
        const MatchSnapshot logicAlone;
        paintMatchScreen();
        ASSERT_FALSE(runtime::exceptionPending());
        EXPECT_TRUE(MatchSnapshot() == logicAlone);
        // And the watched frame goes on from there.
        harness.runFrames(1);
        ASSERT_EQ(s->topState, core::kTopStateMatch);
    }
}

// A skipped match ends its first half without a screen: the logic alone runs the ticks to the
// next hundred and ends the period once the record's clock shows minute 45 with at most one
// whole minute added.
TEST_F(SampleMatchFrameTest, ASkippedFirstHalfEndsAtItsMinuteThroughTheLogicAlone) {
    GameStatics* s = statics();
    for (const jint minute : {44, 45}) {
        SCOPED_TRACE(minute);
        s->matchDayMode = 1;
        s->matchTicks = 0;
        s->clockMinute = minute;
        s->clockSecond = 0;
        s->addedTimeLeftMinutes = 1;
        updateMatchLogic();
        ASSERT_FALSE(runtime::exceptionPending());
        EXPECT_EQ(s->matchTicks, 100);
        ASSERT_EQ(match::frame::timeOf((*s->frameRecord)[match::frame::kClockWord]), minute * 60);
        EXPECT_EQ(s->matchPhase, minute == 45 ? 9 : 2);
        EXPECT_EQ(s->clockStopped != 0, minute == 45);
    }
    EXPECT_EQ(s->clockMinute, s->periodEndMinute);
    EXPECT_EQ(s->matchPeriod, 1);
}

} // namespace
} // namespace game::framework
