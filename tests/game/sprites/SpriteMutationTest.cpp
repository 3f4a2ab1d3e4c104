// Sprite files with bytes changed at random (a fixed seed): whatever loads keeps every promise
// the painters rely on, and decoding every module and building every image stays inside the
// sprite's tables (the sanitizer builds check the memory).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/sprites/SpriteFormat.h"
#include "tests/game/sprites/SpriteTestSupport.h"
#include "tests/support/CaseSize.h"
#include "tools/SampleSprites.h"

namespace game::sprites::testing {
namespace {

using runtime::jint;

// The sanitizers are what this case is for, so they get the full count too; where each allocation
// collects, a quarter.
constexpr testing_support::CaseSize kMutationsPerFile{.optimised = 60, .checked = 60, .stressed = 15};

// Checks the tables a loaded sprite hands to its painters.
void expectConsistent(const ASprite* sprite) {
    const jint frames = sprite->frameCount();
    const jint placed = sprite->frameModules != nullptr ? sprite->frameModules->length / 4 : 0;
    for (jint r = 0; r < placed; ++r) {
        const jint flags = (*sprite->frameModules)[4 * r + 3];
        const jint number = referenceNumber((*sprite->frameModules)[4 * r], flags);
        ASSERT_LT(number, (flags & kPlacedNestedFrame) != 0 ? frames : sprite->moduleCount) << "placed " << r;
    }
    for (jint f = 0; f < frames; ++f) {
        const jint count = (*sprite->frameModuleCount)[f] & 0xFF;
        ASSERT_TRUE(count == 0 ||
                    ((*sprite->frameFirstModule)[f] >= 0 && (*sprite->frameFirstModule)[f] + count <= placed))
            << "frame " << f;
    }
    const jint records =
        sprite->animFrames != nullptr ? sprite->animFrames->length / sprite->animFrameStride : 0;
    for (jint a = 0; a < sprite->animationCount(); ++a) {
        const jint count = (*sprite->animFrameCount)[a] & 0xFF;
        ASSERT_TRUE(count == 0 ||
                    ((*sprite->animFirstFrame)[a] >= 0 && (*sprite->animFirstFrame)[a] + count <= records))
            << "animation " << a;
    }
    if (sprite->frameRects != nullptr) {
        ASSERT_EQ(sprite->frameRects->length, 4 * frames);
    }
}

TEST_F(SpriteTest, DamagedSampleSpritesNeverReachOutsideTheirTables) {
    setUpSpriteStatics();
    std::uint32_t seed = 20240611;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const std::vector<tools::Bytes> files = {tools::sampleTableSprite(2), tools::sampleTableSprite(3),
                                             tools::sampleTableSprite(7), tools::sampleTableSprite(11)};
    const int mutations = testing_support::sizeForThisBuild("mutations per file", kMutationsPerFile);
    jint loaded = 0;
    for (const tools::Bytes& original : files) {
        for (int mutation = 0; mutation < mutations; ++mutation) {
            tools::Bytes bytes = original;
            const int changes = 1 + static_cast<int>(next() % 4);
            for (int c = 0; c < changes; ++c) {
                // Mostly the tables at the front, where one byte changes the most.
                const std::size_t range =
                    next() % 2 == 0 ? std::min<std::size_t>(bytes.size(), 64) : bytes.size();
                bytes[next() % range] = static_cast<std::uint8_t>(next());
            }
            if (next() % 5 == 0) {
                bytes.resize(next() % bytes.size());
            }
            const jint kind = static_cast<jint>(next() % 30);
            ASprite* sprite = newSprite(kind);
            statics()->sharedPalettes = nullptr;
            if (!load(sprite, bytes)) {
                ASSERT_EQ(sprite->moduleCount, 0);
                continue;
            }
            ++loaded;
            expectConsistent(sprite);
            for (jint p = 0; sprite->palettes != nullptr && p < sprite->palettes->length; ++p) {
                auto* palette = static_cast<runtime::IntArray*>((*sprite->palettes)[p]);
                for (jint m = 0; m < sprite->moduleCount; ++m) {
                    sprite->decodeModule(m, kTransformFlipX, palette);
                }
                sprite->buildModuleImages(p, 0, -1, -1);
            }
        }
    }
    // Most single changes leave a file that still loads: the checks above saw real sprites.
    EXPECT_GT(loaded, static_cast<jint>(files.size()) * mutations / 4);
}

} // namespace
} // namespace game::sprites::testing
