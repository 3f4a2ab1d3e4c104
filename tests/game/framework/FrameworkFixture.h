// A small runtime with the game's static block: the sample constant pool, the console and the
// game's generator seeded with a fixed seed, for tests of the framework's routines.
#pragma once

#include "game/framework/GameStatics.h"
#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/StreamsPrint.h"
#include "tests/runtime/SamplePoolFixture.h"

namespace game {

class FrameworkFixture : public runtime::SamplePoolFixture {
protected:
    static constexpr runtime::jlong kSeed = 42;

    void SetUp() override {
        SamplePoolFixture::SetUp();
        runtime::StaticClass* const plain = application.staticClass;
        GameStatics* const block = runtime::createStaticBlock<GameStatics>();
        runtime::initClassTable(block);
        block->constantPool = plain->constantPool;
        application.staticClass = block;
        delete plain;
        runtime::System::staticInit(block);
        block->gameRandom = runtime::newObject<runtime::java_util_Random>(kSeed);
    }

    static GameStatics* s() { return statics(); }
};

} // namespace game
