// A scripted club database for the framework's database routines: player ages and team
// strengths the test sets (0, the interim's neutral value, for the others), and the teams whose
// strength was asked for, in order. Installed for its lifetime.
#pragma once

#include <map>
#include <vector>

#include "game/core/services/ClubServices.h"
#include "game/resources/ClubRoutines.h"
#include "runtime/Service.h"

namespace game::testing {

using namespace game::core;

class ScriptedClubDatabase final : public resources::ClubRoutines {
public:
    runtime::jint getPlayerAge(const runtime::jint player) override {
        const auto found = ages.find(player);
        return found != ages.end() ? found->second : 0;
    }
    runtime::jint getTeamStrength(const runtime::jint team, const runtime::jboolean startersOnly) override {
        strengthAsked.push_back(team);
        startersOnlyAsked.push_back(startersOnly);
        const auto found = strengths.find(team);
        return found != strengths.end() ? found->second : 0;
    }

    std::map<runtime::jint, runtime::jint> ages;
    std::map<runtime::jint, runtime::jint> strengths;
    std::vector<runtime::jint> strengthAsked;
    std::vector<runtime::jboolean> startersOnlyAsked;

private:
    runtime::ScopedService<core::ClubServices> scope{&core::installClubServices, *this};
};

} // namespace game::testing
