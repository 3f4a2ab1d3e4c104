// The pass-lane test: the distance band of every kind at its edges, the throw-in maximum, the
// bands that grow with carrierStage (empty below stage 5, kind 5's fallback), kind 3, the keeper's
// throw, run targets and the short pass's lead rule, the lane grades, the unmarked pass, the pull
// towards goal from a wide cell with its cap and the default point.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameMath.h"
#include "game/match/Geometry.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kLaneBallX = 4096;
constexpr jint kLaneBallY = -2048;
constexpr jint kLaneEast = 2;

class PassLaneTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5194);
        GameStatics* s = statics();
        s->ball->x = kLaneBallX;
        s->ball->y = kLaneBallY;
        // Everybody off the pitch but the passer; each case brings on whom it needs.
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kPlayers; ++i) {
                player(side, i)->outOfPlay = 1;
            }
        }
        passer()->outOfPlay = 0;
        passer()->x = kLaneBallX;
        passer()->y = kLaneBallY;
    }
    static CPlayer* passer() { return player(0, 6); }
    // Team-mate i on the pitch at (x, y), seen from the ball in direction d at distance D.
    static CPlayer* mate(const jint i, const jint x, const jint y, const jint d, const jint D) {
        CPlayer* m = player(0, i);
        m->outOfPlay = 0;
        m->x = x;
        m->y = y;
        m->defaultDirection = (d + 4) & 7;
        m->distanceToBall = D;
        return m;
    }
    static CPlayer* opponentAt(const jint i, const jint x, const jint y) {
        CPlayer* o = player(1, i);
        o->outOfPlay = 0;
        o->x = x;
        o->y = y;
        return o;
    }
    static void expectCandidate(const jint x, const jint y, const jint slot, const std::string& what) {
        const GameStatics* s = statics();
        EXPECT_EQ(s->candidateX, x) << what;
        EXPECT_EQ(s->candidateY, y) << what;
        EXPECT_EQ(s->candidateSlot, slot) << what;
    }
    // The ball moved `length` along direction d.
    static std::pair<jint, jint> along(const jint length, const jint d) {
        core::directionToVector(length, d);
        return {kLaneBallX + statics()->vectorX, kLaneBallY + statics()->vectorY};
    }
};

TEST_F(PassLaneTest, EachKindTakesAMateOnlyWithinItsBand) {
    GameStatics* s = statics();
    struct Case {
        jint kind, phase, stage, distance;
        bool found;
        jint defaultLength;
    };
    const Case cases[] = {
        {0, 0, 0, 12287, false, 25600},
        {0, 0, 0, 12288, true, 0},
        {0, 0, 0, 49152, true, 0},
        {0, 0, 0, 49153, false, 25600},
        {0, 3, 0, 24576, true, 0},
        {0, 3, 0, 24577, false, 25600},
        {10, 0, 0, 49151, false, 75776},
        {10, 0, 0, 49152, true, 0},
        {10, 0, 0, 102400, true, 0},
        {10, 0, 0, 102401, false, 75776},
        {1, 0, 0, 87039, false, 135680},
        {1, 0, 0, 87040, true, 0},
        {1, 0, 0, 184320, true, 0},
        {9, 0, 0, 12288, true, 0},
        {9, 0, 0, 184321, false, 25600},
        // carrierStage 8: L = 92160, the band 92160..138240, the default 115200.
        {2, 0, 8, 92159, false, 115200},
        {2, 0, 8, 92160, true, 0},
        {2, 0, 8, 138240, true, 0},
        {2, 0, 8, 138241, false, 115200},
        // carrierStage 12: L = 153600, the maximum stops at 184320.
        {2, 0, 12, 184320, true, 0},
        {2, 0, 12, 184321, false, 176640},
        // Below stage 5 the band is empty; at stage 0 the default length is negative.
        {2, 0, 4, 87040, false, 53760},
        {2, 0, 0, 87040, false, -7680},
    };
    for (const Case& c : cases) {
        const std::string what = "kind " + std::to_string(c.kind) + " phase " + std::to_string(c.phase) +
                                 " stage " + std::to_string(c.stage) + " at " + std::to_string(c.distance);
        s->matchPhase = c.phase;
        s->carrierStage = c.stage;
        mate(3, 70000, 5000, kLaneEast, c.distance);
        EXPECT_EQ(passer()->passLaneOpen(kLaneEast, c.kind), c.found) << what;
        if (c.found) {
            expectCandidate(70000, 5000, 3, what);
        } else {
            const auto [x, y] = along(c.defaultLength, kLaneEast);
            expectCandidate(x, y, -1, what);
        }
    }
}

