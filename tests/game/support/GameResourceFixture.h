// A runtime with the game's static block (GameStatics) and the sample constant pool, whose
// resources are served from memory by name: tests put part files, text containers and any other
// resource in place, and can count how often each was opened.
#pragma once

#include <map>
#include <string>

#include "game/core/GameStatics.h"
#include "profile/Resources.h"
#include "runtime/ClassTable.h"
#include "tests/game/support/MemoryResources.h"
#include "tests/runtime/SamplePoolFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace game {

class GameResourceFixture : public runtime::SamplePoolFixture {
protected:
    void SetUp() override {
        SamplePoolFixture::SetUp();
        runtime::StaticClass* plain = application.staticClass;
        GameStatics* block = runtime::createStaticBlock<GameStatics>();
        runtime::initClassTable(block);
        block->constantPool = plain->constantPool.get();
        delete plain;
        application.staticClass = block;
        resources().clear();
        opens().clear();
        profile::setArchiveOpener(&testing_resources::openServedResource);
    }
    void TearDown() override {
        profile::setArchiveOpener(nullptr);
        resources().clear();
        opens().clear();
        SamplePoolFixture::TearDown();
    }

    // Makes bytes the resource called name (as the archive stores it: no leading '/').
    static void putResource(const std::string& name, const tools::Bytes& bytes) { resources()[name] = bytes; }
    static void removeResource(const std::string& name) { resources().erase(name); }
    // Every archive entry of a list, as resources.
    static void putResources(const std::vector<tools::ArchiveEntry>& entries) {
        for (const tools::ArchiveEntry& entry : entries) {
            putResource(entry.name, entry.bytes);
        }
    }
    // How often the resource called name was opened since SetUp.
    static int openCount(const std::string& name) {
        const auto found = opens().find(name);
        return found != opens().end() ? found->second : 0;
    }

    static runtime::String* string(const char* text) { return runtime::newStringFromCString(text); }

private:
    static std::map<std::string, tools::Bytes>& resources() { return testing_resources::servedResources(); }
    static std::map<std::string, int>& opens() { return testing_resources::resourceOpens(); }
};

} // namespace game
