// How the runtime's own checks report: the message, then the method-name stack. The caller
// then goes on with a safe result; no exception object is raised.
#pragma once

#include "runtime/Application.h"
#include "runtime/Log.h"

namespace runtime {

inline void checkFailed(const char* message) {
    log("%s", message);
    dumpStackTrace();
}

} // namespace runtime
