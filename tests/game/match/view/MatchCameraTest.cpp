// The match camera over real actors: the stepped approach and its exact stop, the hold on a
// change of subject, the pitch outline, the arrival jump, the scripted pan, the leads, no
// reversal, updateCamera's force, and a 300-tick trajectory behind a scripted ball and players
// compared with its recording (tests/fixtures/framework/camera_trajectory.txt).
//
// After a deliberate change of the camera, rewrite the recording with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_framework_tests --gtest_filter='MatchCamera*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchView.h"
#include "game/match/view/MatchCamera.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

namespace {

using match::Actor;
using match::CPlayer;
using runtime::jint;

class MatchCameraTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->ball = runtime::newObject<Actor>();
        s->cameraMaxX = 2399;
        s->cameraMaxY = 607;
        s->cameraHoldLength = 6;
        s->ballPathGrounded = runtime::newBoolArray(200);
    }
    // Puts actor at pitch (x, y) with its stored screen position on its projection (no motion).
    static void place(Actor* actor, const jint x, const jint y) {
        actor->x = x;
        actor->y = y;
        actor->screenX = ((((y * 420) >> 8) + ((x * 384) >> 8)) >> 8) + 1392;
        actor->screenY = ((((y * 139) >> 8) + ((-x * 128) >> 8)) >> 8) + 879;
    }
    // y clamped into the outline's band for x 11.
    static jint clampedY(const jint y) {
        jint lo = 0;
        jint hi = 0;
        match::pitchOutlineRange(11, lo, hi);
        return y < lo ? lo : (y > hi ? hi : y);
    }
    static CPlayer* player(const jint x, const jint y, const jint direction) {
        CPlayer* p = runtime::newObject<CPlayer>();
        place(p, x, y);
        p->direction = direction;
        return p;
    }
};

TEST_F(MatchCameraTest, StepTowardTable) {
    struct Case {
        jint diff, lead, step;
    };
    const Case cases[] = {{100, 0, 4},  {51, 0, 4},      {50, 0, 2},    {16, 0, 2},   {15, 0, 1},
                          {1, 0, 1},    {0, 0, 0},       {-100, 0, -4}, {-20, 0, -2}, {-3, 0, -1},
                          {100, 7, 11}, {-100, -7, -11}, {5, 7, 5},     {-7, 7, -7},  {30, -3, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(match::cameraStepToward(c.diff, c.lead), c.step) << c.diff << ", " << c.lead;
    }
}

TEST_F(MatchCameraTest, StandingSubjectIsApproachedByFourTwoOneAndReachedExactly) {
    GameStatics* s = statics();
    place(s->ball, 0, 0); // projects to (1392, 879): target (1152, 479)
    s->cameraMode = 1;
    s->cameraSubject = s->ball.get();
    s->phaseStep = 2; // no outline clamp
    s->cameraX = 1052;
    s->cameraY = 479;
    std::vector<jint> steps;
    for (jint frame = 0; frame < 60; ++frame) {
        const jint before = s->cameraX;
        match::updateMatchCamera();
        steps.push_back(s->cameraX - before);
        const jint left = 1152 - s->cameraX;
        ASSERT_GE(left, 0) << "never past the subject";
    }
    EXPECT_EQ(s->cameraX, 1152);
    EXPECT_EQ(s->cameraY, 479);
    jint distance = 100;
    for (const jint step : steps) {
        const jint expected = distance > 50 ? 4 : distance > 15 ? 2 : distance > 0 ? 1 : 0;
        ASSERT_EQ(step, expected) << "at distance " << distance;
        distance -= step;
    }
}

TEST_F(MatchCameraTest, ChangeOfSubjectFreezesAFrameAndTheBallInFlightHoldsFour) {
    GameStatics* s = statics();
    CPlayer* runner = player(8192, 0, 3);
    place(s->ball, -8192, 0);
    s->cameraMode = 0;
    s->matchPhase = 0;
    s->primaryFocusPlayer = runner;
    s->focusLevel = 3;
    s->cameraX = 600;
    s->cameraY = 300;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraSubject.get(), static_cast<Actor*>(runner));
    EXPECT_EQ(s->cameraX, 600) << "the new subject's first frame keeps still";
    match::updateMatchCamera();
    EXPECT_NE(s->cameraX, 600) << "then it follows";
    // The ball in flight (state 10): the change freezes one frame and holds four more.
    s->primaryFocusPlayer = nullptr;
    s->ballState = 10;
    std::vector<jint> xs;
    for (jint frame = 0; frame < 7; ++frame) {
        match::updateMatchCamera();
        xs.push_back(s->cameraX);
    }
    EXPECT_EQ(s->cameraSubject.get(), s->ball.get());
    for (jint frame = 1; frame < 5; ++frame) {
        EXPECT_EQ(xs[frame], xs[0]) << frame;
    }
    EXPECT_NE(xs[5], xs[0]);
    // Other ball states hold two; states 2 and 9 none.
    struct Case {
        jint state, frozen;
    };
    for (const Case c : {Case{1, 5}, Case{4, 3}, Case{2, 1}, Case{9, 1}}) {
        s->primaryFocusPlayer = runner;
        match::updateMatchCamera();
        match::updateMatchCamera();
        s->primaryFocusPlayer = nullptr;
        s->ballState = c.state;
        jint still = 0;
        jint last = s->cameraX;
        for (jint frame = 0; frame < 8; ++frame) {
            match::updateMatchCamera();
            if (s->cameraX != last) {
                break;
            }
            ++still;
        }
        EXPECT_EQ(still, c.frozen) << "ball state " << c.state;
    }
}

