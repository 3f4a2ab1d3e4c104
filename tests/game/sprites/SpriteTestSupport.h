// A started runtime with the game's static block, for the sprite tests: sprites load, decode and
// build images through it, and the collector runs where the code asks for it (and everywhere
// under TARNWICK_GC_STRESS).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/framework/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SpriteWriter.h"

namespace game::sprites::testing {

// Kinds whose module images the static set-up marks for caching.
inline constexpr bool kCachedKinds[30] = {1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0,
                                          1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        runtime::StaticSetUp setUp;
        setUp.createBlock = []() -> runtime::StaticClass* {
            return runtime::createStaticBlock<GameStatics>();
        };
        setUp.run = [](runtime::StaticClass* block) { runtime::initClassTable(block); };
        runtime::Application::setStaticSetUp(setUp);
        ASSERT_TRUE(application.init());
    }
    void TearDown() override {
        application.close();
        runtime::Application::setInstance(nullptr);
        runtime::Application::setStaticSetUp(runtime::StaticSetUp{});
    }

    // What the static set-up gives the sprite code: the decode buffer and the cache flags.
    static void setUpSpriteStatics() {
        statics()->paletteWork = runtime::newIntArray(kDecodeBufferSize);
        runtime::BoolArray* flags = runtime::newBoolArray(30);
        for (runtime::jint kind = 0; kind < 30; ++kind) {
            (*flags)[kind] = kCachedKinds[kind] ? 1 : 0;
        }
        statics()->paletteSlotMask = flags;
    }

    static ASprite* newSprite(const runtime::jint kind) {
        ASprite* sprite = runtime::newObject<ASprite>();
        sprite->kind = kind;
        return sprite;
    }
    static bool load(ASprite* sprite, const tools::Bytes& file, const runtime::jint offset = 0) {
        tools::Bytes data(static_cast<std::size_t>(offset), 0x5A);
        data.insert(data.end(), file.begin(), file.end());
        return sprite->load(testing_support::byteArrayOf(data), offset) != 0;
    }
    bool logMentions(const std::string& part) const {
        for (const std::string& line : log.lines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    runtime::LogCapture log;
    runtime::Application application;
};

} // namespace game::sprites::testing
