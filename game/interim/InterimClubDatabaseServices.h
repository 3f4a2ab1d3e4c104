// Stand-in for the club database routines the sprite and resource code calls, until the club
// database is built.
#pragma once

#include "game/core/services/ClubDatabaseServices.h"

namespace game::interim {

class InterimClubDatabaseServices final : public core::ClubDatabaseServices {
public:
    // 0: no player has an age yet.
    runtime::jint getPlayerAge(runtime::jint player) override;
    // No effect: the ring keeps what it holds.
    void storeRecentRecord(runtime::ByteArray* message) override;

private:
    bool ageLogged = false;
    bool storeLogged = false;
};

} // namespace game::interim
