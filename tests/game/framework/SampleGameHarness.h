// The game's midlet under the headless host on the generated sample data: the archive opener and
// the game's static set-up installed, the midlet started, and everything put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "game/framework/Quorlin.h"
#include "game/framework/StaticSetUp.h"
#include "game/sprites/ArchiveResource.h"
#include "tests/support/HostHarness.h"

namespace game::testing {

class SampleGameHarness : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* root = std::getenv("TARNWICK_ROOT")) {
            previousRoot = root;
        }
        setenv("TARNWICK_ROOT", TARNWICK_SAMPLE_ROOT, 1);
        sprites::resetArchiveDirectory();
        sprites::installArchiveOpener();
        installStaticSetUp();
        ASSERT_TRUE(harness.startMidlet(&Quorlin::create));
    }
    void TearDown() override {
        harness.host().closeApplication();
        runtime::Application::setStaticSetUp({});
        sprites::resetArchiveDirectory();
        if (previousRoot) {
            setenv("TARNWICK_ROOT", previousRoot->c_str(), 1);
        } else {
            unsetenv("TARNWICK_ROOT");
        }
    }

    profile::testing::HostHarness harness;

private:
    std::optional<std::string> previousRoot;
};

} // namespace game::testing
