// The interim shared routines of the framework (see InterimFrameServices.h).
#include "game/interim/InterimFrameServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

void InterimFrameServices::squadListLongPress() {
    logFirstCall("the squad list's long-press action (no effect)");
}

} // namespace game::interim
