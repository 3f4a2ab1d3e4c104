// Player orders and motion: a straight run with its acceleration ramp to arrival, the side-step
// and back-pedal choices of walkTo and runTo, run targets held on the pitch by phase, braking,
// the screen-proportioned vectors (a move without length included), turning step by step, the
// slide of a recovery and the standing poses of idle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/match/StandIns.h"
#include "game/match/model/PlayerMotion.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kMotionRunSpeed = 835;
constexpr jint kMotionCruise = 835 * 480 / 256; // 1565

class PlayerMotionTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->ball = runtime::newObject<match::Actor>();
        s->pitchRowBase = kMotionRunSpeed;
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
        CPlayer* p = runner();
        p->direction = 2;
        p->wantedDirection = 2;
        p->defaultDirection = 2;
        p->runSpeed = kMotionRunSpeed;
        p->ballRunSpeed = 800;
        p->sideSpeed = 600;
        p->sprintSpeed = 1000;
        p->ballSprintSpeed = 950;
    }
    static CPlayer* runner() { return player(0, 5); }
    // Frames of order 1 as the engine runs them: the step, then the move.
    static jint runToArrival(CPlayer* p, std::vector<jint>* speeds = nullptr, const jint limit = 200) {
        for (jint frame = 1; frame <= limit; ++frame) {
            p->stepTowardsTarget();
            if (p->arrived != 0) {
                return frame;
            }
            p->x += p->vx;
            p->y += p->vy;
            if (speeds != nullptr) {
                speeds->push_back(p->vx);
            }
        }
        return -1;
    }
};

TEST_F(PlayerMotionTest, AStraightRunRampsUpAndArrivesOnTheTarget) {
    CPlayer* p = runner();
    p->runTo(40000, 0, 0);
    EXPECT_EQ(p->order, 1);
    EXPECT_EQ(p->orderMode, 0);
    EXPECT_EQ(p->paceKind, 2); // a run without the ball
    EXPECT_EQ(p->arrived, 0);
    EXPECT_EQ(p->moving, 1);
    std::vector<jint> speeds;
    // Four ramp frames (391, 782, 1173, 1565) take him to 3911, then 1565 a frame: at 39906 after
    // frame 27 he is within the arrival radius (673 rescaled: 1261) and frame 28 puts him on it.
    EXPECT_EQ(runToArrival(p, &speeds), 28);
    ASSERT_GE(speeds.size(), 5u);
    EXPECT_EQ(std::vector<jint>(speeds.begin(), speeds.begin() + 5),
              (std::vector<jint>{391, 782, 1173, kMotionCruise, kMotionCruise}));
    EXPECT_EQ(p->x, 40000);
    EXPECT_EQ(p->y, 0);
    EXPECT_EQ(p->vx, 0);
    EXPECT_EQ(p->order, 0); // he stands
    EXPECT_EQ(p->action, 0);
    EXPECT_EQ(p->state, 0);
}

TEST_F(PlayerMotionTest, TheRampLengthensWithAccelRating) {
    const struct {
        jint rating;
        jint frames;
    } cases[] = {{0, 4}, {1, 4}, {2, 5}, {3, 5}, {4, 6}, {7, 6}};
    for (const auto& c : cases) {
        CPlayer* p = runner();
        p->x = 0;
        p->y = 0;
        p->vx = 0;
        p->vy = 0;
        p->accelRating = c.rating;
        p->runTo(0, 40000, 0); // down: a run, not a side-step, at that distance
        jint frames = 0;
        do {
            p->stepTowardsTarget();
            p->y += p->vy;
            ++frames;
        } while (p->vy != p->cruiseVy && frames < 20);
        EXPECT_EQ(frames, c.frames) << c.rating;
        EXPECT_EQ(p->rampOn, 0);
    }
}