TEST_F(PassLaneTest, KindThreeAndAnEmptyDirectionLeaveTheDefaultPoint) {
    mate(2, 40000, 0, kLaneEast, 30000);
    EXPECT_FALSE(passer()->passLaneOpen(kLaneEast, 3));
    const auto ahead = along(184320, kLaneEast);
    expectCandidate(ahead.first, ahead.second, -1, "kind 3 never searches");
    EXPECT_EQ(ahead.first, kLaneBallX + 184320);

    // The mate stands east; nobody is south-east (a diagonal default point).
    EXPECT_FALSE(passer()->passLaneOpen(3, 0));
    const auto diagonal = along(25600, 3);
    expectCandidate(diagonal.first, diagonal.second, -1, "nobody in the direction");
    EXPECT_EQ(diagonal.first - kLaneBallX, (25600 * 362) >> 9);
}

TEST_F(PassLaneTest, KindFiveFallsBackOnTheLastMateInTheDirection) {
    GameStatics* s = statics();
    s->carrierStage = 4; // L 30720: the band is empty, the default length 53760
    mate(2, 60000, 8000, kLaneEast, 56000);
    mate(4, 30000, -6000, kLaneEast, 26000);
    mate(5, 30000, 30000, 3, 26000); // another direction: never the fallback
    EXPECT_FALSE(passer()->passLaneOpen(kLaneEast, 2));
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 5));
    core::scaleVectorTo(53760, (30000 - kLaneBallX) >> 4, (-6000 - kLaneBallY) >> 4);
    expectCandidate(kLaneBallX + s->vectorX, kLaneBallY + s->vectorY, 4, "the later mate is the fallback");
    // Nobody in the direction: no fallback, the default point.
    EXPECT_FALSE(passer()->passLaneOpen(6, 5));
    const auto [x, y] = along(53760, 6);
    expectCandidate(x, y, -1, "kind 5 without a fallback");
}

TEST_F(PassLaneTest, TheKeepersThrowLooksByPositionAndFromTheHandOnlyForFullBacks) {
    GameStatics* s = statics();
    CPlayer* keeper = player(0, 0);
    keeper->outOfPlay = 0;
    keeper->x = -120000;
    keeper->y = 0;
    // Direction and distance from the keeper's own position: south-east and east are both
    // neighbours of east; the mates' distanceToBall does not count.
    CPlayer* back = mate(2, -30000, 20000, 0, 1);
    back->role = 1;
    back->linePosition = 1;
    CPlayer* midfielder = mate(7, -40000, 0, 0, 1);
    midfielder->role = 2;
    midfielder->linePosition = 3;
    keeper->action = 8; // band 76800..102400
    EXPECT_TRUE(keeper->passLaneOpen(kLaneEast, 6));
    expectCandidate(-40000, 0, 7, "the nearer of the two");

    keeper->task = 16; // the ball in his hands: full-backs only
    EXPECT_TRUE(keeper->passLaneOpen(kLaneEast, 6));
    expectCandidate(-30000, 20000, 2, "the full-back");
    back->linePosition = 2;
    EXPECT_FALSE(keeper->passLaneOpen(kLaneEast, 6));
    EXPECT_EQ(s->candidateSlot, -1);
    back->linePosition = 4;

    // The holder's slot is passed over in a throw; the direction may be one step off, no more.
    keeper->task = 0;
    s->ballHolder = midfielder;
    EXPECT_TRUE(keeper->passLaneOpen(1, 6));
    expectCandidate(-30000, 20000, 2, "holder passed over, two steps is too far for nobody");
    EXPECT_FALSE(keeper->passLaneOpen(0, 6));
    s->ballHolder = nullptr;
    // Without action 8 the long band 174080..184320.
    keeper->action = 0;
    EXPECT_FALSE(keeper->passLaneOpen(kLaneEast, 6));
    const auto [x, y] = along(135680, kLaneEast);
    expectCandidate(x, y, -1, "no mate within the long throw's band");
}

TEST_F(PassLaneTest, RunTargetsCountForShortAndMediumPasses) {
    GameStatics* s = statics();
    // The mate stands north; he runs to a point east of the ball.
    CPlayer* runner = mate(5, kLaneBallX, -40000, 0, 30000);
    runner->task = 2;
    struct Case {
        jint kind, targetDistance, passerTask;
        bool found;
    };
    const Case cases[] = {
        {0, 30000 + 8192, 0, true},  {0, 30000 - 8192, 0, true}, {0, 30000 + 8193, 0, false},
        {0, 30000 - 8193, 0, false}, {10, 90000, 0, true},       {10, 90000, 1, false},
        {0, 30000, 5, false},        {1, 90000, 0, false},
    };
    for (const Case& c : cases) {
        const std::string what = "kind " + std::to_string(c.kind) + " target " +
                                 std::to_string(c.targetDistance) + " task " + std::to_string(c.passerTask);
        passer()->task = c.passerTask;
        runner->aimX = kLaneBallX + c.targetDistance;
        runner->aimY = kLaneBallY;
        EXPECT_EQ(passer()->passLaneOpen(kLaneEast, c.kind), c.found) << what;
        if (c.found) {
            expectCandidate(runner->aimX, runner->aimY, 5, what);
        } else {
            EXPECT_EQ(s->candidateSlot, -1) << what;
        }
    }
    // No target at (0, 0), nor for a mate on another task.
    passer()->task = 0;
    runner->aimX = 0;
    runner->aimY = 0;
    EXPECT_FALSE(passer()->passLaneOpen(2, 0));
    runner->aimX = kLaneBallX + 30000;
    runner->aimY = kLaneBallY;
    runner->task = 4;
    EXPECT_FALSE(passer()->passLaneOpen(kLaneEast, 0));
}

