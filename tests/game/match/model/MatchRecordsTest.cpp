// Possession and the player predicates, the goal records, the end of a match and of a tie, the
// camera requests, the kit colours, placing the players and the resets, on two teams of 18.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/match/model/MatchRecords.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

class MatchRecordsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        GameStatics* s = statics();
        s->ball = runtime::newObject<match::Actor>();
        s->goalRecords = runtime::newByteArray(126); // one record more than the match keeps
        team(0)->sideFlag = 1;
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
    }
    static std::array<jint, 6> goalRecord(const jint n) {
        std::array<jint, 6> bytes{};
        for (jint b = 0; b < 6; ++b) {
            bytes[b] = (*statics()->goalRecords)[n * 6 + b] & 0xFF;
        }
        return bytes;
    }
    // Team t scores in minute:second of period; the holder scores, assist passes.
    static void score(const jint t, const jint period, const jint minute, const jint second, CPlayer* holder,
                      CPlayer* assist = nullptr) {
        GameStatics* s = statics();
        s->matchPeriod = period;
        s->clockMinute = minute;
        s->clockSecond = second;
        s->ballHolder = holder;
        s->assistPlayer = assist;
        team(t)->goals += 1;
        match::recordGoal(t);
    }
};

TEST_F(MatchRecordsTest, DroppingTheBall) {
    GameStatics* s = statics();
    CPlayer* keeper = player(1, 0);
    s->ballHolder = keeper;
    keeper->hasBall = 1;
    s->receivingPlayer = player(0, 4);
    s->lastTouchSlot = 7;
    s->ballHiddenB = 1;
    s->keeperHoldsBall = 1;
    s->touchTicks = 9;
    s->carrierMode = 2;
    s->lastOutfieldCarrier = player(0, 8);
    keeper->dropPossession();
    EXPECT_EQ(s->lastTouchSlot, -1);
    EXPECT_EQ(s->ballHiddenB, 0);
    EXPECT_EQ(s->keeperHoldsBall, 0);
    EXPECT_EQ(s->lastOutfieldCarrier.get(), player(0, 8)); // a keeper is no outfield carrier
    EXPECT_EQ(keeper->hasBall, 0);
    EXPECT_EQ(s->lastTouchPlayer.get(), keeper);
    EXPECT_EQ(s->ballHolder.get(), nullptr);
    EXPECT_EQ(s->receivingPlayer.get(), nullptr);
    EXPECT_EQ(s->touchTicks, 0);
    EXPECT_EQ(s->carrierMode, 0);
    // An outfield player who is not the holder leaves the holder's markers alone.
    s->ballHolder = player(0, 6);
    s->lastTouchSlot = 7;
    s->keeperHoldsBall = 1;
    player(0, 9)->dropPossession();
    EXPECT_EQ(s->lastTouchSlot, 7);
    EXPECT_EQ(s->keeperHoldsBall, 1);
    EXPECT_EQ(s->lastOutfieldCarrier.get(), player(0, 6));
    EXPECT_EQ(s->lastTouchPlayer.get(), player(0, 6));
}

TEST_F(MatchRecordsTest, AttacksAndSupport) {
    GameStatics* s = statics();
    for (const jint side : {0, 1}) {
        CPlayer* p = player(side, 7);
        p->x = 12345;
        p->startAttack();
        EXPECT_EQ(s->firstAttacker[side].get(), p);
        EXPECT_EQ(s->attackStartX[side], 12345);
        EXPECT_EQ(p->attackMark, 1);
        EXPECT_EQ(p->order, 1);
        EXPECT_EQ(p->action, 1);
        EXPECT_EQ(p->animFinished, 1);
        EXPECT_EQ(p->direction, side == 0 ? 2 : 6);
        EXPECT_EQ(p->wantedDirection, p->direction);
        p->clearAttack(5);
        EXPECT_EQ(p->followUp, -1);
        EXPECT_EQ(p->followUpDirection, 5);
        EXPECT_EQ(s->firstAttacker[side].get(), nullptr);
    }
    CPlayer* p = player(0, 3);
    p->isFree = 1;
    p->updateSupportSign();
    EXPECT_EQ(p->supportSign, 1);
    s->receivingPlayer = player(1, 2);
    p->updateSupportSign();
    EXPECT_EQ(p->supportSign, -1);
    s->receivingPlayer = nullptr;
    s->ballHolder = player(1, 2);
    p->updateSupportSign();
    EXPECT_EQ(p->supportSign, -1);
    s->ballHolder = nullptr;
    p->isFree = 0;
    p->updateSupportSign();
    EXPECT_EQ(p->supportSign, -1);
}

