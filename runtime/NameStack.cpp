// The Application's method-name stack and the stack-trace text the runtime's checks print.
#include <string>

#include "runtime/Application.h"
#include "runtime/Log.h"

namespace runtime {

void Application::pushName(const char* name) {
    if (nameDepth >= kNameStackSize) {
        log("name stack full");
        return;
    }
    nameStack[nameDepth++] = name;
}

void Application::popName() {
    if (nameDepth > 0) {
        --nameDepth;
    }
}

std::string Application::stackTraceText() const {
    std::string text = "stacktrace:\n";
    for (jint i = nameDepth - 1; i >= 0; --i) {
        text += nameStack[i];
        text += '\n';
    }
    return text;
}

void Application::printStackTrace() { log("%s", stackTraceText().c_str()); }

void dumpStackTrace() {
    if (Application* application = Application::getInstance()) {
        application->printStackTrace();
        return;
    }
    log("stacktrace:\n");
}

} // namespace runtime
