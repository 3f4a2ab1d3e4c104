// Sprite painting: pixel transforms, mirrored placement with XORed transforms, culling by kind
// and state, the one-shot request of bit 6, rectangles, palettes out of range.
#include <gtest/gtest.h>

#include <vector>

#include "game/sprites/SpritePainting.h"
#include "tests/game/sprites/PaintTestSupport.h"

namespace game::sprites::testing {
namespace {

class SpritePaintTest : public PaintTest {
protected:
    // A 4 x 2 module: left column index 1 (ink), the rest index 2 (shade); one frame placing it
    // at (2, 0) flipped as `placed`, and a frame nesting that frame at (10, 0) with `nested`.
    tools::SpriteFile arrowFile(const int placed, const int nested,
                                const int format = kPixelFormatIndexBytes) {
        tools::SpriteFile file;
        file.flags = kFlagPixelSection;
        file.palettes = testPalettes();
        file.pixelFormat = format;
        tools::SpriteModule module = patternModule(4, 2, [](int x, int) { return x == 0 ? 1 : 2; });
        if (format != kPixelFormatIndexBytes) {
            module.pixels = tools::encodePixels(format, {1, 2, 2, 2, 1, 2, 2, 2}, 4);
        }
        file.modules.push_back(module);
        file.addFrame({{0, 2, 0, placed}}, {0, 0, 6, 2});
        file.addFrame({{0, 10, 0, nested, true}}, {0, 0, 16, 2});
        return file;
    }
    std::uint16_t ink(const jint p = 0) const { return rgb(kInk[p]); }
};

// 3 x 2 source 0..5: rows {0 1 2} {3 4 5}.
TEST_F(SpritePaintTest, TransformPixelsReordersOncePerTransform) {
    struct Case {
        jint t;
        std::vector<jint> expected;
    };
    const Case cases[] = {
        {1, {2, 1, 0, 5, 4, 3}}, {2, {3, 4, 5, 0, 1, 2}}, {3, {5, 4, 3, 2, 1, 0}}, {4, {3, 0, 4, 1, 5, 2}},
        {5, {5, 2, 4, 1, 3, 0}}, {6, {0, 3, 1, 4, 2, 5}}, {7, {2, 5, 1, 4, 0, 3}},
    };
    runtime::IntArray* source = runtime::newIntArray(6);
    for (jint i = 0; i < 6; ++i) {
        (*source)[i] = i;
    }
    EXPECT_EQ(ASprite::transformPixels(source, 3, 2, 0), source);
    for (const Case& c : cases) {
        runtime::IntArray* out = ASprite::transformPixels(source, 3, 2, c.t);
        ASSERT_NE(out, source);
        std::vector<jint> got(out->data(), out->data() + out->length);
        EXPECT_EQ(got, c.expected) << "t " << c.t;
    }
}

TEST_F(SpritePaintTest, FlipsCombineByXorAndMirrorThePlacement) {
    struct Case {
        const char* name;
        int placed;
        int caller;
        jint inkX; // where the module's left (ink) column lands
        jint shadeX;
    };
    const Case cases[] = {
        {"plain", 0, 0, 102, 103},
        {"placed flipped", kTransformFlipX, 0, 105, 104},
        {"caller flipped", 0, kTransformFlipX, 97, 96},
        {"both flipped: unflipped, mirrored", kTransformFlipX, kTransformFlipX, 94, 95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, 480, 800);
        ASprite* sprite = loaded(20, arrowFile(c.placed, 0));
        sprite->paintFrame(g, 0, 100, 50, c.caller, 0, 0);
        EXPECT_EQ(pixel(c.inkX, 50), ink());
        EXPECT_EQ(pixel(c.shadeX, 50), rgb(kInk[0] & 0xFF7F7F7F));
        EXPECT_FALSE(anyPaint(0, 0, 480, 49));
    }
}

TEST_F(SpritePaintTest, ANestedFrameTakesTheCombinedTransform) {
    // Frame 1 nests frame 0 at (10, 0) flipped in x; frame 0 places the module at (2, 0).
    ASprite* sprite = loaded(20, arrowFile(0, kTransformFlipX));
    sprite->paintFrame(g, 1, 100, 50, 0, 0, 0);
    // Nested origin 110, flipped: module at 110 - 2 - 4 = 104, ink column on the right.
    EXPECT_EQ(pixel(107, 50), ink());
    EXPECT_NE(pixel(104, 50), ink());
    sprite->paintFrame(g, 1, 300, 50, kTransformFlipX, 0, 0);
    // Caller flipped too: nested origin 290, unflipped module at 292.
    EXPECT_EQ(pixel(292, 50), ink());
    EXPECT_NE(pixel(295, 50), ink());
}

TEST_F(SpritePaintTest, TheRunEncodingsFlipIsNotAppliedTwice) {
    ASprite* sprite = loaded(20, arrowFile(0, 0, kPixelFormatIndexRuns));
    sprite->paintModule(g, 0, 100, 50, kTransformFlipX);
    EXPECT_EQ(pixel(103, 50), ink()) << "flipped once: ink on the right";
    EXPECT_NE(pixel(100, 50), ink());
    sprite->paintModule(g, 0, 200, 50, kTransformFlipX | kTransformFlipY);
    EXPECT_EQ(pixel(203, 51), ink());
}

TEST_F(SpritePaintTest, AnimationFramesMirrorTheirOffsetsAroundTheHotSpot) {
    tools::SpriteFile file = arrowFile(0, 0);
    file.addAnimation({{0, 1, 5, 3, 0}, {0, 1, -4, 0, kTransformFlipX}});
    ASprite* sprite = loaded(20, file);
    sprite->paintAnimFrame(g, 0, 0, 100, 100, 0, 0, 0);
    EXPECT_EQ(pixel(107, 103), ink()) << "offset (5, 3) + placement 2";
    sprite->paintAnimFrame(g, 0, 0, 200, 100, kTransformFlipX, 0, 0);
    EXPECT_EQ(pixel(192, 103), ink()) << "x flipped: frame at 195, module at 195 - 2 - 4";
    sprite->paintAnimFrame(g, 0, 1, 300, 200, 0, 0, 0);
    EXPECT_EQ(pixel(293, 200), ink()) << "the frame's own flip: origin 296, module 290..293";
    sprite->paintAnimFrame(g, 0, 5, 300, 300, 0, 0, 0);
    sprite->paintAnimFrame(g, 3, 0, 300, 300, 0, 0, 0);
    EXPECT_FALSE(anyPaint(280, 290, 40, 20));
    EXPECT_TRUE(logMentions("no frame 5 of animation 0"));
}

TEST_F(SpritePaintTest, CullingDependsOnKindAndOnTheMatch) {
    // Kind 0 paints with the kit palettes; give row 0 the test palette.
    statics()->composedPalettes = runtime::newObjectArray(1, runtime::kIntArray);
    runtime::IntArray* row = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*row)[i] = static_cast<jint>(testPalettes()[0][i]);
    }
    (*statics()->composedPalettes)[0] = row;
    struct Case {
        jint kind;
        jint topState;
        jint y;
        bool drawn;
    };
    const Case cases[] = {
        // Kinds 0-8 cull against the match view's band (18..818), only in the match (state 4).
        {0, 2, 820, true},
        {0, 4, 820, false},
        {0, 4, 810, true},
        {0, 4, 15, false},
        {0, 2, 15, true},
        {0, 4, 16, true},
        // Later kinds cull against the screen, in every state.
        {10, 2, 810, false},
        {10, 4, 15, true},
        {10, 4, -2, true},
        {10, 2, -3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " state " << c.topState << " y " << c.y);
        ASprite* sprite = loaded(c.kind, arrowFile(0, 0));
        statics()->topState = c.topState;
        g->translate(0, 40 - c.y); // the module's top row shows at y 40
        sprite->paintModule(g, 0, 100, c.y, 0);
        g->translate(0, c.y - 40);
        const bool drawn = anyPaint(100, 38, 4, 4);
        EXPECT_EQ(drawn, c.drawn);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, 480, 800);
    }
    // Left and right edges: a module ending at x -1 or starting at 480 is skipped before decoding.
    ASprite* sprite = loaded(10, arrowFile(0, 0));
    statics()->paletteWork = runtime::newIntArray(1);
    sprite->paintModule(g, 0, -5, 100, 0);
    sprite->paintModule(g, 0, 480, 100, 0);
    EXPECT_EQ(statics()->paletteWork->length, 1) << "nothing was decoded";
}

