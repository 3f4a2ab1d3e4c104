// Decoding module pixels: each encoding byte by byte (with 16 and 256 colours for the index
// runs, and their flip in x), runs cut at the module's end, data that ends early, indices outside
// the palette, the round trip through the writer's encoders, and the shared buffer growing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/sprites/SpriteFormat.h"
#include "tests/game/sprites/SpriteTestSupport.h"

namespace game::sprites::testing {
namespace {

using runtime::IntArray;
using runtime::jint;
using tools::SpriteFile;

constexpr jint kWidth = 4;
constexpr jint kHeight = 2;
constexpr std::int64_t kTransparent = -1; // expected: the decoder's own transparent 0

// Colour index i of the test palettes: opaque, and never 0, so 0 means "no pixel".
std::uint32_t colourOf(const int index) {
    return 0xFF000000u | static_cast<std::uint32_t>(index + 1);
}

std::vector<std::uint32_t> testPalette(const int colours) {
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i) {
        palette.push_back(colourOf(i));
    }
    return palette;
}

SpriteFile oneModule(const int format, const int colours, const tools::Bytes& pixels,
                     const int width = kWidth, const int height = kHeight) {
    SpriteFile file;
    file.flags = kFlagPixelSection;
    file.modules = {{0, 0, 0, 0, width, height, pixels}, {kModuleMarkerFilled, 0, 0, 0, 3, 3, {}}};
    file.palettes = {testPalette(colours)};
    file.pixelFormat = format;
    file.addFrame({{0, 0, 0, 0, false, 0}}, {0, 0, width, height});
    return file;
}

struct DecodeCase {
    const char* name;
    int format;
    int colours;
    tools::Bytes pixels;
    int transform;
    std::vector<std::int64_t> expected; // colour indices, or kTransparent
};

TEST_F(SpriteTest, EachEncodingDecodesByteByByte) {
    const DecodeCase cases[] = {
        {"one index a byte",
         kPixelFormatIndexBytes,
         4,
         {0, 1, 2, 3, 3, 2, 1, 0},
         0,
         {0, 1, 2, 3, 3, 2, 1, 0}},
        {"index runs, 16 colours",
         kPixelFormatIndexRuns,
         16,
         {0x31, 0x12, 0x03, 0x0F},
         0,
         {1, 1, 1, 1, 2, 2, 3, 15}},
        {"index runs, 16 colours, flipped",
         kPixelFormatIndexRuns,
         16,
         {0x31, 0x12, 0x03, 0x0F},
         kTransformFlipX,
         {1, 1, 1, 1, 15, 3, 2, 2}},
        {"index runs, 256 colours",
         kPixelFormatIndexRuns,
         256,
         {0, 200, 255, 7, 7, 7, 1, 2},
         0,
         {0, 200, 255, 7, 7, 7, 1, 2}},
        {"index runs, 256 colours, flipped",
         kPixelFormatIndexRuns,
         256,
         {0, 200, 255, 7, 7, 7, 1, 2},
         kTransformFlipX | kTransformFlipY,
         {7, 255, 200, 0, 2, 1, 7, 7}},
        {"only the index runs flip",
         kPixelFormatIndexBytes,
         4,
         {0, 1, 2, 3, 3, 2, 1, 0},
         kTransformFlipX,
         {0, 1, 2, 3, 3, 2, 1, 0}},
        {"short runs",
         kPixelFormatShortRuns,
         16,
         {0x05, 0x83, 0x02, 0x84, 0x0A},
         0,
         {5, 2, 2, 2, 10, 10, 10, 10}},
        {"runs or literals",
         kPixelFormatRunsOrLiterals,
         16,
         {0x03, 0x07, 0x83, 1, 2, 3, 0x02, 0x09},
         0,
         {7, 7, 7, 1, 2, 3, 9, 9}},
        {"runs cut at the module's end",
         kPixelFormatRunsOrLiterals,
         4,
         {0x7F, 0x01, 0x05, 0x02},
         0,
         {1, 1, 1, 1, 1, 1, 1, 1}},
        {"index runs cut at the module's end",
         kPixelFormatIndexRuns,
         16,
         {0xF1, 0xF2},
         0,
         {1, 1, 1, 1, 1, 1, 1, 1}},
        {"data ends early: the rest is transparent",
         kPixelFormatIndexBytes,
         4,
         {1, 2, 3},
         0,
         {1, 2, 3, kTransparent, kTransparent, kTransparent, kTransparent, kTransparent}},
        {"a run without its index",
         kPixelFormatShortRuns,
         4,
         {0x01, 0x85},
         0,
         {1, kTransparent, kTransparent, kTransparent, kTransparent, kTransparent, kTransparent,
          kTransparent}},
        {"indices outside the palette are transparent",
         kPixelFormatIndexBytes,
         4,
         {4, 255, 3, 0, 0, 0, 0, 0},
         0,
         {kTransparent, kTransparent, 3, 0, 0, 0, 0, 0}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASprite* sprite = newSprite(5);
        ASSERT_TRUE(load(sprite, tools::spriteFileBytes(oneModule(c.format, c.colours, c.pixels))));
        IntArray* decoded =
            sprite->decodeModule(0, c.transform, static_cast<IntArray*>((*sprite->palettes)[0]));
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded, statics()->paletteWork.get());
        for (jint i = 0; i < kWidth * kHeight; ++i) {
            const std::uint32_t want =
                c.expected[i] == kTransparent ? 0 : colourOf(static_cast<int>(c.expected[i]));
            EXPECT_EQ(static_cast<std::uint32_t>((*decoded)[i]), want) << "pixel " << i;
        }
    }
}

TEST_F(SpriteTest, TheAlphaPlaneFollowsTheColours) {
    // Eight pixels of index 4, then alpha 0x10, a run of five at 0x80, 0x00, and 0xFE as a run of one.
    const tools::Bytes pixels = {0x08, 0x04, 0x10, 0xFE, 0x05, 0x80, 0x00, 0xFE, 0x01, 0xFE};
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(oneModule(kPixelFormatRunsWithAlpha, 8, pixels))));
    IntArray* decoded = sprite->decodeModule(0, 0, static_cast<IntArray*>((*sprite->palettes)[0]));
    ASSERT_NE(decoded, nullptr);
    const std::uint32_t alphas[] = {0x10, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00, 0xFE};
    for (jint i = 0; i < kWidth * kHeight; ++i) {
        EXPECT_EQ(static_cast<std::uint32_t>((*decoded)[i]), (alphas[i] << 24) | (colourOf(4) & 0xFFFFFF))
            << i;
    }
}

