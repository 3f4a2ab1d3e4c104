// The goal frame and the net (see GoalFrame.h). The +x goal is tested; a ball at x < 0 is
// mirrored in x for the test and put back afterwards.
#include "game/match/model/GoalFrame.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

// The goal line, where the net starts behind it, and the net's depth: nearer once the ball has
// been inside a goal since the last restart.
constexpr jint kGoalLineX = 135168;
constexpr jint kNetStartX = 135680;
constexpr jint kNetDepthAfterGoal = 140032;
constexpr jint kNetDepth = 141824;
// Nothing is tested for a ball this far or further in front of the goal line.
constexpr jint kTestFromX = 123136;
// The side nets lie on the posts' centre lines; the roof spans a little wider, at the bar's
// height.
constexpr jint kSideNetY = 9728;
constexpr jint kRoofHalfWidth = 10752;
constexpr jint kNetHeight = 12544;
// The woodwork's front faces: the posts 1024 thick around y +-9728 up to the bar's centre, the
// crossbar 1024 thick around z 12544 between the posts' centres.
constexpr jint kPostInnerY = 9216;
constexpr jint kPostOuterY = 10240;
constexpr jint kBarLow = 12032;
constexpr jint kBarHigh = 13056;
// Rebound factors in 256ths: the netting, a drop onto the roof, the woodwork.
constexpr jint kNetRebound = 16;
constexpr jint kRoofDropRebound = 400;
constexpr jint kWoodworkRebound = 200;
// A ball off the woodwork into the goal that would not pass the line on its next step is put
// just behind it.
constexpr jint kBehindLineX = 135424;
constexpr jint kFineMask = ~0xFF;
constexpr jint kUnitDirection = 256;
constexpr jint kEffectAnim = 1;
// The net's shake: the animation set by pitchCondition, 3 for the +x net and 2 for the -x net.
constexpr jint kNetAnimsPerCondition = 4;
constexpr jint kShakePlusNet = 3;
constexpr jint kShakeMinusNet = 2;
// A ball meets at most a few surfaces a tick; more means it is caught between two of them.
constexpr jint kMostHitsATick = 16;

enum class Woodwork { Crossbar, Post };

// The ball against the near side net, the far one, the roof and the back of the net, in that
// order: true when one of them caught it. roofDrop reports a ball dropped onto the roof.
bool hitsNet(Actor* ball, const jint depth, bool& roofDrop) {
    roofDrop = false;
    if (ballHitsRect(ball, kPlaneY, -kSideNetY, kNetStartX, depth, kNetHeight, 0) ||
        ballHitsRect(ball, kPlaneY, kSideNetY, kNetStartX, depth, kNetHeight, 0)) {
        ballRebound(kPlaneY, kNetRebound);
        return true;
    }
    if (ballHitsRect(ball, kPlaneZ, kNetHeight, kNetStartX, depth, kRoofHalfWidth, -kRoofHalfWidth)) {
        roofDrop = ball->vz <= 0;
        ballRebound(kPlaneZ, roofDrop ? kRoofDropRebound : kNetRebound);
        return true;
    }
    if (ballHitsRect(ball, kPlaneX, depth, -kSideNetY, kSideNetY, kNetHeight, 0)) {
        ballRebound(kPlaneX, kNetRebound);
        return true;
    }
    return false;
}

// The contact effect at the ball's point on the pitch image (x as the pitch has it).
void showContact(const Actor* ball, const jint pitchX) {
    GameStatics* const s = statics();
    Actor* const effect = s->ballEffectActor;
    if (effect == nullptr) {
        return;
    }
    projectToScreen(pitchX, ball->y, ball->z);
    effect->screenX = s->projectedX;
    effect->screenY = s->projectedY;
    s->ballEffectActive = 1;
    effect->setAnimation(kEffectAnim, 1);
}

