// Free physical memory from the kernel's meminfo text.
#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(MemAvailableTest, ReadsKilobytesAsBytes) {
    struct Case {
        const char* text;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {"MemTotal:       16000000 kB\nMemFree:  100 kB\nMemAvailable:   13312 kB\n", 13312ull * 1024},
        {"MemAvailable: 1 kB", 1024},
        {"MemTotal: 5 kB\nMemFree: 4 kB\n", 0},       // an old kernel without the line
        {"MemAvailable:   kB\n", 0},                  // no number
        {"MemAvailable: 99999999999999999999 kB", 0}, // not representable
        {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseMemAvailable(c.text), c.bytes) << c.text;
    }
}

TEST(SystemMemoryStatusTest, ReportsSomeMemory) {
    SystemMemoryStatus status;
    EXPECT_GT(status.availablePhysical(), 0u);
}

} // namespace
} // namespace platform
