// The ball kick: the kick parameters where the static set-up put them, the launch of every kind
// flown through the ball's flight step against the believability bands of MatchTuning.h
// (ground passes, lofted and driven balls, the strong kick, shots of every power), the kick of no
// length, crediting, the dipping and out-of-pitch flags and the friction rescale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchConstants.h"
#include "game/match/MatchTuning.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {
namespace {

using match::Actor;
using match::CPlayer;
using runtime::jint;

// What a flight did, tick by tick through the flight step.
struct KickFlight {
    jint ticks = -1;      // ticks until it reached (or first came down at) the mark; -1 never
    jint highest = 0;     // highest point
    jint speedAtMark = 0; // ground speed there
    jint travelled = 0;   // distance along the kick's direction there
    jint heightAtMark = 0;
};

class BallKickTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        match::initMatchBoxes(s);
        match::initMatchTables(s);
        s->ball = runtime::newObject<Actor>();
        s->matchPhase = 0;
        s->pitchCondition = 0;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(47);
    }
    static Actor* kickBall() { return statics()->ball; }
    static void putBall(const jint x, const jint y, const jint z = 0) {
        match::placeBall(x, y);
        kickBall()->z = z;
        statics()->ballBounced = 0;
    }
    // The distance from (x0, y0) along (ux, uy) (unit 256).
    static jint along(const jint x0, const jint y0, const jint ux, const jint uy) {
        const Actor* b = kickBall();
        return static_cast<jint>(
            (static_cast<long long>(b->x - x0) * ux + static_cast<long long>(b->y - y0) * uy) / 256);
    }
    // Flies the launched ball until it has covered `mark` along its direction (landing: until it
    // first comes down), at most `limit` ticks.
    static KickFlight fly(const jint mark, const bool untilLanding, const jint limit = 400) {
        GameStatics* s = statics();
        Actor* b = kickBall();
        const jint x0 = b->x, y0 = b->y, ux = s->ballDirX, uy = s->ballDirY;
        KickFlight f;
        for (jint tick = 1; tick <= limit; ++tick) {
            match::ballVerticalStep(b);
            b->x += b->vx;
            b->y += b->vy;
            b->z += b->vz;
            f.highest = b->z > f.highest ? b->z : f.highest;
            const jint done = along(x0, y0, ux, uy);
            const bool there = untilLanding ? (tick > 1 && b->z <= 0) : done >= mark;
            if (there) {
                f.ticks = tick;
                f.travelled = done;
                f.speedAtMark = core::approxDistance(b->vx, b->vy);
                f.heightAtMark = b->z;
                return f;
            }
        }
        return f;
    }
};

TEST_F(BallKickTest, TheKickParametersAreTheStaticSetUpsValues) {
    const GameStatics* s = statics();
    EXPECT_EQ(s->matchTiming[match::kKickPowerStart], 0);
    EXPECT_EQ(match::kickPower(), 0);
    const std::vector<std::pair<jint, jint>> named = {
        {match::kKickG0, 120}, {match::kKickG1, 60}, {match::kKickG2, 64},
        {match::kKickL3, 20},  {match::kKickL4, 50}, {match::kKickL5, 64},
        {match::kKickL6, 30},  {match::kKickL7, 20}, {match::kKickL8, 64}};
    for (const auto& [at, value] : named) {
        EXPECT_EQ(s->matchTiming[at], value) << at;
    }
    EXPECT_EQ(s->matchScaleMid, 50);
    const std::vector<jint> falling = {130, 120, 110, 100, 90, 80, 70, 60};
    const std::vector<jint> caps = {34, 32, 30, 28, 26, 24, 22, 20};
    for (jint i = 0; i < 8; ++i) {
        EXPECT_EQ((*s->matchScaleA)[i], falling[i]);
        EXPECT_EQ((*s->matchScaleB)[i], falling[i]);
        EXPECT_EQ((*s->matchScaleC)[i], caps[i]);
    }
}

// Directions of the launch table: along x, along y and diagonally, both ways.
const std::vector<std::pair<jint, jint>> kKickDirections = {{256, 0},  {-256, 0},  {0, 256},
                                                            {0, -256}, {181, 181}, {-181, 181}};
// The diagonal that the screen shows shortest (-x +y, and +x -y) gets the largest friction
// rescale (480 / 340): a ground pass along it keeps to the bands up to 100,000; at 150,000 it
// rises to 4,129 at a mean of 3,057 a tick.
bool screenShortDiagonal(const jint ux, const jint uy) {
    return ux != 0 && uy != 0 && (ux < 0) != (uy < 0);
}

