// Images and Graphics under the real collector: with a collection at every allocation, what
// the image routines hold across their own allocations stays alive and their results are whole;
// a collected image gives its pixels back.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PixelTestSupport.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/Collector.h"
#include "tests/runtime/CollectorTestSupport.h"

namespace profile {
namespace {

using runtime::jint;
using namespace runtime::gctest;

// An image that counts how often its pixels were given back.
struct CountedImage : Image {
    explicit CountedImage(jint* counter) : releases(counter) {}
    void release() override {
        ++*releases;
        Image::release();
    }
    jint* releases = nullptr;
};

class ImageCollectionTest : public CollectedRuntimeTest {};

TEST_F(ImageCollectionTest, ImageRoutinesSurviveACollectionAtEveryAllocation) {
    test::PngSpec spec;
    spec.width = 2;
    spec.rows = {{255, 0, 0, 0, 0, 255}};
    const auto png = test::encodePng(spec);
    runtime::setGcStress(true);
    runtime::ByteArray* bytes = runtime::newByteArray(static_cast<jint>(png.size()));
    std::memcpy(bytes->data(), png.data(), png.size());
    runtime::IntArray* values = runtime::newIntArray(4);
    for (jint i = 0; i < 4; ++i) {
        (*values)[i] = i == 1 ? 0 : static_cast<jint>(0xFF00FF00);
    }
    Image* decoded = Image::createImage(bytes, 0, bytes->length);
    Image* keyed = Image::createRGBImage(values, 2, 2, true);
    Image* target = runtime::newObject<Image>();
    target->initBuffer(4, 4, kImageMutableFlag, 0);
    Graphics* g = target->getGraphics();
    g->drawImage(decoded, 0, 0, 0);
    g->drawImage(keyed, 2, 2, 0);
    runtime::setGcStress(false);

    EXPECT_EQ(target->row16(0)[0], 0xF800);
    EXPECT_EQ(target->row16(0)[1], 0x001F);
    EXPECT_EQ(target->row16(2)[2], 0x07E0);
    EXPECT_EQ(target->row16(2)[3], 0) << "the clear pixel of the keyed image";
    EXPECT_EQ(g->target, target);
}

[[gnu::noinline]] std::uintptr_t makeUnreachableImage(jint* releases) {
    auto* image = runtime::newObject<CountedImage>(releases);
    image->initBuffer(16, 16, kImageMutableFlag, 0);
    return hide(image);
}

// Keeps only a Graphics over a new image, in a static; nothing in the caller's frame.
[[gnu::noinline]] void keepGraphicsOverImage(TestStatics* statics, jint* releases) {
    auto* image = runtime::newObject<CountedImage>(releases);
    image->initBuffer(8, 8, kImageMutableFlag, 0);
    statics->first = image->getGraphics();
}

// Looked at in a frame of its own, so the test's frame keeps no copy of the address.
[[gnu::noinline]] bool targetHasPixels(const TestStatics* statics) {
    return static_cast<Graphics*>(statics->first)->target->pixels != nullptr;
}

TEST_F(ImageCollectionTest, CollectedImagesGiveTheirPixelsBackAndGraphicsKeepTheirTarget) {
    makeUnreachableImage(&releases);
    keepGraphicsOverImage(statics(), &moreReleases);
    runtime::clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(moreReleases, 0) << "reachable through the Graphics' target";
    EXPECT_TRUE(targetHasPixels(statics()));

    statics()->first = nullptr;
    runtime::clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(moreReleases, 1);
}

} // namespace
} // namespace profile