TEST_F(SpritePaintTest, BitSixHidesModule74OfTheKitSpriteForOneCall) {
    tools::SpriteFile file;
    file.flags = kFlagPixelSection;
    file.palettes = testPalettes();
    for (int m = 0; m < 75; ++m) {
        file.modules.push_back(patternModule(2, 2, [](int, int) { return 1; }));
    }
    file.addFrame({{74, 0, 0}, {0, 4, 0}}, {0, 0, 6, 2});
    ASprite* sprite = loaded(1, file);
    statics()->composedPalettes = runtime::newObjectArray(1, runtime::kIntArray);
    (*statics()->composedPalettes)[0] = runtime::newIntArray(4);
    (*static_cast<runtime::IntArray*>((*statics()->composedPalettes)[0]))[1] = static_cast<jint>(kInk[1]);
    // Before the match set-up there is no stand-in image: module 74 draws nothing, safely.
    sprite->paintFrame(g, 0, 100, 100, 0, 0, 0);
    EXPECT_TRUE(isBackground(100, 100));
    EXPECT_EQ(pixel(104, 100), ink(1));
    runtime::IntArray* red = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*red)[i] = static_cast<jint>(kInk[3]);
    }
    statics()->specialModuleImages = runtime::newObjectArray(75, runtime::kImage);
    (*statics()->specialModuleImages)[74] = profile::Image::createRGBImage(red, 2, 2, 0);
    sprite->currentPalette = 64;
    sprite->paintFrame(g, 0, 200, 100, 0, 0, 0);
    EXPECT_TRUE(isBackground(200, 100)) << "hidden for this call";
    EXPECT_EQ(pixel(204, 100), ink(1));
    EXPECT_EQ(sprite->currentPalette, 0);
    sprite->paintFrame(g, 0, 300, 100, 0, 0, 0);
    EXPECT_EQ(pixel(300, 100), ink(3)) << "the next call draws the stand-in";
    // Painted directly, a module does not read bit 6 as part of the palette number.
    sprite->currentPalette = 64;
    sprite->paintModule(g, 0, 400, 100, 0);
    EXPECT_EQ(pixel(400, 100), ink(1));
}

