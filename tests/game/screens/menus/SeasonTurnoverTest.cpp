// The season turnover and the new season on the sample database after a new game: the first
// season changes no money, budget or division; a later one pays prizes and sponsorship and moves
// the budgets as the rules say (checked for every club against the rules written out again),
// settles the user's money by his thresholds, swaps the divisions and starts the new season
// (players rested, the three competition blocks, the budget floor of a new club, the training
// kinds of the hired coaches, the national cup's ties in the competition view); a team change
// survives a save and a load, also in a new runtime.
#include "game/screens/menus/SeasonTurnover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/SeasonSettlement.h"
#include "game/resources/DatabaseTables.h"
#include "game/resources/SavedGame.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/CompetitionView.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "runtime/Random.h"
#include "tests/game/resources/DatabaseFixture.h"
#include "tests/game/support/ScriptedInformationScreens.h"

namespace game::sprites::testing {
namespace {

using game::testing::ScriptedInformationScreens;

class SeasonTurnoverTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        loadGame();
    }
    // The database tables, then the game of the record stores (a new one when there is none).
    void loadGame() {
        resources::loadDatabaseTables();
        ASSERT_EQ(application.pendingException, nullptr);
        statics()->tripletCount = 4;
        statics()->tripletTable = runtime::newByteArray(12);
        resources::saveOrLoadGame(0);
        ASSERT_EQ(application.pendingException, nullptr);
        s = statics();
    }
    void runTurnover(const jint year) {
        s->seasonYear = year;
        s->screenCounter = 0;
        while (s->screenCounter <= 11) {
            menus::processSeasonStep();
            ASSERT_EQ(application.pendingException, nullptr) << "step " << s->screenCounter - 1;
        }
    }
    std::vector<std::string> callNames() const {
        std::vector<std::string> names;
        for (const auto& call : screens.calls) {
            names.push_back(call.name);
        }
        return names;
    }
    ScriptedInformationScreens screens;
    GameStatics* s = nullptr;
};

// The end of a season as the turnover finds it: every league in team order (division d from
// leagueStarts[d]), the strength order allocated, the user in the second place of division 1.
void prepareSeasonEnd(GameStatics* const s, const jint userLeague, const jint userPlace) {
    jint first = 0;
    for (jint d = 0; d < 13; ++d) {
        (*s->leagueStarts)[d] = first;
        first += (*s->leagueSizes)[d];
    }
    for (jint i = 0; i < s->leagueTeamOrder->length; ++i) {
        (*s->leagueTeamOrder)[i] = runtime::i2s(i);
    }
    s->teamStrengthOrder = runtime::newShortArray(s->leagueTeamOrder->length);
    s->userLeague = userLeague;
    s->userTeam = (*s->leagueStarts)[userLeague] + userPlace - 1;
    s->pendingTeam = -1;
}

std::vector<runtime::jbyte> bytesOf(const runtime::ByteArray* const table) {
    return std::vector<runtime::jbyte>(table->data(), table->data() + table->length);
}

std::vector<runtime::jshort> shortsOf(const runtime::ShortArray* const table) {
    return std::vector<runtime::jshort>(table->data(), table->data() + table->length);
}

// The money fields of every team record: wage budget and funds (bytes 60-63).
std::vector<runtime::jbyte> moneyOf(const runtime::ByteArray* const teams) {
    std::vector<runtime::jbyte> money;
    for (jint at = 60; at < teams->length; at += 64) {
        money.insert(money.end(), teams->data() + at, teams->data() + at + 4);
    }
    return money;
}

jint blockByte(const GameStatics* const s, const jint k, const jint offset) {
    return (*s->competitionRecords)[370 * (k - 1) + offset] & 0xFF;
}

jint blockTeam(const GameStatics* const s, const jint k, const jint i) {
    return static_cast<runtime::jshort>((blockByte(s, k, 292 + 2 * i) << 8) | blockByte(s, k, 293 + 2 * i));
}

