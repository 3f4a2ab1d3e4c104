// The menu bench: the prepared world of the menu entry tests with a 480 x 800 screen to draw on,
// the touch and keys of a frame set as the canvas leaves them (press, drag, release, the frame's
// key mask, the touch lock), and menu frames run through updateMenu. The menu handlers' tests
// read back the menu state, the statics, the screen and the recorded calls: the management
// screens' painters and sub-screens and the promotion screen are recording doubles.
#pragma once

#include <cstdint>

#include "game/core/services/PromotionScreenServices.h"
#include "game/framework/MenuStates.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "tests/game/support/MenuEntryFixture.h"

namespace game::testing {

// The promotion screen as the menu handlers run it, recorded; update answers `finished`.
class ScriptedPromotionScreen final : public core::PromotionScreenServices {
public:
    explicit ScriptedPromotionScreen(CallLog& log) : log(log) {}
    void initialize(jint width, jint height) override { log.add("IGP::initialize", {width, height}); }
    runtime::jboolean isLinkAvailable() override { return 0; }
    runtime::jboolean promotionAvailable() override { return 0; }
    runtime::ByteArray* promoEntryAvailable() override { return nullptr; }
    runtime::jboolean update(const jint keyCode) override {
        log.add("IGP::update", {keyCode});
        return finished;
    }
    void paint(profile::Graphics* /*g*/) override { log.add("IGP::paint"); }
    void enter() override { log.add("IGP::enter"); }
    void buildText(runtime::String* /*text*/, const jint flag) override { log.add("IGP::buildText", {flag}); }

    runtime::jboolean finished = 0;

private:
    CallLog& log;
};

class MenuBench : public MenuEntryFixture {
protected:
    static constexpr jint kScreenWidth = 480;
    static constexpr jint kScreenHeight = 800;

    void SetUp() override {
        MenuEntryFixture::SetUp();
        screen = runtime::newObject<profile::Image>();
        screen->initBuffer(kScreenWidth, kScreenHeight, profile::kPixelRgb565 | profile::kImageMutableFlag,
                           0);
        graphics = screen->getGraphics();
        block()->currentGraphics = graphics;
        noInput();
    }

    // A frame without touch or keys.
    void noInput() {
        GameStatics* const s = block();
        s->touchDown = 0;
        s->touchReleased = 0;
        s->touchPressedNow = 0;
        s->pressedKeys = 0;
        s->touchRepeatCounter = 0;
    }
    // A touch held at (x, y) (pressed, or dragged there: the press point follows the drag).
    void pressAt(const jint x, const jint y) {
        noInput();
        touchHeldAt(x, y);
    }
    // A touch pressed at (px, py) and released this frame at (rx, ry).
    void releaseAt(const jint px, const jint py, const jint rx, const jint ry) {
        noInput();
        block()->pointerPressX = px;
        block()->pointerPressY = py;
        touchReleasedAt(rx, ry);
    }
    void releaseAt(const jint x, const jint y) { releaseAt(x, y, x, y); }
    // The keys newly pressed this frame.
    void keys(const jint mask) {
        noInput();
        block()->pressedKeys = mask;
    }
    // Touch input locked (the canvas's repeat counter running).
    void lockTouch() { block()->touchRepeatCounter = 1; }
    // One menu frame of the current menu state.
    void frame() { framework::updateMenu(); }

    // The screen pixel at (x, y), and the 16-bit form of a colour 0xRRGGBB.
    std::uint16_t pixel(const jint x, const jint y) const { return screen->row16(y)[x]; }
    static std::uint16_t rgb565(const jint rgb) {
        return static_cast<std::uint16_t>((((rgb >> 19) & 0x1F) << 11) | (((rgb >> 10) & 0x3F) << 5) |
                                          ((rgb >> 3) & 0x1F));
    }

    profile::Image* screen = nullptr;
    profile::Graphics* graphics = nullptr;
    ScriptedPromotionScreen promotion{neighbours.log};
    runtime::ScopedService<core::PromotionScreenServices> promotionScope{
        &core::installPromotionScreenServices, promotion};
};

} // namespace game::testing
