// UTF-16 to UTF-8, for handing the game's 16-bit texts to the desktop (message boxes, browsers).
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// UTF-8 of n UTF-16 units; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(const char16_t* units, std::size_t n);
inline std::string utf16ToUtf8(const std::u16string& text) { return utf16ToUtf8(text.data(), text.size()); }

} // namespace platform
