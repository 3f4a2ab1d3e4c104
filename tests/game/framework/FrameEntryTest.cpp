// The frame entry and the top-level states other than the match: the frame's steps and guard,
// presenting, the state change, the loading screens with the logo, the title and the first-run
// question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/KeyMasks.h"
#include "game/core/TextPackage.h"
#include "game/core/TopStates.h"
#include "game/sprites/ASprite.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/NumberWrappers.h"
#include "tests/game/support/FrameFixture.h"
#include "tests/support/RuntimeValues.h"

namespace game::framework {
using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::jint;
using Calls = std::vector<std::string>;

constexpr std::uint16_t kBlack = 0x0000;
// The sample logo is 300 x 120, drawn centred.
constexpr jint kLogoLeft = (480 - 300) / 2;
constexpr jint kLogoTop = (800 - 120) / 2;

class FrameEntryTest : public testing::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        neighbours.log.take();
    }
    static std::string text(const jint id);
    // Fills the screen image with colour, so a frame that presents shows.
    void paintScreen(const std::uint32_t colour) {
        screenGraphics->setClip(0, 0, kWidth, kHeight);
        screenGraphics->setColor(static_cast<jint>(colour));
        screenGraphics->fillRect(0, 0, kWidth, kHeight);
    }
    void inState(const jint state, const jint previous = 0) {
        block()->topState = state;
        block()->previousTopState = previous;
        block()->framesInState = 0;
    }
};

std::string FrameEntryTest::text(const jint id) {
    return testing_support::textOf(getText(id));
}

TEST_F(FrameEntryTest, AFrameStartedInsideAFrameDoesNothing) {
    inState(kTopStateBlank);
    block()->framesInState = 5;
    block()->inPaint = 1;
    block()->touchReleased = 1;
    paintScreen(0xFFFFFF);
    frame();
    EXPECT_EQ(block()->framesInState, 5);
    EXPECT_TRUE(block()->touchReleased) << "the running frame still sees the release";
    EXPECT_EQ(screenPixel(10, 10), rgb(0xFFFFFF)) << "nothing presented";
    EXPECT_TRUE(neighbours.log.take().empty());
    EXPECT_TRUE(block()->inPaint);
}

TEST_F(FrameEntryTest, AFrameRunsTheStateCountsItPresentsAndForgetsTheTouchEvents) {
    inState(kTopStateMenus);
    block()->menuState = 32;
    block()->touchPressedNow = 1;
    block()->touchReleased = 1;
    block()->resumeRedraw = 1;
    bool seen = false;
    neighbours.log.on("updateMainMenu", [&] {
        // The state's work sees the frame's touch events and draws into the back buffer.
        seen = statics()->touchPressedNow && statics()->touchReleased && statics()->inPaint &&
               statics()->currentGraphics == statics()->backBufferGraphics;
        statics()->currentGraphics->setClip(0, 0, 480, 800);
        statics()->currentGraphics->setColor(0x00FF00);
        statics()->currentGraphics->fillRect(0, 0, 480, 800);
    });
    runtime::jlong start = 777;
    now = start;
    frame();
    EXPECT_TRUE(seen);
    EXPECT_EQ(block()->frameStartTime, start);
    EXPECT_EQ(block()->framesInState, 1);
    EXPECT_EQ(block()->menuFrames, 1);
    EXPECT_FALSE(block()->inPaint);
    EXPECT_FALSE(block()->touchPressedNow);
    EXPECT_FALSE(block()->touchReleased);
    EXPECT_FALSE(block()->resumeRedraw);
    EXPECT_EQ(screenPixel(0, 0), rgb(0x00FF00));
    EXPECT_EQ(screenPixel(479, 799), rgb(0x00FF00));
}

TEST_F(FrameEntryTest, AKeyPressAndReleaseBetweenFramesAreSeenByOneFrameEach) {
    inState(kTopStateMenus);
    block()->menuState = 32;
    block()->framesInState = 10;
    std::vector<jint> pressed;
    std::vector<jint> released;
    neighbours.log.on("updateMainMenu", [&] {
        pressed.push_back(statics()->pressedKeys);
        released.push_back(statics()->releasedKeys);
    });
    canvas->keyPressed(-5);
    canvas->keyReleased(-5);
    frames(3);
    EXPECT_EQ(pressed, (std::vector<jint>{kKeyFire, 0, 0}));
    EXPECT_EQ(released, (std::vector<jint>{0, kKeyFire, 0}));
}

