// Helpers of the sprite tests, and a whole game runtime for them: sprites load, decode and build
// images through it, and the collector runs where the code asks for it (and everywhere under
// TARNWICK_GC_STRESS).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "runtime/ObjectManager.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SpriteWriter.h"

namespace game::sprites::testing {

// Kinds whose module images the static set-up marks for caching.
inline constexpr bool kCachedKinds[30] = {1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0,
                                          1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};

// What the static set-up gives the sprite code: the decode buffer and the cache flags.
inline void setUpSpriteStatics() {
    statics()->paletteWork = runtime::newIntArray(kDecodeBufferSize);
    runtime::BoolArray* flags = runtime::newBoolArray(30);
    for (runtime::jint kind = 0; kind < 30; ++kind) {
        (*flags)[kind] = kCachedKinds[kind] ? 1 : 0;
    }
    statics()->paletteSlotMask = flags;
}

inline ASprite* newSprite(const runtime::jint kind) {
    ASprite* sprite = runtime::newObject<ASprite>();
    sprite->kind = kind;
    return sprite;
}

// Whether one of the log lines contains part.
inline bool anyLineMentions(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class SpriteTest : public testing_support::GameRuntimeTest {
protected:
    static bool load(ASprite* sprite, const tools::Bytes& file, const runtime::jint offset = 0) {
        tools::Bytes data(static_cast<std::size_t>(offset), 0x5A);
        data.insert(data.end(), file.begin(), file.end());
        return sprite->load(testing_support::byteArrayOf(data), offset) != 0;
    }
    bool logMentions(const std::string& part) const { return anyLineMentions(log.lines, part); }
};

} // namespace game::sprites::testing
