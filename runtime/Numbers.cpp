// Decimal text, Integer::toString and Integer::parseInt.
#include "runtime/Numbers.h"

#include <algorithm>
#include <cstdint>

#include "runtime/CheckFailed.h"
#include "runtime/String.h"

namespace runtime {

jint formatDecimal(const jlong value, char* text) {
    // Digits come lowest first; the magnitude of the most negative value fits the unsigned type.
    char digits[kMaxDecimalLength];
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    jint count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    jint length = 0;
    if (value < 0) {
        text[length++] = '-';
    }
    while (count > 0) {
        text[length++] = digits[--count];
    }
    return length;
}

} // namespace runtime

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
