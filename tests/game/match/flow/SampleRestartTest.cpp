// A corner and a free kick set up on the generated sample data: the real match teams of the
// start-up loading in a 4-4-2 of the database are placed for the restart and plan it; the pan to
// the spot of the restart's end lands on it through the match camera; following again jumps the
// camera onto the taker at the point; and the restart marker stands at the point.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/flow/PhaseSteps.h"
#include "game/match/model/TacticTable.h"
#include "game/match/view/MatchCamera.h"
#include "game/resources/DatabaseTables.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/loading/StartupLoading.h"
#include "runtime/ConstantPool.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tools/SampleMatchData.h"

namespace game::match {
namespace {

using runtime::jint;

// A restart: phase, team taking it, point, the taker's slot and facing, the wall, and the pan's
// end (the window's corner on the pitch image, clamped to it).
struct SampleRestart {
    const char* name;
    jint phase, team, x, y, taker, facing, wall, panX, panY;
};

constexpr jint kSampleFourFourTwo = 0;
constexpr jint kPlanStep = 5;
constexpr jint kClearance = 24576;
constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kPanTicks = 400;

class SampleRestartTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        ASSERT_TRUE(runStartupLoading());
        resources::loadDatabaseTables();
        resources::loadExtraTables();
        sprites::openPack(runtime::getConstantString(tools::kMatchDataPackConstant));
        runtime::ByteArray* tactics = sprites::readPackEntryBytes(tools::kTacticTableEntry);
        sprites::closePack();
        ASSERT_TRUE(setTacticTable(tactics));
        // The pitch the match load reads, which sizes the camera's window.
        sprites::loadMatchPitchData(0);
        for (jint side = 0; side < 2; ++side) {
            CTeam* team = matchTeam(side);
            ASSERT_NE(team, nullptr);
            team->sideFlag = static_cast<runtime::jbyte>(1 - side);
            team->setFormation(kSampleFourFourTwo);
            ASSERT_EQ(team->defenders * 100 + team->midfielders * 10 + team->attackers, 442);
        }
    }

    // The restart as the phase setter and the placing steps leave it, then both teams' plans.
    static void setUpRestart(const SampleRestart& r) {
        GameStatics* s = statics();
        s->matchPhase = r.phase;
        s->phaseTeam = r.team;
        s->phaseTeamObject = matchTeam(r.team);
        s->phaseX = r.x;
        s->phaseY = r.y;
        s->phaseStep = kPlanStep;
        s->wallSize = r.wall;
        s->ball->x = r.x;
        s->ball->y = r.y;
        s->ball->z = 0;
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->possession = side == r.team ? 1 : -1;
        }
        placeTeamsForRestart();
        CPlayer* taker = teamPlayer(matchTeam(r.team), r.taker);
        taker->x = r.x;
        taker->y = r.y;
        taker->direction = r.facing;
        s->restartActor = taker;
        s->primaryFocusPlayer = taker;
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->updatePlayerCells();
        }
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->planningNeeded = 1;
            matchTeam(side)->planPhase();
        }
    }
};

TEST_F(SampleRestartTest, ACornerAndAFreeKickArePlacedPlannedPannedToAndMarked) {
    GameStatics* s = statics();
    ASSERT_EQ(s->cameraMaxX, 2399);
    ASSERT_EQ(s->cameraMaxY, 607);
    const SampleRestart restarts[] = {
        // The corner at the +x end: the pan ends on the spot's view as it is.
        {"corner", 5, 0, 134400, 85248, 7, 7, 0, 1887, 226},
        // The free kick towards the -x goal: the spot's view there lies below the image's last
        // window, so the pan ends on that window's row.
        {"free kick", 7, 1, -83968, 12288, 6, 6, 4, 405, 607},
    };
    for (const SampleRestart& r : restarts) {
        SCOPED_TRACE(r.name);
        jint keeperX[2];
        jint keeperY[2];
        for (jint side = 0; side < 2; ++side) {
            keeperX[side] = teamPlayer(matchTeam(side), 0)->x;
            keeperY[side] = teamPlayer(matchTeam(side), 0)->y;
        }
        setUpRestart(r);
        const CPlayer* taker = s->restartActor;
        for (jint side = 0; side < 2; ++side) {
            const CTeam* team = matchTeam(side);
            EXPECT_EQ(teamPlayer(team, 0)->x, keeperX[side]) << "the keepers are not moved";
            EXPECT_EQ(teamPlayer(team, 0)->y, keeperY[side]);
            jint wall = 0;
            jint runners = 0;
            for (jint i = 1; i < 11; ++i) {
                const CPlayer* p = teamPlayer(team, i);
                if (p != taker) {
                    EXPECT_GE(core::approxDistance(p->x - r.x, p->y - r.y), kClearance) << side << " " << i;
                }
                wall += p->plannedTask == 11 ? 1 : 0;
                runners += p->plannedTask == 4 ? 1 : 0;
            }
            EXPECT_EQ(wall, side == r.team ? 0 : r.wall);
            EXPECT_EQ(runners, side == r.team ? 5 : 0);
        }
        EXPECT_EQ(taker->plannedTask, 9);

        // The pan runs to the spot's view and stays there.
        s->cameraX = 1200;
        s->cameraY = 300;
        s->cameraTargetX = -1;
        setPhaseStep(8);
        EXPECT_EQ(s->cameraMode, 2);
        for (jint tick = 0; tick < kPanTicks; ++tick) {
            updateMatchCamera();
        }
        EXPECT_EQ(s->cameraX, r.panX);
        EXPECT_EQ(s->cameraY, r.panY);

        // Following again: the camera lands on the taker's view at once, the point within it.
        setPhaseStep(11);
        EXPECT_EQ(s->cameraMode, 0);
        EXPECT_TRUE(s->cameraFollowFlag);
        EXPECT_FALSE(s->cameraArrived);
        projectToScreen(r.x, r.y, 0);
        const jint pointX = s->projectedX;
        const jint pointY = s->projectedY;
        EXPECT_EQ(s->cameraX, s->cameraTargetX < 0 ? 0 : std::min(s->cameraTargetX, s->cameraMaxX));
        EXPECT_EQ(s->cameraY, s->cameraTargetY < 0 ? 0 : std::min(s->cameraTargetY, s->cameraMaxY));
        EXPECT_GE(pointX, s->cameraX);
        EXPECT_LT(pointX, s->cameraX + kScreenWidth);
        EXPECT_GE(pointY, s->cameraY);
        EXPECT_LT(pointY, s->cameraY + kScreenHeight);
        const jint landedX = s->cameraX;
        const jint landedY = s->cameraY;
        updateMatchCamera();
        EXPECT_EQ(s->cameraX, landedX) << "landed: the next update keeps the view";
        EXPECT_EQ(s->cameraY, landedY);

        // The kick: the marker at the taker, on the point, facing as he does.
        s->restartMarkerShown = 0;
        s->restartActor->updateScreenPosition(s->cameraX, s->cameraY);
        setPhaseStep(7);
        EXPECT_TRUE(s->restartMarkerShown);
        EXPECT_EQ(s->restartMarkerKind, 0);
        EXPECT_EQ(s->restartMarkerX, pointX);
        EXPECT_EQ(s->restartMarkerY, pointY);
        EXPECT_EQ(s->restartMarkerSize, 24);
        EXPECT_EQ(s->restartMarkerDirection, r.facing);
    }
}

} // namespace
} // namespace game::match
