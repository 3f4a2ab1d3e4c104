// The players' day: fitness edges, the status countdown per band and day, players recalled to a
// short squad or a squad without a keeper, random injuries on a pinned seed, the squad's training
// progress and rises, the month's marks and best trainees, skill flags and the season's contracts.
#include "game/club/PlayerCondition.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerValue.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::club {
namespace {

class PlayerConditionTest : public testing::SeasonWorkFixture {
protected:
    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase(200);
        for (jint p = 0; p < 200; ++p) {
            setAge(p, 25);
            setPlayerByte(p, 15, 80);
        }
        plan = statics()->selectionTable;
        for (jint i = 108; i < 588; ++i) {
            (*plan)[i] = 0;
        }
        for (jint i = 18; i < 108; ++i) {
            (*plan)[i] = 20; // no focus
        }
    }
    jint status(const jint p) { return playerByte(p, 14) >> 4; }
    void setStatus(const jint p, const jint status) { setPlayerByte(p, 14, status << 4); }
    // Training entry k: the player, the training kind and the three focus values.
    void trainingEntry(const jint k, const jint player, const jint kind, const std::vector<jint>& focus) {
        setShort(plan, 108 + 16 * k, player);
        (*plan)[108 + 16 * k + 15] = runtime::i2b(kind);
        for (jint f = 0; f < 3; ++f) {
            (*plan)[18 + 3 * k + f] = runtime::i2b(focus[static_cast<std::size_t>(f)]);
        }
    }
    jint progress(const jint k, const jint skill) { return (*plan)[108 + 16 * k + 4 + skill] & 0xFF; }
    void setProgress(const jint k, const jint skill, const jint value) {
        (*plan)[108 + 16 * k + 4 + skill] = runtime::i2b(value);
    }
    runtime::ByteArray* plan = nullptr;
};

TEST_F(PlayerConditionTest, FitnessRecoversByStaminaAndItsEdgesBecomeNinetyNine) {
    struct Case {
        jint fitness, b3, status, expected;
    };
    const Case cases[] = {{0, 0, 0, 99},   {100, 0, 0, 99}, {50, 50, 0, 70}, {50, 50, 5, 60},
                          {90, 50, 0, 99}, {-5, 0, 0, 99},  {1, 2, 0, 1},    {60, 99, 7, 79}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.fitness << " " << c.b3 << " " << c.status);
        restart();
        statics()->userTeam = -1;
        setPlayerByte(0, 15, c.fitness);
        setPlayerByte(0, 7, c.b3);
        setStatus(0, c.status);
        updateDailyCondition();
        EXPECT_EQ(static_cast<runtime::jbyte>(playerByte(0, 15)), c.expected);
    }
}

TEST_F(PlayerConditionTest, TheStatusCountsDownByBandAndDay) {
    struct Case {
        jint status;
        jint day;
        jint expected;
    };
    const Case cases[] = {{4, 0, 4},   {5, 3, 4},   {6, 1, 5},   {7, 1, 7},   {7, 2, 6},  {11, 4, 10},
                          {11, 5, 11}, {12, 0, 11}, {12, 2, 12}, {15, 0, 14}, {15, 1, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status " << c.status << " day " << c.day);
        restart();
        statics()->matchDayIndex = c.day;
        // Player 0 has no club, so no recall applies; injuries pick no one at status 5 or more.
        setStatus(0, c.status);
        updateDailyCondition();
        if (c.status < 5 && status(0) > 4) {
            continue; // a random injury picked him
        }
        EXPECT_EQ(status(0), c.expected);
    }
}

TEST_F(PlayerConditionTest, TheUsersPlayerBackFromInjuryIsAnnounced) {
    fillSquad(kWorkUser, 0, 20, 60);
    setStatus(0, 5);
    setPlayerByte(0, 6, 0x80 | 60);
    updateDailyCondition();
    EXPECT_EQ(status(0), 4);
    EXPECT_EQ(playerByte(0, 6), 60);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{59}));
}

TEST_F(PlayerConditionTest, AShortSquadOrOneWithoutAKeeperGetsItsInjuredBack) {
    // Team 3: 16 players, two suspended for long (status 15 on an odd day stays): 14 available.
    // Each recall is counted before the next player is looked at.
    fillSquad(3, 0, 16, 60);
    setStatus(0, 15);
    setStatus(1, 14);
    // Team 4: 20 players, the only keeper injured, and an injured outfielder.
    fillSquad(4, 20, 20, 60);
    setMask(20, 1);
    setMask(21, 2);
    setStatus(20, 15);
    setStatus(21, 15);
    statics()->matchDayIndex = 1;
    statics()->userTeam = 5;
    EXPECT_EQ(countAvailableSquadPlayers(3), 14);
    EXPECT_EQ(hasNoFitGoalkeeper(4), 1);
    updateDailyCondition();
    EXPECT_EQ(playerByte(0, 14), 0);
    EXPECT_EQ(playerByte(1, 14), 0);
    EXPECT_EQ(playerByte(20, 14), 0);
    EXPECT_EQ(status(21), 15);
    EXPECT_EQ(hasNoFitGoalkeeper(4), 0);
}

