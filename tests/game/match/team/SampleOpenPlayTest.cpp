// Open play on the generated sample data: two real sample sides in their first formation, a shot
// from the edge of the box ticked through updateMatch, with the team logic built so far run after
// each tick the way the team update runs it (the open-play planner when planning is needed, the
// keeper's new task, his machine, the queues' retire). The shot meets the keeper's real save scan,
// the defending side names a chaser and markers, and the same seed gives the same tasks tick by
// tick when the scene is set up again.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchConstants.h"
#include "game/match/flow/MatchTick.h"
#include "game/match/model/BallKick.h"
#include "runtime/Exceptions.h"
#include "runtime/Random.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace sample_open_play {

using runtime::jint;
using runtime::jlong;

constexpr jint kSampleHomeClub = 3;
constexpr jint kSampleAwayClub = 11;
constexpr jint kShooter = 9;
constexpr jint kTicks = 40;
constexpr jint kGoalLineRequest = 100;

// What one tick leaves: every pitch player's task and planned task, and the keeper's first
// queued command.
struct TickTasks {
    std::vector<jint> tasks;
    jint keeperCommand = -1;
    bool operator==(const TickTasks& other) const = default;
};

class SampleOpenPlayTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        setUpSampleClubs(kSampleHomeClub, kSampleAwayClub);
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->sideFlag = side == 0 ? 1 : 0;
            matchTeam(side)->setFormation(0);
        }
    }

    // Both sides at their home cells, side 1's striker at the edge of side 0's box shooting at
    // the near post; side 0's keeper on his line.
    static void kickOffTheShot(const jlong seed) {
        GameStatics* s = statics();
        s->gameRandom->seed = seed;
        s->matchPhase = 0;
        s->matchPeriod = 1;
        s->matchTicks = 1000;
        s->keeperHoldsBall = 0;
        // Nothing of an earlier run of the scene stays.
        for (jint side = 0; side < 2; ++side) {
            s->teamBallPlayer[side] = nullptr;
            s->firstAttacker[side] = nullptr;
            matchTeam(side)->possession = -1;
            matchTeam(side)->markPressure = 0;
            matchTeam(side)->runActive = 0;
            matchTeam(side)->planningNeeded = 0;
            matchTeam(side)->cellsRefreshed = 0;
        }
        s->offsidePlayer = nullptr;
        s->lastTackler = nullptr;
        s->touchTicks = 0;
        s->markDistance = 0;
        s->ballBounced = 0;
        s->ballGrounded = 0;
        s->zoneGridFrozen = 0;
        s->possessionTeam = 2;
        s->previousPossessionTeam = 2;
        for (jint side = 0; side < 2; ++side) {
            CTeam* t = matchTeam(side);
            t->clearCommandQueues();
            for (jint i = 0; i < CTeam::kOnPitch; ++i) {
                CPlayer* p = teamPlayer(t, i);
                p->outOfPlay = 0;
                p->x = t->fromCell(p->homeCellX);
                p->y = t->fromCell(p->homeCellY);
                p->task = i == 0 ? 14 : 0;
                p->plannedTask = p->task;
                p->controlled = 0;
                p->hasBall = 0;
                p->order = 0;
                p->action = 0;
                p->vx = 0;
                p->vy = 0;
                p->taskPlayer = 0;
                p->markedSlot = 0;
                p->assignment = -1;
                p->taskCellX = 0;
                p->taskCellY = 0;
                p->currentCellX = 0;
                p->currentCellY = 0;
                p->aimX = 0;
                p->aimY = 0;
                (*t->newOrders)[i] = 0;
                (*t->intPerPlayer)[i] = 0;
                (*t->flagPerPlayer)[i] = 0;
                p->direction = t->orientDirection(2);
                p->defaultDirection = p->direction;
                // The can-mark byte that lets an outfield player mark (no set-up grants it yet).
                p->canMark = i == 0 ? 0 : 1;
            }
        }
        CPlayer* keeper = teamPlayer(matchTeam(0), 0);
        keeper->x = -130000;
        keeper->y = 0;
        keeper->aimX = keeper->x;
        keeper->aimY = 0;
        CPlayer* shooter = teamPlayer(matchTeam(1), kShooter);
        shooter->x = -92000;
        shooter->y = 6000;
        // His strike partner has come into the box beside a centre-back.
        CPlayer* partner = teamPlayer(matchTeam(1), 10);
        partner->x = -88000;
        partner->y = -24000;
        s->ball->x = shooter->x - 1500;
        s->ball->y = shooter->y;
        s->ball->z = 0;
        s->ballHolder = nullptr;
        s->receivingPlayer = nullptr;
        s->lastTouchPlayer = shooter;
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->updatePlayerCells();
        }
        kickBall(2, -135168, 3000, 1024, -1, -1);
        ASSERT_EQ(s->ballState, 2);
    }

    // The actor motion's part for the ball, which still stands in: the ball takes the step the
    // ball tick gave it and its planned path moves on an entry.
    static void moveBall() {
        GameStatics* s = statics();
        s->ball->x += s->ball->vx;
        s->ball->y += s->ball->vy;
        s->ball->z += s->ball->vz;
        s->ballPathIndex += 1;
    }

    // The team update's part that this team logic serves, for one team.
    static void teamStep(CTeam* t) {
        GameStatics* s = statics();
        if (s->keeperHoldsBall == 0 && s->matchPhase == 0) {
            t->planningNeeded = 1;
        }
        if (t->planningNeeded != 0) {
            t->planOpenPlay();
        }
        CPlayer* keeper = t->goalkeeper;
        if ((*t->newOrders)[0] != 0) {
            keeper->task = keeper->plannedTask;
            (*t->newOrders)[0] = 0;
        }
        t->goalkeeperFrame(keeper, keeper->distanceToBall);
        for (jint i = CTeam::kOnPitch - 1; i >= 0; --i) {
            t->retireCommand(i);
        }
    }

    static TickTasks record() {
        TickTasks out;
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kOnPitch; ++i) {
                const CPlayer* p = teamPlayer(matchTeam(side), i);
                out.tasks.push_back(p->task);
                out.tasks.push_back(p->plannedTask);
            }
        }
        out.keeperCommand = matchTeam(0)->queuedKind(0, 1);
        return out;
    }
};