TEST_F(FrameEntryTest, TheBlankStateIsBlackAlsoWhenAStateSwitchesToItInTheFrame) {
    inState(kTopStateBlank);
    paintScreen(0xFFFFFF);
    frame();
    EXPECT_EQ(screenPixel(240, 400), kBlack);
    EXPECT_EQ(screenPixel(479, 799), kBlack);

    inState(kTopStateMenus);
    block()->menuState = 32;
    neighbours.log.on("updateMainMenu", [] { setTopState(kTopStateBlank); });
    paintScreen(0xFFFFFF);
    frame();
    EXPECT_EQ(screenPixel(240, 400), kBlack);
    EXPECT_EQ(block()->framesInState, 1) << "counted from the state change";
}

TEST_F(FrameEntryTest, StatesOutsideOneToNineOnlyCount) {
    for (const jint state : {0, 7, 10, -1}) {
        inState(state);
        frame();
        EXPECT_TRUE(neighbours.log.take().empty()) << state;
        EXPECT_EQ(block()->framesInState, 1) << state;
        EXPECT_EQ(block()->topState, state);
    }
}

TEST_F(FrameEntryTest, TheTouchRepeatCounterWrapsAfterItsPeriod) {
    struct Case {
        jint count;
        std::vector<jint> counters;
    };
    // First delay 2 while the repeat count is at most the switch (1), then 4.
    const Case cases[] = {{0, {1, 2, 0, 1, 2, 0}}, {1, {1, 2, 0, 1}}, {2, {1, 2, 3, 4, 0, 1}}};
    for (const Case& c : cases) {
        inState(0);
        block()->touchRepeatCounter = 0;
        block()->touchRepeatFirstDelay = 2;
        block()->touchRepeatDelay = 4;
        block()->touchRepeatSwitch = 1;
        block()->touchRepeatCount = c.count;
        std::vector<jint> seen;
        for (std::size_t i = 0; i < c.counters.size(); ++i) {
            frame();
            seen.push_back(block()->touchRepeatCounter);
        }
        EXPECT_EQ(seen, c.counters) << c.count;
    }
}

TEST_F(FrameEntryTest, AStateChangeResetsTheHighlightAndTheFrameCount) {
    block()->topState = 8;
    block()->framesInState = 40;
    block()->menuCursorX = 1;
    block()->menuCursorY = 2;
    block()->menuChoice = 0;
    block()->menuChoiceShown = 3;
    block()->menuChoiceMoving = 1;
    setTopState(kTopStateMenus);
    EXPECT_EQ(block()->previousTopState, 8);
    EXPECT_EQ(block()->topState, kTopStateMenus);
    EXPECT_EQ(block()->framesInState, 0);
    EXPECT_EQ(block()->menuCursorX, 334);
    EXPECT_EQ(block()->menuCursorY, 372);
    EXPECT_EQ(block()->menuChoice, 1);
    EXPECT_EQ(block()->menuChoiceShown, 1);
    EXPECT_FALSE(block()->menuChoiceMoving);
}

TEST_F(FrameEntryTest, EnteringTheMatchClearsTheEntryFlagUnlessTheFirstActorIsInStateThree) {
    struct Case {
        const char* name;
        jint state;
        bool actors;
        jint actorState;
        bool kept;
    };
    const Case cases[] = {
        {"actor in state 3", kTopStateMatch, true, 3, true},
        {"actor in state 1", kTopStateMatch, true, 1, false},
        {"no actors", kTopStateMatch, false, 0, false},
        {"not the match", kTopStateMenus, true, 1, true},
    };
    for (const Case& c : cases) {
        block()->matchActors = nullptr;
        if (c.actors) {
            block()->matchActors = runtime::newObjectArray(2);
            (*block()->matchActors)[0] = runtime::newObject<runtime::java_lang_Integer>(0);
        }
        neighbours.match.firstActorState = c.actorState;
        block()->matchEntryFlag = 1;
        setTopState(c.state);
        EXPECT_EQ(block()->matchEntryFlag != 0, c.kept) << c.name;
    }
}

