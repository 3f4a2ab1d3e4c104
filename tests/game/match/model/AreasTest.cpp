// The areas in a team's view, offside, the goalkeeper's aim point, the player nearest to the
// ball and the space rating, on two teams of 18 players.
#include <gtest/gtest.h>

#include <functional>

#include "game/match/model/Areas.h"
#include "game/match/model/Ball.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class PitchAreasTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        statics()->ball = runtime::newObject<match::Actor>();
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
    }
    static match::Actor* ball() { return statics()->ball; }
    // Every player of both teams far off on the touchline, apart from one another.
    static void spreadOut() {
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kPlayers; ++i) {
                player(side, i)->x = (side * 18 + i) * 3000 - 50000;
                player(side, i)->y = 300000;
            }
        }
    }
};

TEST_F(PitchAreasTest, AreaBoundariesAreExclusive) {
    enum Area { Penalty, Goal, Shooting };
    struct Case {
        Area area;
        jint side, x, y;
        bool in;
    };
    const Case cases[] = {
        {Penalty, 0, -91648, 0, false},      {Penalty, 0, -91649, 0, true},
        {Penalty, 0, -91649, 48383, true},   {Penalty, 0, -91649, 48384, false},
        {Penalty, 0, -91649, -48384, false}, {Penalty, 0, 91649, 0, false},
        {Penalty, 1, 91649, 0, true},        {Penalty, 1, 91648, 0, false},
        {Goal, 0, -121856, 0, false},        {Goal, 0, -121857, 17407, true},
        {Goal, 0, -121857, 17408, false},    {Goal, 1, 121857, -17407, true},
        {Shooting, 0, 86016, 0, true},       {Shooting, 0, 86015, 0, false},
        {Shooting, 0, 100000, 53247, true},  {Shooting, 0, 100000, 53248, false},
        {Shooting, 1, -86016, 0, true},      {Shooting, 1, 86016, 0, false},
    };
    for (const Case& c : cases) {
        const CTeam* t = team(c.side);
        const bool in = c.area == Penalty
                            ? t->isInPenaltyArea(c.x, c.y)
                            : (c.area == Goal ? t->isInGoalArea(c.x, c.y) : t->isInShootingZone(c.x, c.y));
        EXPECT_EQ(in, c.in) << c.area << " side " << c.side << " (" << c.x << ", " << c.y << ")";
    }
}

TEST_F(PitchAreasTest, TheShiftedAreaMovesWithTheInstruction) {
    CPlayer* p = player(0, 4);
    p->shiftInstruction = 0;
    for (const jint x : {-91647, -91648, -91649, -120000}) {
        for (const jint y : {-48384, -48383, 0, 48383, 48384}) {
            EXPECT_EQ(team(0)->isInShiftedPenaltyArea(p, x, y), team(0)->isInPenaltyArea(x, y))
                << x << " " << y;
        }
    }
    // Shift 2: the line at -(366 << 8) = -93696, the centre at 1024.
    p->shiftInstruction = 2;
    EXPECT_FALSE(team(0)->isInShiftedPenaltyArea(p, -93696, 0));
    EXPECT_TRUE(team(0)->isInShiftedPenaltyArea(p, -93697, 49407));
    EXPECT_FALSE(team(0)->isInShiftedPenaltyArea(p, -93697, 49408));
    EXPECT_FALSE(team(0)->isInShiftedPenaltyArea(p, -93697, -47360));
    EXPECT_TRUE(team(1)->isInShiftedPenaltyArea(p, 93697, -47359));
}

