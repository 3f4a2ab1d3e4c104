// Pitch geometry: the team views, directions and angles, the side and segment tests, the zone
// table and the projection with its inverse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "runtime/ObjectManager.h"
#include "tests/support/GameRuntime.h"

namespace game::match {
namespace {

using runtime::jint;

class GeometryTest : public testing_support::GameRuntimeTest {
protected:
    CTeam* teamOnSide(const jint side) {
        CTeam* team = runtime::newObject<CTeam>();
        team->sideFlag = static_cast<runtime::jbyte>(side);
        return team;
    }
};

TEST_F(GeometryTest, TeamViewsMirrorBothAxesAndRoundCellsHalvesUp) {
    const CTeam* up = teamOnSide(1);
    const CTeam* down = teamOnSide(0);
    struct Case {
        const CTeam* team;
        jint v;
        jint cell;
    };
    const Case cells[] = {
        {up, 4095, 0},    {up, 4096, 1},   {up, -4096, 0},   {up, -4097, -1},  {up, 0, 0},
        {up, 131072, 16}, {down, 4096, 0}, {down, -4096, 1}, {down, 4097, -1}, {down, -131072, 16},
    };
    for (const Case& c : cells) {
        EXPECT_EQ(c.team->toCell(c.v), c.cell) << "side " << c.team->sideFlag << " v " << c.v;
    }
    for (jint v = -140000; v <= 140000; v += 997) {
        const jint back = up->fromCell(up->toCell(v));
        EXPECT_EQ(back % 8192, 0) << v;
        EXPECT_LE(std::abs(back - v), 4096) << v;
        EXPECT_LE(std::abs(down->fromCell(down->toCell(v)) - v), 4096) << v;
    }
    EXPECT_EQ(up->fromCell(3), 24576);
    EXPECT_EQ(down->fromCell(3), -24576);
    EXPECT_EQ(up->orientX(-7), -7);
    EXPECT_EQ(down->orientX(-7), 7);
    EXPECT_EQ(up->orientDirection(6), 6);
    EXPECT_EQ(down->orientDirection(6), 2);
    EXPECT_EQ(down->orientDirection(3), 7);
    EXPECT_TRUE(up->isCellOnPitch(16, 10));
    EXPECT_TRUE(up->isCellOnPitch(-16, -10));
    EXPECT_FALSE(up->isCellOnPitch(17, 0));
    EXPECT_FALSE(up->isCellOnPitch(0, -11));
    EXPECT_TRUE(up->isInRect(0, 5, 0, 5));
    EXPECT_FALSE(up->isInRect(-1, 0, 3, 3));
    EXPECT_FALSE(up->isInRect(2, 4, 3, 3));
}

TEST_F(GeometryTest, ZoneTableByColumnAndWidth) {
    const CTeam* team = teamOnSide(1);
    struct Case {
        jint cx, cy, zone;
    };
    const Case cases[] = {
        {16, 10, 0}, {11, -5, 0}, {11, 4, 2},  {11, -4, 2}, {10, 5, 1},  {8, -10, 1},   {8, 0, 3},
        {7, 9, 4},   {-6, 0, 4},  {-7, 10, 5}, {-10, 0, 5}, {-11, 0, 6}, {-16, -10, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(team->zoneOfCell(c.cx, c.cy), c.zone) << c.cx << ", " << c.cy;
    }
}

TEST_F(GeometryTest, DirectionsAndAnglesOfAMove) {
    struct Case {
        jint dx, dy, direction, angle;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {0, -1, 0, 0},
        {0, 1, 4, 180},
        {1, 0, 2, 90},
        {-1, 0, 6, 270},
        {5, 0, 2, 90},
        {-5, 0, 6, 270},
        {0, 7, 4, 180},
        {100, 100, 3, 136},
        {100, 41, 2, 113},
        {100, 42, 3, 113},
        {100, -100, 1, 44},
        {-100, 100, 5, 224},
        {-100, -100, 7, 316},
        {41, -100, 0, 22},
        {42, 100, 3, 158},
        {-100, 42, 5, 247},
        {-100, -41, 6, 293},
        // Within a degree of the y axis the scan runs off the table: the axis angle.
        {1, -1000, 0, 0},
        {1, 1000, 4, 180},
        {-1, 1000, 4, 180},
        {-1, -1000, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(directionFromVector(c.dx, c.dy), c.direction) << c.dx << ", " << c.dy;
        EXPECT_EQ(angleFromDelta(c.dx, c.dy), c.angle) << c.dx << ", " << c.dy;
    }
}

TEST_F(GeometryTest, NeighbourAndNearDirectionsWrap) {
    struct Case {
        jint a, b;
        bool neighbour, near;
    };
    const Case cases[] = {
        {7, 0, true, true},  {0, 7, true, true},   {0, 2, false, true},  {6, 0, false, true},
        {0, 6, false, true}, {0, 3, false, false}, {5, 1, false, false}, {4, 4, true, true},
        {1, 7, false, true}, {2, 5, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNeighbourDirection(c.a, c.b), c.neighbour) << c.a << " " << c.b;
        EXPECT_EQ(isNearDirection(c.a, c.b), c.near) << c.a << " " << c.b;
    }
}

TEST_F(GeometryTest, BehindAPlayerAndOnASideOfAnActorForEveryDirection) {
    CPlayer* player = runtime::newObject<CPlayer>();
    player->x = 1000;
    player->y = -2000;
    // A point a short step away in compass direction k.
    const jint stepX[8] = {0, 5, 5, 5, 0, -5, -5, -5};
    const jint stepY[8] = {-5, -5, 0, 5, 5, 5, 0, -5};
    auto behind = [&](const jint k) { return player->isBehind(1000 + stepX[k & 7], -2000 + stepY[k & 7]); };
    auto onSide = [&](const jint k, const jint d) {
        return player->isOnSideOf(1000 + stepX[k & 7], -2000 + stepY[k & 7], d);
    };
    for (jint d = 0; d < 8; ++d) {
        player->direction = d;
        // Behind: the three directions round the back; ahead and straight sideways are not.
        for (const jint k : {3, 4, 5}) {
            EXPECT_TRUE(behind(d + k)) << "facing " << d << ", point towards " << ((d + k) & 7);
        }
        for (const jint k : {0, 1, 2, 6, 7}) {
            EXPECT_FALSE(behind(d + k)) << "facing " << d << ", point towards " << ((d + k) & 7);
        }
        // On the side of d + 2: the three directions round it; along d and on the far side not.
        for (const jint k : {1, 2, 3}) {
            EXPECT_TRUE(onSide(d + k, d)) << "side of " << d << ", point towards " << ((d + k) & 7);
        }
        for (const jint k : {0, 4, 5, 6, 7}) {
            EXPECT_FALSE(onSide(d + k, d)) << "side of " << d << ", point towards " << ((d + k) & 7);
        }
    }
    EXPECT_FALSE(player->isOnSideOf(2000, -2000, 8));
    EXPECT_FALSE(player->isOnSideOf(2000, -2000, -1));
    player->direction = 9;
    EXPECT_FALSE(player->isBehind(1000, 0));
}

TEST_F(GeometryTest, SegmentTestsAreExactOnALongBallWhere32BitProductsWrap) {
    // A pass along x from -92160 to 92160 (184,320 units): the dot products reach 3.4e10, and
    // the marked cases are those whose 32-bit products would wrap to the other answer.
    const jint ax = 92160;
    const jint bx = -92160;
    struct Case {
        const char* name;
        jint px, py, tol;
        bool inside, near;
    };
    const Case cases[] = {
        {"midway on the line", 0, 0, 0, true, true},
        {"midway, 3000 off, tolerance 3000", 0, 3000, 3000, true, true},
        {"midway, 3001 off", 0, 3001, 3000, true, false},
        {"far from the line (wraps)", 0, 30000, 8192, true, false},
        {"near the far end (wraps)", -92000, 100, 200, true, true},
        {"beyond the end (wraps)", -92200, 0, 1000, false, false},
        {"on B", bx, 0, 0, true, true},
        {"on A", ax, 0, 0, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointsOnOppositeSides(c.px, c.py, ax, 0, bx, 0), c.inside) << c.name;
        EXPECT_EQ(isPointNearSegment(c.px, c.py, ax, 0, bx, 0, c.tol), c.near) << c.name;
    }
    // A diagonal pass of the same reach.
    EXPECT_TRUE(isPointNearSegment(0, 100, 92160, 92160, -92160, -92160, 100));
    EXPECT_TRUE(pointsOnOppositeSides(0, 20000, 92160, 92160, -92160, -92160)) << "wraps in 32 bits";
    EXPECT_FALSE(isPointNearSegment(0, 20000, 92160, 92160, -92160, -92160, 100));
    // The camera's pixel-sized segments keep their answers.
    EXPECT_TRUE(pointsOnOppositeSides(5, 5, 10, 10, 0, 0));
    EXPECT_FALSE(pointsOnOppositeSides(11, 11, 10, 10, 0, 0));
}

TEST_F(GeometryTest, ProjectionAndItsInverse) {
    GameStatics* s = statics();
    projectToScreen(0, 0, 0);
    EXPECT_EQ(s->projectedX, 1392);
    EXPECT_EQ(s->projectedY, 879);
    projectToScreen(0, 0, 256);
    EXPECT_EQ(s->projectedY, 878) << "256 units of height lift the point one pixel";
    projectToScreen(8192, 0, 0);
    EXPECT_EQ(s->projectedX, 1392 + 48);
    EXPECT_EQ(s->projectedY, 879 - 16);
    projectToScreen(0, 8192, 0);
    EXPECT_EQ(s->projectedX, 1392 + 52);
    EXPECT_EQ(s->projectedY, 879 + 17);
    screenToPitch(1392, 879);
    EXPECT_EQ(s->projectedX, 0);
    EXPECT_EQ(s->projectedY, 0);
    // The inverse lands within 3 (pitch units / 256) of every point of a grid over the pitch
    // and beyond; the pixel rounding costs up to about 2.2.
    jint worst = 0;
    for (jint x = -140000; x <= 140000; x += 4099) {
        for (jint y = -90000; y <= 90000; y += 3001) {
            projectToScreen(x, y, 0);
            screenToPitch(s->projectedX, s->projectedY);
            worst = std::max({worst, std::abs(s->projectedX - x / 256), std::abs(s->projectedY - y / 256)});
        }
    }
    EXPECT_LE(worst, 3);
}

TEST_F(GeometryTest, SmallHelpers) {
    EXPECT_FALSE(isRoleCode2to9(1));
    EXPECT_TRUE(isRoleCode2to9(2));
    EXPECT_TRUE(isRoleCode2to9(9));
    EXPECT_FALSE(isRoleCode2to9(10));
    EXPECT_EQ(absInt(-5), 5);
    EXPECT_EQ(absInt(INT32_MIN), INT32_MIN);
    // Each term truncated on its own: 7/2 + 7/3 + 7/6 = 3 + 2 + 1.
    EXPECT_EQ(rating3(0, 7, 7, 7), 6);
    EXPECT_EQ(rating3(1, 7, 7, 7), 3);
    EXPECT_EQ(rating3(0, -7, -7, -7), -6);
    EXPECT_EQ(rating3(1, -1, -3, 0), -1) << "halving shifts: -1 >> 1 is -1";
    EXPECT_EQ(rating2(0, 5, 5), 3 + 1);
    EXPECT_EQ(rating2(1, 5, 5), 2);
    CPlayer* player = runtime::newObject<CPlayer>();
    struct Cell {
        jint x, y;
        bool wide;
    };
    for (const Cell& c :
         {Cell{8, 5, true}, Cell{8, -5, true}, Cell{7, 5, false}, Cell{8, 4, false}, Cell{16, -10, true}}) {
        player->cellX = c.x;
        player->cellY = c.y;
        EXPECT_EQ(player->isWideAttackingCell(), c.wide) << c.x << ", " << c.y;
    }
}

} // namespace
} // namespace game::match
