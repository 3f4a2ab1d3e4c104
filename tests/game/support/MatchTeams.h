// Two match teams for the match view's tests: matchTeams holds teams 0 and 1, each with its
// first `players` squad slots filled by players bound to the team and their slot.
#pragma once

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "runtime/Arrays.h"

namespace game::testing {

inline void makeMatchTeams(const runtime::jint players) {
    GameStatics* s = statics();
    s->matchTeams = runtime::newObjectArray(2, runtime::kCTeam);
    for (runtime::jint t = 0; t < 2; ++t) {
        auto* team = runtime::newObject<match::CTeam>();
        (*s->matchTeams)[t] = team;
        team->teamIndex = t;
        team->players = runtime::newObjectArray(match::CTeam::kPlayers, runtime::kCPlayer);
        for (runtime::jint slot = 0; slot < players; ++slot) {
            auto* p = runtime::newObject<match::CPlayer>();
            (*team->players)[slot] = p;
            p->team = team;
            p->slot = slot;
        }
    }
}

} // namespace game::testing
