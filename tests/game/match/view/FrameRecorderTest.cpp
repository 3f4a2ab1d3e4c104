// The frame recorder and the replay ring: the header words with their clamped fields, the redraw
// request and its recorded copy, the refused sprite command, the ring over a table of positions
// (wrap, fill, dropping one and several old records, the ticks-per-frame thresholds, a corrupt
// length) with a trailer walk, and reading a record back.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using match::Actor;
using match::CPlayer;
using match::CTeam;
using runtime::jint;

class FrameRecorderTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        s->topState = core::kTopStateMatch;
        s->replayRing = runtime::newShortArray(kRingLength);
        s->ringReadPos = 0;
        s->ringWritePos = 0;
        s->ringHasData = 0;
        ASSERT_NE(match::ensureFrameRecord(), nullptr);
    }

    // A record of `length` shorts (frameLength = length - 1) whose body words count up from seed.
    static void buildRecord(const jint length, const jint seed) {
        GameStatics* s = statics();
        for (jint i = 1; i < length - 1; ++i) {
            (*s->frameRecord)[i] = static_cast<runtime::jshort>(seed + i);
        }
        s->frameLength = length - 1;
    }

    // Writes a bare record of `length` at ring position at (length at both ends).
    static void plantRecord(const jint at, const jint length) {
        runtime::ShortArray* ring = statics()->replayRing;
        (*ring)[at % kRingLength] = static_cast<runtime::jshort>(length);
        (*ring)[(at + length - 1) % kRingLength] = static_cast<runtime::jshort>(length);
    }
};

TEST_F(FrameRecorderTest, HeaderPacksAndClampsItsFields) {
    GameStatics* s = statics();
    runtime::ObjectArray* teams = runtime::newObjectArray(2);
    s->matchTeams = teams;
    for (jint t = 0; t < 2; ++t) {
        auto* team = runtime::newObject<CTeam>();
        (*teams)[t] = team;
        team->players = runtime::newObjectArray(18);
        for (jint slot = 0; slot < 11; ++slot) {
            auto* p = runtime::newObject<CPlayer>();
            (*team->players)[slot] = p;
            p->x = (100 * t + slot) << 8;
            p->y = -(slot << 8) - 7;
        }
    }
    static_cast<CPlayer*>((*static_cast<CTeam*>((*teams)[1])->players)[4])->outOfPlay = 1;
    static_cast<CTeam*>((*teams)[0])->goals = 40;  // recorded as 31
    static_cast<CTeam*>((*teams)[1])->goals = 300; // recorded as 255
    s->ball = runtime::newObject<Actor>();
    s->ball->x = -5 << 8;
    s->ball->y = 9 << 8;
    s->ball->z = 3 << 8;
    s->sceneRedrawRecorded = 1;
    s->matchPhase = 17;
    s->phaseStep = 3;
    s->matchPeriod = 5;
    s->shootoutKicks = 200;
    s->clockMinute = 125;
    s->clockSecond = 7;
    s->addedTimeLeftMinutes = 2;
    s->addedTimeLeftSeconds = 30;
    s->pendingEvent = 6;
    s->pendingEventDelay = 1;
    s->cameraX = 640;
    s->cameraY = 33;
    s->markerFlags = 0x0A05;

    match::recordFrameHeader();
    const runtime::ShortArray& r = *s->frameRecord;
    EXPECT_EQ(s->frameLength, kHeaderEnd);
    EXPECT_EQ(r[kPhaseWord] & 0xFFFF, 0x8000 | (127 << 8) | (15 << 4) | 3);
    EXPECT_EQ(phaseOf(r[kPhaseWord]), 15);
    EXPECT_EQ(kicksOf(r[kPhaseWord]), 127);
    EXPECT_EQ(periodOf(r[kClockWord]), 5);
    EXPECT_EQ(timeOf(r[kClockWord]), 125 * 60 + 7);
    EXPECT_EQ(r[kAddedTimeWord], 150);
    EXPECT_EQ(r[kScoreWord], (31 << 8) | 255); // the event waits one more record
    EXPECT_EQ(r[kCameraXWord], 640);
    EXPECT_EQ(r[kCameraYWord], 33);
    EXPECT_EQ(r[kFirstPlayerWord + 2 * 3], 3);
    EXPECT_EQ(r[kFirstPlayerWord + 2 * 3 + 1], -4); // arithmetic shift of -(3 << 8) - 7
    EXPECT_EQ(r[kFirstSecondTeamWord + 2 * 4], kAbsent);
    EXPECT_EQ(r[kFirstSecondTeamWord + 2 * 4 + 1], kAbsent);
    EXPECT_EQ(r[kFirstSecondTeamWord + 2 * 5], 105);
    EXPECT_EQ(r[kBallWord], -5);
    EXPECT_EQ(r[kBallWord + 1], 9);
    EXPECT_EQ(r[kBallWord + 2], 3);
    EXPECT_EQ(r[kMarkerFlagsWord], 0x0A05);

    match::recordFrameHeader(); // delay 0: the event is in this record only
    EXPECT_EQ(eventOf(r[kScoreWord]), 6);
    EXPECT_EQ(goals0Of(r[kScoreWord]), 31);
    EXPECT_EQ(goals1Of(r[kScoreWord]), 255);
    match::recordFrameHeader();
    EXPECT_EQ(eventOf(r[kScoreWord]), 0);
    EXPECT_EQ(s->pendingEventDelay, -1);

    // Period 6 sets bit 15 of the clock word; an unsigned read gets it back.
    s->matchPeriod = 6;
    match::recordFrameHeader();
    EXPECT_LT(r[kClockWord], 0);
    EXPECT_EQ(periodOf(r[kClockWord]), 6);
    EXPECT_EQ(kicksOf(r[kPhaseWord]), 0); // kicks only in the shoot-out

    // Nothing is recorded in the menus.
    s->topState = core::kTopStateMenus;
    s->frameLength = 0;
    match::recordFrameHeader();
    EXPECT_EQ(s->frameLength, 0);
}