TEST_F(SeasonTurnoverTest, TheFirstSeasonChangesNoMoneyBudgetOrDivision) {
    prepareSeasonEnd(s, 1, 2);
    const auto money = moneyOf(s->teamRecords);
    const auto order = shortsOf(s->leagueTeamOrder);
    runTurnover(2009);
    EXPECT_EQ(moneyOf(s->teamRecords), money);
    EXPECT_EQ(shortsOf(s->leagueTeamOrder), order);
    EXPECT_EQ(s->userLeague, 1);
    EXPECT_EQ(s->teamChanged, 0);
    EXPECT_EQ(s->previousUserDivision, 1);
    EXPECT_TRUE(screens.calls.empty()) << "the first season has nothing to settle or draw";
    EXPECT_EQ(s->screenCounter, 12);
    EXPECT_EQ(s->menuRepaint, 1);
}

TEST_F(SeasonTurnoverTest, ALaterSeasonSwapsTheDivisionsAndStartsTheNewSeason) {
    prepareSeasonEnd(s, 1, 2);
    const jint user = s->userTeam;
    const jint b = (*s->leagueStarts)[1];
    s->userWageTotal = 5000; // the running total the settlement floors every budget on
    runTurnover(2010);
    EXPECT_EQ(callNames(),
              (std::vector<std::string>{"settleSeasonResults", "computeAllClubStars", "setupContinentalDraw",
                                        "computeAllClubStars", "pickPreseasonOpponents"}))
        << "the draw tables are rebuilt at step 0 only: step 10 would undo the swap";
    // The top three of division 1 and the bottom three of division 0 changed places.
    for (jint k = 0; k < 3; ++k) {
        EXPECT_EQ((*s->leagueTeamOrder)[b - 3 + k], b + k);
        EXPECT_EQ((*s->leagueTeamOrder)[b + k], b - 3 + k);
    }
    EXPECT_EQ(s->userLeague, 0) << "the promoted user follows his team";
    EXPECT_EQ(s->previousUserDivision, 1);

    // Every player rested, his season bytes cleared.
    for (jint p = 0; p < s->playerCount; ++p) {
        ASSERT_EQ((*s->playerRecords)[37 * p + 15], 99) << "player " << p;
        for (jint i = 19; i <= 30; ++i) {
            ASSERT_EQ((*s->playerRecords)[37 * p + i], 0) << "player " << p << " byte " << i;
        }
    }
    // The league block lists the user's new division, the cups their rows of layoutRows.
    EXPECT_EQ(blockByte(s, 1, 2), (*s->leagueSizes)[0]);
    for (jint i = 0; i < (*s->leagueSizes)[0]; ++i) {
        EXPECT_EQ(blockTeam(s, 1, i), (*s->leagueTeamOrder)[i]);
    }
    EXPECT_EQ(blockByte(s, 1, 1), (*s->leagueSizes)[0] - 2) << "the user's place in the league block";
    EXPECT_EQ(blockByte(s, 2, 2), 16);
    EXPECT_EQ(blockByte(s, 3, 2), 32);
    for (jint i = 0; i < 16; ++i) {
        EXPECT_EQ(blockTeam(s, 2, i), (*s->layoutRows)[i]);
    }
    for (jint i = 0; i < 32; ++i) {
        EXPECT_EQ(blockTeam(s, 3, i), (*s->layoutRows)[128 + i]);
    }
    for (jint k = 1; k <= 3; ++k) {
        EXPECT_EQ(blockByte(s, k, 0), 0);
        EXPECT_EQ(blockByte(s, k, 3), 0);
        EXPECT_EQ(blockByte(s, k, 356), 0);
        EXPECT_EQ(blockByte(s, k, 369), 0);
        for (jint i = 359; i <= 368; ++i) {
            EXPECT_EQ(blockByte(s, k, i), 0xFF) << "block " << k << " byte " << i;
        }
    }
    EXPECT_EQ(s->pendingTeam, -1);
    EXPECT_GE(s->currentRound, 0);
    EXPECT_LE(s->currentRound, 16);
    // No team's budget ends below the season's wage total + 100; the new season's total is the
    // squad's.
    for (jint t = 0; t < s->teamCount; ++t) {
        const jint budget = club::getTeamField60(t);
        EXPECT_LE(budget, 65000) << "team " << t;
        EXPECT_GE(budget, 5000) << "team " << t << ": one below the total gets 100..500 over it";
    }
    jint wages = 0;
    for (jint slot = 0; slot < 30; ++slot) {
        const jint player = club::getTeamPlayerId(user, slot);
        wages += player >= 0 ? club::getPlayerField2(player) : 0;
    }
    EXPECT_EQ(s->userWageTotal, wages);
    EXPECT_EQ(application.pendingException, nullptr);
}