TEST_F(SpritePaintTest, CachedImagesDrawEveryTransformAsTheDecodedPixels) {
    // The same 4 x 2 module: painted from cached images (drawImage / drawRegion by code) and
    // decoded (transformPixels) must give the same picture for each of the eight transforms.
    ASprite* decoded = loaded(20, arrowFile(0, 0));
    ASprite* cached = loaded(20, arrowFile(0, 0));
    cached->buildModuleImages(0, 0, -1, -1);
    ASSERT_NE(cached->moduleImages, nullptr);
    for (jint t = 0; t < 8; ++t) {
        SCOPED_TRACE(::testing::Message() << "transform " << t);
        decoded->paintModule(g, 0, 100, 100 + t * 10, t);
        cached->paintModule(g, 0, 200, 100 + t * 10, t);
        for (jint y = 0; y < 6; ++y) {
            for (jint x = 0; x < 6; ++x) {
                EXPECT_EQ(pixel(200 + x, 100 + t * 10 + y), pixel(100 + x, 100 + t * 10 + y))
                    << x << "," << y;
            }
        }
    }
    EXPECT_EQ(pixel(100, 100), ink()) << "plain: ink column on the left";
    EXPECT_EQ(pixel(103, 110), ink()) << "x flip: ink column on the right";
    EXPECT_EQ(pixel(100, 140), ink()) << "rotated (code 5): 2 wide, 4 high, ink row on top";
    EXPECT_TRUE(isBackground(100, 144));
}

