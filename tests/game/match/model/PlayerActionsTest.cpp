// Player actions: the sliding and the standing challenge's foul and card shares over 20,000 seeded
// challenges against their formulas, a challenge decided once, the clean challenge's fall or poke,
// the foul's restart, counts, bookings and send-off, the tackle flag's formula and clamp, the
// keeper's save by height, line and side with its dive, the shot request and the collision of the
// holder with his nearest opponent.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/core/GameMath.h"
#include "game/match/MatchTuning.h"
#include "game/match/StandIns.h"
#include "game/match/model/Ball.h"
#include "game/match/model/PlayerActions.h"
#include "runtime/Random.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kDuelX = -40000;

class PlayerActionsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5022);
        for (jint t = 0; t < 2; ++t) {
            for (jint i = 0; i < 18; ++i) {
                player(t, i)->x = (t == 0 ? -1 : 1) * 120000;
                player(t, i)->y = 80000;
                player(t, i)->distanceToBall = 500000;
            }
        }
        // Team 0 attacks towards +x, so its challenger faces -x (6) at the ball.
        tackler = player(0, 6);
        holder = player(1, 9);
        tackler->defaultDirection = 6;
        statics()->kickOffTeam = 0;
    }
    // A fresh challenge: the holder on the ball at (kDuelX, y), the tackler beside him facing
    // `facing`, the holder facing `holderFacing`.
    void setUpDuel(const jint facing, const jint holderFacing, const jint y = 30000) {
        GameStatics* s = statics();
        // Open play: a foul's restart moves the phase on.
        s->matchPhase = 0;
        match::placeBall(kDuelX, y);
        holder->x = kDuelX;
        holder->y = y;
        holder->action = 1;
        holder->state = 1;
        holder->vx = 200;
        holder->vy = 0;
        holder->direction = holderFacing;
        holder->reactionTime = 5;
        holder->outOfPlay = 0;
        holder->takePossession();
        tackler->x = kDuelX + 1000;
        tackler->y = y;
        tackler->direction = facing;
        tackler->distanceToBall = 1000;
        tackler->bookings = 0;
        tackler->outOfPlay = 0;
        tackler->order = 5;
        tackler->animFinished = 0;
        s->tackleFlag = 0;
    }
    CPlayer* tackler = nullptr;
    CPlayer* holder = nullptr;
};

struct ChallengeShares {
    jint fouls = 0;
    jint red = 0;
    jint none = 0;
};

// The odds that a uniform draw 0..99 plus offset lies below `limit`.
double below(const jint limit, const jint offset) {
    return std::clamp(limit - offset, 0, 100) / 100.0;
}

TEST_F(PlayerActionsTest, FoulsAndCardsComeAsOftenAsTheirFormulasSay) {
    const jint n = 20000;
    struct Kind {
        bool sliding;
        jint front;
        jint behind;
        jint red;
        jint redKeeper;
        jint none;
        jint noneKeeper;
    };
    for (const Kind& kind : {Kind{true, 36, 8, 8, 20, 20, 40}, Kind{false, 48, 12, 2, 8, 15, 35}}) {
        for (const jint duel : {0, 3, 7}) {
            for (const bool fromBehind : {false, true}) {
                for (const bool keeperNearest : {false, true}) {
                    tackler->duelRating = duel;
                    // From the front the two face each other; from behind both face -x.
                    const jint holderFacing = fromBehind ? 6 : 2;
                    player(0, 0)->distanceToBall = keeperNearest ? 0 : 500000;
                    ChallengeShares shares;
                    for (jint i = 0; i < n; ++i) {
                        setUpDuel(6, holderFacing, keeperNearest ? 0 : 30000);
                        holder->direction = holderFacing;
                        const jint fouls = team(0)->foulCount;
                        if (kind.sliding) {
                            tackler->slideChallenge();
                        } else {
                            tackler->challenge();
                        }
                        if (team(0)->foulCount != fouls) {
                            shares.fouls += 1;
                            shares.red += tackler->lastCard == 2 ? 1 : 0;
                            shares.none += tackler->lastCard == 0 ? 1 : 0;
                        }
                    }
                    const double foulOdds = (duel + 1.0) / (fromBehind ? kind.behind : kind.front);
                    EXPECT_NEAR(shares.fouls / static_cast<double>(n), foulOdds, 0.015)
                        << kind.sliding << " " << duel << " " << fromBehind;
                    // Card shares among the fouls, when there are enough of them to tell.
                    if (shares.fouls >= 2000) {
                        const jint offset = (3 - duel) * 4;
                        const double red = below(keeperNearest ? kind.redKeeper : kind.red, offset);
                        const double none = 1.0 - below(keeperNearest ? kind.noneKeeper : kind.none, offset);
                        EXPECT_NEAR(shares.red / static_cast<double>(shares.fouls), red, 0.03)
                            << kind.sliding << " " << duel << " " << keeperNearest;
                        EXPECT_NEAR(shares.none / static_cast<double>(shares.fouls), none, 0.03)
                            << kind.sliding << " " << duel << " " << keeperNearest;
                    }
                }
            }
        }
    }
}

