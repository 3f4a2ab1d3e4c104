// The native number routines of java_lang_Integer and java_lang_Math.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {

struct String;

// The longest decimal text of a 64-bit value: a sign and 19 digits.
inline constexpr jint kMaxDecimalLength = 20;
// Writes the decimal text of value (as "%d" and "%lld" print it) to text, which has room for
// kMaxDecimalLength characters, without a terminator; returns its length.
jint formatDecimal(jlong value, char* text);

namespace Integer {

// A new String of the decimal text of value ("%d").
String* toString(jint value);
// The decimal number at the start of the text, read like the handset's atoi: each character
// counts by its low 8 bits; leading white space and one sign are skipped; reading stops at the
// first non-digit; no digits give 0; values beyond the 32-bit range saturate. Nothing is
// reported.
jint parseInt(String* str);

} // namespace Integer

namespace Math {

// The absolute value; the most negative value stays itself.
constexpr jint abs(const jint value) {
    return value < 0 ? static_cast<jint>(0u - static_cast<std::uint32_t>(value)) : value;
}
constexpr jint max(const jint a, const jint b) {
    return a >= b ? a : b;
}
constexpr jint min(const jint a, const jint b) {
    return a <= b ? a : b;
}

} // namespace Math

} // namespace runtime
