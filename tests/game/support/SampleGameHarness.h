// The game's midlet under the headless host on the generated sample data: the archive opener and
// the game's static set-up installed, the midlet started, and everything put back afterwards. The
// programs folder is a temporary one whose game folder links the sample archive, so the record
// stores a run creates never touch the sample set (nor another test's run). The midlet starts
// with the collector's stress mode paused unless the case is about the start itself; the frames
// run in the run's mode (see tests/support/StressMode.h).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/framework/Quorlin.h"
#include "game/framework/StaticSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "game/sprites/SpriteLoading.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "tests/support/HostHarness.h"
#include "tests/support/StressMode.h"
#include "tests/support/TemporaryRoot.h"

namespace game::testing {

using namespace game::resources;

class SampleGameHarness : public ::testing::Test {
protected:
    void SetUp() override {
        root = std::make_unique<testing_support::TemporaryRoot>();
        const std::filesystem::path folder = root->path() / "Brenvale" / "Tarnwick";
        std::filesystem::create_directories(folder);
        std::filesystem::create_symlink(std::filesystem::path(TARNWICK_SAMPLE_ROOT) / "Brenvale" /
                                            "Tarnwick" / "data.bar",
                                        folder / "data.bar");
        resources::installArchiveOpener();
        installStaticSetUp();
        const testing_support::StressMode stress(startUnderStress && runtime::gcStress());
        ASSERT_TRUE(harness.startMidlet(&Quorlin::create));
    }
    // Runs frames until the start-up loading has left its state (at most frameLimit); true when it
    // has.
    bool runStartupLoading(const std::uint64_t frameLimit = 200) {
        while (statics()->topState == core::kTopStateLoading && harness.framesRun() < frameLimit) {
            harness.runFrames(1);
        }
        return statics()->topState != core::kTopStateLoading;
    }
    // The start-up loading, then the player and goalkeeper sprites as the match start loads them.
    void loadMatchPlayers() {
        ASSERT_TRUE(runStartupLoading());
        sprites::loadSpriteSetEntry(0);
        sprites::loadSpriteSetEntry(1);
    }
    // The database and the first run's team and player records, as the game's loading makes
    // them, and both sides in squad order, as the match day's line-up reset leaves them.
    static void prepareMatchSides() {
        resources::loadDatabaseTables();
        resources::createRecordStores();
        resources::persistTeamRecords(0);
        resources::persistPlayerRecords(0);
        GameStatics* s = statics();
        for (runtime::ObjectArray* table : {s->lineup.get(), s->lineupAtKickOff.get()}) {
            for (runtime::jint t = 0; t < 2; ++t) {
                auto* row = static_cast<runtime::ByteArray*>((*table)[t]);
                for (runtime::jint k = 0; k < row->length; ++k) {
                    (*row)[k] = static_cast<runtime::jbyte>(k);
                }
            }
        }
    }
    void TearDown() override {
        harness.host().closeApplication();
        runtime::Application::setStaticSetUp({});
        root.reset();
    }

    profile::testing::HostHarness harness;
    // Set by the cases about the start itself, which run it in the run's stress mode.
    bool startUnderStress = false;
    std::unique_ptr<testing_support::TemporaryRoot> root; // the programs folder of the run
};

} // namespace game::testing
