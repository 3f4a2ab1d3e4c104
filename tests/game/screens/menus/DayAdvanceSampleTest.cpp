// The day advance on the generated sample data, in the game booted under the headless host: the
// season started as the menus start it, the days run frame by frame through the game's own frame
// and the season routines, the home screen continued by a tap on the left soft key: to the user's
// first match day, the same again after a second boot, a whole season to the turnover with the
// same records twice, and the exit question's save and quit.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/core/services/MenuStateServices.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/season/LeagueTables.h"
#include "game/season/SaveRecord.h"
#include "game/sprites/loading/StartupLoading.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/StressMode.h"

namespace game::menus::day_advance_sample_test {
namespace {

using runtime::jint;

constexpr jint kHome = 134;
constexpr jint kMessages = 133;
constexpr jint kInbox = 1030;
constexpr jint kMainMenu = 32;
constexpr jint kTurnover = 69;
constexpr int kFrameLimit = 6000;
constexpr int kSeasonFrameLimit = 30000;

std::uint64_t hashBytes(std::uint64_t hash, const std::uint8_t* bytes, const std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211u;
    }
    return hash;
}

template <typename Array>
std::uint64_t hashArray(const std::uint64_t hash, const Array* array) {
    if (array == nullptr) {
        return hashBytes(hash, nullptr, 0) * 31;
    }
    std::vector<std::uint8_t> bytes;
    for (jint i = 0; i < array->length; ++i) {
        const auto value = static_cast<std::uint32_t>((*array)[i]);
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return hashBytes(hash, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The statics as the saved game's main record packs them.
std::vector<std::uint8_t> packedStatics() {
    GameStatics* const s = statics();
    s->saveRecordBuffer = runtime::newByteArray(season::kSaveRecordSize);
    season::packSaveRecord();
    const runtime::ByteArray& packed = *s->saveRecordBuffer;
    std::vector<std::uint8_t> bytes;
    for (jint i = 0; i < packed.length; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(packed[i]));
    }
    s->saveRecordBuffer = nullptr;
    return bytes;
}

// The season's records and the saved statics, hashed.
std::uint64_t seasonHash() {
    const GameStatics* const s = statics();
    const std::vector<std::uint8_t> packed = packedStatics();
    std::uint64_t hash = hashBytes(14695981039346656037u, packed.data(), packed.size());
    hash = hashArray(hash, s->teamRecords.get());
    hash = hashArray(hash, s->playerRecords.get());
    hash = hashArray(hash, s->competitionRecords.get());
    hash = hashArray(hash, s->fixtureStore.get());
    return hashArray(hash, s->calendarMarks.get());
}

class DayAdvanceSampleTest : public testing::SampleGameHarness {
protected:
    // Boots the game, makes a new career's database for team 3 and starts the season at the home
    // screen of month 0, day 0.
    void startCareer() {
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
    }
    // Runs frames, continuing from the home screen with the left soft key and leaving the message
    // screen with the right one, until done() holds after a frame (at most frameLimit frames).
    // Answers one line per frame that changed the menu state or the day, the start's first.
    template <typename Done>
    std::vector<std::string> runDays(Done done, const int frameLimit = kFrameLimit) {
        GameStatics* const s = statics();
        std::vector<std::string> trace{line()};
        for (int frame = 0; frame < frameLimit; ++frame) {
            if (s->menuState == kHome) {
                harness.tap(harness.framesRun(), 50, 765);
            } else if (s->menuState == kInbox) {
                // The inbox's own screens show only the common parts until their family is built:
                // leave it as its back key would, the message read but not answered.
                s->pendingMessageFound = 0;
                core::menuStateServices().setMenuState(kHome);
            } else if (s->menuState == kMessages) {
                // The day's messages are read: back to the home screen.
                harness.tap(harness.framesRun(), 420, 765);
            }
            harness.runFrames(1);
            if (const std::string now = line(); now != trace.back()) {
                trace.push_back(now);
            }
            if (done()) {
                break;
            }
        }
        return trace;
    }
    // From the season's start until the first day that stops at the message screen for the
    // user's match.
    std::vector<std::string> runToFirstMatchDay() {
        startCareer();
        GameStatics* const s = statics();
        return runDays([s] { return s->menuState == kMessages && s->userEventNow != 0; });
    }
    // The game closed and booted again on a fresh copy of the sample data, in the same case, at
    // the same time of the clock as the first (the game's draws are seeded from it).
    void bootAgain() {
        TearDown();
        harness.clock.now = 0;
        SetUp();
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

TEST_F(DayAdvanceSampleTest, ASecondBootRunsTheSameDays) {
    runtime::LogCapture log;
    const std::vector<std::string> first = runToFirstMatchDay();
    bootAgain();
    const std::vector<std::string> second = runToFirstMatchDay();
    EXPECT_GT(first.size(), 2u);
    EXPECT_EQ(second, first);
}

// A whole season with the matches closed unseen: the 96 days run, each but the turnover's marked
// in the calendar, the new year from month 6, and the same records and statics after a second
// boot.
TEST_F(DayAdvanceSampleTest, ASeasonOfDaysEndsAtTheTurnoverTheSameWayTwice) {
    runtime::LogCapture log;
    // Two seasons of frames would take hours collecting at every allocation; the cases to the
    // first match day run the same frames under stress.
    const testing_support::StressMode paused(false);
    const auto runSeason = [this] {
        startCareer();
        GameStatics* const s = statics();
        s->autoAdvance = 1;
        bool yearTurned = true;
        runDays(
            [s, &yearTurned] {
                yearTurned = yearTurned && (s->monthIndex < 6 || s->seasonYear == 2010);
                return s->menuState == kTurnover;
            },
            kSeasonFrameLimit);
        EXPECT_TRUE(yearTurned) << "seasonYear is 2010 from month 6";
        EXPECT_EQ(s->menuState, kTurnover);
        EXPECT_EQ(s->seasonYear, 2010);
        EXPECT_EQ(s->autoAdvance, 0) << "cleared on the season's second last day";
        // The 96th day is the turnover's: it stops at step 6, before the day is closed.
        EXPECT_EQ(s->monthIndex * 8 + s->matchDayIndex, 95);
        for (jint slot = 0; slot < 96; ++slot) {
            EXPECT_EQ((*s->calendarMarks)[slot * 4], static_cast<runtime::jshort>(slot < 95 ? 0xFFFE : 0)) << slot;
        }
        return seasonHash();
    };
    const std::uint64_t first = runSeason();
    bootAgain();
    EXPECT_EQ(runSeason(), first);
}

TEST_F(DayAdvanceSampleTest, SaveAndQuitWritesTheGameRecordAndLeavesForTheMainMenu) {
    runtime::LogCapture log;
    startCareer();
    GameStatics* const s = statics();
    // The first day runs to the home screen.
    for (int frame = 0; frame < 100 && s->menuState != kHome; ++frame) {
        harness.runFrames(1);
    }
    ASSERT_EQ(s->menuState, kHome);
    const std::filesystem::path record = root->path() / "Brenvale" / "Tarnwick" / "rms_gamesave.rms_r1.rms";
    EXPECT_NE(fileBytes(record), packedStatics()) << "the career is not saved yet";
    // The exit question is open with its first button touched.
    s->secondPopupActive = 1;
    s->menuChoice = 0;
    s->questionTouched = 1;
    s->menuChoiceMoving = 0;
    harness.runFrames(1);
    EXPECT_EQ(s->menuState, kMainMenu);
    EXPECT_EQ(s->fixturesReady, 0);
    EXPECT_EQ(fileBytes(record), packedStatics());
}

} // namespace
} // namespace game::menus::day_advance_sample_test
