// The background leagues and national cups over a whole season: a slot store keeps each
// competition's working set; every other league plays each of its rounds once and in order,
// every other country's cup plays steps 3 to 10 once, nothing is replayed at an unchanged
// position, the user's own league and cup are never touched, and the partner division's
// promotion or relegation news names the right three teams.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "game/core/services/SeasonScreenServices.h"
#include "game/season/BackgroundCompetitions.h"
#include "game/season/CalendarSearch.h"
#include "game/season/DaySchedule.h"
#include "game/season/LeagueTables.h"
#include "tests/game/support/SeasonFixture.h"

namespace game::season {
using namespace game::core;

namespace {

using game::testing::PostedMessage;

constexpr jint kCompetitionTeams = 20;
constexpr jint kCupTeams = 16;
constexpr jint kCupSlotBase = 13;

// One competition's working set as a slot keeps it.
struct Slot {
    std::vector<jshort> teams;
    std::vector<jbyte> table;
    std::vector<jbyte> bracket;
    jint size = 0;
    jbyte position = -1;
};

// Plays every match as a home win (3-0 from slot 0, 2-0 from slot 2, else 1-0) and keeps the
// competition working sets per slot; a slot restored for the first time starts with cleared
// standings, backgroundPosition -1 and 16 slots (and, for a cup, the last 16 drawn 0-1, 2-3, ...).
class SlotStore final : public SeasonScreenServices {
public:
    // (competition, kind, round, second leg) of every match played.
    struct Match {
        jint competition;
        jint kind;
        jint round;
        jint secondLeg;
    };
    jint simulateFixture(const jint home, const jint away, jboolean, jboolean, jboolean, jboolean,
                         const jint kind, jboolean) override {
        GameStatics* const s = statics();
        s->resultSkipFlag = 0;
        matches.push_back({s->secondLeague, kind, s->competitionRound, s->cupSecondLeg});
        const jint goals = home == 0 ? 3 : home == 2 ? 2 : 1;
        addGoals(home, goals, 0);
        addGoals(away, 0, goals);
        return 0x33;
    }
    void setupCompetitionDay(jint, jint) override {}
    void prepareLeague(jint, jboolean, jboolean) override {}
    void loadLeagueData(const jint league, jboolean, jboolean) override {
        GameStatics* const s = statics();
        copyLeagueTeams(s->competitionTeams, league, 0);
        s->competitionSize = kCompetitionTeams;
        loaded.push_back(league);
    }
    void buildLeagueDayFixtures(jint, jboolean) override {}
    void updateCompetitionStrengths() override {}
    void prepareTeamSide(const jint side, const jint team, const jint mode) override {
        prepared.push_back({side, team, mode});
    }
    void selectLeagueState(const jboolean isCup, const jint index, const jboolean save) override {
        const jint key = isCup ? kCupSlotBase + index : index;
        GameStatics* const s = statics();
        if (save) {
            Slot& slot = slots[key];
            slot.teams.assign(s->competitionTeams->data(), s->competitionTeams->data() + 32);
            slot.table.clear();
            for (jint i = 0; i < 32; ++i) {
                auto* const row = static_cast<runtime::ByteArray*>((*s->competitionTable)[i]);
                slot.table.insert(slot.table.end(), row->data(), row->data() + 8);
            }
            slot.bracket.assign(s->cupBracket->data(), s->cupBracket->data() + 32);
            slot.size = s->competitionSize;
            slot.position = s->backgroundPosition;
            return;
        }
        const auto found = slots.find(key);
        if (found == slots.end()) {
            clearStandingsRows();
            for (jint i = 0; i < 32; ++i) {
                auto* const row = static_cast<runtime::ByteArray*>((*s->competitionTable)[i]);
                std::fill_n(row->data(), 8, 0);
                (*s->cupBracket)[i] = static_cast<jbyte>(isCup && i < kCupTeams ? i : -1);
            }
            s->backgroundPosition = -1;
            s->competitionSize = kCupTeams;
            return;
        }
        const Slot& slot = found->second;
        std::copy(slot.teams.begin(), slot.teams.end(), s->competitionTeams->data());
        for (jint i = 0; i < 32; ++i) {
            auto* const row = static_cast<runtime::ByteArray*>((*s->competitionTable)[i]);
            std::copy_n(slot.table.begin() + 8 * i, 8, row->data());
        }
        std::copy(slot.bracket.begin(), slot.bracket.end(), s->cupBracket->data());
        s->competitionSize = slot.size;
        s->backgroundPosition = slot.position;
    }
    void saveCompetitionState370(jint) override {}
    void storeRoundFixtures(jint, jboolean, jint) override {}
    jint transferInterest(jint, jint, jint, jint) override { return 0; }
    runtime::String* getPlayerLabel(jint) override { return nullptr; }

