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
#include "game/match/MatchConstants.h"
#include "game/match/team/MatchSide.h"
#include "game/match/view/MatchSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/Exceptions.h"
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
    // Runs frames until the whole loading has brought up the first-run question (at most
    // frameLimit); true when it has.
    bool runToFirstRunQuestion(const std::uint64_t frameLimit = 200) {
        while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < frameLimit) {
            harness.runFrames(1);
        }
        return statics()->topState == core::kTopStateQuestion;
    }
    // The start-up loading, then the player and goalkeeper sprites as the match start loads them.
    void loadMatchPlayers() {
        ASSERT_TRUE(runStartupLoading());
        sprites::loadSpriteSetEntry(0);
        sprites::loadSpriteSetEntry(1);
    }
    // The match sprites the match start loads (the sprite table's entries 0, 1, 3, 9 and 10), then
    // the match set-up as the match load leaves it for the first frame: the first side kicks off,
    // the match is watched, not halted, at speed 0.
    void setUpSampleMatch() {
        for (const runtime::jint entry : {0, 1, 3, 9, 10}) {
            sprites::loadSpriteSetEntry(entry);
        }
        setUpMatchOnSides();
        ASSERT_NE(statics()->frameRecord.get(), nullptr);
    }
    // The match set-up on the sides as they stand, the first team kicking off, at normal speed.
    static void setUpMatchOnSides() {
        GameStatics* s = statics();
        s->teamOrderFlag = 1;
        s->matchDayMode = 0;
        s->matchHalted = 0;
        s->matchSpeedLevel = 0;
        match::setUpMatch(nullptr);
    }
    // A match day on two sample clubs: the start-up loading up to the first-run question, the
    // sides' records, the extra tables, both match sides set up from the clubs' squads and the
    // match tables the match load makes.
    void setUpSampleClubs(const runtime::jint home, const runtime::jint away) {
        ASSERT_TRUE(runToFirstRunQuestion());
        prepareMatchSides();
        resources::loadExtraTables();
        match::setUpMatchSide(0, home);
        match::setUpMatchSide(1, away);
        ASSERT_FALSE(runtime::exceptionPending());
        match::initMatchTables(statics());
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
