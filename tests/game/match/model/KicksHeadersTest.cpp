// Kicks and headers: the pose table by turn for every kick kind with the stage and volley flags,
// the contact tick of each pose on a made-up sprite and the launch at it, the target caps of the
// run-up and the headers, the throw-in clamp, the order of the shot's kick choice, the first-time
// strike and the pass accuracy of 20,000 seeded passes against its formula.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "game/core/GameMath.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/StandIns.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "game/match/model/KicksHeaders.h"
#include "runtime/Random.h"
#include "tests/game/support/AnimationSprites.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kKickerX = 20000;

class KicksHeadersTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5023);
        GameStatics* s = statics();
        s->matchStats = runtime::newObjectArray(2);
        for (jint t = 0; t < 2; ++t) {
            (*s->matchStats)[t] = runtime::newShortArray(13);
        }
        for (jint t = 0; t < 2; ++t) {
            for (jint i = 0; i < 18; ++i) {
                player(t, i)->x = (t == 0 ? -1 : 1) * 100000 - i * 1000;
                player(t, i)->y = 60000;
            }
        }
        kicker = player(0, 6);
        kicker->x = kKickerX;
        kicker->y = 0;
        kicker->direction = 2;
        kicker->wantedDirection = 2;
        kicker->shotPower = 3;
        match::placeBall(kKickerX, 0);
    }
    static jint stat(const jint t, const jint entry) {
        return (*static_cast<runtime::ShortArray*>((*statics()->matchStats)[t]))[entry];
    }
    // The kicker aims in direction (2 + turn) & 7, 20,000 away.
    void aim(const jint turn) {
        GameStatics* s = statics();
        s->vectorX = 0;
        s->vectorY = 0;
        core::directionToVector(20000, (2 + turn) & 7);
        kicker->targetX = kicker->x + s->vectorX;
        kicker->targetY = kicker->y + s->vectorY;
    }
    // A generator whose next randomRange(0, 2) is (volley) or is not (otherwise) 2.
    static void seedVolleyDraw(const bool volley) {
        GameStatics* s = statics();
        for (jint seed = 1;; ++seed) {
            s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
            const bool two = core::randomRange(0, 2) == 2;
            if (two == volley) {
                s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
                return;
            }
        }
    }
    // A free kick (phase 7) with the team's run-up of `runFlag` pending, its vector 48,000 long
    // along +x, the kicker fast enough to run it at its full length.
    void setUpRunUp(const jint runFlag) {
        statics()->matchPhase = 7;
        CTeam* t = team(0);
        t->runFlag = static_cast<jbyte>(runFlag);
        t->runFaceX = 0;
        t->runFaceY = 0;
        t->runTargetX = -48000;
        t->runTargetY = 0;
        kicker->sprintSpeed = 100000;
    }
    CPlayer* kicker = nullptr;
};

struct PoseCase {
    jint kind;
    jint turn;
    jint stage; // 0 none, 1 the stage flag, 2 the volley flag
    jint state;
    jint direction;
};

