// The sample set's sprites through the game's own loader: every sprite of the sprite table, the
// menu pack and the logo pack loads, and holds what the game's code indexes (animations, frames,
// modules, palettes, glyphs), with no zero duration and no module larger than the match's decode
// buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/sprites/ASprite.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/ConstantPool.h"
#include "tests/game/sprites/SpriteTestSupport.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SampleSprites.h"

namespace game::sprites::testing {
namespace {

using runtime::jint;

constexpr jint kMatchDecodeBuffer = 5000;
// Constant strings naming the menu pack and the logo pack.
constexpr jint kMenuPackConstant = 116;
constexpr jint kLogoPackConstant = 77;

class SampleSpritesTest : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        setUpSpriteStatics();
        putResources(tools::sampleSpritePackEntries());
    }

    // Loads entry `entry` of the pack named by constant string `pack` into a new sprite of kind.
    static ASprite* loadFrom(const jint pack, const jint entry, const jint kind) {
        ASprite* sprite = newSprite(kind);
        EXPECT_TRUE(loadSpriteFromPack(sprite, runtime::getConstantString(pack), entry))
            << "pack " << pack << " entry " << entry;
        return sprite;
    }
    static jint framesOf(const ASprite* sprite, const jint animation) {
        return (*sprite->animFrameCount)[animation] & 0xFF;
    }
    static jint durationOf(const ASprite* sprite, const jint animation, const jint frame) {
        const jint record = (*sprite->animFirstFrame)[animation] + frame;
        return (*sprite->animFrames)[record * sprite->animFrameStride + kAnimFrameDurationByte] & 0xFF;
    }
    static jint widthOf(const ASprite* sprite, const jint module) {
        return (*sprite->moduleWidth)[module] & 0xFF;
    }
    static jint heightOf(const ASprite* sprite, const jint module) {
        return (*sprite->moduleHeight)[module] & 0xFF;
    }

    // What every sample sprite keeps to: durations of at least one (and at most 127 where the
    // loader doubles them), and image modules the match's decode buffer can hold.
    static void expectSound(const ASprite* sprite, const bool durationsDoubled) {
        for (jint a = 0; a < sprite->animationCount(); ++a) {
            ASSERT_GE(framesOf(sprite, a), 1) << "animation " << a;
            for (jint f = 0; f < framesOf(sprite, a); ++f) {
                const jint duration = durationOf(sprite, a, f);
                EXPECT_GE(duration, 1) << "animation " << a << " frame " << f;
                if (durationsDoubled) {
                    EXPECT_LE(duration, 2 * kMaxDoubledDuration) << "animation " << a << " frame " << f;
                }
            }
        }
        for (jint m = 0; m < sprite->moduleCount; ++m) {
            if ((*sprite->moduleKind)[m] == kModuleKindImage) {
                EXPECT_LE(widthOf(sprite, m) * heightOf(sprite, m), kMatchDecodeBuffer) << "module " << m;
                EXPECT_GE(widthOf(sprite, m), 1) << "module " << m;
                EXPECT_GE(heightOf(sprite, m), 1) << "module " << m;
            }
        }
    }
};

TEST_F(SampleSpritesTest, TheKitTemplateRowsAreOpaqueButForColourZero) {
    const std::vector<std::vector<std::uint32_t>> rows = tools::kitTemplateRows();
    ASSERT_EQ(rows.size(), 24u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 32u);
        EXPECT_EQ(rows[r][0], 0u) << "row " << r;
        for (std::size_t c = 1; c < rows[r].size(); ++c) {
            EXPECT_EQ(rows[r][c] >> 24, 0xFFu) << "row " << r << " colour " << c;
            EXPECT_NE(profile::toRgb565(rows[r][c]), profile::kKeyColour) << "row " << r << " colour " << c;
        }
    }
    EXPECT_EQ(rows[16], rows[0]);
    EXPECT_EQ(rows[23], rows[7]);
}

