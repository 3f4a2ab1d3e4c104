// The goalkeeper's machine: guarding the goal (task 14), coming out for the ball (15), the ball in
// his hands and its throw (16) and the save (17). Task 18 and any other task do nothing here.
//
// Design note on the save (task 17), for what the rules leave open:
// - The ball's path is scanned from ballPathIndex for at most 30 entries (never past entry 199)
//   for the first entry at which the ball is level with the keeper or past the goal line; an
//   entry j lies t = j - ballPathIndex + 1 ticks ahead. A crossing at most 5 ticks ahead sets the
//   save target, one 6 to 12 ticks ahead moves the keeper onto that path point.
// - A shot struck only 2 to 10 ticks ago (ballPathIndex 2..10) is still being read: the save
//   window shortens to 4 ticks and the move window runs from 5 to 13 ticks.
// - The save target is the point the dive defends: the ball's aimX, aimY and aimZ, which the
//   dive (CPlayer::save) reads.
// - The final close-in: the ball's speed factor is the octagonal length of its ground motion
//   per tick; inside the penalty area a keeper less than 30 x that from the ball (30 ticks of its
//   travel) moves at it.
// - Neither the windows nor the close-in make a random draw; the only draws of task 17 are the
//   penalty's side and height.
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Areas.h"
#include "game/match/model/Ball.h"
#include "game/match/team/CommandKinds.h"

