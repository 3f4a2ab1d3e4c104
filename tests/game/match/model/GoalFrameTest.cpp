// The goal frame and net as a table of surfaces and approaches at both goals: the side nets, the
// roof from above and from inside, the back net before and after the ball has been in a goal, the
// crossbar and the posts with their spread draws, the ball put behind the line, a corner of the
// net met twice in a tick, and the balls that are never tested; each hit replans the path and
// shakes the net of its goal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/core/GameMath.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/GoalFrame.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kFrameCondition = 1;
constexpr jint kNoAnim = 99;

class GoalFrameTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5189);
        GameStatics* s = statics();
        s->pitchCondition = kFrameCondition;
        s->netActorA = runtime::newObject<Actor>();
        s->netActorB = runtime::newObject<Actor>();
        s->ballEffectActor = runtime::newObject<Actor>();
    }
    // The ball at side (+1: the +x goal, -1: the -x goal) at (x, y, z) in the +x goal's terms,
    // moving (vx, vy, vz).
    static Actor* ballAt(const jint side, const jint x, const jint y, const jint z, const jint vx,
                         const jint vy, const jint vz) {
        GameStatics* s = statics();
        Actor* b = s->ball;
        b->x = side * x;
        b->y = y;
        b->z = z;
        b->vx = side * vx;
        b->vy = vy;
        b->vz = vz;
        b->gravity = 100;
        s->ballState = match::kBallDriven;
        s->ballDirX = side * 256;
        s->ballDirY = 0;
        s->ballPathIndex = 33;
        s->ballEffectActive = 0;
        s->netActorA->anim = kNoAnim;
        s->netActorB->anim = kNoAnim;
        s->ballEffectActor->anim = kNoAnim;
        return b;
    }
};

TEST_F(GoalFrameTest, TheNetCatchesTheBallAtEachSurface) {
    GameStatics* s = statics();
    struct Case {
        const char* name;
        jint x, y, z, vx, vy, vz;
        bool entered; // the ball was in a goal before
        jint outX, outY, outZ, outVx, outVy, outVz;
    };
    const Case cases[] = {
        {"near side net from inside", 137000, -9000, 2000, 100, -1000, 0, false, -1, -9727, -1, 6, 62, 0},
        {"far side net from outside", 138000, 11000, 1000, 0, -1500, 0, false, -1, 9729, -1, 0, 93, 0},
        {"roof from above", 137000, 0, 13000, 200, 0, -1000, false, -1, -1, 12545, 312, 0, 1562},
        {"roof from inside", 137000, 0, 12000, 0, 0, 1000, false, -1, -1, 12543, 0, 0, -63},
        {"back net before a goal", 141000, 0, 1000, 1500, 0, 0, false, 141823, -1, -1, -94, 0, 0},
        {"back net once in the goal", 139500, 0, 1000, 1000, 0, 0, false, 140031, -1, -1, -63, 0, 0},
        {"back net at 140032 after a goal", 141000, 3000, 1000, -1500, 0, 0, true, 140033, -1, -1, 93, 0, 0},
    };
    for (const jint side : {1, -1}) {
        for (const Case& c : cases) {
            const std::string what = std::string(c.name) + (side > 0 ? " (+x)" : " (-x)");
            Actor* b = ballAt(side, c.x, c.y, c.z, c.vx, c.vy, c.vz);
            s->ballEnteredGoal = c.entered ? 1 : 0;
            match::ballHitsGoalFrame(b);
            if (c.outX >= 0) {
                EXPECT_EQ(b->x, side * c.outX) << what;
            }
            if (c.outY != -1) {
                EXPECT_EQ(b->y, c.outY) << what;
            }
            if (c.outZ >= 0) {
                EXPECT_EQ(b->z, c.outZ) << what;
            }
            EXPECT_EQ(b->vx, side * c.outVx) << what;
            EXPECT_EQ(b->vy, c.outVy) << what;
            EXPECT_EQ(b->vz, c.outVz) << what;
            EXPECT_EQ(s->ballState, match::kBallRebounding) << what;
            EXPECT_EQ(s->ballPathIndex, 0) << what << ": the path is planned again";
            EXPECT_EQ(side > 0 ? s->netActorA->anim : s->netActorB->anim,
                      kFrameCondition * 4 + (side > 0 ? 3 : 2))
                << what;
            EXPECT_EQ(side > 0 ? s->netActorB->anim : s->netActorA->anim, kNoAnim) << what;
            EXPECT_EQ(s->ballEffectActive, 0) << what << ": the net shows no contact";
        }
    }
    // Once in a goal the back netting stays near for both goals until a restart clears the flag:
    // a ball coming back from behind the far goal meets it at 140032, where before it met nothing.
    s->ballEnteredGoal = 0;
    Actor* b = ballAt(-1, 141000, 3000, 1000, -1500, 0, 0);
    match::ballHitsGoalFrame(b);
    EXPECT_EQ(b->x, -141000);
    EXPECT_EQ(s->netActorB->anim, kNoAnim);
    b = ballAt(1, 139500, 0, 1000, 200, 0, 0);
    match::ballHitsGoalFrame(b);
    EXPECT_EQ(s->ballEnteredGoal, 1);
    b = ballAt(-1, 141000, 3000, 1000, -1500, 0, 0);
    match::ballHitsGoalFrame(b);
    EXPECT_EQ(b->x, -140033) << "the far goal's net is near too";
}

