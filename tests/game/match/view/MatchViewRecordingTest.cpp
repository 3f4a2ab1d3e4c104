// The recording pass of the match view: depth order with equal screen y, the ball sorted by its
// ground point, the ball put before or behind the goal frame, the trail, shadow and effect, the
// keeper's, outfield and touchline palettes with the markers and markerFlags, the ball's spin rule,
// a hidden ball, the empty marker block while skipping, and one tick with a memory Graphics and
// without one recording the same.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/FrameRecorder.h"
#include "game/match/view/MatchViewRecording.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tests/game/support/MatchTeams.h"

namespace game::testing {

namespace {

using namespace game::match::frame;
using match::Actor;
using match::CPlayer;
using match::CTeam;
using runtime::jint;

// One recorded sprite command.
struct RecCommand {
    jint setIndex;
    jint palette;
    jint x;
    jint y;
    jint frameCode;
    jint marker;
};

class MatchViewRecordingTest : public GameResourceFixture {
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
        s->matchActors = runtime::newObjectArray(52, runtime::kActor);
        s->sortedActors = runtime::newObjectArray(52, runtime::kActor);
        s->matchActorCount = 0;
        s->cameraX = 0;
        s->cameraY = 0;
        s->matchPhase = 0;
        s->phaseStep = 0;
        s->matchPeriod = 1;
        s->markerFlags = 0;
    }

    // A scenery actor of `kind` standing at screen point (x, y) (placement 1: not projected).
    static Actor* addActor(const jint kind, const jint x, const jint y) {
        return place(runtime::newObject<Actor>(), kind, x, y);
    }

    static Actor* place(Actor* actor, const jint kind, const jint x, const jint y) {
        GameStatics* s = statics();
        actor->kind = kind;
        actor->placement = 1;
        actor->screenX = x;
        actor->screenY = y;
        actor->actorIndex = s->matchActorCount;
        (*s->matchActors)[s->matchActorCount++] = actor;
        return actor;
    }

    static Actor* addBall(const jint groundX, const jint groundY) {
        GameStatics* s = statics();
        Actor* ball = addActor(2, groundX, groundY - 20);
        s->ball = ball;
        s->ballGroundX = groundX;
        s->ballGroundY = groundY;
        return ball;
    }

    static std::vector<RecCommand> commands() {
        const GameStatics* s = statics();
        std::vector<RecCommand> out;
        const runtime::ShortArray* r = s->frameRecord;
        const jint length = (*r)[kLengthWord];
        for (jint at = kFirstCommandWord; at + kCommandLength < length; at += kCommandLength) {
            const jint w0 = (*r)[at] & 0xFFFF;
            const jint w3 = (*r)[at + 3] & 0xFFFF;
            out.push_back({w0 >> 8, w0 & 0xFF, (*r)[at + 1] >> 1, (*r)[at + 2] >> 1, w3 & 0x7FF, w3 >> 11});
        }
        return out;
    }

    static std::vector<jint> setIndices() {
        std::vector<jint> out;
        for (const RecCommand& c : commands()) {
            out.push_back(c.setIndex);
        }
        return out;
    }

    static std::vector<jint> xs() {
        std::vector<jint> out;
        for (const RecCommand& c : commands()) {
            out.push_back(c.x);
        }
        return out;
    }

    // Two teams of eleven players (placement 3 so that the pass leaves them out), slot 0 keepers.
    static void makeTeams() {
        makeMatchTeams(11);
        for (jint t = 0; t < 2; ++t) {
            for (jint slot = 0; slot < 11; ++slot) {
                CPlayer* p = teamPlayer(t, slot);
                p->kind = slot == 0 ? 1 : 0;
                p->placement = 3;
                p->distanceToBall = 200000 + slot;
            }
        }
    }

    static CPlayer* teamPlayer(const jint t, const jint slot) {
        return match::teamPlayer(match::matchTeam(t), slot);
    }
};

TEST_F(MatchViewRecordingTest, ActorsGoByRisingScreenYAndTheLaterOfEqualYFirst) {
    addActor(4, 10, 100);
    addActor(5, 20, 50);
    addActor(6, 30, 100);
    addActor(4, 40, 100);
    addActor(5, 50, 700);
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{20, 40, 30, 10, 50}));
    EXPECT_EQ(setIndices(), (std::vector<jint>{5, 4, 6, 4, 5}));
    EXPECT_EQ(statics()->sortedActorCount, 5);
}

