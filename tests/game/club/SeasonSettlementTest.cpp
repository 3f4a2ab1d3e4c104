// The settlement of a finished season on a small league structure: cup and league results and
// prizes at their bounds, the expectations, the wage budget's rules, cap and floor, the season's
// money (the saturated funds field, the user's thresholds), promotion and relegation, the team
// change and the ageing of veterans.
#include "game/club/SeasonSettlement.h"

#include <gtest/gtest.h>

#include <array>

#include "game/club/ClubRecords.h"
#include "tests/game/club/ClubFixture.h"

namespace game::club {
namespace {

using testing::ClubFixture;

constexpr jint kSettlementTeams = 260;
constexpr jint kSettlementDivisionSize = 20;

class SeasonSettlementTest : public ClubFixture {
protected:
    // 260 teams with empty squads in 13 divisions of 20, each in team-number order; no cup results;
    // every team's budget 10000 and the expectations all 0.
    void makeLeagues(const jint players = 300) {
        makeDatabase(kSettlementTeams, players, players - 40);
        GameStatics* const s = statics();
        s->leagueTeamOrder = runtime::newShortArray(kSettlementTeams);
        s->leagueSizes = runtime::newIntArray(13);
        s->leagueStarts = runtime::newIntArray(13);
        for (jint t = 0; t < kSettlementTeams; ++t) {
            (*s->leagueTeamOrder)[t] = runtime::i2s(t);
            setBudget(t, 10000);
        }
        for (jint d = 0; d < 13; ++d) {
            (*s->leagueSizes)[d] = kSettlementDivisionSize;
            (*s->leagueStarts)[d] = d * kSettlementDivisionSize;
        }
        s->cupResults = runtime::newShortArray(160);
        for (jint i = 0; i < 160; ++i) {
            (*s->cupResults)[i] = -1;
        }
        s->clubStars = runtime::newByteArray(kSettlementTeams);
        s->cupExpectations = runtime::newByteArray(kSettlementTeams);
        s->continentalExpectations = runtime::newByteArray(kSettlementTeams);
        s->userWageTotal = 0;
    }
    // Team at 1-based position p of division d (the leagues are in team order).
    static jint teamAt(const jint d, const jint p) { return d * kSettlementDivisionSize + p - 1; }
    static jint budget(const jint team) { return getTeamField60(team); }
    jint fundsField(const jint team) const {
        return static_cast<runtime::jshort>(core16(statics()->teamRecords, 64 * team + 62));
    }
    // player is `age` on the first day of the season 2010 (born on 1 January).
    void setAge(const jint player, const jint age) {
        GameStatics* const s = statics();
        s->seasonYear = 2010;
        s->monthIndex = 0;
        s->matchDayIndex = 0;
        setPlayerByte(player, 16, -1);
        setBirthWord(player, ((50 - age) << 9) | (1 << 5) | 1);
    }
    // Eight players of skill `skill` in team's squad: its strength is `skill`.
    void giveStrength(const jint team, const jint firstPlayer, const jint skill) {
        for (jint i = 0; i < 8; ++i) {
            addToSquad(team, firstPlayer + i);
            for (jint k = 0; k < 8; ++k) {
                setPlayerByte(firstPlayer + i, 4 + k, skill);
            }
            setPlayerByte(firstPlayer + i, 15, 99);
        }
    }
};

TEST_F(SeasonSettlementTest, CupResultsAndPrizesAtEveryIndexBound) {
    makeLeagues();
    struct Case {
        jint index;
        jint national, nationalPrize, continental, continentalPrize;
    };
    const Case cases[] = {
        {0, 5, 500, 5, 3000}, {1, 4, 300, 4, 1600}, {2, 3, 200, 3, 1200}, {3, 3, 200, 3, 1200},
        {4, 2, 100, 2, 800},  {7, 2, 100, 2, 800},  {8, 1, 0, 1, 400},    {15, 1, 0, 1, 400},
        {16, 0, 0, 0, 200},   {31, 0, 0, 0, 200},
    };
    // Team 45 is in division 2 (country 1, cup 1); team 205 in division 10 (cup 5).
    for (const jint team : {45, 205}) {
        const jint cup = team == 45 ? 1 : 5;
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "team " << team << " index " << c.index);
            for (jint i = 0; i < 160; ++i) {
                (*statics()->cupResults)[i] = -1;
            }
            if (c.index < 16) {
                (*statics()->cupResults)[16 * cup + c.index] = runtime::i2s(team);
            }
            (*statics()->cupResults)[128 + c.index] = runtime::i2s(team);
            EXPECT_EQ(getNationalCupResult(team, false), c.index < 16 ? c.national : 0);
            EXPECT_EQ(getNationalCupResult(team, true), c.index < 16 ? c.nationalPrize : 0);
            EXPECT_EQ(getContinentalCupResult(team, false), c.continental);
            EXPECT_EQ(getContinentalCupResult(team, true), c.continentalPrize);
        }
    }
    // Absent from both, and another country's cup does not count.
    (*statics()->cupResults)[0] = 45;
    (*statics()->cupResults)[128] = 44;
    EXPECT_EQ(getNationalCupResult(45, false), 0);
    EXPECT_EQ(getContinentalCupResult(45, true), 0);
}

