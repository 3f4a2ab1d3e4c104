// The restart's phase steps: the marker, the pan to the spot (the same target twice, a pan on one
// axis, the 12-pixel step, its end on the target), the carrier's counters and the follow again;
// and the teams placed for a restart, clear of its point, the goalkeepers where they were.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "game/match/flow/PhaseSteps.h"
#include "game/match/view/MatchCamera.h"
#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

class PhaseStepsTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        setFormations({fourFourTwo()});
        team(0)->setFormation(0);
        team(1)->setFormation(0);
        GameStatics* s = statics();
        s->cameraMaxX = 2399;
        s->cameraMaxY = 607;
        s->phaseTeamObject = team(0);
    }
    static void cameraAt(const jint x, const jint y) {
        statics()->cameraX = x;
        statics()->cameraY = y;
    }
};

TEST_F(PhaseStepsTest, StepsSevenNineAndTenSetTheMarkerAndTheCarriersCounters) {
    GameStatics* s = statics();
    CPlayer* taker = player(0, 4);
    taker->screenX = 700;
    taker->screenY = 300;
    taker->direction = 5;
    s->restartActor = taker;
    match::setPhaseStep(7);
    EXPECT_EQ(s->phaseStep, 7);
    EXPECT_TRUE(s->restartMarkerShown);
    EXPECT_EQ(s->restartMarkerKind, 0);
    EXPECT_EQ(s->restartMarkerX, 700);
    EXPECT_EQ(s->restartMarkerY, 300);
    EXPECT_EQ(s->restartMarkerSize, 24);
    EXPECT_EQ(s->restartMarkerDirection, 5);

    s->carrierMode = 1;
    s->carrierStage = 9;
    match::setPhaseStep(9);
    EXPECT_EQ(s->carrierMode, 3);
    EXPECT_EQ(s->carrierStage, 0);
    EXPECT_TRUE(s->attackReset);
    match::setPhaseStep(10);
    EXPECT_EQ(s->carrierStage, 1);
    s->carrierMode = 2;
    match::setPhaseStep(10);
    EXPECT_EQ(s->carrierStage, 4);
    s->carrierMode = 0;
    match::setPhaseStep(10);
    EXPECT_EQ(s->carrierStage, 4) << "other modes keep the stage";
    match::setPhaseStep(12);
    EXPECT_EQ(s->phaseStep, 12);
}

TEST_F(PhaseStepsTest, ThePanRunsStraightToTheSpotOnceAndEndsOnIt) {
    GameStatics* s = statics();
    struct Case {
        const char* what;
        jint side, cameraX, cameraY, stepX, stepY, targetX, targetY;
    };
    const Case cases[] = {
        {"along x only", 1, 1000, 226, 3072, 0, 1887, 226},
        {"same column: y only", 1, 1887, 0, 0, 3072, 1887, 226},
        {"near on y: the whole distance", 1, 1887, 221, 0, 5 * 256, 1887, 226},
        {"diagonal, x longer", 1, 2087, 326, -3072, -1536, 1887, 226},
        {"the other end, y clamped: y longer", 0, 0, 0, 3072 * 405 / 607, 3072, 405, 607},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        team(0)->sideFlag = static_cast<jbyte>(c.side);
        s->cameraTargetX = -1;
        s->cameraTargetY = -1;
        cameraAt(c.cameraX, c.cameraY);
        s->cameraArrived = 1;
        s->cameraFollowFlag = 1;
        match::setPhaseStep(8);
        EXPECT_EQ(s->cameraMode, 2);
        EXPECT_FALSE(s->cameraArrived);
        EXPECT_FALSE(s->cameraFollowFlag);
        EXPECT_EQ(s->cameraTargetX, c.targetX);
        EXPECT_EQ(s->cameraTargetY, c.targetY);
        EXPECT_EQ(s->cameraStepX, c.stepX);
        EXPECT_EQ(s->cameraStepY, c.stepY);
        EXPECT_EQ(s->cameraMoving, 1);
        EXPECT_EQ(s->cameraStartX, c.cameraX);
        EXPECT_EQ(s->cameraStartY, c.cameraY);
    }
    // The same target again does not restart the pan.
    team(0)->sideFlag = 1;
    s->cameraTargetX = -1;
    cameraAt(1000, 226);
    match::setPhaseStep(8);
    s->cameraMoving = 5;
    cameraAt(1100, 226);
    match::setPhaseStep(8);
    EXPECT_EQ(s->cameraMoving, 5);
    EXPECT_EQ(s->cameraStartX, 1000);

    // The pan lands on the spot, never more than 12 pixels a tick.
    s->cameraTargetX = -1;
    cameraAt(1000, 100);
    match::setPhaseStep(8);
    for (jint tick = 0; tick < 200 && (s->cameraX != 1887 || s->cameraY != 226); ++tick) {
        const jint x = s->cameraX;
        const jint y = s->cameraY;
        match::updateMatchCamera();
        ASSERT_LE(core::approxDistance(0, s->cameraX - x), 12);
        ASSERT_LE(core::approxDistance(0, s->cameraY - y), 12);
    }
    EXPECT_EQ(s->cameraX, 1887);
    EXPECT_EQ(s->cameraY, 226);

    match::setPhaseStep(11);
    EXPECT_EQ(s->cameraMode, 0);
    EXPECT_TRUE(s->cameraFollowFlag);
}

