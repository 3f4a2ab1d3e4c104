// The phase planner's plan for every kind of restart, on the sample data's 4-4-2 for both teams
// with a seeded generator: each player's planned task, task cell and new-orders flag, checked
// against what each restart must give (the taker, his supporters, the wall, the box runners, the
// markers, the keepers left in goal) and frozen as a golden table.
//
// After a deliberate change of the planner or the shape, rewrite the table with
//   TARNWICK_UPDATE_GOLDENS=1 build/rel/tests/game_match_tests --gtest_filter='PhasePlanGolden*'
// and read the rewritten table before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "PixelTestSupport.h"
#include "game/core/GameMath.h"
#include "game/match/flow/PhaseSteps.h"
#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

// One restart: phase, team taking it, point, step, taker's slot and facing (pitch direction),
// period, wall size, the fouler (side, slot, bookings; side -1 for none); then what the plan
// must give: the taking team's supporters (task 10) and box runners (task 4), the other team's
// wall (task 11), and the fouler's task.
struct PlannedRestart {
    const char* name;
    jint phase, team, x, y, step, taker, facing, period, wall;
    jint foulSide, foulSlot, bookings;
    jint supporters, runners, wallPlayers, foulTask;
};

constexpr jint kSampleFourFourTwo = 0;
constexpr jint kOwnGoalLineX = 133120;
constexpr jint kPenaltyKeeperX = 135168;
constexpr jint kWallDistance = 24576;
constexpr jint kWallSpacing = 1024;

const PlannedRestart kRestarts[] = {
    {"kick-off", 2, 0, 0, 0, 4, 10, 2, 1, 0, -1, 0, 0, 1, 0, 0, -1},
    {"throw-in at mid-touchline", 3, 1, 8192, 87552, 2, 3, 0, 1, 0, -1, 0, 0, 3, 0, 0, -1},
    {"throw-in at the corner flag", 3, 1, -129024, -87040, 2, 7, 4, 1, 0, -1, 0, 0, 3, 0, 0, -1},
    {"goal kick", 4, 0, -121856, 10240, 3, 0, 2, 1, 0, -1, 0, 0, 1, 0, 0, -1},
    {"corner", 5, 0, 134400, 85248, 2, 7, 7, 1, 0, -1, 0, 0, 1, 5, 0, -1},
    {"free kick near the box, wall of four", 7, 0, 83968, -12288, 5, 6, 2, 1, 4, -1, 0, 0, 1, 5, 4, -1},
    {"free kick far out", 6, 1, 49152, 20480, 5, 5, 6, 1, 0, -1, 0, 0, 1, 0, 0, -1},
    {"penalty", 8, 0, 106496, 0, 2, 9, 2, 1, 0, -1, 0, 0, 0, 0, 0, -1},
    {"penalty, kicker's turn", 8, 0, 106496, 0, 1, 9, 2, 1, 0, 1, 2, 0, 0, 0, 0, 22},
    {"shoot-out kick", 8, 0, 106496, 0, 3, 10, 2, 5, 0, -1, 0, 0, 0, 0, 0, -1},
};

class PhasePlanGoldenTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        useSampleFormations();
        for (jint side = 0; side < 2; ++side) {
            team(side)->setFormation(kSampleFourFourTwo);
            ASSERT_EQ(team(side)->formationIndex, kSampleFourFourTwo);
            ASSERT_EQ(team(side)->defenders * 100 + team(side)->midfielders * 10 + team(side)->attackers,
                      442);
        }
    }

    // The match as the restart's set-up leaves it: both teams on their shape for the point,
    // clear of it, the keepers on their goal lines, the taker at the point, every player's
    // standing order where he stands, offside lines from the other team and the point.
    static void setUpRestart(const PlannedRestart& r) {
        GameStatics* s = statics();
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(kSeed);
        s->matchPhase = r.phase;
        s->matchPeriod = r.period;
        s->phaseTeam = r.team;
        s->phaseTeamObject = team(r.team);
        s->phaseX = r.x;
        s->phaseY = r.y;
        s->phaseStep = r.step;
        s->wallSize = r.wall;
        s->keeperHoldsBall = 0;
        s->newAttack = 0;
        s->ballHolder = nullptr;
        s->receivingPlayer = nullptr;
        s->ball->x = r.x;
        s->ball->y = r.y;
        for (jint side = 0; side < 2; ++side) {
            CTeam* t = team(side);
            t->possession = side == r.team ? 1 : -1;
            for (jint i = 0; i < 11; ++i) {
                CPlayer* p = player(side, i);
                p->outOfPlay = 0;
                p->task = 0;
                p->plannedTask = 0;
                p->taskPlayer = -1;
                p->currentTaskPlayer = -1;
                p->bookings = 0;
                p->direction = t->orientDirection(2);
                (*t->newOrders)[i] = 0;
            }
            CPlayer* keeper = player(side, 0);
            keeper->x = t->orientX(-kOwnGoalLineX);
            keeper->y = 0;
            keeper->targetX = keeper->targetY = keeper->aimX = keeper->aimY = 0;
        }
        match::placeTeamsForRestart();
        // The wall where the restart's set-up puts it: three cells from the point towards the
        // defenders' goal, slots 10 down, a player's width apart.
        if (r.wall > 0) {
            const jint dx = team(1 - r.team)->orientX(-kOwnGoalLineX) - r.x;
            const jint dy = -r.y;
            const jlong d = core::approxDistance(dx, dy);
            const jint wx = r.x + static_cast<jint>(dx * jlong{kWallDistance} / d);
            const jint wy = r.y + static_cast<jint>(dy * jlong{kWallDistance} / d);
            for (jint k = 0; k < r.wall; ++k) {
                CPlayer* p = player(1 - r.team, 10 - k);
                p->x = wx;
                p->y = wy + (2 * k - (r.wall - 1)) * kWallSpacing;
            }
        }
        CPlayer* taker = player(r.team, r.taker);
        taker->x = r.x;
        taker->y = r.y;
        taker->direction = r.facing;
        s->restartActor = taker;
        s->foulPlayer = nullptr;
        if (r.foulSide >= 0) {
            s->foulPlayer = player(r.foulSide, r.foulSlot);
            player(r.foulSide, r.foulSlot)->bookings = r.bookings;
        }
        for (jint side = 0; side < 2; ++side) {
            team(side)->updatePlayerCells();
            for (jint i = 0; i < 11; ++i) {
                CPlayer* p = player(side, i);
                p->currentCellX = p->taskCellX = p->cellX;
                p->currentCellY = p->taskCellY = p->cellY;
            }
        }
        // A team's offside line: the deepest of the point and the other team's outfield players.
        for (jint side = 0; side < 2; ++side) {
            CTeam* t = team(side);
            jint line = t->toCell(r.x);
            for (jint i = 1; i < 11; ++i) {
                line = std::max(line, t->toCell(player(1 - side, i)->x));
            }
            t->offsideLineCell = line;
        }
    }

    static jint count(const jint side, const jint task) {
        jint n = 0;
        for (jint i = 0; i < 11; ++i) {
            n += player(side, i)->plannedTask == task ? 1 : 0;
        }
        return n;
    }

    // slot:task@cellX,cellY, then >j for a marker of opponent j and ! for new orders; the keeper
    // also with the point the plan gave him in units of 256 (the aim off his line for the team
    // taking the restart, else his target).
    static std::string planOf(const jint side) {
        std::ostringstream line;
        for (jint i = 0; i < 11; ++i) {
            const CPlayer* p = player(side, i);
            line << (i == 0 ? "" : " ") << i << ":" << p->plannedTask << "@" << p->taskCellX << ","
                 << p->taskCellY;
            if (p->plannedTask == 8) {
                line << ">" << p->taskPlayer;
            }
            if (i == 0) {
                const bool taking = side == statics()->phaseTeam;
                line << "(" << ((taking ? p->aimX : p->targetX) >> 8) << ","
                     << ((taking ? p->aimY : p->targetY) >> 8) << ")";
            }
            if ((*team(side)->newOrders)[i] != 0) {
                line << "!";
            }
        }
        return line.str();
    }
};