TEST_F(SpritePaintTest, APngSheetShowsTheModuleThroughTheClipAndFlipsOnlyInX) {
    // A 6 x 4 sheet: columns 0-2 are module 0 (ink, shade, shade), 3-5 module 1 (all shade).
    tools::SpriteFile file;
    file.flags = kFlagModulePositions | kFlagPngSheet;
    tools::SpriteModule left;
    left.width = 3;
    left.height = 4;
    tools::SpriteModule right = left;
    right.x = 3;
    file.modules = {left, right};
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < 4; ++y) {
        for (const std::uint8_t index : {1, 2, 2, 2, 2, 2}) {
            indices.push_back(index);
        }
    }
    file.pngSection = tools::pngSheetSection(6, 4, indices, testPalettes());
    file.addFrame({{0, 0, 0}}, {0, 0, 3, 4});
    ASprite* sprite = loaded(12, file);
    const std::uint16_t shade = rgb(kInk[0] & 0xFF7F7F7F);
    sprite->paintModule(g, 0, 100, 100, 0);
    EXPECT_EQ(pixel(100, 100), ink());
    EXPECT_EQ(pixel(102, 103), shade);
    EXPECT_TRUE(isBackground(103, 100)) << "the clip keeps the rest of the sheet out";
    EXPECT_TRUE(isBackground(99, 100));
    sprite->paintModule(g, 0, 200, 100, kTransformFlipX | kTransformFlipY | kTransformRotate);
    EXPECT_EQ(pixel(202, 100), ink()) << "flipped in x; y flip and rotation ignored";
    EXPECT_EQ(pixel(202, 103), ink());
    EXPECT_EQ(pixel(200, 100), shade);
    EXPECT_TRUE(isBackground(203, 100));
    sprite->currentPalette = 2;
    sprite->paintModule(g, 1, 300, 100, 0);
    EXPECT_EQ(pixel(300, 100), rgb(kInk[2] & 0xFF7F7F7F)) << "module 1 in palette 2";
    EXPECT_TRUE(isBackground(299, 100));
    sprite->paintModule(g, 0, 0, 0, 0);
    EXPECT_EQ(pixel(400, 400), rgb(kBackground));
    g->setColor(0xFFFFFF);
    g->fillRect(400, 400, 2, 2);
    EXPECT_NE(pixel(400, 400), rgb(kBackground)) << "the clip is the whole screen again";
    sprite->currentPalette = 9;
    sprite->paintModule(g, 0, 100, 200, 0);
    EXPECT_FALSE(anyPaint(95, 195, 10, 10)) << "a palette without a sheet paints nothing";
}

TEST_F(SpritePaintTest, ThePitchTrailDrawsTheStandInWithItsFlips) {
    // Kind 0 module 331 draws specialModuleImages[74] while pitchCondition is 1 or 2.
    tools::SpriteFile file;
    file.flags = kFlagPixelSection;
    file.palettes = testPalettes();
    for (int m = 0; m < 332; ++m) {
        file.modules.push_back(patternModule(3, 2, [](int x, int) { return x == 0 ? 1 : 2; }));
    }
    file.addFrame({{331, 0, 0}}, {0, 0, 3, 2});
    ASprite* sprite = loaded(0, file);
    statics()->composedPalettes = runtime::newObjectArray(1, runtime::kIntArray);
    runtime::IntArray* row = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*row)[i] = static_cast<jint>(testPalettes()[0][i]);
    }
    (*statics()->composedPalettes)[0] = row;
    // Stand-in: 3 x 2, red on the left column, green elsewhere.
    runtime::IntArray* standIn = runtime::newIntArray(6);
    for (jint i = 0; i < 6; ++i) {
        (*standIn)[i] = static_cast<jint>(i % 3 == 0 ? kInk[3] : kInk[4]);
    }
    statics()->specialModuleImages = runtime::newObjectArray(75, runtime::kImage);
    (*statics()->specialModuleImages)[74] = profile::Image::createRGBImage(standIn, 3, 2, 0);
    struct Case {
        jint condition;
        jint transform;
        jint redX; // where the left (red or ink) column lands from x 100
        std::uint32_t colour;
    };
    const Case cases[] = {
        {0, 0, 100, kInk[0]},
        {0, kTransformFlipX, 100, kInk[0]}, // kit pixels flip only in the run encoding's decoder
        {1, 0, 100, kInk[3]},
        {2, kTransformFlipX, 102, kInk[3]},
        {2, kTransformFlipX | kTransformRotate, 102, kInk[3]}, // rotation ignored
        {3, 0, 100, kInk[0]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "condition " << c.condition << " transform " << c.transform);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, 480, 800);
        statics()->pitchCondition = c.condition;
        sprite->paintModule(g, 331, 100, 100, c.transform);
        EXPECT_EQ(pixel(c.redX, 100), rgb(c.colour));
        EXPECT_EQ(pixel(101, 101),
                  rgb(c.condition == 1 || c.condition == 2 ? kInk[4] : (kInk[0] & 0xFF7F7F7F)));
    }
    // A kit palette the match set-up did not make draws nothing.
    g->setColor(static_cast<jint>(kBackground));
    g->fillRect(0, 0, 480, 800);
    statics()->pitchCondition = 0;
    sprite->currentPalette = 65;
    sprite->paintModule(g, 331, 100, 100, 0);
    sprite->currentPalette = -1;
    sprite->paintModule(g, 331, 100, 100, 0);
    EXPECT_FALSE(anyPaint(95, 95, 10, 10));
}