TEST_F(KicksHeadersTest, ThePoseFollowsTheTurnTheKindAndTheFlags) {
    const std::vector<PoseCase> cases = {
        {2, -3, 0, 19, 0}, {2, -2, 0, 19, 0},  {2, -1, 0, 11, 2}, {2, 0, 0, 11, 2},  {2, 1, 0, 11, 2},
        {2, 2, 0, 20, 4},  {2, 3, 0, 20, 4},   {2, 4, 0, 22, 2},  {3, -3, 0, 19, 0}, {3, 0, 0, 12, 2},
        {3, 3, 0, 20, 4},  {3, 4, 0, 22, 2},   {3, -2, 1, 25, 0}, {3, 1, 1, 12, 2},  {3, 2, 1, 26, 4},
        {3, 4, 1, 28, 2},  {3, -3, 2, 111, 0}, {3, 0, 2, 12, 2},  {3, 3, 2, 112, 4}, {3, 4, 2, 22, 2},
        {4, -2, 0, 25, 0}, {4, -1, 0, 18, 2},  {4, 1, 0, 18, 2},  {4, 2, 0, 26, 4},  {4, 4, 0, 28, 2},
    };
    for (const PoseCase& c : cases) {
        GameStatics* s = statics();
        kicker->direction = 2;
        kicker->wantedDirection = 2;
        kicker->volleyFlag = c.stage == 2 ? 1 : 0;
        // In the shooting zone for the flags, well outside it otherwise.
        kicker->x = c.stage != 0 ? 110000 : kKickerX;
        match::placeBall(kicker->x, 0);
        s->carrierStage = c.stage == 1 ? 12 : 7;
        seedVolleyDraw(c.stage == 2);
        aim(c.turn);
        kicker->orderMode = 3;
        kicker->kick(c.kind, 0);
        EXPECT_EQ(kicker->state, c.state) << c.kind << " " << c.turn << " " << c.stage;
        EXPECT_EQ(kicker->direction, c.direction) << c.kind << " " << c.turn << " " << c.stage;
        EXPECT_EQ(kicker->wantedDirection, kicker->direction);
        EXPECT_EQ(kicker->action, c.kind);
        EXPECT_EQ(s->ballHolder.get(), kicker);
    }
}

TEST_F(KicksHeadersTest, AVolleyNeedsTheDrawAndTheVolleyByte) {
    GameStatics* s = statics();
    kicker->x = 110000;
    match::placeBall(kicker->x, 0);
    s->carrierStage = 7;
    seedVolleyDraw(true);
    kicker->volleyFlag = 0;
    aim(-3);
    kicker->kick(3, 0);
    EXPECT_EQ(kicker->state, 19);
}

TEST_F(KicksHeadersTest, TheBallLeavesOnTheLastTickBeforeTheContactFrame) {
    GameStatics* s = statics();
    s->topState = 4;
    // Animation 0: six frames of two ticks each.
    kicker->sprite = spriteWithAnimations({6}, 0, 2);
    const std::vector<std::pair<jint, jint>> poses = {{12, 3}, {18, 3}, {19, 3}, {20, 3},  {25, 3}, {26, 3},
                                                      {46, 3}, {13, 2}, {15, 2}, {47, 2},  {50, 2}, {21, 4},
                                                      {22, 4}, {28, 5}, {11, 3}, {111, 3}, {112, 3}};
    for (const auto& [pose, contact] : poses) {
        EXPECT_EQ(match::kickContactFrame(pose), contact) << pose;
        match::placeBall(kKickerX, 0);
        kicker->takePossession();
        kicker->action = 3;
        kicker->kickMode = 0;
        kicker->kickTargetX = kKickerX + 30000;
        kicker->kickTargetY = 0;
        kicker->state = pose;
        kicker->setAnimation(0, 1);
        jint tick = 0;
        for (; tick < 20 && s->ballHolder.get() == kicker; ++tick) {
            kicker->kickContact();
            if (s->ballHolder.get() == kicker) {
                kicker->updateAnimation();
            }
        }
        // Frames of two ticks: the second tick of frame contact - 1.
        EXPECT_EQ(tick, 2 * (contact - 1) + 2) << pose;
        EXPECT_EQ(kicker->frame, contact - 1) << pose;
        EXPECT_EQ(s->ballState, pose == 46 ? match::kBallRolling : match::kBallLofted) << pose;
    }
    // A pose that is no kick never meets the ball.
    EXPECT_EQ(match::kickContactFrame(1), -1);
    kicker->takePossession();
    kicker->state = 1;
    kicker->frame = 5;
    kicker->kickContact();
    EXPECT_EQ(s->ballHolder.get(), kicker);
}

