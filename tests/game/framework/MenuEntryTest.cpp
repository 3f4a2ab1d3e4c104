// The menu screens' entry preparation, each screen entered through setMenuState on a prepared
// world: what each state prepares and the sounds it plays, the new week with its message alert
// and news kinds, the contract offer, the scouting draw and the youth list on the sample
// database, the message lists, the line-up reset and the closing block.
#include "game/framework/MenuEntry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerValue.h"
#include "game/core/TextPackage.h"
#include "game/framework/MenuStates.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/DaySchedule.h"
#include "game/sprites/ASpriteInstance.h"
#include "runtime/Exceptions.h"
#include "runtime/Hashtable.h"
#include "runtime/NumberWrappers.h"
#include "runtime/StringBuffer.h"
#include "tests/game/support/MenuEntryFixture.h"

namespace game::framework {
using namespace game::sprites;
using namespace game::resources;
using namespace game::club;
using namespace game::season;
using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::jbyte;
using runtime::jint;
using testing::Calls;

constexpr jint kNewWeek = 0x88;
using menu_state::kHome;
using menu_state::kMessages;
constexpr jint kMainMenu = 32;
constexpr jint kMarkedBit = static_cast<jint>(0x80000000u);

class MenuEntryTest : public testing::MenuEntryFixture {
protected:
    static GameStatics* s() { return statics(); }
    Calls sounds() { return neighbours.log.take({"playSound"}); }
    // The calls of entered named name.
    static Calls callsNamed(const Calls& calls, const std::string& name) {
        Calls named;
        for (const std::string& call : calls) {
            if (call.substr(0, call.find(' ')) == name) {
                named.push_back(call);
            }
        }
        return named;
    }
    Calls entered; // every call of the last entry
};

// -------------------------------------------------------------------------------------------
// One table over the states: what each prepares and the sounds it plays.

TEST_F(MenuEntryTest, EachStatePreparesItsScreenAndPlaysItsSounds) {
    struct Case {
        const char* name;
        jint from;
        jint state;
        std::function<void()> setUp;
        std::function<void()> check;
        Calls sounds;
    };
    const auto noSetUp = [] {};
    const Case cases[] = {
        {"main menu with a career",
         0,
         kMainMenu,
         [] {
             s()->inboxStart = 7;
             s()->inboxWrite = 9;
             s()->inboxCount = 2;
             (*static_cast<runtime::ByteArray*>((*s()->inboxPool)[3]))[5] = 4;
             s()->slotValues = runtime::newIntArray(30);
             (*s()->slotValues)[2] = 9;
         },
         [] {
             EXPECT_EQ(s()->menuSelection, 1);
             EXPECT_EQ(text(s()->mainMenuText), constantText(1));
             EXPECT_EQ(s()->mainMenuMarker, -1);
             EXPECT_EQ(s()->inboxStart, 0);
             EXPECT_EQ(s()->inboxWrite, 0);
             EXPECT_EQ(s()->inboxCount, 0);
             for (jint r = 0; r < s()->inboxPool->length; ++r) {
                 auto* row = static_cast<runtime::ByteArray*>((*s()->inboxPool)[r]);
                 for (jint b = 0; b < row->length; ++b) {
                     ASSERT_EQ((*row)[b], -1) << r << "," << b;
                 }
             }
             EXPECT_EQ((*s()->slotValues)[2], 0);
         },
         {"playSound 22"}},
        {"main menu from the help screen",
         40,
         kMainMenu,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, 7); },
         {}},
        {"main menu from the options",
         39,
         kMainMenu,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, 0) << "the entry's default"; },
         {}},
        {"main menu from the pause menu",
         0x800000,
         kMainMenu,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, 1); },
         {}},
        {"main menu from the promotion screen, no career",
         38,
         kMainMenu,
         [] { s()->userTeam = -1; },
         [] {
             EXPECT_EQ(s()->menuSelection, 0);
             s()->userTeam = kUserTeam;
         },
         {}},
        {"list screen",
         0x20,
         0x24,
         [] {
             s()->listMode = 4;
             s()->mainListMarker = 3;
             s()->listReady = 0;
         },
         [] {
             EXPECT_EQ(s()->listMode, 0);
             EXPECT_EQ(s()->listAnchor, -1);
             EXPECT_EQ(s()->mainListMarker, -1);
             EXPECT_TRUE(s()->listReady);
         },
         {}},
        {"squad list back from its sub-screen 4",
         0x100004,
         0x100003,
         [] {
             s()->mainListMarker = 3;
             s()->listReady = 0;
         },
         [] {
             EXPECT_EQ(s()->mainListMarker, 3);
             EXPECT_FALSE(s()->listReady);
         },
         {}},
        {"start of play from elsewhere keeps the list",
         0x42,
         0x44,
         [] {
             s()->squadListCount = 2;
             (*s()->squadList)[0] = 11;
             (*s()->squadList)[1] = 12;
         },
         [] {
             EXPECT_EQ(squadList(), (std::vector<jint>{11, 12}));
         },
         {}},
        {"replay screen", 0x40, 0x46, noSetUp, [] { EXPECT_EQ(s()->replayCounter, 120); }, {}},
        {"replay screen 0x1001", 0x1000, 0x1001, noSetUp, [] { EXPECT_EQ(s()->replayCounter, 120); }, {}},
        {"replay screen 0x1002", 0x1000, 0x1002, noSetUp, [] { EXPECT_EQ(s()->replayCounter, 120); }, {}},
        {"inbox from home",
         kHome,
         0x85,
         noSetUp,
         [this] { EXPECT_EQ(callsNamed(entered, "refreshInboxScreen"), Calls{"refreshInboxScreen"}); },
         {"playSound 19"}},
        {"season half-screen",
         0x80,
         0x102,
         [] { s()->seasonRow = 7; },
         [] {
             EXPECT_EQ(s()->seasonMarker, -1);
             EXPECT_EQ(s()->selectedRow, 2);
         },
         {"playSound 20"}},
        {"season half-screen 0x800003",
         0x800000,
         0x800003,
         [] { s()->seasonRow = 9; },
         [] { EXPECT_EQ(s()->selectedRow, 3); },
         {}},
        {"staff hub from home",
         kHome,
         0x200,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, -1); },
         {"playSound 21"}},
        {"staff hub from elsewhere", 0x201, 0x200, noSetUp, [] { EXPECT_EQ(s()->menuSelection, -1); }, {}},
        {"screen 0x40D from home", kHome, 0x40D, noSetUp, [] {}, {"playSound 21"}},
        {"staff screen 8 from home loads its sprite",
         kHome,
         0x208,
         noSetUp,
         [] { EXPECT_NE(s()->staffSprite.get(), nullptr); },
         {"playSound 23"}},
        {"hired staff",
         0x200,
         0x20A,
         [] {
             selectionByte(588) = 5;
             selectionByte(589) = -1;
             selectionByte(590) = 7;
             selectionByte(591) = 2;
         },
         [] {
             EXPECT_EQ(s()->menuSelection, 0);
             EXPECT_EQ(squadList(), (std::vector<jint>{5, 7, 2}));
         },
         {}},
        {"free staff",
         0x200,
         0x20B,
         [] {
             s()->setUpChoices = runtime::newIntArray(4);
             for (jint i = 0; i < 4; ++i) {
                 (*s()->setUpChoices)[i] = i + 1;
             }
         },
         [] {
             EXPECT_EQ(s()->menuSelection, 0);
             EXPECT_EQ(squadList(), (std::vector<jint>{1, 3, 4}));
         },
         {}},
        {"scout slots",
         0x400,
         0x403,
         [] {
             selectionByte(592) = 4;
             selectionByte(598) = -1;
             s()->rowScroll = 13;
         },
         [] {
             EXPECT_EQ(s()->menuSelection, 0);
             EXPECT_EQ(s()->rowScroll, 0);
             EXPECT_EQ(squadList(), (std::vector<jint>{4}));
         },
         {}},
        {"scout slots 0x40E",
         0x400,
         0x40E,
         [] { selectionByte(598) = 6; },
         [] {
             EXPECT_EQ(squadList(), (std::vector<jint>{4, 6}));
         },
         {}},
        {"scout list",
         0x400,
         0x405,
         [] { s()->menuSelection = 3; },
         [] {
             EXPECT_EQ(s()->menuSelection, 0);
             for (const jint entry : squadList()) {
                 EXPECT_TRUE(entry >= 0 && entry < 20 && entry != 4 && entry != 6) << entry;
             }
         },
         {}},
        {"listed players",
         0x400,
         0x409,
         [] {
             playerByte(3, 4) = static_cast<jbyte>(0x80);
             playerByte(40, 4) = static_cast<jbyte>(0x85);
             playerByte(41, 4) = 0x7F;
         },
         [] {
             EXPECT_EQ(squadList(), (std::vector<jint>{3, 40}));
         },
         {}},
        {"schedule from the calendar",
         0x800,
         0x803,
         [] {
             s()->monthIndex = 4;
             s()->matchDayIndex = 6;
             s()->scheduleFromSave = 0;
         },
         [] {
             EXPECT_EQ(s()->scheduleMonth, 4);
             EXPECT_EQ(s()->selectedRow, 6);
             std::vector<jint> built(s()->daySchedule->data(), s()->daySchedule->data() + 16);
             buildDaySchedule(4, 0, 1, 0);
             EXPECT_EQ(built, std::vector<jint>(s()->daySchedule->data(), s()->daySchedule->data() + 16));
         },
         {}},
        {"schedule resumed",
         0x800,
         0x803,
         [] {
             s()->scheduleFromSave = 1;
             s()->scheduleRowSaved = 5;
             s()->scheduleMonth = 2;
         },
         [] {
             EXPECT_EQ(s()->selectedRow, 5);
             EXPECT_EQ(s()->scheduleMonth, 2);
         },
         {}},
        {"league hub from home",
         kHome,
         0x807,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, -1); },
         {"playSound 14"}},
        {"club hub from home",
         kHome,
         0x2000,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, -1); },
         {"playSound 14"}},
        {"club screen 8 from home",
         kHome,
         0x2008,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, -1); },
         {"playSound 15"}},
        {"club pack data",
         0x1000,
         0x1003,
         [] { s()->teamNameTable = nullptr; },
         [] { EXPECT_NE(s()->teamNameTable.get(), nullptr); },
         {}},
        {"showcase",
         0x2000,
         0x2004,
         [] {
             s()->statusBytes = runtime::newByteArray(4);
             s()->statusPanel = runtime::newIntArray(4);
             (*s()->statusBytes)[1] = 3;
             (*s()->statusPanel)[3] = 8;
         },
         [] {
             EXPECT_EQ((*s()->statusBytes)[1], 0);
             EXPECT_EQ((*s()->statusPanel)[3], 0);
         },
         {}},
        {"contract entry",
         0x100000,
         0x100007,
         [] {
             s()->chosenPlayer = 12;
             putInt(12, 33, 123456);
             s()->entryValueAux = 4;
         },
         [] {
             EXPECT_EQ(s()->menuSelection, 1);
             EXPECT_EQ(s()->entryValue, 123456);
             EXPECT_EQ(text(s()->entryBuffer->toString()), "123456");
             EXPECT_EQ(s()->entryValueAux, 0);
         },
         {}},
        {"contract entry 0x10000C",
         0x100000,
         0x10000C,
         [] { putInt(12, 33, -7); },
         [] { EXPECT_EQ(text(s()->entryBuffer->toString()), "-7"); },
         {}},
        {"a state without a preparation",
         0x300,
         0x301,
         noSetUp,
         [] { EXPECT_EQ(s()->menuSelection, 0) << "the entry's default"; },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        neighbours.log.take();
        enter(c.from, c.state);
        entered = neighbours.log.take();
        EXPECT_EQ(s()->menuState, c.state);
        EXPECT_EQ(callsNamed(entered, "playSound"), c.sounds);
        c.check();
    }
}

