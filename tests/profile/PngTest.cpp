// PNG decoding: every PngSuite image against its reference decoding, the deliberately corrupt
// ones, truncation and corruption without leaks, and the pixel types the conversion chooses.
#include "profile/Png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "PixelTestSupport.h"
#include "tests/runtime/LogCapture.h"
#include "profile/Pixels.h"

namespace profile {
namespace {

using test::fixturePath;
using runtime::LogCapture;
using test::readFile;

// Owns a decoded image's pixels.
struct Decoded : DecodedPng {
    Decoded() = default;
    Decoded(const Decoded&) = delete;
    ~Decoded() { std::free(pixels); }
    std::uint16_t at(const jint x, const jint y) const { return pixels[static_cast<std::size_t>(y) * (stride / 2) + x]; }
};

bool decode(const std::vector<std::uint8_t>& bytes, Decoded& out) { return decodePng(bytes.data(), bytes.size(), out); }

std::vector<std::string> suiteNames(const bool corrupt) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(fixturePath("png/pngsuite/png"))) {
        const std::string name = entry.path().stem().string();
        if ((name[0] == 'x') == corrupt) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What the decoder must make of a reference pixel, given how the file carries transparency.
std::uint16_t expectedPixel(const std::uint32_t argb, const PngHeader& header) {
    if (header.hasTransparency) {
        return (argb >> 24) == 0 ? kKeyColour : toRgb565(argb);
    }
    if (header.colourType == PNG_COLOR_TYPE_RGB_ALPHA || header.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        return toArgb4444(argb);
    }
    return toRgb565(argb);
}

// 16-bit samples are cut to their high byte; the reference decodings reduce them with their
// own rounding, so a channel may differ from the reference by one 8-bit step either way. Alpha
// from a tRNS chunk is exact (0 or 255) and is not moved.
bool matchesSixteenBit(const std::uint16_t pixel, const std::uint32_t argb, const PngHeader& header) {
    for (int steps = 0; steps < 81; ++steps) {
        std::uint32_t moved = 0;
        for (int channel = 0, rest = steps; channel < 4; ++channel, rest /= 3) {
            const int step = channel == 3 && header.hasTransparency ? 0 : rest % 3 - 1;
            const int value = static_cast<int>((argb >> (8 * channel)) & 0xFF) + step;
            moved |= static_cast<std::uint32_t>(std::clamp(value, 0, 0xFF)) << (8 * channel);
        }
        if (pixel == expectedPixel(moved, header)) {
            return true;
        }
    }
    return false;
}

TEST(Png, EverySuiteImageMatchesItsReference) {
    LogCapture log;
    const auto names = suiteNames(false);
    ASSERT_GE(names.size(), 150u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto bytes = readFile(fixturePath("png/pngsuite/png/" + name + ".png"));
        test::Bitmap reference;
        ASSERT_TRUE(test::readBmp(readFile(fixturePath("png/pngsuite/bmp/" + name + ".bmp")), reference));
        const PngHeader header = scanPngHeader(bytes.data(), bytes.size());
        Decoded image;
        ASSERT_TRUE(decode(bytes, image));
        ASSERT_EQ(image.width, reference.width);
        ASSERT_EQ(image.height, reference.height);
        EXPECT_EQ(image.stride, stride16(image.width));
        bool hasKey = false;
        jint mismatches = 0;
        for (jint y = 0; y < image.height; ++y) {
            for (jint x = 0; x < image.width; ++x) {
                const std::uint16_t expected = expectedPixel(reference.argb[y * reference.width + x], header);
                hasKey = hasKey || expected == kKeyColour;
                const std::uint32_t argb = reference.argb[y * reference.width + x];
                const bool matches = header.bitDepth == 16 ? matchesSixteenBit(image.at(x, y), argb, header)
                                                           : image.at(x, y) == expected;
                if (!matches && mismatches++ < 3) {
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << image.at(x, y) << " != " << expected;
                }
            }
            if (image.width % 2 != 0) {
                EXPECT_EQ(image.at(image.width, y), 0) << "padding pixel of row " << y;
            }
        }
        EXPECT_EQ(mismatches, 0);
        const bool alpha =
            header.colourType == PNG_COLOR_TYPE_RGB_ALPHA || header.colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
        EXPECT_EQ(image.type, alpha ? kPixelArgb4444 : hasKey ? kPixelKeyed : kPixelRgb565);
    }
    EXPECT_EQ(pngLiveAllocations(), 0);
}

TEST(Png, CorruptSuiteImagesAreRefusedWithoutLeaks) {
    LogCapture log;
    const auto names = suiteNames(true);
    ASSERT_GE(names.size(), 10u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::size_t before = log.lines.size();
        Decoded image;
        EXPECT_FALSE(decode(readFile(fixturePath("png/pngsuite/png/" + name + ".png")), image));
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_GT(log.lines.size(), before) << "the refusal is logged";
        EXPECT_EQ(pngLiveAllocations(), 0);
    }
}

TEST(Png, EveryTruncationReturnsSafely) {
    LogCapture log;
    for (const char* name : {"basn2c08", "basi3p04", "tbbn3p08"}) {
        SCOPED_TRACE(name);
        const auto bytes = readFile(fixturePath(std::string("png/pngsuite/png/") + name + ".png"));
        Decoded whole;
        ASSERT_TRUE(decode(bytes, whole));
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            Decoded part;
            // Chunks after the image data are not needed, so a cut there may still decode, and
            // then to the same pixels.
            if (decodePng(bytes.data(), length, part)) {
                ASSERT_TRUE(std::equal(part.pixels, part.pixels + (part.stride / 2) * part.height, whole.pixels))
                    << "cut at " << length;
            }
            ASSERT_EQ(pngLiveAllocations(), 0) << "cut at " << length;
        }
    }
}

TEST(Png, RandomCorruptionNeverCrashesOrLeaks) {
    LogCapture log;
    std::mt19937 random(20240611);
    for (const char* name : {"basn6a08", "basi0g16", "s35i3p04"}) {
        const auto original = readFile(fixturePath(std::string("png/pngsuite/png/") + name + ".png"));
        for (int round = 0; round < 300; ++round) {
            auto bytes = original;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i) {
                bytes[8 + random() % (bytes.size() - 8)] ^= static_cast<std::uint8_t>(1 + random() % 255);
            }
            Decoded image;
            if (decode(bytes, image)) {
                EXPECT_GE(image.width, 1);
            }
            ASSERT_EQ(pngLiveAllocations(), 0) << name << " round " << round;
        }
    }
}