TEST_F(MatchRecordsTest, TheKeeperHoldsTheBall) {
    GameStatics* s = statics();
    CPlayer* keeper = player(1, 0);
    s->lastTouchPlayer = keeper;
    for (const jint state : {109, 110}) {
        keeper->state = state;
        EXPECT_TRUE(match::isBallHeldByKeeper()) << state;
    }
    keeper->state = 108;
    EXPECT_FALSE(match::isBallHeldByKeeper());
    keeper->state = 109;
    s->keeperRelease = 1;
    EXPECT_FALSE(match::isBallHeldByKeeper());
    s->keeperRelease = 0;
    s->ballHolder = keeper;
    EXPECT_FALSE(match::isBallHeldByKeeper());
    s->ballHolder = nullptr;
    s->lastTouchPlayer = player(1, 4);
    player(1, 4)->state = 109;
    EXPECT_FALSE(match::isBallHeldByKeeper());
    s->lastTouchPlayer = nullptr;
    EXPECT_FALSE(match::isBallHeldByKeeper());
}

TEST_F(MatchRecordsTest, PlayerPredicates) {
    CPlayer* p = player(0, 4);
    p->instruction3 = 2;
    team(0)->teamInstruction = 0;
    EXPECT_EQ(p->effectiveInstruction3(), 2);
    p->instruction3 = 4;
    EXPECT_EQ(p->effectiveInstruction3(), 0);

    struct Case {
        const char* name;
        void (*change)(CPlayer*);
        bool ready;
    };
    const Case cases[] = {
        {"done", [](CPlayer*) {}, true},
        {"recovering", [](CPlayer* q) { q->action = 10; }, false},
        {"still turning", [](CPlayer* q) { q->wantedDirection = 3; }, false},
        {"under way", [](CPlayer* q) { q->order = 1; }, false},
        {"arrived",
         [](CPlayer* q) {
             q->order = 1;
             q->arrived = 1;
         },
         true},
        {"held until later", [](CPlayer* q) { q->orderEndTime = 5000000001LL; }, false},
        {"held until now", [](CPlayer* q) { q->orderEndTime = 5000000000LL; }, true},
        {"animating",
         [](CPlayer* q) {
             q->animFinished = 0;
             q->animLoops = 0;
         },
         false},
        {"looping", [](CPlayer* q) { q->animFinished = 0; }, true},
        {"an end command", [](CPlayer* q) { (*q->team->commandQueues)[4 * 16] = 13; }, false},
        {"an end command with the ball",
         [](CPlayer* q) {
             (*q->team->commandQueues)[4 * 16] = 13;
             q->hasBall = 1;
         },
         true},
        {"another command", [](CPlayer* q) { (*q->team->commandQueues)[4 * 16] = 12; }, true},
    };
    statics()->matchTicks = 5000000000LL;
    for (const Case& c : cases) {
        p->action = 1;
        p->direction = 2;
        p->wantedDirection = 2;
        p->order = 0;
        p->arrived = 0;
        p->orderEndTime = 0;
        p->animFinished = 1;
        p->animLoops = 1;
        p->hasBall = 0;
        (*team(0)->commandQueues)[4 * 16] = -1;
        c.change(p);
        EXPECT_EQ(p->isReadyForOrder(), c.ready) << c.name;
    }

    // The weighted blend: b for a defender or keeper (or, with nobody, when b >= a), else a.
    player(0, 2)->role = 1;
    player(0, 8)->role = 2;
    EXPECT_EQ(match::compareWeighted(player(0, 2), 10, 20, 5), 12);
    EXPECT_EQ(match::compareWeighted(player(0, 8), 10, 20, 5), 7);
    EXPECT_EQ(match::compareWeighted(nullptr, 10, 20, 5), 12);
    EXPECT_EQ(match::compareWeighted(nullptr, 30, 20, 5), 17);
    EXPECT_EQ(match::compareWeighted(nullptr, 20, 20, -1), 9);
}

