// The match objects: a new player's and team's defaults and arrays, every reference field of
// Actor, CPlayer and CTeam kept alive by the collector through the object alone, the teams and
// actors the start-up loading builds, and what the framework and the widgets read of them through
// their services' defaults.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/core/services/MatchPanelServices.h"
#include "game/core/services/MatchServices.h"
#include "game/core/services/WidgetServices.h"
#include "game/match/CPlayer.h"
#include "game/sprites/loading/StartupLoading.h"
#include "runtime/Collector.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/runtime/CollectorTestSupport.h"

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
    static CTeam* team(const jint side) { return match::matchTeam(side); }
    static CPlayer* player(const jint side, const jint slot) { return match::teamPlayer(team(side), slot); }
    static match::Actor* actor(const jint i) {
        return static_cast<match::Actor*>((*statics()->matchActors)[i]);
    }
};

// Builds the match teams and actors and keeps, hidden from the stack scan, a player of each team,
// a touchline figure and the second team.
[[gnu::noinline]] void buildMatchGraph(std::uintptr_t hidden[4]) {
    sprites::createMatchActors();
    GameStatics* s = statics();
    hidden[0] = runtime::gctest::hide(match::teamPlayer(match::matchTeam(0), 5));
    hidden[1] = runtime::gctest::hide(match::teamPlayer(match::matchTeam(1), 17));
    hidden[2] = runtime::gctest::hide((*s->sidelineActors)[1]);
    hidden[3] = runtime::gctest::hide(match::matchTeam(1));
    // Only matchTeams and matchActors keep the graph.
    s->firstTeam = nullptr;
    s->secondTeam = nullptr;
    s->ball = nullptr;
    s->sidelineActors = nullptr;
    s->sortedActors = nullptr;
    for (auto* held : {&s->flagActor, &s->netActorA, &s->netActorB, &s->bannerActor, &s->boardActor,
                       &s->benchActorA, &s->benchActorB, &s->arrowActorH, &s->arrowActorV}) {
        *held = nullptr;
    }
}

// Whether the kept objects are still the graph's: the players' teams and places.
[[gnu::noinline]] bool graphIntact(const std::uintptr_t hidden[4]) {
    auto* away = static_cast<CTeam*>(runtime::gctest::reveal(hidden[3]));
    auto* last = static_cast<CPlayer*>(runtime::gctest::reveal(hidden[1]));
    return last->team == away && away == match::matchTeam(1) && last->opponents == match::matchTeam(0) &&
           match::teamPlayer(match::matchTeam(0), 5) == runtime::gctest::reveal(hidden[0]) &&
           (*statics()->matchActors)[38] == runtime::gctest::reveal(hidden[2]);
}

[[gnu::noinline]] void dropMatchGraph() {
    statics()->matchTeams = nullptr;
    statics()->matchActors = nullptr;
}

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
    ASSERT_NE(team->players, nullptr);
    EXPECT_EQ(team->players->length, CTeam::kPlayers);
    for (jint i = 0; i < CTeam::kPlayers; ++i) {
        EXPECT_EQ((*team->players)[i], nullptr) << "the loading puts the players in, " << i;
    }
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

TEST_F(MatchObjectsTest, TheLoadingPutsEighteenPlayersIntoEachTeamAndMakesTheFiguresPlayers) {
    sprites::createMatchActors();
    GameStatics* s = statics();
    EXPECT_EQ(s->matchActorCount, 48);
    for (jint i = 0; i < 48; ++i) {
        ASSERT_NE(actor(i), nullptr) << i;
        EXPECT_EQ(actor(i)->actorIndex, i);
    }
    for (jint side = 0; side < 2; ++side) {
        CTeam* t = team(side);
        EXPECT_EQ(t->teamIndex, side);
        EXPECT_EQ(t->opponent, team(1 - side));
        EXPECT_EQ(t->goalkeeper, player(side, 0));
        EXPECT_EQ(player(side, 0), actor(1 + side)) << "the keepers come right after the ball";
        EXPECT_EQ(player(side, 0)->kind, 1);
        EXPECT_EQ(player(side, 0)->task, 14);
        for (jint slot = 0; slot < 18; ++slot) {
            CPlayer* p = player(side, slot);
            ASSERT_NE(p, nullptr) << side << " " << slot;
            EXPECT_EQ(p->team, t);
            EXPECT_EQ(p->opponents, team(1 - side));
            EXPECT_EQ(p->slot, slot);
            EXPECT_EQ(p->placement, 0);
            if (slot > 0) {
                EXPECT_EQ(p, actor(3 + side * 17 + slot - 1)) << "outfield players in creation order";
                EXPECT_EQ(p->kind, 0);
            }
        }
    }
    for (jint side = 0; side < 2; ++side) {
        auto* figure = static_cast<match::Actor*>((*s->sidelineActors)[side]);
        EXPECT_EQ(figure->classId, runtime::kCPlayer);
        EXPECT_EQ(static_cast<CPlayer*>(figure)->team, nullptr) << "no team slot";
        EXPECT_EQ(figure->anim, 83);
        EXPECT_EQ(figure, actor(37 + side));
    }
}