TEST_F(SampleSpritesTest, ThePlayersHaveEveryAnimationTheMatchIndexes) {
    ASprite* players = loadFrom(kSpritePackConstant, 0, 0);
    EXPECT_EQ(players->moduleCount, 332);
    ASSERT_EQ(players->animationCount(), 259);
    for (jint a = 0; a < 259; ++a) {
        EXPECT_GE(framesOf(players, a), 6) << "animation " << a; // kicks reach their contact frame
        EXPECT_LE(framesOf(players, a), 8) << "animation " << a;
    }
    // The kit rows come from this sprite's palettes; it has none of its own.
    ASSERT_NE(statics()->sharedPalettes.get(), nullptr);
    EXPECT_EQ(statics()->sharedPalettes->length, 24);
    EXPECT_EQ(players->palettes, nullptr);
    EXPECT_EQ(statics()->baseSprite.get(), players);
    expectSound(players, true);
}

TEST_F(SampleSpritesTest, TheGoalkeepersDiveLongEnoughAndHoldTheBall) {
    ASprite* keepers = loadFrom(kSpritePackConstant, 1, 1);
    ASSERT_GE(keepers->animationCount(), 131);
    for (const jint dive : {9, 10, 11, 12}) {
        EXPECT_GE(framesOf(keepers, dive), 8) << "dive " << dive;
    }
    for (const jint dive : {17, 18, 19, 20}) {
        EXPECT_GE(framesOf(keepers, dive), 5) << "dive " << dive;
    }
    EXPECT_GT(keepers->moduleCount, 74);
    EXPECT_EQ((*keepers->moduleKind)[74], kModuleKindImage);
    EXPECT_EQ(keepers->palettes, nullptr);
    expectSound(keepers, true);
}

