// The user's result bookkeeping: the record by venue and outcome and the tally by competition and
// division, the league position after each round, the season's end (history, titles, promotion
// and relegation messages), finals, bounded history writes, and the tally's level.
#include <gtest/gtest.h>

#include <vector>

#include "game/season/ResultBookkeeping.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

using game::testing::PostedMessage;

constexpr jint kUserTeamSlot = 5;
constexpr jint kSeasonTeams = 20;
constexpr jint kLastRound = 2 * kSeasonTeams - 3;

class ResultBookkeepingTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        setUpTwentyTeamLeagues();
        statics()->resultRound = runtime::newByteArray(3);
        reset();
    }
    // The defaults of every case: the user's club at slot 5 of a 20-team first division at home,
    // in the season 2012, with no results booked and no messages.
    void reset() {
        GameStatics* const s = statics();
        std::vector<jint> teams;
        for (jint i = 0; i < kSeasonTeams; ++i) {
            teams.push_back(200 + i);
        }
        setCompetitionTeams(teams);
        s->competitionSize = kSeasonTeams;
        s->userCompetitionSlot = kUserTeamSlot;
        s->userLeague = 0;
        s->userAtHome = 1;
        s->competitionType = 1;
        s->playedStep = 10;
        s->scheduleType = 1;
        s->seasonYear = 2012;
        s->seasonYearOffset = 0;
        s->trainingLevel = 0;
        s->seasonTitleWon = 0;
        s->eventSearchOff = 0;
        s->promotionMessagesOff = 0;
        s->userRating = 0;
        for (runtime::ByteArray* const bytes :
             {s->clubRecordBytes.get(), s->cupStatus.get(), s->seasonPositionSeries.get(),
              s->resultRound.get(), s->leaguePositionHistory.get(), s->nationalCupHistory.get(),
              s->continentalCupHistory.get(), s->otherFinalHistory.get()}) {
            for (jint i = 0; i < bytes->length; ++i) {
                (*bytes)[i] = 0;
            }
        }
        for (jint i = 0; i < s->matchStatistics->length; ++i) {
            (*s->matchStatistics)[i] = 0;
        }
        club.messages.clear();
    }
    std::vector<jint> record() const {
        std::vector<jint> values;
        for (jint i = 0; i < 9; ++i) {
            values.push_back((*statics()->matchStatistics)[i]);
        }
        return values;
    }
    // Gives the slot points so that it stands at the top (higher points first).
    void setPoints(const jint slot, const jint points) const {
        (*row(slot))[1] = static_cast<runtime::jbyte>(points);
    }
    std::vector<PostedMessage> messagesOfType(const jint type) const {
        std::vector<PostedMessage> found;
        for (const PostedMessage& m : club.messages) {
            if (m[0] == type) {
                found.push_back(m);
            }
        }
        return found;
    }
};

TEST_F(ResultBookkeepingTest, RecordAndTallyByVenueOutcomeCompetitionAndDivision) {
    struct Case {
        bool atHome;
        jint code;
        jint type;
        jint league;
        jint round; // competitionRound
        jint step;  // playedStep
        jint entry; // the matchStatistics entry counted
        jint tally; // userRating gained
        const char* what;
    };
    const Case cases[] = {
        {true, 3, 1, 0, 0, 4, 0, 3, "home win, first division: column 1"},
        {false, 1, 1, 1, 0, 4, 3, 2, "away win, second division: column 0"},
        {false, 3, 1, 0, 0, 4, 5, -1, "away loss"},
        {true, 2, 1, 10, 0, 4, 1, 1, "home draw in a single division: column 1"},
        {false, 0x31, 1, 0, 0, 4, 3, 3, "the knockout nibble is ignored"},
        {true, 2, 2, 0, 3, 4, 1, 1, "national cup from round 3 at home: column 2"},
        {true, 3, 2, 0, 2, 4, 6, 2, "national cup round 2: neutral"},
        {false, 1, 3, 0, 0, 8, 3, 4, "continental away win: column 3"},
        {true, 1, 3, 0, 0, 12, 8, 0, "continental final: neutral"},
        {true, 2, 4, 0, 0, 0, 7, 1, "one-off match: neutral, column 4"},
        {false, 1, 5, 0, 0, 0, 3, 2, "friendly away win: column 0"},
    };
    GameStatics* const s = statics();
    for (const Case& c : cases) {
        reset();
        s->userAtHome = c.atHome ? 1 : 0;
        s->competitionType = c.type;
        s->userLeague = c.league;
        s->competitionRound = c.round;
        s->playedStep = c.step;
        s->ownResultCode = 2;
        s->userRating = 100;
        recordUserResult(c.code);
        std::vector<jint> expected(9, 0);
        expected[static_cast<std::size_t>(c.entry)] = 1;
        EXPECT_EQ(record(), expected) << c.what;
        EXPECT_EQ(s->userRating, 100 + c.tally) << c.what;
    }
}

