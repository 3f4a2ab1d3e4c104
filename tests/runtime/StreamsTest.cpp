// The class library's byte streams: byte arrays, data streams, print and console, resources.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsData.h"
#include "runtime/StreamsPrint.h"
#include "runtime/StreamsResource.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tests/support/RuntimeValues.h"

namespace runtime {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::byteArrayOf;
using testing_support::bytesOf;

// An input stream that answers every read with the same result and claims more is there.
struct StuckStream : java_io_InputStream {
    explicit StuckStream(const jint result) : java_io_InputStream(kInputStream), result(result) {}
    using java_io_InputStream::read;
    jint read(ByteArray*, jint, jint) override { return result; }
    jint read() override { return result; }
    jlong skip(jlong) override { return 0; }
    jint available() override { return 1; }
    jint result = 0;
};

// An output stream whose writes raise an exception of the given class.
struct FailingStream : java_io_OutputStream {
    explicit FailingStream(const jint exceptionClass)
        : java_io_OutputStream(kOutputStream), exceptionClass(exceptionClass) {}
    using java_io_OutputStream::write;
    void write(jint) override { fail(); }
    void write(ByteArray*, jint, jint) override { fail(); }
    void close() override { fail(); }
    void fail() {
        ++calls;
        throwException(newObject<java_lang_Throwable>(exceptionClass));
    }
    jint exceptionClass = 0;
    jint calls = 0;
};

class StreamsTest : public RuntimeFixture {
protected:
    java_io_DataInputStream* dataOver(const Bytes& bytes) {
        ByteArray* array = byteArrayOf(bytes);
        return newObject<java_io_DataInputStream>(
            newObject<java_io_ByteArrayInputStream>(array, 0, array->length));
    }
    // The class of the pending exception (0 for none); the exception is cleared.
    jint takePending() {
        java_lang_Throwable* pending = getPendingException();
        application.pendingException = nullptr;
        return pending != nullptr ? pending->classId : 0;
    }
};

TEST_F(StreamsTest, ByteArrayInputRangeIsClampedToTheArray) {
    ByteArray* ten = byteArrayOf(Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    struct Case {
        jint offset, length, count, available, first;
    };
    const Case cases[] = {
        {4, 100, 10, 6, 4}, // the length runs past the array
        {2, 3, 5, 3, 2},    //
        {12, 5, 10, 0, -1}, // an offset beyond the array leaves nothing, not a negative count
        {-3, 2, 2, 2, 0},   // a negative offset counts as 0
        {3, -4, 3, 0, -1},  // so does a negative length
    };
    for (const Case& c : cases) {
        auto* in = newObject<java_io_ByteArrayInputStream>(ten, c.offset, c.length);
        EXPECT_EQ(in->count, c.count) << c.offset << "," << c.length;
        EXPECT_EQ(in->available(), c.available) << c.offset << "," << c.length;
        EXPECT_EQ(in->read(), c.first) << c.offset << "," << c.length;
    }
}

TEST_F(StreamsTest, ByteArrayInputReadsSkipsAndResets) {
    auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{10, 0xFF, 12, 13, 14}), 0, 5);
    EXPECT_EQ(in->read(), 10);
    EXPECT_EQ(in->read(), 255);
    in->mark(0);
    EXPECT_EQ(in->skip(-5), 0);
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->skip(2), 2);
    ByteArray* target = newByteArray(4);
    EXPECT_EQ(in->read(target, 1, 3), 1);
    EXPECT_EQ(bytesOf(target), (Bytes{0, 14, 0, 0}));
    EXPECT_EQ(in->read(target, 0, 4), -1);
    EXPECT_EQ(in->skip(9), 0);
    in->reset();
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->read(target, 0, 0), 0);
    EXPECT_EQ(in->markSupported(), 1);
}

TEST_F(StreamsTest, ByteArrayInputSkipOfAHugeCountStopsAtTheEnd) {
    // pos + n would overflow: the skip must still end at the last byte, not move the position back.
    for (const jlong n : {jlong{0x7FFFFFFFFFFFFFFF}, jlong{0x7FFFFFFFFFFFFFFA}, jlong{0x100000002}}) {
        auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{1, 2, 3, 4}), 0, 4);
        EXPECT_EQ(in->read(), 1);
        EXPECT_EQ(in->skip(n), 3) << n;
        EXPECT_EQ(in->available(), 0) << n;
        EXPECT_EQ(in->read(), -1) << n;
    }
}