namespace game::match {

using namespace command;
using runtime::jlong;

namespace {

// The goalkeeper's tasks.
constexpr jint kGuardTask = 14;
constexpr jint kComeOutTask = 15;
constexpr jint kBallInHandTask = 16;
constexpr jint kSaveTask = 17;

constexpr jint kOpenPlay = 0;
constexpr jint kPenaltyPhase = 8;
constexpr jint kShootOutPeriod = 5;
constexpr jint kDivingAction = 7;
// Set-piece steps in which the keeper starts no save.
constexpr jint kSetPieceStart = 0;
constexpr jint kSetPieceStep3 = 3;

// Lines and distances, x in the team's view (own goal at -x).
constexpr jint kGoalLineX = 135168;
constexpr jint kKeeperLineX = 134912;
constexpr jint kShotZoneX = 76800;
constexpr jint kOnTargetY = 9984;
constexpr jint kWideOnTargetLow = -17408;
constexpr jint kWideOnTargetHigh = 17407;
constexpr jint kBouncedShotX = 121857;
constexpr jint kCloseBall = 5120;
constexpr jint kLowBall = 19968;
constexpr jint kCentralBallY = 24191;
constexpr jint kClearLead = 3072;
constexpr jint kComeOutDraw = 50;
constexpr jint kSkillMarginStep = 1024;
constexpr jint kNearBall = 17920;
constexpr jint kRangeRunSteps = 54;
constexpr jint kFarBall = 15360;
constexpr jint kSlowBall = 1024;
// Ball in hand: released on an even tick, at the latest at this one.
constexpr jint kHoldLimit = 48;
constexpr jint kThrowPower = 5120;
constexpr jint kKeeperThrowLane = 6;
constexpr jint kUnmarkedLane = 9;
constexpr jint kFirstOutfield = 1;
constexpr jint kPastLastOnPitch = 11;
// The penalty's dive: the side's y and the height's steps.
constexpr jint kPenaltyDiveY = 15359;
constexpr jint kHeightStep = 256;
constexpr jint kHeightDraws = 49;
// The save's path scan and windows (see the design note above).
constexpr jint kPathEntries = 200;
constexpr jint kSaveScanTicks = 30;
constexpr jint kSaveWindow = 5;
constexpr jint kMoveWindowFirst = 6;
constexpr jint kMoveWindowLast = 12;
constexpr jint kFreshShotFirst = 2;
constexpr jint kFreshShotLast = 10;
constexpr jint kCloseInTicks = 30;
// A keeper who touched the ball last goes after it when it lies this central and this deep.
constexpr jint kCentralLooseY = 68;
constexpr jint kDeepCrossingX = 106497;
constexpr jint kDirectionMask = 7;
constexpr jint kTowardsOwnGoal = 6;
constexpr jint kHomeAwayFirst = 5;
constexpr jint kHomeAwayLast = 3;

// Where the ball's line meets the own goal: its y at the goal line and its x, the landing x
// held inside the line (both in pitch coordinates); known only for a loose ball coming at goal.
struct ShotLine {
    bool known = false;
    bool onTarget = false;
    jint x = 0;
    jint y = 0;
};

bool shotState(const jint state) {
    return state == kBallDriven || state == kBallShot;
}

bool aimedState(const jint state) {
    return state == kBallLofted || state == kBallDriven || state == kBallShot || state == kBallLoftedHigh;
}

ShotLine shotLine(const CTeam* team, const CPlayer* keeper) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    ShotLine line;
    if (ball == nullptr || s->ballHolder != nullptr || s->receivingPlayer != nullptr) {
        return line;
    }
    const jint landingX = team->orientX(ball->aimX);
    if (landingX >= team->orientX(keeper->x) || landingX >= -kShotZoneX) {
        return line;
    }
    if (s->ballBounced != 0 && !aimedState(s->ballState) && absInt(ball->x) < kBouncedShotX) {
        return line;
    }
    const jint ballX = team->orientX(ball->x);
    jint y = ball->aimY;
    if (landingX != ballX) {
        // 64-bit: a line that barely moves along x would overflow the product.
        const jlong reach = static_cast<jlong>(ball->aimY - ball->y) * (-kGoalLineX - ballX) / (landingX - ballX);
        const jlong crossing = ball->y + reach;
        y = crossing > kGoalLineX ? kGoalLineX : crossing < -kGoalLineX ? -kGoalLineX : static_cast<jint>(crossing);
    }
    line.known = true;
    line.y = y;
    line.x = team->orientX(landingX < -kGoalLineX + 1 ? -kGoalLineX + 1 : landingX);
    line.onTarget = shotState(s->ballState) ? y >= kWideOnTargetLow && y <= kWideOnTargetHigh
                                            : y >= -kOnTargetY && y <= kOnTargetY;
    return line;
}

// The keeper's home direction (or facing) points away from the pitch, towards his own goal.
bool facesAwayFromPitch(const CTeam* team, const jint d) {
    return team->sideFlag != 0 ? d >= kHomeAwayFirst : d <= kHomeAwayLast;
}

jint distanceBetween(const Actor* a, const jint x, const jint y) {
    return core::approxDistance(x - a->x, y - a->y);
}

void returnToGuard(CTeam* team, CPlayer* keeper) {
    keeper->task = kGuardTask;
    team->keeperHoldCounters[0] = 0;
    team->keeperHoldCounters[1] = 0;
}

// Step 3: a shot at goal (or a close, low ball) on the line sends the keeper to save.
void startSave(CTeam* team, CPlayer* keeper, const ShotLine& line) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    const CPlayer* const challenger = s->lastTackler;
    const bool setPieceStart =
        s->matchPhase != kOpenPlay && (s->phaseStep == kSetPieceStart || s->phaseStep == kSetPieceStep3);
    if (keeper->task == kSaveTask || (challenger != nullptr && challenger->team == team) || setPieceStart) {
        return;
    }
    const bool closeAndLow = distanceBetween(keeper, ball->x, ball->y) < kCloseBall && ball->z <= kLowBall;
    const jint crossingX = absInt(line.x);
    if (!line.known || !(closeAndLow || line.onTarget) || crossingX <= kShotZoneX || crossingX >= kGoalLineX) {
        return;
    }
    const bool ready = keeper->direction == keeper->defaultDirection &&
                       (keeper->aimX != line.x || keeper->aimY != line.y);
    if (s->penaltyKick == 0 && !ready) {
        return;
    }
    keeper->task = kSaveTask;
    keeper->aimX = line.x;
    keeper->aimY = line.y;
    team->emptyQueue(CPlayer::kKeeperSlot);
}