TEST_F(KicksHeadersTest, TheRunUpPullsTheTargetInAndSetsItsVectorAndBraking) {
    CTeam* t = team(0);
    for (const jint runFlag : {1, 2}) {
        kicker->direction = 2;
        setUpRunUp(runFlag);
        kicker->targetX = kKickerX + 60000;
        kicker->targetY = 0;
        kicker->orderMode = 4;
        kicker->kick(2, 1);
        EXPECT_EQ(kicker->kickTargetX, kKickerX + 30720);
        EXPECT_EQ(kicker->state, runFlag == 1 ? 15 : 50);
        EXPECT_EQ(kicker->vx, runFlag == 1 ? 8000 : 6000);
        EXPECT_EQ(kicker->ax, -(kicker->vx / 5));
        EXPECT_EQ(t->runFlag, 0);
    }
    // The speed is held to sprintSpeed.
    t->runFlag = 1;
    kicker->sprintSpeed = 700;
    kicker->kick(2, 1);
    EXPECT_EQ(kicker->vx, 700);
    EXPECT_EQ(kicker->ax, -140);
}

TEST_F(KicksHeadersTest, ASetPieceBallAimedBehindTheTakerGoesToTheTeamMateInFrontOfGoal) {
    setUpRunUp(1);
    // The one team-mate up the pitch, on the far side of the taker.
    CPlayer* mate = player(0, 9);
    mate->x = 100000;
    mate->y = -20000;
    kicker->targetX = kKickerX - 20000;
    kicker->targetY = 0;
    kicker->orderMode = 7000;
    kicker->kick(3, 1);
    EXPECT_EQ(kicker->targetX, 100000);
    EXPECT_EQ(kicker->targetY, -20000);
    EXPECT_EQ(kicker->order, 3);
    EXPECT_EQ(kicker->kickMode, 5120);
    // Pulled in to the run-up's reach along the same line.
    EXPECT_NEAR(core::approxDistance(kicker->kickTargetX - kicker->x, kicker->kickTargetY - kicker->y), 30720, 64);
    EXPECT_EQ(directionFromVector(kicker->kickTargetX - kicker->x, kicker->kickTargetY - kicker->y),
              directionFromVector(100000 - kicker->x, -20000 - kicker->y));
}

TEST_F(KicksHeadersTest, HeadersPullTheirTargetInAndTheNearestOpponentJumps) {
    GameStatics* s = statics();
    CPlayer* rival = player(1, 4);
    rival->x = kKickerX + 4000;
    rival->y = 0;
    rival->vx = 800;
    struct Case {
        jint kind;
        jint ballState;
        jint height;
        jint state;
        jint reach;
    };
    for (const Case& c :
         {Case{2, 1, 6000, 13, 49152}, Case{3, 10, 6000, 13, 25600}, Case{4, 2, 8000, 47, 25600}}) {
        match::placeBall(kKickerX, 0);
        s->ballState = c.ballState;
        for (jint i = 0; i < 200; ++i) {
            (*s->ballPathX)[i] = kKickerX;
            (*s->ballPathY)[i] = 0;
            (*s->ballPathZ)[i] = c.height;
        }
        s->ballPathIndex = 0;
        kicker->direction = 2;
        kicker->targetX = kKickerX + 100000;
        kicker->targetY = 0;
        kicker->orderMode = 1;
        rival->vx = 800;
        kicker->kick(c.kind, 0);
        EXPECT_EQ(kicker->state, c.state) << c.kind;
        EXPECT_EQ(kicker->kickTargetX, kKickerX + c.reach) << c.kind;
        EXPECT_EQ(s->ballHolder.get(), kicker);
        EXPECT_EQ(rival->state, 13) << c.kind;
        EXPECT_EQ(rival->vx, 400) << c.kind;
        EXPECT_TRUE(match::isNeighbourDirection((kicker->direction + 4) & 7, rival->direction))
            << rival->direction;
    }
    // The diving header faces by quarters the way from the target to him.
    EXPECT_EQ(kicker->direction, 6);
}

