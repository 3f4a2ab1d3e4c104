// String: the runtime's immutable text of 16-bit characters.
// (The full interface arrives with the string routines; this is the part others build on.)
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

inline constexpr jint kStringInlineUnits = 16;

struct String : Object {
    static constexpr jint kClassId = kString;

    jchar inlineChars[kStringInlineUnits] = {};
    jchar* chars = nullptr; // inlineChars when count < 16, else an owned secondary-heap buffer
    jint count = 0;         // length + 1; the unit at index length is always 0

    String() : Object(kString) {}
    jint length() const { return count - 1; }
};

// A new String of the bytes of a NUL-terminated 8-bit text, one character per byte.
String* newStringFromCString(const char* text);

} // namespace runtime