TEST_F(PlayerActionsTest, AChallengeIsDecidedOnceAcrossItsFrames) {
    for (const bool sliding : {true, false}) {
        setUpDuel(6, 2);
        tackler->duelRating = 7; // fouls often
        const jint tackles = team(0)->tackleCount;
        const jint fouls = team(0)->foulCount;
        for (jint frame = 0; frame < 6; ++frame) {
            if (sliding) {
                tackler->slideChallenge();
            } else {
                tackler->challenge();
            }
        }
        EXPECT_EQ(team(0)->tackleCount, tackles + 1) << sliding;
        EXPECT_LE(team(0)->foulCount, fouls + 1) << sliding;
        EXPECT_EQ(statics()->tackleFlag, 1);
    }
}

TEST_F(PlayerActionsTest, ACleanSlideFellsTheHolderAndPokesTheBall) {
    GameStatics* s = statics();
    tackler->duelRating = -1; // never a foul
    jint hard = 0;
    for (jint i = 0; i < 400; ++i) {
        setUpDuel(6, 2);
        tackler->vx = -300;
        tackler->slideChallenge();
        ASSERT_TRUE(holder->state == 16 || holder->state == 17);
        hard += holder->state == 17 ? 1 : 0;
        EXPECT_EQ(holder->action, 9);
        EXPECT_EQ(tackler->state, 90);
        EXPECT_EQ(s->ballHolder.get(), nullptr);
        EXPECT_EQ(s->lastTouchPlayer.get(), tackler);
        EXPECT_EQ(s->lastTackler.get(), tackler);
        EXPECT_EQ(s->ballState, match::kBallKick5);
        // Six times the braked motion plus 5,120 along his facing (-x).
        EXPECT_EQ(s->ball->aimX, kDuelX + 6 * tackler->vx - 5120);
    }
    EXPECT_NEAR(hard / 400.0, 0.4, 0.08);
    // Twice the reaction time above the fall's ticks: he lies for his reaction time.
    setUpDuel(6, 2);
    holder->reactionTime = 30;
    s->matchTicks = 1000;
    tackler->slideChallenge();
    EXPECT_EQ(holder->recoverEndTime, holder->state == 17 ? 1040 : 1030);
}

TEST_F(PlayerActionsTest, AStandingChallengeWinsTheBallOrPokesItAway) {
    GameStatics* s = statics();
    tackler->duelRating = -1;
    setUpDuel(6, 2);
    tackler->vx = -100;
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(1);
    tackler->challenge();
    // Duel -1: every fall draw is at least the rating, so the holder always goes down.
    EXPECT_TRUE(holder->state == 16 || holder->state == 17);
    EXPECT_EQ(s->ballHolder.get(), tackler);
    // A rating above every draw never fells him: the ball is poked on.
    tackler->duelRating = 8;
    setUpDuel(6, 6);
    tackler->vx = -100;
    jint pokes = 0;
    for (jint i = 0; i < 50; ++i) {
        setUpDuel(6, 2);
        tackler->duelRating = 8;
        const jint fouls = team(0)->foulCount;
        tackler->challenge();
        if (team(0)->foulCount == fouls) {
            pokes += 1;
            EXPECT_EQ(s->ballState, match::kBallKick5);
            EXPECT_EQ(s->ball->aimX, kDuelX + 3 * tackler->vx - 2560);
            EXPECT_EQ(holder->state, 1);
        }
    }
    // Neither decided on a falling holder nor with the flag set.
    setUpDuel(6, 2);
    holder->state = 31;
    const jint tackles = team(0)->tackleCount;
    tackler->challenge();
    s->tackleFlag = 1;
    holder->state = 1;
    tackler->challenge();
    EXPECT_EQ(team(0)->tackleCount, tackles);
    // Against a team-mate there is nothing to challenge.
    s->ballHolder = player(0, 7);
    tackler->challenge();
    EXPECT_EQ(tackler->order, 0);
}