TEST_F(MatchRecordsTest, GoalRecords) {
    GameStatics* s = statics();
    (*row(s->lineup, 0))[7] = 12;
    (*row(s->lineup, 1))[9] = 21;
    score(0, 1, 23, 41, player(0, 7), player(0, 3));
    EXPECT_EQ(goalRecord(0), (std::array<jint, 6>{0, 12, 0, 23, 41, 3}));
    EXPECT_EQ(s->lastEventPlayer.get(), player(0, 7));
    // Added time counts at the period's end: 47:10 of the first half is 45:00.
    score(1, 1, 47, 10, player(1, 9), player(1, 9));
    EXPECT_EQ(goalRecord(1), (std::array<jint, 6>{1, 21, 1, 45, 0, 255}));
    score(0, 2, 90, 30, player(0, 7));
    EXPECT_EQ(goalRecord(2), (std::array<jint, 6>{0, 12, 0, 90, 0, 255}));
    score(0, 2, 89, 59, player(0, 7));
    EXPECT_EQ(goalRecord(3), (std::array<jint, 6>{0, 12, 0, 89, 59, 255}));
    // Extra time counts on from 90.
    score(0, 3, 5, 12, player(0, 7));
    EXPECT_EQ(goalRecord(4), (std::array<jint, 6>{0, 12, 0, 95, 12, 255}));
    score(0, 4, 31, 12, player(0, 7));
    EXPECT_EQ(goalRecord(5), (std::array<jint, 6>{0, 12, 0, 120, 0, 255}));
    // In a shoot-out the kicker scores, at minute 255.
    s->restartActor = player(1, 9);
    score(1, 5, 0, 7, player(0, 7));
    EXPECT_EQ(goalRecord(6), (std::array<jint, 6>{1, 21, 1, 255, 7, 255}));
    // A keeper's own goal goes to the credited player, or stays his without one.
    s->lastTouchPlayer = player(1, 0);
    s->creditedPlayer = player(0, 7);
    score(0, 2, 60, 0, nullptr);
    EXPECT_EQ(goalRecord(7), (std::array<jint, 6>{0, 12, 0, 60, 0, 255}));
    s->creditedPlayer = nullptr;
    score(0, 2, 61, 0, nullptr);
    EXPECT_EQ(goalRecord(8), (std::array<jint, 6>{0, 0, 1, 61, 0, 255}));
    // His own keeper's goal is his.
    s->lastTouchPlayer = player(0, 0);
    s->creditedPlayer = player(0, 7);
    score(0, 2, 62, 0, nullptr);
    EXPECT_EQ(goalRecord(9), (std::array<jint, 6>{0, 0, 0, 62, 0, 255}));
    EXPECT_EQ(s->goalCount, 10);
}

TEST_F(MatchRecordsTest, TheTwentyFirstGoalIsCountedButNotRecorded) {
    GameStatics* s = statics();
    for (jint n = 0; n < 21; ++n) {
        score(n % 2, 2, 50 + n, 0, player(n % 2, 9));
    }
    EXPECT_EQ(s->goalCount, 21);
    EXPECT_EQ(goalRecord(19), (std::array<jint, 6>{1, 9, 1, 69, 0, 255}));
    EXPECT_EQ(goalRecord(20), (std::array<jint, 6>{}));
    EXPECT_EQ(s->lastEventPlayer.get(), player(0, 9));
}