TEST_F(SampleSpritesTest, TheOtherSpritesOfTheTableHoldWhatTheirReadersUse) {
    statics()->kind3Palette = 3;
    const struct {
        jint kind;
        jint animations;
        jint frames;
        jint palettes;
    } cases[] = {
        {2, 16, 6, 5}, {3, 12, 12, 4}, {4, 4, 4, 1}, {5, 1, 13, 1},  {6, 2, 3, 1},
        {7, 7, 21, 1}, {8, 64, 16, 1}, {9, 4, 4, 1}, {10, 11, 6, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASprite* sprite = loadFrom(kSpritePackConstant, c.kind, c.kind);
        EXPECT_GE(sprite->animationCount(), c.animations);
        EXPECT_GE(sprite->frameCount(), c.frames);
        EXPECT_GE(sprite->paletteCount, c.palettes);
        expectSound(sprite, false);
        if (cachesModuleImages(c.kind)) {
            EXPECT_EQ(sprite->pixelData, nullptr) << "cached kinds paint from their images";
            const jint built = c.kind == 3 ? 3 : 0;
            auto* row = static_cast<runtime::ObjectArray*>((*sprite->moduleImages)[built]);
            ASSERT_NE(row, nullptr);
            for (jint m = 0; m < sprite->moduleCount; ++m) {
                EXPECT_NE((*row)[m], nullptr) << "module " << m;
            }
        }
    }
    // Each effect fades through at least three frames; the pitch-side figures all animate alike.
    ASprite* effects = loadFrom(kSpritePackConstant, 7, 7);
    for (jint a = 0; a < effects->animationCount(); ++a) {
        EXPECT_GE(framesOf(effects, a), 3) << a;
    }
    ASprite* figures = loadFrom(kSpritePackConstant, 8, 8);
    for (jint a = 0; a < figures->animationCount(); ++a) {
        EXPECT_EQ(framesOf(figures, a), framesOf(figures, 0)) << a;
    }
}

TEST_F(SampleSpritesTest, FontZeroHasAGlyphForEveryCharacterOfTheMap) {
    statics()->sprites = runtime::newObjectArray(tools::kSpriteTableSize, runtime::kASprite);
    for (jint i = 0; i < tools::kSpriteTableSize; ++i) {
        (*statics()->sprites)[i] = newSprite(i);
    }
    loadSpriteSetEntry(kFirstFontSprite);
    auto* font = static_cast<ASprite*>((*statics()->sprites)[kFirstFontSprite]);
    const runtime::String* map = runtime::getConstantString(123);
    ASSERT_GE(font->frameCount(), map->length());
    EXPECT_GE(font->paletteCount, 4);
    for (jint f = 0; f < font->frameCount(); ++f) {
        // Frame f is module f at (0, 0): its rectangle's width, the advance, is the module's width.
        ASSERT_EQ((*font->frameModuleCount)[f], 1) << f;
        const jint placed = (*font->frameFirstModule)[f] * 4;
        EXPECT_EQ((*font->frameModules)[placed], f) << f;
        EXPECT_EQ((*font->frameModules)[placed + 1], 0) << f;
        EXPECT_EQ((*font->frameModules)[placed + 2], 0) << f;
        EXPECT_EQ((*font->frameRects)[4 * f + kFrameRectWidth], widthOf(font, f)) << f;
        EXPECT_EQ(heightOf(font, f), tools::kGlyphHeight) << f;
        EXPECT_GE(widthOf(font, f), 4) << f;
        EXPECT_LE(widthOf(font, f), 12) << f;
    }
    for (jint p = 0; p < 4; ++p) {
        EXPECT_NE(static_cast<runtime::ObjectArray*>((*font->moduleImages)[p]), nullptr) << "palette " << p;
    }
    EXPECT_EQ((*statics()->fontLineHeights)[0], 18);
    EXPECT_EQ((*statics()->fontLeading)[0], 4);
}

TEST_F(SampleSpritesTest, EveryMenuSpriteIsUniversal) {
    std::vector<std::pair<jint, jint>> entries; // pack constant, entry
    for (const jint entry : {2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) {
        entries.emplace_back(kMenuPackConstant, entry);
    }
    for (jint sheet = 0; sheet < tools::kBadgeSheets; ++sheet) {
        entries.emplace_back(kLogoPackConstant, sheet);
    }
    for (const auto& [pack, entry] : entries) {
        SCOPED_TRACE(::testing::Message() << "pack " << pack << " entry " << entry);
        statics()->sharedPalettes = nullptr;
        ASprite* sprite = loadFrom(pack, entry, 0);
        EXPECT_GE(sprite->moduleCount, 112);
        EXPECT_GE(sprite->frameCount(), 166);
        ASSERT_GE(sprite->animationCount(), 19);
        EXPECT_NE(sprite->frameRects, nullptr);
        for (jint a = 0; a < 19; ++a) {
            EXPECT_GE(framesOf(sprite, a), 2) << a;
            EXPECT_LE(framesOf(sprite, a), 4) << a;
            EXPECT_GE(durationOf(sprite, a, 0), 2 * 2) << a; // doubled by the kind-0 load
            EXPECT_LE(durationOf(sprite, a, 0), 2 * 6) << a;
        }
        // Every kind-0-path sprite carries the same template rows.
        ASSERT_NE(statics()->sharedPalettes.get(), nullptr);
        EXPECT_EQ(statics()->sharedPalettes->length, 24);
        expectSound(sprite, true);
    }
}

TEST_F(SampleSpritesTest, TheLogoDecodes) {
    openPack(runtime::getConstantString(kLogoPackConstant));
    runtime::ByteArray* bytes = readPackEntryBytes(tools::kBadgeSheets);
    closePack();
    ASSERT_NE(bytes, nullptr);
    profile::Image* logo = profile::Image::createImage(bytes, 0, bytes->length);
    ASSERT_NE(logo, nullptr);
    EXPECT_LE(logo->getWidth(), 480);
    EXPECT_LE(logo->getHeight(), 800);
}

} // namespace
} // namespace game::sprites::testing
