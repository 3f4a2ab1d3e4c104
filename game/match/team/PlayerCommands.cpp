// The player commands: the command at the front of a player's queue started as a request on the
// player, and a finished command retired so that the next one starts.
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/team/CommandKinds.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::IntArray;

namespace {

// A queue: four entries of {kind, a, b, c} per player; entry 0 is the command under way.
constexpr jint kQueueInts = CTeam::kQueueEntries * CTeam::kCommandInts;
constexpr jint kEntryInts = CTeam::kCommandInts;

using namespace command;

// Orders and their parameters.
constexpr jint kLongBallOrder = 3;
constexpr jint kLongBallPower = 5120;
constexpr jint kTackleOrder = 5;
constexpr jint kSecondTackleOrder = 6;
constexpr jint kSaveOrder = 7;
constexpr jint kFollowOrder = 13;
constexpr jint kFollowUpPassAction = 2;
constexpr jint kFollowUpShotAction = 4;
// The opposing keeper's action while he holds the ball: no tackle is started then.
constexpr jint kKeeperCatchAction = 8;
// A goal-line request is started only while the ball is short of the goal line.
constexpr jint kGoalLineRequestBelowX = 135169;

// Match phases: open play; the penalty (the keeper goes to his goal line); the phases in which
// the keeper runs like the others.
constexpr jint kOpenPlay = 0;
constexpr jint kPenaltyPhase = 8;
constexpr jint kKeeperRunPhases[] = {9, 15, 17};
constexpr jint kGoalLineX = 135168;

// Tasks.
constexpr jint kFreeTask = 0;
constexpr jint kBallTask = 1;
constexpr jint kRestartRunTask = 5;
constexpr jint kClosingDownTask = 7;
constexpr jint kMarkingTask = 8;

bool keeperRunsInPhase(const jint phase) {
    for (const jint p : kKeeperRunPhases) {
        if (p == phase) {
            return true;
        }
    }
    return false;
}

// MOVE to (a, b) at pace c (-1 the default pace, any other value runs), the first rule that
// applies winning.
void startMove(const CTeam* team, CPlayer* p, const jint a, const jint b, const jint c) {
    const GameStatics* const s = statics();
    const jboolean hurry = c != -1 ? 1 : 0;
    if (p->slot == CPlayer::kKeeperSlot && !keeperRunsInPhase(s->matchPhase)) {
        p->walkTo(a, b);
        return;
    }
    if (team->runActive != 0 && p->task == kBallTask) {
        p->runTo(a, b, hurry);
        return;
    }
    if (p->task == kRestartRunTask && team->restartRunFlag != 0) {
        p->runTo(a, b, 1);
        return;
    }
    if (p->task == kBallTask && s->receivingPlayer.get() == p) {
        p->runTo(a, b, p->rushFlag);
        return;
    }
    const bool defending = team->possession == -1 &&
                           (p->task == kFreeTask || p->task == kClosingDownTask || p->task == kMarkingTask);
    const bool onTheBall = team->possession == 1 && p->task == kBallTask;
    if ((defending || onTheBall) && isRoleCode2to9(p->roleCode) && s->matchPhase == kOpenPlay) {
        p->readyFlag = 1;
    }
    p->runTo(a, b, hurry);
}

void startTackle(CPlayer* p, const jint order) {
    if (statics()->keeperHoldsBall != 0) {
        p->stop(0);
        return;
    }
    const CPlayer* const keeper = teamPlayer(p->opponents, CPlayer::kKeeperSlot);
    if (keeper == nullptr || keeper->action != kKeeperCatchAction) {
        p->order = order;
    }
}

} // namespace

void CTeam::startCommand(const jint i) {
    CPlayer* const p = teamPlayer(this, i);
    const IntArray* const queues = commandQueues;
    if (p == nullptr || queues == nullptr || i < 0 || i >= kOnPitch ||
        (i + 1) * kQueueInts > queues->length) {
        runtime::log("CTeam::startCommand: no player or queue in slot %d", i);
        return;
    }
    const GameStatics* const s = statics();
    const jint at = i * kQueueInts;
    const jint kind = (*queues)[at];
    jint a = (*queues)[at + 1];
    jint b = (*queues)[at + 2];
    const jint c = (*queues)[at + 3];
    if (kind == kMove && s->matchPhase == kPenaltyPhase && i == CPlayer::kKeeperSlot) {
        // The keeper faces a penalty from the centre of his own goal line.
        a = sideFlag != 0 ? -kGoalLineX : kGoalLineX;
        b = 0;
    }
    switch (kind) {
    case kMove:
        startMove(this, p, a, b, c);
        break;
    case kPass:
        p->setPassTarget(a, b, -1);
        break;
    case kLongBall:
        p->order = kLongBallOrder;
        p->targetX = a;
        p->targetY = b;
        p->orderMode = kLongBallPower;
        break;
    case kShoot:
        p->requestShot(c);
        break;
    case kRestartKick:
        p->order = kFollowOrder;
        p->secondActionFlag = 1;
        p->orderMode = c;
        p->firstActionFlag = 0;
        break;
    case kFace:
        if (p->direction != (c == -1 ? p->defaultDirection : c)) {
            p->face(c);
        }
        break;
    case kTackle:
        startTackle(p, kTackleOrder);
        break;
    case kSecondTackle:
        startTackle(p, kSecondTackleOrder);
        break;
    case kFollowUpTurn:
        p->clearAttack(directionFromVector(a - p->x, b - p->y));
        break;
    case kFollowUpPass:
        p->followUp = kFollowUpPassAction;
        p->followUpX = a;
        p->followUpY = b;
        break;
    case kFollowUpShot:
        p->followUp = kFollowUpShotAction;
        break;
    case kWait:
        p->waitFor(c);
        break;
    case kGoalLineRequest:
        if (const Actor* const ball = s->ball; ball != nullptr && ball->x < kGoalLineRequestBelowX) {
            p->order = kSaveOrder;
        }
        break;
    case kPerform:
        p->giveScript(a, b, c);
        break;
    default:
        // END only holds the queue until the player is done; other kinds are not commands.
        break;
    }
}

void CTeam::retireCommand(const jint i) {
    IntArray* const lengths = queueLengths;
    IntArray* const queues = commandQueues;
    const CPlayer* const p = teamPlayer(this, i);
    if (p == nullptr || lengths == nullptr || queues == nullptr || i < 0 || i >= kOnPitch ||
        !lengths->inBounds(i) || (i + 1) * kQueueInts > queues->length) {
        return;
    }
    const jint length = (*lengths)[i];
    const jint at = i * kQueueInts;
    if (length <= 0 || ((*queues)[at] != kNone && !p->isReadyForOrder())) {
        return;
    }
    for (jint k = at; k < at + kQueueInts - kEntryInts; ++k) {
        (*queues)[k] = (*queues)[k + kEntryInts];
    }
    (*lengths)[i] = length - 1;
    if (length - 1 > 0) {
        startCommand(i);
    }
}

} // namespace game::match