TEST_F(PlayerConditionTest, RandomInjuriesOnAPinnedSeedSpareTheUserAndTheProtected) {
    // Every player available with fitness 40 (no fitness draw); even players are the user's, and
    // player 1 is never injured.
    for (jint p = 0; p < 200; ++p) {
        setPlayerByte(p, 15, 40);
        setPlayerByte(p, 7, 0);
        if (p % 2 == 0) {
            setTeam(p, kWorkUser);
        }
    }
    setPlayerByte(1, 16, -2);
    std::vector<jint> expected(200, 0);
    jint draws = 1;
    const jint k = twin.range(0, 9);
    for (jint i = 0; i < k; ++i) {
        const jint p = twin.range(0, 199);
        ++draws;
        if (p % 2 == 0 || p == 1 || expected[static_cast<std::size_t>(p)] != 0) {
            continue;
        }
        const jint r = twin.range(0, 99);
        ++draws;
        jint band = 0;
        for (const jint threshold : {25, 45, 60, 73, 83, 88, 92, 95, 97, 98}) {
            band += r >= threshold ? 1 : 0;
        }
        expected[static_cast<std::size_t>(p)] = 5 + band;
    }
    ASSERT_GT(k, 0) << "the pinned seed injures someone";
    updateDailyCondition();
    expectDraws(draws);
    for (jint p = 0; p < 200; ++p) {
        EXPECT_EQ(status(p), expected[static_cast<std::size_t>(p)]) << p;
    }
}

TEST_F(PlayerConditionTest, ListedPlayersTakeStatusFour) {
    statics()->userTeam = -1;
    setPlayerByte(0, 31, 1);
    setPlayerByte(1, 31, 2);
    setAge(1, 24);
    setPlayerByte(2, 31, 2);
    setAge(2, 23);
    updateDailyCondition();
    EXPECT_EQ(status(0), 4);
    EXPECT_EQ(status(1), 4);
    EXPECT_EQ(status(2), 0);
}

TEST_F(PlayerConditionTest, TrainingProgressRisesAtSixteenAndKeepsItsRemainder) {
    struct Case {
        jint progressBefore, skillBefore;
        jint progressAfter, skillAfter;
    };
    const Case cases[] = {{15, 50, 1, 51},
                          {14, 50, 15, 50},
                          {29, 50, 0, 51},
                          {200, 50, 201 % 15, 51},
                          {15, 0x80 | 99, 1, 0x80 | 99},
                          {15, 0x80 | 98, 1, 0x80 | 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.progressBefore << " " << c.skillBefore);
        restart();
        fillSquad(kWorkUser, 0, 1, 60);
        setPlayerByte(0, 16, -2); // never injured by training
        setPlayerByte(0, 7, c.skillBefore);
        trainingEntry(0, 0, 9, {7, 20, 20}); // kind 9 adds nothing; focus 7 adds skill 3
        setProgress(0, 3, c.progressBefore);
        statics()->trainingLevel = 0;
        trainSquad(1);
        EXPECT_EQ(progress(0, 3), c.progressAfter);
        EXPECT_EQ(playerByte(0, 7), c.skillAfter);
        expectDraws(2); // the injury roll, then the step of skill 3
        const bool rose = (c.skillAfter & 0x7F) > (c.skillBefore & 0x7F);
        EXPECT_EQ(((*statics()->slotRatingMasks)[0] >> 3) & 1, rose ? 1 : 0);
        EXPECT_EQ((*plan)[108 + 2], c.progressAfter < c.progressBefore ? 1 : 0);
    }
    // Match day 0 clears the marks and the month's counts.
    trainSquad(0);
    EXPECT_EQ((*statics()->slotRatingMasks)[0], 0);
    EXPECT_EQ((*plan)[108 + 2], 0);
}

