// The midlet base: the property table it loads at construction, the answers of getAppProperty,
// and the class's running-midlet and count statics.
#include "runtime/MIDlet.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/ClassTable.h"
#include "runtime/Hashtable.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

std::vector<std::pair<std::string, std::string>> descriptor;

void fakeLoad(java_util_Hashtable* const properties) {
    for (const auto& [key, value] : descriptor) {
        properties->put(newStringFromCString(key.c_str()), newStringFromCString(value.c_str()));
    }
}

String* fakeAnswer(Object* const value) {
    return value != nullptr ? static_cast<String*>(value) : newStringFromCString("MISSING");
}

struct TestMidlet : MIDlet {
    TestMidlet() : MIDlet(kQuorlin) {}
};

class MIDletTest : public RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        descriptor = {{"MIDlet-Version", "1.0.0"}, {"Link", "http://x:80/"}};
        setAppPropertyHooks({&fakeLoad, &fakeAnswer});
    }
    void TearDown() override {
        setAppPropertyHooks({});
        RuntimeFixture::TearDown();
    }
    std::string property(MIDlet* midlet, const char* name) {
        return text(midlet->getAppProperty(name != nullptr ? newStringFromCString(name) : nullptr));
    }
};

TEST_F(MIDletTest, ConstructionLoadsThePropertiesOnce) {
    TestMidlet* midlet = newObject<TestMidlet>();
    ASSERT_NE(midlet->properties, nullptr);
    EXPECT_EQ(midlet->properties->table->length, 11);
    EXPECT_EQ(midlet->properties->size(), 2);
    EXPECT_EQ(property(midlet, "MIDlet-Version"), "1.0.0");
    EXPECT_EQ(property(midlet, "Link"), "http://x:80/");
    EXPECT_EQ(property(midlet, "MIDlet-Name"), "MISSING");
    EXPECT_EQ(property(midlet, nullptr), "MISSING");
    // Read once: a later change of the descriptor is not seen.
    descriptor.clear();
    EXPECT_EQ(property(midlet, "MIDlet-Version"), "1.0.0");
    EXPECT_EQ(getClassRecord(kQuorlin)->refCount, 1);
}

TEST_F(MIDletTest, EachMidletBecomesTheRunningOneAndIsCounted) {
    StaticClass* block = application.getStaticClass();
    block->midletCount = 0x1020304050607080LL;
    TestMidlet* first = newObject<TestMidlet>();
    EXPECT_EQ(block->runningMidlet, first);
    EXPECT_EQ(block->midletCount, 0x1020304050607081LL);
    TestMidlet* second = newObject<TestMidlet>();
    EXPECT_EQ(block->runningMidlet, second);
    EXPECT_EQ(block->midletCount, 0x1020304050607082LL);
}

TEST_F(MIDletTest, WithoutThePropertyReaderNothingIsKnown) {
    setAppPropertyHooks({});
    TestMidlet* midlet = newObject<TestMidlet>();
    ASSERT_NE(midlet->properties, nullptr);
    EXPECT_EQ(midlet->properties->size(), 0);
    EXPECT_EQ(midlet->getAppProperty(newStringFromCString("MIDlet-Version")), nullptr);
}

} // namespace
} // namespace runtime
