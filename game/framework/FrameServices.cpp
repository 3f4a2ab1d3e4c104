// The installed FrameServices (see FrameServices.h).
#include "game/framework/FrameServices.h"

#include "game/interim/InterimFrameServices.h"
#include "runtime/Service.h"

namespace game::framework {

namespace {
runtime::ServiceSlot<FrameServices, interim::InterimFrameServices>& slot() {
    static runtime::ServiceSlot<FrameServices, interim::InterimFrameServices> instance;
    return instance;
}
} // namespace

FrameServices& frameServices() {
    return slot().get();
}

FrameServices* installFrameServices(FrameServices* const service) {
    return slot().install(service);
}

} // namespace game::framework
