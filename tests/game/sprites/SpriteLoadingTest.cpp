// Sprites loaded from packs: the pack opened and closed unless the caller holds it open, the
// kit palette rows of the kind-0 sprite, doubled durations for kinds 0 and 1, the image cache
// of the cached kinds with their pixel data dropped, font 0's metrics, and entries that cannot
// be read or do not hold a sprite.
#include "game/sprites/SpriteLoading.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/core/services/FrameworkServices.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/Service.h"
#include "tests/game/sprites/SpriteTestSupport.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SamplePacks.h"

namespace game::sprites::testing {
using namespace game::core;

namespace {

using runtime::jint;
using runtime::ObjectArray;
using tools::SpriteFile;

// Records the kit palette rows that loads compose.
class RecordingFramework final : public FrameworkServices {
public:
    void composePalette(const jint row, const jint base, const jint a, const jint b, const jint c,
                        const jint d, const jint e, const jboolean flagE, const jboolean flagF, const jint g,
                        const jint h) override {
        composed.push_back({row, base, a, b, c, d, e, flagE, flagF, g, h});
    }
    jint getGlyphIndex(jchar) override { return -1; }
    jint getStringWidth(runtime::String*, jint) override { return 0; }
    void loadGameDatabase() override {}
    jboolean positionViewOn() override { return 0; }
    void resetSetupRecord(jboolean) override {}
    jint getPlayerValue(jint, jboolean) override { return 0; }

    std::vector<std::array<jint, 11>> composed;
};

// A sprite of one 2 x 3 image module in five palettes, one frame, one animation of durations
// 3 and 100; `height` is the module's height (font 0's glyph height).
SpriteFile packSprite(const int height = 3) {
    SpriteFile file;
    file.flags = kFlagPixelSection;
    file.modules = {{0, 0, 0, 0, 2, height, tools::Bytes(static_cast<std::size_t>(2 * height), 1)}};
    for (std::uint32_t p = 0; p < 5; ++p) {
        file.palettes.push_back({0, 0xFF000000u | (p * 0x111111u)});
    }
    file.pixelFormat = kPixelFormatIndexBytes;
    file.addFrame({{0, 0, 0, 0, false, 0}}, {0, 0, 2, height});
    file.addAnimation({{0, 3, 0, 0, 0}, {0, 100, 0, 0, 0}});
    return file;
}

class SpriteLoadingTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        setUpSpriteStatics();
        installPack("sprites", {{true, tools::spriteFileBytes(packSprite()), 0},
                                {true, {1, 2, 3}, 0},
                                {true, tools::spriteFileBytes(packSprite(14)), 0}});
    }

    static void installPack(const std::string& name, const std::vector<tools::PackEntry>& entries) {
        putResources(tools::packArchiveEntries(name, tools::buildPackParts(entries), ""));
    }
    static jint durationOf(const ASprite* sprite, const jint record) {
        return (*sprite->animFrames)[record * sprite->animFrameStride + kAnimFrameDurationByte] & 0xFF;
    }
    static ObjectArray* rowOf(const ASprite* sprite, const jint palette) {
        return static_cast<ObjectArray*>((*sprite->moduleImages)[palette]);
    }
    bool logMentions(const std::string& part) const { return anyLineMentions(logLines(), part); }

    RecordingFramework framework;
    runtime::ScopedService<FrameworkServices> scoped{installFrameworkServices, framework};
};

TEST_F(SpriteLoadingTest, ThePackIsOpenedAndClosedUnlessTheCallerHoldsItOpen) {
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(loadSpriteFromPack(sprite, string("sprites"), 0));
    EXPECT_EQ(sprite->moduleCount, 1);
    EXPECT_EQ(statics()->packStream, nullptr);
    EXPECT_EQ(openCount("sprites"), 1);

    openPack(string("sprites"));
    statics()->packKeepOpen = 1;
    ASprite* next = newSprite(6);
    ASSERT_TRUE(loadSpriteFromPack(next, string("other name, never opened"), 2));
    EXPECT_EQ(next->moduleCount, 1);
    EXPECT_NE(statics()->packStream, nullptr) << "the caller closes the pack";
    EXPECT_EQ(openCount("sprites"), 2);
    statics()->packKeepOpen = 0;
    closePack();
}

TEST_F(SpriteLoadingTest, TheKindZeroSpriteBecomesTheBaseAndComposesTheSixKitRows) {
    ASprite* players = newSprite(0);
    ASSERT_TRUE(loadSpriteFromPack(players, string("sprites"), 0));
    EXPECT_EQ(statics()->baseSprite.get(), players);
    EXPECT_NE(statics()->sharedPalettes.get(), nullptr);
    const std::vector<std::array<jint, 11>> rows = {
        {0, 19, 0, 0, 0, 0, 0, 0, 1, 0, 0},       {1, 19, 4, 4, 4, 4, 0, 0, 1, 4, 0},
        {2, 6, 6, 6, 6, 6, 6, 0, 0, -1, 0},       {3, 6, 6, 6, 6, 6, 6, 0, 0, -1, 0},
        {4, 20, 20, 20, 20, 20, 20, 0, 0, -1, 0}, {5, 20, 20, 20, 20, 20, 20, 0, 0, -1, 0},
    };
    EXPECT_EQ(framework.composed, rows);
    // Kit-coloured sprites keep their pixels: they decode with the kit palettes on every paint.
    EXPECT_NE(players->pixelData, nullptr);
    EXPECT_EQ(players->moduleImages, nullptr);
    EXPECT_EQ(durationOf(players, 0), 6);
    EXPECT_EQ(durationOf(players, 1), 200);
    EXPECT_EQ(statics()->doubleAnimDurations, 0);
}