TEST_F(SeasonTurnoverTest, ASingleDivisionUserPlaysHisCountrysCup) {
    prepareSeasonEnd(s, 10, 1);
    s->seasonYear = 2010;
    s->teamChanged = 0;
    menus::startNewSeason();
    EXPECT_EQ(blockByte(s, 1, 2), (*s->leagueSizes)[10]);
    EXPECT_EQ(blockByte(s, 1, 1), 0);
    for (jint i = 0; i < 16; ++i) {
        EXPECT_EQ(blockTeam(s, 2, i), (*s->layoutRows)[16 * 5 + i]) << "national cup 5";
    }
}

TEST_F(SeasonTurnoverTest, TheHiredCoachesOpenTheirTrainingKinds) {
    prepareSeasonEnd(s, 0, 5);
    s->teamChanged = 0;
    runtime::ByteArray& plan = *s->selectionTable;
    runtime::ByteArray& coaches = *s->setUpRecords;
    for (jint i = 0; i < 12; ++i) {
        plan[i] = 0;
    }
    plan[588] = 3;
    plan[589] = 0xFF - 256;
    plan[590] = 7;
    plan[591] = 0xFF - 256;
    for (jint f = 0; f < 11; ++f) {
        coaches[18 * 3 + 7 + f] = f == 1 || f == 4 ? 1 : 0;
        coaches[18 * 7 + 7 + f] = f == 4 || f == 10 ? 1 : 0;
    }
    plan[9] = 1; // an open kind stays open
    menus::startNewSeason();
    const std::vector<jint> open = {0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0};
    for (jint i = 0; i < 12; ++i) {
        EXPECT_EQ(plan[i], open[static_cast<std::size_t>(i)]) << "training kind " << i;
    }
    EXPECT_EQ(plan[803], 0);
}

TEST_F(SeasonTurnoverTest, ANewClubGetsItsBudgetFloorAndKeepsItsSettingThroughASaveAndALoad) {
    prepareSeasonEnd(s, 4, 10);
    const jint oldTeam = s->userTeam;
    const jint newTeam = (*s->leagueStarts)[6] + 9;
    runtime::ByteArray& table = *s->teamByteTable;
    table[2 * oldTeam] = 21;
    table[2 * newTeam] = 42;
    table[2 * newTeam + 1] = 70;
    s->currentTeamByte = 21;
    s->pendingTeam = runtime::i2s(newTeam);
    club::setTeamField60(newTeam, 0);
    (*s->ticketPrices)[2] = 0;
    runTurnover(2010);
    EXPECT_EQ(s->userTeam, newTeam);
    EXPECT_EQ(s->teamChanged, 1);
    EXPECT_EQ(s->userLeague, 6);
    EXPECT_EQ(s->previousUserDivision, 4);
    EXPECT_EQ(s->upgradeSizeSquared, 70 * 70);
    EXPECT_EQ((*s->leaguePositionHistory)[0] & 0xFF, 0xFF);
    // The new club's squad costs more than the 16-bit budget holds: the budget is the field's top.
    ASSERT_GT(s->userWageTotal + 100, 0xFFFF);
    EXPECT_EQ(club::getTeamField60(newTeam), 0xFFFF);
    for (jint i = 0; i < 5; ++i) {
        EXPECT_EQ((*s->ticketPrices)[i], 1);
        EXPECT_EQ((*s->ticketPriceLabels)[i], (*s->ticketPriceTexts)[1]);
    }
    EXPECT_EQ(s->userTeamSetting, 42);
    EXPECT_EQ(s->currentTeamByte, 42);

    resources::saveOrLoadGame(1);
    s->userTeamSetting = 0;
    s->currentTeamByte = 0;
    table[2 * newTeam] = 0;
    resources::saveOrLoadGame(0);
    EXPECT_EQ(s->userTeam, newTeam);
    EXPECT_EQ(s->userTeamSetting, 42);
    EXPECT_EQ(s->currentTeamByte, 42);
    EXPECT_EQ((*s->teamByteTable)[2 * oldTeam], 21) << "the old club's entry is its own";
    EXPECT_EQ(application.pendingException, nullptr);
}

