// The scripted order (11), which plays the celebrations, line-ups and set-piece preparations the
// team logic gives as PERFORM commands, and the follow of play (order 13) that starts a move of
// order 1 with a step of its own.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/PlayerMotion.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

constexpr jint kGoTo = 1;
constexpr jint kMovingAction = 1;
constexpr jint kFollowAction = 13;
constexpr jint kStanding = 0;
// A walk of the script arrives within speed / 2 + this of its target.
constexpr jint kArrivalMargin = 256;
// Step 11 waits before its pose: briefly before a short run-up (the team's runFlag 1), longer
// otherwise.
constexpr jint kShortRunFlag = 1;
constexpr jint kShortWaitMin = 8;
constexpr jint kShortWaitMax = 10;
constexpr jint kLongWaitMin = 30;
constexpr jint kLongWaitMax = 50;
// The follow: its poses 60..63 by mode, the hold of modes 1 and 2, the diagonal's side.
constexpr jint kFollowPose = 60;
constexpr jint kFollowModes = 4;
constexpr jint kFollowHoldTicks = 12;
constexpr jint kSideDiagonal = 7;
constexpr jint kOtherDiagonal = 3;

enum class StepKind {
    None,     // no such step
    Walk,     // walk to the target in the pose, then stand (idle)
    Pose,     // stand in the pose
    Move,     // the pose moving along the facing
    HideBall, // the pose with the ball hidden
    SetPiece, // a wait by the team's run-up, then the pose
    Turn,     // the pose once the turn giveScript asked for is done
};

struct ScriptStep {
    StepKind kind;
    jint state;
};

// The steps by orderMode 0..22.
constexpr ScriptStep kSteps[] = {
    {StepKind::None, 0},      {StepKind::Walk, 56},     {StepKind::Pose, 33}, {StepKind::Move, 35},
    {StepKind::Move, 36},     {StepKind::Pose, 37},     {StepKind::Pose, 38}, {StepKind::Pose, 39},
    {StepKind::HideBall, 48}, {StepKind::None, 0},      {StepKind::None, 0},  {StepKind::SetPiece, 53},
    {StepKind::Move, 54},     {StepKind::Move, 55},     {StepKind::Pose, 23}, {StepKind::None, 0},
    {StepKind::Pose, 71},     {StepKind::Pose, 72},     {StepKind::Pose, 41}, {StepKind::Turn, 57},
    {StepKind::Walk, 1},      {StepKind::Pose, 49},     {StepKind::Pose, 51},
};
constexpr jint kStepCount = static_cast<jint>(sizeof(kSteps) / sizeof(kSteps[0]));

// A walk of the script: a screen-proportioned step at runSpeed towards the target, facing it, in
// `pose`; on arrival the player stands at the target.
void walkStep(CPlayer* p, const jint pose) {
    GameStatics* const s = statics();
    const jint dx = p->targetX - p->x;
    const jint dy = p->targetY - p->y;
    const jint speed = p->runSpeed;
    const jint radius = speed > 0 ? screenVectorTowards(speed, dx, dy, speed / 2 + kArrivalMargin) : 0;
    if (speed <= 0 || core::approxDistance(dx, dy) <= radius) {
        if (speed <= 0 && (dx != 0 || dy != 0)) {
            runtime::log("runScript: player %d has no run speed; he is placed at his target", p->slot);
        }
        p->x = p->targetX;
        p->y = p->targetY;
        p->arrived = 1;
        p->moving = 0;
        p->idle();
        return;
    }
    p->vx = s->vectorX;
    p->vy = s->vectorY;
    const jint d = directionFromVector(dx, dy);
    if (p->state != pose || d != p->direction) {
        p->direction = d;
        p->wantedDirection = d;
        p->setState(pose);
    }
    p->action = kMovingAction;
    p->arrived = 0;
    p->moving = 1;
}