TEST_F(MatchObjectsTest, CreateActorKeepsAnActorItCannotStore) {
    statics()->matchActors = runtime::newObjectArray(2, runtime::kActor);
    const jint box[] = {-4, -30, 4, 0};
    match::Actor* stored = sprites::createActor(1, 1, 1, 7, 0, box);
    EXPECT_EQ((*statics()->matchActors)[1], stored);
    EXPECT_EQ(stored->boxTop, -30);
    EXPECT_EQ(stored->anim, 7);
    clearLog();
    match::Actor* outside = sprites::createActor(0, 2, 4, 3, 2, nullptr);
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->actorIndex, 2);
    EXPECT_EQ(outside->placement, 2);
    EXPECT_TRUE(logged("createActor: no place 2 in matchActors; the actor is not stored"));
    EXPECT_NE(sprites::createActor(0, -1, 4, 3, 2, nullptr), nullptr);
    statics()->matchActors = nullptr;
    EXPECT_NE(sprites::createActor(0, 0, 2, 0, 0, nullptr), nullptr);
    EXPECT_EQ(logLines().size(), 3u);
}

TEST_F(MatchObjectsTest, TheGraphHeldOnlyByTheMatchTeamsAndActorsLivesExactlyAsLongAsThey) {
    // The graph is built while the collector collects and compacts at every allocation; the
    // objects' lives are then checked with collections of its own.
    const bool stress = runtime::gcStress();
    runtime::setGcStress(true);
    runtime::ObjectManager* manager = application.getObjectManager();
    std::uintptr_t hidden[4] = {};
    buildMatchGraph(hidden);
    runtime::setGcStress(false);
    runtime::clearDeadStack();
    manager->gc(0);
    manager->gc(0);
    for (const std::uintptr_t object : hidden) {
        EXPECT_TRUE(runtime::gctest::isListed(manager, object));
    }
    EXPECT_TRUE(graphIntact(hidden));
    dropMatchGraph();
    runtime::clearDeadStack();
    manager->gc(0);
    for (const std::uintptr_t object : hidden) {
        EXPECT_FALSE(runtime::gctest::isListed(manager, object));
    }
    runtime::setGcStress(stress);
}

TEST_F(MatchObjectsTest, TheFormationBoardThePanelAndTheFrameReadTheModelThroughTheirDefaults) {
    sprites::createMatchActors();
    GameStatics* s = statics();
    core::WidgetServices& board = core::widgetServices();
    CPlayer* p = player(1, 7);
    p->formationSlot = 12;
    p->homeCellX = 2;
    p->homeCellY = -3;
    p->fatigue = 64;
    p->bookings = 2;
    player(1, 4)->formationSlot = 2; // row 0 has a centre player: its columns keep 4-cell steps
    EXPECT_EQ(board.formationPlayerCount(1), 11);
    EXPECT_EQ(board.formationSlot(1, 7), 12);
    jint fx = 9;
    jint fy = 9;
    board.formationPoint(1, 7, fx, fy);
    EXPECT_EQ(fx, 2);
    EXPECT_EQ(fy, -3);
    board.slotToFormationPoint(1, 1, fx, fy);
    EXPECT_EQ(fx, -10);
    EXPECT_EQ(fy, -4);
    board.slotToFormationPoint(1, 6, fx, fy);
    EXPECT_EQ(fy, -3) << "row 1 has no centre player";
    s->matchLiveFlag = 0;
    EXPECT_EQ(board.matchCondition(1, 7), -1) << "outside a live match";
    s->matchLiveFlag = 1;
    EXPECT_EQ(board.matchCondition(1, 7), 64);
    EXPECT_EQ(board.matchStatus(1, 7), 2);
    // A missing team or player gives the neutral answers.
    EXPECT_EQ(board.formationPlayerCount(2), 0);
    EXPECT_EQ(board.formationSlot(1, 18), -1);
    board.formationPoint(2, 0, fx, fy);
    EXPECT_EQ(fx + fy, 0);
    board.slotToFormationPoint(-1, 12, fx, fy);
    EXPECT_EQ(fx + fy, 0);
    EXPECT_EQ(board.matchCondition(0, 30), -1);
    EXPECT_EQ(board.matchStatus(0, 30), 0);
    // The preferred-position markers' squad entry: the line-up's, plus 30 for team 1.
    s->lineup = nullptr;
    EXPECT_EQ(board.squadEntryIndex(1, 7), -1) << "no line-up";
    s->lineup = runtime::newObjectArray(2);
    for (jint t = 0; t < 2; ++t) {
        runtime::ByteArray* row = runtime::newByteArray(30);
        (*s->lineup)[t] = row;
        (*row)[7] = static_cast<runtime::jbyte>(20 + t);
    }
    EXPECT_EQ(board.squadEntryIndex(1, 7), 51);
    EXPECT_EQ(board.squadEntryIndex(0, 7), 20);
    EXPECT_EQ(board.squadEntryIndex(2, 7), -1) << "no team";
    EXPECT_EQ(board.squadEntryIndex(1, 18), -1) << "no player";
    // The default event operation reaches the player.
    core::matchServices().applyEvent(player(1, 7), -3);
    EXPECT_EQ(player(1, 7)->formLevel, 7);
    EXPECT_EQ(player(1, 7)->eventState, 7);
    team(0)->players = nullptr;
    EXPECT_EQ(board.formationPlayerCount(0), 0);
    EXPECT_EQ(board.squadEntryIndex(0, 7), -1) << "no player array";

    team(1)->goals = 3;
    EXPECT_EQ(core::matchPanelServices().teamGoals(team(1)), 3);
    EXPECT_EQ(core::matchPanelServices().teamGoals(nullptr), 0);
    // The frame's state test on actor 0, the ball: its placement.
    s->ball->placement = 3;
    EXPECT_EQ(core::matchServices().actorState(s->ball), 3);
    EXPECT_EQ(core::matchServices().actorState(player(1, 3)), 0);
    EXPECT_EQ(core::matchServices().actorState(s->matchTeams), 0) << "not an actor";
}

} // namespace
} // namespace game::testing
