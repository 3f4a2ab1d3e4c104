// The print stream and the console: java_io_PrintStream (24) prints Strings through any output
// stream and drops its I/O errors; java_io_ConsoleOutputStream (17) is the console behind
// java_lang_System's out and err, and discards everything (the handset had no console; the log is
// where the runtime's messages go).
#pragma once

#include "runtime/Streams.h"

namespace runtime {

struct StaticClass;
struct String;

struct java_io_PrintStream : java_io_OutputStream {
    static constexpr jint kClassId = kPrintStream;

    explicit java_io_PrintStream(java_io_OutputStream* out);

    // Each passes the call on to out and drops a java_io_IOException it raises.
    void close() override;
    void flush() override;
    using java_io_OutputStream::write;
    void write(jint b) override;
    void write(ByteArray* b, jint off, jint len) override;

    // PrintStream::print: the low 8 bits of each character.
    void print(String* s);
    // PrintStream::println: print, then a line feed.
    void println(String* s);

    java_io_OutputStream* out = nullptr;
};

struct java_io_ConsoleOutputStream : java_io_OutputStream {
    static constexpr jint kClassId = kConsoleOutputStream;

    java_io_ConsoleOutputStream() : java_io_OutputStream(kClassId) {}

    using java_io_OutputStream::write;
    void write(jint /*b*/) override {}
    void write(ByteArray* /*b*/, jint /*off*/, jint /*len*/) override {}
    void write(ByteArray* /*b*/) override {}
};

namespace System {
// out and err become one print stream over one console stream (run once by the static set-up).
void staticInit(StaticClass* block);
} // namespace System

} // namespace runtime