TEST_F(PhaseStepsTest, PlayersStandClearOfTheRestartAndKeepersStay) {
    GameStatics* s = statics();
    for (jint side = 0; side < 2; ++side) {
        for (jint i = 0; i < 11; ++i) {
            placeAtCell(side, i, player(side, i)->homeCellX, player(side, i)->homeCellY);
        }
    }
    player(0, 0)->x = 1234;
    player(0, 0)->y = 567;
    player(1, 0)->x = -4321;
    player(1, 7)->outOfPlay = 1;
    player(1, 7)->x = 999999;
    s->matchPhase = 6;
    for (const auto& [px, py] : {std::pair{0, 0}, {40960, -16384}, {-90000, 30000}}) {
        s->phaseX = px;
        s->phaseY = py;
        match::placeTeamsForRestart();
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 1; i < 11; ++i) {
                const CPlayer* p = player(side, i);
                if (p->outOfPlay != 0) {
                    continue;
                }
                EXPECT_GE(core::approxDistance(p->x - px, p->y - py), 24576) << side << " " << i;
            }
        }
        EXPECT_EQ(player(0, 0)->x, 1234);
        EXPECT_EQ(player(0, 0)->y, 567);
        EXPECT_EQ(player(1, 0)->x, -4321);
        EXPECT_EQ(player(1, 7)->x, 999999) << "a player off the pitch stays off";
    }
    // A shape cell on the restart point (D = 0): 24576 along +x. The point is searched for, since
    // the shape moves with the restart.
    CTeam* t = team(0);
    const CPlayer* onPoint = nullptr;
    for (jint cx = -12; cx <= 12 && onPoint == nullptr; ++cx) {
        for (jint cy = -6; cy <= 6 && onPoint == nullptr; ++cy) {
            s->phaseX = cx << 13;
            s->phaseY = cy << 13;
            t->computeShape(t->toCell(s->phaseX), t->toCell(s->phaseY));
            for (jint i = 1; i < 11 && onPoint == nullptr; ++i) {
                const CPlayer* p = player(0, i);
                const jint sign = t->sideFlag != 0 ? 1 : -1;
                if (p->outOfPlay == 0 && sign * (p->shapeCellX << 13) == s->phaseX &&
                    sign * (p->shapeCellY << 13) == s->phaseY) {
                    onPoint = p;
                }
            }
        }
    }
    ASSERT_NE(onPoint, nullptr) << "no shape cell falls on its restart point";
    const jint x = s->phaseX;
    const jint y = s->phaseY;
    match::placeTeamsForRestart();
    EXPECT_EQ(onPoint->x, x + 24576);
    EXPECT_EQ(onPoint->y, y);
}

} // namespace
} // namespace game::testing