TEST_F(SampleOpenPlayTest, AShotMeetsTheKeepersSaveScanAndTheDefendersPickUpTheirMen) {
    GameStatics* s = statics();
    std::vector<TickTasks> first;
    bool saving = false;
    bool saveTargetSet = false;
    bool chaser = false;
    bool markers = false;
    for (jint round = 0; round < 2; ++round) {
        kickOffTheShot(77);
        std::vector<TickTasks> ticks;
        for (jint tick = 0; tick < kTicks && s->ballHolder == nullptr; ++tick) {
            s->matchTicks += 1;
            updateMatch();
            ASSERT_FALSE(runtime::exceptionPending());
            moveBall();
            const jint pathIndex = s->ballPathIndex;
            for (jint side = 0; side < 2; ++side) {
                teamStep(matchTeam(side));
            }
            const CPlayer* keeper = teamPlayer(matchTeam(0), 0);
            if (keeper->task == 17) {
                saving = true;
                const CTeam* t = matchTeam(0);
                for (jint k = 0; k < t->queueLength(0); ++k) {
                    if (t->queuedKind(0, k) == kGoalLineRequest) {
                        // The save target: the point of the path where the ball reaches him.
                        bool onPath = false;
                        for (jint j = pathIndex; j < 200 && j < pathIndex + 30; ++j) {
                            onPath = onPath || ((*s->ballPathX)[j] == s->ball->aimX &&
                                                (*s->ballPathY)[j] == s->ball->aimY);
                        }
                        EXPECT_TRUE(onPath) << "tick " << tick;
                        EXPECT_LE(s->ball->aimX, keeper->x) << "level with him or past him";
                        saveTargetSet = true;
                    }
                }
            }
            for (jint i = 1; i < CTeam::kOnPitch; ++i) {
                const jint planned = teamPlayer(matchTeam(0), i)->plannedTask;
                chaser = chaser || planned == 1;
                markers = markers || planned == 7 || planned == 8;
            }
            ticks.push_back(record());
        }
        if (round == 0) {
            first = ticks;
        } else {
            EXPECT_EQ(ticks, first) << "the same seed, the same tasks tick by tick";
        }
    }
    EXPECT_TRUE(saving) << "the shot on target sends the keeper to save";
    EXPECT_TRUE(saveTargetSet) << "the save scan sets the save target and asks for the dive";
    EXPECT_TRUE(chaser) << "the defending side names a chaser";
    EXPECT_TRUE(markers) << "and markers";
    EXPECT_GE(first.size(), 5u);
}

} // namespace sample_open_play
} // namespace game::match