TEST_F(StreamsTest, ByteArrayInputReadIntoABadRangeTakesNothing) {
    // A copy that cannot be made must not count as read: the bytes would be lost.
    auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{1, 2, 3, 4, 5, 6}), 0, 6);
    ByteArray* small = newByteArray(4);
    clearLog();
    EXPECT_EQ(in->read(small, 2, 5), 0);
    EXPECT_EQ(in->read(nullptr, 0, 3), 0);
    EXPECT_EQ(in->read(small, -1, 2), 0);
    EXPECT_FALSE(logLines().empty());
    EXPECT_EQ(in->available(), 6);
    EXPECT_EQ(in->read(small, 0, 4), 4);
    EXPECT_EQ(bytesOf(small), (Bytes{1, 2, 3, 4}));
}

TEST_F(StreamsTest, ByteArrayOutputGrowsByDoubling) {
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    EXPECT_EQ(out->buf->length, 32);
    for (jint i = 0; i < 33; ++i) {
        out->write(i);
    }
    EXPECT_EQ(out->buf->length, 64);
    EXPECT_EQ(out->size(), 33);
    ByteArray* copy = out->toByteArray();
    EXPECT_NE(copy, out->buf);
    EXPECT_EQ(copy->length, 33);
    EXPECT_EQ((*copy)[32], 32);
    // A block larger than twice the buffer grows to exactly what is needed.
    out->write(newByteArray(200), 0, 200);
    EXPECT_EQ(out->buf->length, 233);
    EXPECT_EQ(out->toByteArray()->length, 233);
}

TEST_F(StreamsTest, ByteArrayOutputHandsOutItsFullBufferOnceClosed) {
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    out->write(newByteArray(32), 0, 32);
    EXPECT_NE(out->toByteArray(), out->buf);
    out->close();
    EXPECT_EQ(out->toByteArray(), out->buf);
    // Closing does not stop writes; the buffer is then no longer exactly full.
    out->write(1);
    EXPECT_EQ(out->size(), 33);
    EXPECT_NE(out->toByteArray(), out->buf);
    out->reset();
    EXPECT_EQ(out->toByteArray()->length, 0);
}

TEST_F(StreamsTest, ByteArrayOutputRefusesABadRange) {
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    ByteArray* four = byteArrayOf(Bytes{'a', 'b', 'c', 'd'});
    out->write(four, 1, 2);
    out->write(four, 3, 2);
    out->write(four, -1, 1);
    out->write(nullptr, 0, 1);
    out->write(four, 0, -1);
    EXPECT_EQ(out->size(), 2);
    EXPECT_TRUE(logged("ByteArrayOutputStream write: bad array range"));
    // Its own buffer may be written back into it.
    out->write(out->buf, 0, 2);
    EXPECT_EQ(text(out->toString()), "bcbc");
}

TEST_F(StreamsTest, ByteArrayOutputTextIsOneCharacterPerByte) {
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    out->write(0xE9);
    out->write('x');
    String* s = out->toString();
    ASSERT_EQ(s->length(), 2);
    EXPECT_EQ(s->chars[0], 0xE9);
    EXPECT_EQ(s->chars[1], 'x');
}

TEST_F(StreamsTest, DataInputNumbersAreBigEndian) {
    struct Case {
        const char* name;
        Bytes bytes;
        jint (java_io_DataInputStream::*reader)();
        jint expected;
    };
    const Case cases[] = {
        {"readInt", {0x80, 0, 0, 1}, &java_io_DataInputStream::readInt, -2147483647},
        {"readInt", {0x12, 0x34, 0x56, 0x78}, &java_io_DataInputStream::readInt, 0x12345678},
        {"readShort", {0xFF, 0xFE}, &java_io_DataInputStream::readShort, -2},
        {"readUnsignedShort", {0xFF, 0xFE}, &java_io_DataInputStream::readUnsignedShort, 65534},
        {"readByte", {0xFF}, &java_io_DataInputStream::readByte, -1},
        {"readUnsignedByte", {0xFF}, &java_io_DataInputStream::readUnsignedByte, 255},
    };
    for (const Case& c : cases) {
        java_io_DataInputStream* data = dataOver(c.bytes);
        EXPECT_EQ((data->*c.reader)(), c.expected) << c.name;
        EXPECT_EQ(takePending(), 0) << c.name;
        // One byte short of the next value raises at the end.
        (data->*c.reader)();
        EXPECT_EQ(takePending(), kEOFException) << c.name;
    }
}

