// UTF-16 to UTF-8, for handing the game's 16-bit texts to the desktop (message boxes, browsers),
// and back, for the host's own texts (file paths among them) in a message box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 of n UTF-16 units; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(const char16_t* units, std::size_t n);
inline std::string utf16ToUtf8(const std::u16string& text) {
    return utf16ToUtf8(text.data(), text.size());
}

// UTF-16 of UTF-8 text; a byte that starts no valid sequence (a stray continuation byte, a
// sequence cut short, an overlong form, a surrogate or a code point beyond U+10FFFF) becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);

} // namespace platform
