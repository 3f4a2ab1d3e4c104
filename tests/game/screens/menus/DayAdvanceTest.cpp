// The day advance on a season database: the driver's work and order on a silent, a plain and a
// match day, where the day stops (the step-36 combinations), the game's end at step 6, the
// results screen's pages, and the small routines as tables: the weather, the squad status walk,
// the position test, the day's close, the season end's retirements and the rebuilt youths.
#include "game/screens/menus/DayAdvance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/InboxMessages.h"
#include "game/core/GameStatics.h"
#include "game/core/services/MenuStateServices.h"
#include "game/screens/menus/DayWork.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::menus::day_advance_test {
namespace {

using testing::SeasonWorkFixture;
using Calls = std::vector<std::string>;

constexpr jint kAdvance = 136;
constexpr jint kHome = 134;
constexpr jint kMessages = 133;
constexpr jint kGameOver = 71;
constexpr jint kTurnover = 69;
constexpr jint kResults = 137;
constexpr jint kDayFrames = 37;

// Records the day's tasks and the menu states entered, in one list; entering a state resets the
// step counter as the framework's setMenuState does. A task may run a script.
class DayRecorder final : public DayWork, public core::MenuStateServices {
public:
    void run(const DayTask task, const jint argument) override {
        std::string line = dayTaskName(task);
        if (withArgument(task)) {
            line += " " + std::to_string(argument);
        }
        calls.push_back(line);
        if (task == DayTask::findUserFixture) {
            statics()->userEventNow = matchToday ? 1 : 0;
        }
    }
    void setMenuState(const jint state) override {
        calls.push_back("state " + std::to_string(state));
        statics()->menuState = state;
        statics()->screenCounter = 0;
    }
    bool applyPendingMenuState() override { return false; }

    Calls take() { return std::exchange(calls, {}); }

    bool matchToday = false;
    Calls calls;

private:
    static bool withArgument(const DayTask task) {
        return task == DayTask::updateDivisionStandings || task == DayTask::postRetirementNotice ||
               task == DayTask::retirePlayer || task == DayTask::dealGeneratedPlayers;
    }
};

class DayAdvanceTest : public SeasonWorkFixture {
protected:
    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase();
        GameStatics* const s = statics();
        fillSquad(kWorkUser, 0, 20, 60);
        s->matchSquadCount = runtime::newIntArray(2);
        (*s->matchSquadCount)[0] = 20;
        s->calendarMarks = runtime::newShortArray(384);
        s->matchDayTable = runtime::newIntArray(8);
        const jint days[] = {2, 6, 9, 12, 16, 20, 23, 28};
        for (jint k = 0; k < 8; ++k) {
            (*s->matchDayTable)[k] = days[k];
        }
        s->competitionTeams = runtime::newShortArray(32);
        for (jint k = 0; k < 32; ++k) {
            (*s->competitionTeams)[k] = runtime::i2s(k);
        }
        s->competitionLastResult = runtime::newByteArray(3);
        s->competitionLastRound = runtime::newByteArray(3);
        s->competitionActive = runtime::newByteArray(3);
        s->managerBirthYear = 10;
        s->dayStarted = 1;
        s->fixturesReady = 1;
        s->eventsToUserEvent = -1;
        s->nextUserOpponent = -1;
        s->menuState = kAdvance;
        s->screenCounter = 0;
        screens.calls.clear();
    }

    // Frames of the family handler while the day advance runs, at most one day's.
    void runDay() {
        for (jint frame = 0; frame < kDayFrames && statics()->menuState == kAdvance; ++frame) {
            const jint before = statics()->screenCounter;
            advanceDayStep();
            if (statics()->menuState != kAdvance || statics()->screenCounter < before) {
                return;
            }
        }
    }
    // The steps before 36 of a day.
    void runDayUpTo36() {
        for (jint frame = 0; frame < kDayFrames - 1; ++frame) {
            advanceDayStep();
        }
    }
    std::vector<jint> postedTypes() { return ringTypes(); }

    DayRecorder recorder;
    runtime::ScopedService<DayWork> workScope{&installDayWork, recorder};
    runtime::ScopedService<core::MenuStateServices> stateScope{&core::installMenuStateServices, recorder};
};

