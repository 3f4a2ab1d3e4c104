// UTF-16 to UTF-8 and back (see Utf8.h).
#include "platform/Utf8.h"

namespace platform {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(std::string& out, const char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, const char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
}

// The code point of the UTF-8 sequence at text[i], and its length in length; U+FFFD with length 1
// when no valid sequence starts there.
char32_t decodeUtf8(const std::string_view text, const std::size_t i, std::size_t& length) {
    const auto byte = [&](const std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t count = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        count = 2;
        c = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        count = 3;
        c = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        count = 4;
        c = lead & 0x07;
        smallest = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    if (text.size() - i < count) {
        return kReplacementCharacter;
    }
    for (std::size_t k = 1; k < count; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return kReplacementCharacter;
        }
        c = c << 6 | (byte(i + k) & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
        return kReplacementCharacter;
    }
    length = count;
    return c;
}

} // namespace

std::u16string utf8ToUtf16(const std::string_view text) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = 1;
        appendUtf16(out, decodeUtf8(text, i, length));
        i += length;
    }
    return out;
}

std::string utf16ToUtf8(const char16_t* const units, const std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < n && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            appendUtf8(out,
                       0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(out, kReplacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace platform