TEST_F(FrameRecorderTest, ARedrawRequestReachesTheHeaderOnlyOnceCopied) {
    GameStatics* s = statics();
    s->backgroundForceRedraw = 0;
    s->sceneRedrawRecorded = 0;
    match::setViewRefresh();
    EXPECT_EQ(s->backgroundForceRedraw, 1);
    match::recordFrameHeader();
    EXPECT_FALSE(redrawOf((*s->frameRecord)[kPhaseWord])) << "the request is not recorded before its copy";
    match::copyViewRefresh();
    match::recordFrameHeader();
    EXPECT_TRUE(redrawOf((*s->frameRecord)[kPhaseWord]));
    // The pitch painter clears the request; the next copy records no redraw.
    s->backgroundForceRedraw = 0;
    match::copyViewRefresh();
    match::recordFrameHeader();
    EXPECT_FALSE(redrawOf((*s->frameRecord)[kPhaseWord]));
}

TEST_F(FrameRecorderTest, SpriteCommandsStopShortOfTheTrailer) {
    GameStatics* s = statics();
    s->frameLength = kFirstCommandWord;
    s->markerIndex = 21;
    match::recordSpriteCommand(7, 100, -3, 1, 0, 0x305, 66);
    const runtime::ShortArray& r = *s->frameRecord;
    EXPECT_EQ(r[110], (7 << 8) + 66);
    EXPECT_EQ(r[111], 201);
    EXPECT_EQ(r[112], -6);
    EXPECT_EQ(r[113] & 0xFFFF, 0x305 + (21 << 11));
    for (jint i = 1; i < kMaxCommands + 5; ++i) {
        match::recordSpriteCommand(1, i, i, 0, 0, 0, 0);
    }
    EXPECT_EQ(s->frameLength, kRecordCapacity - 1); // the trailer's word is left
    EXPECT_EQ(kRecordCapacity, 359);
}

// The ring's positions before a commit, the planted old records, and what the commit leaves.
struct RingCase {
    const char* name;
    jint read;
    jint write;
    std::vector<jint> planted; // lengths of old records back to back from `read`
    jint length;               // the committed record
    jint wantRead;
    jint wantWrite;
    jint wantSpeedBase;
};

