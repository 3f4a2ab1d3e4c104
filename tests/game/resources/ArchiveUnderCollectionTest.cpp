// The archive, the constant pool, "app.jad" and the sample packs read while every allocation
// collects and compacts: no reader may keep an object or element pointer that a collection frees
// or moves.
#include <gtest/gtest.h>

#include <string>

#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/framework/StaticSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Resources.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/String.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleData.h"
#include "tools/SamplePacks.h"
#include "tools/SampleTexts.h"

namespace game::sprites {
using namespace game::resources;
using namespace game::core;

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

// The same with the game's own static set-up, which reads the constant pool from the sample
// archive; the sample packs are then read through the game's pack reader.
class SamplePackReadingTest : public ArchiveUnderCollectionTest {
protected:
    void installHooks() override {
        root.write("Brenvale/Tarnwick/data.bar", tools::buildArchive(tools::sampleEntries()));
        resetArchiveDirectory();
        installArchiveOpener();
        profile::installResourceOpener();
        installStaticSetUp();
    }
};

TEST_F(SamplePackReadingTest, TheTextPackageGivesBackEveryText) {
    runtime::setGcStress(true);
    loadTextPackageEntry(runtime::getConstantString(tools::kTextPackConstant), tools::kTextPackageEntry);
    runtime::setGcStress(false);
    ASSERT_EQ(runtime::getPendingException(), nullptr);
    ASSERT_EQ(game::statics()->textCount, tools::kSampleTextCount);
    const std::vector<std::u16string>& texts = tools::sampleTexts();
    for (jint id = 0; id < tools::kSampleTextCount; ++id) {
        runtime::String* text = core::getText(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_EQ(std::u16string(text->chars, text->chars + text->length()),
                  texts[static_cast<std::size_t>(id)])
            << id;
    }
    EXPECT_EQ(game::statics()->packStream, nullptr);
    // Decoding allocates only the String it returns.
    runtime::setGcStress(true);
    runtime::String* last = core::getText(tools::kSampleTextCount - 1);
    runtime::setGcStress(false);
    EXPECT_EQ(testing_support::textOf(last), "Choose a training focus");
}

TEST_F(SamplePackReadingTest, TheThreePartPackReadsInAnyOrder) {
    const std::vector<tools::PackEntry> entries = tools::sampleTestPackEntries();
    runtime::setGcStress(true);
    openPack(runtime::newStringFromCString(tools::kTestPackName));
    for (const jint i : {8, 0, 5, 3, 1, 7, 4, 2, 6, 2, 8, 0}) {
        const tools::PackEntry& expected = entries[static_cast<std::size_t>(i)];
        const jint size = openPackEntry(i);
        ASSERT_EQ(size, static_cast<jint>(expected.content.size())) << i;
        runtime::ByteArray* buffer = runtime::newByteArray(size);
        ASSERT_EQ(readPack(buffer, 0, size), size) << i;
        EXPECT_EQ(testing_support::bytesOf(buffer), expected.content) << i;
        if (expected.present) {
            EXPECT_EQ(game::statics()->packEntryLeadByte, expected.leadByte) << i;
        }
        if (i % 3 == 0) {
            closePack();
        }
    }
    closePack();
    runtime::setGcStress(false);
    EXPECT_EQ(runtime::getPendingException(), nullptr);
    EXPECT_EQ(testing_support::textOf(game::statics()->packName), tools::kTestPackName);
}

} // namespace
} // namespace game::sprites
