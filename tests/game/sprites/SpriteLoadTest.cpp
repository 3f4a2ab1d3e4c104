// Loading sprite files: every field for each file flag, the sections a file without modules
// leaves out, the 10-bit module numbers, the kind-0 and kind-1 palette rules and duration
// doubling, and 16-bit colours.
#include <gtest/gtest.h>

#include <vector>

#include "game/sprites/SpriteFormat.h"
#include "tests/game/sprites/SpriteTestSupport.h"

namespace game::sprites::testing {
namespace {

using runtime::jint;
using tools::AnimFrame;
using tools::PlacedModule;
using tools::SpriteFile;
using tools::SpriteModule;

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

// Three modules (an image, an outline, a filled rectangle), two frames (the second nests the
// first) and two animations. Offsets are chosen to need the wide fields when the flags ask for them.
SpriteFile smallSprite(const std::int32_t flags) {
    const bool wideModules = (flags & kFlagWideModuleOffsets) != 0;
    const bool wideAnims = (flags & kFlagWideAnimOffsets) != 0;
    SpriteFile sprite;
    sprite.flags = flags | kFlagPixelSection;
    sprite.modules = {
        {0, 3, 4, 0, 2, 2, tools::encodePixels(kPixelFormatIndexBytes, {1, 2, 3, 0}, 4)},
        {kModuleMarkerOutline, 5, 6, static_cast<std::int32_t>(0xFF112233), 10, 6, {}},
        {kModuleMarkerFilled, 7, 8, static_cast<std::int32_t>(0xFF445566), 200, 3, {}},
    };
    sprite.palettes = {{0, kRed, kGreen, kBlue}, {0, kBlue, kRed, kGreen}};
    sprite.pixelFormat = kPixelFormatIndexBytes;
    sprite.addFrame({{0, wideModules ? -300 : -5, wideModules ? 900 : 7, kTransformFlipX, false, 1},
                     {1, 2, 3, 0, false, 0}},
                    {-1, -2, 12, 9});
    sprite.addFrame({{2, 0, 0, kTransformFlipY, false, 2}, {0, 4, -4, kTransformRotate, true, 1}},
                    {0, 0, 200, 3});
    sprite.addAnimation(
        {{0, 3, wideAnims ? 1000 : 10, wideAnims ? -2000 : -20, 0}, {1, 4, 1, 2, kTransformFlipY}});
    sprite.addAnimation({{1, 250, 0, 0, 0}});
    return sprite;
}

jint animOffset(const ASprite* sprite, const jint record, const jint which) {
    const jint at = record * sprite->animFrameStride + kAnimFrameOffsetsByte;
    if (sprite->animFrameStride == kAnimFrameStride) {
        return (*sprite->animFrames)[at + which];
    }
    return static_cast<runtime::jshort>(((*sprite->animFrames)[at + 2 * which] & 0xFF) |
                                        ((*sprite->animFrames)[at + 2 * which + 1] & 0xFF) << 8);
}

TEST_F(SpriteTest, EveryFieldForEachFileFlag) {
    const std::int32_t cases[] = {
        0,
        kFlagModulePositions,
        kFlagWideModuleOffsets,
        kFlagNoFrameRects,
        kFlagModulePalettes,
        kFlagWideAnimOffsets,
        kFlagModulePositions | kFlagWideModuleOffsets | kFlagNoFrameRects | kFlagModulePalettes |
            kFlagWideAnimOffsets,
    };
    for (const std::int32_t flags : cases) {
        SCOPED_TRACE(flags);
        const SpriteFile file = smallSprite(flags);
        ASprite* sprite = newSprite(5);
        ASSERT_TRUE(load(sprite, tools::spriteFileBytes(file), 3));

        EXPECT_EQ(sprite->flags, flags | kFlagPixelSection);
        ASSERT_EQ(sprite->moduleCount, 3);
        EXPECT_EQ(sprite->moduleX != nullptr, (flags & kFlagModulePositions) != 0);
        if (sprite->moduleX != nullptr) {
            EXPECT_EQ((*sprite->moduleX)[1], 5);
            EXPECT_EQ((*sprite->moduleY)[2], 8);
        }
        for (jint m = 0; m < 3; ++m) {
            EXPECT_EQ((*sprite->moduleKind)[m], m);
            EXPECT_EQ((*sprite->moduleWidth)[m] & 0xFF, file.modules[m].width);
            EXPECT_EQ((*sprite->moduleHeight)[m] & 0xFF, file.modules[m].height);
        }
        EXPECT_EQ(static_cast<std::uint32_t>((*sprite->moduleColour)[1]), 0xFF112233u);
        EXPECT_EQ(static_cast<std::uint32_t>((*sprite->moduleColour)[2]), 0xFF445566u);

        ASSERT_EQ(sprite->frameModules->length, 4 * 4);
        for (jint r = 0; r < 4; ++r) {
            const PlacedModule& placed = file.placedModules[r];
            EXPECT_EQ((*sprite->frameModules)[4 * r], placed.number);
            EXPECT_EQ((*sprite->frameModules)[4 * r + 1], placed.x);
            EXPECT_EQ((*sprite->frameModules)[4 * r + 2], placed.y);
            EXPECT_EQ((*sprite->frameModules)[4 * r + 3],
                      placed.transform | (placed.nested ? kPlacedNestedFrame : 0));
        }
        EXPECT_EQ(sprite->frameModulePalette != nullptr, (flags & kFlagModulePalettes) != 0);
        if (sprite->frameModulePalette != nullptr) {
            EXPECT_EQ(testing_support::bytesOf(sprite->frameModulePalette),
                      (std::vector<std::uint8_t>{1, 0, 2, 1}));
        }

        ASSERT_EQ(sprite->frameCount(), 2);
        EXPECT_EQ((*sprite->frameModuleCount)[1], 2);
        EXPECT_EQ((*sprite->frameFirstModule)[1], 2);
        EXPECT_EQ(sprite->noFrameRects != 0, (flags & kFlagNoFrameRects) != 0);
        EXPECT_EQ(sprite->frameRects != nullptr, (flags & kFlagNoFrameRects) == 0);
        if (sprite->frameRects != nullptr) {
            EXPECT_EQ(testing_support::bytesOf(sprite->frameRects),
                      (std::vector<std::uint8_t>{0xFF, 0xFE, 12, 9, 0, 0, 200, 3}));
        }

        const jint stride = (flags & kFlagWideAnimOffsets) != 0 ? kAnimFrameStrideWide : kAnimFrameStride;
        EXPECT_EQ(sprite->animFrameStride, stride);
        ASSERT_EQ(sprite->animFrames->length, 3 * stride);
        for (jint r = 0; r < 3; ++r) {
            const AnimFrame& frame = file.animFrames[r];
            EXPECT_EQ((*sprite->animFrames)[r * stride + kAnimFrameNumberByte], frame.frame);
            EXPECT_EQ((*sprite->animFrames)[r * stride + kAnimFrameDurationByte] & 0xFF, frame.duration);
            EXPECT_EQ(animOffset(sprite, r, 0), frame.x);
            EXPECT_EQ(animOffset(sprite, r, 1), frame.y);
            EXPECT_EQ((*sprite->animFrames)[r * stride + stride - 1], frame.transform);
        }
        ASSERT_EQ(sprite->animationCount(), 2);
        EXPECT_EQ((*sprite->animFrameCount)[0], 2);
        EXPECT_EQ((*sprite->animFirstFrame)[1], 2);

        ASSERT_EQ(sprite->paletteCount, 2);
        EXPECT_EQ(static_cast<std::uint32_t>((*static_cast<runtime::IntArray*>((*sprite->palettes)[1]))[2]),
                  kRed);
        EXPECT_EQ(sprite->hasAlpha, 1); // colour 0 is transparent
        EXPECT_EQ(sprite->pixelFormat & 0xFFFF, kPixelFormatIndexBytes);
        EXPECT_EQ(sprite->moduleDataOffsets->length, 3);
        EXPECT_EQ(testing_support::bytesOf(sprite->pixelData), (std::vector<std::uint8_t>{1, 2, 3, 0}));
    }
}

TEST_F(SpriteTest, AFileWithoutModulesStopsAfterTheAnimations) {
    SpriteFile file;
    file.flags = kFlagPixelSection | kFlagPngSheet;
    tools::Bytes bytes = tools::spriteFileBytes(file);
    // Whatever follows is never read, however wrong it is as a palette or PNG section.
    bytes.insert(bytes.end(), {0x12, 0x34, 0xFF});
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(load(sprite, bytes));
    EXPECT_EQ(sprite->moduleCount, 0);
    EXPECT_EQ(sprite->palettes, nullptr);
    EXPECT_EQ(sprite->paletteCount, 0);
    EXPECT_EQ(sprite->pixelData, nullptr);
    EXPECT_EQ(sprite->moduleImages, nullptr);
}

TEST_F(SpriteTest, ModuleNumbersTakeBitsEightAndNineFromTheFlagByte) {
    SpriteFile file;
    file.modules.assign(0x32B, SpriteModule{kModuleMarkerFilled, 0, 0, 0, 1, 1, {}});
    file.addFrame({{0x32A, 0, 0, kTransformFlipX, false, 0}}, {0, 0, 1, 1});
    ASprite* sprite = newSprite(5);
    const tools::Bytes bytes = tools::spriteFileBytes(file);
    ASSERT_TRUE(load(sprite, bytes));
    // The placed-module record holds the module byte 0x2A and the flag byte 0xC1.
    EXPECT_EQ((*sprite->frameModules)[0], 0x2A);
    EXPECT_EQ((*sprite->frameModules)[3], static_cast<runtime::jbyte>(0xC1));
    EXPECT_EQ(referenceNumber((*sprite->frameModules)[0], (*sprite->frameModules)[3]), 0x32A);
    EXPECT_EQ((*sprite->frameModules)[3] & kTransformMask, kTransformFlipX);

    // One module fewer and the same record names a module that does not exist.
    file.modules.pop_back();
    EXPECT_FALSE(load(sprite, tools::spriteFileBytes(file)));
}

// An animation of n frames with the given durations.
SpriteFile spriteWithDurations(const std::vector<int>& durations) {
    SpriteFile file;
    file.flags = kFlagPixelSection;
    file.modules = {{0, 0, 0, 0, 1, 1, {1}}};
    file.palettes = {{0, kRed}, {0x80FFFFFF, kGreen}};
    file.pixelFormat = kPixelFormatIndexBytes;
    file.addFrame({{0, 0, 0, 0, false, 0}}, {0, 0, 1, 1});
    std::vector<AnimFrame> frames;
    for (const int duration : durations) {
        frames.push_back({0, duration, 0, 0, 0});
    }
    for (std::size_t first = 0; first < frames.size(); first += 200) {
        file.addAnimation(
            std::vector<AnimFrame>(frames.begin() + static_cast<long>(first),
                                   frames.begin() + static_cast<long>(std::min(first + 200, frames.size()))));
    }
    return file;
}

TEST_F(SpriteTest, KindsZeroAndOneDoubleDurationsExceptAnimationFrames195To227) {
    std::vector<int> durations(240);
    for (std::size_t i = 0; i < durations.size(); ++i) {
        durations[i] = static_cast<int>(i % 7 == 0 ? 200 : 1 + i % 50);
    }
    const tools::Bytes bytes = tools::spriteFileBytes(spriteWithDurations(durations));
    for (const jint kind : {0, 1, 5}) {
        SCOPED_TRACE(kind);
        statics()->sharedPalettes = nullptr;
        ASprite* sprite = newSprite(kind);
        statics()->doubleAnimDurations = kind <= 1 ? 1 : 0;
        ASSERT_TRUE(load(sprite, bytes));
        statics()->doubleAnimDurations = 0;
        for (jint r = 0; r < static_cast<jint>(durations.size()); ++r) {
            const bool doubled = kind <= 1 && (r < 195 || r > 227);
            EXPECT_EQ((*sprite->animFrames)[r * kAnimFrameStride + kAnimFrameDurationByte] & 0xFF,
                      (durations[r] * (doubled ? 2 : 1)) & 0xFF)
                << "animation frame " << r;
        }
    }
}

TEST_F(SpriteTest, PalettesOfKindZeroBecomeTheSharedTemplateOnceAndKindOneSkipsThem) {
    const tools::Bytes bytes = tools::spriteFileBytes(spriteWithDurations({1, 2}));
    ASprite* first = newSprite(0);
    ASSERT_TRUE(load(first, bytes));
    EXPECT_EQ(first->palettes, nullptr);
    EXPECT_EQ(first->hasAlpha, 1);
    EXPECT_EQ(first->paletteCount, 2);
    runtime::ObjectArray* shared = statics()->sharedPalettes;
    ASSERT_NE(shared, nullptr);
    ASSERT_EQ(shared->length, 2);
    // A colour that is not fully opaque is stored as 0.
    EXPECT_EQ((*static_cast<runtime::IntArray*>((*shared)[1]))[0], 0);
    EXPECT_EQ(static_cast<std::uint32_t>((*static_cast<runtime::IntArray*>((*shared)[1]))[1]), kGreen);

    // The next kind-0 sprite keeps palettes of its own and leaves the template alone.
    ASprite* second = newSprite(0);
    ASSERT_TRUE(load(second, bytes));
    EXPECT_EQ(statics()->sharedPalettes.get(), shared);
    ASSERT_NE(second->palettes, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>((*static_cast<runtime::IntArray*>((*second->palettes)[1]))[0]),
              0x80FFFFFFu);

    ASprite* keeper = newSprite(1);
    ASSERT_TRUE(load(keeper, bytes));
    EXPECT_EQ(keeper->palettes, nullptr);
    EXPECT_EQ(keeper->paletteCount, 2);
    EXPECT_EQ(testing_support::bytesOf(keeper->pixelData), (std::vector<std::uint8_t>{1}));

    // Unloading drops the template, so the next kind-0 load supplies it again.
    first->unload();
    EXPECT_EQ(statics()->sharedPalettes.get(), nullptr);
    EXPECT_EQ(first->moduleCount, 0);
    EXPECT_EQ(first->frameModules, nullptr);
    ASprite* third = newSprite(0);
    ASSERT_TRUE(load(third, bytes));
    EXPECT_NE(statics()->sharedPalettes.get(), nullptr);
}

TEST_F(SpriteTest, SixteenBitColoursWidenEachNibble) {
    SpriteFile file = spriteWithDurations({1});
    file.paletteFormat = kPaletteFormatArgb4444;
    file.palettes = {{0xFFAA5500, 0x80FF00FF}};
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(file)));
    auto* palette = static_cast<runtime::IntArray*>((*sprite->palettes)[0]);
    EXPECT_EQ(static_cast<std::uint32_t>((*palette)[0]), 0xFFAA5500u);
    EXPECT_EQ(static_cast<std::uint32_t>((*palette)[1]), 0x88FF00FFu);
    EXPECT_EQ(sprite->hasAlpha, 1);

    file.palettes = {{0xFFAA5500, 0xFF112233}};
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(file)));
    EXPECT_EQ(sprite->hasAlpha, 0);
}

} // namespace
} // namespace game::sprites::testing