TEST_F(PlayerActionsTest, AFoulGivesTheRestartTheCardAndTheBookings) {
    GameStatics* s = statics();
    setUpDuel(6, 2);
    // A free kick at the fouled player's point for the other team.
    tackler->commitFoul(1, 0);
    EXPECT_EQ(s->matchPhase, 7);
    EXPECT_EQ(s->phaseTeam, 1);
    EXPECT_EQ(s->foulPlayer.get(), tackler);
    EXPECT_EQ(tackler->bookings, 1);
    EXPECT_EQ(team(0)->yellowCount, 1);
    // In the area: the penalty spot by the kick-off team.
    for (const jint kickOff : {0, 1}) {
        s->kickOffTeam = kickOff;
        s->matchPhase = 0;
        tackler->commitFoul(0, 1);
        EXPECT_EQ(s->matchPhase, 8);
        EXPECT_EQ(s->phaseTeam, 1);
        EXPECT_EQ(s->phaseX, kickOff == 0 ? -106496 : 106496);
        EXPECT_EQ(s->phaseY, 0);
    }
    // A second yellow counts a red too; bookings stop at 2 and he is sent off once.
    const jint sendOffs = match::standInCallCount("sendOffPlayer");
    s->matchPhase = 0;
    tackler->commitFoul(1, 0);
    EXPECT_EQ(tackler->bookings, 2);
    EXPECT_EQ(team(0)->redCount, 1);
    EXPECT_EQ(tackler->outOfPlay, 1);
    s->matchPhase = 0;
    tackler->commitFoul(2, 0);
    EXPECT_EQ(tackler->bookings, 2);
    EXPECT_EQ(team(0)->redCount, 2);
    EXPECT_EQ(match::standInCallCount("sendOffPlayer"), sendOffs + 1);
    EXPECT_EQ(team(0)->foulCount, 5);
    // A player who came on (kick-off slot 11 or more) is not booked.
    CPlayer* sub = player(0, 12);
    sub->homeIndex = 12;
    s->matchPhase = 0;
    sub->commitFoul(2, 0);
    EXPECT_EQ(sub->bookings, 0);
    EXPECT_EQ(sub->lastCard, 0);
    // Outside open play only the counts move.
    s->matchPhase = 7;
    player(1, 4)->commitFoul(1, 0);
    EXPECT_EQ(player(1, 4)->bookings, 0);
    EXPECT_EQ(team(1)->yellowCount, 1);
    EXPECT_EQ(player(1, 4)->styleSetting, 0);
}

