// The ball collection test: the edge of collecting at once (1792 against 1793), who is locked
// out (a holder, the toucher and his opponents for three ticks, a receiving team-mate, the wall,
// a restart), the path tests, and the reach branches that start a reaction and answer false.
#include <gtest/gtest.h>

#include "game/match/MatchConstants.h"
#include "game/match/StandIns.h"
#include "game/match/model/Ball.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class BallCollectionTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(2141);
        GameStatics* s = statics();
        s->touchTicks = 10;
        // The ball at the centre spot flying along +x, its path 1000 a tick at height z.
        match::placeBall(0, 0);
        s->ballState = match::kBallLofted;
        fillPath(0);
    }
    static void fillPath(const jint z) {
        GameStatics* s = statics();
        for (jint i = 0; i < 200; ++i) {
            (*s->ballPathX)[i] = i * 1000;
            (*s->ballPathY)[i] = 0;
            (*s->ballPathZ)[i] = z;
        }
        s->ballPathIndex = 10;
    }
    // Player `slot` of side at (x, y), distanceToBall d.
    static CPlayer* at(const jint side, const jint slot, const jint x, const jint y, const jint d) {
        CPlayer* p = player(side, slot);
        p->x = x;
        p->y = y;
        p->distanceToBall = d;
        return p;
    }
};

TEST_F(BallCollectionTest, CollectsAtOnceWithin1792UnderFootHeight) {
    GameStatics* s = statics();
    s->ball->z = 6656;
    // Off the path (y 5000), so only the distance can give it.
    EXPECT_TRUE(at(0, 5, 0, 5000, 1792)->canCollectBall());
    EXPECT_FALSE(at(0, 5, 0, 5000, 1793)->canCollectBall());
    s->ball->z = 6657;
    EXPECT_FALSE(at(0, 5, 0, 5000, 1792)->canCollectBall());
    // On the path's segment from the ball to this tick's entry: collects from further off.
    s->ball->z = 1000;
    EXPECT_TRUE(at(0, 5, 5000, 1280, 5000)->canCollectBall());
    EXPECT_FALSE(at(0, 5, 5000, 1400, 5000)->canCollectBall());
    // Too far without the lunge flag; high with a high path: not without it either.
    EXPECT_FALSE(at(0, 5, 5000, 0, 25600)->canCollectBall());
    s->ball->z = 7000;
    fillPath(7000);
    EXPECT_FALSE(at(0, 5, 5000, 0, 5000)->canCollectBall());
}

TEST_F(BallCollectionTest, NobodyCollectsInARestartOrFromAHolder) {
    GameStatics* s = statics();
    CPlayer* p = at(0, 5, 0, 0, 100);
    ASSERT_TRUE(p->canCollectBall());
    for (const jint phase : {1, 3, 5, 8}) {
        s->matchPhase = phase;
        EXPECT_FALSE(p->canCollectBall()) << phase;
    }
    s->matchPhase = 0;
    s->ballHolder = player(1, 4);
    s->wallSize = 4;
    s->restartActor = player(1, 4);
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(s->wallSize, 4); // the restart taker holds it: the wall stands
    s->ballHolder = player(1, 6);
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(s->wallSize, 0);
    s->ballHolder = nullptr;
    s->receivingPlayer = player(0, 7);
    EXPECT_FALSE(p->canCollectBall()); // a team-mate is sent after it
    s->receivingPlayer = player(1, 7);
    EXPECT_TRUE(p->canCollectBall());
}

TEST_F(BallCollectionTest, TheToucherAndHisOpponentsWaitThreeTicks) {
    GameStatics* s = statics();
    CPlayer* toucher = at(0, 5, 0, 0, 100);
    CPlayer* mate = at(0, 6, 0, 0, 100);
    CPlayer* opponent = at(1, 6, 0, 0, 100);
    s->lastTouchPlayer = toucher;
    for (const jint ticks : {0, 1, 2}) {
        s->touchTicks = ticks;
        EXPECT_FALSE(toucher->canCollectBall()) << ticks;
        EXPECT_FALSE(opponent->canCollectBall()) << ticks;
        EXPECT_TRUE(mate->canCollectBall()) << ticks;
    }
    s->touchTicks = 3;
    EXPECT_TRUE(toucher->canCollectBall());
    EXPECT_TRUE(opponent->canCollectBall());
}

