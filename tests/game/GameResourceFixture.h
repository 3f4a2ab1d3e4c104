// A runtime with the game's static block (GameStatics) and the sample constant pool, whose
// resources are served from memory by name: tests put part files, text containers and any other
// resource in place, and can count how often each was opened.
#pragma once

#include <map>
#include <string>

#include "game/framework/GameStatics.h"
#include "profile/Resources.h"
#include "runtime/ClassTable.h"
#include "runtime/StreamsByteArray.h"
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
        profile::setArchiveOpener(&openResource);
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
    static std::map<std::string, tools::Bytes>& resources() {
        static std::map<std::string, tools::Bytes> stored;
        return stored;
    }
    static std::map<std::string, int>& opens() {
        static std::map<std::string, int> counted;
        return counted;
    }
    static runtime::java_io_InputStream* openResource(runtime::String* const name) {
        std::string key = testing_support::textOf(name);
        if (!key.empty() && key[0] == '/') {
            key.erase(0, 1);
        }
        const auto found = resources().find(key);
        if (found == resources().end()) {
            return nullptr;
        }
        opens()[key] += 1;
        runtime::ByteArray* bytes = testing_support::byteArrayOf(found->second);
        return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
    }
};

} // namespace game
