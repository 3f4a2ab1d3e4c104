// The team's shape: shape cells with and without the ball, the central defenders' limit, the
// cells players are sent to, the goalkeeper's place, the refresh of orders, the opponents' front
// line and the jittered cell point; and one golden table of shape and sent-to cells for three
// formations of the sample data.
//
// After a deliberate change of the shape, rewrite the table with
//   TARNWICK_UPDATE_GOLDENS=1 build/rel/tests/game_match_tests --gtest_filter='TeamShape*'
// and read the rewritten table before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

class TeamShapeTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        setFormations({fourFourTwo(), threeFiveTwo()});
        team(0)->setFormation(0);
        team(1)->setFormation(0);
        for (jint i = 0; i < 11; ++i) {
            player(0, i)->advanceSetting = 0;
            player(1, i)->cellX = -16;
            player(1, i)->shapeCellX = -16;
        }
        clearGrid(team(0));
    }
    static std::pair<jint, jint> shapeOf(const jint i) {
        return {player(0, i)->shapeCellX, player(0, i)->shapeCellY};
    }
};

TEST_F(TeamShapeTest, WithTheBallTheShapeFollowsTheReferenceCell) {
    CTeam* t = team(0);
    t->possession = 1;
    // Player 5: home (2, -8), a midfielder. Player 9: home (14, -3), an attacker. Player 2:
    // home (-10, -3) in slot 1, a central defender.
    struct Case {
        jint bx, by, player;
        std::pair<jint, jint> shape;
    };
    const Case cases[] = {
        // bx 0: x = 0 + (2 - 2) x 13 / 20 = 0; y = (-8 x 7) >> 3 = -7.
        {0, 0, 5, {0, -7}},
        // bx 0, home x 14: 12 x 13 / 20 = 7; y -3 x 7 >> 3 = -3 (arithmetic).
        {0, 0, 9, {7, -3}},
        // bx 12: m 1, q 2: 12 + 6 = 18, cut to 15, then past 14: x 14 and y = -3 / 2 = -1.
        {12, 4, 9, {14, 0}},
        // bx -12: max(-12, -10) + (14 + 10) / 2 = 2; y -3 + (-4 >> 2) = -4.
        {-12, -4, 9, {2, -4}},
        // bx -6: m = 13 - 1 = 12: -6 + (2 + 10) x 12 / 20 = 1; the y pull (6 >> 2) = 1.
        {-6, 6, 5, {1, -6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bx) + " player " + std::to_string(c.player));
        t->computeShape(c.bx, c.by);
        EXPECT_EQ(shapeOf(c.player), c.shape);
    }
    // A midfield home x of -4 (the example of a midfield row): 0 + (-6 x 13) / 20 = -3.
    player(0, 5)->homeCellX = -4;
    t->computeShape(0, 0);
    EXPECT_EQ(shapeOf(5).first, -3);
    // The defensive setting moves everyone by (setting - 5) >> 1.
    t->defensiveSetting = 9;
    t->computeShape(0, 0);
    EXPECT_EQ(shapeOf(5).first, -1);
    t->defensiveSetting = 0;
    t->computeShape(0, 0);
    EXPECT_EQ(shapeOf(5).first, -6);
}

