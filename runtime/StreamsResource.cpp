// The bounded resource stream.
#include "runtime/StreamsResource.h"

#include <algorithm>

#include "runtime/ClassTable.h"
#include "runtime/Exceptions.h"

namespace runtime {

javax_microedition_io_ResourceInputStream::javax_microedition_io_ResourceInputStream(
    java_io_InputStream* const stream, const jint size)
    : java_io_InputStream(kClassId), in(stream), limit(stream != nullptr ? std::max(size, 0) : 0) {
    registerRefFields(this, &in);
}

jint javax_microedition_io_ResourceInputStream::read(ByteArray* const b, const jint off, const jint len) {
    if (pos >= limit) {
        raiseEOFException();
        return 0;
    }
    const jint n = in->read(b, off, std::min(len, limit - pos));
    if (n > 0) {
        pos += n;
    }
    return n;
}

jint javax_microedition_io_ResourceInputStream::read() {
    if (pos >= limit) {
        return -1;
    }
    pos += 1;
    return in->read();
}

jlong javax_microedition_io_ResourceInputStream::skip(jlong n) {
    n = std::min<jlong>(n, static_cast<jlong>(limit) - pos);
    if (n <= 0) {
        return 0;
    }
    const jlong skipped = in->skip(n);
    if (skipped > 0) {
        pos += static_cast<jint>(skipped);
    }
    return skipped;
}

void javax_microedition_io_ResourceInputStream::close() {
    if (in != nullptr) {
        in->close();
    }
}

void javax_microedition_io_ResourceInputStream::mark(const jint readlimit) {
    if (in != nullptr) {
        in->mark(readlimit);
        markPosition = pos;
    }
}

void javax_microedition_io_ResourceInputStream::reset() {
    if (in != nullptr) {
        in->reset();
        pos = markPosition;
    }
}

jint javax_microedition_io_ResourceInputStream::markSupported() {
    return in != nullptr ? in->markSupported() : 0;
}

} // namespace runtime
