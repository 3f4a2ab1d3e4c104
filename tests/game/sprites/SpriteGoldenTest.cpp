// Golden images of sprite painting and sprite-font text (markup, a text box's line breaks, the
// ticker): each named case paints onto the screen and the window it names is compared pixel for
// pixel with tests/fixtures/sprites/<name>.png.
//
// After a deliberate change of the painting, rewrite the goldens with
//   TARNWICK_UPDATE_GOLDENS=1 build/release/tests/game_sprites_tests --gtest_filter='SpriteGolden*'
// and look at every rewritten image before committing it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PixelTestSupport.h"
#include "game/sprites/SpritePainting.h"
#include "game/sprites/SpriteText.h"
#include "game/sprites/TextBoxes.h"
#include "tests/game/sprites/PaintTestSupport.h"

namespace game::sprites::testing {
namespace {

constexpr jint kWindowW = 96;
constexpr jint kWindowH = 48;

class SpriteGoldenTest : public PaintTest {
public:
    using PaintTest::installFont;
    using PaintTest::installKeyIcons;

    // An asymmetric 6 x 4 module (ink frame on two sides, shade and dark inside) in frame 0, and
    // frame 1 nesting frame 0 flipped in y beside a filled and an outlined rectangle.
    ASprite* shapes(const jint kind, const int format = kPixelFormatIndexBytes) {
        tools::SpriteFile file;
        file.flags = kFlagPixelSection;
        file.palettes = testPalettes();
        file.pixelFormat = format;
        std::vector<std::uint8_t> indices;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                indices.push_back(y == 0 || x == 0 ? 1 : (x + y) % 3 == 0 ? 3 : (x > 3 ? 2 : 0));
            }
        }
        tools::SpriteModule image;
        image.width = 6;
        image.height = 4;
        image.pixels = tools::encodePixels(format, indices, 4);
        tools::SpriteModule filled;
        filled.marker = kModuleMarkerFilled;
        filled.colour = static_cast<std::int32_t>(kInk[4]);
        filled.width = 4;
        filled.height = 3;
        tools::SpriteModule outline = filled;
        outline.marker = kModuleMarkerOutline;
        outline.colour = static_cast<std::int32_t>(kInk[3]);
        file.modules = {image, filled, outline};
        file.addFrame({{0, 1, 1}}, {0, 0, 7, 5});
        file.addFrame({{0, 0, 0, kTransformFlipY, true}, {1, 8, 0}, {2, 8, 5}}, {0, 0, 14, 10});
        return loaded(kind, file);
    }
    void setPaletteRows() {
        game::statics()->composedPalettes = runtime::newObjectArray(kPaletteCount, runtime::kIntArray);
        for (jint p = 0; p < kPaletteCount; ++p) {
            runtime::IntArray* row = runtime::newIntArray(4);
            for (jint i = 0; i < 4; ++i) {
                (*row)[i] = static_cast<jint>(testPalettes()[p][i]);
            }
            (*game::statics()->composedPalettes)[p] = row;
        }
    }
};

struct GoldenCase {
    const char* name;
    jint left; // the compared window's top-left corner on the screen
    jint top;
    std::function<void(SpriteGoldenTest&, profile::Graphics*)> paint;
};

TEST_F(SpriteGoldenTest, PaintingMatchesTheGoldenImages) {
    const GoldenCase cases[] = {
        {"module_transforms", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics* g) {
             ASprite* sprite = t.shapes(20);
             for (jint tr = 0; tr < 8; ++tr) {
                 sprite->paintModule(g, 0, 4 + (tr % 4) * 12, 4 + (tr / 4) * 12, tr);
             }
             ASprite* runs = t.shapes(20, kPixelFormatIndexRuns);
             for (jint tr = 0; tr < 8; ++tr) {
                 runs->paintModule(g, 0, 52 + (tr % 4) * 11, 4 + (tr / 4) * 12, tr);
             }
         }},
        {"frame_flips", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics* g) {
             ASprite* sprite = t.shapes(20);
             for (jint tr = 0; tr < 4; ++tr) {
                 sprite->paintFrame(g, 1, 20 + (tr % 2) * 40, 6 + (tr / 2) * 22, tr, 0, 0);
             }
         }},
        {"screen_edges", 480 - kWindowW, 800 - kWindowH,
         [](SpriteGoldenTest& t, profile::Graphics* g) {
             ASprite* sprite = t.shapes(20);
             sprite->paintFrame(g, 1, 476, 780, 0, 0, 0);
             sprite->paintFrame(g, 1, 420, 796, kTransformFlipX, 0, 0);
             sprite->paintModule(g, 0, 478, 760, kTransformRotate);
         }},
        {"palettes", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics* g) {
             t.setPaletteRows();
             ASprite* own = t.shapes(20);
             ASprite* kit = t.shapes(0);
             for (jint p = 0; p < kPaletteCount; ++p) {
                 paintFrameFlipped(own, g, 4 + p * 18, 4, 0, 0, 0, p); // kind 20 keeps palette 0
                 own->currentPalette = p;
                 own->paintFrame(g, 0, 4 + p * 18, 16, 0, 0, 0);
                 paintFrameFlipped(kit, g, 4 + p * 18, 30, 1, 0, 0, p);
             }
         }},
        {"font_markup", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics* g) {
             t.installFont();
             t.installKeyIcons();
             runtime::String* line1 = runtime::newStringFromCString("AB{rCD{E|F");
             runtime::String* line2 = runtime::newStringFromCString("{oG{~*H`I`$~#~x");
             runtime::String* line3 = runtime::newStringFromCString("JK L=M");
             ASprite::drawString(g, line1, 2, 2, 0, 0, 2);
             ASprite::drawString(g, line2, 2, 14, 0, 0, 2);
             ASprite::drawString(g, line3, 94, 26, 0, 4, 4);
             ASprite::drawString(g, line3, 48, 46, 0, 2 | 8, 0);
         }},
        {"text_box_lines", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics*) {
             t.installFont();
             t.installKeyIcons();
             // The text layout measures the test font's glyphs: capitals from 0, digits from 26.
             game::statics()->upperCaseGlyphBase = 0;
             game::statics()->digitGlyphBase = 26;
             // Lines break at '^' and where the last one passes the box (2..90): four lines.
             runtime::String* text = runtime::newStringFromCString("AB{rCD^EF~*G{^HIJ KLM NOP QRS");
             sprites::drawTextBox(text, 2, 2, 9, 0, 0, 2, -1, 0, 0, 90, 0);
         }},
        {"ticker", 0, 0,
         [](SpriteGoldenTest& t, profile::Graphics*) {
             t.installFont();
             game::statics()->tickerPosition[0] = 60;
             runtime::String* text = runtime::newStringFromCString("TICKER{r99");
             drawTicker(text, 10, 10, 70, 16, 2, 1, 1);
             game::statics()->tickerPosition[1] = 2;
             drawTicker(text, 0, 30, 40, 14, 1, 1, 2);
         }},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, kScreenW, kScreenH);
        statics()->fontEscapeActive = 0;
        c.paint(*this, g);
        profile::test::OwnedSurface window(kWindowW, kWindowH);
        for (jint y = 0; y < kWindowH; ++y) {
            for (jint x = 0; x < kWindowW; ++x) {
                window.at(x, y) = pixel(c.left + x, c.top + y);
            }
        }
        profile::test::expectGolden(std::string("sprites/") + c.name + ".png", window);
    }
}

} // namespace
} // namespace game::sprites::testing
