// Stand-in for the club database and season services until they are built.
#pragma once

#include "game/framework/ClubServices.h"

namespace game::interim {

class InterimClubServices final : public framework::ClubServices {
public:
    // No effect: nothing is saved and nothing is loaded.
    void saveOrLoadGameRecord(runtime::jboolean save) override;
};

} // namespace game::interim
