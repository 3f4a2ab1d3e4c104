// System::arraycopy checks and copies, System::gc and the clock hook.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/runtime/StringTestSupport.h"

namespace runtime {
namespace {

using SystemTest = StringsFixture;

IntArray* countingArray(const jint n) {
    IntArray* array = newIntArray(n);
    for (jint i = 0; i < n; ++i) {
        (*array)[i] = 100 + i;
    }
    return array;
}

// Which calls fail agrees with Java's System.arraycopy (tests/fixtures/strings/JavaReference.java);
// here a failure is logged and copies nothing instead of raising.
TEST_F(SystemTest, ArraycopyChecksInOrder) {
    IntArray* a = countingArray(10);
    IntArray* b = newIntArray(10);
    Long64Array* longs = newLongArray(10);
    const struct {
        Object* src;
        jint srcPos;
        Object* dst;
        jint dstPos;
        jint n;
        const char* message;
    } cases[] = {
        {nullptr, 0, b, 0, 1, "NullPointerException"},
        {a, 0, nullptr, 0, 1, "NullPointerException"},
        {a, 0, longs, 0, 1, "ArrayStoreException"},
        {make(u"s"), 0, make(u"t"), 0, 1, "ArrayStoreException"}, // not arrays at all
        {a, 0, b, 0, -1, "arraycopy length"},
        {a, -1, b, 0, 1, "src_position"},
        {a, 0, b, -1, 1, "dst_position"},
        {a, -1, b, -1, 1, "src_position"},
        {a, 10, b, 0, 1, "src_position"},
        {a, 0, b, 10, 1, "dst_position"},
        {a, 5, b, 0, 6, "src_position"},
        {a, 0, b, 5, 6, "dst_position"},
        {a, 1, b, 0, 0x7FFFFFFF, "src_position"}, // srcPos + n overflows 32 bits
        {a, 0, b, 1, 10, "dst_position"},
    };
    for (const auto& c : cases) {
        clearLog();
        System::arraycopy(c.src, c.srcPos, c.dst, c.dstPos, c.n);
        EXPECT_TRUE(logged(c.message)) << c.message << " " << c.srcPos << " " << c.dstPos << " " << c.n;
        for (jint i = 0; i < 10; ++i) {
            ASSERT_EQ((*b)[i], 0);
        }
    }
}

TEST_F(SystemTest, ArraycopyOfNothingChecksNoPosition) {
    IntArray* a = countingArray(4);
    System::arraycopy(a, -5, a, 99, 0);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SystemTest, ArraycopyCopiesBlocks) {
    IntArray* a = countingArray(10);
    IntArray* b = newIntArray(10);
    System::arraycopy(a, 0, b, 0, 10);
    System::arraycopy(a, 9, b, 0, 1);
    EXPECT_EQ((*b)[0], 109);
    EXPECT_EQ((*b)[9], 109);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SystemTest, ArraycopyWithinOneArrayIsOverlapSafe) {
    IntArray* up = countingArray(4);
    System::arraycopy(up, 0, up, 1, 3);
    const jint expectedUp[] = {100, 100, 101, 102};
    IntArray* down = countingArray(4);
    System::arraycopy(down, 1, down, 0, 3);
    const jint expectedDown[] = {101, 102, 103, 103};
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*up)[i], expectedUp[i]);
        EXPECT_EQ((*down)[i], expectedDown[i]);
    }
}

TEST_F(SystemTest, ArraycopyMovesWholeElementsOfEveryWidth) {
    DoubleArray* doubles = newDoubleArray(3);
    DoubleArray* doublesOut = newDoubleArray(3);
    (*doubles)[1] = 2.5;
    (*doubles)[2] = -1e300;
    System::arraycopy(doubles, 1, doublesOut, 0, 2);
    EXPECT_EQ((*doublesOut)[0], 2.5);
    EXPECT_EQ((*doublesOut)[1], -1e300);

    ObjectArray* objects = newObjectArray(3);
    ObjectArray* objectsOut = newObjectArray(3);
    (*objects)[0] = objects;
    (*objects)[2] = objectsOut;
    System::arraycopy(objects, 0, objectsOut, 0, 3);
    EXPECT_EQ((*objectsOut)[0], objects);
    EXPECT_EQ((*objectsOut)[1], nullptr);
    EXPECT_EQ((*objectsOut)[2], objectsOut);

    ByteArray* bytesIn = bytes({1, -2, 3});
    ByteArray* bytesOut = newByteArray(3);
    System::arraycopy(bytesIn, 1, bytesOut, 2, 1);
    EXPECT_EQ((*bytesOut)[2], -2);
    EXPECT_EQ((*bytesOut)[1], 0);
}

TEST_F(SystemTest, GcFreesWhatNothingReaches) {
    ObjectManager* manager = Application::getInstance()->getObjectManager();
    System::gc();
    const jint live = manager->count;
    for (jint i = 0; i < 50; ++i) {
        newObject<String>();
    }
    EXPECT_GE(manager->count, live + 50);
    System::gc();
    EXPECT_LT(manager->count, live + 50);
}

TEST_F(SystemTest, CurrentTimeMillisUsesTheInstalledClock) {
    const jlong first = System::currentTimeMillis();
    EXPECT_GE(System::currentTimeMillis(), first);
    System::setClock([] { return jlong{5'000'000'000}; });
    EXPECT_EQ(System::currentTimeMillis(), 5'000'000'000);
    System::setClock(nullptr);
    EXPECT_GE(System::currentTimeMillis(), first);
    EXPECT_LT(System::currentTimeMillis(), 5'000'000'000);
}

} // namespace
} // namespace runtime
