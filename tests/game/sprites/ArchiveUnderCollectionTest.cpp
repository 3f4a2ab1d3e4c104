// The archive, the constant pool and "app.jad" read while every allocation collects and compacts:
// no reader may keep an object or element pointer that a collection frees or moves.
#include <gtest/gtest.h>

#include <string>

#include "game/sprites/ArchiveResource.h"
#include "profile/Resources.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/String.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleData.h"

namespace game::sprites {
namespace {

class ArchiveUnderCollectionTest : public runtime::gctest::CollectedRuntimeTest {
protected:
    void SetUp() override {
        CollectedRuntimeTest::SetUp();
        resetArchiveDirectory();
    }
    void TearDown() override {
        runtime::setGcStress(false);
        resetArchiveDirectory();
        profile::setArchiveOpener(nullptr);
        runtime::setResourceOpener(nullptr);
        CollectedRuntimeTest::TearDown();
    }

    testing_support::TemporaryRoot root;
};

TEST_F(ArchiveUnderCollectionTest, TheSampleSetLoadsWhileEveryAllocationCollects) {
    root.write("Brenvale/Tarnwick/data.bar", tools::buildArchive(tools::sampleEntries()));
    installArchiveOpener();
    profile::installResourceOpener();
    runtime::setGcStress(true);
    runtime::loadConstantPool(application.getStaticClass());
    statics()->first = profile::loadAppDescriptor();
    runtime::setGcStress(false);

    for (const tools::ConstantText& constant : tools::sampleConstants()) {
        runtime::String* loaded = runtime::getConstantString(constant.index);
        ASSERT_EQ(std::u16string(loaded->chars, loaded->chars + loaded->length()), constant.text)
            << constant.index;
    }
    EXPECT_EQ(testing_support::textOf(static_cast<runtime::String*>(statics()->first)),
              tools::sampleAppDescriptor());
}

} // namespace
} // namespace game::sprites
