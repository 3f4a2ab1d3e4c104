// The midlet and the canvas: set-up, start and resume, interruption, and the game loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/framework/Device.h"
#include "game/framework/Quorlin.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/System.h"
#include "tests/game/support/FrameworkFixture.h"

namespace game {

namespace {

using runtime::jint;
using runtime::jlong;
using testing::touchHeldAt;

constexpr jint kMatchPauseMenu = 0x800000;
constexpr char kThreadWarning[] = "WARNING: multithread not supported";

class CanvasTest : public testing::FrameworkFixture {
protected:
    int countLogged(const std::string& line) const {
        int n = 0;
        for (const std::string& candidate : logLines()) {
            n += candidate == line ? 1 : 0;
        }
        return n;
    }

    // A started midlet with its canvas; neighbour calls of the start are forgotten.
    Quorlin* startGame() {
        auto* midlet = static_cast<Quorlin*>(Quorlin::create());
        application.m_midlet = midlet;
        midlet->startApp();
        neighbours.log.take();
        return midlet;
    }

    // The game in a match, ready to be interrupted.
    void inMatch(const jint phase) {
        block()->topState = 4;
        block()->matchPhase = phase;
        block()->menuState = 0;
    }
};

TEST_F(CanvasTest, TheCanvasSetsUpItsTablesAndBackBuffer) {
    const jint rows[] = {2, 3};
    block()->presetByteTables = runtime::newObjectArray(2);
    for (jint i = 0; i < 2; ++i) {
        runtime::ObjectArray* middle = runtime::newObjectArray(rows[i]);
        (*block()->presetByteTables)[i] = middle;
        for (jint j = 0; j < rows[i]; ++j) {
            (*middle)[j] = runtime::newByteArray(6);
        }
    }
    // A missing row is passed over.
    (*static_cast<runtime::ObjectArray*>((*block()->presetByteTables)[1]))[2] = nullptr;
    block()->squadList = runtime::newIntArray(5);
    block()->squadListAux = runtime::newIntArray(4);
    block()->previousMenuState = 7;

    auto* canvas = runtime::newObject<Device>();
    EXPECT_EQ(canvas->classId, runtime::kDevice);
    EXPECT_EQ(block()->previousMenuState, -1);
    for (jint i = 0; i < 2; ++i) {
        auto* middle = static_cast<runtime::ObjectArray*>((*block()->presetByteTables)[i]);
        for (jint j = 0; j < middle->length; ++j) {
            auto* row = static_cast<runtime::ByteArray*>((*middle)[j]);
            for (jint k = 0; row != nullptr && k < row->length; ++k) {
                EXPECT_EQ((*row)[k], -1) << i << "," << j << "," << k;
            }
        }
    }
    for (jint i = 0; i < 5; ++i) {
        EXPECT_EQ((*block()->squadList)[i], -1);
    }
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*block()->squadListAux)[i], -1);
    }
    ASSERT_NE(block()->backBufferImage.get(), nullptr);
    EXPECT_EQ(block()->backBufferImage->getWidth(), 480);
    EXPECT_EQ(block()->backBufferImage->getHeight(), 800);
    EXPECT_TRUE(block()->backBufferImage->isMutable);
    ASSERT_NE(block()->backBufferGraphics.get(), nullptr);
    EXPECT_FALSE(logged("!mutable"));
}

TEST_F(CanvasTest, TheCanvasIsRunnableAndNothingElse) {
    auto* canvas = runtime::newObject<Device>();
    EXPECT_EQ(canvas->getInterface(runtime::kRunnable), static_cast<runtime::java_lang_Runnable*>(canvas));
    for (const jint other :
         {runtime::kObject, runtime::kCanvas, runtime::kDevice, runtime::kCommandListener}) {
        EXPECT_EQ(canvas->getInterface(other), nullptr) << other;
    }
    EXPECT_EQ(runtime::instanceOf(canvas, runtime::kRunnable), 1);
    EXPECT_EQ(runtime::instanceOf(canvas, runtime::kDisplayable), 1);
}

TEST_F(CanvasTest, TheMidletRecordsItselfAndCountsOnce) {
    block()->midletCount = 0x1020304050607080LL;
    auto* midlet = static_cast<Quorlin*>(Quorlin::create());
    EXPECT_EQ(block()->midlet.get(), midlet);
    EXPECT_EQ(block()->midletCount, 0x1020304050607081LL);
    EXPECT_EQ(midlet->classId, runtime::kQuorlin);
}