TEST_F(FrameEntryTest, LoadingDrawsTheLogoCentredAndACreepingBarAndRunsOneLoadingStep) {
    inState(kTopStateLoading);
    block()->loadingBarVisible = 0;
    block()->loadingProgress = 10;
    frame();
    EXPECT_EQ(neighbours.log.take(), Calls{"loadResources"});
    EXPECT_TRUE(block()->loadingBarVisible) << "the loading screen draws the bar style";
    ASSERT_NE(block()->logoImage.get(), nullptr);
    // White around the logo; its field and inner border at their places.
    EXPECT_EQ(screenPixel(240, kLogoTop - 5), rgb(0xFFFFFF));
    EXPECT_EQ(screenPixel(10, 10), rgb(0xFFFFFF));
    EXPECT_EQ(screenPixel(kLogoLeft + 2, kLogoTop + 60), rgb(0x141E48));
    EXPECT_EQ(screenPixel(kLogoLeft + 4, kLogoTop + 60), rgb(0xE8B020));
    EXPECT_EQ(screenPixel(240, kLogoTop + 20), rgb(0x141E48));
    // The bar's fill, (value + 1) x 164 / 40 wide: 45 pixels for 10 in frame 0, 49 for 11 next.
    const std::uint16_t fill = rgb(0xFF7700);
    EXPECT_EQ(screenPixel(158 + 44, 602), fill);
    EXPECT_NE(screenPixel(158 + 46, 602), fill);
    frame();
    EXPECT_EQ(screenPixel(158 + 46, 602), fill) << "the bar creeps forward with framesInState";
    EXPECT_EQ(neighbours.log.take(), Calls{"loadResources"});
}

TEST_F(FrameEntryTest, AFailedLogoLoadLeavesTheFrameRunningWithoutTheLogo) {
    struct Case {
        const char* name;
        bool present;
        tools::Bytes entry;
    };
    const tools::Bytes logo = tools::sampleLogoPng();
    const Case cases[] = {
        {"no pack", false, {}},
        {"not a PNG", true, tools::Bytes(100, 0x55)},
        {"a PNG cut short", true, tools::Bytes(logo.begin(), logo.begin() + 60)},
    };
    for (const Case& c : cases) {
        removeEntry("logo");
        if (c.present) {
            std::vector<tools::PackEntry> entries(8, tools::emptyPackEntry());
            entries.push_back({true, c.entry, 0});
            putEntry("logo", tools::buildPackParts(entries)[0]);
        }
        block()->logoImage = nullptr;
        block()->packName = nullptr;
        inState(kTopStateLoading);
        frame();
        EXPECT_FALSE(block()->inPaint) << c.name;
        EXPECT_FALSE(runtime::exceptionPending()) << c.name;
        EXPECT_EQ(block()->logoImage.get(), nullptr) << c.name;
        EXPECT_EQ(block()->framesInState, 1) << c.name;
        EXPECT_EQ(screenPixel(240, 400), rgb(0xFFFFFF)) << c.name << ": presented without the logo";
        // The game does not freeze: the next frame runs.
        frame();
        EXPECT_EQ(block()->framesInState, 2) << c.name;
        EXPECT_EQ(neighbours.log.take(), (Calls{"loadResources", "loadResources"})) << c.name;
    }
}

TEST_F(FrameEntryTest, AnExceptionTheStateLeavesEndsTheFrameWithTheGuardCleared) {
    inState(kTopStateMenus);
    block()->menuState = 32;
    paintScreen(0xFFFFFF);
    neighbours.log.on("updateMainMenu",
                      [] { runtime::throwException(runtime::newObject<runtime::java_lang_Exception>()); });
    frame();
    EXPECT_FALSE(block()->inPaint);
    EXPECT_TRUE(runtime::exceptionPending()) << "left for the host";
    runtime::clearStaleException("test");
    neighbours.log.on("updateMainMenu", [] {});
    frame();
    EXPECT_EQ(block()->framesInState, 1) << "the next frame runs";
}

