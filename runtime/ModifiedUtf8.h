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
constexpr jint modifiedUtf8Length(const jchar c) { return c != 0 && c < 0x80 ? 1 : c < 0x800 ? 2 : 3; }

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
        switch (c >> 4) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            out[produced++] = static_cast<jchar>(c);
            i += 1;
            break;
        case 12: case 13: {
            if (count - i < 2) {
                return -1;
            }
            const jint c2 = bytes[i + 1];
            if ((c2 & 0xC0) != 0x80) {
                return -1;
            }
            out[produced++] = static_cast<jchar>(((c & 0x1F) << 6) | (c2 & 0x3F));
            i += 2;
            break;
        }
        case 14: {
            if (count - i < 3) {
                return -1;
            }
            const jint c2 = bytes[i + 1];
            const jint c3 = bytes[i + 2];
            if ((c2 & 0xC0) != 0x80 || (c3 & 0xC0) != 0x80) {
                return -1;
            }
            out[produced++] = static_cast<jchar>(((c & 0x0F) << 12) | ((c2 & 0x3F) << 6) | (c3 & 0x3F));
            i += 3;
            break;
        }
        default: // 8..11: a continuation byte where a character starts; 15: no such form
            return -1;
        }
    }
    return produced;
}

} // namespace runtime
