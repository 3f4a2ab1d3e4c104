// The club home screen on the menu bench: the first season's guide walk (7, 3, 9, 1, and from
// step 5 on 8, 5, 4, 6) with its notices and pending states, the guide's end, the left soft key
// held back in the guide's middle phase, the cursor's glide, the direction keys, the list view
// with its page arrows, the continue rule and the exit question.
#include "game/screens/menus/HomeScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/interim/InterimInformationScreenServices.h"
#include "game/screens/menus/DayWork.h"
#include "runtime/Service.h"
#include "tests/game/support/MenuBench.h"

namespace game::menus::home_screen_test {
namespace {

using testing::MenuBench;
using Trace = std::vector<std::string>;

constexpr jint kHome = 134;
constexpr jint kKeyUp = 1;
constexpr jint kKeyRight = 4;
constexpr jint kKeyDown = 16;
constexpr jint kKeyLeft = 64;
constexpr jint kKeyFire = 256;
constexpr jint kKeyBack = 4096;
constexpr jint kKeyLeftSoft = 8192;

// Records the states entered and the day's tasks; the list view's touched row is scripted.
class HomeRecorder final : public DayWork,
                           public core::MenuStateServices,
                           public interim::InterimInformationScreenServices {
public:
    void run(const DayTask task, jint) override { trace.push_back(dayTaskName(task)); }
    void setMenuState(const jint state) override {
        trace.push_back("state " + std::to_string(state));
        statics()->menuState = state;
    }
    bool applyPendingMenuState() override { return false; }
    jint listRowAtPointerSimple(jint, jint, jint, jint, jint, jint, jboolean) override { return listRow; }

    Trace take() { return std::exchange(trace, {}); }

    Trace trace;
    jint listRow = -1;
};

class HomeScreenTest : public MenuBench {
protected:
    void SetUp() override {
        MenuBench::SetUp();
        GameStatics* const s = block();
        s->menuState = kHome;
        for (jint entry = 1; entry <= 9; ++entry) {
            setFlags(entry, 1);
        }
        s->menuSelection = 1;
        s->guideStep = 9;
        s->homeCursorMoving = 0;
        frame();
    }
    static void setFlags(const jint entry, const jint value) {
        (*statics()->progressFlags)[entry - 1] = static_cast<runtime::jbyte>(value);
    }
    static jint flags(const jint entry) { return (*statics()->progressFlags)[entry - 1] & 0xFF; }
    // One frame of the home screen with the keys given, then none.
    void frame(const jint keyMask = 0) {
        if (keyMask != 0) {
            keys(keyMask);
        } else {
            noInput();
        }
        updateHomeScreen();
        noInput();
    }
    // Frames without input until the cursor stands on its entry.
    void settle() {
        for (jint k = 0; k < 8 && block()->homeCursorMoving != 0; ++k) {
            frame();
        }
        frame();
    }
    void press(const jint keyMask) {
        frame(keyMask);
        settle();
    }

