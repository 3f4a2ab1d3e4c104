// The two abstract byte streams of the class library, java_io_InputStream (21) and
// java_io_OutputStream (23), whose virtual slots every stream shares in this order, so a data or
// print stream can sit on any other stream. The concrete streams are in Streams*.h (byte arrays,
// data, print and console, resources) and in the profile (files).
//
// Errors travel as pending exceptions (Exceptions.h); a slot that calls another slot stops when
// that call leaves one pending.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_io_InputStream : Object {
    static constexpr jint kClassId = kInputStream;

    // Up to len bytes into b from off: the count read, -1 at the end of the data.
    virtual jint read(ByteArray* b, jint off, jint len) = 0;
    // read(b, 0, b.length); a null array reads nothing.
    virtual jint read(ByteArray* b) { return read(b, 0, b != nullptr ? b->length : 0); }
    // The next byte 0..255, or -1 at the end.
    virtual jint read() = 0;
    // Skips up to n bytes; the number skipped.
    virtual jlong skip(jlong n) = 0;
    // Bytes that can still be read.
    virtual jint available() = 0;
    virtual void close() {}
    virtual void mark(jint /*readlimit*/) {}
    virtual void reset() {}
    virtual jint markSupported() { return 0; }

protected:
    explicit java_io_InputStream(const jint id = kClassId) : Object(id) {}
};

struct java_io_OutputStream : Object {
    static constexpr jint kClassId = kOutputStream;

    virtual void close() {}
    virtual void flush() {}
    // Writes the low 8 bits of b.
    virtual void write(jint b) = 0;
    // Writes len bytes of b from off.
    virtual void write(ByteArray* b, jint off, jint len) = 0;
    // write(b, 0, b.length); a null array writes nothing.
    virtual void write(ByteArray* b) { write(b, 0, b != nullptr ? b->length : 0); }

protected:
    explicit java_io_OutputStream(const jint id = kClassId) : Object(id) {}
};

// True when b is an array and off..off+len-1 lies inside it (len 0 included).
inline bool arrayRangeValid(const ByteArray* b, const jint off, const jint len) {
    return b != nullptr && off >= 0 && len >= 0 && off <= b->length - len;
}

// Makes a new exception of the class the pending one, with no message (constant string 1).
void raiseIOException();
void raiseEOFException();

} // namespace runtime