// What a saved game must bring back of a team change: the user's club and division, the league
// order, the records and the per-team bytes.
struct SavedCareer {
    jint userTeam;
    jint userLeague;
    jint seasonYear;
    jint userTeamSetting;
    jint currentTeamByte;
    jint seasonYearOffset;
    std::vector<runtime::jshort> leagueOrder;
    std::vector<runtime::jbyte> teamRecords;
    std::vector<runtime::jbyte> playerRecords;
    std::vector<runtime::jbyte> competitionRecords;
    std::vector<runtime::jbyte> teamBytes;
    std::vector<runtime::jbyte> positionHistory;
    bool operator==(const SavedCareer&) const = default;
};

SavedCareer careerOf(const GameStatics* const s) {
    return {s->userTeam,
            s->userLeague,
            s->seasonYear,
            s->userTeamSetting,
            s->currentTeamByte,
            s->seasonYearOffset,
            shortsOf(s->leagueTeamOrder),
            bytesOf(s->teamRecords),
            bytesOf(s->playerRecords),
            bytesOf(s->competitionRecords),
            bytesOf(s->teamByteTable),
            bytesOf(s->leaguePositionHistory)};
}

// The user joins a club in third place of a lower division, which the same turnover promotes;
// the game saved then is what a new run of the program loads.
TEST_F(SeasonTurnoverTest, AMoveToAPromotedClubSurvivesASaveAndALoadInANewRuntime) {
    prepareSeasonEnd(s, 0, 8);
    const jint oldTeam = s->userTeam;
    const jint newTeam = (*s->leagueStarts)[3] + 2;
    (*s->teamByteTable)[2 * oldTeam] = 21;
    (*s->teamByteTable)[2 * newTeam] = -7;
    (*s->teamByteTable)[2 * newTeam + 1] = 90;
    s->currentTeamByte = 21;
    s->pendingTeam = runtime::i2s(newTeam);
    runTurnover(2010);
    ASSERT_EQ(s->userTeam, newTeam);
    EXPECT_EQ(s->previousUserDivision, 0);
    EXPECT_EQ(s->userLeague, 2) << "joined in division 3, promoted to division 2";
    EXPECT_EQ((*s->leagueTeamOrder)[(*s->leagueStarts)[3] - 1], newTeam);
    EXPECT_EQ(s->userTeamSetting, -7);
    EXPECT_EQ(s->currentTeamByte, -7);
    resources::saveOrLoadGame(1);
    ASSERT_EQ(application.pendingException, nullptr);
    const SavedCareer saved = careerOf(s);

    restartRuntime();
    s = statics();
    ASSERT_EQ(s->userTeam, 0) << "a new runtime starts from nothing";
    loadGame();
    EXPECT_EQ(infoScreens.careerResets, 1) << "only the first run started a new game";
    const SavedCareer loaded = careerOf(s);
    EXPECT_EQ(loaded.userTeam, newTeam);
    EXPECT_EQ(loaded.userLeague, 2);
    EXPECT_EQ(loaded.seasonYear, 2010);
    EXPECT_EQ(loaded.userTeamSetting, -7);
    EXPECT_EQ(loaded.currentTeamByte, -7);
    EXPECT_EQ(loaded.seasonYearOffset, 1);
    EXPECT_EQ(loaded.teamBytes[static_cast<std::size_t>(2 * oldTeam)], 21)
        << "the old club keeps its own byte";
    EXPECT_EQ(loaded.positionHistory, std::vector<runtime::jbyte>(saved.positionHistory.size(), -1));
    EXPECT_TRUE(loaded.leagueOrder == saved.leagueOrder);
    EXPECT_TRUE(loaded.teamRecords == saved.teamRecords);
    EXPECT_TRUE(loaded.playerRecords == saved.playerRecords);
    EXPECT_TRUE(loaded.competitionRecords == saved.competitionRecords);
    EXPECT_TRUE(loaded == saved);
}

