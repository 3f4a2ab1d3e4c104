// Match playback over a replay ring of planted records: the records read per frame by speed (one
// while a match day is played through), a halted match reading the same record, the one-shot
// sound request, the skip area's three stops, the interval screen with its 36 rating coins, and a
// skipped match reading on to its stop by skipMode.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/core/services/MenuStateServices.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchPlayback.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/support/SoundRequests.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using runtime::jint;

constexpr jint kLength = kShortestRecord + 4; // one command

struct MenuStateLog final : core::MenuStateServices {
    void setMenuState(const jint state) override { states.push_back(state); }
    bool applyPendingMenuState() override { return false; }
    std::vector<jint> states;
};

class MatchPlaybackTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        s->replayRing = runtime::newShortArray(kRingLength);
        ASSERT_NE(match::ensureFrameRecord(), nullptr);
        s->lastShownPhase = 0;
        testing_support::reportSoundRequests(
            [](void* context, const jint id) { static_cast<std::vector<jint>*>(context)->push_back(id); },
            &sounds);
    }

    // Appends a record with the phase, step and period to the ring (its clock word's time is
    // its number in the ring, so the tests can tell which one is shown).
    void plant(const jint phase, const jint step = 0, const jint period = 1, const jint sound = -1) {
        GameStatics* s = statics();
        runtime::ShortArray* ring = s->replayRing;
        const jint at = s->ringWritePos;
        std::vector<jint> words(kLength, 0);
        words[kLengthWord] = kLength;
        words[kLength - 1] = kLength;
        words[kPhaseWord] = packPhaseWord(false, phase, step, 0);
        words[kClockWord] = packClockWord(period, planted++);
        words[kSoundRequestWord] = sound;
        for (jint i = 0; i < kLength; ++i) {
            (*ring)[(at + i) % kRingLength] = static_cast<runtime::jshort>(words[i]);
        }
        s->ringWritePos = (at + kLength) % kRingLength;
        s->ringHasData = 1;
    }
    void plantMany(const jint count, const jint phase = 0) {
        for (jint i = 0; i < count; ++i) {
            plant(phase);
        }
    }
    static jint shownNumber() { return timeOf((*statics()->frameRecord)[kClockWord]); }

    std::vector<jint> sounds;
    MenuStateLog menus;
    runtime::ScopedService<core::MenuStateServices> menusScope{&core::installMenuStateServices, menus};
    jint planted = 0;
};

TEST_F(MatchPlaybackTest, RecordsReadPerFrameFollowTheSpeedAndAMatchDayReadsOne) {
    struct Case {
        jint level;
        bool matchDay;
        jint read;
    };
    for (const Case c : {Case{0, false, 1}, Case{1, false, 2}, Case{2, false, 4}, Case{3, false, 8},
                         Case{3, true, 1}}) {
        SCOPED_TRACE(c.level);
        GameStatics* s = statics();
        s->ringReadPos = s->ringWritePos = 0;
        planted = 0;
        plantMany(20);
        s->matchSpeedUsed = c.level;
        s->matchDayMode = c.matchDay ? 1 : 0;
        match::updateMatchPlayback();
        EXPECT_EQ(s->ringReadPos, c.read * kLength);
        EXPECT_EQ(shownNumber(), c.read - 1);
    }
}

TEST_F(MatchPlaybackTest, AHaltedMatchReadsTheSameRecordAndItsSoundPlaysOnce) {
    GameStatics* s = statics();
    plant(0, 0, 1, 7);
    plantMany(3);
    s->matchHalted = 1;
    for (jint frame = 0; frame < 3; ++frame) {
        const jint counter = s->replayFrameCounter;
        match::updateMatchPlayback();
        EXPECT_EQ(s->ringReadPos, 0);
        EXPECT_EQ(shownNumber(), 0);
        EXPECT_EQ(s->replayFrameCounter, counter + 1);
    }
    EXPECT_EQ(sounds, std::vector<jint>{7});
}

TEST_F(MatchPlaybackTest, TheReaderNeverPassesTheNewestRecord) {
    GameStatics* s = statics();
    plantMany(2);
    s->matchSpeedUsed = 3;
    match::updateMatchPlayback();
    EXPECT_EQ(s->ringReadPos, kLength);
    EXPECT_EQ(shownNumber(), 1);
}

