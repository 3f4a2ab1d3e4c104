// The framework fixture with the game's generator seeded with a fixed seed and the console set
// up, for routines that draw random numbers or write trace lines.
#pragma once

#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/StreamsPrint.h"
#include "tests/game/support/FrameworkFixture.h"

namespace game::testing {

class SeededFixture : public FrameworkFixture {
protected:
    static constexpr jlong kSeed = 42;

    void SetUp() override {
        FrameworkFixture::SetUp();
        runtime::System::staticInit(block());
        block()->gameRandom = runtime::newObject<runtime::java_util_Random>(kSeed);
    }

    static GameStatics* s() { return statics(); }
};

} // namespace game::testing
