// Sprite drawing speed: frames painted per second from cached images, from decoded pixels and
// with a rotation, and sprite-font strings drawn per second, onto a 480 x 800 screen image.
#include <benchmark/benchmark.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/services/FrameworkServices.h"
#include "game/framework/StaticSetUp.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "tests/support/SampleConstantPool.h"
#include "tools/SpriteWriter.h"

namespace {

using game::sprites::ASprite;
using runtime::jint;

// Glyphs of the capitals (frame 0 of the font holds every module; glyph k is frame k + 1).
class Glyphs final : public game::core::FrameworkServices {
public:
    void composePalette(jint, jint, jint, jint, jint, jint, jint, runtime::jboolean, runtime::jboolean, jint,
                        jint) override {}
    jint getGlyphIndex(const runtime::jchar c) override { return c >= 'A' && c <= 'Z' ? c - 'A' + 1 : -1; }
    jint getStringWidth(runtime::String* text, jint) override { return text->length() * 8; }
    void loadGameDatabase() override {}
    runtime::jboolean positionViewOn() override { return 0; }
    void resetSetupRecord(runtime::jboolean) override {}
    jint getPlayerValue(jint, runtime::jboolean) override { return 0; }
};

// A sprite of `modules` 24 x 24 modules in one frame, palette of 16 colours.
tools::SpriteFile spriteFile(const int modules, const int moduleSize) {
    tools::SpriteFile file;
    file.flags = game::sprites::kFlagPixelSection;
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < 16; ++i) {
        palette.push_back(i == 0 ? 0 : 0xFF000000u | i * 0x0F0A05u);
    }
    file.palettes = {palette};
    std::vector<tools::PlacedModule> placed;
    for (int m = 0; m < modules; ++m) {
        std::vector<std::uint8_t> indices;
        for (int p = 0; p < moduleSize * moduleSize; ++p) {
            indices.push_back(static_cast<std::uint8_t>((p / 3 + m) % 16));
        }
        tools::SpriteModule module;
        module.width = moduleSize;
        module.height = moduleSize;
        module.pixels = tools::encodePixels(game::sprites::kPixelFormatRunsOrLiterals, indices, 16);
        file.modules.push_back(module);
        placed.push_back({m, (m % 4) * moduleSize, (m / 4) * moduleSize});
    }
    file.addFrame(placed, {0, 0, 96, 48});
    return file;
}

// The game runtime, a screen and the sprites, made once for all benchmarks.
struct World {
    World() {
        runtime::setLogSink([](const std::string&) {});
        runtime::recordStackBase();
        runtime::setResourceOpener(&testing_support::openSamplePool);
        game::installStaticSetUp();
        application.init();
        game::GameStatics* s = game::statics();
        screen = runtime::newObject<profile::Image>();
        screen->initBuffer(480, 800, profile::kPixelRgb565 | profile::kImageMutableFlag, 0);
        s->currentGraphics = screen->getGraphics();
        s->sprites = runtime::newObjectArray(12, runtime::kObjectArray);
        s->paletteWork = runtime::newIntArray(game::sprites::kDecodeBufferSize);
        const tools::Bytes decodedBytes = tools::spriteFileBytes(spriteFile(8, 24));
        runtime::ByteArray* bytes = runtime::newByteArray(static_cast<jint>(decodedBytes.size()));
        std::copy(decodedBytes.begin(), decodedBytes.end(), bytes->data());
        auto* decoded = runtime::newObject<ASprite>();
        decoded->kind = 20;
        decoded->load(bytes, 0);
        (*s->sprites)[0] = decoded;
        auto* cached = runtime::newObject<ASprite>();
        cached->kind = 20;
        cached->load(bytes, 0);
        cached->buildModuleImages(0, 0, -1, -1);
        (*s->sprites)[1] = cached;
        tools::SpriteFile fontFile = spriteFile(26, 7);
        for (int glyph = 0; glyph < 26; ++glyph) {
            fontFile.addFrame({{glyph, 0, 0}}, {0, 0, 8, 7});
        }
        const tools::Bytes fontBytes = tools::spriteFileBytes(fontFile);
        runtime::ByteArray* fontArray = runtime::newByteArray(static_cast<jint>(fontBytes.size()));
        std::copy(fontBytes.begin(), fontBytes.end(), fontArray->data());
        auto* font = runtime::newObject<ASprite>();
        font->kind = 11;
        font->load(fontArray, 0);
        (*s->sprites)[11] = font;
        text = runtime::newStringFromCString("THE MATCH ENDS {rTWO{ ONE AFTER EXTRA TIME");
        text->collectable = 0; // held here, outside the statics
        game::core::installFrameworkServices(&glyphs);
    }
    runtime::Application application;
    profile::Image* screen = nullptr;
    runtime::String* text = nullptr;
    Glyphs glyphs;
};

World& world() {
    static World instance;
    return instance;
}

ASprite* sprite(const jint index) {
    return static_cast<ASprite*>((*game::statics()->sprites)[index]);
}

void paintFrames(benchmark::State& state, const jint index, const jint transform) {
    World& w = world();
    profile::Graphics* g = game::statics()->currentGraphics;
    ASprite* s = sprite(index);
    jint n = 0;
    for (auto _ : state) {
        s->paintFrame(g, 0, (n * 37) % 400, (n * 53) % 760, transform, 0, 0);
        ++n;
    }
    benchmark::DoNotOptimize(w.screen);
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("frames of 8 modules of 24 x 24");
}

void framesFromCachedImages(benchmark::State& state) {
    paintFrames(state, 1, 0);
}
void framesFromCachedImagesFlipped(benchmark::State& state) {
    paintFrames(state, 1, game::sprites::kTransformFlipX);
}
void framesDecoded(benchmark::State& state) {
    paintFrames(state, 0, 0);
}
void framesDecodedRotated(benchmark::State& state) {
    paintFrames(state, 0, game::sprites::kTransformRotate);
}
BENCHMARK(framesFromCachedImages);
BENCHMARK(framesFromCachedImagesFlipped);
BENCHMARK(framesDecoded);
BENCHMARK(framesDecodedRotated);

void strings(benchmark::State& state) {
    World& w = world();
    profile::Graphics* g = game::statics()->currentGraphics;
    jint n = 0;
    for (auto _ : state) {
        ASprite::drawString(g, w.text, 10, (n * 13) % 780, 0, 0, 0);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("strings of 43 characters with a colour code");
}
BENCHMARK(strings);

} // namespace