TEST_F(MatchPlaybackTest, PhaseChangesPlayTheirWhistles) {
    struct Case {
        jint phase;
        jint period;
        std::vector<jint> sounds;
    };
    for (const Case& c : {Case{1, 1, {3}}, Case{4, 1, {0}}, Case{9, 1, {12}}, Case{2, 1, {13}}, Case{6, 1, {13}},
                          Case{0, 1, {}}}) {
        SCOPED_TRACE(c.phase);
        GameStatics* s = statics();
        s->ringReadPos = s->ringWritePos = 0;
        s->lastShownPhase = 3;
        s->backgroundForceRedraw = 0;
        sounds.clear();
        plant(c.phase, 0, c.period);
        plant(c.phase, 0, c.period);
        match::updateMatchPlayback();
        EXPECT_EQ(sounds, c.sounds);
        EXPECT_EQ(s->lastShownPhase, c.phase);
        EXPECT_EQ(s->backgroundForceRedraw, 1);
    }
}

TEST_F(MatchPlaybackTest, TheSkipAreaStopsAtAStepElevenAtOpenPlayOrNearTheWriter) {
    struct Case {
        const char* name;
        jint stopPhase;
        jint stopStep;
        jint before; // restart records before the stop
        jint shown;  // the record number left shown (near the writer: 42 records, the first
                     // that starts fewer than 335 shorts before the writer)
    };
    for (const Case& c : {Case{"step 11", 3, 11, 5, 6}, Case{"open play", 0, 0, 4, 5},
                          Case{"near the writer", 3, 0, 40, 40}}) {
        SCOPED_TRACE(c.name);
        GameStatics* s = statics();
        s->ringReadPos = s->ringWritePos = 0;
        planted = 0;
        plantMany(c.before + 1, 3);
        plant(c.stopPhase, c.stopStep);
        plantMany(c.stopPhase == 3 && c.stopStep == 0 ? 0 : 10, 3);
        s->touchReleased = 1;
        s->pointerReleaseX = 50;
        s->pointerReleaseY = 560;
        s->backgroundForceRedraw = 0;
        match::updateMatchPlayback();
        EXPECT_EQ(shownNumber(), c.shown);
        EXPECT_EQ(s->backgroundForceRedraw, 1);
    }
}

TEST_F(MatchPlaybackTest, ALaterKickOffOpensTheIntervalWithItsThirtySixCoins) {
    GameStatics* s = statics();
    s->gameRandom = runtime::newObject<runtime::java_util_Random>(1234);
    runtime::java_util_Random reference(1234);
    for (jint i = 0; i < 36; ++i) {
        reference.nextInt();
    }
    plant(0, 0, 1);
    plant(2, 0, 2);
    plant(2, 0, 2);
    s->matchSpeedUsed = 2;
    match::updateMatchPlayback();
    EXPECT_EQ(s->topState, core::kTopStateMenus);
    EXPECT_EQ(menus.states, std::vector<jint>{match::kIntervalMenuState});
    EXPECT_EQ(s->matchInterrupted, 1);
    EXPECT_EQ(s->matchDayMarker, 1);
    EXPECT_EQ(s->lastShownPhase, 2);
    EXPECT_EQ(shownNumber(), 1);
    EXPECT_EQ(s->ringReadPos, 2 * kLength) << "the kick-off record is skipped";
    EXPECT_EQ(s->gameRandom->nextInt(), reference.nextInt());
}

TEST_F(MatchPlaybackTest, ASkippedMatchReadsOnToItsStopBySkipMode) {
    struct Case {
        jint skipMode;
        jint period;
        bool interval;
    };
    for (const Case c : {Case{0, 2, false}, Case{1, 2, true}, Case{0, 3, true}}) {
        SCOPED_TRACE(c.skipMode * 10 + c.period);
        GameStatics* s = statics();
        s->ringReadPos = s->ringWritePos = 0;
        s->topState = core::kTopStateMatch;
        s->lastShownPhase = 9;
        menus.states.clear();
        planted = 0;
        plant(9);
        plantMany(3, 9);
        plant(2, 0, c.period);
        plant(2, 0, c.period);
        s->halfTimeStop = 1;
        s->skipMode = c.skipMode;
        s->matchDayMode = 1;
        match::updateMatchPlayback();
        EXPECT_EQ(s->halfTimeStop, 0);
        EXPECT_EQ(s->lastShownPhase, 2);
        EXPECT_EQ(!menus.states.empty(), c.interval);
        EXPECT_EQ(shownNumber(), 4);
        EXPECT_EQ(s->ringReadPos, 5 * kLength);
    }
}

} // namespace

} // namespace game::testing
