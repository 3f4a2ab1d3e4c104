// Game resources served from memory by name, for tests that put part files, text containers and
// any other resource in place of the archive; opens are counted per name.
#pragma once

#include <map>
#include <string>

#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace game::testing_resources {

// The resources served, by the name the archive stores (no leading '/').
inline std::map<std::string, tools::Bytes>& servedResources() {
    static std::map<std::string, tools::Bytes> served;
    return served;
}

// How often each resource was opened.
inline std::map<std::string, int>& resourceOpens() {
    static std::map<std::string, int> counted;
    return counted;
}

// The archive opener over servedResources: a stream over the bytes, or null for an unknown name.
inline runtime::java_io_InputStream* openServedResource(runtime::String* const name) {
    std::string key = testing_support::textOf(name);
    if (!key.empty() && key[0] == '/') {
        key.erase(0, 1);
    }
    const auto found = servedResources().find(key);
    if (found == servedResources().end()) {
        return nullptr;
    }
    resourceOpens()[key] += 1;
    runtime::ByteArray* bytes = testing_support::byteArrayOf(found->second);
    return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

} // namespace game::testing_resources
