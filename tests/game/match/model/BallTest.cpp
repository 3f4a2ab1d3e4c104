// The ball on its own: bounces, minimum steps, friction, rebounds, sending and placing it, the
// goal box, rectangle and body collisions, the landing prediction, and a frozen lofted flight.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/model/Ball.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

using match::Actor;
using match::CPlayer;
using runtime::jint;

class BallFlightTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->ball = runtime::newObject<Actor>();
        s->ballPathX = runtime::newIntArray(200);
        s->ballPathY = runtime::newIntArray(200);
    }
    static Actor* ball() { return statics()->ball; }
    // The ball at (x, y, z) with speeds (vx, vy, vz) in state, flight direction (dirX, dirY).
    static void setBall(const jint state, const jint x, const jint y, const jint z, const jint vx,
                        const jint vy, const jint vz, const jint dirX = 0, const jint dirY = 0) {
        GameStatics* s = statics();
        Actor* b = ball();
        s->ballState = state;
        b->x = x;
        b->y = y;
        b->z = z;
        b->vx = vx;
        b->vy = vy;
        b->vz = vz;
        s->ballDirX = dirX;
        s->ballDirY = dirY;
    }
};

TEST_F(BallFlightTest, BouncesByStateAndPitch) {
    struct Case {
        jint state, pitch, vz, bouncedVz;
    };
    const Case cases[] = {
        {2, 0, -800, 266}, {9, 0, -800, 266}, {1, 0, -800, 400}, {2, 1, -800, 200}, {1, 2, -800, 200},
        {0, 0, -300, 150}, {1, 0, -300, 0},   {0, 0, -256, 0},   {1, 0, -768, 0},   {1, 0, -769, 385},
    };
    for (const Case& c : cases) {
        statics()->pitchCondition = c.pitch;
        statics()->ballBounced = 0;
        setBall(c.state, 0, 0, 0, 0, 0, c.vz);
        match::ballVerticalStep(ball());
        EXPECT_EQ(ball()->vz, c.bouncedVz) << c.state << " " << c.pitch << " " << c.vz;
        EXPECT_EQ(ball()->z, 0);
    }
}

TEST_F(BallFlightTest, ABounceCarriesTheBallOnExceptInStatesZeroAndFive) {
    GameStatics* s = statics();
    s->groundFriction = 0;
    // State 1: -800 bounces at 400, pushing on by (256 * (400 >> 2)) >> 8 = 100, less the
    // minimum step that now applies (16).
    setBall(1, 0, 0, 0, 4000, 0, -800, 256, 0);
    match::ballVerticalStep(ball());
    EXPECT_EQ(ball()->vx, 4084);
    EXPECT_EQ(s->ballBounced, 1);
    EXPECT_EQ(s->ballGrounded, 1);
    // State 0: no push, no bounce flags and no minimum step.
    s->ballBounced = 0;
    s->ballGrounded = 0;
    setBall(0, 0, 0, 0, 4000, 0, -300, 256, 0);
    match::ballVerticalStep(ball());
    EXPECT_EQ(ball()->vx, 4000);
    EXPECT_EQ(s->ballBounced, 0);
    EXPECT_EQ(s->ballGrounded, 0);
    // A landing without a bounce grounds the ball outside states 0 and 5.
    setBall(2, 0, 0, 0, 0, 0, -100);
    match::ballVerticalStep(ball());
    EXPECT_EQ(s->ballGrounded, 1);
}

TEST_F(BallFlightTest, GravityAndTheDippingShot) {
    GameStatics* s = statics();
    ball()->gravity = 300;
    setBall(2, 0, 0, 1000, 0, 0, 500);
    match::ballVerticalStep(ball());
    EXPECT_EQ(ball()->vz, 200);
    // Past its target a dipping shot falls 6/10 of gravity faster; before it, as usual.
    s->ballDips = 1;
    ball()->aimX = 50000;
    setBall(9, 60000, 0, 1000, 0, 0, -100);
    match::ballVerticalStep(ball());
    EXPECT_EQ(ball()->vz, -280);
    setBall(9, 40000, 0, 1000, 0, 0, -100);
    match::ballVerticalStep(ball());
    EXPECT_EQ(ball()->vz, -400);
}

