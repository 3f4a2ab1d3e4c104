// The match set-up and the periods on pinned seeds: the period clock and its added time, the
// set-up's sides, start places, resets and the ring that ticks once a frame (also for a resumed
// match), the particle field's values and draw counts (with the most negative draw), and the
// rule that ends a skipped period over a table of clock and added-time words.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/core/services/MatchServices.h"
#include "game/interim/InterimMatchServices.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/StandIns.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchScreens.h"
#include "game/match/view/MatchSetUp.h"
#include "runtime/Arrays.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/game/support/MatchTeams.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using match::CPlayer;
using match::CTeam;
using runtime::jint;
using runtime::jlong;

// Counts the players started and the mode they were started with.
class SetUpStarts final : public interim::InterimMatchServices {
public:
    void startPlayer(CPlayer* player, const jint mode) override {
        started.push_back(player);
        modes.insert(mode);
    }
    std::vector<CPlayer*> started;
    std::set<jint> modes;
};

class MatchSetUpTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(jlong{52});
        s->particleX = runtime::newShortArray(400);
        s->particleY = runtime::newShortArray(400);
        s->particleSize = runtime::newByteArray(400);
        s->particleSpeed = runtime::newByteArray(400);
        s->particleColour = runtime::newIntArray(400);
        s->specialParticles = runtime::newIntArray(3);
        s->specialParticleKind = nullptr;
        s->matchStats = runtime::newObjectArray(2);
        for (jint t = 0; t < 2; ++t) {
            runtime::ShortArray* stats = runtime::newShortArray(13);
            (*s->matchStats)[t] = stats;
        }
        makeMatchTeams(18);
        for (jint t = 0; t < 2; ++t) {
            for (jint slot = 0; slot < 18; ++slot) {
                player(t, slot)->x = 777;
                player(t, slot)->y = 888;
            }
        }
        s->ball = runtime::newObject<match::Actor>();
    }

    static CPlayer* player(const jint t, const jint slot) {
        return match::teamPlayer(match::matchTeam(t), slot);
    }

    // The state a generator seeded like gameRandom reaches after `draws` draws, stepped in unsigned
    // arithmetic as the generator steps it (the product leaves 64 bits).
    static jlong stateAfter(const jlong start, const jint draws) {
        std::uint64_t state = static_cast<std::uint64_t>(start);
        for (jint i = 0; i < draws; ++i) {
            state = (state * kMultiplier + kAddend) & kMask;
        }
        return static_cast<jlong>(state);
    }
    static constexpr std::uint64_t kMultiplier = runtime::java_util_Random::kMultiplier;
    static constexpr std::uint64_t kAddend = runtime::java_util_Random::kAddend;
    static constexpr std::uint64_t kMask = runtime::java_util_Random::kSeedMask;

    SetUpStarts starts;
    runtime::ScopedService<core::MatchServices> startsScope{&core::installMatchServices, starts};
};

TEST_F(MatchSetUpTest, EachPeriodStartsItsClockAndDrawsItsAddedTime) {
    struct Case {
        jint period;   // the period that starts
        jint minute;   // its clock's first minute
        jint addedLow; // the range of its added time
        jint addedHigh;
        bool endsAtHalf; // 45 + added, else 15
    };
    const Case cases[] = {{1, 0, 2, 3, true},
                          {2, 45, 2, 5, true},
                          {3, 0, 2, 5, false},
                          {4, 15, 2, 5, false},
                          {5, 0, 2, 5, false}};
    GameStatics* s = statics();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        std::set<jint> seen;
        for (jint round = 0; round < 200; ++round) {
            s->matchPeriod = c.period - 1;
            s->clockUnits = 99;
            s->clockSecond = 33;
            s->inAddedTime = 1;
            s->clockStopped = 1;
            s->clockPanelDrawn = 1;
            s->addedTimeLeftSeconds = 12;
            match::startNextPeriod();
            ASSERT_EQ(s->matchPeriod, c.period);
            ASSERT_EQ(s->matchViewPhase, c.period);
            ASSERT_EQ(s->clockMinute, c.minute);
            ASSERT_EQ(s->clockUnits, 0);
            ASSERT_EQ(s->clockSecond, 0);
            ASSERT_EQ(s->inAddedTime + s->clockStopped + s->clockPanelDrawn, 0);
            ASSERT_EQ(s->addedTimeLeftSeconds, 0);
            seen.insert(s->addedTimeLeftMinutes);
            ASSERT_EQ(s->periodEndMinute, c.endsAtHalf ? 45 + s->addedTimeLeftMinutes : 15);
        }
        std::set<jint> expected;
        for (jint m = c.addedLow; m <= c.addedHigh; ++m) {
            expected.insert(m);
        }
        EXPECT_EQ(seen, expected);
    }
}

