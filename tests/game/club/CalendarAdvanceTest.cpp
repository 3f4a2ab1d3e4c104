// The calendar's step (the month roll, the January year, the revaluation, message 33), the board's
// verdict table on a pinned seed, the job-offer search's bounds and the retirement notices.
#include "game/club/CalendarAdvance.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerValue.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/SeasonLookups.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::club {
namespace {

class CalendarAdvanceTest : public testing::SeasonWorkFixture {
protected:
    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase();
    }
    jint newsCalls() const {
        jint n = 0;
        for (const auto& call : screens.calls) {
            n += call.name == "postSeasonNews" && call.args[0] == 119 ? 1 : 0;
        }
        return n;
    }
};

TEST_F(CalendarAdvanceTest, TheDayAndMonthRollTheYearTurnsInJanuary) {
    struct Case {
        jint month, day;
        jint monthAfter, dayAfter, years;
        std::vector<jint> ring;
        jint news;
    };
    const Case cases[] = {
        {5, 7, 6, 0, 1, {62}, 1}, {11, 7, 12, 0, 0, {}, 0}, {0, 7, 1, 0, 0, {}, 0},   {4, 7, 5, 0, 0, {}, 0},
        {1, 3, 1, 4, 0, {33}, 0}, {6, 5, 6, 6, 0, {33}, 0}, {6, 6, 6, 7, 0, {33}, 0}, {2, 3, 2, 4, 0, {}, 0},
        {1, 4, 1, 5, 0, {}, 0},   {5, 2, 5, 3, 0, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "month " << c.month << " day " << c.day);
        restart();
        GameStatics* const s = statics();
        s->monthIndex = c.month;
        s->matchDayIndex = c.day;
        s->staffOffersNew = 0;
        (*s->selectionTable)[772] = 5;
        advanceMatchDay();
        EXPECT_EQ(s->monthIndex, c.monthAfter);
        EXPECT_EQ(s->matchDayIndex, c.dayAfter);
        EXPECT_EQ(s->seasonYear, 2010 + c.years);
        EXPECT_EQ(ringTypes(), c.ring);
        EXPECT_EQ(newsCalls(), c.news);
        const bool rolled = c.day == 7;
        EXPECT_EQ(s->staffOffersNew, rolled ? 1 : 0);
        EXPECT_EQ((*s->selectionTable)[772], rolled ? 0 : 5);
    }
    // Month 11 to July of the next season: the news and message 62, no new year.
    restart();
    statics()->monthIndex = -1;
    statics()->matchDayIndex = 7;
    advanceMatchDay();
    EXPECT_EQ(ringTypes(), (std::vector<jint>{62}));
    EXPECT_EQ(season::messageAt(0)->length, 27);
    EXPECT_EQ(statics()->seasonYear, 2010);
}

TEST_F(CalendarAdvanceTest, PlayersAreRevaluedOnTheFirstDayOfMonthsFiveAndEleven) {
    fillSquad(3, 0, 3, 70);
    for (const jint month : {5, 11, 4}) {
        SCOPED_TRACE(month);
        for (jint p = 0; p < 3; ++p) {
            setValue(p, 1);
        }
        statics()->monthIndex = month;
        statics()->matchDayIndex = -1;
        advanceMatchDay();
        for (jint p = 0; p < 3; ++p) {
            EXPECT_EQ(getPlayerField33(p), month == 4 ? 1 : getPlayerValue(p, 0));
        }
    }
    EXPECT_GT(getPlayerValue(0, 0), 1);
}

TEST_F(CalendarAdvanceTest, TheVerdictTableOnAPinnedSeed) {
    struct Case {
        jint verdict;
        jint max, min;
    };
    const Case cases[] = {{1, -1, -1}, {2, -1, -1}, {3, 77, 72}, {4, 72, 0},    {5, 77, 72},  {6, 72, 0},
                          {7, 72, 0},  {8, 77, 72}, {9, 81, 78}, {10, 100, 78}, {11, 100, 81}};
    for (const Case& c : cases) {
        for (jint skip = 0; skip < 3; ++skip) {
            SCOPED_TRACE(::testing::Message() << "verdict " << c.verdict << " skip " << skip);
            restart();
            for (jint k = 0; k < skip; ++k) {
                twin.nextInt();
                statics()->gameRandom->nextInt();
            }
            statics()->boardDecision = 0;
            statics()->seasonVerdict = c.verdict;
            jint decision = 0;
            switch (c.verdict) {
            case 1:
            case 2:
                decision = 1;
                break;
            case 3:
            case 11:
                decision = 2;
                break;
            case 4:
                decision = 3;
                break;
            case 5:
                decision = twin.range(0, 9) >= 4 ? 2 : 3;
                break;
            case 6:
                decision = twin.range(0, 9) < 4 ? 2 : 0;
                break;
            default:
                decision = twin.range(0, 9) < 8 ? 2 : 0;
                break;
            }
            applyBoardVerdict();
            EXPECT_EQ(statics()->boardDecision, decision);
            EXPECT_EQ(statics()->jobOfferMaxRating, c.max);
            EXPECT_EQ(statics()->jobOfferMinRating, c.min);
            // No club qualifies (all squads are empty): decision 3 still posts one message 10.
            const std::vector<jint> ring = decision == 1   ? std::vector<jint>{9}
                                           : decision == 3 ? std::vector<jint>{9, 10}
                                                           : std::vector<jint>{};
            EXPECT_EQ(ringTypes(), ring);
        }
    }
}