TEST_F(BallKickTest, GroundPassesRollToTheirTargetAtBelievableSpeeds) {
    for (const auto& [ux, uy] : kKickDirections) {
        for (const jint d : {8192, 20000, 40000, 80000, 100000, 120000, 150000}) {
            if (screenShortDiagonal(ux, uy) && d > 100000) {
                continue;
            }
            putBall(-ux * (d / 512), -uy * (d / 512));
            const Actor* b = kickBall();
            match::kickBall(match::kBallRolling, b->x + ux * d / 256, b->y + uy * d / 256, 0, -1, -1);
            const jint target = statics()->kickDistance;
            const KickFlight f = fly(target, false);
            const std::string at = std::to_string(ux) + "," + std::to_string(uy) + " d " + std::to_string(d);
            ASSERT_GT(f.ticks, 0) << at;
            EXPECT_LT(f.highest, match::kGroundPassPeakBelow) << at;
            const jint mean = target / f.ticks;
            EXPECT_GE(mean, match::kGroundPassMeanSpeedMin) << at;
            EXPECT_LE(mean, match::kGroundPassMeanSpeedMax) << at;
            EXPECT_LE(f.speedAtMark, match::kGroundPassSpeedAtTarget) << at;
        }
    }
}

TEST_F(BallKickTest, LoftedAndDrivenBallsComeDownNearTheirTarget) {
    GameStatics* s = statics();
    struct Loft {
        jint kind;
        bool strong;
    };
    for (const Loft loft : {Loft{match::kBallLofted, false}, Loft{match::kBallLoftedHigh, false},
                            Loft{match::kBallLofted, true}}) {
        s->strongKick = loft.strong ? 1 : 0;
        for (const auto& [ux, uy] : kKickDirections) {
            for (const jint d : {8192, 20000, 40000, 80000, 120000, 184320}) {
                putBall(0, 0);
                match::kickBall(loft.kind, ux * d / 256, uy * d / 256, 0, -1, -1);
                const jint reach = s->kickDistance < 6144 ? 6144 : s->kickDistance;
                const KickFlight f = fly(0, true);
                const std::string at = std::to_string(loft.kind) + (loft.strong ? " strong " : " ") +
                                       std::to_string(ux) + "," + std::to_string(uy) + " d " +
                                       std::to_string(d);
                ASSERT_GT(f.ticks, 0) << at;
                const jint miss = std::abs(f.travelled - reach);
                if (loft.strong) {
                    EXPECT_LE(miss, std::max(reach / match::kStrongLandingShare, match::kStrongLandingMin))
                        << at;
                } else {
                    EXPECT_LE(miss, std::max(reach / match::kLoftLandingShare, match::kLoftLandingMin)) << at;
                    EXPECT_GE(f.highest, reach / match::kLoftPeakLowShare) << at;
                    EXPECT_LE(f.highest, reach * 3 / 4) << at;
                }
            }
        }
    }
}

TEST_F(BallKickTest, ShotsOfEveryPowerReachTheGoalLineUnderTheBar) {
    GameStatics* s = statics();
    constexpr jint kLine = 135168;
    struct Start {
        jint z, h;
    };
    for (const jint out : {40000, 70000, 110000}) {
        // Straight on and from either side, always `out` from the target.
        const jint side = out / 3;
        const jint offset = side - (side >> 1) - (side >> 2) + (side >> 3);
        for (const std::pair<jint, jint>& start :
             {std::pair<jint, jint>{out, 0}, {out - offset, side}, {out - offset, -side}}) {
            for (const Start st :
                 {Start{0, 0}, Start{0, 2000}, Start{0, 8000}, Start{0, 12000}, Start{8000, 2000}}) {
                for (jint power = 0; power < 8; ++power) {
                    putBall(kLine - start.first, 4000 + start.second, st.z);
                    match::kickPower() = power;
                    match::kickBall(match::kBallDriven, kLine, 4000, st.h, -1, -1);
                    ASSERT_EQ(s->kickDistance, out);
                    const jint launch = core::approxDistance(kickBall()->vx, kickBall()->vy);
                    const KickFlight f = fly(start.first, false, 60);
                    const std::string at = "out " + std::to_string(out) + " y " +
                                           std::to_string(start.second) + " z " + std::to_string(st.z) +
                                           " h " + std::to_string(st.h) + " power " + std::to_string(power);
                    EXPECT_GE(launch, match::kShotLaunchMin) << at;
                    EXPECT_LE(launch, match::kShotLaunchMax) << at;
                    ASSERT_GT(f.ticks, 0) << at;
                    EXPECT_LE(f.ticks, match::kShotTicksToLine) << at;
                    if (st.h <= 8000) {
                        EXPECT_LT(f.heightAtMark, 12544) << at;
                    }
                }
            }
        }
    }
    match::kickPower() = 0;
}