TEST_F(MatchSetUpTest, TheSetUpPlacesTheSidesAndResetsTheMatch) {
    struct Case {
        bool teamOrder;
        bool walkOn;
        jint kickOff;
        jint kickOffY; // the kick-off team's start y, then the other's
        jint otherY;
        jint x;
    };
    const Case cases[] = {
        {true, false, 0, -103936, -103936, -2048},
        {false, false, 1, -103936, -103936, -2048},
        {true, true, 0, -101376, -100096, -150528},
        {false, true, 1, -101376, -100096, -150528},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "order " << c.teamOrder << " walk-on " << c.walkOn);
        GameStatics* s = statics();
        s->teamOrderFlag = c.teamOrder ? 1 : 0;
        s->walkOnMode = c.walkOn ? 1 : 0;
        s->matchResumed = 0;
        (*static_cast<runtime::ShortArray*>((*s->matchStats)[1]))[12] = 5;
        match::matchTeam(0)->goals = 3;
        match::matchTeam(1)->teamIntC = 9;
        s->goalCount = 4;
        s->teamGoalsCounted[0] = 2;
        s->playerToReplace = player(0, 4);
        s->foulPlayer = player(1, 2);
        s->offsidePlayer = player(1, 9);
        s->ball->x = 5000;
        s->ball->vz = 300;
        s->ringReadPos = 40;
        s->ringWritePos = 700;
        s->ringHasData = 1;
        s->replayFrameCounter = 12;
        s->matchSpeedBase = 0;
        s->matchDayMarker = 1;
        s->matchPeriod = 3;
        starts.started.clear();
        s->matchPhase = -7;
        const jint teamResets = match::standInCallCount("resetTeamLogic");

        match::setUpMatch(nullptr);

        EXPECT_EQ(s->kickOffTeam, c.kickOff);
        EXPECT_EQ(s->otherKickOffTeam, 1 - c.kickOff);
        EXPECT_EQ(match::matchTeam(0)->sideFlag, c.teamOrder ? 1 : 0);
        EXPECT_EQ(match::matchTeam(1)->sideFlag, c.teamOrder ? 0 : 1);
        for (jint t = 0; t < 2; ++t) {
            const auto* stats = static_cast<runtime::ShortArray*>((*s->matchStats)[t]);
            for (jint i = 0; i < 13; ++i) {
                EXPECT_EQ((*stats)[i], 0);
            }
            EXPECT_EQ(match::matchTeam(t)->goals, 0);
            EXPECT_EQ(match::matchTeam(t)->teamIntC, 0);
            EXPECT_EQ(match::matchTeam(t)->teamByteA, 1);
            EXPECT_EQ(s->teamGoalsCounted[t], 0);
        }
        EXPECT_EQ(s->goalCount, 0);
        EXPECT_EQ(s->playerToReplace.get(), nullptr);
        EXPECT_EQ(s->foulPlayer.get(), nullptr);
        EXPECT_EQ(s->offsidePlayer.get(), nullptr);
        EXPECT_EQ((*s->frameRecord)[kSoundRequestWord], -1);
        // The kick-off: the phase is asked for, the ball lies still on the spot.
        EXPECT_EQ(s->matchPhase, 2);
        EXPECT_EQ(s->ball->x, 0);
        EXPECT_EQ(s->ball->vz, 0);
        EXPECT_EQ(s->ballState, 6);
        // The kick-off team's eleven first, then the other's; the bench stays where it was.
        ASSERT_EQ(starts.started.size(), 22U);
        EXPECT_EQ(starts.modes, std::set<jint>{1});
        EXPECT_EQ(starts.started[0], player(c.kickOff, 0));
        EXPECT_EQ(starts.started[11], player(1 - c.kickOff, 0));
        for (jint slot = 0; slot < 11; ++slot) {
            EXPECT_EQ(player(c.kickOff, slot)->x, c.x);
            EXPECT_EQ(player(c.kickOff, slot)->y, c.kickOffY);
            EXPECT_EQ(player(1 - c.kickOff, slot)->y, c.otherY);
            EXPECT_EQ(player(1 - c.kickOff, slot)->order, 4);
        }
        EXPECT_EQ(player(0, 11)->x, 777);
        // Period 1, the board out of sight, an empty ring that runs one tick a frame.
        EXPECT_EQ(s->matchPeriod, 1);
        EXPECT_EQ(s->boardSlide, 0);
        EXPECT_EQ(s->matchDayMarker, 0);
        EXPECT_EQ(s->periodMarkers[0], -1);
        EXPECT_EQ(s->periodMarkers[1], -1);
        EXPECT_EQ(s->ringReadPos + s->ringWritePos + s->ringHasData + s->replayFrameCounter, 0);
        EXPECT_EQ(s->matchSpeedBase, 1);
        EXPECT_EQ(match::standInCallCount("resetTeamLogic"), teamResets + 1);
        EXPECT_NE(s->specialParticleKind.get(), nullptr);
    }
}