TEST_F(SeasonSettlementTest, LeaguePrizesAndOutcomesByPositionAndDivision) {
    makeLeagues();
    struct Case {
        jint division, position, prize, outcome;
    };
    const Case cases[] = {
        {0, 1, 1500, 5}, {0, 2, 850, 4},  {0, 3, 800, 4},   {0, 4, 750, 3},  {0, 6, 650, 3},
        {0, 7, 600, 2},  {0, 10, 450, 2}, {0, 11, 400, 1},  {0, 17, 100, 1}, {0, 18, 50, 1},
        {0, 20, 50, 1},  {1, 1, 150, 14}, {1, 2, 85, 14},   {1, 3, 80, 14},  {1, 4, 75, 3},
        {1, 10, 45, 2},  {1, 18, 5, 1},   {10, 1, 1500, 5}, {12, 20, 50, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "division " << c.division << " position " << c.position);
        const jint team = teamAt(c.division, c.position);
        EXPECT_EQ(getDivisionPosition(team, c.division), c.position);
        EXPECT_EQ(getLeaguePrize(team), c.prize);
        EXPECT_EQ(getLeagueOutcome(team), c.outcome);
    }
    EXPECT_EQ(getDivisionPosition(5, 1), 0);
}

TEST_F(SeasonSettlementTest, ExpectationsMeetResultsHalfway) {
    makeLeagues();
    GameStatics* const s = statics();
    s->teamRanks = runtime::newShortArray(kSettlementTeams);
    s->teamGroupRanks = runtime::newByteArray(kSettlementTeams);
    // Team 0: country rank 1 (class 5), cup winner (5): 5. Team 1: rank 3 (class 4), no result
    // (0): 0 + (4 >> 1) = 2. Team 2: rank 9 (2), winner: 5 + (-3 >> 1) = 3. Team 3: rank 17 (1).
    const jint groupRanks[] = {1, 3, 9, 17};
    const jint overallRanks[] = {2, 17, 33, 5};
    for (jint t = 0; t < 4; ++t) {
        (*s->teamGroupRanks)[t] = runtime::i2b(groupRanks[t]);
        (*s->teamRanks)[t] = runtime::i2s(overallRanks[t]);
    }
    (*s->cupResults)[0] = 0;
    (*s->cupResults)[1] = 2;
    (*s->cupResults)[128] = 2;
    s->userTeam = 1;
    computeCupExpectations();
    computeContinentalExpectations();
    EXPECT_EQ((*s->cupExpectations)[0], 5);
    EXPECT_EQ((*s->cupExpectations)[1], 2);
    EXPECT_EQ((*s->cupExpectations)[2], 3); // 4 (final) + ((2 - 4) >> 1)
    EXPECT_EQ((*s->cupExpectations)[3], 0); // 0 + (1 >> 1)
    // Continental classes: rank 2 -> 5, 17 -> 1, 33 -> 0, 5 -> 3.
    EXPECT_EQ((*s->continentalExpectations)[0], 2); // 0 + (5 >> 1)
    EXPECT_EQ((*s->continentalExpectations)[1], 0);
    EXPECT_EQ((*s->continentalExpectations)[2], 5 + ((0 - 5) >> 1));
    EXPECT_EQ((*s->continentalExpectations)[3], 1);
    EXPECT_EQ(s->userCupExpectation, 2);
    EXPECT_EQ(s->userContinentalExpectation, 0);
}