// -------------------------------------------------------------------------------------------
// The closing block and the animation reset.

TEST_F(MenuEntryTest, EveryEntryEndsWithTheHighlightResetAndItsDefaults) {
    struct Case {
        jint state;
        jint selection; // after the entry
        jint row;
    };
    const Case cases[] = {
        {0x2000, -1, 0}, {0x4000, -1, 0},   {0x30, -1, 0},      {0x22, -1, 0},  {0x31, -1, 0},
        {0x2007, -1, 0}, {0x800004, -1, 0}, {0x40C, -1, 0},     {0x100, -1, 0}, {0x206, 0, -1},
        {0x104, 0, -1},  {0x203, 0, -1},    {0x800002, 0, -1},  {0x105, 0, -1}, {0x204, 0, -1},
        {0x209, 0, -1},  {0x800001, 0, -1}, {0x800000, -1, -1}, {0x301, 0, 0},
    };
    for (const Case& c : cases) {
        s()->menuCursorX = 5;
        s()->menuCursorY = 6;
        s()->menuChoice = 3;
        s()->menuChoiceShown = 2;
        s()->menuChoiceMoving = 1;
        s()->screenCounter = 4;
        s()->screenPhase = 5;
        s()->touchListHit = 2;
        s()->popupOpen = 1;
        s()->popupChoice = 3;
        s()->screenValue = 1;
        s()->popupAnchor = 9;
        enter(0x1000, c.state);
        EXPECT_EQ(s()->menuCursorX, 334) << std::hex << c.state;
        EXPECT_EQ(s()->menuCursorY, 372) << std::hex << c.state;
        EXPECT_EQ(s()->menuChoice, 1) << std::hex << c.state;
        EXPECT_EQ(s()->menuChoiceShown, 1) << std::hex << c.state;
        EXPECT_FALSE(s()->menuChoiceMoving) << std::hex << c.state;
        EXPECT_EQ(s()->screenCounter, 0) << std::hex << c.state;
        EXPECT_EQ(s()->screenPhase, 0) << std::hex << c.state;
        EXPECT_EQ(s()->touchListHit, -1) << std::hex << c.state;
        EXPECT_FALSE(s()->popupOpen) << std::hex << c.state;
        EXPECT_EQ(s()->popupChoice, -1) << std::hex << c.state;
        EXPECT_EQ(s()->screenValue, 0) << std::hex << c.state;
        EXPECT_EQ(s()->popupAnchor, -1) << std::hex << c.state;
        EXPECT_EQ(s()->menuSelection, c.selection) << std::hex << c.state;
        EXPECT_EQ(s()->selectedRow, c.row) << std::hex << c.state;
    }
}

