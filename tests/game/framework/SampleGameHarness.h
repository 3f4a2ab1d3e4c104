// The game's midlet under the headless host on the generated sample data: the archive opener and
// the game's static set-up installed, the midlet started, and everything put back afterwards. The
// programs folder is a temporary one holding a copy of the sample archive, so the record stores the
// game writes stay with the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "game/framework/Quorlin.h"
#include "game/framework/StaticSetUp.h"
#include "game/sprites/ArchiveResource.h"
#include "tests/support/HostHarness.h"
#include "tests/support/TemporaryRoot.h"

namespace game::testing {

class SampleGameHarness : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path game = std::filesystem::path("Brenvale") / "Tarnwick";
        std::filesystem::create_directories(root.path() / game);
        for (const char* file : {"data.bar", "data.manifest"}) {
            std::filesystem::copy_file(std::filesystem::path(TARNWICK_SAMPLE_ROOT) / game / file,
                                       root.path() / game / file);
        }
        sprites::resetArchiveDirectory();
        sprites::installArchiveOpener();
        installStaticSetUp();
        ASSERT_TRUE(harness.startMidlet(&Quorlin::create));
    }
    void TearDown() override {
        harness.host().closeApplication();
        runtime::Application::setStaticSetUp({});
        sprites::resetArchiveDirectory();
    }

    testing_support::TemporaryRoot root;
    profile::testing::HostHarness harness;
};

} // namespace game::testing
