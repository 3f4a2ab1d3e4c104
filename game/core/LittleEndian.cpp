// Little-endian readers and layout rows.
#include "game/core/LittleEndian.h"

#include "game/core/GameStatics.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/Streams.h"

namespace game::core {

using runtime::jlong;

namespace {

constexpr jint kRowLength = 16;
// The continental cup's row holds 32 participants: rows 8 and 9 together.
constexpr jint kContinentalRow = 8;
constexpr jint kContinentalRowLength = 32;
constexpr jint kToArray = 0;

// n bytes of stream as a little-endian number; 0 when the data ends first (java_io_EOFException
// raised) or the stream raises.
jint readLittleEndian(runtime::java_io_InputStream* const stream, const jint n) {
    if (stream == nullptr) {
        runtime::raiseEOFException();
        return 0;
    }
    jint value = 0;
    for (jint i = 0; i < n; ++i) {
        const jint b = stream->read();
        if (runtime::getPendingException() != nullptr) {
            return 0;
        }
        if (b < 0) {
            runtime::raiseEOFException();
            return 0;
        }
        value |= runtime::ishl(b & 0xFF, 8 * i);
    }
    return value;
}

} // namespace

jint readShortLE(runtime::java_io_InputStream* const stream) {
    return readLittleEndian(stream, 2);
}

jint readIntLE(runtime::java_io_InputStream* const stream) {
    return readLittleEndian(stream, 4);
}

void copyLayoutRow(runtime::ShortArray* const a, const jint row, const jint direction) {
    runtime::ShortArray* const rows = statics()->layoutRows;
    const jint n = row == kContinentalRow ? kContinentalRowLength : kRowLength;
    const jlong start = static_cast<jlong>(row) * kRowLength;
    if (a == nullptr || rows == nullptr || row < 0 || start + n > rows->length || n > a->length) {
        runtime::log("copyLayoutRow: row %d cannot be copied (array of %d entries, table of %d)", row,
                     a != nullptr ? a->length : -1, rows != nullptr ? rows->length : -1);
        return;
    }
    const jint first = static_cast<jint>(start);
    for (jint i = 0; i < n; ++i) {
        if (direction == kToArray) {
            (*a)[i] = (*rows)[first + i];
        } else {
            (*rows)[first + i] = (*a)[i];
        }
    }
}

} // namespace game::core
