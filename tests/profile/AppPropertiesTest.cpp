// The midlet's application properties read from "app.jad" end to end: the property lines, the
// answer for a missing property and a missing descriptor.
#include "profile/AppProperties.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "profile/Resources.h"
#include "runtime/Hashtable.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"

namespace profile {
namespace {

using runtime::newStringFromCString;

// The archive: "app.jad" holds descriptor, or is missing when hasDescriptor is false.
std::string descriptor;
bool hasDescriptor = true;

runtime::java_io_InputStream* fakeArchive(String* name) {
    if (!hasDescriptor || testing_support::textOf(name) != "app.jad") {
        return nullptr;
    }
    runtime::ByteArray* bytes =
        testing_support::byteArrayOf(std::vector<std::uint8_t>(descriptor.begin(), descriptor.end()));
    return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

struct TestMidlet : runtime::MIDlet {
    TestMidlet() : runtime::MIDlet(runtime::kQuorlin) {}
};

class AppPropertiesTest : public runtime::RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        hasDescriptor = true;
        setArchiveOpener(&fakeArchive);
        installAppProperties();
    }
    void TearDown() override {
        runtime::setAppPropertyHooks({});
        setArchiveOpener(nullptr);
        RuntimeFixture::TearDown();
    }
    static std::string property(runtime::MIDlet* midlet, const char* name) {
        return text(midlet->getAppProperty(newStringFromCString(name)));
    }
};

TEST_F(AppPropertiesTest, EachLineWithAColonIsOneProperty) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<const char*, const char*>> properties;
        int count;
    };
    const Case cases[] = {
        {"CR LF endings",
         "MIDlet-Name: Tarnwick\r\nMIDlet-Version:  1.0.0 \r\n",
         {{"MIDlet-Name", "Tarnwick"}, {"MIDlet-Version", "1.0.0"}},
         2},
        {"no final line feed", "a: 1\nb: 22", {{"a", "1"}, {"b", "22"}}, 2},
        {"a ':' inside the value", "Link: http://x.test:80/y\n", {{"Link", "http://x.test:80/y"}}, 1},
        {"a blank line", "a: 1\n\nb: 2\n", {{"a", "1"}, {"b", "2"}}, 2},
        {"a line without a colon",
         "a: 1\nno colon here\nb: 2\n",
         {{"a", "1"}, {"b", "2"}, {"no colon here", ""}},
         2},
        {"a later key replaces", "a: 1\nb: 2\na: 3\n", {{"a", "3"}, {"b", "2"}}, 2},
        {"one character", "x", {}, 0},
        {"empty", "", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        descriptor = c.text;
        auto* midlet = runtime::newObject<TestMidlet>();
        EXPECT_EQ(midlet->properties->size(), c.count);
        for (const auto& [key, value] : c.properties) {
            EXPECT_EQ(property(midlet, key), *value != '\0' ? value : "PROPERTY VALUE EMPTY") << key;
        }
    }
}

TEST_F(AppPropertiesTest, AMissingPropertyReadsPropertyValueEmpty) {
    descriptor = "MIDlet-Name: Tarnwick\n";
    auto* midlet = runtime::newObject<TestMidlet>();
    EXPECT_EQ(property(midlet, "MIDlet-Vendor"), "PROPERTY VALUE EMPTY");
    EXPECT_EQ(text(midlet->getAppProperty(nullptr)), "PROPERTY VALUE EMPTY");

    hasDescriptor = false;
    auto* withoutDescriptor = runtime::newObject<TestMidlet>();
    EXPECT_EQ(withoutDescriptor->properties->size(), 0);
    EXPECT_EQ(property(withoutDescriptor, "MIDlet-Name"), "PROPERTY VALUE EMPTY");
}

} // namespace
} // namespace profile
