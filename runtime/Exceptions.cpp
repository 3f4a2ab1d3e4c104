// The pending exception, the after-call check, handler-table lookup and the stack-trace String.
#include "runtime/Exceptions.h"

#include <string>

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"

namespace runtime {

namespace {

// The characters of a String as 8-bit text, for the log (names and traces are ASCII).
std::string logText(const String* text) {
    std::string result;
    if (text == nullptr || text->chars == nullptr) {
        return result;
    }
    for (jint i = 0; i < text->length(); ++i) {
        result += static_cast<char>(text->chars[i]);
    }
    return result;
}

} // namespace

String* Application::getStackTrace() {
    return newStringFromCString(stackTraceText().c_str());
}

void throwException(java_lang_Throwable* exception) {
    if (exception == nullptr) {
        log("throwException exception=null");
        dumpStackTrace();
        return;
    }
    // Making the trace allocates; the exception is held by this frame meanwhile.
    String* trace = Application::getInstance()->getStackTrace();
    exception->stackTrace = trace;
    Application::getInstance()->pendingException = exception;
}

jint checkException(const jint region) {
    Application* application = Application::getInstance();
    if (application->pendingException == nullptr) {
        return 0;
    }
    application->tryRegion = region;
    return 1;
}

java_lang_Throwable* getPendingException() {
    return static_cast<java_lang_Throwable*>(Application::getInstance()->pendingException);
}

jint findHandler(const HandlerEntry* table) {
    Application* application = Application::getInstance();
    Object* exception = application->pendingException;
    const jint region = application->tryRegion;
    if (exception == nullptr || table == nullptr) {
        return -1;
    }
    for (jint i = 0; table[i].classId != 0; ++i) {
        const HandlerEntry& entry = table[i];
        if (region < entry.start || region >= entry.end) {
            continue;
        }
        // instanceOf asks the interface cast first, then the superclass chain.
        if (instanceOf(exception, entry.classId) != 0) {
            application->pendingException = nullptr;
            return i;
        }
    }
    return -1;
}

jint catchException(const jint classId) {
    const HandlerEntry handlers[] = {{classId, 0, 1}, {}};
    return checkException(0) != 0 && findHandler(handlers) == 0 ? 1 : 0;
}

jint clearStaleException(const char* hostCall) {
    Application* application = Application::getInstance();
    if (application == nullptr || application->pendingException == nullptr) {
        return 0;
    }
    auto* exception = static_cast<java_lang_Throwable*>(application->pendingException);
    application->pendingException = nullptr;
    const ClassRecord* record = getClassRecordOf(exception);
    const std::string message = logText(exception->message);
    log("uncaught exception %s after %s%s%s", record != nullptr ? record->name : "?", hostCall,
        message.empty() ? "" : ": ", message.c_str());
    log("%s", logText(exception->stackTrace).c_str());
    return 1;
}

} // namespace runtime