TEST_F(StreamsTest, ReadUtfDecodesModifiedUtf8) {
    struct Case {
        Bytes bytes;
        std::u16string expected;
        jint exception;
    };
    const Case cases[] = {
        {{0, 3, 'A', 0xC3, 0xA9}, u"A\u00E9", 0},
        {{0, 3, 0xE2, 0x82, 0xAC}, u"\u20AC", 0},
        {{0, 2, 0xC0, 0x80}, std::u16string(1, u'\0'), 0},
        {{0, 0}, u"", 0},
        {{0, 1, 0xC3}, u"", kUTFDataFormatException},       // a lead byte without its second byte
        {{0, 2, 0xC3, 0x41}, u"", kUTFDataFormatException}, // a second byte that is not 10xxxxxx
        {{0, 1, 0x80}, u"", kUTFDataFormatException},       // a continuation byte at the start
        {{0, 1, 0xF0}, u"", kUTFDataFormatException},       // no four-byte form
        {{0, 4, 'a', 'b'}, u"", kEOFException},             // the length runs past the data
        {{0}, u"", kEOFException},
    };
    for (const Case& c : cases) {
        String* s = dataOver(c.bytes)->readUTF();
        EXPECT_EQ(takePending(), c.exception) << c.bytes.size();
        if (c.exception != 0) {
            EXPECT_EQ(s, nullptr);
            continue;
        }
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(std::u16string(s->chars, s->chars + s->length()), c.expected);
    }
}

TEST_F(StreamsTest, ReadFullyRaisesInsteadOfWaitingForEver) {
    for (const jint result : {0, -1}) {
        auto* data = newObject<java_io_DataInputStream>(newObject<StuckStream>(result));
        data->readFully(newByteArray(4), 0, 4);
        EXPECT_EQ(takePending(), kEOFException) << result;
    }
    java_io_DataInputStream* data = dataOver(Bytes{1, 2, 3});
    ByteArray* target = newByteArray(5);
    data->readFully(target, 1, 3);
    EXPECT_EQ(takePending(), 0);
    EXPECT_EQ(bytesOf(target), (Bytes{0, 1, 2, 3, 0}));
    data->readFully(target, 0, 1);
    EXPECT_EQ(takePending(), kEOFException);
}

TEST_F(StreamsTest, SkipBytesStopsAtTheEnd) {
    java_io_DataInputStream* data = dataOver(Bytes{1, 2, 3, 4, 5});
    EXPECT_EQ(data->skipBytes(3), 3);
    EXPECT_EQ(data->skipBytes(9), 2);
    EXPECT_EQ(data->skipBytes(1), 0);
    EXPECT_EQ(data->read(), -1);
}

TEST_F(StreamsTest, DataInputPassesItsSlotsOn) {
    auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{7, 8, 9}), 0, 3);
    auto* data = newObject<java_io_DataInputStream>(in);
    EXPECT_EQ(data->markSupported(), 1);
    data->mark(0);
    EXPECT_EQ(data->read(), 7);
    EXPECT_EQ(data->available(), 2);
    data->reset();
    EXPECT_EQ(in->pos, 0);
    // Over no stream at all, reading finds the end.
    auto* none = newObject<java_io_DataInputStream>(nullptr);
    EXPECT_EQ(none->read(), -1);
    none->readInt();
    EXPECT_EQ(takePending(), kEOFException);
}

TEST_F(StreamsTest, WriteIntIsHighByteFirstAndStopsAtAnError) {
    auto* bytes = newObject<java_io_ByteArrayOutputStream>();
    auto* data = newObject<java_io_DataOutputStream>(bytes);
    data->writeInt(-2147483647);
    data->writeInt(0x01020304);
    EXPECT_EQ(bytesOf(bytes->toByteArray()), (Bytes{0x80, 0, 0, 1, 1, 2, 3, 4}));
    auto* failing = newObject<FailingStream>(kIOException);
    newObject<java_io_DataOutputStream>(failing)->writeInt(5);
    EXPECT_EQ(failing->calls, 1);
    EXPECT_EQ(takePending(), kIOException);
}

