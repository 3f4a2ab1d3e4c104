// Message boxes on the console, and the scripted boxes of tests.
#include "platform/MessageBox.h"

#include <cstdio>

#include "platform/Service.h"
#include "runtime/Log.h"

namespace platform {

namespace {

ServiceSlot<MessageBoxService, ConsoleMessageBox>& slot() {
    static ServiceSlot<MessageBoxService, ConsoleMessageBox> instance;
    return instance;
}

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

} // namespace

std::string utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            appendUtf8(out,
                       0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(out, kReplacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

int ConsoleMessageBox::show(const std::u16string& text, const std::u16string& caption,
                            const std::uint32_t style) {
    const std::string line = utf16ToUtf8(caption) + ": " + utf16ToUtf8(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    runtime::log("%s", line.c_str());
    return (style & kMessageBoxButtonMask) == kMessageBoxYesNo ? kAnswerYes : kAnswerOk;
}

int ScriptedMessageBox::show(const std::u16string& text, const std::u16string& caption,
                             const std::uint32_t style) {
    shown.push_back({text, caption, style});
    return answer;
}

MessageBoxService& messageBox() {
    return slot().get();
}

MessageBoxService* installMessageBox(MessageBoxService* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