TEST_F(FrameEntryTest, TheSecondLoadingStageShowsTheLogoOnlyAfterTheStartUpLoading) {
    inState(kTopStateSecondLoading, kTopStateLoading);
    frame();
    EXPECT_EQ(neighbours.log.take(), (Calls{"loadMatchScreen", "paintLoadingProgress"}));
    EXPECT_EQ(screenPixel(240, 400), rgb(0x141E48)) << "the logo's field, centred on (240, 400)";
    EXPECT_EQ(screenPixel(10, 10), rgb(0xFFFFFF));

    inState(kTopStateSecondLoading, kTopStateMatch);
    block()->currentGraphics = block()->backBufferGraphics;
    block()->backBufferGraphics->setColor(0x00FF00);
    block()->backBufferGraphics->fillRect(0, 0, 480, 800);
    frame();
    EXPECT_EQ(neighbours.log.take(), (Calls{"loadMatchScreen", "paintLoadingProgress"}));
    EXPECT_EQ(screenPixel(10, 10), rgb(0x00FF00)) << "no white screen after a match";
}

TEST_F(FrameEntryTest, TheMatchStartStateRunsTheStartUpStepThenPaintsTheIntro) {
    inState(kTopStateMatchStart);
    frame();
    EXPECT_EQ(neighbours.log.take(), (Calls{"startMatch", "paintMatchIntro"}));
}

TEST_F(FrameEntryTest, TheTitlePromptBlinksFiveFramesOnAndFiveOff) {
    inState(kTopStateTitle);
    const std::string prompt = "drawString " + text(48) + " 240,754,0,2,0";
    const std::string version = "drawString SAMPLE DATA 1.0 240,802,0,10,0";
    std::string shown;
    for (int i = 0; i < 25; ++i) {
        frame();
        const Calls calls = neighbours.log.take();
        ASSERT_GE(calls.size(), 1u);
        EXPECT_EQ(calls[0], version);
        shown += calls.size() == 2 && calls[1] == prompt ? '#' : '.';
    }
    EXPECT_EQ(shown, "#####.....#####.....#####");
    EXPECT_EQ(screenPixel(10, 760), rgb(0x8D8B94));
    EXPECT_EQ(screenPixel(10, 747), kBlack);
    EXPECT_EQ(screenPixel(10, 776), kBlack);
}

TEST_F(FrameEntryTest, TheTitlePaintsFrameZeroOfTheTitleSprite) {
    inState(kTopStateTitle);
    block()->titleSprite = runtime::newObject<sprites::ASprite>();
    block()->framesInState = 5;
    frame();
    const Calls calls = neighbours.log.take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], "paintFrame 0,0,0,0");
}

TEST_F(FrameEntryTest, AnyKeyOrATouchReleaseLeavesTheTitleForTheMainMenu) {
    struct Case {
        const char* name;
        jint key;
        bool touch;
    };
    const Case cases[] = {{"fire", -5, false}, {"a digit", '7', false}, {"a touch", 0, true}};
    for (const Case& c : cases) {
        inState(kTopStateTitle);
        block()->framesInState = 4;
        block()->menuState = 0;
        block()->titlePending = 1;
        block()->matchTicks = 0;
        if (c.touch) {
            canvas->pointerPressed(200, 300);
            canvas->pointerReleased(200, 300);
        } else {
            canvas->keyPressed(c.key);
            canvas->keyReleased(c.key);
        }
        block()->mainMenuMarker = 0;
        frame();
        // The main menu's preparation ran: its marker and its sound.
        EXPECT_EQ(neighbours.log.take({"playSound", "saveOrLoadGameRecord"}),
                  (Calls{"playSound 7", "saveOrLoadGameRecord 0", "playSound 22"}))
            << c.name;
        EXPECT_EQ(block()->mainMenuMarker, -1) << c.name;
        EXPECT_EQ(block()->topState, kTopStateMenus) << c.name;
        EXPECT_EQ(block()->menuState, 32) << c.name;
        EXPECT_FALSE(block()->titlePending) << c.name;
        // The keys are cleared: the queued release is gone too.
        EXPECT_EQ(block()->keyQueueRead, block()->keyQueueWrite) << c.name;
        EXPECT_EQ(block()->frameKeys, 0) << c.name;
    }
}

