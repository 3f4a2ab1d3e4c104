// The ball plan on the generated sample data: two real sample teams set up by the match side
// set-up, every player at his formation's home cell, and a holder on the ball in each zone of
// the pitch: the plan he draws is one his zone's decision weights allow, it reaches him as a
// command that starts the matching order, and the same seed gives the same plan.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/StandIns.h"
#include "runtime/Random.h"
#include "tests/game/support/SampleGameHarness.h"

namespace game::match {
namespace {

using runtime::jint;

constexpr jint kSampleHomeClub = 3;
constexpr jint kSampleAwayClub = 11;
constexpr jint kHolderSlot = 7;

class SampleBallPlanTest : public testing::SampleGameHarness {
protected:
    void SetUp() override {
        SampleGameHarness::SetUp();
        setUpSampleClubs(kSampleHomeClub, kSampleAwayClub);
        GameStatics* s = statics();
        // Both sides in the sample's first formation.
        for (jint side = 0; side < 2; ++side) {
            matchTeam(side)->sideFlag = side == 0 ? 1 : 0; // the first half's ends
            matchTeam(side)->setFormation(0);
            ASSERT_EQ(matchTeam(side)->formationIndex, 0);
        }
        ASSERT_NE(teamPlayer(matchTeam(0), 9)->homeCellX, teamPlayer(matchTeam(0), 2)->homeCellX);
        s->matchPhase = 0;
    }

    // Every player of both sides at his home cell, the holder of side 0 at cell (cx, cy) facing
    // the opponent's goal with the ball at his feet, and the distances and facings to the ball.
    static CPlayer* placeScene(const jint cx, const jint cy) {
        GameStatics* s = statics();
        for (jint side = 0; side < 2; ++side) {
            CTeam* t = matchTeam(side);
            for (jint i = 0; i < CTeam::kOnPitch; ++i) {
                CPlayer* p = teamPlayer(t, i);
                p->outOfPlay = 0;
                p->x = t->fromCell(p->homeCellX);
                p->y = t->fromCell(p->homeCellY);
            }
        }
        CTeam* own = matchTeam(0);
        CPlayer* holder = teamPlayer(own, kHolderSlot);
        holder->x = own->fromCell(cx);
        holder->y = own->fromCell(cy);
        holder->direction = own->orientDirection(2);
        holder->wantedDirection = holder->direction;
        holder->task = 1;
        s->ball->x = holder->x;
        s->ball->y = holder->y;
        s->ballHolder = holder;
        s->firstAttacker[0] = nullptr;
        own->possession = 1;
        own->opponent->possession = -1;
        for (jint side = 0; side < 2; ++side) {
            for (jint i = 0; i < CTeam::kOnPitch; ++i) {
                CPlayer* p = teamPlayer(matchTeam(side), i);
                p->defaultDirection = directionFromVector(s->ball->x - p->x, s->ball->y - p->y);
                p->distanceToBall = core::approxDistance(s->ball->x - p->x, s->ball->y - p->y);
            }
        }
        own->resetTick(own->opponent);
        own->tacticLevel = 0;
        own->dribbleStreak = 0;
        s->dribbleRunReady = 1;
        s->dribbleRunActive = 0;
        s->dribbleRunForced = 0;
        s->dribbleMoveDirection = -1;
        own->lastPlan = -1;
        return holder;
    }

    static jint planInt(const jint k, const jint j) {
        return (*static_cast<runtime::IntArray*>((*statics()->ballPlans)[k]))[j];
    }

    // The team logic's hand-over of the drawn plan: the command it becomes, started at once.
    static void commandPlan(CTeam* t, CPlayer* holder, const jint k) {
        static constexpr jint kKinds[] = {1, 2, 3, 4, 6};
        const jint c = k == 0 ? (t->runFlag != 0 ? 1 : -1) : k == 4 ? t->holdDirection : 0;
        t->clearCommandQueues();
        t->queueCommand(holder->slot, kKinds[k], planInt(k, 2), planInt(k, 3), c);
        t->retireCommand(holder->slot);
    }
};

TEST_F(SampleBallPlanTest, TheHoldersPlanFollowsHisZoneAndStartsTheMatchingOrder) {
    GameStatics* s = statics();
    CTeam* t = matchTeam(0);
    // The landed decision weights, read in place.
    const auto* frontOfGoal = static_cast<const runtime::IntArray*>((*t->decisionWeights)[2]);
    EXPECT_EQ((*frontOfGoal)[3], 600);
    struct Scene {
        jint cx, cy, zone;
    };
    jint kinds[5] = {};
    for (const Scene& scene : {Scene{-12, 2, 6}, Scene{-8, -3, 5}, Scene{0, 0, 4}, Scene{3, 6, 4},
                               Scene{9, 0, 3}, Scene{9, 7, 1}, Scene{12, 1, 2}, Scene{13, -8, 0}}) {
        for (jint round = 0; round < 6; ++round) {
            CPlayer* holder = placeScene(scene.cx, scene.cy);
            const jlong seed = s->gameRandom->seed;
            const jint k = t->chooseBallPlan(holder);
            ASSERT_EQ(s->holderZone, scene.zone) << scene.cx << " " << scene.cy;
            ASSERT_TRUE(k >= 0 && k <= 4) << k;
            ++kinds[k];
            // A drawn plan carries weight; holding and, in front of goal, shooting are the answers
            // when nothing does.
            if (planInt(k, 1) < 1) {
                EXPECT_TRUE(k == 4 || (k == 3 && scene.zone == 2)) << k << " zone " << scene.zone;
            }
            const jint x = planInt(k, 2);
            const jint y = planInt(k, 3);

            // The same seed from the same scene draws the same plan.
            placeScene(scene.cx, scene.cy);
            s->gameRandom->seed = seed;
            EXPECT_EQ(t->chooseBallPlan(holder), k);
            EXPECT_EQ(planInt(k, 2), x);
            EXPECT_EQ(planInt(k, 3), y);

            holder->order = 0;
            commandPlan(t, holder, k);
            switch (k) {
            case 0:
                EXPECT_EQ(holder->order, 1) << "the dribble is a move";
                EXPECT_EQ(holder->targetX, x);
                break;
            case 1:
                EXPECT_EQ(holder->order, 2) << "a pass";
                break;
            case 2:
                EXPECT_EQ(holder->order, 3) << "a long ball";
                EXPECT_EQ(holder->targetX, x);
                EXPECT_EQ(holder->orderMode, 5120);
                break;
            case 3:
                EXPECT_TRUE(holder->order == 4 || holder->order == 3) << "a shot (or a wing ball): " << holder->order;
                break;
            default:
                EXPECT_EQ(holder->wantedDirection, t->holdDirection) << "he holds and turns";
                break;
            }
        }
    }
    for (jint k = 0; k < 4; ++k) {
        EXPECT_GT(kinds[k], 0) << "dribbles, passes, long balls and shots all come up: " << k;
    }
}

} // namespace
} // namespace game::match
