// javax_microedition_io_ResourceInputStream (73): a view of the next limit bytes of another
// stream, as the archive hands out its entries. pos counts what was taken, so reading past the
// entry never reaches the bytes of the next one.
#pragma once

#include "runtime/Streams.h"

namespace runtime {

struct javax_microedition_io_ResourceInputStream : java_io_InputStream {
    static constexpr jint kClassId = kResourceInputStream;

    // Bounds in to its next limit bytes; the position starts at 0. A null stream is empty.
    javax_microedition_io_ResourceInputStream(java_io_InputStream* in, jint limit);

    using java_io_InputStream::read;
    // At the limit this raises java_io_EOFException (unlike read(), which returns -1); else reads
    // at most the bytes left. Only bytes actually read advance the position.
    jint read(ByteArray* b, jint off, jint len) override;
    // -1 at the limit.
    jint read() override;
    // Cut to the bytes left; only what the inner stream skipped advances the position.
    jlong skip(jlong n) override;
    jint available() override { return limit - pos; }
    void close() override;
    // Passed on to in; the position is remembered with the mark and restored with the reset, so
    // the view stays where the inner stream is.
    void mark(jint readlimit) override;
    void reset() override;
    jint markSupported() override;

    java_io_InputStream* in = nullptr;
    jint limit = 0;
    jint pos = 0;
    jint markPosition = 0;
};

} // namespace runtime
