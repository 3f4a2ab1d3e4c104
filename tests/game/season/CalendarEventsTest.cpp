// Calendar event processing with scripted season screens and a recording club: the events of the
// loaded month against the statics and set-up calls they lead to, the look-ahead for the user's
// next opponent, and the season's opening weeks.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/season/CalendarEvents.h"
#include "game/season/CalendarSearch.h"
#include "game/season/DaySchedule.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

using Calls = std::vector<std::string>;

constexpr jint kLeague = 2;    // country 1, first division
constexpr jint kUserTeam = 45; // slot 5 of league 2 (teams 40..59)
constexpr jint kUserSlot = 5;
constexpr jint kFriendly = 130; // the friendly's opponent
constexpr jint kAwayPairTeam = 77;

class CalendarEventsTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        setUpTwentyTeamLeagues();
        GameStatics* const s = statics();
        s->userLeague = kLeague;
        s->userTeam = kUserTeam;
        s->scheduleRoundCount = 19;
        for (jint i = 0; i < kCalendarPositions; ++i) {
            (*s->fixtureTable)[i] = -1;
        }
        (*s->countryPairTeams)[3] = kAwayPairTeam; // the away entry of country 1's one-off match
        s->userOpponentSlot = -1;
    }
    // Puts the pairs into daySchedule as the loaded month.
    void loadPairs(const std::vector<std::pair<jint, jint>>& pairs) const {
        runtime::ByteArray* const schedule = statics()->daySchedule;
        for (jint i = 0; i < schedule->length; ++i) {
            (*schedule)[i] = 0;
        }
        for (std::size_t w = 0; w < pairs.size(); ++w) {
            (*schedule)[2 * w] = static_cast<runtime::jbyte>(pairs[w].first);
            (*schedule)[2 * w + 1] = static_cast<runtime::jbyte>(pairs[w].second);
        }
    }
    void fillStandings(const jint value) const {
        for (jint slot = 0; slot < 32; ++slot) {
            for (jint b = 0; b < 8; ++b) {
                (*row(slot))[b] = static_cast<runtime::jbyte>(value);
            }
        }
    }
    // A row's standings bytes 1-7 are all value.
    bool standingsAre(const jint value) const {
        for (jint slot = 0; slot < 32; ++slot) {
            for (jint b = 1; b < 8; ++b) {
                if ((*row(slot))[b] != value) {
                    return false;
                }
            }
        }
        return true;
    }
};

// The loaded month for most cases: week 0 a league round (step 4), 1 a return-half round (step
// 22), 2 a national-cup round, 3 a continental round, 4 a free position with step 1 and a
// friendly, 5 a free position with a friendly, 6 an empty one.
const std::vector<std::pair<jint, jint>> kMonth = {{1, 4}, {1, 22}, {2, 3}, {3, 5}, {0, 1}, {0, 0}, {0, 0}};
constexpr jint kMonthNumber = 4;