TEST_F(MenuEntryTest, TheClosingBlockOverridesARestoredSelection) {
    s()->menuHistory->put(runtime::newObject<runtime::java_lang_Integer>(0x2000),
                          runtime::newObject<runtime::java_lang_Integer>(4));
    s()->menuHistory->put(runtime::newObject<runtime::java_lang_Integer>(0x2001),
                          runtime::newObject<runtime::java_lang_Integer>(4));
    s()->rightSoftKeyTaken = 1;
    enter(0x2005, 0x2001);
    EXPECT_EQ(s()->menuSelection, 4) << "a screen the block leaves alone keeps it";
    s()->rightSoftKeyTaken = 1;
    enter(0x2005, 0x2000);
    EXPECT_EQ(s()->menuSelection, -1);
}

TEST_F(MenuEntryTest, EveryEntryRestartsTheMenuAnimation) {
    auto* instance = runtime::newObject<sprites::ASpriteInstance>(nullptr, 0, 0);
    s()->menuSpriteInstance = instance;
    instance->anim = 3;
    instance->aframe = 4;
    instance->timer = 5;
    instance->loops = -1;
    instance->ended = 1;
    instance->lastFrame = 6;
    s()->selectionMarker = 7;
    s()->entryTimeFlag = 1;
    now = 4242;
    enter(0x1000, 0x301);
    EXPECT_EQ(instance->anim, 11);
    EXPECT_EQ(instance->aframe, 0);
    EXPECT_EQ(instance->timer, 0);
    EXPECT_EQ(instance->loops, 0);
    EXPECT_FALSE(instance->ended);
    EXPECT_EQ(instance->lastFrame, -1) << "an instance without a sprite";
    EXPECT_EQ(s()->selectionMarker, -2);
    EXPECT_FALSE(s()->entryTimeFlag);
    EXPECT_EQ(s()->menuEntryTime, 4242);
    // Without an instance the entry goes on.
    s()->menuSpriteInstance = nullptr;
    s()->selectionMarker = 7;
    enter(0x1000, 0x301);
    EXPECT_EQ(s()->selectionMarker, -2);
}

TEST_F(MenuEntryTest, TheMainMenuStartsItsOwnAnimationOnce) {
    auto* instance = runtime::newObject<sprites::ASpriteInstance>(nullptr, 0, 0);
    s()->mainMenuSpriteInstance = instance;
    instance->loops = -1;
    instance->aframe = 2;
    enter(0x20, kMainMenu);
    EXPECT_EQ(instance->anim, 14);
    EXPECT_EQ(instance->loops, 0);
    EXPECT_EQ(instance->aframe, 0);
}

// -------------------------------------------------------------------------------------------
// The new week.

TEST_F(MenuEntryTest, APendingMessageAlertShowsTheMessagesInsteadOfTheNewWeek) {
    s()->pendingMessageFound = 1;
    s()->pendingMessageTop = 4;
    s()->pendingMessageIndex = 6;
    s()->pendingMessageListCount = 9;
    s()->weekNewsKind = 7;
    s()->monthIndex = 3;
    s()->eventsToUserEvent = 55;
    enter(kHome, kNewWeek);
    EXPECT_EQ(s()->menuState, kMessages);
    EXPECT_EQ(s()->previousMenuState, kNewWeek);
    EXPECT_EQ(neighbours.log.take({"refreshInboxScreen"}), Calls{"refreshInboxScreen"});
    EXPECT_EQ(s()->inboxTop, 4);
    EXPECT_EQ(s()->inboxCursor, 6);
    EXPECT_EQ(s()->inboxListCount, 9);
    EXPECT_EQ(s()->weekNewsKind, 7) << "no new-week set-up";
    EXPECT_EQ(s()->eventsToUserEvent, 55) << "no event search";

    // When the message screen's preparation leads back to the new week, only the count is taken.
    neighbours.log.on("refreshInboxScreen", [] { statics()->menuState = kNewWeek; });
    s()->inboxTop = 1;
    s()->inboxCursor = 2;
    s()->pendingMessageListCount = 3;
    enter(kHome, kNewWeek);
    EXPECT_EQ(s()->inboxTop, 1);
    EXPECT_EQ(s()->inboxCursor, 2);
    EXPECT_EQ(s()->inboxListCount, 3);
}

