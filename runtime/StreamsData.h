// The data streams: java_io_DataInputStream (18) reads big-endian numbers and modified UTF-8
// strings from any input stream, java_io_DataOutputStream (19) writes big-endian ints to any
// output stream. Their stream slots pass every call on to the wrapped stream.
#pragma once

#include "runtime/Streams.h"

namespace runtime {

struct String;

struct java_io_DataInputStream : java_io_InputStream {
    static constexpr jint kClassId = kDataInputStream;

    // DataInputStream::init: wraps in. A null stream reads as one at its end.
    explicit java_io_DataInputStream(java_io_InputStream* in);

    using java_io_InputStream::read;
    jint read(ByteArray* b, jint off, jint len) override;
    jint read() override;
    jlong skip(jlong n) override;
    jint available() override;
    void close() override;
    void mark(jint readlimit) override;
    void reset() override;
    jint markSupported() override;

    // Fills b[off .. off+len-1]; raises java_io_EOFException when a read gives nothing (or
    // reports the end) while bytes are still wanted.
    void readFully(ByteArray* b, jint off, jint len);
    // Skips up to n bytes: the number skipped, 0 when a skip leaves an exception pending.
    jint skipBytes(jint n);
    // Each raises java_io_EOFException (and returns 0) at the end of the data.
    jint readByte();
    jint readUnsignedByte();
    jint readShort();
    jint readUnsignedShort();
    jint readInt();
    // A 16-bit byte length, then that many bytes of modified UTF-8; bad bytes raise
    // java_io_UTFDataFormatException. Null when an exception is raised.
    String* readUTF();

    java_io_InputStream* in = nullptr;
};

struct java_io_DataOutputStream : java_io_OutputStream {
    static constexpr jint kClassId = kDataOutputStream;

    // Wraps out. A null stream swallows what is written.
    explicit java_io_DataOutputStream(java_io_OutputStream* out);

    void close() override;
    void flush() override;
    using java_io_OutputStream::write;
    void write(jint b) override;
    void write(ByteArray* b, jint off, jint len) override;
    void write(ByteArray* b) override;
    // Own slot: four bytes, the most significant first; stops at the first that raises.
    virtual void writeInt(jint v);

    java_io_OutputStream* out = nullptr;
};

} // namespace runtime