TEST_F(CalendarEventsTest, EventsAgainstTheStaticsAndSetUpCalls) {
    struct Case {
        jint week;
        bool preview;
        jint filter;
        jint mode;         // scheduleType afterwards
        bool userAtHome;   // afterwards
        jint opponentSlot; // userOpponentSlot afterwards
        Calls calls;
        const char* what;
    };
    const Case cases[] = {
        {0, false, -1, 1, true, 3, {"prepareLeague 2 0 0", "buildLeagueDayFixtures 4 1"}, "league round"},
        {1,
         false,
         -1,
         1,
         false,
         3,
         {"prepareLeague 2 0 0", "buildLeagueDayFixtures 22 1"},
         "return half: the home flag inverted"},
        {0, true, -1, 1, true, 3, {"buildLeagueDayFixtures 4 0"}, "league preview"},
        {2, false, -1, 2, true, -1, {"setupCompetitionDay 2 3"}, "national-cup round"},
        {3, false, -1, 3, true, -1, {"setupCompetitionDay 3 5"}, "continental round"},
        {3, true, -1, 3, true, -1, {}, "cup preview: nothing prepared"},
        {4,
         false,
         -1,
         4,
         true,
         -1,
         {"setupCompetitionDay 4 1"},
         "step 1: a one-off match even with a friendly"},
        {5, false, -1, 5, true, 1, {"prepareTeamSide 1 130 0", "setupCompetitionDay 5 0"}, "friendly"},
        {5, true, -1, 5, true, 1, {}, "friendly preview"},
        {6, false, -1, 0, true, -1, {}, "an empty position"},
        {2, false, 3, 2, true, -1, {}, "filter 3 passes only continental events"},
        {3, false, 3, 3, true, -1, {"setupCompetitionDay 3 5"}, "filter 3 on a continental event"},
        {4, false, 0, 4, true, -1, {"setupCompetitionDay 4 1"}, "filter 0 passes a free position"},
    };
    GameStatics* const s = statics();
    (*s->fixtureTable)[kMonthNumber * 8 + 4] = kFriendly;
    (*s->fixtureTable)[kMonthNumber * 8 + 5] = kFriendly;
    screens.onLeagueDay = [s](jint, jboolean) {
        s->userOpponentSlot = 3;
        s->userAtHome = 1;
    };
    for (const Case& c : cases) {
        loadPairs(kMonth);
        screens.setUpCalls.clear();
        s->userOpponentSlot = -1;
        s->userAtHome = 0;
        processCalendarEvent(c.week, c.preview ? 1 : 0, kMonthNumber, c.filter);
        EXPECT_EQ(s->scheduleType, c.mode) << c.what;
        EXPECT_EQ(screens.setUpCalls, c.calls) << c.what;
        if (c.filter == -1 || c.filter == (*s->daySchedule)[2 * c.week]) {
            EXPECT_EQ(s->userAtHome != 0, c.userAtHome) << c.what;
            EXPECT_EQ(s->userOpponentSlot, c.opponentSlot) << c.what;
        }
    }
}

TEST_F(CalendarEventsTest, ALeaguePreviewFindsTheUsersSlotInTheScreensList) {
    GameStatics* const s = statics();
    loadPairs(kMonth);
    s->userCompetitionSlot = -1;
    processCalendarEvent(0, 1, kMonthNumber, -1);
    EXPECT_EQ(s->userCompetitionSlot, kUserSlot);
    EXPECT_EQ((*s->viewTeams)[0], 40);
    s->userTeam = 300;
    processCalendarEvent(0, 1, kMonthNumber, -1);
    EXPECT_EQ(s->userCompetitionSlot, -1);
}

TEST_F(CalendarEventsTest, TheOneOffMatchIsAwayForTheAwayEntryOfTheUsersCountry) {
    GameStatics* const s = statics();
    struct Case {
        jint league;
        jint team;
        jint country; // setupCompetitionDay's argument
        bool atHome;
    };
    (*s->countryPairTeams)[11] = 210; // league 10: country 5, entries 10 and 11
    for (const Case& c : {Case{2, kAwayPairTeam, 1, false}, Case{3, kAwayPairTeam, 1, false},
                          Case{2, 44, 1, true}, Case{10, 210, 5, false}, Case{12, 210, 7, true}}) {
        loadPairs(kMonth);
        screens.setUpCalls.clear();
        s->userLeague = c.league;
        s->userTeam = static_cast<runtime::jshort>(c.team);
        processCalendarEvent(4, 0, kMonthNumber, -1);
        EXPECT_EQ(s->userAtHome != 0, c.atHome) << c.league << " " << c.team;
        EXPECT_EQ(screens.setUpCalls, (Calls{"setupCompetitionDay 4 " + std::to_string(c.country)}));
    }
}

