// The stand-in bodies (see StandIns.h). Each one's owner deletes it when it lands.
#include "game/match/StandIns.h"

#include <map>
#include <string>

#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/TeamLogicCalls.h"
#include "runtime/Log.h"

namespace game::match {

namespace {
std::map<std::string, runtime::jint>& callCounts() {
    static std::map<std::string, runtime::jint> counts;
    return counts;
}

// Counts the call and logs the first one, as the interim operations do.
void standIn(const char* routine, const char* behaviour) {
    if (++callCounts()[routine] == 1) {
        runtime::log("interim: %s stands in until its owner is built", behaviour);
    }
}
} // namespace

runtime::jint standInCallCount(const char* const routine) {
    const auto found = callCounts().find(routine);
    return found == callCounts().end() ? 0 : found->second;
}

void handToTeamLogic(CPlayer* /*player*/) {
    // The team logic decides nothing yet: the player keeps what his order left him.
    standIn("handToTeamLogic", "handToTeamLogic (the player keeps his order)");
}

void noteCarrierSlot(CPlayer* /*player*/, runtime::jint /*carrierSlot*/) {
    standIn("noteCarrierSlot", "noteCarrierSlot (nothing noted)");
}

void turnAboutInPhase9(CPlayer* /*player*/) {
    standIn("turnAboutInPhase9", "turnAboutInPhase9 (the player keeps his facing)");
}

bool restartTurnRequested(const CPlayer* /*player*/) {
    // The restart planner's flag reads clear until it lands.
    standIn("restartTurnRequested", "restartTurnRequested (clear)");
    return false;
}

runtime::jint restartPoseEntry() {
    standIn("restartPoseEntry", "restartPoseEntry (-1, no entry)");
    return -1;
}

void performPendingReaction(CPlayer* /*player*/) {
    standIn("performPendingReaction", "performPendingReaction (the player does not react)");
}

void CPlayer::requestShot(runtime::jint /*power*/) {
    // No shot is set up: the player keeps his order until the player actions land.
    standIn("requestShot", "CPlayer::requestShot (no shot)");
}

bool choosePassTarget(CPlayer* /*player*/) {
    // No wing ball is offered: the plan choice leaves that plan unavailable.
    standIn("choosePassTarget", "choosePassTarget (no wing-ball target)");
    return false;
}

void setMatchPhase(runtime::jint /*phase*/, runtime::jint /*teamIndex*/, runtime::jint /*x*/,
                   runtime::jint /*y*/) {
    standIn("setMatchPhase", "setMatchPhase (play goes on)");
}

} // namespace game::match