TEST(Png, OddWidthRowsLeaveTheirPaddingPixelUnwritten) {
    test::PngSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.rows = {{255, 255, 255, 255, 255, 255, 255, 255, 255}, {0, 0, 0, 0, 0, 0, 255, 0, 0}};
    Decoded image;
    ASSERT_TRUE(decode(test::encodePng(spec), image));
    EXPECT_EQ(image.stride, 8);
    EXPECT_EQ(image.at(0, 0), 0xFFFF);
    EXPECT_EQ(image.at(3, 0), 0);
    EXPECT_EQ(image.at(2, 1), 0xF800);
    EXPECT_EQ(image.at(3, 1), 0);
}

TEST(Png, PaletteTransparencyBecomesTheKeyColour) {
    test::PngSpec spec;
    spec.width = 3;
    spec.colourType = PNG_COLOR_TYPE_PALETTE;
    spec.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    spec.transparency = {255, 0, 128}; // opaque red, clear green, half-transparent blue
    spec.rows = {{0, 1, 2}};
    Decoded image;
    ASSERT_TRUE(decode(test::encodePng(spec), image));
    EXPECT_EQ(image.type, kPixelKeyed);
    EXPECT_EQ(image.at(0, 0), 0xF800);
    EXPECT_EQ(image.at(1, 0), kKeyColour);
    EXPECT_EQ(image.at(2, 0), 0x001F) << "partial alpha is drawn opaque";
}

struct ConversionCase {
    const char* name;
    int colourType;
    int bitDepth;
    std::vector<std::uint8_t> row;         // one pixel
    std::vector<std::uint8_t> transparency;
    std::uint16_t pixel;
    jint type;
};