TEST_F(CalendarEventsTest, ClassifyingOnlyChangesNothingElse) {
    GameStatics* const s = statics();
    (*s->fixtureTable)[kMonthNumber * 8 + 5] = kFriendly;
    struct Case {
        jint week;
        jint mode;
    };
    for (const Case& c : {Case{0, 1}, Case{4, 4}, Case{5, 5}, Case{6, 0}}) {
        loadPairs(kMonth);
        fillStandings(9);
        s->scheduleType = 2;
        s->userAtHome = 0;
        s->userOpponentSlot = 7;
        s->fixtureOpponent = 3;
        s->userEventNow = 0;
        screens.setUpCalls.clear();
        processCalendarEvent(c.week, 0, kMonthNumber, -2);
        EXPECT_EQ(s->scheduleType, c.mode);
        EXPECT_EQ(s->previousScheduleType, 2);
        EXPECT_EQ(s->userAtHome, 0);
        EXPECT_EQ(s->userOpponentSlot, 7);
        EXPECT_EQ(s->fixtureOpponent, 3);
        EXPECT_EQ(s->userEventNow, 0);
        EXPECT_TRUE(standingsAre(9));
        EXPECT_TRUE(screens.setUpCalls.empty());
    }
}

TEST_F(CalendarEventsTest, StandingsAreClearedWhenTheEventTypeChanges) {
    GameStatics* const s = statics();
    loadPairs(kMonth);
    fillStandings(9);
    s->scheduleType = 1;
    processCalendarEvent(0, 1, kMonthNumber, -1);
    EXPECT_TRUE(standingsAre(9));
    processCalendarEvent(2, 1, kMonthNumber, -1);
    EXPECT_TRUE(standingsAre(0));
    EXPECT_EQ((*row(0))[0], 9); // the rating byte stays
}

TEST_F(CalendarEventsTest, TheClosingMessageOnlyAtThreePositionsOfTheLastMonthWithoutPreview) {
    GameStatics* const s = statics();
    screens.onLeagueDay = [s](jint, jboolean) { s->userOpponentSlot = 6; };
    for (jint month : {10, 11}) {
        for (jint week = 0; week < 8; ++week) {
            for (const bool preview : {false, true}) {
                loadPairs({{1, 37}});
                club.messages.clear();
                s->monthIndex = month;
                s->matchDayIndex = week;
                processCalendarEvent(0, preview ? 1 : 0, month, -1);
                const bool expected = month == 11 && !preview && (week == 1 || week == 6 || week == 7);
                ASSERT_EQ(club.messages.size(), expected ? 1U : 0U) << month << " " << week << " " << preview;
                if (expected) {
                    EXPECT_EQ(club.messages[0], (game::testing::PostedMessage{58, 622, 6, -1, -1, -1, -1, -1,
                                                                              -1, -1, 1, -1, -1}));
                }
            }
        }
    }
    // An event without the user's club posts nothing.
    loadPairs({{3, 4}});
    club.messages.clear();
    s->userInCup = 0;
    s->matchDayIndex = 6;
    processCalendarEvent(0, 0, 11, -1);
    EXPECT_TRUE(club.messages.empty());
    EXPECT_EQ(s->userEventNow, 0);
}

// The look-ahead, on the real calendar for league 2: the first league round is at month 1 week 5.
class NextOpponentTest : public CalendarEventsTest {
protected:
    void SetUp() override {
        CalendarEventsTest::SetUp();
        GameStatics* const s = statics();
        s->cupEntryFlag = 0;
        s->userInCup = 0;
        setCompetitionTeams({500, 501, 502, 503, 504, 505, 506, 507});
        // Setting up a league round replaces competitionTeams, as the season screens do.
        screens.onLeagueDay = [this, s](const jint round, jboolean) {
            std::vector<jint> league;
            for (jint i = 0; i < 20; ++i) {
                league.push_back(40 + i);
            }
            setCompetitionTeams(league);
            s->userOpponentSlot = 10 + round % 5;
        };
    }
    std::vector<jint> competitionTeams() const {
        std::vector<jint> teams;
        for (jint i = 0; i < 32; ++i) {
            teams.push_back((*statics()->competitionTeams)[i]);
        }
        return teams;
    }
    std::vector<jint> loadedPairs() const {
        std::vector<jint> pairs;
        for (jint i = 0; i < 16; ++i) {
            pairs.push_back((*statics()->daySchedule)[i]);
        }
        return pairs;
    }
};

