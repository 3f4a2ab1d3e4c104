// Possession and lines over small scripted scenes: the team with the ball and the phase team's
// possession, each side's offside line from the ball and the opposing outfield players (never
// their keeper, nor a player off the pitch), both shapes from cell (0, 0) in a goal kick, the
// rebuild requests (every fourth tick with the ball loose, a holder's long move, the overdue
// rebuild) and every player's view of the ball.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameMath.h"
#include "game/match/Geometry.h"
#include "game/match/model/PossessionLines.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class PossessionLinesTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(1521);
        GameStatics* s = statics();
        s->previousPossessionTeam = 2;
        s->lastAttackingTeam = 2;
        s->matchTicks = 1;
    }
    static void placeTeam(const jint side, const jint x) {
        for (jint i = 0; i < 11; ++i) {
            player(side, i)->x = x;
            player(side, i)->y = 0;
        }
    }
    static std::vector<jint> shapeCells(const jint side) {
        std::vector<jint> cells;
        for (jint i = 1; i < 11; ++i) {
            cells.push_back(player(side, i)->shapeCellX);
            cells.push_back(player(side, i)->shapeCellY);
        }
        return cells;
    }
};

TEST_F(PossessionLinesTest, TheOffsideLineCountsTheBallAndTheOutfieldPlayersOnly) {
    GameStatics* s = statics();
    // Team 0 attacks towards +x: its line is the deepest of team 1 towards +x.
    placeTeam(1, 0);
    player(1, 0)->x = 125000; // the keeper stays out of it
    player(1, 6)->x = 100000;
    player(1, 6)->outOfPlay = 1; // and so does a player off the pitch
    player(1, 4)->x = 60000;
    s->ball->x = 10000;
    // Team 1 attacks towards -x: its line is the deepest of team 0 towards -x.
    placeTeam(0, 0);
    player(0, 0)->x = -125000;
    player(0, 8)->x = -50000;
    match::updatePossession();
    EXPECT_EQ(team(0)->offsideLineCell, team(0)->toCell(60000));
    EXPECT_EQ(team(1)->offsideLineCell, team(1)->toCell(-50000));
    EXPECT_EQ(team(1)->offsideLineCell, 6);
    // A ball beyond them all is the line.
    s->ball->x = 90000;
    match::updatePossession();
    EXPECT_EQ(team(0)->offsideLineCell, 11);
    s->ball->x = -70000;
    match::updatePossession();
    EXPECT_EQ(team(1)->offsideLineCell, 9);
}

TEST_F(PossessionLinesTest, EveryPlayerOnThePitchFacesAndMeasuresTheBall) {
    GameStatics* s = statics();
    s->ball->x = 20000;
    s->ball->y = -30000;
    player(0, 3)->x = -4000;
    player(0, 3)->y = 9000;
    player(0, 3)->moveWord = 7;
    player(1, 9)->x = 20000;
    player(1, 9)->y = 30000;
    player(1, 10)->outOfPlay = 1;
    player(1, 10)->moveWord = 5;
    match::updatePossession();
    EXPECT_EQ(player(0, 3)->defaultDirection, match::directionFromVector(24000, -39000));
    EXPECT_EQ(player(0, 3)->distanceToBall, core::approxDistance(24000, -39000));
    EXPECT_EQ(player(0, 3)->moveWord, 0);
    EXPECT_EQ(player(1, 9)->defaultDirection, 0); // straight up the pitch at the ball
    EXPECT_EQ(player(1, 9)->distanceToBall, 60000);
    EXPECT_EQ(player(1, 10)->moveWord, 5); // off the pitch: untouched
}

