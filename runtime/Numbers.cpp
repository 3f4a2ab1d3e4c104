// Integer::toString and Integer::parseInt.
#include "runtime/Numbers.h"

#include <algorithm>

#include "runtime/CheckFailed.h"
#include "runtime/String.h"

namespace runtime::Integer {

namespace {

bool isSpace(const unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

String* toString(const jint value) {
    return String::valueOfInt(value);
}

jint parseInt(String* str) {
    if (str == nullptr) {
        checkFailed("parseInt null");
        return 0;
    }
    // The text the handset converted was the low bytes of the characters, so a character
    // whose low byte is 0 ends it.
    const jint n = str->length();
    const auto byteAt = [str](const jint i) { return static_cast<unsigned char>(str->chars[i] & 0xFF); };
    jint i = 0;
    while (i < n && isSpace(byteAt(i))) {
        ++i;
    }
    bool negative = false;
    if (i < n && (byteAt(i) == '+' || byteAt(i) == '-')) {
        negative = byteAt(i) == '-';
        ++i;
    }
    // Accumulate the magnitude, saturating just past the 32-bit range.
    constexpr jlong kLimit = jlong{1} << 31;
    jlong magnitude = 0;
    for (; i < n && byteAt(i) >= '0' && byteAt(i) <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (byteAt(i) - '0'), kLimit);
    }
    if (negative) {
        return static_cast<jint>(-magnitude);
    }
    return static_cast<jint>(std::min(magnitude, kLimit - 1));
}

} // namespace runtime::Integer
