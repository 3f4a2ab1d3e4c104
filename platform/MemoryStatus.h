// Free physical memory, which the program checks before it starts.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class MemoryStatus {
public:
    virtual ~MemoryStatus() = default;
    // Bytes of physical memory available to a new program.
    virtual std::uint64_t availablePhysical() = 0;
};

// The kernel's estimate (MemAvailable in /proc/meminfo); without it, free RAM from sysinfo.
// When neither can be read the answer is "plenty", so a missing /proc never stops the game.
class SystemMemoryStatus final : public MemoryStatus {
public:
    std::uint64_t availablePhysical() override;
};

// Bytes of MemAvailable in a meminfo text, or 0 when it holds no such line.
std::uint64_t parseMemAvailable(const std::string& meminfo);

// A fixed answer for tests.
class FixedMemoryStatus final : public MemoryStatus {
public:
    explicit FixedMemoryStatus(const std::uint64_t bytes) : available(bytes) {}
    std::uint64_t availablePhysical() override { return available; }
    std::uint64_t available;
};

MemoryStatus& memoryStatus();
MemoryStatus* installMemoryStatus(MemoryStatus* replacement);

} // namespace platform