TEST_F(PlayerMotionTest, WalkToAndRunToChooseSideStepsAndBackPedals) {
    GameStatics* s = statics();
    struct Case {
        const char* what;
        bool run;
        jint tx;
        jint ty;
        bool ball;
        bool holder;
        jint mode;
        jint wanted;
    };
    const Case cases[] = {
        {"walk ahead", false, 20000, 0, false, false, 8, 2},
        {"walk near ahead", false, 5000, 0, false, false, 0, 2},
        {"walk behind", false, -10000, 0, false, false, 2, 2},
        {"walk aside", false, 0, 10000, false, false, 1, 2},
        {"walk behind far", false, -30000, 0, false, false, 8, 6},
        {"walk behind with the ball", false, -10000, 0, true, false, 0, 6},
        {"walk very near keeps the wish", false, 1000, 0, false, false, 0, 5},
        {"run behind, ball loose", true, -10000, 0, false, false, 2, 5},
        {"run behind far, ball loose", true, -20000, 0, false, false, 0, 6},
        {"run behind, ball held", true, -20000, 0, false, true, 2, 5},
        {"run aside", true, 0, 24576, false, true, 1, 5},
        {"run aside far", true, 0, 24577, false, true, 0, 4},
        {"run behind with the ball", true, -10000, 0, true, false, 0, 6},
        {"run very near keeps the wish", true, 400, 0, false, false, 0, 5},
    };
    for (const Case& c : cases) {
        CPlayer* p = runner();
        p->x = 0;
        p->y = 0;
        p->wantedDirection = 5;
        p->hasBall = c.ball ? 1 : 0;
        s->ballHolder = c.holder ? player(1, 3) : nullptr;
        if (c.run) {
            p->runTo(c.tx, c.ty, 0);
        } else {
            p->walkTo(c.tx, c.ty);
        }
        EXPECT_EQ(p->orderMode, c.mode) << c.what;
        EXPECT_EQ(p->wantedDirection, c.run || c.mode == 0 || c.mode == 8 ? c.wanted : 2) << c.what;
        EXPECT_EQ(p->targetX, c.tx) << c.what;
        EXPECT_EQ(p->order, 1) << c.what;
    }
    // Walking in the presentation phase never sprints.
    s->matchPhase = 15;
    runner()->hasBall = 0;
    runner()->walkTo(40000, 0);
    EXPECT_EQ(runner()->orderMode, 0);
}

TEST_F(PlayerMotionTest, SprintsAndForcedRuns) {
    GameStatics* s = statics();
    CPlayer* p = runner();
    // Hurried from a standing start: a forced run that becomes a sprint on its fourth frame.
    p->runTo(60000, 0, 1);
    EXPECT_EQ(p->forcedRun, 1);
    EXPECT_EQ(p->orderMode, 0);
    EXPECT_EQ(p->paceKind, 0);
    for (jint frame = 1; frame <= 3; ++frame) {
        p->stepTowardsTarget();
        EXPECT_EQ(p->orderMode, 0) << frame;
    }
    p->stepTowardsTarget();
    EXPECT_EQ(p->orderMode, 8);
    EXPECT_EQ(p->paceKind, 1);
    EXPECT_EQ(p->forcedRunFrames, 0);
    EXPECT_EQ(p->state, 32);
    EXPECT_EQ(p->cruiseVx, 1000 * 480 / 256);
    // Moving already, the hurried run is a sprint at once; a tired sprinter runs at his run speed.
    p->runTo(100000, 0, 1);
    EXPECT_EQ(p->orderMode, 8);
    p->fatigue = 95;
    p->stepTowardsTarget();
    EXPECT_EQ(p->cruiseVx, kMotionCruise);
    // A long run in open play is a sprint, except for his team's first attacker.
    p->action = 0;
    p->fatigue = 0;
    p->x = 0;
    p->runTo(60000, 0, 0);
    EXPECT_EQ(p->forcedRun, 1);
    s->firstAttacker[0] = p;
    p->runTo(60000, 0, 0);
    EXPECT_EQ(p->forcedRun, 0);
    // An unfit player runs at half the base speed and never sprints.
    s->firstAttacker[0] = nullptr;
    p->unfit = 1;
    p->runTo(60000, 0, 1);
    EXPECT_EQ(p->forcedRun, 0);
    EXPECT_EQ(p->orderMode, 0);
    EXPECT_EQ(p->runSpeed, 417);
    EXPECT_EQ(p->ballSprintSpeed, 417);
}