// A pose of the script. It starts when the player is not in it yet: a looping pose is done at
// once (arrived; it holds until the next command), another runs once and then the player stands,
// not before orderEndTime. A standing pose keeps him still; a moving one carries him along his
// facing at runSpeed.
void playPose(CPlayer* p, const jint pose, const bool moves) {
    GameStatics* const s = statics();
    if (p->state != pose) {
        p->setState(pose);
        p->arrived = p->animLoops;
        if (moves) {
            screenVectorAlong(p->runSpeed, p->direction);
            p->vx = s->vectorX;
            p->vy = s->vectorY;
            p->action = kMovingAction;
        }
    }
    if (!moves) {
        p->vx = 0;
        p->vy = 0;
    }
    if (p->animLoops != 0) {
        p->arrived = 1;
    } else if (p->animFinished != 0 && s->matchTicks >= p->orderEndTime) {
        p->idle();
    }
}

// Step 11: the player holds still for the wait its team's run-up asks for, then plays the pose.
void setPieceStep(CPlayer* p, const jint pose) {
    GameStatics* const s = statics();
    if (p->state == pose) {
        playPose(p, pose, false);
        return;
    }
    p->vx = 0;
    p->vy = 0;
    if (p->holding == 0) {
        const bool shortRun = p->team != nullptr && p->team->runFlag == kShortRunFlag;
        const jint wait = shortRun ? core::randomRange(kShortWaitMin, kShortWaitMax)
                                   : core::randomRange(kLongWaitMin, kLongWaitMax);
        p->holding = 1;
        p->arrived = 0;
        p->orderEndTime = s->matchTicks + static_cast<jlong>(wait);
        p->setState(kStanding);
        return;
    }
    if (s->matchTicks >= p->orderEndTime) {
        p->holding = 0;
        playPose(p, pose, false);
    }
}

} // namespace

void CPlayer::runScript() {
    const ScriptStep step = orderMode >= 0 && orderMode < kStepCount ? kSteps[orderMode] : ScriptStep{StepKind::None, 0};
    switch (step.kind) {
    case StepKind::Walk:
        walkStep(this, step.state);
        break;
    case StepKind::Pose:
        playPose(this, step.state, false);
        break;
    case StepKind::Move:
        playPose(this, step.state, true);
        break;
    case StepKind::HideBall:
        statics()->ballHiddenB = 1;
        playPose(this, step.state, false);
        break;
    case StepKind::SetPiece:
        setPieceStep(this, step.state);
        break;
    case StepKind::Turn:
        moving = 0;
        playPose(this, step.state, false);
        break;
    case StepKind::None:
        runtime::log("runScript: player %d has no scripted step %d; he stands", slot, orderMode);
        idle();
        break;
    }
}

void CPlayer::follow() {
    GameStatics* const s = statics();
    const jint mode = orderMode;
    if (mode < 0 || mode >= kFollowModes) {
        runtime::log("follow: player %d has no follow mode %d; he stands", slot, mode);
        idle();
        return;
    }
    if (action != kFollowAction) {
        action = kFollowAction;
        lastFollowMode = mode;
        jint dir = direction;
        jint speed = runSpeed / 2;
        if (mode == 0 || mode == 3) {
            // A diagonal: the facing itself when it is one, else the diagonal beside it on
            // direction 7's side when the facing is next to 7, on direction 3's otherwise.
            if ((direction & 1) == 0) {
                dir = isNeighbourDirection(direction, kSideDiagonal) ? kSideDiagonal : kOtherDiagonal;
            }
            speed = mode == 0 ? ballRunSpeed : sideSpeed;
        }
        screenVectorAlong(speed, dir);
        vx = s->vectorX;
        vy = s->vectorY;
        setState(kFollowPose + mode);
        followEndTime = s->matchTicks + (mode == 1 || mode == 2 ? kFollowHoldTicks : 0);
    }
    if (s->matchTicks >= followEndTime) {
        order = kGoTo;
    }
}

} // namespace game::match