TEST_F(FrameEntryTest, TheTitleWaitsWithoutInput) {
    inState(kTopStateTitle);
    frames(30);
    EXPECT_EQ(block()->topState, kTopStateTitle);
    EXPECT_TRUE(neighbours.log.take({"playSound", "saveOrLoadGameRecord"}).empty());
}

TEST_F(FrameEntryTest, TheFirstRunQuestionPaintsTextFortyNineAsATwoButtonBox) {
    inState(kTopStateQuestion);
    frame();
    EXPECT_EQ(neighbours.log.take(), Calls{"paintMessageBox " + text(49) + " 0,-40,-1,2,0"});
    EXPECT_EQ(block()->topState, kTopStateQuestion);
    EXPECT_EQ(block()->touchListHit, -1);
}

TEST_F(FrameEntryTest, TheFirstRowTurnsSoundOnAndTheSecondOff) {
    struct Case {
        const char* name;
        jint choice; // the highlighted row when fire is pressed, or -1
        jint touchX; // a touch released on a button, when choice is -1
        bool enabled;
        jint volumeStep;
    };
    const Case cases[] = {
        {"fire on the first row", 0, 0, true, 0},
        {"fire on the second row", 1, 0, false, 3},
        {"touch on the first button", -1, 150, true, 0},
        {"touch on the second button", -1, 330, false, 3},
    };
    // The message box settles the highlight on the next paint.
    neighbours.log.on("paintMessageBox", [] {
        statics()->menuChoiceShown = statics()->menuChoice;
        statics()->menuChoiceMoving = 0;
    });
    for (const Case& c : cases) {
        inState(kTopStateQuestion);
        block()->framesInState = 5;
        block()->touchListRow = 500;
        block()->soundEnabled = c.enabled ? 0 : 1;
        block()->soundVolumeStep = 1;
        block()->menuChoice = 1;
        block()->questionTouched = 0;
        if (c.choice >= 0) {
            block()->menuChoice = c.choice;
            canvas->keyPressed(-5);
            canvas->keyReleased(-5);
        } else {
            canvas->pointerPressed(c.touchX, 540);
            canvas->pointerReleased(c.touchX, 540);
        }
        frames(2);
        EXPECT_EQ(block()->topState, kTopStateTitle) << c.name;
        EXPECT_EQ(block()->soundEnabled != 0, c.enabled) << c.name;
        EXPECT_EQ(block()->soundVolumeStep, c.volumeStep) << c.name;
        EXPECT_FALSE(block()->questionTouched) << c.name;
        const Calls sounds = neighbours.log.take({"playSound"});
        ASSERT_FALSE(sounds.empty()) << c.name;
        EXPECT_EQ(sounds.back(), "playSound 22") << c.name;
    }
}

TEST_F(FrameEntryTest, ATouchOnTheQuestionMovesTheHighlightBeforeItConfirms) {
    inState(kTopStateQuestion);
    block()->framesInState = 5;
    block()->touchListRow = 500;
    block()->menuChoice = 1;
    canvas->pointerPressed(150, 540);
    frame();
    // Held on the first button: the highlight starts moving there; nothing is confirmed.
    EXPECT_EQ(block()->touchListHit, 0);
    EXPECT_EQ(block()->menuChoice, 0);
    EXPECT_TRUE(block()->menuChoiceMoving);
    EXPECT_FALSE(block()->questionTouched);
    canvas->pointerReleased(150, 540);
    frame();
    // Released while the highlight still moves: remembered, not yet confirmed.
    EXPECT_TRUE(block()->questionTouched);
    EXPECT_EQ(block()->topState, kTopStateQuestion);
    block()->menuChoiceMoving = 0;
    frame();
    EXPECT_EQ(block()->topState, kTopStateTitle);
    EXPECT_TRUE(block()->soundEnabled);
}

} // namespace
} // namespace game::framework