TEST_F(MatchRecordsTest, WhenTheMatchIsOver) {
    struct Case {
        jint period, kind, stage, g0, g1;
        bool secondLeg;
        jint first0, first1;
        bool over;
    };
    const Case cases[] = {
        // Periods 1 and 3 never end a match; 5 and 6 always do.
        {1, 1, 0, 3, 0, false, 0, 0, false},
        {3, 4, 0, 3, 0, false, 0, 0, false},
        {5, 2, 1, 1, 1, false, 0, 0, true},
        {6, 2, 1, 1, 1, false, 0, 0, true},
        // After period 2: leagues, friendlies and continental stages up to 5 end.
        {2, 1, 9, 1, 1, false, 0, 0, true},
        {2, 5, 9, 1, 1, false, 0, 0, true},
        {2, 3, 5, 1, 1, true, 1, 1, true},
        // ... a winner ends play-offs, the continental final and early cup rounds.
        {2, 4, 7, 2, 1, false, 0, 0, true},
        {2, 3, 12, 1, 2, false, 0, 0, true},
        {2, 2, 2, 0, 1, false, 0, 0, true},
        {2, 2, 3, 0, 1, false, 0, 0, false},
        {2, 3, 6, 2, 1, false, 0, 0, false},
        // ... a draw in a single match: over except in early cup rounds.
        {2, 2, 2, 1, 1, false, 0, 0, false},
        {2, 2, 3, 1, 1, false, 0, 0, true},
        {2, 4, 7, 1, 1, false, 0, 0, true},
        // ... a draw in a second leg: over unless fully level, a play-off or the final.
        {2, 3, 6, 1, 1, true, 1, 1, false},
        {2, 3, 6, 1, 1, true, 2, 0, true},
        {2, 3, 6, 1, 1, true, 0, 2, true},
        {2, 4, 6, 1, 1, true, 2, 0, false},
        {2, 3, 12, 1, 1, true, 2, 0, false},
        {2, 2, 1, 1, 1, true, 2, 0, true},
        // After period 4.
        {4, 4, 0, 2, 1, false, 0, 0, true},
        {4, 3, 12, 1, 2, false, 0, 0, true},
        {4, 2, 2, 1, 2, false, 0, 0, true},
        {4, 3, 6, 2, 1, true, 0, 0, false},
        {4, 3, 6, 1, 1, true, 2, 0, true},
        {4, 3, 6, 1, 1, true, 1, 1, false},
        {4, 2, 1, 1, 1, true, 2, 0, false},
        {4, 4, 1, 1, 1, true, 2, 0, false},
    };
    GameStatics* s = statics();
    for (const Case& c : cases) {
        s->matchPeriod = c.period;
        s->competitionType = c.kind;
        s->playedStep = c.stage;
        team(0)->goals = c.g0;
        team(1)->goals = c.g1;
        s->isSecondLeg = c.secondLeg ? 1 : 0;
        s->firstLegGoals0 = c.first0;
        s->firstLegGoals1 = c.first1;
        EXPECT_EQ(match::isMatchOver(), c.over)
            << "period " << c.period << " kind " << c.kind << " stage " << c.stage << " " << c.g0 << "-"
            << c.g1 << " first leg " << c.first0 << "-" << c.first1;
    }
}

