// The stand-in bodies (see StandIns.h). Each one's owner deletes it when it lands.
#include "game/match/StandIns.h"

#include <map>
#include <string>
#include <vector>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/PlanTables.h"
#include "game/match/TeamLogicCalls.h"
#include "runtime/Log.h"

namespace game::match {

namespace {
std::map<std::string, runtime::jint>& callCounts() {
    static std::map<std::string, runtime::jint> counts;
    return counts;
}

std::map<std::string, std::vector<runtime::jint>>& lastArguments() {
    static std::map<std::string, std::vector<runtime::jint>> arguments;
    return arguments;
}

// Counts the call and logs the first one, as the interim operations do.
void standIn(const char* routine, const char* behaviour) {
    if (++callCounts()[routine] == 1) {
        runtime::log("interim: %s stands in until its owner is built", behaviour);
    }
}
} // namespace

const std::vector<runtime::jint>& standInLastArguments(const char* const routine) {
    return lastArguments()[routine];
}

runtime::jint standInCallCount(const char* const routine) {
    const auto found = callCounts().find(routine);
    return found == callCounts().end() ? 0 : found->second;
}

void clearPlanTables() {
    // The tables are zero-filled at set-up and nothing fills them until the plan choice lands.
    standIn("clearPlanTables", "clearPlanTables (nothing to clear)");
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

void planBallPath(runtime::jint /*curve*/, runtime::jint /*side*/) {
    // The path tables keep what they hold: the ball follows its launch alone.
    standIn("planBallPath", "planBallPath (the path tables stay as they are)");
}

void performPendingReaction(CPlayer* /*player*/) {
    standIn("performPendingReaction", "performPendingReaction (the player does not react)");
}

void setMatchPhase(const runtime::jint phase, const runtime::jint teamIndex, const runtime::jint x,
                   const runtime::jint y) {
    standIn("setMatchPhase", "setMatchPhase (play goes on)");
    lastArguments()["setMatchPhase"] = {phase, teamIndex, x, y};
}

void ballHitsGoalFrame(Actor* /*ball*/) {
    // No goal frame yet: the ball flies through where the posts will stand.
    standIn("ballHitsGoalFrame", "ballHitsGoalFrame (no frame to hit)");
}

bool CPlayer::passLaneOpen(const runtime::jint d, const runtime::jint /*kind*/) {
    // Nobody is searched: the default point of a short pass along d, no receiver.
    constexpr runtime::jint kDefaultLength = 25600;
    standIn("passLaneOpen", "passLaneOpen (the default point, no receiver)");
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    s->vectorX = 0;
    s->vectorY = 0;
    core::directionToVector(kDefaultLength, d);
    s->candidateX = (ball != nullptr ? ball->x : x) + s->vectorX;
    s->candidateY = (ball != nullptr ? ball->y : y) + s->vectorY;
    s->candidateSlot = -1;
    return false;
}

void sendOffPlayer(CPlayer* player) {
    // Until the team logic lands the player simply leaves the pitch at once.
    standIn("sendOffPlayer", "sendOffPlayer (out of play at once)");
    if (player != nullptr) {
        player->outOfPlay = 1;
    }
}

} // namespace game::match
