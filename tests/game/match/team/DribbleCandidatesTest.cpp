// The dribble candidates over scripted scenes: straight ahead when nobody is near, the order's
// odds beside the box, the opponents' radii by zone, the pitch edges, every direction closed,
// and the dribble run started, kept, ended at its target and ended by an opponent ahead.
#include <gtest/gtest.h>

#include "tests/game/match/team/TeamLogicFixture.h"

namespace game::testing {
namespace {

class DribbleCandidatesTest : public TeamLogicFixture {
protected:
    void SetUp() override {
        TeamLogicFixture::SetUp();
        GameStatics* s = statics();
        s->holderZone = 4;
        s->holderZoneFine = 8;
    }

    // Player 7 of side on the ball at cell (cx, cy), facing ahead; no opponent flags.
    static CPlayer* carrier(const jint side, const jint cx, const jint cy) {
        CPlayer* p = player(side, 7);
        p->outOfPlay = 0;
        p->unfit = 0;
        placeAtCell(side, 7, cx, cy);
        CTeam* t = team(side);
        for (runtime::BoolArray* flags : {t->flags8a, t->flags8b, t->flags8c}) {
            for (jint k = 0; k < 8; ++k) {
                (*flags)[k] = 0;
            }
        }
        t->wideLeftOfBox = 0;
        t->wideRightOfBox = 0;
        return p;
    }

    // Clears the tables and prepares the dribble of p.
    static void prepare(CPlayer* p) {
        match::clearPlanTables();
        p->team->prepareDribble(p);
    }

    static jint candidate(const jint d, const jint j) { return entry(statics()->dribbleCandidates, d, j); }

    // The pitch direction of team-view direction t chosen, or -1 when none.
    static jint chosenView(const CTeam* t) {
        for (jint d = 0; d < 8; ++d) {
            if (candidate(d, 2) == 100) {
                return t->orientDirection(d);
            }
        }
        return -1;
    }
};

TEST_F(DribbleCandidatesTest, WithNobodyNearTheCarrierGoesStraightAheadAndMaySprint) {
    GameStatics* s = statics();
    for (const jint side : {0, 1}) {
        CPlayer* p = carrier(side, -3, 2);
        const jint ahead = team(side)->orientDirection(2);
        prepare(p);
        for (jint d = 0; d < 8; ++d) {
            EXPECT_EQ(candidate(d, 2), d == ahead ? 100 : 0) << "only straight ahead is examined: " << d;
        }
        EXPECT_EQ(candidate(ahead, 0), p->x + (side == 0 ? 4096 : -4096));
        EXPECT_EQ(candidate(ahead, 1), p->y);
        EXPECT_EQ(plan(0, 0), 5);
        EXPECT_EQ(plan(0, 1), 0) << "the weight is the plan choice's";
        EXPECT_EQ(plan(0, 2), candidate(ahead, 0));
        EXPECT_EQ(s->dribbleMoveDirection, ahead);
        EXPECT_EQ(team(side)->runFlag, 1);
        p->unfit = 1;
        prepare(p);
        EXPECT_EQ(team(side)->runFlag, 0) << "an unfit carrier never sprints";
        EXPECT_EQ((*team(side)->table8)[0], ahead);
        EXPECT_EQ((*team(side)->table8)[5], team(side)->orientDirection(6));
    }
}

TEST_F(DribbleCandidatesTest, TheOrderBesideTheBoxAndTheEdgesOfThePitch) {
    CTeam* t = team(0);
    // Wide right of the box the forward diagonal and the side step towards -y always come first;
    // with the way ahead closed he steps towards -y.
    CPlayer* p = carrier(0, 12, 6);
    t->wideRightOfBox = 1;
    (*t->flags8a)[2] = 1;
    prepare(p);
    const jint expected[] = {2, 1, 3, 0, 4, 6};
    for (jint k = 0; k < 6; ++k) {
        EXPECT_EQ((*t->table8)[k], expected[k]) << k;
    }
    EXPECT_EQ(chosenView(t), 0);
    EXPECT_EQ(candidate(2, 2), -1);
    EXPECT_EQ(candidate(1, 2), -1);
    EXPECT_EQ(candidate(3, 2), -1);

    // Wide left he turns in towards +y nine times in ten.
    jint towardsPlus = 0;
    for (jint n = 0; n < 200; ++n) {
        p = carrier(0, 12, -6);
        t->wideLeftOfBox = 1;
        (*t->flags8a)[2] = 1;
        prepare(p);
        towardsPlus += chosenView(t) == 4 ? 1 : 0;
    }
    EXPECT_NEAR(towardsPlus / 200.0, 0.9, 0.08);

    struct Case {
        jint cx, cy;
        bool aheadClosed;
        jint never[3];
    };
    // At the edges the direction and its diagonals are refused, whatever the order's draws.
    const Case cases[] = {
        {14, 0, false, {1, 2, 3}},
        {0, 9, true, {3, 4, 5}},
        {0, -9, true, {7, 0, 1}},
        {16, 10, false, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        for (jint n = 0; n < 20; ++n) {
            p = carrier(0, c.cx, c.cy);
            if (c.aheadClosed) {
                (*t->flags8c)[2] = 1;
            }
            prepare(p);
            const jint chosen = chosenView(t);
            ASSERT_NE(chosen, -1) << c.cx << " " << c.cy;
            for (const jint d : c.never) {
                EXPECT_NE(chosen, d) << c.cx << " " << c.cy;
            }
        }
    }
    // On the own goal line with opponents ahead and to both sides, the way back is refused too.
    p = carrier(0, -14, 0);
    (*t->flags8c)[1] = 1;
    (*t->flags8c)[3] = 1;
    prepare(p);
    EXPECT_EQ(chosenView(t), -1);
    for (const jint d : {5, 6, 7}) {
        EXPECT_EQ(candidate(d, 2), -1) << d;
    }
}

TEST_F(DribbleCandidatesTest, OpponentRadiiByZoneAndEveryDirectionClosed) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    struct Case {
        jint cx, zone;
        runtime::BoolArray* CTeam::*flags;
        bool closesAhead;
    };
    const Case cases[] = {
        {5, 4, &CTeam::flags8a, true},  {5, 4, &CTeam::flags8b, false},  {5, 4, &CTeam::flags8c, false},
        {12, 0, &CTeam::flags8b, true}, {12, 1, &CTeam::flags8a, false}, {0, 4, &CTeam::flags8c, true},
        {0, 4, &CTeam::flags8a, false}, {-6, 5, &CTeam::flags8c, true},
    };
    for (const Case& c : cases) {
        CPlayer* p = carrier(0, c.cx, 0);
        s->holderZone = c.zone;
        (*(t->*c.flags))[1] = 1; // the forward diagonal's flag also closes straight ahead
        prepare(p);
        EXPECT_EQ(candidate(2, 2) == -1, c.closesAhead) << c.cx << " zone " << c.zone;
    }

    CPlayer* p = carrier(0, 0, 0);
    for (jint k = 0; k < 8; ++k) {
        (*t->flags8c)[k] = 1;
    }
    s->dribbleMoveDirection = 6;
    prepare(p);
    for (jint d = 0; d < 8; ++d) {
        EXPECT_EQ(candidate(d, 2), -1) << d;
    }
    EXPECT_EQ(plan(0, 1), -1) << "no dribble";
    EXPECT_EQ(s->dribbleMoveDirection, 6) << "kept";
}

TEST_F(DribbleCandidatesTest, ADribbleRunStartsKeepsGoingAndEnds) {
    GameStatics* s = statics();
    CTeam* t = team(0);
    // Wide short of cell 7: a run to cell 8, 9 or 10 along his y.
    CPlayer* p = carrier(0, 2, 7);
    s->holderZoneFine = 3;
    s->dribbleRunReady = 1;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 1);
    EXPECT_EQ(s->dribbleRunReady, 0);
    EXPECT_EQ(s->dribbleBoost, 2);
    EXPECT_GE(s->dribbleRunTargetX, t->fromCell(8));
    EXPECT_LE(s->dribbleRunTargetX, t->fromCell(10));
    EXPECT_EQ(s->dribbleRunTargetY, p->y);
    EXPECT_EQ(s->dribblePlanDirection, 2);
    const jint targetCell = t->toCell(s->dribbleRunTargetX);