TEST_F(MatchRecordsTest, WhoGoesThrough) {
    struct Case {
        jint period;
        bool secondLeg, order;
        jint g0, g1, first0, first1;
        bool through;
    };
    const Case cases[] = {
        {5, false, false, 5, 4, 0, 0, true},
        {5, false, false, 4, 5, 3, 0, false},
        {5, true, false, 4, 4, 1, 0, true},
        {5, true, false, 4, 4, 0, 1, false},
        {2, false, false, 2, 1, 0, 0, true},
        {2, false, false, 1, 1, 0, 0, false},
        {2, true, false, 2, 0, 1, 2, true},
        {2, true, false, 0, 2, 1, 0, false},
        // Level on aggregate: the away goals, strict in one order and not in the other, so
        // equal away goals favour the first team only with the order flag clear.
        {2, true, true, 2, 1, 1, 2, false},
        {2, true, false, 2, 1, 1, 2, true},
        {2, true, true, 1, 0, 2, 3, true},
        {2, true, false, 0, 1, 2, 1, false},
        {4, true, true, 3, 3, 1, 1, false},
        {4, true, false, 3, 3, 1, 1, true},
    };
    GameStatics* s = statics();
    for (const Case& c : cases) {
        s->matchPeriod = c.period;
        s->isSecondLeg = c.secondLeg ? 1 : 0;
        s->teamOrderFlag = c.order ? 1 : 0;
        team(0)->goals = c.g0;
        team(1)->goals = c.g1;
        s->firstLegGoals0 = c.first0;
        s->firstLegGoals1 = c.first1;
        EXPECT_EQ(match::firstTeamGoesThrough(), c.through)
            << "period " << c.period << " " << c.g0 << "-" << c.g1 << " first leg " << c.first0 << "-"
            << c.first1 << " order " << c.order;
    }
}

TEST_F(MatchRecordsTest, CameraRequests) {
    GameStatics* s = statics();
    s->cameraMode = 2;
    match::followCamera(7);
    EXPECT_EQ(s->cameraMode, 0);
    EXPECT_EQ(s->cameraFollowFlag, 1);
    match::followCamera(0);
    EXPECT_EQ(s->cameraFollowFlag, 0);
    match::startCameraFollowActor(0, player(1, 4), 3);
    EXPECT_EQ(s->cameraMode, 1);
    EXPECT_EQ(s->cameraFollowFlag, 0);
    EXPECT_EQ(s->cameraSubject.get(), player(1, 4));
    EXPECT_EQ(s->panReturn, 1);
    match::startCameraFollowActor(1, s->ball, 0);
    EXPECT_EQ(s->cameraFollowFlag, 1);
    EXPECT_EQ(s->cameraSubject.get(), s->ball.get());
    EXPECT_EQ(s->panReturn, 0);
}