TEST_F(BallKickTest, AKickOfNoLengthLeavesTheBallStill) {
    GameStatics* s = statics();
    for (const jint kind : {match::kBallRolling, match::kBallKick5, match::kBallLofted, match::kBallDriven,
                            match::kBallKick4, match::kBallLoftedHigh}) {
        putBall(30000, -20000);
        match::kickBall(kind, 30000, -20000, 0, -1, -1);
        EXPECT_EQ(s->ballDirX, 0) << kind;
        EXPECT_EQ(s->ballDirY, 0) << kind;
        EXPECT_EQ(s->kickDistance, 1) << kind;
        EXPECT_EQ(kickBall()->vx, 0) << kind;
        EXPECT_EQ(kickBall()->vy, 0) << kind;
        EXPECT_EQ(s->ballState, kind);
    }
    // A knock-on of no length: a ground kick whose friction keeps its parameters.
    putBall(0, 0);
    match::kickBall(match::kBallKick5, 0, 0, 0, -1, -1);
    EXPECT_EQ(s->groundFriction, 60);
    EXPECT_EQ(s->airDrag, 64);
    EXPECT_EQ(kickBall()->vz, 0);
}

TEST_F(BallKickTest, LaunchInvariantsOfEachKind) {
    GameStatics* s = statics();
    // Ground pass: the run-on clamp sets the dip flag only when it bites; the power is spent.
    putBall(0, 0);
    match::kickPower() = 3;
    match::kickBall(match::kBallRolling, 50000, 0, 0, -1, -1);
    EXPECT_EQ(s->ballDips, 0);
    EXPECT_EQ(match::kickPower(), 0);
    EXPECT_EQ(kickBall()->gravity, 123);
    EXPECT_EQ(s->ballGrounded, 0);
    EXPECT_EQ(kickBall()->z, 1);
    EXPECT_EQ(kickBall()->aimX, 50000);
    putBall(-100000, 0);
    match::kickBall(match::kBallRolling, 100000, 0, 0, -1, -1);
    // The clamp's dip flag gives way to the slowing point the plan finds short of the target.
    EXPECT_EQ(s->ballDips, 0);
    EXPECT_LT(kickBall()->aimX, 100000);
    EXPECT_GT(kickBall()->aimX, 0);
    putBall(0, 0);
    match::kickBall(match::kBallKick5, 0, 3000, 0, -1, -1);
    EXPECT_EQ(s->ballDips, 0);
    EXPECT_EQ(s->ballGrounded, 1);
    // Direction of octagonal length about 256 for every kind.
    for (const jint kind : {0, 1, 2, 4, 5, 9, 10}) {
        putBall(-20000, 10000);
        match::kickBall(kind, 40000, -15000, 0, -1, -1);
        // Kinds 0, 1 and 10 measure the kick by its true length, the others octagonally.
        const bool trueLength = kind == 0 || kind == 1 || kind == 10;
        const jint length = trueLength
                                ? core::fixedSqrt(s->ballDirX * s->ballDirX + s->ballDirY * s->ballDirY) / 16
                                : core::approxDistance(s->ballDirX, s->ballDirY);
        EXPECT_GE(length, 248) << kind;
        EXPECT_LE(length, 262) << kind;
        EXPECT_EQ(s->ballState, kind);
    }
    // The short push: gravity 200, ten ticks up and down, friction and drag of its own.
    putBall(0, 0);
    match::kickBall(match::kBallKick4, 3000, 0, 0, -1, -1);
    EXPECT_EQ(kickBall()->gravity, 200);
    EXPECT_EQ(s->groundFriction, 64);
    EXPECT_EQ(s->airDrag, 40);
    EXPECT_EQ(kickBall()->vz, 1024);
    EXPECT_EQ(kickBall()->vx, (3000 + 2000) * 2 / 20);
    EXPECT_EQ(s->ballGrounded, 1);
    // Kinds that only aim.
    putBall(0, 0);
    kickBall()->vx = 5;
    match::kickBall(7, 8000, 0, 0, -1, -1);
    EXPECT_EQ(s->ballState, 7);
    EXPECT_EQ(kickBall()->vx, 5);
    EXPECT_EQ(kickBall()->aimX, 8000);
}