TEST_F(SeasonSettlementTest, WageBudgetRulesCapAndFloor) {
    makeLeagues();
    GameStatics* const s = statics();
    // A lower division's second: + P / 2, then outcome 4 against expectation 2 (+ 2P / 10).
    const jint second = teamAt(1, 2);
    (*s->clubStars)[second] = 2;
    updateWageBudget(second);
    EXPECT_EQ(budget(second), 10000 + 5000 + 2000);
    // Upper division's champion who also won both cups against expectations of 5, 5, 5.
    const jint champion = teamAt(0, 1);
    (*s->clubStars)[champion] = 5;
    (*s->cupExpectations)[champion] = 5;
    (*s->continentalExpectations)[champion] = 5;
    (*s->cupResults)[0] = runtime::i2s(champion);
    (*s->cupResults)[128] = runtime::i2s(champion);
    updateWageBudget(champion);
    EXPECT_EQ(budget(champion), 10000 + 1000 + 500 + 1500);
    // Far below every expectation: -2P/10 - P/10 - 3P/10 from 10000.
    const jint poor = teamAt(2, 15);
    (*s->clubStars)[poor] = 5;
    (*s->cupExpectations)[poor] = 5;
    (*s->continentalExpectations)[poor] = 5;
    updateWageBudget(poor);
    EXPECT_EQ(budget(poor), 10000 - 2000 - 1000 - 3000);
    // Exactly two below: -P/10, -P/20, -15P/100.
    const jint two = teamAt(2, 16);
    (*s->clubStars)[two] = 3;
    (*s->cupExpectations)[two] = 2;
    (*s->continentalExpectations)[two] = 2;
    updateWageBudget(two);
    EXPECT_EQ(budget(two), 10000 - 1000 - 500 - 1500);
    // The cap: 60000 + 30000 + 12000 stops at 65000.
    setBudget(champion, 60000);
    updateWageBudget(champion);
    EXPECT_EQ(budget(champion), 65000);
    // The floor: every team whose budget falls below the user's wages gets wages + 100..500.
    s->userWageTotal = 20000;
    pinGenerator();
    for (const jint team : {poor, teamAt(12, 20), teamAt(3, 1)}) {
        updateWageBudget(team);
        EXPECT_EQ(budget(team), 20000 + twin.range(100, 500));
        EXPECT_GE(budget(team), 20100);
        EXPECT_LE(budget(team), 20500);
    }
    // A wage total the 16-bit field cannot hold with its margin: the budget is the field's top,
    // not wrapped to a few hundred.
    s->userWageTotal = 65500;
    updateWageBudget(poor);
    EXPECT_EQ(budget(poor), 0xFFFF);
}

TEST_F(SeasonSettlementTest, ComputerFundsSaturateAndTheUserIsPaidByThresholds) {
    makeLeagues();
    GameStatics* const s = statics();
    // A strength-95 club: bonus (95 - 75) x 2000 = 40000, which a 16-bit value would wrap to -25536.
    const jint rich = teamAt(0, 1);
    giveStrength(rich, 0, 95);
    ASSERT_EQ(getTeamStrength(rich, false), 95);
    setFunds(rich, 100);
    settleSeasonFinances(rich);
    EXPECT_EQ(fundsField(rich), 32767);
    // A modest club's sum is stored as it is: 100 (bonus) + 1500 (league) + 1000.
    const jint modest = teamAt(2, 1);
    setFunds(modest, 1000);
    settleSeasonFinances(modest);
    EXPECT_EQ(fundsField(modest), 2600);
    // A debt takes the payments as they come: 100 (bonus) + 850 (league).
    const jint debtor = teamAt(2, 2);
    setFunds(debtor, -32700);
    s->userTeam = -1;
    settleSeasonFinances(debtor);
    EXPECT_EQ(fundsField(debtor), -32700 + 100 + 850);

    // The user: team at division 2 position 3 (prize 800), strength 70: bonus 500.
    const jint user = teamAt(2, 3);
    giveStrength(user, 8, 70);
    s->userTeam = runtime::i2s(user);
    struct Case {
        jint money, sponsor, prize;
    };
    const Case cases[] = {
        {550000, 500, 8000}, {550001, 10000, 10000}, {599999, 10000, 10000},
        {600000, 0, 0},      {-5000, 500, 8000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.money);
        s->userFundsBase = c.money;
        s->userFundsIn = 7;
        s->userFundsOut = 7;
        settleSeasonFinances(user);
        EXPECT_EQ(s->seasonEndFunds, c.money);
        EXPECT_EQ(s->sponsorIncome, c.sponsor);
        EXPECT_EQ(s->prizeIncome, c.prize);
        EXPECT_EQ(s->userFundsBase, c.money + c.sponsor + c.prize);
        EXPECT_EQ(s->userFundsIn, 0);
        EXPECT_EQ(s->userFundsOut, 0);
    }
    // A user who leaves takes none of the old club's prizes: his money is the new club's field.
    s->pendingTeam = runtime::i2s(teamAt(5, 1));
    s->prizeIncome = 1234;
    setFunds(user, 3000);
    settleSeasonFinances(user);
    EXPECT_EQ(s->seasonEndFunds, 30000);
    EXPECT_EQ(s->sponsorIncome, 500);
    EXPECT_EQ(s->prizeIncome, 0);
    EXPECT_EQ(s->userFundsBase, 30500);
}

