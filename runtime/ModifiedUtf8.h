// Modified UTF-8, the text form of the data streams (readUTF) and of every file the game reads
// strings from: the constant pool and the archive directory. The sample data generator writes with
// encodeModifiedUtf8 and the game reads with decodeModifiedUtf8, so the two cannot drift apart.
//
// One character takes one byte (1..0x7F), two bytes (0 and 0x80..0x7FF: 110xxxxx 10xxxxxx) or
// three bytes (0x800..0xFFFF: 1110xxxx 10xxxxxx 10xxxxxx). A string is preceded by its byte length
// as an unsigned 16-bit big-endian number, so it holds at most 65,535 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/JavaTypes.h"

namespace runtime {

inline constexpr jint kMaxModifiedUtf8Bytes = 65535;

// Bytes the character takes.
constexpr jint modifiedUtf8Length(const jchar c) {
    return c != 0 && c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

// Appends the encoding of text (without the length prefix) to out; false, with nothing appended,
// when it would be longer than a length prefix can state.
inline bool encodeModifiedUtf8(const std::u16string_view text, std::string& out) {
    std::size_t length = 0;
    for (const char16_t c : text) {
        length += static_cast<std::size_t>(modifiedUtf8Length(c));
    }
    if (length > static_cast<std::size_t>(kMaxModifiedUtf8Bytes)) {
        return false;
    }
    for (const char16_t c : text) {
        switch (modifiedUtf8Length(c)) {
        case 1:
            out += static_cast<char>(c);
            break;
        case 2:
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
            break;
        default:
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
            break;
        }
    }
    return true;
}

// Decodes count bytes into out, which has room for count characters. Returns the number of
// characters, or -1 when the bytes are not modified UTF-8: a byte 0x80..0xBF or 0xF0..0xFF where a
// character starts, a continuation byte that is not 10xxxxxx, or a character cut off by the end.
inline jint decodeModifiedUtf8(const std::uint8_t* bytes, const jint count, jchar* out) {
    jint produced = 0;
    jint i = 0;
    while (i < count) {
        const jint c = bytes[i];
        if (c < 0x80) {
            out[produced++] = static_cast<jchar>(c);
            i += 1;
        } else if ((c >> 5) == 0x6) {
            if (count - i < 2 || (bytes[i + 1] & 0xC0) != 0x80) {
                return -1;
            }
            out[produced++] = static_cast<jchar>(((c & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            i += 2;
        } else if ((c >> 4) == 0xE) {
            if (count - i < 3 || (bytes[i + 1] & 0xC0) != 0x80 || (bytes[i + 2] & 0xC0) != 0x80) {
                return -1;
            }
            out[produced++] =
                static_cast<jchar>(((c & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            i += 3;
        } else {
            // 10xxxxxx where a character starts, or 1111xxxx, which has no form.
            return -1;
        }
    }
    return produced;
}

} // namespace runtime