TEST_F(TeamShapeTest, RunsForwardAreDrawnOnANewAttackAndCentralDefendersStayBehindTheFront) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    t->possession = 1;
    player(0, 5)->advanceSetting = 2;
    player(0, 6)->advanceSetting = 1;
    t->computeShape(0, 0);
    EXPECT_EQ(shapeOf(5).first, 5) << "always: +5";
    const jint steady6 = shapeOf(6).first;
    // A new attack: the always-runner gains 8, the sometimes-runner 3 when his draw gives 0.
    s->newAttack = 1;
    t->computeShape(0, 0);
    EXPECT_FALSE(s->newAttack);
    EXPECT_EQ(shapeOf(5).first, 8);
    const jint drawn6 = shapeOf(6).first;
    EXPECT_TRUE(drawn6 == steady6 || drawn6 == steady6 + 3) << drawn6;
    EXPECT_EQ(player(0, 6)->advanceNow, 0);
    // Central defenders: the opponents' front at their x 4 limits x to -3 - 4 for x in -7..-1,
    // -5 - 4 for x >= 0.
    for (jint j = 1; j <= 10; ++j) {
        player(1, j)->cellX = j == 7 ? 4 : -2;
    }
    EXPECT_EQ(t->opponentFrontCell(), 4);
    t->computeShape(0, 0);
    // Player 2 (slot 1): (-10 - 2) x 13 / 20 = -7 -> limit -7: stays -7. Player 3 (slot 3) the same.
    EXPECT_EQ(shapeOf(2).first, -7);
    t->computeShape(12, 0);
    // 12 + (-12) / 2 = 6 >= 0: limited to -9.
    EXPECT_EQ(shapeOf(2).first, -9);
    EXPECT_EQ(shapeOf(3).first, -9);
    EXPECT_EQ(shapeOf(1).first, 6) << "slot 0 is no central defender";
    s->matchPhase = 4;
    t->computeShape(12, 0);
    EXPECT_EQ(shapeOf(2).first, 6) << "no limit at a goal kick";
}

TEST_F(TeamShapeTest, WithoutTheBallTheShapeSitsBackByTheOpponentsFront) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    t->possession = -1;
    // Player 5: home x 2, so (2 + 10) x 12 / 20 = 7. p is the opponents' front shape, capped by
    // their front cell + 4 while bx < 8; k = 3, 2, 1, 0 by p.
    struct Case {
        jint front, bx;
        jint x;
    };
    const Case cases[] = {
        {0, 0, 7 - 0 - 3},  {8, 0, 7 - 8 - 2},   {9, 0, 7 - 9 - 1}, {12, 0, 7 - 12 - 0},
        {-3, 0, 7 + 3 - 3}, {11, 0, 7 - 11 - 1}, {1, 0, 7 - 1 - 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.front);
        for (jint j = 1; j <= 10; ++j) {
            player(1, j)->shapeCellX = c.front;
            player(1, j)->cellX = c.front;
        }
        t->computeShape(c.bx, 0);
        EXPECT_EQ(shapeOf(5).first, c.x);
    }
    // The front shape is capped at front cell + (e >> 1) + 4 below bx 8, the front cell beyond.
    for (jint j = 1; j <= 10; ++j) {
        player(1, j)->shapeCellX = 12;
        player(1, j)->cellX = 2;
    }
    t->computeShape(0, 4);
    EXPECT_EQ(shapeOf(5), std::make_pair(7 - 6 - 2, -6 + 1));
    t->computeShape(8, 0);
    EXPECT_EQ(shapeOf(5).first, 7 - 2 - 2);
    // Deep shapes (x below -11) spread half the home y, the others three quarters; a corner
    // draws x back by 4 and y in by a quarter.
    for (jint j = 1; j <= 10; ++j) {
        player(1, j)->cellX = 12;
    }
    player(0, 2)->homeCellX = -16;
    t->computeShape(8, 0);
    EXPECT_EQ(shapeOf(2), std::make_pair((-6 * 12) / 20 - 12, -3 >> 1)); // (-15, -2)
    EXPECT_EQ(shapeOf(5), std::make_pair(7 - 12, (-8 * 3) >> 2));
    s->matchPhase = 5;
    t->computeShape(8, 0);
    EXPECT_EQ(shapeOf(2), std::make_pair(-19, (-2 * 3) >> 2));
    EXPECT_EQ(shapeOf(5), std::make_pair(7 - 12 - 4, (-6 * 3) >> 2));
    // A player off the pitch keeps his old shape cell.
    player(0, 4)->outOfPlay = 1;
    player(0, 4)->shapeCellX = 99;
    t->computeShape(0, 0);
    EXPECT_EQ(shapeOf(4).first, 99);
    // tactic8Clear holds attackers at x 0.
    t->tactic8Clear = 1;
    t->computeShape(-16, 0);
    EXPECT_EQ(shapeOf(9).first, 0);
    EXPECT_LT(shapeOf(8).first, 0);
}