    HomeRecorder recorder;
    runtime::ScopedService<DayWork> workScope{&installDayWork, recorder};
    runtime::ScopedService<core::MenuStateServices> stateScope{&core::installMenuStateServices, recorder};
    runtime::ScopedService<core::InformationScreenServices> infoScope{&core::installInformationScreenServices,
                                                                      recorder};
};

TEST_F(HomeScreenTest, TheGuideLeadsThroughItsEntriesWithTheirNotices) {
    GameStatics* const s = block();
    for (jint entry = 1; entry <= 9; ++entry) {
        setFlags(entry, 0);
    }
    setFlags(7, 1 | 2 | 4);
    s->guideStep = 0;
    s->menuSelection = 2;
    settle();
    recorder.take();
    struct Step {
        jint expectedEntry, pendingState, openedEntry, nextStep;
    };
    // The first half: an unopened entry sends the cursor to the guide's entry, whose notice then
    // opens the next one.
    const Step firstHalf[] = {{7, 8192, 3, 1}, {3, 512, 9, 2}, {9, 16384, 1, 3}};
    for (const Step& step : firstHalf) {
        s->menuSelection = 2; // never open in this walk
        settle();
        press(kKeyFire);
        EXPECT_EQ(s->menuSelection, step.expectedEntry);
        press(kKeyFire);
        EXPECT_EQ(s->noticeActive, 1) << step.expectedEntry;
        EXPECT_EQ(s->pendingHomeState, step.pendingState);
        EXPECT_EQ(s->guideStep, step.nextStep);
        EXPECT_EQ(flags(step.openedEntry), 1 | 2) << step.openedEntry;
        EXPECT_EQ(flags(step.expectedEntry) & 2, 0);
        recorder.take();
        frame(kKeyFire);
        EXPECT_EQ(s->noticeActive, 0);
        EXPECT_EQ(recorder.take(), (Trace{"state " + std::to_string(step.pendingState)}));
        s->menuState = kHome;
    }
    EXPECT_EQ(flags(7) & 4, 0);
    // At step 3 the guide leads to entry 1.
    s->menuSelection = 2;
    settle();
    press(kKeyFire);
    EXPECT_EQ(s->menuSelection, 1);

    // The second half, from step 5.
    s->guideStep = 5;
    setFlags(1, 1);
    setFlags(8, 1 | 2);
    const Step secondHalf[] = {{8, 2055, 5, 6}, {5, 1037, 4, 7}, {4, 520, 6, 8}};
    for (const Step& step : secondHalf) {
        s->menuSelection = 2;
        settle();
        press(kKeyFire);
        EXPECT_EQ(s->menuSelection, step.expectedEntry);
        press(kKeyFire);
        EXPECT_EQ(s->pendingHomeState, step.pendingState);
        EXPECT_EQ(s->guideStep, step.nextStep);
        EXPECT_EQ(flags(step.openedEntry), 1 | 2) << step.openedEntry;
        frame(kKeyFire);
        s->menuState = kHome;
    }
    s->menuSelection = 2;
    settle();
    press(kKeyFire);
    EXPECT_EQ(s->menuSelection, 6);
    press(kKeyFire);
    EXPECT_EQ(s->pendingHomeState, 8200);
    EXPECT_EQ(s->guideStep, 9);
}

TEST_F(HomeScreenTest, AfterTheGuidesLastStepAnUnopenedEntryKeepsTheCursor) {
    GameStatics* const s = block();
    s->guideStep = 9;
    setFlags(2, 0);
    s->menuSelection = 2;
    settle();
    press(kKeyFire);
    EXPECT_EQ(s->menuSelection, 2);
    EXPECT_EQ(s->homeCursorMoving, 0);
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(HomeScreenTest, TheLeftSoftKeyIsHeldBackInTheGuidesMiddlePhase) {
    GameStatics* const s = block();
    // Entries 3, 7 and 9 are done, entry 8's notice still waits.
    setFlags(8, 1 | 2);
    s->menuSelection = 1;
    press(kKeyLeftSoft);
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(s->menuState, kHome);
    setFlags(8, 1);
    press(kKeyLeftSoft);
    EXPECT_EQ(recorder.take(), (Trace{"state 136"}));
}

TEST_F(HomeScreenTest, TheCursorGlidesForFourFramesThenStandsExactlyOnItsEntry) {
    GameStatics* const s = block();
    s->menuSelection = 2;
    settle();
    ASSERT_EQ(s->homeCursorX, 332);
    ASSERT_EQ(s->homeCursorY, 208);
    frame(kKeyDown); // entry 2's neighbour below is entry 7 at (270, 300)
    EXPECT_EQ(s->menuSelection, 7);
    struct Glide {
        jint x, y, keyMask;
    };
    // Keys are ignored while the cursor glides; the fourth frame ends the glide.
    const Glide glide[] = {
        {316, 231, kKeyRight}, {300, 254, kKeyRight}, {284, 277, kKeyRight}, {268, 300, 0}};
    for (const Glide& step : glide) {
        frame(step.keyMask);
        EXPECT_EQ(s->homeCursorX, step.x);
        EXPECT_EQ(s->homeCursorY, step.y);
    }
    EXPECT_EQ(s->homeCursorMoving, 0);
    EXPECT_EQ(s->menuSelection, 7);
    frame();
    EXPECT_EQ(s->homeCursorX, 270);
    EXPECT_EQ(s->homeCursorY, 300);
}

TEST_F(HomeScreenTest, TheDirectionKeysFollowTheNeighbourWords) {
    GameStatics* const s = block();
    // Per entry: the entry reached by keys 1, 16, 64 and 4 (0: the key does nothing).
    const jint table[9][4] = {
        {0, 6, 0, 2}, {1, 7, 6, 8}, {6, 9, 0, 7}, {7, 9, 3, 0}, {8, 4, 7, 0},
        {1, 3, 0, 2}, {1, 4, 3, 5}, {0, 5, 2, 0}, {7, 0, 0, 4},
    };
    const jint keyMasks[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight};
    for (jint entry = 1; entry <= 9; ++entry) {
        for (jint k = 0; k < 4; ++k) {
            s->menuSelection = entry;
            settle();
            press(keyMasks[k]);
            const jint expected = table[entry - 1][k] == 0 ? entry : table[entry - 1][k];
            EXPECT_EQ(s->menuSelection, expected) << "entry " << entry << " key " << keyMasks[k];
        }
    }
}

TEST_F(HomeScreenTest, TheListViewWrapsAndTurnsItsPages) {
    GameStatics* const s = block();
    frame(kKeyBack);
    ASSERT_EQ(s->homeEntriesShown, 1);
    frame(kKeyUp);
    EXPECT_EQ(s->menuSelection, 10);
    frame(kKeyDown);
    EXPECT_EQ(s->menuSelection, 1);
    frame(kKeyLeft);
    EXPECT_EQ(s->menuSelection, 1);
    EXPECT_EQ(s->homeListPage, 0);
    // The next-page arrow (touch area 7) leads to entry 6, the previous one back to entry 1.
    recorder.listRow = 6;
    releaseAt(240, 500);
    updateHomeScreen();
    EXPECT_EQ(s->menuSelection, 6);
    noInput();
    frame();
    EXPECT_EQ(s->homeListPage, 1);
    recorder.listRow = 0;
    releaseAt(240, 80);
    updateHomeScreen();
    EXPECT_EQ(s->menuSelection, 1);
    // A released touch on row 3 of the page highlights entry 3 and starts its touch animation.
    recorder.listRow = 3;
    releaseAt(240, 290);
    updateHomeScreen();
    EXPECT_EQ(s->menuSelection, 3);
    EXPECT_EQ(s->selectionAnimating, 1);
    // The right soft key from entry 10 of the list puts the cursor on entry 9.
    recorder.listRow = -1;
    s->selectionAnimating = 0;
    s->menuSelection = 10;
    frame(kKeyBack);
    EXPECT_EQ(s->homeEntriesShown, 0);
    EXPECT_EQ(s->menuSelection, 9);
}

TEST_F(HomeScreenTest, TheContinueRuleGoesToTheInboxThePreMatchMenuOrTheNextDay) {
    struct Case {
        const char* name;
        jint pendingMessage, matchToday, autoAdvance, holdAtHome;
        Trace expected;
    };
    const Case cases[] = {
        {"a pending message opens the inbox", 1, 1, 0, 0, {"state 1030"}},
        {"holding at home passes the pending message by", 1, 0, 0, 1, {"state 136"}},
        {"a match today leads to the pre-match menu", 0, 1, 0, 0, {"state 256"}},
        {"autoAdvance closes the day at once", 0, 1, 1, 0, {"closeFixture", "state 136"}},
        {"a plain day advances", 0, 0, 0, 0, {"state 136"}},
    };
    for (const Case& c : cases) {
        GameStatics* const s = block();
        s->menuState = kHome;
        s->menuSelection = 1;
        s->pendingMessageFound = static_cast<runtime::jbyte>(c.pendingMessage);
        s->pendingMessageTop = 4;
        s->pendingMessageIndex = 5;
        s->pendingMessageListCount = 9;
        s->userEventNow = static_cast<runtime::jboolean>(c.matchToday);
        s->autoAdvance = static_cast<runtime::jboolean>(c.autoAdvance);
        s->holdAtHome = static_cast<runtime::jbyte>(c.holdAtHome);
        s->userTablePosition = 0;
        s->calendarMarks = runtime::newShortArray(384);
        settle();
        recorder.take();
        frame(kKeyLeftSoft);
        EXPECT_EQ(recorder.take(), c.expected) << c.name;
        if (c.pendingMessage != 0 && c.holdAtHome == 0) {
            EXPECT_EQ(s->inboxTop, 4) << c.name;
            EXPECT_EQ(s->inboxCursor, 5) << c.name;
            EXPECT_EQ(s->inboxListCount, 9) << c.name;
        }
    }
}

TEST_F(HomeScreenTest, TheExitQuestionQuitsOrStays) {
    GameStatics* const s = block();
    frame(kKeyBack);
    s->menuSelection = 10;
    frame(kKeyFire);
    ASSERT_EQ(s->secondPopupActive, 1);
    EXPECT_EQ(s->menuChoice, 2);
    recorder.take();
    frame(kKeyFire); // the third button: the question closes
    EXPECT_EQ(s->secondPopupActive, 0);
    EXPECT_TRUE(recorder.take().empty());

    frame(kKeyFire);
    s->menuChoice = 1; // the second button: back to the main menu without saving
    s->fixturesReady = 1;
    frame(kKeyFire);
    EXPECT_EQ(recorder.take(), (Trace{"state 32"}));
    EXPECT_EQ(s->fixturesReady, 0);
}

TEST_F(HomeScreenTest, TheContinueQuestionAdvancesOrStays) {
    GameStatics* const s = block();
    s->popupActive = 1;
    s->menuChoice = 1;
    frame(kKeyFire);
    EXPECT_EQ(s->popupActive, 0);
    EXPECT_EQ(s->advanceRequested, 1);
    EXPECT_TRUE(recorder.take().empty());
    s->popupActive = 1;
    s->menuChoice = 0;
    s->userEventNow = 1;
    frame(kKeyFire);
    EXPECT_EQ(recorder.take(), (Trace{"state 256"}));
}

} // namespace
} // namespace game::menus::home_screen_test
