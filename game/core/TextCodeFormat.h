// The character code of the text package, shared by its reader (getText) and the sample data
// generator: each 16-bit character is one to three bytes of seven bits each, most significant
// group first, with bit 7 set on every byte but the last of a character. Two bytes reach 0x3FFF;
// of a three-byte character only the low 16 bits count.
#pragma once

#include <cstdint>
#include <vector>

namespace game::core {

inline constexpr std::uint8_t kTextMoreBytesFlag = 0x80;
inline constexpr std::uint8_t kTextGroupMask = 0x7F;
inline constexpr int kTextGroupBits = 7;
inline constexpr std::uint32_t kTextCharacterMask = 0xFFFF;
// The line break inside a text; the layout routines act on it, getText passes it through.
inline constexpr char16_t kTextLineBreak = u'^';

// Appends the bytes of one character in the package's code.
inline void encodeTextCharacter(const char16_t character, std::vector<std::uint8_t>& out) {
    const std::uint32_t value = character;
    if (value >> kTextGroupBits == 0) {
        out.push_back(static_cast<std::uint8_t>(value));
        return;
    }
    if (value >> (2 * kTextGroupBits) == 0) {
        out.push_back(static_cast<std::uint8_t>(kTextMoreBytesFlag | (value >> kTextGroupBits)));
        out.push_back(static_cast<std::uint8_t>(value & kTextGroupMask));
        return;
    }
    out.push_back(static_cast<std::uint8_t>(kTextMoreBytesFlag | (value >> (2 * kTextGroupBits))));
    out.push_back(
        static_cast<std::uint8_t>(kTextMoreBytesFlag | ((value >> kTextGroupBits) & kTextGroupMask)));
    out.push_back(static_cast<std::uint8_t>(value & kTextGroupMask));
}

} // namespace game::core