// The new season's national cup as the competition view shows it: the calendar search finds the
// cup's first knockout step, the stored record gives the bracket the draw made, and the club's
// own routine lists its ties from the country's row.
TEST_F(SeasonTurnoverTest, TheNewSeasonsCupTiesShowInTheCompetitionView) {
    prepareSeasonEnd(s, 4, 6);
    s->seasonYear = 2010;
    s->teamChanged = 0;
    menus::startNewSeason();
    // The draw of the first knockout round, stored with the season's national cup.
    season::buildCupDraw(16);
    const std::vector<runtime::jbyte> bracket = bytesOf(s->cupBracket);
    for (jint i = 0; i < 32; ++i) {
        (*s->competitionRecords)[370 + 260 + i] = bracket[static_cast<std::size_t>(i)];
    }
    s->nationalCupStored = 1;
    // The view's tables of the season screens, which their set-up allocates.
    s->eventDoneByType = runtime::newByteArray(5);
    s->cupRoundReached = runtime::newByteArray(5);
    s->viewMarks = runtime::newShortArray(32);
    (*s->cupRoundReached)[1] = 3;
    season::buildDaySchedule(s->monthIndex, s->userLeague, 0, 1);

    log.lines.clear();
    jint position = 0;
    for (jint tries = 0; tries < 12 && !(s->scheduleType == 2 && s->competitionStep == 3); ++tries) {
        season::showCompetitionEvent(0, position, 2, 0);
        position = s->viewPosition;
    }
    ASSERT_EQ(s->scheduleType, 2);
    ASSERT_EQ(s->competitionStep, 3);
    EXPECT_TRUE(s->viewEventAhead);
    EXPECT_EQ(s->viewTeamCount, 16);
    EXPECT_EQ(bytesOf(s->cupBracket), bracket) << "the bracket comes from the stored cup";
    // Country 2's sixteen, in the order of the drawn ties.
    const jint row = 16 * 2;
    jint userAt = -1;
    for (jint i = 0; i < 16; ++i) {
        const jint team = (*s->layoutRows)[row + bracket[static_cast<std::size_t>(i)]];
        EXPECT_EQ((*s->viewTeams)[i], team) << i;
        userAt = team == s->userTeam ? i : userAt;
    }
    EXPECT_EQ((*s->viewTeams)[16], -1);
    EXPECT_EQ(s->userCompetitionSlot, userAt);
    for (const std::string& line : log.lines) {
        EXPECT_EQ(line.find("interim"), std::string::npos) << line;
    }
}

// The rules of the season's money, written out again from their description: prizes in tens of
// money units by the place a team reached, the sponsorship by strength, the board's measure.
struct MoneyRules {
    const GameStatics* s;

