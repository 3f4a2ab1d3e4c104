// The start-up loading under the headless host on the sample data: what each frame's step
// leaves behind, the match actors it creates, which actors start their animations, the
// promotion test, and that re-entering the loading makes nothing twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/core/services/PromotionScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/loading/StartupLoading.h"
#include "profile/Image.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"
#include "tools/SampleImageSets.h"

namespace game::sprites {
using namespace game::match;
using namespace game::core;

namespace {

using match::Actor;
using runtime::jint;

class StartupLoadingTest : public game::testing::SampleGameHarness {
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
        {37, 38, 0, 83, 0, true, true},                                   // touchline figures
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

TEST_F(StartupLoadingTest, StepThreeReadsTheStoredSettingsAndStoresThemOnAFirstRun) {
    runThroughStep(2);
    GameStatics* const s = statics();
    const std::string store = testing_support::textOf(s->threeStaticsStoreName);
    const std::filesystem::path record =
        root->path() / "Brenvale" / "Tarnwick" / ("rms_" + store + ".rms_r1.rms");
    EXPECT_FALSE(std::filesystem::exists(record));
    runThroughStep(3);
    ASSERT_TRUE(std::filesystem::exists(record));
    EXPECT_EQ(std::filesystem::file_size(record), 3u);
}

class PromotionDouble final : public core::PromotionScreenServices {
public:
    void initialize(jint, jint) override {}
    runtime::jboolean isLinkAvailable() override { return 1; }
    runtime::jboolean promotionAvailable() override { return enabled; }
    runtime::ByteArray* promoEntryAvailable() override { return flags; }
    runtime::jboolean update(jint) override { return 1; }
    void paint(profile::Graphics*) override {}
    void enter() override {}
    void buildText(runtime::String*, jint) override {}
    runtime::jboolean enabled = 0;
    runtime::ByteArray* flags = nullptr;
};

TEST_F(StartupLoadingTest, PromotionEntriesNeedTheEnableFlagAndOneSetEntryFlag) {
    PromotionDouble promotion;
    runtime::ScopedService<core::PromotionScreenServices> scoped(&core::installPromotionScreenServices,
                                                                 promotion);
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

// The menus' step sequence after the start-up loading, one call a frame.
TEST_F(StartupLoadingTest, TheMenuStepsLoadTheAnimationBackdropAndIconStripAndKeepEachPackOpenBetweenThem) {
    runThroughStep(20);
    GameStatics* const s = statics();
    s->menuLoadStep = 0;
    sprites::loadMenuResources();
    sprites::loadMenuResources();
    EXPECT_FALSE(s->packKeepOpen);
    sprites::loadMenuResources(); // 2
    EXPECT_TRUE(s->packKeepOpen);
    sprites::loadMenuResources(); // 3
    EXPECT_EQ(s->menuSpriteInstance.get(), nullptr);
    sprites::loadMenuResources(); // 4
    sprites::ASpriteInstance* const animation = s->menuSpriteInstance;
    ASSERT_NE(animation, nullptr);
    ASSERT_NE(animation->sprite, nullptr);
    EXPECT_GT(animation->sprite->frameCount(), 0) << "menu pack entry 16";
    EXPECT_EQ(animation->anim, 1);
    EXPECT_EQ(animation->x, 0);
    EXPECT_EQ(animation->y, 0);
    EXPECT_EQ(animation->sprite->kind, 0) << "menu sprites take the kind-0 path";
    sprites::loadMenuResources(); // 5
    ASSERT_NE(s->backgroundSprite.get(), nullptr);
    EXPECT_GT(s->backgroundSprite->frameCount(), 0) << "menu pack entry 5";
    EXPECT_TRUE(s->packKeepOpen);
    sprites::loadMenuResources(); // 6
    profile::Image* const icons = s->menuPackResource;
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->getWidth(), tools::kStatusIconSize);
    EXPECT_EQ(icons->getHeight(), tools::kStatusIconSize * tools::kStatusIcons);
    EXPECT_FALSE(s->packKeepOpen);
    sprites::loadMenuResources(); // 7
    EXPECT_TRUE(s->packKeepOpen);
    sprites::loadMenuResources(); // 8
    EXPECT_FALSE(s->packKeepOpen);
    EXPECT_EQ(s->menuPackResource.get(), icons) << "made once";
    s->paletteWork = runtime::newIntArray(16);
    sprites::loadMenuResources(); // 9
    EXPECT_EQ(s->paletteWork.get(), nullptr);
    // The next decode of an uncached module makes its own buffer.
    sprites::ASprite* const backdrop = s->backgroundSprite;
    runtime::IntArray* const palette = static_cast<runtime::IntArray*>((*backdrop->palettes)[0]);
    jint imageModule = 0;
    while (imageModule < backdrop->moduleCount && (*backdrop->moduleKind)[imageModule] != 0) {
        ++imageModule;
    }
    ASSERT_LT(imageModule, backdrop->moduleCount);
    EXPECT_NE(backdrop->decodeModule(imageModule, 0, palette), nullptr);
    EXPECT_NE(s->paletteWork.get(), nullptr);
    sprites::loadMenuResources(); // 10: only the collector
    EXPECT_EQ(s->menuLoadStep, 11);

    // Run again, the sequence makes nothing twice.
    s->menuLoadStep = 0;
    for (int step = 0; step <= 10; ++step) {
        sprites::loadMenuResources();
    }
    EXPECT_EQ(s->menuSpriteInstance.get(), animation);
    EXPECT_EQ(s->backgroundSprite.get(), backdrop);
    EXPECT_EQ(s->menuPackResource.get(), icons);
    EXPECT_FALSE(s->packKeepOpen);
}

TEST_F(StartupLoadingTest, TheLogoStepLoadsAMissingIconStripFromTheMenuPackNotTheLogoPack) {
    runThroughStep(20);
    GameStatics* const s = statics();
    ASSERT_EQ(s->menuPackResource.get(), nullptr);
    s->menuLoadStep = 7;
    sprites::loadMenuResources(); // the logo pack kept open
    ASSERT_TRUE(s->packKeepOpen);
    sprites::loadMenuResources(); // the strip still absent
    ASSERT_NE(s->menuPackResource.get(), nullptr);
    EXPECT_EQ(s->menuPackResource->getWidth(), tools::kStatusIconSize) << "not the logo pack's entry 4";
    EXPECT_EQ(s->menuPackResource->getHeight(), tools::kStatusIconSize * tools::kStatusIcons);
    EXPECT_FALSE(s->packKeepOpen);
}

// A step whose pack cannot be read logs once and the loading goes on without what it loads; an
// exception left pending would stop the step counter and the loading with it, on a black screen.
TEST_F(StartupLoadingTest, AStepWhosePackCannotBeReadLogsOnceAndTheLoadingGoesOn) {
    const struct {
        const char* what;
        const char* entry; // the pack's part file
        jint step;         // the step that meets the damage
    } cases[] = {
        {"the text pack", "text", 1},
        {"the sprite pack", "2", 5},
    };
    for (const auto& c : cases) {
        // The constant strings are read; the packs come from this archive from now on.
        std::vector<tools::ArchiveEntry> entries = tools::sampleEntries();
        for (tools::ArchiveEntry& entry : entries) {
            if (entry.name == c.entry) {
                entry.bytes[2] = entry.bytes[3] = 0; // no parts
            }
        }
        const std::filesystem::path archive = root->path() / "Brenvale" / "Tarnwick" / "data.bar";
        std::filesystem::remove(archive);
        root->write("Brenvale/Tarnwick/data.bar", tools::buildArchive(entries));
        resources::resetArchiveDirectory();
        statics()->topState = kTopStateLoading;
        statics()->framesInState = 0;
        runtime::LogCapture log;
        for (int frame = 0; frame < 30 && statics()->topState == kTopStateLoading; ++frame) {
            harness.runFrames(1);
        }
        EXPECT_EQ(statics()->topState, kTopStateSecondLoading) << c.what;
        const std::string said = "loading step " + std::to_string(c.step) + ": ";
        EXPECT_EQ(std::count_if(log.lines.begin(), log.lines.end(),
                                [&](const std::string& line) { return line.rfind(said, 0) == 0; }),
                  1)
            << c.what;
    }
}

TEST_F(StartupLoadingTest, PitchDataReadsFourLayersInTheirOrderAndSetsThePitchSize) {
    runThroughStep(20);
    GameStatics* const s = statics();
    sprites::loadMatchPitchData(0);
    ASSERT_NE(s->pitchTileMaps.get(), nullptr);
    ASSERT_NE(s->pitchFlipMaps.get(), nullptr);
    constexpr jint kCells = tools::kPitchColumns * tools::kPitchRows;
    // Layer 3 reads layer 2's tables.
    const jint layerOf[4] = {0, 1, 2, 2};
    for (jint layer = 0; layer < 4; ++layer) {
        auto* map = static_cast<runtime::ByteArray*>((*s->pitchTileMaps)[layer]);
        auto* flips = static_cast<runtime::ByteArray*>((*s->pitchFlipMaps)[layer]);
        ASSERT_NE(map, nullptr) << layer;
        ASSERT_NE(flips, nullptr) << layer;
        EXPECT_EQ(map->length, kCells) << layer;
        EXPECT_EQ(flips->length, kCells / 4) << layer;
        const std::vector<std::uint8_t> expected = tools::samplePitchMap(layerOf[layer]);
        for (jint i = 0; i < kCells; i += 97) {
            ASSERT_EQ(static_cast<std::uint8_t>((*map)[i]), expected[static_cast<std::size_t>(i)])
                << "layer " << layer << " cell " << i;
        }
    }
    EXPECT_EQ(s->cameraMaxX, 2399);
    EXPECT_EQ(s->cameraMaxY, 607);
    EXPECT_FALSE(s->packKeepOpen);

    // A variant the tables do not hold keeps the layers as they were.
    runtime::Object* const kept = (*s->pitchTileMaps)[1];
    sprites::loadMatchPitchData(1);
    EXPECT_EQ((*s->pitchTileMaps)[1], kept);
    EXPECT_FALSE(runtime::exceptionPending());
}

class ParserDouble final : public core::InfoScreenServices {
public:
    void loadSoundPlayers() override {}
    jint parseDataSet(runtime::ByteArray* bytes, const jint arg) override {
        lengths.push_back(bytes != nullptr ? bytes->length : -1);
        args.push_back(arg);
        if (raise) {
            runtime::throwException(runtime::newObject<runtime::java_lang_IllegalStateException>());
        }
        return 7;
    }
    runtime::String* getTeamLabel(jint) override { return nullptr; }
    void resetCareer() override {}
    void paintPitchsideFigures(profile::Graphics*) override {}
    void loadHeaderImage() override {}
    std::vector<jint> lengths;
    std::vector<jint> args;
    bool raise = false;
};

TEST_F(StartupLoadingTest, APackEntryIsParsedWholeAndAFailureOfTheReaderOrTheParserGivesZero) {
    runThroughStep(20);
    ParserDouble parser;
    runtime::ScopedService<core::InfoScreenServices> scoped(&core::installInfoScreenServices, parser);
    runtime::String* const pitch = runtime::getConstantString(158);
    EXPECT_EQ(sprites::parsePackEntry(pitch, tools::kPitchMapEntries[0], 3), 7);
    EXPECT_EQ(parser.lengths, (std::vector<jint>{tools::kPitchColumns * tools::kPitchRows}));
    EXPECT_EQ(parser.args, (std::vector<jint>{3}));
    EXPECT_EQ(sprites::parsePackEntry(pitch, 99, 0), 0) << "no such entry";
    EXPECT_EQ(parser.lengths.size(), 1u) << "the parser sees nothing";
    parser.raise = true;
    EXPECT_EQ(sprites::parsePackEntry(pitch, tools::kPitchMapEntries[1], 0), 0);
    EXPECT_FALSE(runtime::exceptionPending());
}

TEST_F(StartupLoadingTest, ImageSetsLoadWholeOrInStripsOfAtLeastOneRowAndNullWhenUnreadable) {
    runThroughStep(20);
    runtime::String* const menu = runtime::getConstantString(116);
    profile::Image* const whole = sprites::loadImageSet(menu, 4, 0);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->getHeight(), tools::kStatusIconSize * tools::kStatusIcons);
    // 24 x 144 = 3456 pixels fit one strip.
    profile::Image* const single = sprites::imageSetLoader(menu, 4, 0, 1);
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->getWidth(), tools::kStatusIconSize);
    EXPECT_EQ(sprites::loadImageSet(menu, 3, 0), nullptr) << "a sprite is no image set";
    EXPECT_EQ(sprites::loadImageSet(menu, 15, 0), nullptr) << "an empty entry";
    // The pitch's tile sets: 16-pixel tiles, 2 and 4 a row.
    profile::Image* const grass = sprites::loadImageSet(menu, 0, 0);
    ASSERT_NE(grass, nullptr);
    EXPECT_EQ(grass->getWidth(), 2 * tools::kPitchTileSize);
    profile::Image* const markings = sprites::loadImageSet(menu, 1, 0);
    ASSERT_NE(markings, nullptr);
    EXPECT_EQ(markings->getWidth(), 4 * tools::kPitchTileSize);
    EXPECT_EQ(sprites::loadImageSet(menu, 40, 0), nullptr) << "no such entry";
    EXPECT_FALSE(runtime::exceptionPending());
}

} // namespace
} // namespace game::sprites