TEST_F(MatchViewRecordingTest, HiddenInvisibleAndUnshownActorsAreLeftOutAndPlacementTwoComesFirst) {
    GameStatics* s = statics();
    addActor(4, 10, 10);
    addActor(4, 20, 5)->placement = 3;
    addActor(4, 30, 2000); // below the window
    addActor(9, 40, 10);   // shown only in some phases
    addActor(10, 50, 10);
    addActor(5, 60, 600)->placement = 2;
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{60, 10}));
    s->phaseStep = 12;
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{60, 50, 40, 10}));
    s->phaseStep = 2;
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{60, 40, 10}))
        << "kind 10 at step 2 wants another team or a substitution";
    s->playerToReplace = runtime::newObject<CPlayer>();
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{60, 50, 40, 10}));
}

TEST_F(MatchViewRecordingTest, TheBallSortsByItsGroundPointAndGetsItsScreenPointBack) {
    GameStatics* s = statics();
    addActor(4, 10, 99);
    Actor* ball = addBall(77, 100);
    match::paintMatchView(nullptr);
    // Shadow missing: ball only, after the actor at 99.
    EXPECT_EQ(xs(), (std::vector<jint>{10, 77}));
    EXPECT_EQ(ball->screenY, 80);
    s->ballSortsAbove = 1;
    match::paintMatchView(nullptr);
    EXPECT_EQ(xs(), (std::vector<jint>{77, 10}));
    EXPECT_EQ(ball->screenX, 77);
    EXPECT_EQ(ball->screenY, 80);
    EXPECT_EQ(commands()[0].y, 80);
}

TEST_F(MatchViewRecordingTest, BeyondAGoalLineTheDepthTestPutsTheBallBeforeOrBehindTheGoal) {
    GameStatics* s = statics();
    addActor(3, 10, 100);
    addActor(4, 20, 150);
    Actor* ball = addBall(30, 200);
    ball->x = -136000; // depth test false: a goal sorted first gives way to the ball
    match::paintMatchView(nullptr);
    EXPECT_EQ(setIndices(), (std::vector<jint>{2, 3, 4}));
    ball->x = 0; // within the goal lines nothing moves
    match::paintMatchView(nullptr);
    EXPECT_EQ(setIndices(), (std::vector<jint>{3, 4, 2}));
    // Depth test true with the goal after the ball: the ball goes to the goal's place.
    static_cast<Actor*>((*s->matchActors)[0])->screenY = 300;
    ball->x = -141000;
    match::paintMatchView(nullptr);
    EXPECT_EQ(setIndices(), (std::vector<jint>{4, 3, 2}));
}

TEST_F(MatchViewRecordingTest, TheTrailShadowAndEffectAreRecordedAroundTheBall) {
    GameStatics* s = statics();
    Actor* ball = addBall(100, 300);
    ball->frame = 3;
    ball->frameCode = 0x45;
    ball->x = 1000;
    s->ballPalette = 9;
    Actor* shadow = runtime::newObject<Actor>();
    shadow->kind = 8;
    s->ballShadow = shadow;
    Actor* effect = runtime::newObject<Actor>();
    effect->kind = 7;
    effect->screenX = 5;
    effect->screenY = 6;
    s->ballEffectActor = effect;
    s->ballEffectActive = 1;
    s->ballTrail = runtime::newIntArray(12);
    for (jint i = 0; i < 12; ++i) {
        (*s->ballTrail)[i] = 256 * i;
    }
    s->ballTrailLength = 3;
    s->ballTrailStride = 4;
    match::paintMatchView(nullptr);
    EXPECT_EQ(setIndices(), (std::vector<jint>{2, 2, 2, 8, 2, 7}));
    const std::vector<RecCommand> c = commands();
    EXPECT_EQ(c[0].palette, 9);
    EXPECT_EQ(c[3].palette, 0);
    EXPECT_EQ(c[3].x, 100);
    EXPECT_EQ(c[3].y, 300);
    EXPECT_EQ(c[4].frameCode, 0x45) << "the ball's frame comes back after the trail";
    EXPECT_EQ(ball->frame, 3);
    EXPECT_EQ(ball->x, 1000);
    EXPECT_EQ(s->paintingTrail, 0);
    EXPECT_EQ(shadow->anim, 0);
    // Without a sprite the effect's animation finishes at once.
    EXPECT_EQ(s->ballEffectActive, effect->animFinished != 0 ? 0 : 1);
    // A stopped ball has no trail; a high ball a large shadow.
    s->ballEffectActive = 1;
    s->ballState = 7;
    ball->z = 3840;
    match::paintMatchView(nullptr);
    EXPECT_EQ(setIndices(), (std::vector<jint>{8, 2, 7}));
    EXPECT_EQ(shadow->anim, 1);
    // A held ball is not recorded, nor its shadow.
    s->ballEffectActive = 0;
    s->keeperHoldsBall = 1;
    match::paintMatchView(nullptr);
    EXPECT_TRUE(setIndices().empty());
}

