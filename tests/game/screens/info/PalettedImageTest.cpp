// The paletted run-length images: the three encodings, the palette rules, images that end early
// or ask for too much, and where the palettes go in and out of the loading screen.
#include "game/screens/info/PalettedImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/screens/info/PalettedImageFormat.h"
#include "profile/Image.h"
#include "tests/support/GameRuntime.h"
#include "tools/SampleImageSets.h"

namespace game::info {
namespace {

using runtime::jint;
using Bytes = std::vector<std::uint8_t>;

// An image's bytes: the header with palettes of `colours` (0 for 256), the encoding, the codes.
Bytes image(const int width, const int height, const std::vector<std::vector<std::uint32_t>>& palettes,
            const int coloursByte, const int encoding, const Bytes& codes) {
    Bytes out(kImageLeadSkipBytes, 0x5A);
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(width >> 8));
    out.push_back(static_cast<std::uint8_t>(height));
    out.push_back(static_cast<std::uint8_t>(height >> 8));
    out.insert(out.end(), kImageMiddleSkipBytes, 0xA5);
    out.push_back(static_cast<std::uint8_t>(palettes.size()));
    out.push_back(static_cast<std::uint8_t>(coloursByte));
    for (const auto& palette : palettes) {
        for (const std::uint32_t c : palette) {
            for (int i = 0; i < 4; ++i) {
                out.push_back(static_cast<std::uint8_t>(c >> (8 * i)));
            }
        }
    }
    out.push_back(static_cast<std::uint8_t>(encoding));
    out.push_back(static_cast<std::uint8_t>(encoding >> 8));
    out.push_back(0x77);
    out.push_back(0x77);
    out.insert(out.end(), codes.begin(), codes.end());
    return out;
}

// Sixteen opaque colours 0xFF0000nn plus the index.
std::vector<std::uint32_t> ramp(const int count, const std::uint32_t base = 0xFF000000u) {
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < count; ++i) {
        colours.push_back(base | static_cast<std::uint32_t>(i + 1));
    }
    return colours;
}

class PalettedImageTest : public testing_support::GameRuntimeTest {
protected:
    static runtime::ByteArray* array(const Bytes& bytes) {
        runtime::ByteArray* out = runtime::newByteArray(static_cast<jint>(bytes.size()));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            (*out)[static_cast<jint>(i)] = static_cast<runtime::jbyte>(bytes[i]);
        }
        return out;
    }
    // The decoded pixels as plain values; empty for null.
    static std::vector<std::uint32_t> decode(const Bytes& bytes, const jint palette = 0) {
        jint w = 0;
        jint h = 0;
        runtime::IntArray* pixels = decodePalettedPixels(array(bytes), palette, w, h);
        std::vector<std::uint32_t> out;
        if (pixels == nullptr) {
            return out;
        }
        EXPECT_EQ(w * h, pixels->length);
        for (jint i = 0; i < pixels->length; ++i) {
            out.push_back(static_cast<std::uint32_t>((*pixels)[i]));
        }
        return out;
    }
};

TEST_F(PalettedImageTest, EachEncodingWritesItsRunsAndPixels) {
    const auto c = ramp(16);
    struct Case {
        const char* name;
        int width;
        int coloursByte;
        int encoding;
        Bytes codes;
        std::vector<int> indices; // expected colour index per pixel, -1 transparent
    };
    const Case cases[] = {
        // N = 16: k = 4, so 0x35 is a run of 4 of colour 5.
        {"0x64F0 with 16 colours", 6, 16, kEncodingPackedRuns, {0x35, 0x12}, {5, 5, 5, 5, 2, 2}},
        // N = 0 means 256: k = 8, every byte one pixel.
        {"0x64F0 with 256 colours", 3, 0, kEncodingPackedRuns, {0x03, 0x0F, 0x01}, {3, 15, 1}},
        {"0x27F1 single pixels and a run",
         5,
         16,
         kEncodingPixelsOrRuns,
         {0x02, 0x83, 0x07, 0x04},
         {2, 7, 7, 7, 4}},
        {"0x56F2 a run, an empty run and literals",
         5,
         16,
         kEncodingRunsOrLiterals,
         {0x02, 0x09, 0x00, 0x01, 0x83, 0x01, 0x02, 0x03},
         {9, 9, 1, 2, 3}},
        {"a run past the last pixel stops there", 3, 16, kEncodingPackedRuns, {0xF6}, {6, 6, 6}},
        {"an unknown encoding leaves the image transparent", 2, 16, 0x5602, {0x11}, {-1, -1}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<std::vector<std::uint32_t>> palettes = {test.coloursByte == 0 ? ramp(256) : c};
        const auto pixels =
            decode(image(test.width, 1, palettes, test.coloursByte, test.encoding, test.codes));
        ASSERT_EQ(pixels.size(), test.indices.size());
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const std::uint32_t expected =
                test.indices[i] < 0 ? 0u : palettes[0][static_cast<std::size_t>(test.indices[i])];
            EXPECT_EQ(pixels[i], expected) << "pixel " << i;
        }
    }
}

