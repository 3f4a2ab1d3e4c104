// The game's static block with three spare reference statics, for tests that watch the collector
// while they run game code that needs the game's block (the archive opener keeps its directory
// there), and keep objects of their own alive through roots.
#pragma once

#include "game/core/GameStatics.h"
#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/StaticClass.h"

namespace game::testing {

struct GameTestStatics : GameStatics {
    runtime::StaticRef<runtime::Object> first;
    runtime::StaticRef<runtime::Object> second;
    runtime::StaticRef<runtime::Object> third;
};

// Makes the Application create a GameTestStatics block and fill its class table.
inline void installGameTestSetUp() {
    runtime::StaticSetUp setUp;
    setUp.createBlock = []() -> runtime::StaticClass* {
        return runtime::createStaticBlock<GameTestStatics>();
    };
    setUp.run = [](runtime::StaticClass* block) { runtime::initClassTable(block); };
    runtime::Application::setStaticSetUp(setUp);
}

} // namespace game::testing
