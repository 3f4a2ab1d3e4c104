// Competition leaderboards: the six best of each statistic over every squad slot of every
// competition team, ties in visiting order, empty and flagged slots left out, counts up to six.
#include "game/season/Leaderboards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "game/season/SeasonLookups.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

constexpr jint kTeamRecordBytes = 64;
constexpr jint kBoardTeams = 13;
constexpr jint kSquadSlots = 30;
constexpr jint kPlayers = kBoardTeams * kSquadSlots;

using Row = std::array<jint, 3>;

class LeaderboardsTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        GameStatics* const s = statics();
        s->teamRecords = runtime::newByteArray(kBoardTeams * kTeamRecordBytes);
        s->playerRecords = runtime::newByteArray(kPlayers * kPlayerRecordBytes);
        // Team t's squad slot j holds player 30t + j.
        for (jint t = 0; t < kBoardTeams; ++t) {
            for (jint j = 0; j < kSquadSlots; ++j) {
                setSquadSlot(t, j, kSquadSlots * t + j);
            }
        }
    }
    static void setSquadSlot(const jint team, const jint slot, const jint value) {
        runtime::ByteArray* const records = game::statics()->teamRecords;
        (*records)[team * kTeamRecordBytes + 2 * slot] = static_cast<runtime::jbyte>(value >> 8);
        (*records)[team * kTeamRecordBytes + 2 * slot + 1] = static_cast<runtime::jbyte>(value);
    }
    static void setStat(const jint player, const jint at, const jint value) {
        (*game::statics()->playerRecords)[player * kPlayerRecordBytes + at] =
            static_cast<runtime::jbyte>(value);
    }
    static std::vector<Row> list(const jint k) {
        const auto* const rows = static_cast<runtime::ObjectArray*>((*game::statics()->leaderboards)[k]);
        std::vector<Row> out;
        for (jint i = 0; i < rows->length; ++i) {
            const auto* const r = static_cast<runtime::ShortArray*>((*rows)[i]);
            out.push_back(Row{(*r)[0], (*r)[1], (*r)[2]});
        }
        return out;
    }
    static jint count(const jint k) { return (*game::statics()->leaderboardCounts)[k]; }
};

TEST_F(LeaderboardsTest, EachKindRanksItsOwnStatisticOverEveryTeamOfTheCompetition) {
    GameStatics* const s = statics();
    // Slots 0-3 hold teams 5, 2, 9, 12.
    setCompetitionTeams({5, 2, 9, 12});
    s->competitionSize = 4;
    // Team 2's slot 4 is empty and slot 7 flagged; team 9's slot 0 is flagged.
    setSquadSlot(2, 4, -1);
    setSquadSlot(2, 7, 0x8000 | 67);
    setSquadSlot(9, 0, 0x8000 | 270);
    for (jint p = 0; p < kPlayers; ++p) {
        for (jint b = 19; b < 31; ++b) {
            // Small values with many ties, some negative, some large.
            setStat(p, b, (p * 7 + b * 13) % 11 - 2);
        }
    }
    setStat(64, 19 + 3 * 1 + 2, 120); // flagged, kind 2, list 1: never enters
    setStat(67, 19 + 3 * 1 + 2, 121); // flagged player number of slot 7
    setStat(270, 19 + 3 * 1 + 2, 122);
    for (jint kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        buildLeaderboards(kind);
        ASSERT_EQ(s->leaderboards->length, 3);
        for (jint k = 0; k < 3; ++k) {
            SCOPED_TRACE(k);
            // Independently: every entered value above 0 in visiting order, stably sorted.
            std::vector<Row> entered;
            for (jint slot = 0; slot < 4; ++slot) {
                const jint team = (*s->competitionTeams)[slot];
                for (jint j = 0; j < kSquadSlots; ++j) {
                    if ((team == 2 && (j == 4 || j == 7)) || (team == 9 && j == 0)) {
                        continue;
                    }
                    const jint p = kSquadSlots * team + j;
                    const jint value = (*s->playerRecords)[p * kPlayerRecordBytes + kind + 3 * k + 19];
                    if (value > 0) {
                        entered.push_back(Row{value, p, slot});
                    }
                }
            }
            std::stable_sort(entered.begin(), entered.end(),
                             [](const Row& a, const Row& b) { return a[0] > b[0]; });
            entered.resize(10, Row{0, 0, 0});
            std::fill(entered.begin() + 6, entered.end(), Row{0, 0, 0});
            EXPECT_EQ(list(k), entered);
            EXPECT_EQ(count(k), 6);
        }
    }
}

TEST_F(LeaderboardsTest, TiesKeepVisitingOrderAndCountsStopAtSixOrAtTheFirstValueNotAboveZero) {
    GameStatics* const s = statics();
    setCompetitionTeams({3, 1});
    s->competitionSize = 2;
    struct Case {
        std::vector<std::pair<jint, jint>> values; // (player, value) of statistic 0 of the league
        std::vector<Row> leading;                  // the first rows expected
        jint count;
    };
    const Case cases[] = {
        {{}, {{0, 0, 0}}, 0},
        {{{95, -4}, {31, -1}}, {{0, 0, 0}}, 0},
        {{{95, 2}, {91, 5}, {31, 2}}, {{5, 91, 0}, {2, 95, 0}, {2, 31, 1}, {0, 0, 0}}, 3},
        // Seven equal values: the first six visited stay.
        {{{90, 4}, {91, 4}, {92, 4}, {93, 4}, {94, 4}, {95, 4}, {30, 4}},
         {{4, 90, 0}, {4, 91, 0}, {4, 92, 0}, {4, 93, 0}, {4, 94, 0}, {4, 95, 0}, {0, 0, 0}},
         6},
        {{{30, 9}, {31, 8}, {32, 7}, {33, 6}, {34, 5}, {35, 4}, {36, 3}, {90, 1}},
         {{9, 30, 1}, {8, 31, 1}, {7, 32, 1}, {6, 33, 1}, {5, 34, 1}, {4, 35, 1}, {0, 0, 0}},
         6},
    };
    for (const Case& c : cases) {
        std::fill(s->playerRecords->data(), s->playerRecords->data() + s->playerRecords->length, 0);
        for (const auto& [player, value] : c.values) {
            setStat(player, 19, value);
        }
        buildLeaderboards(0);
        const std::vector<Row> rows = list(0);
        ASSERT_EQ(rows.size(), 10U);
        for (std::size_t i = 0; i < c.leading.size(); ++i) {
            EXPECT_EQ(rows[i], c.leading[i]) << "row " << i;
        }
        EXPECT_EQ(count(0), c.count);
        EXPECT_EQ(count(1), 0);
        EXPECT_EQ(count(2), 0);
    }
}

TEST_F(LeaderboardsTest, SlotsWithoutATeamAreSkipped) {
    GameStatics* const s = statics();
    setCompetitionTeams({-1, 4});
    s->competitionSize = 3;
    setStat(120, 19, 7);
    buildLeaderboards(0);
    EXPECT_EQ(list(0)[0], (Row{7, 120, 1}));
    EXPECT_EQ(count(0), 1);
}

} // namespace
} // namespace game::season
