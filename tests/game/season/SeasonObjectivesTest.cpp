// The season objectives: the stage of a cup progress byte, the values moved into objectiveA..C,
// the three tally terms by division with the floor at 0, and no scoring when score is clear.
#include <gtest/gtest.h>

#include "game/season/SeasonObjectives.h"
#include "tests/support/GameRuntime.h"

namespace game::season {

namespace {

class SeasonObjectivesTest : public testing_support::GameRuntimeTest {
protected:
    void setStatus(const jint position, const jint cup, const jint continental) const {
        runtime::ByteArray* const status = statics()->cupStatus;
        (*status)[0] = static_cast<jbyte>(position);
        (*status)[1] = static_cast<jbyte>(cup);
        (*status)[2] = static_cast<jbyte>(continental);
    }
    void setPrevious(const jint league, const jint cup, const jint continental) const {
        statics()->userLeagueExpectation = league;
        statics()->userCupExpectation = cup;
        statics()->userContinentalExpectation = continental;
    }
};

TEST_F(SeasonObjectivesTest, StageOfProgressBytes) {
    const struct {
        jint progress;
        jint stage;
    } cases[] = {{-2, 0}, {-1, 0}, {0, 0}, {2, 0}, {1, 5}, {7, 5}, {3, 1}, {5, 3}, {6, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(cupStage(c.progress), c.stage) << c.progress;
    }
}

TEST_F(SeasonObjectivesTest, ValuesMoveWithoutScoring) {
    GameStatics* const s = statics();
    setPrevious(4, 2, 3);
    setStatus(2, 1, 5);
    s->userRating = 80;
    settleSeasonObjectives(0);
    EXPECT_EQ(s->objectiveA, 4);
    EXPECT_EQ(s->objectiveC, 2);
    EXPECT_EQ(s->objectiveB, 3);
    EXPECT_EQ(s->userLeagueExpectation, 3);
    EXPECT_EQ(s->userCupExpectation, 5);
    EXPECT_EQ(s->userContinentalExpectation, 3);
    EXPECT_EQ(s->userRating, 80);
}

struct TallyCase {
    const char* name;
    jint league;
    jint previousLeague, previousCup, previousContinental;
    jint position, cup, continental; // cupStatus bytes
    jint tally;
    jint expected;
};

TEST_F(SeasonObjectivesTest, TallyTermsByDivisionWithTheFloorAtZero) {
    const TallyCase cases[] = {
        // A first division finishing third after 3 gains 100, after 4 loses 100 (cups met: +150 +50).
        {"third after third", 0, 3, 0, 0, 2, -1, -1, 1000, 1000 + 100 + 150 + 50},
        {"third after fourth", 0, 4, 0, 0, 2, -1, -1, 1000, 1000 - 100 + 150 + 50},
        {"second division, league met", 3, 1, 0, 0, 0, -1, -1, 0, 50 + 150 + 50},
        {"second division, league missed", 3, 5, 0, 0, 0, -1, -1, 500, 500 - 50 + 150 + 50},
        {"single-division league takes the first-division terms", 11, 5, 0, 0, 0, -1, -1, 500,
         500 - 100 + 200},
        {"cups below their previous stages", 0, 1, 5, 5, 4, 3, 4, 1000, 1000 + 100 - 150 - 50},
        {"cups won", 0, 1, 5, 5, 4, 1, 1, 0, 100 + 150 + 50},
        {"three penalties end at 0", 1, 9, 3, 3, 0, -1, -1, 80, 0},
        {"a 16-bit tally wraps below 0 and ends at 0", 0, 1, 0, 0, 0, -1, -1, 32700, 0},
    };
    for (const TallyCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameStatics* const s = statics();
        s->userLeague = c.league;
        setPrevious(c.previousLeague, c.previousCup, c.previousContinental);
        setStatus(c.position, c.cup, c.continental);
        s->userRating = static_cast<jshort>(c.tally);
        settleSeasonObjectives(1);
        EXPECT_EQ(s->userRating, c.expected);
    }
}

} // namespace
} // namespace game::season