TEST_F(DayAdvanceTest, APlainDayRunsTheSeasonWorkInItsOrderAndEndsAtHome) {
    GameStatics* const s = statics();
    runDay();
    const Calls expected = {
        "developComputerPlayers",
        "trainSquad",
        "updateDailyCondition",
        "autoSave",
        "updateDivisionStandings 0",
        "buildDivisionTable",
        "rankTeamsByRating",
        "advanceMatchDay",
        "processScouting",
        "findNextOpponent",
        "findUserFixture",
        "processPendingMessages",
        "simulateDayMatches",
        "state 136",
        "state 134",
        "findNextMatchDay",
    };
    EXPECT_EQ(recorder.take(), expected);
    EXPECT_EQ(s->menuState, kHome);
    EXPECT_EQ((*s->calendarMarks)[(3 * 8 + 5) * 4], static_cast<runtime::jshort>(0xFFFE));
    EXPECT_EQ(s->dayStarted, 1);
}

TEST_F(DayAdvanceTest, ASilentDaySkipsTheSquadWorkAndTheMessagesAndIsClearedAtItsEnd) {
    GameStatics* const s = statics();
    s->silentDay = 1;
    recorder.matchToday = true;
    (*s->competitionTeams)[7] = 42;
    s->userOpponentSlot = 7;
    runDay();
    const Calls expected = {
        "autoSave",        "updateDivisionStandings 0", "buildDivisionTable", "rankTeamsByRating",
        "advanceMatchDay", "processScouting",           "findNextOpponent",   "findUserFixture",
        "state 133",       "findNextMatchDay",
    };
    EXPECT_EQ(recorder.take(), expected);
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_TRUE(postedTypes().empty());
    // The opponent comes from the fixture list, not from the match messages.
    EXPECT_EQ(s->opponentTeam, 42);
    EXPECT_EQ(s->silentDay, 0);
}

TEST_F(DayAdvanceTest, TheEndOfTheDayGoesWhereItsFlagsSay) {
    struct Case {
        const char* name;
        bool match;
        jint autoAdvance, inbox, untilEvent, holdAtHome;
        jint expectedState;
        bool closesUnshown;
    };
    const Case cases[] = {
        {"a match day stops at the messages", true, 0, 0, 0, 0, kMessages, false},
        {"a match day under autoAdvance closes the match and goes on", true, 1, 0, 0, 0, kAdvance, true},
        {"an empty inbox goes home", false, 0, 0, 0, 0, kHome, false},
        {"an empty inbox advancing until an event goes on", false, 0, 0, 1, 0, kAdvance, false},
        {"holding at home wins over advancing", false, 0, 0, 1, 1, kHome, false},
        {"a quiet inbox goes home", false, 0, 1, 0, 0, kHome, false},
        {"a quiet inbox advancing until an event goes on", false, 0, 1, 1, 0, kAdvance, false},
        {"holding at home with messages stops at them", false, 0, 1, 1, 1, kMessages, false},
        {"a message that needs the user stops at it", false, 0, 2, 0, 0, kMessages, false},
        {"a message that needs the user stops even an advance", false, 0, 2, 1, 0, kMessages, false},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* const s = statics();
        recorder.matchToday = c.match;
        s->autoAdvance = static_cast<runtime::jbyte>(c.autoAdvance);
        s->advanceUntilEvent = static_cast<runtime::jboolean>(c.untilEvent);
        s->holdAtHome = static_cast<runtime::jbyte>(c.holdAtHome);
        s->userTablePosition = 0;
        runDayUpTo36();
        // Type 9 (a board notice from nobody) needs no answer; type 63 does.
        if (c.inbox != 0) {
            club::postInboxMessage(c.inbox == 1 ? 9 : 63, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
        }
        recorder.take();
        advanceDayStep();
        const Calls calls = recorder.take();
        EXPECT_EQ(s->menuState, c.expectedState) << c.name;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "closeFixture") == 1, c.closesUnshown) << c.name;
        EXPECT_EQ(s->holdAtHome, 0) << c.name;
        if (c.match && c.autoAdvance == 0) {
            EXPECT_EQ(s->advanceUntilEvent, 0) << c.name;
            const std::vector<jint> types = postedTypes();
            EXPECT_NE(std::find(types.begin(), types.end(), 12), types.end()) << c.name;
            EXPECT_NE(std::find(types.begin(), types.end(), 25), types.end()) << c.name;
        }
    }
}

TEST_F(DayAdvanceTest, KeyTenTwentyFourDuringTheAdvanceStopsTheAutomaticDays) {
    GameStatics* const s = statics();
    s->autoAdvance = 1;
    s->pressedKeys = 1024;
    updateMenu128();
    EXPECT_EQ(s->autoAdvance, 0);
    EXPECT_EQ(s->screenCounter, 1);
    s->pressedKeys = 0;
    s->autoAdvance = 1;
    updateMenu128();
    EXPECT_EQ(s->autoAdvance, 1);
    EXPECT_EQ(s->screenCounter, 2);
}

