// The host's pure rules: the key map, touch rotation, the window size and the scaled copy.
#include "profile/Host.h"

#include <gtest/gtest.h>

#include <vector>

namespace profile {
namespace {

TEST(MapKeyTest, HandsetKeysBecomeProfileKeyCodes) {
    struct Case {
        jint virtualKey;
        jint keyCode;
    };
    const Case cases[] = {
        {13, -5},
        {37, -3},
        {38, -1},
        {39, -4},
        {40, -2},
        {65, 65},
        {90, 90},
        {96, '0'},
        {101, '5'},
        {105, '9'},
        {112, -6},
        {113, -7},
        {119, '*'},
        {120, '#'},
        {48, '0'},
        {57, '9'},
        // Unmapped codes pass through, inside the table's range and outside it.
        {12, 12},
        {121, 121},
        {14, 14},
        {0x1B, 0x1B},
        {0x24, 0x24},
        {0x5B, 0x5B},
        {0x73, 0x73},
        {0, 0},
        {-1, -1},
        {0xFFFFFF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Host::mapKey(c.virtualKey), c.keyCode) << c.virtualKey;
    }
}

TEST(RotatePointTest, TouchFollowsTheDisplayOrientation) {
    struct Case {
        jint orientation;
        jint x, y;
        jint expectedX, expectedY;
    };
    const Case cases[] = {
        {1, 10, 20, 20, 790}, {4, 10, 20, 460, 10}, {0, 10, 20, 10, 20}, {2, 10, 20, 10, 20},
        {-1, 7, 9, 7, 9},     {1, 0, 0, 0, 800},    {4, 0, 0, 480, 0},
    };
    for (const Case& c : cases) {
        jint x = c.x;
        jint y = c.y;
        Host::rotatePoint(c.orientation, x, y);
        EXPECT_EQ(x, c.expectedX) << "orientation " << c.orientation;
        EXPECT_EQ(y, c.expectedY) << "orientation " << c.orientation;
    }
}

TEST(WindowSizeTest, SmallDesktopsGetAScaledDownWindowOfTheGamesShape) {
    struct Case {
        jint desktopWidth, desktopHeight;
        jint width, height;
    };
    const Case cases[] = {
        {1920, 1080, 480, 800},                        // room enough
        {0, 0, 480, 800},                              // unknown desktop
        {1366, 768, 422, 704},                         // too low: the height decides
        {1280, 720, 392, 656},  {400, 2000, 400, 666}, // too narrow: the width decides
        {480, 864, 480, 800},                          // exactly enough
    };
    for (const Case& c : cases) {
        jint width = 0;
        jint height = 0;
        Host::chooseWindowSize(c.desktopWidth, c.desktopHeight, width, height);
        EXPECT_EQ(width, c.width) << c.desktopWidth << "x" << c.desktopHeight;
        EXPECT_EQ(height, c.height) << c.desktopWidth << "x" << c.desktopHeight;
    }
}

// A source whose pixel value encodes its position: (y << 8) | x.
std::vector<std::uint16_t> positionPixels(const jint width, const jint height) {
    std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width) * height);
    for (jint y = 0; y < height; ++y) {
        for (jint x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint16_t>((y << 8) | x);
        }
    }
    return pixels;
}

TEST(ScalePixelsTest, NearestNeighbourTakesTheSourcePixelAtOrBeforeEachPosition) {
    struct Case {
        jint sourceWidth, sourceHeight, destinationWidth, destinationHeight;
    };
    const Case cases[] = {{8, 6, 4, 3}, {6, 4, 6, 4}, {5, 7, 3, 2}, {4, 2, 8, 5}, {200, 160, 87, 59}};
    for (const Case& c : cases) {
        const std::vector<std::uint16_t> source = positionPixels(c.sourceWidth, c.sourceHeight);
        // A wider destination row than the image checks that the pitch is honoured.
        const jint destinationStride = c.destinationWidth + 3;
        std::vector<std::uint16_t> destination(
            static_cast<std::size_t>(destinationStride) * c.destinationHeight, 0xEEEE);
        Host::scalePixels(source.data(), c.sourceWidth, c.sourceHeight, c.sourceWidth * 2, destination.data(),
                          c.destinationWidth, c.destinationHeight, destinationStride * 2);
        for (jint y = 0; y < c.destinationHeight; ++y) {
            for (jint x = 0; x < c.destinationWidth; ++x) {
                const jint stepX = c.sourceWidth * 65536 / c.destinationWidth;
                const jint stepY = c.sourceHeight * 65536 / c.destinationHeight;
                const jint sourceX = static_cast<jint>(static_cast<std::int64_t>(x) * stepX >> 16);
                const jint sourceY = static_cast<jint>(static_cast<std::int64_t>(y) * stepY >> 16);
                ASSERT_EQ(destination[static_cast<std::size_t>(y) * destinationStride + x],
                          (sourceY << 8) | sourceX)
                    << c.sourceWidth << "x" << c.sourceHeight << " -> " << x << "," << y;
            }
            EXPECT_EQ(destination[static_cast<std::size_t>(y) * destinationStride + c.destinationWidth],
                      0xEEEE);
        }
    }
}

TEST(ScalePixelsTest, EmptySizesCopyNothing) {
    std::uint16_t source = 1;
    std::uint16_t destination = 2;
    Host::scalePixels(&source, 0, 1, 2, &destination, 1, 1, 2);
    Host::scalePixels(&source, 1, 1, 2, &destination, 1, 0, 2);
    EXPECT_EQ(destination, 2);
}

} // namespace
} // namespace profile
