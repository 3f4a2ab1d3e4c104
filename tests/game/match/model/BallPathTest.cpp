// The planned ball path: a table of kicks (a ground pass that never lands, a lofted pass and its
// aim point, a driven shot, a clamped ground pass's slowing point, a stop's repeated entries), each
// leaving the ball as it was; the swerving shot's arc against a golden path, its two sides as
// mirror images with the offset of a 150 % radius, the arc ending on its first entry; and the shot
// chosen at a shooter's contact.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/match/BallCalls.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "game/match/model/BallPath.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kUnplanned = -77777;

// A ball's launch as a plan finds it.
struct PathLaunch {
    jint state;
    jint x, y, z, vx, vy, vz;
    jint gravity, groundFriction, airDrag;
    jint dirX, dirY;
    jint aimX, aimY, aimZ;
    bool dips;
};

class BallPathTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5188);
        statics()->pitchCondition = 0;
    }
    static Actor* pathBall() { return statics()->ball; }
    static void launch(const PathLaunch& l) {
        GameStatics* s = statics();
        Actor* b = pathBall();
        s->ballState = l.state;
        b->x = l.x;
        b->y = l.y;
        b->z = l.z;
        b->vx = l.vx;
        b->vy = l.vy;
        b->vz = l.vz;
        b->ax = 3;
        b->ay = -5;
        b->gravity = l.gravity;
        s->groundFriction = l.groundFriction;
        s->airDrag = l.airDrag;
        s->ballDirX = l.dirX;
        s->ballDirY = l.dirY;
        b->aimX = l.aimX;
        b->aimY = l.aimY;
        b->aimZ = l.aimZ;
        s->ballDips = l.dips ? 1 : 0;
        s->ballBounced = 1;
        s->ballGrounded = 0;
        s->ballPathIndex = 42;
        for (jint k = 0; k < kBallPathLength; ++k) {
            (*s->ballPathX)[k] = kUnplanned;
            (*s->ballPathY)[k] = kUnplanned;
            (*s->ballPathZ)[k] = kUnplanned;
        }
    }
    static std::vector<jint> ballFields() {
        const Actor* b = pathBall();
        const GameStatics* s = statics();
        return {b->x,  b->y,  b->z,       b->vx,          b->vy,          b->vz,
                b->ax, b->ay, b->gravity, s->ballBounced, s->ballGrounded};
    }
    static jint px(const jint k) { return (*statics()->ballPathX)[k]; }
    static jint py(const jint k) { return (*statics()->ballPathY)[k]; }
    static jint pz(const jint k) { return (*statics()->ballPathZ)[k]; }
    // The first entry at height 0 (the landing), -1 none.
    static jint firstGrounded() {
        for (jint k = 0; k < kBallPathLength; ++k) {
            if (pz(k) == 0) {
                return k;
            }
        }
        return -1;
    }
    // The first entry of a stop's ten repeats, -1 when the ball never stops in the path.
    static jint firstRepeat() {
        for (jint k = 1; k < kBallPathLength; ++k) {
            if (px(k) == kUnplanned) {
                return -1;
            }
            if (px(k) == px(k - 1) && py(k) == py(k - 1) && pz(k) == pz(k - 1) && k + 1 < kBallPathLength &&
                px(k + 1) == px(k) && pz(k + 1) == pz(k)) {
                return k;
            }
        }
        return -1;
    }
};