TEST_F(PassLaneTest, ANearerMateReplacesOnlyWithAGoodEnoughLane) {
    // Mate 2 far and clear; mate 3 nearer behind an opponent on the line of the pass.
    mate(2, 34000, -40000, kLaneEast, 40000);
    mate(3, 24000, -2048, kLaneEast, 20000);
    opponentAt(4, 14000, -2048);
    const CTeam* t = team(0);
    ASSERT_EQ(t->ratePassTarget(passer(), 34000, -40000, 0), -1);
    ASSERT_NE(t->ratePassTarget(passer(), 24000, -2048, 0), -1);
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 0));
    expectCandidate(34000, -40000, 2, "a clear lane is not given up for a blocked one");
    // The other way round: the nearer clear lane wins.
    player(1, 4)->outOfPlay = 1;
    opponentAt(4, 19048, -21024);
    ASSERT_NE(t->ratePassTarget(passer(), 34000, -40000, 0), -1);
    ASSERT_EQ(t->ratePassTarget(passer(), 24000, -2048, 0), -1);
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 0));
    expectCandidate(24000, -2048, 3, "a nearer clear lane");
    // Equal distances: the lower slot stays.
    mate(3, 24000, -2048, kLaneEast, 40000);
    player(1, 4)->outOfPlay = 1;
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 0));
    EXPECT_EQ(statics()->candidateSlot, 2);
}

TEST_F(PassLaneTest, AnUnmarkedPassPassesOverMarkedMates) {
    mate(3, 40000, 10000, kLaneEast, 36000);
    mate(8, 80000, 10000, kLaneEast, 76000);
    opponentAt(0, 40000 + 15359, 10000);
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 9));
    expectCandidate(80000, 10000, 8, "mate 3 is marked");
    player(1, 0)->x = 40000 + 15360;
    EXPECT_TRUE(passer()->passLaneOpen(kLaneEast, 9));
    expectCandidate(40000, 10000, 3, "15360 away is unmarked");
}

TEST_F(PassLaneTest, FromAWideAttackingCellThePointIsPulledTowardsGoalAndCapped) {
    GameStatics* s = statics();
    passer()->cellX = 8;
    passer()->cellY = 5;
    struct Case {
        jint side, mateX, mateY, distance, kind;
    };
    for (const Case c : {Case{0, 60000, 40000, 80000, 10}, Case{0, 118000, 20000, 120000, 1},
                         Case{1, -60000, -40000, 80000, 10}, Case{1, -118000, 20000, 120000, 1}}) {
        const std::string what = "side " + std::to_string(c.side) + " mate at " + std::to_string(c.mateX);
        CPlayer* p = player(c.side, 6);
        p->outOfPlay = 0;
        p->x = kLaneBallX;
        p->y = kLaneBallY;
        p->cellX = 8;
        p->cellY = -6;
        CPlayer* m = player(c.side, 9);
        m->outOfPlay = 0;
        m->x = c.mateX;
        m->y = c.mateY;
        m->defaultDirection = 0;
        m->distanceToBall = c.distance;
        ASSERT_TRUE(p->passLaneOpen(4, c.kind)) << what;
        const jint goalX = c.side == 0 ? 135168 : -135168;
        core::directionToVector(c.distance >> 3, match::directionFromVector(goalX - c.mateX, -c.mateY));
        jint x = c.mateX + s->vectorX;
        if (c.side == 0 && x > 121856) {
            x = 121856;
        }
        if (c.side == 1 && x < -121856) {
            x = -121856;
        }
        expectCandidate(x, c.mateY + s->vectorY, 9, what);
        if (c.kind == 1) {
            EXPECT_EQ(s->candidateX, c.side == 0 ? 121856 : -121856) << what << ": capped";
        }
        p->outOfPlay = 1;
        m->outOfPlay = 1;
    }
    // Not wide: no pull.
    mate(9, 60000, 40000, kLaneEast, 80000);
    passer()->cellY = 4;
    ASSERT_TRUE(passer()->passLaneOpen(kLaneEast, 10));
    expectCandidate(60000, 40000, 9, "a central cell");
}

TEST_F(PassLaneTest, BadDirectionsAndKindsGiveTheBallsPointAndNoSlot) {
    mate(3, 40000, 0, kLaneEast, 36000);
    EXPECT_FALSE(passer()->passLaneOpen(8, 0));
    expectCandidate(kLaneBallX, kLaneBallY, -1, "direction 8");
    EXPECT_FALSE(passer()->passLaneOpen(kLaneEast, 4));
    expectCandidate(kLaneBallX, kLaneBallY, -1, "kind 4");
}

} // namespace
} // namespace game::testing
