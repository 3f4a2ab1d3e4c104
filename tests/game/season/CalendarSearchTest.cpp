// Calendar searches: the distance to the user's next event, the search for the next or previous
// event of a type (turning at the calendar's ends), a type the calendar lacks, and the month
// loaded afterwards; on a small synthetic calendar and on the real one.
#include <gtest/gtest.h>

#include <vector>

#include "game/season/CalendarSearch.h"
#include "game/season/DaySchedule.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

constexpr jint kSearchedLeague = 0;
constexpr runtime::jbyte kLeagueRound = 0x40 | 3;                               // type 1, step 3
constexpr runtime::jbyte kCupRound = static_cast<runtime::jbyte>(0x80 | 4);     // type 2, step 4
constexpr runtime::jbyte kContinentalRound = static_cast<runtime::jbyte>(0xC0); // type 3, step 0

class CalendarSearchTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        GameStatics* const s = statics();
        (*s->leagueSizes)[kSearchedLeague] = 20;
        s->userLeague = kSearchedLeague;
        for (jint i = 0; i < kCalendarPositions; ++i) {
            (*s->fixtureTable)[i] = -1;
        }
    }
    // A calendar with no event but those given (position -> event byte).
    void useCalendar(const std::vector<std::pair<jint, runtime::jbyte>>& events) const {
        GameStatics* const s = statics();
        s->calendarDays = runtime::newByteArray(kCalendarPositions);
        for (const auto& [position, event] : events) {
            (*s->calendarDays)[position] = event;
        }
    }
    void standAt(const jint month, const jint week) const {
        statics()->monthIndex = month;
        statics()->matchDayIndex = week;
        buildDaySchedule(month, kSearchedLeague, 1, 0);
    }
    std::vector<jint> loaded() const {
        const runtime::ByteArray* const schedule = statics()->daySchedule;
        std::vector<jint> pairs;
        for (jint i = 0; i < schedule->length; ++i) {
            pairs.push_back((*schedule)[i]);
        }
        return pairs;
    }
    // The pairs of month as buildDaySchedule lays them out; the loaded month is kept.
    std::vector<jint> monthEntry(const jint month) const {
        const std::vector<jint> before = loaded();
        buildDaySchedule(month, kSearchedLeague, 0, 1);
        std::vector<jint> entry = loaded();
        for (jint i = 0; i < statics()->daySchedule->length; ++i) {
            (*statics()->daySchedule)[i] = static_cast<runtime::jbyte>(before[static_cast<std::size_t>(i)]);
        }
        return entry;
    }
};

TEST_F(CalendarSearchTest, EventsToTheUsersNextEvent) {
    struct Case {
        std::vector<std::pair<jint, runtime::jbyte>> events;
        jint friendlyAt; // a fixtureTable entry there; -1 none
        jint month;
        jint week;
        jint expected;
        const char* what;
    };
    const Case cases[] = {
        {{{20, kLeagueRound}}, -1, 2, 4, 0, "the current position holds the user's match"},
        {{{24, kLeagueRound}}, -1, 2, 4, 4, "a match four positions later"},
        {{{26, kLeagueRound}}, -1, 2, 6, 4, "four positions later, in the next month"},
        {{{19, kLeagueRound}}, -1, 2, 4, -1, "only an earlier match"},
        {{{90, kLeagueRound}}, -1, 2, 4, -1, "only a match in month 11"},
        {{{30, kContinentalRound}}, -1, 2, 4, -1, "an event without the user's club"},
        {{}, 33, 2, 4, 13, "a friendly at a free position"},
        {{{33, 0x01}}, 33, 2, 4, -1, "step 1 makes a one-off match, not a friendly"},
    };
    for (const Case& c : cases) {
        useCalendar(c.events);
        if (c.friendlyAt >= 0) {
            (*statics()->fixtureTable)[c.friendlyAt] = 120;
        }
        standAt(c.month, c.week);
        statics()->eventsToUserEvent = 99;
        findNextUserEvent();
        EXPECT_EQ(statics()->eventsToUserEvent, c.expected) << c.what;
        EXPECT_EQ(loaded(), monthEntry(c.month)) << c.what;
        if (c.friendlyAt >= 0) {
            (*statics()->fixtureTable)[c.friendlyAt] = -1;
        }
    }
}