TEST_F(GoalFrameTest, BallsFarOutOrMovingAwayAreNotTested) {
    GameStatics* s = statics();
    struct Case {
        const char* name;
        jint x, y, z, vx, vy, vz;
    };
    for (const jint side : {1, -1}) {
        for (const Case c : {Case{"at 123136", 123136, 0, 12544, 20000, 0, 0},
                             Case{"moving away in front of the line", 134000, 9728, 1000, -1000, 0, 0},
                             Case{"wide of the goal", 134000, 20000, 1000, 3000, 0, 0},
                             Case{"over the bar", 134000, 0, 13400, 3000, 0, 0}}) {
            const std::string what = std::string(c.name) + (side > 0 ? " (+x)" : " (-x)");
            Actor* b = ballAt(side, c.x, c.y, c.z, c.vx, c.vy, c.vz);
            match::ballHitsGoalFrame(b);
            EXPECT_EQ(b->x, side * c.x) << what;
            EXPECT_EQ(b->vx, side * c.vx) << what;
            EXPECT_EQ(s->ballDirX, side * 256) << what;
            EXPECT_EQ(s->ballState, match::kBallDriven) << what;
            EXPECT_EQ(s->ballPathIndex, 33) << what << ": no new path";
            EXPECT_EQ(s->netActorA->anim, kNoAnim) << what;
            EXPECT_EQ(s->netActorB->anim, kNoAnim) << what;
        }
    }
}

TEST_F(GoalFrameTest, TheWoodworkSpringsTheBallBackAtARandomSpread) {
    GameStatics* s = statics();
    struct Case {
        const char* name;
        bool crossbar;
        jint y, z, vx;
    };
    for (const jint side : {1, -1}) {
        for (const Case c :
             {Case{"crossbar", true, 0, 12544, 2000}, Case{"near post", false, -9728, 2000, 2000},
              Case{"far post", false, 9728, 2000, 2000}, Case{"slow off the post", false, 9728, 2000, 300},
              Case{"slow off the bar", true, 3000, 12544, 300}}) {
            for (jint seed = 0; seed < 6; ++seed) {
                const std::string what =
                    std::string(c.name) + (side > 0 ? " (+x)" : " (-x)") + " seed " + std::to_string(seed);
                Actor* b = ballAt(side, 135168 - c.vx + 200, c.y, c.z, c.vx, 0, 0);
                // The expected spread, drawn in the written order from the same seed.
                s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
                jint vx = (-c.vx * 200) >> 8;
                jint vy = 0;
                jint vz = 0;
                if (c.crossbar) {
                    const jint speed = core::approxDistance(vx, vz);
                    vx = core::randomRange(0, 1) == 1 ? core::randomRange(-vx, vx >> 1)
                                                      : core::randomRange(vx, vx >> 1);
                    vz = speed - std::abs(vx);
                    vz = core::randomRange(0, 1) == 0 ? -vz : vz;
                } else {
                    const jint speed = core::approxDistance(vx, vy);
                    vx = core::randomRange(0, 1) == 0 ? -vx : vx;
                    vy = speed - std::abs(vx);
                    vy = core::randomRange(0, 1) == 0 ? -vy : vy;
                }
                s->gameRandom = runtime::newObject<runtime::java_util_Random>(seed);
                match::ballHitsGoalFrame(b);
                const jint hitY = b->y;
                const jint hitZ = b->z;
                EXPECT_EQ(side > 0 ? s->netActorA->anim : s->netActorB->anim,
                          kFrameCondition * 4 + (side > 0 ? 3 : 2))
                    << what;
                EXPECT_EQ(s->ballPathIndex, 0) << what;
                EXPECT_EQ(s->ballEffectActive, 1) << what;
                const bool putIn = vx > 0 && ((135167 + vx) & ~0xFF) <= 135168;
                if (vx > 0 && !putIn) {
                    // Into the goal too fast to be put behind the line: the same face turns it
                    // again within the tick, until it comes out or is slow enough to go in.
                    EXPECT_TRUE(side * b->x == 135424 || (side * b->x < 135168 && side * b->vx < 0)) << what;
                    continue;
                }
                EXPECT_EQ(b->x, side * (putIn ? 135424 : 135167)) << what;
                EXPECT_EQ(b->vx, side * vx) << what;
                EXPECT_EQ(b->vy, vy) << what;
                EXPECT_EQ(b->vz, vz) << what;
                core::scaleVectorTo(256, vx, vy);
                EXPECT_EQ(s->ballDirX, side * s->vectorX) << what;
                EXPECT_EQ(s->ballDirY, s->vectorY) << what;
                // The contact shows where the goal that was hit stands on the pitch image.
                match::projectToScreen(side * 135167, hitY, hitZ);
                EXPECT_EQ(s->ballEffectActor->anim, 1) << what;
                EXPECT_EQ(s->ballEffectActor->screenX, s->projectedX) << what;
                EXPECT_EQ(s->ballEffectActor->screenY, s->projectedY) << what;
            }
        }
    }
}

} // namespace
} // namespace game::testing