TEST_F(PalettedImageTest, TheNamedPaletteColoursThePixelsAndAlphaZeroIsStoredAsZero) {
    const std::vector<std::vector<std::uint32_t>> palettes = {
        {0x00FFFFFF, 0x01123456, 0xFF00FF00, 0xFFFF0000},
        {0xFF0000FF, 0x00ABCDEF, 0xFF101010, 0xFF202020},
    };
    const Bytes bytes = image(2, 2, palettes, 4, kEncodingPackedRuns, {0x00, 0x01, 0x02, 0x03});
    EXPECT_EQ(decode(bytes, 0), (std::vector<std::uint32_t>{0, 0x01123456, 0xFF00FF00, 0xFFFF0000}));
    EXPECT_EQ(decode(bytes, 1), (std::vector<std::uint32_t>{0xFF0000FF, 0, 0xFF101010, 0xFF202020}));
}

TEST_F(PalettedImageTest, DamagedOrImpossibleImagesGiveNull) {
    const auto c = ramp(16);
    struct Case {
        const char* name;
        Bytes bytes;
        jint palette;
    };
    Bytes cutHeader = image(2, 2, {c}, 16, kEncodingPackedRuns, {0x30});
    cutHeader.resize(20);
    Bytes cutPalette = image(2, 2, {c}, 16, kEncodingPackedRuns, {0x30});
    cutPalette.resize(30);
    const Case cases[] = {
        {"the data ends before the last pixel", image(4, 2, {c}, 16, kEncodingPackedRuns, {0x31, 0x12}), 0},
        {"0x27F1 ends before a run's colour", image(4, 1, {c}, 16, kEncodingPixelsOrRuns, {0x01, 0x85}), 0},
        {"the header is cut short", cutHeader, 0},
        {"the palettes are cut short", cutPalette, 0},
        {"no pixels", image(0, 5, {c}, 16, kEncodingPackedRuns, {}), 0},
        {"more pixels than the game draws", image(0xFFFF, 0xFFFF, {c}, 16, kEncodingPackedRuns, {}), 0},
        {"a palette the image lacks", image(1, 1, {c}, 16, kEncodingPackedRuns, {0x00}), 1},
        {"a negative palette", image(1, 1, {c}, 16, kEncodingPackedRuns, {0x00}), -1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_TRUE(decode(test.bytes, test.palette).empty());
        EXPECT_EQ(decodePalettedImage(array(test.bytes), test.palette), nullptr);
    }
}

TEST_F(PalettedImageTest, AColourIndexThePaletteLacksIsTransparent) {
    // N = 5 gives k = 3, so indices 5-7 can be coded though the palette has five colours.
    const auto pixels = decode(image(3, 1, {ramp(5)}, 5, kEncodingPackedRuns, {0x04, 0x07, 0x05}));
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0xFF000005u, 0, 0}));
}

TEST_F(PalettedImageTest, ThePalettesStayForTheLoadingScreensAndAreReusedInTheSecondLoadingStage) {
    const Bytes first = image(1, 1, {ramp(4), ramp(4)}, 4, kEncodingPackedRuns, {0x01});
    const Bytes other = image(1, 1, {ramp(8)}, 8, kEncodingPackedRuns, {0x01});
    statics()->topState = 2;
    decode(first);
    EXPECT_EQ(statics()->imagePalettes.get(), nullptr) << "dropped outside states 5 and 6";
    statics()->topState = 6;
    decode(first);
    runtime::ObjectArray* kept = statics()->imagePalettes;
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->length, 2);
    statics()->topState = 5;
    decode(first);
    EXPECT_EQ(statics()->imagePalettes.get(), kept) << "filled again in state 5";
    // Palettes of another shape do not fit the kept arrays: new ones are made, nothing overruns.
    EXPECT_EQ(decode(other), (std::vector<std::uint32_t>{0xFF000002u}));
    EXPECT_NE(statics()->imagePalettes.get(), kept);
}

TEST_F(PalettedImageTest, TheGeneratorsImagesDecodeToTheirPixels) {
    const std::vector<std::uint8_t> indices = {0, 1, 1, 1, 2, 3, 3, 0, 0, 0, 0, 0};
    const std::vector<std::uint32_t> palette = {0x00000000, 0xFF102030, 0xFF405060, 0xFF708090};
    const Bytes bytes = tools::encodePalettedImage(4, 3, {palette}, 4, indices);
    const auto pixels = decode(bytes);
    ASSERT_EQ(pixels.size(), indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        EXPECT_EQ(pixels[i], palette[indices[i]]) << i;
    }
    profile::Image* picture = decodePalettedImage(array(bytes), 0);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->getWidth(), 4);
    EXPECT_EQ(picture->getHeight(), 3);
}

} // namespace
} // namespace game::info