TEST_F(NextOpponentTest, FindsTheNextOpponentAndRestoresTheTeamsAndTheMonth) {
    GameStatics* const s = statics();
    struct Case {
        jint month;
        jint week;
        jint expected;
        const char* what;
    };
    const Case cases[] = {
        {0, 0, 50, "round 0 at month 1 week 5: slot 10"},
        {0, 8, 50, "week 8 starts at week 0 of the next month"},
        {1, 6, 51, "round 1 at month 1 week 6: slot 11"},
        {11, 0, -1, "the last month is never searched"},
        {10, 8, -1, "week 8 of month 10 is month 11"},
    };
    for (const Case& c : cases) {
        setCompetitionTeams({500, 501, 502, 503, 504, 505, 506, 507});
        const std::vector<jint> before = competitionTeams();
        s->monthIndex = c.month;
        s->matchDayIndex = c.week;
        buildDaySchedule(c.month, kLeague, 0, 0);
        const std::vector<jint> month = loadedPairs();
        s->nextUserOpponent = 99;
        findNextUserOpponent();
        EXPECT_EQ(s->nextUserOpponent, c.expected) << c.what;
        EXPECT_EQ(competitionTeams(), before) << c.what;
        EXPECT_EQ(loadedPairs(), month) << c.what;
    }
}

TEST_F(NextOpponentTest, NothingHappensAfterTheSeason) {
    GameStatics* const s = statics();
    s->eventSearchOff = 1;
    s->nextUserOpponent = 99;
    s->userOpponentSlot = 4;
    findNextUserOpponent();
    EXPECT_EQ(s->nextUserOpponent, 99);
    EXPECT_EQ(s->userOpponentSlot, 4);
    EXPECT_TRUE(screens.setUpCalls.empty());
}

TEST_F(NextOpponentTest, AnOpponentSlotOutsideTheTeamsGivesNoTeam) {
    GameStatics* const s = statics();
    screens.onLeagueDay = [s](jint, jboolean) { s->userOpponentSlot = 40; };
    s->monthIndex = 0;
    s->matchDayIndex = 0;
    findNextUserOpponent();
    EXPECT_EQ(s->nextUserOpponent, -1);
    EXPECT_TRUE(log.contains("calendar: no competition slot 40"));
}

// The season's opening weeks on the real calendar: continental qualifiers at positions 18, 22
// and 28 (steps 0-2), national-cup step 0 at 5 and step 3 at 32. The user's club plays in league 7,
// where no club skips national-cup step 0 (its cupEntryLimits entry is 0).
constexpr jint kOpenLeague = 7;

class SeasonStartTest : public NextOpponentTest {
protected:
    void SetUp() override {
        NextOpponentTest::SetUp();
        GameStatics* const s = statics();
        s->userLeague = kOpenLeague;
        s->userTeam = 145;
        s->userInCup = 1;
        s->cupEntryFlag = 1;
        s->userClubLevel = 2;
        // A cup day: the 32 entrants 300.. in slots, and the user's scripted opponent per step.
        screens.onDaySetup = [this, s](const jint kind, const jint step) {
            std::vector<jint> teams;
            for (jint i = 0; i < 32; ++i) {
                teams.push_back((kind == 3 ? 300 : 600) + i);
            }
            setCompetitionTeams(teams);
            s->competitionSize = kind == 3 ? 32 : 16;
            s->userOpponentSlot = opponents.count(kind * 100 + step) ? opponents[kind * 100 + step] : -1;
        };
    }
    std::vector<jint> shorts(const runtime::ShortArray* const array) const {
        std::vector<jint> values;
        for (jint i = 0; i < array->length; ++i) {
            values.push_back((*array)[i]);
        }
        return values;
    }
    std::map<jint, jint> opponents; // kind x 100 + step -> the user's opponent slot
};