    jint divisionOf(const jint team) const {
        for (jint d = 0; d < 13; ++d) {
            if (team >= (*s->leagueStarts)[d] && team < (*s->leagueStarts)[d] + (*s->leagueSizes)[d]) {
                return d;
            }
        }
        return -1;
    }
    bool lower(const jint team) const {
        const jint d = divisionOf(team);
        return d < 10 && d % 2 == 1;
    }
    // Teams stand in id order: the place in the division is the distance from its start.
    jint place(const jint team) const { return team - (*s->leagueStarts)[divisionOf(team)] + 1; }
    jint cupIndex(const jint team, const jint first, const jint count) const {
        for (jint i = 0; i < count; ++i) {
            if ((*s->cupResults)[first + i] == team) {
                return i;
            }
        }
        return -1;
    }
    jint nationalIndex(const jint team) const {
        const jint d = divisionOf(team);
        return cupIndex(team, 16 * (d < 10 ? d / 2 : d - 5), 16);
    }
    jint continentalIndex(const jint team) const { return cupIndex(team, 128, 32); }
    static jint nationalPrize(const jint i) {
        return i == 0 ? 500 : i == 1 ? 300 : i >= 2 && i <= 3 ? 200 : i >= 4 && i <= 7 ? 100 : 0;
    }
    static jint continentalPrize(const jint i) {
        return i < 0 ? 0 : i == 0 ? 3000 : i == 1 ? 1600 : i <= 3 ? 1200 : i <= 7 ? 800 : i <= 15 ? 400 : 200;
    }
    static jint nationalResult(const jint i) {
        return i < 0 ? 0 : i == 0 ? 5 : i == 1 ? 4 : i <= 3 ? 3 : i <= 7 ? 2 : 1;
    }
    static jint continentalResult(const jint i) {
        return i < 0 ? 0 : i == 0 ? 5 : i == 1 ? 4 : i <= 3 ? 3 : i <= 7 ? 2 : i <= 15 ? 1 : 0;
    }
    jint leaguePrize(const jint team) const {
        const jint unit = lower(team) ? 5 : 50;
        const jint p = place(team);
        return p <= 1 ? 30 * unit : p <= 17 ? (19 - p) * unit : unit;
    }
    static jint sponsorship(const jint strength) {
        return strength <= 66 ? 100 : strength <= 75 ? (strength - 65) * 100 : (strength - 75) * 2000;
    }
    jint prizes(const jint team) const {
        return continentalPrize(continentalIndex(team)) + nationalPrize(nationalIndex(team)) +
               leaguePrize(team);
    }
    jint leagueOutcome(const jint team) const {
        const jint p = place(team);
        if (lower(team)) {
            return p <= 3 ? 14 : p <= 6 ? 3 : p <= 10 ? 2 : 1;
        }
        return p == 1 ? 5 : p <= 3 ? 4 : p <= 6 ? 3 : p <= 10 ? 2 : 1;
    }
    // The budget before the cap and the floor.
    jint budget(const jint team, const jint p) const {
        jint change = 0;
        jint o = leagueOutcome(team);
        if (o == 14) {
            change += p / 2;
            o = 4;
        }
        if (o == 5) {
            change += p / 10;
        }
        jint d = o - (*s->clubStars)[team];
        change += d < -2 ? (-2 * p) / 10 : d == -2 ? -(p / 10) : d == 1 ? p / 10 : d >= 2 ? 2 * p / 10 : 0;
        const jint cup = nationalResult(nationalIndex(team));
        const jint k = (*s->teamGroupRanks)[team] & 0xFF;
        const jint cupClass = k <= 2 ? 5 : k <= 4 ? 4 : k <= 8 ? 3 : k <= 16 ? 2 : 1;
        change += cup == 5 ? p * 5 / 100 : 0;
        d = cup - (cup + ((cupClass - cup) >> 1));
        change += d < -2 ? -(p / 10) : d == -2 ? -(p / 20) : d == 1 ? p / 20 : d >= 2 ? p / 10 : 0;
        const jint continental = continentalResult(continentalIndex(team));
        const jint r = (*s->teamRanks)[team];
        const jint continentalClass = r <= 2 ? 5 : r <= 4 ? 4 : r <= 8 ? 3 : r <= 16 ? 2 : r <= 32 ? 1 : 0;
        change += continental == 5 ? p * 15 / 100 : 0;
        d = continental - (continental + ((continentalClass - continental) >> 1));
        change += d < -2    ? (-3 * p) / 10
                  : d == -2 ? (-15 * p) / 100
                  : d == 1  ? p * 15 / 100
                  : d >= 2  ? 3 * p / 10
                            : 0;
        return p + change;
    }
};

jint fundsField(const GameStatics* const s, const jint team) {
    return static_cast<runtime::jshort>(((*s->teamRecords)[64 * team + 62] & 0xFF) << 8 |
                                        ((*s->teamRecords)[64 * team + 63] & 0xFF));
}

void setBudget(GameStatics* const s, const jint team, const jint budget) {
    (*s->teamRecords)[64 * team + 60] = runtime::i2b(budget >> 8);
    (*s->teamRecords)[64 * team + 61] = runtime::i2b(budget);
}

// Every squad player of the team at skill 95 and a fitness that shifts nothing.
void makeStrong(GameStatics* const s, const jint team) {
    for (jint slot = 0; slot < 30; ++slot) {
        const jint player = club::getTeamPlayerId(team, slot);
        if (player < 0) {
            continue;
        }
        for (jint skill = 4; skill < 12; ++skill) {
            runtime::jbyte& b = (*s->playerRecords)[37 * player + skill];
            b = runtime::i2b((b & 0x80) | 95);
        }
        (*s->playerRecords)[37 * player + 15] = 99;
    }
}

