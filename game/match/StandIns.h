// Stand-ins for the match engine's own routines that the engine's later parts define: each body
// lives in StandIns.cpp, does the least harmless thing, logs its first call and counts its calls
// so tests can see that the engine reached it.
#pragma once

#include <string>
#include <vector>

#include "runtime/JavaTypes.h"

namespace game::match {

// How many times the stand-in of `routine` (its name as declared) has run.
runtime::jint standInCallCount(const char* routine);
// What the stand-in of `routine` answers from now on (0 until set); for stand-ins with a result.
void setStandInAnswer(const char* routine, runtime::jint answer);
// While trace is set, every stand-in appends its routine's name to it; null stops the trace.
void traceStandIns(std::vector<std::string>* trace);

} // namespace game::match