TEST_F(MatchSetUpTest, AResumedMatchKeepsItsPlayersAndKicksOffOffTheSpot) {
    GameStatics* s = statics();
    s->teamOrderFlag = 1;
    s->matchResumed = 1;
    s->ball->x = 5000;
    s->ballState = 3;
    s->matchPhase = -7;
    const jint phaseResets = match::standInCallCount("resetPhaseState");
    match::setUpMatch(nullptr);
    EXPECT_EQ(s->matchPhase, 2);
    EXPECT_EQ(match::standInCallCount("resetPhaseState"), phaseResets);
    EXPECT_TRUE(starts.started.empty());
    EXPECT_EQ(player(0, 3)->x, 777);
    EXPECT_EQ(s->ball->x, 5000);
    EXPECT_EQ(s->ballState, 3);
    EXPECT_EQ(s->matchPeriod, 1);
    EXPECT_EQ(s->matchSpeedBase, 1);
}

TEST_F(MatchSetUpTest, TheParticleFieldTakesFiveDrawsAParticleAndTheSpecialOnesOnce) {
    GameStatics* s = statics();
    const jlong start = s->gameRandom->seed;
    match::generateParticles();
    EXPECT_EQ(s->gameRandom->seed, stateAfter(start, 2006)) << "2,000 draws and two for each special";
    // Replay the draws: the remainders keep the draw's sign.
    runtime::java_util_Random replay(0);
    replay.seed = start;
    bool negative = false;
    for (jint i = 0; i < 400; ++i) {
        const jint rx = replay.nextInt() % 100;
        const jint ry = replay.nextInt() % 100;
        const jint rs = replay.nextInt() % 100;
        const jint rv = replay.nextInt() % 100;
        const jlong rc = replay.nextInt();
        ASSERT_EQ((*s->particleX)[i], rx * 480 / 100) << i;
        ASSERT_EQ((*s->particleY)[i], ry * 800 / 100) << i;
        ASSERT_EQ((*s->particleSpeed)[i], rv * 5 / 100 + 3) << i;
        ASSERT_EQ((*s->particleColour)[i], (rc < 0 ? -rc : rc) % 16777216) << i;
        const jint size = (*s->particleSize)[i];
        ASSERT_TRUE(size == rs * 6 / 100 + 6 || size == 12) << i;
        ASSERT_GE(size, 1);
        negative = negative || (*s->particleX)[i] < 0;
    }
    EXPECT_TRUE(negative) << "negative draws give positions left of the screen";
    for (jint k = 0; k < 3; ++k) {
        const jlong ri = replay.nextInt();
        const jlong rk = replay.nextInt();
        EXPECT_EQ((*s->specialParticles)[k], 133 * k + (ri < 0 ? -ri : ri) % 133);
        EXPECT_EQ((*s->specialParticleKind)[k], (rk < 0 ? -rk : rk) % 9);
        EXPECT_EQ((*s->particleSize)[(*s->specialParticles)[k]], 12);
    }
    // Later fields leave the special particles as they are.
    const jlong second = s->gameRandom->seed;
    const runtime::IntArray* kinds = s->specialParticleKind;
    match::generateParticles();
    EXPECT_EQ(s->gameRandom->seed, stateAfter(second, 2000));
    EXPECT_EQ(s->specialParticleKind.get(), kinds);
}

