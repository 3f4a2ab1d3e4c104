// What the framework uses of the club database and season code, built later; an interim
// implementation stands in until then (game/interim/InterimClubServices.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace game::framework {

class ClubServices {
public:
    virtual ~ClubServices() = default;
    // saveOrLoadGameRecord: saves (save set) or loads the saved-game record of the main store;
    // failures travel as pending exceptions.
    virtual void saveOrLoadGameRecord(runtime::jboolean save) = 0;
};

ClubServices& clubServices();
// Installs service (null restores the interim one); returns the previous one.
ClubServices* installClubServices(ClubServices* service);

} // namespace game::framework