TEST_F(PlayerActionsTest, TheTackleFlagFollowsItsFormulaWithinItsClamp) {
    GameStatics* s = statics();
    struct Case {
        jint handicap;
        jint duel;
        jint holderX; // the holder's x, in team 0's view the cells ahead or deep
        jint holderY;
        jint holderFacing;
        jint c; // the flag's threshold
    };
    // Tackler faces 6: head-on is 2.
    const std::vector<Case> cases = {
        {3, 3, -40000, 30000, 4, 50}, {3, 3, 16384, 30000, 4, 30},  {3, 3, -40000, 30000, 2, 60},
        {3, 3, -90000, 0, 4, 70},     {3, 3, -90000, 40000, 4, 50}, {7, 0, -90000, 0, 2, 99},
        {0, 7, 16384, 30000, 4, 0},
    };
    for (const Case& c : cases) {
        jint set = 0;
        const jint trials = 4000;
        for (jint i = 0; i < trials; ++i) {
            setUpDuel(6, c.holderFacing, c.holderY);
            match::placeBall(c.holderX, c.holderY);
            holder->x = c.holderX;
            holder->direction = c.holderFacing;
            holder->handicapLevel = c.handicap;
            tackler->duelRating = c.duel;
            tackler->distanceToBall = 1000;
            tackler->x = c.holderX + 1000;
            tackler->tackle();
            set += s->tackleFlag;
        }
        EXPECT_NEAR(set / static_cast<double>(trials), (99 - c.c) / 100.0, 0.03) << c.holderX << " " << c.c;
        EXPECT_EQ(tackler->state, 14);
        EXPECT_EQ(tackler->action, 5);
    }
    // An idle holder, or one 2,560 from the ball: never set.
    setUpDuel(6, 4);
    holder->action = 0;
    tackler->tackle();
    EXPECT_EQ(s->tackleFlag, 0);
    setUpDuel(6, 4);
    holder->x = kDuelX + 2560;
    tackler->tackle();
    EXPECT_EQ(s->tackleFlag, 0);
    // A block: always set.
    setUpDuel(6, 2);
    tackler->rushFlag = 0;
    holder->lastFollowMode = 3;
    tackler->tackle();
    EXPECT_EQ(tackler->state, 64);
    EXPECT_EQ(s->tackleFlag, 1);
}

TEST_F(PlayerActionsTest, TheSaveByHeightLineAndSide) {
    GameStatics* s = statics();
    CPlayer* keeper = player(0, 0);
    CPlayer* shooter = player(1, 9);
    keeper->x = -130000;
    keeper->y = 0;
    keeper->skillLevels[1] = 2;
    shooter->x = -100000;
    shooter->y = 0;
    s->lastTouchPlayer = shooter; // the shooter lies in direction 2
    struct Case {
        jint height;
        jint crossY;
        jint state;
    };
    // Keeper at x <= 0: the near side holds when he is at or below the crossing y.
    const std::vector<Case> cases = {
        {7680, 1152, 116}, {7680, 1153, 114},  {7680, -1153, 113}, {7679, 0, 115},    {3841, 1152, 115},
        {3841, 2000, 100}, {3841, -2000, 101}, {3840, 0, 103},     {3840, 1153, 103}, {3840, -1153, 104},
    };
    for (const Case& c : cases) {
        match::placeBall(-120000, 0);
        s->ballHolder = nullptr;
        s->ball->aimX = -135000;
        s->ball->aimY = c.crossY;
        s->ball->aimZ = c.height;
        keeper->direction = 2;
        keeper->save(0);
        EXPECT_EQ(keeper->state, c.state) << c.height << " " << c.crossY;
        EXPECT_EQ(keeper->action, 7);
        EXPECT_EQ(s->saveMode, 2);
    }
    // A low ball in line is gathered only when it comes within 1,536 of him.
    for (const auto& [aimX, state] : std::vector<std::pair<jint, jint>>{{-131535, 102}, {-131536, 103}}) {
        s->ball->aimX = aimX;
        s->ball->aimY = 0;
        s->ball->aimZ = 0;
        keeper->save(0);
        EXPECT_EQ(keeper->state, state) << aimX;
    }
    // The dive across by distance: none beyond 15,360 (the penalty flag cleared), (10 - skill)
    // x 64 from 5,120, none nearer.
    for (const auto& [crossY, vy] :
         std::vector<std::pair<jint, jint>>{{15360, 0}, {15359, 512}, {5120, 512}, {5119, 0}}) {
        s->penaltyKick = 1;
        s->ball->aimX = -130000;
        s->ball->aimY = crossY;
        s->ball->aimZ = 0;
        keeper->save(0);
        EXPECT_EQ(keeper->vy, vy) << crossY;
        EXPECT_EQ(s->penaltyKick, crossY >= 15360 ? 0 : 1);
    }
    // From a tackle: always a dive, 128 along the facing.
    s->ball->aimY = 0;
    s->ball->aimZ = 9000;
    keeper->direction = 2;
    keeper->save(1);
    EXPECT_TRUE(keeper->state == 103 || keeper->state == 104);
    EXPECT_EQ(keeper->vx, 128);
    // Nothing while a penalty is being set up.
    s->setPieceKind = 5;
    s->penaltyKick = 0;
    keeper->action = 0;
    keeper->save(0);
    EXPECT_EQ(keeper->action, 0);
}

