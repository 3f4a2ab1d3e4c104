// The plan weights: the weighted draws (odds, nothing to draw, the joined index of three lists),
// the dribble and shot weight adjusters, and the shot window (shooting cells, the keeper's open
// side, the penalty's odds).
#include <gtest/gtest.h>

#include <cmath>

#include "game/match/model/PlanWeights.h"
#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

runtime::ObjectArray* weightPlans(std::initializer_list<jint> weights) {
    runtime::ObjectArray* plans = runtime::newObjectArray(static_cast<jint>(weights.size()));
    jint k = 0;
    for (const jint w : weights) {
        runtime::IntArray* plan = runtime::newIntArray(4);
        (*plan)[1] = w;
        (*plans)[k++] = plan;
    }
    return plans;
}

class PlanWeightsTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        allOffThePitch();
    }
    static jlong seed() { return statics()->gameRandom->seed; }
};

TEST_F(PlanWeightsTest, DrawsFollowTheWeightsAndDrawNothingWithoutWeight) {
    runtime::ObjectArray* plans = weightPlans({100, -1, 300, 0});
    jint counts[4] = {};
    constexpr jint kDraws = 10000;
    for (jint n = 0; n < kDraws; ++n) {
        const jint k = match::pickWeighted(plans, 1);
        ASSERT_TRUE(k == 0 || k == 2) << k;
        ++counts[k];
    }
    EXPECT_NEAR(counts[0] / double(kDraws), 0.25, 0.02);
    EXPECT_NEAR(counts[2] / double(kDraws), 0.75, 0.02);

    const jlong before = seed();
    EXPECT_EQ(match::pickWeighted(weightPlans({-1, 0, -1}), 1), -1);
    EXPECT_EQ(match::pickWeighted(weightPlans({}), 1), -1);
    EXPECT_EQ(match::pickWeighted3(weightPlans({0, -1}), weightPlans({-1}), weightPlans({0}), 1), -1);
    EXPECT_EQ(seed(), before) << "no draw without weight";

    runtime::ObjectArray* single = weightPlans({-1, -1, 5, -1});
    for (jint n = 0; n < 50; ++n) {
        EXPECT_EQ(match::pickWeighted(single, 1), 2);
    }
    // The joined index: |A| + |B| + k for a plan of C, also when the lengths differ.
    EXPECT_EQ(match::pickWeighted3(weightPlans({0, 0}), weightPlans({0, 0, 0}), weightPlans({-1, 7}), 1), 6);
    EXPECT_EQ(match::pickWeighted3(weightPlans({0, 0}), weightPlans({0, 4, 0}), weightPlans({-1, 0}), 1), 3);
    EXPECT_EQ(match::pickWeighted3(weightPlans({0, 9}), weightPlans({}), weightPlans({}), 1), 1);
}

TEST_F(PlanWeightsTest, DribbleAndShotWeightsScaleBySituationAndInstructions) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    CPlayer* p = player(0, 5);
    p->outOfPlay = 0;
    placeAtCell(0, 5, 9, 0);
    runtime::IntArray* plan = runtime::newIntArray(4);
    struct Case {
        jint move, planDir, instruction, zone, weight, expected;
    };
    const Case cases[] = {
        {6, 2, 0, 4, 100, 12},  // backwards >> 2, rarely >> 1
        {2, 2, 1, 4, 100, 100}, // forwards, normal, outside zones 1 and 3
        {2, 2, 2, 4, 100, 200}, // often
        {2, 2, 1, 1, 100, 400}, // a clear run straight at goal in zone 1
        {2, 3, 1, 3, 100, 100}, // not straight at goal
        {4, 2, 2, 3, 100, 800}, // direction 4 is not backwards
    };
    for (const Case& c : cases) {
        s->dribbleMoveDirection = c.move;
        s->dribblePlanDirection = c.planDir;
        s->holderZone = c.zone;
        p->dribbleInstruction = c.instruction;
        (*plan)[1] = c.weight;
        t->adjustDribbleWeight(p, plan);
        EXPECT_EQ((*plan)[1], c.expected) << c.move << " " << c.instruction << " " << c.zone;
    }

    // In front of goal a clear shot crowds out the passing plans 1, 2, 5 and 7.
    runtime::ObjectArray* plans = weightPlans({10, 20, 30, 40, 50, 60, 70, 80});
    s->ballPlans = plans;
    s->holderZone = 2;
    (*plan)[1] = 50;
    t->adjustShotWeight(p, plan);
    EXPECT_EQ((*plan)[1], 200);
    for (jint k = 0; k < 8; ++k) {
        const bool zeroed = k == 1 || k == 2 || k == 5 || k == 7;
        EXPECT_EQ((*static_cast<runtime::IntArray*>((*plans)[k]))[1], zeroed ? 0 : (k + 1) * 10) << k;
    }
    // Elsewhere a clear shot doubles, then the instruction: often doubles, rarely halves.
    s->holderZone = 4;
    for (const auto& [instruction, expected] : {std::pair{1, 100}, {2, 200}, {0, 50}}) {
        p->shootInstruction = instruction;
        (*plan)[1] = 50;
        t->adjustShotWeight(p, plan);
        EXPECT_EQ((*plan)[1], expected) << instruction;
    }
}