TEST_F(KicksHeadersTest, TheKickWaitsForTheApproachAndForAHighBall) {
    GameStatics* s = statics();
    kicker->runSpeed = 600;
    kicker->sideSpeed = 300;
    kicker->targetX = kKickerX + 20000;
    kicker->targetY = 0;
    // During a restart a player far from the ball runs at it first; a near one stops and kicks.
    s->matchPhase = 7;
    match::placeBall(kKickerX + 1281, 0);
    kicker->kick(2, 0);
    EXPECT_EQ(kicker->state, 1);
    EXPECT_GT(kicker->vx, 0);
    EXPECT_EQ(kicker->action, 0);
    EXPECT_EQ(s->ballHolder.get(), nullptr);
    match::placeBall(kKickerX + 1280, 0);
    kicker->kick(2, 0);
    EXPECT_EQ(kicker->vx, 0);
    EXPECT_EQ(kicker->action, 2);
    EXPECT_EQ(s->ballHolder.get(), kicker);
    // In open play a ball still 5,121 high after its next step is followed sideways.
    s->matchPhase = 0;
    kicker->action = 0;
    kicker->dropPossession();
    match::placeBall(kKickerX, 0);
    s->ball->z = 6000;
    s->ball->vz = 879;
    s->ball->vx = 100;
    kicker->kick(2, 0);
    EXPECT_EQ(kicker->state, 24);
    EXPECT_EQ(kicker->vx, 300);
    EXPECT_EQ(kicker->action, 0);
    s->ball->vz = 880;
    kicker->kick(2, 0);
    EXPECT_EQ(kicker->action, 2);
}

TEST_F(KicksHeadersTest, ATeamMateMovingNearTheTargetWaitsForTheGroundPass) {
    CPlayer* mate = player(0, 9);
    for (const jint offset : {1280, 1281}) {
        mate->x = kKickerX + 20000 + offset;
        mate->y = 0;
        mate->action = 1;
        mate->vx = 500;
        kicker->targetX = kKickerX + 20000;
        kicker->targetY = 0;
        kicker->orderMode = 9;
        match::placeBall(kKickerX, 0);
        kicker->kick(2, 0);
        EXPECT_EQ(mate->action, offset == 1280 ? 0 : 1) << offset;
        EXPECT_EQ(mate->vx, offset == 1280 ? 0 : 500) << offset;
    }
}

TEST_F(KicksHeadersTest, AThrowInIsHeldInsideTheTouchlines) {
    GameStatics* s = statics();
    s->matchPhase = 3;
    s->ballHiddenB = 1;
    s->restartActor = kicker;
    kicker->targetX = kKickerX;
    kicker->targetY = 120000;
    kicker->kick(2, 1);
    EXPECT_EQ(kicker->state, 46);
    EXPECT_EQ(kicker->direction, 4);
    kicker->takePossession();
    kicker->frame = 3;
    kicker->kickContact();
    EXPECT_EQ(s->ballState, match::kBallRolling);
    EXPECT_EQ(s->ball->aimY, 86015);
    EXPECT_EQ(stat(0, match::kStatBallsPlayed), 1);
}

TEST_F(KicksHeadersTest, TheShotChoosesDippingSwervingOrStraightInThatOrder) {
    GameStatics* s = statics();
    auto shoot = [&](const jint flags, const jint hold) {
        match::placeBall(kicker->x, 0);
        kicker->takePossession();
        kicker->flags = flags;
        s->holdTicks = hold;
        kicker->action = 4;
        kicker->state = 18;
        kicker->frame = 3;
        kicker->kickMode = 1024;
        kicker->kickBallHeight = 2048;
        kicker->kickTargetX = 135168;
        kicker->kickTargetY = 0;
        match::kickPower() = 77;
        kicker->kickContact();
    };
    // The dipping shot: bit 4, the wide zone, a long hold.
    kicker->x = 72000;
    kicker->y = 0;
    team(0)->updatePlayerCells();
    ASSERT_EQ(team(0)->zoneOfCell(kicker->cellX, kicker->cellY), 3);
    shoot(16, 6);
    EXPECT_EQ(s->ballState, match::kBallShot);
    EXPECT_EQ(s->ball->aimZ, 1024 + 512);
    shoot(16, 5); // the hold is too short: a straight shot
    EXPECT_EQ(s->ballState, match::kBallDriven);
    EXPECT_EQ(match::kickPower(), kicker->shotPower);
    // The swerving shot takes a coin: 0 bends the path off the straight line to the goal, 1 shoots
    // straight; both at the kicker's power.
    jint swerves = 0;
    for (jint i = 0; i < 40; ++i) {
        shoot(4, 0);
        EXPECT_EQ(s->ballState, match::kBallDriven);
        EXPECT_EQ(match::kickPower(), kicker->shotPower);
        bool bent = false;
        for (jint k = 0; k < 10; ++k) {
            bent = bent || (*s->ballPathY)[k] != 0;
        }
        swerves += bent ? 1 : 0;
    }
    EXPECT_GT(swerves, 5);
    EXPECT_LT(swerves, 35);
    EXPECT_EQ(stat(0, match::kStatShots), 42);
}