TEST_F(BallFlightTest, MinimumSteps) {
    struct Case {
        jint state, bounced, v, expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0},     {1, 0, 3, 3},    {10, 0, -3, -3},  {0, 1, 0, 16},  {1, 1, -3, -16},
        {2, 0, 0, 16},    {2, 0, -5, -16}, {2, 0, -16, -16}, {2, 0, 15, 16}, {2, 0, 16, 16},
        {2, 0, -17, -17}, {4, 0, 0, 12},   {4, 0, -11, -12}, {4, 0, 12, 12}, {3, 0, 5, 16},
    };
    for (const Case& c : cases) {
        statics()->ballState = c.state;
        statics()->ballBounced = static_cast<runtime::jbyte>(c.bounced);
        EXPECT_EQ(match::minBallStep(c.v), c.expected) << c.state << " " << c.bounced << " " << c.v;
    }
}

TEST_F(BallFlightTest, FrictionByStateSpeedHeightAndPitch) {
    struct Case {
        const char* name;
        jint state, bounced, dips, pitch, vx, z, x, ax, ay;
    };
    // Direction (256, 0); air drag 100, ground friction 50; the dipping shot's target at 50000.
    const Case cases[] = {
        {"slow ball", 2, 0, 0, 0, 1000, 0, 0, 32, 16},
        {"slow ball, kick 4", 4, 0, 0, 0, 1000, 0, 0, 24, 12},
        {"slow lofted ball keeps its friction", 1, 0, 0, 0, 1000, 0, 0, 50, 0},
        {"slow lofted ball after a bounce", 1, 1, 0, 0, 1000, 0, 0, 32, 16},
        {"slow ball, kick 5", 5, 0, 0, 0, 1000, 0, 0, 50, 16},
        {"fast ball in the air", 2, 0, 0, 0, 2000, 100, 0, 100, 16},
        {"dipping shot past its target", 9, 0, 1, 0, 2000, 100, 60000, 60, 16},
        {"dipping shot before its target", 9, 0, 1, 0, 2000, 100, 40000, 100, 16},
        {"pitch condition 2", 2, 0, 0, 2, 2000, 0, 0, 35, 11},
        {"pitch condition 1", 2, 0, 0, 1, 2000, 0, 0, 37, 12},
    };
    GameStatics* s = statics();
    s->airDrag = 100;
    s->groundFriction = 50;
    ball()->aimX = 50000;
    for (const Case& c : cases) {
        s->ballBounced = static_cast<runtime::jbyte>(c.bounced);
        s->ballDips = static_cast<runtime::jbyte>(c.dips);
        s->pitchCondition = c.pitch;
        setBall(c.state, c.x, 0, c.z, c.vx, 0, 0, 256, 0);
        match::ballFriction(ball());
        EXPECT_EQ(ball()->ax, c.ax) << c.name;
        EXPECT_EQ(ball()->ay, c.ay) << c.name;
    }
}

TEST_F(BallFlightTest, FrictionStopsTheBallAtZero) {
    struct Case {
        jint dir, v, f, expected;
    };
    const Case cases[] = {
        {256, 100, 30, 70}, {256, 20, 30, 0}, {-256, -100, -30, -70}, {-256, -20, -30, 0},
        {0, 50, 16, 0},     {0, -50, 16, 0},  {256, -40, 16, 0},
    };
    for (const Case& c : cases) {
        setBall(2, 0, 0, 0, c.v, c.v, 0, c.dir, c.dir);
        ball()->ax = c.f;
        ball()->ay = c.f;
        match::applyBallFriction(ball());
        EXPECT_EQ(ball()->vx, c.expected) << c.dir << " " << c.v << " " << c.f;
        EXPECT_EQ(ball()->vy, c.expected) << c.dir << " " << c.v << " " << c.f;
    }
}