// Step 4: the keeper comes out for a loose ball landing in his area when he is clearly nearer
// than the nearest opponent, or by a draw against his saveSkill when the opponent's lead is small.
void testComeOut(CTeam* team, CPlayer* keeper) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    const CPlayer* const last = s->lastTouchPlayer;
    if (s->penaltyKick != 0 || team->possession != -1 || keeper->task == kSaveTask || s->ballHolder != nullptr ||
        s->receivingPlayer != nullptr || (last != nullptr && last->team == team)) {
        return;
    }
    const CPlayer* const nearest = findNearestToBall(team->opponent != nullptr ? team->opponent->teamIndex : -1, 1);
    if (shotState(s->ballState) || (nearest != nullptr && nearest->slot == CPlayer::kKeeperSlot) ||
        ball->y < -kCentralBallY || ball->y > kCentralBallY || keeper->task == kComeOutTask ||
        !team->isInShiftedPenaltyArea(keeper, ball->aimX, ball->aimY)) {
        return;
    }
    bool comeOut = nearest == nullptr;
    if (!comeOut) {
        // The opponent's lead: how much nearer to the landing point he is than the keeper.
        const jint lead = distanceBetween(keeper, ball->aimX, ball->aimY) - distanceBetween(nearest, ball->aimX, ball->aimY);
        comeOut = -lead > kClearLead ||
                  (core::randomRange(0, kComeOutDraw) <= keeper->saveSkill &&
                   lead < (keeper->saveSkill + 1) * kSkillMarginStep - kClearLead);
    }
    if (comeOut) {
        keeper->task = kComeOutTask;
        team->emptyQueue(CPlayer::kKeeperSlot);
    }
}

void guard(CTeam* team, CPlayer* keeper, const jint distance, const ShotLine& line) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    CPlayer* const ballPlayer = s->ballHolder != nullptr ? s->ballHolder.get() : s->receivingPlayer.get();
    if (ballPlayer == nullptr) {
        if ((team->possession == -1 && team->isInPenaltyArea(ball->aimX, ball->aimY) && distance < kNearBall &&
             team->isKeeperNearestToCentralBall()) ||
            line.onTarget) {
            keeper->task = kComeOutTask;
        }
    } else {
        if (keeper->hasBall != 0) {
            // The planner gives a keeper with the ball in his hands task 16.
            team->planningNeeded = 1;
        }
        if (ballPlayer->team != team) {
            const jint goalX = team->orientX(-kGoalLineX);
            const bool runsAtGoal = isNeighbourDirection(directionFromVector(goalX - ballPlayer->x, -ballPlayer->y),
                                                         ballPlayer->direction);
            const bool facing =
                keeper->direction == directionFromVector(ballPlayer->x - keeper->x, ballPlayer->y - keeper->y);
            const bool keeperNearer =
                distanceBetween(keeper, goalX, 0) + kClearLead < distanceBetween(ballPlayer, goalX, 0);
            const bool inRange = team->isInPenaltyArea(ballPlayer->x, ballPlayer->y) &&
                                 distanceBetween(keeper, ballPlayer->x, ballPlayer->y) < kRangeRunSteps * keeper->runSpeed &&
                                 distance >= kFarBall && (!ballPlayer->isBehind(keeper->x, keeper->y) || !keeperNearer);
            if ((runsAtGoal || team->isInGoalArea(ballPlayer->x, ballPlayer->y)) && !facing && inRange) {
                keeper->task = kComeOutTask;
            }
        }
    }
    if (keeper->task == kGuardTask && team->updateKeeperTarget()) {
        team->emptyQueue(CPlayer::kKeeperSlot);
        team->queueCommand(CPlayer::kKeeperSlot, kMove, keeper->aimX, keeper->aimY, kDefaultPace);
        if (facesAwayFromPitch(team, keeper->defaultDirection)) {
            team->queueCommand(CPlayer::kKeeperSlot, kFace, 0, 0, kDefaultFacing);
        }
        team->keeperHoldCounters[0] = 0;
        team->keeperHoldCounters[1] = 0;
    }
}

