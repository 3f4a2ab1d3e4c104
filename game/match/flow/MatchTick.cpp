// One engine tick (see MatchTick.h).
#include "game/match/flow/MatchTick.h"

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/TickSteps.h"
#include "game/match/model/PossessionLines.h"
#include "runtime/Exceptions.h"

namespace game::match {

namespace {

constexpr jint kTeams = 2;
constexpr jint kSidelineFigures = 2;

// Step 1: every actor projected and depth-sorted (placement 0) moves, the last index first.
bool moveActors(GameStatics* s) {
    runtime::ObjectArray* actors = s->matchActors;
    if (actors == nullptr) {
        return true;
    }
    for (jint i = s->matchActorCount - 1; i >= 0; --i) {
        if (!actors->inBounds(i)) {
            continue;
        }
        auto* actor = static_cast<Actor*>((*actors)[i]);
        if (actor != nullptr && actor->placement == 0) {
            updateActorMotion(actor);
            if (runtime::exceptionPending()) {
                return false;
            }
        }
    }
    return true;
}

// Step 6: slot by slot from 10 down to 0, the first team's player then the second's.
bool tickPlayers() {
    for (jint i = CTeam::kOnPitch - 1; i >= 0; --i) {
        CPlayer* pair[kTeams] = {teamPlayer(matchTeam(0), i), teamPlayer(matchTeam(1), i)};
        for (CPlayer* p : pair) {
            if (p != nullptr) {
                updatePlayerTick(p);
                if (runtime::exceptionPending()) {
                    return false;
                }
            }
        }
        for (CPlayer* p : pair) {
            if (p != nullptr) {
                p->touchedBall = 0;
            }
        }
    }
    return true;
}

// Step 7: the two figures beside the touchline.
bool tickSidelineFigures(GameStatics* s) {
    runtime::ObjectArray* figures = s->sidelineActors;
    for (jint i = 0; figures != nullptr && i < kSidelineFigures; ++i) {
        if (!figures->inBounds(i) || (*figures)[i] == nullptr) {
            continue;
        }
        updatePlayerTick(static_cast<CPlayer*>((*figures)[i]));
        if (runtime::exceptionPending()) {
            return false;
        }
    }
    return true;
}

// Steps 4-7, which a per-phase update that ends the tick leaves out.
bool updateTeamsAndPlayers(GameStatics* s) {
    updatePossession();
    for (jint t = 0; t < kTeams && !runtime::exceptionPending(); ++t) {
        if (CTeam* team = matchTeam(t); team != nullptr) {
            team->update();
        }
    }
    return !runtime::exceptionPending() && tickPlayers() && tickSidelineFigures(s);
}

} // namespace

void updateMatch() {
    GameStatics* s = statics();
    if (!moveActors(s)) {
        return;
    }
    resolveDuels();
    if (runtime::exceptionPending()) {
        return;
    }
    const bool phaseEndsTick = updatePhase();
    if (runtime::exceptionPending()) {
        return;
    }
    if (!phaseEndsTick && !updateTeamsAndPlayers(s)) {
        return;
    }
    ballTick(s->ball);
}

void advanceOrderEndTimes() {
    for (jint t = 0; t < kTeams; ++t) {
        const CTeam* team = matchTeam(t);
        for (jint i = 0; i < CTeam::kOnPitch; ++i) {
            if (CPlayer* p = teamPlayer(team, i); p != nullptr) {
                ++p->orderEndTime;
            }
        }
    }
}

} // namespace game::match
