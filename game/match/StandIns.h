// Stand-ins for the match engine's own routines that the engine's later parts define: each body
// lives in StandIns.cpp, does the least harmless thing, logs its first call and counts its calls
// so tests can see that the engine reached it.
#pragma once

#include <vector>

#include "runtime/JavaTypes.h"

namespace game::match {

// How many times the stand-in of `routine` (its name as declared) has run.
runtime::jint standInCallCount(const char* routine);
// The arguments of the last call of the stand-in of `routine`, for those that keep them (empty
// before the first call).
const std::vector<runtime::jint>& standInLastArguments(const char* routine);

} // namespace game::match
