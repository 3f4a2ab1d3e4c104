// Fuzz target "string_decoders": String's byte decoders (UTF-8, ISO-8859-1, SJIS) through
// new String(bytes, offset, length, encoding). Byte 0 picks the encoding name (some unsupported),
// byte 1 the range (whole, a part, or one outside the bytes); the rest are the bytes.
#include <cstdint>
#include <iterator>
#include <string_view>

#include "fuzz/FuzzRuntime.h"
#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace {

using runtime::jint;
using runtime::jlong;

// Null and "" included; the names differ in case and length the way the game's callers may.
constexpr const char* kEncodings[] = {nullptr,      "UTF-8",      "utf-8", "UTF8", "utf8", "UTF",   "",
                                      "ISO-8859-1", "iso-8859-1", "ISO",   "SJIS", "sjis", "EUC-JP"};
// Past the names: the forms without an encoding, all bytes or a range.
constexpr std::size_t kWholeArray = std::size(kEncodings);
constexpr std::size_t kChoices = kWholeArray + 2;

struct Range {
    jint offset;
    jint length;
};

Range rangeOf(const std::uint8_t mode, const jint size) {
    const jint amount = mode >> 2;
    switch (mode & 3) {
    case 0:
        return {0, size};
    case 1:
        return {amount < size ? amount : size, size - (amount < size ? amount : size)};
    case 2:
        return {amount - 32, size};
    default:
        return {0, amount < 32 ? size + 1 + amount : 0x7FFFFFFF - amount};
    }
}

void fuzzStringDecoders(const std::uint8_t* data, const std::size_t size) {
    if (size < 2) {
        return;
    }
    const std::size_t choice = data[0] % kChoices;
    const jint length = static_cast<jint>(size - 2);
    const Range range = rangeOf(data[1], length);
    runtime::ByteArray* bytes = fuzzing::byteArrayOf(data + 2, size - 2);
    auto* text = runtime::newObject<runtime::String>();
    if (choice == kWholeArray) {
        text->initBytes(bytes);
    } else if (choice == kWholeArray + 1) {
        text->initBytes(bytes, range.offset, range.length);
    } else {
        runtime::String* encoding =
            kEncodings[choice] != nullptr ? runtime::newStringFromCString(kEncodings[choice]) : nullptr;
        text->initBytes(bytes, range.offset, range.length, encoding);
    }
    fuzzing::checkString(text, "a decoded String");

    const Range used = choice == kWholeArray ? Range{0, length} : range;
    const bool inside =
        used.offset >= 0 && used.length >= 0 && static_cast<jlong>(used.offset) + used.length <= length;
    if (!inside && text->length() != 0) {
        fuzzing::fail("bytes outside the array gave %d characters", text->length());
    }
    // No decoder makes more than one character of a byte.
    if (inside && text->length() > used.length) {
        fuzzing::fail("%d bytes gave %d characters", used.length, text->length());
    }
    // One character per byte, unchanged, where no decoding applies.
    const bool plain = choice >= kWholeArray || kEncodings[choice] == nullptr ||
                       std::string_view(kEncodings[choice]).starts_with("ISO");
    if (inside && plain) {
        const std::uint8_t* source = data + 2 + used.offset;
        if (text->length() != used.length) {
            fuzzing::fail("%d bytes gave %d characters without decoding", used.length, text->length());
        }
        for (jint i = 0; i < used.length; ++i) {
            if (text->chars[i] != source[i]) {
                fuzzing::fail("byte %d changed without decoding", i);
            }
        }
    }
    runtime::ByteArray* back = text->getBytes();
    if (back == nullptr || back->length != text->length()) {
        fuzzing::fail("getBytes gave a different length");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzStringDecoders);
}
