// The phase setter: free-kick points clamped and moved out of the taker's deep half for either
// side, corners and free kicks counted once per call for the restart team, the phase flags and
// resets of every phase, the particles of a kick-off after a goal on a worn pitch, the figures of
// phases 15-17, the set-piece player let go and the whistle at the end of a second half.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/services/LoadingServices.h"
#include "game/match/BallCalls.h"
#include "runtime/Service.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/support/SoundRequests.h"

namespace game::testing {
namespace {

class PhaseParticleCounter final : public core::LoadingServices {
public:
    void generateParticles() override { ++particleFields; }
    void setUpTeamSide(CTeam* /*team*/, jint /*side*/) override {}
    jint particleFields = 0;
};

class MatchPhaseSetterTest : public MatchSideFixture {
protected:
    PhaseParticleCounter particles;
    runtime::ScopedService<core::LoadingServices> particleScope{&core::installLoadingServices, particles};

    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(5151);
        GameStatics* s = statics();
        s->matchStats = runtime::newObjectArray(2);
        for (jint t = 0; t < 2; ++t) {
            (*s->matchStats)[t] = runtime::newShortArray(13);
        }
        s->sidelineActors = runtime::newObjectArray(2, runtime::kCPlayer);
        for (jint i = 0; i < 2; ++i) {
            (*s->sidelineActors)[i] = runtime::newObject<CPlayer>();
        }
        s->focusActor = runtime::newObject<match::Actor>();
    }
    static jint stat(const jint team, const jint entry) {
        return (*static_cast<runtime::ShortArray*>((*statics()->matchStats)[team]))[entry];
    }
    static Actor* figure() { return static_cast<Actor*>((*statics()->sidelineActors)[1]); }
};

TEST_F(MatchPhaseSetterTest, FreeKicksStayOnThePitchAndOutOfTheTakersDeepHalf) {
    struct Case {
        jint team; // team 0 attacks towards +x, team 1 towards -x
        jint x, y;
        jint wantX, wantY;
    };
    const std::vector<Case> cases = {
        {0, -120000, 0, -106496, 0},          // deep in its own half: out to the line
        {1, -120000, 0, -120000, 0},          // the same point for the other side stays
        {1, 120000, 500, 106496, 500},        // the other side's own half
        {0, 120000, 500, 120000, 500},        // in the opponent's half it stays
        {0, -106496, 0, -106496, 0},          // on the line itself
        {1, 106496, 0, 106496, 0},            // on the line itself
        {1, 106497, 0, 106496, 0},            // one past it
        {0, 200000, -100000, 133888, -84736}, // beyond the goal line and the touchline
        {1, -200000, 100000, -133888, 84736},
        {0, -200000, 90000, -106496, 84736}, // clamped, then moved out
    };
    for (const jint phase : {6, 7}) {
        for (const Case& c : cases) {
            match::setMatchPhase(phase, c.team, c.x, c.y);
            EXPECT_EQ(statics()->phaseX, c.wantX) << phase << " " << c.team << " " << c.x;
            EXPECT_EQ(statics()->phaseY, c.wantY) << phase << " " << c.team << " " << c.y;
        }
    }
    // Other restarts keep their point as given.
    match::setMatchPhase(5, 0, 134400, -85248);
    EXPECT_EQ(statics()->phaseX, 134400);
    EXPECT_EQ(statics()->phaseY, -85248);
}

TEST_F(MatchPhaseSetterTest, CornersAndFreeKicksCountOncePerCallForTheRestartTeam) {
    match::setMatchPhase(5, 1, 134400, 85248);
    match::setMatchPhase(6, 0, 0, 0);
    match::setMatchPhase(7, 0, 0, 0);
    match::setMatchPhase(3, 1, 0, 87552);
    match::setMatchPhase(8, 1, 106496, 0);
    EXPECT_EQ(stat(1, 2), 1);
    EXPECT_EQ(stat(0, 2), 0);
    EXPECT_EQ(stat(0, 3), 2);
    EXPECT_EQ(stat(1, 3), 0);
}

TEST_F(MatchPhaseSetterTest, EveryPhaseRecordsItselfAndSetsItsFlags) {
    struct Row {
        jint phase;
        jint step;
        bool play, movement, restart, penalty;
    };
    const std::vector<Row> rows = {
        {0, 0, true, true, false, false},  {1, 0, true, false, false, false},
        {2, 4, true, false, false, false}, {3, 0, true, false, true, false},
        {4, 0, true, true, true, false},   {5, 0, true, true, true, false},
        {6, 0, true, true, true, false},   {7, 0, true, true, true, false},
        {8, 0, false, false, false, true}, {9, 0, true, true, false, false},
    };
    GameStatics* s = statics();
    for (const Row& r : rows) {
        s->phaseStep = 11;
        s->phaseTicks = 40;
        s->phaseSkipFlags[0] = s->phaseSkipFlags[1] = 1;
        s->phaseCounters[0] = s->phaseCounters[1] = 3;
        s->diveSide = -1;
        s->penaltySaveFlag = 1;
        s->restartMarkerShown = 1;
        team(0)->planningNeeded = 1;
        team(1)->planningNeeded = 1;
        match::setMatchPhase(r.phase, 1, 1000, 0);
        EXPECT_EQ(s->matchPhase, r.phase);
        EXPECT_EQ(s->phaseTeam, 1);
        EXPECT_EQ(s->phaseTeamObject.get(), team(1));
        EXPECT_EQ(s->phaseStep, r.step) << r.phase;
        EXPECT_EQ(s->phaseTicks, 0);
        EXPECT_EQ(s->phaseAllowsPlay != 0, r.play) << r.phase;
        EXPECT_EQ(s->phaseAllowsMovement != 0, r.movement) << r.phase;
        EXPECT_EQ(s->restartPending != 0, r.restart) << r.phase;
        EXPECT_EQ(s->penaltyKick != 0, r.penalty) << r.phase;
        EXPECT_EQ(s->phaseKickerReady, 0) << r.phase; // nobody holds the ball
        EXPECT_EQ(team(0)->planningNeeded, 0);
        EXPECT_EQ(team(1)->planningNeeded, 0);
        EXPECT_EQ(s->phaseSkipFlags[0] + s->phaseSkipFlags[1], 0);
        EXPECT_EQ(s->phaseCounters[0] + s->phaseCounters[1], 0);
        EXPECT_EQ(s->diveSide, 0);
        EXPECT_EQ(s->penaltySaveFlag, 0);
        EXPECT_EQ(s->restartMarkerShown, 0);
    }
}

TEST_F(MatchPhaseSetterTest, AKickOffAfterAGoalRedrawsTheParticlesOnlyOnAWornPitch) {
    GameStatics* s = statics();
    s->receivingPlayer = player(0, 4);
    s->passStatePlayer = player(1, 4);
    s->pitchCondition = 0;
    match::setMatchPhase(1, 0, 0, 1536);
    EXPECT_EQ(particles.particleFields, 0);
    EXPECT_EQ(s->receivingPlayer.get(), nullptr);
    EXPECT_EQ(s->passStatePlayer.get(), nullptr);
    s->pitchCondition = 1;
    match::setMatchPhase(1, 1, 0, 1536);
    EXPECT_EQ(particles.particleFields, 1);
    // Other phases never redraw them.
    match::setMatchPhase(2, 1, 0, 1536);
    match::setMatchPhase(4, 1, 121856, 10240);
    EXPECT_EQ(particles.particleFields, 1);
}

TEST_F(MatchPhaseSetterTest, TheSetPiecePlayerLetsHisKickGo) {
    GameStatics* s = statics();
    CPlayer* taker = player(0, 9);
    taker->followUp = 2;
    taker->followUpDirection = 3;
    taker->followByte1 = 1;
    taker->volleyFlag = 1;
    s->setPiecePlayer = taker;
    s->setPieceField = 7;
    match::setMatchPhase(0, 0, 0, 0);
    EXPECT_EQ(taker->followUp, -1);
    EXPECT_EQ(taker->followUpDirection, -1);
    EXPECT_EQ(taker->followByte1, 0);
    EXPECT_EQ(taker->volleyFlag, 0);
    EXPECT_EQ(s->setPiecePlayer.get(), nullptr);
    EXPECT_EQ(s->setPieceField, 0);
}

TEST_F(MatchPhaseSetterTest, TheFiguresOfTheLatePhasesAndTheRestartActorOutOfTheWay) {
    GameStatics* s = statics();
    s->periodEndCounters[0] = 4;
    s->periodEndCounters[1] = 5;
    match::setMatchPhase(9, 0, 0, 0);
    EXPECT_EQ(s->periodEndCounters[0] + s->periodEndCounters[1], 0);
    match::setMatchPhase(15, 0, 0, 0);
    EXPECT_EQ(s->focusActor->anim, 5);
    EXPECT_EQ(s->focusActor->flipX, 0);
    EXPECT_EQ(s->focusActor->x, -12288);
    EXPECT_EQ(s->focusActor->y, -93184);
    EXPECT_EQ(figure()->anim, 4);
    EXPECT_EQ(figure()->flipX, 1);
    match::setMatchPhase(17, 0, 0, 0);
    EXPECT_EQ(s->focusActor->anim, 4);
    EXPECT_EQ(figure()->flipX, 0);
    s->restartActor = player(1, 3);
    match::setMatchPhase(16, 1, 0, 0);
    EXPECT_EQ(player(1, 3)->x, 128000);
    EXPECT_EQ(player(1, 3)->y, 128000);
    EXPECT_EQ(s->matchPhase, 16);
}

TEST_F(MatchPhaseSetterTest, TheWhistleBlowsAtTheEndOfEachSecondHalfOnly) {
    std::vector<jint> sounds;
    testing_support::reportSoundRequests(
        [](void* context, const jint id) { static_cast<std::vector<jint>*>(context)->push_back(id); },
        &sounds);
    GameStatics* s = statics();
    for (const jint period : {1, 2, 3, 4}) {
        s->matchPeriod = period;
        match::setMatchPhase(9, 0, 0, 0);
        match::setMatchPhase(3, 0, 0, 87552);
    }
    EXPECT_EQ(sounds, (std::vector<jint>{11, 11}));
}

} // namespace
} // namespace game::testing