TEST_F(DayAdvanceTest, ASquadOfFifteenEndsTheGameAtStepSixBeforeAnythingElse) {
    GameStatics* const s = statics();
    (*s->matchSquadCount)[0] = 15;
    s->monthIndex = 11;
    s->matchDayIndex = 0;
    s->silentDay = 1;
    runDay();
    EXPECT_EQ(recorder.take(), (Calls{"autoSave", "state 71"}));
    EXPECT_EQ(s->gameOverReason, 4);
    EXPECT_EQ(s->gameOverPending, 1);
    // The day stops at step 6: the rest of its steps never run.
    EXPECT_EQ(s->screenCounter, 0);
}

TEST_F(DayAdvanceTest, TheSeasonsLastDaysEndTheGameForTheLastSeasonOrAManagerOfSeventy) {
    struct Case {
        jint year, birthYear;
        jint expectedState;
    };
    // The manager's age is seasonYear - 1947 - managerBirthYear.
    const Case cases[] = {
        {2057, 45, kMessages},
        {2058, 45, kGameOver},
        {2030, 14, kMessages},
        {2030, 13, kGameOver},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* const s = statics();
        s->seasonYear = c.year;
        s->managerBirthYear = c.birthYear;
        s->monthIndex = 11;
        s->matchDayIndex = 3;
        s->screenCounter = 6;
        advanceDayStep();
        EXPECT_EQ(s->menuState, c.expectedState) << c.year << " " << c.birthYear;
        EXPECT_EQ(s->gameOverReason, c.expectedState == kGameOver ? 3 : 0) << c.year << " " << c.birthYear;
    }
}

TEST_F(DayAdvanceTest, TheSeasonsLastDayRetiresMarksRebuildsAndTurnsTheSeason) {
    GameStatics* const s = statics();
    s->monthIndex = 11;
    s->matchDayIndex = 7;
    // A free player of 36 retires; his record is reused as a youth of 17.
    const jint retiree = 100;
    setAge(retiree, 36);
    setPlayerByte(retiree, 0, 0xFF);
    setPlayerByte(retiree, 1, 0xFF);
    for (jint k = 0; k < 8; ++k) {
        setPlayerByte(retiree, 4 + k, 70);
    }
    setPlayerByte(retiree, 12, 0x12);
    setPlayerByte(retiree, 13, 0x34);
    s->screenCounter = 6;
    advanceDayStep();
    const Calls calls = recorder.take();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "autoSave");
    EXPECT_EQ(calls[1], "processContractExpiries");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "retirePlayer 100"), calls.end());
    EXPECT_EQ(calls.back(), "state 69");
    EXPECT_EQ(s->menuState, kTurnover);
    EXPECT_EQ(club::getPlayerAge(retiree), 17);
    EXPECT_EQ(playerByte(retiree, 12), 0);
    EXPECT_EQ(playerByte(retiree, 13), 0);
    for (jint k = 0; k < 8; ++k) {
        EXPECT_GE(playerByte(retiree, 4 + k), 45) << k;
        EXPECT_LE(playerByte(retiree, 4 + k), 55) << k;
    }
    // An available status (0..4) and a grade of 2..10.
    EXPECT_LE(playerByte(retiree, 14) >> 4, 4);
    EXPECT_GE(playerByte(retiree, 14) & 15, 2);
    EXPECT_LE(playerByte(retiree, 14) & 15, 10);
}

// A seed of the game's generator whose signed draws taken remainder `modulus` start with
// `wanted` (a -1 entry accepts any draw).
runtime::jlong seedForRemainders(const std::vector<jint>& wanted, const jint modulus) {
    for (runtime::jlong seed = 1; seed < 5000000; ++seed) {
        testing::TwinRandom twin(seed);
        bool all = true;
        for (const jint w : wanted) {
            const jint r = twin.nextInt() % modulus;
            if (w != -1000 && r != w) {
                all = false;
                break;
            }
        }
        if (all) {
            return seed;
        }
    }
    return -1;
}

TEST_F(DayAdvanceTest, ARebuiltYouthsStatusTakesTheSizeOfItsSignedDraw) {
    GameStatics* const s = statics();
    constexpr jint kAny = -1000;
    // Eight skill draws, then a = -3 and b = 2.
    const runtime::jlong seed = seedForRemainders({kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, -3}, 5);
    ASSERT_GT(seed, 0);
    const jint youth = 50;
    setPlayerByte(youth, 16, 0xFE);
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
    rebuildPlayersForNewSeason();
    // Status 3 (available), never the injured 13 the signed remainder would give.
    EXPECT_EQ(playerByte(youth, 14) >> 4, 3);
}