TEST_F(BallPathTest, KicksArePlannedFromTheBallsOwnFlightAndLeaveItAsItWas) {
    struct Case {
        const char* name;
        PathLaunch launch;
        bool lands;     // the flight part ends on landing
        bool stops;     // the ball stops: the rest of the table repeats its point
        bool aimLanded; // the aim point becomes the landing point
        bool aimSlowed; // the aim point becomes where the speed falls to 1024
    };
    const Case cases[] = {
        {"ground pass on the ground",
         {0, 1000, 2000, 0, 3000, -400, 0, 100, 20, 10, 253, -34, 5, 6, 0, false},
         false,
         false,
         false,
         false},
        {"lofted pass",
         {1, -20000, 0, 0, -1600, 900, 1400, 150, 60, 10, -223, 125, 5, 6, 0, false},
         true,
         true,
         true,
         false},
        {"high lofted pass",
         {10, 0, 0, 0, 1200, 1200, 2000, 180, 60, 10, 181, 181, 5, 6, 0, false},
         true,
         true,
         true,
         false},
        {"driven shot",
         {2, 60000, 0, 1, 3500, 0, 900, 120, 40, 10, 256, 0, 5, 6, 3000, false},
         true,
         false,
         false,
         false},
        {"clamped ground pass",
         {0, 0, 0, 1, 2800, 0, 500, 120, 20, 10, 256, 0, 5, 6, 0, true},
         true,
         true,
         false,
         true},
    };
    GameStatics* s = statics();
    for (const Case& c : cases) {
        launch(c.launch);
        const std::vector<jint> before = ballFields();
        match::planBallPath(-1, -1);
        EXPECT_EQ(ballFields(), before) << c.name;
        EXPECT_EQ(s->ballPathIndex, 0) << c.name;
        // The friction words and direction stay on a straight path.
        EXPECT_EQ(s->ballDirX, c.launch.dirX) << c.name;
        EXPECT_EQ(s->groundFriction, c.launch.groundFriction) << c.name;

        // Entry k is the ball after k + 1 of its own steps.
        Actor* b = pathBall();
        const jint e = firstGrounded();
        for (jint k = 0; k <= (c.lands ? e : kBallPathLength - 1); ++k) {
            s->ballBounced = 0;
            s->ballGrounded = 0;
            match::ballVerticalStep(b);
            b->x += b->vx;
            b->y += b->vy;
            b->z += b->vz;
            EXPECT_EQ(px(k), b->x) << c.name << " entry " << k;
            EXPECT_EQ(py(k), b->y) << c.name << " entry " << k;
            EXPECT_EQ(pz(k), b->z < 0 ? 0 : b->z) << c.name << " entry " << k;
        }
        launch(c.launch);
        match::planBallPath(-1, -1);

        if (!c.lands) {
            EXPECT_EQ(e, 0) << c.name << ": on the ground throughout";
        }
        EXPECT_NE(px(kBallPathLength - 1), kUnplanned) << c.name << ": every entry is planned";
        if (c.stops) {
            const jint stop = firstRepeat();
            ASSERT_GT(stop, e) << c.name;
            for (jint k = stop; k < kBallPathLength; ++k) {
                EXPECT_EQ(px(k), px(stop - 1)) << c.name << " entry " << k;
                EXPECT_EQ(py(k), py(stop - 1)) << c.name << " entry " << k;
                EXPECT_EQ(pz(k), 0) << c.name << " entry " << k;
            }
        }
        if (c.aimLanded) {
            EXPECT_EQ(b->aimX, px(e)) << c.name;
            EXPECT_EQ(b->aimY, py(e)) << c.name;
        } else if (!c.aimSlowed) {
            EXPECT_EQ(b->aimX, 5) << c.name;
            EXPECT_EQ(b->aimY, 6) << c.name;
        }
        if (c.aimSlowed) {
            jint slowed = e;
            while (core::approxDistance(px(slowed) - px(slowed - 1), py(slowed) - py(slowed - 1)) > 1024) {
                ++slowed;
            }
            EXPECT_EQ(b->aimX, px(slowed)) << c.name;
            EXPECT_EQ(b->aimY, py(slowed)) << c.name;
            EXPECT_EQ(s->ballDips, 0) << c.name;
        }
    }
}

// A driven shot along d from (x0, y0) that reaches its target x before it comes down.
PathLaunch swervingShot(const jint x0, const jint y0, const jint dirX, const jint dirY, const jint aimX) {
    return {2,    x0, y0, 0,    (3000 * dirX) >> 8, (3000 * dirY) >> 8, 400, 20, 30, 8, dirX, dirY,
            aimX, 0,  0,  false};
}