TEST_F(PlayerActionsTest, AShotWithoutAWindowGoesToTheWing) {
    CPlayer* p = player(0, 9);
    p->x = 0;
    p->y = 0;
    p->cellX = 0;
    for (const jint ballY : {-10, 0}) {
        match::placeBall(0, ballY);
        p->requestShot(2000);
        EXPECT_EQ(p->order, 3);
        EXPECT_EQ(p->orderMode, 5120);
        EXPECT_EQ(p->targetX, 112640);
        EXPECT_EQ(p->targetY, ballY < 0 ? -61440 : 61440);
    }
}

TEST_F(PlayerActionsTest, TheOneRunningIntoTheOtherStopsAndIsSetBack) {
    GameStatics* s = statics();
    CPlayer* a = holder;
    CPlayer* b = player(0, 3);
    struct Case {
        jint bx;     // b's x; both on y = 0, a at 0
        jint avx;    // a's motion along x
        jint bvx;    // b's motion along x
        jint bState; // 16: b is falling
        bool aStops;
        bool bStops;
    };
    const std::vector<Case> cases = {
        {1500, 500, 0, 1, true, false},   {1500, 0, -500, 1, false, true}, {3500, 500, -500, 1, true, true},
        {1500, -500, 0, 1, false, false}, {9000, 500, 0, 1, false, false}, {1500, 500, 0, 16, false, false},
    };
    for (const Case& c : cases) {
        match::placeBall(0, 0);
        a->x = 0;
        a->y = 0;
        a->vx = c.avx;
        a->vy = 0;
        a->state = 1;
        a->action = 1;
        a->takePossession();
        b->x = c.bx;
        b->y = 0;
        b->vx = c.bvx;
        b->vy = 0;
        b->state = c.bState;
        b->action = 1;
        match::resolveDuels();
        EXPECT_EQ(a->vx == 0 && c.avx != 0, c.aStops) << c.bx << " " << c.avx << " " << c.bvx;
        EXPECT_EQ(b->vx == 0 && c.bvx != 0, c.bStops) << c.bx << " " << c.avx << " " << c.bvx;
        if (c.aStops || c.bStops) {
            // Set back to the probe's screen length apart, 2,048 x 480 / 256.
            EXPECT_NEAR(core::approxDistance(b->x - a->x, b->y - a->y), 3840, 2);
        }
        if (c.aStops && c.bStops) {
            EXPECT_NEAR(a->x + b->x, 3500, 2);
        } else if (c.aStops) {
            EXPECT_EQ(b->x, 1500);
        } else if (c.bStops) {
            EXPECT_EQ(a->x, 0);
        } else {
            EXPECT_EQ(a->x, 0);
            EXPECT_EQ(b->x, c.bx);
        }
    }
    // Only in open play.
    s->matchPhase = 7;
    a->x = 0;
    a->vx = 500;
    b->x = 1500;
    b->state = 1;
    match::resolveDuels();
    EXPECT_EQ(a->vx, 500);
}