    std::vector<Match> matches;
    std::vector<jint> loaded;
    std::vector<std::array<jint, 3>> prepared;
    std::map<jint, Slot> slots;

private:
    static void addGoals(const jint slot, const jint scored, const jint conceded) {
        auto* const row = static_cast<runtime::ByteArray*>((*statics()->competitionTable)[slot]);
        const jint difference = (((*row)[5] << 8) | ((*row)[6] & 0xFF)) + scored - conceded;
        (*row)[5] = static_cast<jbyte>(difference >> 8);
        (*row)[6] = static_cast<jbyte>(difference);
        (*row)[7] = static_cast<jbyte>((*row)[7] + scored);
    }
};

class BackgroundCompetitionsTest : public game::testing::SeasonTest {
protected:
    void SetUp() override {
        SeasonTest::SetUp();
        setUpTwentyTeamLeagues();
        GameStatics* const s = statics();
        // A schedule of fixed pairs: slot 2k at home to slot 2k + 1 in every round.
        s->scheduleTeamCount = kCompetitionTeams;
        s->scheduleRoundCount = kCompetitionTeams - 1;
        s->fixtureSchedule = runtime::newByteArray(kCompetitionTeams * (kCompetitionTeams - 1));
        for (jint i = 0; i < kCompetitionTeams; ++i) {
            for (jint r = 0; r < kCompetitionTeams - 1; ++r) {
                (*s->fixtureSchedule)[i * (kCompetitionTeams - 1) + r] =
                    static_cast<jbyte>((i ^ 1) | (i % 2 == 1 ? 0x40 : 0));
            }
        }
        for (jint i = 0; i < s->layoutRows->length; ++i) {
            (*s->layoutRows)[i] = static_cast<jshort>(i);
        }
    }
    // Forgets every slot, match and message of an earlier run.
    void reset() {
        store.matches.clear();
        store.loaded.clear();
        store.prepared.clear();
        store.slots.clear();
        club.messages.clear();
        statics()->promotionMessagesOff = 0;
    }
    jint matchCount(const jint competition, const jint kind) const {
        jint n = 0;
        for (const SlotStore::Match& m : store.matches) {
            n += m.competition == competition && m.kind == kind ? 1 : 0;
        }
        return n;
    }
    // The league steps of the calendar for a league, in order.
    std::vector<jint> leagueSteps(const jint league) const {
        std::vector<jint> steps;
        for (jint position = 0; position < kCalendarPositions; ++position) {
            if (position % kMonthPositions == 0) {
                buildDaySchedule(position / kMonthPositions, league, 1, 1);
            }
            loadEventPair(position % kMonthPositions);
            if (statics()->scheduleType == kLeagueEvent) {
                steps.push_back(statics()->competitionStep);
            }
        }
        return steps;
    }
    // Rounds (or (round, second leg) steps) of a competition, one per matchday played.
    std::vector<jint> played(const jint competition, const jint kind) const {
        std::vector<jint> rounds;
        jint last = -1;
        for (const SlotStore::Match& m : store.matches) {
            if (m.competition != competition || m.kind != kind) {
                continue;
            }
            // Back to the cup step: round r is steps 2r - 3 (second leg) and 2r - 2.
            const jint value = kind == 0 ? m.round : 2 * m.round - 2 - m.secondLeg;
            if (value != last) {
                rounds.push_back(value);
                last = value;
            }
        }
        return rounds;
    }
    void playSeason(const jint userLeague) {
        GameStatics* const s = statics();
        s->userLeague = userLeague;
        for (jint position = 0; position < kCalendarPositions; ++position) {
            s->monthIndex = position / kMonthPositions;
            s->matchDayIndex = position % kMonthPositions;
            playOtherCompetitions(0);
        }
    }

