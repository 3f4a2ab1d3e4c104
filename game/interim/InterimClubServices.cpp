// The interim club database and season services (see InterimClubServices.h).
#include "game/interim/InterimClubServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimClubServices::saveOrLoadGameRecord(runtime::jboolean /*save*/) {
    logFirstCall("saveOrLoadGameRecord (nothing saved or loaded)");
}

} // namespace game::interim
