// Streams over byte arrays.
#include "runtime/StreamsByteArray.h"

#include <algorithm>
#include <cstring>

#include "runtime/CheckFailed.h"
#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace runtime {

namespace {

constexpr jint kInitialOutputCapacity = 32;
constexpr jlong kMaxArrayLength = 0x7FFFFFFF;

// An empty array has no storage at all, so n == 0 must not reach memmove.
void copyBytes(jbyte* const target, const jbyte* const source, const jint n) {
    if (n > 0) {
        std::memmove(target, source, static_cast<std::size_t>(n));
    }
}

} // namespace

java_io_ByteArrayInputStream::java_io_ByteArrayInputStream(ByteArray* const array, const jint offset,
                                                           const jint length)
    : java_io_InputStream(kClassId), buf(array) {
    registerRefFields(this, &buf);
    pos = std::max(offset, 0);
    markPosition = pos;
    const jlong end = static_cast<jlong>(pos) + std::max(length, 0);
    count = static_cast<jint>(std::min<jlong>(end, array != nullptr ? array->length : 0));
}

jint java_io_ByteArrayInputStream::read(ByteArray* const b, const jint off, const jint len) {
    if (pos >= count) {
        return -1;
    }
    const jint n = std::min(len, count - pos);
    if (n <= 0) {
        return 0;
    }
    // A copy that cannot be made takes nothing: counting it as read would lose the bytes.
    if (!arrayRangeValid(b, off, n)) {
        checkFailed("ByteArrayInputStream read: bad array range");
        return 0;
    }
    System::arraycopy(buf, pos, b, off, n);
    pos += n;
    return n;
}

jint java_io_ByteArrayInputStream::read() {
    if (pos >= count) {
        return -1;
    }
    return (*buf)[pos++] & 0xFF;
}

jlong java_io_ByteArrayInputStream::skip(jlong n) {
    // Compared with what is left: pos + n overflows for a count near the largest long.
    if (n > static_cast<jlong>(count) - pos) {
        n = static_cast<jlong>(count) - pos;
    }
    if (n < 0) {
        return 0;
    }
    pos += static_cast<jint>(n);
    return n;
}

jint java_io_ByteArrayInputStream::available() {
    return std::max(count - pos, 0);
}

void java_io_ByteArrayInputStream::mark(jint /*readlimit*/) {
    markPosition = pos;
}

void java_io_ByteArrayInputStream::reset() {
    pos = markPosition;
}

java_io_ByteArrayOutputStream::java_io_ByteArrayOutputStream() : java_io_OutputStream(kClassId) {
    registerRefFields(this, &buf);
    buf = newByteArray(kInitialOutputCapacity);
}

bool java_io_ByteArrayOutputStream::ensureCapacity(const jlong needed) {
    if (needed > kMaxArrayLength) {
        checkFailed("ByteArrayOutputStream: more than an array can hold");
        return false;
    }
    if (needed <= buf->length) {
        return true;
    }
    const jlong grown =
        std::max<jlong>(std::min<jlong>(2 * static_cast<jlong>(buf->length), kMaxArrayLength), needed);
    ByteArray* larger = newByteArray(static_cast<jint>(grown));
    // The allocation may have moved both arrays' storage: take the element pointers only now.
    copyBytes(larger->data(), buf->data(), count);
    buf = larger;
    return true;
}

void java_io_ByteArrayOutputStream::write(const jint b) {
    if (!ensureCapacity(static_cast<jlong>(count) + 1)) {
        return;
    }
    (*buf)[count] = static_cast<jbyte>(b);
    count += 1;
}

void java_io_ByteArrayOutputStream::write(ByteArray* const b, const jint off, const jint len) {
    if (!arrayRangeValid(b, off, len)) {
        checkFailed("ByteArrayOutputStream write: bad array range");
        return;
    }
    if (len == 0 || !ensureCapacity(static_cast<jlong>(count) + len)) {
        return;
    }
    // b may be this stream's own buffer, so the ranges may overlap.
    copyBytes(buf->data() + count, b->data() + off, len);
    count += len;
}

void java_io_ByteArrayOutputStream::close() {
    isClosed = 1;
}

void java_io_ByteArrayOutputStream::reset() {
    count = 0;
}

jint java_io_ByteArrayOutputStream::size() {
    return count;
}

ByteArray* java_io_ByteArrayOutputStream::toByteArray() {
    if (isClosed != 0 && buf->length == count) {
        return buf;
    }
    ByteArray* copy = newByteArray(count);
    copyBytes(copy->data(), buf->data(), count);
    return copy;
}

String* java_io_ByteArrayOutputStream::toString() {
    String* text = newObject<String>();
    text->initBytes(buf, 0, count);
    return text;
}

} // namespace runtime
