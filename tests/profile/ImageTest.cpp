// Image objects: pixel buffers by type, the key-colour scan, PNG and ARGB creation with their
// argument faults, and the screen image over memory it does not own.
#include "profile/Image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PixelTestSupport.h"
#include "profile/Graphics.h"
#include "profile/Png.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace profile {
namespace {

using runtime::jint;

class ImageTest : public runtime::RuntimeFixture {
protected:
    Image* mutableImage(const jint w, const jint h, const jint type = kPixelRgb565) {
        Image* image = runtime::newObject<Image>();
        image->initBuffer(w, h, type | kImageMutableFlag, 0);
        return image;
    }

    runtime::ByteArray* bytesOf(const std::vector<std::uint8_t>& bytes, const jint before = 0, const jint after = 0) {
        runtime::ByteArray* array = runtime::newByteArray(before + static_cast<jint>(bytes.size()) + after);
        std::memcpy(array->data() + before, bytes.data(), bytes.size());
        return array;
    }

    runtime::IntArray* intsOf(const std::vector<jint>& values) {
        runtime::IntArray* array = runtime::newIntArray(static_cast<jint>(values.size()));
        std::memcpy(array->data(), values.data(), values.size() * sizeof(jint));
        return array;
    }

    static std::uint16_t pixel(const Image* image, const jint x, const jint y) { return image->row16(y)[x]; }
};

TEST_F(ImageTest, BuffersByType) {
    struct Case {
        jint width, height, type, extra;
        jint stride;
    };
    const Case cases[] = {
        {3, 2, kPixelRgb565, 0, 8}, {4, 2, kPixelKeyed, 0, 8}, {5, 1, kPixelArgb4444, 0, 12},
        {5, 3, kPixel8Bit, 7, 5},   {5, 3, 4, 7, 3},
    };
    for (const Case& c : cases) {
        Image* image = runtime::newObject<Image>();
        EXPECT_EQ(image->classId, Image::kClassId);
        image->initBuffer(c.width, c.height, c.type, c.extra);
        EXPECT_EQ(image->getWidth(), c.width);
        EXPECT_EQ(image->getHeight(), c.height);
        EXPECT_EQ(image->stride, c.stride) << "type " << c.type;
        EXPECT_EQ(image->type, c.type);
        EXPECT_EQ(image->isMutable, 0);
        ASSERT_NE(image->pixels, nullptr);
        if (c.type <= kPixelArgb4444) {
            for (jint y = 0; y < c.height; ++y) {
                for (jint x = 0; x < c.stride / 2; ++x) {
                    EXPECT_EQ(pixel(image, x, y), 0);
                }
            }
        }
        image->release();
        EXPECT_EQ(image->pixels, nullptr);
    }
}

TEST_F(ImageTest, MutableImagesOtherThanRgb565AreLogged) {
    Image* plain = mutableImage(4, 4);
    EXPECT_EQ(plain->isMutable, 1);
    EXPECT_FALSE(logged("imagetype"));
    Image* keyed = mutableImage(4, 4, kPixelKeyed);
    EXPECT_TRUE(logged("imagetype"));
    EXPECT_EQ(keyed->isMutable, 1) << "marked mutable in any case";
}

TEST_F(ImageTest, ImpossibleSizesLeaveAnEmptyImage) {
    for (const jint size : {-1, 100000}) {
        clearLog();
        Image* image = mutableImage(size, size);
        EXPECT_TRUE(logged("initBuffer size"));
        EXPECT_EQ(image->pixels, nullptr);
        EXPECT_EQ(image->getWidth(), 0);
        Graphics* g = image->getGraphics();
        g->setColor(0xFFFFFF);
        g->fillRect(0, 0, 10, 10); // draws nothing, touches nothing
    }
}

TEST_F(ImageTest, GetGraphicsOfAnImmutableImageStillDraws) {
    Image* image = runtime::newObject<Image>();
    image->initBuffer(2, 2, kPixelRgb565, 0);
    Graphics* g = image->getGraphics();
    EXPECT_TRUE(logged("!mutable"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->target, image);
    g->setColor(0xFFFFFF);
    g->fillRect(1, 1, 1, 1);
    EXPECT_EQ(pixel(image, 1, 1), 0xFFFF);
}

TEST_F(ImageTest, GetPixelsOfAByteImageLogsAnEmptyLine) {
    Image* image = runtime::newObject<Image>();
    image->initBuffer(4, 4, kPixel8Bit, 0);
    EXPECT_EQ(image->getPixels(), image->pixels);
    EXPECT_TRUE(logged(""));
    clearLog();
    Image* sixteen = mutableImage(2, 2);
    EXPECT_EQ(sixteen->getPixels(), sixteen->pixels);
    EXPECT_FALSE(logged(""));
}

TEST_F(ImageTest, KeyScanIncludesThePaddingColumn) {
    Image* image = mutableImage(3, 2);
    image->scanKeyColour();
    EXPECT_EQ(image->type, kPixelRgb565);
    image->row16(1)[3] = kKeyColour; // the padding pixel of an odd width
    image->scanKeyColour();
    EXPECT_EQ(image->type, kPixelKeyed);
}

TEST_F(ImageTest, CreateImageDecodesFromAnOffset) {
    test::PngSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.colourType = PNG_COLOR_TYPE_PALETTE;
    spec.palette = {255, 0, 0, 0, 255, 0};
    spec.transparency = {255, 0};
    spec.rows = {{0, 1, 0}};
    const auto png = test::encodePng(spec);
    runtime::ByteArray* bytes = bytesOf(png, 5, 9);
    Image* image = Image::createImage(bytes, 5, static_cast<jint>(png.size()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->classId, Image::kClassId);
    EXPECT_EQ(image->getWidth(), 3);
    EXPECT_EQ(image->stride, 8);
    EXPECT_EQ(image->isMutable, 0);
    EXPECT_EQ(image->type, kPixelKeyed);
    EXPECT_EQ(pixel(image, 0, 0), 0xF800);
    EXPECT_EQ(pixel(image, 1, 0), kKeyColour);
    EXPECT_EQ(pixel(image, 3, 0), 0) << "padding pixel unwritten";

    test::PngSpec rgba;
    rgba.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {{0x10, 0x20, 0x30, 0x80}};
    Image* translucent = Image::createImage(bytesOf(test::encodePng(rgba)), 0, 1000); // length beyond: cut
    ASSERT_NE(translucent, nullptr);
    EXPECT_EQ(translucent->type, kPixelArgb4444);
    EXPECT_EQ(pixel(translucent, 0, 0), 0x8123);
}

TEST_F(ImageTest, CreateImageReturnsNullOnBadInput) {
    const auto png = test::readFile(test::fixturePath("png/pngsuite/png/basn2c08.png"));
    auto truncated = png;
    truncated.resize(png.size() / 2);
    auto corrupt = png;
    corrupt[60] ^= 0xFF; // inside the image data: its CRC no longer matches
    EXPECT_EQ(Image::createImage(bytesOf(truncated), 0, static_cast<jint>(truncated.size())), nullptr);
    EXPECT_EQ(Image::createImage(bytesOf(corrupt), 0, static_cast<jint>(corrupt.size())), nullptr);
    EXPECT_EQ(pngLiveAllocations(), 0);
    EXPECT_TRUE(logged("stacktrace:\n"));

    clearLog();
    EXPECT_EQ(Image::createImage(nullptr, 0, 10), nullptr);
    EXPECT_TRUE(logged("createImage data"));
    runtime::ByteArray* bytes = bytesOf(png);
    for (const auto& [offset, length] : {std::pair{-1, 10}, std::pair{0, -1}, std::pair{bytes->length + 1, 0}}) {
        clearLog();
        EXPECT_EQ(Image::createImage(bytes, offset, length), nullptr);
        EXPECT_TRUE(logged("createImage offset"));
    }
    EXPECT_EQ(Image::createImage(runtime::newByteArray(0), 0, 0), nullptr);
}

TEST_F(ImageTest, CreateRGBImageChoosesItsType) {
    const jint opaqueRed = static_cast<jint>(0xFFFF0000);
    struct Case {
        const char* name;
        std::vector<jint> values;
        bool processAlpha;
        jint type;
        std::vector<std::uint16_t> pixels;
    };
    const Case cases[] = {
        {"all opaque", {opaqueRed, -1, opaqueRed, -1}, true, kPixelRgb565, {0xF800, 0xFFFF, 0xF800, 0xFFFF}},
        {"one clear", {opaqueRed, 0x00123456, opaqueRed, -1}, true, kPixelKeyed, {0xF800, kKeyColour, 0xF800, 0xFFFF}},
        {"one partial", {opaqueRed, static_cast<jint>(0x80123456), opaqueRed, -1}, true, kPixelArgb4444,
         {0xFF00, 0x8135, 0xFF00, 0xFFFF}},
        {"partial magenta counts as clear", {opaqueRed, static_cast<jint>(0x80FF00FF), opaqueRed, -1}, true,
         kPixelKeyed, {0xF800, kKeyColour, 0xF800, 0xFFFF}},
        {"alpha ignored", {opaqueRed, 0x00123456, static_cast<jint>(0x80123456), -1}, false, kPixelRgb565,
         {0xF800, toRgb565(0x123456), toRgb565(0x123456), 0xFFFF}},
    };
    for (const Case& c : cases) {
        Image* image = Image::createRGBImage(intsOf(c.values), 2, 2, c.processAlpha);
        ASSERT_NE(image, nullptr) << c.name;
        EXPECT_EQ(image->type, c.type) << c.name;
        EXPECT_EQ(image->isMutable, 0) << c.name;
        EXPECT_EQ(std::vector<std::uint16_t>({pixel(image, 0, 0), pixel(image, 1, 0), pixel(image, 0, 1),
                                              pixel(image, 1, 1)}),
                  c.pixels)
            << c.name;
    }
}

TEST_F(ImageTest, CreateRGBImageReturnsNullAfterArgumentFaults) {
    struct Case {
        runtime::IntArray* values;
        jint width, height;
        const char* message;
    };
    runtime::IntArray* four = intsOf({1, 2, 3, 4});
    const Case cases[] = {
        {nullptr, 2, 2, "createRGBImage rgbData"},
        {four, 0, 2, "createRGBImage width, height"},
        {four, 2, -1, "createRGBImage width, height"},
        {four, 100000, 100000, "createRGBImage width, height"},
        {four, 3, 2, "createRGBImage length"},
    };
    for (const Case& c : cases) {
        clearLog();
        EXPECT_EQ(Image::createRGBImage(c.values, c.width, c.height, true), nullptr) << c.message;
        EXPECT_TRUE(logged(c.message)) << c.message;
        EXPECT_TRUE(logged("stacktrace:\n")) << c.message;
    }
}

TEST_F(ImageTest, ScreenImageWrapsMemoryItDoesNotOwn) {
    std::vector<std::uint16_t> backBuffer(6 * 3, 0x1234); // 5 x 3 with rows of 6 pixels
    auto* screen = runtime::newObject<ScreenImage>();
    EXPECT_EQ(screen->classId, Image::kClassId);
    screen->initExternal(5, 3, backBuffer.data());
    EXPECT_EQ(screen->stride, 12);
    EXPECT_EQ(screen->isMutable, 1);
    EXPECT_EQ(screen->type, kPixelRgb565);
    Graphics* g = screen->getGraphics();
    EXPECT_FALSE(logged("!mutable"));
    g->setColor(0xFFFFFF);
    g->fillRect(0, 0, 100, 100);
    EXPECT_EQ(backBuffer[4], 0xFFFF);
    EXPECT_EQ(backBuffer[5], 0x1234) << "the padding column is not the image's";
    screen->release();
    EXPECT_EQ(screen->pixels, nullptr);
    EXPECT_EQ(backBuffer[0], 0xFFFF) << "the memory stays with its owner";
}

} // namespace
} // namespace profile
