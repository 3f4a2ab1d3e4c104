// What the sprite and resource code uses of the club database and season that is built later: a
// player's age and the inbox ring's append. An interim implementation stands in until then
// (game/interim/InterimClubDatabaseServices.h); tests script doubles with runtime::ScopedService.
// The club database's tables themselves (team and player records, the three-byte table, the
// inbox ring) are statics and are used directly.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::core {

using runtime::jint;

class ClubDatabaseServices {
public:
    virtual ~ClubDatabaseServices() = default;
    // The player's age in years.
    virtual jint getPlayerAge(jint player) = 0;
    // Files a copy of a 27-byte inbox message (its first byte the message type) into the ring of
    // 100 as the newest message, updating the ring's start and count.
    virtual void storeRecentRecord(runtime::ByteArray* message) = 0;
};

ClubDatabaseServices& clubDatabaseServices();
// Installs service (null restores the interim one); returns the previous one.
ClubDatabaseServices* installClubDatabaseServices(ClubDatabaseServices* service);

} // namespace game::core
