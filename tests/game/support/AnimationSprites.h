// Sprites built in memory for the actor tests: one filled 3 x 3 module, one frame showing it,
// and animations of given frame counts that show that frame.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "runtime/ObjectManager.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SpriteWriter.h"

namespace game::testing {

// A sprite numbered `kind` whose animation a has frameCounts[a] frames of `ticks` ticks each.
inline sprites::ASprite* spriteWithAnimations(const std::vector<int>& frameCounts, const runtime::jint kind,
                                              const int ticks = 1) {
    tools::SpriteFile file;
    tools::SpriteModule module;
    module.marker = game::sprites::kModuleMarkerFilled;
    module.colour = static_cast<std::int32_t>(0xFF20C020);
    module.width = 3;
    module.height = 3;
    file.modules.push_back(module);
    file.addFrame({{0, 0, 0}}, {0, 0, 3, 3});
    for (const int count : frameCounts) {
        file.addAnimation(std::vector<tools::AnimFrame>(count, tools::AnimFrame{0, ticks}));
    }
    auto* sprite = runtime::newObject<sprites::ASprite>();
    EXPECT_TRUE(sprite->load(testing_support::byteArrayOf(tools::spriteFileBytes(file)), 0));
    sprite->kind = kind;
    return sprite;
}

} // namespace game::testing