TEST_F(PossessionLinesTest, TheHolderOrThePhaseTeamHasTheBall) {
    GameStatics* s = statics();
    s->ballHolder = player(1, 7);
    player(1, 7)->x = 3000;
    player(1, 7)->y = -2000;
    match::updatePossession();
    EXPECT_EQ(s->possessionTeam, 1);
    EXPECT_EQ(s->possessionChanged, 1);
    EXPECT_EQ(s->lastAttackingTeam, 1); // newAttack is the shape's to take
    EXPECT_EQ(s->firstTeamInPossession, 0);
    EXPECT_EQ(team(1)->possession, 1);
    EXPECT_EQ(team(0)->possession, -1);
    EXPECT_EQ(s->possessionStartX, 3000);
    EXPECT_EQ(s->possessionStartY, -2000);
    match::updatePossession();
    EXPECT_EQ(s->possessionChanged, 0);
    // The ball comes loose: its landing point is noted, the possession stays.
    s->ballHolder = nullptr;
    s->ball->aimX = 44000;
    s->ball->aimY = 1000;
    match::updatePossession();
    EXPECT_EQ(s->possessionTeam, 2);
    EXPECT_EQ(s->loosePointX, 44000);
    EXPECT_EQ(team(1)->possession, 1);
    // A restart belongs to its team whoever touched the ball last.
    s->matchPhase = 3;
    s->phaseTeam = 0;
    match::updatePossession();
    EXPECT_EQ(team(0)->possession, 1);
    EXPECT_EQ(team(1)->possession, -1);
    EXPECT_EQ(s->lastAttackingTeam, 0);
}

TEST_F(PossessionLinesTest, AGoalKickOrAKeepersHoldShapesBothTeamsFromTheCentre) {
    GameStatics* s = statics();
    // Both shapes for the ball at two far-apart points, settled over two ticks (a side without
    // the ball reads the other's shape of the tick before).
    const auto shapesFor = [s](const jint x, const jint y) {
        s->ball->x = x;
        s->ball->y = y;
        match::updatePossession();
        match::updatePossession();
        std::vector<jint> cells = shapeCells(0);
        const std::vector<jint> second = shapeCells(1);
        cells.insert(cells.end(), second.begin(), second.end());
        return cells;
    };
    s->matchPhase = 4;
    s->phaseTeam = 1;
    match::updatePossession();
    EXPECT_EQ(shapesFor(100000, 50000), shapesFor(-80000, -30000));
    s->matchPhase = 0;
    match::updatePossession();
    EXPECT_NE(shapesFor(100000, 50000), shapesFor(-80000, -30000)); // the ball's cell in open play
    s->keeperHoldsBall = 1;
    EXPECT_EQ(shapesFor(100000, 50000), shapesFor(-80000, -30000));
}

TEST_F(PossessionLinesTest, TheZoneGridsAreRebuiltWhenThePlayMovesOn) {
    GameStatics* s = statics();
    // The ball loose in open play: every fourth tick.
    std::vector<jint> requests;
    for (jint tick = 1; tick <= 12; ++tick) {
        s->matchTicks = tick;
        match::updatePossession();
        requests.push_back(s->zoneGridFrozen);
    }
    EXPECT_EQ(requests, (std::vector<jint>{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
    // A holder asks once he has moved 32 x 256 from where it was last noted.
    s->ballHolder = player(0, 5);
    s->matchTicks = 13;
    match::updatePossession();
    EXPECT_EQ(s->zoneGridFrozen, 0);
    player(0, 5)->x += 8191;
    match::updatePossession();
    EXPECT_EQ(s->zoneGridFrozen, 0);
    player(0, 5)->y -= 8192;
    match::updatePossession();
    EXPECT_EQ(s->zoneGridFrozen, 1);
    EXPECT_EQ(s->possessionStartY, -8192);
    // A change of phase or step asks at once.
    s->matchPhaseChanged = 1;
    match::updatePossession();
    EXPECT_EQ(s->zoneGridFrozen, 1);
    s->matchPhaseChanged = 0;
    // Overdue: more than 30 ticks in open play; more than 120 in a restart past its first step,
    // never in a goal kick.
    struct Overdue {
        jint phase, step, ticks;
        jint wanted;
    };
    for (const Overdue& o : std::vector<Overdue>{
             {0, 0, 30, 0}, {0, 0, 31, 1}, {3, 2, 120, 0}, {3, 2, 121, 1}, {3, 0, 500, 0}, {4, 2, 500, 0}}) {
        s->matchPhase = o.phase;
        s->phaseStep = o.step;
        s->rebuildTicks = o.ticks;
        match::updatePossession();
        EXPECT_EQ(s->zoneGridFrozen, o.wanted) << o.phase << " " << o.step << " " << o.ticks;
        EXPECT_EQ(s->rebuildTicks, o.wanted ? 0 : o.ticks + 1);
    }
}

} // namespace
} // namespace game::testing
