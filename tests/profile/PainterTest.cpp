// The drawing primitives over plain pixel memory: colour arithmetic, clipping, lines, arcs,
// triangles, region transforms, ARGB arrays, and that no call writes outside its target.
#include "profile/Painter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "PixelTestSupport.h"
#include "tests/runtime/LogCapture.h"

namespace profile {
namespace {

using runtime::LogCapture;
using test::OwnedSurface;
using Pixels = std::vector<std::uint16_t>;

constexpr std::uint16_t kRed = 0xF800;
constexpr std::uint16_t kWhite = 0xFFFF;

struct Drawing {
    explicit Drawing(const jint w, const jint h, const jint type = kPixelRgb565) : surface(w, h, type) {
        painter.attach(&surface);
    }
    OwnedSurface surface;
    Painter painter;
};

// The set pixels of a surface as text rows ('#' set, '.' clear), for readable expectations.
std::vector<std::string> shape(const OwnedSurface& surface) {
    std::vector<std::string> rows;
    for (jint y = 0; y < surface.height; ++y) {
        std::string row;
        for (jint x = 0; x < surface.width; ++x) {
            row += surface.at(x, y) != 0 ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(Pixels, ColourConversions) {
    EXPECT_EQ(toRgb565(0xFFFFFFFF), 0xFFFF);
    EXPECT_EQ(toRgb565(0x00FF00FF), kKeyColour);
    EXPECT_EQ(toRgb565(0x12345678), (0x34 >> 3) << 11 | (0x56 >> 2) << 5 | (0x78 >> 3));
    EXPECT_EQ(toArgb4444(0x89ABCDEF), 0x8ACE);
    for (std::uint32_t pixel = 0; pixel < 0x10000; ++pixel) {
        ASSERT_EQ(toRgb565(rgb565ToArgb(static_cast<std::uint16_t>(pixel))), pixel);
    }
    EXPECT_EQ(stride16(3), 8);
    EXPECT_EQ(stride16(480), 960);
}

struct BlendCase {
    const char* name;
    std::uint16_t result;
    std::uint16_t expected;
};

TEST(Pixels, Blends) {
    const BlendCase cases[] = {
        // Fills keep (256 - a) / 256 of each field and add the channel times a, each part truncated.
        {"fill a=0 keeps", blendFill(0x1234, 0xFFFFFF, 0), 0x1234},
        {"fill half white on black", blendFill(0, 0xFFFFFF, 128), 15 << 11 | 31 << 5 | 15},
        {"fill 254 white on black", blendFill(0, 0xFFFFFF, 254), 31 << 11 | 63 << 5 | 31},
        {"fill half black on white", blendFill(0xFFFF, 0, 128), 15 << 11 | 31 << 5 | 15},
        // Lines and ARGB arrays move each field by (new - old) * a >> 8.
        {"fields a=0 keeps", blendFields(0x1234, 0xFFFF, 0), 0x1234},
        {"fields half up", blendFields(0, 0xFFFF, 128), 15 << 11 | 31 << 5 | 15},
        {"fields half down", blendFields(0xFFFF, 0, 128), 15 << 11 | 31 << 5 | 15},
        {"fields 255 down floors", blendFields(0xFFFF, 0, 255), 0},
        // ARGB4444 over RGB565: alpha (p >> 12) * 17, fields masked after the add.
        {"4444 clear keeps", blend4444(0x1234, 0x0FFF), 0x1234},
        {"4444 opaque white on black", blend4444(0, 0xFFFF), 0xE800 | 0x0760 | 0x1D}, // 255/256 of each
        {"4444 opaque black on white", blend4444(0xFFFF, 0xF000), 0},
        {"4444 half red on black", blend4444(0, 0x8F00), 0x7800},
    };
    for (const BlendCase& c : cases) {
        EXPECT_EQ(c.result, c.expected) << c.name;
    }
}

TEST(Pixels, FillRect16StoresEveryPixelAtAnyAlignment) {
    LogCapture log;
    // Starts at every alignment and widths around the 8-pixel step; neighbours stay untouched.
    alignas(16) std::uint16_t buffer[3 * 40];
    for (jint start = 0; start < 4; ++start) {
        for (jint width = 0; width <= 19; ++width) {
            std::fill(std::begin(buffer), std::end(buffer), 0x1111);
            std::uint16_t* first = buffer + 40 + start;
            const bool aligned = (reinterpret_cast<std::uintptr_t>(first) & 3) == 0;
            EXPECT_EQ(aligned, start % 2 == 0);
            fillRect16(first, 40, width, 2, 0xABCD);
            for (jint i = 0; i < 3 * 40; ++i) {
                const jint row = i / 40 - 1;
                const jint column = i % 40 - start;
                const bool inside = row >= 0 && row < 2 && column >= 0 && column < width;
                ASSERT_EQ(buffer[i], inside ? 0xABCD : 0x1111) << start << " " << width << " " << i;
            }
        }
    }
    EXPECT_TRUE(log.lines.empty());
    fillRect16(buffer, 40, 4, 0, 0);
    EXPECT_TRUE(log.contains("FillRect16 h > 0"));
}

TEST(Painter, NewPainterDrawsInvisibly) {
    Drawing d(4, 4);
    EXPECT_EQ(d.painter.colour, 0);
    d.painter.fillRect(0, 0, 4, 4);
    d.painter.drawLine(0, 0, 3, 3);
    EXPECT_EQ(d.surface.visible(), Pixels(16, 0));
}

TEST(Painter, Colours) {
    LogCapture log;
    Painter painter;
    painter.setColor(0x00123456);
    EXPECT_EQ(static_cast<std::uint32_t>(painter.colour), 0xFF123456u);
    painter.setColorRGB(0x12, 0x34, 0x56);
    EXPECT_EQ(static_cast<std::uint32_t>(painter.colour), 0xFF123456u);
    EXPECT_TRUE(log.lines.empty());
    painter.setColorRGB(256, 0, -1);
    EXPECT_TRUE(log.contains("setColor r"));
    EXPECT_FALSE(log.contains("setColor g"));
    EXPECT_TRUE(log.contains("setColor b"));
    EXPECT_EQ(static_cast<std::uint32_t>(painter.colour) >> 24, 0xFFu) << "set anyway, opaque";
}

TEST(Painter, ClipIsLimitedToTheTarget) {
    Drawing d(480, 800);
    Painter& p = d.painter;
    p.setClip(-10, -10, 1000, 1000);
    EXPECT_EQ(std::vector<jint>({p.clipX1, p.clipY1, p.clipX2, p.clipY2}), std::vector<jint>({0, 0, 480, 800}));
    p.translate(5, 7);
    p.setClip(10, 10, 20, 30);
    EXPECT_EQ(std::vector<jint>({p.clipX1, p.clipY1, p.clipX2, p.clipY2}), std::vector<jint>({15, 17, 35, 47}));
    p.clipRect(0, 20, 100, 5);
    EXPECT_EQ(std::vector<jint>({p.clipX1, p.clipY1, p.clipX2, p.clipY2}), std::vector<jint>({15, 27, 35, 32}));
    p.clipRect(-100, -100, 1000, 1000);
    EXPECT_EQ(std::vector<jint>({p.clipX1, p.clipY1, p.clipX2, p.clipY2}), std::vector<jint>({15, 27, 35, 32}));
    EXPECT_EQ(p.getTranslateX(), 5);
    EXPECT_EQ(p.getTranslateY(), 7);
}

struct FillCase {
    const char* name;
    jint clip[4];
    jint translate[2];
    jint rect[4];
    std::vector<std::string> expected;
};

TEST(Painter, FillRectClipsAndTranslates) {
    const FillCase cases[] = {
        {"inside", {0, 0, 6, 4}, {0, 0}, {1, 1, 2, 2}, {"......", ".##...", ".##...", "......"}},
        {"reaching the clip's left edge draws nothing", {3, 0, 3, 4}, {0, 0}, {0, 0, 3, 4},
         {"......", "......", "......", "......"}},
        {"crossing the clip", {2, 1, 3, 2}, {0, 0}, {0, 0, 6, 4}, {"......", "..###.", "..###.", "......"}},
        {"translated", {0, 0, 6, 4}, {2, 1}, {0, 0, 1, 3}, {"......", "..#...", "..#...", "..#..."}},
        {"negative size", {0, 0, 6, 4}, {0, 0}, {3, 3, -2, -2}, {"......", "......", "......", "......"}},
        {"huge size", {0, 0, 6, 4}, {0, 0}, {4, 2, INT_MAX, INT_MAX}, {"......", "......", "....##", "....##"}},
        {"ending left of the clip", {0, 0, 6, 4}, {0, 0}, {INT_MIN, 3, INT_MAX, 1}, {"......", "......", "......", "......"}},
        {"far left start", {0, 0, 6, 4}, {0, 0}, {-(1 << 30), 3, INT_MAX, 1}, {"......", "......", "......", "######"}},
    };
    for (const FillCase& c : cases) {
        Drawing d(6, 4);
        d.painter.setClip(c.clip[0], c.clip[1], c.clip[2], c.clip[3]);
        d.painter.translate(c.translate[0], c.translate[1]);
        d.painter.setColor(0xFFFFFF);
        d.painter.fillRect(c.rect[0], c.rect[1], c.rect[2], c.rect[3]);
        EXPECT_EQ(shape(d.surface), c.expected) << c.name;
    }
}

TEST(Painter, TranslucentFillBlends) {
    Drawing d(2, 1);
    d.surface.at(0, 0) = 0xFFFF;
    d.painter.colour = static_cast<jint>(0x80000000u); // half-transparent black
    d.painter.fillRect(0, 0, 2, 1);
    EXPECT_EQ(d.surface.at(0, 0), blendFill(0xFFFF, 0, 0x80));
    EXPECT_EQ(d.surface.at(1, 0), 0);
}

struct LineCase {
    const char* name;
    jint from[2];
    jint to[2];
    std::vector<std::string> expected;
};

TEST(Painter, LinesIncludeBothEnds) {
    const LineCase cases[] = {
        {"horizontal", {1, 1}, {4, 1}, {"......", ".####.", "......", "......"}},
        {"vertical upwards", {2, 3}, {2, 0}, {"..#...", "..#...", "..#...", "..#..."}},
        {"one pixel", {5, 3}, {5, 3}, {"......", "......", "......", ".....#"}},
        {"shallow", {0, 0}, {5, 2}, {"##....", "..##..", "....##", "......"}},
        {"steep", {0, 0}, {1, 3}, {"#.....", "#.....", ".#....", ".#...."}},
        {"clipped at both ends", {-3, 2}, {9, 2}, {"......", "......", "######", "......"}},
        {"outside", {-3, -1}, {9, -1}, {"......", "......", "......", "......"}},
        {"far outside", {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {"#.....", ".#....", "..#...", "...#.."}},
    };
    for (const LineCase& c : cases) {
        Drawing d(6, 4);
        d.painter.setColor(0xFFFFFF);
        d.painter.drawLine(c.from[0], c.from[1], c.to[0], c.to[1]);
        EXPECT_EQ(shape(d.surface), c.expected) << c.name;
    }
}

TEST(Painter, ClippedLinesStayOnTheirLine) {
    // A line cut by the clip draws only inside the clip and near the whole line: the cut points
    // come from truncating division, so a pixel may sit one step off it, never further. With
    // both ends inside, nothing is cut and the pixels are the same.
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const auto coordinate = [&] { return static_cast<jint>(random() % 40) - 10; };
        const jint x1 = coordinate(), y1 = coordinate(), x2 = coordinate(), y2 = coordinate();
        Drawing whole(20, 20);
        whole.painter.setColor(0xFFFFFF);
        whole.painter.drawLine(x1, y1, x2, y2);
        Drawing clipped(20, 20);
        clipped.painter.setColor(0xFFFFFF);
        clipped.painter.setClip(5, 4, 9, 11);
        clipped.painter.drawLine(x1, y1, x2, y2);
        const auto inClip = [](const jint x, const jint y) { return x >= 5 && x < 14 && y >= 4 && y < 15; };
        if (inClip(x1, y1) && inClip(x2, y2)) {
            ASSERT_EQ(clipped.surface.visible(), whole.surface.visible()) << round;
            continue;
        }
        for (jint y = 0; y < 20; ++y) {
            for (jint x = 0; x < 20; ++x) {
                if (clipped.surface.at(x, y) == 0) {
                    continue;
                }
                ASSERT_TRUE(inClip(x, y)) << round;
                bool near = false;
                for (jint dy = -1; dy <= 1; ++dy) {
                    for (jint dx = -1; dx <= 1; ++dx) {
                        const jint nx = x + dx, ny = y + dy;
                        near = near || (nx >= 0 && nx < 20 && ny >= 0 && ny < 20 && whole.surface.at(nx, ny) != 0);
                    }
                }
                ASSERT_TRUE(near) << round;
            }
        }
    }
}

TEST(Painter, DrawRectCoversOneMorePixelEachWay) {
    Drawing d(6, 4);
    d.painter.setColor(0xFFFFFF);
    d.painter.drawRect(0, 0, 0, 0);
    EXPECT_EQ(shape(d.surface), std::vector<std::string>({"#.....", "......", "......", "......"}));
    d.painter.drawRect(2, 0, 3, 2);
    EXPECT_EQ(shape(d.surface), std::vector<std::string>({"#.####", "..#..#", "..####", "......"}));
}

TEST(Painter, ArcsDrawOnlyWholeQuadrants) {
    const auto draw = [](const jint start, const jint arc, const bool fill) {
        auto d = std::make_unique<Drawing>(9, 9);
        d->painter.setColor(0xFFFFFF);
        if (fill) {
            d->painter.fillArc(0, 0, 8, 8, start, arc);
        } else {
            d->painter.drawArc(0, 0, 8, 8, start, arc);
        }
        return shape(d->surface);
    };
    // Midpoint ellipse with a = b = 4: (0,4) (1,4) (2,3) (3,3) (3,2) (4,1) (4,0) and mirrors.
    const std::vector<std::string> circle = {
        "...###...", ".#######.", ".#######.", "#########", "#########",
        "#########", ".#######.", ".#######.", "...###...",
    };
    EXPECT_EQ(draw(0, 360, true), circle);
    EXPECT_EQ(draw(450, 90, true), draw(90, 90, true)) << "starts above 360 reduce into 1..360";
    EXPECT_EQ(draw(720, 360, true), shape(OwnedSurface(9, 9))) << "720 reduces to 360, not 0";
    EXPECT_EQ(draw(45, 90, true), shape(OwnedSurface(9, 9)));
    const std::vector<std::string> upperRight = {
        "....##...", "....####.", "....####.", "....#####", "....#####",
        ".........", ".........", ".........", ".........",
    };
    EXPECT_EQ(draw(0, 90, true), upperRight);
    const std::vector<std::string> lowerHalf = {
        ".........", ".........", ".........", ".........", "#########",
        "#########", ".#######.", ".#######.", "...###...",
    };
    EXPECT_EQ(draw(180, 180, true), lowerHalf);
    const std::vector<std::string> ring = {
        "...###...", ".##...##.", ".#.....#.", "#.......#", "#.......#",
        "#.......#", ".#.....#.", ".##...##.", "...###...",
    };
    EXPECT_EQ(draw(0, 360, false), ring);
}

TEST(Painter, HugeArcsAndRoundRectsAreRefused) {
    LogCapture log;
    Drawing d(4, 4);
    d.painter.setColor(0xFFFFFF);
    d.painter.fillArc(0, 0, INT_MAX, INT_MAX, 0, 360);
    d.painter.drawArc(-5, -5, -10, -10, 0, 360);
    d.painter.fillRoundRect(0, 0, 4, 4, INT_MAX, 4);
    EXPECT_EQ(d.surface.visible(), Pixels(16, 0));
    EXPECT_TRUE(log.contains("fillArc w, h"));
    EXPECT_TRUE(log.contains("fillRoundRect arcWidth"));
}

TEST(Painter, RoundRectCorners) {
    Drawing d(10, 8);
    d.painter.setColor(0xFFFFFF);
    d.painter.fillRoundRect(0, 0, 10, 8, 8, 8);
    // r = 3: the outlines of the two crossed rectangles as they grow along the circle.
    const std::vector<std::string> expected = {
        "..######..", ".########.", "##########", "##########",
        "##########", "##########", ".########.", "..######..",
    };
    EXPECT_EQ(shape(d.surface), expected);
    Drawing square(4, 3);
    square.painter.setColor(0xFFFFFF);
    square.painter.fillRoundRect(0, 0, 4, 3, 2, 2);
    EXPECT_EQ(shape(square.surface), std::vector<std::string>({"####", "####", "####"})) << "arc width 2: no rounding";
}

TEST(Painter, Triangles) {
    const auto draw = [](const jint x1, const jint y1, const jint x2, const jint y2, const jint x3, const jint y3) {
        auto d = std::make_unique<Drawing>(8, 5);
        d->painter.setColor(0xFFFFFF);
        d->painter.fillTriangle(x1, y1, x2, y2, x3, y3);
        return shape(d->surface);
    };
    // Each row fills from the left edge up to (not including) the right edge.
    const std::vector<std::string> flatTop = {"########", ".######.", "..####..", "...##...", "........"};
    EXPECT_EQ(draw(0, 0, 8, 0, 4, 4), flatTop);
    EXPECT_EQ(draw(4, 4, 0, 0, 8, 0), flatTop) << "the points' order does not matter";
    const std::vector<std::string> rightAngle = {"........", "#.......", "##......", "###.....", "####...."};
    EXPECT_EQ(draw(0, 0, 0, 4, 4, 4), rightAngle);
    // Rows off the clip are skipped without walking them; far points draw in bounded time.
    EXPECT_EQ(draw(-1000000, INT_MIN / 2, 1000000, INT_MIN / 2, 0, INT_MAX / 2)[2], "########");
}

// The 3 x 2 source of the transform tests: distinct, asymmetric values.
void fillSource(OwnedSurface& source) {
    std::uint16_t value = 1;
    for (jint y = 0; y < source.height; ++y) {
        for (jint x = 0; x < source.width; ++x) {
            source.at(x, y) = value++;
        }
    }
}

struct TransformCase {
    jint transform;
    std::vector<Pixels> expected; // destination rows
};

TEST(Painter, EightTransforms) {
    OwnedSurface source(3, 2);
    fillSource(source); // 1 2 3 / 4 5 6
    const TransformCase cases[] = {
        {kTransformNone, {{1, 2, 3}, {4, 5, 6}}},
        {kTransformMirrorRot180, {{4, 5, 6}, {1, 2, 3}}},
        {kTransformMirror, {{3, 2, 1}, {6, 5, 4}}},
        {kTransformRot180, {{6, 5, 4}, {3, 2, 1}}},
        {kTransformMirrorRot270, {{1, 4}, {2, 5}, {3, 6}}},
        {kTransformRot90, {{4, 1}, {5, 2}, {6, 3}}},
        {kTransformRot270, {{3, 6}, {2, 5}, {1, 4}}},
        {kTransformMirrorRot90, {{6, 3}, {5, 2}, {4, 1}}},
    };
    for (const TransformCase& c : cases) {
        Drawing d(5, 5);
        d.painter.drawRegion(&source, 0, 0, 3, 2, c.transform, 1, 1, 0);
        for (jint y = 0; y < 5; ++y) {
            for (jint x = 0; x < 5; ++x) {
                const jint row = y - 1;
                const jint column = x - 1;
                const bool inside = row >= 0 && row < static_cast<jint>(c.expected.size()) && column >= 0 &&
                                    column < static_cast<jint>(c.expected[0].size());
                EXPECT_EQ(d.surface.at(x, y), inside ? c.expected[row][column] : 0)
                    << "transform " << c.transform << " at " << x << "," << y;
            }
        }
    }
}

TEST(Painter, AnchorsPlaceTheTransformedRegion) {
    OwnedSurface source(10, 20, kPixelRgb565, kWhite);
    struct Case {
        jint transform, anchor, x, y;
        jint left, top, width, height;
    };
    const Case cases[] = {
        {kTransformRot90, 0, 0, 0, 0, 0, 20, 10}, // axes swapped: 20 wide, 10 high
        {kTransformNone, kAnchorHCenter | kAnchorVCenter, 20, 20, 15, 10, 10, 20},
        {kTransformNone, kAnchorRight | kAnchorBottom, 30, 30, 20, 10, 10, 20},
        {kTransformRot270, kAnchorRight | kAnchorBottom, 30, 30, 10, 20, 20, 10},
        {kTransformNone, kAnchorLeft | kAnchorTop, 3, 4, 3, 4, 10, 20},
        {kTransformNone, kAnchorHCenter | kAnchorRight, 20, 0, 15, 0, 10, 20}, // centre wins
    };
    for (const Case& c : cases) {
        Drawing d(40, 40);
        d.painter.drawRegion(&source, 0, 0, 10, 20, c.transform, c.x, c.y, c.anchor);
        for (jint y = 0; y < 40; ++y) {
            for (jint x = 0; x < 40; ++x) {
                const bool inside = x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
                ASSERT_EQ(d.surface.at(x, y), inside ? kWhite : 0)
                    << "transform " << c.transform << " anchor " << c.anchor << " at " << x << "," << y;
            }
        }
    }
}

TEST(Painter, ClippedRegionsShowTheSamePixels) {
    // For every transform, clip and source sub-region, drawing clipped equals drawing whole and
    // keeping what lies inside the clip.
    OwnedSurface source(7, 5);
    fillSource(source);
    const jint clips[][4] = {{0, 0, 20, 20}, {5, 5, 2, 3}, {7, 3, 20, 3}, {0, 6, 6, 20}, {8, 8, 1, 1}, {3, 4, 4, 2}};
    const jint regions[][4] = {{0, 0, 7, 5}, {1, 2, 5, 3}, {2, 0, 3, 4}};
    for (jint transform = 0; transform < 8; ++transform) {
        for (const auto& region : regions) {
            Drawing whole(20, 20);
            whole.painter.drawRegion(&source, region[0], region[1], region[2], region[3], transform, 4, 5, 0);
            for (const auto& clip : clips) {
                Drawing clipped(20, 20);
                clipped.painter.setClip(clip[0], clip[1], clip[2], clip[3]);
                clipped.painter.drawRegion(&source, region[0], region[1], region[2], region[3], transform, 4, 5, 0);
                for (jint y = 0; y < 20; ++y) {
                    for (jint x = 0; x < 20; ++x) {
                        const bool inClip = x >= clip[0] && x < clip[0] + clip[2] && y >= clip[1] && y < clip[1] + clip[3];
                        ASSERT_EQ(clipped.surface.at(x, y), inClip ? whole.surface.at(x, y) : 0)
                            << "transform " << transform << " clip " << clip[0] << "," << clip[1] << " at " << x
                            << "," << y;
                    }
                }
            }
        }
    }
}

TEST(Painter, SourcePixelTypes) {
    OwnedSurface keyed(2, 1, kPixelKeyed);
    keyed.at(0, 0) = kKeyColour;
    keyed.at(1, 0) = kRed;
    Drawing d(2, 1);
    d.surface.at(0, 0) = 0x1234;
    d.painter.drawImage(&keyed, 0, 0, 0);
    EXPECT_EQ(d.surface.visible(), Pixels({0x1234, kRed})) << "the key colour leaves the pixel";
    keyed.type = kPixelRgb565;
    d.painter.drawImage(&keyed, 0, 0, 0);
    EXPECT_EQ(d.surface.visible(), Pixels({kKeyColour, kRed})) << "in an opaque image it is copied";

    OwnedSurface translucent(3, 1, kPixelArgb4444);
    translucent.at(0, 0) = 0x0F00; // clear red
    translucent.at(1, 0) = 0xFF00; // opaque red
    translucent.at(2, 0) = 0x800F; // half blue
    Drawing over(3, 1);
    std::fill(over.surface.memory.begin(), over.surface.memory.end(), 0xFFFF);
    over.painter.drawImage(&translucent, 0, 0, 0);
    EXPECT_EQ(over.surface.visible(), Pixels({0xFFFF, blend4444(0xFFFF, 0xFF00), blend4444(0xFFFF, 0x800F)}));
}

TEST(Painter, RegionErrorsAreLoggedAndDrawNothing) {
    OwnedSurface source(4, 4, kPixelRgb565, kWhite);
    OwnedSurface bytes(4, 4, kPixel8Bit, kWhite);
    struct Case {
        const char* message;
        const Surface* source;
        jint xSrc, ySrc, w, h, transform;
    };
    const Case cases[] = {
        {"drawRegion pSrc", nullptr, 0, 0, 2, 2, 0},  {"drawRegion x_src", &source, -1, 0, 2, 2, 0},
        {"drawRegion x_src", &source, 3, 0, 2, 2, 0}, {"drawRegion y_src", &source, 0, 3, 2, 2, 0},
        {"drawRegion transform", &source, 0, 0, 2, 2, 8}, {"drawRegion transform", &source, 0, 0, 2, 2, -1},
        {"m_pixelType", &bytes, 0, 0, 2, 2, 0},
    };
    for (const Case& c : cases) {
        LogCapture log;
        Drawing d(4, 4);
        d.painter.drawRegion(c.source, c.xSrc, c.ySrc, c.w, c.h, c.transform, 0, 0, 0);
        EXPECT_TRUE(log.contains(c.message)) << c.message;
        EXPECT_TRUE(log.contains("stacktrace:\n")) << c.message;
        EXPECT_EQ(d.surface.visible(), Pixels(16, 0)) << c.message;
    }
    LogCapture log;
    Drawing d(4, 4);
    d.painter.drawImage(nullptr, 0, 0, 0);
    EXPECT_TRUE(log.contains("drawRegion pSrc"));
    // A source region partly outside the image passes when the clip trims that part away: the
    // mirrored region's column 4 lands on destination column 0, which the clip cuts.
    d.painter.setClip(1, 0, 3, 4);
    log.lines.clear();
    d.painter.drawRegion(&source, 3, 0, 2, 2, kTransformMirror, 0, 0, 0);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(d.surface.at(1, 0), kWhite);
    EXPECT_EQ(d.surface.at(0, 0), 0);
}

TEST(Painter, DrawRGBProcessesAlpha) {
    const std::vector<jint> values = {static_cast<jint>(0xFFFF0000), 0x00FFFFFF, static_cast<jint>(0x800000FF),
                                      0x12345678};
    Drawing opaque(4, 1);
    opaque.painter.drawRGB(values.data(), 4, 0, 4, 0, 0, 4, 1, false);
    EXPECT_EQ(opaque.surface.visible(), Pixels({kRed, 0xFFFF, 0x001F, toRgb565(0x12345678)})) << "alpha ignored";

    Drawing blended(4, 1);
    std::fill(blended.surface.memory.begin(), blended.surface.memory.end(), 0x1111);
    blended.painter.drawRGB(values.data(), 4, 0, 4, 0, 0, 4, 1, true);
    EXPECT_EQ(blended.surface.visible(), Pixels({kRed, 0x1111, blendFields(0x1111, 0x001F, 0x80),
                                                 blendFields(0x1111, toRgb565(0x12345678), 0x12)}));

    for (const bool processAlpha : {false, true}) {
        Drawing translucent(4, 1, kPixelArgb4444);
        translucent.painter.drawRGB(values.data(), 4, 0, 4, 0, 0, 4, 1, processAlpha);
        EXPECT_EQ(translucent.surface.visible(), Pixels({0xFF00, 0x0FFF, 0x800F, 0x1357})) << "4444 targets";
    }
}

TEST(Painter, DrawRGBReadsTheClippedRectangle) {
    // 3 x 3 values, scan length 4 (one unused value per row), drawn at (-1, -1): only the lower
    // right 2 x 2 shows, starting at element offset + 4 + 1.
    std::vector<jint> values(2 + 12);
    for (jint i = 0; i < 12; ++i) {
        values[2 + i] = static_cast<jint>(0xFF000000u | (i + 1));
    }
    Drawing d(2, 2);
    d.painter.drawRGB(values.data(), static_cast<jint>(values.size()), 2, 4, -1, -1, 3, 3, false);
    EXPECT_EQ(d.surface.visible(), Pixels({toRgb565(6), toRgb565(7), toRgb565(10), toRgb565(11)}));
    // A negative scan length walks the rows upwards.
    Drawing up(2, 2);
    up.painter.drawRGB(values.data(), static_cast<jint>(values.size()), 2 + 4, -4, 0, 0, 2, 2, false);
    EXPECT_EQ(up.surface.visible(), Pixels({toRgb565(5), toRgb565(6), toRgb565(1), toRgb565(2)}));
}

TEST(Painter, DrawRGBRefusesReadsOutsideTheArray) {
    const std::vector<jint> values(8, -1);
    struct Case {
        const char* name;
        jint offset, scan, w, h;
    };
    const Case cases[] = {
        {"negative offset", -1, 4, 2, 2},
        {"last row past the end", 0, 4, 4, 3},
        {"row wider than the rest", 6, 4, 3, 1},
        {"scan length running backwards off the start", 0, -4, 2, 2},
        {"huge scan length", 0, INT_MAX, 1, 2},
    };
    for (const Case& c : cases) {
        LogCapture log;
        Drawing d(4, 4);
        d.painter.drawRGB(values.data(), 8, c.offset, c.scan, 0, 0, c.w, c.h, false);
        EXPECT_TRUE(log.contains("drawRGB")) << c.name;
        EXPECT_EQ(d.surface.visible(), Pixels(16, 0)) << c.name;
    }
    LogCapture log;
    Drawing d(4, 4);
    d.painter.drawRGB(nullptr, 0, 0, 4, 0, 0, 2, 2, false);
    EXPECT_TRUE(log.contains("drawRGB"));
    // Fully clipped calls read nothing and report nothing.
    log.lines.clear();
    d.painter.drawRGB(values.data(), 8, -100, 4, 10, 10, 2, 2, false);
    EXPECT_TRUE(log.lines.empty());
}

TEST(Painter, NothingIsWrittenOutsideTheTarget) {
    // A 13 x 9 target inside a larger block: guard rows above and below, and guard columns
    // between its width and its (wider) stride. Random calls with wild arguments must leave
    // every guard pixel alone.
    LogCapture log;
    constexpr jint kWidth = 13;
    constexpr jint kHeight = 9;
    constexpr jint kStridePixels = 20;
    constexpr jint kGuardRows = 4;
    constexpr std::uint16_t kGuard = 0x5A5A;
    std::vector<std::uint16_t> block(static_cast<std::size_t>(kStridePixels) * (kHeight + 2 * kGuardRows), kGuard);
    Surface target;
    target.pixels = block.data() + kGuardRows * kStridePixels;
    target.width = kWidth;
    target.height = kHeight;
    target.stride = kStridePixels * 2;
    OwnedSurface sources[] = {OwnedSurface(5, 3, kPixelRgb565, 1), OwnedSurface(4, 6, kPixelKeyed, 2),
                              OwnedSurface(7, 2, kPixelArgb4444, 0xF00F)};
    std::mt19937 random(99);
    const auto wild = [&]() -> jint {
        switch (random() % 6) {
        case 0:
            return static_cast<jint>(random());
        case 1:
            return std::vector<jint>{INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1, 1 << 30, -(1 << 30)}[random() % 6];
        default:
            return static_cast<jint>(random() % 60) - 20;
        }
    };
    const std::vector<jint> rgb(37, static_cast<jint>(0x80FF00FF));
    for (int round = 0; round < 50000; ++round) {
        Painter painter;
        painter.attach(&target);
        painter.colour = static_cast<jint>(random() % 2 == 0 ? 0xFFFFFFFF : 0x80FFFFFF);
        if (random() % 2 == 0) {
            painter.setClip(wild(), wild(), wild(), wild());
        }
        if (random() % 3 == 0) {
            painter.clipRect(wild(), wild(), wild(), wild());
        }
        if (random() % 2 == 0) {
            painter.translate(wild(), wild());
        }
        switch (random() % 9) {
        case 0:
            painter.fillRect(wild(), wild(), wild(), wild());
            break;
        case 1:
            painter.drawLine(wild(), wild(), wild(), wild());
            break;
        case 2:
            painter.drawRect(wild(), wild(), wild(), wild());
            break;
        case 3:
            painter.fillRoundRect(wild() % 40, wild() % 40, wild() % 40, wild() % 40, wild() % 40, 0);
            break;
        case 4:
            painter.fillArc(wild() % 40, wild() % 40, wild() % 40, wild() % 40, wild(), wild());
            break;
        case 5:
            painter.drawArc(wild() % 40, wild() % 40, wild() % 40, wild() % 40, wild() % 400, wild() % 400);
            break;
        case 6:
            painter.fillTriangle(wild(), wild(), wild(), wild(), wild(), wild());
            break;
        case 7:
            painter.drawRegion(&sources[random() % 3], wild(), wild(), wild(), wild(), wild() % 9, wild(), wild(),
                               wild());
            break;
        default:
            painter.drawRGB(rgb.data(), static_cast<jint>(rgb.size()), wild(), wild(), wild(), wild(), wild(), wild(),
                            random() % 2 == 0);
            break;
        }
        for (jint i = 0; i < static_cast<jint>(block.size()); ++i) {
            const jint row = i / kStridePixels - kGuardRows;
            const jint column = i % kStridePixels;
            if (row < 0 || row >= kHeight || column >= kWidth) {
                ASSERT_EQ(block[i], kGuard) << "round " << round << " wrote row " << row << " column " << column;
            }
        }
    }
}

} // namespace
} // namespace profile
