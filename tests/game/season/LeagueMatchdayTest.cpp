// League matchdays: a double round robin played through with scripted results, the excluded
// slots, the booking of rows and tallies, the reward column, and the table order afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "game/season/LeagueTables.h"
#include "game/season/Matchdays.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {

namespace {

using game::testing::ScriptedResult;

constexpr jint kLeagueTeams = 24;
constexpr jint kRounds = kLeagueTeams - 1;
constexpr jint kFirstTeam = 100;
constexpr jint kAway = 0x40;

class LeagueMatchdayTest : public game::testing::SeasonTest {
protected:
    // A round-robin schedule of n teams by the circle method: row i, column r holds i's opponent
    // in round r, with bit 6 set on the side that plays away.
    void buildSchedule(const jint n) const {
        GameStatics* const s = statics();
        const jint rounds = n - 1;
        s->fixtureSchedule = runtime::newByteArray(n * rounds);
        s->scheduleTeamCount = static_cast<runtime::jbyte>(n);
        s->scheduleRoundCount = static_cast<runtime::jbyte>(rounds);
        auto pair = [s, rounds](const jint home, const jint away, const jint round) {
            (*s->fixtureSchedule)[home * rounds + round] = static_cast<runtime::jbyte>(away);
            (*s->fixtureSchedule)[away * rounds + round] = static_cast<runtime::jbyte>(home | kAway);
        };
        for (jint r = 0; r < rounds; ++r) {
            if (r % 2 == 0) {
                pair(r, n - 1, r);
            } else {
                pair(n - 1, r, r);
            }
            for (jint k = 1; k < n / 2; ++k) {
                const jint a = (r + k) % rounds;
                const jint b = (r - k + rounds) % rounds;
                if (k % 2 == 0) {
                    pair(a, b, r);
                } else {
                    pair(b, a, r);
                }
            }
        }
    }
    void setLeague(const jint teams) const {
        std::vector<jint> slots;
        for (jint i = 0; i < teams; ++i) {
            slots.push_back(kFirstTeam + i);
        }
        setCompetitionTeams(slots);
        statics()->competitionSize = teams;
    }
    static jint reward(const jint index) { return (*game::statics()->resultRewardTable)[index]; }
};

// Slot 0 wins every match 3-0; the others' results and goals follow from the two slots.
ScriptedResult leagueScript(const jint home, const jint away, jint /*kind*/) {
    if (home == 0) {
        return {3, 3, 0};
    }
    if (away == 0) {
        return {1, 0, 3};
    }
    const jint r = (home * 7 + away * 3) % 3 + 1;
    const jint base = (home + 2 * away) % 3;
    return {r, base + (r == 3 ? 1 : 0), base + (r == 1 ? 1 : 0)};
}

TEST_F(LeagueMatchdayTest, DoubleRoundRobinPlaysEveryPairOnceAtEachVenueAndBooksEveryResult) {
    struct Case {
        jboolean includeAll;
        jint userSlot;
        jint excludedSlot;
        jint leagueOfColumn; // userLeague, or secondLeague with includeAll
        jint column;
    };
    const Case cases[] = {
        {0, 7, 12, 3, 0},  // a second division: column 0
        {1, 7, 12, 12, 1}, // every match; league 12 has no second division: column 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.includeAll ? "includeAll" : "user and excluded slot left out");
        GameStatics* const s = statics();
        std::fill(s->teamRatings->data(), s->teamRatings->data() + s->teamRatings->length, 0);
        clearStandingsRows();
        screens.calls.clear();
        buildSchedule(kLeagueTeams);
        setLeague(kLeagueTeams);
        s->currentRound = 5;
        s->userCompetitionSlot = c.userSlot;
        s->secondExcludedSlot = c.excludedSlot;
        s->userLeague = c.includeAll ? 0 : c.leagueOfColumn;
        s->secondLeague = c.includeAll ? c.leagueOfColumn : 1;
        screens.script = leagueScript;

        for (jint round = 0; round < 2 * kRounds; ++round) {
            s->competitionRound = round;
            const std::size_t before = screens.calls.size();
            playLeagueMatchday(1, c.includeAll);
            EXPECT_EQ(s->resultCount, static_cast<jint>(screens.calls.size() - before)) << "round " << round;
            std::set<jint> playing;
            for (std::size_t i = before; i < screens.calls.size(); ++i) {
                EXPECT_TRUE(playing.insert(screens.calls[i].home).second) << "round " << round;
                EXPECT_TRUE(playing.insert(screens.calls[i].away).second) << "round " << round;
            }
        }

        auto excluded = [&c](const jint slot) {
            return !c.includeAll && (slot == c.userSlot || slot == c.excludedSlot);
        };
        std::map<std::pair<jint, jint>, jint> meetings;
        std::vector<jint> wins(kLeagueTeams), draws(kLeagueTeams), losses(kLeagueTeams), tally(kLeagueTeams);
        for (const auto& call : screens.calls) {
            EXPECT_EQ(call.kind, 0);
            EXPECT_EQ(call.mayNote, 1);
            ++meetings[{call.home, call.away}];
            const auto h = static_cast<std::size_t>(call.home);
            const auto a = static_cast<std::size_t>(call.away);
            const jint r = call.result.code & 15;
            if (r == 3) {
                ++wins[h], ++losses[a];
                tally[h] += reward(c.column), tally[a] += reward(c.column + 10);
            } else if (r == 2) {
                ++draws[h], ++draws[a];
                tally[h] += reward(c.column + 5), tally[a] += reward(c.column + 5);
            } else {
                ++wins[a], ++losses[h];
                tally[a] += reward(c.column), tally[h] += reward(c.column + 10);
            }
        }
        for (jint a = 0; a < kLeagueTeams; ++a) {
            for (jint b = 0; b < kLeagueTeams; ++b) {
                if (a == b) {
                    continue;
                }
                const jint expected = excluded(a) || excluded(b) ? 0 : 1;
                EXPECT_EQ((meetings[{a, b}]), expected) << a << " at home to " << b;
            }
        }
        for (jint slot = 0; slot < kLeagueTeams; ++slot) {
            SCOPED_TRACE(slot);
            const auto i = static_cast<std::size_t>(slot);
            const runtime::ByteArray* const r = row(slot);
            EXPECT_EQ((*r)[standings::kWins], wins[i]);
            EXPECT_EQ((*r)[standings::kDraws], draws[i]);
            EXPECT_EQ((*r)[standings::kLosses], losses[i]);
            EXPECT_EQ(points(slot), 3 * wins[i] + draws[i]);
            EXPECT_EQ((*s->teamRatings)[kFirstTeam + slot], tally[i]);
        }
        // Slot 0 won every match it played: above 127 points and goals, read unsigned.
        const jint played = c.includeAll ? 2 * kRounds : 2 * (kRounds - 2);
        EXPECT_EQ(points(0), 3 * played);
        EXPECT_EQ(goals(0), 3 * played);

        // The table order equals an independent stable sort by points, goal difference, goals.
        std::vector<jint> expected(kLeagueTeams);
        for (jint i = 0; i < kLeagueTeams; ++i) {
            expected[static_cast<std::size_t>(i)] = i;
        }
        std::stable_sort(expected.begin(), expected.end(), [this](const jint a, const jint b) {
            return std::make_tuple(points(a), goalDifference(a), goals(a)) >
                   std::make_tuple(points(b), goalDifference(b), goals(b));
        });
        runtime::ByteArray* const order = sortStandings(kLeagueTeams, 0, 0);
        ASSERT_EQ(order->length, kLeagueTeams);
        for (jint i = 0; i < kLeagueTeams; ++i) {
            EXPECT_EQ((*order)[i], expected[static_cast<std::size_t>(i)]) << "place " << i;
        }
    }
}

TEST_F(LeagueMatchdayTest, ReturnHalfPlaysEachPairingWithTheVenuesExchanged) {
    buildSchedule(4);
    setLeague(4);
    GameStatics* const s = statics();
    s->userCompetitionSlot = -1;
    s->secondExcludedSlot = -1;
    for (jint round = 0; round < 3; ++round) {
        screens.calls.clear();
        s->competitionRound = round;
        playLeagueMatchday(0, 1);
        const auto first = screens.calls;
        screens.calls.clear();
        s->competitionRound = round + 3;
        playLeagueMatchday(0, 1);
        ASSERT_EQ(first.size(), 2U);
        ASSERT_EQ(screens.calls.size(), 2U);
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(screens.calls[i].home, first[i].away) << "round " << round;
            EXPECT_EQ(screens.calls[i].away, first[i].home) << "round " << round;
            EXPECT_EQ(screens.calls[i].mayNote, 0);
        }
    }
}