TEST_F(TeamShapeTest, TheKeeperIsSentToHisLineAndBehindItAtAPenalty) {
    GameStatics* s = statics();
    struct Case {
        jint side, phase, x;
    };
    const Case cases[] = {{0, 0, -133120}, {0, 3, -133120}, {0, 8, -135168}, {1, 0, 133120}, {1, 8, 135168}};
    team(1)->sideFlag = 0;
    s->phaseTeam = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side * 10 + c.phase);
        s->matchPhase = c.phase;
        player(c.side, 0)->plannedTask = 0;
        (*team(c.side)->newOrders)[0] = 0;
        team(c.side)->placeGoalkeeper();
        EXPECT_EQ(player(c.side, 0)->targetX, c.x);
        EXPECT_EQ(player(c.side, 0)->targetY, 0);
        EXPECT_EQ(player(c.side, 0)->plannedTask, 18);
        EXPECT_EQ((*team(c.side)->newOrders)[0], 1);
    }
}

TEST_F(TeamShapeTest, RefreshOrdersFlagsChangedOrdersAndClearsTheirHold) {
    CTeam* t = team(0);
    t->possession = 1;
    t->computeShape(0, 0);
    struct Case {
        jint task, planned, taskPlayer, currentPlayer;
        bool sameCell;
        bool fresh;
    };
    const Case cases[] = {
        {3, 4, 0, 0, true, true},   {1, 1, 0, 0, false, false}, {5, 5, 0, 0, false, false},
        {7, 7, 2, 3, false, false}, {8, 8, 2, 3, true, true},   {8, 8, 3, 3, false, false},
        {4, 4, 0, 0, true, false},  {4, 4, 0, 0, false, true},
    };
    CPlayer* p = player(0, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.task * 100 + c.planned);
        p->task = c.task;
        p->plannedTask = c.planned;
        p->taskPlayer = c.taskPlayer;
        p->currentTaskPlayer = c.currentPlayer;
        p->taskCellX = 3;
        p->taskCellY = 3;
        p->currentCellX = c.sameCell ? 3 : 4;
        p->currentCellY = 3;
        (*t->intPerPlayer)[5] = 7;
        t->refreshOrders(1);
        EXPECT_EQ((*t->newOrders)[5] != 0, c.fresh);
        EXPECT_EQ((*t->intPerPlayer)[5], c.fresh ? 0 : 7);
    }
    // A player without a standing task is placed by his shape.
    p->plannedTask = 0;
    p->task = 0;
    clearGrid(t);
    t->refreshOrders(1);
    EXPECT_NE(std::make_pair(p->taskCellX, p->taskCellY), std::make_pair(3, 3));
}

TEST_F(TeamShapeTest, FrontLinesAndTheJitteredPoint) {
    CTeam* t = team(0);
    for (jint j = 0; j < 18; ++j) {
        player(1, j)->cellX = -20;
        player(1, j)->shapeCellX = -20;
    }
    EXPECT_EQ(t->opponentFrontCell(), -16);
    EXPECT_EQ(t->opponentFrontShape(), -16);
    player(1, 0)->cellX = 10;  // the keeper does not count
    player(1, 11)->cellX = 10; // nor the bench
    player(1, 6)->outOfPlay = 1;
    player(1, 6)->cellX = 3; // off the pitch he still counts
    player(1, 6)->shapeCellX = 5;
    EXPECT_EQ(t->opponentFrontCell(), 3);
    EXPECT_EQ(t->opponentFrontShape(), 5);
    team(1)->sideFlag = 0;
    bool sawLow = false;
    bool sawHigh = false;
    for (jint k = 0; k < 400; ++k) {
        const jint v = t->fromCellJittered(0);
        EXPECT_GE(v, -4096);
        EXPECT_LE(v, 4096);
        const jint w = team(1)->fromCellJittered(2);
        EXPECT_GE(w, -20480);
        EXPECT_LE(w, -12288);
        EXPECT_EQ(w % 256, 0);
        sawLow = sawLow || w == -20480;
        sawHigh = sawHigh || w == -12288;
    }
    EXPECT_TRUE(sawLow && sawHigh) << "both bounds are drawn";
}