// The ball springs back off the post or the bar at a random spread; one that now goes into the
// goal but would stop short of the line is put just behind it.
void woodwork(Actor* ball, const Woodwork part, const bool mirrored) {
    GameStatics* const s = statics();
    ballRebound(kPlaneX, kWoodworkRebound);
    showContact(ball, mirrored ? -ball->x : ball->x);
    if (part == Woodwork::Crossbar) {
        const jint speed = core::approxDistance(ball->vx, ball->vz);
        if (core::randomRange(0, 1) == 1) {
            ball->vx = core::randomRange(-ball->vx, ball->vx >> 1);
        } else {
            ball->vx = core::randomRange(ball->vx, ball->vx >> 1);
        }
        ball->vz = speed - absInt(ball->vx);
        if (core::randomRange(0, 1) == 0) {
            ball->vz = -ball->vz;
        }
    } else {
        const jint speed = core::approxDistance(ball->vx, ball->vy);
        if (core::randomRange(0, 1) == 0) {
            ball->vx = -ball->vx;
        }
        ball->vy = speed - absInt(ball->vx);
        if (core::randomRange(0, 1) == 0) {
            ball->vy = -ball->vy;
        }
    }
    core::scaleVectorTo(kUnitDirection, ball->vx, ball->vy);
    s->ballDirX = s->vectorX;
    s->ballDirY = s->vectorY;
    if (ball->vx > 0 && ((ball->x + ball->vx) & kFineMask) <= kGoalLineX) {
        ball->x = kBehindLineX;
    }
}

// The first surface the ball's next step meets, handled; false when it meets none (or moves
// away from the goal in front of the line). roofDrop reports a ball dropped onto the roof.
bool handleNextSurface(Actor* ball, const jint depth, const bool mirrored, bool& roofDrop) {
    if (ball->x < kGoalLineX && ball->vx < 0) {
        return false;
    }
    if (hitsNet(ball, depth, roofDrop)) {
        return true;
    }
    if (ball->vx <= 0) {
        return false;
    }
    if (ballHitsRect(ball, kPlaneX, kGoalLineX, -kSideNetY, kSideNetY, kBarHigh, kBarLow)) {
        woodwork(ball, Woodwork::Crossbar, mirrored);
        return true;
    }
    if (ballHitsRect(ball, kPlaneX, kGoalLineX, -kPostOuterY, -kPostInnerY, kNetHeight, 0) ||
        ballHitsRect(ball, kPlaneX, kGoalLineX, kPostInnerY, kPostOuterY, kNetHeight, 0)) {
        woodwork(ball, Woodwork::Post, mirrored);
        return true;
    }
    return false;
}

void mirror(Actor* ball) {
    GameStatics* const s = statics();
    ball->x = -ball->x;
    ball->vx = -ball->vx;
    s->ballDirX = -s->ballDirX;
}

} // namespace

void ballHitsGoalFrame(Actor* const ball) {
    if (ball == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    const bool mirrored = ball->x < 0;
    if (mirrored) {
        mirror(ball);
    }
    if (s->ballEnteredGoal == 0 && isBallInGoal()) {
        s->ballEnteredGoal = 1;
    }
    const jint depth = s->ballEnteredGoal != 0 ? kNetDepthAfterGoal : kNetDepth;
    bool hit = false;
    if (ball->x > kTestFromX) {
        for (jint hits = 0;; ++hits) {
            if (hits == kMostHitsATick) {
                runtime::log("ballHitsGoalFrame: the ball meets the goal %d times in a tick", hits);
                break;
            }
            bool roofDrop = false;
            if (!handleNextSurface(ball, depth, mirrored, roofDrop)) {
                break;
            }
            hit = true;
            if (roofDrop || ball->x <= kTestFromX) {
                break;
            }
        }
    }
    if (mirrored) {
        mirror(ball);
    }
    if (!hit) {
        return;
    }
    planBallPath(-1, 0);
    const jint condition = s->pitchCondition * kNetAnimsPerCondition;
    Actor* const net = ball->x >= 0 ? static_cast<Actor*>(s->netActorA) : static_cast<Actor*>(s->netActorB);
    if (net != nullptr) {
        net->setAnimation(condition + (ball->x >= 0 ? kShakePlusNet : kShakeMinusNet), 1);
    }
}

} // namespace game::match