TEST_F(SpritePaintTest, FilledRectanglesAlwaysDrawIntoTheCurrentGraphics) {
    tools::SpriteFile file;
    tools::SpriteModule filled;
    filled.marker = kModuleMarkerFilled;
    filled.colour = static_cast<std::int32_t>(kInk[4]);
    filled.width = 3;
    filled.height = 2;
    tools::SpriteModule outline = filled;
    outline.marker = kModuleMarkerOutline;
    outline.colour = static_cast<std::int32_t>(kInk[3]);
    file.modules = {filled, outline};
    file.addFrame({{0, 0, 0}, {1, 10, 0}}, {0, 0, 14, 3});
    ASprite* sprite = loaded(20, file);
    profile::Image* other = runtime::newObject<profile::Image>();
    other->initBuffer(32, 8, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
    profile::Graphics* otherGraphics = other->getGraphics();
    sprite->paintFrame(otherGraphics, 0, 2, 2, 0, 0, 0);
    EXPECT_EQ(pixel(2, 2), ink(4)) << "the fill went to currentGraphics";
    EXPECT_EQ(other->row16(2)[2], 0);
    EXPECT_EQ(other->row16(2)[12], ink(3)) << "the outline went to the Graphics passed";
    EXPECT_TRUE(isBackground(12, 2));
}

TEST_F(SpritePaintTest, BadNumbersAndPalettesPaintNothing) {
    ASprite* sprite = loaded(20, arrowFile(0, 0));
    sprite->currentPalette = 9;
    sprite->paintFrame(g, 0, 100, 100, 0, 0, 0);
    sprite->currentPalette = -3;
    sprite->paintFrame(g, 0, 100, 100, 0, 0, 0);
    sprite->currentPalette = 0;
    sprite->paintFrame(g, 7, 100, 100, 0, 0, 0);
    sprite->paintModule(g, 3, 100, 100, 0);
    sprite->paintFrameModule(g, 0, 4, 100, 100, 0, 0, 0);
    EXPECT_FALSE(anyPaint(90, 90, 30, 30));
    EXPECT_TRUE(logMentions("no frame 7"));
    EXPECT_TRUE(logMentions("no module 3"));
    ASprite* empty = newSprite(20);
    empty->paintFrame(g, 0, 0, 0, 0, 0, 0);
    empty->paintAnimFrame(g, 0, 0, 0, 0, 0, 0, 0);
}

TEST_F(SpritePaintTest, PaletteHelpersSetThePaletteOnlyForTheFirstKinds) {
    ASprite* low = loaded(3, arrowFile(0, 0));
    ASprite* high = loaded(20, arrowFile(0, 0));
    g->setClip(0, 0, 10, 10);
    paintFrameFlipped(low, g, 100, 100, 1, 0, 0, 2);
    EXPECT_EQ(low->currentPalette, 2);
    EXPECT_EQ(pixel(97, 100), ink(2)) << "clip reset, flipped in x, palette 2";
    paintAnimFrameWithPalette(high, g, 0, 0, 0, 0, 0, 2);
    EXPECT_EQ(high->currentPalette, 0);
}

} // namespace
} // namespace game::sprites::testing