TEST_F(SpriteLoadingTest, TheKeeperSpriteDoublesItsDurationsAndBuildsNothing) {
    ASprite* keepers = newSprite(1);
    ASSERT_TRUE(loadSpriteFromPack(keepers, string("sprites"), 0));
    EXPECT_EQ(durationOf(keepers, 0), 6);
    EXPECT_EQ(keepers->palettes, nullptr);
    EXPECT_NE(keepers->pixelData, nullptr);
    EXPECT_EQ(keepers->moduleImages, nullptr);
    EXPECT_TRUE(framework.composed.empty());
    EXPECT_EQ(statics()->baseSprite.get(), nullptr);
}

TEST_F(SpriteLoadingTest, CachedKindsBuildTheirPalettesImagesAndDropTheirPixels) {
    statics()->kind3Palette = 2;
    const struct {
        jint kind;
        std::vector<jint> built; // palettes with images
        bool keepsPixels;
    } cases[] = {
        {2, {0, 1, 2, 3, 4}, false},
        {3, {2}, false},
        {4, {0}, false},
        {11, {0, 1, 2, 3}, false},
        {19, {0}, true},
        {5, {}, true},
        {7, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASprite* sprite = newSprite(c.kind);
        ASSERT_TRUE(loadSpriteFromPack(sprite, string("sprites"), 0));
        EXPECT_EQ(durationOf(sprite, 0), 3) << "only kinds 0 and 1 double";
        EXPECT_EQ(sprite->pixelData != nullptr, c.keepsPixels);
        EXPECT_EQ(sprite->moduleDataOffsets != nullptr, c.keepsPixels);
        if (c.built.empty()) {
            EXPECT_EQ(sprite->moduleImages, nullptr);
            continue;
        }
        ASSERT_NE(sprite->moduleImages, nullptr);
        for (jint p = 0; p < 5; ++p) {
            const bool built = std::find(c.built.begin(), c.built.end(), p) != c.built.end();
            EXPECT_EQ(rowOf(sprite, p) != nullptr && (*rowOf(sprite, p))[0] != nullptr, built)
                << "palette " << p;
        }
    }
}

TEST_F(SpriteLoadingTest, AnEntryThatCannotBeReadOrIsNoSpriteLeavesTheSpriteEmpty) {
    const struct {
        const char* pack;
        jint entry;
        std::string logged;
    } cases[] = {
        {"sprites", 7,
         "sprite of kind 5 from pack sprites entry 7 is not loaded: the pack entry cannot be read"},
        {"missing", 0,
         "sprite of kind 5 from pack missing entry 0 is not loaded: the pack entry cannot be read"},
        {"sprites", 1, "sprite of kind 5 from pack sprites entry 1 is not loaded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.logged);
        clearLog();
        ASprite* sprite = newSprite(5);
        EXPECT_FALSE(loadSpriteFromPack(sprite, string(c.pack), c.entry));
        EXPECT_TRUE(logMentions(c.logged));
        EXPECT_EQ(runtime::getPendingException(), nullptr) << "the game goes on";
        EXPECT_EQ(sprite->moduleCount, 0);
        EXPECT_EQ(sprite->frameCount(), 0);
        EXPECT_EQ(statics()->packStream, nullptr);
    }
    EXPECT_FALSE(loadSpriteFromPack(nullptr, string("sprites"), 0));
}

TEST_F(SpriteLoadingTest, FontZeroTakesItsLineHeightFromItsFirstModule) {
    installPack("2", {{true, tools::spriteFileBytes(packSprite()), 0}});
    loadSpriteSetEntry(11);
    EXPECT_TRUE(logMentions("sprite table: no sprite 11 to load"));

    statics()->sprites = runtime::newObjectArray(12, runtime::kASprite);
    for (jint i = 0; i < 12; ++i) {
        (*statics()->sprites)[i] = newSprite(i);
    }
    const struct {
        int glyphHeight;
        jint lineHeight;
        jint leading;
    } cases[] = {{14, 18, 4}, {10, 13, 3}, {3, 4, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glyphHeight);
        std::vector<tools::PackEntry> entries(12, tools::emptyPackEntry());
        entries[0] = {true, tools::spriteFileBytes(packSprite()), 0};
        entries[11] = {true, tools::spriteFileBytes(packSprite(c.glyphHeight)), 0};
        installPack("2", entries);
        statics()->packName = nullptr; // forget the cached header of the previous case
        loadSpriteSetEntry(11);
        EXPECT_EQ((*statics()->fontLineHeights)[0], c.lineHeight);
        EXPECT_EQ((*statics()->fontLeading)[0], c.leading);
    }
    // Another entry of the table leaves the font metrics alone.
    loadSpriteSetEntry(0);
    EXPECT_EQ(static_cast<ASprite*>((*statics()->sprites)[0])->moduleCount, 1);
    EXPECT_EQ((*statics()->fontLineHeights)[0], 4);
}

} // namespace
} // namespace game::sprites::testing