TEST_F(BallPathTest, ASwervingShotBendsIntoMirroredArcs) {
    GameStatics* s = statics();
    struct Arc {
        std::vector<jint> x, y;
        jint e = -1;
    };
    const auto plan = [&](const PathLaunch& l, const jint side) {
        launch(l);
        match::planBallPath(150, side);
        Arc arc;
        for (jint k = 0; k < kBallPathLength; ++k) {
            arc.x.push_back(px(k));
            arc.y.push_back(py(k));
        }
        return arc;
    };
    // Along +x: the straight flight ends where x first reaches the target.
    const PathLaunch east = swervingShot(40000, 0, 256, 0, 100000);
    launch(east);
    match::planBallPath(-1, -1);
    jint e = 0;
    while (px(e) < 100000) {
        ++e;
    }
    const jint L = px(e) - 40000;
    const Arc left = plan(east, -1);
    const Arc right = plan(east, 1);
    jint widest = 0;
    jint widestAt = 0;
    for (jint k = 0; k <= e; ++k) {
        EXPECT_EQ(left.x[k], right.x[k]) << k;
        EXPECT_EQ(left.y[k], -right.y[k]) << k;
        if (right.y[k] > widest) {
            widest = right.y[k];
            widestAt = k;
        }
    }
    EXPECT_GT(widest, L * 80 / 1000);
    EXPECT_LT(widest, L * 90 / 1000);
    EXPECT_GT(widestAt, e / 3);
    EXPECT_LT(widestAt, 2 * e / 3 + 1);
    EXPECT_LE(right.y[e], 2) << "the arc arrives at the straight flight's end";

    // Diagonally: the two sides lie either side of the straight flight by the same amount.
    const PathLaunch diagonal = swervingShot(10000, -20000, 181, 181, 60000);
    launch(diagonal);
    match::planBallPath(-1, -1);
    std::vector<jint> straightX, straightY;
    for (jint k = 0; k < kBallPathLength; ++k) {
        straightX.push_back(px(k));
        straightY.push_back(py(k));
    }
    jint d = 0;
    while (straightX[d] < 60000) {
        ++d;
    }
    const Arc up = plan(diagonal, -1);
    const Arc down = plan(diagonal, 1);
    for (jint k = 0; k < d; ++k) {
        // The arc's along-distance on the diagonal is 181/256 of a step: a rounding of 1/1000.
        const jint rounding = 2 + (straightX[k] - 10000) / 1000;
        EXPECT_NEAR(up.x[k] + down.x[k], 2 * straightX[k], rounding) << k;
        EXPECT_NEAR(up.y[k] + down.y[k], 2 * straightY[k], rounding) << k;
        EXPECT_GT(up.x[k] - down.x[k], 0) << k << ": side -1 bows to +x";
    }
    // The ball leaves along the arc's last step with its speed, its friction rescaled.
    const jint dx = down.x[d] - down.x[d - 1];
    const jint dy = down.y[d] - down.y[d - 1];
    EXPECT_EQ(s->ballDirX, (dx << 8) / core::approxDistance(dx, dy));
    EXPECT_EQ(s->ballDirY, (dy << 8) / core::approxDistance(dx, dy));
    s->groundFriction = 30;
    s->airDrag = 8;
    match::rescaleBallFriction(256, s->ballDirX, s->ballDirY);
    const jint friction = s->groundFriction;
    const jint drag = s->airDrag;
    plan(diagonal, 1);
    EXPECT_EQ(s->groundFriction, friction);
    EXPECT_EQ(s->airDrag, drag);
}

TEST_F(BallPathTest, AGoldenSwerveDrawsItsSide) {
    GameStatics* s = statics();
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(150);
    launch(swervingShot(-90000, 12000, -256, 0, -130000));
    match::planBallPath(150, 0);
    // Seed 150 draws side +1: towards -y of a flight along -x. The arc leaves (-90000, 12000),
    // bows 3449 at its middle, ends on entry 13 beside the straight flight's end, and the ball
    // rolls out along its last step.
    struct Entry {
        jint k, x, y, z;
    };
    for (const Entry g :
         {Entry{0, -92970, 11093, 380}, Entry{3, -101784, 9146, 1400}, Entry{6, -110454, 8551, 2240},
          Entry{10, -121790, 9722, 3080}, Entry{13, -130124, 12019, 3500}, Entry{14, -132568, 12771, 3600},
          Entry{20, -146896, 17061, 3780}}) {
        EXPECT_EQ(px(g.k), g.x) << g.k;
        EXPECT_EQ(py(g.k), g.y) << g.k;
        EXPECT_EQ(pz(g.k), g.z) << g.k;
    }
    EXPECT_EQ(s->ballDirX, -228);
    EXPECT_EQ(s->ballDirY, 73);
    EXPECT_EQ(s->groundFriction, 41);
    EXPECT_EQ(s->airDrag, 10);
}

