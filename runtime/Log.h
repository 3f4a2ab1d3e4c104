// The runtime's log: one formatted line per message on the standard output.
//
// Every check of the runtime and the profile reports through here. Messages are cut at 1,023
// characters. Tests can capture the lines through a sink instead of reading stdout.
#pragma once

#include <functional>
#include <string>

namespace runtime {

inline constexpr int kLogBufferSize = 1024;

// Formats printf-style and writes the message followed by a newline.
void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces where log lines go (null restores standard output); returns the previous sink.
using LogSink = std::function<void(const std::string& line)>;
LogSink setLogSink(LogSink sink);

} // namespace runtime