TEST_F(MenuEntryTest, TheNewWeeksNewsKindFollowsTheCalendarAndTheScreenLeft) {
    struct Case {
        const char* name;
        jint month;
        jint week;
        bool friendlies; // every week holds a friendly, else the calendar is empty
        jint from;
        jint low;
        jint high;
    };
    const Case cases[] = {
        {"first month", 0, 3, true, kHome, 0, 1},
        {"month 1, week 7", 1, 7, true, kHome, 0, 1},
        {"later months", 2, 0, true, kHome, 2, 12},
        {"no event", 5, 2, false, kHome, 0, 0},
        {"from the main menu", 5, 2, true, kMainMenu, 1, 1},
    };
    for (const Case& c : cases) {
        for (int draw = 0; draw < 8; ++draw) {
            s()->monthIndex = c.month;
            s()->matchDayIndex = c.week;
            s()->calendarDays = runtime::newByteArray(96);
            for (jint p = 0; p < 96; ++p) {
                (*s()->fixtureTable)[p] = static_cast<runtime::jshort>(c.friendlies ? kOtherTeam : -1);
            }
            enter(c.from, kNewWeek);
            ASSERT_EQ(s()->scheduleType, c.friendlies ? 5 : 0) << c.name;
            EXPECT_GE(s()->weekNewsKind, c.low) << c.name;
            EXPECT_LE(s()->weekNewsKind, c.high) << c.name;
        }
    }
}

class NewWeekTableTest : public MenuEntryTest {
protected:
    void SetUp() override {
        MenuEntryTest::SetUp();
        // Every calendar position is a round of the competition the case sets up.
        s()->leagueSizes = runtime::newIntArray(13);
        (*s()->leagueSizes)[0] = 4;
        s()->leagueStarts = runtime::newIntArray(13);
        for (jint i = 0; i < 4; ++i) {
            (*s()->leagueTeamOrder)[i] = static_cast<runtime::jshort>(kUserTeam + i);
        }
        s()->userLeagueSize = 4;
        s()->monthIndex = 4;
        s()->matchDayIndex = 2;
    }
    // A kind of the league boards (2..5), or 12: a draw of 12 shows the objectives instead.
    static bool isLeagueBoardKind(const jint kind) { return (kind >= 2 && kind <= 5) || kind == 12; }
    // The week of a round of type (1 league, 2 national cup, 3 continental cup) with its flag.
    void weekOf(const jint type) {
        for (jint p = 0; p < 96; ++p) {
            (*s()->calendarDays)[p] = static_cast<jbyte>(type << 6);
        }
        s()->roundFlagLeague = type == 1;
        s()->roundFlagCup = type == 2;
        s()->roundFlagContinental = type == 3;
        s()->cupTieSlot = 0;
        s()->cupEntryFlag = 1;
        s()->userInCup = 1;
    }
};

TEST_F(NewWeekTableTest, ATableWeekSnapshotsTheCompetitionAndAnnouncesTheCupBoardsOnce) {
    // A national-cup week without the league flag: the league is set up and saved as record 1.
    weekOf(2);
    s()->scheduleType = 2;
    (*static_cast<runtime::ByteArray*>((*s()->competitionTable)[1]))[5] = 7;
    enter(kHome, kNewWeek);
    ASSERT_EQ(s()->scheduleType, 2) << "the event search found the cup round";
    EXPECT_EQ(neighbours.log.take({"saveCompetitionState370"}), Calls{"saveCompetitionState370 1"});
    EXPECT_EQ(s()->competitionSize, 4);
    EXPECT_TRUE(s()->cupBoardsShown);
    EXPECT_GE(s()->weekNewsKind, 6);
    EXPECT_LE(s()->weekNewsKind, 8);
    ASSERT_NE(s()->competitionTeamsCopy.get(), nullptr);
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*s()->competitionTeamsCopy)[i], kUserTeam + i);
    }
    ASSERT_NE(s()->competitionTableCopy.get(), nullptr);
    EXPECT_EQ((*static_cast<runtime::ByteArray*>((*s()->competitionTableCopy)[1]))[5], 0)
        << "the standings were cleared before the snapshot";
    ASSERT_NE(s()->leaderboards.get(), nullptr) << "the leaderboards were built";

    // The next cup weeks fall back to the league boards' kinds (or keep 12, the objectives).
    for (int week = 0; week < 6; ++week) {
        enter(kHome, kNewWeek);
        EXPECT_TRUE(isLeagueBoardKind(s()->weekNewsKind)) << s()->weekNewsKind;
    }

    // Without a cup tie the cup week shows no table.
    s()->cupTieSlot = -1;
    s()->competitionTeamsCopy = nullptr;
    enter(kHome, kNewWeek);
    EXPECT_EQ(s()->competitionTeamsCopy.get(), nullptr);
}

TEST_F(NewWeekTableTest, AContinentalWeekAnnouncesItsBoardsOnceAndALeagueWeekLoadsTheRecord) {
    weekOf(3);
    enter(kHome, kNewWeek);
    ASSERT_EQ(s()->scheduleType, 3);
    EXPECT_TRUE(s()->continentalBoardsShown);
    EXPECT_GE(s()->weekNewsKind, 9);
    EXPECT_LE(s()->weekNewsKind, 11);
    for (int week = 0; week < 6; ++week) {
        enter(kHome, kNewWeek);
        EXPECT_TRUE(isLeagueBoardKind(s()->weekNewsKind)) << s()->weekNewsKind;
    }

    // A league week with the league flag loads record 1 instead of saving it.
    weekOf(1);
    s()->competitionRecords = runtime::newByteArray(1110);
    (*s()->competitionRecords)[2] = 4; // record 1's size byte
    neighbours.log.take();
    enter(kHome, kNewWeek);
    ASSERT_EQ(s()->scheduleType, 1);
    EXPECT_EQ(neighbours.log.take({"saveCompetitionState370"}), Calls{});
    EXPECT_TRUE(isLeagueBoardKind(s()->weekNewsKind)) << s()->weekNewsKind;
    // From the main menu the kind is always 1.
    enter(kMainMenu, kNewWeek);
    EXPECT_EQ(s()->weekNewsKind, 1);
}

