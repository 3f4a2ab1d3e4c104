// Streams over byte arrays: java_io_ByteArrayInputStream (15) reads a range of an array,
// java_io_ByteArrayOutputStream (16) collects bytes in an array that grows as needed.
#pragma once

#include "runtime/Streams.h"

namespace runtime {

struct java_io_ByteArrayInputStream : java_io_InputStream {
    static constexpr jint kClassId = kByteArrayInputStream;

    // Reads buf from offset up to offset + length, or to the array's end when that comes first.
    // A negative offset or length counts as 0, so nothing outside the array is ever read.
    java_io_ByteArrayInputStream(ByteArray* buf, jint offset, jint length);

    using java_io_InputStream::read;
    // -1 at the end; otherwise copies up to len bytes. A bad target range is logged and reads 0
    // bytes, leaving the position where it was.
    jint read(ByteArray* b, jint off, jint len) override;
    jint read() override;
    // Cut to the bytes left; a negative n skips nothing and returns 0.
    jlong skip(jlong n) override;
    // The bytes left, never below 0 (an offset beyond the array leaves none).
    jint available() override;
    void mark(jint readlimit) override;
    void reset() override;
    jint markSupported() override { return 1; }

    ByteArray* buf = nullptr;
    jint pos = 0;
    jint markPosition = 0; // the field "mark"; named apart from the slot
    jint count = 0;        // end of the valid data
};

struct java_io_ByteArrayOutputStream : java_io_OutputStream {
    static constexpr jint kClassId = kByteArrayOutputStream;

    // ByteArrayOutputStream::init: an empty stream over a 32-byte buffer.
    java_io_ByteArrayOutputStream();

    // The bytes written so far, one character per byte.
    String* toString() override;
    // Marks the stream closed; later writes still work.
    void close() override;
    using java_io_OutputStream::write;
    void write(jint b) override;
    // A range outside b is logged and writes nothing.
    void write(ByteArray* b, jint off, jint len) override;
    // Own slots.
    virtual void reset();
    virtual jint size();

    // A copy of the bytes written; the buffer itself when the stream is closed and the buffer is
    // exactly full (no copy needed then).
    ByteArray* toByteArray();

    ByteArray* buf = nullptr;
    jint count = 0;
    jbyte isClosed = 0;

private:
    // Makes room for needed bytes: the larger of twice the length and needed. False (logged)
    // when needed is beyond what an array can hold.
    bool ensureCapacity(jlong needed);
};

} // namespace runtime