TEST_F(MatchCameraTest, PitchOutlineBands) {
    struct Case {
        jint x, lo, hi;
    };
    const Case cases[] = {
        {500, 410, 630},
        {0, (48 - 11) * 528 / 1584 + 460, (11 - 48) * 367 / 1104 + 480},
        {147, (48 - 147) * 528 / 1584 + 460, (147 - 48) * 367 / 1104 + 480},
        {148, (48 - 148) * 528 / 1584 + 560, (148 - 48) * 367 / 1104 + 480},
        {826, (48 - 826) * 528 / 1584 + 560, (1152 - 826) * 527 / 1583 + 577},
        {1179, (1179 - 1632) * 368 / 1103 + 52, (1152 - 1179) * 527 / 1583 + 577},
        {1740, (1740 - 1632) * 368 / 1103 + 52, (1152 - 1740) * 527 / 1583 + 607},
        {3000, (2277 - 1632) * 368 / 1103 + 52, (1152 - 2277) * 527 / 1583 + 607},
    };
    for (const Case& c : cases) {
        jint lo = 0;
        jint hi = 0;
        match::pitchOutlineRange(c.x, lo, hi);
        EXPECT_EQ(lo, c.lo) << c.x;
        EXPECT_EQ(hi, c.hi) << c.x;
    }
    // The target keeps its x (here left of the outline's first band); its y is clamped by the
    // band of x 11, and the window stays on the pitch image.
    GameStatics* s = statics();
    place(s->ball, -200000, 0); // projects to x 220: target x -20
    s->cameraMode = 1;
    s->cameraSubject = s->ball.get();
    s->cameraArrived = 1;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, -20);
    EXPECT_EQ(s->cameraTargetY, clampedY(879 + ((-(-200000) * 128 >> 8) >> 8) - 400));
    EXPECT_EQ(s->cameraX, 0);
}

TEST_F(MatchCameraTest, ArrivalJumpsOntoTheTargetAndRedrawsTheBackground) {
    GameStatics* s = statics();
    place(s->ball, 40000, 20000);
    s->cameraMode = 1;
    s->cameraSubject = s->ball.get();
    s->cameraX = 10;
    s->cameraY = 10;
    s->cameraLastStepX = 4;
    s->cameraLastStepY = -2;
    s->cameraArrived = 1;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraX, s->cameraTargetX);
    EXPECT_EQ(s->cameraY, s->cameraTargetY);
    EXPECT_EQ(s->cameraLastStepX, 0);
    EXPECT_EQ(s->cameraLastStepY, 0);
    EXPECT_EQ(s->backgroundForceRedraw, 1);
    EXPECT_EQ(s->cameraArrived, 0);
    // updateCamera(1) lands in the call itself; updateCamera(0) steps.
    place(s->ball, -40000, -20000);
    match::updateCamera(0);
    EXPECT_NE(s->cameraX, s->cameraTargetX);
    match::updateCamera(1);
    EXPECT_EQ(s->cameraX, s->cameraTargetX);
    EXPECT_EQ(s->cameraY, s->cameraTargetY);
}