TEST_F(PlayerMotionTest, RunTargetsStayOnThePitchInMostPhases) {
    GameStatics* s = statics();
    for (jint phase = 0; phase <= 17; ++phase) {
        s->matchPhase = phase;
        CPlayer* p = runner();
        p->runTo(200000, -100000, 0);
        const bool clamped = phase <= 9 && phase != 6;
        EXPECT_EQ(p->targetX, clamped ? 135168 : 200000) << phase;
        EXPECT_EQ(p->targetY, clamped ? -86016 : -100000) << phase;
        p->walkTo(200000, -100000);
        EXPECT_EQ(p->targetX, 200000) << phase;
    }
}

TEST_F(PlayerMotionTest, BrakingBringsAMotionToRestWithoutTurningIt) {
    const struct {
        jint v;
        jint brake;
        jint after;
    } cases[] = {{5, -7, 0}, {-5, 7, 0}, {10, -3, 7}, {-10, 3, -7},
                 {5, -5, 0}, {0, -3, 0}, {0, 4, 0},   {5, 3, 8}};
    CPlayer* p = runner();
    for (const auto& c : cases) {
        p->vx = c.v;
        p->ax = c.brake;
        p->vy = -c.v;
        p->ay = -c.brake;
        p->applyBraking();
        EXPECT_EQ(p->vx, c.after) << c.v << " by " << c.brake;
        EXPECT_EQ(p->vy, -c.after) << c.v << " by " << c.brake;
    }
}

TEST_F(PlayerMotionTest, ScreenVectorsAndAMoveWithoutLength) {
    GameStatics* s = statics();
    screenVectorAlong(kMotionRunSpeed, 2);
    EXPECT_EQ(s->vectorX, kMotionCruise);
    EXPECT_EQ(s->vectorY, 0);
    for (jint dir = 0; dir < 8; ++dir) {
        screenVectorAlong(kMotionRunSpeed, dir);
        EXPECT_NEAR(core::approxDistance(s->vectorX, s->vectorY), kMotionCruise, 8) << dir;
    }
    EXPECT_EQ(screenVectorTowards(kMotionRunSpeed, 30000, 0, 673), 1261);
    EXPECT_EQ(s->vectorX, kMotionCruise);
    // No length: no division, nothing moves and the radius is 0.
    EXPECT_EQ(screenVectorTowards(kMotionRunSpeed, 0, 0, 673), 0);
    EXPECT_EQ(s->vectorX, 0);
    EXPECT_EQ(s->vectorY, 0);
    screenVectorAlong(kMotionRunSpeed, 9); // no such direction
    EXPECT_EQ(s->vectorX, 0);
    EXPECT_EQ(s->vectorY, 0);
    s->vectorX = 1; // a step too short to have a length on the screen
    s->vectorY = -1;
    EXPECT_EQ(rescaleToScreen(kMotionRunSpeed, 673), 0);
    EXPECT_EQ(s->vectorX, 0);
    // A receiver who stands exactly on his target keeps running on the spot without a divide.
    CPlayer* p = runner();
    s->receivingPlayer = p;
    p->x = 5000;
    p->y = 5000;
    p->runTo(5000, 5000, 0);
    p->stepTowardsTarget();
    EXPECT_EQ(p->vx, 0);
    EXPECT_EQ(p->vy, 0);
    EXPECT_EQ(p->arrivalRadius, 0);
    EXPECT_EQ(p->arrived, 1);
}

