// The system power state: the host pauses the game while the handset is unattended (screen off,
// running on in the background).
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kPowerStateOn = 0x00010000;
inline constexpr std::uint32_t kPowerStateUnattended = 0x00400000;

class PowerState {
public:
    virtual ~PowerState() = default;
    // The state's flags; false when the state cannot be read.
    virtual bool systemPowerState(std::uint32_t& flags) = 0;
};

// A desktop is always on and never unattended.
class SystemPowerState final : public PowerState {
public:
    bool systemPowerState(std::uint32_t& flags) override;
};

// Flags (or a failure) set by a test.
class ScriptedPowerState final : public PowerState {
public:
    bool systemPowerState(std::uint32_t& flags) override;

    std::uint32_t flags = kPowerStateOn;
    bool fails = false;
    int queries = 0;
};

PowerState& powerState();
PowerState* installPowerState(PowerState* replacement);

} // namespace platform
