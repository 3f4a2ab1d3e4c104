// The scripted shell windows of tests and the installed service.
#include "platform/ShellWindows.h"

#include "platform/Service.h"

namespace platform {

namespace {

ServiceSlot<ShellWindows, SystemShellWindows>& slot() {
    static ServiceSlot<ShellWindows, SystemShellWindows> instance;
    return instance;
}

constexpr const char* kScriptedClasses[] = {kInputPanelClass, kInputPanelButtonClass, kTaskBarClass};

} // namespace

WindowHandle ScriptedShellWindows::find(const std::string& className) {
    if (!present) {
        return 0;
    }
    for (std::size_t i = 0; i < std::size(kScriptedClasses); ++i) {
        if (className == kScriptedClasses[i]) {
            return i + 1;
        }
    }
    return 0;
}

void ScriptedShellWindows::show(const WindowHandle window, const int command) {
    if (window == 0 || window > std::size(kScriptedClasses)) {
        return;
    }
    shows.emplace_back(kScriptedClasses[window - 1], command);
}

ShellWindows& shellWindows() {
    return slot().get();
}

ShellWindows* installShellWindows(ShellWindows* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
