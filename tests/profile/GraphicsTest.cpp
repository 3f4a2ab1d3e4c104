// Graphics objects: their initial state, the reference the collector follows, drawing Image
// objects and int arrays through them.
#include "profile/Graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <vector>

#include "profile/Image.h"
#include "profile/ScreenHooks.h"
#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/Displayable.h"
#include "runtime/ObjectManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace profile {
namespace {

using runtime::jint;

class GraphicsTest : public runtime::RuntimeFixture {
protected:
    Image* image(const jint w, const jint h, const jint type = kPixelRgb565) {
        Image* result = runtime::newObject<Image>();
        result->initBuffer(w, h, type | (type == kPixelRgb565 ? kImageMutableFlag : 0), 0);
        return result;
    }
};

TEST_F(GraphicsTest, NewGraphicsCoversItsImageAndDrawsInvisibly) {
    Image* target = image(7, 5);
    auto* g = runtime::newObject<Graphics>(target);
    EXPECT_EQ(g->classId, Graphics::kClassId);
    EXPECT_EQ(g->target, target);
    EXPECT_EQ(g->colour, 0);
    EXPECT_EQ(std::vector<jint>({g->clipX1, g->clipY1, g->clipX2, g->clipY2}),
              std::vector<jint>({0, 0, 7, 5}));
    EXPECT_EQ(g->getTranslateX(), 0);
    EXPECT_EQ(g->getTranslateY(), 0);
    g->fillRect(0, 0, 7, 5);
    EXPECT_EQ(target->row16(2)[3], 0);
}

TEST_F(GraphicsTest, TheTargetAndTheFontAreTheRegisteredReferences) {
    auto* g = runtime::newObject<Graphics>(image(2, 2));
    const runtime::ClassRecord* record = runtime::getClassRecord(Graphics::kClassId);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->refCount, 2);
    EXPECT_EQ(record->refOffsets[0], reinterpret_cast<char*>(&g->target) - reinterpret_cast<char*>(g));
    EXPECT_EQ(record->refOffsets[1], reinterpret_cast<char*>(&g->font) - reinterpret_cast<char*>(g));
}

TEST_F(GraphicsTest, DrawsImagesAndIntArrays) {
    Image* target = image(4, 2);
    Graphics* g = target->getGraphics();
    runtime::IntArray* values = runtime::newIntArray(4);
    const jint argb[] = {static_cast<jint>(0xFFFF0000), 0x0000FF00, static_cast<jint>(0xFF0000FF), -1};
    std::memcpy(values->data(), argb, sizeof argb);
    Image* sprite = Image::createRGBImage(values, 2, 2, true); // keyed: the second value is clear
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->type, kPixelKeyed);
    g->setColor(0x00FF00);
    g->fillRect(0, 0, 4, 2);
    g->drawImage(sprite, 4, 0, kAnchorRight | kAnchorTop);
    EXPECT_EQ(target->row16(0)[2], 0xF800);
    EXPECT_EQ(target->row16(0)[3], 0x07E0) << "the clear pixel leaves the fill";
    EXPECT_EQ(target->row16(1)[2], 0x001F);

    g->drawRGB(values, 0, 2, 0, 0, 2, 2, false);
    EXPECT_EQ(target->row16(0)[1], 0x07E0);
    EXPECT_FALSE(logged("drawRGB"));
    g->drawRGB(values, 1, 2, 0, 0, 2, 2, false); // one element too far
    EXPECT_TRUE(logged("drawRGB"));
    g->drawRGB(nullptr, 0, 2, 0, 0, 2, 2, false);
    EXPECT_TRUE(logged("drawRGB rgbData"));
}

// Records the screen Graphics' state when painted, then draws and moves the clip.
struct PaintProbe : runtime::javax_microedition_lcdui_Displayable {
    void paint(Object* graphics) override {
        auto* g = static_cast<Graphics*>(graphics);
        const jint state[] = {g->getTranslateX(), g->getTranslateY(), g->clipX1, g->clipY1,
                              g->clipX2,          g->clipY2,          g->colour};
        std::copy(std::begin(state), std::end(state), seen.begin());
        g->fillRect(0, 0, 100, 100);
        g->setClip(0, 0, 1, 1);
    }
    // A plain array: the collector frees objects without running their destructors.
    std::array<jint, 7> seen = {};
};

TEST_F(GraphicsTest, ScreenHooksPrepareTheScreenGraphicsForEachPaint) {
    installScreenHooks();
    std::vector<std::uint16_t> backBuffer(4 * 3, 0x1234);
    auto* screen = runtime::newObject<ScreenImage>();
    screen->initExternal(4, 3, backBuffer.data());
    application.createScreenGraphics(screen);
    auto* g = static_cast<Graphics*>(application.m_screenGraphics);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->classId, Graphics::kClassId);
    EXPECT_EQ(g->target, screen);

    g->translate(5, 6);
    g->setClip(1, 1, 1, 1);
    auto* probe = runtime::newObject<PaintProbe>();
    application.currentDisplayable = probe;
    application.paintFrame();
    EXPECT_EQ(probe->seen, (std::array<jint, 7>{0, 0, 0, 0, 4, 3, static_cast<jint>(0xFFFFFFFF)}));
    EXPECT_EQ(backBuffer, std::vector<std::uint16_t>(4 * 3, 0xFFFF));
    EXPECT_EQ(std::vector<jint>({g->clipX1, g->clipY1, g->clipX2, g->clipY2}),
              std::vector<jint>({0, 0, 4, 3}))
        << "the clip is reset after the paint too";

    // Only the profile's own objects are accepted.
    clearLog();
    application.createScreenGraphics(g);
    EXPECT_TRUE(logged("screen image"));
    EXPECT_EQ(application.m_screenGraphics, nullptr);
    application.currentDisplayable = nullptr;
    runtime::Application::setScreenHooks(runtime::ScreenHooks{});
}

} // namespace
} // namespace profile