TEST_F(PlanWeightsTest, TheShotWindowNeedsAShootingCellAndAimsAtTheKeepersOpenSide) {
    GameStatics* s = statics();
    CPlayer* p = player(0, 9);
    p->outOfPlay = 0;
    for (const auto& [cx, cy, can] :
         {std::tuple{7, 0, false}, {8, 4, true}, {8, 5, false}, {8, -4, true}, {12, -5, false}}) {
        placeAtCell(0, 9, cx, cy);
        EXPECT_EQ(p->chooseShotWindow(), can) << cx << "," << cy;
    }
    placeAtCell(0, 9, 10, 0);
    s->shotSpreadMode = 1; // the spread 2 x s[penaltyAimLevel], whatever the lane
    p->penaltyAimLevel = 0;
    CPlayer* keeper = player(1, 0);
    keeper->outOfPlay = 0;
    keeper->x = 120000;
    struct Case {
        jint keeperX, keeperY, aim;
    };
    const Case cases[] = {
        {120000, 2048, 8 - 30},   // keeper off to +y: the shot goes to -y
        {120000, -2048, -8 + 30}, // and the other way
        {120000, 7936, 0},        // beyond 7680: no aim
        {70000, 2048, 0},         // the keeper is behind the shooter
    };
    for (const Case& c : cases) {
        keeper->x = c.keeperX;
        keeper->y = c.keeperY;
        ASSERT_TRUE(p->chooseShotWindow());
        EXPECT_EQ(s->shotHighY, (c.aim + 40) * 256) << c.keeperY;
        EXPECT_EQ(s->shotLowY, (c.aim - 40) * 256) << c.keeperY;
    }
    // A keeper in the middle: a draw picks the side.
    keeper->x = 120000;
    keeper->y = 0;
    const jlong before = seed();
    ASSERT_TRUE(p->chooseShotWindow());
    EXPECT_NE(seed(), before);
    EXPECT_TRUE(s->shotHighY == 70 * 256 || s->shotHighY == 10 * 256) << s->shotHighY;
    // Without the spread mode the lane's grade scales the spread: a clear lane halves it.
    s->shotSpreadMode = 0;
    keeper->outOfPlay = 1;
    keeper->y = 20000;
    p->aimLevel = 7;
    ASSERT_TRUE(p->chooseShotWindow());
    const jint w = (43 + ((124928 - 81920) >> 16)) >> 1;
    EXPECT_EQ(s->shotHighY, w * 256);
}

TEST_F(PlanWeightsTest, PenaltyCentresComeInTheRatioTenTenOne) {
    GameStatics* s = statics();
    CPlayer* p = player(0, 9);
    p->outOfPlay = 0;
    placeAtCell(0, 9, 11, 0);
    p->penaltyAimLevel = 3;
    CPlayer* keeper = player(1, 0);
    keeper->outOfPlay = 0;
    keeper->x = 133120;
    keeper->y = 1024; // off centre: no keeper draw before the penalty's
    s->matchPhase = 8;
    jint left = 0;
    jint right = 0;
    jint centre = 0;
    constexpr jint kKicks = 21000;
    for (jint n = 0; n < kKicks; ++n) {
        ASSERT_TRUE(p->chooseShotWindow());
        const jint c = (s->shotHighY + s->shotLowY) / 2;
        ASSERT_EQ(s->shotHighY - s->shotLowY, 29 * 32);
        left += c == -7680 ? 1 : 0;
        right += c == 7680 ? 1 : 0;
        centre += c == 0 ? 1 : 0;
    }
    EXPECT_EQ(left + right + centre, kKicks);
    EXPECT_NEAR(left / double(kKicks), 10.0 / 21, 0.02);
    EXPECT_NEAR(right / double(kKicks), 10.0 / 21, 0.02);
    EXPECT_NEAR(centre / double(kKicks), 1.0 / 21, 0.02);
}

} // namespace
} // namespace game::testing
