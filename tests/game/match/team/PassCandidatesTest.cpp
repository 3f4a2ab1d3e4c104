// The pass candidates over scripted scenes: only the best lane grade survives across the three
// kinds, the directions a passer facing forward or backward examines, the passing and through-ball
// instructions outside the zones that ignore them, passes into space held short of the goal line,
// and no open lane at all.
#include <gtest/gtest.h>

#include "game/core/GameMath.h"
#include "game/match/Geometry.h"
#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace {

constexpr jint kPasser = 7;

class PassCandidatesTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        GameStatics* s = statics();
        s->holderZone = 2;
        s->ball->x = 0;
        s->ball->y = 0;
        CPlayer* p = passer();
        p->outOfPlay = 0;
        p->x = 0;
        p->y = 0;
        p->direction = 2;
        p->task = 1;
    }

    static CPlayer* passer() { return player(0, kPasser); }

    // Team-mate i at (x, y), facing the ball.
    static void mate(const jint i, const jint x, const jint y) {
        CPlayer* m = player(0, i);
        m->outOfPlay = 0;
        m->x = x;
        m->y = y;
        m->defaultDirection = match::directionFromVector(-x, -y);
        m->distanceToBall = core::approxDistance(x, y);
    }

    static void opponentAt(const jint i, const jint x, const jint y) {
        CPlayer* o = player(1, i);
        o->outOfPlay = 0;
        o->x = x;
        o->y = y;
    }

    static void prepare() {
        match::clearPlanTables();
        team(0)->preparePasses(passer());
    }
};

TEST_F(PassCandidatesTest, OnlyTheBestGradeSurvivesWhateverItsKind) {
    GameStatics* s = statics();
    mate(3, 20000, 0);  // a short pass straight ahead
    mate(4, 0, -60000); // a medium pass two steps to the side
    opponentAt(5, 0, -30000);
    ASSERT_LT(team(0)->ratePassTarget(passer(), 0, -60000, 0), 3) << "the medium lane is not clear";
    ASSERT_EQ(team(0)->ratePassTarget(passer(), 20000, 0, 0), -1);
    team(0)->tacticLevel = 0;
    prepare();
    EXPECT_EQ(entry(s->shortPassCandidates, 2, 2), 100);
    EXPECT_EQ(entry(s->shortPassCandidates, 2, 3), 3) << "the receiver's slot";
    EXPECT_EQ(entry(s->mediumPassCandidates, 0, 2), 0) << "a partly blocked lane loses to a clear one";
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 2), 100);
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 0), 28192) << "a cell ahead of the receiver";
    EXPECT_EQ(team(0)->tacticLevel, 3);
    EXPECT_EQ(plan(1, 0), 4);
    EXPECT_TRUE(plan(1, 2) == 20000 || plan(1, 2) == 28192) << plan(1, 2);
    EXPECT_EQ(s->designatedPlayer, plan(1, 2) == 28192 ? 3 : -1);
    EXPECT_EQ(plan(5, 1), -1);
    EXPECT_EQ(plan(7, 1), -1);
}

TEST_F(PassCandidatesTest, FacingBackwardsEveryShortPassIsExaminedElseOnlyThoseNearTheFacing) {
    GameStatics* s = statics();
    for (jint d = 0; d < 8; ++d) {
        core::directionToVector(20480, d);
        mate(d < 6 ? 1 + d : 2 + d, s->vectorX, s->vectorY); // slot 7 is the passer's
    }
    struct Case {
        jint facing;
        bool examined[8];
    };
    const Case cases[] = {
        {2, {true, true, true, true, true, false, false, false}},
        {0, {true, true, true, false, false, false, true, true}},
        {4, {false, false, true, true, true, true, true, false}},
        {6, {true, true, true, true, true, true, true, true}},
        {5, {true, true, true, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        passer()->direction = c.facing;
        prepare();
        for (jint d = 0; d < 8; ++d) {
            EXPECT_EQ(entry(s->shortPassCandidates, d, 2), c.examined[d] ? 100 : 0)
                << "facing " << c.facing << " direction " << d;
        }
    }
}

TEST_F(PassCandidatesTest, InstructionsDropPassesOutsideTheZonesThatIgnoreThem) {
    GameStatics* s = statics();
    mate(3, 20000, 0);
    mate(4, 60000, 0);
    struct Case {
        jint zone, instruction, through;
        jint shortWeight, mediumWeight, spaceWeight;
    };
    const Case cases[] = {
        {4, 1, 1, 100, 0, 100},   // short preferred: the medium pass is as good and goes
        {4, 2, 1, 0, 100, 100},   // medium preferred: the short pass goes
        {4, 0, 1, 100, 100, 100}, // no preference
        {4, 0, 0, 100, 100, 25},  // through balls rarely
        {4, 0, 2, 100, 100, 400}, // often
        {2, 2, 0, 100, 100, 100}, // in front of goal nothing is adjusted
        {6, 1, 2, 100, 100, 100}, // nor in the own box
    };
    for (const Case& c : cases) {
        s->holderZone = c.zone;
        passer()->instruction3 = c.instruction;
        passer()->throughBallInstruction = c.through;
        prepare();
        EXPECT_EQ(entry(s->shortPassCandidates, 2, 2), c.shortWeight) << c.zone << " " << c.instruction;
        EXPECT_EQ(entry(s->mediumPassCandidates, 2, 2), c.mediumWeight) << c.zone << " " << c.instruction;
        EXPECT_EQ(entry(s->throughPassCandidates, 2, 2), c.spaceWeight) << c.zone << " " << c.through;
    }
    // Instruction 4 follows the team's.
    s->holderZone = 4;
    passer()->instruction3 = 4;
    team(0)->teamInstruction = 2;
    prepare();
    EXPECT_EQ(entry(s->shortPassCandidates, 2, 2), 0);
}

TEST_F(PassCandidatesTest, APassIntoSpaceStopsShortOfTheGoalLine) {
    GameStatics* s = statics();
    passer()->x = 100000;
    s->ball->x = 100000;
    mate(3, 120000, 0);
    player(0, 3)->distanceToBall = 20000;
    prepare();
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 0), 128192) << "the point two cells ahead is over the line";
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 2), 100);

    mate(3, 130000, 0);
    player(0, 3)->distanceToBall = 30000;
    prepare();
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 0), 138192) << "both points over: the first, graded 0";
    EXPECT_EQ(entry(s->throughPassCandidates, 2, 2), 0);
    EXPECT_EQ(entry(s->shortPassCandidates, 2, 2), 100);
    EXPECT_EQ(plan(1, 2), 130000) << "only the short pass is left";
    EXPECT_EQ(s->designatedPlayer, -1);
}

TEST_F(PassCandidatesTest, WithoutAnOpenLaneThereIsNoPassAndThePassLevelStays) {
    GameStatics* s = statics();
    team(0)->tacticLevel = 2;
    prepare();
    EXPECT_EQ(plan(1, 1), -1) << "nobody to pass to";
    EXPECT_EQ(plan(5, 1), -1);
    EXPECT_EQ(plan(7, 1), -1);
    EXPECT_EQ(team(0)->tacticLevel, 2);

    mate(3, 20000, 0);
    opponentAt(5, 10000, 0);
    ASSERT_EQ(team(0)->ratePassTarget(passer(), 20000, 0, 0), 0);
    prepare();
    EXPECT_EQ(plan(1, 1), -1) << "the only lane is blocked";
    EXPECT_EQ(team(0)->tacticLevel, 2);
    EXPECT_EQ(s->designatedPlayer, -1);
}

} // namespace
} // namespace game::testing