// -------------------------------------------------------------------------------------------
// The objectives.

TEST_F(MenuEntryTest, TheObjectivesComeFromTheCupStatusAndTheRoundsReached) {
    struct Case {
        const char* name;
        std::vector<jint> status; // cupStatus[0..2]
        bool inContinental;
        bool inCup;
        std::vector<jint> reached; // cupRoundReached[1..2]
        std::vector<jint> rounds;  // resultRound[1..2]
        bool earlySteps;
        jint a, b, c;
    };
    const Case cases[] = {
        {"out of both cups", {3, 6, 4}, false, false, {0, 0}, {0, 0}, false, 3, 2, 4},
        {"cup flags take the reached rounds", {2, 6, 4}, true, true, {5, 6}, {2, 5}, false, 2, 4, 3},
        {"rounds too early", {2, 6, 4}, true, true, {5, 6}, {1, 4}, false, 2, 0, 0},
        {"early national-cup steps", {2, 6, 4}, true, true, {5, 6}, {1, 4}, true, 2, 0, 1},
        {"out (-1) and won (1)", {1, -1, 1}, true, true, {5, 6}, {2, 5}, false, 1, 5, 0},
        {"won the national cup", {1, 1, -1}, false, false, {0, 0}, {0, 0}, false, 1, 0, 5},
    };
    s()->cupRoundReached = runtime::newByteArray(3);
    s()->resultRound = runtime::newByteArray(3);
    for (const Case& c : cases) {
        for (jint i = 0; i < 3; ++i) {
            (*s()->cupStatus)[i] = static_cast<jbyte>(c.status[static_cast<std::size_t>(i)]);
        }
        s()->userInCup = c.inContinental;
        s()->cupEntryFlag = c.inCup;
        for (jint i = 0; i < 2; ++i) {
            (*s()->cupRoundReached)[i + 1] = static_cast<jbyte>(c.reached[static_cast<std::size_t>(i)]);
            (*s()->resultRound)[i + 1] = static_cast<jbyte>(c.rounds[static_cast<std::size_t>(i)]);
        }
        s()->earlyCupFlag0 = c.earlySteps;
        s()->earlyCupFlag1 = c.earlySteps;
        s()->earlyCupFlag2 = c.earlySteps;
        enter(0x2000, 0x2002);
        EXPECT_EQ(s()->objectiveA, c.a) << c.name;
        EXPECT_EQ(s()->objectiveB, c.b) << c.name;
        EXPECT_EQ(s()->objectiveC, c.c) << c.name;
    }
    // Missing round tables read as 0 (logged), so the cup values fall back to 0.
    s()->cupRoundReached = nullptr;
    s()->resultRound = nullptr;
    (*s()->cupStatus)[1] = 6;
    (*s()->cupStatus)[2] = 4;
    s()->userInCup = 1;
    s()->cupEntryFlag = 1;
    s()->earlyCupFlag0 = 0;
    enter(0x2000, 0x2002);
    EXPECT_EQ(s()->objectiveB, 0);
    EXPECT_EQ(s()->objectiveC, 0);
}

TEST_F(MenuEntryTest, TheSeasonObjectivesScreenSettlesTheSeason) {
    (*s()->cupStatus)[0] = 4;
    s()->userLeagueExpectation = 9;
    enter(0x40, 0x45);
    EXPECT_EQ(s()->objectiveA, 9);
    EXPECT_EQ(s()->userLeagueExpectation, 5);
}

// -------------------------------------------------------------------------------------------
// The contract offer.

class ContractOfferTest : public MenuEntryTest {
protected:
    static constexpr jint kPlayer = 61;
    void SetUp() override {
        MenuEntryTest::SetUp();
        for (jint b = 4; b < 12; ++b) {
            playerByte(kPlayer, b) = 60;
        }
        playerByte(kPlayer, 12) = 0x03;
        s()->chosenPlayer = kPlayer;
        value = getPlayerValue(kPlayer, 1);
    }
    jint value = 0;
};

TEST_F(ContractOfferTest, TheAskingPriceFollowsTheInterestBands) {
    ASSERT_GT(value, 0);
    struct Case {
        jint d; // 60 - the interest score
        jint ask;
    };
    const Case cases[] = {
        {41, 88888},
        {40, 200 * value / 100},
        {35, 150 * value / 100},
        {30, value},
        {29, (29 * 75 / 20 + 25) * value / 100},
        {0, 25 * value / 100},
        {-1, value * 25 / 100},
        {-30, value * 25 / 100},
    };
    for (const Case& c : cases) {
        seasonScreens.interest = 60 - c.d;
        enter(0x40, 0x49);
        EXPECT_EQ(s()->offerRound, 3) << c.d;
        EXPECT_EQ(s()->offerAsk, c.ask) << c.d;
        const Calls calls = neighbours.log.take({"transferInterest", "console"});
        ASSERT_EQ(calls.size(), 2U) << c.d;
        EXPECT_EQ(calls[0], "transferInterest 61,3,3,4") << c.d;
        EXPECT_EQ(calls[1], "console Player61" + constantText(230) + std::to_string(c.ask * 12)) << c.d;
    }
}

TEST_F(ContractOfferTest, TheWageRoomIsSetOnceAndTheWageFieldStartsFromTheWage) {
    struct Case {
        jint wage;
        std::string shown;
    };
    const Case cases[] = {{0, "6000"}, {-5, "6000"}, {500, "6000"}, {700, "6000"}, {499, "5988"}, {1, "12"}};
    for (const Case& c : cases) {
        putShortAt(kPlayer, 2, c.wage);
        enter(0x20000, 0x20002);
        EXPECT_EQ(text(s()->entryBuffer->toString()), c.shown) << c.wage;
    }
    EXPECT_EQ(s()->wageRoom, 6000);
    EXPECT_EQ(s()->wageRoomShown, 6000);
    EXPECT_TRUE(s()->wageRoomSet);
    // Set once: a new wage room is not taken until the season code clears it.
    club.wageRoom = 100;
    s()->wageRoomShown = 42;
    enter(0x20000, 0x20002);
    EXPECT_EQ(s()->wageRoom, 6000);
    EXPECT_EQ(s()->wageRoomShown, 42);
}

