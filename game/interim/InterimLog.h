// The log line every interim operation writes the first time it is called, so a run shows which
// parts of the game are still stand-ins.
#pragma once

namespace game::interim {

// Logs "interim: <operation> has no effect until its owner is built" once per flag.
void logFirstCall(bool& logged, const char* operation);
// Logs "interim: <operation> stands in until its owner is built" once per operation text.
void logFirstCall(const char* operation);

} // namespace game::interim
