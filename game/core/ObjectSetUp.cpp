// Object creation of the game (see ObjectSetUp.h).
#include "game/core/ObjectSetUp.h"

#include "game/core/GameStatics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/Font.h"
#include "runtime/ObjectManager.h"

namespace game::core {

namespace {

// Pixel type 0 (16-bit), no extra bytes.
constexpr runtime::jint kSixteenBitType = 0;
constexpr runtime::jint kNoExtraBytes = 0;

} // namespace

profile::Image* createMutableImage(const runtime::jint width, const runtime::jint height) {
    auto* const image = runtime::newObject<profile::Image>();
    image->initBuffer(width, height, kSixteenBitType | profile::kImageMutableFlag, kNoExtraBytes);
    return image;
}

runtime::javax_microedition_lcdui_Font* getDefaultFont() {
    GameStatics* const s = statics();
    if (s->defaultFont == nullptr) {
        auto* const font = runtime::newObject<runtime::Font>(0, 0, 0);
        font->init(0, 0, 0);
        s->defaultFont = font;
    }
    return s->defaultFont;
}

} // namespace game::core
