// Message boxes on the console, and the scripted boxes of tests.
#include "platform/MessageBox.h"

#include <cstdio>

#include "platform/Service.h"
#include "platform/Utf8.h"
#include "runtime/Log.h"

namespace platform {

namespace {

ServiceSlot<MessageBoxService, ConsoleMessageBox>& slot() {
    static ServiceSlot<MessageBoxService, ConsoleMessageBox> instance;
    return instance;
}

} // namespace

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