TEST_F(ResultBookkeepingTest, ACodeOutsideOneToThreeBooksNothing) {
    GameStatics* const s = statics();
    log.lines.clear();
    for (const jint code : {0, 4, 0x30, 15}) {
        s->userRating = 50;
        recordUserResult(code);
        EXPECT_EQ(record(), std::vector<jint>(9, 0)) << code;
        EXPECT_EQ(s->userRating, 50) << code;
        EXPECT_EQ((*s->cupStatus)[0], 0) << code;
    }
    EXPECT_EQ(log.lines.size(), 4U);
}

TEST_F(ResultBookkeepingTest, AnEarlierRoundChangesOnlyThePosition) {
    GameStatics* const s = statics();
    setPoints(1, 9);
    setPoints(kUserTeamSlot, 6);
    (*s->resultRound)[0] = 10;
    recordUserResult(3);
    EXPECT_EQ((*s->cupStatus)[0], 1);
    EXPECT_EQ((*s->seasonPositionSeries)[10], 1);
    EXPECT_TRUE(club.messages.empty());
    EXPECT_EQ((*s->leaguePositionHistory)[2], 0);
    EXPECT_EQ((*s->clubRecordBytes)[1], 0);
    EXPECT_EQ(s->eventSearchOff, 0);
}

TEST_F(ResultBookkeepingTest, TheLastRoundOfASecondDivisionTitle) {
    GameStatics* const s = statics();
    s->userLeague = 1;
    setPoints(kUserTeamSlot, 90);
    setPoints(7, 80);
    setPoints(2, 70);
    (*s->resultRound)[0] = kLastRound;
    s->playedStep = kLastRound;
    recordUserResult(3);
    EXPECT_EQ((*s->seasonPositionSeries)[kLastRound], 0);
    EXPECT_EQ((*s->leaguePositionHistory)[2012 - 2010], 1);
    EXPECT_EQ(s->seasonTitleWon, 1);
    EXPECT_EQ(s->eventSearchOff, 1);
    EXPECT_EQ((*s->clubRecordBytes)[0], 1);
    const std::vector<PostedMessage> expected = {
        {51, 615, -1, -1, -1, -1, -1, -1, -1, -1, 1, -1, -1},
        {18, 205, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
        {18, 207, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
        {18, 202, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    };
    EXPECT_EQ(club.messages, expected);
}

TEST_F(ResultBookkeepingTest, TheLastRoundOfAFirstDivisionInSecondPlace) {
    GameStatics* const s = statics();
    setPoints(3, 90);
    setPoints(kUserTeamSlot, 80);
    for (jint slot = 0; slot < kSeasonTeams; ++slot) {
        if (slot != 3 && slot != kUserTeamSlot) {
            setPoints(slot, 40 - slot); // slots 17, 18 and 19 last, 19 at the bottom
        }
    }
    s->seasonYearOffset = 1;
    (*s->resultRound)[0] = kLastRound;
    recordUserResult(2);
    EXPECT_EQ((*s->leaguePositionHistory)[2012 - 1 - 2010], 2);
    EXPECT_EQ((*s->clubRecordBytes)[1], 1);
    EXPECT_EQ((*s->clubRecordBytes)[0], 0);
    EXPECT_EQ(s->seasonTitleWon, 0);
    const std::vector<PostedMessage> expected = {
        {19, 219, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
        {19, 218, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
        {19, 217, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    };
    EXPECT_EQ(club.messages, expected);
}

TEST_F(ResultBookkeepingTest, NoPromotionMessagesWhenOffOrInASingleDivision) {
    GameStatics* const s = statics();
    (*s->resultRound)[0] = kLastRound;
    s->promotionMessagesOff = 1;
    recordUserResult(3);
    EXPECT_TRUE(messagesOfType(19).empty());
    s->promotionMessagesOff = 0;
    s->userLeague = 11;
    recordUserResult(3);
    EXPECT_TRUE(messagesOfType(19).empty());
    EXPECT_TRUE(messagesOfType(18).empty());
}

TEST_F(ResultBookkeepingTest, ALeagueTitleAfterCupsNamesTheCupsWon) {
    GameStatics* const s = statics();
    struct Case {
        jint nationalCup;
        jint continentalCup;
        jint message;
    };
    for (const Case& c : {Case{0, 0, 51}, Case{7, 0, 52}, Case{0, 7, 52}, Case{7, 7, 53}}) {
        club.messages.clear();
        setPoints(kUserTeamSlot, 90);
        (*s->cupStatus)[1] = static_cast<runtime::jbyte>(c.nationalCup);
        (*s->cupStatus)[2] = static_cast<runtime::jbyte>(c.continentalCup);
        (*s->resultRound)[0] = kLastRound;
        s->promotionMessagesOff = 1;
        recordUserResult(3);
        ASSERT_EQ(club.messages.size(), 1U);
        EXPECT_EQ(club.messages[0][0], c.message);
        EXPECT_EQ(club.messages[0][1], 564 + c.message);
    }
}

TEST_F(ResultBookkeepingTest, Finals) {
    struct Case {
        jint type;
        jint step;
        jint schedule; // scheduleType: picks the history
        jint own;      // ownResultCode
        bool nationalCupWon;
        jint statusEntry;
        std::vector<jint> trophies;
        jint message; // -1 none
        jint bonus;   // userRating gained besides the result's reward
        const char* what;
    };
    const Case cases[] = {
        {2, 10, 2, 3, false, 1, {0, 0, 1, 0, 0, 0, 0, 0}, 51, 100, "national-cup final won"},
        {2, 10, 2, 1, false, -1, {0, 0, 0, 1, 0, 0, 0, 0}, -1, 0, "national-cup final lost"},
        {3, 12, 3, 3, true, 2, {0, 0, 0, 0, 1, 0, 0, 0}, 52, 300, "continental final won after the cup"},
        {3, 12, 3, 3, false, 2, {0, 0, 0, 0, 1, 0, 0, 0}, 51, 300, "continental final won"},
        {4, 0, 4, 3, true, 3, {0, 0, 0, 0, 0, 0, 1, 0}, 52, 50, "one-off match won"},
        {4, 0, 4, 1, false, -1, {0, 0, 0, 0, 0, 0, 0, 1}, -1, 0, "one-off match lost"},
    };
    GameStatics* const s = statics();
    for (const Case& c : cases) {
        reset();
        s->competitionType = c.type;
        s->playedStep = c.step;
        s->competitionRound = 6;
        s->scheduleType = c.schedule;
        s->ownResultCode = c.own;
        (*s->cupStatus)[1] = static_cast<runtime::jbyte>(c.nationalCupWon ? 7 : 0);
        s->userRating = 1000;
        recordUserResult(2);
        std::vector<jint> trophies;
        for (jint i = 0; i < 8; ++i) {
            trophies.push_back((*s->clubRecordBytes)[i]);
        }
        EXPECT_EQ(trophies, c.trophies) << c.what;
        const jint reward = (*s->resultRewardTable)[c.type + 5];
        EXPECT_EQ(s->userRating, 1000 + reward + c.bonus) << c.what;
        if (c.statusEntry >= 0) {
            EXPECT_EQ((*s->cupStatus)[c.statusEntry], 1) << c.what;
        }
        EXPECT_EQ(s->seasonTitleWon != 0, c.message != -1) << c.what;
        if (c.message == -1) {
            EXPECT_TRUE(club.messages.empty()) << c.what;
        } else {
            ASSERT_EQ(club.messages.size(), 1U) << c.what;
            EXPECT_EQ(club.messages[0], (PostedMessage{c.message, 564 + c.message, -1, -1, -1, -1, -1, -1, -1,
                                                       -1, c.schedule, -1, -1}))
                << c.what;
        }
        const runtime::ByteArray* const history = c.schedule == 2   ? s->nationalCupHistory.get()
                                                  : c.schedule == 3 ? s->continentalCupHistory.get()
                                                                    : s->otherFinalHistory.get();
        EXPECT_EQ((*history)[2012 - 2009], c.message == -1 ? 1 : 0) << c.what;
    }
}

TEST_F(ResultBookkeepingTest, HistoryIndexesOutsideTheArraysSkipTheWrite) {
    GameStatics* const s = statics();
    for (const jint offset : {-48, 10}) { // league history 50 and -8, final history 51 and -7
        s->seasonYearOffset = static_cast<runtime::jbyte>(offset);
        (*s->resultRound)[0] = kLastRound;
        s->promotionMessagesOff = 1;
        recordUserResult(3);
        s->competitionType = 2;
        s->playedStep = 10;
        s->scheduleType = 2;
        s->ownResultCode = 3;
        recordUserResult(3);
        s->competitionType = 1;
    }
    for (jint i = 0; i < 50; ++i) {
        EXPECT_EQ((*s->leaguePositionHistory)[i], 0);
        EXPECT_EQ((*s->nationalCupHistory)[i], 0);
    }
    EXPECT_TRUE(log.contains("recordUserResult: leaguePositionHistory has no entry 50; not written"));
    EXPECT_TRUE(log.contains("recordUserResult: nationalCupHistory has no entry -7; not written"));
    // A round past the position series skips that write too.
    s->playedStep = 48;
    (*s->resultRound)[0] = 5;
    recordUserResult(3);
    EXPECT_TRUE(log.contains("recordUserResult: seasonPositionSeries has no entry 48; not written"));
}

TEST_F(ResultBookkeepingTest, TheTallyLevelAtAndAboveTheThresholds) {
    GameStatics* const s = statics();
    struct Case {
        jint tally;
        jint level;
    };
    // Thresholds 0, 250, 600, 1000, 2000; a home draw in a friendly earns nothing.
    for (const Case& c : {Case{-5, 3}, Case{0, 3}, Case{1, 0}, Case{250, 0}, Case{251, 1}, Case{600, 1},
                          Case{601, 2}, Case{1001, 3}, Case{2000, 3}, Case{2001, 4}}) {
        s->competitionType = 5;
        s->trainingLevel = 3;
        s->userRating = static_cast<runtime::jshort>(c.tally);
        recordUserResult(2);
        EXPECT_EQ(s->userRating, c.tally);
        EXPECT_EQ(s->trainingLevel, c.level) << c.tally;
    }
}

} // namespace
} // namespace game::season