TEST_F(BallFlightTest, ReboundsClampTheGroundSpeedAndTurnTheDirection) {
    GameStatics* s = statics();
    setBall(2, 0, 0, 0, 3000, -100, 500);
    match::ballRebound(match::kPlaneX, 256);
    EXPECT_EQ(ball()->vx, -2560);
    EXPECT_EQ(ball()->vy, -100);
    EXPECT_EQ(ball()->vz, 500);
    // approxDistance(2560, 100) = 2597.
    EXPECT_EQ(s->ballDirX, -252);
    EXPECT_EQ(s->ballDirY, -9);
    EXPECT_EQ(s->ballState, 3);
    EXPECT_EQ(ball()->gravity, 192);
    EXPECT_EQ(s->airDrag, 80);
    EXPECT_EQ(s->groundFriction, 64);
    EXPECT_EQ(s->ballGrounded, 1);
    EXPECT_EQ(s->ballBounced, 1);
    // The boards' rebound: factor 200 on every speed after the turn.
    setBall(2, 0, 0, 0, 1000, 700, -400);
    match::ballRebound(match::kPlaneY, 200);
    EXPECT_EQ(ball()->vx, 781);
    EXPECT_EQ(ball()->vy, -547);
    EXPECT_EQ(ball()->vz, -313);
    setBall(2, 0, 0, 0, 1000, 0, -400);
    match::ballRebound(match::kPlaneZ, 200);
    EXPECT_EQ(ball()->vz, 312);
    // A still ball takes the direction (16, 16).
    setBall(2, 0, 0, 0, 0, 0, 300);
    match::ballRebound(match::kPlaneZ, 256);
    EXPECT_EQ(s->ballDirX, 16);
    EXPECT_EQ(s->ballDirY, 16);
}

TEST_F(BallFlightTest, PlacingAndSendingTheBall) {
    GameStatics* s = statics();
    setBall(2, 5, 6, 7, 8, 9, 10);
    match::placeBall(1000, -2000);
    EXPECT_EQ(std::vector<jint>({ball()->x, ball()->y, ball()->z, ball()->vx, ball()->vy, ball()->vz}),
              std::vector<jint>({1000, -2000, 0, 0, 0, 0}));
    EXPECT_EQ(s->ballState, 6);
    s->matchTicks = 5000000000LL;
    ball()->vz = 77;
    ball()->ax = 9;
    EXPECT_EQ(match::kickBallTo(4000, -5000, 10), 7);
    EXPECT_EQ(ball()->vx, 300);
    EXPECT_EQ(ball()->vy, -300);
    EXPECT_EQ(ball()->vz, 77);
    EXPECT_EQ(ball()->gravity, 512);
    EXPECT_EQ(ball()->ax, 0);
    EXPECT_EQ(s->ballArrivalTick, 5000000010LL);
    EXPECT_EQ(s->ballState, 7);
    // The target the ball stands on: no speed, but state and arrival all the same.
    match::kickBallTo(1000, -2000, 4);
    EXPECT_EQ(ball()->vx, 0);
    EXPECT_EQ(s->ballArrivalTick, 5000000004LL);
    // No time at all counts as one tick.
    for (const jint t : {0, -3}) {
        match::kickBallTo(4000, -1000, t);
        EXPECT_EQ(ball()->vx, 3000) << t;
        EXPECT_EQ(ball()->vy, 1000) << t;
        EXPECT_EQ(s->ballArrivalTick, 5000000001LL) << t;
    }
}

TEST_F(BallFlightTest, GoalBoxBoundaries) {
    struct Case {
        jint x, y, z;
        bool in;
    };
    const Case cases[] = {
        {135168, 0, 0, false},     {135169, 0, 0, true},     {-135169, 0, 0, true},
        {140031, 0, 0, true},      {140032, 0, 0, false},    {-140032, 0, 0, false},
        {136000, 9727, 0, true},   {136000, 9728, 0, false}, {136000, -9727, 0, true},
        {136000, -9728, 0, false}, {136000, 0, 12543, true}, {136000, 0, 12544, false},
    };
    for (const Case& c : cases) {
        setBall(2, c.x, c.y, c.z, 0, 0, 0);
        EXPECT_EQ(match::isBallInGoal(), c.in) << c.x << " " << c.y << " " << c.z;
    }
}