TEST_F(BallKickTest, AShotIsCreditedOnlyOnTargetAndAHighOneDips) {
    GameStatics* s = statics();
    CPlayer* shooter = runtime::newObject<CPlayer>();
    s->lastTouchPlayer = shooter;
    struct Aim {
        jint y, h;
        bool credited;
    };
    for (const Aim aim : {Aim{0, 0, true}, Aim{9728, 12544, true}, Aim{-9728, 0, true}, Aim{9729, 0, false},
                          Aim{0, 12545, false}, Aim{-12000, 3000, false}}) {
        s->creditedPlayer = nullptr;
        putBall(60000, 0);
        match::kickBall(match::kBallShot, 135168, aim.y, aim.h, -1, -1);
        EXPECT_EQ(s->creditedPlayer.get() == shooter, aim.credited) << aim.y << " " << aim.h;
        EXPECT_EQ(s->ballGrounded, 1);
        EXPECT_EQ(s->ballDips, 0);
    }
    putBall(100000, 0);
    match::kickBall(match::kBallShot, 135168, 0, 14000, -1, -1);
    EXPECT_EQ(s->ballDips, 1);
    EXPECT_EQ(kickBall()->gravity, 130 - 130 / 4);
    putBall(90000, 0);
    match::kickBall(match::kBallShot, 135168, 0, 14000, -1, -1);
    EXPECT_EQ(s->ballDips, 0);
    // A penalty of the second team draws the carrier stage.
    s->matchPhase = 8;
    s->phaseTeam = 1;
    putBall(106496, 0);
    match::kickBall(match::kBallShot, 135168, 0, 0, -1, -1);
    EXPECT_GE(s->carrierStage, 1);
    EXPECT_LE(s->carrierStage, 12);
    s->matchPhase = 0;
}

TEST_F(BallKickTest, LoftedKicksFlagAPathPastEitherGoalLine) {
    GameStatics* s = statics();
    struct Case {
        jint kind, x0, targetX;
        bool plus, minus;
    };
    // Lofted balls over either goal line, one that stays short of it, and a ground pass over the
    // line, which is not looked at.
    for (const Case c : {Case{match::kBallLofted, 100000, 150000, true, false},
                         Case{match::kBallLoftedHigh, -100000, -150000, false, true},
                         Case{match::kBallLofted, 0, 60000, false, false},
                         Case{match::kBallRolling, 110000, 150000, false, false}}) {
        putBall(c.x0, 0);
        s->ballPathIndex = 7;
        match::kickBall(c.kind, c.targetX, 0, 0, -1, -1);
        EXPECT_EQ(s->ballPathIndex, 0) << c.x0 << ": the path is planned afresh";
        EXPECT_EQ(s->pathLeavesPlusX, c.plus ? 1 : 0) << c.x0;
        EXPECT_EQ(s->pathLeavesMinusX, c.minus ? 1 : 0) << c.x0;
        jint furthest = 0;
        for (jint i = 0; i < 200; ++i) {
            furthest = std::max(furthest, std::abs((*s->ballPathX)[i]));
        }
        EXPECT_EQ(furthest >= 135168, c.plus || c.minus || c.kind == match::kBallRolling) << c.x0;
    }
}

TEST_F(BallKickTest, KicksFromCornerToFarCornerStayWithinTheIntRange) {
    GameStatics* s = statics();
    const std::vector<std::pair<jint, jint>> corners = {
        {-148000, -94000}, {150000, -94000}, {-148000, 102000}, {150000, 102000}};
    for (const auto& [x0, y0] : corners) {
        for (const jint kind : {0, 1, 2, 4, 5, 9, 10}) {
            putBall(x0, y0);
            match::kickBall(kind, x0 < 0 ? 150000 : -148000, y0 < 0 ? 102000 : -94000, 0, -1, -1);
            // Towards the far corner on both axes, at a speed a kick can have.
            EXPECT_EQ(kickBall()->vx > 0, x0 < 0) << kind;
            EXPECT_EQ(kickBall()->vy > 0, y0 < 0) << kind;
            // The short push covers its distance in ten ticks whatever it is.
            const jint cap = kind == match::kBallKick4 ? (s->kickDistance + 2000) / 10 + 300 : 12000;
            EXPECT_LT(core::approxDistance(kickBall()->vx, kickBall()->vy), cap) << kind;
            EXPECT_GT(s->kickDistance, 300000) << kind;
        }
    }
}

TEST_F(BallKickTest, TheFrictionRescaleFollowsTheScreensProportions) {
    GameStatics* s = statics();
    struct Case {
        jint len, dirX, dirY, friction, drag;
    };
    // approxPitchDistance: 468 along +x, 511 along +y, 340 on the short diagonal.
    for (const Case c : {Case{256, 256, 0, 60 * 480 / 468, 64 * 480 / 468},
                         Case{256, 0, 256, 60 * 480 / 511, 64 * 480 / 511},
                         Case{256, -181, 181, 60 * 480 / 340, 64 * 480 / 340},
                         Case{128, 256, 0, 60 * 240 / 468, 64 * 240 / 468}, Case{256, 0, 0, 60, 64}}) {
        s->groundFriction = 60;
        s->airDrag = 64;
        match::rescaleBallFriction(c.len, c.dirX, c.dirY);
        EXPECT_EQ(s->groundFriction, c.friction) << c.dirX << "," << c.dirY;
        EXPECT_EQ(s->airDrag, c.drag) << c.dirX << "," << c.dirY;
    }
}

} // namespace
} // namespace game::testing
