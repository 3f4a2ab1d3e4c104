// The weekly development on a pinned seed: the draws of a visit in their order (kind, injury test,
// band and fitness when injured, one or two per skill, ten for the flags), the examples q = 25 and
// q = 2, a negative rate that grows only from a skill of 0 or 1, an injury's cleared grade, and
// players of the user or of no club that use only the kind pick.
#include "game/screens/menus/ComputerDevelopment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "tests/game/club/ClubFixture.h"

namespace game::menus {
namespace {

using runtime::jint;

class ComputerDevelopmentTest : public testing::ClubFixture {
protected:
    static constexpr jint kTeam = 2;
    void SetUp() override {
        ClubFixture::SetUp();
        makeDatabase(4, 80, 40);
        statics()->userTeam = 1;
        // Player 0 of team 2, the only player of his club: strength 60 gives no bonus.
        addToSquad(kTeam, 0);
        for (jint k = 0; k < 8; ++k) {
            setPlayerByte(0, 4 + k, 60);
        }
        setPlayerByte(0, 15, 99);
        setPlayerByte(0, 16, -2);
        setMask(0, 1);
    }
    // A fresh runtime and database for the next case of a table.
    void restart() {
        TearDown();
        SetUp();
    }
    // The draws the visit makes for an uninjured keeper (kind 0), and the skills and flags it leaves.
    struct Outcome {
        std::vector<jint> skills;
        jint flags12 = 0;
        jint flags13 = 0;
        jint draws = 0;
    };
    Outcome predict(const jint grade, const std::vector<jint>& skills) {
        static constexpr jint kWeights[8] = {1, 10, 2, 10, 2, 1, 8, 10};
        static constexpr jint kChances[10] = {1, 1, 0, 0, 0, 1, 0, 5, 1, 1};
        Outcome out;
        const jint rate = (grade - 5) * 10;
        bool growing = grade > 5;
        twin.nextInt(); // the injury test
        out.draws = 1;
        for (jint k = 0; k < 8; ++k) {
            jint b = skills[static_cast<std::size_t>(k)];
            growing = growing || static_cast<runtime::jbyte>(b) <= 1;
            const jint x = twin.range(0, 100);
            ++out.draws;
            const jint q = kWeights[k] * 5 * std::abs(rate) / 100;
            jint inc = 0;
            if (x < q && growing) {
                inc = twin.range(0, 100) >= 31 ? 1 : 0;
                ++out.draws;
            }
            out.skills.push_back((b & 0x80) | std::min((b & 0x7F) + inc, 99));
        }
        for (jint j = 0; j < 10; ++j) {
            const jint r = twin.range(0, 100);
            ++out.draws;
            if (r < kChances[j] * rate / 100) {
                (j < 8 ? out.flags12 : out.flags13) |= 1 << (j < 8 ? j : j - 8);
            }
        }
        return out;
    }
};

TEST_F(ComputerDevelopmentTest, TheDrawsOfAVisitInOrderOnAPinnedSeed) {
    struct Case {
        const char* name;
        jint grade;
        std::vector<jint> skills;
    };
    const Case cases[] = {
        {"grade 5: rate 0, q 0 everywhere, every draw still made", 5, {60, 60, 60, 60, 60, 60, 60, 60}},
        {"grade 10: q 25 for weight 10, 2 for weight 1", 10, {60, 60, 60, 60, 60, 60, 60, 60}},
        {"grade 15 counts as 10, a skill at 99 with its mark", 15, {0x80 | 99, 98, 60, 60, 60, 60, 60, 60}},
        {"grade 0: grows only from the skill at 1 on", 0, {60, 60, 1, 60, 60, 60, 0x80 | 5, 60}},
    };
    for (const Case& c : cases) {
        for (jint seed = 0; seed < 6; ++seed) {
            SCOPED_TRACE(::testing::Message() << c.name << " seed " << seed);
            restart();
            for (jint k = 0; k < seed; ++k) {
                statics()->gameRandom->nextInt();
                twin.nextInt();
            }
            setPlayerByte(0, 14, c.grade);
            for (jint k = 0; k < 8; ++k) {
                setPlayerByte(0, 4 + k, c.skills[static_cast<std::size_t>(k)]);
            }
            const Outcome expected = predict(std::min(c.grade, 10), c.skills);
            developComputerPlayers(0);
            expectDraws(seed + expected.draws);
            for (jint k = 0; k < 8; ++k) {
                EXPECT_EQ(playerByte(0, 4 + k), expected.skills[static_cast<std::size_t>(k)]) << k;
            }
            EXPECT_EQ(playerByte(0, 12), expected.flags12);
            EXPECT_EQ(playerByte(0, 13), expected.flags13);
        }
    }
}

TEST_F(ComputerDevelopmentTest, AnInjuryClearsTheGradeAndCutsTheFitness) {
    setPlayerByte(0, 16, 30);
    (*statics()->playerInfoRecords)[24] = 127; // v = (180 - 127 - 20) >> 2 = 8: limit 90 of 200
    jint seed = 0;
    for (;; ++seed) {
        testing::TwinRandom probe(kSeed);
        for (jint k = 0; k < seed; ++k) {
            probe.nextInt();
        }
        if (probe.range(0, 200) < 90) {
            break;
        }
    }
    for (jint k = 0; k < seed; ++k) {
        statics()->gameRandom->nextInt();
        twin.nextInt();
    }
    setPlayerByte(0, 14, 0x09);
    twin.nextInt();
    const jint r = twin.range(0, 99);
    jint band = 0;
    for (const jint threshold : {25, 45, 60, 73, 83, 88, 92, 95, 97, 98}) {
        band += r >= threshold ? 1 : 0;
    }
    const jint fitness = twin.range(30, 50);
    developComputerPlayers(0);
    EXPECT_EQ(playerByte(0, 14), (5 + band) << 4);
    EXPECT_EQ(playerByte(0, 15), fitness);
}

TEST_F(ComputerDevelopmentTest, TheUsersPlayersAndFreePlayersUseOnlyTheKindPick) {
    // Mask 0x2000 picks from a group of two kinds (one draw); mask 1 from one (no draw).
    for (const jint mask : {0x2000, 1}) {
        for (const jint team : {1, 0xFFFF}) {
            SCOPED_TRACE(::testing::Message() << mask << " " << team);
            restart();
            setTeam(0, team);
            setMask(0, mask);
            setPlayerByte(0, 14, 10);
            developComputerPlayers(0);
            expectDraws(mask == 1 ? 0 : 1);
            EXPECT_EQ(playerByte(0, 4), 60);
        }
    }
    // Only the day's eighth is visited, and never the forty generated players.
    restart();
    developComputerPlayers(1);
    expectDraws(0);
    statics()->playerCount = 40;
    developComputerPlayers(0);
    expectDraws(0);
}

TEST_F(ComputerDevelopmentTest, ThePositionGroupsGiveKindsZeroToThree) {
    const runtime::ObjectArray* groups = statics()->positionGroupTable;
    ASSERT_NE(groups, nullptr);
    for (jint g = 0; g < groups->length; ++g) {
        const auto* row = static_cast<const runtime::ByteArray*>((*groups)[g]);
        for (jint i = 0; i < row->length; ++i) {
            EXPECT_GE((*row)[i], 0);
            EXPECT_LE((*row)[i], 3);
        }
    }
}

} // namespace
} // namespace game::menus