TEST_F(CanvasTest, TheFirstStartMakesTheCanvasAndAThreadAndASecondOnlyResumes) {
    Quorlin* midlet = startGame();
    Device* canvas = block()->canvas;
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(application.currentDisplayable, canvas);
    EXPECT_EQ(countLogged(kThreadWarning), 1);
    EXPECT_FALSE(block()->paused) << "the start resumed the canvas";

    block()->paused = 1;
    application.currentDisplayable = nullptr;
    midlet->startApp();
    EXPECT_EQ(block()->canvas.get(), canvas);
    EXPECT_EQ(application.currentDisplayable, canvas);
    EXPECT_EQ(countLogged(kThreadWarning), 1) << "no second thread";
    EXPECT_FALSE(block()->paused);
}

TEST_F(CanvasTest, PauseAppInterruptsAndNotesTheFrameInTwoStates) {
    Quorlin* midlet = startGame();
    for (const jint state : {0x100011, 0x4B, 0x100012}) {
        block()->menuState = state;
        block()->menuFrames = 40;
        block()->paused = 0;
        midlet->pauseApp();
        EXPECT_TRUE(block()->paused) << std::hex << state;
        EXPECT_EQ(block()->menuFrames, state == 0x100012 ? 40 : 1) << std::hex << state;
    }
}

TEST_F(CanvasTest, DestroyShowsNothingEndsTheHostLoopAndForgetsTheCanvas) {
    Quorlin* midlet = startGame();
    midlet->destroyApp(1);
    EXPECT_EQ(application.currentDisplayable, nullptr);
    EXPECT_EQ(block()->canvas.get(), nullptr);
}

TEST_F(CanvasTest, AnInterruptionInAMatchGoesToThePauseMenu) {
    startGame();
    inMatch(0);
    block()->menuSelection = 4;
    block()->selectedRow = 3;
    block()->frameKeys = 0x100;
    touchHeldAt(100, 100);
    block()->touchReleased = 1;
    block()->popupAnchor = 5;
    block()->canvas->hideNotify();
    EXPECT_EQ(neighbours.log.take(), (std::vector<std::string>{"updateEventList"}));
    EXPECT_EQ(block()->popupAnchor, -1) << "the pause menu's entry preparation ran";
    EXPECT_EQ(block()->topState, 2);
    EXPECT_EQ(block()->previousTopState, 4);
    EXPECT_EQ(block()->menuState, kMatchPauseMenu);
    EXPECT_TRUE(block()->matchInterrupted);
    EXPECT_TRUE(block()->paused);
    EXPECT_TRUE(block()->interrupted);
    EXPECT_EQ(block()->frameKeys, 0);
    // The pause menu forgets its selection and row.
    EXPECT_EQ(block()->menuSelection, -1);
    EXPECT_EQ(block()->selectedRow, -1);
    // The touch is forgotten.
    EXPECT_EQ(block()->pointerPressX, -1);
    EXPECT_EQ(block()->pointerPressY, -1);
    EXPECT_EQ(block()->pointerReleaseX, -1);
    EXPECT_EQ(block()->pointerReleaseY, -1);
    EXPECT_FALSE(block()->touchDown);
    EXPECT_FALSE(block()->touchReleased);
    EXPECT_FALSE(block()->touchPressedNow);
}

TEST_F(CanvasTest, InMatchPhaseTwelveTheInterruptionKeepsTheMatchState) {
    startGame();
    inMatch(12);
    block()->popupAnchor = 5;
    block()->canvas->hideNotify();
    EXPECT_EQ(neighbours.log.take(), (std::vector<std::string>{"updateEventList"}));
    EXPECT_EQ(block()->popupAnchor, -1) << "the pause menu's entry preparation ran";
    EXPECT_EQ(block()->topState, 4);
    EXPECT_EQ(block()->menuState, kMatchPauseMenu);
    EXPECT_TRUE(block()->matchInterrupted);
}

TEST_F(CanvasTest, AnInterruptionOutsideAMatchForgetsListSelectionsUnlessAnOverlayShows) {
    struct Case {
        jint menuState;
        jint subScreenMode;
        bool selectionReset;
        bool rowReset;
    };
    const Case cases[] = {
        {0x2000, 0, true, false},   {0x200, 0, true, false},  {0x4000, 0, true, false},
        {0x100, 0, true, false},    {0x807, 0, true, false},  {0x40D, 0, true, false},
        {0x208, 0, true, false},    {0x2008, 0, true, false}, {0x30, 0, true, false},
        {0x31, 0, true, false},     {0x2007, 0, true, false}, {0x800000, 0, true, true},
        {0x800004, 0, true, false}, {0x40C, 0, true, false},  {0x206, 0, false, true},
        {0x206, 1, false, false},   {0x20, 0, false, false},  {0x201, 0, false, false},
    };
    startGame();
    block()->overlayFlags = runtime::newBoolArray(4);
    // No overlay; one of the flags; the flag that stands for all of them.
    for (const int overlayCase : {0, 1, 2}) {
        const bool overlay = overlayCase != 0;
        (*block()->overlayFlags)[3] = overlayCase == 1 ? 1 : 0;
        block()->overlayActive = overlayCase == 2 ? 1 : 0;
        for (const Case& c : cases) {
            block()->topState = 2;
            block()->menuState = c.menuState;
            block()->subScreenMode = c.subScreenMode;
            block()->menuSelection = 5;
            block()->selectedRow = 7;
            block()->canvas->hideNotify();
            EXPECT_EQ(block()->menuSelection, c.selectionReset && !overlay ? -1 : 5)
                << std::hex << c.menuState << " overlay case " << overlayCase;
            EXPECT_EQ(block()->selectedRow, c.rowReset && !overlay ? -1 : 7)
                << std::hex << c.menuState << " overlay case " << overlayCase;
        }
    }
}