TEST_F(LeagueMatchdayTest, RoundWithoutPairingsPlaysNothing) {
    GameStatics* const s = statics();
    buildSchedule(6);
    setLeague(6);
    std::fill(s->fixtureSchedule->data(), s->fixtureSchedule->data() + s->fixtureSchedule->length,
              static_cast<runtime::jbyte>(-1));
    s->resultCount = 9;
    playLeagueMatchday(1, 1);
    EXPECT_EQ(s->resultCount, 0);
    EXPECT_TRUE(screens.calls.empty());
}

TEST_F(LeagueMatchdayTest, RewardColumnFollowsTheLeagueAndAnAwayWinBooksThreePointsAndAWin) {
    struct Case {
        jboolean includeAll;
        jint userLeague;
        jint secondLeague;
        jint column;
    };
    const Case cases[] = {
        {0, 1, 0, 0}, {0, 9, 0, 0}, {0, 8, 1, 1}, {0, 11, 1, 1}, {1, 0, 3, 0}, {1, 1, 2, 1}, {1, 1, 11, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.includeAll << " " << c.userLeague << " " << c.secondLeague);
        GameStatics* const s = statics();
        clearStandingsRows();
        std::fill(s->teamRatings->data(), s->teamRatings->data() + s->teamRatings->length, 0);
        buildSchedule(2);
        setLeague(2);
        s->userCompetitionSlot = -1;
        s->secondExcludedSlot = -1;
        s->userLeague = c.userLeague;
        s->secondLeague = c.secondLeague;
        s->competitionRound = 0;
        screens.script = [](jint, jint, jint) { return ScriptedResult{1, 0, 2}; };
        playLeagueMatchday(1, c.includeAll);
        // Slot 0 is at home in round 0 of a two-team schedule; slot 1 wins away.
        EXPECT_EQ(points(1), 3);
        EXPECT_EQ((*row(1))[standings::kWins], 1);
        EXPECT_EQ((*row(0))[standings::kLosses], 1);
        EXPECT_EQ(points(0), 0);
        EXPECT_EQ((*s->teamRatings)[kFirstTeam + 1], reward(c.column));
        EXPECT_EQ((*s->teamRatings)[kFirstTeam], reward(c.column + 10));
    }
}

