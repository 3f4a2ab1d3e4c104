// The stand-in bodies (see StandIns.h). Each one's owner deletes it when it lands.
#include "game/match/StandIns.h"

#include <map>
#include <string>

#include "game/interim/InterimLog.h"
#include "game/match/model/PlanTables.h"

namespace game::match {

namespace {
std::map<std::string, runtime::jint>& callCounts() {
    static std::map<std::string, runtime::jint> counts;
    return counts;
}

// Counts the call and logs the first one.
void standIn(const char* routine, const char* behaviour) {
    callCounts()[routine] += 1;
    interim::logFirstCall(behaviour);
}
} // namespace

runtime::jint standInCallCount(const char* const routine) {
    const auto found = callCounts().find(routine);
    return found == callCounts().end() ? 0 : found->second;
}

void clearPlanTables() {
    // The tables are zero-filled at set-up and nothing fills them until the plan choice lands.
    standIn("clearPlanTables", "clearPlanTables (nothing to clear)");
}

} // namespace game::match
