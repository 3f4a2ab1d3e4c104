// Shared set-up of the match view tests: a screen over a mutable image, the pitch ring buffer,
// pitch layers from fixture tiles or from the sample set's pitch, and the golden comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "PixelTestSupport.h"
#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/match/MatchView.h"
#include "game/sprites/loading/StartupLoading.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "profile/Png.h"
#include "runtime/ObjectManager.h"
#include "tests/game/support/GameResourceFixture.h"
#include "tools/SampleImageSets.h"

namespace game::testing {

using namespace game::sprites;
using namespace game::match;
using namespace game::core;

using runtime::jint;

class MatchViewFixture : public GameResourceFixture {
protected:
    static constexpr jint kMapColumns = 180;
    static constexpr jint kMapRows = 88;

    void SetUp() override {
        GameResourceFixture::SetUp();
        GameStatics* s = statics();
        screen = core::createMutableImage(480, 800);
        s->currentGraphics = runtime::newObject<profile::Graphics>(screen);
        s->pitchBuffer = core::createMutableImage(match::kPitchBufferWidth, match::kPitchBufferHeight);
        s->pitchGraphics = runtime::newObject<profile::Graphics>(s->pitchBuffer.get());
        s->pitchTileMaps = runtime::newObjectArray(match::kPitchLayers, runtime::kByteArray);
        s->pitchFlipMaps = runtime::newObjectArray(match::kPitchLayers, runtime::kByteArray);
        s->pitchTileImages = runtime::newObjectArray(match::kPitchLayers, runtime::kImage);
        s->pitchTilesPerRow = runtime::newIntArray(match::kPitchLayers);
        s->cameraMaxX = 2399;
        s->cameraMaxY = 607;
    }

    static runtime::ByteArray* bytesOf(const std::vector<std::uint8_t>& values) {
        runtime::ByteArray* out = runtime::newByteArray(static_cast<jint>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            (*out)[static_cast<jint>(i)] = static_cast<runtime::jbyte>(values[i]);
        }
        return out;
    }
    // Layer `layer` draws map (with flips) from tiles, perRow tiles a row.
    static void setLayer(const jint layer, const std::vector<std::uint8_t>& map,
                         const std::vector<std::uint8_t>& flips, profile::Image* tiles, const jint perRow) {
        GameStatics* s = statics();
        (*s->pitchTileImages)[layer] = tiles;
        (*s->pitchTileMaps)[layer] = bytesOf(map);
        (*s->pitchFlipMaps)[layer] = bytesOf(flips);
        (*s->pitchTilesPerRow)[layer] = perRow;
    }
    // An image of count tiles in rows of perRow from ARGB values: every pixel of tile t differs
    // from its neighbours and from other tiles, so a misplaced or wrongly flipped tile shows.
    // Tiles with a transparent corner when keyed.
    static profile::Image* fixtureTiles(const jint count, const jint perRow, const bool keyed) {
        const jint rows = (count + perRow - 1) / perRow;
        const jint w = perRow * 16;
        const jint h = rows * 16;
        runtime::IntArray* argb = runtime::newIntArray(w * h);
        for (jint y = 0; y < h; ++y) {
            for (jint x = 0; x < w; ++x) {
                const jint t = (y / 16) * perRow + x / 16;
                const jint px = x % 16;
                const jint py = y % 16;
                const bool clear = keyed && px + py < 10;
                (*argb)[y * w + x] =
                    clear ? 0
                          : static_cast<jint>(0xFF000000u | ((t * 37 + px * 13) & 0xFF) << 16 |
                                              ((t * 11 + py * 15) & 0xFF) << 8 | ((t * 53) & 0xFF));
            }
        }
        return profile::Image::createRGBImage(argb, w, h, keyed ? 1 : 0);
    }
    // The sample set's pitch: its maps and flips and the menu pack's tile sets.
    static void installSamplePitch() {
        for (jint layer = 0; layer < match::kPitchLayers; ++layer) {
            const jint source = layer < 3 ? layer : 2;
            const jint set = tools::kPitchTileSetOfLayer[layer];
            const tools::Bytes bytes = tools::samplePitchTileSet(tools::kPitchTileSetEntries[set]);
            profile::Image* tiles = sprites::decodeImageSet(bytesOf(bytes), 0, 0);
            ASSERT_NE(tiles, nullptr);
            setLayer(layer, tools::samplePitchMap(source), tools::samplePitchFlips(source), tiles,
                     tiles->getWidth() / tools::kPitchTileSize);
        }
    }

    // Compares the w x h window of surface at (left, top) with tests/fixtures/framework/<name>.png,
    // or rewrites the golden when TARNWICK_UPDATE_GOLDENS is set.
    static void expectGolden(const std::string& name, const profile::Surface& surface, const jint left,
                             const jint top, const jint w, const jint h) {
        profile::test::OwnedSurface window(w, h);
        for (jint y = 0; y < h; ++y) {
            for (jint x = 0; x < w; ++x) {
                window.at(x, y) = surface.row16(top + y)[left + x];
            }
        }
        const std::string path = profile::test::fixturePath("framework/" + name + ".png");
        const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
        if (update != nullptr && *update != '\0') {
            ASSERT_TRUE(profile::test::writePng(path, window)) << path;
            return;
        }
        const std::vector<std::uint8_t> bytes = profile::test::readFile(path);
        profile::DecodedPng golden;
        ASSERT_TRUE(profile::decodePng(bytes.data(), bytes.size(), golden)) << "missing golden " << path;
        std::unique_ptr<std::uint16_t, decltype(&std::free)> owner(golden.pixels, &std::free);
        ASSERT_EQ(golden.width, w) << name;
        ASSERT_EQ(golden.height, h) << name;
        jint mismatches = 0;
        for (jint y = 0; y < h; ++y) {
            for (jint x = 0; x < w; ++x) {
                mismatches += golden.pixels[y * (golden.stride / 2) + x] != window.at(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
    }

    profile::Image* screen = nullptr;
};

} // namespace game::testing