TEST_F(PlayerMotionTest, OutsideOpenPlayTheFacingFollowsTheMotion) {
    GameStatics* s = statics();
    s->matchPhase = 1;
    CPlayer* p = runner();
    p->runTo(5000, 5000, 0); // down-right, direction 3; he faces 2
    p->stepTowardsTarget();
    EXPECT_EQ(p->direction, 3);
    s->matchPhase = 0;
    p->direction = 2;
    p->stepTowardsTarget();
    EXPECT_EQ(p->direction, 2);
}

TEST_F(PlayerMotionTest, MovesAlongADirectionClosingDownAndRunningOn) {
    GameStatics* s = statics();
    CPlayer* p = runner();
    const jint side = 600 * 480 / 256;
    // Modes 4 and 5 move along the direction held in targetX at the side-step speed.
    p->order = 1;
    p->orderMode = 4;
    p->targetX = 6;
    p->stepTowardsTarget();
    EXPECT_EQ(p->cruiseVx, -side);
    EXPECT_EQ(p->cruiseVy, 0);
    EXPECT_EQ(p->state, 23);
    p->orderMode = 5;
    p->stepTowardsTarget();
    EXPECT_EQ(p->state, 24);
    p->hasBall = 1; // a carrier is handed on instead
    p->stepTowardsTarget();
    EXPECT_EQ(p->order, 0);
    p->hasBall = 0;
    // Mode 7: facing his default he sprints at the target; facing elsewhere he runs on that way.
    p->x = 0;
    p->y = 0;
    p->vx = 0;
    p->vy = 0;
    p->order = 1;
    p->orderMode = 7;
    p->targetX = 0;
    p->targetY = 50000;
    p->stepTowardsTarget();
    EXPECT_EQ(p->state, 32);
    EXPECT_EQ(p->cruiseVx, 0);
    EXPECT_EQ(p->cruiseVy, 1000 * 480 / 256);
    p->direction = 0;
    p->stepTowardsTarget();
    EXPECT_EQ(p->cruiseVx, 0);
    EXPECT_EQ(p->cruiseVy, -1000 * 480 / 256);
    // The receiver turns back towards his default a step at a time; facing away in phase 9 the
    // team logic turns him about and he stands.
    s->receivingPlayer = p;
    p->forcedRun = 1;
    p->stepTowardsTarget();
    EXPECT_EQ(p->direction, 1);
    EXPECT_EQ(p->forcedRun, 0);
    EXPECT_EQ(p->vx, 0);
    p->direction = 6;
    s->matchPhase = 9;
    const jint before = standInCallCount("turnAboutInPhase9");
    p->stepTowardsTarget();
    EXPECT_EQ(standInCallCount("turnAboutInPhase9"), before + 1);
    EXPECT_EQ(p->order, 0);
    s->matchPhase = 0;
    s->receivingPlayer = nullptr;
    // Mode 3 without a carrier: straight at the ball when he faces his default.
    s->ball->x = -30000;
    s->ball->y = 0;
    p->direction = 2;
    p->order = 1;
    p->orderMode = 3;
    p->stepTowardsTarget();
    EXPECT_EQ(p->cruiseVx, -kMotionCruise);
    // With an opponent carrying the ball, on to the team's run point when it lies ahead, at half
    // speed once the carrier is deep in his run.
    s->ballHolder = player(1, 9);
    team(0)->runTargetX = 40000;
    team(0)->runTargetY = 5000;
    s->carrierMode = 4;
    s->carrierStage = 4;
    const jint told = standInCallCount("noteCarrierSlot");
    p->stepTowardsTarget();
    EXPECT_EQ(standInCallCount("noteCarrierSlot"), told + 1);
    EXPECT_EQ(p->direction, 2);
    EXPECT_EQ(p->cruiseVy > 0, true);
    EXPECT_NEAR(core::approxDistance(p->cruiseVx, p->cruiseVy), 417 * 480 / 256, 8);
}

