// The installed FrameServices (see FrameServices.h).
#include "game/framework/FrameServices.h"

#include "game/interim/InterimFrameServices.h"
#include "runtime/Service.h"

namespace game::framework {

FrameServices& frameServices() {
    return runtime::serviceSlot<FrameServices, interim::InterimFrameServices>().get();
}

FrameServices* installFrameServices(FrameServices* const service) {
    return runtime::serviceSlot<FrameServices, interim::InterimFrameServices>().install(service);
}

} // namespace game::framework