TEST_F(MatchCameraTest, AnArrivalDuringAStillFrameWaitsForTheNextMove) {
    GameStatics* s = statics();
    CPlayer* runner = player(30000, 0, 3);
    s->cameraMode = 0;
    s->primaryFocusPlayer = runner;
    s->focusLevel = 3;
    s->cameraArrived = 1;
    match::updateMatchCamera(); // the new subject's still frame
    EXPECT_EQ(s->cameraX, 0);
    EXPECT_EQ(s->cameraArrived, 1);
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraX, s->cameraTargetX);
    EXPECT_EQ(s->cameraArrived, 0);
}

TEST_F(MatchCameraTest, ScriptedPanArrivesExactlyThenFollowsAgain) {
    GameStatics* s = statics();
    s->cameraX = 100;
    s->cameraY = 100;
    s->matchPhase = 1;
    s->cameraPanCountdown = 3;
    match::moveCameraTo(1, 340 + 130, 500 + 45, 12, 8); // target (230, 145)
    std::vector<jint> xs;
    for (jint frame = 0; frame < 20 && s->cameraMode == 2; ++frame) {
        match::updateMatchCamera();
        xs.push_back(s->cameraX);
        ASSERT_LE(s->cameraX, 230);
        ASSERT_LE(s->cameraY, 145);
    }
    // 130 at 12 a frame: 10 steps to 220, the 11th would pass 230 and lands on it.
    ASSERT_GE(xs.size(), 11u);
    EXPECT_EQ(xs[0], 112);
    EXPECT_EQ(xs[9], 220);
    EXPECT_EQ(xs[10], 230);
    EXPECT_EQ(s->cameraY, 145);
    EXPECT_EQ(s->cameraMode, 1) << "after the countdown";
    EXPECT_EQ(s->cameraFollowFlag, 0);
    EXPECT_EQ(s->cameraAtTarget, 1);
    EXPECT_EQ(s->cameraArrived, 1) << "match phase 1 asks for a jump";
    EXPECT_EQ(xs.size(), 11u + 3u);
}

TEST_F(MatchCameraTest, LeadsAndNoReversal) {
    GameStatics* s = statics();
    // A player facing right (3) leads 60 right; as set-piece taker in phase 6 another 61.
    CPlayer* runner = player(0, 0, 3);
    s->cameraMode = 1;
    s->cameraSubject = runner;
    s->cameraFollowsPlayer = 1;
    s->phaseStep = 2;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240 + 60);
    s->matchPhase = 6;
    s->restartActor = runner;
    runner->direction = 4;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240 + 121);
    EXPECT_EQ(s->cameraTargetY, 879 - 400 + 41);
    // Penalty (phase 8) in mode 1: twice 60 and 20 by the side sign, on top of the direction lead.
    s->matchPhase = 8;
    s->sideSign = -1;
    runner->direction = 1;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240 - 120);
    EXPECT_EQ(s->cameraTargetY, 879 - 400 - 20 - 20);
    // The camera never steps against last frame's step.
    s->matchPhase = 0;
    s->cameraX = 1500;
    s->cameraLastStepX = 3;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraX, 1500);
    EXPECT_EQ(s->cameraLastStepX, 0);
    match::updateMatchCamera();
    EXPECT_LT(s->cameraX, 1500);
}

