// Runtime values from and to plain C++ values, for tests: byte arrays and texts.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/Arrays.h"
#include "runtime/String.h"

namespace testing_support {

// Reference statics of the class library in every static block.
inline constexpr runtime::jint kLibraryRootCount = 10;

inline runtime::ByteArray* byteArrayOf(const std::vector<std::uint8_t>& bytes) {
    runtime::ByteArray* array = runtime::newByteArray(static_cast<runtime::jint>(bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(array->data(), bytes.data(), bytes.size());
    }
    return array;
}

// The first count bytes of the array (all of it when count is negative).
inline std::vector<std::uint8_t> bytesOf(runtime::ByteArray* array, runtime::jint count = -1) {
    const runtime::jint n = count < 0 ? array->length : count;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    if (n > 0) {
        std::memcpy(bytes.data(), array->data(), bytes.size());
    }
    return bytes;
}

// The characters of a String, each cut to 8 bits ("" for null).
inline std::string textOf(const runtime::String* string) {
    std::string text;
    for (runtime::jint i = 0; string != nullptr && i < string->length(); ++i) {
        text += static_cast<char>(string->chars[i]);
    }
    return text;
}

} // namespace testing_support
