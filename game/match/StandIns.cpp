// The stand-in bodies (see StandIns.h). Each one's owner deletes it when it lands.
#include "game/match/StandIns.h"

#include <map>
#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/TeamLogicCalls.h"
#include "game/match/TickSteps.h"
#include "runtime/Log.h"

namespace game::match {

namespace {
std::map<std::string, runtime::jint>& callCounts() {
    static std::map<std::string, runtime::jint> counts;
    return counts;
}

std::map<std::string, runtime::jint>& answers() {
    static std::map<std::string, runtime::jint> values;
    return values;
}

std::vector<std::string>*& trace() {
    static std::vector<std::string>* calls = nullptr;
    return calls;
}

// Counts the call and logs the first one, as the interim operations do.
void standIn(const char* routine, const char* behaviour) {
    if (trace() != nullptr) {
        trace()->emplace_back(routine);
    }
    if (++callCounts()[routine] == 1) {
        runtime::log("interim: %s stands in until its owner is built", behaviour);
    }
}
} // namespace

runtime::jint standInCallCount(const char* const routine) {
    const auto found = callCounts().find(routine);
    return found == callCounts().end() ? 0 : found->second;
}

void setStandInAnswer(const char* const routine, const runtime::jint answer) {
    answers()[routine] = answer;
}

void traceStandIns(std::vector<std::string>* const calls) {
    trace() = calls;
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

void updateActorMotion(Actor* /*actor*/) {
    standIn("updateActorMotion", "updateActorMotion (the actor stays where it is)");
}

bool updatePhase() {
    // The phase stays as it is; a test may ask for the tick to end early.
    standIn("updatePhase", "updatePhase (the phase stays)");
    return answers()["updatePhase"] != 0;
}

void CTeam::update() {
    standIn("CTeam::update", "CTeam::update (the team plans and orders nothing)");
}

void updatePlayerTick(CPlayer* /*player*/) {
    standIn("updatePlayerTick", "updatePlayerTick (the player does nothing)");
}

void resetPhaseState() {
    standIn("resetPhaseState", "resetPhaseState (the phase state stays as it is)");
}

void resetTeamLogic() {
    standIn("resetTeamLogic", "resetTeamLogic (the team logic keeps its state)");
}

void sendOffPlayer(CPlayer* player) {
    // Until the team logic lands the player simply leaves the pitch at once.
    standIn("sendOffPlayer", "sendOffPlayer (out of play at once)");
    if (player != nullptr) {
        player->outOfPlay = 1;
    }
}

} // namespace game::match