TEST_F(FrameRecorderTest, RingTable) {
    const RingCase cases[] = {
        {"empty ring", 0, 0, {}, 111, 0, 111, 2},
        {"8365 ahead", 0, 8254, {}, 111, 0, 8365, 2},
        {"8366 ahead", 0, 8255, {}, 111, 0, 8366, 1},
        {"334 behind", 1000, 555, {}, 111, 1000, 666, 1},
        {"335 behind", 1000, 554, {}, 111, 1000, 665, 2},
        {"wraps the end", 200, 8650, {}, 111, 200, 61, 1},
        {"fills exactly: drops one", 0, 8589, {111}, 111, 111, 0, 1},
        {"drops one", 0, 8650, {200, 150}, 111, 200, 61, 1},
        {"drops several", 0, 8600, {111, 111, 111, 111}, 359, 333, 259, 1},
        {"corrupt length empties", 0, 8650, {5}, 111, 0, 111, 2},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameStatics* s = statics();
        for (jint i = 0; i < kRingLength; ++i) {
            (*s->replayRing)[i] = 0;
        }
        jint at = c.read;
        for (const jint l : c.planted) {
            plantRecord(at, l);
            at += l;
        }
        s->ringReadPos = c.read;
        s->ringWritePos = c.write;
        s->ringHasData = 1;
        buildRecord(c.length, 1000);
        match::commitFrameRecord();
        EXPECT_EQ(s->ringReadPos, c.wantRead);
        EXPECT_EQ(s->ringWritePos, c.wantWrite);
        EXPECT_EQ(s->matchSpeedBase, c.wantSpeedBase);
        // The committed record sits just behind the write position, length at both ends.
        const jint start = (c.wantWrite - c.length + kRingLength) % kRingLength;
        EXPECT_EQ((*s->replayRing)[start], c.length);
        EXPECT_EQ((*s->replayRing)[(start + c.length - 1) % kRingLength], c.length);
        EXPECT_EQ((*s->replayRing)[(start + 1) % kRingLength], 1001);
    }
}

TEST_F(FrameRecorderTest, TrailerWalkAndReadBack) {
    GameStatics* s = statics();
    s->ringReadPos = 0;
    s->ringWritePos = 0;
    s->ringHasData = 0;
    // About three rings' worth of records of varying lengths.
    std::vector<std::vector<runtime::jshort>> kept;
    for (jint n = 0; n < 100; ++n) {
        const jint length = 111 + (n * 37) % 249;
        buildRecord(length, n * 10);
        match::commitFrameRecord();
        kept.emplace_back(s->frameRecord->data(), s->frameRecord->data() + length);
    }
    // Walk forwards from the reader by the leading lengths to the writer; trailers match.
    jint pos = s->ringReadPos;
    jint records = 0;
    do {
        const jint length = (*s->replayRing)[pos];
        ASSERT_GE(length, kShortestRecord);
        ASSERT_LE(length, kRecordCapacity);
        EXPECT_EQ((*s->replayRing)[(pos + length - 1) % kRingLength], length);
        pos = (pos + length) % kRingLength;
        ++records;
    } while (pos != s->ringWritePos && records < 200);
    EXPECT_EQ(pos, s->ringWritePos);
    EXPECT_GT(records, kRingLength / kRecordCapacity); // the ring holds more than its worst case

    // Reading back gives the oldest kept record whole, wrapping or not, and counts it.
    const jint counter = s->replayFrameCounter;
    const auto& oldest = kept[kept.size() - records];
    for (jint i = 0; i < 359; ++i) {
        (*s->frameRecord)[i] = 0;
    }
    match::readFrameRecord();
    EXPECT_EQ(s->frameLength, static_cast<jint>(oldest.size()));
    EXPECT_EQ(s->replayFrameCounter, counter + 1);
    for (jint i = 0; i < s->frameLength; ++i) {
        ASSERT_EQ((*s->frameRecord)[i], oldest[i]) << "word " << i;
    }

    // A corrupt length leaves the record and the counter as they were.
    (*s->replayRing)[s->ringReadPos] = -3;
    (*s->frameRecord)[1] = 77;
    match::readFrameRecord();
    EXPECT_EQ((*s->frameRecord)[1], 77);
    EXPECT_EQ(s->replayFrameCounter, counter + 1);
    (*s->replayRing)[s->ringReadPos] = 400;
    match::readFrameRecord();
    EXPECT_EQ(s->replayFrameCounter, counter + 1);
}

} // namespace

} // namespace game::testing
