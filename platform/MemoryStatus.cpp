// Free physical memory from /proc/meminfo or sysinfo.
#include "platform/MemoryStatus.h"

#include <sys/sysinfo.h>

#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/Service.h"

namespace platform {

namespace {

ServiceSlot<MemoryStatus, SystemMemoryStatus>& slot() {
    static ServiceSlot<MemoryStatus, SystemMemoryStatus> instance;
    return instance;
}

constexpr char kMemAvailableKey[] = "MemAvailable:";
constexpr std::uint64_t kBytesPerKilobyte = 1024;

} // namespace

std::uint64_t parseMemAvailable(const std::string& meminfo) {
    std::istringstream lines(meminfo);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(kMemAvailableKey, 0) != 0) {
            continue;
        }
        // The value is in kilobytes: "MemAvailable:   12345678 kB".
        const char* digits = line.c_str() + sizeof kMemAvailableKey - 1;
        char* end = nullptr;
        const unsigned long long kilobytes = std::strtoull(digits, &end, 10);
        if (end == digits || kilobytes > std::numeric_limits<std::uint64_t>::max() / kBytesPerKilobyte) {
            return 0;
        }
        return kilobytes * kBytesPerKilobyte;
    }
    return 0;
}

std::uint64_t SystemMemoryStatus::availablePhysical() {
    std::ifstream file("/proc/meminfo");
    if (file) {
        std::ostringstream text;
        text << file.rdbuf();
        if (const std::uint64_t bytes = parseMemAvailable(text.str()); bytes != 0) {
            return bytes;
        }
    }
    struct sysinfo info = {};
    if (sysinfo(&info) == 0) {
        return static_cast<std::uint64_t>(info.freeram) * info.mem_unit;
    }
    return std::numeric_limits<std::uint64_t>::max();
}

MemoryStatus& memoryStatus() {
    return slot().get();
}

MemoryStatus* installMemoryStatus(MemoryStatus* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
