// Helpers of the painting and string-drawing tests: a 480 x 800 screen image that currentGraphics
// draws into, small sprites built with the sprite writer (solid modules whose colour names their
// palette, a font whose glyphs are the capitals and digits, key icons) and a glyph table standing
// in for the framework's text layout.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/core/services/FrameworkServices.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/Service.h"
#include "runtime/String.h"
#include "tests/game/sprites/SpriteTestSupport.h"

namespace game::sprites::testing {

using namespace game::core;

using runtime::jint;

// Colour of index 1 in palette p of the test sprites; index 0 is transparent.
inline constexpr std::uint32_t kInk[] = {0xFF2040FF, 0xFFFFE000, 0xFFFFFFFF, 0xFFFF2020, 0xFF20C040};
inline constexpr jint kPaletteCount = 5;
inline constexpr jint kGlyphWidth = 5; // frame width byte of every glyph
inline constexpr jint kGlyphHeight = 7;
inline constexpr std::uint32_t kBackground = 0xFF202020;

// Palettes of the test sprites: colour 0 transparent, 1 the palette's ink, 2 and 3 shades of it.
inline std::vector<std::vector<std::uint32_t>> testPalettes() {
    std::vector<std::vector<std::uint32_t>> palettes;
    for (const std::uint32_t ink : kInk) {
        palettes.push_back({0x00000000, ink, (ink & 0xFF7F7F7F), 0xFF000000});
    }
    return palettes;
}

// Glyphs: 'A'..'Z' are frames 0..25, '0'..'9' frames 26..35, '$' frame 36; text width as the
// framework measures it (markup codes free, '~' + key 28, no glyph 6, one spacing less at the end).
class GlyphTable final : public FrameworkServices {
public:
    void composePalette(jint, jint, jint, jint, jint, jint, jint, jboolean, jboolean, jint, jint) override {}
    jint getGlyphIndex(const runtime::jchar c) override {
        if (c >= 'A' && c <= 'Z') {
            return c - 'A';
        }
        if (c >= 'a' && c <= 'z') {
            return c - 'a';
        }
        if (c >= '0' && c <= '9') {
            return 26 + c - '0';
        }
        return c == '$' ? 36 : -1;
    }
    jint getStringWidth(runtime::String* text, const jint font) override {
        const jint spacing = (*statics()->fontSpacing)[font];
        jint width = 0;
        for (jint i = 0; i < text->length(); ++i) {
            const runtime::jchar c = text->charAt(i);
            if (c == '{' || c == '`' || (i > 0 && text->charAt(i - 1) == '{')) {
                continue;
            }
            if (getGlyphIndex(c) < 0) {
                width += c == '~' ? 28 : 6;
                i += c == '~' ? 1 : 0;
            } else {
                width += kGlyphWidth + spacing;
            }
        }
        return width - spacing;
    }
    void loadGameDatabase() override {}
    jboolean positionViewOn() override { return 0; }
    void resetSetupRecord(jboolean) override {}
    jint getPlayerValue(jint, jboolean) override { return 0; }
};

// A module of width x height whose pixels are palette indices given by pattern(x, y).
template <typename Pattern>
tools::SpriteModule patternModule(const int width, const int height, Pattern pattern) {
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indices.push_back(static_cast<std::uint8_t>(pattern(x, y)));
        }
    }
    tools::SpriteModule module;
    module.width = width;
    module.height = height;
    module.pixels = tools::encodePixels(kPixelFormatIndexBytes, indices, 4);
    return module;
}

// The test font: glyph k is a 5 x 7 module, ink with a pattern of k's bits and a dark right column.
inline tools::SpriteFile fontFile() {
    tools::SpriteFile file;
    file.flags = kFlagPixelSection;
    file.palettes = testPalettes();
    for (int k = 0; k < 37; ++k) {
        file.modules.push_back(patternModule(kGlyphWidth - 1, kGlyphHeight, [k](int x, int y) {
            if (y == 0 || y == kGlyphHeight - 1 || x == 0) {
                return 1;
            }
            return ((k >> ((y - 1) % 5)) & 1) != 0 && x == 2 ? 2 : 0;
        }));
        file.addFrame({{k, 0, 0}}, {0, 0, kGlyphWidth, kGlyphHeight});
    }
    return file;
}

class PaintTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        setUpSpriteStatics();
        screen = runtime::newObject<profile::Image>();
        screen->initBuffer(kScreenW, kScreenH, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
        g = screen->getGraphics();
        statics()->currentGraphics = g;
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, kScreenW, kScreenH);
        statics()->sprites = runtime::newObjectArray(kFirstFontSprite + kFontCount, runtime::kObjectArray);
    }

    // A sprite of kind `kind` loaded from file (which must load).
    ASprite* loaded(const jint kind, const tools::SpriteFile& file) {
        ASprite* sprite = newSprite(kind);
        EXPECT_TRUE(load(sprite, tools::spriteFileBytes(file)));
        return sprite;
    }
    // Installs the test font as font 0 with the given line metrics and spacing.
    ASprite* installFont(const jint spacing = 1) {
        ASprite* font = loaded(kFirstFontSprite, fontFile());
        (*statics()->sprites)[kFirstFontSprite] = font;
        (*statics()->fontLineHeights)[0] = 9;
        (*statics()->fontLeading)[0] = 2;
        (*statics()->fontSpacing)[0] = static_cast<runtime::jbyte>(spacing);
        return font;
    }

    // Key icons 5-8: filled 2 x 2 rectangles in palette inks 1..4.
    void installKeyIcons() {
        tools::SpriteFile file;
        for (int k = 0; k < 4; ++k) {
            tools::SpriteModule module;
            module.marker = kModuleMarkerFilled;
            module.colour = static_cast<std::int32_t>(kInk[k + 1]);
            module.width = 2;
            module.height = 2;
            file.modules.push_back(module);
        }
        for (int f = 0; f < 9; ++f) {
            file.addFrame({{f >= 5 ? f - 5 : 0, 0, 0}}, {0, 0, 2, 2});
        }
        statics()->keyIconSprite = loaded(20, file);
    }

    std::uint16_t pixel(const jint x, const jint y) const { return screen->row16(y)[x]; }
    static std::uint16_t rgb(const std::uint32_t argb) { return profile::toRgb565(argb); }
    bool isBackground(const jint x, const jint y) const { return pixel(x, y) == rgb(kBackground); }
    // Whether any pixel of the rectangle differs from the background.
    bool anyPaint(const jint x, const jint y, const jint w, const jint h) const {
        for (jint j = y; j < y + h; ++j) {
            for (jint i = x; i < x + w; ++i) {
                if (i >= 0 && j >= 0 && i < kScreenW && j < kScreenH && !isBackground(i, j)) {
                    return true;
                }
            }
        }
        return false;
    }

    static constexpr jint kScreenW = 480;
    static constexpr jint kScreenH = 800;
    profile::Image* screen = nullptr;
    profile::Graphics* g = nullptr;
    GlyphTable glyphs;
    runtime::ScopedService<FrameworkServices> glyphScope{&installFrameworkServices, glyphs};
};

} // namespace game::sprites::testing