TEST_F(SeasonSettlementTest, PromotionSwapsThreeAndTracksTheUserBothWays) {
    makeLeagues();
    GameStatics* const s = statics();
    for (const auto& [team, before, after] :
         {std::array<jint, 3>{teamAt(1, 2), 1, 0}, std::array<jint, 3>{teamAt(4, 19), 4, 5},
          std::array<jint, 3>{teamAt(4, 5), 4, 4}}) {
        makeLeagues();
        s->userTeam = runtime::i2s(team);
        s->userLeague = before;
        applyPromotionRelegation(true);
        EXPECT_EQ(s->userLeague, after) << "team " << team;
    }
    // Every two-division country swaps, the single divisions keep their order.
    for (jint c = 0; c < 5; ++c) {
        const jint b = 20 * (2 * c + 1);
        for (jint k = 0; k < 3; ++k) {
            EXPECT_EQ((*s->leagueTeamOrder)[b + k], b - 3 + k);
            EXPECT_EQ((*s->leagueTeamOrder)[b - 3 + k], b + k);
        }
        EXPECT_EQ((*s->leagueTeamOrder)[b + 3], b + 3);
        EXPECT_EQ((*s->leagueTeamOrder)[b - 4], b - 4);
    }
    for (jint i = 200; i < 260; ++i) {
        EXPECT_EQ((*s->leagueTeamOrder)[i], i);
    }
    // Without tracking the division stays.
    makeLeagues();
    s->userTeam = runtime::i2s(teamAt(1, 1));
    s->userLeague = 1;
    applyPromotionRelegation(false);
    EXPECT_EQ(s->userLeague, 1);
}

TEST_F(SeasonSettlementTest, TeamChangeResetsHistoriesAndTakesTheNewClubsValues) {
    makeLeagues();
    GameStatics* const s = statics();
    s->teamByteTable = runtime::newByteArray(520);
    s->teamInfoRecords = runtime::newByteArray(65 + 27 * 260 + 27);
    const jint newTeam = teamAt(3, 4);
    (*s->teamByteTable)[2 * newTeam] = -3;
    (*s->teamByteTable)[2 * newTeam + 1] = 0;
    (*s->teamInfoRecords)[71 + 27 * newTeam] = 40;
    (*s->teamByteTable)[2 * 7] = 11; // the old club's entry
    for (runtime::ByteArray* h : {s->leaguePositionHistory.get(), s->nationalCupHistory.get(),
                                  s->continentalCupHistory.get(), s->otherFinalHistory.get()}) {
        ASSERT_NE(h, nullptr);
        (*h)[0] = 4;
    }
    s->userTeam = 7;
    s->userLeague = 0;
    s->pendingTeam = runtime::i2s(newTeam);
    s->seasonYear = 2012;
    applyTeamChange();
    EXPECT_EQ(s->userTeam, newTeam);
    EXPECT_EQ(s->userLeague, 3);
    EXPECT_EQ(s->previousUserDivision, 0);
    EXPECT_EQ(s->seasonYearOffset, 3);
    for (runtime::ByteArray* h : {s->leaguePositionHistory.get(), s->nationalCupHistory.get(),
                                  s->continentalCupHistory.get(), s->otherFinalHistory.get()}) {
        for (jint i = 0; i < h->length; ++i) {
            ASSERT_EQ((*h)[i] & 0xFF, 0xFF);
        }
    }
    EXPECT_EQ(s->userTeamSetting, -3);
    EXPECT_EQ(s->currentTeamByte, -3);
    EXPECT_EQ(s->upgradeSizeSquared, 296 * 296); // 40 from the information table, below 60
    EXPECT_EQ((*s->teamByteTable)[2 * 7], 11);
    // The table's own value when it has one, 60 and over as it is.
    (*s->teamByteTable)[2 * newTeam + 1] = runtime::i2b(200);
    resetUserSeasonValues();
    EXPECT_EQ(s->upgradeSizeSquared, 200 * 200);
}