TEST_F(ContractOfferTest, TheOfferScreensTakeTheTeamsOfTheMessageTheyAnswer) {
    s()->offerMessage = addMessage(4, kOtherTeam, kPlayer, 7);
    enter(0x100000, 0x100008);
    EXPECT_EQ(neighbours.log.take({"transferInterest"}), Calls{"transferInterest 61,7,9,4"});
    s()->offerMessage = nullptr;
    enter(0x100000, 0x10000D);
    EXPECT_EQ(neighbours.log.take({"transferInterest"}), Calls{"transferInterest 61,-1,-1,4"});
}

// -------------------------------------------------------------------------------------------
// The scouting draw and the youth list on the sample database.

class SampleDatabaseTest : public MenuEntryTest {
protected:
    void SetUp() override {
        MenuEntryTest::SetUp();
        s()->playerRecords = nullptr;
        s()->teamRecords = nullptr;
        resources::loadDatabaseTables();
        ASSERT_FALSE(runtime::exceptionPending());
        ASSERT_EQ(s()->playerCount, 5500);
        for (const jint at : {592, 598}) {
            selectionByte(at) = -1;
        }
    }
    // Players of this year's intake: byte 16 = 2009 - 2008.
    static void intake(std::initializer_list<jint> players) {
        for (const jint i : players) {
            playerByte(i, 16) = 1;
        }
    }
    // Gives staff record `scout` the skill (byte 5) and grade (byte 6).
    static void scout(const jint index, const jint skill, const jint grade) {
        (*s()->extraNameTable)[index * 10 + 5] = static_cast<jbyte>(skill);
        (*s()->extraNameTable)[index * 10 + 6] = static_cast<jbyte>(grade);
    }
};

TEST_F(SampleDatabaseTest, TheScoutingDrawListsAsManyAsTheGradeAllows) {
    struct Case {
        const char* name;
        jint grade;
        jint skill;
        jint count; // scoutCounts of the clamped grade, 0 for a count of 0
        bool promising;
    };
    // scoutCounts: 20, 16, 12, 8, 4, 2 by grade.
    const Case cases[] = {
        {"grade 4, top skill", 4, 0, 4, true},
        {"grade 5, no skill", 5, 5, 2, false},
        {"grade below 0", -3, 0, 20, true},
        {"grade above 5", 9, 5, 2, false},
    };
    std::vector<jint> intakePlayers;
    for (jint i = 0; i < 30; ++i) {
        intakePlayers.push_back(100 + 7 * i);
        playerByte(100 + 7 * i, 16) = 1;
    }
    playerByte(101, 16) = 2; // another year
    for (const Case& c : cases) {
        scout(2, c.skill, c.grade);
        selectionByte(592) = 2;
        s()->scoutPool = 0; // the picks follow each other
        for (const jint i : intakePlayers) {
            playerByte(i, 5) = 0;
        }
        enter(0x43, 0x44);
        const std::vector<jint> expected(intakePlayers.begin(), intakePlayers.begin() + c.count);
        EXPECT_EQ(squadList(), expected) << c.name;
        for (const jint i : expected) {
            EXPECT_EQ((playerByte(i, 5) & 0x80) != 0, c.promising) << c.name << " " << i;
        }
        EXPECT_EQ((*s()->squadList)[c.count], -1) << c.name << ": the rest of the list is cleared";
        EXPECT_EQ(s()->rowScroll, 0) << c.name;
    }
}

TEST_F(SampleDatabaseTest, AScoutingDrawSpacesItsPicksAndACountOfZeroListsNothing) {
    for (jint i = 0; i < 200; ++i) {
        playerByte(1000 + i, 16) = 1;
    }
    // The lower grade (3: 8 players) and the lower skill (1: promising at 80 percent) decide.
    scout(2, 3, 3);
    scout(4, 1, 4);
    selectionByte(592) = 2;
    selectionByte(598) = 4;
    s()->scoutPool = 80; // picks 0..10 players apart
    enter(0x43, 0x44);
    const std::vector<jint> listed = squadList();
    ASSERT_EQ(listed.size(), 8U);
    jint before = 999;
    for (const jint i : listed) {
        EXPECT_GT(i, before);
        EXPECT_LE(i - before, 11) << "at most step players skipped";
        before = i;
    }

    // A count of 0 lists nothing (and leaves every entry -1).
    (*s()->scoutCounts)[3] = 0;
    enter(0x43, 0x44);
    EXPECT_EQ(s()->squadListCount, 0);
    EXPECT_EQ((*s()->squadList)[0], -1);
}

TEST_F(SampleDatabaseTest, TheYouthListShowsTheFlaggedPlayersAmongTheLast40) {
    for (const jint i : {5400, 5459, 5460, 5470, 5499}) {
        playerByte(i, 5) = static_cast<jbyte>(0x80);
    }
    s()->youthPlayer = 5470;
    s()->youthFlag = 1;
    enter(0x400, 0x40B);
    EXPECT_EQ(squadList(), (std::vector<jint>{5460, 5470, 5499}));
    EXPECT_FALSE(s()->youthFlag);
    EXPECT_EQ(s()->youthPlayer, 1) << "the player's row";
    EXPECT_EQ(s()->selectedRow, 0) << "the status flag is clear";
    EXPECT_EQ(s()->rowOffset, 0);

    // With the status flag set the row goes to youthPlayer, on its 11-row page.
    s()->pendingMenuState = 0x400;
    s()->youthPlayer = 25;
    enter(0x400, 0x40B);
    EXPECT_EQ(s()->selectedRow, 25);
    EXPECT_EQ(s()->rowOffset, 22);
}

TEST_F(MenuEntryTest, TheYouthListOfASmallDatabaseStartsAtItsFirstPlayer) {
    s()->playerCount = 12;
    s()->playerRecords = runtime::newByteArray(12 * 37);
    playerByte(0, 5) = static_cast<jbyte>(0x80);
    playerByte(11, 5) = static_cast<jbyte>(0x81);
    enter(0x400, 0x40B);
    EXPECT_EQ(squadList(), (std::vector<jint>{0, 11}));
    // Records shorter than playerCount are read no further than they go.
    s()->playerCount = 30;
    enter(0x400, 0x40B);
    EXPECT_EQ(squadList(), (std::vector<jint>{0, 11}));
}