    SlotStore store;
    runtime::ScopedService<SeasonScreenServices> storeScope{&installSeasonScreenServices, store};
};

TEST_F(BackgroundCompetitionsTest, SeasonPlaysEveryOtherCompetitionOnceAndInOrder) {
    for (const jint userLeague : {4, 5, 11}) {
        SCOPED_TRACE(userLeague);
        reset();
        playSeason(userLeague);
        const jint userCountry = userLeague < 10 ? userLeague >> 1 : userLeague - 5;
        for (jint league = 0; league < 13; ++league) {
            if (league == userLeague) {
                EXPECT_TRUE(played(league, 0).empty());
                EXPECT_EQ(store.slots.count(league), 0U);
                continue;
            }
            const std::vector<jint> steps = leagueSteps(league);
            EXPECT_GE(steps.size(), 30U) << "league " << league;
            EXPECT_EQ(played(league, 0), steps) << "league " << league;
            // Eight matches a round (a fresh slot holds 16 teams): no round is played twice.
            EXPECT_EQ(matchCount(league, 0), 8 * static_cast<jint>(steps.size())) << "league " << league;
        }
        for (jint country = 0; country < 8; ++country) {
            const std::vector<jint> steps = played(country, 1);
            if (country == userCountry) {
                EXPECT_TRUE(steps.empty());
                EXPECT_EQ(store.slots.count(kCupSlotBase + country), 0U);
                continue;
            }
            EXPECT_EQ(steps, (std::vector<jint>{3, 4, 5, 6, 7, 8, 9, 10})) << "country " << country;
            EXPECT_EQ(matchCount(country, 1), 8 + 8 + 4 + 4 + 2 + 2 + 1 + 1) << "country " << country;
        }
        // Nothing more at an unchanged position.
        const size_t matches = store.matches.size();
        playOtherCompetitions(0);
        EXPECT_EQ(store.matches.size(), matches);
    }
}

TEST_F(BackgroundCompetitionsTest, PartnerDivisionNews) {
    const struct {
        jint userLeague;
        std::vector<PostedMessage> messages;
    } cases[] = {
        // League 5's top three come up: slots 0 (3-0 wins), 2 (2-0) and 4 of teams 100..119.
        {4,
         {{18, 100, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
          {18, 102, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
          {18, 104, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}}},
        // League 4's bottom three go down: of 16 slots played, slot 1 (0-3), 3 (0-2), then 15 (the
        // last of the 0-1 losers), behind the four slots that never played.
        {5,
         {{19, 81, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
          {19, 83, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
          {19, 95, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}}},
        {11, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.userLeague);
        reset();
        GameStatics* const s = statics();
        s->userLeague = c.userLeague;
        s->monthIndex = 3;
        s->matchDayIndex = 0;
        playOtherCompetitions(1);
        EXPECT_EQ(club.messages, c.messages);
        club.messages.clear();
        s->promotionMessagesOff = 1;
        playOtherCompetitions(1);
        EXPECT_TRUE(club.messages.empty());
    }
}

TEST_F(BackgroundCompetitionsTest, OneTeamAWeekIsPrepared) {
    GameStatics* const s = statics();
    s->userLeague = 0;
    s->matchDayIndex = 3; // team 3 plays in the user's league 0
    playOtherCompetitions(0);
    EXPECT_TRUE(store.prepared.empty());
    s->userLeague = 2;
    playOtherCompetitions(0);
    ASSERT_EQ(store.prepared.size(), 1U);
    EXPECT_EQ(store.prepared[0], (std::array<jint, 3>{1, 3, 0}));
}

TEST_F(BackgroundCompetitionsTest, CompetitionAtTheSeasonsEndIsLeftAlone) {
    GameStatics* const s = statics();
    s->monthIndex = 11;
    s->matchDayIndex = 7;
    s->secondLeague = 3;
    s->backgroundPosition = 95;
    advanceOtherCompetition(0);
    EXPECT_TRUE(store.matches.empty());
    EXPECT_EQ(s->backgroundPosition, 95);
}

} // namespace
} // namespace game::season