TEST_F(CanvasTest, AResumeReturnsToTheMatchOnlyUnderAllFiveConditions) {
    struct Case {
        const char* name;
        bool matchDayMode;
        jint menuState;
        bool matchInterrupted;
        bool matchDayMarker;
        jint matchDayStep;
        jint matchDayCounter;
        bool returns;
    };
    const Case cases[] = {
        {"all hold", true, kMatchPauseMenu, true, false, 1, 3, true},
        {"step -1 from counter 0", true, kMatchPauseMenu, true, false, 5, 0, true},
        {"no match day", false, kMatchPauseMenu, true, false, 1, 3, false},
        {"another menu", true, 0x800004, true, false, 1, 3, false},
        {"not interrupted", true, kMatchPauseMenu, false, false, 1, 3, false},
        {"marker set", true, kMatchPauseMenu, true, true, 1, 3, false},
        {"step 2", true, kMatchPauseMenu, true, false, 2, 3, false},
    };
    startGame();
    for (const Case& c : cases) {
        block()->topState = 2;
        block()->matchDayMode = c.matchDayMode;
        block()->menuState = c.menuState;
        block()->matchInterrupted = c.matchInterrupted;
        block()->matchDayMarker = c.matchDayMarker;
        block()->matchDayStep = c.matchDayStep;
        block()->matchDayCounter = c.matchDayCounter;
        block()->previousTopState = 0;
        block()->framesInState = 7;
        block()->canvas->showNotify();
        EXPECT_EQ(block()->topState, c.returns ? 4 : 2) << c.name;
        EXPECT_TRUE(neighbours.log.take().empty()) << c.name;
        if (c.returns) {
            // The match is entered with the state change's common steps.
            EXPECT_EQ(block()->previousTopState, 2) << c.name;
            EXPECT_EQ(block()->framesInState, 0) << c.name;
            EXPECT_FALSE(block()->matchInterrupted) << c.name;
        }
    }
}

TEST_F(CanvasTest, InterruptingAMatchAndResumingWithoutAMatchDayStaysInThePauseMenu) {
    startGame();
    inMatch(0);
    block()->canvas->hideNotify();
    block()->canvas->showNotify();
    EXPECT_EQ(block()->topState, 2);
    EXPECT_EQ(block()->menuState, kMatchPauseMenu);
    EXPECT_TRUE(block()->matchInterrupted);
    EXPECT_FALSE(block()->paused);
}

TEST_F(CanvasTest, AResumeClearsThePauseAndKeysAndPlacesTheHighlight) {
    struct Case {
        jint menuState;
        jint menuSelection;
        jint itemCount;
        bool optionFlag;
        jint choice;
        jint cursorX;
    };
    const Case cases[] = {
        {0x4000, 0, 3, false, 0, 113}, {0x4000, 2, 4, false, 2, 330}, {0x4000, 2, 3, false, 1, 210},
        {0x4000, 1, 4, false, 1, 212}, {0x86, 10, 2, true, 2, 334},   {0x86, 10, 4, false, 1, 212},
        {0x86, 9, 3, true, 1, 210},    {0x20, 0, 2, false, 1, 334},   {0x20, 0, 4, false, 1, 212},
        {0x4000, 0, 2, false, 0, 150}, {0x4000, 0, 4, false, 0, 112},
    };
    startGame();
    for (const Case& c : cases) {
        block()->menuState = c.menuState;
        block()->menuSelection = c.menuSelection;
        block()->menuItemCount = c.itemCount;
        block()->menuOptionFlag = c.optionFlag;
        block()->menuChoiceMoving = 1;
        block()->paused = 1;
        block()->heldKeys = 0x100;
        block()->canvas->showNotify();
        EXPECT_EQ(block()->menuChoice, c.choice) << std::hex << c.menuState << " " << c.menuSelection;
        EXPECT_EQ(block()->menuChoiceShown, c.choice);
        EXPECT_EQ(block()->menuCursorX, c.cursorX) << std::hex << c.menuState << " " << c.menuSelection;
        EXPECT_FALSE(block()->menuChoiceMoving);
        EXPECT_FALSE(block()->paused);
        EXPECT_EQ(block()->heldKeys, 0);
        EXPECT_TRUE(block()->resumeRedraw);
        EXPECT_TRUE(block()->menuRepaint);
        EXPECT_TRUE(block()->redrawAll);
    }
}