TEST_F(MatchRecordsTest, KitColours) {
    GameStatics* s = statics();
    runtime::LogCapture log;
    // Nothing has created the colour tables: white, shaded to 0x7F7F7F.
    match::updateKitColours();
    EXPECT_EQ(s->kitColour[0], 0xFFFFFF);
    EXPECT_EQ(s->kitShade[1], 0x7F7F7F);
    s->teamColourIds = runtime::newByteArray(2);
    s->teamColours = runtime::newIntArray(5);
    (*s->teamColours)[3] = static_cast<jint>(0x80FF10A0u);
    (*s->teamColours)[4] = 0x818000;
    struct Case {
        jint id0, id1, colour0, shade0, colour1, shade1;
    };
    const Case cases[] = {
        {3, 4, 0xFF10A0, 0x7F0020, 0x818000, 0x010000},
        {-1, -2, 0xFFFFFF, 0x7F7F7F, 0xFFFFFF, 0x7F7F7F},
        {5, -5, 0xFFFFFF, 0x7F7F7F, 0xFFFFFF, 0x7F7F7F},
    };
    for (const Case& c : cases) {
        (*s->teamColourIds)[0] = static_cast<jbyte>(c.id0);
        (*s->teamColourIds)[1] = static_cast<jbyte>(c.id1);
        match::updateKitColours();
        EXPECT_EQ((std::array<jint, 4>{s->kitColour[0], s->kitShade[0], s->kitColour[1], s->kitShade[1]}),
                  (std::array<jint, 4>{c.colour0, c.shade0, c.colour1, c.shade1}))
            << c.id0 << " " << c.id1;
    }
    // Only the ids outside the table are reported; -1 and -2 mean no kit.
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(MatchRecordsTest, PlacingPlayersAtTheirTargets) {
    GameStatics* s = statics();
    s->matchPeriod = 2;
    for (const jint side : {0, 1}) {
        for (jint i = 0; i < CTeam::kPlayers; ++i) {
            player(side, i)->x = 0;
            player(side, i)->y = 0;
            player(side, i)->targetX = 25600 + i;
            player(side, i)->targetY = -side;
        }
    }
    match::placePlayersAtTargets(0);
    EXPECT_EQ(player(1, 10)->x, 25610);
    EXPECT_EQ(player(1, 10)->y, -1);
    EXPECT_EQ(player(0, 0)->x, 0); // keepers and the bench stay
    EXPECT_EQ(player(0, 11)->x, 0);
    // With a gap: 40 x 256 short of the target, or on it when nearer.
    player(0, 3)->x = 0;
    player(0, 3)->y = 0;
    player(0, 3)->targetX = 25600;
    player(0, 3)->targetY = 0;
    player(0, 4)->x = 20000;
    player(0, 4)->targetX = 25600;
    player(0, 4)->targetY = 0;
    match::placePlayersAtTargets(40);
    EXPECT_EQ(player(0, 3)->x, 25600 - 40 * 256);
    EXPECT_EQ(player(0, 4)->x, 25600);
    // In a shoot-out only the keeper facing the kick moves, onto his line's centre.
    s->matchPeriod = 5;
    s->phaseTeam = 0;
    player(1, 0)->y = 3000;
    player(0, 0)->y = 3000;
    player(0, 5)->x = 0;
    match::placePlayersAtTargets(0);
    EXPECT_EQ(player(1, 0)->y, 0);
    EXPECT_EQ(player(1, 0)->direction, 6);
    EXPECT_EQ(player(0, 0)->y, 3000);
    EXPECT_EQ(player(0, 5)->x, 0);
}

TEST_F(MatchRecordsTest, Resets) {
    GameStatics* s = statics();
    s->slideMarks = runtime::newIntArray(40);
    for (jint k = 0; k < 40; ++k) {
        (*s->slideMarks)[k] = 5;
    }
    for (const jint side : {0, 1}) {
        for (jint i = 0; i < CTeam::kPlayers; ++i) {
            player(side, i)->slideMark = 3;
        }
    }
    match::resetSlideMarks();
    for (jint k = 0; k < 40; ++k) {
        EXPECT_EQ((*s->slideMarks)[k], k % 4 == 0 ? -1 : 5) << k;
    }
    EXPECT_EQ(player(1, 10)->slideMark, -1);
    EXPECT_EQ(player(0, 0)->slideMark, -1);
    EXPECT_EQ(player(0, 11)->slideMark, 3);
    // Without the ring the players are still reset.
    s->slideMarks = nullptr;
    player(0, 2)->slideMark = 3;
    match::resetSlideMarks();
    EXPECT_EQ(player(0, 2)->slideMark, -1);

    (*row(s->lineup, 1))[0] = 9;
    (*row(s->lineup, 1))[29] = 4;
    (*row(s->lineup, 0))[0] = 7;
    s->teamSlotMapChanged[1] = 1;
    s->selectedPlayerSlot = 6;
    match::restoreTeamSlotMap(1);
    EXPECT_EQ(rowValues(s->lineup, 1, 30), rowValues(s->lineupAtKickOff, 1, 30));
    EXPECT_EQ((*row(s->lineup, 0))[0], 7);
    EXPECT_EQ(s->teamSlotMapChanged[1], 0);
    EXPECT_EQ(s->selectedPlayerSlot, -1);

    s->matchInts5A = runtime::newIntArray(5);
    for (jint k = 0; k < 5; ++k) {
        (*s->matchInts5A)[k] = 10 + k;
    }
    for (const auto& [k, index] :
         std::vector<std::pair<jint, jint>>{{1, 14}, {3, 12}, {5, 10}, {0, -1}, {6, -1}}) {
        EXPECT_EQ(match::rankToIndex(k), index) << k;
    }
}

} // namespace
} // namespace game::testing