TEST_F(PlayerMotionTest, TurningStepByStep) {
    GameStatics* s = statics();
    s->turnTable = runtime::newObjectArray(120);
    for (jint row = 0; row < 120; ++row) {
        runtime::IntArray* values = runtime::newIntArray(6);
        (*s->turnTable)[row] = values;
        for (jint i = 0; i < 6; ++i) {
            (*values)[i] = row * 10 + i;
        }
    }
    CPlayer* p = runner();
    p->direction = 0;
    p->wantedDirection = 4;
    p->vx = 300;
    for (const jint expected : {1, 2, 3, 4}) {
        p->turnStep();
        EXPECT_EQ(p->direction, expected);
        EXPECT_EQ(p->state, 4);
        EXPECT_EQ(p->vx, 0);
    }
    p->turnStep(); // no turn left
    EXPECT_EQ(p->direction, 4);
    // Anticlockwise with the ball; a controlled player keeps moving through a one-step turn, and a
    // carrier on the move takes the turn's row of the table.
    p->hasBall = 1;
    p->moving = 1;
    p->controlled = 1;
    p->direction = 0;
    p->wantedDirection = 5;
    p->vx = 300;
    p->turnStep();
    EXPECT_EQ(p->direction, 7);
    EXPECT_EQ(p->state, 8);
    EXPECT_EQ(p->vx, 0); // three steps to go
    EXPECT_EQ((*p->stepTable)[0], 50);
    EXPECT_EQ((*p->stepTable)[5], 55);
    p->turnStep();
    p->vx = 300;
    p->turnStep(); // the last step: he keeps moving
    EXPECT_EQ(p->direction, 5);
    EXPECT_EQ(p->vx, 300);
    EXPECT_EQ((*p->stepTable)[0], (6 * 8 + 5) * 10);
    p->wantedDirection = 6;
    p->turnStep();
    EXPECT_EQ(p->state, 9);
}

TEST_F(PlayerMotionTest, AFallenPlayerSlidesToRest) {
    GameStatics* s = statics();
    s->matchTicks = 1000;
    CPlayer* p = runner();
    p->defaultDirection = 6;
    for (const jint fall : {17, 16}) {
        p->direction = 2;
        p->state = fall;
        p->animFinished = 0;
        p->recover(30);
        EXPECT_EQ(p->recoverEndTime, 1030);
        EXPECT_EQ(p->vx, kMotionCruise);
        EXPECT_EQ(p->ax, -(kMotionCruise / (fall == 17 ? 9 : 20)));
        EXPECT_EQ(p->direction, 6);
        EXPECT_EQ(p->wantedDirection, 6);
        EXPECT_EQ(p->action, 9);
        EXPECT_EQ(p->order, 0);
        jint frames = 0;
        while (p->vx != 0 && frames < 50) {
            p->applyBraking();
            EXPECT_GE(p->vx, 0);
            ++frames;
        }
        EXPECT_EQ(frames, fall == 17 ? 10 : 21);
        for (jint more = 0; more < 5; ++more) {
            p->applyBraking();
        }
        EXPECT_EQ(p->vx, 0); // at rest, not sliding back
    }
    // Not fallen, or the fall already played out: no slide.
    p->state = 1;
    p->vx = 500;
    p->recover(10);
    EXPECT_EQ(p->vx, 0);
    p->state = 17;
    p->animFinished = 1;
    p->recover(10);
    EXPECT_EQ(p->vx, 0);
    EXPECT_EQ(p->ax, 0);
    EXPECT_EQ(p->state, 0);
}