TEST_F(KicksHeadersTest, TheFirstTimeStrikeMeetsTheBallOnItsFrame) {
    GameStatics* s = statics();
    for (const auto& [pose, kind] : std::vector<std::pair<jint, jint>>{{18, 2}, {12, 1}, {11, 0}}) {
        match::placeBall(kicker->x, 0);
        kicker->takePossession();
        kicker->state = pose;
        kicker->kickTargetX = 120000;
        kicker->kickTargetY = 0;
        kicker->frame = 0;
        kicker->strikeContact();
        EXPECT_EQ(s->ballHolder.get(), kicker);
        kicker->frame = 1;
        s->ballPathIndex = 7;
        kicker->strikeContact();
        EXPECT_EQ(s->ballPathIndex, 0) << pose << ": the path is planned afresh";
        EXPECT_EQ(s->ballHolder.get(), nullptr);
        EXPECT_EQ(s->lastTouchPlayer.get(), kicker);
        EXPECT_EQ(s->ballState, kind) << pose;
    }
    EXPECT_EQ(stat(0, match::kStatShots), 1);
    EXPECT_EQ(stat(0, match::kStatBallsPlayed), 2);
}

TEST_F(KicksHeadersTest, PassesAreExactAsOftenAsTheFormulaSays) {
    GameStatics* s = statics();
    const jint n = 20000;
    for (const auto& [level, power] : std::vector<std::pair<jint, jint>>{{0, 0}, {3, 3}, {7, 7}}) {
        for (const bool forward : {true, false}) {
            team(0)->teamLevel = level;
            kicker->shotPower = power;
            const jint tx = forward ? kKickerX + 40000 : kKickerX;
            const jint ty = forward ? 0 : 40000;
            const jint e = 1024 + 512 * power;
            jint exact = 0;
            for (jint i = 0; i < n; ++i) {
                match::placeBall(kicker->x, 0);
                kicker->takePossession();
                kicker->action = 2;
                kicker->state = 11;
                kicker->frame = 3;
                kicker->kickTargetX = tx;
                kicker->kickTargetY = ty;
                kicker->kickContact();
                const jint dx = s->ball->aimX - tx;
                const jint dy = s->ball->aimY - ty;
                exact += dx == 0 && dy == 0 ? 1 : 0;
                ASSERT_LE(std::abs(dx), 2 * e);
                ASSERT_LE(std::abs(dy), 2 * e);
            }
            const jint threshold = (14 - level) * 10 - power * 15 + (forward ? -10 : 10);
            const double expected = std::clamp((threshold + 1) / 101.0, 0.0, 1.0);
            // An error draw of exactly 0 on both axes counts as exact too: negligible.
            EXPECT_NEAR(exact / static_cast<double>(n), expected, 0.015)
                << level << " " << power << " " << forward;
        }
    }
    // The level is held to 0..7.
    team(0)->teamLevel = 9;
    kicker->shotPower = 0;
    jint exact = 0;
    for (jint i = 0; i < 2000; ++i) {
        match::placeBall(kicker->x, 0);
        kicker->takePossession();
        kicker->action = 2;
        kicker->state = 11;
        kicker->frame = 3;
        kicker->kickTargetX = kKickerX + 40000;
        kicker->kickTargetY = 0;
        kicker->kickContact();
        exact += s->ball->aimX == kKickerX + 40000 && s->ball->aimY == 0 ? 1 : 0;
    }
    EXPECT_NEAR(exact / 2000.0, 61.0 / 101.0, 0.04);
    EXPECT_EQ(runtime::newObject<CTeam>()->teamLevel, 3);
}

} // namespace
} // namespace game::testing