TEST_F(MatchCameraTest, BallInFlightLeadsSidewaysToMidFlight) {
    GameStatics* s = statics();
    place(s->ball, 0, 0);
    s->ball->z = 6000;
    s->ball->flightSide = 1;
    s->cameraMode = 1;
    s->cameraSubject = s->ball.get();
    s->cameraFollowsPlayer = 0;
    s->ballState = 10;
    s->cameraFlightLead = 1;
    s->phaseStep = 2;
    (*s->ballPathGrounded)[40] = 1; // lands at entry 40: d = 20
    struct Case {
        jint index, lead;
    };
    for (const Case c : {Case{0, 0}, Case{10, 72}, Case{20, 144}, Case{30, 72}, Case{40, 0}}) {
        s->ballPathIndex = c.index;
        match::updateMatchCamera();
        EXPECT_EQ(s->cameraTargetX, 1392 - 240 + c.lead) << c.index;
    }
    s->ball->flightSide = 0;
    s->ballPathIndex = 20;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240 - 144);
    // A path grounded at once (d = 0) has no lead; neither has a low ball.
    (*s->ballPathGrounded)[1] = 1;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240);
    (*s->ballPathGrounded)[1] = 0;
    s->ball->z = 5120;
    match::updateMatchCamera();
    EXPECT_EQ(s->cameraTargetX, 1392 - 240);
}

TEST_F(MatchCameraTest, PointsOnOppositeSides) {
    struct Case {
        jint px, py, ax, ay, bx, by;
        bool result;
    };
    const Case cases[] = {
        {5, 0, 0, 0, 10, 0, true},
        {5, 7, 0, 0, 10, 0, true},
        {-1, 0, 0, 0, 10, 0, false},
        {11, 3, 0, 0, 10, 0, false},
        // The dot products alone: P on A counts as outside, P on B as inside.
        {0, 0, 0, 0, 10, 0, false},
        {10, 0, 0, 0, 10, 0, true},
        {3, 3, 0, 0, 0, 0, false},
        {0, 50, 0, 0, 0, 100, true},
        {0, 120, 0, 0, 0, 100, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(match::pointsOnOppositeSides(c.px, c.py, c.ax, c.ay, c.bx, c.by), c.result)
            << c.px << "," << c.py << " on " << c.ax << "," << c.ay << "-" << c.bx << "," << c.by;
    }
}

TEST_F(MatchCameraTest, TrajectoryOfThreeHundredTicksMatchesItsRecording) {
    GameStatics* s = statics();
    CPlayer* a = player(-20000, 10000, 2);
    CPlayer* b = player(15000, -30000, 6);
    s->cameraMode = 0;
    s->cameraX = 1000;
    s->cameraY = 300;
    std::ostringstream out;
    for (jint tick = 0; tick < 300; ++tick) {
        // The ball runs a loop; the players chase it; the focus switches between them and the ball.
        Actor* ball = s->ball;
        const jint bx = (tick % 100 - 50) * 1800;
        const jint by = ((tick / 3) % 60 - 30) * 2500;
        ball->screenX += 0;
        place(ball, bx, by);
        ball->screenX -= (tick % 7) - 3; // a little motion for the lead
        place(a, a->x + (bx - a->x) / 20, a->y + (by - a->y) / 20);
        place(b, b->x + (bx - b->x) / 30, b->y + (by - b->y) / 30);
        a->direction = (tick / 17) % 8;
        b->direction = (tick / 23) % 8;
        s->primaryFocusPlayer = (tick / 40) % 3 == 0 ? a : (tick / 40) % 3 == 1 ? b : nullptr;
        s->secondaryFocusPlayer = (tick / 25) % 2 == 0 ? b : nullptr;
        s->focusLevel = (tick / 60) % 4;
        s->ballState = (tick / 45) % 2 == 0 ? 10 : 0;
        s->matchPhase = tick >= 200 && tick < 230 ? 8 : 0;
        s->sideSign = 1;
        if (tick == 250) {
            match::moveCameraTo(1, 1600, 900, 12, 3);
            s->cameraPanCountdown = 5;
        }
        match::updateMatchCamera();
        out << tick << " " << s->cameraX << " " << s->cameraY << " " << s->cameraMode << "\n";
    }
    const std::string path = profile::test::fixturePath("framework/camera_trajectory.txt");
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && *update != '\0') {
        std::ofstream(path) << out.str();
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing recording " << path;
    std::stringstream recorded;
    recorded << in.rdbuf();
    EXPECT_EQ(out.str(), recorded.str());
}

} // namespace
} // namespace game::testing
