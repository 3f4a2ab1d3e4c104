// The constant pool: loading "/constants.bin" through the resource opener, and fetching by index.
#include "runtime/ConstantPool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace runtime {
namespace {

// What the installed opener serves as "/constants.bin" (no entry: null).
std::vector<std::uint8_t> served;
bool serving = false;
std::string requested;

java_io_InputStream* servePool(String* name) {
    requested = testing_support::textOf(name);
    if (!serving) {
        return nullptr;
    }
    ByteArray* bytes = testing_support::byteArrayOf(served);
    return newObject<java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

class ConstantPoolTest : public RuntimeFixture {
protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        setResourceOpener(&servePool);
        serving = true;
    }
    void TearDown() override {
        setResourceOpener(nullptr);
        RuntimeFixture::TearDown();
    }
    void serve(const std::vector<std::u16string>& texts) { served = tools::constantPoolBytes(texts); }
    ObjectArray* pool() const { return application.staticClass->constantPool; }
};

TEST_F(ConstantPoolTest, LoadsEveryStringPermanently) {
    serve({u"promo.dat", u"", u"\u20AC\u00A3$", u"microedition.platform"});
    loadConstantPool(application.staticClass);
    EXPECT_EQ(requested, "/constants.bin");
    ASSERT_NE(pool(), nullptr);
    ASSERT_EQ(pool()->length, 4);
    EXPECT_EQ(text(getConstantString(0)), "promo.dat");
    EXPECT_EQ(getConstantString(1)->length(), 0);
    String* currencies = getConstantString(2);
    EXPECT_EQ(std::u16string(currencies->chars, currencies->chars + currencies->length()), u"\u20AC\u00A3$");
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ(getConstantString(i)->collectable, 0) << i;
        EXPECT_EQ(getConstantString(i), getConstantString(i)) << i;
    }
}

TEST_F(ConstantPoolTest, ACountOfZeroGivesAnEmptyPool) {
    serve({});
    loadConstantPool(application.staticClass);
    ASSERT_NE(pool(), nullptr);
    EXPECT_EQ(pool()->length, 0);
}

TEST_F(ConstantPoolTest, AnIndexOutsideThePoolGivesOnePermanentEmptyString) {
    serve({u"a", u""});
    loadConstantPool(application.staticClass);
    for (const jint index : {2, -1, 400}) {
        String* missing = getConstantString(index);
        EXPECT_EQ(missing->length(), 0) << index;
        EXPECT_EQ(missing->collectable, 0) << index;
        EXPECT_EQ(missing, getConstantString(7)) << index;
        EXPECT_TRUE(logged("getConstantString: no constant string " + std::to_string(index))) << index;
    }
    // Before any pool is loaded the answer is the same kind of text.
    application.staticClass->constantPool = nullptr;
    EXPECT_EQ(getConstantString(0)->length(), 0);
}

TEST_F(ConstantPoolTest, ThePoolSurvivesACollection) {
    serve({u"kept", u""});
    loadConstantPool(application.staticClass);
    String* kept = getConstantString(0);
    // Nothing else refers to the string: only its permanence keeps it.
    application.staticClass->constantPool = nullptr;
    application.objectManager->gc(1);
    EXPECT_EQ(kept->classId, kString);
    EXPECT_EQ(text(kept), "kept");
}

using ConstantPoolDeathTest = ConstantPoolTest;

TEST_F(ConstantPoolDeathTest, AMissingOrBrokenPoolEndsTheProgram) {
    const std::vector<std::uint8_t> good = tools::constantPoolBytes({u"abc", u"de"});
    struct Case {
        const char* name;
        bool present;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> garbled = good;
    garbled[6] = 0xFF; // inside "abc"
    const Case cases[] = {
        {"missing", false, {}, "cannot be opened"},
        {"no count", true, {0, 0}, "cut off before its count"},
        {"count too large", true, {0x7F, 0, 0, 0, 0, 0}, "its count does not fit its size"},
        {"negative count", true, {0xFF, 0xFF, 0xFF, 0xFF}, "its count does not fit its size"},
        {"string cut off", true, cut, "a string is cut off"},
        {"not modified UTF-8", true, garbled, "not modified UTF-8"},
    };
    for (const Case& c : cases) {
        serving = c.present;
        served = c.bytes;
        EXPECT_EXIT(
            {
                logToStderr();
                loadConstantPool(application.staticClass);
            },
            ::testing::ExitedWithCode(EXIT_FAILURE), std::string("/constants.bin: .*") + c.message)
            << c.name;
    }
}

} // namespace
} // namespace runtime