TEST_F(BallPathTest, AnArcEndingOnItsFirstEntryLeavesNoGroundSpeed) {
    GameStatics* s = statics();
    launch(swervingShot(40000, 0, 256, 0, 41000));
    match::planBallPath(150, 1);
    EXPECT_EQ(s->ballDirX, 0);
    EXPECT_EQ(s->ballDirY, 0);
    for (jint k = 2; k < 30; ++k) {
        EXPECT_EQ(px(k), px(1)) << k;
        EXPECT_EQ(py(k), py(1)) << k;
    }
}

TEST_F(BallPathTest, AShotAtContactDipsSwervesOrGoesStraight) {
    GameStatics* s = statics();
    CPlayer* shooter = player(0, 9);
    shooter->kickTargetX = 135168;
    shooter->kickTargetY = 0;
    shooter->kickMode = 2000;
    // Met at 1,000 up: the shot aims a quarter of that higher than its kick height.
    shooter->kickBallHeight = 1000;
    shooter->shotPower = 3;
    shooter->cellX = 9;
    shooter->cellY = 0;
    ASSERT_EQ(team(0)->zoneOfCell(9, 0), 3);
    // Flag 16 (bit 4) dips, flag 4 (bit 2) may swerve; flag 2 is neither.
    struct Case {
        jint flags, holdTicks, kickMode, cellX;
        jint state;
        bool swerves, draws;
    };
    for (const Case c : {Case{16, 6, 2000, 9, match::kBallShot, false, false},
                         Case{20, 6, 2000, 9, match::kBallShot, false, false},
                         Case{16, 5, 2000, 9, match::kBallDriven, false, false},
                         Case{16, 6, 2000, 12, match::kBallDriven, false, false},
                         Case{4, 0, 0, 9, match::kBallDriven, false, false},
                         Case{0, 0, 2000, 9, match::kBallDriven, false, false},
                         Case{2, 6, 2000, 9, match::kBallDriven, false, false},
                         Case{4, 0, 2000, 9, match::kBallDriven, true, true}}) {
        const std::string what = "flags " + std::to_string(c.flags) + " hold " + std::to_string(c.holdTicks) +
                                 " cell " + std::to_string(c.cellX);
        shooter->flags = c.flags;
        shooter->kickMode = c.kickMode;
        shooter->cellX = c.cellX;
        s->holdTicks = c.holdTicks;
        jint swerves = 0;
        for (jint shot = 0; shot < 16; ++shot) {
            match::placeBall(100000, 0);
            // What an earlier kick left: never the power of this shot.
            match::kickPower() = 7;
            s->gameRandom = runtime::newObject<runtime::java_util_Random>(shot);
            const jint firstDraw = core::randomRange(0, 1);
            s->gameRandom = runtime::newObject<runtime::java_util_Random>(shot);
            match::kickShot(shooter);
            EXPECT_EQ(s->ballState, c.state) << what;
            EXPECT_EQ(s->ball->aimZ, c.kickMode + 250) << what;
            EXPECT_EQ(match::kickPower(), c.state == match::kBallShot ? 0 : 3) << what;
            bool bent = false;
            for (jint k = 0; k < 10; ++k) {
                bent = bent || py(k) != 0;
            }
            swerves += bent ? 1 : 0;
            if (c.draws) {
                EXPECT_EQ(bent, firstDraw == 0) << what << " seed " << shot;
            }
        }
        if (c.swerves) {
            EXPECT_GT(swerves, 0) << what;
            EXPECT_LT(swerves, 16) << what;
        } else {
            EXPECT_EQ(swerves, 0) << what;
        }
    }
}

} // namespace
} // namespace game::testing