TEST_F(BallCollectionTest, TheWallDrawsOnlyForAFreeKickShot) {
    GameStatics* s = statics();
    s->wallSize = 3;
    s->phaseTeam = 0;
    CPlayer* wall = at(1, 9, 0, 0, 100); // slot 9 >= 11 - 3
    const runtime::jlong seed = s->gameRandom->seed;
    EXPECT_TRUE(wall->canCollectBall()); // ball state 1: no draw
    EXPECT_EQ(s->gameRandom->seed, seed);
    s->ballState = match::kBallShot;
    jint refused = 0;
    for (jint n = 0; n < 200; ++n) {
        refused += wall->canCollectBall() ? 0 : 1;
    }
    EXPECT_NE(s->gameRandom->seed, seed);
    EXPECT_GT(refused, 25);
    EXPECT_LT(refused, 80);
    // Outside the wall, and the kicking team, the draw never refuses.
    for (CPlayer* free : {at(1, 7, 0, 0, 100), at(0, 9, 0, 0, 100)}) {
        for (jint n = 0; n < 50; ++n) {
            EXPECT_TRUE(free->canCollectBall());
        }
    }
}

TEST_F(BallCollectionTest, AGroundPassRunsIntoATeamMatesStride) {
    GameStatics* s = statics();
    s->ballState = match::kBallRolling;
    s->lastTouchPlayer = player(0, 2);
    s->touchTicks = 5;
    // Entry 11 at (11000, 0) lies within 1000 of his stride from (10000, -1500) to (10000, 1000),
    // and his next point is within 1000 of the ball's way to it; he himself is 1500 off it.
    s->ballPathIndex = 11;
    CPlayer* p = at(0, 5, 10000, -1500, 9000);
    p->vy = 2500;
    EXPECT_TRUE(p->canCollectBall());
    s->lastTouchPlayer = player(1, 2);
    EXPECT_FALSE(p->canCollectBall());
    s->lastTouchPlayer = player(0, 2);
    p->vy = 1000; // his next point (10000, -500) is near the path, but entry 10 is off his stride
    p->x = 10500;
    EXPECT_FALSE(p->canCollectBall());
}

TEST_F(BallCollectionTest, TheReachBranchesStartAReactionAndAnswerFalse) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    s->ball->z = 8000;
    fillPath(8000);
    CPlayer* p = at(0, 5, 40000, 0, 22000);
    p->lungeFlag = 1;
    p->reactionKind = 4;
    t->passFlag = 1;
    t->runSteps = 3;
    t->runFaceX = 11500; // on the segment from entry 11 to 12
    t->runFaceY = 0;
    s->ballBounced = 0;
    const jint reactions = match::standInCallCount("performPendingReaction");
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(match::standInCallCount("performPendingReaction"), reactions + 1);
    // A receiver or a ball too high reacts to nothing.
    s->receivingPlayer = p;
    EXPECT_FALSE(p->canCollectBall());
    s->receivingPlayer = nullptr;
    s->ball->z = 20480;
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(match::standInCallCount("performPendingReaction"), reactions + 1);
    // The header: ready, arrived, near the path two entries on, the ball at 5121..8959 there.
    s->ball->z = 8000;
    s->ballBounced = 1;
    p->reactionKind = 2;
    p->arrived = 1;
    p->reactionReady = 1;
    p->x = 11500;
    t->runKind = 3;
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(match::standInCallCount("performPendingReaction"), reactions + 2);
    EXPECT_EQ(t->runKind, 0);
    EXPECT_EQ(p->reactionReady, 0);
    // Not ready again; and a ball too high there only clears the ready flag.
    EXPECT_FALSE(p->canCollectBall());
    p->reactionReady = 1;
    fillPath(8960);
    EXPECT_FALSE(p->canCollectBall());
    EXPECT_EQ(p->reactionReady, 0);
    EXPECT_EQ(match::standInCallCount("performPendingReaction"), reactions + 2);
    // At the path's end the reads stay inside it.
    p->reactionReady = 1;
    s->ballPathIndex = 199;
    t->runSteps = 0;
    EXPECT_FALSE(p->canCollectBall());
}

} // namespace
} // namespace game::testing
