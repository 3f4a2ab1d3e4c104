// A whole game runtime for a test: the game's static set-up and the sample constant pool
// installed, the clock fixed, then the Application brought up (heaps, object manager, class
// table, constant pool, the game's static block and its class initialisers) and made current.
// It is taken down again after the test. The bring-up runs with the collector's stress mode
// paused unless the case is about the bring-up (see tests/support/StressMode.h).
#pragma once

#include <gtest/gtest.h>

#include "game/core/GameStatics.h"
#include "game/framework/StaticSetUp.h"
#include "runtime/Application.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/System.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/SampleConstantPool.h"
#include "tests/support/StressMode.h"

namespace testing_support {

// The clock the fixture starts every runtime with, so the game's generator has a fixed seed.
inline constexpr runtime::jlong kFixedClock = 1234567;

class GameRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bringUp(kFixedClock)); }
    void TearDown() override { takeDown(); }

    // Brings the runtime up with the clock standing at clock.
    bool bringUp(const runtime::jlong clock) {
        runtime::System::setClock([clock] { return clock; });
        runtime::setResourceOpener(&openSamplePool);
        game::installStaticSetUp();
        {
            const StressMode stress(bringUpUnderStress && runtime::gcStress());
            up = application.init();
        }
        runtime::clearDeadStack();
        return up;
    }
    // Takes it down and puts the hooks back.
    void takeDown() {
        if (up) {
            application.close();
            up = false;
        }
        runtime::Application::setInstance(nullptr);
        runtime::Application::setStaticSetUp(runtime::StaticSetUp{});
        runtime::setResourceOpener(nullptr);
        runtime::System::setClock(nullptr);
    }

    game::GameStatics* statics() const {
        return static_cast<game::GameStatics*>(application.getStaticClass());
    }

    runtime::LogCapture log;
    runtime::Application application;
    // Set by the cases about the bring-up itself, which run it in the run's stress mode.
    bool bringUpUnderStress = false;

private:
    bool up = false;
};

} // namespace testing_support
