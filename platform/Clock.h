// The millisecond clock and the pause of the event pump.
//
// Play uses SDL's tick counter and delay. Tests install a VirtualClock: a delay moves virtual
// time forward at once and nothing waits, so thousands of frames run in seconds and the same
// script always sees the same times.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the clock started; wraps at 32 bits like the handset's counter.
    virtual std::uint32_t ticks() = 0;
    // Waits (or, for a virtual clock, advances) the given milliseconds.
    virtual void delay(std::uint32_t milliseconds) = 0;
};

// SDL_GetTicks and SDL_Delay.
class SdlClock final : public Clock {
public:
    std::uint32_t ticks() override;
    void delay(std::uint32_t milliseconds) override;
};

// Time that moves only when told to. A reading also moves it by stepPerRead, so code that
// busy-waits on the clock (the game loop does, between frames) still gets past its wait.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(const std::uint32_t start = 0, const std::uint32_t step = 1)
        : now(start), stepPerRead(step) {}
    std::uint32_t ticks() override;
    void delay(std::uint32_t milliseconds) override;
    void advance(const std::uint32_t milliseconds) { now += milliseconds; }

    std::uint32_t now;
    std::uint32_t stepPerRead;
    std::uint32_t delayCount = 0;          // delays asked for so far
    std::uint64_t delayedMilliseconds = 0; // their sum
};

// The installed clock (SDL's unless a test installed another).
Clock& clock();
// Installs a clock (null restores SDL's); returns the previous one.
Clock* installClock(Clock* replacement);

} // namespace platform
