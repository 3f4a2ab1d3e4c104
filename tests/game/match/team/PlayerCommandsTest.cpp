// The player commands: every MOVE rule in its order, the keeper's penalty redirect, each command
// kind's request on the player, the kinds that do nothing, and the queue's retire and refusal.
#include <gtest/gtest.h>

#include "game/match/StandIns.h"
#include "tests/game/support/FormationFixture.h"

namespace game::testing {
namespace {

constexpr jint kQueue = 16;

class PlayerCommandsTest : public FormationFixture {
protected:
    void SetUp() override {
        FormationFixture::SetUp();
        statics()->matchPhase = 0;
    }

    // A player standing at (0, 0) facing +x (also his default), ready for his next order.
    static CPlayer* readyPlayer(const jint side, const jint i) {
        CPlayer* p = player(side, i);
        p->outOfPlay = 0;
        p->x = 0;
        p->y = 0;
        p->direction = 2;
        p->wantedDirection = 2;
        p->defaultDirection = 2;
        p->order = 0;
        p->action = 0;
        p->animLoops = 1;
        p->unfit = 0;
        p->hasBall = 0;
        p->controlled = 0;
        return p;
    }

    // Queues one command into player i's emptied queue and retires the placeholder, which starts it.
    static void command(CTeam* t, const jint i, const jint kind, const jint a, const jint b, const jint c) {
        t->clearCommandQueues();
        t->queueCommand(i, kind, a, b, c);
        t->retireCommand(i);
    }

    static jint queueInt(const CTeam* t, const jint k) { return (*t->commandQueues)[k]; }
};

TEST_F(PlayerCommandsTest, MoveTakesTheFirstRuleThatAppliesInItsOrder) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    struct Case {
        const char* what;
        jint slot, phase, runActive, task, restartRun, receiver, rush, possession, roleCode, c;
        bool walks, hurries, ready;
    };
    const Case cases[] = {
        {"keeper walks in open play", 0, 0, 0, 0, 0, 0, 0, -1, 5, 1, true, false, false},
        {"keeper runs in phase 9", 0, 9, 0, 0, 0, 0, 0, -1, 5, 1, false, true, false},
        {"keeper runs in phase 17", 0, 17, 0, 0, 0, 0, 0, -1, 5, -1, false, false, false},
        {"a run in force skips the receiver's rush", 5, 0, 1, 1, 0, 1, 1, 1, 3, -1, false, false, false},
        {"a run in force with a pace", 5, 0, 1, 1, 0, 1, 0, 1, 3, 1, false, true, false},
        {"the restart run hurries", 5, 0, 0, 5, 1, 0, 0, -1, 3, -1, false, true, false},
        {"task 5 without the restart run", 5, 0, 0, 5, 0, 0, 0, -1, 3, -1, false, false, false},
        {"the receiver rushes by his own flag", 5, 0, 0, 1, 0, 1, 1, 1, 3, -1, false, true, false},
        {"the receiver without his flag ignores c", 5, 0, 0, 1, 0, 1, 0, 1, 3, 1, false, false, false},
        {"a closing-down defender is made ready", 5, 0, 0, 7, 0, 0, 0, -1, 2, -1, false, false, true},
        {"a marker with role code 9", 5, 0, 0, 8, 0, 0, 0, -1, 9, 0, false, true, true},
        {"role code 10 is not made ready", 5, 0, 0, 7, 0, 0, 0, -1, 10, -1, false, false, false},
        {"role code 1 is not made ready", 5, 0, 0, 0, 0, 0, 0, -1, 1, -1, false, false, false},
        {"not ready outside open play", 5, 3, 0, 0, 0, 0, 0, -1, 4, -1, false, false, false},
        {"the team's carrier on the ball", 5, 0, 0, 1, 0, 0, 0, 1, 6, 0, false, true, true},
        {"a defender with the ball is not", 5, 0, 0, 7, 0, 0, 0, 1, 6, 1, false, true, false},
        {"c 0 runs like c 1", 5, 0, 0, 3, 0, 0, 0, 1, 6, 0, false, true, false},
        {"c 1", 5, 0, 0, 3, 0, 0, 0, 1, 6, 1, false, true, false},
        {"only c -1 keeps the default pace", 5, 0, 0, 3, 0, 0, 0, 1, 6, -1, false, false, false},
    };
    for (const Case& c : cases) {
        CPlayer* p = readyPlayer(0, c.slot);
        s->matchPhase = c.phase;
        t->runActive = static_cast<jbyte>(c.runActive);
        t->restartRunFlag = static_cast<jbyte>(c.restartRun);
        t->possession = c.possession;
        p->task = c.task;
        p->rushFlag = static_cast<runtime::jboolean>(c.rush);
        p->roleCode = c.roleCode;
        p->readyFlag = 0;
        p->paceKind = 9; // only a run sets it
        p->forcedRun = 0;
        s->receivingPlayer = c.receiver != 0 ? p : nullptr;
        command(t, c.slot, 1, 8192, 0, c.c);
        EXPECT_EQ(p->order, 1) << c.what;
        EXPECT_EQ(p->targetX, 8192) << c.what;
        EXPECT_EQ(p->paceKind == 9, c.walks) << c.what;
        EXPECT_EQ(p->forcedRun != 0, c.hurries) << c.what;
        EXPECT_EQ(p->readyFlag != 0, c.ready) << c.what;
    }
}

TEST_F(PlayerCommandsTest, InAPenaltyTheKeeperGoesToHisOwnGoalLineCentre) {
    GameStatics* s = statics();
    s->matchPhase = 8;
    for (const jint side : {0, 1}) {
        CPlayer* keeper = readyPlayer(side, 0);
        command(team(side), 0, 1, 40960, 30000, -1);
        EXPECT_EQ(keeper->targetX, side == 0 ? -135168 : 135168) << side;
        EXPECT_EQ(keeper->targetY, 0) << side;
        CPlayer* other = readyPlayer(side, 5);
        command(team(side), 5, 1, 40960, 30000, -1);
        EXPECT_EQ(other->targetX, 40960) << "only the keeper is redirected";
        // Other kinds keep their point.
        command(team(side), 0, 10, 40960, 30000, -1);
        EXPECT_EQ(keeper->followUpX, 40960);
    }
}

TEST_F(PlayerCommandsTest, EachKindStartsItsRequest) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    s->matchPhase = 3; // no pass lead
    CPlayer* p = readyPlayer(0, 6);

