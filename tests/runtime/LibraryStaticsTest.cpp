// The class library's statics: created once by the static set-up, listed as collector roots,
// and holding the texts the game runs with.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/ConstantPool.h"
#include "runtime/Hashtable.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsPrint.h"
#include "tests/runtime/SamplePoolFixture.h"
#include "tests/support/RuntimeValues.h"

namespace runtime {
namespace {

class LibraryStaticsTest : public SamplePoolFixture {};

bool isRoot(const StaticClass* block, const void* field) {
    for (jint i = 0; i < block->rootCount; ++i) {
        if (static_cast<const void*>(block->rootTable[i]) == field) {
            return true;
        }
    }
    return false;
}

TEST_F(LibraryStaticsTest, SystemHasOnePropertyAndEveryStaticIsARootListedOnce) {
    StaticClass* block = application.getStaticClass();
    System::staticInit(block);
    Boolean::staticInit();
    Runtime::staticInit();
    System::staticInit(block); // a second run lists nothing twice

    auto* properties = static_cast<java_util_Hashtable*>(block->systemProperties);
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->count, 1);
    EXPECT_EQ(text(static_cast<String*>(properties->findValue(getConstantString(321)))), sampleText(322));

    const void* fields[] = {&block->systemOut,      &block->systemErr,     &block->systemProperties,
                            &block->booleanTrue,    &block->booleanFalse,  &block->runtimeInstance,
                            &block->fontCache,      &block->runningMidlet, &block->constantPool,
                            &block->missingConstant};
    for (const void* field : fields) {
        EXPECT_TRUE(isRoot(block, field));
    }
    EXPECT_EQ(block->rootCount, testing_support::kLibraryRootCount);
    EXPECT_TRUE(std::is_sorted(block->rootTable, block->rootTable + block->rootCount));
}

} // namespace
} // namespace runtime