// A 21 x 13 picture with runs of every length and every index of the palette.
std::vector<std::uint8_t> testPicture(const int colours) {
    std::vector<std::uint8_t> indices;
    std::uint32_t seed = 12345;
    while (indices.size() < 21 * 13) {
        seed = seed * 1103515245u + 12345u;
        const int index = static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(colours));
        const int run = static_cast<int>((seed >> 8) % 11 == 0 ? 40 : (seed >> 4) % 4 + 1);
        indices.insert(indices.end(), static_cast<std::size_t>(run), static_cast<std::uint8_t>(index));
    }
    indices.resize(21 * 13);
    return indices;
}

TEST_F(SpriteTest, WhatTheEncodersWriteDecodesToTheSamePicture) {
    const int formats[] = {kPixelFormatIndexRuns, kPixelFormatShortRuns, kPixelFormatRunsOrLiterals,
                           kPixelFormatRunsWithAlpha, kPixelFormatIndexBytes};
    for (const int colours : {2, 16, 32, 256}) {
        const std::vector<std::uint8_t> picture = testPicture(colours);
        std::vector<std::uint8_t> alpha(picture.size());
        for (std::size_t i = 0; i < alpha.size(); ++i) {
            alpha[i] = static_cast<std::uint8_t>(i % 9 < 5 ? 0xFF : (i % 3 == 0 ? 0xFE : i * 7));
        }
        for (const int format : formats) {
            SCOPED_TRACE(::testing::Message()
                         << std::hex << format << std::dec << " with " << colours << " colours");
            const tools::Bytes pixels = tools::encodePixels(format, picture, colours, alpha);
            ASprite* sprite = newSprite(5);
            ASSERT_TRUE(load(sprite, tools::spriteFileBytes(oneModule(format, colours, pixels, 21, 13))));
            IntArray* decoded = sprite->decodeModule(0, 0, static_cast<IntArray*>((*sprite->palettes)[0]));
            ASSERT_NE(decoded, nullptr);
            for (std::size_t i = 0; i < picture.size(); ++i) {
                std::uint32_t want = colourOf(picture[i]);
                if (format == kPixelFormatRunsWithAlpha) {
                    want = (want & 0xFFFFFF) | static_cast<std::uint32_t>(alpha[i]) << 24;
                }
                ASSERT_EQ(static_cast<std::uint32_t>((*decoded)[static_cast<jint>(i)]), want)
                    << "pixel " << i;
            }
        }
    }
}

TEST_F(SpriteTest, NothingToDecodeGivesNull) {
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(
        load(sprite, tools::spriteFileBytes(oneModule(kPixelFormatIndexBytes, 4, {1, 2, 3, 0, 1, 2, 3, 0}))));
    auto* palette = static_cast<IntArray*>((*sprite->palettes)[0]);
    EXPECT_NE(sprite->decodeModule(0, 0, palette), nullptr);
    EXPECT_EQ(sprite->decodeModule(1, 0, palette), nullptr) << "a rectangle module";
    EXPECT_EQ(sprite->decodeModule(2, 0, palette), nullptr) << "no such module";
    EXPECT_EQ(sprite->decodeModule(-1, 0, palette), nullptr) << "no such module";
    EXPECT_EQ(sprite->decodeModule(0, 0, nullptr), nullptr) << "no palette";
    sprite->pixelData = nullptr;
    EXPECT_EQ(sprite->decodeModule(0, 0, palette), nullptr) << "pixel data dropped";
}

TEST_F(SpriteTest, TheSharedBufferIsMadeOrGrownForALargeModule) {
    std::vector<std::uint8_t> picture(255 * 255);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = static_cast<std::uint8_t>(i / 255 % 3);
    }
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(oneModule(
                                 kPixelFormatIndexRuns, 3,
                                 tools::encodePixels(kPixelFormatIndexRuns, picture, 3), 255, 255))));
    auto* palette = static_cast<IntArray*>((*sprite->palettes)[0]);
    for (const jint existing : {0, 5000, kDecodeBufferSize}) {
        SCOPED_TRACE(existing);
        statics()->paletteWork = existing == 0 ? nullptr : runtime::newIntArray(existing);
        IntArray* decoded = sprite->decodeModule(0, 0, palette);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded, statics()->paletteWork.get());
        ASSERT_GE(decoded->length, 255 * 255);
        EXPECT_EQ(static_cast<std::uint32_t>((*decoded)[255 * 255 - 1]), colourOf(254 % 3));
    }
    // A buffer that is large enough is kept.
    IntArray* kept = statics()->paletteWork;
    EXPECT_EQ(sprite->decodeModule(0, 0, palette), kept);
}

} // namespace
} // namespace game::sprites::testing
