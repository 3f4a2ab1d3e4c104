// Streams that allocate as they go, while every allocation collects and compacts: a growing
// byte-array output and long modified UTF-8 strings must come out whole.
#include <gtest/gtest.h>

#include <string>

#include "runtime/Collector.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsData.h"
#include "runtime/String.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace runtime {
namespace {

class StreamsUnderCollectionTest : public gctest::CollectedRuntimeTest {
protected:
    void TearDown() override {
        setGcStress(false);
        CollectedRuntimeTest::TearDown();
    }
};

TEST_F(StreamsUnderCollectionTest, OutputGrowsAndStringsDecodeWhileEverythingMoves) {
    std::u16string long1(40, u'a');
    std::u16string long2 = u"\u00E9\u20AC" + std::u16string(30, u'z');
    const tools::Bytes encoded = tools::constantPoolBytes({long1, long2});
    setGcStress(true);
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    statics()->first = out;
    for (const std::uint8_t byte : encoded) {
        out->write(byte);
    }
    ByteArray* bytes = out->toByteArray();
    auto* data =
        newObject<java_io_DataInputStream>(newObject<java_io_ByteArrayInputStream>(bytes, 0, bytes->length));
    statics()->second = data;
    EXPECT_EQ(data->readInt(), 2);
    statics()->third = data->readUTF();
    String* second = data->readUTF();
    setGcStress(false);

    auto* first = static_cast<String*>(statics()->third);
    EXPECT_EQ(std::u16string(first->chars, first->chars + first->length()), long1);
    EXPECT_EQ(std::u16string(second->chars, second->chars + second->length()), long2);
    EXPECT_EQ(out->size(), static_cast<jint>(encoded.size()));
}

} // namespace
} // namespace runtime