// The scene: team 0 attacks towards +x; its player 5 played the ball from x 0; team 1's last
// outfield defender stands at 40000, the others further back, the keeper on his line.
TEST_F(PitchAreasTest, Offside) {
    struct Case {
        const char* name;
        std::function<void()> change;
        bool offside;
    };
    CPlayer* attacker = player(0, 9);
    const Case cases[] = {
        {"level with the last defender", [] {}, true},
        {"one unit behind him", [attacker] { attacker->x = 39999; }, false},
        {"ahead of him", [attacker] { attacker->x = 45000; }, true},
        {"the keeper does not count", [] { player(1, 0)->x = 50000; }, true},
        {"a defender off the pitch does not count",
         [] {
             player(1, 3)->x = 60000;
             player(1, 3)->outOfPlay = 1;
         },
         true},
        {"a defender further up plays him on", [] { player(1, 3)->x = 40001; }, false},
        {"a restart", [] { statics()->matchPhase = 3; }, false},
        {"ball state 2", [] { statics()->ballState = 2; }, false},
        {"ball state 3", [] { statics()->ballState = 3; }, false},
        {"ball state 9", [] { statics()->ballState = 9; }, false},
        {"an opponent played it", [] { statics()->lastTouchPlayer = player(1, 5); }, false},
        {"nobody played it", [] { statics()->lastTouchPlayer = nullptr; }, false},
        {"less than 1024 ahead of the passer", [] { player(0, 5)->x = 38977; }, false},
        {"exactly 1024 ahead of the passer", [] { player(0, 5)->x = 38976; }, true},
        {"the attacker off the pitch", [attacker] { attacker->outOfPlay = 1; }, false},
        {"in his own half",
         [attacker] {
             attacker->x = -1;
             player(0, 5)->x = -5000;
             for (jint i = 1; i <= 10; ++i) {
                 player(1, i)->x = -60000;
             }
         },
         false},
        {"on the centre line",
         [attacker] {
             attacker->x = 0;
             player(0, 5)->x = -5000;
             for (jint i = 1; i <= 10; ++i) {
                 player(1, i)->x = -60000;
             }
         },
         true},
    };
    for (const Case& c : cases) {
        GameStatics* s = statics();
        s->matchPhase = 0;
        s->ballState = 1;
        for (jint i = 0; i <= 10; ++i) {
            player(0, i)->x = -20000;
            player(0, i)->outOfPlay = 0;
            player(1, i)->x = i == 0 ? 134000 : 20000 - i * 100;
            player(1, i)->outOfPlay = 0;
        }
        player(1, 7)->x = 40000;
        player(0, 5)->x = 0;
        attacker->x = 40000;
        s->lastTouchPlayer = player(0, 5);
        c.change();
        EXPECT_EQ(attacker->isOffside(), c.offside) << c.name;
    }
    // The same for the team attacking towards -x.
    statics()->lastTouchPlayer = player(1, 5);
    player(1, 5)->x = 0;
    player(1, 9)->x = -40000;
    for (jint i = 1; i <= 10; ++i) {
        player(0, i)->x = i == 7 ? -40000 : -20000;
    }
    EXPECT_TRUE(player(1, 9)->isOffside());
    player(1, 9)->x = -39999;
    EXPECT_FALSE(player(1, 9)->isOffside());
}

TEST_F(PitchAreasTest, KeeperAimPoint) {
    struct Case {
        const char* name;
        jint side, state, bx, by, aimX, aimY;
        bool changed;
    };
    // Team 0's goal line is at -134912, team 1's at 134912.
    const Case cases[] = {
        {"straight out: k = 39", 0, 6, -134912 + 56320, 0, -124928, 0, true},
        {"the same again", 0, 6, -134912 + 56320, 0, -124928, 0, false},
        {"behind the goal: held on the line", 0, 6, -140000, 0, -133120, 0, true},
        {"wide: held at 7680 across and off the line", 0, 6, -134912 + 16384, 200000, -133120, 7680, true},
        {"the aim of a ball in flight", 0, 1, 0, 0, -124928, 0, true},
        {"the other team", 1, 6, 134912 - 56320, 0, 124928, 0, true},
        {"the other team, behind its goal", 1, 6, 140000, 0, 133120, 0, true},
        {"at the centre of its own goal line: kept", 1, 6, 134912, 0, 133120, 0, false},
    };
    for (const Case& c : cases) {
        statics()->ballState = c.state;
        ball()->x = c.bx;
        ball()->y = c.by;
        // A ball in flight aims at its landing point.
        ball()->aimX = -134912 + 56320;
        ball()->aimY = 0;
        EXPECT_EQ(team(c.side)->updateKeeperTarget(), c.changed) << c.name;
        EXPECT_EQ(player(c.side, 0)->aimX, c.aimX) << c.name;
        EXPECT_EQ(player(c.side, 0)->aimY, c.aimY) << c.name;
    }
}