TEST_F(PlayerMotionTest, IdleChoosesAStandingPose) {
    GameStatics* s = statics();
    CPlayer* p = runner();
    s->matchTicks = 500;
    p->turnPending = 1;
    p->idle();
    EXPECT_EQ(p->state, 40);
    EXPECT_EQ(p->turnPending, 0);
    p->holding = 1;
    p->orderEndTime = 500;
    p->idle();
    EXPECT_EQ(p->state, 91);
    s->matchTicks = 501;
    p->idle();
    EXPECT_EQ(p->state, 0);
    EXPECT_EQ(p->holding, 0);
    // Until the restart planner lands its table reads -1: the line-up phases stand plainly.
    for (const jint phase : {11, 15}) {
        s->matchPhase = phase;
        p->orderEndTime = 900;
        p->idle();
        EXPECT_EQ(p->state, 0) << phase;
    }
    // A carrier who stands is handed to the team logic.
    const jint before = standInCallCount("handToTeamLogic");
    p->hasBall = 1;
    p->vx = 40;
    p->action = 1;
    p->order = 1;
    p->idle();
    EXPECT_EQ(standInCallCount("handToTeamLogic"), before + 1);
    EXPECT_EQ(p->vx, 0);
    EXPECT_EQ(p->action, 0);
    EXPECT_EQ(p->order, 0);
    EXPECT_EQ(p->wantedDirection, p->direction);
}

TEST_F(PlayerMotionTest, StopWaitFaceAndGetUp) {
    GameStatics* s = statics();
    CPlayer* p = runner();
    s->matchTicks = 100;
    p->action = 1;
    p->order = 1;
    p->waitFor(-30);
    EXPECT_EQ(p->orderEndTime, 70); // already past
    EXPECT_EQ(p->order, 0);
    // A carrier's first stop after a move turns on the spot; the next one does not.
    p->hasBall = 1;
    p->stop(0);
    EXPECT_EQ(p->turnPending, 1);
    p->stop(0);
    EXPECT_EQ(p->turnPending, 0);
    p->face(-1);
    EXPECT_EQ(p->wantedDirection, p->defaultDirection);
    p->face(5);
    EXPECT_EQ(p->wantedDirection, 5);
    p->stop(1);
    EXPECT_EQ(p->wantedDirection, p->direction);
    EXPECT_EQ(p->action, 0);
    EXPECT_EQ(p->state, 0);
    for (const jint state : {17, 36, 50, 16}) {
        p->state = state;
        p->getUp();
        EXPECT_EQ(p->action, 12);
        EXPECT_EQ(p->state, state == 16 ? 16 : 31) << state;
    }
    p->addEffort(5);
    p->flags = 64;
    p->addEffort(5);
    EXPECT_EQ(p->effort, 5);
}

TEST_F(PlayerMotionTest, ArrivalHandsOnByTask) {
    GameStatics* s = statics();
    CPlayer* p = runner();
    s->ballState = 1;
    s->ball->aimX = 30000;
    s->ball->aimY = 4000;
    // The ball player runs on to where the ball comes down when his team has a run to make.
    p->controlled = 1;
    team(0)->runKind = 1;
    p->runTo(200, 0, 0);
    p->stepTowardsTarget();
    EXPECT_EQ(p->targetX, 30000);
    EXPECT_EQ(p->targetY, 4000);
    EXPECT_EQ(p->order, 1);
    EXPECT_EQ(p->arrived, 0);
    // Without one he stands.
    team(0)->runKind = 0;
    p->runTo(p->x + 200, p->y, 0);
    p->stepTowardsTarget();
    EXPECT_EQ(p->order, 0);
    EXPECT_EQ(p->action, 0);
    // The scripted order: a wait holds until its tick, a turn names its direction.
    s->matchTicks = 40;
    p->giveScript(0, 25, 18);
    EXPECT_EQ(p->order, 11);
    EXPECT_EQ(p->orderEndTime, 65);
    EXPECT_EQ(p->arrived, 1);
    p->giveScript(3, 0, 19);
    EXPECT_EQ(p->wantedDirection, 3);
    p->giveScript(12, 0, 19);
    EXPECT_EQ(p->wantedDirection, p->direction);
}

} // namespace
} // namespace game::testing
