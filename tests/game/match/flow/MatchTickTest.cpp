// One engine tick as a trace of its steps: the placed actors last index first, the contact step,
// the per-phase update, then the teams, the player pairs from slot 10 down and the touchline
// figures before the ball; a per-phase update that ends the tick leaves only the ball. And the
// players' timers waiting while the match is interrupted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/match/StandIns.h"
#include "game/match/flow/MatchTick.h"
#include "game/match/model/Ball.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class MatchTickTest : public MatchSideFixture {
protected:
    std::vector<std::string> trace;

    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(1611);
        GameStatics* s = statics();
        // Actors 0..3: the ball and three more, one of them hidden.
        s->matchActors = runtime::newObjectArray(4, runtime::kActor);
        (*s->matchActors)[0] = s->ball.get();
        for (jint i = 1; i < 4; ++i) {
            auto* actor = runtime::newObject<match::Actor>();
            actor->placement = i == 2 ? 3 : 0;
            (*s->matchActors)[i] = actor;
        }
        s->matchActorCount = 4;
        s->sidelineActors = runtime::newObjectArray(2, runtime::kCPlayer);
        for (jint i = 0; i < 2; ++i) {
            (*s->sidelineActors)[i] = runtime::newObject<CPlayer>();
        }
        match::traceStandIns(&trace);
    }
    void TearDown() override {
        match::traceStandIns(nullptr);
        match::setStandInAnswer("updatePhase", 0);
        MatchSideFixture::TearDown();
    }
};

TEST_F(MatchTickTest, TheStepsOfATickRunInTheirOrder) {
    player(0, 10)->touchedBall = 1;
    player(1, 0)->touchedBall = 1;
    match::updateMatch();
    // The contact step and the ball tick are built, so they leave no trace between these.
    std::vector<std::string> want = {"updateActorMotion", "updateActorMotion", "updateActorMotion", // 3, 1, 0
                                     "updatePhase",       "CTeam::update",     "CTeam::update"};
    for (jint i = 0; i < 2 * 11 + 2; ++i) {
        want.emplace_back("updatePlayerTick");
    }
    EXPECT_EQ(trace, want);
    EXPECT_EQ(player(0, 10)->touchedBall, 0);
    EXPECT_EQ(player(1, 0)->touchedBall, 0);
}

TEST_F(MatchTickTest, APhaseUpdateThatEndsTheTickLeavesOnlyTheBall) {
    match::setStandInAnswer("updatePhase", 1);
    statics()->zoneGridFrozen = 1;
    statics()->rebuildTicks = 7;
    // A ball at rest aims at its own point after its tick.
    match::Actor* ball = statics()->ball;
    statics()->ballState = match::kBallPlaced;
    ball->aimX = ball->x + 5000;
    ball->aimY = ball->y - 5000;
    match::updateMatch();
    EXPECT_EQ(trace, (std::vector<std::string>{"updateActorMotion", "updateActorMotion", "updateActorMotion",
                                               "updatePhase"}));
    EXPECT_EQ(statics()->rebuildTicks, 7); // no possession step either
    EXPECT_EQ(ball->aimX, ball->x) << "the ball still ticks";
    EXPECT_EQ(ball->aimY, ball->y);
}

TEST_F(MatchTickTest, AnInterruptedMatchHoldsThePlayersTimers) {
    player(0, 0)->orderEndTime = 40;
    player(1, 10)->orderEndTime = 0x7FFFFFFFLL;
    player(1, 11)->orderEndTime = 5; // on the bench: untouched
    match::advanceOrderEndTimes();
    match::advanceOrderEndTimes();
    EXPECT_EQ(player(0, 0)->orderEndTime, 42);
    EXPECT_EQ(player(1, 10)->orderEndTime, 0x80000001LL); // 64-bit: no wrap
    EXPECT_EQ(player(1, 11)->orderEndTime, 5);
}

} // namespace
} // namespace game::testing
