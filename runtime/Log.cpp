// The runtime's log (see Log.h).
#include "runtime/Log.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace runtime {

namespace {
LogSink& currentSink() {
    static LogSink sink;
    return sink;
}
} // namespace

void log(const char* format, ...) {
    // vsnprintf cuts long messages at 1,023 characters instead of overrunning the buffer.
    char buffer[kLogBufferSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (const LogSink& sink = currentSink()) {
        sink(buffer);
        return;
    }
    std::printf("%s\n", buffer);
    std::fflush(stdout);
}

LogSink setLogSink(LogSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

} // namespace runtime