TEST_F(CanvasTest, AResumeSelectsRowOneInLoadingAndTheQuestionAndTurnsListModeFourIntoThree) {
    startGame();
    for (const jint topState : {1, 2, 9}) {
        block()->topState = topState;
        block()->selectedRow = 6;
        block()->listMode = 4;
        block()->canvas->showNotify();
        EXPECT_EQ(block()->selectedRow, topState == 2 ? 6 : 1) << topState;
        EXPECT_EQ(block()->listMode, 3);
    }
    block()->listMode = 2;
    block()->canvas->showNotify();
    EXPECT_EQ(block()->listMode, 2);
}

TEST_F(CanvasTest, AResumeWaitsAHundredMilliseconds) {
    startGame();
    const std::uint64_t before = platformClock.delayedMilliseconds;
    block()->canvas->showNotify();
    EXPECT_EQ(platformClock.delayedMilliseconds - before, 100u);
}

TEST_F(CanvasTest, PaintIsTheFrameEntry) {
    startGame();
    auto* screen = runtime::newObject<profile::Image>();
    screen->initBuffer(480, 800, profile::kImageMutableFlag, 0);
    block()->canvas->paint(screen->getGraphics());
    // One frame of the loading state ran.
    EXPECT_EQ(neighbours.log.take({"loadResources"}), std::vector<std::string>{"loadResources"});
    EXPECT_EQ(block()->framesInState, 1);
}

// The loop's clock: a scripted list of readings, then the last one forever; the loop ends after a
// number of platform sleeps.
struct LoopScript {
    std::vector<jlong> readings{0};
    std::size_t next = 0;
    int sleepsLeft = 0; // 0: the sleeps do not end the loop
};
LoopScript* loop = nullptr;

class CountingClock final : public platform::Clock {
public:
    std::uint32_t ticks() override { return 0; }
    void delay(const std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        if (loop->sleepsLeft > 0 && --loop->sleepsLeft == 0) {
            game::statics()->gameRunning = 0;
        }
    }
    std::vector<std::uint32_t> sleeps;
};

class GameLoopTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        loop = &script;
        runtime::System::setClock([] {
            const jlong value = loop->readings[std::min(loop->next, loop->readings.size() - 1)];
            ++loop->next;
            return value;
        });
    }
    void TearDown() override {
        loop = nullptr;
        CanvasTest::TearDown();
    }

    // The started game, with the start's own sleep forgotten.
    void startLoopGame() {
        startGame();
        sleeps.sleeps.clear();
        script.next = 0;
    }

    LoopScript script;
    CountingClock sleeps;
    platform::ScopedService<platform::Clock> sleepScope{&platform::installClock, sleeps};
};

TEST_F(GameLoopTest, FramesStartEveryFiftyMillisecondsAndAClockGoingBackDoesNotHoldThemBack) {
    startLoopGame();
    // Start 1000; frame 1 waits for 1050 (1020 and 1049 are too early); frame 2's wait sees the
    // clock jump back to 10 and goes at once; frame 3 waits from 10 to 60.
    script.readings = {1000, 1020, 1049, 1050, 10, 30, 60};
    script.sleepsLeft = 3;
    block()->frameCount = 0;
    block()->canvas->run();
    EXPECT_EQ(block()->frameCount, 3);
    EXPECT_EQ(sleeps.sleeps, (std::vector<std::uint32_t>{2, 2, 2}));
    EXPECT_EQ(script.next, script.readings.size());
}

TEST_F(GameLoopTest, APausedLoopSleepsTwoHundredMillisecondsAndPaintsNothing) {
    startLoopGame();
    script.readings = {0};
    script.sleepsLeft = 3;
    block()->paused = 1;
    block()->frameCount = 0;
    block()->canvas->run();
    EXPECT_EQ(block()->frameCount, 0);
    EXPECT_EQ(sleeps.sleeps, (std::vector<std::uint32_t>{200, 200, 200}));
}

TEST_F(GameLoopTest, TheEndOfTheLoopDestroysTheMidlet) {
    startLoopGame();
    script.readings = {0};
    block()->gameRunning = 0;
    block()->canvas->run();
    EXPECT_EQ(block()->midlet.get(), nullptr);
    EXPECT_EQ(block()->canvas.get(), nullptr);
    EXPECT_EQ(application.currentDisplayable, nullptr);
}

} // namespace
} // namespace game