TEST_F(BallFlightTest, RectangleHits) {
    struct Case {
        const char* name;
        jint mode, p, a1, a2, b2, b1;
        std::array<jint, 6> ball; // x, y, z, vx, vy, vz
        bool hit;
        std::array<jint, 3> after; // x, y, z
    };
    const Case cases[] = {
        // Crossing x = 1500 at y 768 (between 512 and 1024 after 1000 of 1000); z stays 0.
        {"crossing", 3, 1500, 0, 1024, 1000, 0, {1000, 512, 0, 1000, 512, 0}, true, {1499, 767, 1}},
        {"short of the plane",
         3,
         2500,
         0,
         1024,
         1000,
         0,
         {1000, 512, 0, 1000, 512, 0},
         false,
         {1000, 512, 0}},
        {"beside the rectangle",
         3,
         1500,
         0,
         700,
         1000,
         0,
         {1000, 512, 0, 1000, 512, 0},
         false,
         {1000, 512, 0}},
        {"resting on the plane, moving away",
         3,
         1500,
         0,
         1024,
         1000,
         0,
         {1500, 512, 0, -1000, 512, 0},
         true,
         {1501, 513, 1}},
        {"parallel off the plane",
         3,
         1500,
         0,
         1024,
         1000,
         0,
         {1000, 512, 0, 0, 512, 0},
         false,
         {1000, 512, 0}},
        {"from the far side", 3, 1500, 0, 1024, 1000, 0, {2000, 512, 0, -1000, 512, 0}, true, {1501, 767, 1}},
        // Falling onto the ground plane (the next height floored at 0).
        {"onto the ground", 1, 0, 0, 6000, 100, -100, {2560, 0, 1000, 2560, 0, -2000}, true, {5119, 1, 1}},
        {"across y, under the bar",
         2,
         -3000,
         -512,
         512,
         2000,
         0,
         {0, -4000, 256, 0, 2000, 0},
         true,
         {1, -3001, 257}},
        {"across y, over the bar",
         2,
         -3000,
         -512,
         512,
         2000,
         0,
         {0, -4000, 2560, 0, 2000, 0},
         false,
         {0, -4000, 2560}},
    };
    for (const Case& c : cases) {
        setBall(2, c.ball[0], c.ball[1], c.ball[2], c.ball[3], c.ball[4], c.ball[5]);
        EXPECT_EQ(match::ballHitsRect(ball(), c.mode, c.p, c.a1, c.a2, c.b2, c.b1), c.hit) << c.name;
        EXPECT_EQ((std::array<jint, 3>{ball()->x, ball()->y, ball()->z}), c.after) << c.name;
        EXPECT_EQ((std::array<jint, 3>{ball()->vx, ball()->vy, ball()->vz}),
                  (std::array<jint, 3>{c.ball[3], c.ball[4], c.ball[5]}))
            << c.name;
    }
}

TEST_F(BallFlightTest, BodyBoxByStateAndReach) {
    GameStatics* s = statics();
    CPlayer* player = runtime::newObject<CPlayer>();
    s->restartActor = player;
    player->x = 10000;
    player->y = 20000;
    player->z = 0;
    player->direction = 2;
    struct Case {
        jint state, halfWidth, low, high;
    };
    const Case cases[] = {
        {102, 2304, 0, 3840},    {115, 2304, 3840, 7680},  {116, 2304, 7680, 11776}, {100, 2944, 3840, 9216},
        {101, 2944, 3840, 9216}, {103, 4864, 0, 3840},     {104, 4864, 0, 3840},     {105, 4608, 3840, 7680},
        {106, 4608, 3840, 7680}, {113, 4608, 7680, 11776}, {114, 4608, 7680, 11776}, {0, 2304, 0, 3840},
        {107, 2304, 0, 3840},
    };
    struct Reach {
        jint flags, reachValue, width, up;
    };
    // A flagged player reaches 256 whatever his reach; a negative reach narrows but never lowers
    // the height range.
    const Reach reaches[] = {{0, 0, 0, 0}, {0, 512, 512, 512}, {128, 1000, 256, 256}, {0, -100, -100, 0}};
    setBall(2, 0, 0, 0, 0, 0, 0);
    for (const Reach& r : reaches) {
        player->flags = r.flags;
        player->reachValue = r.reachValue;
        for (const Case& c : cases) {
            player->state = c.state;
            player->ballHitsBody();
            const jint low = c.low - r.up > 0 ? c.low - r.up : 0;
            EXPECT_EQ((std::array<jint, 5>{s->lastBodyBox[0], s->lastBodyBox[1], s->lastBodyBox[2],
                                           s->lastBodyBox[3], s->lastBodyBox[4]}),
                      (std::array<jint, 5>{10000, 20000 - c.halfWidth - r.width,
                                           20000 + c.halfWidth + r.width, low, c.high + r.up}))
                << c.state << " reach " << r.reachValue;
        }
    }
    // Facing along y the body is the plane y = player y across x; the height range sits on the
    // player's height.
    player->flags = 0;
    player->reachValue = 0;
    player->state = 102;
    player->direction = 4;
    player->z = 1000;
    player->ballHitsBody();
    EXPECT_EQ((std::array<jint, 5>{s->lastBodyBox[0], s->lastBodyBox[1], s->lastBodyBox[2], s->lastBodyBox[3],
                                   s->lastBodyBox[4]}),
              (std::array<jint, 5>{20000, 10000 - 2304, 10000 + 2304, 1000, 4840}));
    // A ball running into the body at knee height hits it; one over the head does not.
    player->z = 0;
    player->direction = 2;
    setBall(2, 9000, 20000, 1000, 2000, 0, 0);
    EXPECT_TRUE(player->ballHitsBody());
    EXPECT_EQ(ball()->x, 9999);
    setBall(2, 9000, 20000, 5000, 2000, 0, 0);
    EXPECT_FALSE(player->ballHitsBody());
}

