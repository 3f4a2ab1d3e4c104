// A small runtime for tests: an Application with its two heaps (small ones), the ObjectManager
// and the class table, made the current Application for the test. Log lines are captured.
//
// The heaps never collect on their own here (a no-op collection hook): objects made by a test
// live until the fixture ends, wherever the test keeps them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/JavaTypes.h"
#include "runtime/Log.h"

namespace runtime {

struct String;

class RuntimeFixture : public ::testing::Test {
protected:
    static constexpr jint kDefaultHeapSize = 1 << 20;

    explicit RuntimeFixture(jint objectHeapSize = kDefaultHeapSize,
                            jint secondaryHeapSize = kDefaultHeapSize);
    void SetUp() override;
    void TearDown() override;

    // Every log line since SetUp, and whether one of them is exactly line.
    const std::vector<std::string>& logLines() const { return lines; }
    bool logged(const std::string& line) const;
    void clearLog() { lines.clear(); }
    // Sends log lines to stderr, where death tests match their output.
    static void logToStderr();

    // The characters of a String as 8-bit text ("" for null).
    static std::string text(const String* string);

    Application application;

private:
    jint objectHeapSize;
    jint secondaryHeapSize;
    std::vector<std::string> lines;
    LogSink previousSink;
};

} // namespace runtime
