// The virtual clock that lets tests run many frames without waiting.
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include "platform/Service.h"

namespace platform {
namespace {

TEST(VirtualClockTest, DelayAdvancesTimeAtOnceAndIsCounted) {
    VirtualClock clock(1000, 0);
    clock.delay(5);
    clock.delay(200);
    EXPECT_EQ(clock.ticks(), 1205u);
    EXPECT_EQ(clock.delayCount, 2u);
    EXPECT_EQ(clock.delayedMilliseconds, 205u);
}

TEST(VirtualClockTest, EachReadingMovesTimeSoABusyWaitEnds) {
    VirtualClock clock(0, 1);
    const std::uint32_t start = clock.ticks();
    int readings = 1;
    while (clock.ticks() - start < 50) {
        ++readings;
    }
    EXPECT_EQ(readings, 50);
}

TEST(VirtualClockTest, WrapsAt32BitsLikeTheHandsetCounter) {
    VirtualClock clock(0xFFFFFFFEu, 0);
    clock.delay(3);
    EXPECT_EQ(clock.ticks(), 1u);
}

TEST(ClockServiceTest, AnInstalledClockServesUntilItsScopeEnds) {
    Clock* const before = &clock();
    VirtualClock virtualClock(42, 0);
    {
        ScopedService<Clock> scope(&installClock, virtualClock);
        EXPECT_EQ(clock().ticks(), 42u);
    }
    EXPECT_EQ(&clock(), before);
}

} // namespace
} // namespace platform
