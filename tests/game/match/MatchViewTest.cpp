// The match view and actor routines: the camera move, the on-screen bounds, the tile painter's
// ring placement and flips, the movement target, the condition and its reaction (through a
// recording match engine), the flash timer, velocity scaling, event marks, starting an animation,
// and golden images of the overview and the sliding banner.
//
// After a deliberate change of the painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_framework_tests --gtest_filter='MatchView*'
// and look at every rewritten image before committing it.
#include <vector>

#include "game/core/services/MatchServices.h"
#include "game/interim/InterimMatchServices.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "runtime/Service.h"
#include "tests/game/support/MatchViewFixture.h"

namespace game::testing {
using namespace game::sprites;
using namespace game::core;

namespace {

using match::Actor;
using match::CPlayer;
using match::CTeam;

// Records the reactions sent to players.
class RecordingEngine final : public interim::InterimMatchServices {
public:
    void applyEvent(CPlayer* player, const jint code) override { events.push_back({player, code}); }
    struct Event {
        CPlayer* player;
        jint code;
    };
    std::vector<Event> events;
};

class MatchViewTest : public MatchViewFixture {
protected:
    RecordingEngine engine;
    runtime::ScopedService<core::MatchServices> engineScope{&core::installMatchServices, engine};
};

TEST_F(MatchViewTest, CameraMoveSetsTargetAndStepsSoBothAxesArriveTogether) {
    struct Case {
        jint cameraX, cameraY, x, y, speed, direction;
        jint targetX, targetY, stepX, stepY;
    };
    const Case cases[] = {
        // 100 right and 50 down at speed 12: x is the longer axis.
        {0, 0, 340, 450, 12, 8, 100, 50, 12 * 256, 6 * 256},
        // Direction 3 shifts 60 right; moving left and up negates the steps.
        {500, 300, 400, 500, 10, 3, 220, 100, -10 * 256, -(10 * 256 * 200 / 280)},
        // Direction 0 shifts up-left; one axis unchanged steps only the other.
        {200, 0, 500, 420, 8, 0, 200, 0, 0, 0},
        {100, 0, 500, 420, 8, 1, 260, 0, 8 * 256, 0},
        // A speed above the distance moves the whole distance; the target is clamped.
        {0, 0, 245, 400, 20, 8, 5, 0, 5 * 256, 0},
        {2000, 500, 9000, 9000, 12, 8, 2399, 607, 12 * 256, 12 * 256 * 107 / 399},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "to (" << c.x << ", " << c.y << ") direction " << c.direction);
        GameStatics* s = statics();
        s->cameraX = c.cameraX;
        s->cameraY = c.cameraY;
        s->cameraTargetX = -1;
        s->cameraArrived = 1;
        match::moveCameraTo(1, c.x, c.y, c.speed, c.direction);
        EXPECT_EQ(s->cameraTargetX, c.targetX);
        EXPECT_EQ(s->cameraTargetY, c.targetY);
        EXPECT_EQ(s->cameraStepX, c.stepX);
        EXPECT_EQ(s->cameraStepY, c.stepY);
        EXPECT_EQ(s->cameraMode, 2);
        EXPECT_EQ(s->cameraFollowFlag, 1);
        EXPECT_EQ(s->cameraArrived, 0);
        EXPECT_EQ(s->cameraMoving, 1);
        EXPECT_EQ(s->cameraStartX, c.cameraX);
        EXPECT_EQ(s->cameraStartY, c.cameraY);
    }
}

TEST_F(MatchViewTest, CameraMoveToTheSameTargetChangesNoStep) {
    GameStatics* s = statics();
    match::moveCameraTo(0, 640, 900, 12, 8);
    ASSERT_EQ(s->cameraTargetX, 400);
    s->cameraStepX = 77;
    s->cameraMoving = 9;
    s->cameraArrived = 1;
    s->cameraMode = 0;
    match::moveCameraTo(1, 640, 900, 3, 8);
    EXPECT_EQ(s->cameraStepX, 77);
    EXPECT_EQ(s->cameraMoving, 9);
    EXPECT_EQ(s->cameraArrived, 0);
    EXPECT_EQ(s->cameraMode, 2);
    EXPECT_EQ(s->cameraFollowFlag, 1);
}

TEST_F(MatchViewTest, ActorIsOnScreenInsideItsBounds) {
    struct Case {
        jint dx, dy;
        bool on;
    };
    const Case cases[] = {{60, 300, false}, {61, 300, true}, {419, 300, true}, {420, 300, false},
                          {200, 80, false}, {200, 81, true}, {200, 719, true}, {200, 720, false}};
    Actor* actor = runtime::newObject<Actor>();
    statics()->cameraX = 1000;
    statics()->cameraY = 200;
    for (const Case& c : cases) {
        actor->screenX = 1000 + c.dx;
        actor->screenY = 200 + c.dy;
        EXPECT_EQ(match::isActorOnScreen(actor), c.on) << c.dx << ", " << c.dy;
    }
    EXPECT_FALSE(match::isActorOnScreen(nullptr));
}

TEST_F(MatchViewTest, TilesLandAtTheirRingPlacesWithTheirFlips) {
    profile::Image* tiles = fixtureTiles(4, 2, false);
    std::vector<std::uint8_t> map(kMapColumns * kMapRows, 255);
    std::vector<std::uint8_t> flips(kMapColumns * kMapRows / 4, 0);
    // Cell (31, 0) holds tile 3 with flip f; cell (0, 51) tile 2 unflipped.
    const jint cellA = 31;
    const jint cellB = 51 * kMapColumns;
    map[cellA] = 3;
    map[cellB] = 2;
    for (jint flip = 0; flip < 4; ++flip) {
        SCOPED_TRACE(::testing::Message() << "flip " << flip);
        flips[cellA / 4] = static_cast<std::uint8_t>(flip << (6 - 2 * (cellA % 4)));
        setLayer(0, map, flips, tiles, 2);
        match::paintPitchTiles(0, 0, 40, 50);
        const profile::Image& buffer = *statics()->pitchBuffer;
        jint wrong = 0;
        for (jint y = 0; y < 16; ++y) {
            for (jint x = 0; x < 16; ++x) {
                // 31 x 16 = 496 wraps to x 0; 51 x 16 = 816 wraps to y 0.
                const jint sx = (flip & 1) != 0 ? 15 - x : x;
                const jint sy = flip > 1 ? 15 - y : y;
                wrong += buffer.row16(y)[x] != tiles->row16(16 + sy)[16 + sx] ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    // Row 51 wraps to y 0: tile 2 of cell (0, 51) lands at (0, 0) too.
    map[cellA] = 255;
    setLayer(0, map, flips, tiles, 2);
    match::paintPitchTiles(0, 51, 0, 51);
    EXPECT_EQ(statics()->pitchBuffer->row16(5)[7], tiles->row16(16 + 5)[7]);
}

TEST_F(MatchViewTest, CellsOutsideTheMapAndTilesOutsideTheImageDrawNothing) {
    profile::Image* tiles = fixtureTiles(4, 2, false);
    std::vector<std::uint8_t> map(kMapColumns * 2, 9); // two rows of tile 9, beyond the 4 tiles
    map[0] = 1;
    setLayer(0, map, {}, tiles, 2);
    match::paintPitchTiles(-3, -3, 200, 100);
    const profile::Image& buffer = *statics()->pitchBuffer;
    EXPECT_EQ(buffer.row16(0)[0], tiles->row16(0)[16]);
    jint painted = 0;
    for (jint y = 0; y < match::kPitchBufferHeight; ++y) {
        for (jint x = 16; x < match::kPitchBufferWidth; ++x) {
            painted += buffer.row16(y)[x] != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(painted, 0);
}

TEST_F(MatchViewTest, MoveTargetStopsShortOfTheTargetOrOnIt) {
    struct Case {
        jint speed, fromX, fromY, toX, toY, x, y;
    };
    const Case cases[] = {
        // 100 units right: 10 short.
        {10, 0, 0, 100 * 256, 0, 90 * 256, 0},
        // At or within the distance: the target itself.
        {100, 0, 0, 100 * 256, 0, 100 * 256, 0},
        {120, 5, 7, 100 * 256 + 3, 9, 100 * 256 + 3, 9},
        // Diagonal: octagonal length of (60, 80) is 80 + 60 - 30 - 15 + 7 = 102.
        {51, 0, 0, 60 * 256, 80 * 256, (60 - 60 * 51 / 102) * 256, (80 - 80 * 51 / 102) * 256},
    };
    for (const Case& c : cases) {
        match::setMoveTarget(c.speed, c.fromX, c.fromY, c.toX, c.toY);
        EXPECT_EQ(statics()->linePointX, c.x) << c.speed;
        EXPECT_EQ(statics()->linePointY, c.y) << c.speed;
    }
}

class ConditionTest : public MatchViewTest {
protected:
    void SetUp() override {
        MatchViewTest::SetUp();
        statics()->listRowRecords = runtime::newByteArray(2 * 30 * 22);
        team = runtime::newObject<CTeam>();
        statics()->firstTeam = team;
        team->teamIndex = 1;
        player = runtime::newObject<CPlayer>();
        team->goalkeeper = player;
        player->team = team;
        player->slot = 4;
    }
    void setRecordByte(const jint entry, const jint b, const jint value) {
        (*statics()->listRowRecords)[(30 + entry) * 22 + b] = static_cast<runtime::jbyte>(value);
    }
    CTeam* team = nullptr;
    CPlayer* player = nullptr;
};

TEST_F(ConditionTest, StartTakesTheBaseAndTheRateByPositionGroup) {
    setRecordByte(4, 19, 37);
    struct Case {
        jint position, flags, rate;
    };
    // Level 3: keeper 2L + 9, groups 1-5 4L + 18, groups 6-13 (and an unknown position) (L + 7) x 4,
    // flag 64 always 4L + 18.
    const Case cases[] = {{-1, 0, 15}, {2, 0, 30},   {9, 0, 30},   {10, 0, 40}, {16, 0, 40},
                          {22, 0, 40}, {22, 64, 30}, {-1, 64, 30}, {99, 0, 40}};
    for (const Case& c : cases) {
        player->levelValue = 3;
        player->formationSlot = c.position;
        player->flags = c.flags;
        player->fatigue = 80;
        player->conditionLastTime = 12;
        match::initPlayerCondition(player, 25);
        EXPECT_EQ(player->conditionRate, c.rate) << c.position << " " << c.flags;
        EXPECT_EQ(player->conditionBase, 37);
        EXPECT_EQ(player->fatigue, 37) << "the current value reads the new base";
        EXPECT_EQ(player->conditionStart, 25);
        EXPECT_EQ(player->conditionLastTime, -1);
        EXPECT_EQ(player->conditionElapsed + player->conditionDecay + player->conditionCount, 0);
    }
}

TEST_F(ConditionTest, UnfitFollowsTheLineupsSquadEntry) {
    runtime::ObjectArray* lineup = runtime::newObjectArray(2, runtime::kByteArray);
    statics()->lineup = lineup;
    runtime::ByteArray* side = runtime::newByteArray(30);
    (*lineup)[1] = side;
    (*side)[4] = 9; // slot 4 plays with squad entry 9
    setRecordByte(9, 4, 5);
    match::initPlayerCondition(player, 0);
    EXPECT_EQ(player->unfit, 1);
    setRecordByte(9, 4, 4);
    match::initPlayerCondition(player, 0);
    EXPECT_EQ(player->unfit, 0);
}

TEST_F(ConditionTest, PassingFiftyAndSeventyFiveSendsTheReactionOnceEach) {
    setRecordByte(4, 19, 40);
    player->formationSlot = 16; // rate (0 + 7) x 4 = 28
    match::initPlayerCondition(player, 0);
    std::vector<jint> conditions;
    for (jint minute = 0; minute <= 90; ++minute) {
        match::updatePlayerCondition(player, minute);
        match::updatePlayerCondition(player, minute); // once per time value
        conditions.push_back(player->fatigue);
    }
    // 40 + (minute x 28 / 90) x 3 / 4: past 50 at minute 48, past 75 never below 99... up to 55.
    EXPECT_EQ(conditions[0], 40);
    EXPECT_EQ(conditions[90], 40 + 28 * 3 / 4);
    ASSERT_EQ(engine.events.size(), 1u);
    EXPECT_EQ(engine.events[0].player, player);
    EXPECT_EQ(engine.events[0].code, match::kConditionReaction);
    // Effort and work raise it further: past 75 once, and never above 99.
    player->effort = 160 * 400;
    match::updatePlayerCondition(player, 91);
    EXPECT_EQ(player->fatigue, 40 + ((400 * 5 / 90) + 91 * 28 / 90) * 3 / 4);
    ASSERT_EQ(engine.events.size(), 2u);
    player->workCounter = 100000;
    match::updatePlayerCondition(player, 92);
    EXPECT_EQ(player->fatigue, 99);
    EXPECT_EQ(engine.events.size(), 2u);
}

TEST_F(ConditionTest, PlayersOffThePitchAndEarlyTimesKeepTheirCondition) {
    setRecordByte(4, 19, 60);
    match::initPlayerCondition(player, 30);
    match::updatePlayerCondition(player, 10); // before the start: nothing elapsed
    EXPECT_EQ(player->fatigue, 60);
    player->outOfPlay = 1;
    player->workCounter = 100000;
    match::updatePlayerCondition(player, 50);
    EXPECT_EQ(player->fatigue, 60);
    EXPECT_EQ(engine.events.size(), 1u) << "only the pass over 50 at the first update";
}

TEST_F(MatchViewTest, FlashTimerCopiesAtEightAndEndsAtSixteen) {
    GameStatics* s = statics();
    s->flashActive = 1;
    s->flashFlag = 1;
    s->flashSource = 7;
    for (jint frame = 1; frame <= 20; ++frame) {
        match::stepFlashTimer();
        EXPECT_EQ(s->flashTarget, frame >= 8 ? 7 : 0) << frame;
        EXPECT_EQ(s->flashActive, frame < 16 ? 1 : 0) << frame;
    }
    EXPECT_EQ(s->flashCounter, 16);
    EXPECT_EQ(s->flashFlag, 0);
}

TEST_F(MatchViewTest, VelocityIsScaledOverTheOctagonalLength) {
    GameStatics* s = statics();
    match::scaleVelocity(256, 300, 400); // length 400 + 300 - 150 - 75 + 37 = 512, speed 480
    EXPECT_EQ(s->vectorX, 300 * 480 / 512);
    EXPECT_EQ(s->vectorY, 400 * 480 / 512);
    s->vectorX = 5;
    match::scaleVelocity(256, 0, 0);
    EXPECT_EQ(s->vectorX, 5);
}

TEST_F(MatchViewTest, EventMarksAnnounceThenDone) {
    GameStatics* s = statics();
    s->eventMarkWord = static_cast<runtime::jshort>(5 << 13 | 0x123);
    match::updateEventMarks();
    EXPECT_EQ(s->eventMarksAnnounced, 1 << 5);
    EXPECT_EQ(s->eventMarksDone, 0);
    match::updateEventMarks();
    EXPECT_EQ(s->eventMarksDone, 1 << 5);
    s->eventMarkWord = 0;
    match::updateEventMarks();
    EXPECT_EQ(s->eventMarksAnnounced, 1 << 5);
}

TEST_F(MatchViewTest, StartingAnAnimationTakesItsFirstFrameAndFlipBits) {
    auto* sprite = runtime::newObject<sprites::ASprite>();
    sprite->animFrameCount = runtime::newByteArray(3);
    sprite->animFirstFrame = runtime::newShortArray(3);
    sprite->animFrameStride = 5;
    sprite->animFrames = runtime::newByteArray(4 * 5);
    (*sprite->animFrameCount)[1] = 2;
    (*sprite->animFirstFrame)[1] = 2;
    (*sprite->animFrames)[2 * 5] = 0x2A;                                  // frame id 42
    (*sprite->animFrames)[2 * 5 + 4] = static_cast<runtime::jbyte>(0x95); // flip bits 10, low bits kept out
    (*sprite->animFrameCount)[2] = 1;
    (*sprite->animFirstFrame)[2] = 7; // beyond the frame records
    CPlayer* player = runtime::newObject<CPlayer>();
    player->sprite = sprite;
    player->frame = 3;
    player->frameTimer = 9;
    player->animFinished = 1;
    player->setAnimation(1, 0);
    EXPECT_EQ(player->frameCode, 0x2A | (0x80 << 2));
    EXPECT_EQ(player->frame + player->frameTimer + player->animFinished, 0);
    player->frameCode = 5;
    player->setAnimation(1, 0);
    EXPECT_EQ(player->frameCode, 5) << "the running animation is kept";
    player->setAnimation(1, 1);
    EXPECT_EQ(player->frameCode, 0x22A);
    player->setAnimation(2, 0);
    EXPECT_EQ(player->anim, 2);
    EXPECT_EQ(player->frameCode, 0) << "a first frame beyond the records";
    player->setAnimation(0, 0);
    EXPECT_EQ(player->frameCode, 0) << "an animation without frames";
}

class MatchViewGoldenTest : public MatchViewFixture {
protected:
    void clearScreen() {
        profile::Graphics* g = statics()->currentGraphics;
        g->setClip(0, 0, 480, 800);
        g->setColor(0x203020);
        g->fillRect(0, 0, 480, 800);
    }
};

TEST_F(MatchViewGoldenTest, OverviewWithPlayersBallAndHighlightBlinking) {
    GameStatics* s = statics();
    s->overviewVisible = 1;
    s->overviewHalfWidth = 100;
    s->overviewHalfHeight = 60;
    s->overviewWidth = 200;
    s->overviewHeight = 120;
    s->overviewBoxWidth = 30;
    s->overviewBoxHeight = 60;
    s->overviewColourA = 0x000080;
    s->overviewFillA = 0x4080FF;
    s->overviewColourB = 0x800000;
    s->overviewFillB = 0xFF6040;
    runtime::ShortArray* positions = runtime::newShortArray(55);
    s->frameRecord = positions;
    for (jint i = 0; i < 55; ++i) {
        (*positions)[i] = -1;
    }
    for (jint p = 0; p < 22; ++p) {
        if (p == 4 || p == 15) {
            continue; // absent players
        }
        (*positions)[7 + 2 * p] = static_cast<runtime::jshort>((p < 11 ? -500 : 100) + (p % 11) * 40);
        (*positions)[8 + 2 * p] = static_cast<runtime::jshort>(-300 + (p % 11) * 55);
    }
    (*positions)[51] = 30;
    (*positions)[52] = -20;
    Actor* highlighted = runtime::newObject<Actor>();
    highlighted->x = 240 * 256;
    highlighted->y = 120 * 256;
    s->highlightedActor = highlighted;
    for (const char* name : {"overview_blink_on", "overview_blink_off"}) {
        clearScreen();
        match::paintOverview();
        expectGolden(name, *screen, 240, 560, 240, 184);
    }
    EXPECT_EQ(s->overviewBlink, 0);
}

TEST_F(MatchViewGoldenTest, SlideBannerAtFramesZeroFiveAndTwenty) {
    GameStatics* s = statics();
    profile::Image* banner = fixtureTiles(12, 6, false); // 96 x 32
    s->bannerImage = banner;
    const struct {
        jint frame;
        const char* name;
        jint x;
    } cases[] = {{0, "banner_frame0", 720}, {5, "banner_frame5", 240}, {20, "banner_frame20", -165}};
    for (const auto& c : cases) {
        clearScreen();
        s->bannerFrame = c.frame;
        match::paintSlideBanner();
        EXPECT_EQ(s->bannerX, c.x);
        EXPECT_EQ(s->bannerFrame, c.frame + 1);
        expectGolden(c.name, *screen, 0, 64, 480, 48);
    }
}

TEST_F(MatchViewGoldenTest, SlideBannerBlinksWhileItStandsAndStopsAfterItsSteps) {
    GameStatics* s = statics();
    profile::Image* banner = fixtureTiles(12, 6, false);
    s->bannerImage = banner;
    std::vector<jint> drawnFrames;
    for (jint frame = 0; frame < 40; ++frame) {
        clearScreen();
        const std::uint16_t before = screen->row16(90)[240];
        s->bannerFrame = frame;
        match::paintSlideBanner();
        if (screen->row16(90)[240] != before) {
            drawnFrames.push_back(frame);
        }
    }
    // At the centre over frames 5-15, except the blinks at counts 8, 9, 12 and 13; from frame 35
    // on nothing is drawn and the frame stays.
    EXPECT_EQ(drawnFrames, (std::vector<jint>{5, 6, 9, 10, 13, 14, 15}));
    EXPECT_EQ(s->bannerFrame, 39);
}

} // namespace
} // namespace game::testing