TEST_F(LeagueMatchdayTest, UserMatchIsLeftOutWhicheverSideListsIt) {
    GameStatics* const s = statics();
    buildSchedule(8);
    setLeague(8);
    s->secondExcludedSlot = -1;
    for (jint user = 0; user < 8; ++user) {
        for (jint round = 0; round < 14; ++round) {
            screens.calls.clear();
            s->userCompetitionSlot = user;
            s->competitionRound = round;
            playLeagueMatchday(1, 0);
            EXPECT_EQ(screens.calls.size(), 3U) << "user " << user << " round " << round;
            for (const auto& call : screens.calls) {
                EXPECT_NE(call.home, user);
                EXPECT_NE(call.away, user);
            }
        }
    }
}

// Until the season screens are built, every match is the interim's neutral draw, still counted.
class InterimLeagueMatchdayTest : public testing_support::GameRuntimeTest {};

TEST_F(InterimLeagueMatchdayTest, EveryMatchIsANeutralDraw) {
    GameStatics* const s = statics();
    s->scheduleTeamCount = 2;
    s->scheduleRoundCount = 1;
    s->fixtureSchedule = runtime::newByteArray(2);
    (*s->fixtureSchedule)[0] = 1;
    (*s->fixtureSchedule)[1] = static_cast<runtime::jbyte>(kAway);
    s->competitionSize = 2;
    s->userCompetitionSlot = -1;
    s->secondExcludedSlot = -1;
    (*s->competitionTeams)[0] = 10;
    (*s->competitionTeams)[1] = 11;
    playLeagueMatchday(1, 1);
    EXPECT_EQ(s->resultCount, 1);
    for (const jint slot : {0, 1}) {
        const auto* const r = static_cast<runtime::ByteArray*>((*s->competitionTable)[slot]);
        EXPECT_EQ((*r)[standings::kDraws], 1);
        EXPECT_EQ((*r)[standings::kPoints], 1);
    }
}

} // namespace
} // namespace game::season