TEST_F(TeamShapeTest, ChoosePlayerCellPullsWithinTheBoxAndCapsAttackers) {
    CTeam* t = team(0);
    GameStatics* s = statics();
    // With the ball, the reference cell outside player 5's box: pulled by the box's extents
    // towards it. Player 5's box bytes are {5, 6, 7, 8}: behind 5, ahead 6, to -y 7, to +y 8.
    t->possession = 1;
    t->offsideLineCell = 10;
    player(0, 5)->shapeCellX = 0;
    player(0, 5)->shapeCellY = 0;
    t->ballCellX = 14; // towards +x: direction 2, ex = byte 1 (6), ey = byte 3 (8), step (1, 0)
    t->ballCellY = 0;
    t->choosePlayerCell(5);
    // (3, 0) lies outside his zone (y -11..-5 around home (2, -8)): the ring search with the
    // zone check finds (3, -5), the start of ring 5.
    EXPECT_EQ(std::make_pair(player(0, 5)->taskCellX, player(0, 5)->taskCellY), std::make_pair(3, -5));
    // An attacker is held short of the offside line in open play.
    player(0, 9)->shapeCellX = 12;
    player(0, 9)->shapeCellY = -3;
    t->ballCellX = 12;
    t->ballCellY = -3;
    t->choosePlayerCell(9);
    // Pulled to (12, -7), capped at x 9; no cell of his zone lies short of the line, so the cell
    // itself is the target.
    EXPECT_EQ(std::make_pair(player(0, 9)->taskCellX, player(0, 9)->taskCellY), std::make_pair(9, -7));
    // Without the ball the defending boxes serve: player 2 close to the ball searches his box
    // for the cell nearest to it.
    clearGrid(t);
    t->possession = -1;
    player(0, 2)->shapeCellX = -10;
    player(0, 2)->shapeCellY = -3;
    t->ballCellX = -8;
    t->ballCellY = -3;
    t->choosePlayerCell(2);
    EXPECT_EQ(std::make_pair(player(0, 2)->taskCellX, player(0, 2)->taskCellY), std::make_pair(-9, -3));
    // At a goal kick the team without the ball stays behind the opponents' first player.
    s->matchPhase = 4;
    for (jint j = 0; j < 11; ++j) {
        player(1, j)->taskCellX = -12;
    }
    player(1, 2)->taskCellX = -3; // our x 3
    player(0, 9)->shapeCellX = 8;
    player(0, 9)->shapeCellY = 0;
    t->ballCellX = 0;
    t->ballCellY = 0;
    clearGrid(t);
    // A box reaching back to x 2, so the capped cell lies in it.
    (*t->zoneBoxes)[9 * 4] = 12;
    t->choosePlayerCell(9);
    EXPECT_EQ(std::make_pair(player(0, 9)->taskCellX, player(0, 9)->taskCellY), std::make_pair(2, 0));
}

// The golden table: three formations of the sample data, both side flags, with and without the
// ball, fifteen reference cells.
class TeamShapeGoldenTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        useSampleFormations();
    }
};

