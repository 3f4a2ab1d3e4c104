// Fonts and midlet properties under real collections: the font cache and the running midlet are
// statics of the root table, and everything they hold survives collections started by their own
// allocations.
#include <gtest/gtest.h>

#include <string>

#include "runtime/Collector.h"
#include "runtime/Font.h"
#include "runtime/Hashtable.h"
#include "runtime/MIDlet.h"
#include "runtime/String.h"
#include "tests/runtime/CollectorTestSupport.h"

namespace runtime::gctest {
namespace {

constexpr jint kProperties = 40;

void manyProperties(java_util_Hashtable* const properties) {
    for (jint i = 0; i < kProperties; ++i) {
        const std::string key = "Key-" + std::to_string(i);
        const std::string value = "value " + std::to_string(i * 7);
        properties->put(newStringFromCString(key.c_str()), newStringFromCString(value.c_str()));
    }
}

void fixedMetrics(jint* const ascent, jint* const height) {
    *ascent = 15;
    *height = 19;
}

struct TestMidlet : MIDlet {
    TestMidlet() : MIDlet(kQuorlin) {}
};

// Makes the midlet and two fonts with a collection at every allocation; returns them hidden.
[[gnu::noinline]] void makeUnderStress(std::uintptr_t& midlet, std::uintptr_t& bold, std::uintptr_t& plain) {
    setGcStress(true);
    midlet = hide(newObject<TestMidlet>());
    bold = hide(Font::getFont(0, 1, 8));
    plain = hide(Font::getFont(0, 0, 8));
    setGcStress(false);
}

class DisplayCollectionTest : public CollectedRuntimeTest {
protected:
    void installHooks() override {
        setAppPropertyHooks({&manyProperties, nullptr});
        setSystemFontHooks({&fixedMetrics, nullptr});
    }
    void TearDown() override {
        CollectedRuntimeTest::TearDown();
        setAppPropertyHooks({});
        setSystemFontHooks({});
    }
};

TEST_F(DisplayCollectionTest, TheFontCacheAndThePropertiesLiveThroughCollections) {
    StaticClass* block = statics();
    std::uintptr_t midlet = 0;
    std::uintptr_t bold = 0;
    std::uintptr_t plain = 0;
    makeUnderStress(midlet, bold, plain);
    makeGarbage(&releases, 200);
    clearDeadStack();
    manager()->gc(0);
    EXPECT_EQ(releases, 200);

    EXPECT_EQ(hide(block->runningMidlet), midlet);
    EXPECT_EQ(hide(Font::getFont(0, 1, 8)), bold);
    EXPECT_EQ(hide(Font::getFont(0, 0, 8)), plain);
    EXPECT_EQ(Font::getFont(0, 1, 8)->getHeight(), 19);
    MIDlet* running = block->runningMidlet;
    EXPECT_EQ(running->properties->size(), kProperties);
    for (jint i = 0; i < kProperties; ++i) {
        const std::string key = "Key-" + std::to_string(i);
        String* value = running->getAppProperty(newStringFromCString(key.c_str()));
        ASSERT_NE(value, nullptr) << key;
        std::string text;
        for (jint k = 0; k < value->length(); ++k) {
            text += static_cast<char>(value->charAt(k));
        }
        EXPECT_EQ(text, "value " + std::to_string(i * 7));
    }
}

} // namespace
} // namespace runtime::gctest