void comeOut(CTeam* team, CPlayer* keeper, const jint distance) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (s->ballHolder != nullptr) {
        if (s->ballHolder.get() == keeper) {
            keeper->task = kBallInHandTask;
        }
        return;
    }
    if (s->receivingPlayer != nullptr) {
        return;
    }
    const bool slow = core::approxDistance(ball->vx, ball->vy) <= kSlowBall;
    jint x = distance < kFarBall || slow ? ball->x : ball->aimX;
    const jint y = distance < kFarBall || slow ? ball->y : ball->aimY;
    // In front of his own goal line.
    if (team->sideFlag != 0 && x < -kKeeperLineX) {
        x = -kKeeperLineX;
    } else if (team->sideFlag == 0 && x > kKeeperLineX) {
        x = kKeeperLineX;
    }
    team->emptyQueue(CPlayer::kKeeperSlot);
    team->queueCommand(CPlayer::kKeeperSlot, kMove, x, y, kDefaultPace);
}

bool throwUnderWay(const CTeam* team) {
    for (jint k = 0; k < team->queueLength(CPlayer::kKeeperSlot); ++k) {
        if (team->queuedKind(CPlayer::kKeeperSlot, k) == kLongBall) {
            return true;
        }
    }
    return false;
}

// The throw: a team-mate in space straight ahead, else to either side in random order, else the
// next player on the pitch from slot 1, who waits for it.
void throwOut(CTeam* team, CPlayer* keeper) {
    GameStatics* const s = statics();
    const jint d = team->orientDirection(2);
    bool found = keeper->passLaneOpen(d, kKeeperThrowLane) || keeper->passLaneOpen(d, kUnmarkedLane);
    if (!found) {
        const jint step = core::randomRange(0, 1) == 0 ? -1 : 1;
        for (const jint e : {(d + step) & kDirectionMask, (d - step) & kDirectionMask}) {
            if (keeper->passLaneOpen(e, kKeeperThrowLane) || keeper->passLaneOpen(e, kUnmarkedLane)) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        const jint next = findNextFreePlayer(team->teamIndex, kFirstOutfield, kPastLastOnPitch, 1);
        if (const CPlayer* const mate = next >= 0 ? teamPlayer(team, next) : nullptr) {
            s->candidateX = mate->aimX;
            s->candidateY = mate->aimY;
            s->candidateSlot = next;
        }
    }
    const jint receiver = s->candidateSlot;
    if (receiver >= kFirstOutfield && receiver < kPastLastOnPitch) {
        team->emptyQueue(receiver);
        team->queueCommand(receiver, kWait, 0, 0, 1);
    }
    team->emptyQueue(CPlayer::kKeeperSlot);
    if (!isNeighbourDirection(d, keeper->direction)) {
        team->queueCommand(CPlayer::kKeeperSlot, kFace, 0, 0, d);
    }
    team->queueCommand(CPlayer::kKeeperSlot, kLongBall, s->candidateX, s->candidateY, kThrowPower);
}

void ballInHand(CTeam* team, CPlayer* keeper) {
    const GameStatics* const s = statics();
    const jint ticks = s->touchTicks;
    if ((s->keeperHoldsBall != 0 || (ticks & 1) != 0) && ticks < kHoldLimit) {
        if (s->ballHolder == nullptr) {
            returnToGuard(team, keeper);
        }
        return;
    }
    if (s->ballHolder.get() != keeper) {
        // The ball has left him.
        returnToGuard(team, keeper);
        return;
    }
    if (!throwUnderWay(team)) {
        throwOut(team, keeper);
    }
}

void penaltyDive(CTeam* team) {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    s->diveSide = core::randomRange(-1, 1);
    ball->aimX = team->orientX(-kGoalLineX);
    ball->aimY = s->diveSide * kPenaltyDiveY;
    ball->aimZ = kHeightStep * core::randomRange(0, kHeightDraws);
    team->emptyQueue(CPlayer::kKeeperSlot);
    team->queueCommand(CPlayer::kKeeperSlot, kGoalLineRequest, 0, 0, 0);
}

// The first path entry within the scan at which the ball is level with the keeper or past the
// goal line; -1 when none.
jint pathCrossing(const CTeam* team, const CPlayer* keeper) {
    const GameStatics* const s = statics();
    const runtime::IntArray* const pathX = s->ballPathX;
    const jint first = s->ballPathIndex;
    if (pathX == nullptr || first < 0) {
        return -1;
    }
    jint end = first + kSaveScanTicks;
    end = end > kPathEntries ? kPathEntries : end;
    end = end > pathX->length ? pathX->length : end;
    const jint keeperX = team->orientX(keeper->x);
    for (jint j = first; j < end; ++j) {
        const jint x = team->orientX((*pathX)[j]);
        if (x <= keeperX || x <= -kGoalLineX) {
            return j;
        }
    }
    return -1;
}

jint pathAt(const runtime::IntArray* path, const jint j) {
    return path != nullptr && path->inBounds(j) ? (*path)[j] : 0;
}

void save(CTeam* team, CPlayer* keeper, const ShotLine& line) {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    if (keeper->action == kDivingAction) {
        return;
    }
    if (s->penaltyKick != 0) {
        penaltyDive(team);
        return;
    }
    if (s->ballHolder != nullptr) {
        if (s->ballHolder.get() == keeper) {
            keeper->task = kBallInHandTask;
        } else {
            returnToGuard(team, keeper);
        }
        return;
    }
    if (s->lastTouchPlayer.get() == keeper) {
        if (absInt(ball->y) < kCentralLooseY && absInt(line.x) >= kDeepCrossingX) {
            team->emptyQueue(CPlayer::kKeeperSlot);
            team->queueCommand(CPlayer::kKeeperSlot, kMove, ball->x, ball->y, kDefaultPace);
        }
        return;
    }
    if (const jint j = pathCrossing(team, keeper); j >= 0) {
        const jint t = j - s->ballPathIndex + 1;
        const bool fresh = s->ballPathIndex >= kFreshShotFirst && s->ballPathIndex <= kFreshShotLast;
        const jint saveWindow = fresh ? kSaveWindow - 1 : kSaveWindow;
        const jint moveLast = fresh ? kMoveWindowLast + 1 : kMoveWindowLast;
        const jint x = pathAt(s->ballPathX, j);
        const jint y = pathAt(s->ballPathY, j);
        if (t <= saveWindow) {
            ball->aimX = x;
            ball->aimY = y;
            ball->aimZ = pathAt(s->ballPathZ, j);
            team->emptyQueue(CPlayer::kKeeperSlot);
            team->queueCommand(CPlayer::kKeeperSlot, kGoalLineRequest, 0, 0, 0);
            return;
        }
        if (t >= (fresh ? saveWindow + 1 : kMoveWindowFirst) && t <= moveLast) {
            team->emptyQueue(CPlayer::kKeeperSlot);
            team->queueCommand(CPlayer::kKeeperSlot, kMove, x, y, kDefaultPace);
            return;
        }
    }
    if (shotState(s->ballState) && facesAwayFromPitch(team, keeper->direction)) {
        team->queueCommand(CPlayer::kKeeperSlot, kGoalLineRequest, 0, 0, 0);
        return;
    }
    if (!team->isInPenaltyArea(ball->x, ball->y)) {
        return;
    }
    if (distanceBetween(keeper, ball->x, ball->y) < kCloseInTicks * core::approxDistance(ball->vx, ball->vy)) {
        team->emptyQueue(CPlayer::kKeeperSlot);
        team->queueCommand(CPlayer::kKeeperSlot, kMove, ball->x, ball->y, kDefaultPace);
    }
}

} // namespace

void CTeam::goalkeeperFrame(CPlayer* const keeper, const jint distance) {
    const GameStatics* const s = statics();
    if (keeper == nullptr || s->ball == nullptr) {
        return;
    }
    if ((s->matchPeriod == kShootOutPeriod && s->penaltyKick == 0) ||
        (s->matchPhase == kPenaltyPhase && s->restartActor.get() == keeper)) {
        return;
    }
    const ShotLine line = shotLine(this, keeper);
    startSave(this, keeper, line);
    testComeOut(this, keeper);
    switch (keeper->task) {
    case kGuardTask:
        guard(this, keeper, distance, line);
        break;
    case kComeOutTask:
        comeOut(this, keeper, distance);
        break;
    case kBallInHandTask:
        ballInHand(this, keeper);
        break;
    case kSaveTask:
        save(this, keeper, line);
        break;
    default:
        // Task 18 and every other task are not the keeper machine's.
        break;
    }
}

} // namespace game::match
