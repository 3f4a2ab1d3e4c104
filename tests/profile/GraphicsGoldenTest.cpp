// Golden images of the drawing primitives: each named case renders into a small surface and is
// compared pixel for pixel with tests/fixtures/graphics/<name>.png.
//
// After a deliberate change of the drawing, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/dev/tests/profile_tests --gtest_filter='GraphicsGolden*'
// and look at every rewritten image before committing it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "PixelTestSupport.h"
#include "profile/Painter.h"

namespace profile {
namespace {

using test::OwnedSurface;

constexpr jint kWidth = 64;
constexpr jint kHeight = 48;
constexpr std::uint16_t kBackground = 0x2104; // dark grey, so black and clear show apart

// A 6 x 4 source whose every pixel differs, with a key-coloured corner and a marked top row.
std::unique_ptr<OwnedSurface> patternSource(const jint type) {
    auto source = std::make_unique<OwnedSurface>(6, 4, type);
    for (jint y = 0; y < 4; ++y) {
        for (jint x = 0; x < 6; ++x) {
            const std::uint32_t argb = 0xFF000000u | (x * 50) << 16 | (y * 80) << 8 | (y == 0 ? 0xFF : 0x40);
            source->at(x, y) =
                type == kPixelArgb4444 ? toArgb4444((argb & 0x00FFFFFF) | (x * 0x2A) << 24) : toRgb565(argb);
        }
    }
    if (type == kPixelKeyed) {
        source->at(5, 3) = kKeyColour;
    }
    return source;
}

void fills(Painter& g) {
    g.setColor(0xFF0000);
    g.fillRect(2, 2, 20, 14);
    g.setColor(0x00FF00);
    g.fillRect(12, 8, 20, 14);
    g.colour = static_cast<jint>(0x800000FF); // half-transparent blue over both
    g.fillRect(6, 5, 30, 20);
    g.setClip(40, 4, 16, 30);
    g.setColor(0xFFFF00);
    g.fillRect(30, 0, 40, 20); // cut by the clip on three sides
}

void lines(Painter& g) {
    g.setColor(0xFFFFFF);
    for (jint i = 0; i <= 8; ++i) {
        g.drawLine(32, 24, i * 8, 0);
        g.drawLine(32, 24, i * 8, 47);
    }
    g.setColor(0xFF0000);
    g.setClip(4, 30, 20, 14);
    g.drawLine(-10, 50, 40, 20); // cut at both ends
    g.setClip(0, 0, kWidth, kHeight);
    g.colour = static_cast<jint>(0x8000FFFF);
    g.drawLine(0, 24, 63, 24);
    g.setColor(0xFFFF00);
    g.drawRect(40, 30, 10, 6);
    g.drawRect(56, 30, 0, 0);
}

void roundRects(Painter& g) {
    const jint arcs[] = {0, 4, 8, 12, 20};
    for (jint i = 0; i < 5; ++i) {
        g.setColor(0x4080FF + i * 0x200000);
        g.fillRoundRect(2 + i * 12, 2, 10, 18, arcs[i], arcs[i]);
    }
    g.colour = static_cast<jint>(0x80FFFFFF);
    g.fillRoundRect(4, 24, 56, 20, 16, 16);
}

void arcs(Painter& g) {
    g.setColor(0xFF8000);
    g.fillArc(0, 0, 20, 14, 0, 360);
    g.fillArc(22, 0, 20, 14, 90, 180); // left half
    g.fillArc(44, 0, 20, 14, 0, 90);   // upper right
    g.setColor(0x00FFFF);
    g.drawArc(0, 18, 30, 28, 0, 360);
    g.drawArc(34, 18, 28, 16, 180, 180); // lower half
    g.drawArc(34, 36, 28, 10, 45, 90);   // no whole quadrant: nothing
}

void triangles(Painter& g) {
    g.setColor(0xFF00FF);
    g.fillTriangle(2, 2, 28, 6, 10, 30);
    g.setColor(0x00FF80);
    g.fillTriangle(34, 2, 62, 2, 48, 22); // flat top
    g.setColor(0x8080FF);
    g.fillTriangle(36, 46, 62, 46, 50, 26); // flat bottom
    g.setClip(0, 34, 20, 14);
    g.setColor(0xFFFFFF);
    g.fillTriangle(-20, 30, 30, 40, 0, 60); // clipped
}

void transforms(Painter& g, const bool clipped) {
    const auto source = patternSource(kPixelKeyed);
    for (jint t = 0; t < 8; ++t) {
        const jint x = 4 + (t % 4) * 15;
        const jint y = 4 + (t / 4) * 22;
        if (clipped) {
            g.setClip(x + 2, y + 1, 3, 4);
        }
        g.drawRegion(source.get(), 0, 0, 6, 4, t, x, y, 0);
    }
    g.setClip(0, 0, kWidth, kHeight);
    // Anchored and from a sub-region.
    g.drawRegion(source.get(), 1, 1, 4, 3, kTransformRot90, 63, 47, kAnchorRight | kAnchorBottom);
    g.drawRegion(source.get(), 2, 0, 3, 4, kTransformMirror, 32, 44, kAnchorHCenter | kAnchorVCenter);
}

void blending(Painter& g) {
    for (jint x = 0; x < kWidth; ++x) {
        g.setColor((x * 4) << 16 | (255 - x * 4));
        g.fillRect(x, 0, 1, kHeight);
    }
    const auto translucent = patternSource(kPixelArgb4444);
    const auto keyed = patternSource(kPixelKeyed);
    const auto opaque = patternSource(kPixelRgb565);
    for (jint i = 0; i < 4; ++i) {
        g.drawImage(translucent.get(), 4 + i * 14, 4, 0);
        g.drawImage(keyed.get(), 4 + i * 14, 20, 0);
        g.drawImage(opaque.get(), 4 + i * 14, 34, 0);
    }
}

void drawRGB(Painter& g) {
    g.setColor(0x404040);
    g.fillRect(0, 0, kWidth, 24);
    std::vector<jint> values(32 * 16);
    for (jint y = 0; y < 16; ++y) {
        for (jint x = 0; x < 32; ++x) {
            values[y * 32 + x] =
                static_cast<jint>(static_cast<std::uint32_t>(x * 8) << 24 | 0xFF8000u | y * 16);
        }
    }
    g.drawRGB(values.data(), static_cast<jint>(values.size()), 0, 32, 2, 2, 32, 16, true);
    g.drawRGB(values.data(), static_cast<jint>(values.size()), 0, 32, 36, 2, 32, 16,
              false); // cut at the right
    g.translate(10, 26);
    g.clipRect(0, 0, 20, 12);
    g.drawRGB(values.data(), static_cast<jint>(values.size()), 0, 32, -4, -2, 32, 16, true);
}

struct GoldenCase {
    const char* name;
    std::function<void(Painter&)> draw;
};

TEST(GraphicsGolden, PrimitivesMatchTheirGoldenImages) {
    const GoldenCase cases[] = {
        {"fills", fills},
        {"lines", lines},
        {"round_rects", roundRects},
        {"arcs", arcs},
        {"triangles", triangles},
        {"transforms", [](Painter& g) { transforms(g, false); }},
        {"transforms_clipped", [](Painter& g) { transforms(g, true); }},
        {"blending", blending},
        {"draw_rgb", drawRGB},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        OwnedSurface surface(kWidth, kHeight, kPixelRgb565, kBackground);
        Painter painter;
        painter.attach(&surface);
        c.draw(painter);
        test::expectGolden(std::string("graphics/") + c.name + ".png", surface);
    }
}

} // namespace
} // namespace profile
