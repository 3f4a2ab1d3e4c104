// The first-call log line of the interim operations (see InterimLog.h).
#include "game/interim/InterimLog.h"

#include <set>
#include <string>

#include "runtime/Log.h"

namespace game::interim {

void logFirstCall(bool& logged, const char* const operation) {
    if (logged) {
        return;
    }
    logged = true;
    runtime::log("interim: %s has no effect until its owner is built", operation);
}

void logFirstCall(const char* const operation) {
    static std::set<std::string> logged;
    if (!logged.insert(operation).second) {
        return;
    }
    runtime::log("interim: %s stands in until its owner is built", operation);
}

} // namespace game::interim