TEST_F(PlayerActionsTest, ThePlayersInABoxComeInTwoListsBySide) {
    // Team 1 plays from the other side: its view turns the pitch about the centre.
    CTeam* t = team(1);
    struct Placed {
        jint slot;
        jint viewX, viewY; // in the team's view
    };
    const Placed placed[] = {
        {0, 50000, 0},       // the goalkeeper is never counted
        {1, 0, 0},           // on both bounds; y 0 counts as the near side
        {2, 100000, 20000},  // the far corner of the box; raw y -20,000
        {3, 100001, 0},      // beyond the box
        {4, 50000, -20001},  // beside it
        {5, 50000, -20000},  // inside; raw y 20,000
        {6, -1, 0},          // short of it
        {7, 50000, 0},       // out of play
        {8, 60000, 0},       // the one asking
    };
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        player(1, i)->outOfPlay = 1;
    }
    for (const Placed& p : placed) {
        CPlayer* q = player(1, p.slot);
        q->x = -p.viewX;
        q->y = -p.viewY;
        q->outOfPlay = p.slot == 7 ? 1 : 0;
    }
    auto lists = [](const PlayersInBox& f) {
        return std::make_pair(std::vector<jint>(f.nearSide, f.nearSide + f.nearCount),
                              std::vector<jint>(f.farSide, f.farSide + f.farCount));
    };
    PlayersInBox found;
    match::findPlayersInBox(t, player(1, 8), 0, 100000, -20000, 20000, 1, found);
    EXPECT_EQ(lists(found), std::make_pair(std::vector<jint>{1, 5}, std::vector<jint>{2}));
    match::findPlayersInBox(t, player(1, 8), 0, 100000, -20000, 20000, -1, found);
    EXPECT_EQ(lists(found), std::make_pair(std::vector<jint>{1, 2}, std::vector<jint>{5}));
    match::findPlayersInBox(nullptr, nullptr, 0, 100000, -20000, 20000, 1, found);
    EXPECT_EQ(found.nearCount + found.farCount, 0);
}

TEST_F(PlayerActionsTest, ThePassTargetFindsTheFarSideFirstAndHoldsToTheBox) {
    GameStatics* s = statics();
    struct Mate {
        jint slot, x, y; // team 0 attacks towards +x
    };
    struct Case {
        std::vector<Mate> mates;
        bool found;
        jint slot, x, y;
    };
    const std::vector<Case> cases = {
        // The far side wins over a team-mate further on at the near side.
        {{{9, 120000, -10000}, {10, 130000, 20000}}, true, 9, 120000, -10000},
        // The furthest on of the far side; his point held to the box in front of the goal.
        {{{9, 70000, -40000}, {8, 80000, -30000}}, true, 8, 91648, -25600},
        // Nobody over there: the near side, up to the goal line.
        {{{10, 135168, 30000}}, true, 10, 135168, 25600},
        // The search starts 61,440 up the pitch; the keeper never receives.
        {{{9, 61439, -5000}, {0, 100000, -5000}}, false, -1, 91648, 0},
        {{{9, 61440, -5000}}, true, 9, 91648, -5000},
    };
    CPlayer* passer = player(0, 7);
    for (const Case& c : cases) {
        for (jint i = 0; i < CTeam::kOnPitch; ++i) {
            player(0, i)->outOfPlay = 1;
        }
        passer->outOfPlay = 0;
        passer->x = 100000;
        passer->y = 30000;
        for (const Mate& m : c.mates) {
            player(0, m.slot)->outOfPlay = 0;
            player(0, m.slot)->x = m.x;
            player(0, m.slot)->y = m.y;
        }
        EXPECT_EQ(passer->choosePassTarget(), c.found) << c.slot;
        EXPECT_EQ(s->passTargetX, c.x) << c.slot;
        EXPECT_EQ(s->passTargetY, c.y) << c.slot;
        EXPECT_EQ(s->candidateX, c.x) << c.slot;
        EXPECT_EQ(s->candidateY, c.y) << c.slot;
        EXPECT_EQ(s->candidateSlot, c.slot);
    }

    // The other side's view: its goal lies at -x, and its far side is +y for a passer at -y.
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        player(1, i)->outOfPlay = 1;
    }
    CPlayer* other = player(1, 7);
    other->outOfPlay = 0;
    other->x = -100000;
    other->y = -30000;
    player(1, 9)->outOfPlay = 0;
    player(1, 9)->x = -120000;
    player(1, 9)->y = 10000;
    player(1, 10)->outOfPlay = 0;
    player(1, 10)->x = -130000;
    player(1, 10)->y = -10000;
    EXPECT_TRUE(other->choosePassTarget());
    EXPECT_EQ(s->passTargetX, -120000);
    EXPECT_EQ(s->passTargetY, 10000);
    EXPECT_EQ(s->candidateSlot, 9);
}

} // namespace
} // namespace game::testing