TEST_F(PhasePlanGoldenTest, EveryRestartOfBothTeamsOnTheSampleFourFourTwo) {
    GameStatics* s = statics();
    std::ostringstream table;
    table << "# slot:plannedTask@taskCellX,taskCellY; >j marks opponent j; (the keeper's aim or target / "
             "256); ! new orders\n";
    for (const PlannedRestart& r : kRestarts) {
        SCOPED_TRACE(r.name);
        setUpRestart(r);
        const jint other = 1 - r.team;
        team(0)->planningNeeded = 1;
        team(1)->planningNeeded = 1;
        team(0)->planPhase();
        team(1)->planPhase();
        EXPECT_EQ(team(0)->planningNeeded, 0);
        EXPECT_EQ(team(1)->planningNeeded, 0);

        const CPlayer* taker = s->restartActor;
        EXPECT_EQ(taker->x, r.x);
        EXPECT_EQ(taker->y, r.y);
        EXPECT_EQ(taker->plannedTask, r.step == 1 ? 0 : 9) << "the taker takes the restart";
        EXPECT_EQ(count(r.team, 10), r.supporters);
        EXPECT_EQ(count(r.team, 4), r.runners);
        EXPECT_EQ(count(other, 11), r.wallPlayers);
        for (jint i = 11 - r.wallPlayers; i < 11; ++i) {
            EXPECT_EQ(player(other, i)->plannedTask, 11) << "the wall counts down from slot 10: " << i;
        }
        if (r.foulSide >= 0) {
            EXPECT_EQ(player(r.foulSide, r.foulSlot)->plannedTask, r.foulTask);
        }
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 1; i < 11; ++i) {
                const CPlayer* p = player(side, i);
                // The taker's cell is where he stands, outside the touchline at a throw-in.
                EXPECT_TRUE(p == taker || team(side)->isCellOnPitch(p->taskCellX, p->taskCellY))
                    << side << " " << i;
                if (p->plannedTask == 8) {
                    // Only opponents from cell 8 on get a marker.
                    EXPECT_GE(player(1 - side, p->taskPlayer)->cellX, 8) << side << " " << i;
                }
            }
            // A keeper takes no outfield task, and the keeper not taking the restart stays on
            // his goal line.
            const CPlayer* keeper = player(side, 0);
            const bool standsAside = r.period == 5 && side != r.team;
            EXPECT_EQ(keeper->plannedTask, keeper == taker ? 9 : standsAside ? -1 : 0) << side;
            if (side != r.team) {
                const jint goalX = r.phase == 8 ? kPenaltyKeeperX : kOwnGoalLineX;
                EXPECT_EQ(keeper->targetX, team(side)->orientX(-goalX)) << side;
                EXPECT_EQ(keeper->targetY, 0) << side;
            }
        }
        if (r.period == 5) {
            EXPECT_EQ(count(r.team, -1), 9) << "all but the taker and his keeper stand aside";
            EXPECT_EQ(count(other, -1), 11);
        }
        if (r.phase == 8) {
            // Both grids hold the penalty area at the end where the kick is taken.
            for (jint cx = 11; cx <= 16; ++cx) {
                for (jint cy = -6; cy <= 6; ++cy) {
                    EXPECT_NE(gridAt(team(r.team), cx, cy) & (r.team + 1), 0) << cx << "," << cy;
                    EXPECT_NE(gridAt(team(other), -cx, cy) & (other + 1), 0) << cx << "," << cy;
                }
            }
        }
        table << r.name << ", team 0: " << planOf(0) << "\n";
        table << r.name << ", team 1: " << planOf(1) << "\n";
    }
    profile::test::expectTextGolden("match/phase_plans.txt", table.str());
}

} // namespace
} // namespace game::testing