// The end of the 2010 season with scripted cup results: the places that bound the prize bands of
// both cups, the leagues' places from champion to the last, a strong club and a rich one.
class SeasonMoneyTest : public SeasonTurnoverTest {
protected:
    void prepare(const jint userMoney) {
        prepareSeasonEnd(s, 0, 5);
        s->seasonYear = 2010;
        s->screenCounter = 0;
        s->userFundsBase = userMoney;
        s->userFundsIn = 0;
        s->userFundsOut = 0;
        s->userWageTotal = 2500;
        s->clubStars = runtime::newByteArray(260);
        for (jint t = 0; t < 260; ++t) {
            (*s->clubStars)[t] = runtime::i2b(t % 6);
        }
        std::fill_n(s->cupResults->data(), s->cupResults->length, static_cast<runtime::jshort>(-1));
        const jint second = (*s->leagueStarts)[1];
        capTeam = (*s->leagueStarts)[2];
        strongTeam = (*s->leagueStarts)[2] + 17;
        promotedTeam = second + 1;
        const std::vector<std::pair<jint, jint>> national = {{0, 1}, {1, promotedTeam}, {3, 6},
                                                             {7, 7}, {15, 8},           {16, capTeam}};
        for (const auto& [at, team] : national) {
            (*s->cupResults)[at] = runtime::i2s(team);
        }
        const std::vector<std::pair<jint, jint>> continental = {
            {0, capTeam}, {1, 9}, {2, 10}, {5, 11}, {8, 12}, {16, 13}, {31, strongTeam}};
        for (const auto& [at, team] : continental) {
            (*s->cupResults)[128 + at] = runtime::i2s(team);
        }
        setBudget(s, capTeam, 64000);
        (*s->clubStars)[capTeam] = 0;
        setBudget(s, 20, 100); // far below the wage total: the floor
        makeStrong(s, strongTeam);
    }
    // Runs the steps up to and including last.
    void runSteps(const jint last) {
        while (s->screenCounter <= last) {
            menus::processSeasonStep();
            ASSERT_EQ(application.pendingException, nullptr) << "step " << s->screenCounter - 1;
        }
    }
    jint capTeam = 0;
    jint strongTeam = 0;
    jint promotedTeam = 0;
};

TEST_F(SeasonMoneyTest, TheSeasonsPrizesSponsorshipAndBudgetsFollowTheRules) {
    prepare(550000);
    const MoneyRules rules{s};
    std::vector<jint> budgets;
    std::vector<jint> strengths;
    std::vector<jint> funds;
    for (jint t = 0; t < 260; ++t) {
        budgets.push_back(club::getTeamField60(t));
        strengths.push_back(club::getTeamStrength(t, false));
        funds.push_back(fundsField(s, t));
    }
    const auto at = [](const std::vector<jint>& v, const jint t) { return v[static_cast<std::size_t>(t)]; };
    ASSERT_GE(at(strengths, strongTeam), 92) << "a bonus past the 16-bit range";

    runSteps(0);
    for (jint t = 0; t < 260; ++t) {
        const jint expected = std::min(65000, rules.budget(t, at(budgets, t)));
        const jint budget = club::getTeamField60(t);
        if (expected < 2500) {
            EXPECT_GE(budget, 2600) << "team " << t << " floored";
            EXPECT_LE(budget, 3000) << "team " << t << " floored";
        } else {
            EXPECT_EQ(budget, expected) << "team " << t;
        }
    }
    EXPECT_EQ(club::getTeamField60(capTeam), 65000);
    EXPECT_EQ(rules.leagueOutcome(promotedTeam), 14);
    EXPECT_GE(club::getTeamField60(20), 2600);

    runSteps(9);
    for (jint t = 0; t < 260; ++t) {
        if (t == s->userTeam) {
            continue;
        }
        const jint sum = at(funds, t) + rules.prizes(t) + MoneyRules::sponsorship(at(strengths, t));
        ASSERT_EQ(fundsField(s, t), std::clamp(sum, -32768, 32767)) << "team " << t;
    }
    EXPECT_EQ(fundsField(s, strongTeam), 32767) << "held at the top, not wrapped to a loss";
    EXPECT_EQ(rules.prizes(capTeam), 3000 + 500 + 1500);
    EXPECT_EQ(rules.prizes(strongTeam), 200 + 50);

    // The user's club in fifth place of a first division, no cup: the full payment.
    const jint bonus = MoneyRules::sponsorship(at(strengths, s->userTeam));
    EXPECT_EQ(s->seasonEndFunds, 550000);
    EXPECT_EQ(s->sponsorIncome, bonus);
    EXPECT_EQ(s->prizeIncome, 14 * 50 * 10);
    EXPECT_EQ(s->userFundsBase, 550000 + bonus + 7000);
    EXPECT_EQ(s->userFundsIn, 0);
    EXPECT_EQ(s->userFundsOut, 0);
}

