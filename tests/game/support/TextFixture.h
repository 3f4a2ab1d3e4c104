// A game runtime with a fake sprite font for the text layout and the text boxes: font 0 is a
// sprite whose glyph frames have widths the test chooses, the character map (constant string
// 123) is a short one the test knows, and a recorder stands in for the sprite font's string
// drawer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/TextBoxes.h"
#include "runtime/Service.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::testing {

using namespace game::sprites;

using runtime::jint;

// Letters at 0-25, digits at 26-35, then '.' 36, ',' 37, '-' 38, U+00C9 39, U+00CB 40.
inline const std::u16string kFakeCharacterMap = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,-\u00C9\u00CB";
inline constexpr jint kFakeGlyphCount = 41;
inline constexpr jint kCharacterMapConstant = 123;

// One line a painter drew.
struct DrawnLine {
    std::string text;
    jint x;
    jint y;
    jint anchor;
    jint font;
    jint palette;
    bool operator==(const DrawnLine&) const = default;
};

class LineRecorder final : public sprites::TextLineDrawer {
public:
    void drawSubString(profile::Graphics*, runtime::String* const text, const jint start, const jint end,
                       const jint x, const jint y, const jint anchor, const jint font,
                       const jint palette) override {
        std::string piece;
        for (jint i = start; i < end; ++i) {
            piece += static_cast<char>(text->chars[i]);
        }
        lines.push_back({piece, x, y, anchor, font, palette});
    }
    // The lines drawn so far, then forgets them.
    std::vector<DrawnLine> take() { return std::exchange(lines, {}); }

    std::vector<DrawnLine> lines;
};

class TextFixture : public GameResourceFixture {
protected:
    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* const s = statics();
        s->upperCaseGlyphBase = 0;
        s->digitGlyphBase = 26;
        runtime::String* map = runtime::newObject<runtime::String>();
        map->initUnits(reinterpret_cast<const runtime::jchar*>(kFakeCharacterMap.data()),
                       static_cast<jint>(kFakeCharacterMap.size()));
        map->collectable = 0;
        (*s->constantPool)[kCharacterMapConstant] = map;
        s->sprites = runtime::newObjectArray(sprites::kFirstFontSprite + 1);
        (*s->sprites)[sprites::kFirstFontSprite] = runtime::newObject<sprites::ASprite>();
        useFont(1, [](jint) { return 9; });
    }

    // Font 0: glyph frame i is widthOf(i) pixels wide, glyphs spacing pixels apart.
    void useFont(const jint spacing, const std::function<jint(jint)>& widthOf) {
        GameStatics* const s = statics();
        s->fontSpacing = runtime::newByteArray(1);
        (*s->fontSpacing)[0] = static_cast<runtime::jbyte>(spacing);
        runtime::ByteArray* const rects = runtime::newByteArray(kFakeGlyphCount * sprites::kFrameRectBytes);
        for (jint i = 0; i < kFakeGlyphCount; ++i) {
            (*rects)[i * sprites::kFrameRectBytes + sprites::kFrameRectWidth] =
                static_cast<runtime::jbyte>(widthOf(i));
        }
        static_cast<sprites::ASprite*>((*s->sprites)[sprites::kFirstFontSprite])->frameRects = rects;
    }

    static std::string text(const runtime::String* s) { return testing_support::textOf(s); }

    LineRecorder recorder;

private:
    runtime::ScopedService<sprites::TextLineDrawer> drawerScope{&sprites::installTextLineDrawer, recorder};
};

} // namespace game::testing