TEST_F(CalendarSearchTest, NoSearchAfterTheSeasonOrInTheLastMonth) {
    useCalendar({{20, kLeagueRound}});
    standAt(2, 0);
    statics()->eventSearchOff = 1;
    findNextUserEvent();
    EXPECT_EQ(statics()->eventsToUserEvent, -1);
    statics()->eventSearchOff = 0;
    standAt(11, 0);
    findNextUserEvent();
    EXPECT_EQ(statics()->eventsToUserEvent, -1);
}

TEST_F(CalendarSearchTest, ForwardsFrom94ToATypeFoundOnlyAt10TurnsAt95) {
    useCalendar({{10, kCupRound}});
    standAt(11, 6);
    EXPECT_EQ(findEventOfType(0, 94, kNationalCupEvent), 10);
    EXPECT_EQ(statics()->scheduleType, kNationalCupEvent);
    EXPECT_EQ(statics()->competitionStep, 4);
    EXPECT_EQ(loaded(), monthEntry(1));
}

TEST_F(CalendarSearchTest, BackwardsTurnsAtZero) {
    useCalendar({{94, kCupRound}});
    standAt(1, 4);
    EXPECT_EQ(findEventOfType(1, 12, kNationalCupEvent), 94);
    EXPECT_EQ(loaded(), monthEntry(11));
}

TEST_F(CalendarSearchTest, ATypeTheCalendarLacksEndsAtTheStartWithItsMonthLoaded) {
    useCalendar({{10, kCupRound}});
    standAt(5, 3);
    EXPECT_EQ(findEventOfType(0, 43, kFriendlyEvent), 43);
    EXPECT_EQ(findEventOfType(1, 43, kContinentalEvent), 43);
    EXPECT_EQ(loaded(), monthEntry(5));
    EXPECT_TRUE(log.contains("findEventOfType: no event of type 3 in the calendar"));
}

TEST_F(CalendarSearchTest, OnTheRealCalendar) {
    GameStatics* const s = statics();
    s->cupEntryFlag = 0;
    s->userInCup = 0;
    // The first league round is at month 1 week 5: 13 positions from the season's start.
    standAt(0, 0);
    findNextUserEvent();
    EXPECT_EQ(s->eventsToUserEvent, 13);
    // A friendly at month 0 week 1 comes first.
    (*s->fixtureTable)[1] = 7;
    findNextUserEvent();
    EXPECT_EQ(s->eventsToUserEvent, 1);
    // Continental rounds: the first one forwards from 0, the nearest one backwards from 50.
    const runtime::ByteArray* const calendar = s->calendarDays;
    auto storedType = [calendar](const jint p) { return ((*calendar)[p] >> 6) & 3; };
    jint firstForward = 1;
    while (storedType(firstForward) != kContinentalEvent) {
        ++firstForward;
    }
    jint firstBackward = 49;
    while (storedType(firstBackward) != kContinentalEvent) {
        --firstBackward;
    }
    standAt(0, 0);
    EXPECT_EQ(findEventOfType(0, 0, kContinentalEvent), firstForward);
    EXPECT_EQ(firstForward, 18);
    standAt(6, 2);
    EXPECT_EQ(findEventOfType(1, 50, kContinentalEvent), firstBackward);
    EXPECT_EQ(loaded(), monthEntry(firstBackward / kMonthPositions));
    // Forwards from 94 the only continental events lie behind: the search turns at 95.
    standAt(11, 6);
    jint last = 95;
    while (storedType(last) != kContinentalEvent) {
        --last;
    }
    EXPECT_EQ(findEventOfType(0, 94, kContinentalEvent), last);
}

} // namespace
} // namespace game::season
