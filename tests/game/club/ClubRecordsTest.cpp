// The club records' getters and shared algorithms on small fixtures: team strength, wage room and
// funds, birth dates and ages, the retirement test, the weighted band, the position pick and the
// needed position with the generator steps it takes, the per-team bytes.
#include "game/club/ClubRecords.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/game/club/ClubFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::club {
namespace {

using testing::ClubFixture;

class ClubRecordsTest : public ClubFixture {};

TEST_F(ClubRecordsTest, TeamStrengthIsTheMeanOfTheBestEightPerSkillWithExactFitnessShifts) {
    struct Case {
        const char* what;
        std::vector<std::array<jint, 3>> squad; // slot, skill value (all eight skills), fitness
        bool firstEleven;
        jint strength;
    };
    const Case cases[] = {
        {"empty squad", {}, false, 0},
        // One player of 64: 8 x 64 / 64.
        {"fewer than eight still divide by 64", {{0, 64, 50}}, false, 8},
        {"eight equal players",
         {{0, 40, 99},
          {1, 40, 99},
          {2, 40, 99},
          {3, 40, 99},
          {4, 40, 99},
          {5, 40, 99},
          {6, 40, 99},
          {7, 40, 99}},
         false,
         40},
        {"fitness 0 adds 8", {{0, 64, 0}}, false, 9},
        {"fitness 1 adds 4", {{0, 64, 1}}, false, 8 /* (68 x 8) / 64 = 8.5 */},
        {"fitness 2 adds nothing", {{0, 64, 2}}, false, 8},
        {"fitness 3 takes 4", {{0, 72, 3}}, false, 8 /* 68 x 8 / 64 */},
        {"fitness 4 takes 8", {{0, 72, 4}}, false, 8},
        {"fitness 5 adds nothing", {{0, 72, 5}}, false, 9},
        {"fitness 99 adds nothing", {{0, 72, 99}}, false, 9},
        // Only the best eight count: nine of 64 and one of 127 -> 127 + 7 x 64 = 575 per skill.
        {"the ninth best drops out",
         {{0, 64, 50},
          {1, 64, 50},
          {2, 64, 50},
          {3, 64, 50},
          {4, 64, 50},
          {5, 64, 50},
          {6, 64, 50},
          {7, 64, 50},
          {8, 64, 50},
          {9, 127, 50}},
         false,
         71},
        {"first eleven only", {{0, 64, 50}, {11, 127, 50}}, true, 8},
        {"all thirty slots", {{0, 64, 50}, {11, 127, 50}}, false, 23},
        // Eight rested players of 127 average 135: the strength stays at the top of its range.
        {"the mean stops at 127",
         {{0, 127, 0},
          {1, 127, 0},
          {2, 127, 0},
          {3, 127, 0},
          {4, 127, 0},
          {5, 127, 0},
          {6, 127, 0},
          {7, 127, 0}},
         false,
         127},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        makeDatabase(1, 40, 21);
        for (const auto& [slot, skill, fitness] : c.squad) {
            const jint player = slot;
            setSlot(0, slot, player);
            setTeam(player, 0);
            for (jint k = 0; k < 8; ++k) {
                setPlayerByte(player, 4 + k, skill | (k == 0 ? 0x80 : 0)); // bit 7 is no skill
            }
            setPlayerByte(player, 15, fitness);
        }
        EXPECT_EQ(getTeamStrength(0, c.firstEleven ? 1 : 0), c.strength);
    }
    // Empty and flagged slots never count; team ids from 65535 give 0.
    makeDatabase(1, 40, 21);
    setSlot(0, 0, 0x8000 | 3);
    for (jint k = 0; k < 8; ++k) {
        setPlayerByte(3, 4 + k, 100);
    }
    EXPECT_EQ(getTeamStrength(0, 0), 0);
    EXPECT_EQ(getTeamStrength(65535, 0), 0);
    EXPECT_EQ(getTeamStrength(70000, 0), 0);
}

TEST_F(ClubRecordsTest, WageRoomReadsTheBudgetUnsignedAndFundsSwitchSource) {
    makeDatabase(3, 63, 63);
    GameStatics* const s = statics();
    addToSquad(1, 4);
    addToSquad(1, 5);
    addToSquad(1, 6);
    setWage(4, 300);
    setWage(5, 200);
    setWage(6, 999);
    setSlot(1, 2, 0x8000 | 6); // flagged: his wage is not counted
    setBudget(1, 60000);       // above 32767
    EXPECT_EQ(getTeamField60(1), 60000);
    EXPECT_EQ(getTeamWageRoom(1), 60000 - 500);
    s->userTeam = 2;
    setBudget(2, 65000);
    s->userWageTotal = 1000;
    EXPECT_EQ(getTeamWageRoom(2), 64000);
    setTeamField60(2, 0x12345);
    EXPECT_EQ(getTeamField60(2), 0x2345);

    setFunds(2, -120);
    s->userFundsBase = 5000;
    s->userFundsIn = 700;
    s->userFundsOut = 200;
    EXPECT_EQ(getTeamFunds(2), 5500);
    s->menuState = 36;
    EXPECT_EQ(getTeamFunds(2), -1200);
    s->menuState = 0;
    s->pendingTeam = 1;
    EXPECT_EQ(getTeamFunds(2), -1200);
    s->pendingTeam = -1;
    setFunds(1, 3000);
    EXPECT_EQ(getTeamFunds(1), 30000);
}

TEST_F(ClubRecordsTest, BirthDatesAndAgesAroundTheBirthday) {
    // Player 0 is a base player, player 1 a generated one (basePlayerCount 1).
    makeDatabase(1, 2, 1);
    GameStatics* const s = statics();
    (*s->matchDayTable)[0] = 1;
    (*s->matchDayTable)[3] = 20;
    const jint march15 = (3 << 5) | 15;
    struct Case {
        const char* what;
        jint player;
        jint code;  // record byte 16
        jint word;  // information birth word
        jint year;  // seasonYear
        jint month; // monthIndex (0 July, 8 March)
        jint day;   // matchDayIndex
        jint birthDate;
        jint age;
    };
    const Case cases[] = {
        // Code -1: the word itself: 1985 (year code 25), 15 March.
        {"code -1, before the birthday", 0, -1, (25 << 9) | march15, 2010, 8, 0, (25 << 9) | march15, 24},
        {"code -1, on the birthday month after the day", 0, -1, (25 << 9) | march15, 2010, 8, 3,
         (25 << 9) | march15, 25},
        {"code -1, the month after", 0, -1, (25 << 9) | march15, 2010, 9, 0, (25 << 9) | march15, 25},
        // Code 10: year code 10 + 31 = 41 (2001).
        {"code set", 0, 10, (25 << 9) | march15, 2020, 9, 0, (41 << 9) | march15, 19},
        // Generated, word year code 18, code 2: age 2 x (2009 - 2009) + 18 - 2 = 16.
        {"generated in 2009", 1, 2, (18 << 9) | march15, 2009, 9, 0, (33 << 9) | march15, 16},
        // In 2011 two seasons count twice: 4 + 16 = 20, one less before the birthday.
        {"generated in 2011, before the birthday", 1, 2, (18 << 9) | march15, 2011, 8, 0, (33 << 9) | march15,
         19},
        {"generated in 2011, after it", 1, 2, (18 << 9) | march15, 2011, 8, 3, (33 << 9) | march15, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setPlayerByte(c.player, 16, c.code);
        setBirthWord(c.player, c.word);
        s->seasonYear = c.year;
        s->monthIndex = c.month;
        s->matchDayIndex = c.day;
        EXPECT_EQ(getPlayerBirthDate(c.player), c.birthDate);
        EXPECT_EQ(getPlayerAge(c.player), c.age);
    }
}

TEST_F(ClubRecordsTest, RetirementTestsInItsOrder) {
    // Players 0-1 are base players, 2-3 generated; all born 1960 (year code 0), so 50 in 2010.
    makeDatabase(1, 4, 2);
    GameStatics* const s = statics();
    s->seasonYear = 2010;
    for (jint p = 0; p < 4; ++p) {
        setPlayerByte(p, 16, -1);
        setBirthWord(p, (0 << 9) | (1 << 5) | 1);
        setShort(s->playerRecords, 37 * p, -1); // no contract
    }
    // Young players stay (a generated player of 2 x 1 + 0 + 1 = 3 years).
    EXPECT_EQ(isRetiring(2), 0);
    setPlayerByte(2, 16, -40); // generated: 2 + 0 + 40 = 42
    setPlayerByte(3, 16, -40);
    addToSquad(0, 0);
    addToSquad(0, 2);
    EXPECT_EQ(isRetiring(0), 0) << "a base player with a team stays";
    EXPECT_EQ(isRetiring(1), 1) << "no team retires";
    EXPECT_EQ(isRetiring(2), 1) << "a generated player retires";
    setShort(s->playerRecords, 37 * 1, 0x1234); // under contract
    setPlayerByte(1, 14, 12 << 4);
    EXPECT_EQ(isRetiring(1), 0) << "a contract and a status below 13 keep him";
    setPlayerByte(1, 14, 13 << 4);
    EXPECT_EQ(isRetiring(1), 1) << "status 13 does not";
}

TEST_F(ClubRecordsTest, WeightedBandCountsTheThresholdsItsDrawReaches) {
    makeDatabase(1, 1, 1);
    const std::array<jint, 10> thresholds = {25, 45, 60, 73, 83, 88, 92, 95, 97, 98};
    std::array<bool, 11> seen{};
    for (jint i = 0; i < 2000; ++i) {
        const jint r = twin.range(0, 99);
        jint band = 0;
        for (const jint t : thresholds) {
            band += r >= t ? 1 : 0;
        }
        ASSERT_EQ(drawWeightedBand(), band) << "draw " << r;
        seen[static_cast<std::size_t>(band)] = true;
    }
    for (const bool s : seen) {
        EXPECT_TRUE(s);
    }
}

TEST_F(ClubRecordsTest, PositionPickChoosesTheGroupByMaskAndNeverGroupFour) {
    makeDatabase(1, 1, 1);
    GameStatics* const s = statics();
    // One distinct one-element row per group, so the result names the group.
    s->positionGroupTable = runtime::newObjectArray(8);
    for (jint g = 0; g < 8; ++g) {
        auto* row = runtime::newByteArray(1);
        (*row)[0] = runtime::i2b(10 + g);
        (*s->positionGroupTable)[g] = row;
    }
    const struct {
        jint mask;
        jint group;
    } cases[] = {{1, 0},      {0, 1},      {2, 1},      {0x20, 1},   {0x21, 2},   {0x1000, 2}, {0x1001, 3},
                 {0x2000, 3}, {0x2001, 5}, {0x2020, 5}, {0x2021, 6}, {0x3000, 6}, {0x3001, 7}, {-5, 1}};
    for (const auto& c : cases) {
        setMask(0, c.mask);
        EXPECT_EQ(pickPositionEntry(0), 10 + c.group) << "mask " << c.mask;
    }
}

TEST_F(ClubRecordsTest, NeededPositionTakesOneDrawForEveryEqualCount) {
    // Counts: bit 1 adds 2 to line 0, bit 2 one to line 1, bit 4 one to line 2, bit 8 four to line 3.
    // All counts equal (an empty squad): the first two tie, then lines 2 and 3 each toss.
    makeDatabase(1, 10, 10);
    {
        twin.coin(); // the tie of the first two lines
        jint choice = 1;
        if (!twin.coin()) {
            choice = 2;
        }
        if (!twin.coin()) {
            choice = 3;
        }
        EXPECT_EQ(getNeededPosition(0), 1 << choice);
        expectDraws(3);
    }
    // Counts 2, 1, 1, 4: line 1 is the minimum, line 2 ties it (one draw), line 3 is larger.
    makeDatabase(1, 10, 10);
    const jint bits[] = {1, 2, 4, 8};
    for (jint p = 0; p < 4; ++p) {
        addToSquad(0, p);
        (*statics()->playerInfoRecords)[28 * p + 14] = runtime::i2b(bits[p]);
    }
    EXPECT_EQ(getNeededPosition(0), twin.coin() ? 2 : 4);
    expectDraws(1);
    // Counts 0, 2, 1, 4: the minimum 0 is line 0's, lines 2 and 3 are larger: no draw, and the
    // choice stays index 1 (index 0 is never chosen).
    makeDatabase(1, 10, 10);
    const jint lineBits[] = {2, 2, 4, 8};
    for (jint p = 0; p < 4; ++p) {
        addToSquad(0, p);
        (*statics()->playerInfoRecords)[28 * p + 14] = runtime::i2b(lineBits[p]);
    }
    EXPECT_EQ(getNeededPosition(0), 2);
    expectDraws(0);
    // Flagged and empty slots do not count: a flagged keeper leaves every count 0 again.
    makeDatabase(1, 10, 10);
    setSlot(0, 0, 0x8000);
    (*statics()->playerInfoRecords)[14] = 1;
    getNeededPosition(0);
    expectDraws(3);
}

TEST_F(ClubRecordsTest, TripletAndThirtyTwoBitWritersStayInsideTheirArrays) {
    makeDatabase(1, 1, 1);
    GameStatics* const s = statics();
    EXPECT_EQ(s->tripletCount, 100) << "the static set-up's count";
    s->tripletTable = runtime::newByteArray(6);
    setThreeByteEntry(1, 0x1234, 7);
    EXPECT_EQ(bytesOf(s->tripletTable), (std::vector<std::uint8_t>{0, 0, 0, 0x12, 0x34, 7}));
    setThreeByteEntry(2, 1, 1);
    setThreeByteEntry(-1, 1, 1);
    EXPECT_EQ(bytesOf(s->tripletTable), (std::vector<std::uint8_t>{0, 0, 0, 0x12, 0x34, 7}));
    auto* bytes = runtime::newByteArray(6);
    writeInt32BE(bytes, 1, static_cast<jint>(0xCAFEBABE));
    writeInt32BE(bytes, 3, 1);
    EXPECT_EQ(bytesOf(bytes), (std::vector<std::uint8_t>{0, 0xCA, 0xFE, 0xBA, 0xBE, 0}));
}

// The per-team bytes: the setting signed, the user's club's live one from currentTeamByte; the
// stadium value unsigned, from the team information table when the entry's is 0; outside the
// table 0 and a log line.
TEST_F(ClubRecordsTest, PerTeamBytesGiveTheSettingAndTheStadiumValue) {
    GameStatics* const s = statics();
    s->teamByteTable = runtime::newByteArray(520);
    s->teamInfoRecords = runtime::newByteArray(71 + 27 * 260);
    runtime::ByteArray& table = *s->teamByteTable;
    table[2 * 3] = -6;
    table[2 * 3 + 1] = runtime::i2b(250);
    table[2 * 4] = 9;
    table[2 * 259 + 1] = 0;
    (*s->teamInfoRecords)[71 + 27 * 259] = runtime::i2b(180);
    s->userTeam = 4;
    s->currentTeamByte = 12;
    EXPECT_EQ(getTeamSetting(3), -6);
    EXPECT_EQ(getTeamByte(3, 0), -6);
    EXPECT_EQ(getTeamStadiumValue(3), 250);
    EXPECT_EQ(getTeamSetting(4), 12) << "the user's club's live setting";
    EXPECT_EQ(getTeamByte(4, 0), 9) << "its entry until the next save";
    EXPECT_EQ(getTeamStadiumValue(259), 180);
    runtime::LogCapture log;
    EXPECT_EQ(getTeamSetting(260), 0);
    EXPECT_EQ(getTeamByte(3, 2), 0);
    EXPECT_EQ(getTeamStadiumValue(-1), 0);
    EXPECT_EQ(log.lines.size(), 4U);
    s->teamByteTable = nullptr;
    EXPECT_EQ(getTeamSetting(3), 0);
}

} // namespace
} // namespace game::club