// -------------------------------------------------------------------------------------------
// The message lists.

TEST_F(MenuEntryTest, TheMessagePlayerListPairsEachPlayerWithHisMessage) {
    // Player states (byte 31): 0x20 waiting for an answer, another high nibble some other state.
    playerByte(10, 31) = 0x20;
    addMessage(2, kUserTeam, 10, kOtherTeam, 0, 1); // an open offer, marked
    playerByte(11, 31) = 0x20;                      // waiting, but no open offer
    addMessage(2, kUserTeam, 11, kOtherTeam, 2);    // closed (byte 20 is 2)
    playerByte(12, 31) = 0x45;
    addMessage(64, kOtherTeam, 12, kUserTeam); // a player message to the user's club
    playerByte(13, 31) = 0x30;
    addMessage(1, kOtherTeam, 13, 8); // not the user's club
    playerByte(14, 31) = 0x05;
    addMessage(1, kUserTeam, 14, 8); // no message state
    playerByte(15, 31) = 0x40;
    addMessage(7, kUserTeam, 15, 8); // not a player message type
    // Two messages about 16 and 17: the oldest is marked, the newest is not.
    playerByte(16, 31) = 0x20;
    playerByte(17, 31) = 0x50;
    addMessage(3, kUserTeam, 16, 8, 0, 1);
    addMessage(3, kUserTeam, 17, 8, 0, 1);
    addMessage(4, kUserTeam, 16, 8);
    addMessage(4, kUserTeam, 17, 8);
    s()->squadListMarked = 5;
    enter(0x400, 0x407);
    EXPECT_EQ(squadList(), (std::vector<jint>{10 | kMarkedBit, 12, 16 | kMarkedBit, 17}));
    EXPECT_EQ(s()->squadListMarked, 0);
    EXPECT_EQ(playerByte(11, 31), 0) << "the waiting state is over";
    EXPECT_EQ(playerByte(10, 31), 0x20);
}

TEST_F(MenuEntryTest, TheTransferMessageListTakesTheAnswerOrTheOffersAboutThePlayer) {
    struct Case {
        const char* name;
        jint limit;
        Calls upserts;
        bool answerFirst;
    };
    const Case cases[] = {
        {"the answer ends the walk", 10, {"upsertKeyedMessage 3", "upsertKeyedMessage 8"}, true},
        {"a full list ends it first", 2, {"upsertKeyedMessage 3", "upsertKeyedMessage 8"}, false},
        {"no room at all", 0, {"upsertKeyedMessage 3"}, false},
    };
    s()->chosenPlayer = 20;
    ByteArray* answer = addMessage(1, kUserTeam, 20, 8);
    (*answer)[26] = 77;
    addMessage(5, 8, 20, kUserTeam);             // an offer, owned by the user's club
    addMessage(4, kUserTeam, 21, 8);             // another player
    addMessage(6, kOtherTeam, 20, 8);            // another club
    addMessage(9, kUserTeam, 20, 8);             // not a transfer message
    addMessage(4, kUserTeam, 20, kOtherTeam, 0); // the newest
    for (const Case& c : cases) {
        s()->messageRecordLimit = c.limit;
        s()->messageRecordPos = 3;
        enter(0x100000, 0x100016);
        EXPECT_EQ(neighbours.log.take({"upsertKeyedMessage"}), c.upserts) << c.name;
        ASSERT_EQ(s()->messageRecords->length, c.limit) << c.name;
        EXPECT_EQ(s()->messageRecordPos, 0) << c.name;
        if (c.answerFirst) {
            auto* first = static_cast<ByteArray*>((*s()->messageRecords)[0]);
            EXPECT_EQ(first->length, 27) << c.name;
            EXPECT_EQ((*first)[0], 1) << c.name;
            EXPECT_EQ((*first)[26], 77) << c.name << ": the whole record";
        }
    }
}

// -------------------------------------------------------------------------------------------
// The text entry.

TEST_F(MenuEntryTest, TheTextEntryStartsFromItsPresetTexts) {
    s()->entryBuffer = runtime::newStringBuffer();
    s()->entryBuffer->append(runtime::newStringFromCString("abc"));
    s()->entryBusy = 1;
    s()->entryFields[2] = 9;
    enter(0x400, 0x40C);
    ASSERT_NE(s()->loadingTextTable.get(), nullptr);
    const auto entry = [](const jint i) {
        return text(static_cast<runtime::String*>((*s()->loadingTextTable)[i]));
    };
    const std::string empty = constantText(1);
    const std::string expected[] = {empty,
                                    text(getText(874)),
                                    constantText(113),
                                    constantText(114),
                                    text(getText(705)),
                                    text(getText(874)),
                                    empty,
                                    constantText(221),
                                    text(getText(705)),
                                    text(getText(874)),
                                    constantText(114),
                                    constantText(115)};
    for (jint i = 0; i < 12; ++i) {
        EXPECT_EQ(entry(i), expected[i]) << i;
    }
    EXPECT_NE(expected[1], "null") << "the sample texts are loaded";
    EXPECT_FALSE(s()->entryBusy);
    EXPECT_EQ(text(s()->entryBuffer->toString()), "");
    EXPECT_EQ(s()->entryParamA, 25);
    EXPECT_EQ(s()->entryParamB, 4);
    EXPECT_EQ(s()->entryFields[2], 0);

    // Back from the entry's sub-screen only the first text and the buffer start again.
    (*s()->loadingTextTable)[0] = runtime::newStringFromCString("typed");
    (*s()->loadingTextTable)[3] = runtime::newStringFromCString("kept");
    s()->entryBuffer->append(runtime::newStringFromCString("abc"));
    s()->entryParamA = 3;
    enter(0x10000A, 0x40C);
    EXPECT_EQ(entry(0), empty);
    EXPECT_EQ(entry(3), "kept");
    EXPECT_EQ(text(s()->entryBuffer->toString()), "");
    EXPECT_EQ(s()->entryParamA, 3);
}

