// What the collector needs from outside the object graph: where the native stack it scans
// begins, and the stress switch for tests and debugging.
//
// The collector (ObjectManager::gc, mark, scanStack) is declared in runtime/ObjectManager.h and
// lives in Collector.cpp.
#pragma once

namespace runtime {

// Records base as the upper end of the native stack that the collector scans. The host passes
// the address of a local of main, so every frame of the game lies below it.
void setStackBase(const void* base);
// Records the top of the calling thread's stack as the base (for programs without such a main,
// like the test runners).
void recordStackBase();
// The recorded base; recordStackBase() is used first when nothing was recorded.
const void* stackBase();

// Overwrites 32 KiB of the dead stack below the caller with zeros. Stale object addresses left
// there by earlier calls would keep objects alive through the conservative scan; the collector
// wipes before it scans, and tests wipe before collections whose outcome they check.
void clearDeadStack();

// Stress mode: every allocation collects first, and every secondary-heap allocation that could
// compact does. Off unless TARNWICK_GC_STRESS is set to a non-zero value, or switched here.
// Inline, since every allocation asks: one load once the environment was read.
namespace detail {
// -1 until the environment is read, then 0 (off) or 1 (on).
inline int gcStressMode = -1;
bool readGcStress();
} // namespace detail
inline bool gcStress() {
    const int mode = detail::gcStressMode;
    return __builtin_expect(mode == 0, 1) ? false : mode > 0 || detail::readGcStress();
}
void setGcStress(bool on);

} // namespace runtime
