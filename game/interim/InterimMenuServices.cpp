// The interim menu flow services (see InterimMenuServices.h).
#include "game/interim/InterimMenuServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimMenuServices::updateEventList(runtime::Object* /*eventList*/) {
    logFirstCall(eventListLogged, "updateEventList");
}

} // namespace game::interim