// Above 550,000 the user's club gets a fixed 10,000 of each, from 600,000 nothing.
TEST_F(SeasonMoneyTest, TheUsersPaymentsFollowHisMoney) {
    struct Case {
        jint money;
        jint sponsor;
        jint prize;
    };
    for (const Case& c : {Case{550001, 10000, 10000}, Case{599999, 10000, 10000}, Case{600000, 0, 0}}) {
        resources::saveOrLoadGame(0);
        s = statics();
        prepare(c.money);
        runSteps(9);
        EXPECT_EQ(s->seasonEndFunds, c.money);
        EXPECT_EQ(s->sponsorIncome, c.sponsor) << c.money;
        EXPECT_EQ(s->prizeIncome, c.prize) << c.money;
        EXPECT_EQ(s->userFundsBase, c.money + c.sponsor + c.prize) << c.money;
    }
}

TEST_F(SeasonTurnoverTest, WithoutTheLoadingAnimationTheStepsStillRun) {
    prepareSeasonEnd(s, 0, 1);
    ASSERT_EQ(s->loadingAnimation.get(), nullptr);
    runTurnover(2009);
    EXPECT_EQ(s->screenCounter, 12);
}

// FNV-1a over the bytes of a table.
std::uint64_t mixBytes(std::uint64_t hash, const runtime::jbyte* const bytes, const jint count) {
    for (jint i = 0; i < count; ++i) {
        hash = (hash ^ static_cast<std::uint8_t>(bytes[i])) * 0x100000001B3ULL;
    }
    return hash;
}

// A later season's turnover on a pinned seed, from the same end of season, leaves the same
// records, tables and figures: a frozen hash of them catches any change of the twelve steps.
TEST_F(SeasonTurnoverTest, TheTurnoverOnAPinnedSeedLeavesAFrozenState) {
    prepareSeasonEnd(s, 3, 4);
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(runtime::jlong{20100701});
    s->userWageTotal = 4000;
    runTurnover(2010);
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const runtime::ByteArray* const table :
         {s->teamRecords.get(), s->playerRecords.get(), s->competitionRecords.get(), s->selectionTable.get(),
          s->cupExpectations.get(), s->continentalExpectations.get(), s->teamGroupRanks.get()}) {
        ASSERT_NE(table, nullptr);
        hash = mixBytes(hash, table->data(), table->length);
    }
    const runtime::ShortArray* const order = s->leagueTeamOrder;
    hash = mixBytes(hash, reinterpret_cast<const runtime::jbyte*>(order->data()), 2 * order->length);
    const jint figures[] = {s->userLeague,     s->userTeam,           s->userWageTotal, s->seasonEndFunds,
                            s->sponsorIncome,  s->prizeIncome,        s->userFundsBase, s->currentRound,
                            s->formationIndex, s->userCompetitionSlot};
    hash =
        mixBytes(hash, reinterpret_cast<const runtime::jbyte*>(figures), static_cast<jint>(sizeof figures));
    EXPECT_EQ(hash, 0x7C2393AA1CF5AF2BULL) << std::hex << hash;
}

} // namespace
} // namespace game::sprites::testing