TEST_F(BallFlightTest, LandingPredictionLeavesTheBallAsItWas) {
    GameStatics* s = statics();
    s->airDrag = 0;
    s->ballGrounded = 1;
    ball()->gravity = 256;
    // 100 a step forward, up 512: lands after five steps, at x 500.
    setBall(1, 0, 0, 0, 100, 0, 512, 256, 0);
    match::predictLanding(ball());
    EXPECT_EQ(ball()->aimX, 500);
    EXPECT_EQ(ball()->aimY, 0);
    EXPECT_EQ((std::array<jint, 6>{ball()->x, ball()->y, ball()->z, ball()->vx, ball()->vy, ball()->vz}),
              (std::array<jint, 6>{0, 0, 0, 100, 0, 512}));
    EXPECT_EQ(s->ballGrounded, 0);
    // A ground ball reads its path nine entries on, at most the last.
    for (jint k = 0; k < 200; ++k) {
        (*s->ballPathX)[k] = k * 10;
        (*s->ballPathY)[k] = -k;
    }
    struct Case {
        jint state, z, vz, index, entry;
    };
    for (const Case c :
         {Case{0, 500, 300, 5, 14}, Case{2, 0, 0, 5, 14}, Case{2, 0, 0, 195, 199}, Case{2, 0, 0, -40, 0}}) {
        s->ballGrounded = 1;
        s->ballPathIndex = c.index;
        setBall(c.state, 7, 8, c.z, 1, 2, c.vz);
        match::predictLanding(ball());
        EXPECT_EQ(ball()->aimX, c.entry * 10) << c.state << " " << c.index;
        EXPECT_EQ(ball()->aimY, -c.entry) << c.state << " " << c.index;
        EXPECT_EQ(s->ballGrounded, 0);
        EXPECT_EQ(ball()->z, c.z);
    }
}

TEST_F(BallFlightTest, ABallWithoutGravityStillGetsALandingPoint) {
    runtime::LogCapture log;
    ball()->gravity = 0;
    setBall(1, 0, 0, 100, 1, 0, 10, 256, 0);
    match::predictLanding(ball());
    EXPECT_EQ(ball()->z, 100);
    EXPECT_EQ(ball()->vz, 10);
    ASSERT_FALSE(log.lines.empty());
    EXPECT_NE(log.lines.back().find("predictLanding"), std::string::npos);
}

// A lofted pass stepped 60 times, every tenth step frozen: any change to the flight step shows.
TEST_F(BallFlightTest, GoldenLoftedFlight) {
    GameStatics* s = statics();
    s->airDrag = 6;
    s->groundFriction = 20;
    s->pitchCondition = 0;
    s->ballBounced = 0;
    ball()->gravity = 256;
    // Speed (1200, -300): approxDistance 1237, direction (248, -62).
    setBall(1, -50000, 1000, 0, 1200, -300, 3000, 248, -62);
    std::vector<std::array<jint, 6>> seen;
    for (jint step = 1; step <= 60; ++step) {
        match::ballVerticalStep(ball());
        ball()->x += ball()->vx;
        ball()->y += ball()->vy;
        ball()->z += ball()->vz;
        if (step % 10 == 0) {
            seen.push_back({ball()->x, ball()->y, ball()->z, ball()->vx, ball()->vy, ball()->vz});
        }
    }
    // Up and down, a bounce that pushes the flight on, then rolling under ground friction.
    const std::vector<std::array<jint, 6>> expected = {
        {-38415, -1860, 15920, 1136, -277, 440}, {-27330, -4520, 6240, 1086, -257, -2120},
        {-14649, -7204, 3076, 1302, -227, -92},  {-1723, -8804, 0, 1295, -109, 0},
        {10182, -9122, 0, 1105, 0, 0},           {20007, -9122, 0, 855, 0, 0},
    };
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace game::testing