TEST_F(MatchSetUpTest, TheMostNegativeDrawGivesASpecialParticleInsideTheField) {
    // The state whose next draw is -2^31, stepped back over the 2,000 draws of the field.
    constexpr std::uint64_t kInverse = 0xDFE05BCB1365ULL; // the multiplier's inverse modulo 2^48
    std::uint64_t state = ((std::uint64_t{1} << 47) - kAddend) * kInverse & kMask;
    for (jint i = 0; i < 2000; ++i) {
        state = (state - kAddend) * kInverse & kMask;
    }
    runtime::java_util_Random check(0);
    check.seed = stateAfter(static_cast<jlong>(state), 2000);
    ASSERT_EQ(check.nextInt(), -2147483647 - 1);
    GameStatics* s = statics();
    s->gameRandom->seed = static_cast<jlong>(state);
    match::generateParticles();
    EXPECT_EQ((*s->specialParticles)[0], 2147483648LL % 133);
    EXPECT_EQ((*s->particleSize)[(*s->specialParticles)[0]], 12);
}

TEST_F(MatchSetUpTest, ASkippedPeriodEndsAtItsMinuteWithAtMostOneWholeMinuteAdded) {
    struct Case {
        jint period;
        jint seconds; // the clock of word 2
        jint added;   // word 3
        bool skipping;
        bool ends;
    };
    const Case cases[] = {
        {1, 45 * 60, 0, true, true},       {1, 45 * 60, 60, true, true},  {1, 44 * 60 + 59, 0, true, false},
        {1, 47 * 60, 120, true, false},    {1, 46 * 60, 30, true, false}, {2, 90 * 60, 60, true, true},
        {2, 89 * 60 + 59, 0, true, false}, {2, 95 * 60, 0, true, true},   {3, 105 * 60, 0, true, false},
        {4, 120 * 60, 0, true, false},     {1, 45 * 60, 0, false, false}, {5, 0, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "period " << c.period << " at " << c.seconds << " + " << c.added);
        GameStatics* s = statics();
        ASSERT_NE(match::ensureFrameRecord(), nullptr);
        (*s->frameRecord)[kClockWord] = static_cast<runtime::jshort>(packClockWord(c.period, c.seconds));
        (*s->frameRecord)[kAddedTimeWord] = static_cast<runtime::jshort>(c.added);
        s->matchDayMode = c.skipping ? 1 : 0;
        s->kickOffTeam = 1;
        s->periodEndMinute = 47;
        s->clockMinute = 40;
        s->clockSecond = 20;
        s->clockStopped = 0;
        s->matchPhase = -7;
        match::endSkippedPeriod();
        EXPECT_EQ(s->matchPhase, c.ends ? 9 : -7);
        EXPECT_EQ(s->clockStopped, c.ends ? 1 : 0);
        EXPECT_EQ(s->clockMinute, c.ends ? 47 : 40);
        EXPECT_EQ(s->clockSecond, c.ends ? 0 : 20);
    }
}

// The board only draws: a skipped period's end is the frame logic's (endSkippedPeriod).
TEST_F(MatchSetUpTest, TheBoardSlidesFromItsMinuteWithoutEndingASkippedPeriod) {
    struct Case {
        jint period;
        jint minute;
        bool skipping;
        jint slide; // boardSlide after the frame, from 0
        bool ends;
    };
    const Case cases[] = {
        {1, 44, false, 0, false}, {1, 45, false, 2, false},  {2, 89, false, 0, false},
        {2, 90, false, 2, false}, {3, 105, false, 2, false}, {1, 45, true, 2, false},
    };
    GameStatics* s = statics();
    s->currentGraphics = nullptr;
    ASSERT_NE(match::ensureFrameRecord(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "period " << c.period << " minute " << c.minute);
        (*s->frameRecord)[kClockWord] = static_cast<runtime::jshort>(packClockWord(c.period, c.minute * 60));
        (*s->frameRecord)[kAddedTimeWord] = 0;
        s->matchDayMode = c.skipping ? 1 : 0;
        s->boardSlide = 0;
        s->clockStopped = 0;
        s->matchPhase = -7;
        match::updateAddedTimeBoard();
        EXPECT_EQ(s->boardSlide, c.slide);
        EXPECT_EQ(s->matchPhase, c.ends ? 9 : -7);
        EXPECT_EQ(s->clockStopped, c.ends ? 1 : 0);
    }
}

} // namespace
} // namespace game::testing