TEST_F(PitchAreasTest, NearestToTheBall) {
    for (jint i = 0; i < CTeam::kPlayers; ++i) {
        player(0, i)->distanceToBall = 334848;
    }
    EXPECT_EQ(match::findNearestToBall(0, 1), nullptr);
    player(0, 11)->distanceToBall = 10; // the bench is not scanned
    player(0, 6)->distanceToBall = 334847;
    EXPECT_EQ(match::findNearestToBall(0, 1), player(0, 6));
    player(0, 3)->distanceToBall = 5000;
    player(0, 8)->distanceToBall = 5000;
    EXPECT_EQ(match::findNearestToBall(0, 1), player(0, 3));
    player(0, 3)->outOfPlay = 1;
    EXPECT_EQ(match::findNearestToBall(0, 1), player(0, 8));
    player(0, 0)->distanceToBall = 100;
    EXPECT_EQ(match::findNearestToBall(0, 1), player(0, 0));
    EXPECT_EQ(match::findNearestToBall(0, 0), player(0, 8));
    EXPECT_EQ(match::findNearestToBall(2, 1), nullptr);
    // The keeper nearest to a ball in the middle third of the width.
    ball()->y = 24191;
    EXPECT_TRUE(team(0)->isKeeperNearestToCentralBall());
    ball()->y = -24192;
    EXPECT_FALSE(team(0)->isKeeperNearestToCentralBall());
    ball()->y = 0;
    player(0, 0)->distanceToBall = 6000;
    EXPECT_FALSE(team(0)->isKeeperNearestToCentralBall());
}

TEST_F(PitchAreasTest, SpaceRating) {
    struct Case {
        const char* name;
        std::function<void()> place;
        jint d, grade;
    };
    CPlayer* mover = player(0, 5);
    const Case cases[] = {
        {"nobody near: the mover is not in his own way", [] {}, 0, 3},
        {"an opponent within 16384 of the point",
         [] {
             player(1, 4)->x = 10000;
             player(1, 4)->y = 30000;
         },
         0, 1},
        {"an opponent within 32768 of the point",
         [] {
             player(1, 4)->x = 10000;
             player(1, 4)->y = 50000;
         },
         0, 2},
        {"a team-mate near the point",
         [] {
             player(0, 4)->x = 10000;
             player(0, 4)->y = 30000;
         },
         0, 3},
        {"the keeper counts",
         [] {
             player(1, 0)->x = 10000;
             player(1, 0)->y = 40000;
         },
         0, 2},
        {"off the pitch he does not",
         [] {
             player(1, 0)->x = 10000;
             player(1, 0)->y = 40000;
             player(1, 0)->outOfPlay = 1;
         },
         0, 3},
        {"a team-mate in the way",
         [] {
             player(0, 4)->x = 0;
             player(0, 4)->y = -12287;
         },
         0, 0},
        {"an opponent in the way",
         [] {
             player(1, 4)->x = 12287;
             player(1, 4)->y = 0;
         },
         2, 0},
        {"beside the way: only its crowding counts",
         [] {
             player(1, 4)->x = 12287;
             player(1, 4)->y = 0;
         },
         0, 2},
        {"just far enough",
         [] {
             player(0, 4)->x = 0;
             player(0, 4)->y = -12288;
         },
         0, 3},
    };
    for (const Case& c : cases) {
        spreadOut();
        player(1, 0)->outOfPlay = 0;
        mover->x = 0;
        mover->y = 0;
        c.place();
        // The point rated: (10000, 20000).
        EXPECT_EQ(team(0)->rateSpace(mover, 10000, 20000, c.d), c.grade) << c.name;
    }
}

} // namespace
} // namespace game::testing