    // The next decision of the run keeps it without a new boost.
    p = carrier(0, targetCell - 1, 7);
    s->dribbleRunForced = 1;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 1);
    EXPECT_EQ(s->dribbleRunForced, 1);
    EXPECT_EQ(s->dribbleBoost, 0);
    EXPECT_EQ(s->dribbleMoveDirection, 2) << "the run's direction";

    // At the target cell the run ends and waits ready (no target outside the run's zones).
    p = carrier(0, targetCell, 7);
    s->holderZoneFine = 1;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 0);
    EXPECT_EQ(s->dribbleRunForced, 0);
    EXPECT_EQ(s->dribbleRunReady, 1);
    EXPECT_EQ(s->dribbleRunTargetX, -1);

    // Central at cells 7..10: a run to cell 11; an opponent straight ahead within 16384 ends it.
    p = carrier(0, 8, 0);
    s->holderZoneFine = 6;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 1);
    EXPECT_EQ(s->dribbleRunTargetX, t->fromCell(11));
    s->dribbleRunForced = 1;
    p = carrier(0, 9, 0);
    (*t->flags8a)[2] = 1;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 0);
    EXPECT_EQ(s->dribbleRunForced, 0);
    EXPECT_EQ(s->dribbleRunReady, 1);

    // Ready with someone ahead: the target is set, but no run starts.
    p = carrier(0, 8, 0);
    (*t->flags8a)[2] = 1;
    prepare(p);
    EXPECT_EQ(s->dribbleRunActive, 0);
    EXPECT_EQ(s->dribbleRunReady, 1);
    EXPECT_EQ(s->dribbleBoost, 2);
}

} // namespace
} // namespace game::testing
