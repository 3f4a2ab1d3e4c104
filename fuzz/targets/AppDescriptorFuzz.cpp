// Fuzz target "app_descriptor": the bytes are "app.jad", found by the game's resource opener
// (as an archive entry), loaded and split into properties, then read back through a midlet's
// getAppProperty as the game reads them. Every key and value must come out trimmed and within
// one line, and each key must answer the value of its last line.
#include <cstdint>
#include <map>
#include <string>

#include "fuzz/FuzzRuntime.h"
#include "profile/AppDescriptorFormat.h"
#include "profile/Resources.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace {

using runtime::jint;
using runtime::String;

const std::uint8_t* inputData = nullptr;
std::size_t inputSize = 0;

struct FuzzMidlet : runtime::javax_microedition_midlet_MIDlet {
    FuzzMidlet() = default;
};

// The archive as far as this target needs it: "app.jad" is the input.
runtime::java_io_InputStream* openDescriptor(String* name) {
    if (name == nullptr || name->matchesName(profile::kAppDescriptorResource) == 0 ||
        name->length() != static_cast<jint>(sizeof profile::kAppDescriptorResource - 1)) {
        return nullptr;
    }
    return fuzzing::entryStreamOf(inputData, inputSize);
}

std::u16string unitsOf(String* text) {
    return std::u16string(text->chars, text->chars + text->length());
}

void checkPart(String* part, const char* what) {
    if (part == nullptr) {
        fuzzing::fail("a property without its %s", what);
    }
    fuzzing::checkString(part, what);
    const jint length = part->length();
    if (length > 0 && (part->chars[0] <= ' ' || part->chars[length - 1] <= ' ')) {
        fuzzing::fail("a property %s that is not trimmed", what);
    }
    if (part->indexOf('\n') >= 0) {
        fuzzing::fail("a property %s that runs over a line end", what);
    }
}

void fuzzAppDescriptor(const std::uint8_t* data, const std::size_t size) {
    inputData = data;
    inputSize = size;
    profile::setArchiveOpener(&openDescriptor);
    String* text = profile::loadAppDescriptor();
    if (text == nullptr) {
        fuzzing::fail("app.jad was not read");
    }
    fuzzing::checkString(text, "app.jad");
    if (static_cast<std::size_t>(text->length()) != size) {
        fuzzing::fail("app.jad read as %d characters of %zu bytes", text->length(), size);
    }
    static std::map<std::u16string, std::u16string> properties;
    properties.clear();
    profile::parseAppDescriptor(text, [](String* key, String* value) {
        checkPart(key, "key");
        checkPart(value, "value");
        if (key->indexOf(profile::kPropertySeparator) >= 0) {
            fuzzing::fail("a property key holding the separator");
        }
        properties[unitsOf(key)] = unitsOf(value);
    });
    // A descriptor of one character holds no property.
    if (size <= 1) {
        properties.clear();
    }

    auto* midlet = runtime::newObject<FuzzMidlet>();
    for (const auto& [key, value] : properties) {
        auto* name = runtime::newObject<String>();
        name->initUnits(reinterpret_cast<const runtime::jchar*>(key.data()), static_cast<jint>(key.size()));
        String* answer = midlet->getAppProperty(name);
        fuzzing::checkString(answer, "a property value");
        if (answer == nullptr || unitsOf(answer) != value) {
            fuzzing::fail("a property does not answer the value of its last line");
        }
    }
    String* missing = midlet->getAppProperty(runtime::newStringFromCString("\x01 no such key"));
    if (missing == nullptr || unitsOf(missing) != u"PROPERTY VALUE EMPTY") {
        fuzzing::fail("a missing property does not read \"PROPERTY VALUE EMPTY\"");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzAppDescriptor);
}
