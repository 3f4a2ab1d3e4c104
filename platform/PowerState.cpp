// The desktop's power state and the scripted one of tests.
#include "platform/PowerState.h"

#include "platform/Service.h"

namespace platform {

namespace {
ServiceSlot<PowerState, SystemPowerState>& slot() {
    static ServiceSlot<PowerState, SystemPowerState> instance;
    return instance;
}
} // namespace

bool SystemPowerState::systemPowerState(std::uint32_t& flags) {
    flags = kPowerStateOn;
    return true;
}

bool ScriptedPowerState::systemPowerState(std::uint32_t& reported) {
    ++queries;
    if (fails) {
        return false;
    }
    reported = flags;
    return true;
}

PowerState& powerState() {
    return slot().get();
}

PowerState* installPowerState(PowerState* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
