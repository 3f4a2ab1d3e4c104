// The log: one line per message on standard output, cut at 1,023 characters.
#include "runtime/Log.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/runtime/LogCapture.h"

namespace runtime {
namespace {

TEST(Log, WritesOneFormattedLineToStandardOutput) {
    testing::internal::CaptureStdout();
    log("totalFragmentSizeNeeded=%d m_heapUsed=%d", 24, -8);
    log("%s", "second");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "totalFragmentSizeNeeded=24 m_heapUsed=-8\nsecond\n");
}

TEST(Log, LongMessagesAreCutAt1023Characters) {
    const std::string message(2000, 'x');
    testing::internal::CaptureStdout();
    log("%s", message.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), message.substr(0, 1023) + "\n");

    LogCapture capture;
    log("%s%s", "ab", message.c_str());
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "ab" + message.substr(0, 1021));
}

TEST(Log, ASinkTakesTheLinesUntilItIsRemoved) {
    std::string seen;
    const LogSink previous = setLogSink([&](const std::string& line) { seen += line + "|"; });
    log("one");
    log("two %d", 2);
    const LogSink ours = setLogSink(previous);
    EXPECT_TRUE(static_cast<bool>(ours));
    EXPECT_EQ(seen, "one|two 2|");
}

} // namespace
} // namespace runtime