// -------------------------------------------------------------------------------------------
// The result pages and the home screen.

TEST_F(MenuEntryTest, TheResultPagesMoveTheGuideOnAndCheckTheBench) {
    struct Case {
        const char* name;
        jint step;
        std::vector<jint> bench0;
        std::vector<jint> bench1;
        bool crowded;
    };
    const Case cases[] = {
        {"guide step 4, three on each bench", 4, {1, 2, 3, -1, -1, -1, 5}, {-1, 2, -1, 3, 4, -1, -1}, false},
        {"four on the second bench", 3, {-1, -1, -1, -1, -1, -1, -1}, {1, 2, 3, 4, -1, -1, -1}, true},
        {"the last byte does not count", 5, {1, 2, 3, -1, -1, -1, 4}, {-1, -1, -1, -1, -1, -1, -1}, false},
    };
    for (const Case& c : cases) {
        s()->guideStep = c.step;
        (*s()->progressFlags)[1] = 0;
        (*s()->progressFlags)[7] = 0;
        s()->chosenPlayer = -5;
        s()->mainMenuPending = 1;
        for (jint side = 0; side < 2; ++side) {
            auto* row = static_cast<ByteArray*>((*s()->benchSlots)[side]);
            const std::vector<jint>& bytes = side == 0 ? c.bench0 : c.bench1;
            for (jint i = 0; i < row->length; ++i) {
                (*row)[i] = static_cast<jbyte>(bytes[static_cast<std::size_t>(i)]);
            }
        }
        enter(0x100, 0x109);
        EXPECT_EQ(s()->squadCrowded, c.crowded ? 1 : 0) << c.name;
        EXPECT_FALSE(s()->mainMenuPending) << c.name;
        if (c.step == 4) {
            EXPECT_EQ(s()->guideStep, 5) << c.name;
            EXPECT_EQ((*s()->progressFlags)[1], 1) << c.name;
            EXPECT_EQ((*s()->progressFlags)[7], 3) << c.name;
            EXPECT_GE(s()->chosenPlayer, kFirstSquadPlayer) << c.name;
            EXPECT_LE(s()->chosenPlayer, kFirstSquadPlayer + 10) << c.name;
        } else {
            EXPECT_EQ(s()->guideStep, c.step) << c.name;
            EXPECT_EQ((*s()->progressFlags)[1], 0) << c.name;
            EXPECT_EQ(s()->chosenPlayer, -5) << c.name;
        }
    }
}

TEST_F(MenuEntryTest, TheHomeScreenResetsBothMatchSidesForTheNextMatch) {
    for (jint side = 0; side < 2; ++side) {
        for (runtime::ObjectArray* table :
             {s()->lineup.get(), s()->lineupAtKickOff.get(), s()->squadSlotOfPlayer.get()}) {
            auto* row = static_cast<ByteArray*>((*table)[side]);
            for (jint i = 0; i < row->length; ++i) {
                (*row)[i] = static_cast<jbyte>(29 - i);
            }
        }
        for (jint i = 0; i < 18; ++i) {
            auto* player = static_cast<match::CPlayer*>(
                (*static_cast<match::CTeam*>((*s()->matchTeams)[side])->players)[i]);
            player->role = 3;
            player->outOfPlay = 1;
            player->conditionStart = 44;
        }
    }
    (*s()->substitutionsMade)[1] = 2;
    s()->matchLiveFlag = 1;
    s()->lineupChanged = 0;
    s()->replayCounter = 9;
    s()->scheduleType = 5;
    s()->guideStep = 4;
    addMessage(10, kOtherTeam, 1, kOtherTeam); // unread and listed
    enter(0x80, kHome);
    for (jint side = 0; side < 2; ++side) {
        for (runtime::ObjectArray* table :
             {s()->lineup.get(), s()->lineupAtKickOff.get(), s()->squadSlotOfPlayer.get()}) {
            auto* row = static_cast<ByteArray*>((*table)[side]);
            for (jint i = 0; i < 30; ++i) {
                ASSERT_EQ((*row)[i], i) << side << "," << i;
            }
        }
        for (jint i = 0; i < 18; ++i) {
            auto* player = static_cast<match::CPlayer*>(
                (*static_cast<match::CTeam*>((*s()->matchTeams)[side])->players)[i]);
            EXPECT_EQ(player->role, 0);
            EXPECT_EQ(player->outOfPlay, 0) << "every player back on, not only the first";
            EXPECT_EQ(player->conditionStart, 0) << "the condition restarts at time 0";
        }
        auto* subs = static_cast<ByteArray*>((*s()->substitutionSlots)[side]);
        auto* bench = static_cast<ByteArray*>((*s()->benchSlots)[side]);
        for (jint i = 0; i < subs->length; ++i) {
            EXPECT_EQ((*subs)[i], -1);
        }
        for (jint i = 0; i < bench->length; ++i) {
            EXPECT_EQ((*bench)[i], -1);
        }
        EXPECT_EQ((*s()->substitutionLimit)[side], 7) << "a friendly";
        EXPECT_EQ((*s()->substitutionsMade)[side], 0);
    }
    EXPECT_EQ(s()->defaultSubstitutionLimit, 7);
    EXPECT_FALSE(s()->matchLiveFlag);
    EXPECT_EQ(s()->lineupChanged, -1);
    EXPECT_EQ(s()->replayCounter, 0);
    EXPECT_EQ((*s()->progressFlags)[1], 4) << "an unread listed message at guide step 4";
    EXPECT_EQ((*s()->matchSquadCount)[0], kSquadPlayers) << "the user's side is set up again";
    EXPECT_EQ(neighbours.log.take({"setMenuAnimation", "playSound"}),
              (Calls{"playSound 17", "setMenuAnimation 1,1"}));

    // A league match allows 3 changes; below guide step 4 the message mark is cleared.
    s()->scheduleType = 1;
    s()->guideStep = 3;
    enter(0x80, kHome);
    EXPECT_EQ(s()->defaultSubstitutionLimit, 3);
    EXPECT_EQ((*s()->substitutionLimit)[0], 3);
    EXPECT_EQ((*s()->progressFlags)[1], 0);
}

} // namespace
} // namespace game::framework