TEST_F(SeasonSettlementTest, VeteransDeclineWithinTheSkillRange) {
    makeLeagues(100); // players 60..99 have no team and are skipped
    struct Case {
        const char* what;
        jint player, age, skill, expected;
    };
    // q is 0 for these records (byte 8 the same skill, height and weight 0): skill - age / 2 + 14.
    const Case cases[] = {
        {"age 40, skill 3 stays 0", 0, 40, 3, 0},   {"age 31, 50 to 49", 1, 31, 50, 49},
        {"age 30 does not decline", 2, 30, 50, 50}, {"age 28 gains nothing either", 3, 28, 90, 90},
        {"age 34 from 99", 4, 34, 99, 96},          {"the forty last players are skipped", 70, 40, 50, 50},
    };
    for (const Case& c : cases) {
        setAge(c.player, c.age);
        for (const jint k : {6, 7, 8, 10}) {
            setPlayerByte(c.player, k, c.skill | (k == 6 ? 0x80 : 0));
        }
        setPlayerByte(c.player, 9, 77);
    }
    // A generated player's age counts seasons twice: 2 + 40 + 1.
    setBirthWord(70, (40 << 9) | (1 << 5) | 1);
    ASSERT_GT(getPlayerAge(70), 30);
    declineVeteranAttributes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(playerByte(c.player, 6), c.expected | 0x80);
        for (const jint k : {7, 8, 10}) {
            EXPECT_EQ(playerByte(c.player, k), c.expected);
        }
        EXPECT_EQ(playerByte(c.player, 9), 77);
    }
}

TEST_F(SeasonSettlementTest, WeakSkillFlagsOfVeteransAreCleared) {
    makeLeagues(100);
    // Player 0 (age 33): skills 96 everywhere except b3 (flag 6) 90; flags 0, 6 and 8 set.
    // Player 1 (age 29) keeps every flag; player 2 (age 35) with all skills 99 keeps flag 0 (99)
    // but not flag 1 (6 x 99 / 7 = 84).
    for (jint p = 0; p < 3; ++p) {
        setAge(p, p == 1 ? 29 : (p == 0 ? 33 : 35));
        for (jint k = 0; k < 8; ++k) {
            setPlayerByte(p, 4 + k, p == 2 ? 99 : 96);
        }
    }
    setPlayerByte(0, 7, 90);
    setPlayerByte(0, 12, 0x41);
    setPlayerByte(0, 13, 0x03); // flag 8 and a bit that is no skill flag
    setPlayerByte(1, 12, 0xFF);
    setPlayerByte(1, 13, 0x01);
    setPlayerByte(2, 12, 0x03);
    updateSkillFlags();
    // Flag 0: (3 x 96 + 2 x 96 + 96) / 6 = 96 stays; flag 6: 90 goes; flag 8: 64 + 32 = 96 stays.
    EXPECT_EQ(playerByte(0, 12), 0x01);
    EXPECT_EQ(playerByte(0, 13), 0x03);
    EXPECT_EQ(playerByte(1, 12), 0xFF);
    EXPECT_EQ(playerByte(1, 13), 0x01);
    EXPECT_EQ(playerByte(2, 12), 0x01);
}

} // namespace
} // namespace game::club