TEST_F(MatchViewRecordingTest, KeeperOutfieldAndTouchlinePalettesAndMarkers) {
    GameStatics* s = statics();
    makeTeams();
    s->listRowRecords = runtime::newByteArray(60 * 22);
    (*s->listRowRecords)[(5 + 0) * 22 + 13] = 9;
    (*s->listRowRecords)[(3 + 30) * 22 + 13] = 4;
    CPlayer* keeper = teamPlayer(1, 0);
    CPlayer* runner = teamPlayer(0, 5);
    CPlayer* other = teamPlayer(1, 3);
    for (CPlayer* p : {keeper, runner, other}) {
        p->placement = 1;
        p->screenX = 10 * p->slot + 100 * p->team->teamIndex;
        p->screenY = 100 + p->slot;
        p->actorIndex = s->matchActorCount;
        (*s->matchActors)[s->matchActorCount++] = p;
    }
    s->sidelineActors = runtime::newObjectArray(2, runtime::kActor);
    for (jint side = 0; side < 2; ++side) {
        auto* figure = runtime::newObject<CPlayer>();
        (*s->sidelineActors)[side] = figure;
        place(figure, 0, 300 + side, 500);
        figure->outOfPlay = 1; // touchline figures take no part in the out-of-play rule
    }
    keeper->distanceToBall = 0;
    runner->distanceToBall = 0;
    runner->bookings = 1;
    runner->unfit = 1;
    s->receivingPlayer = runner;
    match::paintMatchView(nullptr);
    std::vector<RecCommand> c = commands();
    ASSERT_EQ(c.size(), 5U);
    // keeper (y 100), other (103), runner (105), the two figures (500, later first).
    EXPECT_EQ(c[0].palette, 1 + 2 + 64);
    EXPECT_EQ(c[0].marker, 0) << "the keeper neither holds nor receives the ball";
    EXPECT_EQ(c[1].palette, 4);
    EXPECT_EQ(c[1].marker, 0);
    EXPECT_EQ(c[2].palette, 9);
    EXPECT_EQ(c[2].marker, 5);
    EXPECT_EQ(c[3].palette, 1);
    EXPECT_EQ(c[4].palette, 0);
    EXPECT_EQ(s->markerFlags, 0x300 | 5);
    // The keeper holds it; the runner's booking came from the foul just given (yellow): bit cleared.
    s->ballHolder = keeper;
    s->receivingPlayer = nullptr;
    s->foulPlayer = runner;
    runner->lastCard = 1;
    s->lastEventPlayer = runner;
    s->matchPhase = 1; // kept as the last event player
    match::paintMatchView(nullptr);
    c = commands();
    EXPECT_EQ(c[0].marker, 16) << "the nearest keeper of team 1 holds the ball";
    EXPECT_EQ(c[2].marker, 5);
    EXPECT_EQ(s->markerFlags, 0x200 | 16) << "low byte: the holding keeper, slot 0 + 16";
    // Out of play: not recorded. Step 12: no active player.
    other->outOfPlay = 1;
    s->phaseStep = 12;
    s->markerFlags = 0;
    s->matchPhase = 0;
    match::paintMatchView(nullptr);
    c = commands();
    ASSERT_EQ(c.size(), 4U);
    EXPECT_EQ(c[1].marker, 0);
    EXPECT_EQ(s->lastEventPlayer.get(), nullptr);
    EXPECT_EQ(s->markerFlags, 16);
}

