// The interim club database routines (see InterimClubDatabaseServices.h).
#include "game/interim/InterimClubDatabaseServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

runtime::jint InterimClubDatabaseServices::getPlayerAge(runtime::jint /*player*/) {
    logFirstCall(ageLogged, "getPlayerAge");
    return 0;
}

void InterimClubDatabaseServices::storeRecentRecord(runtime::ByteArray* /*message*/) {
    logFirstCall(storeLogged, "storeRecentRecord");
}

} // namespace game::interim