TEST_F(CalendarAdvanceTest, JobOffersCountTriesOfEligibleClubsAndTakeAClubOnce) {
    // Nineteen clubs of upper divisions (0, 2..9 and 40..49) have 17 players of strength 75; team 20
    // heads a lower division with 16 players, so it is promoted for the search but too small.
    jint next = 0;
    for (jint t = 0; t < 50; ++t) {
        if ((t < 10 && t != kWorkUser) || t >= 40) {
            fillSquad(t, next, 17, 75);
            next += 17;
        }
    }
    fillSquad(20, next, 16, 75);
    GameStatics* const s = statics();
    s->jobOfferMaxRating = -1;
    s->jobOfferMinRating = -1;
    jint draws = 0;
    for (jint tries = 0; tries < 1500;) {
        const runtime::jlong draw = twin.nextInt();
        const jint t = static_cast<jint>((draw < 0 ? -draw : draw) % 260);
        ++draws;
        tries += (t < 10 && t != kWorkUser) || (t >= 40 && t < 50) ? 1 : 0;
    }
    ASSERT_LT(draws, 30000);
    findJobOffers();
    EXPECT_EQ(s->jobOfferCount, 0);
    expectDraws(draws);
    for (jint t = 0; t < 260; ++t) {
        ASSERT_EQ((*s->leagueTeamOrder)[t], t) << "the divisions are restored";
    }

    // In range: three different clubs.
    s->jobOfferMaxRating = 77;
    s->jobOfferMinRating = 72;
    findJobOffers();
    ASSERT_EQ(s->jobOfferCount, 3);
    EXPECT_NE((*s->jobOfferTeams)[0], (*s->jobOfferTeams)[1]);
    EXPECT_NE((*s->jobOfferTeams)[0], (*s->jobOfferTeams)[2]);
    EXPECT_NE((*s->jobOfferTeams)[1], (*s->jobOfferTeams)[2]);
    s->seasonVerdict = 3;
    applyBoardVerdict();
    EXPECT_EQ(ringTypes(), (std::vector<jint>{10, 10, 10}));
}

TEST_F(CalendarAdvanceTest, TwoEligibleClubsFillTwoOfTheThreeEntries) {
    // Team 20 leads a lower division: promoted for the search, it counts with team 0.
    fillSquad(0, 0, 17, 75);
    fillSquad(20, 17, 17, 75);
    GameStatics* const s = statics();
    s->jobOfferMaxRating = 77;
    s->jobOfferMinRating = 72;
    findJobOffers();
    ASSERT_EQ(s->jobOfferCount, 2);
    EXPECT_EQ((*s->jobOfferTeams)[0] + (*s->jobOfferTeams)[1], 20);
    EXPECT_EQ((*s->jobOfferTeams)[2], -1);
    expectDraws(30000);
}

TEST_F(CalendarAdvanceTest, NoEligibleClubEndsTheSearchAtTheDrawBound) {
    statics()->jobOfferMaxRating = 100;
    statics()->jobOfferMinRating = 0;
    findJobOffers();
    EXPECT_EQ(statics()->jobOfferCount, 0);
    expectDraws(30000);
}

TEST_F(CalendarAdvanceTest, RetirementsAndContractNotices) {
    GameStatics* const s = statics();
    // Players 0-3 of the user: 0 retires at 34 (contract ends), 1 is 33 with an ending contract,
    // 2 is 35 with a contract to 2012, 3 has no contract.
    fillSquad(kWorkUser, 0, 4, 60);
    setAge(0, 34);
    setAge(1, 33);
    setAge(2, 35);
    setAge(3, 25);
    setShort(s->playerRecords, 37 * 0, 10 << 9);
    setShort(s->playerRecords, 37 * 1, 10 << 9);
    setShort(s->playerRecords, 37 * 2, 12 << 9);
    setShort(s->playerRecords, 37 * 3, 0xFFFF);
    EXPECT_EQ(postRetirementNotice(0), 1);
    EXPECT_EQ(postRetirementNotice(1), 0);
    EXPECT_EQ(postRetirementNotice(2), 0);
    EXPECT_EQ(postRetirementNotice(30), 0);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{61}));
    postContractNotice(1);
    EXPECT_EQ(s->squadListCount, 2); // players 1 and 3 (no contract counts as ended)
    EXPECT_EQ((*s->squadList)[0], 1);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{61, 8}));
    postContractNotice(0);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{61, 8}));

    // A computer team's player retires without a message; the user's with one.
    fillSquad(5, 10, 2, 60);
    s->retiredCount = 0;
    retirePlayer(10);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{61, 8}));
    EXPECT_EQ(getPlayerField17(10), 0xFFFF);
    EXPECT_EQ(getTeamPlayerId(5, 0), -1);
    EXPECT_EQ(getTeamPlayerId(5, 1), 11);
    EXPECT_EQ(getPlayerField0(10), -1);
    retirePlayer(2);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{61, 8, 61}));
    EXPECT_EQ(getTeamPlayerId(kWorkUser, 2), -1);
    EXPECT_EQ(s->retiredCount, 2);
}

} // namespace
} // namespace game::club