TEST_F(MatchViewRecordingTest, TheBallSpinsByItsSpeedAndOtherActorsStepEveryTick) {
    GameStatics* s = statics();
    Actor* ball = addBall(10, 10);
    s->animateActors = 1;
    s->ballSpinCounter = 0;
    ball->vx = 100;
    ball->vy = -27; // 127: never
    for (jint i = 0; i < 20; ++i) {
        match::paintMatchView(nullptr);
    }
    EXPECT_EQ(s->ballSpinCounter, 20);
    ball->vz = 1 << 30; // capped at 1024: every tick
    ball->vx = 1 << 30;
    match::paintMatchView(nullptr);
    EXPECT_EQ(s->ballSpinCounter, 0);
    match::paintMatchView(nullptr);
    EXPECT_EQ(s->ballSpinCounter, 0);
    ball->vx = 320; // r = 9 - 5 = 4: the counter reaches 4, then advances
    ball->vy = 0;
    ball->vz = 0;
    std::vector<jint> counters;
    for (jint i = 0; i < 6; ++i) {
        match::paintMatchView(nullptr);
        counters.push_back(s->ballSpinCounter);
    }
    EXPECT_EQ(counters, (std::vector<jint>{1, 2, 3, 4, 0, 1}));
}

TEST_F(MatchViewRecordingTest, SkippingLeavesTheMarkerBlockEmptyAndEveryTickCommitsOneRecord) {
    GameStatics* s = statics();
    addActor(4, 10, 10);
    s->matchDayMode = 1;
    match::paintMatchView(nullptr);
    EXPECT_EQ((*s->frameRecord)[kLengthWord], kFirstCommandWord + kCommandLength + 1);
    EXPECT_EQ(s->ringWritePos, kFirstCommandWord + kCommandLength + 1);
    s->matchDayMode = 0;
    (*s->frameRecord)[kSoundRequestWord] = 3;
    match::paintMatchView(nullptr);
    EXPECT_EQ((*s->frameRecord)[kFirstMarkerWord + 2], -1);
    EXPECT_EQ((*s->frameRecord)[kSoundRequestWord], 3);
    EXPECT_EQ(s->ringWritePos, 2 * (kFirstCommandWord + kCommandLength + 1));
    EXPECT_EQ(s->matchSpeedBase, 2);
}

TEST_F(MatchViewRecordingTest, ARecordWithAGraphicsEqualsOneWithout) {
    GameStatics* s = statics();
    auto run = [s](profile::Graphics* g) {
        s->ringReadPos = 0;
        s->ringWritePos = 0;
        s->ringHasData = 0;
        s->matchActorCount = 0;
        s->pitchCondition = 2;
        s->ballSpinCounter = 0;
        for (jint m = 0; m < 4; ++m) {
            s->ballMarks[3 * m] = 50 * m;
            s->ballMarks[3 * m + 1] = 60;
            s->ballMarks[3 * m + 2] = m;
        }
        s->matchPhase = 17;
        addActor(9, 40, 40);
        addActor(4, 30, 30);
        Actor* ball = addBall(20, 20);
        ball->vx = 700;
        s->animateActors = 1;
        match::paintMatchView(g);
        match::paintMatchView(g);
        std::vector<jint> out;
        for (jint i = 0; i < (*s->frameRecord)[kLengthWord]; ++i) {
            out.push_back((*s->frameRecord)[i]);
        }
        for (jint i = 0; i < 12; ++i) {
            out.push_back(s->ballMarks[i]);
        }
        out.push_back(s->ballSpinCounter);
        return out;
    };
    const std::vector<jint> headless = run(nullptr);
    profile::Image* screen = core::createMutableImage(480, 800);
    const std::vector<jint> painted = run(screen->getGraphics());
    EXPECT_EQ(headless, painted);
    // Ball marks: frames below 3 move on (two records), copied less the camera into words 70..81.
    EXPECT_EQ(headless[kFirstBallMarkWord + 2], 2);
    EXPECT_EQ(headless[kFirstBallMarkWord + 5], 3);
    EXPECT_EQ(headless[kFirstBallMarkWord + 11], 3);
}

} // namespace

} // namespace game::testing