TEST_F(TeamShapeGoldenTest, ShapeAndSentToCellsOfThreeFormations) {
    GameStatics* s = statics();
    const jint formations[] = {0, 6, 3}; // 4-4-2, 3-5-2 and 4-3-3 of the sample data
    const jint refX[] = {-14, -6, 0, 8, 14};
    const jint refY[] = {-8, 0, 8};
    std::ostringstream table;
    // Per (formation, possession, reference, player): the cells for each side flag.
    std::vector<std::vector<jint>> bySide[2];
    for (const jint f : formations) {
        for (jint flag = 1; flag >= 0; --flag) {
            CTeam* t = team(0);
            CTeam* o = team(1);
            t->sideFlag = static_cast<jbyte>(flag);
            o->sideFlag = static_cast<jbyte>(1 - flag);
            t->setFormation(f);
            o->setFormation(f);
            ASSERT_EQ(t->formationIndex, f);
            for (jint j = 0; j < 11; ++j) {
                const CPlayer* q = player(1, j);
                placeAtCell(1, j, q->homeCellX, q->homeCellY);
                player(1, j)->shapeCellX = q->homeCellX;
                player(1, j)->taskCellX = q->homeCellX;
            }
            for (const jint possession : {1, -1}) {
                t->possession = possession;
                t->offsideLineCell = 10;
                for (const jint bx : refX) {
                    for (const jint by : refY) {
                        s->newAttack = possession == 1 && bx == 0 && by == 0 ? 1 : 0;
                        t->ballCellX = bx;
                        t->ballCellY = by;
                        t->resetTick(o);
                        t->computeShape(bx, by);
                        std::vector<jint> cells;
                        table << "formation " << f << " side " << flag << " possession " << possession
                              << " ref " << bx << "," << by << ":";
                        std::set<std::pair<jint, jint>> taken;
                        for (jint i = 1; i <= 10; ++i) {
                            CPlayer* p = player(0, i);
                            t->choosePlayerCell(i);
                            table << " " << p->shapeCellX << "," << p->shapeCellY << ">" << p->taskCellX
                                  << "," << p->taskCellY;
                            cells.insert(cells.end(), {p->shapeCellX, p->shapeCellY, p->taskCellX,
                                                       p->taskCellY, p->advanceSetting});
                            EXPECT_TRUE(taken.insert({p->taskCellX, p->taskCellY}).second)
                                << "two players on one cell: " << f << " " << flag << " " << bx << "," << by;
                            // The zone lets an attacker stand one cell past the line, no further.
                            if (possession == 1 && p->role == 3) {
                                EXPECT_LE(p->taskCellX, t->offsideLineCell + 1) << f << " " << i;
                            }
                        }
                        table << "\n";
                        bySide[flag].push_back(cells);
                    }
                }
            }
        }
    }
    // Where no draw intervenes the clear side flag gives the same cells in the team's view:
    // the set side flag's pitch cells turned half round.
    ASSERT_EQ(bySide[0].size(), bySide[1].size());
    for (std::size_t k = 0; k < bySide[0].size(); ++k) {
        for (std::size_t i = 0; i < 10; ++i) {
            const bool drawn = bySide[0][k][i * 5 + 4] == 1;
            if (drawn) {
                continue;
            }
            for (std::size_t v = 0; v < 4; ++v) {
                EXPECT_EQ(bySide[0][k][i * 5 + v], bySide[1][k][i * 5 + v]) << k << " player " << i + 1;
            }
        }
    }
    const std::string path = std::string(TARNWICK_FIXTURES_DIR) + "/match/team_shape.txt";
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path) << table.str();
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing golden " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    std::istringstream want(golden.str());
    std::istringstream got(table.str());
    std::string a;
    std::string b;
    for (int line = 1; std::getline(want, a); ++line) {
        ASSERT_TRUE(static_cast<bool>(std::getline(got, b))) << "line " << line << " missing";
        EXPECT_EQ(b, a) << "line " << line;
    }
    EXPECT_FALSE(static_cast<bool>(std::getline(got, b))) << "extra line: " << b;
}

} // namespace
} // namespace game::testing