TEST(Png, EveryColourTypeReachesThePixelTypes) {
    const ConversionCase cases[] = {
        {"rgb", PNG_COLOR_TYPE_RGB, 8, {0x12, 0x34, 0x56}, {}, toRgb565(0x123456), kPixelRgb565},
        {"rgb magenta is keyed", PNG_COLOR_TYPE_RGB, 8, {0xFF, 0x00, 0xFF}, {}, kKeyColour, kPixelKeyed},
        {"rgb 16-bit", PNG_COLOR_TYPE_RGB, 16, {0xAB, 0x01, 0xCD, 0x02, 0xEF, 0x03}, {}, toRgb565(0xABCDEF),
         kPixelRgb565},
        {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, {0x12, 0x34, 0x56, 0x78}, {}, 0x7135, kPixelArgb4444},
        {"rgba 16-bit", PNG_COLOR_TYPE_RGB_ALPHA, 16, {0xF0, 0, 0xE0, 0, 0xD0, 0, 0xC0, 0}, {}, 0xCFED,
         kPixelArgb4444},
        {"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, {0x80}, {}, 0xFFFF, kPixelRgb565},
        {"grey 4-bit", PNG_COLOR_TYPE_GRAY, 4, {0x50}, {}, toRgb565(0x555555), kPixelRgb565},
        {"grey 16-bit", PNG_COLOR_TYPE_GRAY, 16, {0x80, 0xFF}, {}, toRgb565(0x808080), kPixelRgb565},
        {"grey with tRNS", PNG_COLOR_TYPE_GRAY, 8, {0x40}, {0, 0x40}, kKeyColour, kPixelKeyed},
        {"grey with alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x40}, {}, 0x4888, kPixelArgb4444},
        {"rgb with tRNS", PNG_COLOR_TYPE_RGB, 8, {1, 2, 3}, {0, 1, 0, 2, 0, 3}, kKeyColour, kPixelKeyed},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::PngSpec spec;
        spec.colourType = c.colourType;
        spec.bitDepth = c.bitDepth;
        spec.rows = {c.row};
        spec.transparency = c.transparency;
        Decoded image;
        ASSERT_TRUE(decode(test::encodePng(spec), image));
        EXPECT_EQ(image.at(0, 0), c.pixel);
        EXPECT_EQ(image.type, c.type);
    }
}

TEST(Png, InterlacedAndPlainDecodeAlike) {
    test::PngSpec spec;
    spec.width = 9;
    spec.height = 7;
    for (int y = 0; y < spec.height; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < spec.width; ++x) {
            row.insert(row.end(), {static_cast<std::uint8_t>(x * 28), static_cast<std::uint8_t>(y * 36), 77});
        }
        spec.rows.push_back(row);
    }
    Decoded plain;
    Decoded interlaced;
    ASSERT_TRUE(decode(test::encodePng(spec), plain));
    spec.interlaced = true;
    ASSERT_TRUE(decode(test::encodePng(spec), interlaced));
    EXPECT_TRUE(std::equal(plain.pixels, plain.pixels + (plain.stride / 2) * plain.height, interlaced.pixels));
}

TEST(Png, ChunkScanFindsHeaderPaletteAndTransparency) {
    const auto bytes = readFile(fixturePath("png/pngsuite/png/tbbn3p08.png"));
    const PngHeader header = scanPngHeader(bytes.data(), bytes.size());
    EXPECT_TRUE(header.found);
    EXPECT_EQ(header.width, 32);
    EXPECT_EQ(header.height, 32);
    EXPECT_EQ(header.bitDepth, 8);
    EXPECT_EQ(header.colourType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_GT(header.paletteCount, 0);
    EXPECT_TRUE(header.hasTransparency);
    // A chunk length running past the end stops the scan instead of reading on.
    auto cut = bytes;
    cut[33] = 0x7F;
    EXPECT_TRUE(scanPngHeader(cut.data(), cut.size()).found);
    EXPECT_FALSE(scanPngHeader(bytes.data(), 20).found);
}

TEST(Png, AbsurdSizesAreRefusedBeforeDecoding) {
    LogCapture log;
    test::PngSpec spec;
    spec.rows = {{1, 2, 3}};
    auto bytes = test::encodePng(spec);
    // IHDR's width and height sit at 16..23; the scan refuses before libpng sees the bad CRC.
    for (const std::uint32_t size : {0u, 0x80000000u, 100000u}) {
        auto edited = bytes;
        for (int i = 0; i < 4; ++i) {
            edited[16 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
            edited[20 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
        }
        Decoded image;
        EXPECT_FALSE(decode(edited, image));
    }
    EXPECT_TRUE(log.contains("createImage size 100000x100000"));
    EXPECT_EQ(pngLiveAllocations(), 0);
    Decoded image;
    EXPECT_FALSE(decodePng(nullptr, 100, image));
}

} // namespace
} // namespace profile