    command(t, 6, 2, 30000, -2000, 0);
    EXPECT_EQ(p->order, 2);
    EXPECT_EQ(p->targetX, 30000);
    EXPECT_EQ(p->targetY, -2000);

    p = readyPlayer(0, 6);
    command(t, 6, 3, 50000, 7000, 0);
    EXPECT_EQ(p->order, 3);
    EXPECT_EQ(p->targetX, 50000);
    EXPECT_EQ(p->targetY, 7000);
    EXPECT_EQ(p->orderMode, 5120);

    // A shot: the player's own request picks a shot (4) or, with no window, a ball to the wing (3).
    p = readyPlayer(0, 6);
    p->order = 0;
    command(t, 6, 4, 0, 0, 9000);
    EXPECT_TRUE(p->order == 4 || p->order == 3) << p->order;

    p = readyPlayer(0, 6);
    p->firstActionFlag = 1;
    command(t, 6, 5, 0, 0, 7);
    EXPECT_EQ(p->order, 13);
    EXPECT_EQ(p->orderMode, 7);
    EXPECT_EQ(p->secondActionFlag, 1);
    EXPECT_EQ(p->firstActionFlag, 0);

    // FACE: -1 on a player already facing his default direction leaves him (and his order) alone.
    p = readyPlayer(0, 6);
    p->order = 9;
    command(t, 6, 6, 0, 0, -1);
    EXPECT_EQ(p->order, 9);
    EXPECT_EQ(p->wantedDirection, 2);
    p->direction = 3;
    p->wantedDirection = 3;
    command(t, 6, 6, 0, 0, -1);
    EXPECT_EQ(p->wantedDirection, 2) << "turns to the default direction";
    EXPECT_EQ(p->order, 0);
    p->order = 9;
    command(t, 6, 6, 0, 0, 3);
    EXPECT_EQ(p->order, 9) << "already facing 3";
    command(t, 6, 6, 0, 0, 6);
    EXPECT_EQ(p->wantedDirection, 6);

    // Tackles: not while the opposing keeper holds the ball in his hands (action 8); a keeper
    // holding it hidden stops the tackler.
    struct Tackle {
        jint kind, keeperAction;
        runtime::jboolean holds;
        jint order;
    };
    for (const Tackle& c : {Tackle{7, 0, 0, 5}, Tackle{8, 0, 0, 6}, Tackle{7, 8, 0, 9}, Tackle{8, 8, 0, 9},
                            Tackle{7, 0, 1, 0}, Tackle{8, 8, 1, 0}}) {
        p = readyPlayer(0, 6);
        p->order = 9;
        player(1, 0)->action = c.keeperAction;
        s->keeperHoldsBall = c.holds;
        command(t, 6, c.kind, 0, 0, 0);
        EXPECT_EQ(p->order, c.order) << c.kind << " " << c.keeperAction << " " << int(c.holds);
    }
    s->keeperHoldsBall = 0;

