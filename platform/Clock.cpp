// The SDL clock and the virtual clock of tests.
#include "platform/Clock.h"

#include <SDL.h>

#include "platform/Service.h"

namespace platform {

namespace {
ServiceSlot<Clock, SdlClock>& slot() {
    static ServiceSlot<Clock, SdlClock> instance;
    return instance;
}
} // namespace

std::uint32_t SdlClock::ticks() {
    return SDL_GetTicks();
}

void SdlClock::delay(const std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

std::uint32_t VirtualClock::ticks() {
    const std::uint32_t reading = now;
    now += stepPerRead;
    return reading;
}

void VirtualClock::delay(const std::uint32_t milliseconds) {
    now += milliseconds;
    ++delayCount;
    delayedMilliseconds += milliseconds;
}

Clock& clock() {
    return slot().get();
}

Clock* installClock(Clock* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
