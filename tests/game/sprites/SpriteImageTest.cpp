// The module image cache: images per palette, alpha processing only where a pixel is not opaque,
// shared rows, the palette change of kinds 19 and 25, and what it leaves alone.
#include <gtest/gtest.h>

#include <vector>

#include "game/sprites/SpriteFormat.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "tests/game/sprites/SpriteTestSupport.h"

namespace game::sprites::testing {
namespace {

using profile::Image;
using runtime::jint;
using runtime::ObjectArray;
using tools::SpriteFile;

// Module 0 opaque, module 1 with a transparent pixel, module 2 with a translucent one, module 3
// a rectangle, module 4 zero pixels wide; three palettes.
SpriteFile cacheSprite() {
    SpriteFile file;
    file.flags = kFlagPixelSection;
    file.modules = {{0, 0, 0, 0, 2, 2, {1, 1, 2, 2}},
                    {0, 0, 0, 0, 3, 1, {0, 1, 2}},
                    {0, 0, 0, 0, 1, 2, {3, 1}},
                    {kModuleMarkerFilled, 0, 0, static_cast<std::int32_t>(0xFF00FF00), 5, 5, {}},
                    {0, 0, 0, 0, 0, 4, {}}};
    file.palettes = {{0, 0xFFFF0000, 0xFF0000FF, 0x80FFFFFF},
                     {0, 0xFF00FF00, 0xFFFFFF00, 0x80000000},
                     {0, 0xFF202020, 0xFF404040, 0x80808080}};
    file.pixelFormat = kPixelFormatIndexBytes;
    file.addFrame({{0, 0, 0, 0, false, 0}}, {0, 0, 2, 2});
    return file;
}

ObjectArray* imagesOf(const ASprite* sprite, const jint palette) {
    return static_cast<ObjectArray*>((*sprite->moduleImages)[palette]);
}

Image* imageOf(const ASprite* sprite, const jint palette, const jint module) {
    return static_cast<Image*>((*imagesOf(sprite, palette))[module]);
}

TEST_F(SpriteTest, ModuleImagesPerPaletteWithAlphaOnlyWhereNeeded) {
    setUpSpriteStatics();
    ASprite* sprite = newSprite(5);
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(cacheSprite())));
    sprite->currentPalette = 2;
    sprite->buildModuleImages(1, 0, -1, -1);
    EXPECT_EQ(sprite->currentPalette, 2);
    ASSERT_EQ(sprite->moduleImages->length, 3);
    EXPECT_EQ(imagesOf(sprite, 0), nullptr);
    ASSERT_EQ(imagesOf(sprite, 1)->length, 5);

    Image* opaque = imageOf(sprite, 1, 0);
    ASSERT_NE(opaque, nullptr);
    EXPECT_EQ(opaque->getWidth(), 2);
    EXPECT_EQ(opaque->getHeight(), 2);
    EXPECT_EQ(opaque->type, profile::kPixelRgb565);
    EXPECT_EQ(opaque->row16(0)[0], profile::toRgb565(0xFF00FF00));
    EXPECT_EQ(opaque->row16(1)[1], profile::toRgb565(0xFFFFFF00));
    EXPECT_EQ(imageOf(sprite, 1, 1)->type, profile::kPixelKeyed);
    EXPECT_EQ(imageOf(sprite, 1, 2)->type, profile::kPixelArgb4444);
    EXPECT_EQ(imageOf(sprite, 1, 3), nullptr) << "a rectangle has no image";
    EXPECT_EQ(imageOf(sprite, 1, 4), nullptr) << "a module without pixels has no image";

    // Another row shares the image objects; a range builds only its modules.
    sprite->buildModuleImages(2, 0, -1, 1);
    for (jint m = 0; m < 5; ++m) {
        EXPECT_EQ(imageOf(sprite, 2, m), imageOf(sprite, 1, m)) << m;
    }
    sprite->buildModuleImages(0, 1, 2, -1);
    EXPECT_EQ(imageOf(sprite, 0, 0), nullptr);
    EXPECT_NE(imageOf(sprite, 0, 1), nullptr);
    EXPECT_NE(imageOf(sprite, 0, 2), nullptr);

    sprite->buildModuleImages(3, 0, -1, -1);
    EXPECT_TRUE(logMentions("sprite of kind 5: no palette 3 to build module images of (it has 3)"));
}

TEST_F(SpriteTest, ASpriteWithoutModulesBuildsNothing) {
    setUpSpriteStatics();
    ASprite* empty = newSprite(5);
    ASSERT_TRUE(load(empty, tools::spriteFileBytes(SpriteFile{})));
    empty->buildModuleImages(0, 0, -1, -1);
    EXPECT_EQ(empty->moduleImages, nullptr);
}

TEST_F(SpriteTest, KindsNineteenAndTwentyFiveRebuildTheirImagesOnAPaletteChange) {
    setUpSpriteStatics();
    runtime::IntArray* matchBuffer = runtime::newIntArray(5000);
    statics()->paletteWork = matchBuffer;
    for (const jint kind : {19, 25}) {
        SCOPED_TRACE(kind);
        ASprite* sprite = newSprite(kind);
        ASSERT_TRUE(load(sprite, tools::spriteFileBytes(cacheSprite())));
        sprite->buildModuleImages(0, 0, -1, -1);
        sprite->setPalette(2);
        EXPECT_EQ(sprite->currentPalette, 2);
        EXPECT_EQ(imagesOf(sprite, 0), nullptr) << "the old palette's images are dropped";
        ASSERT_NE(imagesOf(sprite, 2), nullptr);
        EXPECT_EQ(imageOf(sprite, 2, 0)->row16(0)[0], profile::toRgb565(0xFF202020));
        EXPECT_EQ(statics()->paletteWork.get(), matchBuffer) << "the match's buffer is put back";

        ObjectArray* built = imagesOf(sprite, 2);
        sprite->setPalette(2);
        EXPECT_EQ(imagesOf(sprite, 2), built) << "the same palette builds nothing";
    }
    // Other kinds, and these kinds without cached images, only switch the palette.
    (*statics()->paletteSlotMask)[25] = 0;
    for (const jint kind : {5, 25}) {
        ASprite* sprite = newSprite(kind);
        ASSERT_TRUE(load(sprite, tools::spriteFileBytes(cacheSprite())));
        sprite->setPalette(1);
        EXPECT_EQ(sprite->currentPalette, 1);
        EXPECT_EQ(sprite->moduleImages, nullptr) << kind;
    }
}

} // namespace
} // namespace game::sprites::testing
