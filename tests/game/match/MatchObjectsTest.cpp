// The match objects: a new player's and team's defaults and arrays, and every reference field of
// Actor, CPlayer and CTeam kept alive by the collector through the object alone.
#include <gtest/gtest.h>

#include "game/match/CPlayer.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {
using namespace game::match;

namespace {

using match::CPlayer;
using match::CTeam;
using runtime::jint;

class MatchObjectsTest : public GameResourceFixture {
protected:
    static void collectWithGarbage() {
        for (int i = 0; i < 3; ++i) {
            runtime::newByteArray(4096);
            runtime::System::gc();
        }
    }
};

TEST_F(MatchObjectsTest, NewPlayerIsHiddenLoopingWithItsDefaultsAndArrays) {
    CPlayer* player = runtime::newObject<CPlayer>();
    EXPECT_EQ(player->classId, runtime::kCPlayer);
    EXPECT_EQ(player->placement, CPlayer::kPlacementHidden);
    EXPECT_EQ(player->animLoops, 1);
    EXPECT_EQ(player->direction, 0);
    EXPECT_EQ(player->team, nullptr);
    const jint ones[] = {player->runStyle,          player->styleSetting,     player->shiftInstruction,
                         player->advanceSetting,    player->shootInstruction, player->throughBallInstruction,
                         player->dribbleInstruction};
    for (const jint value : ones) {
        EXPECT_EQ(value, 1);
    }
    EXPECT_EQ(player->instruction3, 0);
    EXPECT_EQ(player->assignment, -1);
    EXPECT_EQ(player->followUpDirection, -1);
    EXPECT_EQ(player->lastFollowMode, -1);
    EXPECT_EQ(player->cellLogicInt, -1);
    EXPECT_EQ(player->stepTable->length, CPlayer::kStepTableLength);
    EXPECT_EQ(player->pairA->length, CPlayer::kPairLength);
    EXPECT_EQ(player->pairB->length, CPlayer::kPairLength);
    EXPECT_EQ(player->trail->length, CPlayer::kTrailLength);
    EXPECT_NE(player->pairA, player->pairB);
}

TEST_F(MatchObjectsTest, PlainActorHasOnlyItsOwnDefaults) {
    match::Actor* actor = runtime::newObject<match::Actor>();
    EXPECT_EQ(actor->classId, runtime::kActor);
    EXPECT_EQ(actor->placement, 0);
    EXPECT_EQ(actor->animLoops, 0);
    const jint box[] = {-5, -40, 6, 2};
    actor->setBox(box);
    EXPECT_EQ(actor->boxLeft, -5);
    EXPECT_EQ(actor->boxTop, -40);
    EXPECT_EQ(actor->boxRight, 6);
    EXPECT_EQ(actor->boxBottom, 2);
    actor->setBox(nullptr);
    EXPECT_EQ(actor->boxLeft + actor->boxTop + actor->boxRight + actor->boxBottom, 0);
}

TEST_F(MatchObjectsTest, NewTeamHasItsDefaultsArraysAndDecisionWeights) {
    CTeam* team = runtime::newObject<CTeam>();
    EXPECT_EQ(team->classId, runtime::kCTeam);
    struct Default {
        const char* name;
        jint value, expected;
    };
    const Default defaults[] = {
        {"possession", team->possession, -1},
        {"runStepBudget", team->runStepBudget, -1},
        {"tactic4", team->tactic4, 1},
        {"tactic1", team->tactic1, 1},
        {"tactic7", team->tactic7, 1},
        {"markEndB", team->markEndB, 1},
        {"dribbleCounter", team->dribbleCounter, 5},
        {"mentalityInUse", team->mentalityInUse, 2},
        {"mentality", team->mentality, 2},
        {"defensiveSetting", team->defensiveSetting, 5},
        {"attackingSetting", team->attackingSetting, 5},
        {"teamIntH", team->teamIntH, 110},
        {"goals", team->goals, 0},
        {"roleSlotA", team->roleSlotA, 0},
    };
    for (const Default& d : defaults) {
        EXPECT_EQ(d.value, d.expected) << d.name;
    }
    EXPECT_EQ(team->players, nullptr);
    EXPECT_EQ(team->table19->length, 19);
    EXPECT_EQ(team->zoneGrid->length, 693);
    EXPECT_EQ(team->zoneBoxes->length, 44);
    EXPECT_EQ(team->newOrders->length, 11);
    EXPECT_EQ(team->intPerPlayer->length, 11);
    EXPECT_EQ(team->flagPerPlayer->length, 11);
    EXPECT_EQ(team->table20->length, 20);
    EXPECT_EQ(team->flags8a->length + team->flags8b->length + team->flags8c->length, 24);
    EXPECT_EQ(team->table8->length, 8);
    EXPECT_EQ(team->commandQueues->length, 176);
    EXPECT_EQ(team->queueLengths->length, 11);
    ASSERT_EQ(team->decisionWeights->length, 7);
    auto weight = [&](jint row, jint column) {
        return (*static_cast<runtime::IntArray*>((*team->decisionWeights)[row]))[column];
    };
    EXPECT_EQ(weight(0, 6), 600);
    EXPECT_EQ(weight(2, 3), 600);
    EXPECT_EQ(weight(4, 7), 230);
    EXPECT_EQ(weight(6, 0), 10);
}

TEST_F(MatchObjectsTest, EveryReferenceFieldSurvivesCollectionThroughItsObject) {
    CTeam* team = runtime::newObject<CTeam>();
    team->opponent = runtime::newObject<CTeam>();
    team->players = runtime::newObjectArray(CTeam::kPlayers, runtime::kCPlayer);
    CPlayer* keeper = runtime::newObject<CPlayer>();
    (*team->players)[0] = keeper;
    team->goalkeeper = keeper;
    team->keyPlayer = runtime::newObject<CPlayer>();
    keeper->team = team;
    keeper->opponents = team->opponent;
    (*keeper->trail)[31] = 7;
    (*keeper->stepTable)[5] = 9;
    (*keeper->pairB)[1] = 4;
    (*team->commandQueues)[175] = 3;
    (*team->zoneGrid)[692] = 2;
    (*team->flags8c)[7] = 1;
    team->keyPlayer->slot = 12;
    team->opponent->teamIndex = 1;
    keeper = nullptr;
    collectWithGarbage();
    CPlayer* kept = static_cast<CPlayer*>((*team->players)[0]);
    ASSERT_EQ(kept, team->goalkeeper);
    EXPECT_EQ(kept->team, team);
    EXPECT_EQ(kept->opponents->teamIndex, 1);
    EXPECT_EQ((*kept->trail)[31], 7);
    EXPECT_EQ((*kept->stepTable)[5], 9);
    EXPECT_EQ((*kept->pairB)[1], 4);
    EXPECT_EQ((*team->commandQueues)[175], 3);
    EXPECT_EQ((*team->zoneGrid)[692], 2);
    EXPECT_EQ((*team->flags8c)[7], 1);
    EXPECT_EQ(team->keyPlayer->slot, 12);
    EXPECT_EQ(team->queueLengths->length, 11);
}

} // namespace
} // namespace game::testing