    p = readyPlayer(0, 6);
    s->firstAttacker[0] = p;
    command(t, 6, 9, -8192, 8192, 0);
    EXPECT_EQ(p->followUp, -1);
    EXPECT_EQ(p->followUpDirection, 5) << "towards (-x, +y)";
    EXPECT_EQ(s->firstAttacker[0].get(), nullptr);

    command(t, 6, 10, 1234, -5678, 0);
    EXPECT_EQ(p->followUp, 2);
    EXPECT_EQ(p->followUpX, 1234);
    EXPECT_EQ(p->followUpY, -5678);
    command(t, 6, 11, 0, 0, 0);
    EXPECT_EQ(p->followUp, 4);

    s->matchTicks = 100;
    command(t, 6, 12, 0, 0, 30);
    EXPECT_EQ(p->orderEndTime, 130);

    s->ball->x = 135168;
    p->order = 9;
    command(t, 6, 100, 0, 0, 0);
    EXPECT_EQ(p->order, 7);
    s->ball->x = 135169;
    p->order = 9;
    command(t, 6, 100, 0, 0, 0);
    EXPECT_EQ(p->order, 9) << "the ball is over the line";

    command(t, 6, 200, 4000, 5000, 5);
    EXPECT_EQ(p->order, 11);
    EXPECT_EQ(p->targetX, 4000);
    EXPECT_EQ(p->targetY, 5000);
    EXPECT_EQ(p->orderMode, 5);
}

TEST_F(PlayerCommandsTest, EndAndKindsOutsideTheTableChangeNothing) {
    CTeam* t = team(0);
    for (const jint kind : {13, 0, 14, 99, 101, 150, 199, 201, -5}) {
        CPlayer* p = readyPlayer(0, 4);
        p->order = 9;
        p->orderMode = 9;
        p->targetX = 9;
        p->followUp = 9;
        p->wantedDirection = 6;
        command(t, 4, kind, 100, 200, 3);
        EXPECT_EQ(p->order, 9) << kind;
        EXPECT_EQ(p->orderMode, 9) << kind;
        EXPECT_EQ(p->targetX, 9) << kind;
        EXPECT_EQ(p->followUp, 9) << kind;
        EXPECT_EQ(p->wantedDirection, 6) << kind;
        EXPECT_EQ((*t->queueLengths)[4], 1) << "the command holds entry 0";
    }
}

TEST_F(PlayerCommandsTest, TheQueueRetiresFinishedCommandsAndRefusesAFourthWaitingOne) {
    CTeam* t = team(0);
    CPlayer* p = readyPlayer(0, 3);
    constexpr jint base = 3 * kQueue;
    t->clearCommandQueues();
    t->queueCommand(3, 10, 11, 12, 13);
    EXPECT_EQ(queueInt(t, base), -1) << "the empty queue's placeholder";
    EXPECT_EQ((*t->queueLengths)[3], 2);
    t->queueCommand(3, 10, 21, 22, 23);
    t->queueCommand(3, 10, 31, 32, 33);
    t->retireCommand(3);
    EXPECT_EQ((*t->queueLengths)[3], 3);
    EXPECT_EQ(queueInt(t, base + 1), 11);
    EXPECT_EQ(p->followUpX, 11) << "the first command started";
    t->queueCommand(3, 10, 41, 42, 43);
    t->queueCommand(3, 10, 51, 52, 53); // a fourth waiting entry
    EXPECT_EQ((*t->queueLengths)[3], 4);
    EXPECT_EQ(queueInt(t, base + 12 + 1), 41) << "the refused push left the queue as it was";
    EXPECT_EQ(queueInt(t, base + 16), 0) << "the next player's queue is untouched";

    p->order = 1; // not arrived: still busy
    p->arrived = 0;
    t->retireCommand(3);
    EXPECT_EQ((*t->queueLengths)[3], 4);
    EXPECT_EQ(p->followUpX, 11);

    p->order = 0;
    t->retireCommand(3);
    EXPECT_EQ((*t->queueLengths)[3], 3);
    const jint moved[] = {10, 21, 22, 23, 10, 31, 32, 33, 10, 41, 42, 43};
    for (jint k = 0; k < 12; ++k) {
        EXPECT_EQ(queueInt(t, base + k), moved[k]) << "twelve ints copied down: " << k;
    }
    EXPECT_EQ(p->followUpX, 21);
    t->retireCommand(3);
    t->retireCommand(3);
    EXPECT_EQ(p->followUpX, 41);
    t->retireCommand(3);
    EXPECT_EQ((*t->queueLengths)[3], 0);
    p->followUpX = 0;
    t->retireCommand(3);
    EXPECT_EQ((*t->queueLengths)[3], 0) << "an empty queue stays empty";
    EXPECT_EQ(p->followUpX, 0);
}

} // namespace
} // namespace game::testing
