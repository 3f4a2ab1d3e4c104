// Damaged sprite files: every reference that points outside its table, frames that nest
// without end, formats the loader does not read, a PNG sheet whose chunks are not where the
// palettes go, and files cut anywhere. Each fails to load with a log line naming the sprite and
// leaves it empty; nothing is read outside the file.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/sprites/SpriteFormat.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "tests/game/sprites/SpriteTestSupport.h"
#include "tools/PngWriter.h"

namespace game::sprites::testing {
namespace {

using runtime::jint;
using tools::AnimFrame;
using tools::PlacedModule;
using tools::SpriteFile;

// Two image modules and a rectangle; frame 0 places modules, frame 1 places a module and nests
// frame 0; two animations over three animation frames.
SpriteFile validSprite() {
    SpriteFile file;
    file.flags = kFlagPixelSection;
    file.modules = {{0, 0, 0, 0, 2, 2, {1, 1, 1, 1}},
                    {0, 0, 0, 0, 1, 3, {2, 2, 2}},
                    {kModuleMarkerOutline, 0, 0, static_cast<std::int32_t>(0xFFFFFFFF), 4, 4, {}}};
    file.palettes = {{0, 0xFF102030, 0xFF405060}};
    file.pixelFormat = kPixelFormatIndexBytes;
    file.addFrame({{0, 0, 0, 0, false, 0}, {1, 2, 0, 0, false, 0}}, {0, 0, 3, 3});
    file.addFrame({{2, 0, 0, 0, false, 0}, {0, 1, 1, 0, true, 0}}, {0, 0, 4, 4});
    file.addAnimation({{0, 2, 0, 0, 0}, {1, 2, 0, 0, 0}});
    file.addAnimation({{1, 3, 0, 0, 0}});
    return file;
}

// A chain of `depth` frames, each nesting the next; the last places module 0.
SpriteFile nestedChain(const int depth) {
    SpriteFile file = validSprite();
    file.placedModules.clear();
    file.frames.clear();
    file.frameRects.clear();
    for (int f = 0; f < depth; ++f) {
        file.addFrame(
            {f + 1 < depth ? PlacedModule{f + 1, 0, 0, 0, true, 0} : PlacedModule{0, 0, 0, 0, false, 0}},
            {0, 0, 1, 1});
    }
    return file;
}

struct DamageCase {
    const char* name;
    std::function<void(SpriteFile&)> damage;
    std::string logged; // part of the log line
};

void expectEmpty(const ASprite* sprite) {
    EXPECT_EQ(sprite->moduleCount, 0);
    EXPECT_EQ(sprite->frameCount(), 0);
    EXPECT_EQ(sprite->animationCount(), 0);
    EXPECT_EQ(sprite->frameModules, nullptr);
    EXPECT_EQ(sprite->animFrames, nullptr);
    EXPECT_EQ(sprite->palettes, nullptr);
    EXPECT_EQ(sprite->pixelData, nullptr);
    EXPECT_EQ(sprite->moduleImages, nullptr);
}

TEST_F(SpriteTest, EveryReferenceIsCheckedAgainstItsTable) {
    const DamageCase cases[] = {
        {"a placed module names a missing module", [](SpriteFile& f) { f.placedModules[1].number = 3; },
         "placed module 1 refers to module 3, the sprite has 3"},
        {"a nested frame that does not exist", [](SpriteFile& f) { f.placedModules[3].number = 2; },
         "placed module 3 refers to frame 2, the sprite has 2"},
        {"a frame runs past the placed modules", [](SpriteFile& f) { f.frames[1].count = 3; },
         "frame 1 uses placed modules 2..4, the sprite has 4"},
        {"a frame starts before the placed modules", [](SpriteFile& f) { f.frames[0].first = -1; },
         "frame 0 uses placed modules -1..0, the sprite has 4"},
        {"an animation runs past its frames", [](SpriteFile& f) { f.animations[1].first = 3; },
         "animation 1 uses animation frames 3..3, the sprite has 3"},
        {"an animation frame shows a missing frame", [](SpriteFile& f) { f.animFrames[2].frame = 2; },
         "animation frame 2 shows frame 2, the sprite has 2"},
        {"an animation frame with high bits", [](SpriteFile& f) { f.animFrames[0].frame = 0x100; },
         "animation frame 0 shows frame 256, the sprite has 2"},
        {"a frame contains itself", [](SpriteFile& f) { f.placedModules[3].number = 1; },
         "frame 1 contains itself through frame 1"},
        {"two frames contain each other",
         [](SpriteFile& f) { f.placedModules[0] = PlacedModule{1, 0, 0, 0, true, 0}; },
         "frame 0 contains itself through frame 1"},
        {"frames nest too deep", [](SpriteFile& f) { f = nestedChain(kMaxFrameNesting + 1); },
         "frames nest deeper than 8 levels"},
        {"a palette format the loader does not read", [](SpriteFile& f) { f.paletteFormat = 0x1234; },
         "palette format 0x1234 is not one the loader reads"},
        {"a pixel format the loader does not read", [](SpriteFile& f) { f.pixelFormat = 0x7777; },
         "pixel format 0x7777 is not one the loader reads"},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        SpriteFile file = validSprite();
        c.damage(file);
        ASprite* sprite = newSprite(7);
        log.lines.clear();
        EXPECT_FALSE(load(sprite, tools::spriteFileBytes(file)));
        EXPECT_TRUE(logMentions("sprite of kind 7: " + c.logged))
            << (log.lines.empty() ? "" : log.lines.back());
        expectEmpty(sprite);
    }
}

TEST_F(SpriteTest, FramesMayNestUpToTheLimit) {
    ASprite* sprite = newSprite(7);
    EXPECT_TRUE(load(sprite, tools::spriteFileBytes(nestedChain(kMaxFrameNesting))));
    EXPECT_EQ(sprite->frameCount(), kMaxFrameNesting);
}

TEST_F(SpriteTest, AFileCutAnywhereFailsWithoutReadingPastItsEnd) {
    SpriteFile file = validSprite();
    file.flags |= kFlagModulePalettes | kFlagWideModuleOffsets;
    const tools::Bytes whole = tools::spriteFileBytes(file);
    ASprite* sprite = newSprite(7);
    ASSERT_TRUE(load(sprite, whole));
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        log.lines.clear();
        EXPECT_FALSE(load(sprite, tools::Bytes(whole.begin(), whole.begin() + static_cast<long>(length))));
        EXPECT_TRUE(logMentions("sprite of kind 7: the file ends at byte"));
        expectEmpty(sprite);
    }
    // Starting inside the array but too near its end, or outside it, is the same.
    for (const jint offset : {-1, static_cast<jint>(whole.size()) - 3, static_cast<jint>(whole.size()) + 4}) {
        EXPECT_FALSE(sprite->load(testing_support::byteArrayOf(whole), offset)) << offset;
    }
    EXPECT_FALSE(sprite->load(nullptr, 0));
}

// A 6 x 4 sheet of four colours, two palettes.
const std::vector<std::vector<std::uint32_t>> kSheetPalettes = {
    {0x00000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
    {0x00000000, 0xFF800000, 0xFF008000, 0xFF000080},
};

SpriteFile sheetSprite() {
    SpriteFile file;
    file.flags = kFlagModulePositions | kFlagPngSheet;
    file.modules = {{0, 0, 0, 0, 3, 4, {}}, {0, 3, 0, 0, 3, 4, {}}};
    const std::uint8_t row[] = {0, 1, 1, 2, 3, 3};
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < 4; ++y) {
        for (const std::uint8_t index : row) {
            indices.push_back(index);
        }
    }
    file.pngSection = tools::pngSheetSection(6, 4, indices, kSheetPalettes);
    file.addFrame({{1, 0, 0, 0, false, 0}}, {0, 0, 3, 4});
    return file;
}

TEST_F(SpriteTest, APngSheetDecodesOnceForEachPalette) {
    ASprite* sprite = newSprite(12);
    ASSERT_TRUE(load(sprite, tools::spriteFileBytes(sheetSprite())));
    ASSERT_NE(sprite->moduleImages, nullptr);
    ASSERT_EQ(sprite->moduleImages->length, 2);
    for (jint p = 0; p < 2; ++p) {
        auto* row = static_cast<runtime::ObjectArray*>((*sprite->moduleImages)[p]);
        ASSERT_EQ(row->length, 1);
        auto* sheet = static_cast<profile::Image*>((*row)[0]);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->getWidth(), 6);
        EXPECT_EQ(sheet->getHeight(), 4);
        EXPECT_EQ(sheet->row16(2)[4], profile::toRgb565(kSheetPalettes[p][3])) << "palette " << p;
    }
    EXPECT_EQ((*sprite->moduleX)[1], 3);
}

TEST_F(SpriteTest, APngSheetWhoseChunksAreElsewhereIsRefused) {
    const std::function<void(tools::Bytes&)> damages[] = {
        [](tools::Bytes& png) { png[2 + 37] = 'X'; },                      // PLTE renamed
        [](tools::Bytes& png) { png[2 + 36] += 3; },                       // PLTE longer than 3K
        [](tools::Bytes& png) { png[2 + 12 + 3] = 'X'; },                  // no IHDR first
        [](tools::Bytes& png) { png[2 + 33 + 4 + 12 + 4 + 4 + 4] = 'X'; }, // tRNS renamed
    };
    for (const auto& damage : damages) {
        SpriteFile file = sheetSprite();
        damage(file.pngSection);
        ASprite* sprite = newSprite(12);
        log.lines.clear();
        EXPECT_FALSE(load(sprite, tools::spriteFileBytes(file)));
        EXPECT_TRUE(
            logMentions("sprite of kind 12: the PNG sheet does not hold IHDR, PLTE of 4 colours and tRNS"));
        expectEmpty(sprite);
    }
}

} // namespace
} // namespace game::sprites::testing