TEST_F(DayAdvanceTest, ARebuiltGeneratedPlayerIsAYouthOfSixteenWithoutAClub) {
    GameStatics* const s = statics();
    const jint generated = s->playerCount - 1;
    setPlayerByte(generated, 16, 0xFE);
    setTeam(generated, 5);
    setBirthWord(generated, (40 << 9) | (3 << 5) | 4);
    for (jint k = 0; k < 8; ++k) {
        (*s->playerInfoRecords)[28 * generated + 15 + k] = runtime::i2b(80);
    }
    rebuildPlayersForNewSeason();
    EXPECT_EQ(club::getPlayerAge(generated), 16);
    EXPECT_EQ(core16(s->playerRecords, 37 * generated + 17), 0xFFFF);
    EXPECT_EQ(core16(s->playerRecords, 37 * generated), 0xFFFF);
    EXPECT_EQ(playerByte(generated, 15), 99);
    for (jint k = 0; k < 8; ++k) {
        EXPECT_GE(playerByte(generated, 4 + k), 55) << k;
        EXPECT_LE(playerByte(generated, 4 + k), 65) << k;
    }
    // Without a contract and 16, he counts among the youths.
    EXPECT_GE(s->youthCount, 1);
}

TEST_F(DayAdvanceTest, TheWeatherFollowsItsDrawAndMonth) {
    struct Case {
        jint month, draw;
        jint expectedWeather;
    };
    const Case cases[] = {
        {5, 86, 1}, {5, 85, 0}, {7, 86, 1}, {6, 33, 3}, {4, 86, 0},
        {4, 33, 3}, {4, 34, 0}, {8, 33, 3}, {8, 90, 0},
    };
    GameStatics* const s = statics();
    for (const Case& c : cases) {
        runtime::jlong seed = 1;
        while (testing::TwinRandom(seed).range(0, 100) != c.draw) {
            ++seed;
        }
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        s->monthIndex = c.month;
        s->matchWeather = 2;
        s->weatherStrength = -1;
        chooseMatchWeather();
        EXPECT_EQ(s->matchWeather, c.expectedWeather) << c.month << " " << c.draw;
        testing::TwinRandom twin(seed);
        twin.range(0, 100);
        if (c.expectedWeather == 3) {
            EXPECT_EQ(s->weatherStrength, twin.range(0, 5)) << c.month << " " << c.draw;
        }
        const jint counter = twin.range(200, 400);
        EXPECT_EQ(s->weatherCounter, counter);
        EXPECT_EQ(s->weatherCounterStart, counter);
    }
}

TEST_F(DayAdvanceTest, AMonthOutsideTheSeasonKeepsItsWeather) {
    GameStatics* const s = statics();
    runtime::jlong seed = 1;
    while (testing::TwinRandom(seed).range(0, 100) <= 33) {
        ++seed;
    }
    for (const jint year : {2009, 2012}) {
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        s->seasonYear = year;
        s->monthIndex = 12;
        s->matchWeather = 2;
        chooseMatchWeather();
        EXPECT_EQ(s->matchWeather, 2) << year;
    }
}

TEST_F(DayAdvanceTest, TheSquadStatusMovesByItsThresholds) {
    struct Case {
        const char* name;
        jint firstStatus, secondStatus;
        jint firstDraw, secondDraw;
        jint expectedFirst, expectedSecond;
    };
    const Case cases[] = {
        {"a draw above 6 lowers", 2, 2, 7, -9, 1, 2},
        {"a draw above 3 raises", 2, 2, 4, 3, 3, 2},
        {"status 4 lowers from above 5, and the next rises from above 2", 4, 2, 6, 4, 3, 3},
        {"status 0 rises from above 2, and the next player keeps the lower threshold", 0, 2, 3, 3, 1, 3},
        {"status 4 keeps its lower threshold for the next", 4, 3, 0, 3, 4, 4},
        {"an injured player is left alone", 9, 2, 9, 0, 9, 2},
        {"a negative draw changes nothing", 1, 3, -8, -1, 1, 3},
    };
    for (const Case& c : cases) {
        restart();
        GameStatics* const s = statics();
        for (jint slot = 0; slot < 30; ++slot) {
            setSlot(kWorkUser, slot, 0xFFFF);
        }
        addToSquad(kWorkUser, 10);
        addToSquad(kWorkUser, 11);
        setPlayerByte(10, 14, c.firstStatus << 4 | 5);
        setPlayerByte(11, 14, c.secondStatus << 4 | 5);
        const runtime::jlong seed = seedForRemainders({c.firstDraw, c.secondDraw}, 10);
        ASSERT_GT(seed, 0) << c.name;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
        updateSquadStatus();
        EXPECT_EQ(playerByte(10, 14), c.expectedFirst << 4 | 5) << c.name;
        EXPECT_EQ(playerByte(11, 14), c.expectedSecond << 4 | 5) << c.name;
    }
}