TEST_F(SeasonStartTest, QualifiersAndTheNationalCupOpenerFromTheScriptedTies) {
    GameStatics* const s = statics();
    struct Case {
        jint userSlot;
        std::vector<jint> qualifiers;
    };
    // Opponent slots: step 0 slot 20, step 1 slot 21, step 2 slot 22; user team 300 + slot.
    for (const Case& c : {Case{4, {304, 320, 304, 321, 304, 322}}, Case{5, {320, 305, 305, 321, 305, 322}},
                          Case{6, {306, 320, 321, 306, 322, 306}}, Case{7, {320, 307, 321, 307, 322, 307}}}) {
        opponents = {{300, 20}, {301, 21}, {302, 22}, {200, 9}};
        s->userCompetitionSlot = c.userSlot;
        s->earlyCupFlag0 = 0;
        startSeasonCalendar();
        EXPECT_EQ(shorts(s->cupRoundPairsA), c.qualifiers) << c.userSlot;
        EXPECT_EQ(shorts(s->cupRoundPairsB), (std::vector<jint>{602, 609})) << c.userSlot;
    }
}

TEST_F(SeasonStartTest, EndsAtTheSeasonsFirstPositionWithMenu136) {
    GameStatics* const s = statics();
    opponents = {{300, 20}};
    s->userCompetitionSlot = 4;
    s->menuPhase = 5;
    s->wageRoom = 7200;
    s->wageRoomSet = 1;
    for (jint i = 0; i < 64; ++i) {
        (*s->roundFixtures)[i] = 3;
    }
    fillStandings(9);
    startSeasonCalendar();
    EXPECT_EQ(s->monthIndex, 0);
    EXPECT_EQ(s->matchDayIndex, 0);
    EXPECT_EQ(s->menuState, 136);
    EXPECT_EQ(s->menuPhase, 0);
    EXPECT_EQ(s->wageRoom, 0);
    EXPECT_EQ(s->wageRoomSet, 0);
    for (jint i = 0; i < 64; ++i) {
        EXPECT_EQ((*s->roundFixtures)[i], -1);
    }
    EXPECT_TRUE(standingsAre(0));
    // The searches have run: the user's first event is national-cup step 0 at position 5.
    EXPECT_EQ(s->eventsToUserEvent, 5);
    EXPECT_EQ(s->nextUserOpponent, 50);
}

TEST_F(SeasonStartTest, TheNationalCupOpenerByLevelAndLeague) {
    GameStatics* const s = statics();
    struct Case {
        jint league;
        jint level;
        bool earlyFlag;
        std::vector<jint> opener;
        const char* what;
    };
    const Case cases[] = {
        {kOpenLeague, 2, false, {602, 609}, "first half of the draw: at home"},
        {kOpenLeague, 8, false, {609, 608}, "second half: away"},
        {kLeague, 25, false, {609, 625}, "league 2 below its entry limit: step 0 played"},
        {kLeague, 2, false, {-7, -7}, "league 2 above its entry limit: step 0 skipped"},
        {kOpenLeague, 2, true, {-7, -7}, "the early step is skipped"},
        {kOpenLeague, 40, false, {609, -1}, "a level outside the slots gives no team"},
        {10, 2, false, {602, 609}, "leagues from 10 open at step 3"},
        {10, -1, false, {-7, -7}, "unknown level: nothing written"},
        {10, 16, false, {-7, -7}, "a club from 16 on in a single division is not in the cup"},
    };
    for (const Case& c : cases) {
        opponents = {{200, 9}, {203, 9}};
        s->userLeague = c.league;
        s->userClubLevel = c.level;
        s->earlyCupFlag0 = c.earlyFlag ? 1 : 0;
        (*s->cupRoundPairsB)[0] = -7;
        (*s->cupRoundPairsB)[1] = -7;
        startSeasonCalendar();
        EXPECT_EQ(shorts(s->cupRoundPairsB), c.opener) << c.what;
    }
}

TEST_F(SeasonStartTest, AQualifierWithoutAnOpponentGivesNoTeam) {
    GameStatics* const s = statics();
    opponents = {{300, 20}};
    s->userCompetitionSlot = 4;
    startSeasonCalendar();
    EXPECT_EQ(shorts(s->cupRoundPairsA), (std::vector<jint>{304, 320, 304, -1, 304, -1}));
}

} // namespace
} // namespace game::season