TEST_F(StreamsTest, PrintStreamWritesLowBytesAndDropsIOErrors) {
    auto* bytes = newObject<java_io_ByteArrayOutputStream>();
    auto* print = newObject<java_io_PrintStream>(bytes);
    print->print(newStringFromCString("ab"));
    print->println(newStringFromCString("c"));
    print->print(nullptr);
    EXPECT_EQ(bytesOf(bytes->toByteArray()), (Bytes{'a', 'b', 'c', 10, 'n', 'u', 'l', 'l'}));

    auto* io = newObject<FailingStream>(kEOFException);
    auto* quiet = newObject<java_io_PrintStream>(io);
    quiet->println(newStringFromCString("x"));
    quiet->write(1);
    quiet->close();
    EXPECT_EQ(io->calls, 4);
    EXPECT_EQ(takePending(), 0);
    // Only I/O errors are dropped.
    auto* other = newObject<java_io_PrintStream>(newObject<FailingStream>(kNullPointerException));
    other->write(1);
    EXPECT_EQ(takePending(), kNullPointerException);
}

TEST_F(StreamsTest, SystemOutAndErrAreOneSilentPrintStream) {
    System::staticInit(application.staticClass);
    java_io_PrintStream* out = application.staticClass->systemOut;
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(application.staticClass->systemErr, out);
    EXPECT_EQ(out->out->classId, kConsoleOutputStream);
    EXPECT_EQ(out->collectable, 0);
    EXPECT_EQ(out->out->collectable, 0);
    clearLog();
    out->println(newStringFromCString("discarded"));
    out->write(newByteArray(2000));
    EXPECT_EQ(takePending(), 0);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(StreamsTest, ResourceStreamStopsAtItsLimit) {
    ByteArray* five = byteArrayOf(Bytes{1, 2, 3, 4, 5});
    auto* resource = newObject<javax_microedition_io_ResourceInputStream>(
        newObject<java_io_ByteArrayInputStream>(five, 0, 5), 3);
    EXPECT_EQ(resource->available(), 3);
    EXPECT_EQ(resource->read(), 1);
    ByteArray* target = newByteArray(8);
    EXPECT_EQ(resource->read(target, 0, 8), 2); // cut to the bytes left
    EXPECT_EQ(bytesOf(target, 3), (Bytes{2, 3, 0}));
    EXPECT_EQ(resource->available(), 0);
    EXPECT_EQ(resource->read(), -1); // a single read ends quietly
    EXPECT_EQ(takePending(), 0);
    EXPECT_EQ(resource->read(target, 0, 1), 0); // a block read at the limit raises
    EXPECT_EQ(takePending(), kEOFException);
    EXPECT_EQ(resource->skip(4), 0);
}

TEST_F(StreamsTest, ResourceStreamCountsOnlyWhatWasRead) {
    // The inner stream ends before the limit: its -1 must not move the position back.
    auto* resource = newObject<javax_microedition_io_ResourceInputStream>(
        newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{1, 2}), 0, 2), 10);
    ByteArray* target = newByteArray(4);
    EXPECT_EQ(resource->read(target, 0, 4), 2);
    EXPECT_EQ(resource->read(target, 0, 4), -1);
    EXPECT_EQ(resource->pos, 2);
    EXPECT_EQ(resource->skip(-3), 0);
    EXPECT_EQ(resource->pos, 2);
}

TEST_F(StreamsTest, ResourceStreamSkipsAndResetsWithinItsView) {
    auto* resource = newObject<javax_microedition_io_ResourceInputStream>(
        newObject<java_io_ByteArrayInputStream>(byteArrayOf(Bytes{1, 2, 3, 4, 5, 6}), 0, 6), 4);
    EXPECT_EQ(resource->skip(1), 1);
    resource->mark(0);
    EXPECT_EQ(resource->skip(10), 3);
    EXPECT_EQ(resource->available(), 0);
    resource->reset();
    EXPECT_EQ(resource->available(), 3);
    EXPECT_EQ(resource->read(), 2);
    EXPECT_EQ(resource->markSupported(), 1);
}

} // namespace
} // namespace runtime