TEST_F(DayAdvanceTest, ThePositionTestTakesTheFirstMatchingRowOfTheMask) {
    struct Case {
        jint flags, mask;
        jboolean expected;
    };
    const auto bits = [](std::initializer_list<jint> list) {
        jint value = 0;
        for (const jint b : list) {
            value |= 1 << b;
        }
        return value;
    };
    const Case cases[] = {
        {bits({7, 6, 1}), bits({0}), 1},
        {bits({7, 1}), bits({0}), 0},
        {bits({6, 1}), bits({0}), 0},
        {bits({5, 2, 8}), bits({1}), 1},
        {bits({5, 8}), bits({1}), 0},
        {bits({5, 4, 1}), bits({3}), 1},
        {bits({5, 1}), bits({5}), 0},
        {bits({6, 8, 5}), bits({6}), 1},
        {bits({8, 6, 3}), bits({7}), 1},
        {bits({8, 3}), bits({7}), 0},
        {bits({0, 3, 4}), bits({10}), 1},
        {bits({4, 3, 1}), bits({9}), 1},
        {bits({4, 1}), bits({12}), 0},
        {bits({0, 2, 4}), bits({13}), 1},
        {bits({0, 4}), bits({13}), 0},
        {0x3FFF, 0, 0},
        // The first matching row decides: bit 0 of the mask hides bit 13.
        {bits({0, 1, 4}), bits({0, 13}), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isPlayerEligibleForSlot(c.flags, c.mask), c.expected)
            << std::hex << c.flags << " " << c.mask;
    }
}

TEST_F(DayAdvanceTest, ClosingTheDayMarksItAndBooksTheCompetition) {
    GameStatics* const s = statics();
    s->competitionType = 3;
    s->competitionStep = 4;
    s->playedStep = 4;
    s->shownStage = 2;
    s->matchFormation = 6;
    s->dayStarted = 0;
    finishDay();
    EXPECT_EQ(recorder.take(), (Calls{"simulateDayMatches", "state 136"}));
    EXPECT_EQ((*s->competitionActive)[2], 1);
    EXPECT_EQ(s->previousMatchFormation, 6);
    EXPECT_EQ(s->matchFormation, 0);
    EXPECT_EQ(s->dayStarted, 1);

    resetMatchDay();
    EXPECT_EQ(s->dayStarted, 0);
    EXPECT_EQ((*s->competitionActive)[2], 0);
    EXPECT_EQ((*s->competitionLastResult)[2], 2);
    EXPECT_EQ((*s->competitionLastRound)[2], 4);
    s->competitionStep = 0;
    resetMatchDay();
    EXPECT_EQ((*s->competitionLastRound)[2], -1);
}

TEST_F(DayAdvanceTest, AnEarlyCupRoundClosesItsDayWithTheReset) {
    GameStatics* const s = statics();
    s->competitionType = 2;
    s->competitionStep = 2;
    s->playedStep = 2;
    (*s->competitionActive)[1] = 1;
    finishDay();
    // The reset runs first; the day's close then marks the cup active again.
    EXPECT_EQ((*s->competitionLastRound)[1], 2);
    EXPECT_EQ((*s->competitionActive)[1], 1);
}

TEST_F(DayAdvanceTest, TheResultsScreenShowsOnePageAfterAnEarlyCupRoundAndTwoAfterALeagueMatch) {
    struct Case {
        jint competition, round;
        jint pressesBackToTheDay;
    };
    const Case cases[] = {{2, 2, 1}, {2, 3, 2}, {1, 5, 2}};
    for (const Case& c : cases) {
        restart();
        GameStatics* const s = statics();
        s->menuState = kResults;
        s->competitionType = c.competition;
        s->playedStep = c.round;
        s->resultsPage = 0;
        jint presses = 0;
        while (s->menuState == kResults && presses < 5) {
            s->pressedKeys = 0x2000;
            updateMenu128();
            ++presses;
        }
        EXPECT_EQ(presses, c.pressesBackToTheDay) << c.competition << " " << c.round;
        EXPECT_EQ(s->menuState, kAdvance);
        EXPECT_EQ(s->resultsPage, 0);
    }
}

} // namespace
} // namespace game::menus::day_advance_test
