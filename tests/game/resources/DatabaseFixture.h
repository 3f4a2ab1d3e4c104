// A whole game runtime for the database and data-set tests: the sample database pack and text
// package served from memory, the texts loaded, record stores in a temporary game folder, and
// scripted doubles of the framework, club-database and information-screen services.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/core/services/ClubDatabaseServices.h"
#include "game/core/services/FrameworkServices.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Resources.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "tests/game/support/MemoryResources.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleDatabase.h"
#include "tools/SamplePacks.h"

namespace game::sprites::testing {

using namespace game::core;

using runtime::ByteArray;
using runtime::jboolean;
using runtime::jint;
using tools::Bytes;

// The framework routines the database code calls: player values are scripted from the player's
// number, the first-run setup record is marked, and calls are counted.
class ScriptedFramework final : public FrameworkServices {
public:
    void composePalette(jint, jint, jint, jint, jint, jint, jint, jboolean, jboolean, jint, jint) override {}
    jint getGlyphIndex(runtime::jchar) override { return -1; }
    jint getStringWidth(runtime::String*, jint) override { return 0; }
    void loadGameDatabase() override {
        ++gameDatabaseLoads;
        if (ByteArray* record = statics()->saveRecordBuffer) {
            (*record)[0] = 0x47;
        }
    }
    jboolean positionViewOn() override { return 0; }
    void resetSetupRecord(jboolean) override {
        ++setupResets;
        (*statics()->selectionTable)[0] = 0x53;
    }
    jint getPlayerValue(const jint player, const jboolean baseOnly) override {
        return baseOnly != 0 ? kWageBase + player : kValueBase + 1000 * player;
    }

    static constexpr jint kWageBase = 300;
    static constexpr jint kValueBase = 0x01020304;
    int gameDatabaseLoads = 0;
    int setupResets = 0;
};

// The club database routines: ages from the player's number, and the inbox ring's append as the
// club database does it.
class ScriptedClubDatabase final : public ClubDatabaseServices {
public:
    jint getPlayerAge(const jint player) override { return 17 + player % 20; }
    void storeRecentRecord(ByteArray* const message) override {
        GameStatics* s = statics();
        ByteArray* copy = runtime::newByteArray(27);
        for (jint k = 0; k < 27; ++k) {
            (*copy)[k] = (*message)[k];
        }
        (*s->inboxRing)[s->inboxWrite] = copy;
        if (s->inboxCount < 100) {
            ++s->inboxCount;
            s->inboxWrite = (s->inboxWrite + 1) % 100;
        } else {
            s->inboxStart = (s->inboxStart + 1) % 100;
            s->inboxWrite = s->inboxStart;
        }
        ++stored;
    }
    int stored = 0;
};

class ScriptedInfoScreens final : public InfoScreenServices {
public:
    void loadSoundPlayers() override {}
    void paintPitchsideFigures(profile::Graphics*) override {}
    void loadHeaderImage() override {}
    jint parseDataSet(ByteArray*, jint) override { return 0; }
    runtime::String* getTeamLabel(const jint team) override {
        return runtime::newStringFromCString(("label " + std::to_string(team)).c_str());
    }
    void resetCareer() override {
        ++careerResets;
        if (onCareerReset) {
            onCareerReset();
        }
    }
    int careerResets = 0;
    std::function<void()> onCareerReset; // what the new-game set-up changes, when set
};

class DatabaseTest : public testing_support::GameRuntimeTest {
protected:
    static constexpr char kDatabasePackName[] = "db";
    void SetUp() override {
        GameRuntimeTest::SetUp();
        std::filesystem::create_directories(root.path() / "Brenvale" / "Tarnwick");
        resources() = sampleResources();
        profile::setArchiveOpener(&testing_resources::openServedResource);
        loadTexts();
    }
    // Takes the runtime down and brings a new one up over the same game folder, as a new run of
    // the game would find it: nothing of the old run's statics survives, only its record stores.
    void restartRuntime() {
        takeDown();
        ASSERT_TRUE(bringUp(testing_support::kFixedClock));
        loadTexts();
    }
    void TearDown() override {
        profile::setArchiveOpener(nullptr);
        GameRuntimeTest::TearDown();
    }

    // Replaces the database pack by one of these entries.
    static void putDatabasePack(const std::vector<tools::PackEntry>& entries) {
        for (const tools::ArchiveEntry& part :
             tools::packArchiveEntries("db", tools::buildPackParts(entries), "")) {
            resources()[part.name] = part.bytes;
        }
    }
    static const Bytes& sampleEntry(const jint entry) {
        return tools::sampleDatabase().entries[static_cast<std::size_t>(entry)].content;
    }
    static runtime::String* string(const std::string& text) {
        return runtime::newStringFromCString(text.c_str());
    }
    static std::string text(runtime::String* value) { return testing_support::textOf(value); }

    // The record files of store name in the temporary game folder.
    std::filesystem::path indexFile(const std::string& name) const {
        return root.path() / "Brenvale" / "Tarnwick" / ("rms_" + name + ".rms");
    }
    std::filesystem::path recordFile(const std::string& name, const jint id = 1) const {
        return root.path() / "Brenvale" / "Tarnwick" /
               ("rms_" + name + ".rms_r" + std::to_string(id) + ".rms");
    }
    Bytes recordBytes(const std::string& name, const jint id = 1) const {
        std::ifstream in(recordFile(name, id), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool hasRecord(const std::string& name) const { return std::filesystem::exists(recordFile(name)); }
    // Writes a store holding one record.
    void writeStore(const std::string& name, const Bytes& record) const {
        root.write("Brenvale/Tarnwick/rms_" + name + ".rms", Bytes{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1});
        root.write("Brenvale/Tarnwick/rms_" + name + ".rms_r1.rms", record);
    }
    bool logMentions(const std::string& part) const {
        for (const std::string& line : log.lines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    testing_support::TemporaryRoot root;
    ScriptedFramework framework;
    ScriptedClubDatabase club;
    ScriptedInfoScreens infoScreens;
    runtime::ScopedService<FrameworkServices> frameworkScope{&installFrameworkServices, framework};
    runtime::ScopedService<ClubDatabaseServices> clubScope{&installClubDatabaseServices, club};
    runtime::ScopedService<InfoScreenServices> infoScope{&installInfoScreenServices, infoScreens};

private:
    void loadTexts() {
        loadTextPackageEntry(runtime::getConstantString(112), 0);
        statics()->inboxStoreName = core::getText(545);
    }
    static std::map<std::string, Bytes> sampleResources() {
        static const std::map<std::string, Bytes> sample = [] {
            std::map<std::string, Bytes> entries;
            for (const tools::ArchiveEntry& entry : tools::sampleDatabasePackEntries()) {
                entries[entry.name] = entry.bytes;
            }
            for (const tools::ArchiveEntry& entry : tools::samplePackEntries()) {
                entries[entry.name] = entry.bytes;
            }
            return entries;
        }();
        return sample;
    }
    static std::map<std::string, Bytes>& resources() { return testing_resources::servedResources(); }
};

} // namespace game::sprites::testing
