// Screen and number routines: the loading bar's pixels, clearing, clamping and the position
// group mappings.
#include "game/core/ScreenRoutines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "profile/Graphics.h"
#include "profile/Image.h"
#include "tests/game/support/SeededFixture.h"

namespace game::core {

namespace {

using runtime::jint;

constexpr std::uint16_t rgb565(const jint rgb) {
    return static_cast<std::uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}
constexpr std::uint16_t kTrack = rgb565(0x172056);
constexpr std::uint16_t kFill = rgb565(0xFF7700);
constexpr std::uint16_t kOutline = rgb565(0xCCCCCC);
constexpr std::uint16_t kBlank = 0;

class ScreenRoutinesTest : public game::testing::SeededFixture {
protected:
    void SetUp() override {
        SeededFixture::SetUp();
        screen = runtime::newObject<profile::Image>();
        screen->initBuffer(480, 800, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
        s()->currentGraphics = screen->getGraphics();
    }
    std::uint16_t at(const jint x, const jint y) const { return screen->row16(y)[x]; }
    // The pixels of row y from x0 to x1 inclusive as one letter each: t track, f fill, o outline,
    // . blank, ? anything else.
    std::string row(const jint y, const jint x0, const jint x1) const {
        std::string letters;
        for (jint x = x0; x <= x1; ++x) {
            const std::uint16_t p = at(x, y);
            letters += p == kTrack ? 't' : p == kFill ? 'f' : p == kOutline ? 'o' : p == kBlank ? '.' : '?';
        }
        return letters;
    }

    profile::Image* screen = nullptr;
};

TEST_F(ScreenRoutinesTest, ClearScreenFillsEverythingWhateverTheClip) {
    s()->currentGraphics->setClip(10, 10, 5, 5);
    clearScreen(0xFF7700);
    for (const auto& [x, y] : {std::pair{0, 0}, {479, 0}, {0, 799}, {479, 799}, {240, 400}}) {
        EXPECT_EQ(at(x, y), kFill) << x << ", " << y;
    }
}

TEST_F(ScreenRoutinesTest, LoadingBarDrawsTrackFillAndOutline) {
    s()->loadingBarVisible = 1;
    // x 10, y 20, w 10, value 4 of 9: fill (4 + 1) * 10 / 9 = 5 pixels over a 9-pixel track;
    // outline from x 8 to 8 + 13 = 21, rows 20 to 25.
    paintLoadingBar(10, 20, 10, 4, 9);
    EXPECT_EQ(row(19, 7, 22), "................");
    EXPECT_EQ(row(20, 7, 22), ".oooooooooooooo.");
    EXPECT_EQ(row(21, 7, 22), ".o............o.");
    EXPECT_EQ(row(22, 7, 22), ".o.ffffftttt..o.");
    EXPECT_EQ(row(23, 7, 22), ".o.ffffftttt..o.");
    EXPECT_EQ(row(24, 7, 22), ".o............o.");
    EXPECT_EQ(row(25, 7, 22), ".oooooooooooooo.");
    EXPECT_EQ(row(26, 7, 22), "................");
}

TEST_F(ScreenRoutinesTest, LoadingBarAtOrAboveMaxFillsPastTheTrack) {
    s()->loadingBarVisible = 1;
    // value = max: the fill is w + w / max = 10 + 2 pixels wide, x 10 to 21; the outline's
    // right edge at x 21 is drawn over its last pixel.
    for (const jint value : {5, 50}) {
        clearScreen(0);
        paintLoadingBar(10, 20, 10, value, 5);
        EXPECT_EQ(row(22, 9, 23), ".fffffffffffo..") << "value " << value;
    }
}

TEST_F(ScreenRoutinesTest, LoadingBarDrawsNothingHiddenOrWithoutAMax) {
    paintLoadingBar(10, 20, 10, 4, 9);
    EXPECT_EQ(row(22, 7, 22), "................") << "hidden";
    s()->loadingBarVisible = 1;
    paintLoadingBar(10, 20, 10, 4, 0);
    for (jint y = 19; y <= 26; ++y) {
        EXPECT_EQ(row(y, 7, 22), "................") << "max 0, row " << y;
    }
    s()->currentGraphics = nullptr;
    paintLoadingBar(10, 20, 10, 4, 9);
    clearScreen(0xFFFFFF);
}

TEST_F(ScreenRoutinesTest, ClampTestsTheUpperBoundFirst) {
    struct Case {
        jint v, lo, hi, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 5},  {-3, 0, 10, 0},  {11, 0, 10, 10},
        {0, 0, 10, 0},  {10, 0, 10, 10}, {5, 10, 3, 3},
        {2, 10, 3, 10}, {3, 10, 3, 10},  {runtime::kIntMin, -1, 1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clamp(c.v, c.lo, c.hi), c.expected) << c.v << " in " << c.lo << ".." << c.hi;
    }
}

TEST_F(ScreenRoutinesTest, PositionGroupMapsEveryPositionNumber) {
    const jint expected[] = {0, 2, 1, 1,  1,  3,  4,  6,  6,  6,  5,  8,  7,
                             7, 7, 9, 11, 10, 10, 10, 12, 13, 13, 13, 13, 13};
    for (jint p = -1; p <= 24; ++p) {
        EXPECT_EQ(positionGroup(p), expected[p + 1]) << "position " << p;
    }
    for (const jint p : {-2, 25, 100, runtime::kIntMin, 0x7FFFFFFF}) {
        EXPECT_EQ(positionGroup(p), -1) << "position " << p;
    }
}

TEST_F(ScreenRoutinesTest, FirstGroupInMaskFollowsItsOrder) {
    struct Case {
        jint mask, group;
    };
    const Case cases[] = {
        {1 << 13 | 1, 13},      {1 | 2, 1},      {0, -1},       {1, 0},       {1 << 6 | 1 << 12, 6},
        {1 << 12 | 1 << 1, 12}, {1 << 5 | 1, 5}, {1 << 14, -1}, {0x3FFF, 13}, {1 << 9 | 1 << 3, 9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstGroupInMask(c.mask), c.group) << std::hex << c.mask;
    }
}

} // namespace
} // namespace game::core
