// The computer clubs' transfers: star levels and sums, the listings' bounds, the user's offers only
// on days 0, 3 and 6 without a repeated pair and never below 17 players, the listed players' bands
// (star sums 56, 57 and 64), a short squad's last draw, and random approaches that spare a short
// user squad.
#include "game/club/ComputerTransfers.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "tests/game/club/SeasonWorkFixture.h"

namespace game::club {
namespace {

class ComputerTransfersTest : public testing::SeasonWorkFixture {
protected:
    static constexpr jint kPerTeam = 17;
    // Every team holds 17 players (ids 17t ..): skill 60, age 25, grade 5, fitness 99, value 0;
    // the user's players are the ids 17 .. 33.
    void SetUp() override {
        SeasonWorkFixture::SetUp();
        makeSeasonDatabase(kWorkTeams * kPerTeam + 40);
        for (jint t = 0; t < kWorkTeams; ++t) {
            fillSquad(t, kPerTeam * t, kPerTeam, 60);
            setFunds(t, 100);
        }
        for (jint p = 0; p < kWorkTeams * kPerTeam; ++p) {
            setAge(p, 25);
            setPlayerByte(p, 14, 5);
        }
    }
    jint listed(const jint value) {
        jint n = 0;
        for (jint p = 0; p < kWorkTeams * kPerTeam; ++p) {
            n += playerByte(p, 31) == value ? 1 : 0;
        }
        return n;
    }
    void skip(const jint draws) {
        for (jint k = 0; k < draws; ++k) {
            twin.nextInt();
            statics()->gameRandom->nextInt();
        }
    }
};

TEST_F(ComputerTransfersTest, StarLevelsAndSums) {
    const std::vector<std::pair<jint, jint>> levels = {{0, 0},  {56, 0}, {57, 1}, {63, 1}, {64, 2},
                                                       {92, 6}, {98, 6}, {99, 7}, {127, 7}};
    for (const auto& [skill, level] : levels) {
        EXPECT_EQ(getRatingBand7(skill), level) << skill;
    }
    for (jint k = 0; k < 8; ++k) {
        setPlayerByte(0, 4 + k, k == 0 ? 0x80 | 99 : 57);
    }
    EXPECT_EQ(sumSkills(0, 1), 8 + 7 * 2);
    EXPECT_EQ(sumSkills(0, 0), 99 + 7 * 57);
    EXPECT_EQ(hasSkillAtLevel(0, 8), 1);
    setPlayerByte(0, 4, 84);
    EXPECT_EQ(hasSkillAtLevel(0, 6), 0);
    EXPECT_EQ(hasSkillAtLevel(0, 5), 1);
    statics()->userTeam = 0;
    for (jint k = 0; k < 50; ++k) {
        EXPECT_NE(pickRandomTeam(), 0);
    }
}

TEST_F(ComputerTransfersTest, ListingsNeedMoreCandidatesThanDraws) {
    // Team 3's players (ids 51..67) can be sold: grade 0.
    for (jint p = 51; p < 68; ++p) {
        setPlayerByte(p, 14, 0);
    }
    struct Case {
        jint n, candidates, listedAtLeast;
    };
    const Case cases[] = {{0, 17, 0}, {17, 17, 0}, {18, 17, 0}, {16, 17, 1}, {3, 17, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        for (jint p = 51; p < 68; ++p) {
            setPlayerByte(p, 31, 0);
        }
        pinGenerator();
        listPlayersForTransfer(c.n, 0);
        EXPECT_EQ(statics()->squadListCount, c.candidates);
        EXPECT_GE(listed(1), c.listedAtLeast);
        EXPECT_LE(listed(1), c.n);
        expectDraws(c.n > 0 && c.n < c.candidates ? c.n : 0);
    }
    // An upper division's player with a star of 5 (skill 85) stays.
    for (jint p = 51; p < 68; ++p) {
        setPlayerByte(p, 31, 0);
    }
    setPlayerByte(51, 5, 85);
    listPlayersForTransfer(0, 0);
    EXPECT_EQ(statics()->squadListCount, 16);
    // Loans: young players of grade 2 and more.
    setPlayerByte(52, 14, 2);
    setAge(52, 22);
    listPlayersForTransfer(0, 1);
    EXPECT_EQ(statics()->squadListCount, 1);
}

TEST_F(ComputerTransfersTest, OffersForTheUsersPlayersOnDaysZeroThreeAndSix) {
    // One candidate (player 17); the others of the user are not approachable.
    for (jint p = 18; p < 34; ++p) {
        setPlayerByte(p, 31, 8);
    }
    for (jint day = 0; day < 8; ++day) {
        SCOPED_TRACE(day);
        restart();
        for (jint p = 18; p < 34; ++p) {
            setPlayerByte(p, 31, 8);
        }
        statics()->matchDayIndex = day;
        // A seed whose offer count is 3: several draws of the one player and its ten clubs.
        jint k = 0;
        while (k != 3) {
            testing::TwinRandom probe = twin;
            k = probe.range(0, 3);
            if (k != 3) {
                skip(1);
            }
        }
        offerForUserPlayers();
        EXPECT_LE(ringTypes().size(), day % 3 == 0 ? 3u : 0u);
        EXPECT_GE(ringTypes().size(), day % 3 == 0 ? 1u : 0u);
        std::vector<std::pair<jint, jint>> pairs;
        for (jint i = 0; i < season::ringMessageCount(); ++i) {
            const runtime::ByteArray* m = season::messageAt(i);
            const std::pair<jint, jint> pair{core16(m, 1), core16(m, 3)};
            for (const auto& earlier : pairs) {
                EXPECT_NE(earlier, pair);
            }
            pairs.push_back(pair);
            EXPECT_LT(pair.first, 10 + 1) << "the first ten clubs that can pay";
            EXPECT_NE(pair.first, kWorkUser);
        }
    }
    // With 16 players the user gets no offer.
    restart();
    statics()->matchDayIndex = 0;
    setSlot(kWorkUser, 16, 0xFFFF);
    for (jint d = 0; d < 20; ++d) {
        offerForUserPlayers();
    }
    EXPECT_TRUE(ringTypes().empty());
}

TEST_F(ComputerTransfersTest, ListedPlayersDrawBiddersByTheirStarBand) {
    // Team 10 is strong (82); player 17 of the user is listed.
    for (jint p = 170; p < 187; ++p) {
        for (jint k = 0; k < 8; ++k) {
            setPlayerByte(p, 4 + k, 82);
        }
    }
    setPlayerByte(17, 31, 1);
    struct Case {
        std::vector<jint> skills;
        jint sum;
        bool strongBids;
    };
    const Case cases[] = {{{99, 99, 99, 99, 99, 99, 71, 71}, 56, false},
                          {{99, 99, 99, 99, 99, 99, 99, 0}, 57, true},
                          {{99, 99, 99, 99, 99, 99, 99, 99}, 64, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sum);
        for (jint k = 0; k < 8; ++k) {
            setPlayerByte(17, 4 + k, c.skills[static_cast<std::size_t>(k)]);
        }
        ASSERT_EQ(sumSkills(17, 1), c.sum);
        offerForListedPlayers();
        bool strong = false;
        for (jint i = 0; i < statics()->squadListCount; ++i) {
            strong = strong || (*statics()->squadList)[i] == 10;
        }
        EXPECT_EQ(strong, c.strongBids);
        EXPECT_EQ(statics()->squadListCount, c.strongBids ? 259 : 258);
    }
}

TEST_F(ComputerTransfersTest, AShortSquadNamesItsLastDrawEvenWhenUnaffordable) {
    setSlot(5, 16, 0xFFFF);
    setFunds(5, 0);
    for (jint p = 0; p < kWorkTeams * kPerTeam + 40; ++p) {
        setValue(p, 1000000);
    }
    jint last = 0;
    jint draws = 0;
    for (jint k = 0; k < 100; ++k) {
        const runtime::jlong draw = twin.nextInt();
        last = static_cast<jint>((draw < 0 ? -draw : draw) % (kWorkTeams * kPerTeam + 40));
        ++draws;
        if (getPlayerField17(last) != kWorkUser) {
            twin.nextInt();
            ++draws;
        }
    }
    buyForShortSquads();
    expectDraws(draws);
    ASSERT_EQ(ringTypes(), (std::vector<jint>{4}));
    EXPECT_EQ(core16(season::messageAt(0), 3), last);
}

TEST_F(ComputerTransfersTest, RandomApproachesSpareAUserSquadBelowSixteen) {
    // Only the user's players are affordable and wanted.
    for (jint p = 0; p < kWorkTeams * kPerTeam + 40; ++p) {
        setValue(p, getPlayerField17(p) == kWorkUser ? 0 : 1000000);
        setMask(p, 0x0E);
    }
    for (jint t = 0; t < kWorkTeams; ++t) {
        setFunds(t, 0); // small money buys at most its own amount: only the user's players
    }
    for (jint k = 0; k < 20; ++k) {
        makeRandomApproaches();
    }
    for (jint i = 0; i < season::ringMessageCount(); ++i) {
        EXPECT_EQ(core16(season::messageAt(i), 23), kWorkUser) << "owner";
    }
    EXPECT_FALSE(ringTypes().empty());
    restart();
    for (jint p = 0; p < kWorkTeams * kPerTeam + 40; ++p) {
        setValue(p, getPlayerField17(p) == kWorkUser ? 0 : 1000000);
        setMask(p, 0x0E);
    }
    for (jint t = 0; t < kWorkTeams; ++t) {
        setFunds(t, 0); // small money buys at most its own amount: only the user's players
    }
    setSlot(kWorkUser, 15, 0xFFFF);
    setSlot(kWorkUser, 16, 0xFFFF);
    for (jint k = 0; k < 20; ++k) {
        makeRandomApproaches();
    }
    EXPECT_TRUE(ringTypes().empty());
}

} // namespace
} // namespace game::club
