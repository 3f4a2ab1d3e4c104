// Strings, buffers and the shared decoding buffer under real collections: allocations that fill
// the full-size heaps collect and compact while texts are being built and decoded.
#include <gtest/gtest.h>

#include <string>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "tests/runtime/LogCapture.h"

namespace runtime {
namespace {

constexpr jint kRounds = 12000;
// Each decode makes a 2,000-character String: the secondary heap fills every few thousand rounds.
constexpr jint kInputBytes = 3000;
constexpr jint kKept = 16;

TEST(StringCollectionTest, TextsSurviveTheCollectionsTheirOwnAllocationsStart) {
    LogCapture quiet;
    Application application;
    ASSERT_TRUE(application.init());

    ByteArray* input = newByteArray(kInputBytes);
    for (jint i = 0; i < kInputBytes; ++i) {
        (*input)[i] = static_cast<jbyte>(i % 3 == 0 ? 0xC3 : i % 3 == 1 ? 0xA9 : 'z');
    }
    String* encoding = newStringFromCString("UTF-8");
    ObjectArray* kept = newObjectArray(kKept);
    StringBuffer* buffer = newStringBuffer(4);
    for (jint round = 0; round < kRounds; ++round) {
        String* decoded = newObject<String>();
        decoded->initBytes(input, 0, kInputBytes, encoding);
        ASSERT_EQ(decoded->length(), kInputBytes / 3 * 2);
        ASSERT_EQ(decoded->chars[0], 0xE9);
        ASSERT_EQ(decoded->chars[decoded->length() - 1], 'z');

        buffer->setLength(0);
        buffer->appendInt(round);
        buffer->append(encoding);
        String* label = buffer->toString();
        const std::string expected = std::to_string(round) + "UTF-8";
        ASSERT_EQ(label->length(), static_cast<jint>(expected.size()));
        for (std::size_t k = 0; k < expected.size(); ++k) {
            ASSERT_EQ(label->chars[k], static_cast<jchar>(expected[k]));
        }
        (*kept)[round % kKept] = round % 2 == 0 ? label : decoded;
    }
    // The heaps were filled many times over, so collections freed the rest.
    EXPECT_LT(application.getObjectManager()->count, kRounds);
    for (jint i = 0; i < kKept; ++i) {
        EXPECT_EQ((*kept)[i]->classId, kString);
    }
    EXPECT_NE(application.decodingBuffer, nullptr);
    EXPECT_GE(application.decodingBuffer->capacity, kInputBytes + 1);
    application.close();
}

} // namespace
} // namespace runtime
