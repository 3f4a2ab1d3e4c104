// Captures the runtime's log lines for the length of a scope.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/Log.h"

namespace runtime {

class LogCapture {
public:
    LogCapture() : previous(setLogSink([this](const std::string& line) { lines.push_back(line); })) {}
    ~LogCapture() { setLogSink(previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool contains(const std::string& line) const { return std::count(lines.begin(), lines.end(), line) > 0; }
    long count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }

    std::vector<std::string> lines;

private:
    LogSink previous;
};

} // namespace runtime
