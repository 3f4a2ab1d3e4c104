// The start-up loading under the headless host on the sample data: what each frame's step
// leaves behind, the match actors it creates, which actors start their animations, the
// promotion test, and that re-entering the loading makes nothing twice.
#include <gtest/gtest.h>

#include <vector>

#include "game/framework/GameStatics.h"
#include "game/framework/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/LoadingServices.h"
#include "game/sprites/StartupLoading.h"
#include "runtime/Service.h"
#include "tests/game/framework/SampleGameHarness.h"

namespace game::framework {
namespace {

using match::Actor;
using runtime::jint;

class StartupLoadingTest : public testing::SampleGameHarness {
protected:
    // Runs frames until framesInState has reached step (the step has run).
    void runThroughStep(const jint step) {
        while (statics()->topState == kTopStateLoading && statics()->framesInState <= step) {
            harness.runFrames(1);
        }
    }
    static Actor* actor(const jint i) { return static_cast<Actor*>((*statics()->matchActors)[i]); }
    static sprites::ASprite* sprite(const jint i) {
        return static_cast<sprites::ASprite*>((*statics()->sprites)[i]);
    }
};

TEST_F(StartupLoadingTest, EachFrameRunsItsStepAndFrameTwentyLeavesForTheTitleScreens) {
    ASSERT_EQ(statics()->topState, kTopStateLoading);
    harness.runFrames(1); // frame 0: only the collector
    EXPECT_FALSE(statics()->textsLoaded);
    runThroughStep(1);
    EXPECT_TRUE(statics()->textsLoaded);
    ASSERT_NE(statics()->loadingTextTable.get(), nullptr);
    EXPECT_EQ(statics()->loadingTextTable->length, 12);
    EXPECT_NE(statics()->inboxStoreName.get(), nullptr);
    EXPECT_EQ(statics()->logoSprite.get(), nullptr);
    runThroughStep(2);
    ASSERT_NE(statics()->logoSprite.get(), nullptr);
    EXPECT_GT(statics()->logoSprite->frameCount(), 0) << "menu pack entry 14";
    runThroughStep(4);
    EXPECT_EQ(statics()->matchActorCount, sprites::kMatchActorsCreated);
    EXPECT_EQ(statics()->sprites.get(), nullptr);
    // The sprite pack stays open from step 5 to step 14.
    for (jint step = 5; step <= 13; ++step) {
        runThroughStep(step);
        EXPECT_TRUE(statics()->packKeepOpen) << "after step " << step;
    }
    runThroughStep(14);
    EXPECT_FALSE(statics()->packKeepOpen);
    for (const jint loaded : {2, 4, 5, 6, 7, 8, 11}) {
        EXPECT_GT(sprite(loaded)->frameCount(), 0) << "sprite " << loaded;
    }
    for (const jint left : {0, 1, 3, 9, 10}) {
        EXPECT_EQ(sprite(left)->frameCount(), 0) << "sprite " << left << " loads elsewhere";
        EXPECT_EQ(sprite(left)->kind, left);
    }
    EXPECT_EQ(statics()->textLineStep, ((*statics()->fontLineHeights)[0] + 2) * 3);
    runThroughStep(19);
    EXPECT_EQ(statics()->topState, kTopStateLoading);
    EXPECT_FALSE(statics()->promotionAvailable) << "the interim promotion screen offers nothing";
    statics()->menuSelection = 7;
    harness.runFrames(1);
    EXPECT_EQ(statics()->topState, kTopStateSecondLoading);
    EXPECT_EQ(statics()->previousTopState, kTopStateLoading);
    EXPECT_EQ(statics()->menuSelection, 1);
}

TEST_F(StartupLoadingTest, TheMatchActorsAreConsecutiveWithTheirKindsAnimationsAndPlacements) {
    runThroughStep(14);
    struct Case {
        jint first;
        jint last;
        jint kind;
        jint anim;
        jint placement;
        bool player;
        bool loops;
    };
    const Case cases[] = {
        {0, 0, 2, 0, 0, false, true},                                     // the ball
        {1, 2, 1, 0, 0, true, true},                                      // the keepers
        {3, 36, 0, 0, 0, true, true},                                     // outfield players
        {37, 38, 0, 83, 0, false, true},                                  // touchline figures
        {39, 39, 4, 1, 0, false, true},                                   // corner flags
        {40, 41, 3, -1, 0, false, false},                                 // nets
        {42, 42, 5, 0, 3, false, true},                                   // banner
        {43, 43, 9, 3, 0, false, false},                                  // boards
        {44, 44, 10, 5, 0, false, true},                                  // benches
        {45, 45, 10, 4, 0, false, true},  {46, 46, 4, 3, 3, false, true}, // arrows
        {47, 47, 4, 2, 3, false, true},
    };
    for (const Case& c : cases) {
        for (jint i = c.first; i <= c.last; ++i) {
            Actor* const a = actor(i);
            ASSERT_NE(a, nullptr) << i;
            EXPECT_EQ(a->actorIndex, i);
            EXPECT_EQ(a->kind, c.kind) << i;
            if (c.anim >= 0) {
                EXPECT_EQ(a->anim, c.anim) << i;
            }
            EXPECT_EQ(a->placement, c.placement) << i;
            EXPECT_EQ(a->classId == runtime::kCPlayer, c.player) << i;
            EXPECT_EQ(a->animLoops != 0, c.loops) << i;
            EXPECT_EQ(a->sprite, sprite(c.kind)) << i;
        }
    }
    EXPECT_EQ((*statics()->matchActors)[48], nullptr);
    EXPECT_EQ(statics()->ball.get(), actor(0));
    EXPECT_EQ(statics()->arrowActorH.get(), actor(46));
    EXPECT_EQ(statics()->arrowActorV.get(), actor(47));
    EXPECT_EQ(statics()->netActorA->frameCode, 0);
    EXPECT_EQ(statics()->netActorB->frameCode, 5);
    EXPECT_EQ(actor(37)->x, -22016);
    EXPECT_EQ(actor(38)->x, 27392);
    EXPECT_EQ(actor(38)->y, -107008);
    EXPECT_EQ(actor(44)->x, -12288);
    EXPECT_EQ(actor(45)->x, 12288);
    EXPECT_EQ(actor(45)->y, -93184);
    ASSERT_NE(statics()->matchTeams.get(), nullptr);
    EXPECT_EQ((*statics()->matchTeams)[0], statics()->firstTeam.get());
    EXPECT_EQ((*statics()->matchTeams)[1], statics()->secondTeam.get());
}

TEST_F(StartupLoadingTest, BindingStartsTheAnimationsOfAllButPlayersKeepersNetsBoardsAndBenches) {
    for (jint kind = 0; kind <= 11; ++kind) {
        const bool skipped = kind == 0 || kind == 1 || kind == 3 || kind == 9 || kind == 10;
        EXPECT_EQ(sprites::startsAnimationOnBind(kind) != 0, !skipped) << kind;
    }
    runThroughStep(14);
    // A started actor took its frame code from its animation; the ball's sprite has one.
    Actor* const arrow = statics()->arrowActorV.get();
    const jint code = arrow->frameCode;
    arrow->frameCode = -1;
    arrow->setAnimation(arrow->anim, 0);
    EXPECT_EQ(arrow->frameCode, -1) << "the running animation is not restarted";
    arrow->setAnimation(arrow->anim, 1);
    EXPECT_EQ(arrow->frameCode, code);
}

class PromotionDouble final : public sprites::LoadingServices {
public:
    void generateParticles() override {}
    void persistThreeStatics(runtime::jboolean) override {}
    void loadSoundPlayers() override {}
    void setUpTeamSide(match::CTeam*, jint) override {}
    void igpInitialize(jint, jint) override {}
    runtime::jboolean igpIsReady() override { return 1; }
    runtime::jboolean igpEnabled() override { return enabled; }
    runtime::ByteArray* igpEntryFlags() override { return flags; }
    runtime::jboolean enabled = 0;
    runtime::ByteArray* flags = nullptr;
};

TEST_F(StartupLoadingTest, PromotionEntriesNeedTheEnableFlagAndOneSetEntryFlag) {
    PromotionDouble promotion;
    runtime::ScopedService<sprites::LoadingServices> scoped(&sprites::installLoadingServices, promotion);
    struct Case {
        const char* name;
        bool enabled;
        std::vector<runtime::jbyte> flags;
        bool none;
        bool expected;
    };
    const Case cases[] = {
        {"disabled", false, {1, 1}, false, false},
        {"no flag array", true, {}, true, false},
        {"all clear", true, {0, 0, 0}, false, false},
        {"one set", true, {0, 0, 2}, false, true},
    };
    for (const Case& c : cases) {
        promotion.enabled = c.enabled;
        promotion.flags = nullptr;
        if (!c.none) {
            promotion.flags = runtime::newByteArray(static_cast<jint>(c.flags.size()));
            for (std::size_t i = 0; i < c.flags.size(); ++i) {
                (*promotion.flags)[static_cast<jint>(i)] = c.flags[i];
            }
        }
        EXPECT_EQ(sprites::hasPromotionEntries() != 0, c.expected) << c.name;
    }
    promotion.flags = nullptr;
}

TEST_F(StartupLoadingTest, ReenteringTheLoadingMakesNoSpriteTwiceAndOtherFramesOnlyCollect) {
    runThroughStep(20);
    ASSERT_EQ(statics()->topState, kTopStateSecondLoading);
    sprites::ASprite* const logo = statics()->logoSprite.get();
    runtime::ObjectArray* const table = statics()->sprites.get();
    for (const jint step : {0, 2, 5, 21, 40}) {
        statics()->framesInState = step;
        sprites::loadResources();
        if (step == 5) {
            statics()->framesInState = 14;
            sprites::loadResources();
        }
    }
    EXPECT_EQ(statics()->logoSprite.get(), logo);
    EXPECT_EQ(statics()->sprites.get(), table);
    EXPECT_FALSE(statics()->packKeepOpen);
    EXPECT_EQ(statics()->topState, kTopStateSecondLoading);
}

} // namespace
} // namespace game::framework
