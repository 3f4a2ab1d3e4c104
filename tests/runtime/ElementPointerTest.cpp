// Element pointers kept across an allocation: under stress mode they read the poison left where
// the storage was, and inside a NoAllocationScope the allocation itself stops a checked build.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/Arrays.h"
#include "runtime/Collector.h"
#include "runtime/Log.h"
#include "runtime/NoAllocationScope.h"
#include "runtime/ObjectManager.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/CollectorTestSupport.h"

namespace runtime {
namespace {

using gctest::CollectedRuntimeTest;

constexpr jint kLength = 64;

#if !TARNWICK_CHECKED
static_assert(sizeof(NoAllocationScope) == 1, "the optimised build keeps nothing in a scope");
#endif

// Whether address lies in no used fragment of heap (the storage there was vacated).
bool isVacated(const VirtualMemoryManager& heap, const void* address) {
    const auto offset = static_cast<const char*>(address) - static_cast<const char*>(heap.base());
    for (const VirtualMemoryManager::FragmentInfo& fragment : heap.fragments()) {
        if (offset >= fragment.offset && offset < fragment.offset + fragment.size) {
            return !fragment.used;
        }
    }
    return false;
}

class ElementPointerTest : public CollectedRuntimeTest {
protected:
    // Death tests match what the dying child wrote to stderr.
    static void logToStderr() {
        setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    }
};

TEST_F(ElementPointerTest, AStaleElementPointerReadsPoisonUnderStress) {
    IntArray* kept = newIntArray(kLength);
    for (jint i = 0; i < kLength; ++i) {
        (*kept)[i] = 1000 + i;
    }
    const jint* stale = kept->data();
    // The first slide may leave the storage where it is (nothing free below it); the next one
    // goes the other way.
    setGcStress(true);
    for (jint i = 0; i < 2 && kept->data() == stale; ++i) {
        newIntArray(1);
    }
    setGcStress(false);
    ASSERT_NE(kept->data(), stale) << "the storage never moved";
    jint vacated = 0;
    jint poison = 0;
    std::memset(&poison, VirtualMemoryManager::kPoison, sizeof poison);
    for (jint i = 0; i < kLength; ++i) {
        EXPECT_EQ((*kept)[i], 1000 + i);
        if (isVacated(*application.secondaryHeap, stale + i)) {
            ++vacated;
            EXPECT_EQ(stale[i], poison) << i;
        }
    }
    EXPECT_GT(vacated, kLength / 2);
}

#if TARNWICK_CHECKED
TEST_F(ElementPointerTest, AnAllocationOrCollectionInsideTheScopeStopsNamingIt) {
    IntArray* array = newIntArray(4);
    EXPECT_DEATH(
        {
            logToStderr();
            const NoAllocationScope scope("row loop");
            jint* elements = array->data();
            elements[0] = newIntArray(1)->length;
        },
        "an allocation inside NoAllocationScope \"row loop\"");
    EXPECT_DEATH(
        {
            logToStderr();
            const NoAllocationScope outer("outer span");
            const NoAllocationScope inner("inner span");
            manager()->gc(0);
        },
        "a collection inside NoAllocationScope \"inner span\"");
}
#endif

TEST_F(ElementPointerTest, ClosedScopesLeaveAllocationFree) {
    IntArray* array = newIntArray(4);
    {
        const NoAllocationScope outer("outer span");
        {
            const NoAllocationScope inner("inner span");
            array->data()[0] = 1;
        }
        array->data()[1] = 2;
    }
    IntArray* after = newIntArray(2);
    manager()->gc(0);
    EXPECT_EQ(after->length, 2);
    EXPECT_EQ((*array)[0] + (*array)[1], 3);
}

} // namespace
} // namespace runtime