TEST_F(PlayerConditionTest, TheMonthsBestTraineesAndAFlagAtNinetyFive) {
    fillSquad(kWorkUser, 0, 3, 60);
    for (jint k = 0; k < 3; ++k) {
        trainingEntry(k, k, 20, {20, 20, 20});
        (*plan)[108 + 16 * k + 2] = runtime::i2b(3 - k);
    }
    (*plan)[108 + 16 * 5 + 2] = 2; // an entry of no player counts too, but after entry 1
    EXPECT_EQ(takeNextTrainingPlayer(), 0);
    EXPECT_EQ(takeNextTrainingPlayer(), 1);
    (*plan)[108 + 2] = 3;
    (*plan)[108 + 16 + 2] = 2;
    trainSquad(0);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{31}));
    EXPECT_EQ(takeNextTrainingPlayer(), -1);

    // Flag 6 rates skill 3: granted at 95 while fewer than three flags are held.
    setPlayerByte(0, 7, 95);
    grantSkillFlags(0, 0);
    EXPECT_EQ(playerByte(0, 12), 1 << 6);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{31, 32}));
    setPlayerByte(1, 7, 95);
    setPlayerByte(1, 12, 0x03);
    setPlayerByte(1, 13, 0x01);
    grantSkillFlags(1, 0);
    EXPECT_EQ(playerByte(1, 12), 0x03);
    EXPECT_EQ(countSkillFlags(1), 3);
    setPlayerByte(2, 7, 94);
    grantSkillFlags(2, 0);
    EXPECT_EQ(playerByte(2, 12), 0);
}

TEST_F(PlayerConditionTest, IncrementsByKindAndFocus) {
    for (jint kind = 0; kind <= 9; ++kind) {
        pinGenerator();
        const runtime::ByteArray* increments = trainingIncrements(kind);
        jint sum = 0;
        for (jint k = 0; k < 8; ++k) {
            sum += (*increments)[k];
        }
        EXPECT_EQ(sum, kind <= 8 ? 2 : 0) << kind;
        expectDraws(kind <= 8 ? 2 : 0);
    }
    runtime::ByteArray* increments = trainingIncrements(-1);
    pinGenerator();
    addFocusIncrement(7, increments);
    addFocusIncrement(10, increments);
    addFocusIncrement(11, increments);
    addFocusIncrement(-1, increments);
    expectDraws(0);
    EXPECT_EQ((*increments)[3], 1);
    EXPECT_EQ((*increments)[5], 1);
    addFocusIncrement(0, increments);
    expectDraws(1);
}

TEST_F(PlayerConditionTest, ContractsEndRenewedReleasedOrBackFromLoan) {
    GameStatics* const s = statics();
    // The user's player 0, computer players 1 and 2 (renewed), 3 (34), 4 (contract runs on),
    // 5 (not approachable).
    fillSquad(kWorkUser, 0, 1, 60);
    fillSquad(3, 1, 5, 60);
    trainingEntry(0, 0, 1, {20, 20, 20});
    setAge(3, 34);
    for (jint p = 0; p < 6; ++p) {
        setShort(s->playerRecords, 37 * p, (10 << 9) | 0x45);
    }
    setShort(s->playerRecords, 37 * 4, 11 << 9);
    setPlayerByte(5, 31, 8);
    // Player 6 of team 7 is on loan at the user's club (a flagged slot).
    addToSquad(7, 6);
    setSlot(kWorkUser, 5, 6 | 0x8000);
    setShort(s->playerRecords, 37 * 6, 12 << 9);
    setWage(6, 77);
    // Every computer player under 34 whose contract ends is asked; 51 renews.
    screens.score = 51;
    const jint y1 = twin.range(1, 5);
    const jint wage1 = getPlayerValue(1, 1);
    processContractExpiries();
    EXPECT_EQ(getPlayerField17(0), 0xFFFF);
    EXPECT_EQ(getPlayerField0(0), -1);
    EXPECT_EQ(getTeamPlayerId(kWorkUser, 0), -1);
    EXPECT_EQ(core::readShortBE(plan, 108), -1);
    EXPECT_EQ(getPlayerField17(1), 3);
    EXPECT_EQ(getPlayerField0(1), ((2010 + y1 - 2000) << 9) | 0x45);
    EXPECT_EQ(getPlayerField2(1), wage1);
    EXPECT_EQ(getPlayerField17(3), 0xFFFF); // 34: released without an offer
    EXPECT_EQ(getPlayerField17(4), 3);
    EXPECT_EQ(getPlayerField17(5), 3);
    EXPECT_EQ(ringTypes(), (std::vector<jint>{89}));
    std::vector<jint> loan;
    std::vector<jint> asked;
    for (const auto& call : screens.calls) {
        if (call.name == "transferPlayer") {
            loan = call.args;
        }
        if (call.name == "negotiationScore") {
            asked.push_back(call.args[0]);
        }
    }
    EXPECT_EQ(loan, (std::vector<jint>{6, 7, kWorkUser, 3, 0, 77, 0}));
    EXPECT_EQ(asked, (std::vector<jint>{1, 2}));
    EXPECT_EQ(s->freePlayerCount, countFreePlayers());

    // A refused renewal releases the player.
    restart();
    fillSquad(3, 1, 1, 60);
    setShort(statics()->playerRecords, 37, 10 << 9);
    screens.score = 50;
    processContractExpiries();
    EXPECT_EQ(getPlayerField17(1), 0xFFFF);
    EXPECT_EQ(getTeamPlayerId(3, 0), -1);
}

} // namespace
} // namespace game::club
